#include "windows/sales/Utjxsd1.h"

#include "windows/documents/Uxgmx1.h"
#include "windows/sales/SalesDocumentWords.h"
#include "windows/sales/Uxzxs1.h"

TFtjxsd1::TFtjxsd1(const WindowContext &context, QWidget *parent)
    : DocumentWindow(context, words(), parent)
{
}

const DocumentWords &TFtjxsd1::words()
{
    static const DocumentWords w = [] {
        DocumentWords w = salesDocumentWords();
        w.kind = documents::DocumentKind::Retail;
        w.typeCaption = QStringLiteral("零售出库单");
        w.newTitle = QStringLiteral("新增零售出库单");
        w.editTitle = QStringLiteral("修改零售出库单");
        w.pickerMode = QStringLiteral("tjxs");
        w.partnerHint = QStringLiteral("直接录入客户，不进入客户资料表");
        w.partnerTyped = true;
        w.heldPicker = [](const WindowContext &context, QWidget *parent) -> HeldDocumentPicker * {
            return new TFxzxs1(context, documents::descriptor(documents::DocumentKind::Retail),
                               QStringLiteral("tjxs"), parent);
        };
        w.lineEditor = [](const WindowContext &context, const QString &number,
                          documents::Mode mode, std::vector<documents::Line> lines, int current,
                          QWidget *parent) {
            auto *editor = new TFxgmx1(context,
                                       documents::descriptor(documents::DocumentKind::Retail),
                                       QStringLiteral("xsmx"), number, mode, std::move(lines),
                                       current, parent);
            editor->setWindowTitle(QStringLiteral("修改零售明细"));
            return editor;
        };
        return w;
    }();
    return w;
}
