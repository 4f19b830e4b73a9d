#include "windows/sales/Uxshz1.h"

#include "report/forms/Udycghz1.h"
#include "windows/sales/Ucxxshz1.h"
#include "windows/sales/Uxsfx1.h"

TFxshz1::TFxshz1(const WindowContext &context, QWidget *parent)
    : LedgerStatisticsWindow(context, words(), parent)
{
}

const LedgerStatisticsWindow::Words &TFxshz1::words()
{
    static const Words w = [] {
        Words w;
        LedgerReportWords &r = w.report;
        r.ledger = ledgers::Ledger::Sales;
        r.caption = QStringLiteral("销售统计表");
        r.objectName = QStringLiteral("TFxshz1");
        r.columns = {{QStringLiteral("txm"), QStringLiteral("编码"), 110},
                     {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 220},
                     {QStringLiteral("dw"), QStringLiteral("单位"), 45},
                     {QStringLiteral("zsl"), QStringLiteral("数量"), 80},
                     {QStringLiteral("zje"), QStringLiteral("金额"), 90},
                     {QStringLiteral("zcb"), QStringLiteral("成本额"), 90},
                     {QStringLiteral("zmaoli"), QStringLiteral("毛利润"), 90},
                     {QStringLiteral("fenzu"), QStringLiteral("分组"), 120, {}, true}};
        r.legend = QStringLiteral("数量＜0：销售退货");
        r.panelCount = 7;
        r.sums = {{QStringLiteral("zsl"), 2}, {QStringLiteral("zje"), 3}, {QStringLiteral("zcb"), 4}, {QStringLiteral("zmaoli"), 5}};
        r.printTitle = QStringLiteral("销售统计表");
        r.printForm = []() -> std::unique_ptr<report::ListForm> {
            return std::make_unique<TFdycghz1>();
        };
        r.printColumnTitles = {QStringLiteral("编码"), QStringLiteral("商品名称"), QStringLiteral("单位"),
                               QStringLiteral("数量"), QStringLiteral("金额")};
        r.printTotals = {QStringLiteral("zsl"), QStringLiteral("zje")};
        r.queryDialog = [](LedgerQueryDialog::Runner run, QWidget *parent) -> QDialog * {
            return new TFcxxshz1(std::move(run), parent);
        };
        w.partnerTitle = QStringLiteral("客户");
        w.openDetail = [](LedgerStatisticsWindow &opener) {
            const WindowContext context = opener.context();
            return LedgerDetailWindow::openBeside(&opener, QStringLiteral("TFxsfx1"),
                                                  [context] { return new TFxsfx1(context); });
        };
        return w;
    }();
    return w;
}
