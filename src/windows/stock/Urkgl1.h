#pragma once

#include "windows/management/DocumentListWindow.h"

// "库存异动单据": the stock movement documents.
class TFrkgl1 : public DocumentListWindow
{
    Q_OBJECT
public:
    explicit TFrkgl1(const WindowContext &context, QWidget *parent = nullptr);

    // The movement list's columns, dialog, viewer and printed form.
    static const DocumentListWords &words();
};
