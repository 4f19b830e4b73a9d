#pragma once

#include "report/ReportBuilders.h"

// The stock list without stock prices, "商品库存表": code, name, unit, stock
// quantity, wholesale and retail price, with the quantity total under "总计".
class TFdykcfx2 : public report::ListForm
{
public:
    TFdykcfx2();
    static QString title() { return QStringLiteral("商品库存表"); }
};
