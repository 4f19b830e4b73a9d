#pragma once

#include "windows/management/DocumentQueryDialog.h"

// "按条件查询" of the movement documents: dates, state, reason, employee and
// number; movements carry no debt.
class TFcxrk1 : public DocumentQueryDialog
{
    Q_OBJECT
public:
    explicit TFcxrk1(Runner run, QWidget *parent = nullptr);

    static const DocumentQueryWords &words();
};
