#pragma once

#include "report/MoneyVoucher.h"

// The voucher of one payment "付款单" (the payment window) or, with the
// receipt's captions "客户名称" and "收款金额", of one receipt "收款单".
class TFdyfkd1 : public MoneyVoucherForm
{
public:
    TFdyfkd1();
};
