#include "windows/stock/Ukcfx1.h"

#include "core/stock/StockTools.h"
#include "report/forms/Udykcfx1.h"
#include "report/forms/Udykcfx2.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/Outcomes.h"
#include "ui/ReportPrinting.h"
#include "windows/masterdata/CategoryTree.h"
#include "windows/stock/Uchai1.h"
#include "windows/stock/Uxgkcfx2.h"
#include "windows/stock/Uzu1.h"

#include <QMenu>
#include <QPushButton>

namespace {

// Columns 4 and 5 are the price columns.
constexpr int kPriceColumns[] = {4, 5};

std::vector<GridColumn> columns(bool withPrices)
{
    const int number = 75;
    std::vector<GridColumn> c{
        {QStringLiteral("txm"), QStringLiteral("编码"), 110},
        {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 220},
        {QStringLiteral("dw"), QStringLiteral("单位"), 43, Qt::AlignHCenter},
        {QStringLiteral("kcsl"), QStringLiteral("库存数量"), number},
        {QStringLiteral("kcjg"), QStringLiteral("库存单价"), number},
        {QStringLiteral("kcje"), QStringLiteral("库存金额"), number},
        {QStringLiteral("xjpf"), QStringLiteral("批发单价"), number},
        {QStringLiteral("xjls"), QStringLiteral("零售单价"), number},
        {QStringLiteral("ms"), QStringLiteral("商品描述"), 180},
        {QStringLiteral("bz"), QStringLiteral("备注"), 120},
        {QStringLiteral("lb"), QStringLiteral("类别"), 100},
    };
    for (int i : kPriceColumns)
        c[size_t(i)].hidden = !withPrices;
    return c;
}

}  // namespace

TFkcfx1::TFkcfx1(const WindowContext &context, QWidget *parent)
    : SummedListWindow(parent), m_context(context)
{
    setWindowTitle(QStringLiteral("库存明细表"));
    setObjectName(QStringLiteral("TFkcfx1"));

    addButton(QStringLiteral("拆零"), [this] { SB33Click(); }, QStringLiteral("SB33"));
    addButton(QStringLiteral("组装"), [this] { SB44Click(); }, QStringLiteral("SB44"));
    addButton(QStringLiteral("归零"), [this] { SB55Click(); }, QStringLiteral("SB55"));
    addRowAction(QStringLiteral("换算"), QStringLiteral("SB66"), [this] { SB66Click(); },
                 QStringLiteral("单位换算"), QStringLiteral("N1"));
    addButton(QStringLiteral("查询"), [this] { SB77Click(); }, QStringLiteral("SB77"));
    // "打印" drops its menu down at its lower left corner when the button is
    // released; the click itself does nothing else.
    printMenu = new QMenu(this);
    printMenu->setObjectName(QStringLiteral("PopupMenu1"));
    printMenu->addAction(QStringLiteral("1、带库存价格打印"), this, &TFkcfx1::printWithPrices)
        ->setObjectName(QStringLiteral("N11"));
    printMenu->addAction(QStringLiteral("2、不带库存价格打印"), this,
                         &TFkcfx1::printWithoutPrices)
        ->setObjectName(QStringLiteral("N22"));
    SB88 = addButton(QStringLiteral("打印"), [this] {
        printMenu->popup(SB88->mapToGlobal(SB88->rect().bottomLeft()));
    }, QStringLiteral("SB88"));
    addButton(QStringLiteral("导出"), [this] { exportGrid(); }, QStringLiteral("SB99"));
    addButton(QStringLiteral("关闭"), [this] { closeWindow(); }, QStringLiteral("SB100"));
    addLegend(QStringLiteral("数量＜=0：不正常库存"), Qt::red);

    // Panel 2 the quantity total; panel 4 the amount total, left empty when
    // stock prices are not shown.
    std::vector<SumPanel> sums{{QStringLiteral("kcsl"), 2}};
    if (showsPrices())
        sums.push_back({QStringLiteral("kcje"), 4});
    setSumPanels(6, sums);

    DBGrid1->setColumns(columns(showsPrices()));
    DBGrid1->setRowRule([](const GridRow &row) {
        RowLook look;
        if (!row.decimal(QStringLiteral("kcsl")).isPositive())
            look.text = Qt::red;
        return look;
    });
    setExportName(QStringLiteral("库存明细表"));

    TreeView1 = new CategoryTree(this);
    TreeView1->build(m_context.DM1.ADOC1());
    connect(TreeView1, &CategoryTree::categoryClicked, this,
            [this](const QString &category) { categoryClick(category); });
    TreeView1->placeLeftOf(this, DBGrid1);

    showsTables(m_context.DM1.ADOC1(), {QStringLiteral("sp")});
    resize(960, 540);
}

