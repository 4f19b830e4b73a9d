#include "windows/documents/Uxgmx1.h"

#include "core/db/Sql.h"
#include "ui/Outcomes.h"
#include "ui/Messages.h"
#include "ui/NumberEdit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TFxgmx1::TFxgmx1(const WindowContext &context, const documents::Descriptor &descriptor,
                 const QString &mode, const QString &number, documents::Mode documentMode,
                 std::vector<documents::Line> lines, int current, QWidget *parent)
    : TFxgmx1(context, descriptor, mode, number, documentMode, std::move(lines), current,
              Look{QStringLiteral("数量＜0：退货"), true}, parent)
{
}

TFxgmx1::TFxgmx1(const WindowContext &context, const documents::Descriptor &descriptor,
                 const QString &mode, const QString &number, documents::Mode documentMode,
                 std::vector<documents::Line> lines, int current, const Look &look,
                 QWidget *parent)
    : FormDialog(parent),
      m_context(context),
      m_d(descriptor),
      ST1(mode),
      m_number(number),
      m_documentMode(documentMode),
      m_lines(std::move(lines)),
      m_current(current)
{
    const auto readOnly = [this](const QString &name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(name);
        e->setReadOnly(true);
        return e;
    };
    txm = readOnly(QStringLiteral("txm"));
    ppgg = readOnly(QStringLiteral("ppgg"));
    dw = readOnly(QStringLiteral("dw"));
    je = readOnly(QStringLiteral("je"));
    jg = new NumberEdit(this, false, NumberEdit::EmptyBecomesZero);
    jg->setObjectName(QStringLiteral("jg"));
    jg->setReadOnly(!look.priceEditable);
    sl = new NumberEdit(this, true, NumberEdit::EmptyBecomesZero);
    sl->setObjectName(QStringLiteral("sl"));

    auto *form = new QFormLayout;
    const auto row = [&](const QString &caption, QWidget *field) {
        auto *l = new QLabel(caption, this);
        l->setBuddy(field);
        form->addRow(l, field);
    };
    row(QStringLiteral("编码"), txm);
    row(QStringLiteral("商品名称"), ppgg);
    row(QStringLiteral("单位"), dw);
    row(QStringLiteral("单价"), jg);
    auto *quantityRow = new QHBoxLayout;
    quantityRow->addWidget(sl);
    quantityRow->addWidget(new QLabel(look.quantityNote, this));
    auto *quantityLabel = new QLabel(QStringLiteral("数量"), this);
    quantityLabel->setBuddy(sl);
    form->addRow(quantityLabel, quantityRow);
    row(QStringLiteral("金额"), je);

    // The navigator `DBN1`: first, prior, next, last.
    const auto navButton = [this](const QString &name, const QString &tip, Qt::ArrowType arrow) {
        auto *b = new QToolButton(this);
        b->setObjectName(name);
        b->setArrowType(arrow);
        b->setToolTip(tip);
        b->setAccessibleName(tip);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    first = navButton(QStringLiteral("first"), QStringLiteral("首条"), Qt::UpArrow);
    prior = navButton(QStringLiteral("prior"), QStringLiteral("上一条"), Qt::LeftArrow);
    next = navButton(QStringLiteral("next"), QStringLiteral("下一条"), Qt::RightArrow);
    last = navButton(QStringLiteral("last"), QStringLiteral("末条"), Qt::DownArrow);
    connect(first, &QToolButton::clicked, this, [this] { moveTo(0); });
    connect(prior, &QToolButton::clicked, this, [this] { moveTo(m_current - 1); });
    connect(next, &QToolButton::clicked, this, [this] { moveTo(m_current + 1); });
    connect(last, &QToolButton::clicked, this, [this] { moveTo(int(m_lines.size()) - 1); });

    // The navigator sits at the left of the buttons.
    QHBoxLayout *buttons = setFields(form).buttonRow();
    int at = 0;
    for (QToolButton *b : {first, prior, next, last})
        buttons->insertWidget(at++, b);
    connect(BitBtn1, &QPushButton::clicked, this, &TFxgmx1::BitBtn1Click);

    connect(jg, &QLineEdit::textChanged, this, &TFxgmx1::recomputeAmount);
    connect(sl, &QLineEdit::textChanged, this, &TFxgmx1::recomputeAmount);

    // Enter leads to the first field that can be changed; in the quantity
    // (and the amount) it saves.
    QWidget *const firstEditable = look.priceEditable ? static_cast<QWidget *>(jg) : sl;
    const auto toFirstEditable = [firstEditable] { firstEditable->setFocus(); };
    enterAlong({{txm, toFirstEditable},
                {ppgg, toFirstEditable},
                {dw, toFirstEditable},
                {jg, [this] { sl->setFocus(); }},
                {sl, [this] { BitBtn1->click(); }},
                {je}});

    fillFromLine();
    sl->setFocus();
}

void TFxgmx1::fillFromLine()
{
    if (m_lines.empty())
        return;
    const documents::Line &l = m_lines[size_t(m_current)];
    txm->setText(l.txm);
    ppgg->setText(l.ppgg);
    dw->setText(l.dw);
    jg->setText(l.jg.toShortest());
    sl->setText(l.sl.toShortest());
    je->setText(l.je.toFixed2());
}

void TFxgmx1::recomputeAmount()
{
    const Decimal amount = Decimal::parse(jg->text()) * Decimal::parse(sl->text());
    if (amount.isValid())
        je->setText(amount.toFixed2());
}

void TFxgmx1::moveTo(int index)
{
    if (m_lines.empty())
        return;
    m_current = std::clamp(index, 0, int(m_lines.size()) - 1);
    fillFromLine();
}

void TFxgmx1::BitBtn1Click()
{
    if (m_lines.empty())
        return;
    jg->setText(decimaltext::rewriteTo2IfLonger(jg->text()));
    sl->setText(decimaltext::rewriteTo2IfLonger(sl->text()));
    const documents::Outcome out = documents::editLine(
        m_context.DM1.ADOC1(), m_d, m_number, m_lines[size_t(m_current)].id, jg->text(), sl->text());
    if (!out.ok()) {
        showOutcome(this, out);
        if (out.focus == documents::Field::Quantity)
            sl->setFocus();
        else if (out.focus == documents::Field::Price)
            jg->setFocus();
        return;
    }
    msg::info(this, m_d.lineEdited);
    // Read the lines again: the stored line is what the next visit shows.
    try {
        const int keep = m_current;
        m_lines = documents::lineSet(m_context.DM1.ADOC1(), m_d, m_number, m_documentMode);
        m_current = std::min(keep, int(m_lines.size()) - 1);
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
    moveTo(m_current + 1);
}
