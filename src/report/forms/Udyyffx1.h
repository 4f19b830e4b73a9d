#pragma once

#include "report/ReportBuilders.h"

// The list of documents with a balance "应付明细表", shared by the payables
// and the receivables: date, number, counterpart, amount due, amount settled
// and balance, the total of the balance under "总计". The receivables turn
// the middle three into "客户" over kh, "应收额" over yse and "实收额" over sse.
class TFdyyffx1 : public report::ListForm
{
public:
    TFdyyffx1();

    void showReceivables();
};
