#pragma once

#include "windows/reports/LedgerQueryDialog.h"

// "按条件查询": the conditions of the movement detail table.
class TFcxrkfx1 : public LedgerQueryDialog
{
    Q_OBJECT
public:
    TFcxrkfx1(Runner run, QWidget *parent = nullptr);

    static const LedgerQueryWords &words();
};
