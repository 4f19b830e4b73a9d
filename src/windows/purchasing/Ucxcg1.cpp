#include "windows/purchasing/Ucxcg1.h"

TFcxcg1::TFcxcg1(Runner run, QWidget *parent) : DocumentQueryDialog(words(), std::move(run), parent)
{
    setObjectName(QStringLiteral("TFcxcg1"));
}

const DocumentQueryWords &TFcxcg1::words()
{
    static const DocumentQueryWords w{
        {{DocumentQueryField::Dates, QStringLiteral("日期从")},
         {DocumentQueryField::State, QStringLiteral("审核")},
         {DocumentQueryField::Partner, QStringLiteral("厂商")},
         {DocumentQueryField::Handler, QStringLiteral("员工")},
         {DocumentQueryField::Number, QStringLiteral("单号")},
         {DocumentQueryField::Owed, QStringLiteral("只显示欠款单据")}},
        QStringLiteral("至"),
        false};
    return w;
}
