#include "report/forms/Udykctj1.h"

namespace {

report::ListLayout layout()
{
    const auto number = [](const char16_t *title, const char *column) {
        return report::ListColumn{QString::fromUtf16(title), QString::fromLatin1(column), 9,
                                  Qt::AlignRight};
    };
    report::ListLayout l{QStringLiteral("TFdykctj1"),
                         true,
                         {{QStringLiteral("商品名称"), QStringLiteral("ppgg"), 22, Qt::AlignLeft},
                          {QStringLiteral("单位"), QStringLiteral("dw"), 6, Qt::AlignHCenter},
                          number(u"采购数量", "cgsl"),
                          number(u"采购金额", "cgje"),
                          number(u"销售数量", "xssl"),
                          number(u"销售金额", "xsje"),
                          number(u"变动数量", "rksl"),
                          number(u"变动金额", "rkje"),
                          number(u"结存数量", "ysl"),
                          number(u"结存金额", "yje")},
                         {8, 9}};
    l.summaryCaption = QStringLiteral("总　　计");
    return l;
}

}  // namespace

TFdykctj1::TFdykctj1() : report::ListForm(layout()) {}
