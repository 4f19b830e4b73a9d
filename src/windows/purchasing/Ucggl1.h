#pragma once

#include "windows/management/DocumentListWindow.h"

// "采购单据": the purchase documents.
class TFcggl1 : public DocumentListWindow
{
    Q_OBJECT
public:
    explicit TFcggl1(const WindowContext &context, QWidget *parent = nullptr);

    // The purchase list's columns, dialog, viewer and printed form.
    static const DocumentListWords &words();
};
