#include "report/forms/Udyrkgl1.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdyrkgl1"),
            false,
            {{QStringLiteral("日期"), QStringLiteral("rq"), 14, Qt::AlignHCenter},
             {QStringLiteral("单号"), QStringLiteral("dh"), 20, Qt::AlignLeft},
             {QStringLiteral("异动原因"), QStringLiteral("lx"), 20, Qt::AlignLeft},
             {QStringLiteral("合计数量"), QStringLiteral("hjsl"), 14, Qt::AlignRight},
             {QStringLiteral("合计金额"), QStringLiteral("hjje"), 15, Qt::AlignRight},
             {QStringLiteral("经办人"), QStringLiteral("jsr"), 17, Qt::AlignHCenter}},
            {3, 4}};
}

}  // namespace

TFdyrkgl1::TFdyrkgl1() : report::ListForm(layout()) {}
