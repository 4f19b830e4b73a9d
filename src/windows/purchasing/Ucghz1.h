#pragma once

#include "windows/reports/LedgerWindows.h"

// "采购统计表": the purchase ledger summed per article, optionally per 厂商 or handler,
// with the drill-down into "采购明细表".
class TFcghz1 : public LedgerStatisticsWindow
{
    Q_OBJECT
public:
    explicit TFcghz1(const WindowContext &context, QWidget *parent = nullptr);

    // The statistics' columns, sums, dialog, printed form and detail window.
    static const Words &words();
};
