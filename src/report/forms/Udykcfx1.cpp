#include "report/forms/Udykcfx1.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdykcfx1"),
            false,
            {{QStringLiteral("编码"), QStringLiteral("txm"), 18, Qt::AlignLeft},
             {QStringLiteral("商品名称"), QStringLiteral("ppgg"), 36, Qt::AlignLeft},
             {QStringLiteral("单位"), QStringLiteral("dw"), 8, Qt::AlignHCenter},
             {QStringLiteral("库存数量"), QStringLiteral("kcsl"), 12, Qt::AlignRight},
             {QStringLiteral("库存单价"), QStringLiteral("kcjg"), 12, Qt::AlignRight},
             {QStringLiteral("库存金额"), QStringLiteral("kcje"), 14, Qt::AlignRight}},
            {3, 5}};
}

}  // namespace

TFdykcfx1::TFdykcfx1() : report::ListForm(layout()) {}
