#include "report/forms/Udykcfx2.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdykcfx2"),
            false,
            {{QStringLiteral("编码"), QStringLiteral("txm"), 18, Qt::AlignLeft},
             {QStringLiteral("商品名称"), QStringLiteral("ppgg"), 36, Qt::AlignLeft},
             {QStringLiteral("单位"), QStringLiteral("dw"), 8, Qt::AlignHCenter},
             {QStringLiteral("库存数量"), QStringLiteral("kcsl"), 12, Qt::AlignRight},
             {QStringLiteral("批发单价"), QStringLiteral("xjpf"), 12, Qt::AlignRight},
             {QStringLiteral("零售单价"), QStringLiteral("xjls"), 12, Qt::AlignRight}},
            {3}};
}

}  // namespace

TFdykcfx2::TFdykcfx2() : report::ListForm(layout()) {}
