// A list as a statement: its count, its sums, its pages in any order, a row's
// place by its key, and a long result walked a piece at a time.
#include "TestSupport.h"

#include "core/db/Snapshot.h"
#include "core/db/Sql.h"
#include "core/lists/ListQuery.h"

#include <QtTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(ListOrder)

namespace {

// Goods with many equal names, codes and quantities, in no order of entry.
void addGoods(QSqlDatabase db, int count)
{
    const QStringList names{u"螺丝"_s, u"扳手"_s, u"O'Brien 钳子"_s, u"100% 铜线"_s, u""_s};
    Transaction t(db);
    for (int i = 0; i < count; ++i) {
        const int n = (i * 37) % count;
        sql::exec(db,
                  u"INSERT INTO sp (lb, txm, ppgg, dw, kcsl, kcje) VALUES (?, ?, ?, '个', ?, ?)"_s,
                  {i % 3 == 0 ? u"紧固件"_s : u"五金工具"_s, QString::number(n % 11),
                   names[n % names.size()], qlonglong((n % 7 - 3) * 10000), qlonglong(n * 100)});
    }
    t.commit();
}

// The goods of one category, some names and quantities empty (NULL).
ListQuery fastenersWithGaps()
{
    return ListQuery(u"SELECT id, txm, CASE WHEN id % 4 = 0 THEN NULL ELSE ppgg END AS ppgg, "
                     u"CASE WHEN id % 6 = 1 THEN NULL ELSE kcsl END AS kcsl, kcje "
                     u"FROM sp WHERE lb = ?"_s,
                     {u"紧固件"_s}, {{u"ppgg"_s, false, true}});
}

QList<qint64> idsOf(const Snapshot &s)
{
    QList<qint64> out;
    const int id = s.columnIndex(u"id"_s);
    for (int r = 0; r < s.rowCount(); ++r)
        out << s.toLongLong(r, id);
    return out;
}

}  // namespace

class TestListQuery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countSumsAndOwnOrder();
    void pagesAndPlacesAgreeWithTheWholeResult_data();
    void pagesAndPlacesAgreeWithTheWholeResult();
    void findsRowsByValueAndWalksKeys();
    void onlyColumnNamesMakeAnOrder();
    void streamWalksTheResultInPieces();
};

void TestListQuery::countSumsAndOwnOrder()
{
    FreshShop shop;
    addGoods(shop.db(), 60);
    const ListQuery q = fastenersWithGaps();
    QCOMPARE(q.count(shop.db()), 20);
    // The own order ends with the key.
    QCOMPARE(q.order().size(), size_t(2));
    QCOMPARE(q.order().back().column, u"id"_s);

    const std::vector<QVariant> sums = q.sums(shop.db(), {u"kcsl"_s, u"kcje"_s});
    QCOMPARE(sums.size(), size_t(2));
    QCOMPARE(sums[0].toLongLong(),
             sql::scalar(shop.db(), u"SELECT sum(kcsl) FROM sp WHERE lb = '紧固件' AND id % 6 <> 1"_s)
                 .toLongLong());
    QCOMPARE(sums[1].toLongLong(),
             sql::scalar(shop.db(), u"SELECT sum(kcje) FROM sp WHERE lb = '紧固件'"_s).toLongLong());

    // No rows: a count of 0, sums of 0, an empty first page that still names
    // its columns, and no place for any key.
    const ListQuery none(u"SELECT * FROM sp WHERE lb = ?"_s, {u"没有"_s}, {});
    QCOMPARE(none.count(shop.db()), 0);
    QCOMPARE(none.sums(shop.db(), {u"kcsl"_s})[0].toLongLong(), 0);
    const Snapshot empty = none.page(shop.db(), none.order(), 0, 200);
    QCOMPARE(empty.rowCount(), 0);
    QVERIFY(empty.columnIndex(u"ppgg"_s) >= 0);
    QCOMPARE(none.positionOf(shop.db(), none.order(), qlonglong(1)), -1);
}

