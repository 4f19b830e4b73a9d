#pragma once

#include "core/reports/Ledgers.h"
#include "ui/SummedListWindow.h"
#include "ui/WindowContext.h"
#include "windows/reports/LedgerQueryDialog.h"

#include <functional>
#include <memory>

class QDialog;
class QPushButton;

namespace report {
class Form;
class ListForm;
}  // namespace report

// What the detail and the statistics windows of one ledger share in their
// words: the grid, the status bar, the legend and the printed form.
struct LedgerReportWords {
    ledgers::Ledger ledger = ledgers::Ledger::Sales;
    QString caption;     // "销售明细表", "采购统计表", ...
    QString objectName;  // "TFxsfx1", ...
    // Every column; the cost columns are left out for an operator who may
    // not see them.
    std::vector<GridColumn> columns;
    QString legend;  // "数量＜0：销售退货"
    // The status bar: panel 0 "总计", the sums in their panels (cost sums
    // shown to the administrator only).
    int panelCount = 6;
    std::vector<SumPanel> sums;
    // The printed list: its title after the shop's print name, the form, its
    // column titles in order and the summed columns printed under "总计".
    QString printTitle;
    std::function<std::unique_ptr<report::ListForm>()> printForm;
    QStringList printColumnTitles;
    QStringList printTotals;
    // The condition dialog, handing its conditions to `run`.
    std::function<QDialog *(LedgerQueryDialog::Runner run, QWidget *parent)> queryDialog;
};

// The frame both ledger report windows are built on: the grid of a ledger
// statement with its sums, red text for a negative quantity and its legend,
// the cost columns and sums for the administrator only (on screen, in print
// and in the export alike), 打印 through the member's form, 导出, 关闭 and Esc.
class LedgerReportWindow : public SummedListWindow
{
    Q_OBJECT
public:
    const LedgerReportWords &words() const { return m_words; }
    const ledgers::LedgerDescriptor &ledger() const { return m_d; }
    const WindowContext &context() const { return m_context; }
    // Whether the operator sees cost and gross profit.
    bool showsCost() const { return m_cost; }

    void SB88Click();  // 打印

    // Runs instead of the preview window (tests look at the form here).
    std::function<void(report::Form &)> previewer;

    QPushButton *SB77 = nullptr, *SB88 = nullptr, *SB99 = nullptr, *SB100 = nullptr;

protected:
    LedgerReportWindow(const WindowContext &context, const LedgerReportWords &words,
                       const QString &quantityColumn, QWidget *parent);
    // The grid's columns as the operator sees them (`groupTitle` names the
    // group column, hidden when empty).
    void showColumns(const QString &groupTitle = QString());
    // The buttons after the window's own: 打印, 导出, 关闭.
    void addCommonButtons();
    // Opens the member's condition dialog.
    void openQueryDialog(LedgerQueryDialog::Runner run,
                         const std::function<void(QDialog &)> &prepare = {});

    WindowContext m_context;
    const LedgerReportWords &m_words;
    const ledgers::LedgerDescriptor &m_d;
    bool m_cost;
};

// A detail table (`TFxsfx1`, `TFcgfx1`, `TFrkfx1`): the ledger rows, opened on
// today's, then on each query (查询) or a statistics row's drill-down, in the
// order of entry with their sums.
class LedgerDetailWindow : public LedgerReportWindow
{
    Q_OBJECT
public:
    LedgerDetailWindow(const WindowContext &context, const LedgerReportWords &words,
                       QWidget *parent = nullptr);

    // The rows of one day (the window opens on today's).
    bool showDay(const QDate &day);
    // The rows of a query's conditions.
    bool showFilter(const ledgers::Filter &filter);
    // The rows behind a statistics row.
    bool showDrillDown(const ledgers::DrillDown &rows);

    void SB77Click();  // 查询

    // The detail window of class `key` beside `opener`: the main window's
    // (made when none is open, brought to the front otherwise), or, for a
    // window outside the main window, one of its own.
    static LedgerDetailWindow *openBeside(QWidget *opener, const QString &key,
                                          const std::function<LedgerDetailWindow *()> &make);
};

// A statistics table (`TFxshz1`, `TFcghz1`, `TFrkhz1`): empty until 统计 runs
// the dialog's conditions, then one row per article (and group value) with
// the summed quantity and amount; 明细 (and a double click or Enter) opens
// the detail window on the ledger rows behind the current row.
class LedgerStatisticsWindow : public LedgerReportWindow
{
    Q_OBJECT
public:
    // The member's words, with the group column's titles and the way to the
    // detail window of the same ledger.
    struct Words {
        LedgerReportWords report;
        QString partnerTitle;  // "客户", "厂商", "异动原因"
        // Opens, or brings to the front, the detail window next to `opener`.
        std::function<LedgerDetailWindow *(LedgerStatisticsWindow &opener)> openDetail;
    };
    LedgerStatisticsWindow(const WindowContext &context, const Words &words,
                           QWidget *parent = nullptr);

    // Runs the statistics: the grouped rows, their sums, "统计完毕！".
    bool showStatistics(const ledgers::Filter &filter, ledgers::Grouping grouping);
    // Closes the result and empties the sums (a new statistics is coming).
    void closeResult();
    ledgers::Grouping grouping() const { return m_grouping; }
    // The date range of the last statistics ("yyyy-mm-dd"), empty without.
    QString rq1() const { return m_rq1; }
    QString rq2() const { return m_rq2; }
    // What the current row's drill-down shows.
    ledgers::DrillDown drillDownOfCurrentRow() const;

    void SB66Click();  // 明细
    void SB77Click();  // 统计

    QPushButton *SB66 = nullptr;

private:
    const Words &m_stats;
    ledgers::Grouping m_grouping = ledgers::Grouping::None;
    QString m_rq1, m_rq2;
};
