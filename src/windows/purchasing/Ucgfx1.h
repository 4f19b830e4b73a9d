#pragma once

#include "windows/reports/LedgerWindows.h"

// "采购明细表": the purchase ledger's rows.
class TFcgfx1 : public LedgerDetailWindow
{
    Q_OBJECT
public:
    explicit TFcgfx1(const WindowContext &context, QWidget *parent = nullptr);

    // The detail's columns, sums, dialog and printed form.
    static const LedgerReportWords &words();
};
