#pragma once

#include "report/ReportBuilders.h"

// The in/out/stock statement "商品进销存统计表", on A4 landscape: per article
// (name and unit; the code is not printed) what was bought, sold and moved and
// the balance left, with the balance's quantity and amount under "总　　计".
class TFdykctj1 : public report::ListForm
{
public:
    TFdykctj1();

    static QString title() { return QStringLiteral("商品进销存统计表"); }
};
