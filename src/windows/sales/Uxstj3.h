#pragma once

#include "windows/reports/StatisticsWindow.h"

// "员工提成表": the commissions each employee earned with the sales ledger's
// rows, by the goods' commission rates.
class TFxstj3 : public StatisticsWindow
{
    Q_OBJECT
public:
    explicit TFxstj3(const WindowContext &context, QWidget *parent = nullptr);

    static const StatisticsWords &words();
};
