#pragma once

#include "report/ReportBuilders.h"

// The stock list with stock prices, "商品库存表": code, name, unit, stock
// quantity, stock unit price and stock amount, with the totals of quantity
// and amount under "总计".
class TFdykcfx1 : public report::ListForm
{
public:
    TFdykcfx1();
    static QString title() { return QStringLiteral("商品库存表"); }
};
