#pragma once

#include "report/GoodsVoucher.h"

// The purchase document "采购单", printed by the purchase window and the
// purchase document viewer; a negative total (goods returned to the supplier)
// prints its words followed by "(退)".
class TFdycgd1 : public GoodsVoucherForm
{
public:
    TFdycgd1();

    static QString title() { return QStringLiteral("采购单"); }
};
