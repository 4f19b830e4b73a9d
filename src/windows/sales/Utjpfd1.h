#pragma once

#include "windows/documents/DocumentWindow.h"

// "批发出库单": sales to trade customers at wholesale prices.
class TFtjpfd1 : public DocumentWindow
{
    Q_OBJECT
public:
    explicit TFtjpfd1(const WindowContext &context, QWidget *parent = nullptr);

    // The wholesale window's words, pickers, line editor and slip.
    static const DocumentWords &words();
};
