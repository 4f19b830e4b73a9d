#include "windows/stock/Ucxrk1.h"

TFcxrk1::TFcxrk1(Runner run, QWidget *parent) : DocumentQueryDialog(words(), std::move(run), parent)
{
    setObjectName(QStringLiteral("TFcxrk1"));
}

const DocumentQueryWords &TFcxrk1::words()
{
    static const DocumentQueryWords w{
        {{DocumentQueryField::Dates, QStringLiteral("日期从")},
         {DocumentQueryField::State, QStringLiteral("审核")},
         {DocumentQueryField::Partner, QStringLiteral("类型")},
         {DocumentQueryField::Handler, QStringLiteral("员工")},
         {DocumentQueryField::Number, QStringLiteral("单号")}},
        QStringLiteral("至"),
        false};
    return w;
}
