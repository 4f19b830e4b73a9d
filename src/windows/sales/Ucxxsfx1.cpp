#include "windows/sales/Ucxxsfx1.h"

TFcxxsfx1::TFcxxsfx1(Runner run, QWidget *parent) : LedgerQueryDialog(words(), std::move(run), parent) {}

const LedgerQueryWords &TFcxxsfx1::words()
{
    static const LedgerQueryWords w{
        QStringLiteral("TFcxxsfx1"),
        QStringLiteral("按条件查询"),
        QStringLiteral("查询"),
        {{LedgerQueryField::Partner, QStringLiteral("客　户")},
             {LedgerQueryField::Handler, QStringLiteral("员　　工")},
             {LedgerQueryField::Code, QStringLiteral("商品编码")},
             {LedgerQueryField::Name, QStringLiteral("商品名称")},
             {LedgerQueryField::Number, QStringLiteral("单　　号")},
             {LedgerQueryField::Sign, QStringLiteral("类　型")},
             {LedgerQueryField::Dates, QStringLiteral("日期从")}},
        QStringLiteral("　　至"),
        {QStringLiteral("全部"), QStringLiteral("销售出库"), QStringLiteral("销售退货")},
        {}};
    return w;
}
