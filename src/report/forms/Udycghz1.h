#pragma once

#include "report/ReportBuilders.h"

// The ledger statistics list, shared by the purchase, sales and movement
// statistics: code, name, unit, summed quantity and amount, with their totals
// under "总计" (the group value is not printed). The caller sets the heading
// and the column titles.
class TFdycghz1 : public report::ListForm
{
public:
    TFdycghz1();
};
