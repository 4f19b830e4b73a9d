#pragma once

#include "report/ReportBuilders.h"

// The list of other income and expenses "其他收支明细表": date, category,
// item, income, expense and handler, the totals of income and expense under
// "总计".
class TFdyszfx1 : public report::ListForm
{
public:
    TFdyszfx1();

    static QString title() { return QStringLiteral("其他收支明细表"); }
};
