#pragma once

#include "report/ReportBuilders.h"

// The list of payments "付款明细表", shared with the receipts: date, number,
// counterpart, amount and handler, the total of the amounts under "总计". The
// receipts turn the counterpart into "客户" over kh and the amount's title
// into "收款金额".
class TFdyfkfx1 : public report::ListForm
{
public:
    TFdyfkfx1();

    void showReceipts();
};
