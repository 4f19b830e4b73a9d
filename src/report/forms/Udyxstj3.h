#pragma once

#include "report/ReportBuilders.h"

// The commission table "销售统计表（提成）": per employee the quantity, amount
// and total commissions, with their three totals under "总计".
class TFdyxstj3 : public report::ListForm
{
public:
    TFdyxstj3();

    static QString title() { return QStringLiteral("销售统计表（提成）"); }
};
