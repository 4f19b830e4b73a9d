#include "windows/sales/Uxsfx1.h"

#include "report/forms/Udycgfx1.h"
#include "windows/sales/Ucxxsfx1.h"

TFxsfx1::TFxsfx1(const WindowContext &context, QWidget *parent)
    : LedgerDetailWindow(context, words(), parent)
{
}

const LedgerReportWords &TFxsfx1::words()
{
    static const LedgerReportWords w = [] {
        LedgerReportWords w;
        w.ledger = ledgers::Ledger::Sales;
        w.caption = QStringLiteral("销售明细表");
        w.objectName = QStringLiteral("TFxsfx1");
        w.columns = {{QStringLiteral("rq"), QStringLiteral("日期"), 85},
                     {QStringLiteral("txm"), QStringLiteral("编码"), 110},
                     {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 200},
                     {QStringLiteral("dw"), QStringLiteral("单位"), 45},
                     {QStringLiteral("sl"), QStringLiteral("数量"), 70},
                     {QStringLiteral("jg"), QStringLiteral("单价"), 70},
                     {QStringLiteral("je"), QStringLiteral("金额"), 80},
                     {QStringLiteral("cbje"), QStringLiteral("成本额"), 80},
                     {QStringLiteral("maoli"), QStringLiteral("毛利润"), 80},
                     {QStringLiteral("kh"), QStringLiteral("客户"), 110},
                     {QStringLiteral("jsr"), QStringLiteral("经办人"), 70},
                     {QStringLiteral("dh"), QStringLiteral("单号"), 125}};
        w.legend = QStringLiteral("数量＜0：销售退货");
        w.panelCount = 8;
        w.sums = {{QStringLiteral("sl"), 2}, {QStringLiteral("je"), 4}, {QStringLiteral("cbje"), 5}, {QStringLiteral("maoli"), 6}};
        w.printTitle = QStringLiteral("销售明细表");
        w.printForm = []() -> std::unique_ptr<report::ListForm> {
            return std::make_unique<TFdycgfx1>();
        };
        w.printColumnTitles = {QStringLiteral("日期"), QStringLiteral("编码"), QStringLiteral("商品名称"),
                               QStringLiteral("单位"), QStringLiteral("数量"), QStringLiteral("单价"),
                               QStringLiteral("金额")};
        w.printTotals = {QStringLiteral("sl"), QStringLiteral("je")};
        w.queryDialog = [](LedgerQueryDialog::Runner run, QWidget *parent) -> QDialog * {
            return new TFcxxsfx1(std::move(run), parent);
        };
        return w;
    }();
    return w;
}
