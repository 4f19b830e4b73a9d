#pragma once

#include "ui/FormDialog.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QLineEdit;
class QRadioButton;

// The condition dialogs of the lists ("按条件查询"), built field by field:
// part-of-name texts, fixed-choice lists, the "日期从 … 至" pair (used only
// when ticked; the from-date never later than the to-date) and check boxes,
// one row each under its caption, in the order added, above "查询" and
// "关闭". Enter moves along the fields in that order; a field may move
// elsewhere instead or run the query, and Enter in the last one presses
// "查询". Esc and "关闭" close without querying.
//
// Each time it is shown the dialog starts afresh: texts empty, the first
// choice of each list, the to-date today and the from-date a month before
// it, nothing ticked, the focus in the field named by setFirstField().
class QueryDialog : public FormDialog
{
    Q_OBJECT
public:
    explicit QueryDialog(QWidget *parent = nullptr,
                         const QString &caption = QStringLiteral("按条件查询"));

    QLineEdit *addText(const QString &name, const QString &caption);
    QComboBox *addChoice(const QString &name, const QString &caption, const QStringList &items);
    struct DateRange {
        QCheckBox *check = nullptr;  // "日期从"
        QDateEdit *from = nullptr;
        QDateEdit *to = nullptr;
    };
    DateRange addDateRange(const QString &checkName, const QString &checkCaption,
                           const QString &fromName, const QString &toCaption,
                           const QString &toName);
    QCheckBox *addCheck(const QString &name, const QString &caption);
    // One of a set of exclusive options (radio buttons), each on its own row;
    // the first added is chosen whenever the dialog starts afresh.
    QRadioButton *addOption(const QString &name, const QString &caption);
    // The action button's caption ("查询" unless set, before finish()).
    void setActionCaption(const QString &caption) { m_actionCaption = caption; }

    // Enter in `field` moves to `to` instead of the next field.
    void enterMovesTo(QWidget *field, QWidget *to);
    // Enter in `field` runs the query.
    void enterRuns(QWidget *field);
    void setFirstField(QWidget *field) { m_first = field; }
    // Done adding: the fields above the buttons, the Enter chain. Once, at
    // the end of the dialog's constructor.
    void finish();

    // What "查询" does: true when the query ran, and the dialog closes.
    void setQuery(std::function<bool()> query) { m_query = std::move(query); }
    void queryClick();

    // "Today" for the dates (tests set their own).
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }
    // The dialog as it is shown.
    void reset();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void addRow(const QString &caption, QWidget *field, QWidget *buddy);

    QGridLayout *m_fields;
    std::vector<QWidget *> m_order;   // the Enter chain's fields
    std::vector<QLineEdit *> m_texts;
    std::vector<QComboBox *> m_choices;
    std::vector<QCheckBox *> m_checks;
    std::vector<QRadioButton *> m_options;
    QString m_actionCaption = QStringLiteral("查询");
    std::vector<DateRange> m_ranges;
    std::vector<std::pair<QWidget *, QWidget *>> m_moves;
    std::vector<QWidget *> m_runs;
    QWidget *m_first = nullptr;
    std::function<bool()> m_query;
    std::function<QDate()> m_today;
};
