#include "windows/purchasing/Ucggl1.h"

#include "report/forms/Udycggl1.h"
#include "windows/purchasing/Ucxcg1.h"
#include "windows/purchasing/Ullcgd1.h"

TFcggl1::TFcggl1(const WindowContext &context, QWidget *parent)
    : DocumentListWindow(context, words(), parent)
{
}

const DocumentListWords &TFcggl1::words()
{
    static const DocumentListWords w = [] {
        DocumentListWords w;
        w.book = management::Book::Purchases;
        w.caption = QStringLiteral("采购单据");
        w.objectName = QStringLiteral("TFcggl1");
        const int number = 75;
        w.columns = {{QStringLiteral("rq"), QStringLiteral("采购日期"), 85},
                     {QStringLiteral("dh"), QStringLiteral("单号"), 125},
                     {QStringLiteral("ghs"), QStringLiteral("厂商"), 150},
                     {QStringLiteral("hjsl"), QStringLiteral("合计数量"), number},
                     {QStringLiteral("hjje"), QStringLiteral("合计金额"), number},
                     {QStringLiteral("yhe"), QStringLiteral("抹零额"), number},
                     {QStringLiteral("yfe"), QStringLiteral("应付额"), number},
                     {QStringLiteral("sfe"), QStringLiteral("实付额"), number},
                     {QStringLiteral("qk"), QStringLiteral("欠款"), number},
                     {QStringLiteral("jsr"), QStringLiteral("经办人"), 70},
                     {QStringLiteral("zhidan"), QStringLiteral("制单"), 80},
                     {QStringLiteral("bz"), QStringLiteral("备注"), 150},
                     {QStringLiteral("kdrq"), QStringLiteral("开单日期"), 85},
                     {QStringLiteral("shbj"), QStringLiteral("审核"), 55, Qt::AlignHCenter}};
        w.deleteWarning = QStringLiteral("同时删除与本单对应的明细和欠款！");
        w.printTitle = TFdycggl1::purchaseTitle();
        w.printTotals = {QStringLiteral("hjsl"), QStringLiteral("hjje"), QStringLiteral("qk")};
        w.printForm = []() -> std::unique_ptr<report::ListForm> {
            return std::make_unique<TFdycggl1>();
        };
        w.queryDialog = [](DocumentQueryDialog::Runner run, QWidget *parent) -> QDialog * {
            return new TFcxcg1(std::move(run), parent);
        };
        w.view = [](DocumentListWindow &list) {
            DocumentViewer::open(&list, list.grid(), QStringLiteral("TFllcgd1"),
                                 [&list] { return new TFllcgd1(list.context()); });
        };
        return w;
    }();
    return w;
}
