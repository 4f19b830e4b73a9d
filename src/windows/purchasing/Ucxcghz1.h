#pragma once

#include "windows/reports/LedgerQueryDialog.h"

// "按条件统计": the conditions of the purchase statistics.
class TFcxcghz1 : public LedgerQueryDialog
{
    Q_OBJECT
public:
    TFcxcghz1(Runner run, QWidget *parent = nullptr);

    static const LedgerQueryWords &words();
};
