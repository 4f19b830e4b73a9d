#include "windows/settlements/SettlementWindows.h"

#include "core/db/Dates.h"
#include "report/forms/Udyfkd1.h"
#include "ui/ListWindow.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/NumberEdit.h"
#include "ui/Outcomes.h"
#include "ui/PickerField.h"
#include "ui/ReportPrinting.h"
#include "windows/masterdata/Uyg2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

const QColor kUnapprovedBackground(225, 255, 225);

void printList(QWidget *parent, const WindowContext &context, ListWindow &list,
               std::unique_ptr<report::ListForm> form, const QString &title,
               const std::vector<QString> &totals,
               const std::function<void(report::Form &)> &previewer)
{
    form->setHeading(context.DM1.ATdanwei1(), title);
    try {
        form->setDataset(list.grid()->rows().shownRows());
    } catch (const DbError &e) {
        msg::error(parent, e.message());
        return;
    }
    for (size_t i = 0; i < totals.size(); ++i)
        form->setTotal(int(i) + 1, totals[i]);
    if (previewer) {
        form->setReportTitle(u"打印预览"_s);
        previewer(*form);
    } else {
        report::preview(parent, *form);
    }
}

// Filters Enter-less events of a window's fields: a double click on a field
// runs its picker.
class DoubleClicks : public QObject
{
public:
    DoubleClicks(QObject *parent, std::vector<std::pair<QWidget *, std::function<void()>>> fields)
        : QObject(parent), m_fields(std::move(fields))
    {
        for (auto &f : m_fields)
            f.first->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            for (auto &f : m_fields) {
                if (f.first == watched) {
                    f.second();
                    return true;
                }
            }
        }
        return false;
    }

private:
    std::vector<std::pair<QWidget *, std::function<void()>>> m_fields;
};

QDateEdit *dateEdit(const QString &name, QWidget *parent)
{
    auto *d = new QDateEdit(parent);
    d->setObjectName(name);
    d->setDisplayFormat(u"yyyy-MM-dd"_s);
    d->setCalendarPopup(true);
    return d;
}

}  // namespace

// ---- OwedListWindow --------------------------------------------------------------

OwedListWindow::OwedListWindow(const WindowContext &context, const SettlementWords &words,
                               QWidget *parent)
    : SummedListWindow(parent),
      m_context(context),
      m_words(words),
      m_d(settlements::descriptor(words.side))
{
    setWindowTitle(words.owedCaption);
    setObjectName(words.owedObjectName);
    SB66 = addRowAction(u"查单"_s, u"SB66"_s, [this] { SB66Click(); });
    SB77 = addRowAction(u"查询"_s, u"SB77"_s, [this] { SB77Click(); });
    SB88 = addRowAction(u"打印"_s, u"SB88"_s, [this] { SB88Click(); });
    SB99 = addRowAction(u"导出"_s, u"SB99"_s, [this] { exportGrid(); });
    SB100 = addRowAction(u"关闭"_s, u"SB100"_s, [this] { closeWindow(); });
    onRowChosen([this] { SB66Click(); });
    setExportName(words.owedCaption);

    DBGrid1->setColumns(words.owedColumns);
    DBGrid1->setRowRule([](const GridRow &row) {
        RowLook look;
        if (row.decimal(u"qk"_s).isNegative())
            look.text = QColor(Qt::red);
        return look;
    });
    setSumPanels(5, {{u"qk"_s, 2}});
    // A payment or receipt applied elsewhere shows here too.
    showsTables(context.DM1.ADOC1(), {m_d.headerTable});
    resize(900, 520);
    showAll();
}

bool OwedListWindow::opened(bool ok)
{
    // The sums write their panels afresh; the hint stays beside them.
    setPanelText(4, u"默认显示全部数据"_s);
    return ok;
}

bool OwedListWindow::showAll()
{
    return opened(openList(m_context.DM1.ADOC1(), settlements::owedList(m_d)));
}

bool OwedListWindow::showFilter(const settlements::OwedFilter &filter)
{
    return opened(openList(m_context.DM1.ADOC1(), settlements::owedList(m_d, filter)));
}

void OwedListWindow::requery()
{
    SummedListWindow::requery();
    opened(true);
}

void OwedListWindow::SB66Click()
{
    if (!checkOpen())
        return;
    if (DBGrid1->rowCount() == 0 || DBGrid1->currentRow() < 0) {
        msg::warning(this, m_words.noneToView);
        return;
    }
    if (m_words.view)
        m_words.view(*this);
}

