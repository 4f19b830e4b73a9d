// The list-window machinery: title-click sorting of the fetched rows, the
// grid's model, the frame's counter and panels, and the spreadsheet export.
#include "TestSupport.h"
#include "XlsxReader.h"

#include "core/db/Sql.h"
#include "core/lists/GridRows.h"
#include "core/lists/SheetExport.h"
#include "ui/GridExport.h"
#include "ui/ListGrid.h"
#include "ui/ListWindow.h"

#include <QAbstractItemModelTester>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using Order = GridRows::Order;

namespace {

// Rows of a goods list: id, code, name, quantity (a decimal, in units).
Snapshot goods(const std::vector<std::tuple<qint64, QString, QString, qint64>> &rows)
{
    std::vector<QVariant> cells;
    for (const auto &[id, txm, ppgg, kcsl] : rows) {
        cells.push_back(id);
        cells.push_back(txm);
        cells.push_back(ppgg);
        cells.push_back(kcsl);
    }
    return Snapshot({u"id"_s, u"txm"_s, u"ppgg"_s, u"kcsl"_s}, std::move(cells));
}

std::vector<GridColumn> goodsColumns()
{
    return {{u"id"_s, u"序号"_s, 40},
            {u"txm"_s, u"编码"_s, 80},
            {u"ppgg"_s, u"商品名称"_s, 160},
            {u"kcsl"_s, u"库存数量"_s, 80}};
}

// The ids in the order shown.
QList<qint64> shownIds(const GridRows &rows)
{
    QList<qint64> out;
    for (int r = 0; r < rows.rowCount(); ++r)
        out << rows.value(r, u"id"_s).toLongLong();
    return out;
}

QList<qint64> ids(std::initializer_list<qint64> l)
{
    return QList<qint64>(l);
}

void addGoods(QSqlDatabase db, const QString &txm, const QString &ppgg, qint64 kcsl)
{
    sql::exec(db, u"INSERT INTO sp (lb, txm, ppgg, dw, kcsl) VALUES ('五金工具', ?, ?, '把', ?)"_s,
              {txm, ppgg, kcsl});
}

QString goodsStatement()
{
    return u"SELECT id, txm, ppgg, kcsl FROM sp ORDER BY id"_s;
}

bool isBold(const ListGrid &g, int column)
{
    return g.model()->headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().bold();
}

QList<int> boldColumns(const ListGrid &g)
{
    QList<int> out;
    for (int c = 0; c < g.model()->columnCount(); ++c)
        if (isBold(g, c))
            out << c;
    return out;
}

}  // namespace

class TestLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void titleClicks_data();
    void titleClicks();
    void sortIsStableInBothDirections();
    void sortComparesByKind_data();
    void sortComparesByKind();

    void gridSortsAndBoldsAcrossRequery();
    void gridIgnoresClicksWhenClosedOrUnsortable();
    void gridRefreshKeepsSortAndPlace();
    void gridCellsAlignmentAndRowColours();
    void enterAndDoubleClickChooseARow();
    void gridFitsItsColumnsWhenAsked();

    void frameCounterPanelsAndEsc();
    void closedListAnswersWithItsOwnMessage();

    void exportCellByCell();
    void exportOfEmptyListHasTitlesOnly();
    void exportOfLongListFollowsGridOrder();
    void exportWithoutSpreadsheetProgram();
    void exportThatCannotWrite();
    void reservedNamesAreUnique();

private:
    std::unique_ptr<QTemporaryDir> m_exportDir;
    QStringList m_opened;
};

void TestLists::init()
{
    m_exportDir = std::make_unique<QTemporaryDir>();
    gridexport::setFolder(QDir(m_exportDir->path()).filePath(u"导出数据"_s));
    m_opened.clear();
    gridexport::setOpener([this](const QString &path) {
        m_opened << path;
        return true;
    });
}

void TestLists::cleanup()
{
    gridexport::setOpener({});
    gridexport::setFolder({});
    m_exportDir.reset();
}

// ---- sorting the fetched rows ------------------------------------------------

