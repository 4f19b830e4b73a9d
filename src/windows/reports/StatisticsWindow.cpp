#include "windows/reports/StatisticsWindow.h"

#include "report/ReportBuilders.h"
#include "ui/BackgroundRead.h"
#include "ui/FocusChain.h"
#include "ui/Messages.h"
#include "ui/ReportPrinting.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

StatisticsWindow::StatisticsWindow(const WindowContext &context, const StatisticsWords &words,
                                   QWidget *parent)
    : ListWindow(parent),
      m_context(context),
      m_words(words),
      m_today([] { return QDate::currentDate(); }),
      m_sums(words.sumColumns.size())
{
    setWindowTitle(words.caption);
    setObjectName(words.objectName);
    setClosedMessage(words.closedMessage);

    BB1 = addButton(QStringLiteral("统计"), [this] { BB1Click(); }, QStringLiteral("BB1"));
    BB2 = addButton(QStringLiteral("打印"), [this] { BB2Click(); }, QStringLiteral("BB2"));
    BB3 = addButton(QStringLiteral("导出"), [this] { BB3Click(); }, QStringLiteral("BB3"));
    BB4 = addButton(QStringLiteral("关闭"), [this] { closeWindow(); }, QStringLiteral("BB4"));
    buildPanel();

    DBGrid1->setColumns(words.columns);
    if (!words.redColumn.isEmpty())
        DBGrid1->setRowRule([column = words.redColumn](const GridRow &row) {
            RowLook look;
            if (row.decimal(column).isNegative())
                look.text = QColor(Qt::red);
            return look;
        });
    showPanels(words.panelCount);
    for (const auto &[panel, text] : words.fixedPanels)
        setPanelText(panel, text);
    resize(900, 560);
    reset();
}

void StatisticsWindow::buildPanel()
{
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(m_words.textName);
    auto *caption = new QLabel(m_words.textCaption, this);
    caption->setBuddy(Edit1);
    Edit1->setAccessibleName(QString(m_words.textCaption).remove(QChar(0x3000)).trimmed());
    Edit1->setMinimumWidth(140);

    CheckBox1 = new QCheckBox(QStringLiteral("日期范围"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker2 = new QDateEdit(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setAccessibleName(QStringLiteral("起始日期"));
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    DateTimePicker2->setAccessibleName(QStringLiteral("截止日期"));
    for (QDateEdit *d : {DateTimePicker1, DateTimePicker2}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    // The from-date stays no later than the to-date: a later from-date takes
    // the to-date along, an earlier to-date the from-date.
    connect(DateTimePicker1, &QDateEdit::dateChanged, this, [this](const QDate &from) {
        if (from > DateTimePicker2->date())
            DateTimePicker2->setDate(from);
    });
    connect(DateTimePicker2, &QDateEdit::dateChanged, this, [this](const QDate &to) {
        if (to < DateTimePicker1->date())
            DateTimePicker1->setDate(to);
    });
    auto *toLabel = new QLabel(QStringLiteral("至"), this);
    toLabel->setBuddy(DateTimePicker2);

    // Before the buttons, in the row above the grid.
    auto *row = static_cast<QBoxLayout *>(layout()->itemAt(0)->layout());
    int at = 0;
    for (QWidget *w : std::initializer_list<QWidget *>{caption, Edit1, CheckBox1, DateTimePicker1,
                                                       toLabel, DateTimePicker2})
        row->insertWidget(at++, w);
    row->insertSpacing(at, 12);

    auto *chain = new FocusChain(this);
    if (m_words.enterInTextRuns)
        chain->then(Edit1, [this] { BB1Click(); });
    else
        chain->then(Edit1);
    chain->then(CheckBox1).then(DateTimePicker1).then(DateTimePicker2).then(BB1, [this] {
        BB1Click();
    });
}

void StatisticsWindow::setToday(std::function<QDate()> today)
{
    m_today = std::move(today);
    reset();
}

void StatisticsWindow::reset()
{
    Edit1->clear();
    CheckBox1->setChecked(false);
    const QDate today = m_today();
    // The to-date first, so that the from-date is not pushed along by an
    // earlier to-date left from before.
    DateTimePicker2->setDate(today);
    DateTimePicker1->setDate(today.addMonths(-1));
    DBGrid1->close();
    m_sums.assign(m_words.sumColumns.size(), Decimal());
    showSums(true);
    Edit1->setFocus(Qt::OtherFocusReason);
}

statistics::DateRange StatisticsWindow::range() const
{
    statistics::DateRange r;
    if (CheckBox1->isChecked()) {
        r.from = DateTimePicker1->date();
        r.to = DateTimePicker2->date();
    }
    return r;
}

void StatisticsWindow::showSums(bool opening)
{
    for (size_t i = 0; i < m_sums.size() && i < m_words.sumPanels.size(); ++i)
        setPanelText(m_words.sumPanels[i], opening ? m_words.openingSum : m_sums[i].toShortest());
}

bool StatisticsWindow::BB1Click()
{
    // Matched as typed, as the condition dialogs match theirs.
    const QString text = Edit1->text();
    const statistics::DateRange r = range();
    Snapshot rows;
    std::vector<Decimal> sums;
    std::optional<QString> failed = backgroundread::run(
        this, m_context.DM1.ADOC1().connectionName(), QStringLiteral("正在统计，请稍候……"),
        [&](const QSqlDatabase &db) {
            rows = m_words.compute(db, text, r);
            sums = statistics::sumsOf(rows, m_words.sumColumns);
        });
    if (!failed && std::any_of(sums.begin(), sums.end(), [](const Decimal &d) { return !d.isValid(); }))
        failed = QStringLiteral("合计超出范围，无法统计！");
    if (failed) {
        DBGrid1->close();
        m_sums.assign(m_words.sumColumns.size(), Decimal());
        showSums(true);
        msg::error(this, *failed);
        return false;
    }
    DBGrid1->openRows(std::move(rows));
    m_sums = std::move(sums);
    showSums(false);
    if (!m_words.doneMessage.isEmpty())
        msg::info(this, m_words.doneMessage);
    return true;
}

void StatisticsWindow::BB2Click()
{
    if (!checkOpen() || !m_words.printForm)
        return;
    std::unique_ptr<report::ListForm> form = m_words.printForm();
    form->setHeading(m_context.DM1.ATdanwei1(), m_words.printTitle);
    form->setDataset(DBGrid1->rows().shownRows());
    for (size_t i = 0; i < m_sums.size(); ++i)
        form->setTotal(int(i) + 1, m_sums[i].toShortest());
    if (previewer)
        previewer(*form);
    else
        report::preview(this, *form);
}

void StatisticsWindow::BB3Click()
{
    exportGrid();
}
