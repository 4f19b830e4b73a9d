#pragma once

#include "windows/documents/DocumentWindow.h"

// "库存异动单": stock coming in or going out for a reason that is neither a
// purchase nor a sale.
class TFtjrkd1 : public DocumentWindow
{
    Q_OBJECT
public:
    explicit TFtjrkd1(const WindowContext &context, QWidget *parent = nullptr);

    // The movement window's words, pickers, line editor and voucher.
    static const DocumentWords &words();
};
