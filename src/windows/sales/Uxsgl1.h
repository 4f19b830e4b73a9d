#pragma once

#include "windows/management/DocumentListWindow.h"

// "销售单据": the retail and wholesale documents together.
class TFxsgl1 : public DocumentListWindow
{
    Q_OBJECT
public:
    explicit TFxsgl1(const WindowContext &context, QWidget *parent = nullptr);

    // The sales list's columns, dialog, viewer and printed form.
    static const DocumentListWords &words();
};
