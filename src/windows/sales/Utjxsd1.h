#pragma once

#include "windows/documents/DocumentWindow.h"

// "零售出库单": the counter sale.
class TFtjxsd1 : public DocumentWindow
{
    Q_OBJECT
public:
    explicit TFtjxsd1(const WindowContext &context, QWidget *parent = nullptr);

    // The retail window's words, pickers, line editor and slip.
    static const DocumentWords &words();
};
