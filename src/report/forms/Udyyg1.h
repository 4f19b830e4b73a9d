#pragma once

#include "report/ReportBuilders.h"

// The employee list: "员工资料表", printed by the employee window.
class TFdyyg1 : public report::ListForm
{
public:
    TFdyyg1();
    static QString title() { return QStringLiteral("员工资料表"); }
};
