#pragma once

#include "windows/documents/DocumentWindow.h"

// "采购入库单": goods bought from a supplier, or returned to one.
class TFtjcgd1 : public DocumentWindow
{
    Q_OBJECT
public:
    explicit TFtjcgd1(const WindowContext &context, QWidget *parent = nullptr);

    // The purchase window's words, pickers, line editor and voucher.
    static const DocumentWords &words();
};
