#pragma once

#include "core/reports/Statistics.h"
#include "ui/ListWindow.h"
#include "ui/WindowContext.h"

#include <QDate>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace report {
class Form;
class ListForm;
}  // namespace report

// The words and parts of one statistics window with its filters on its own
// top panel; each member fills its own beside its thin class.
struct StatisticsWords {
    QString caption;     // "员工提成表", "商品进销存统计表"
    QString objectName;  // "TFxstj3", "TFkctj1"
    // The text field: its caption and name, and whether Enter in it presses
    // "统计" (otherwise it moves to the next field).
    QString textCaption;
    QString textName = QStringLiteral("Edit1");
    bool enterInTextRuns = false;
    std::vector<GridColumn> columns;
    // The status bar: panelCount panels, panel 0 "总计", fixed texts in
    // some, the sums of sumColumns[i] in sumPanels[i], reading openingSum
    // until the first "统计".
    int panelCount = 0;
    std::vector<std::pair<int, QString>> fixedPanels;
    QStringList sumColumns;
    std::vector<int> sumPanels;
    QString openingSum;
    // Print and export before the first "统计"; shown after each one (none
    // when empty).
    QString closedMessage;
    QString doneMessage;
    // A row whose value of this decimal column is below 0 is drawn in red.
    QString redColumn;
    // The statistics of the panel's text and range. Runs on a worker's own
    // connection: it must touch nothing else. Throws DbError.
    std::function<Snapshot(const QSqlDatabase &db, const QString &text,
                           const statistics::DateRange &range)>
        compute;
    // The printed form: its title after the shop's print name, the form, and
    // the summed columns printed as its totals, in order.
    QString printTitle;
    std::function<std::unique_ptr<report::ListForm>()> printForm;
};

// A statistics window (`TFxstj3`, `TFkctj1`): on the top panel the text
// `Edit1`, the range `CheckBox1` "日期范围" with the dates `DateTimePicker1` and
// `DateTimePicker2` (the from-date never after the to-date), and the buttons
// `BB1` "统计", `BB2` "打印", `BB3` "导出", `BB4` "关闭" (also Esc); below them
// the result and its sums. It opens empty, the text focused, the range a
// month up to today and not ticked; each "统计" computes the result anew
// (with a progress dialog when that takes more than a moment) and keeps it
// until the next one. Enter moves along the panel.
class StatisticsWindow : public ListWindow
{
    Q_OBJECT
public:
    StatisticsWindow(const WindowContext &context, const StatisticsWords &words,
                     QWidget *parent = nullptr);

    const StatisticsWords &words() const { return m_words; }

    // "Today" for the dates (tests set their own); the panel starts afresh.
    void setToday(std::function<QDate()> today);
    // The panel as the window opens with it.
    void reset();

    // "统计": false when the database failed (reported, caption "错误").
    bool BB1Click();
    void BB2Click();  // 打印
    void BB3Click();  // 导出

    // The sums shown, in sumColumns' order (zero before the first "统计").
    const std::vector<Decimal> &sums() const { return m_sums; }

    // Runs instead of the preview window (tests look at the form here).
    std::function<void(report::Form &)> previewer;

    QLineEdit *Edit1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr;
    QDateEdit *DateTimePicker2 = nullptr;
    QPushButton *BB1 = nullptr, *BB2 = nullptr, *BB3 = nullptr, *BB4 = nullptr;

private:
    void buildPanel();
    statistics::DateRange range() const;
    void showSums(bool opening);

    WindowContext m_context;
    const StatisticsWords &m_words;
    std::function<QDate()> m_today;
    std::vector<Decimal> m_sums;
};
