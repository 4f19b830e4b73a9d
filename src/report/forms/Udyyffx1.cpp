#include "report/forms/Udyyffx1.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdyyffx1"),
            false,
            {{QStringLiteral("日期"), QStringLiteral("rq"), 14, Qt::AlignHCenter},
             {QStringLiteral("单号"), QStringLiteral("dh"), 20, Qt::AlignLeft},
             {QStringLiteral("厂商"), QStringLiteral("ghs"), 27, Qt::AlignLeft},
             {QStringLiteral("应付额"), QStringLiteral("yfe"), 13, Qt::AlignRight},
             {QStringLiteral("实付额"), QStringLiteral("sfe"), 13, Qt::AlignRight},
             {QStringLiteral("欠款"), QStringLiteral("qk"), 13, Qt::AlignRight}},
            {5}};
}

}  // namespace

TFdyyffx1::TFdyyffx1() : report::ListForm(layout()) {}

void TFdyyffx1::showReceivables()
{
    setColumnTitle(2, QStringLiteral("客户"));
    setColumn(2, QStringLiteral("kh"));
    setColumnTitle(3, QStringLiteral("应收额"));
    setColumn(3, QStringLiteral("yse"));
    setColumnTitle(4, QStringLiteral("实收额"));
    setColumn(4, QStringLiteral("sse"));
}
