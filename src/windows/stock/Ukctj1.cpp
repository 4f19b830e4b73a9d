#include "windows/stock/Ukctj1.h"

#include "report/forms/Udykctj1.h"

TFkctj1::TFkctj1(const WindowContext &context, QWidget *parent)
    : StatisticsWindow(context, words(), parent)
{
}

const StatisticsWords &TFkctj1::words()
{
    static const StatisticsWords w = [] {
        StatisticsWords w;
        w.caption = QStringLiteral("商品进销存统计表");
        w.objectName = QStringLiteral("TFkctj1");
        w.textCaption = QStringLiteral("编码或品名");
        w.enterInTextRuns = true;
        const int number = 80;
        w.columns = {{QStringLiteral("txm"), QStringLiteral("编码"), 100},
                     {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 180},
                     {QStringLiteral("dw"), QStringLiteral("单位"), 50, Qt::AlignHCenter},
                     {QStringLiteral("cgsl"), QStringLiteral("采购数量"), number},
                     {QStringLiteral("cgje"), QStringLiteral("采购金额"), number},
                     {QStringLiteral("xssl"), QStringLiteral("销售数量"), number},
                     {QStringLiteral("xsje"), QStringLiteral("销售金额"), number},
                     {QStringLiteral("rksl"), QStringLiteral("异动数量"), number},
                     {QStringLiteral("rkje"), QStringLiteral("异动金额"), number},
                     {QStringLiteral("ysl"), QStringLiteral("结存数量"), number},
                     {QStringLiteral("yje"), QStringLiteral("结存金额"), number}};
        w.panelCount = 4;
        w.fixedPanels = {{1, QStringLiteral("结存＝采购－销售＋异动")}};
        w.sumColumns = {QStringLiteral("ysl"), QStringLiteral("yje")};
        w.sumPanels = {2, 3};
        w.openingSum = QStringLiteral("0");
        w.closedMessage = QStringLiteral("统计表未打开，请先统计！");
        w.redColumn = QStringLiteral("yje");
        w.compute = [](const QSqlDatabase &db, const QString &text,
                       const statistics::DateRange &range) {
            return statistics::stockStatistics(db, {text, range});
        };
        w.printTitle = TFdykctj1::title();
        w.printForm = [] { return std::unique_ptr<report::ListForm>(new TFdykctj1); };
        return w;
    }();
    return w;
}
