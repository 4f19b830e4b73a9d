#include "windows/documents/DocumentWindow.h"

#include "core/db/Udm1.h"
#include "core/db/Dates.h"
#include "core/db/Snapshot.h"
#include "core/db/Sql.h"
#include "report/GoodsVoucher.h"
#include "windows/documents/HeldDocumentPicker.h"
#include "windows/masterdata/Uyg2.h"
#include "ui/ReportPrinting.h"
#include "ui/Outcomes.h"
#include "windows/documents/Uxgmx1.h"
#include "ui/FocusChain.h"
#include "ui/KeyPreview.h"
#include "ui/ListGrid.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/NumberEdit.h"
#include "ui/PickerField.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using documents::Field;
using documents::Mode;

namespace {

// The document's lines as the grid shows them.
Snapshot linesSnapshot(const std::vector<documents::Line> &lines)
{
    QStringList columns{QStringLiteral("id"), QStringLiteral("txm"), QStringLiteral("ppgg"),
                        QStringLiteral("dw"), QStringLiteral("sl"),  QStringLiteral("jg"),
                        QStringLiteral("je")};
    std::vector<QVariant> cells;
    cells.reserve(lines.size() * size_t(columns.size()));
    for (const documents::Line &l : lines) {
        cells.emplace_back(l.id);
        cells.emplace_back(l.txm);
        cells.emplace_back(l.ppgg);
        cells.emplace_back(l.dw);
        cells.emplace_back(qlonglong(l.sl.units()));
        cells.emplace_back(qlonglong(l.jg.units()));
        cells.emplace_back(qlonglong(l.je.units()));
    }
    return Snapshot(std::move(columns), std::move(cells));
}

QLineEdit *readOnlyField(QWidget *parent, const QString &name)
{
    // Greyed by the program's look, as every read-only field is.
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    return e;
}

}  // namespace

report::Form goodsVoucher(GoodsVoucherForm form, const ShopRecord &shop,
                          const PrintedDocument &doc, Snapshot lines)
{
    GoodsVoucherDocument g;
    g.number = doc.number;
    g.date = doc.date;
    g.partner = doc.partner;
    g.remark = doc.remark;
    g.handler = doc.handler;
    g.preparedBy = doc.preparedBy;
    g.totalQuantity = doc.totalQuantity;
    g.totalAmount = doc.totalAmount;
    form.fill(shop, g, std::move(lines));
    return report::Form(std::move(form));
}

DocumentWindow::DocumentWindow(const WindowContext &context, const DocumentWords &words,
                               QWidget *parent)
    : ChildWindow(words.newTitle, parent),
      m_context(context),
      m_words(words),
      m_d(documents::descriptor(words.kind)),
      m_today([] { return QDate::currentDate(); })
{
    buildFields();
    buildKeys();
    newDocument();
}

template <class Field>
Field *DocumentWindow::keptOff(Field *field)
{
    if (!field->parentWidget())
        m_keptOff.emplace_back(field);
    return field;
}

DocumentWindow::~DocumentWindow()
{
    if (m_goodsPicker)
        m_goodsPicker->close();
}

