#include "windows/sales/Uxstj3.h"

#include "report/forms/Udyxstj3.h"

TFxstj3::TFxstj3(const WindowContext &context, QWidget *parent)
    : StatisticsWindow(context, words(), parent)
{
}

const StatisticsWords &TFxstj3::words()
{
    static const StatisticsWords w = [] {
        StatisticsWords w;
        w.caption = QStringLiteral("员工提成表");
        w.objectName = QStringLiteral("TFxstj3");
        w.textCaption = QStringLiteral("员　　工");
        w.enterInTextRuns = false;
        w.columns = {{QStringLiteral("yuangong"), QStringLiteral("员工"), 120},
                     {QStringLiteral("sltc"), QStringLiteral("销售提成额"), 110},
                     {QStringLiteral("jetc"), QStringLiteral("金额提成额"), 110},
                     {QStringLiteral("ztc"), QStringLiteral("总提成额"), 110}};
        w.panelCount = 6;
        w.sumColumns = {QStringLiteral("sltc"), QStringLiteral("jetc"), QStringLiteral("ztc")};
        w.sumPanels = {2, 3, 4};
        w.openingSum = QStringLiteral("0.00");
        w.closedMessage = QStringLiteral("数据表未打开，请先统计！");
        w.doneMessage = QStringLiteral("统计完毕！");
        w.redColumn = QStringLiteral("ztc");
        w.compute = [](const QSqlDatabase &db, const QString &text,
                       const statistics::DateRange &range) {
            return statistics::commissions(db, {text, range});
        };
        w.printTitle = TFdyxstj3::title();
        w.printForm = [] { return std::unique_ptr<report::ListForm>(new TFdyxstj3); };
        return w;
    }();
    return w;
}