void OwedListWindow::SB77Click()
{
    if (!m_words.makeOwedQuery)
        return;
    ModalDialog<QueryDialog> dialog(m_words.makeOwedQuery(*this));
    dialog.exec();
}

void OwedListWindow::SB88Click()
{
    if (!checkOpen() || !m_words.owedPrintForm)
        return;
    printList(this, m_context, *this, m_words.owedPrintForm(), m_words.owedPrintTitle,
              {sumOf(u"qk"_s).toShortest()}, previewer);
}

// ---- OwedQueryDialog -------------------------------------------------------------

OwedQueryDialog::OwedQueryDialog(const SettlementWords &words, OwedListWindow &list)
    : QueryDialog(&list)
{
    setObjectName(words.owedQueryObjectName);
    Edit1 = addText(u"Edit1"_s, words.partnerQueryCaption);
    Edit2 = addText(u"Edit2"_s, u"员　　工"_s);
    Edit3 = addText(u"Edit3"_s, u"单　　号"_s);
    ComboBox1 = addChoice(u"ComboBox1"_s, u"类　型"_s, words.owedTypes);
    const DateRange r = addDateRange(u"CheckBox1"_s, u"日期从"_s, u"DateTimePicker1"_s, u"至"_s,
                                     u"DateTimePicker2"_s);
    CheckBox1 = r.check;
    DateTimePicker1 = r.from;
    DateTimePicker2 = r.to;
    enterRuns(Edit3);
    enterMovesTo(ComboBox1, Edit1);
    setFirstField(Edit1);
    setQuery([this, l = &list] { return l->showFilter(filter()); });
    finish();
}

settlements::OwedFilter OwedQueryDialog::filter() const
{
    settlements::OwedFilter f;
    f.partner = Edit1->text();
    f.handler = Edit2->text();
    f.number = Edit3->text();
    const int type = ComboBox1->currentIndex();
    f.balance = type == 1   ? settlements::Balance::Owed
                : type == 2 ? settlements::Balance::Refund
                            : settlements::Balance::Any;
    if (CheckBox1->isChecked()) {
        f.from = DateTimePicker1->date();
        f.to = DateTimePicker2->date();
    }
    return f;
}

// ---- MoneyListWindow -------------------------------------------------------------

std::function<QDate()> &MoneyListWindow::today()
{
    static std::function<QDate()> t = [] { return QDate::currentDate(); };
    return t;
}

MoneyListWindow::MoneyListWindow(const WindowContext &context, const SettlementWords &words,
                                 QWidget *parent)
    : SummedListWindow(parent),
      m_context(context),
      m_words(words),
      m_d(settlements::descriptor(words.side))
{
    setWindowTitle(words.moneyCaption);
    setObjectName(words.moneyObjectName);
    SB33 = addRowAction(u"反审"_s, u"SB33"_s, [this] { SB33Click(); }, u"反审核"_s, u"N2"_s);
    SB44 = addRowAction(u"新增"_s, u"SB44"_s, [this] { SB44Click(); });
    SB55 = addRowAction(u"修改"_s, u"SB55"_s, [this] { SB55Click(); }, u"修改"_s, u"N3"_s);
    SB66 = addRowAction(u"删除"_s, u"SB66"_s, [this] { SB66Click(); }, u"删除"_s, u"N1"_s);
    SB77 = addRowAction(u"查询"_s, u"SB77"_s, [this] { SB77Click(); });
    SB88 = addRowAction(u"打印"_s, u"SB88"_s, [this] { SB88Click(); });
    SB99 = addRowAction(u"导出"_s, u"SB99"_s, [this] { exportGrid(); });
    SB100 = addRowAction(u"关闭"_s, u"SB100"_s, [this] { closeWindow(); });
    onRowChosen([this] { browseClick(); });
    setExportName(words.moneyCaption);

    DBGrid1->setColumns(words.moneyColumns);
    DBGrid1->setRowRule([](const GridRow &row) {
        RowLook look;
        if (row.decimal(u"je"_s).isNegative())
            look.text = QColor(Qt::red);
        if (row.text(u"shbj"_s) == settlements::unapprovedState())
            look.background = kUnapprovedBackground;
        return look;
    });
    setSumPanels(3, {{u"je"_s, 2}});
    // Saving, un-approving and deleting show at once.
    showsTables(context.DM1.ADOC1(), {m_d.moneyTable});
    resize(900, 520);
    showDay(today()());
}

