#include "windows/sales/Ucxxs1.h"

TFcxxs1::TFcxxs1(Runner run, QWidget *parent) : DocumentQueryDialog(words(), std::move(run), parent)
{
    setObjectName(QStringLiteral("TFcxxs1"));
}

const DocumentQueryWords &TFcxxs1::words()
{
    static const DocumentQueryWords w{
        {{DocumentQueryField::Partner, QStringLiteral("客　　户")},
         {DocumentQueryField::Handler, QStringLiteral("员　　工")},
         {DocumentQueryField::Number, QStringLiteral("单　　号")},
         {DocumentQueryField::State, QStringLiteral("审　核")},
         {DocumentQueryField::Dates, QStringLiteral("日期从")},
         {DocumentQueryField::Owed, QStringLiteral("只显示欠款单据")}},
        QStringLiteral("　　至"),
        true};
    return w;
}
