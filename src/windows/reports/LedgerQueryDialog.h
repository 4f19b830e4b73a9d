#pragma once

#include "core/reports/Ledgers.h"
#include "ui/QueryDialog.h"

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;

// The fields a ledger report's condition dialog can have.
enum class LedgerQueryField { Partner, Handler, Code, Name, Number, Sign, Dates };

// The words and order of one condition dialog of the ledger reports; each
// member fills its own beside its thin class.
struct LedgerQueryWords {
    QString objectName;  // "TFcxxsfx1", ...
    QString caption;     // "按条件查询", "按条件统计"
    QString action;      // "查询", "统计"
    // The fields in the dialog's order, each under its caption ("日期从" for
    // the dates).
    std::vector<std::pair<LedgerQueryField, QString>> fields;
    QString toCaption;       // between the two dates: "至", "　　至"
    QStringList signItems;   // "全部", then the positive and the negative rows
    // The statistics' groupings, "不分组统计" first, then per partner and per
    // handler; none for a detail dialog.
    QStringList groupings;
};

// The condition dialog of a ledger report (`TFcxxsfx1`, `TFcxcgfx1`,
// `TFcxrkfx1` for the details, `TFcxxshz1`, `TFcxcghz1`, `TFcxrkhz1` with the
// groupings for the statistics). Enter in the type list or a grouping goes
// to the partner field, Enter in the number runs the query; the action hands
// the conditions to the window that opened it, which runs them, and the
// dialog closes when it did.
class LedgerQueryDialog : public QueryDialog
{
    Q_OBJECT
public:
    using Runner = std::function<bool(const ledgers::Filter &, ledgers::Grouping)>;
    LedgerQueryDialog(const LedgerQueryWords &words, Runner run, QWidget *parent = nullptr);

    // The conditions as the fields hold them.
    ledgers::Filter filter() const;
    ledgers::Grouping grouping() const;

    QLineEdit *Edit1 = nullptr;  // partner
    QLineEdit *Edit2 = nullptr;  // handler
    QLineEdit *Edit3 = nullptr;  // code
    QLineEdit *Edit4 = nullptr;  // name
    QLineEdit *Edit5 = nullptr;  // number
    QComboBox *ComboBox1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr;
    QDateEdit *DateTimePicker2 = nullptr;
    QRadioButton *RB1 = nullptr, *RB2 = nullptr, *RB3 = nullptr;

Q_SIGNALS:
    // A grouping was chosen (the statistics window closes its result).
    void groupingChosen(ledgers::Grouping grouping);

private:
    Runner m_run;
};
