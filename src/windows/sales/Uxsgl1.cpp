#include "windows/sales/Uxsgl1.h"

#include "report/forms/Udycggl1.h"
#include "windows/sales/Ucxxs1.h"
#include "windows/sales/Ullxsd1.h"

TFxsgl1::TFxsgl1(const WindowContext &context, QWidget *parent)
    : DocumentListWindow(context, words(), parent)
{
}

const DocumentListWords &TFxsgl1::words()
{
    static const DocumentListWords w = [] {
        DocumentListWords w;
        w.book = management::Book::Sales;
        w.caption = QStringLiteral("销售单据");
        w.objectName = QStringLiteral("TFxsgl1");
        const int number = 75;
        w.columns = {{QStringLiteral("rq"), QStringLiteral("销售日期"), 85},
                     {QStringLiteral("dh"), QStringLiteral("单号"), 125},
                     {QStringLiteral("kh"), QStringLiteral("客户"), 150},
                     {QStringLiteral("hjsl"), QStringLiteral("合计数量"), number},
                     {QStringLiteral("hjje"), QStringLiteral("合计金额"), number},
                     {QStringLiteral("yhe"), QStringLiteral("抹零额"), number},
                     {QStringLiteral("yse"), QStringLiteral("应收额"), number},
                     {QStringLiteral("sse"), QStringLiteral("实收额"), number},
                     {QStringLiteral("qk"), QStringLiteral("欠款"), number},
                     {QStringLiteral("jsr"), QStringLiteral("经办人"), 70},
                     {QStringLiteral("bz"), QStringLiteral("备注"), 150},
                     {QStringLiteral("zhidan"), QStringLiteral("制单"), 80},
                     {QStringLiteral("kdrq"), QStringLiteral("开单日期"), 85},
                     {QStringLiteral("shbj"), QStringLiteral("审核"), 55, Qt::AlignHCenter}};
        w.deleteWarning = QStringLiteral("同时删除与本单对应的明细和欠款！");
        w.printTitle = TFdycggl1::salesTitle();
        w.printTotals = {QStringLiteral("hjsl"), QStringLiteral("hjje"), QStringLiteral("qk")};
        w.printForm = []() -> std::unique_ptr<report::ListForm> {
            auto form = std::make_unique<TFdycggl1>();
            form->showCustomers();
            return form;
        };
        w.queryDialog = [](DocumentQueryDialog::Runner run, QWidget *parent) -> QDialog * {
            return new TFcxxs1(std::move(run), parent);
        };
        w.view = [](DocumentListWindow &list) {
            DocumentViewer::open(&list, list.grid(), QStringLiteral("TFllxsd1"),
                                 [&list] { return new TFllxsd1(list.context()); });
        };
        return w;
    }();
    return w;
}
