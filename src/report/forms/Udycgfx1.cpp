#include "report/forms/Udycgfx1.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdycgfx1"),
            false,
            {{QStringLiteral("日期"), QStringLiteral("rq"), 14, Qt::AlignHCenter},
             {QStringLiteral("编码"), QStringLiteral("txm"), 17, Qt::AlignLeft},
             {QStringLiteral("商品名称"), QStringLiteral("ppgg"), 30, Qt::AlignLeft},
             {QStringLiteral("单位"), QStringLiteral("dw"), 7, Qt::AlignHCenter},
             {QStringLiteral("数量"), QStringLiteral("sl"), 10, Qt::AlignRight},
             {QStringLiteral("单价"), QStringLiteral("jg"), 10, Qt::AlignRight},
             {QStringLiteral("金额"), QStringLiteral("je"), 12, Qt::AlignRight}},
            {4, 6}};
}

}  // namespace

TFdycgfx1::TFdycgfx1() : report::ListForm(layout()) {}
