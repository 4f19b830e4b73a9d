#pragma once

#include "windows/reports/LedgerQueryDialog.h"

// "按条件统计": the conditions of the movement statistics.
class TFcxrkhz1 : public LedgerQueryDialog
{
    Q_OBJECT
public:
    TFcxrkhz1(Runner run, QWidget *parent = nullptr);

    static const LedgerQueryWords &words();
};