void DocumentWindow::buildFields()
{
    auto *typeLabel = new QLabel(m_words.typeCaption, this);
    QFont big = typeLabel->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    typeLabel->setFont(big);
    ztbj = new QLabel(QStringLiteral("新增"), this);
    ztbj->setObjectName(QStringLiteral("ztbj"));
    shbj = new QLabel(QStringLiteral("未审核"), this);
    shbj->setObjectName(QStringLiteral("shbj"));
    shbj->setStyleSheet(QStringLiteral("color: #b00000;"));

    dh = readOnlyField(this, QStringLiteral("dh"));
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    jsr = readOnlyField(this, QStringLiteral("jsr"));
    // The partner and the amount fields carry the kind's column names.
    kh = m_words.partnerTyped ? new QLineEdit(this) : readOnlyField(this, QString());
    kh->setObjectName(m_d.partnerColumn);
    kh->setToolTip(m_words.partnerHint);
    const bool money = m_d.carriesMoney();
    // Fields the window never shows are kept off it: the window is what a
    // screen reader lists, and these would be nameless text there.
    QWidget *const amounts = money ? this : nullptr;
    yhe = keptOff(new NumberEdit(amounts, true,
                                 NumberEdit::EmptyBecomesZero | NumberEdit::TidyOnLeave));
    yhe->setObjectName(QStringLiteral("yhe"));
    yhe->setToolTip(m_words.roundingHint);
    yse = keptOff(readOnlyField(amounts, money ? m_d.dueColumn : QStringLiteral("yse")));
    yse->setToolTip(m_words.dueHint);
    sse = keptOff(new NumberEdit(amounts, true,
                                 NumberEdit::EmptyBecomesZero | NumberEdit::TidyOnLeave));
    sse->setObjectName(money ? m_d.settledColumn : QStringLiteral("sse"));
    sse->setToolTip(m_words.settledHint);
    bz = new QLineEdit(this);
    bz->setObjectName(QStringLiteral("bz"));
    if (!m_words.explanation.isEmpty()) {
        sm = readOnlyField(this, QStringLiteral("sm"));
        sm->setText(m_words.explanation);
    }

    txm = new QLineEdit(this);
    txm->setObjectName(QStringLiteral("txm"));
    ppgg = readOnlyField(this, QStringLiteral("ppgg"));
    dw = keptOff(new QLineEdit);
    dw->setObjectName(QStringLiteral("dw"));
    jg = new NumberEdit(this, false, NumberEdit::EmptyBecomesZero | NumberEdit::TidyOnLeave);
    jg->setObjectName(QStringLiteral("jg"));
    kcsl = readOnlyField(this, QStringLiteral("kcsl"));
    kcsl->setToolTip(QStringLiteral("库存数量"));
    kcsl->setAccessibleName(QStringLiteral("库存数量"));
    sl = new NumberEdit(this, true, NumberEdit::EmptyBecomesZero | NumberEdit::TidyOnLeave);
    sl->setObjectName(QStringLiteral("sl"));
    sl->setToolTip(m_words.quantityHint);
    cbjg = keptOff(new QLineEdit);
    cbjg->setObjectName(QStringLiteral("cbjg"));
    hjsl = readOnlyField(this, QStringLiteral("hjsl"));
    hjje = readOnlyField(this, QStringLiteral("hjje"));

    // The three fields filled from a picker, each with its "…" button.
    auto *handlerField =
        new PickerField(jsr, QStringLiteral("SpeedButton1"), QStringLiteral("选择经办人"), this);
    auto *partnerField =
        new PickerField(kh, QStringLiteral("SpeedButton2"), m_words.partnerPickerHint, this);
    auto *codeField =
        new PickerField(txm, QStringLiteral("SpeedButton3"), QStringLiteral("选择商品"), this);
    SpeedButton1 = handlerField->button();
    SpeedButton2 = partnerField->button();
    SpeedButton3 = codeField->button();
    connect(SpeedButton1, &QToolButton::clicked, this, &DocumentWindow::pickHandler);
    connect(SpeedButton2, &QToolButton::clicked, this, &DocumentWindow::pickPartner);
    connect(SpeedButton3, &QToolButton::clicked, this, &DocumentWindow::openGoodsPicker);

    const auto labelled = [this](const QString &caption, QWidget *field) {
        auto *l = new QLabel(caption, this);
        l->setBuddy(field);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    const auto labelledPicker = [&labelled](const QString &caption, PickerField *field) {
        QLabel *l = labelled(caption, field->field());
        field->setLabel(l);
        return l;
    };

    auto *head = new QHBoxLayout;
    head->addWidget(ztbj);
    head->addStretch();
    head->addWidget(typeLabel);
    head->addStretch();
    head->addWidget(shbj);

    auto *fields = new QGridLayout;
    fields->addWidget(labelled(QStringLiteral("单号"), dh), 0, 0);
    fields->addWidget(dh, 0, 1);
    fields->addWidget(labelled(QStringLiteral("日期"), DateTimePicker1), 0, 2);
    fields->addWidget(DateTimePicker1, 0, 3);
    fields->addWidget(labelledPicker(QStringLiteral("经办人"), handlerField), 0, 4);
    fields->addWidget(handlerField, 0, 5);
    fields->addWidget(labelledPicker(m_words.partnerLabel, partnerField), 0, 6);
    fields->addWidget(partnerField, 0, 7);
    if (money) {
        fields->addWidget(labelled(QStringLiteral("抹零额"), yhe), 1, 0);
        fields->addWidget(yhe, 1, 1);
        fields->addWidget(labelled(m_words.dueLabel, yse), 1, 2);
        fields->addWidget(yse, 1, 3);
        fields->addWidget(labelled(m_words.settledLabel, sse), 1, 4);
        fields->addWidget(sse, 1, 5);
        fields->addWidget(labelled(QStringLiteral("备注"), bz), 1, 6);
        fields->addWidget(bz, 1, 7);
    } else {
        // No money changes hands: no amount fields.
        fields->addWidget(labelled(QStringLiteral("备注"), bz), 1, 0);
        fields->addWidget(bz, 1, 1, 1, 3);
    }
    if (sm) {
        fields->addWidget(labelled(m_words.explanationLabel, sm), 1, 4);
        fields->addWidget(sm, 1, 5, 1, 3);
    }
    fields->addWidget(labelledPicker(QStringLiteral("编码"), codeField), 2, 0);
    fields->addWidget(codeField, 2, 1);
    fields->addWidget(labelled(QStringLiteral("品名"), ppgg), 2, 2);
    fields->addWidget(ppgg, 2, 3, 1, 3);
    fields->addWidget(labelled(QStringLiteral("单价"), jg), 2, 6);
    fields->addWidget(jg, 2, 7);
    fields->addWidget(labelled(QStringLiteral("库存"), kcsl), 3, 4);
    fields->addWidget(kcsl, 3, 5);
    fields->addWidget(labelled(QStringLiteral("数量"), sl), 3, 6);
    fields->addWidget(sl, 3, 7);
    for (int c : {1, 3, 5, 7})
        fields->setColumnStretch(c, 1);

    DBGrid1 = new ListGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setToolTip(QStringLiteral("双点列表可修改明细"));
    // A document's lines are shown in the order they were entered: the line
    // editor steps through them in that order.
    DBGrid1->setSortable(false);
    DBGrid1->setColumns({{QStringLiteral("txm"), QStringLiteral("编码"), 110},
                         {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 240},
                         {QStringLiteral("dw"), QStringLiteral("单位"), 60},
                         {QStringLiteral("sl"), QStringLiteral("数量"), 80},
                         {QStringLiteral("jg"), QStringLiteral("单价"), 80},
                         {QStringLiteral("je"), QStringLiteral("金额"), 90}});
    DBGrid1->setRowRule([](const GridRow &row) {
        RowLook look;
        if (row.decimal(QStringLiteral("sl")).isNegative())
            look.text = QColor(Qt::red);
        return look;
    });
    connect(DBGrid1, &ListGrid::rowChosen, this, &DocumentWindow::SB3Click);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("删除明细"), this, &DocumentWindow::SB2Click);
        menu.exec(DBGrid1->viewport()->mapToGlobal(at));
    });

    auto *totals = new QHBoxLayout;
    totals->addStretch();
    totals->addWidget(labelled(QStringLiteral("总数量:"), hjsl));
    totals->addWidget(hjsl);
    totals->addWidget(labelled(QStringLiteral("总金额:"), hjje));
    totals->addWidget(hjje);

    const auto button = [this](const QString &name, const QString &caption, const QString &tip,
                               std::function<void()> action) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, std::move(action));
        return b;
    };
    BB1 = button(QStringLiteral("BB1"), QStringLiteral("开单-F5"), QStringLiteral("新增单据"),
                 [this] { BB1Click(); });
    BB2 = button(QStringLiteral("BB2"), QStringLiteral("取单-F6"), QStringLiteral("打开挂单"),
                 [this] { BB2Click(); });
    BB3 = button(QStringLiteral("BB3"), m_words.printCaption, m_words.printHint,
                 [this] { BB3Click(); });
    BB4 = button(QStringLiteral("BB4"), QStringLiteral("结单-F8"),
                 QStringLiteral("正式保存并审核，收款，过帐"), [this] { BB4Click(); });
    BB5 = button(QStringLiteral("BB5"), QStringLiteral("挂单-F9"),
                 QStringLiteral("临时保存不审核，不收款，不过帐"), [this] { BB5Click(); });
    if (m_words.printAndFinalize)
        BB31 = button(QStringLiteral("BB31"), QStringLiteral("打印结单"),
                      QStringLiteral("打印并结单"), [this] { BB31Click(); });
    BB6 = button(QStringLiteral("BB6"), QStringLiteral("关闭-ESC"), QString(), [this] { close(); });

    const auto lineButton = [this](const QString &name, const QString &tip,
                                   void (DocumentWindow::*slot)()) {
        auto *b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(name == QStringLiteral("SB1")   ? QStringLiteral("F10")
                   : name == QStringLiteral("SB2") ? QStringLiteral("F11")
                                                   : QStringLiteral("F12"));
        b->setToolTip(tip);
        b->setAccessibleName(tip);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, slot);
        return b;
    };
    SB1 = lineButton(QStringLiteral("SB1"), QStringLiteral("新增明细"), &DocumentWindow::SB1Click);
    SB2 = lineButton(QStringLiteral("SB2"), QStringLiteral("删除明细"), &DocumentWindow::SB2Click);
    SB3 = lineButton(QStringLiteral("SB3"), QStringLiteral("修改明细"), &DocumentWindow::SB3Click);

    auto *lineButtons = new QVBoxLayout;
    lineButtons->addWidget(SB1);
    lineButtons->addWidget(SB2);
    lineButtons->addWidget(SB3);
    lineButtons->addStretch();
    auto *gridRow = new QHBoxLayout;
    gridRow->addWidget(DBGrid1, 1);
    gridRow->addLayout(lineButtons);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {BB1, BB2, BB3, BB4, BB5, BB31, BB6}) {
        if (b)
            buttons->addWidget(b);
    }
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(fields);
    layout->addLayout(gridRow, 1);
    layout->addLayout(totals);
    layout->addLayout(buttons);

    connect(txm, &QLineEdit::textChanged, this, &DocumentWindow::txmChange);
    connect(yhe, &QLineEdit::textChanged, this, &DocumentWindow::roundingChanged);
    connect(hjje, &QLineEdit::textChanged, this, &DocumentWindow::recomputeDue);
    // The amount received follows the amount due.
    connect(yse, &QLineEdit::textChanged, sse, &QLineEdit::setText);

    jsr->installEventFilter(this);
    kh->installEventFilter(this);

    auto *chain = new FocusChain(this);
    chain->then(dh, [this] { jsr->setFocus(); })
        .then(DateTimePicker1, [this] { jsr->setFocus(); })
        .then(jsr, [this] {
            if (jsr->text().trimmed().isEmpty())
                pickHandler();
            else
                kh->setFocus();
        })
        .then(kh, [this] {
            if (kh->text().trimmed().isEmpty())
                pickPartner();
            else
                txm->setFocus();
        })
        .then(txm, [this] {
            if (ppgg->text().trimmed().isEmpty())
                openGoodsPicker();
            else
                sl->setFocus();
        })
        .then(ppgg, [this] { sl->setFocus(); })
        .then(jg, [this] {
            if (m_words.priceEnterAddsLine)
                SB1Click();
            else
                sl->setFocus();
        })
        .then(sl, [this] { SB1Click(); })
        .then(yhe, [this] { bz->setFocus(); })
        .then(yse, [this] { bz->setFocus(); })
        .then(sse, [this] { bz->setFocus(); })
        .then(bz, [this] {
            if (m_words.remarkEnterFinalizes)
                BB4Click();
            else
                txm->setFocus();
        });

    setTabOrder(jsr, kh);
    setTabOrder(kh, txm);
    setTabOrder(txm, jg);
    setTabOrder(jg, sl);
    if (money) {
        setTabOrder(sl, yhe);
        setTabOrder(yhe, sse);
        setTabOrder(sse, bz);
    } else {
        setTabOrder(sl, bz);
    }
    resize(900, 600);
}

