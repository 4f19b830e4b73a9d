#include "windows/stock/Urkhz1.h"

#include "report/forms/Udycghz1.h"
#include "windows/stock/Ucxrkhz1.h"
#include "windows/stock/Urkfx1.h"

TFrkhz1::TFrkhz1(const WindowContext &context, QWidget *parent)
    : LedgerStatisticsWindow(context, words(), parent)
{
}

const LedgerStatisticsWindow::Words &TFrkhz1::words()
{
    static const Words w = [] {
        Words w;
        LedgerReportWords &r = w.report;
        r.ledger = ledgers::Ledger::Movements;
        r.caption = QStringLiteral("库存异动统计表");
        r.objectName = QStringLiteral("TFrkhz1");
        r.columns = {{QStringLiteral("txm"), QStringLiteral("编码"), 110},
                     {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 220},
                     {QStringLiteral("dw"), QStringLiteral("单位"), 45},
                     {QStringLiteral("zsl"), QStringLiteral("数量"), 80},
                     {QStringLiteral("zje"), QStringLiteral("金额"), 90},
                     {QStringLiteral("fenzu"), QStringLiteral("分组"), 120, {}, true}};
        r.legend = QStringLiteral("数量＜0：异动出库");
        r.panelCount = 5;
        r.sums = {{QStringLiteral("zsl"), 2}, {QStringLiteral("zje"), 3}};
        r.printTitle = QStringLiteral("库存异动统计表");
        r.printForm = []() -> std::unique_ptr<report::ListForm> {
            return std::make_unique<TFdycghz1>();
        };
        r.printColumnTitles = {QStringLiteral("编码"), QStringLiteral("商品名称"), QStringLiteral("单位"),
                               QStringLiteral("数量"), QStringLiteral("金额")};
        r.printTotals = {QStringLiteral("zsl"), QStringLiteral("zje")};
        r.queryDialog = [](LedgerQueryDialog::Runner run, QWidget *parent) -> QDialog * {
            return new TFcxrkhz1(std::move(run), parent);
        };
        w.partnerTitle = QStringLiteral("异动原因");
        w.openDetail = [](LedgerStatisticsWindow &opener) {
            const WindowContext context = opener.context();
            return LedgerDetailWindow::openBeside(&opener, QStringLiteral("TFrkfx1"),
                                                  [context] { return new TFrkfx1(context); });
        };
        return w;
    }();
    return w;
}
