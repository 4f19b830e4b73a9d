#include "windows/stock/RecipeWindow.h"

#include "core/documents/Documents.h"
#include "ui/ListGrid.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/NumberEdit.h"
#include "ui/Outcomes.h"
#include "ui/PickerField.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLineEdit *readOnlyField(QWidget *parent, const char *name, const QString &hint)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    e->setPlaceholderText(hint);
    e->setToolTip(hint);
    e->setAccessibleName(hint);
    return e;
}

QLabel *helpLabel(QWidget *parent, const QStringList &texts)
{
    auto *help = new QLabel(texts.join(u'\n'), parent);
    QPalette p = help->palette();
    p.setColor(QPalette::WindowText, QColor(0x30, 0x50, 0x90));
    help->setPalette(p);
    return help;
}

}  // namespace

RecipeWindow::RecipeWindow(const WindowContext &context, const RecipeWords &words,
                           QWidget *parent)
    : FormDialog(parent), m_context(context), m_words(words),
      m_descriptor(stocktools::recipeDescriptor(words.kind))
{
    setWindowTitle(words.caption);
    setObjectName(words.objectName);

    // Step one: the whole.
    auto *wholeBox = new QGroupBox(words.wholeGroup, this);
    auto *wholeGrid = new QGridLayout(wholeBox);
    txm1 = new QLineEdit(this);
    auto *code1 = new PickerField(txm1, QStringLiteral("SpeedButton1"), QStringLiteral("选择整件"),
                                  this);
    txm1->setObjectName(QStringLiteral("txm1"));
    SpeedButton1 = code1->button();
    auto *code1Label = new QLabel(QStringLiteral("商品编码"), this);
    code1->setLabel(code1Label);
    ppgg1 = readOnlyField(this, "ppgg1", QStringLiteral("整件名称"));
    dw1 = readOnlyField(this, "dw1", QStringLiteral("整件单位"));
    kcsl1 = readOnlyField(this, "kcsl1", QStringLiteral("整件库存"));
    quantity = new NumberEdit(this, false);
    quantity->setObjectName(words.quantityName);
    auto *quantityLabel = new QLabel(words.quantityCaption, this);
    quantityLabel->setBuddy(quantity);
    quantity->setAccessibleName(words.quantityCaption);
    wholeGrid->addWidget(code1Label, 0, 0);
    wholeGrid->addWidget(code1, 0, 1);
    wholeGrid->addWidget(ppgg1, 0, 2);
    wholeGrid->addWidget(dw1, 0, 3);
    wholeGrid->addWidget(kcsl1, 0, 4);
    wholeGrid->addWidget(quantityLabel, 1, 0);
    wholeGrid->addWidget(quantity, 1, 1);
    wholeGrid->addWidget(helpLabel(this, words.quantityHelp), 1, 2, 1, 3);
    wholeGrid->setColumnStretch(2, 3);

    // Step two: the parts of its recipe.
    auto *partBox = new QGroupBox(words.partGroup, this);
    auto *partGrid = new QGridLayout(partBox);
    txm2 = new QLineEdit(this);
    auto *code2 = new PickerField(txm2, QStringLiteral("SpeedButton2"), QStringLiteral("选择零件"),
                                  this);
    txm2->setObjectName(QStringLiteral("txm2"));
    SpeedButton2 = code2->button();
    auto *code2Label = new QLabel(QStringLiteral("商品编码"), this);
    code2->setLabel(code2Label);
    ppgg2 = readOnlyField(this, "ppgg2", QStringLiteral("零件名称"));
    dw2 = readOnlyField(this, "dw2", QStringLiteral("零件单位"));
    kcsl2 = readOnlyField(this, "kcsl2", QStringLiteral("零件库存"));
    coefficient = new NumberEdit(this, false);
    coefficient->setObjectName(words.coefficientName);
    auto *coefficientLabel = new QLabel(words.coefficientCaption, this);
    coefficientLabel->setBuddy(coefficient);
    coefficient->setAccessibleName(words.coefficientCaption);
    SB1 = new QPushButton(QStringLiteral("新增"), this);
    SB1->setObjectName(QStringLiteral("SB1"));
    SB1->setToolTip(QStringLiteral("新增零件"));
    SB1->setAutoDefault(false);
    SB2 = new QPushButton(QStringLiteral("删除"), this);
    SB2->setObjectName(QStringLiteral("SB2"));
    SB2->setToolTip(QStringLiteral("删除零件"));
    SB2->setAutoDefault(false);
    partGrid->addWidget(code2Label, 0, 0);
    partGrid->addWidget(code2, 0, 1);
    partGrid->addWidget(ppgg2, 0, 2);
    partGrid->addWidget(dw2, 0, 3);
    partGrid->addWidget(kcsl2, 0, 4);
    partGrid->addWidget(coefficientLabel, 1, 0);
    partGrid->addWidget(coefficient, 1, 1);
    partGrid->addWidget(helpLabel(this, words.coefficientHelp), 1, 2, 1, 2);
    auto *partButtons = new QHBoxLayout;
    partButtons->addWidget(SB1);
    partButtons->addWidget(SB2);
    partGrid->addLayout(partButtons, 1, 4);
    partGrid->setColumnStretch(2, 3);

    DBGrid1 = new ListGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setSortable(false);
    DBGrid1->setColumns({{QStringLiteral("txm"), QStringLiteral("编码"), 110},
                         {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 200},
                         {QStringLiteral("dw"), QStringLiteral("单位"), 45, Qt::AlignHCenter},
                         {QStringLiteral("kc"), QStringLiteral("当前库存"), 75},
                         {QStringLiteral("xs"), words.coefficientTitle, 75},
                         {QStringLiteral("sl"), words.quantityTitle, 90}});

    auto *fields = new QVBoxLayout;
    fields->addWidget(wholeBox);
    fields->addWidget(partBox);
    fields->addWidget(DBGrid1, 1);
    setFields(fields, words.action, QStringLiteral("取消"));
    connect(BitBtn1, &QPushButton::clicked, this, &RecipeWindow::BitBtn1Click);
    connect(SB1, &QPushButton::clicked, this, &RecipeWindow::SB1Click);
    connect(SB2, &QPushButton::clicked, this, &RecipeWindow::SB2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &RecipeWindow::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &RecipeWindow::SpeedButton2Click);
    // Typing a code looks the article up; the picker's filling does not.
    connect(txm1, &QLineEdit::textEdited, this, &RecipeWindow::txm1Change);
    connect(txm2, &QLineEdit::textEdited, this, &RecipeWindow::txm2Change);

    enterAlong({{txm1,
                 [this] {
                     if (ppgg1->text().isEmpty())
                         SpeedButton1Click();
                     else
                         quantity->setFocus();
                 }},
                {quantity, [this] { txm2->setFocus(); }},
                {txm2,
                 [this] {
                     if (ppgg2->text().isEmpty())
                         SpeedButton2Click();
                     else
                         coefficient->setFocus();
                 }},
                {coefficient, [this] { SB1->click(); }}});

    // As opened: nothing chosen, quantity 1, coefficient 0.
    clearWhole();
    clearPart();
    connect(quantity, &QLineEdit::textChanged, this, &RecipeWindow::quantityChange);
    // An emptied quantity becomes "1" (selected, so that the next digit
    // replaces it), an emptied coefficient "0".
    quantity->setRules(NumberEdit::TidyOnLeave);
    connect(quantity, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (!text.trimmed().isEmpty())
            return;
        quantity->setText(QStringLiteral("1"));
        quantity->selectAll();
    });
    resize(760, 520);
    txm1->setFocus();
}

