#include "windows/reports/LedgerWindows.h"

#include "report/ReportBuilders.h"
#include "ui/ChildWindows.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/ReportPrinting.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

std::vector<SumPanel> shownSums(const std::vector<SumPanel> &sums, bool cost)
{
    std::vector<SumPanel> shown;
    for (const SumPanel &s : sums)
        if (cost || !ledgers::isCostColumn(s.column))
            shown.push_back(s);
    return shown;
}

}  // namespace

// ---- the frame -------------------------------------------------------------

LedgerReportWindow::LedgerReportWindow(const WindowContext &context, const LedgerReportWords &words,
                                       const QString &quantityColumn, QWidget *parent)
    : SummedListWindow(parent),
      m_context(context),
      m_words(words),
      m_d(ledgers::descriptor(words.ledger)),
      m_cost(ledgers::showsCost(context.session.STyhm1))
{
    setWindowTitle(words.caption);
    setObjectName(words.objectName);
    setExportName(words.caption);
    DBGrid1->setRowRule([quantityColumn](const GridRow &row) {
        RowLook look;
        if (row.decimal(quantityColumn).isNegative())
            look.text = QColor(Qt::red);
        return look;
    });
    // Without the cost columns the operator's sums leave their panels empty.
    setSumPanels(words.panelCount, shownSums(words.sums, m_cost));
    showColumns();
    resize(1000, 560);
}

void LedgerReportWindow::showColumns(const QString &groupTitle)
{
    std::vector<GridColumn> columns;
    for (GridColumn c : m_words.columns) {
        if (!m_cost && ledgers::isCostColumn(c.field))
            continue;
        if (c.field == u"fenzu"_s) {
            c.hidden = groupTitle.isEmpty();
            if (!groupTitle.isEmpty())
                c.title = groupTitle;
        }
        columns.push_back(c);
    }
    DBGrid1->setColumns(std::move(columns));
}

void LedgerReportWindow::addCommonButtons()
{
    SB88 = addRowAction(u"打印"_s, u"SB88"_s, [this] { SB88Click(); });
    SB99 = addRowAction(u"导出"_s, u"SB99"_s, [this] { exportGrid(); });
    SB100 = addRowAction(u"关闭"_s, u"SB100"_s, [this] { closeWindow(); });
    addLegend(m_words.legend, QColor(Qt::red));
}

void LedgerReportWindow::openQueryDialog(LedgerQueryDialog::Runner run,
                                         const std::function<void(QDialog &)> &prepare)
{
    if (!m_words.queryDialog)
        return;
    ModalDialog<QDialog> dialog(m_words.queryDialog(std::move(run), this));
    if (prepare)
        prepare(*dialog);
    dialog.exec();
}

void LedgerReportWindow::SB88Click()
{
    if (!checkOpen() || !m_words.printForm)
        return;
    std::unique_ptr<report::ListForm> form = m_words.printForm();
    form->setHeading(m_context.DM1.ATdanwei1(), m_words.printTitle);
    for (int i = 0; i < m_words.printColumnTitles.size(); ++i)
        form->setColumnTitle(i, m_words.printColumnTitles.at(i));
    try {
        form->setDataset(DBGrid1->rows().shownRows());
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    for (int i = 0; i < m_words.printTotals.size(); ++i)
        form->setTotal(i + 1, sumOf(m_words.printTotals.at(i)).toShortest());
    if (previewer)
        previewer(*form);
    else
        report::preview(this, *form);
}

// ---- the detail ------------------------------------------------------------

LedgerDetailWindow::LedgerDetailWindow(const WindowContext &context,
                                       const LedgerReportWords &words, QWidget *parent)
    : LedgerReportWindow(context, words, u"sl"_s, parent)
{
    SB77 = addRowAction(u"查询"_s, u"SB77"_s, [this] { SB77Click(); });
    addCommonButtons();
    // A document posted or reversed elsewhere shows here too.
    showsTables(context.DM1.ADOC1(), {m_d.table});
    showDay(QDate::currentDate());
}

bool LedgerDetailWindow::showDay(const QDate &day)
{
    return openList(m_context.DM1.ADOC1(), ledgers::dayList(m_d, day));
}

bool LedgerDetailWindow::showFilter(const ledgers::Filter &filter)
{
    return openList(m_context.DM1.ADOC1(), ledgers::detailList(m_d, filter));
}

bool LedgerDetailWindow::showDrillDown(const ledgers::DrillDown &rows)
{
    return openList(m_context.DM1.ADOC1(), ledgers::drillDownList(m_d, rows));
}

LedgerDetailWindow *LedgerDetailWindow::openBeside(
    QWidget *opener, const QString &key, const std::function<LedgerDetailWindow *()> &make)
{
    if (ChildWindows *children = ChildWindows::of(opener))
        return qobject_cast<LedgerDetailWindow *>(children->open(key, [&] { return make(); }));
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *detail = qobject_cast<LedgerDetailWindow *>(w); detail && w->objectName() == key) {
            detail->raise();
            return detail;
        }
    LedgerDetailWindow *detail = make();
    detail->setAttribute(Qt::WA_DeleteOnClose);
    detail->show();
    return detail;
}