void TestLists::titleClicks_data()
{
    QTest::addColumn<QList<int>>("clicks");  // grid columns clicked in turn
    QTest::addColumn<int>("order");          // the order after the last click
    QTest::addColumn<QString>("field");
    QTest::addColumn<QList<qint64>>("shown");

    // Statement order 1..4; names 螺丝 luosi, 扳手 banshou, 钉子 dingzi, 阿胶 ajiao
    QTest::newRow("first click ascending") << QList<int>{2} << int(Order::Ascending) << u"ppgg"_s
                                           << ids({4, 2, 3, 1});
    QTest::newRow("second click descending")
        << QList<int>{2, 2} << int(Order::Descending) << u"ppgg"_s << ids({1, 3, 2, 4});
    QTest::newRow("third click ascending again")
        << QList<int>{2, 2, 2} << int(Order::Ascending) << u"ppgg"_s << ids({4, 2, 3, 1});
    QTest::newRow("another column starts ascending")
        << QList<int>{2, 2, 3} << int(Order::Ascending) << u"kcsl"_s << ids({3, 1, 4, 2});
    QTest::newRow("back to the first column ascending")
        << QList<int>{2, 3, 2} << int(Order::Ascending) << u"ppgg"_s << ids({4, 2, 3, 1});
}

void TestLists::titleClicks()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, order);
    QFETCH(QString, field);
    QFETCH(QList<qint64>, shown);

    GridRows rows;
    rows.setColumns(goodsColumns());
    rows.open(goods({{1, u"001"_s, u"螺丝"_s, 50000},
                     {2, u"002"_s, u"扳手"_s, 1000000},
                     {3, u"003"_s, u"钉子"_s, -20000},
                     {4, u"004"_s, u"阿胶"_s, 90000}}));
    for (int c : clicks)
        rows.titleClicked(c);
    QCOMPARE(int(rows.sortOrder()), order);
    QCOMPARE(rows.sortField(), field);
    QCOMPARE(shownIds(rows), shown);
    // The rows as shown, for printing and export, in the same order.
    const Snapshot printed = rows.shownRows();
    QList<qint64> printedIds;
    for (int r = 0; r < printed.rowCount(); ++r)
        printedIds << printed.value(r, u"id"_s).toLongLong();
    QCOMPARE(printedIds, shown);
    QCOMPARE(printed.value(0, u"ppgg"_s), rows.value(0, u"ppgg"_s));

    // Opening again restores the statement's order and forgets the sort.
    rows.open(rows.snapshot());
    QCOMPARE(shownIds(rows), ids({1, 2, 3, 4}));
    QCOMPARE(rows.shownRows().value(0, u"id"_s).toLongLong(), 1);
    QCOMPARE(rows.sortOrder(), Order::None);
    rows.titleClicked(clicks.last());
    QCOMPARE(rows.sortOrder(), Order::Ascending);
}

void TestLists::sortIsStableInBothDirections()
{
    // Many rows with few names, interleaved in the statement: equal names keep
    // the statement's order whichever way the list is sorted.
    const QStringList names{u"螺丝"_s, u"扳手"_s, u"钉子"_s};
    std::vector<std::tuple<qint64, QString, QString, qint64>> statement;
    for (int i = 0; i < 300; ++i)
        statement.emplace_back(i + 1, QString::number(i % 7), names[(i * 7 + i / 5) % 3], 0);
    GridRows rows;
    rows.setColumns(goodsColumns());
    rows.open(goods(statement));
    auto check = [&rows](bool ascending) {
        for (int r = 1; r < rows.rowCount(); ++r) {
            const QString previous = rows.text(r - 1, 2);
            const QString name = rows.text(r, 2);
            if (previous == name) {
                QVERIFY2(rows.value(r - 1, u"id"_s).toLongLong() < rows.value(r, u"id"_s).toLongLong(),
                         "equal names out of the statement's order");
            } else {
                // 扳手 banshou, 钉子 dingzi, 螺丝 luosi
                const QStringList order{u"扳手"_s, u"钉子"_s, u"螺丝"_s};
                QCOMPARE(order.indexOf(previous) < order.indexOf(name), ascending);
            }
        }
    };
    rows.titleClicked(2);
    check(true);
    rows.titleClicked(2);
    check(false);
    // Every sort starts from the statement's order, not from the previous
    // sort: by code first, then by name, gives the same as by name alone.
    rows.titleClicked(1);
    rows.titleClicked(2);
    check(true);
}

