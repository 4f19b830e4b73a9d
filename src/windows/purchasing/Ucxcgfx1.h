#pragma once

#include "windows/reports/LedgerQueryDialog.h"

// "按条件查询": the conditions of the purchase detail table.
class TFcxcgfx1 : public LedgerQueryDialog
{
    Q_OBJECT
public:
    TFcxcgfx1(Runner run, QWidget *parent = nullptr);

    static const LedgerQueryWords &words();
};