void RecipeWindow::clearWhole()
{
    txm1->clear();
    setWhole(0, QString(), QString(), Decimal());
    quantity->setText(QStringLiteral("1"));
}

void RecipeWindow::clearPart()
{
    txm2->clear();
    setPart(0, QString(), QString(), Decimal());
    coefficient->setText(QStringLiteral("0"));
}

void RecipeWindow::setWhole(qint64 id, const QString &name, const QString &unit,
                            const Decimal &stock)
{
    spid1 = id;
    ppgg1->setText(name);
    dw1->setText(unit);
    kcsl1->setText(stock.toShortest());
    if (spid1 > 0) {
        // The recipe's quantities follow the quantity entered.
        const stocktools::RecipeOutcome o =
            stocktools::setQuantity(m_context.DM1.ADOC1(), m_descriptor, spid1, quantity->text());
        if (o.severity == Severity::Error)
            showOutcome(this, o);
        showRecipe();
    }
}

void RecipeWindow::setPart(qint64 id, const QString &name, const QString &unit,
                           const Decimal &stock)
{
    spid2 = id;
    ppgg2->setText(name);
    dw2->setText(unit);
    kcsl2->setText(stock.toShortest());
}

void RecipeWindow::showRecipe()
{
    try {
        DBGrid1->open(m_context.DM1.ADOC1(), stocktools::recipeStatement(m_descriptor), {spid1});
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
}

void RecipeWindow::txm1Change()
{
    if (sao != QStringLiteral("sao"))
        return;
    try {
        const auto g = documents::findGoodsByCode(m_context.DM1.ADOC1(), txm1->text());
        if (g)
            setWhole(g->id, g->ppgg, g->dw, g->kcsl);
        else
            setWhole(0, QString(), QString(), Decimal());
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
}

void RecipeWindow::txm2Change()
{
    if (sao != QStringLiteral("sao"))
        return;
    try {
        const auto g = documents::findGoodsByCode(m_context.DM1.ADOC1(), txm2->text());
        if (g)
            setPart(g->id, g->ppgg, g->dw, g->kcsl);
        else
            setPart(0, QString(), QString(), Decimal());
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
}

void RecipeWindow::quantityChange()
{
    if (spid1 <= 0)
        return;
    // A text that is not yet a number (a lone ".") waits for the next key.
    const stocktools::RecipeOutcome o =
        stocktools::setQuantity(m_context.DM1.ADOC1(), m_descriptor, spid1, quantity->text());
    if (o.severity == Severity::Error && !o.ok()) {
        showOutcome(this, o);
        return;
    }
    if (o.ok())
        showRecipe();
}

void RecipeWindow::openPicker(const QString &caption, const QString &mode)
{
    ModalDialog<TFsp3> picker(new TFsp3(m_context, *this, this));
    picker->setWindowTitle(caption);
    picker->setMode(mode);
    setSao(QStringLiteral("xuan"));
    picker.exec();
}

void RecipeWindow::SpeedButton1Click()
{
    openPicker(QStringLiteral("选择整件"), m_words.wholeMode);
}

void RecipeWindow::SpeedButton2Click()
{
    openPicker(QStringLiteral("选择零件"), m_words.partMode);
}

void RecipeWindow::fillGoodsFields(const QString &mode, const goods::Article &a)
{
    if (mode == m_words.wholeMode) {
        txm1->setText(a.txm);
        setWhole(a.id, a.ppgg, a.dw, a.kcsl);
    } else if (mode == m_words.partMode) {
        txm2->setText(a.txm);
        setPart(a.id, a.ppgg, a.dw, a.kcsl);
    }
}

void RecipeWindow::focusField(stocktools::RecipeField field)
{
    using F = stocktools::RecipeField;
    switch (field) {
    case F::WholeCode: txm1->setFocus(); break;
    case F::Quantity: quantity->setFocus(); break;
    case F::PartCode: txm2->setFocus(); break;
    case F::Coefficient: coefficient->setFocus(); break;
    case F::None: break;
    }
}

void RecipeWindow::SB1Click()
{
    quantity->tidy();
    coefficient->tidy();
    const stocktools::RecipeOutcome o = stocktools::addPart(
        m_context.DM1.ADOC1(), m_descriptor, spid1, quantity->text(), spid2, coefficient->text());
    if (!showOutcome(this, o)) {
        focusField(o.focus);
        return;
    }
    showRecipe();
    clearPart();
    txm2->setFocus();
}

void RecipeWindow::SB2Click()
{
    if (!DBGrid1->isOpen() || DBGrid1->rowCount() == 0) {
        msg::warning(this, stocktools::nothingToRemoveMessage());
        return;
    }
    const qint64 part = DBGrid1->currentValue(QStringLiteral("spid2")).toLongLong();
    const stocktools::RecipeOutcome o =
        stocktools::removePart(m_context.DM1.ADOC1(), m_descriptor, spid1, part);
    if (!showOutcome(this, o))
        return;
    showRecipe();
}

void RecipeWindow::BitBtn1Click()
{
    quantity->tidy();
    const stocktools::RecipeOutcome o =
        stocktools::run(m_context.DM1.ADOC1(), m_descriptor, spid1, quantity->text());
    if (!showOutcome(this, o)) {
        focusField(o.focus);
        return;
    }
    // The recipe stays in sight with the stock it left; the whole is cleared
    // for the next one.
    try {
        DBGrid1->refresh();
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
    clearWhole();
    txm1->setFocus();
}
