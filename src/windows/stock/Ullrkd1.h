#pragma once

#include "windows/management/DocumentViewer.h"

// "浏览库存异动单": a stock movement document, read only; printed as the
// movement voucher.
class TFllrkd1 : public DocumentViewer
{
    Q_OBJECT
public:
    explicit TFllrkd1(const WindowContext &context, QWidget *parent = nullptr);

    static const ViewerWords &words();
};