void DocumentWindow::buildKeys()
{
    // The window sees these keys before its fields do, also while the main
    // window is not the active one.
    auto *preview = new KeyPreview(this);
    const std::pair<int, void (DocumentWindow::*)()> keys[] = {
        {Qt::Key_F5, &DocumentWindow::BB1Click},  {Qt::Key_F6, &DocumentWindow::BB2Click},
        {Qt::Key_F7, &DocumentWindow::BB3Click},  {Qt::Key_F8, &DocumentWindow::BB4Click},
        {Qt::Key_F9, &DocumentWindow::BB5Click},  {Qt::Key_F10, &DocumentWindow::SB1Click},
        {Qt::Key_F11, &DocumentWindow::SB2Click}, {Qt::Key_F12, &DocumentWindow::SB3Click},
    };
    for (const auto &[key, slot] : keys)
        preview->add(key, [this, slot = slot] { (this->*slot)(); });
}

bool DocumentWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && (watched == jsr || watched == kh)) {
        const QPointer<DocumentWindow> self(this);
        if (watched == jsr)
            pickHandler();
        else
            pickPartner();
        if (!self)  // the window went while the picker was open
            return true;
    }
    return ChildWindow::eventFilter(watched, event);
}

QString DocumentWindow::number() const
{
    return dh->text();
}

