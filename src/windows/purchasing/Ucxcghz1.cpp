#include "windows/purchasing/Ucxcghz1.h"

TFcxcghz1::TFcxcghz1(Runner run, QWidget *parent) : LedgerQueryDialog(words(), std::move(run), parent) {}

const LedgerQueryWords &TFcxcghz1::words()
{
    static const LedgerQueryWords w{
        QStringLiteral("TFcxcghz1"),
        QStringLiteral("按条件统计"),
        QStringLiteral("统计"),
        {{LedgerQueryField::Dates, QStringLiteral("日期从")},
             {LedgerQueryField::Sign, QStringLiteral("类型")},
             {LedgerQueryField::Partner, QStringLiteral("厂商")},
             {LedgerQueryField::Handler, QStringLiteral("员工")},
             {LedgerQueryField::Code, QStringLiteral("商品编码")},
             {LedgerQueryField::Name, QStringLiteral("商品名称")},
             {LedgerQueryField::Number, QStringLiteral("单号")}},
        QStringLiteral("至"),
        {QStringLiteral("全部"), QStringLiteral("采购入库"), QStringLiteral("采购退货")},
        {QStringLiteral("不分组统计"), QStringLiteral("厂商分组统计"), QStringLiteral("员工分组统计")}};
    return w;
}