bool MoneyListWindow::showDay(const QDate &day)
{
    return openList(m_context.DM1.ADOC1(), settlements::moneyOfDay(m_d, day));
}

bool MoneyListWindow::showFilter(const settlements::MoneyFilter &filter)
{
    return openList(m_context.DM1.ADOC1(), settlements::moneyList(m_d, filter));
}

bool MoneyListWindow::current(const QString &noneMessage, settlements::MoneyRow &row)
{
    if (!checkOpen())
        return false;
    if (DBGrid1->rowCount() == 0) {
        msg::warning(this, noneMessage);
        return false;
    }
    if (DBGrid1->currentRow() < 0)
        DBGrid1->setCurrentRow(0);
    try {
        const auto found = settlements::readMoney(m_context.DM1.ADOC1(), m_d,
                                                  DBGrid1->currentValue(u"id"_s).toLongLong());
        if (!found) {
            msg::warning(this, u"本记录已不存在，请重新查询！"_s);
            return false;
        }
        row = *found;
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return false;
    }
    return true;
}

void MoneyListWindow::openWindow(const QString &mode, const settlements::MoneyRow *row)
{
    if (!m_words.makeMoneyWindow)
        return;
    ModalDialog<MoneyWindow> window(m_words.makeMoneyWindow(m_context, this));
    window->start(mode, row);
    window.exec();
}

void MoneyListWindow::SB33Click()
{
    settlements::MoneyRow row;
    if (!current(u"没有数据可反审，请先查询！"_s, row))
        return;
    if (row.shbj != settlements::approvedState()) {
        msg::warning(this, u"数据已经反审！"_s);
        return;
    }
    if (!msg::confirmOkCancel(this, u"确定要反审么？"_s))
        return;
    showOutcome(this, settlements::unapprove(m_context.DM1.ADOC1(), m_d, row.id));
}

void MoneyListWindow::SB44Click()
{
    openWindow(u"新增"_s, nullptr);
}

void MoneyListWindow::SB55Click()
{
    settlements::MoneyRow row;
    if (!current(u"没有数据可修改！"_s, row))
        return;
    if (row.shbj == settlements::approvedState()) {
        msg::warning(this, u"审核数据不可修改，请先反审核！"_s);
        return;
    }
    openWindow(u"修改"_s, &row);
}

void MoneyListWindow::browseClick()
{
    settlements::MoneyRow row;
    if (!current(u"没有数据可浏览！"_s, row))
        return;
    openWindow(u"浏览"_s, &row);
}

void MoneyListWindow::SB66Click()
{
    settlements::MoneyRow row;
    if (!current(u"没有数据可删除！"_s, row))
        return;
    if (!msg::confirmOkCancel(this, u"确定要删除此记录么？"_s))
        return;
    showOutcome(this, settlements::remove(m_context.DM1.ADOC1(), m_d, row.id).outcome);
}

void MoneyListWindow::SB77Click()
{
    if (!m_words.makeMoneyQuery)
        return;
    ModalDialog<QueryDialog> dialog(m_words.makeMoneyQuery(*this));
    dialog.exec();
}

void MoneyListWindow::SB88Click()
{
    if (!checkOpen() || !m_words.moneyPrintForm)
        return;
    printList(this, m_context, *this, m_words.moneyPrintForm(), m_words.moneyPrintTitle,
              {sumOf(u"je"_s).toShortest()}, previewer);
}

// ---- MoneyQueryDialog ------------------------------------------------------------

MoneyQueryDialog::MoneyQueryDialog(const SettlementWords &words, MoneyListWindow &list)
    : QueryDialog(&list)
{
    setObjectName(words.moneyQueryObjectName);
    Edit1 = addText(u"Edit1"_s, words.partnerQueryCaption);
    Edit2 = addText(u"Edit2"_s, u"员　　工"_s);
    Edit3 = addText(u"Edit3"_s, u"单　　号"_s);
    ComboBox1 = addChoice(u"ComboBox1"_s, u"审　核"_s, {u"全部"_s, u"未审核"_s, u"已审核"_s});
    ComboBox2 = addChoice(u"ComboBox2"_s, u"类　型"_s, words.moneyTypes);
    const DateRange r = addDateRange(u"CheckBox1"_s, u"日期从"_s, u"DateTimePicker1"_s, u"至"_s,
                                     u"DateTimePicker2"_s);
    CheckBox1 = r.check;
    DateTimePicker1 = r.from;
    DateTimePicker2 = r.to;
    enterRuns(Edit3);
    enterMovesTo(ComboBox1, ComboBox2);
    enterMovesTo(ComboBox2, Edit1);
    setFirstField(Edit1);
    setQuery([this, l = &list] { return l->showFilter(filter()); });
    finish();
}

