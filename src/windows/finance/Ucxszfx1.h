#pragma once

#include "core/finance/IncomeExpense.h"
#include "ui/QueryDialog.h"

class TFszfx1;

// The condition dialog of other income and expenses: part of the item and of
// the handler, the category and the dates. Enter in the handler runs the
// query; Esc does not close it, "关闭" does.
class TFcxszfx1 : public QueryDialog
{
    Q_OBJECT
public:
    explicit TFcxszfx1(TFszfx1 &list);

    incomeexpense::Filter filter() const;

    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr, *DateTimePicker2 = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
