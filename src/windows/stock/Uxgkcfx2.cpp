#include "windows/stock/Uxgkcfx2.h"

#include "core/documents/Documents.h"
#include "core/stock/StockTools.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/NumberEdit.h"
#include "ui/Outcomes.h"
#include "ui/PickerField.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TFxgkcfx2::TFxgkcfx2(const WindowContext &context, const ConversionSource &source,
                     QWidget *parent)
    : FormDialog(parent), m_context(context), m_source(source)
{
    setWindowTitle(QStringLiteral("同一商品不同单位换算"));
    setObjectName(QStringLiteral("TFxgkcfx2"));

    auto addRow = [this](QFormLayout *form, QWidget *field, const char *name,
                         const QString &caption) {
        field->setObjectName(QString::fromLatin1(name));
        auto *label = new QLabel(caption, this);
        if (auto *picker = qobject_cast<PickerField *>(field)) {
            picker->setLabel(label);
        } else {
            label->setBuddy(field);
            field->setAccessibleName(caption);
        }
        form->addRow(label, field);
    };
    auto readOnly = [this] {
        auto *e = new QLineEdit(this);
        e->setReadOnly(true);
        e->setMinimumWidth(220);
        return e;
    };

    auto *sourceBox = new QGroupBox(QStringLiteral("当前商品"), this);
    auto *sourceForm = new QFormLayout(sourceBox);
    Edit1 = readOnly();
    Edit2 = readOnly();
    Edit3 = readOnly();
    Edit4 = readOnly();
    addRow(sourceForm, Edit1, "Edit1", QStringLiteral("编　　码"));
    addRow(sourceForm, Edit2, "Edit2", QStringLiteral("商品名称"));
    addRow(sourceForm, Edit3, "Edit3", QStringLiteral("计量单位"));
    addRow(sourceForm, Edit4, "Edit4", QStringLiteral("库存数量"));

    auto *targetBox = new QGroupBox(QStringLiteral("换算商品"), this);
    auto *targetForm = new QFormLayout(targetBox);
    Edit5 = new QLineEdit(this);
    Edit5->setMinimumWidth(220);
    auto *code = new PickerField(Edit5, QStringLiteral("SpeedButton1"),
                                 QStringLiteral("选择商品"), this);
    SpeedButton1 = code->button();
    addRow(targetForm, code, "Edit5Field", QStringLiteral("编　　码"));
    Edit5->setObjectName(QStringLiteral("Edit5"));
    Edit6 = readOnly();
    Edit7 = readOnly();
    addRow(targetForm, Edit6, "Edit6", QStringLiteral("商品名称"));
    addRow(targetForm, Edit7, "Edit7", QStringLiteral("计量单位"));
    // Digits and one decimal point only.
    Edit8 = new NumberEdit(this, false);
    Edit9 = new NumberEdit(this, false);
    Edit10 = readOnly();
    addRow(targetForm, Edit8, "Edit8", QStringLiteral("换算基数"));
    addRow(targetForm, Edit9, "Edit9", QStringLiteral("换算数量"));
    addRow(targetForm, Edit10, "Edit10", QStringLiteral("完成总量"));

    auto *boxes = new QHBoxLayout;
    boxes->addWidget(sourceBox);
    boxes->addWidget(targetBox);
    setFields(boxes, QStringLiteral("确定换算"), QStringLiteral("取消"));
    connect(BitBtn1, &QPushButton::clicked, this, &TFxgkcfx2::BitBtn1Click);

    Edit1->setText(source.txm);
    Edit2->setText(source.ppgg);
    Edit3->setText(source.dw);
    Edit4->setText(source.kcsl.toShortest());
    Edit8->setText(QStringLiteral("0"));
    Edit9->setText(QStringLiteral("0"));
    Edit10->setText(QStringLiteral("0"));

    // Typing a code looks the article up; the picker's filling does not.
    connect(Edit5, &QLineEdit::textEdited, this, &TFxgkcfx2::Edit5Change);
    connect(SpeedButton1, &QToolButton::clicked, this, &TFxgkcfx2::SpeedButton1Click);
    connect(Edit8, &QLineEdit::textChanged, this, &TFxgkcfx2::recalculate);
    connect(Edit9, &QLineEdit::textChanged, this, &TFxgkcfx2::recalculate);
    Edit5->installEventFilter(this);

    auto toTargetCode = [this] { Edit5->setFocus(); };
    auto toBase = [this] { Edit8->setFocus(); };
    auto press = [this] { BitBtn1->click(); };
    enterAlong({{Edit1, toTargetCode},
                {Edit2, toTargetCode},
                {Edit3, toTargetCode},
                {Edit4, toTargetCode},
                {Edit5,
                 [this] {
                     if (Edit6->text().isEmpty())
                         SpeedButton1Click();
                     else
                         Edit8->setFocus();
                 }},
                {Edit6, toBase},
                {Edit7, toBase},
                {Edit8, [this] { Edit9->setFocus(); }},
                {Edit9, press},
                {Edit10, press}});
    Edit5->setFocus();
}

