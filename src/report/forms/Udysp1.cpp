#include "report/forms/Udysp1.h"

namespace {

report::ListLayout layout()
{
    return {QStringLiteral("TFdysp1"),
            false,
            {{QStringLiteral("类别"), QStringLiteral("lb"), 14, Qt::AlignLeft},
             {QStringLiteral("编码"), QStringLiteral("txm"), 18, Qt::AlignLeft},
             {QStringLiteral("商品名称"), QStringLiteral("ppgg"), 38, Qt::AlignLeft},
             {QStringLiteral("单位"), QStringLiteral("dw"), 8, Qt::AlignHCenter},
             {QStringLiteral("批发单价"), QStringLiteral("xjpf"), 11, Qt::AlignRight},
             {QStringLiteral("零售单价"), QStringLiteral("xjls"), 11, Qt::AlignRight}},
            {}};
}

}  // namespace

TFdysp1::TFdysp1() : report::ListForm(layout()) {}
