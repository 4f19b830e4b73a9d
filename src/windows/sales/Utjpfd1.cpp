#include "windows/sales/Utjpfd1.h"

#include "windows/documents/Uxgmx1.h"
#include "windows/masterdata/Ukh2.h"
#include "windows/sales/SalesDocumentWords.h"
#include "windows/sales/Uxzxs1.h"

TFtjpfd1::TFtjpfd1(const WindowContext &context, QWidget *parent)
    : DocumentWindow(context, words(), parent)
{
}

const DocumentWords &TFtjpfd1::words()
{
    static const DocumentWords w = [] {
        DocumentWords w = salesDocumentWords();
        w.kind = documents::DocumentKind::Wholesale;
        w.typeCaption = QStringLiteral("批发出库单");
        w.newTitle = QStringLiteral("新增批发出库单");
        w.editTitle = QStringLiteral("修改批发出库单");
        w.pickerMode = QStringLiteral("tjpf");
        w.partnerTyped = false;
        w.settledHint = QStringLiteral("正负方向必须跟应收额一致");
        // The trade customer's address and telephone go into the remark.
        w.partnerPicker = [](const WindowContext &context, const QString &mode,
                             QLineEdit *partner, QLineEdit *remark, QWidget *parent) {
            auto *customers = new TFkh2(context, parent);
            customers->setChoiceTarget(mode, PickTarget::fields(partner, remark));
            return static_cast<QDialog *>(customers);
        };
        w.heldPicker = [](const WindowContext &context, QWidget *parent) -> HeldDocumentPicker * {
            return new TFxzxs1(context, documents::descriptor(documents::DocumentKind::Wholesale),
                               QStringLiteral("tjpf"), parent);
        };
        w.lineEditor = [](const WindowContext &context, const QString &number,
                          documents::Mode mode, std::vector<documents::Line> lines, int current,
                          QWidget *parent) {
            auto *editor = new TFxgmx1(context,
                                       documents::descriptor(documents::DocumentKind::Wholesale),
                                       QStringLiteral("pfmx"), number, mode, std::move(lines),
                                       current, parent);
            editor->setWindowTitle(QStringLiteral("修改批发明细"));
            return editor;
        };
        return w;
    }();
    return w;
}
