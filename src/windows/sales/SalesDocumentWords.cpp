#include "windows/sales/SalesDocumentWords.h"

#include "report/forms/Udyxsd1.h"
#include "windows/masterdata/Ukh2.h"

namespace {

report::Form salesSlip(const ShopRecord &shop, const PrintedDocument &doc, Snapshot lines)
{
    SalesDocumentPrint p;
    p.number = doc.number;
    p.date = doc.date;
    p.customer = doc.partner;
    p.remark = doc.remark;
    p.handler = doc.handler;
    p.totalQuantity = doc.totalQuantity;
    p.totalAmount = doc.totalAmount;
    p.due = doc.due;
    p.received = doc.settled;
    TFdyxsd1 form;
    form.fill(shop, p, std::move(lines));
    return report::Form(std::move(form));
}

}  // namespace

DocumentWords salesDocumentWords()
{
    DocumentWords w;
    w.partnerLabel = QStringLiteral("客户");
    w.partnerPickerHint = QStringLiteral("选择客户");
    w.dueLabel = QStringLiteral("应收额");
    w.dueHint = QStringLiteral("应收额＜0：表示应退款");
    w.roundingHint = QStringLiteral("正负方向必须跟总金额一致");
    w.settledLabel = QStringLiteral("实收额");
    w.quantityHint = QStringLiteral("销售数量");
    w.priceEnterAddsLine = true;
    w.remarkEnterFinalizes = true;
    w.remarkKeptAfterSave = true;
    w.goodsRefusalFocusesCode = false;
    w.printCaption = QStringLiteral("打印预览");
    w.printHint = QStringLiteral("打印不保存");
    w.printAndFinalize = true;
    // The customer picker writes the customer's name (the wholesale window
    // has its own, which also writes the remark).
    w.partnerPicker = [](const WindowContext &context, const QString &mode, QLineEdit *partner,
                         QLineEdit *, QWidget *parent) {
        auto *customers = new TFkh2(context, parent);
        customers->setChoiceTarget(mode, PickTarget::fields(partner));
        return static_cast<QDialog *>(customers);
    };
    w.printForm = salesSlip;
    return w;
}