bool TFxgkcfx2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit5 && event->type() == QEvent::MouseButtonDblClick) {
        SpeedButton1Click();
        return true;
    }
    return FormDialog::eventFilter(watched, event);
}

void TFxgkcfx2::recalculate()
{
    const Decimal total = stocktools::conversionTotal(Edit9->text(), Edit8->text());
    // A text that is not (yet) a number, such as a lone ".", gives no total.
    Edit10->setText(total.isValid() ? total.toFixed2() : QString());
}

void TFxgkcfx2::Edit5Change()
{
    if (sao != QStringLiteral("sao"))
        return;
    std::optional<documents::Goods> found;
    try {
        found = documents::findGoodsByCode(m_context.DM1.ADOC1(), Edit5->text());
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
    Edit6->setText(found ? found->ppgg : QString());
    Edit7->setText(found ? found->dw : QString());
}

void TFxgkcfx2::SpeedButton1Click()
{
    ModalDialog<TFsp3> picker(new TFsp3(m_context, *this, this));
    picker->setWindowTitle(QStringLiteral("选择商品"));
    picker->setMode(QStringLiteral("kchs"));
    setSao(QStringLiteral("xuan"));
    picker.exec();
}

void TFxgkcfx2::fillGoodsFields(const QString &mode, const goods::Article &article)
{
    if (mode != QStringLiteral("kchs"))
        return;
    Edit5->setText(article.txm);
    Edit6->setText(article.ppgg);
    Edit7->setText(article.dw);
}

void TFxgkcfx2::BitBtn1Click()
{
    for (QLineEdit *e : {static_cast<QLineEdit *>(Edit8), static_cast<QLineEdit *>(Edit9), Edit10})
        e->setText(decimaltext::rewriteTo2IfLonger(e->text()));

    stocktools::ConversionInput in;
    in.sourceId = m_source.id;
    in.sourceUnit = Edit3->text();
    in.targetCode = Edit5->text();
    in.targetName = Edit6->text();
    in.targetUnit = Edit7->text();
    in.base = Edit8->text();
    in.quantity = Edit9->text();
    const stocktools::Converted c = stocktools::convert(m_context.DM1.ADOC1(), in);
    if (!showOutcome(this, c.outcome)) {
        using F = stocktools::ConversionField;
        switch (c.outcome.focus) {
        case F::TargetName: Edit6->setFocus(); break;
        case F::SourceUnit: Edit3->setFocus(); break;
        case F::Base: Edit8->setFocus(); break;
        case F::Quantity: Edit9->setFocus(); break;
        case F::None: break;
        }
        if (c.closeWindow)
            reject();
        return;
    }
    m_converted = c.target;
    accept();
}