// ---- Fields -------------------------------------------------------------------

void DocumentWindow::txmChange()
{
    std::optional<documents::Goods> goods;
    try {
        goods = documents::findGoodsByCode(m_context.DM1.ADOC1(), txm->text());
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
    if (goods) {
        ppgg->setText(goods->ppgg);
        dw->setText(goods->dw);
        cbjg->setText(goods->kcjg.toShortest());
        jg->setText(documents::defaultPrice(m_d, *goods).toShortest());
        kcsl->setText(goods->kcsl.toShortest());
    } else {
        ppgg->clear();
        dw->clear();
        cbjg->setText(QStringLiteral("0"));
        jg->setText(QStringLiteral("0"));
        kcsl->setText(QStringLiteral("0"));
    }
}

void DocumentWindow::roundingChanged()
{
    if (yhe->text().trimmed() == QStringLiteral("-"))
        yse->setText(hjje->text());
    else
        recomputeDue();
}

void DocumentWindow::recomputeDue()
{
    if (yhe->text().trimmed() == QStringLiteral("-"))
        return;
    // A text that is not a number leaves the amount due as it was; the save
    // reports it.
    const Decimal due = Decimal::parse(hjje->text()) - Decimal::parse(yhe->text());
    if (due.isValid())
        yse->setText(due.toShortest());
}

std::optional<Decimal> DocumentWindow::fieldValue(QLineEdit *field, const QString &caption)
{
    const Decimal v = documents::fieldNumber(field->text());
    if (!v.isValid()) {
        msg::info(this, documents::notANumberMessage(caption));
        field->setFocus();
        return std::nullopt;
    }
    return v;
}

// ---- Lines --------------------------------------------------------------------

void DocumentWindow::reloadLines()
{
    try {
        m_lines = documents::lineSet(m_context.DM1.ADOC1(), m_d, number(), m_mode);
    } catch (const DbError &e) {
        msg::error(this, e.message());
        m_lines.clear();
    }
    showLines();
}

void DocumentWindow::showLines()
{
    // The line that was current stays current; when it is gone, the line
    // that took its place.
    const std::optional<qint64> id = currentLineId();
    const int current = DBGrid1->currentRow();
    DBGrid1->openRows(linesSnapshot(m_lines));
    if (!(id && DBGrid1->selectWhere(QStringLiteral("id"), *id)) && current >= 0 &&
        current < DBGrid1->rowCount())
        DBGrid1->setCurrentRow(current);
    const documents::Totals t = documents::totalsOf(m_lines);
    hjsl->setText(t.quantity.toShortest());
    hjje->setText(t.amount.toShortest());
}

void DocumentWindow::clearEntryRow()
{
    txm->clear();  // clears name, unit, price, cost and stock through the look-up
}

void DocumentWindow::clearAmounts()
{
    yhe->setText(QStringLiteral("0"));
    yse->setText(QStringLiteral("0"));
    sse->setText(QStringLiteral("0"));
    hjsl->setText(QStringLiteral("0"));
    hjje->setText(QStringLiteral("0"));
}

void DocumentWindow::SB1Click()
{
    sl->tidy();
    jg->tidy();
    documents::LineInput in;
    in.txm = txm->text();
    in.ppgg = ppgg->text();
    in.dw = dw->text();
    in.quantity = sl->text();
    in.price = jg->text();
    in.unitCost = Decimal::parse(cbjg->text());
    if (!in.unitCost.isValid())
        in.unitCost = Decimal();
    documents::LineAdded added;
    added.outcome = {};
    try {
        added = documents::addLine(m_context.DM1.ADOC1(), m_d, number(), in);
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    if (!added.outcome.ok()) {
        showOutcome(added.outcome);
        return;
    }
    m_lines.push_back(added.line);
    showLines();
    DBGrid1->setCurrentRow(DBGrid1->rowCount() - 1);
    // The quantity stays for the next line.
    txm->setFocus();
    clearEntryRow();
}

void DocumentWindow::addChosenGoods(const documents::Goods &goods)
{
    const documents::LineAdded added =
        documents::addGoodsLine(m_context.DM1.ADOC1(), m_d, number(), goods);
    if (!added.outcome.ok()) {
        showOutcome(added.outcome);
        return;
    }
    m_lines.push_back(added.line);
    showLines();
    DBGrid1->setCurrentRow(DBGrid1->rowCount() - 1);
}

void DocumentWindow::SB2Click()
{
    const std::optional<qint64> id = currentLineId();
    if (m_lines.empty() || !id || lineIndexOf(*id) < 0) {
        msg::warning(this, QStringLiteral("没有明细可删除！"));
        return;
    }
    if (!msg::confirmOkCancel(this, QStringLiteral("确定要删除此明细么？")))
        return;
    const documents::Outcome out =
        documents::deleteLine(m_context.DM1.ADOC1(), m_d, number(), *id);
    if (!out.ok()) {
        showOutcome(out);
        return;
    }
    reloadLines();
}

std::optional<qint64> DocumentWindow::currentLineId() const
{
    const QVariant id = DBGrid1->currentValue(QStringLiteral("id"));
    if (!id.isValid())
        return std::nullopt;
    return id.toLongLong();
}

int DocumentWindow::lineIndexOf(qint64 id) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].id == id)
            return int(i);
    }
    return -1;
}

