#pragma once

#include "report/GoodsVoucher.h"

// The stock movement document "库存异动单", printed by the movement window and
// the movement document viewer; a negative total (more taken out of stock
// than brought in) prints its words followed by "(出)".
class TFdyrkd1 : public GoodsVoucherForm
{
public:
    TFdyrkd1();

    static QString title() { return QStringLiteral("库存异动单"); }
};