void TestLists::sortComparesByKind_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QList<qint64>>("ascending");

    // decimals: 10, -2, 9.5, empty, 100 -> empty, -2, 9.5, 10, 100
    QTest::newRow("decimals as numbers") << 3 << ids({4, 2, 3, 1, 5});
    // codes "10", "010", "9", "", "100" -> "", "010", "10", "100", "9"
    QTest::newRow("codes as texts") << 1 << ids({4, 2, 1, 5, 3});
    // 张三 zhang, 阿强 a, 白云 bai, "", 陈皮 chen: pinyin, not code points
    QTest::newRow("Chinese in pinyin order") << 2 << ids({4, 2, 3, 5, 1});
}

void TestLists::sortComparesByKind()
{
    QFETCH(int, column);
    QFETCH(QList<qint64>, ascending);

    std::vector<QVariant> cells = {
        qint64(1), u"10"_s,  u"张三"_s, qint64(100000), qint64(2), u"010"_s, u"阿强"_s, qint64(-20000),
        qint64(3), u"9"_s,   u"白云"_s, qint64(95000),  qint64(4), u""_s,    QVariant(), QVariant(),
        qint64(5), u"100"_s, u"陈皮"_s, qint64(1000000)};
    GridRows rows;
    rows.setColumns(goodsColumns());
    rows.open(Snapshot({u"id"_s, u"txm"_s, u"ppgg"_s, u"kcsl"_s}, cells));
    rows.sort(column, Order::Ascending);
    QCOMPARE(shownIds(rows), ascending);
    rows.sort(column, Order::Descending);
    QList<qint64> descending(ascending.rbegin(), ascending.rend());
    QCOMPARE(shownIds(rows), descending);

    // Counters 2 and 10 compare as numbers.
    GridRows counters;
    counters.setColumns({{u"id"_s, u"序号"_s}});
    counters.open(Snapshot({u"id"_s}, {qint64(10), qint64(2), qint64(33)}));
    counters.sort(0, Order::Ascending);
    QCOMPARE(shownIds(counters), ids({2, 10, 33}));
}

// ---- the grid --------------------------------------------------------------

void TestLists::gridSortsAndBoldsAcrossRequery()
{
    FreshShop shop;
    addGoods(shop.db(), u"003"_s, u"扳手"_s, 10000);
    addGoods(shop.db(), u"001"_s, u"螺丝"_s, 20000);
    addGoods(shop.db(), u"002"_s, u"阿胶"_s, 30000);

    ListGrid grid;
    QAbstractItemModelTester tester(grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    grid.setColumns(goodsColumns());
    grid.open(shop.db(), goodsStatement());
    auto names = [&grid] {
        QStringList out;
        for (int r = 0; r < grid.rowCount(); ++r)
            out << grid.model()->index(r, 2).data().toString();
        return out;
    };
    QCOMPARE(names(), (QStringList{u"扳手"_s, u"螺丝"_s, u"阿胶"_s}));
    QVERIFY(boldColumns(grid).isEmpty());

    // Through the header, as the operator clicks it.
    QHeaderView *titles = grid.horizontalHeader();
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const QPoint nameTitle(titles->sectionViewportPosition(2) + 20, titles->height() / 2);
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, nameTitle);
    QCOMPARE(names(), (QStringList{u"阿胶"_s, u"扳手"_s, u"螺丝"_s}));
    QCOMPARE(boldColumns(grid), QList<int>{2});
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, nameTitle);
    QCOMPARE(names(), (QStringList{u"螺丝"_s, u"扳手"_s, u"阿胶"_s}));
    QCOMPARE(boldColumns(grid), QList<int>{2});

    // Another title: the previous one goes back to regular.
    grid.titleClick(1);
    QCOMPARE(names(), (QStringList{u"螺丝"_s, u"阿胶"_s, u"扳手"_s}));
    QCOMPARE(boldColumns(grid), QList<int>{1});
    grid.titleClick(2);
    grid.titleClick(2);

    // Re-querying: the statement's order, the bold title as it was, and the
    // next click on it ascending.
    addGoods(shop.db(), u"004"_s, u"钉子"_s, 0);
    grid.open(shop.db(), goodsStatement());
    QCOMPARE(names(), (QStringList{u"扳手"_s, u"螺丝"_s, u"阿胶"_s, u"钉子"_s}));
    QCOMPARE(boldColumns(grid), QList<int>{2});
    grid.titleClick(2);
    QCOMPARE(names(), (QStringList{u"阿胶"_s, u"扳手"_s, u"钉子"_s, u"螺丝"_s}));
}