void TestListQuery::pagesAndPlacesAgreeWithTheWholeResult_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<bool>("text");

    QTest::newRow("own order") << QString() << false << false;
    QTest::newRow("name up") << u"ppgg"_s << false << true;
    QTest::newRow("name down") << u"ppgg"_s << true << true;
    QTest::newRow("code up") << u"txm"_s << false << true;
    QTest::newRow("quantity up") << u"kcsl"_s << false << false;
    QTest::newRow("quantity down") << u"kcsl"_s << true << false;
    QTest::newRow("key down") << u"id"_s << true << false;
}

// Whatever the order, the pages laid end to end are the whole result in that
// order, equal values are in the order of entry going up and the other way
// round going down, empty values come first going up and last going down, and
// every row's place is where the whole result has it, whether it is found by
// counting the rows ahead or by stepping through the keys.
void TestListQuery::pagesAndPlacesAgreeWithTheWholeResult()
{
    QFETCH(QString, column);
    QFETCH(bool, descending);
    QFETCH(bool, text);

    FreshShop shop;
    addGoods(shop.db(), 150);
    const ListQuery q = fastenersWithGaps();
    ListQuery stepped = q;
    stepped.setIndexedColumns({u"ppgg"_s, u"txm"_s, u"kcsl"_s});
    const ListOrder order = column.isEmpty() ? q.order() : q.sortedBy(column, descending, text);
    QCOMPARE(order.back().column, u"id"_s);

    const Snapshot whole = Snapshot::fetch(shop.db(), q.statement(order), q.binds());
    QCOMPARE(whole.rowCount(), 50);
    QList<qint64> paged;
    for (qint64 first = 0; first < 60; first += 7)
        paged << idsOf(q.page(shop.db(), order, first, 7));
    QCOMPARE(paged, idsOf(whole));

    if (!column.isEmpty() && column != u"id"_s) {
        const int c = whole.columnIndex(column);
        for (int r = 1; r < whole.rowCount(); ++r) {
            const bool before = whole.isNull(r - 1, c), now = whole.isNull(r, c);
            if (before || now) {
                // Empty ones together at the start going up, at the end going down.
                if (before != now)
                    QCOMPARE(before, !descending);
                else
                    QCOMPARE(whole.toLongLong(r - 1, 0) < whole.toLongLong(r, 0), !descending);
                continue;
            }
            if (whole.value(r - 1, c) == whole.value(r, c))
                QVERIFY2((whole.toLongLong(r - 1, 0) < whole.toLongLong(r, 0)) == !descending,
                         "equal values out of the order of entry");
        }
    }

    for (int r = 0; r < whole.rowCount(); ++r) {
        QCOMPARE(q.positionOf(shop.db(), order, whole.value(r, u"id"_s)), qint64(r));
        QCOMPARE(stepped.positionOf(shop.db(), order, whole.value(r, u"id"_s)), qint64(r));
    }
    // A key the result does not hold (another category's article).
    const qint64 outside =
        sql::scalar(shop.db(), u"SELECT min(id) FROM sp WHERE lb <> '紧固件'"_s).toLongLong();
    QCOMPARE(q.positionOf(shop.db(), order, outside), -1);
    QCOMPARE(stepped.positionOf(shop.db(), order, outside), -1);
}