settlements::MoneyFilter MoneyQueryDialog::filter() const
{
    settlements::MoneyFilter f;
    f.partner = Edit1->text();
    f.handler = Edit2->text();
    f.number = Edit3->text();
    const int approval = ComboBox1->currentIndex();
    f.approval = approval == 1   ? settlements::Approval::Unapproved
                 : approval == 2 ? settlements::Approval::Approved
                                 : settlements::Approval::All;
    const int type = ComboBox2->currentIndex();
    f.direction = type == 1   ? settlements::Direction::Settled
                  : type == 2 ? settlements::Direction::Refunded
                              : settlements::Direction::All;
    if (CheckBox1->isChecked()) {
        f.from = DateTimePicker1->date();
        f.to = DateTimePicker2->date();
    }
    return f;
}

// ---- MoneyWindow -----------------------------------------------------------------

MoneyWindow::MoneyWindow(const WindowContext &context, const SettlementWords &words,
                         QWidget *parent)
    : FormDialog(parent), m_context(context), m_words(words), m_d(settlements::descriptor(words.side))
{
    setObjectName(words.windowObjectName);
    auto *grid = new QGridLayout;
    int row = 0;
    const auto addField = [&](const QString &caption, QWidget *field, QWidget *shown = nullptr) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        field->setAccessibleName(caption);
        grid->addWidget(label, row, 0);
        grid->addWidget(shown ? shown : field, row, 1);
        ++row;
        return label;
    };
    const auto readOnly = [this](const QString &name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(name);
        e->setReadOnly(true);
        return e;
    };

    DateTimePicker1 = dateEdit(u"DateTimePicker1"_s, this);
    addField(u"日期"_s, DateTimePicker1);
    dh = new QLineEdit(this);
    dh->setObjectName(u"dh"_s);
    auto *dhPicker = new PickerField(dh, u"SpeedButton1"_s, u"选择欠款帐单"_s, this);
    SpeedButton1 = dhPicker->button();
    dhPicker->setLabel(addField(u"单号"_s, dh, dhPicker));
    partnerField = readOnly(m_d.partnerColumn);
    addField(words.partnerLabel, partnerField);
    qk = readOnly(u"qk"_s);
    addField(u"欠款"_s, qk);
    amount = new NumberEdit(this, true);
    amount->setObjectName(words.amountName);
    auto *amountRow = new QWidget(this);
    auto *amountLayout = new QHBoxLayout(amountRow);
    amountLayout->setContentsMargins(0, 0, 0, 0);
    amountLayout->addWidget(amount);
    auto *legend = new QLabel(words.legend, amountRow);
    legend->setStyleSheet(u"color: red"_s);
    amountLayout->addWidget(legend);
    addField(m_d.amountCaption, amount, amountRow);
    jsr = readOnly(u"jsr"_s);
    auto *jsrPicker = new PickerField(jsr, u"SpeedButton2"_s, u"选择经办人"_s, this);
    SpeedButton2 = jsrPicker->button();
    jsrPicker->setLabel(addField(u"经办人"_s, jsr, jsrPicker));
    bz = new QLineEdit(this);
    bz->setObjectName(u"bz"_s);
    addField(u"备注说明"_s, bz);
    dh->setMinimumWidth(220);

    FormFrame &f = setFields(grid);
    BitBtn1->setToolTip(u"保存并审核"_s);
    BitBtn3 = new QPushButton(u"打印"_s, this);
    BitBtn3->setObjectName(u"BitBtn3"_s);
    BitBtn3->setAutoDefault(false);
    f.buttonRow()->insertWidget(1, BitBtn3);
    connect(BitBtn1, &QPushButton::clicked, this, &MoneyWindow::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &MoneyWindow::BitBtn3Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &MoneyWindow::chooseDocument);
    connect(SpeedButton2, &QToolButton::clicked, this, &MoneyWindow::pickHandler);
    connect(dh, &QLineEdit::textChanged, this, &MoneyWindow::lookUp);
    connect(amount, &QLineEdit::textChanged, this, [this](const QString &text) {
        // An emptied amount shows the side's zero.
        if (text.trimmed().isEmpty()) {
            const QSignalBlocker block(amount);
            amount->setText(m_words.emptiedAmount);
            amount->selectAll();
        }
    });
    amount->setRules(NumberEdit::TidyOnLeave);

    enterAlong({{dh,
                 [this] {
                     if (partnerField->text().trimmed().isEmpty())
                         chooseDocument();
                     else
                         partnerField->setFocus();
                 }},
                {partnerField, [this] { amount->setFocus(); }},
                {qk, [this] { amount->setFocus(); }},
                {DateTimePicker1},
                {amount},
                {jsr,
                 [this] {
                     if (jsr->text().trimmed().isEmpty())
                         pickHandler();
                     else
                         bz->setFocus();
                 }},
                {bz}});
    new DoubleClicks(this, {{dh, [this] { chooseDocument(); }}, {jsr, [this] { pickHandler(); }}});
    start(u"新增"_s);
}

