#include "windows/stock/Utjrkd1.h"

#include "report/forms/Udyrkd1.h"
#include "windows/masterdata/Urklx1.h"
#include "windows/stock/Uxgmx2.h"
#include "windows/stock/Uxzrk1.h"

TFtjrkd1::TFtjrkd1(const WindowContext &context, QWidget *parent)
    : DocumentWindow(context, words(), parent)
{
}

const DocumentWords &TFtjrkd1::words()
{
    static const DocumentWords w = [] {
        DocumentWords w;
        w.kind = documents::DocumentKind::Movement;
        w.typeCaption = QStringLiteral("库存异动单");
        w.newTitle = QStringLiteral("新增库存异动单");
        w.editTitle = QStringLiteral("修改库存异动单");
        w.pickerMode = QStringLiteral("tjrk");
        w.partnerLabel = QStringLiteral("异动原因");
        w.partnerPickerHint = QStringLiteral("选择异动原因");
        w.partnerTyped = false;
        w.quantityHint = QStringLiteral("异动数量");
        w.explanationLabel = QStringLiteral("异动说明");
        w.explanation = QStringLiteral("    数量＞0：入库    数量＜0：出库");
        w.priceEnterAddsLine = false;
        w.remarkEnterFinalizes = false;
        w.remarkKeptAfterSave = false;
        w.goodsRefusalFocusesCode = false;
        w.printCaption = QStringLiteral("打印-F7");
        w.printHint = QStringLiteral("打印单据");
        w.printAndFinalize = false;
        // The reasons window, which also adds and deletes reasons.
        w.partnerPicker = [](const WindowContext &context, const QString &, QLineEdit *partner,
                             QLineEdit *, QWidget *parent) {
            auto *reasons = new TFrklx1(context, parent);
            reasons->setChoiceTarget(partner);
            return static_cast<QDialog *>(reasons);
        };
        w.heldPicker = [](const WindowContext &context, QWidget *parent) -> HeldDocumentPicker * {
            return new TFxzrk1(context, parent);
        };
        w.lineEditor = [](const WindowContext &context, const QString &number,
                          documents::Mode mode, std::vector<documents::Line> lines, int current,
                          QWidget *parent) -> TFxgmx1 * {
            return new TFxgmx2(context, number, mode, std::move(lines), current, parent);
        };
        w.printForm = [](const ShopRecord &shop, const PrintedDocument &doc, Snapshot lines) {
            return goodsVoucher(TFdyrkd1(), shop, doc, std::move(lines));
        };
        return w;
    }();
    return w;
}
