#pragma once

#include "report/MoneyVoucher.h"

// The voucher of one other income or expense "其他收支单".
class TFdyszd1 : public MoneyVoucherForm
{
public:
    TFdyszd1();
};