void MoneyWindow::start(const QString &mode, const settlements::MoneyRow *row)
{
    ST1 = mode;
    const bool add = mode == u"新增"_s;
    setFormMode(add ? FormMode::Add : FormMode::Edit,
                add                     ? m_words.addCaption
                : mode == u"修改"_s ? m_words.editCaption
                                        : m_words.browseCaption);
    BitBtn1->setEnabled(mode != u"浏览"_s);
    m_id = row ? row->id : 0;
    if (!row) {
        DateTimePicker1->setDate(QDate::currentDate());
        dh->clear();
        partnerField->clear();
        qk->setText(u"0"_s);
        amount->setText(u"0"_s);
        jsr->clear();
        bz->clear();
    } else {
        DateTimePicker1->setDate(row->rq.isValid() ? row->rq : QDate::currentDate());
        dh->setText(row->dh);
        // What the row says, whatever the look-up found.
        partnerField->setText(row->partner);
        amount->setText(row->je.toShortest());
        jsr->setText(row->jsr);
        bz->setText(row->bz);
    }
    dh->setFocus();
}

void MoneyWindow::lookUp()
{
    std::optional<settlements::OwedDocument> doc;
    try {
        doc = settlements::findOwed(m_context.DM1.ADOC1(), m_d, dh->text().trimmed());
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
    partnerField->setText(doc ? doc->partner : QString());
    qk->setText(doc ? doc->qk.toShortest() : u"0"_s);
}

void MoneyWindow::setNumber(const QString &number)
{
    dh->setText(number);
}

QString MoneyWindow::partner() const
{
    return partnerField->text();
}

void MoneyWindow::focusOn(settlements::Field field)
{
    switch (field) {
    case settlements::Field::Number:
        dh->setFocus();
        break;
    case settlements::Field::Owed:
        qk->setFocus();
        break;
    case settlements::Field::Amount:
        amount->setFocus();
        break;
    case settlements::Field::Handler:
        jsr->setFocus();
        break;
    case settlements::Field::None:
        break;
    }
}

void MoneyWindow::BitBtn1Click()
{
    if (ST1 == u"浏览"_s)
        return;
    amount->tidy();
    const settlements::MoneyInput in{DateTimePicker1->date(), dh->text(), amount->text(),
                                     jsr->text(), bz->text()};
    const QSqlDatabase db = m_context.DM1.ADOC1();
    const settlements::Applied r = ST1 == u"修改"_s ? settlements::change(db, m_d, m_id, in)
                                                    : settlements::add(db, m_d, in);
    if (!showOutcome(this, r.outcome)) {
        focusOn(r.outcome.focus);
        return;
    }
    if (ST1 == u"修改"_s) {
        accept();
        return;
    }
    // Ready for the next one: the same date and handler.
    dh->clear();
    bz->clear();
    amount->setText(u"0"_s);
    dh->setFocus();
}

void MoneyWindow::BitBtn3Click()
{
    amount->tidy();
    TFdyfkd1 form;
    MoneyVoucherValues v;
    v.title = m_words.voucherTitle;
    v.partyCaption = m_words.voucherPartner;
    v.amountCaption = m_words.voucherAmount;
    v.party = partnerField->text();
    v.second = dh->text();
    v.amountText = amount->text();
    v.remark = bz->text();
    v.date = dates::toDbText(DateTimePicker1->date());
    v.handler = jsr->text();
    v.preparedBy = m_context.session.STyhm1;
    form.fill(m_context.DM1.ATdanwei1(), v);
    if (previewer) {
        form.setReportTitle(u"打印预览"_s);
        previewer(form);
    } else {
        report::preview(this, form);
    }
}

void MoneyWindow::chooseDocument()
{
    if (!m_words.makeChooser || ST1 == u"浏览"_s)
        return;
    ModalDialog<OwedChooser> chooser(m_words.makeChooser(m_context, *this));
    if (chooser.exec() == QDialog::Accepted)
        amount->setFocus();
}

void MoneyWindow::pickHandler()
{
    if (ST1 == u"浏览"_s)
        return;
    ModalDialog<TFyg2> picker(new TFyg2(m_context, this));
    picker->setChoiceTarget(m_words.pickerMode, PickTarget::fields(jsr));
    if (picker.exec() == QDialog::Accepted)
        bz->setFocus();
}

// ---- OwedChooser -----------------------------------------------------------------

OwedChooser::OwedChooser(const WindowContext &context, const SettlementWords &words,
                         MoneyWindow &window)
    : QDialog(&window),
      m_context(context),
      m_words(words),
      m_d(settlements::descriptor(words.side)),
      m_window(&window)
{
    setModal(true);
    setObjectName(words.chooserObjectName);
    setWindowTitle(words.chooserCaption);

    auto *filters = new QHBoxLayout;
    auto *partnerLabel = new QLabel(words.partnerLabel, this);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(u"Edit2"_s);
    Edit2->setAccessibleName(words.partnerLabel);
    partnerLabel->setBuddy(Edit2);
    CheckBox1 = new QCheckBox(u"日期"_s, this);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    DateTimePicker1 = dateEdit(u"DateTimePicker1"_s, this);
    DateTimePicker2 = dateEdit(u"DateTimePicker2"_s, this);
    DateTimePicker1->setAccessibleName(u"日期从"_s);
    DateTimePicker2->setAccessibleName(u"日期至"_s);
    filters->addWidget(partnerLabel);
    filters->addWidget(Edit2);
    filters->addWidget(CheckBox1);
    filters->addWidget(DateTimePicker1);
    filters->addWidget(DateTimePicker2);

    m_list = new ListWindow(this);
    m_list->addButton(u"查询"_s, [this] { chaClick(); }, u"cha"_s);
    m_list->addButton(u"选择"_s, [this] { xuanClick(); }, u"xuan"_s);
    m_list->addButton(u"关闭"_s, [this] { m_list->closeWindow(); }, u"guan"_s);
    ListGrid *g = m_list->grid();
    g->setColumns(words.chooserColumns);
    g->setRowRule([](const GridRow &row) {
        RowLook look;
        if (row.decimal(u"qk"_s).isNegative())
            look.text = QColor(Qt::red);
        return look;
    });
    connect(g, &ListGrid::rowChosen, this, &OwedChooser::xuanClick);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_list);
    resize(760, 420);

    // Enter in the partner queries; in the check box and the dates it moves on.
    connect(Edit2, &QLineEdit::returnPressed, this, &OwedChooser::chaClick);
    Edit2->setText(window.partner());
    DateTimePicker2->setDate(QDate::currentDate());
    DateTimePicker1->setDate(QDate::currentDate().addMonths(-1));
    CheckBox1->setChecked(false);
    chaClick();
}

ListGrid *OwedChooser::grid() const
{
    return m_list->grid();
}

void OwedChooser::chaClick()
{
    settlements::OwedFilter f;
    f.partner = Edit2->text();
    if (CheckBox1->isChecked()) {
        f.from = DateTimePicker1->date();
        f.to = DateTimePicker2->date();
    }
    m_list->query(m_context.DM1.ADOC1(), settlements::owedList(m_d, f));
    grid()->setFocus();
}

void OwedChooser::xuanClick()
{
    if (!grid()->isOpen() || grid()->rowCount() == 0) {
        msg::warning(this, u"没有帐单可选择！"_s);
        return;
    }
    if (grid()->currentRow() < 0)
        grid()->setCurrentRow(0);
    if (m_window)
        m_window->setNumber(grid()->currentValue(u"dh"_s).toString());
    accept();
}
