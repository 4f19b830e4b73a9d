#include "windows/sales/Ucxxshz1.h"

TFcxxshz1::TFcxxshz1(Runner run, QWidget *parent) : LedgerQueryDialog(words(), std::move(run), parent) {}

const LedgerQueryWords &TFcxxshz1::words()
{
    static const LedgerQueryWords w{
        QStringLiteral("TFcxxshz1"),
        QStringLiteral("按条件统计"),
        QStringLiteral("统计"),
        {{LedgerQueryField::Partner, QStringLiteral("客　户")},
             {LedgerQueryField::Handler, QStringLiteral("员　　工")},
             {LedgerQueryField::Code, QStringLiteral("商品编码")},
             {LedgerQueryField::Name, QStringLiteral("商品名称")},
             {LedgerQueryField::Number, QStringLiteral("单　　号")},
             {LedgerQueryField::Sign, QStringLiteral("类　型")},
             {LedgerQueryField::Dates, QStringLiteral("日期从")}},
        QStringLiteral("　　至"),
        {QStringLiteral("全部"), QStringLiteral("销售出库"), QStringLiteral("销售退货")},
        {QStringLiteral("不分组统计"), QStringLiteral("客户分组统计"), QStringLiteral("员工分组统计")}};
    return w;
}
