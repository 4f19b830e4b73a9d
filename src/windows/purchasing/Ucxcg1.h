#pragma once

#include "windows/management/DocumentQueryDialog.h"

// "按条件查询" of the purchase documents: dates, state, supplier, employee,
// number and "只显示欠款单据".
class TFcxcg1 : public DocumentQueryDialog
{
    Q_OBJECT
public:
    explicit TFcxcg1(Runner run, QWidget *parent = nullptr);

    static const DocumentQueryWords &words();
};
