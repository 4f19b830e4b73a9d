#pragma once

#include "windows/management/DocumentQueryDialog.h"

// "按条件查询" of the sales documents: customer, employee, number, state,
// dates and "只显示欠款单据"; Enter in the state list goes back to the
// customer.
class TFcxxs1 : public DocumentQueryDialog
{
    Q_OBJECT
public:
    explicit TFcxxs1(Runner run, QWidget *parent = nullptr);

    static const DocumentQueryWords &words();
};
