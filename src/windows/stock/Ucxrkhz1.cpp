#include "windows/stock/Ucxrkhz1.h"

TFcxrkhz1::TFcxrkhz1(Runner run, QWidget *parent) : LedgerQueryDialog(words(), std::move(run), parent) {}

const LedgerQueryWords &TFcxrkhz1::words()
{
    static const LedgerQueryWords w{
        QStringLiteral("TFcxrkhz1"),
        QStringLiteral("按条件统计"),
        QStringLiteral("统计"),
        {{LedgerQueryField::Dates, QStringLiteral("日期从")},
             {LedgerQueryField::Sign, QStringLiteral("类型")},
             {LedgerQueryField::Partner, QStringLiteral("原因")},
             {LedgerQueryField::Handler, QStringLiteral("员工")},
             {LedgerQueryField::Code, QStringLiteral("商品编码")},
             {LedgerQueryField::Name, QStringLiteral("商品名称")},
             {LedgerQueryField::Number, QStringLiteral("单号")}},
        QStringLiteral("至"),
        {QStringLiteral("全部"), QStringLiteral("异动入库"), QStringLiteral("异动出库")},
        {QStringLiteral("不分组统计"), QStringLiteral("异动原因分组统计"), QStringLiteral("员工分组统计")}};
    return w;
}