bool TFkcfx1::showsPrices() const
{
    return m_context.session.mayShowStockPrices();
}

bool TFkcfx1::mayZero() const
{
    return m_context.session.mayZeroStock();
}

void TFkcfx1::showEvent(QShowEvent *event)
{
    SummedListWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        showFilter(goods::everything());
    }
}

bool TFkcfx1::showFilter(const goods::Filter &filter)
{
    m_filter = filter;
    return openList(m_context.DM1.ADOC1(), goods::listQuery(filter));
}

void TFkcfx1::categoryClick(const QString &category)
{
    showFilter(goods::inCategory(category));
}

bool TFkcfx1::listHasRows(const QString &emptyMessage)
{
    if (!checkOpen())
        return false;
    if (DBGrid1->rowCount() == 0) {
        msg::warning(this, emptyMessage);
        return false;
    }
    return true;
}

void TFkcfx1::SB55Click()
{
    if (!mayZero()) {
        msg::warning(this, QStringLiteral("你无权归零库存！"));
        return;
    }
    if (!listHasRows(QStringLiteral("没有数据可归零，请先查询！")))
        return;
    if (!msg::confirmOkCancel(
            this, QStringLiteral("确定要归零本批库存么？\n\n"
                                 "1、一旦归零，当前显示的这批库存会统一为0  \n\n"
                                 "2、归零只对当前显示的这批库存操作，建议先查询后归零")))
        return;
    const stocktools::Zeroed z = stocktools::zeroListed(m_context.DM1.ADOC1(), m_filter);
    if (!showOutcome(this, z.outcome))
        return;
    // The same list again: its rows now hold no stock, and the totals are 0.
    showFilter(m_filter);
}

void TFkcfx1::SB66Click()
{
    if (!showsPrices()) {
        msg::warning(this, QStringLiteral("库存价格未显示，不可换算！"));
        return;
    }
    if (!listHasRows(QStringLiteral("没有数据可换算，请先查询！")))
        return;
    int row = DBGrid1->currentRow();
    if (row < 0)
        row = 0;
    const GridRows &rows = DBGrid1->rows();
    ConversionSource source;
    source.id = rows.value(row, QStringLiteral("id")).toLongLong();
    source.txm = rows.value(row, QStringLiteral("txm")).toString();
    source.ppgg = rows.value(row, QStringLiteral("ppgg")).toString();
    source.dw = rows.value(row, QStringLiteral("dw")).toString();
    source.kcsl = Decimal::fromUnits(rows.value(row, QStringLiteral("kcsl")).toLongLong());
    ModalDialog<TFxgkcfx2> dialog(new TFxgkcfx2(m_context, source, this));
    dialog.exec();
    if (dialog.gone())
        return;
    if (dialog->converted())
        showFilter(*dialog->converted());
}

void TFkcfx1::SB33Click()
{
    if (!showsPrices()) {
        msg::warning(this, QStringLiteral("库存价格未显示，不可拆零！"));
        return;
    }
    if (!checkOpen())
        return;
    ModalDialog<TFchai1> dialog(new TFchai1(m_context, this));
    dialog.exec();
}

void TFkcfx1::SB44Click()
{
    if (!showsPrices()) {
        msg::warning(this, QStringLiteral("库存价格未显示，不可组装！"));
        return;
    }
    if (!checkOpen())
        return;
    ModalDialog<TFzu1> dialog(new TFzu1(m_context, this));
    dialog.exec();
}

void TFkcfx1::SB77Click()
{
    ModalDialog<TFcxsp1> dialog(new TFcxsp1(m_context, *this, this));
    dialog.exec();
}

void TFkcfx1::preview(report::ListForm &form)
{
    try {
        form.setDataset(DBGrid1->rows().shownRows());
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    if (previewer)
        previewer(form);
    else
        report::preview(this, form);
}

void TFkcfx1::printWithPrices()
{
    if (!showsPrices()) {
        msg::warning(this, QStringLiteral("库存价格未显示，不可打印！"));
        return;
    }
    if (!listHasRows(QStringLiteral("没有数据可打印，请先查询！")))
        return;
    TFdykcfx1 form;
    form.setHeading(m_context.DM1.ATdanwei1(), TFdykcfx1::title());
    form.setTotal(1, panelText(2));
    form.setTotal(2, panelText(4));
    preview(form);
}

void TFkcfx1::printWithoutPrices()
{
    if (!listHasRows(QStringLiteral("没有数据可打印，请先查询！")))
        return;
    TFdykcfx2 form;
    form.setHeading(m_context.DM1.ATdanwei1(), TFdykcfx2::title());
    form.setTotal(1, panelText(2));
    preview(form);
}
