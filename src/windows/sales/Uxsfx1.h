#pragma once

#include "windows/reports/LedgerWindows.h"

// "销售明细表": the sales ledger's rows.
class TFxsfx1 : public LedgerDetailWindow
{
    Q_OBJECT
public:
    explicit TFxsfx1(const WindowContext &context, QWidget *parent = nullptr);

    // The detail's columns, sums, dialog and printed form.
    static const LedgerReportWords &words();
};
