#include "report/forms/Udyfkfx1.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdyfkfx1"),
            false,
            {{QStringLiteral("日期"), QStringLiteral("rq"), 15, Qt::AlignHCenter},
             {QStringLiteral("单号"), QStringLiteral("dh"), 22, Qt::AlignLeft},
             {QStringLiteral("厂商"), QStringLiteral("ghs"), 30, Qt::AlignLeft},
             {QStringLiteral("付款金额"), QStringLiteral("je"), 16, Qt::AlignRight},
             {QStringLiteral("经办人"), QStringLiteral("jsr"), 14, Qt::AlignLeft}},
            {3}};
}

}  // namespace

TFdyfkfx1::TFdyfkfx1() : report::ListForm(layout()) {}

void TFdyfkfx1::showReceipts()
{
    setColumnTitle(2, QStringLiteral("客户"));
    setColumn(2, QStringLiteral("kh"));
    setColumnTitle(3, QStringLiteral("收款金额"));
}
