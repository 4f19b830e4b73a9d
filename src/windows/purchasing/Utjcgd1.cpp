#include "windows/purchasing/Utjcgd1.h"

#include "report/forms/Udycgd1.h"
#include "windows/documents/Uxgmx1.h"
#include "windows/masterdata/Ughs2.h"
#include "windows/purchasing/Uxzcg1.h"

TFtjcgd1::TFtjcgd1(const WindowContext &context, QWidget *parent)
    : DocumentWindow(context, words(), parent)
{
}

const DocumentWords &TFtjcgd1::words()
{
    static const DocumentWords w = [] {
        DocumentWords w;
        w.kind = documents::DocumentKind::Purchase;
        w.typeCaption = QStringLiteral("采购入库单");
        w.newTitle = QStringLiteral("新增采购入库单");
        w.editTitle = QStringLiteral("修改采购入库单");
        w.pickerMode = QStringLiteral("tjcg");
        w.partnerLabel = QStringLiteral("厂商");
        w.partnerPickerHint = QStringLiteral("选择厂商");
        w.partnerTyped = false;
        w.dueLabel = QStringLiteral("应付额");
        w.dueHint = QStringLiteral("应付额＜0：表示应退款");
        w.roundingHint = QStringLiteral("正负方向必须跟总金额一致");
        w.settledLabel = QStringLiteral("实付额");
        w.settledHint = QStringLiteral("正负方向必须跟应付额一致");
        w.quantityHint = QStringLiteral("采购数量");
        w.priceEnterAddsLine = false;
        w.remarkEnterFinalizes = true;
        w.remarkKeptAfterSave = true;
        w.goodsRefusalFocusesCode = true;
        w.printCaption = QStringLiteral("打印-F7");
        w.printHint = QStringLiteral("打印单据");
        w.printAndFinalize = false;
        w.partnerPicker = [](const WindowContext &context, const QString &mode,
                             QLineEdit *partner, QLineEdit *, QWidget *parent) {
            auto *suppliers = new TFghs2(context, parent);
            suppliers->setChoiceTarget(mode, PickTarget::fields(partner));
            return static_cast<QDialog *>(suppliers);
        };
        w.heldPicker = [](const WindowContext &context, QWidget *parent) -> HeldDocumentPicker * {
            return new TFxzcg1(context, parent);
        };
        w.lineEditor = [](const WindowContext &context, const QString &number,
                          documents::Mode mode, std::vector<documents::Line> lines, int current,
                          QWidget *parent) {
            auto *editor = new TFxgmx1(context,
                                       documents::descriptor(documents::DocumentKind::Purchase),
                                       QStringLiteral("cgmx"), number, mode, std::move(lines),
                                       current, parent);
            editor->setWindowTitle(QStringLiteral("修改采购明细"));
            return editor;
        };
        w.printForm = [](const ShopRecord &shop, const PrintedDocument &doc, Snapshot lines) {
            return goodsVoucher(TFdycgd1(), shop, doc, std::move(lines));
        };
        return w;
    }();
    return w;
}
