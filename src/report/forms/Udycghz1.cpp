#include "report/forms/Udycghz1.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdycghz1"),
            false,
            {{QStringLiteral("编码"), QStringLiteral("txm"), 20, Qt::AlignLeft},
             {QStringLiteral("商品名称"), QStringLiteral("ppgg"), 38, Qt::AlignLeft},
             {QStringLiteral("单位"), QStringLiteral("dw"), 8, Qt::AlignHCenter},
             {QStringLiteral("数量"), QStringLiteral("zsl"), 14, Qt::AlignRight},
             {QStringLiteral("金额"), QStringLiteral("zje"), 16, Qt::AlignRight}},
            {3, 4}};
}

}  // namespace

TFdycghz1::TFdycghz1() : report::ListForm(layout()) {}
