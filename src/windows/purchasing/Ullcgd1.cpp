#include "windows/purchasing/Ullcgd1.h"

#include "windows/purchasing/Utjcgd1.h"

TFllcgd1::TFllcgd1(const WindowContext &context, QWidget *parent)
    : DocumentViewer(context, words(), parent)
{
}

const ViewerWords &TFllcgd1::words()
{
    static const ViewerWords w = [] {
        ViewerWords w;
        w.book = management::Book::Purchases;
        w.caption = QStringLiteral("浏览采购入库单");
        w.objectName = QStringLiteral("TFllcgd1");
        w.typeCaption = QStringLiteral("采购入库单");
        w.captions.insert(QStringLiteral("dh"), QStringLiteral("单号"));
        w.captions.insert(QStringLiteral("rq"), QStringLiteral("日期"));
        w.captions.insert(QStringLiteral("jsr"), QStringLiteral("经办人"));
        w.captions.insert(QStringLiteral("ghs"), QStringLiteral("厂商"));
        w.captions.insert(QStringLiteral("yhe"), QStringLiteral("抹零额"));
        w.captions.insert(QStringLiteral("yfe"), QStringLiteral("应付额"));
        w.captions.insert(QStringLiteral("sfe"), QStringLiteral("实付额"));
        w.captions.insert(QStringLiteral("bz"), QStringLiteral("备注"));
        // Printed as the kind's document window prints it.
        w.printForm = TFtjcgd1::words().printForm;
        return w;
    }();
    return w;
}
