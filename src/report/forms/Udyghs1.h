#pragma once

#include "report/ReportBuilders.h"

// The address list of suppliers or customers: "厂商资料表" or "客户资料表",
// printed by the supplier and the customer windows (both tables have the
// same columns).
class TFdyghs1 : public report::ListForm
{
public:
    TFdyghs1();
    static QString supplierTitle() { return QStringLiteral("厂商资料表"); }
    static QString customerTitle() { return QStringLiteral("客户资料表"); }
};