void LedgerDetailWindow::SB77Click()
{
    openQueryDialog([this](const ledgers::Filter &f, ledgers::Grouping) { return showFilter(f); });
}

// ---- the statistics --------------------------------------------------------

LedgerStatisticsWindow::LedgerStatisticsWindow(const WindowContext &context, const Words &words,
                                               QWidget *parent)
    : LedgerReportWindow(context, words.report, u"zsl"_s, parent), m_stats(words)
{
    setClosedMessage(u"数据表未打开，请先统计！"_s);
    SB66 = addRowAction(u"明细"_s, u"SB66"_s, [this] { SB66Click(); });
    SB77 = addRowAction(u"统计"_s, u"SB77"_s, [this] { SB77Click(); });
    addCommonButtons();
    onRowChosen([this] { SB66Click(); });
    closeResult();
}

void LedgerStatisticsWindow::closeResult()
{
    DBGrid1->close();
    for (const SumPanel &s : m_words.sums)
        setPanelText(s.panel, QString());
}

bool LedgerStatisticsWindow::showStatistics(const ledgers::Filter &filter,
                                            ledgers::Grouping grouping)
{
    m_grouping = grouping;
    showColumns(grouping == ledgers::Grouping::Partner   ? m_stats.partnerTitle
                : grouping == ledgers::Grouping::Handler ? u"经办人"_s
                                                         : QString());
    if (!openList(m_context.DM1.ADOC1(), ledgers::groupedList(m_d, filter, grouping)))
        return false;
    const bool dated = filter.from && filter.to;
    m_rq1 = dated ? filter.from->toString(u"yyyy-MM-dd"_s) : QString();
    m_rq2 = dated ? filter.to->toString(u"yyyy-MM-dd"_s) : QString();
    msg::info(this, u"统计完毕！"_s);
    return true;
}

ledgers::DrillDown LedgerStatisticsWindow::drillDownOfCurrentRow() const
{
    ledgers::DrillDown r;
    r.txm = DBGrid1->currentValue(u"txm"_s).toString();
    r.ppgg = DBGrid1->currentValue(u"ppgg"_s).toString();
    r.dw = DBGrid1->currentValue(u"dw"_s).toString();
    r.grouping = m_grouping;
    r.group = DBGrid1->currentValue(u"fenzu"_s).toString();
    if (!m_rq1.isEmpty() && !m_rq2.isEmpty()) {
        r.from = QDate::fromString(m_rq1, u"yyyy-MM-dd"_s);
        r.to = QDate::fromString(m_rq2, u"yyyy-MM-dd"_s);
    }
    return r;
}

void LedgerStatisticsWindow::SB66Click()
{
    if (!checkOpen())
        return;
    if (DBGrid1->rowCount() == 0 || DBGrid1->currentRow() < 0) {
        msg::warning(this, u"没有数据可查阅！"_s);
        return;
    }
    if (!m_stats.openDetail)
        return;
    const ledgers::DrillDown rows = drillDownOfCurrentRow();
    if (LedgerDetailWindow *detail = m_stats.openDetail(*this))
        detail->showDrillDown(rows);
}

void LedgerStatisticsWindow::SB77Click()
{
    // The dialog starts a new statistics: the last one is closed, its range
    // forgotten, its group column hidden.
    m_rq1.clear();
    m_rq2.clear();
    m_grouping = ledgers::Grouping::None;
    closeResult();
    showColumns();
    openQueryDialog(
        [this](const ledgers::Filter &f, ledgers::Grouping g) { return showStatistics(f, g); },
        [this](QDialog &dialog) {
            if (auto *d = qobject_cast<LedgerQueryDialog *>(&dialog))
                connect(d, &LedgerQueryDialog::groupingChosen, this, [this](ledgers::Grouping g) {
                    closeResult();
                    showColumns(g == ledgers::Grouping::Partner   ? m_stats.partnerTitle
                                : g == ledgers::Grouping::Handler ? u"经办人"_s
                                                                  : QString());
                });
        });
}
