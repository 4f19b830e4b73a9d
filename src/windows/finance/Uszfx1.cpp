#include "windows/finance/Uszfx1.h"

#include "report/forms/Udyszfx1.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/Outcomes.h"
#include "ui/ReportPrinting.h"
#include "windows/finance/Ucxszfx1.h"
#include "windows/finance/Utjszfx1.h"

#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

std::function<QDate()> &TFszfx1::today()
{
    static std::function<QDate()> t = [] { return QDate::currentDate(); };
    return t;
}

TFszfx1::TFszfx1(const WindowContext &context, QWidget *parent)
    : SummedListWindow(parent), m_context(context)
{
    setWindowTitle(u"其他收支明细表"_s);
    setObjectName(u"TFszfx1"_s);
    setClosedMessage(u"收支表未打开，请先查询！"_s);
    SB44 = addRowAction(u"新增"_s, u"SB44"_s, [this] { SB44Click(); });
    SB55 = addRowAction(u"修改"_s, u"SB55"_s, [this] { SB55Click(); });
    SB66 = addRowAction(u"删除"_s, u"SB66"_s, [this] { SB66Click(); }, u"删除"_s, u"N1"_s);
    SB77 = addRowAction(u"查询"_s, u"SB77"_s, [this] { SB77Click(); });
    SB88 = addRowAction(u"打印"_s, u"SB88"_s, [this] { SB88Click(); });
    SB99 = addRowAction(u"导出"_s, u"SB99"_s, [this] { exportGrid(); });
    SB100 = addRowAction(u"关闭"_s, u"SB100"_s, [this] { closeWindow(); });
    addLegend(u"支出费用"_s, QColor(Qt::red));
    onRowChosen([this] { SB55Click(); });
    setExportName(u"其他收支明细表"_s);

    const int number = 85;
    DBGrid1->setColumns({{u"rq"_s, u"日期"_s, 85},
                         {u"lb"_s, u"类别"_s, 50, Qt::AlignHCenter},
                         {u"xm"_s, u"项目"_s, 150},
                         {u"se"_s, u"收入额"_s, number},
                         {u"ze"_s, u"支出额"_s, number},
                         {u"jsr"_s, u"经办人"_s, 70},
                         {u"bz"_s, u"备注"_s, 180}});
    DBGrid1->setRowRule([](const GridRow &row) {
        RowLook look;
        if (row.decimal(u"ze"_s).isPositive())
            look.text = QColor(Qt::red);
        return look;
    });
    setSumPanels(5, {{u"se"_s, 2}, {u"ze"_s, 3}});
    setPanelText(4, u"0"_s);
    showsTables(context.DM1.ADOC1(), {u"szfx"_s});
    resize(860, 520);
    showDay(today()());
}

void TFszfx1::showBalance()
{
    setPanelText(4, (sumOf(u"se"_s) - sumOf(u"ze"_s)).toShortest());
}

bool TFszfx1::opened(bool ok)
{
    showBalance();
    return ok;
}

bool TFszfx1::showDay(const QDate &day)
{
    return opened(openList(m_context.DM1.ADOC1(), incomeexpense::ofDay(day)));
}

bool TFszfx1::showFilter(const incomeexpense::Filter &filter)
{
    return opened(openList(m_context.DM1.ADOC1(), incomeexpense::filtered(filter)));
}

void TFszfx1::requery()
{
    SummedListWindow::requery();
    showBalance();
}

void TFszfx1::SB44Click()
{
    ModalDialog<TFtjszfx1> window(new TFtjszfx1(m_context, this));
    window->startAdd();
    window.exec();
}

void TFszfx1::SB55Click()
{
    if (!checkOpen())
        return;
    if (DBGrid1->rowCount() == 0) {
        msg::warning(this, u"没有收支可修改！"_s);
        return;
    }
    if (DBGrid1->currentRow() < 0)
        DBGrid1->setCurrentRow(0);
    std::optional<incomeexpense::Entry> entry;
    try {
        entry = incomeexpense::read(m_context.DM1.ADOC1(), DBGrid1->currentValue(u"id"_s).toLongLong());
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    if (!entry) {
        msg::warning(this, u"本收支已不存在，请重新查询！"_s);
        return;
    }
    ModalDialog<TFtjszfx1> window(new TFtjszfx1(m_context, this));
    window->startEdit(*entry);
    window.exec();
}

void TFszfx1::SB66Click()
{
    if (!checkOpen())
        return;
    if (DBGrid1->rowCount() == 0) {
        msg::warning(this, u"没有收支可删除！"_s);
        return;
    }
    if (DBGrid1->currentRow() < 0)
        DBGrid1->setCurrentRow(0);
    if (!msg::confirmOkCancel(this, u"确定要删除此收支么？"_s))
        return;
    showOutcome(this, incomeexpense::remove(m_context.DM1.ADOC1(),
                                            DBGrid1->currentValue(u"id"_s).toLongLong()));
}

void TFszfx1::SB77Click()
{
    ModalDialog<TFcxszfx1> dialog(new TFcxszfx1(*this));
    dialog.exec();
}

void TFszfx1::SB88Click()
{
    if (!checkOpen())
        return;
    TFdyszfx1 form;
    form.setHeading(m_context.DM1.ATdanwei1(), TFdyszfx1::title());
    try {
        form.setDataset(DBGrid1->rows().shownRows());
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    form.setTotal(1, sumOf(u"se"_s).toShortest());
    form.setTotal(2, sumOf(u"ze"_s).toShortest());
    if (previewer) {
        form.setReportTitle(u"打印预览"_s);
        previewer(form);
    } else {
        report::preview(this, form);
    }
}
