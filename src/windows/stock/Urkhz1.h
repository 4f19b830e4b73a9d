#pragma once

#include "windows/reports/LedgerWindows.h"

// "库存异动统计表": the movement ledger summed per article, optionally per reason or handler,
// with the drill-down into "库存异动明细表".
class TFrkhz1 : public LedgerStatisticsWindow
{
    Q_OBJECT
public:
    explicit TFrkhz1(const WindowContext &context, QWidget *parent = nullptr);

    // The statistics' columns, sums, dialog, printed form and detail window.
    static const Words &words();
};
