#pragma once

#include "windows/reports/LedgerWindows.h"

// "库存异动明细表": the movement ledger's rows.
class TFrkfx1 : public LedgerDetailWindow
{
    Q_OBJECT
public:
    explicit TFrkfx1(const WindowContext &context, QWidget *parent = nullptr);

    // The detail's columns, sums, dialog and printed form.
    static const LedgerReportWords &words();
};