void TestLists::gridIgnoresClicksWhenClosedOrUnsortable()
{
    FreshShop shop;
    addGoods(shop.db(), u"1"_s, u"螺丝"_s, 0);
    addGoods(shop.db(), u"2"_s, u"扳手"_s, 0);

    ListGrid closed;
    closed.setColumns(goodsColumns());
    QSignalSpy closedSpy(&closed, &ListGrid::rowsChanged);
    closed.titleClick(2);
    QVERIFY(boldColumns(closed).isEmpty());
    QCOMPARE(closedSpy.count(), 0);
    QVERIFY(!closed.isOpen());

    ListGrid fixed;
    fixed.setColumns(goodsColumns());
    fixed.setSortable(false);
    fixed.open(shop.db(), goodsStatement());
    fixed.titleClick(2);
    QVERIFY(boldColumns(fixed).isEmpty());
    QCOMPARE(fixed.model()->index(0, 2).data().toString(), u"螺丝"_s);

    // A statement that fails leaves the grid closed and says why.
    ListGrid broken;
    broken.setColumns(goodsColumns());
    broken.open(shop.db(), goodsStatement());
    QVERIFY_THROWS_EXCEPTION(DbError, broken.open(shop.db(), u"SELECT * FROM nosuchtable"_s));
    QVERIFY(!broken.isOpen());
    QCOMPARE(broken.rowCount(), 0);
}

void TestLists::gridRefreshKeepsSortAndPlace()
{
    FreshShop shop;
    for (const QString &name : {u"扳手"_s, u"螺丝"_s, u"阿胶"_s, u"钉子"_s})
        addGoods(shop.db(), u"-"_s, name, 0);
    ListGrid grid;
    grid.setColumns(goodsColumns());
    grid.open(shop.db(), goodsStatement());
    grid.titleClick(2);
    grid.titleClick(2);  // 螺丝 钉子 扳手 阿胶
    grid.setCurrentRow(1);
    QCOMPARE(grid.currentValue(u"ppgg"_s).toString(), u"钉子"_s);
    // The current row stays on its record through a sort.
    grid.titleClick(3);
    QCOMPARE(grid.currentValue(u"ppgg"_s).toString(), u"钉子"_s);
    grid.titleClick(2);
    grid.titleClick(2);
    grid.setCurrentRow(1);

    // The window's own change: the sort stays and the place is kept.
    addGoods(shop.db(), u"-"_s, u"铁锤"_s, 0);  // tie chui
    grid.refresh();
    QCOMPARE(grid.rows().sortOrder(), Order::Descending);
    QStringList names;
    for (int r = 0; r < grid.rowCount(); ++r)
        names << grid.rows().text(r, 2);
    QCOMPARE(names, (QStringList{u"铁锤"_s, u"螺丝"_s, u"钉子"_s, u"扳手"_s, u"阿胶"_s}));
    QCOMPARE(grid.currentRow(), 1);
    QVERIFY(grid.selectWhere(u"ppgg"_s, u"阿胶"_s));
    QCOMPARE(grid.currentRow(), 4);
    QVERIFY(!grid.selectWhere(u"ppgg"_s, u"没有"_s));
}

