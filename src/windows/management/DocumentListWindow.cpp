#include "windows/management/DocumentListWindow.h"

#include "report/ReportBuilders.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/Outcomes.h"
#include "ui/ReportPrinting.h"
#include "windows/documents/DocumentWindow.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>

namespace {

const QColor kHeldBackground(225, 255, 225);

}  // namespace

DocumentListWindow::DocumentListWindow(const WindowContext &context,
                                       const DocumentListWords &words, QWidget *parent)
    : SummedListWindow(parent),
      m_context(context),
      m_words(words),
      m_d(management::listDescriptor(words.book))
{
    setWindowTitle(words.caption);
    setObjectName(words.objectName);

    SB55 = addRowAction(QStringLiteral("查单"), QStringLiteral("SB55"), [this] { SB55Click(); });
    SB66 = addRowAction(QStringLiteral("删除"), QStringLiteral("SB66"), [this] { SB66Click(); },
                        QStringLiteral("删除"), QStringLiteral("N1"));
    SB44 = addRowAction(QStringLiteral("反审"), QStringLiteral("SB44"), [this] { SB44Click(); },
                        QStringLiteral("反审核"), QStringLiteral("N2"));
    SB77 = addRowAction(QStringLiteral("查询"), QStringLiteral("SB77"), [this] { SB77Click(); });
    SB88 = addRowAction(QStringLiteral("打印"), QStringLiteral("SB88"), [this] { SB88Click(); });
    SB99 = addRowAction(QStringLiteral("导出"), QStringLiteral("SB99"), [this] { exportGrid(); });
    SB100 = addRowAction(QStringLiteral("关闭"), QStringLiteral("SB100"), [this] { closeWindow(); });
    addLegend(QStringLiteral("未审核单据"), kHeldBackground);
    onRowChosen([this] { SB55Click(); });

    DBGrid1->setColumns(words.columns);
    DBGrid1->setRowRule([d = &m_d](const GridRow &row) {
        const management::RowMarks marks =
            management::marksOf(*d, row.decimal(QStringLiteral("qk")), row.text(QStringLiteral("shbj")));
        RowLook look;
        if (marks.owing)
            look.text = QColor(Qt::red);
        if (marks.held)
            look.background = kHeldBackground;
        return look;
    });
    std::vector<SumPanel> sums;
    for (int i = 0; i < m_d.sumColumns.size(); ++i)
        sums.push_back({m_d.sumColumns[i], m_d.sumPanels[size_t(i)]});
    setSumPanels(m_d.panelCount, std::move(sums));
    // A document saved, reversed or deleted elsewhere shows here too.
    showsTables(context.DM1.ADOC1(), {m_d.headerTable});
    resize(1000, 560);

    showHeld();
}

bool DocumentListWindow::showHeld()
{
    return openList(m_context.DM1.ADOC1(), management::heldList(m_d));
}

bool DocumentListWindow::showFilter(const management::Filter &filter)
{
    return openList(m_context.DM1.ADOC1(), management::filteredList(m_d, filter));
}

QString DocumentListWindow::currentNumber() const
{
    return DBGrid1->currentValue(QStringLiteral("dh")).toString();
}

std::vector<Decimal> DocumentListWindow::currentSums() const
{
    std::vector<Decimal> values;
    for (const QString &c : m_d.sumColumns)
        values.push_back(Decimal::fromUnits(DBGrid1->currentValue(c).toLongLong()));
    return values;
}

QString DocumentListWindow::documentWindowHolding(const QString &dh)
{
    if (dh.isEmpty())
        return QString();
    for (QWidget *w : QApplication::allWidgets()) {
        const auto *window = qobject_cast<const DocumentWindow *>(w);
        if (window && window->number() == dh)
            return window->windowTitle();
    }
    return QString();
}

bool DocumentListWindow::refusedWhileOpen(const QString &dh, const QString &action)
{
    const QString holder = documentWindowHolding(dh);
    if (holder.isEmpty())
        return false;
    msg::warning(this, QStringLiteral("本单据正在“%1”窗口中打开，不能%2！\n请先关闭该窗口。")
                           .arg(holder, action));
    return true;
}

void DocumentListWindow::SB55Click()
{
    if (!checkOpen())
        return;
    if (DBGrid1->rowCount() == 0 || DBGrid1->currentRow() < 0) {
        msg::warning(this, QStringLiteral("没有单据可查阅！"));
        return;
    }
    if (m_words.view)
        m_words.view(*this);
}

void DocumentListWindow::SB66Click()
{
    if (!checkOpen())
        return;
    if (DBGrid1->rowCount() == 0 || DBGrid1->currentRow() < 0) {
        msg::warning(this, QStringLiteral("没有单据可删除！"));
        return;
    }
    const QString dh = currentNumber();
    if (refusedWhileOpen(dh, QStringLiteral("删除")))
        return;
    if (!msg::confirmOkCancel(this, QStringLiteral("确定要删除此单据么？\n特别提醒：\n") +
                                        m_words.deleteWarning))
        return;
    const management::Removed r = management::remove(m_context.DM1.ADOC1(), m_d, dh);
    if (!showOutcome(this, r.outcome))
        return;
    rowRemoved(r.removed);
}

void DocumentListWindow::SB44Click()
{
    if (!checkOpen())
        return;
    if (DBGrid1->rowCount() == 0 || DBGrid1->currentRow() < 0) {
        msg::warning(this, QStringLiteral("没有单据可反审，请先查询！"));
        return;
    }
    if (DBGrid1->currentValue(QStringLiteral("shbj")).toString() == management::heldState()) {
        msg::warning(this, QStringLiteral("本单据已经反审！"));
        return;
    }
    const QString dh = currentNumber();
    if (refusedWhileOpen(dh, QStringLiteral("反审")))
        return;
    if (!msg::confirmOkCancel(this, QStringLiteral("确定要反审此单据么？")))
        return;
    const QVariant id = DBGrid1->currentValue(DBGrid1->rows().keyField());
    const std::vector<Decimal> values = currentSums();
    if (!showOutcome(this, management::reverse(m_context.DM1.ADOC1(), m_d, dh)))
        return;
    if (!reloadRows())
        return;
    // The document stays current while the list shows it; a list of posted
    // documents no longer does, and its sums no longer count it.
    int row = -1;
    try {
        row = DBGrid1->rows().rowOfKey(id);
    } catch (const DbError &) {
    }
    if (row >= 0)
        DBGrid1->setCurrentRow(row);
    else
        takeOffSums(values);
}

void DocumentListWindow::SB77Click()
{
    if (!m_words.queryDialog)
        return;
    ModalDialog<QDialog> dialog(m_words.queryDialog(
        [this](const management::Filter &filter) { return showFilter(filter); }, this));
    dialog.exec();
}

void DocumentListWindow::SB88Click()
{
    if (!checkOpen())
        return;
    if (!m_words.printForm)
        return;
    std::unique_ptr<report::ListForm> form = m_words.printForm();
    form->setHeading(m_context.DM1.ATdanwei1(), m_words.printTitle);
    try {
        form->setDataset(DBGrid1->rows().shownRows());
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    for (int i = 0; i < m_words.printTotals.size(); ++i)
        form->setTotal(i + 1, sumOf(m_words.printTotals[i]).toShortest());
    if (previewer)
        previewer(*form);
    else
        report::preview(this, *form);
}
