#include "windows/stock/Urkgl1.h"

#include "report/forms/Udyrkgl1.h"
#include "windows/stock/Ucxrk1.h"
#include "windows/stock/Ullrkd1.h"

TFrkgl1::TFrkgl1(const WindowContext &context, QWidget *parent)
    : DocumentListWindow(context, words(), parent)
{
}

const DocumentListWords &TFrkgl1::words()
{
    static const DocumentListWords w = [] {
        DocumentListWords w;
        w.book = management::Book::Movements;
        w.caption = QStringLiteral("库存异动单据");
        w.objectName = QStringLiteral("TFrkgl1");
        const int number = 75;
        w.columns = {{QStringLiteral("rq"), QStringLiteral("异动日期"), 85},
                     {QStringLiteral("dh"), QStringLiteral("单号"), 125},
                     {QStringLiteral("lx"), QStringLiteral("异动原因"), 110},
                     {QStringLiteral("hjsl"), QStringLiteral("合计数量"), number},
                     {QStringLiteral("hjje"), QStringLiteral("合计金额"), number},
                     {QStringLiteral("jsr"), QStringLiteral("经办人"), 70},
                     {QStringLiteral("zhidan"), QStringLiteral("制单"), 80},
                     {QStringLiteral("bz"), QStringLiteral("备注"), 150},
                     {QStringLiteral("kdrq"), QStringLiteral("开单日期"), 85},
                     {QStringLiteral("shbj"), QStringLiteral("审核"), 55, Qt::AlignHCenter}};
        w.deleteWarning = QStringLiteral("同时删除与本单对应的明细！");
        w.printTitle = TFdyrkgl1::title();
        w.printTotals = {QStringLiteral("hjsl"), QStringLiteral("hjje")};
        w.printForm = []() -> std::unique_ptr<report::ListForm> {
            return std::make_unique<TFdyrkgl1>();
        };
        w.queryDialog = [](DocumentQueryDialog::Runner run, QWidget *parent) -> QDialog * {
            return new TFcxrk1(std::move(run), parent);
        };
        w.view = [](DocumentListWindow &list) {
            DocumentViewer::open(&list, list.grid(), QStringLiteral("TFllrkd1"),
                                 [&list] { return new TFllrkd1(list.context()); });
        };
        return w;
    }();
    return w;
}
