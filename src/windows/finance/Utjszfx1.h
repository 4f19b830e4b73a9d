#pragma once

#include "core/finance/IncomeExpense.h"
#include "report/Report.h"
#include "ui/FormDialog.h"
#include "ui/WindowContext.h"

#include <functional>

class NumberEdit;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QToolButton;

// "新增其他收支", "修改其他收支": one record of other income or expense. The
// category is "收入" or "支出" (typed or chosen; anything else is refused),
// the item comes from the item list, the handler from the employee picker.
// After an add the window stays open for the next record (date, category,
// handler and remark kept); after a change it closes. "打印" prints the
// voucher of what the fields hold.
class TFtjszfx1 : public FormDialog
{
    Q_OBJECT
public:
    explicit TFtjszfx1(const WindowContext &context, QWidget *parent = nullptr);

    void startAdd();
    void startEdit(const incomeexpense::Entry &entry);
    QString mode() const { return ST1; }

    void BitBtn1Click();  // 保存
    void BitBtn3Click();  // 打印
    void pickItem();      // SpeedButton1
    void pickHandler();   // SpeedButton2

    std::function<void(report::Form &)> previewer;

    QDateEdit *DateTimePicker1 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QLineEdit *xm = nullptr;
    NumberEdit *je = nullptr;
    QLineEdit *jsr = nullptr;
    QLineEdit *bz = nullptr;
    QPushButton *BitBtn3 = nullptr;
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr;

private:
    WindowContext m_context;
    QString ST1;
    qint64 m_id = 0;
};
