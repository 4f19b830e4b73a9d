#pragma once

#include "windows/reports/LedgerQueryDialog.h"

// "按条件统计": the conditions of the sales statistics.
class TFcxxshz1 : public LedgerQueryDialog
{
    Q_OBJECT
public:
    TFcxxshz1(Runner run, QWidget *parent = nullptr);

    static const LedgerQueryWords &words();
};
