#pragma once

#include "report/ReportBuilders.h"

// The ledger detail list, shared by the purchase, sales and movement detail
// tables: date, code, name, unit, quantity, price and amount, with the sums
// of quantity and amount under "总计". The caller sets the heading and the
// column titles.
class TFdycgfx1 : public report::ListForm
{
public:
    TFdycgfx1();
};
