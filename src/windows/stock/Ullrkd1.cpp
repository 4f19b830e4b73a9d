#include "windows/stock/Ullrkd1.h"

#include "windows/stock/Utjrkd1.h"

TFllrkd1::TFllrkd1(const WindowContext &context, QWidget *parent)
    : DocumentViewer(context, words(), parent)
{
}

const ViewerWords &TFllrkd1::words()
{
    static const ViewerWords w = [] {
        ViewerWords w;
        w.book = management::Book::Movements;
        w.caption = QStringLiteral("浏览库存异动单");
        w.objectName = QStringLiteral("TFllrkd1");
        w.typeCaption = QStringLiteral("库存异动单");
        w.captions.insert(QStringLiteral("dh"), QStringLiteral("单号"));
        w.captions.insert(QStringLiteral("rq"), QStringLiteral("日期"));
        w.captions.insert(QStringLiteral("lx"), QStringLiteral("异动原因"));
        w.captions.insert(QStringLiteral("jsr"), QStringLiteral("经办人"));
        w.captions.insert(QStringLiteral("bz"), QStringLiteral("备注"));
        w.explanation = QStringLiteral("    数量＞0：入库    数量＜0：出库");
        // Printed as the kind's document window prints it.
        w.printForm = TFtjrkd1::words().printForm;
        return w;
    }();
    return w;
}