void DocumentWindow::SB3Click()
{
    // The line is the grid's current line, found by its id: what the grid
    // shows at a row need not be the line set's line at that index.
    const std::optional<qint64> id = currentLineId();
    const int current = id ? lineIndexOf(*id) : -1;
    if (m_lines.empty() || current < 0) {
        msg::warning(this, QStringLiteral("没有明细可修改！"));
        return;
    }
    ModalDialog<TFxgmx1> editor(
        m_words.lineEditor(m_context, number(), m_mode, m_lines, current, this));
    editor.exec();
    if (editor.gone())  // the window went while the editor was open
        return;
    // The totals follow the edited lines.
    reloadLines();
}

// ---- Documents ----------------------------------------------------------------

void DocumentWindow::setNumber(const QString &n)
{
    dh->setText(n);
    reloadLines();
}

bool DocumentWindow::applyNumber(const numbering::Result &next)
{
    switch (next.status) {
    case numbering::Result::Made:
        setNumber(next.number);
        return true;
    case numbering::Result::DailyLimit:
        msg::warning(this, numbering::dailyLimitMessage());
        // Closing from inside the constructor or a handler: once control returns.
        QTimer::singleShot(0, this, &QWidget::close);
        return false;
    case numbering::Result::Unreadable:
        msg::error(this, QStringLiteral("无法读取今天最后一张单据的序号，不能生成新单号！"));
        return false;
    case numbering::Result::Unchanged:
        reloadLines();
        return true;
    }
    return false;
}

