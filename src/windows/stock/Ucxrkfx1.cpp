#include "windows/stock/Ucxrkfx1.h"

TFcxrkfx1::TFcxrkfx1(Runner run, QWidget *parent) : LedgerQueryDialog(words(), std::move(run), parent) {}

const LedgerQueryWords &TFcxrkfx1::words()
{
    static const LedgerQueryWords w{
        QStringLiteral("TFcxrkfx1"),
        QStringLiteral("按条件查询"),
        QStringLiteral("查询"),
        {{LedgerQueryField::Dates, QStringLiteral("日期从")},
             {LedgerQueryField::Sign, QStringLiteral("类型")},
             {LedgerQueryField::Partner, QStringLiteral("原因")},
             {LedgerQueryField::Handler, QStringLiteral("员工")},
             {LedgerQueryField::Code, QStringLiteral("商品编码")},
             {LedgerQueryField::Name, QStringLiteral("商品名称")},
             {LedgerQueryField::Number, QStringLiteral("单号")}},
        QStringLiteral("至"),
        {QStringLiteral("全部"), QStringLiteral("异动入库"), QStringLiteral("异动出库")},
        {}};
    return w;
}
