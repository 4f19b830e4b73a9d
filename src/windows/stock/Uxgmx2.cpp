#include "windows/stock/Uxgmx2.h"

TFxgmx2::TFxgmx2(const WindowContext &context, const QString &number,
                 documents::Mode documentMode, std::vector<documents::Line> lines, int current,
                 QWidget *parent)
    : TFxgmx1(context, documents::descriptor(documents::DocumentKind::Movement),
              QStringLiteral("rkmx"), number, documentMode, std::move(lines), current,
              Look{QStringLiteral("数量＜0：出库"), false}, parent)
{
    setWindowTitle(QStringLiteral("修改异动明细"));
}