void DocumentWindow::newDocument()
{
    m_mode = Mode::New;
    jsr->setFocus();
    setWindowTitle(m_words.newTitle);
    ztbj->setText(QStringLiteral("新增"));
    DateTimePicker1->setDate(m_today());
    jsr->clear();
    kh->clear();
    bz->clear();
    clearEntryRow();
    sl->setText(QStringLiteral("0"));
    clearAmounts();
    try {
        if (applyNumber(
                numbering::nextOfToday(m_context.DM1.ADOC1(), m_d.numberingKind, m_today())))
            tellOfLinesFound();
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
}

void DocumentWindow::tellOfLinesFound()
{
    // Lines entered under this number before the program stopped: they are
    // shown, and saved with the document unless the operator removes them.
    if (m_mode != Mode::New || m_lines.empty())
        return;
    msg::info(this, QStringLiteral("单号%1下有上次未保存的明细%2条，已列入本单，请核对！"
                                   "不需要时可删除明细或按F5重新开单。")
                        .arg(number())
                        .arg(m_lines.size()));
}

void DocumentWindow::BB1Click()
{
    const documents::Outcome out = documents::abandon(m_context.DM1.ADOC1(), m_d, number());
    if (!out.ok()) {
        showOutcome(out);
        return;
    }
    newDocument();
}

void DocumentWindow::BB2Click()
{
    ModalDialog<HeldDocumentPicker> picker(m_words.heldPicker(m_context, this));
    picker->Edit2->setText(kh->text());
    picker->runQuery();
    if (picker.exec() != QDialog::Accepted)
        return;
    takeHeld(picker->chosenNumber());
}

void DocumentWindow::takeHeld(const QString &heldNumber)
{
    const documents::Taken taken =
        documents::takeHeld(m_context.DM1.ADOC1(), m_d, number(), heldNumber);
    if (!taken.outcome.ok()) {
        showOutcome(taken.outcome);
        return;
    }
    startEditMode(taken.header);
}

void DocumentWindow::startEditMode(const documents::Header &h)
{
    m_mode = Mode::Edit;
    setWindowTitle(m_words.editTitle);
    ztbj->setText(QStringLiteral("修改"));
    DateTimePicker1->setDate(h.rq);
    dh->setText(h.dh);
    kh->setText(h.partner);
    jsr->setText(h.jsr);
    bz->setText(h.bz);
    hjsl->setText(h.hjsl.toShortest());
    hjje->setText(h.hjje.toShortest());
    yhe->setText(h.yhe.toShortest());
    yse->setText(h.due.toShortest());
    sse->setText(h.settled.toShortest());
    reloadLines();
}

void DocumentWindow::showOutcome(const documents::Outcome &outcome)
{
    ::showOutcome(this, outcome);
    if (QWidget *w = fieldWidget(outcome.focus))
        w->setFocus();
}

QWidget *DocumentWindow::fieldWidget(Field field) const
{
    switch (field) {
    case Field::None:
        return nullptr;
    case Field::Handler:
        return jsr;
    case Field::Partner:
        return kh;
    case Field::Goods:
        return m_words.goodsRefusalFocusesCode ? txm : ppgg;
    case Field::Quantity:
        return sl;
    case Field::Price:
        return jg;
    case Field::Rounding:
        return yhe;
    case Field::Settled:
        return sse;
    }
    return nullptr;
}

void DocumentWindow::save(documents::SaveAs as)
{
    yhe->tidy();
    sse->tidy();
    documents::HeaderInput h;
    h.date = DateTimePicker1->date();
    h.partner = kh->text();
    h.handler = jsr->text();
    h.remark = bz->text();
    h.rounding = yhe->text();
    h.settled = sse->text();
    const documents::Saved saved = documents::save(m_context.DM1.ADOC1(), m_d, number(), m_mode,
                                                   h, as, m_context.session.STyhm1, m_today());
    if (!saved.outcome.ok()) {
        showOutcome(saved.outcome);
        return;
    }
    if (m_mode == Mode::Edit) {
        newDocument();
        return;
    }
    // The handler, the date and (but on a movement) the remark stay for the
    // next document.
    if (!m_words.remarkKeptAfterSave)
        bz->clear();
    kh->clear();
    kh->setFocus();
    clearAmounts();
    clearEntryRow();
    sl->setText(QStringLiteral("0"));
    jg->setText(QStringLiteral("0"));
    cbjg->setText(QStringLiteral("0"));
    if (applyNumber(saved.next))
        tellOfLinesFound();
}

void DocumentWindow::BB4Click()
{
    save(documents::SaveAs::Finalize);
}

void DocumentWindow::BB5Click()
{
    save(documents::SaveAs::Hold);
}

// ---- Printing -----------------------------------------------------------------

std::optional<PrintedDocument> DocumentWindow::printableDocument()
{
    if (m_lines.empty()) {
        msg::info(this, QStringLiteral("明细不可为空！"));
        return std::nullopt;
    }
    PrintedDocument doc = printedDocument();
    if (!m_d.carriesMoney())
        return doc;
    // The amounts are read once, by the tidy rules; the checks and the slip
    // use the same values, and a text that is not a number prints nothing.
    const auto rounding = fieldValue(yhe, QStringLiteral("抹零额"));
    if (!rounding)
        return std::nullopt;
    const auto due = fieldValue(yse, m_words.dueLabel);
    if (!due)
        return std::nullopt;
    const auto settled = fieldValue(sse, m_words.settledLabel);
    if (!settled)
        return std::nullopt;
    if (auto broken =
            documents::amountRuleBroken(m_d, {doc.totalAmount, *rounding, *due, *settled})) {
        msg::info(this, *broken);
        return std::nullopt;
    }
    doc.due = *due;
    doc.settled = *settled;
    return doc;
}

PrintedDocument DocumentWindow::printedDocument() const
{
    PrintedDocument doc;
    doc.number = number();
    doc.date = dates::toDbText(DateTimePicker1->date());
    doc.partner = kh->text();
    doc.remark = bz->text();
    doc.handler = jsr->text();
    doc.preparedBy = m_context.session.STyhm1;
    doc.totalQuantity = Decimal::parse(hjsl->text());
    doc.totalAmount = Decimal::parse(hjje->text());
    return doc;
}

report::Form DocumentWindow::printForm(const PrintedDocument &doc) const
{
    return m_words.printForm(m_context.DM1.ATdanwei1(), doc, linesSnapshot(m_lines));
}

void DocumentWindow::BB3Click()
{
    const std::optional<PrintedDocument> doc = printableDocument();
    if (!doc)
        return;
    report::Form form = printForm(*doc);
    form.setReportTitle(QStringLiteral("打印预览"));
    if (m_previewer)
        m_previewer(form);
    else
        report::preview(this, form);
}

void DocumentWindow::BB31Click()
{
    if (!m_words.printAndFinalize)
        return;
    const std::optional<PrintedDocument> doc = printableDocument();
    if (!doc)
        return;
    const report::Form form = printForm(*doc);
    // A document that could not be printed is not finalized either.
    const bool printed = m_printer ? m_printer(form) : report::printDirectly(this, form);
    if (!printed)
        return;
    BB4Click();
}

// ---- Pickers ------------------------------------------------------------------

void DocumentWindow::pickHandler()
{
    ModalDialog<TFyg2> picker(new TFyg2(m_context, this));
    picker->setChoiceTarget(m_words.pickerMode, PickTarget::fields(jsr));
    if (picker.exec() == QDialog::Accepted)
        kh->setFocus();
}

void DocumentWindow::pickPartner()
{
    if (!m_words.partnerPicker)
        return;
    ModalDialog<QDialog> picker(
        m_words.partnerPicker(m_context, m_words.pickerMode, kh, bz, this));
    if (picker.exec() == QDialog::Accepted)
        txm->setFocus();
}

void DocumentWindow::openGoodsPicker()
{
    // One picker beside the window, left open for further choices and
    // brought forward when asked for again.
    if (!m_goodsPicker) {
        m_goodsPicker = new TFsp2(m_context, this);
        m_goodsPicker->setWindowFlag(Qt::Window);
        m_goodsPicker->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_goodsPicker->setReceiver(this);
    m_goodsPicker->show();
    m_goodsPicker->raise();
    m_goodsPicker->activateWindow();
}

void DocumentWindow::receiveGoods(const goods::Article &a)
{
    documents::Goods g;
    g.id = a.id;
    g.lb = a.lb;
    g.txm = a.txm;
    g.ppgg = a.ppgg;
    g.dw = a.dw;
    g.jj = a.jj;
    g.xjpf = a.xjpf;
    g.xjls = a.xjls;
    g.kcsl = a.kcsl;
    g.kcjg = a.kcjg;
    g.kcje = a.kcje;
    addChosenGoods(g);
}

// ---- Closing ------------------------------------------------------------------

void DocumentWindow::closeEvent(QCloseEvent *event)
{
    // Unsaved lines of this document go; lines deleted from a held document
    // come back.
    const documents::Outcome out = documents::abandon(m_context.DM1.ADOC1(), m_d, number());
    if (!out.ok())
        showOutcome(out);
    Q_EMIT closing();
    if (m_goodsPicker)
        m_goodsPicker->close();
    ChildWindow::closeEvent(event);
}
