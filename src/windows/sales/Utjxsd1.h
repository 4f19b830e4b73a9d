#pragma once

#include "windows/documents/DocumentWindow.h"

// "零售出库单": the counter sale.
class TFtjxsd1 : public DocumentWindow
{
    Q_OBJECT
public:
    explicit TFtjxsd1(const WindowContext &context, QWidget *parent = nullptr)
        : DocumentWindow(context, DocumentWords::retail(), parent)
    {
    }
};