void TestListQuery::findsRowsByValueAndWalksKeys()
{
    FreshShop shop;
    addGoods(shop.db(), 60);
    // Values with a quote and a percent sign are bound, not spliced.
    const ListQuery q(u"SELECT * FROM sp WHERE ppgg LIKE ? ESCAPE '\\'"_s, {u"%\\%%"_s},
                      {{u"txm"_s, true, true}});
    const Snapshot whole = Snapshot::fetch(shop.db(), q.statement(q.order()), q.binds());
    QCOMPARE(whole.rowCount(), 12);
    for (int r = 0; r < whole.rowCount(); ++r)
        QCOMPARE(whole.value(r, u"ppgg"_s).toString(), u"100% 铜线"_s);

    // The first row of a value in the order shown.
    const QVariant first = q.firstKeyWhere(shop.db(), q.order(), u"txm"_s, whole.value(3, u"txm"_s));
    int expected = 0;
    while (whole.value(expected, u"txm"_s) != whole.value(3, u"txm"_s))
        ++expected;
    QCOMPARE(first, whole.value(expected, u"id"_s));
    QVERIFY(!q.firstKeyWhere(shop.db(), q.order(), u"txm"_s, u"没有"_s).isValid());

    const ListQuery quoted(u"SELECT * FROM sp"_s, {}, {{u"ppgg"_s, false, true}});
    const QVariant brien = quoted.firstKeyWhere(shop.db(), quoted.order(), u"ppgg"_s, u"O'Brien 钳子"_s);
    QCOMPARE(brien.toLongLong(),
             sql::scalar(shop.db(), u"SELECT min(id) FROM sp WHERE ppgg = ?"_s, {u"O'Brien 钳子"_s})
                 .toLongLong());

    const std::vector<qint64> keys = q.keys(shop.db(), q.order());
    QCOMPARE(QList<qint64>(keys.begin(), keys.end()), idsOf(whole));
}

void TestListQuery::onlyColumnNamesMakeAnOrder()
{
    FreshShop shop;
    addGoods(shop.db(), 10);
    const ListQuery q(u"SELECT * FROM sp"_s, {}, {});
    for (const QString &bad : {u"ppgg; DELETE FROM sp"_s, u"ppgg DESC"_s, u"1"_s, u""_s})
        QVERIFY_THROWS_EXCEPTION(DbError, q.sortedBy(bad, false, true));
    QVERIFY_THROWS_EXCEPTION(DbError, q.sums(shop.db(), {u"kcsl) FROM sp; --"_s}));
    QVERIFY_THROWS_EXCEPTION(DbError, q.firstKeyWhere(shop.db(), q.order(), u"id OR 1"_s, 1));
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM sp"_s).toInt(), 10);
    // A statement that fails says so.
    const ListQuery broken(u"SELECT * FROM nosuchtable"_s, {}, {});
    QVERIFY_THROWS_EXCEPTION(DbError, broken.count(shop.db()));
    QVERIFY_THROWS_EXCEPTION(DbError, broken.page(shop.db(), broken.order(), 0, 10));
}

void TestListQuery::streamWalksTheResultInPieces()
{
    FreshShop shop;
    addGoods(shop.db(), 1000);
    const ListQuery q(u"SELECT * FROM sp WHERE kcsl <> ?"_s, {qlonglong(0)}, {{u"ppgg"_s, false, true}});
    const Snapshot whole = Snapshot::fetch(shop.db(), q.statement(q.order()), q.binds());
    SnapshotStream stream(shop.db(), q.statement(q.order()), q.binds());
    QList<qint64> walked;
    int pieces = 0;
    while (!stream.atEnd()) {
        const Snapshot piece = stream.next(300);
        QVERIFY(piece.rowCount() <= 300);
        QCOMPARE(piece.columns(), whole.columns());
        if (piece.rowCount() > 0) {
            ++pieces;
            QCOMPARE(piece.displayText(0, piece.columnIndex(u"kcsl"_s)),
                     whole.displayText(walked.size(), whole.columnIndex(u"kcsl"_s)));
        }
        walked << idsOf(piece);
    }
    QCOMPARE(walked, idsOf(whole));
    QCOMPARE(pieces, (whole.rowCount() + 299) / 300);
    QCOMPARE(stream.next(10).rowCount(), 0);
    QVERIFY_THROWS_EXCEPTION(DbError, SnapshotStream(shop.db(), u"SELECT * FROM sp WHERE id = ?"_s));
}

QTEST_GUILESS_MAIN(TestListQuery)
#include "tst_listquery.moc"
