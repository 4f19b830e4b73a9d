#pragma once

#include "report/ReportBuilders.h"

// The list of document headers "采购单据汇总表", shared by the purchase and
// the sales documents lists: date, number, counterpart, total quantity,
// total amount and money owed, with the totals of the last three under
// "总计". The counterpart column reads "厂商" over `ghs`; the sales list
// turns it into "客户" over `kh`.
class TFdycggl1 : public report::ListForm
{
public:
    TFdycggl1();

    static QString purchaseTitle() { return QStringLiteral("采购单据汇总表"); }
    static QString salesTitle() { return QStringLiteral("销售单据汇总表"); }

    // The counterpart column, the third.
    static constexpr int counterpartColumn = 2;
    // For the sales list: "客户" over kh.
    void showCustomers();
};
