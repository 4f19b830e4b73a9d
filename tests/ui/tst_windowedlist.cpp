// A list grid as a window onto its statement, on a list of 100,000 rows: the
// model under the item-model tester, the pages it holds, title sorts on the
// database, re-querying, the current row, Enter, colours and sums.
#include "TestSupport.h"
#include "XlsxReader.h"

#include "core/db/Snapshot.h"
#include "core/db/Sql.h"
#include "core/lists/GridRows.h"
#include "core/lists/ListQuery.h"
#include "ui/GridExport.h"
#include "ui/ListGrid.h"
#include "ui/ListWindow.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QFont>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using Order = GridRows::Order;

namespace {

constexpr int Articles = 100000;

void makeCatalogue(QSqlDatabase db, int count)
{
    const QStringList kinds{u"不锈钢螺丝"_s, u"膨胀螺栓"_s, u"镀锌管"_s, u"扳手"_s,
                            u"电焊条"_s,     u"水龙头"_s,   u"球阀"_s,   u"O'Brien 钳子"_s};
    Transaction t(db);
    QSqlQuery q(db);
    q.prepare(u"INSERT INTO sp (lb, txm, ppgg, dw, kcsl, kcje) VALUES (?, ?, ?, '个', ?, ?)"_s);
    for (int i = 0; i < count; ++i) {
        const int n = int((qint64(i) * 7919) % count);  // names not in the order of entry
        q.addBindValue(i % 10 == 0 ? u"紧固件"_s : u"五金工具"_s);
        q.addBindValue(QString::number(n % 1000));
        // Many articles share a name.
        q.addBindValue(QString(kinds[n % kinds.size()] + u" M"_s + QString::number(n % 50)));
        q.addBindValue(qlonglong((n % 200 - 20) * 10000));
        q.addBindValue(qlonglong(n % 977) * 100);
        if (!q.exec())
            qFatal("cannot add goods");
    }
    t.commit();
}

// Without indexed columns every title sort is one the window sorts itself;
// with them, sorts by name and code are the database's own pages.
ListQuery goodsByName(const QString &where = QString(), const sql::Binds &binds = {},
                      bool indexed = false)
{
    QString base = u"SELECT id, txm, ppgg, kcsl, kcje FROM sp"_s;
    if (!where.isEmpty())
        base += u" WHERE "_s + where;
    ListQuery q(base, binds, {{u"ppgg"_s, false, true}});
    if (indexed)
        q.setIndexedColumns({u"ppgg"_s, u"txm"_s});
    return q;
}

std::vector<GridColumn> columns()
{
    return {{u"txm"_s, u"编码"_s, 80},
            {u"ppgg"_s, u"商品名称"_s, 160},
            {u"kcsl"_s, u"库存数量"_s, 80},
            {u"kcje"_s, u"库存金额"_s, 80}};
}

// The rows the database gives for the grid's statement in the grid's order.
Snapshot whole(QSqlDatabase db, const GridRows &rows)
{
    return Snapshot::fetch(db, rows.query().statement(rows.shownOrder()), rows.query().binds());
}

bool isBold(const ListGrid &g, int column)
{
    return g.model()->headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().bold();
}

}  // namespace

class TestWindowedList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void modelPassesTheTester();
    void holdsAFewPagesWhereverItIsScrolled();
    void titleClicksSortOnTheDatabase_data();
    void titleClicksSortOnTheDatabase();
    void currentRowFollowsItsRecord_data();
    void currentRowFollowsItsRecord();
    void requeryRestoresTheStatementsOrder();
    void refreshKeepsSortAndPlace();
    void enterDoubleClickAndColours();
    void sumsAndKeysOverTheWholeResult();
    void smallAndLongListsAnswerAlike();
    void failingStatementLeavesTheGridClosed();
    void exportWalksTheStatementCellByCell_data();
    void exportWalksTheStatementCellByCell();
    void printGetsTheListInItsOrder();

private:
    std::unique_ptr<FreshShop> m_shop;
};

void TestWindowedList::initTestCase()
{
    m_shop = std::make_unique<FreshShop>();
    makeCatalogue(m_shop->db(), Articles);
}

