#include "windows/sales/Ullxsd1.h"

#include "windows/sales/Utjxsd1.h"

TFllxsd1::TFllxsd1(const WindowContext &context, QWidget *parent)
    : DocumentViewer(context, words(), parent)
{
}

const ViewerWords &TFllxsd1::words()
{
    static const ViewerWords w = [] {
        ViewerWords w;
        w.book = management::Book::Sales;
        w.caption = QStringLiteral("浏览销售出库单");
        w.objectName = QStringLiteral("TFllxsd1");
        w.typeCaption = QStringLiteral("销售出库单");
        w.captions.insert(QStringLiteral("dh"), QStringLiteral("单号"));
        w.captions.insert(QStringLiteral("rq"), QStringLiteral("日期"));
        w.captions.insert(QStringLiteral("jsr"), QStringLiteral("经办人"));
        w.captions.insert(QStringLiteral("kh"), QStringLiteral("客户"));
        w.captions.insert(QStringLiteral("yhe"), QStringLiteral("抹零额"));
        w.captions.insert(QStringLiteral("yse"), QStringLiteral("应收额"));
        w.captions.insert(QStringLiteral("sse"), QStringLiteral("实收额"));
        w.captions.insert(QStringLiteral("bz"), QStringLiteral("备注"));
        // Printed as the kind's document window prints it.
        w.printForm = TFtjxsd1::words().printForm;
        return w;
    }();
    return w;
}
