#include "report/forms/Udycggl1.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdycggl1"),
            false,
            {{QStringLiteral("日期"), QStringLiteral("rq"), 14, Qt::AlignHCenter},
             {QStringLiteral("单号"), QStringLiteral("dh"), 20, Qt::AlignLeft},
             {QStringLiteral("厂商"), QStringLiteral("ghs"), 26, Qt::AlignLeft},
             {QStringLiteral("合计数量"), QStringLiteral("hjsl"), 13, Qt::AlignRight},
             {QStringLiteral("合计金额"), QStringLiteral("hjje"), 14, Qt::AlignRight},
             {QStringLiteral("欠款"), QStringLiteral("qk"), 13, Qt::AlignRight}},
            {3, 4, 5}};
}

}  // namespace

TFdycggl1::TFdycggl1() : report::ListForm(layout()) {}

void TFdycggl1::showCustomers()
{
    setColumnTitle(counterpartColumn, QStringLiteral("客户"));
    setColumn(counterpartColumn, QStringLiteral("kh"));
}
