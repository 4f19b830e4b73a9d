#pragma once

#include "windows/reports/LedgerQueryDialog.h"

// "按条件查询": the conditions of the sales detail table.
class TFcxxsfx1 : public LedgerQueryDialog
{
    Q_OBJECT
public:
    TFcxxsfx1(Runner run, QWidget *parent = nullptr);

    static const LedgerQueryWords &words();
};
