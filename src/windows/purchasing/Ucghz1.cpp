#include "windows/purchasing/Ucghz1.h"

#include "report/forms/Udycghz1.h"
#include "windows/purchasing/Ucxcghz1.h"
#include "windows/purchasing/Ucgfx1.h"

TFcghz1::TFcghz1(const WindowContext &context, QWidget *parent)
    : LedgerStatisticsWindow(context, words(), parent)
{
}

const LedgerStatisticsWindow::Words &TFcghz1::words()
{
    static const Words w = [] {
        Words w;
        LedgerReportWords &r = w.report;
        r.ledger = ledgers::Ledger::Purchases;
        r.caption = QStringLiteral("采购统计表");
        r.objectName = QStringLiteral("TFcghz1");
        r.columns = {{QStringLiteral("txm"), QStringLiteral("编码"), 110},
                     {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 220},
                     {QStringLiteral("dw"), QStringLiteral("单位"), 45},
                     {QStringLiteral("zsl"), QStringLiteral("数量"), 80},
                     {QStringLiteral("zje"), QStringLiteral("金额"), 90},
                     {QStringLiteral("fenzu"), QStringLiteral("分组"), 120, {}, true}};
        r.legend = QStringLiteral("数量＜0：采购退货");
        r.panelCount = 5;
        r.sums = {{QStringLiteral("zsl"), 2}, {QStringLiteral("zje"), 3}};
        r.printTitle = QStringLiteral("采购统计表");
        r.printForm = []() -> std::unique_ptr<report::ListForm> {
            return std::make_unique<TFdycghz1>();
        };
        r.printColumnTitles = {QStringLiteral("编码"), QStringLiteral("商品名称"), QStringLiteral("单位"),
                               QStringLiteral("数量"), QStringLiteral("金额")};
        r.printTotals = {QStringLiteral("zsl"), QStringLiteral("zje")};
        r.queryDialog = [](LedgerQueryDialog::Runner run, QWidget *parent) -> QDialog * {
            return new TFcxcghz1(std::move(run), parent);
        };
        w.partnerTitle = QStringLiteral("厂商");
        w.openDetail = [](LedgerStatisticsWindow &opener) {
            const WindowContext context = opener.context();
            return LedgerDetailWindow::openBeside(&opener, QStringLiteral("TFcgfx1"),
                                                  [context] { return new TFcgfx1(context); });
        };
        return w;
    }();
    return w;
}
