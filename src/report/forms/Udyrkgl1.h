#pragma once

#include "report/ReportBuilders.h"

// The list of movement headers "异动单据汇总表": date, number, reason, total
// quantity, total amount and handler, with the totals of quantity and amount
// under "总计".
class TFdyrkgl1 : public report::ListForm
{
public:
    TFdyrkgl1();

    static QString title() { return QStringLiteral("异动单据汇总表"); }
};