void TestLists::gridCellsAlignmentAndRowColours()
{
    ListGrid grid;
    QAbstractItemModelTester tester(grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    auto columns = goodsColumns();
    columns[0].hidden = true;
    columns[1].alignment = Qt::AlignHCenter;
    grid.setColumns(columns);
    grid.setRowRule([](const GridRow &row) {
        RowLook look;
        if (row.decimal(u"kcsl"_s).isNegative())
            look.text = Qt::red;
        if (row.text(u"txm"_s).isEmpty())
            look.background = Qt::yellow;
        return look;
    });
    grid.openRows(goods({{1, u"007"_s, u"螺丝"_s, -12500}, {2, QString(), u"扳手"_s, 30000}}));

    QAbstractItemModel *m = grid.model();
    QVERIFY(grid.isColumnHidden(0));
    QCOMPARE(grid.columnWidth(2), 160);
    QCOMPARE(m->index(0, 3).data().toString(), u"-1.25"_s);
    QCOMPARE(m->index(0, 1).data().toString(), u"007"_s);
    auto align = [m](int row, int column) {
        return m->index(row, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    QCOMPARE(align(0, 3), Qt::AlignRight | Qt::AlignVCenter);
    QCOMPARE(align(0, 2), Qt::AlignLeft | Qt::AlignVCenter);
    QCOMPARE(align(0, 1), Qt::AlignHCenter | Qt::AlignVCenter);
    QCOMPARE(m->headerData(3, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), u"商品名称"_s);

    QCOMPARE(m->index(0, 2).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QVERIFY(!m->index(0, 2).data(Qt::BackgroundRole).isValid());
    QVERIFY(!m->index(1, 2).data(Qt::ForegroundRole).isValid());
    QCOMPARE(m->index(1, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));

    // The rule follows its row through a sort.
    grid.titleClick(3);
    QCOMPARE(m->index(0, 2).data().toString(), u"螺丝"_s);
    grid.titleClick(3);
    QCOMPARE(m->index(1, 2).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QCOMPARE(grid.columnWidth(2), 160);
    QVERIFY(grid.isColumnHidden(0));
}

// A grid asked to keep its columns in sight narrows them to the room it has,
// the widest most and none below its title; with room it keeps its own
// widths, and once the operator drags a border the widths are his.
void TestLists::gridFitsItsColumnsWhenAsked()
{
    const std::vector<GridColumn> columns = goodsColumns();  // 40 + 80 + 160 + 80
    ListGrid grid;
    grid.setColumns(columns);
    grid.openRows(goods({{1, u"001"_s, u"螺丝"_s, 0}, {2, u"002"_s, u"扳手"_s, 0}}));
    grid.setFitColumns(true);
    grid.resize(300, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const auto widths = [&grid] {
        QList<int> out;
        for (int c = 0; c < grid.model()->columnCount(); ++c)
            out << grid.columnWidth(c);
        return out;
    };
    const auto inSight = [&] {
        int sum = 0;
        for (int c = 0; c < int(columns.size()); ++c) {
            const int w = grid.columnWidth(c);
            const int title =
                grid.horizontalHeader()->fontMetrics().horizontalAdvance(columns[size_t(c)].title);
            if (w > columns[size_t(c)].width || w < title)
                return false;
            sum += w;
        }
        return sum <= grid.viewport()->width();
    };
    QVERIFY2(inSight(), qPrintable(QDebug::toString(widths())));
    QTRY_COMPARE(grid.horizontalScrollBar()->maximum(), 0);
    QVERIFY(160 - grid.columnWidth(2) > 80 - grid.columnWidth(1));  // the name gave most

    // Rows opened again and a sort keep the fit.
    grid.openRows(goods({{3, u"003"_s, u"钉子"_s, 0}}));
    grid.titleClick(2);
    QVERIFY(inSight());

    // With room, the columns' own widths; narrower again, fitted again.
    grid.resize(600, 200);
    QCOMPARE(widths(), (QList<int>{40, 80, 160, 80}));
    grid.resize(280, 200);
    QVERIFY(inSight());
    QTRY_COMPARE(grid.horizontalScrollBar()->maximum(), 0);

    // The operator's widths are not undone.
    grid.setColumnWidth(2, 150);
    grid.resize(320, 200);
    QCOMPARE(grid.columnWidth(2), 150);

    // Not asked: a grid keeps its own widths (and scrolls).
    ListGrid plain;
    plain.setColumns(columns);
    plain.resize(300, 200);
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    QCOMPARE(plain.columnWidth(2), 160);
    // Its size hint asks for all of them.
    QVERIFY(plain.sizeHint().width() >= 360);
}

void TestLists::enterAndDoubleClickChooseARow()
{
    ListGrid grid;
    grid.setColumns(goodsColumns());
    grid.openRows(goods({{1, u"1"_s, u"螺丝"_s, 0}, {2, u"2"_s, u"扳手"_s, 0}}));
    grid.resize(400, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy chosen(&grid, &ListGrid::rowChosen);
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.currentRow(), 1);
    QTest::keyClick(&grid, Qt::Key_Return);
    QCOMPARE(chosen.count(), 1);
    const QRect cell = grid.visualRect(grid.model()->index(0, 2));
    // A double click is a press, a release, then the double click itself.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(grid.currentRow(), 0);
    // Below the last row there is nothing to choose.
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, QPoint(10, 190));
    QCOMPARE(chosen.count(), 2);
}

// ---- the frame ---------------------------------------------------------------

void TestLists::frameCounterPanelsAndEsc()
{
    FreshShop shop;
    addGoods(shop.db(), u"1"_s, u"螺丝"_s, 0);
    addGoods(shop.db(), u"2"_s, u"扳手"_s, 0);

    auto *w = new ListWindow;
    w->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<ListWindow> alive(w);
    w->setWindowTitle(u"商品资料"_s);
    w->grid()->setColumns(goodsColumns());
    int pressed = 0;
    QPushButton *b = w->addButton(u"查询"_s, [&pressed] { ++pressed; }, u"SB77"_s);
    QCOMPARE(b->objectName(), u"SB77"_s);
    w->showRecordCount();
    QCOMPARE(w->recordCountText(), u"记录数：0"_s);
    QVERIFY(w->query(shop.db(), goodsStatement()));
    QCOMPARE(w->recordCountText(), u"记录数：2"_s);
    QVERIFY(w->query(shop.db(), u"SELECT id, txm, ppgg, kcsl FROM sp WHERE ppgg = ?"_s, {u"扳手"_s}));
    QCOMPARE(w->recordCountText(), u"记录数：1"_s);
    b->click();
    QCOMPARE(pressed, 1);

    {
        ScriptedMessages messages;
        QVERIFY(!w->query(shop.db(), u"SELECT * FROM nosuchtable"_s));
        QCOMPARE(messages.shown().size(), size_t(1));
        QCOMPARE(messages.shown()[0].caption, u"错误"_s);
        QCOMPARE(w->recordCountText(), u"记录数：0"_s);
    }

    w->showPanels(5);
    QCOMPARE(w->panelText(0), u"总计"_s);
    w->setPanelText(2, u"120.5"_s);
    QCOMPARE(w->panelText(2), u"120.5"_s);
    QCOMPARE(w->panelText(7), QString());

    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->grid()->setFocus();
    QTest::keyClick(w->grid(), Qt::Key_Escape);
    QTRY_VERIFY(alive.isNull());

    // Inside a picker dialog, Esc and "关闭" close the dialog.
    QDialog picker;
    auto *inside = new ListWindow(&picker);
    (new QVBoxLayout(&picker))->addWidget(inside);
    inside->addButton(u"关闭"_s, [inside] { inside->closeWindow(); });
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    inside->grid()->setFocus();
    QTest::keyClick(inside->grid(), Qt::Key_Escape);
    QCOMPARE(picker.result(), int(QDialog::Rejected));
    QVERIFY(!picker.isVisible());
    picker.show();
    inside->findChild<QPushButton *>(u"关闭"_s)->click();
    QVERIFY(!picker.isVisible());
}

void TestLists::closedListAnswersWithItsOwnMessage()
{
    ScriptedMessages messages;
    ListWindow w;
    w.grid()->setColumns(goodsColumns());
    QVERIFY(!w.checkOpen());
    QCOMPARE(messages.last(), u"数据表未打开，请先查询！"_s);

    w.setClosedMessage(u"统计表未打开，请先统计！"_s);
    w.exportGrid();
    QCOMPARE(messages.shown().size(), size_t(2));
    QCOMPARE(messages.shown()[1].text, u"统计表未打开，请先统计！"_s);
    QCOMPARE(messages.shown()[1].caption, u"警告"_s);
    QCOMPARE(messages.shown()[1].icon, msg::Icon::Warning);
    QVERIFY(m_opened.isEmpty());
    QVERIFY(!QDir(gridexport::folder()).exists() || QDir(gridexport::folder()).isEmpty());
}

// ---- the export ---------------------------------------------------------------

void TestLists::exportCellByCell()
{
    ScriptedMessages messages;
    ListWindow w;
    w.setWindowTitle(u"商品资料"_s);
    auto columns = goodsColumns();
    columns[0].hidden = true;  // the id: an empty spreadsheet column A
    w.grid()->setColumns(columns);
    w.grid()->openRows(goods({{7, u"  00123 "_s, u"不锈钢螺丝 M6*20"_s, -125000},
                              {8, u"0"_s, u"  扳手  "_s, 30000},
                              {9, QString(), QString(), 0}}));
    w.grid()->titleClick(3);  // by quantity: 7, 9, 8
    w.grid()->setCurrentRow(1);
    w.exportGrid();

    QVERIFY2(messages.shown().empty(), qPrintable(messages.texts().join(u'|')));
    QCOMPARE(m_opened.size(), 1);
    const QString path = m_opened[0];
    QVERIFY(path.startsWith(gridexport::folder() + u'/'));
    QVERIFY(QFileInfo(path).fileName().startsWith(u"商品资料_"_s));
    QVERIFY(path.endsWith(u".xlsx"_s));
    const auto sheet = xlsxread::readFirstSheet(path);
    QVERIFY(sheet);

    const QStringList expected[] = {
        {QString(), u"编码"_s, u"商品名称"_s, u"库存数量"_s},
        {QString(), u"00123"_s, u"不锈钢螺丝 M6*20"_s, u"-12.5"_s},
        {QString(), QString(), QString(), u"0"_s},
        {QString(), u"0"_s, u"扳手"_s, u"3"_s},
    };
    QCOMPARE(sheet->lastRow, 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            QCOMPARE(sheet->cell(r + 1, c + 1), expected[r][c]);
    // Nothing at all in the hidden column; every visible column formatted as
    // text, and so is every cell written.
    for (int r = 1; r <= 4; ++r) {
        QVERIFY(!sheet->cells.contains(xlsxread::Sheet::reference(r, 1)));
        for (int c = 2; c <= 4; ++c)
            QCOMPARE(sheet->cellFormat(r, c), xlsxread::TextFormat);
    }
    QVERIFY(!sheet->columnFormats.contains(1));
    for (int c = 2; c <= 4; ++c)
        QCOMPARE(sheet->columnFormats.value(c), xlsxread::TextFormat);

    // The list is as it was: its order and its current row.
    QCOMPARE(w.grid()->rows().text(0, 2), u"不锈钢螺丝 M6*20"_s);
    QCOMPARE(w.grid()->currentRow(), 1);
}

void TestLists::exportOfEmptyListHasTitlesOnly()
{
    ScriptedMessages messages;
    FreshShop shop;
    ListWindow w;
    w.setWindowTitle(u"库存明细表"_s);
    w.grid()->setColumns(goodsColumns());
    QVERIFY(w.query(shop.db(), goodsStatement()));
    QCOMPARE(w.grid()->rowCount(), 0);
    w.exportGrid();
    QVERIFY(messages.shown().empty());
    QCOMPARE(m_opened.size(), 1);
    const auto sheet = xlsxread::readFirstSheet(m_opened[0]);
    QVERIFY(sheet);
    QCOMPARE(sheet->lastRow, 1);
    QCOMPARE(sheet->cells.size(), 4);
    QCOMPARE(sheet->cell(1, 1), u"序号"_s);
    QCOMPARE(sheet->cell(1, 4), u"库存数量"_s);
}

void TestLists::exportOfLongListFollowsGridOrder()
{
    // Long enough for the worker thread and the progress dialog to matter.
    const int n = 30000;
    std::vector<std::tuple<qint64, QString, QString, qint64>> rows;
    rows.reserve(n);
    for (int i = 0; i < n; ++i)
        rows.emplace_back(i + 1, QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')),
                          u"螺丝"_s, qint64((i * 7919) % 1000) * 100);
    ScriptedMessages messages;
    ListWindow w;
    w.setWindowTitle(u"库存明细表"_s);
    w.grid()->setColumns(goodsColumns());
    w.grid()->openRows(goods(rows));
    w.grid()->titleClick(3);
    w.grid()->titleClick(3);
    // The program's own timers keep running while the sheet is written.
    int ticks = 0;
    int ticksWhenWritten = -1;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    gridexport::setOpener([&](const QString &path) {
        ticksWhenWritten = ticks;
        m_opened << path;
        return true;
    });
    w.exportGrid();
    QVERIFY2(ticksWhenWritten > 0, "the event loop stood still during the export");
    QVERIFY(messages.shown().empty());
    QCOMPARE(m_opened.size(), 1);
    const auto sheet = xlsxread::readFirstSheet(m_opened[0]);
    QVERIFY(sheet);
    QCOMPARE(sheet->lastRow, n + 1);
    const GridRows &shown = w.grid()->rows();
    for (int r : {0, 1, 2, n / 2, n - 1}) {
        QCOMPARE(sheet->cell(r + 2, 1), shown.text(r, 0));
        QCOMPARE(sheet->cell(r + 2, 2), shown.text(r, 1));
        QCOMPARE(sheet->cell(r + 2, 4), shown.text(r, 3));
    }
    QCOMPARE(sheet->cell(2, 4), u"9.99"_s);  // the largest quantity first
}

void TestLists::exportWithoutSpreadsheetProgram()
{
    gridexport::setOpener([this](const QString &path) {
        m_opened << path;
        return false;
    });
    ScriptedMessages messages;
    ListWindow w;
    w.setWindowTitle(u"销售明细表"_s);
    w.grid()->setColumns(goodsColumns());
    w.grid()->openRows(goods({{1, u"1"_s, u"螺丝"_s, 0}, {2, u"2"_s, u"扳手"_s, 0}}));
    w.grid()->titleClick(2);
    w.exportGrid();
    QCOMPARE(messages.shown().size(), size_t(1));
    QCOMPARE(messages.shown()[0].text, u"电脑没有安装Microsoft Excel，不可导出！"_s);
    QCOMPARE(messages.shown()[0].caption, u"警告"_s);
    QCOMPARE(messages.shown()[0].icon, msg::Icon::Warning);
    // No sheet left behind, and the list unchanged.
    QCOMPARE(m_opened.size(), 1);
    QVERIFY(!QFile::exists(m_opened[0]));
    QCOMPARE(w.grid()->rows().sortOrder(), Order::Ascending);
    QCOMPARE(w.grid()->rowCount(), 2);
}

void TestLists::exportThatCannotWrite()
{
    // The export folder's place is taken by a file: nothing can be written.
    const QString blocker = QDir(m_exportDir->path()).filePath(u"blocked"_s);
    {
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    gridexport::setFolder(blocker + u"/导出数据"_s);
    ScriptedMessages messages;
    ListWindow w;
    w.grid()->setColumns(goodsColumns());
    w.grid()->openRows(goods({{1, u"1"_s, u"螺丝"_s, 0}}));
    w.exportGrid();
    QCOMPARE(messages.texts(), QStringList{u"数据导出失败！"_s});
    QCOMPARE(messages.shown()[0].caption, u"提示"_s);
    QCOMPARE(messages.shown()[0].icon, msg::Icon::Information);
    QVERIFY(m_opened.isEmpty());

    // The writer itself reports a file it cannot make.
    GridRows rows = w.grid()->rows();
    QVERIFY(sheetexport::write(blocker + u"/x.xlsx"_s, rows).has_value());
}

void TestLists::reservedNamesAreUnique()
{
    const QString folder = QDir(m_exportDir->path()).filePath(u"导出数据"_s);
    const QDateTime at(QDate(2024, 3, 5), QTime(9, 8, 7));
    const QString first = sheetexport::reserveFile(folder, u"采购/明细:表"_s, at);
    const QString second = sheetexport::reserveFile(folder, u"采购/明细:表"_s, at);
    QCOMPARE(QFileInfo(first).fileName(), u"采购_明细_表_20240305_090807.xlsx"_s);
    QCOMPARE(QFileInfo(second).fileName(), u"采购_明细_表_20240305_090807_2.xlsx"_s);
    QVERIFY(QFile::exists(first) && QFile::exists(second));
    QCOMPARE(sheetexport::folderIn(u"/opt/shop"_s), u"/opt/shop/导出数据"_s);
}

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
