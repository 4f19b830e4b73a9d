#pragma once

#include "core/documents/Management.h"
#include "ui/QueryDialog.h"

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

// The fields a document list's condition dialog can have.
enum class DocumentQueryField { Partner, Handler, Number, State, Dates, Owed };

// The words and order of one condition dialog of the document lists; each
// member fills its own beside its thin class.
struct DocumentQueryWords {
    // The fields in the dialog's order, each under its caption ("日期从" for
    // the dates, the check box's text for "只显示欠款单据").
    std::vector<std::pair<DocumentQueryField, QString>> fields;
    QString toCaption;  // between the two dates: "至", "　　至"
    // Enter in the state list goes back to the partner field.
    bool stateEnterToPartner = false;
};

// The condition dialog of a document list (`TFcxxs1`, `TFcxcg1`, `TFcxrk1`):
// part of the partner, the handler and the number, the state "全部",
// "未审核" or "已审核", a date range and, for the kinds that carry money,
// "只显示欠款单据". "查询" (and Enter in the number) hands the conditions to
// the list that opened it, which runs them; the dialog closes when it did.
class DocumentQueryDialog : public QueryDialog
{
    Q_OBJECT
public:
    using Runner = std::function<bool(const management::Filter &)>;
    DocumentQueryDialog(const DocumentQueryWords &words, Runner run, QWidget *parent = nullptr);

    // The conditions as the fields hold them.
    management::Filter filter() const;

    QLineEdit *Edit1 = nullptr;  // partner
    QLineEdit *Edit2 = nullptr;  // handler
    QLineEdit *Edit3 = nullptr;  // number
    QComboBox *ComboBox1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr;
    QDateEdit *DateTimePicker2 = nullptr;
    QCheckBox *CheckBox2 = nullptr;  // null where the kind carries no debt

private:
    Runner m_run;
};
