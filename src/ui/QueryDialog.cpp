#include "ui/QueryDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

QueryDialog::QueryDialog(QWidget *parent, const QString &caption)
    : FormDialog(parent), m_fields(new QGridLayout), m_today([] { return QDate::currentDate(); })
{
    setWindowTitle(caption);
    m_fields->setColumnStretch(1, 1);
    m_fields->setHorizontalSpacing(8);
}

void QueryDialog::addRow(const QString &caption, QWidget *field, QWidget *buddy)
{
    const int row = m_fields->rowCount();
    if (!caption.isEmpty()) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(buddy);
        m_fields->addWidget(label, row, 0);
        buddy->setAccessibleName(QString(caption).remove(QChar(0x3000)).trimmed());
    }
    m_fields->addWidget(field, row, 1);
}

QLineEdit *QueryDialog::addText(const QString &name, const QString &caption)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    addRow(caption, edit, edit);
    m_texts.push_back(edit);
    m_order.push_back(edit);
    return edit;
}

QComboBox *QueryDialog::addChoice(const QString &name, const QString &caption,
                                  const QStringList &items)
{
    auto *box = new QComboBox(this);
    box->setObjectName(name);
    box->addItems(items);
    addRow(caption, box, box);
    m_choices.push_back(box);
    m_order.push_back(box);
    return box;
}

QueryDialog::DateRange QueryDialog::addDateRange(const QString &checkName,
                                                 const QString &checkCaption,
                                                 const QString &fromName,
                                                 const QString &toCaption, const QString &toName)
{
    DateRange r;
    r.check = new QCheckBox(checkCaption, this);
    r.check->setObjectName(checkName);
    r.from = new QDateEdit(this);
    r.to = new QDateEdit(this);
    for (QDateEdit *d : {r.from, r.to}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    r.from->setObjectName(fromName);
    r.from->setAccessibleName(QStringLiteral("起始日期"));
    r.to->setObjectName(toName);
    r.to->setAccessibleName(QStringLiteral("截止日期"));
    // The from-date stays no later than the to-date: a later from-date takes
    // the to-date along, an earlier to-date the from-date.
    connect(r.from, &QDateEdit::dateChanged, this, [to = r.to](const QDate &from) {
        if (from > to->date())
            to->setDate(from);
    });
    connect(r.to, &QDateEdit::dateChanged, this, [from = r.from](const QDate &to) {
        if (to < from->date())
            from->setDate(to);
    });

    auto *pair = new QWidget(this);
    auto *row = new QHBoxLayout(pair);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(r.from, 1);
    auto *toLabel = new QLabel(toCaption, pair);
    toLabel->setBuddy(r.to);
    row->addWidget(toLabel);
    row->addWidget(r.to, 1);
    const int at = m_fields->rowCount();
    m_fields->addWidget(r.check, at, 0);
    m_fields->addWidget(pair, at, 1);

    m_ranges.push_back(r);
    m_order.insert(m_order.end(), {r.check, r.from, r.to});
    return r;
}

QCheckBox *QueryDialog::addCheck(const QString &name, const QString &caption)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(name);
    addRow(QString(), box, box);
    m_checks.push_back(box);
    m_order.push_back(box);
    return box;
}

QRadioButton *QueryDialog::addOption(const QString &name, const QString &caption)
{
    auto *option = new QRadioButton(caption, this);
    option->setObjectName(name);
    addRow(QString(), option, option);
    m_options.push_back(option);
    m_order.push_back(option);
    return option;
}

void QueryDialog::enterMovesTo(QWidget *field, QWidget *to)
{
    m_moves.emplace_back(field, to);
}

void QueryDialog::enterRuns(QWidget *field)
{
    m_runs.push_back(field);
}

void QueryDialog::finish()
{
    setFields(m_fields, m_actionCaption, QStringLiteral("关闭"));
    connect(BitBtn1, &QPushButton::clicked, this, &QueryDialog::queryClick);
    std::vector<EnterStep> steps;
    for (QWidget *field : m_order) {
        EnterStep step{field};
        if (std::find(m_runs.begin(), m_runs.end(), field) != m_runs.end()) {
            step.enter = [this] { queryClick(); };
        } else {
            for (const auto &[from, to] : m_moves)
                if (from == field)
                    step.enter = [to = to] { to->setFocus(Qt::TabFocusReason); };
        }
        steps.push_back(step);
    }
    enterAlong(steps);
    setMinimumWidth(360);
}

void QueryDialog::reset()
{
    for (QLineEdit *e : m_texts)
        e->clear();
    for (QComboBox *c : m_choices)
        c->setCurrentIndex(0);
    for (QCheckBox *c : m_checks)
        c->setChecked(false);
    if (!m_options.empty())
        m_options.front()->setChecked(true);
    const QDate today = m_today();
    for (const DateRange &r : m_ranges) {
        r.check->setChecked(false);
        // The to-date first, so that the from-date is not pushed along by an
        // earlier to-date left from before.
        r.to->setDate(today);
        r.from->setDate(today.addMonths(-1));
    }
    if (m_first)
        m_first->setFocus(Qt::OtherFocusReason);
}

void QueryDialog::showEvent(QShowEvent *event)
{
    FormDialog::showEvent(event);
    reset();
}

void QueryDialog::queryClick()
{
    if (m_query && m_query())
        accept();
}
