#pragma once

#include "windows/management/DocumentViewer.h"

// "浏览采购入库单": a purchase document, read only; printed as the purchase
// voucher.
class TFllcgd1 : public DocumentViewer
{
    Q_OBJECT
public:
    explicit TFllcgd1(const WindowContext &context, QWidget *parent = nullptr);

    static const ViewerWords &words();
};