void TestWindowedList::modelPassesTheTester()
{
    ListGrid grid;
    QAbstractItemModelTester tester(grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    grid.setColumns(columns());
    grid.openQuery(m_shop->db(), goodsByName());
    QCOMPARE(grid.rowCount(), Articles);
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.titleClick(2);
    grid.titleClick(2);
    grid.setCurrentRow(Articles - 1);
    grid.refresh();
    grid.openQuery(m_shop->db(), goodsByName(u"lb = ?"_s, {u"紧固件"_s}));
    QCOMPARE(grid.rowCount(), Articles / 10);
    grid.close();
    QCOMPARE(grid.rowCount(), 0);
}

void TestWindowedList::holdsAFewPagesWhereverItIsScrolled()
{
    ListGrid grid;
    grid.setColumns(columns());
    grid.openQuery(m_shop->db(), goodsByName());
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const GridRows &rows = grid.rows();
    QVERIFY(rows.isWindowed());
    const Snapshot expected = whole(m_shop->db(), rows);
    QCOMPARE(expected.rowCount(), Articles);

    QScrollBar *bar = grid.verticalScrollBar();
    for (int place : {0, 37, Articles / 3, Articles / 2, Articles - 1, 12345, 5}) {
        bar->setValue(place);
        grid.viewport()->repaint();
        QVERIFY2(rows.pagesHeld() <= GridRows::KeptPages, qPrintable(QString::number(rows.pagesHeld())));
        // What the grid shows there is what the statement has there.
        const int top = grid.rowAt(0);
        QVERIFY(top >= 0);
        for (int r = top; r < std::min(top + 10, Articles); ++r)
            for (int c = 0; c < 4; ++c)
                QCOMPARE(grid.model()->index(r, c).data().toString(),
                         expected.displayText(r, expected.columnIndex(columns()[size_t(c)].field)));
    }
    QCOMPARE(rows.value(Articles - 1, u"id"_s), expected.value(Articles - 1, u"id"_s));
    QVERIFY(!rows.value(Articles, u"id"_s).isValid());
}

void TestWindowedList::titleClicksSortOnTheDatabase_data()
{
    QTest::addColumn<bool>("indexed");
    QTest::newRow("sorted by the window") << false;
    QTest::newRow("name and code by an index") << true;
}

// The rows shown after each click are the database's for that ORDER BY, in
// both ways of sorting: the window's own sort of the keys and the database's
// pages.
void TestWindowedList::titleClicksSortOnTheDatabase()
{
    QFETCH(bool, indexed);
    ListGrid grid;
    grid.setColumns(columns());
    grid.openQuery(m_shop->db(), goodsByName({}, {}, indexed));
    const GridRows &rows = grid.rows();

    struct Click {
        int column;
        Order order;
    };
    // Name up, name down, code up, quantity up, quantity down, name up again.
    for (const Click &click : {Click{1, Order::Ascending}, Click{1, Order::Descending},
                               Click{0, Order::Ascending}, Click{2, Order::Ascending},
                               Click{2, Order::Descending}, Click{1, Order::Ascending}}) {
        grid.titleClick(click.column);
        QCOMPARE(rows.sortOrder(), click.order);
        QCOMPARE(rows.sortField(), columns()[size_t(click.column)].field);
        QVERIFY(isBold(grid, click.column));
        QCOMPARE(grid.rowCount(), Articles);
        QCOMPARE(rows.sortedKeys() != nullptr, !indexed || click.column == 2);
        const Snapshot expected = whole(m_shop->db(), rows);
        const int field = expected.columnIndex(columns()[size_t(click.column)].field);
        const int id = expected.columnIndex(u"id"_s);
        for (int r : {0, 1, 199, 200, 201, Articles / 2, Articles - 2, Articles - 1})
            QCOMPARE(rows.value(r, u"id"_s), expected.value(r, id));
        // The order is the column's and, among equal values, the order of
        // entry (turned round going down).
        for (int r = 1; r < 3000; ++r) {
            const QVariant a = expected.value(r - 1, field), b = expected.value(r, field);
            if (a == b) {
                QCOMPARE(expected.toLongLong(r - 1, id) < expected.toLongLong(r, id),
                         click.order == Order::Ascending);
            } else if (click.column == 2) {
                QCOMPARE(a.toLongLong() < b.toLongLong(), click.order == Order::Ascending);
            }
        }
    }
    // Only one bold title.
    QVERIFY(!isBold(grid, 0) && !isBold(grid, 2) && !isBold(grid, 3));
}

void TestWindowedList::currentRowFollowsItsRecord_data()
{
    titleClicksSortOnTheDatabase_data();
}

void TestWindowedList::currentRowFollowsItsRecord()
{
    QFETCH(bool, indexed);
    ListGrid grid;
    grid.setColumns(columns());
    grid.openQuery(m_shop->db(), goodsByName({}, {}, indexed));
    QCOMPARE(grid.currentRow(), 0);
    grid.setCurrentRow(73456);
    const QVariant id = grid.currentValue(u"id"_s);
    const QString name = grid.currentValue(u"ppgg"_s).toString();
    for (int column : {0, 2, 2, 1, 3}) {
        grid.titleClick(column);
        QCOMPARE(grid.currentValue(u"id"_s), id);
        QCOMPARE(grid.currentValue(u"ppgg"_s).toString(), name);
        QCOMPARE(grid.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(grid.selectionModel()->selectedRows().first().row(), grid.currentRow());
    }

    // Found by any field, in the order shown, wherever it is.
    const qint64 last = sql::scalar(m_shop->db(), u"SELECT max(id) FROM sp"_s).toLongLong();
    QVERIFY(grid.selectWhere(u"id"_s, last));
    QCOMPARE(grid.currentValue(u"id"_s).toLongLong(), last);
    QVERIFY(grid.selectWhere(u"txm"_s, u"999"_s));
    const Snapshot expected = whole(m_shop->db(), grid.rows());
    int first = 0;
    while (expected.value(first, u"txm"_s).toString() != u"999"_s)
        ++first;
    QCOMPARE(grid.currentRow(), first);
    QVERIFY(grid.selectWhere(u"ppgg"_s, u"O'Brien 钳子 M7"_s));
    QCOMPARE(grid.currentValue(u"ppgg"_s).toString(), u"O'Brien 钳子 M7"_s);
    const int before = grid.currentRow();
    QVERIFY(!grid.selectWhere(u"ppgg"_s, u"没有"_s));
    QVERIFY(!grid.selectWhere(u"nosuchfield"_s, 1));
    QCOMPARE(grid.currentRow(), before);
}

void TestWindowedList::requeryRestoresTheStatementsOrder()
{
    ListGrid grid;
    grid.setColumns(columns());
    grid.openQuery(m_shop->db(), goodsByName());
    const QVariant firstByName = grid.rows().value(0, u"id"_s);
    grid.titleClick(1);
    grid.titleClick(1);
    QCOMPARE(grid.rows().sortOrder(), Order::Descending);
    QVERIFY(grid.rows().value(0, u"id"_s) != firstByName);

    // A category click: the statement's order, the bold title as it was, and
    // the next click on it ascending.
    grid.openQuery(m_shop->db(), goodsByName(u"lb = ?"_s, {u"紧固件"_s}));
    QCOMPARE(grid.rows().sortOrder(), Order::None);
    QVERIFY(isBold(grid, 1));
    QCOMPARE(grid.currentRow(), 0);
    const Snapshot own = whole(m_shop->db(), grid.rows());
    QCOMPARE(grid.rows().value(0, u"id"_s), own.value(0, u"id"_s));
    grid.titleClick(1);
    QCOMPARE(grid.rows().sortOrder(), Order::Ascending);
    // Sorted up by name is the statement's own order.
    QCOMPARE(grid.rows().value(5000, u"id"_s), own.value(5000, u"id"_s));
}

void TestWindowedList::refreshKeepsSortAndPlace()
{
    FreshShop shop;
    makeCatalogue(shop.db(), 5000);
    ListGrid grid;
    grid.setColumns(columns());
    grid.openQuery(shop.db(), goodsByName());
    grid.titleClick(2);
    grid.titleClick(2);
    grid.setCurrentRow(2500);
    sql::exec(shop.db(), u"INSERT INTO sp (lb, txm, ppgg, dw, kcsl) VALUES ('紧固件', 'N', '新', '个', ?)"_s,
              {qlonglong(999990000)});
    QSignalSpy changed(&grid, &ListGrid::rowsChanged);
    grid.refresh();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(grid.rowCount(), 5001);
    QCOMPARE(grid.rows().sortOrder(), Order::Descending);
    QCOMPARE(grid.currentRow(), 2500);
    // The new article has the most in stock: first going down.
    QCOMPARE(grid.rows().value(0, u"ppgg"_s).toString(), u"新"_s);
    QVERIFY(isBold(grid, 2));
}

void TestWindowedList::enterDoubleClickAndColours()
{
    ListGrid grid;
    grid.setColumns(columns());
    grid.setRowRule([](const GridRow &row) {
        RowLook look;
        if (row.decimal(u"kcsl"_s).isNegative())
            look.text = Qt::red;
        return look;
    });
    grid.openQuery(m_shop->db(), goodsByName());
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QAbstractItemModel *m = grid.model();
    for (int r : {0, 1, 500, 77777, Articles - 1}) {
        const bool negative = grid.rows().value(r, u"kcsl"_s).toLongLong() < 0;
        QCOMPARE(m->index(r, 1).data(Qt::ForegroundRole).isValid(), negative);
    }
    QCOMPARE(m->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignRight | Qt::AlignVCenter);

    grid.setCurrentRow(64000);
    QSignalSpy chosen(&grid, &ListGrid::rowChosen);
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.currentRow(), 64001);
    QTest::keyClick(&grid, Qt::Key_Return);
    QCOMPARE(chosen.count(), 1);
    const QRect cell = grid.visualRect(m->index(64001, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(chosen.count(), 2);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(grid.currentRow(), Articles - 1);
}

void TestWindowedList::sumsAndKeysOverTheWholeResult()
{
    ListWindow w;
    w.grid()->setColumns(columns());
    w.showRecordCount();
    QVERIFY(w.query(m_shop->db(), goodsByName(u"lb = ?"_s, {u"紧固件"_s})));
    QCOMPARE(w.recordCountText(), u"记录数：10000"_s);
    const std::vector<QVariant> sums = w.grid()->rows().sums({u"kcsl"_s, u"nosuch"_s, u"kcje"_s});
    QCOMPARE(sums[0].toLongLong(),
             sql::scalar(m_shop->db(), u"SELECT sum(kcsl) FROM sp WHERE lb = '紧固件'"_s).toLongLong());
    QCOMPARE(sums[1].toLongLong(), 0);
    QCOMPARE(sums[2].toLongLong(),
             sql::scalar(m_shop->db(), u"SELECT sum(kcje) FROM sp WHERE lb = '紧固件'"_s).toLongLong());
    w.grid()->titleClick(0);
    const std::vector<qint64> keys = w.grid()->rows().keys();
    QCOMPARE(keys.size(), size_t(10000));
    for (int r : {0, 4999, 9999})
        QCOMPARE(keys[size_t(r)], w.grid()->rows().value(r, u"id"_s).toLongLong());
}

// Rows fetched whole and rows seen through a window answer the same calls
// alike: the same texts, the same current row after a title click, the same
// rows found.
void TestWindowedList::smallAndLongListsAnswerAlike()
{
    FreshShop shop;
    makeCatalogue(shop.db(), 150);
    const ListQuery q = goodsByName();
    ListGrid fetched, windowed;
    for (ListGrid *g : {&fetched, &windowed})
        g->setColumns(columns());
    fetched.open(shop.db(), q.statement(q.order()), q.binds());
    windowed.openQuery(shop.db(), q);
    auto same = [&] {
        QCOMPARE(windowed.rowCount(), fetched.rowCount());
        for (int r = 0; r < fetched.rowCount(); ++r)
            for (int c = 0; c < 4; ++c)
                QCOMPARE(windowed.rows().text(r, c), fetched.rows().text(r, c));
        QCOMPARE(windowed.currentRow(), fetched.currentRow());
    };
    same();
    for (ListGrid *g : {&fetched, &windowed}) {
        g->setCurrentRow(77);
        g->titleClick(2);  // by quantity: numbers either way
        g->titleClick(2);
    }
    same();
    for (ListGrid *g : {&fetched, &windowed})
        QVERIFY(g->selectWhere(u"txm"_s, fetched.rows().value(120, u"txm"_s)));
    same();
    // Names in the lists' name order (pinyin, Latin after Chinese) both ways,
    // equal names in the order of entry.
    for (int click = 0; click < 2; ++click) {
        for (ListGrid *g : {&fetched, &windowed})
            g->titleClick(1);
        same();
    }
    QCOMPARE(windowed.rows().sortOrder(), Order::Descending);
    QVERIFY(windowed.rows().text(0, 1).startsWith(u"O'Brien"_s));
}

void TestWindowedList::failingStatementLeavesTheGridClosed()
{
    ScriptedMessages messages;
    ListWindow w;
    w.grid()->setColumns(columns());
    w.showRecordCount();
    QVERIFY(w.query(m_shop->db(), goodsByName()));
    QVERIFY(!w.query(m_shop->db(), ListQuery(u"SELECT * FROM nosuchtable"_s, {}, {})));
    QCOMPARE(messages.shown().size(), size_t(1));
    QCOMPARE(messages.shown()[0].caption, u"错误"_s);
    QVERIFY(!w.grid()->isOpen());
    QCOMPARE(w.recordCountText(), u"记录数：0"_s);
}

// The export of a window onto 10,000 rows, sorted by a title click: every
// cell read back is the statement's in the grid's order, a hidden column
// stays empty, and the list keeps its order, current row and few pages.
void TestWindowedList::exportWalksTheStatementCellByCell_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("indexed");
    QTest::newRow("quantity, keys sorted by the window") << 2 << false;
    QTest::newRow("name, the statement walked") << 1 << true;
}

void TestWindowedList::exportWalksTheStatementCellByCell()
{
    QFETCH(int, column);
    QFETCH(bool, indexed);
    QTemporaryDir dir;
    gridexport::setFolder(QDir(dir.path()).filePath(u"导出数据"_s));
    QStringList opened;
    int ticks = 0, ticksWhenWritten = -1;
    gridexport::setOpener([&](const QString &path) {
        ticksWhenWritten = ticks;
        opened << path;
        return true;
    });
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(5);

    ScriptedMessages messages;
    ListWindow w;
    w.setWindowTitle(u"商品资料"_s);
    auto shownColumns = columns();
    shownColumns[3].hidden = true;
    w.grid()->setColumns(shownColumns);
    QVERIFY(w.query(m_shop->db(), goodsByName(u"lb = ?"_s, {u"紧固件"_s}, indexed)));
    w.grid()->titleClick(column);
    w.grid()->titleClick(column);  // going down
    QCOMPARE(w.grid()->rows().sortedKeys() != nullptr, !indexed);
    w.grid()->setCurrentRow(4321);
    const QVariant current = w.grid()->currentValue(u"id"_s);
    w.exportGrid();
    gridexport::setOpener({});
    gridexport::setFolder({});

    QVERIFY2(messages.shown().empty(), qPrintable(messages.texts().join(u'|')));
    QCOMPARE(opened.size(), 1);
    QVERIFY2(ticksWhenWritten > 0, "the event loop stood still during the export");
    const auto sheet = xlsxread::readFirstSheet(opened[0]);
    QVERIFY(sheet);
    const Snapshot expected = whole(m_shop->db(), w.grid()->rows());
    QCOMPARE(expected.rowCount(), 10000);
    QCOMPARE(sheet->lastRow, expected.rowCount() + 1);
    for (int c = 0; c < 3; ++c)
        QCOMPARE(sheet->cell(1, c + 1), shownColumns[size_t(c)].title);
    for (int r = 0; r < expected.rowCount(); ++r) {
        for (int c = 0; c < 3; ++c)
            QCOMPARE(sheet->cell(r + 2, c + 1),
                     expected.displayText(r, expected.columnIndex(shownColumns[size_t(c)].field))
                         .trimmed());
        QVERIFY(!sheet->cells.contains(xlsxread::Sheet::reference(r + 2, 4)));
    }
    QCOMPARE(sheet->cellFormat(2, 1), xlsxread::TextFormat);
    QCOMPARE(w.grid()->rows().sortOrder(), Order::Descending);
    QCOMPARE(w.grid()->currentValue(u"id"_s), current);
    QVERIFY(w.grid()->rows().pagesHeld() <= GridRows::KeptPages);
}

void TestWindowedList::printGetsTheListInItsOrder()
{
    ListGrid grid;
    grid.setColumns(columns());
    grid.openQuery(m_shop->db(), goodsByName(u"lb = ?"_s, {u"紧固件"_s}));
    grid.titleClick(0);
    const Snapshot printed = grid.rows().shownRows();
    const Snapshot expected = whole(m_shop->db(), grid.rows());
    QCOMPARE(printed.rowCount(), 10000);
    QCOMPARE(printed.columns(), expected.columns());
    for (int r = 0; r < printed.rowCount(); ++r)
        QCOMPARE(printed.toLongLong(r, 0), expected.toLongLong(r, 0));
    // A piece of it, as the export of rows at hand takes them.
    const Snapshot piece = grid.rows().shownRows(9990, 50);
    QCOMPARE(piece.rowCount(), 10);
    QCOMPARE(piece.value(9, u"id"_s), expected.value(9999, u"id"_s));
}

QTEST_MAIN(TestWindowedList)
#include "tst_windowedlist.moc"

