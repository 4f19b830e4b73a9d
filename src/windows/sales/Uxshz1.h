#pragma once

#include "windows/reports/LedgerWindows.h"

// "销售统计表": the sales ledger summed per article, optionally per 客户 or handler,
// with the drill-down into "销售明细表".
class TFxshz1 : public LedgerStatisticsWindow
{
    Q_OBJECT
public:
    explicit TFxshz1(const WindowContext &context, QWidget *parent = nullptr);

    // The statistics' columns, sums, dialog, printed form and detail window.
    static const Words &words();
};
