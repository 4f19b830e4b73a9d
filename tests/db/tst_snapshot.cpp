// The fetched rows behind every list, export and printed report: what the
// compact cells give back, the values bound to a statement, failures, long
// fetches, reordering and copies.
#include "TestSupport.h"

#include "core/money/Decimal.h"
#include "core/db/Snapshot.h"
#include "core/db/Sql.h"
#include "core/lists/GridRows.h"

#include <QDate>
#include <QtTest>

#include <limits>

using namespace Qt::Literals::StringLiterals;

class TestSnapshot : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fetchGivesEachKindBack();
    void fetchBindsValuesAsTheDriverDoes();
    void fetchNamesColumnsAsTheStatementDoes();
    void fetchFailuresThrowDbError();
    void longFetchKeepsEveryRow();
    void permuteReordersAndCopiesStayApart();
    void cellsHandedInComeBackAsGiven();
    void gridSortsFetchedRows();
};

namespace {

// 不 (three UTF-8 bytes), ＊ (full width), and 𠀀 outside the BMP (four bytes,
// a surrogate pair in a QString).
const QString kChinese = u"不锈钢螺丝 M8＊50（白色）𠀀"_s;

// Mixed Chinese and Latin letters.
QString textOfLength(int n, int seed)
{
    QString s;
    for (int i = 0; i < n; ++i)
        s += QChar(i % 3 == 0 ? char16_t(0x4e00 + (seed + i) % 500) : char16_t(u'a' + (seed + i) % 26));
    return s;
}

// Chinese only: three bytes a character in UTF-8.
QString chineseOfLength(int n)
{
    QString s(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i)
        s[i] = QChar(char16_t(0x4e00 + i % 20000));
    return s;
}

}  // namespace

void TestSnapshot::fetchGivesEachKindBack()
{
    FreshShop shop;
    const qint64 big = std::numeric_limits<qint64>::max();
    const qint64 small = std::numeric_limits<qint64>::min();
    const Snapshot s = Snapshot::fetch(
        shop.db(),
        u"SELECT NULL AS ms, '' AS bz, ? AS ppgg, ? AS id, ? AS kcje, 2.5 AS r, x'00ff41' AS b "
        u"UNION ALL SELECT 'x', NULL, '', ?, ?, NULL, NULL"_s,
        {kChinese, big, qint64(123456789012345678), small, qint64(-5)});
    QCOMPARE(s.rowCount(), 2);
    QCOMPARE(s.columnCount(), 7);

    // NULL and the empty text stay apart.
    QVERIFY(s.value(0, 0).isValid());
    QVERIFY(s.value(0, 0).isNull());
    QCOMPARE(s.value(0, 0).typeId(), int(QMetaType::QString));
    QVERIFY(s.isNull(0, 0));
    QVERIFY(s.text(0, 0).isNull());
    QVERIFY(s.displayText(0, 0).isNull());
    QVERIFY(!s.value(0, 1).isNull());
    QCOMPARE(s.value(0, 1).typeId(), int(QMetaType::QString));
    QVERIFY(!s.isNull(0, 1));
    QVERIFY(!s.text(0, 1).isNull());
    QVERIFY(s.text(0, 1).isEmpty());
    QVERIFY(!s.value(1, 2).isNull());
    QVERIFY(s.isNull(1, 1));
    QCOMPARE(s.value(1, 0).toString(), u"x"_s);

    // Non-ASCII texts whole, by value, as text and as shown.
    QCOMPARE(s.value(0, 2).toString(), kChinese);
    QCOMPARE(s.text(0, 2), kChinese);
    QCOMPARE(s.displayText(0, 2), kChinese);
    QCOMPARE(s.value(0, u"PPGG"_s).toString(), kChinese);

    // Whole numbers at both ends of the range.
    QCOMPARE(s.value(0, 3).typeId(), int(QMetaType::LongLong));
    QCOMPARE(s.value(0, 3).toLongLong(), big);
    QCOMPARE(s.toLongLong(0, 3), big);
    QCOMPARE(s.displayText(0, 3), QString::number(big));
    QCOMPARE(s.toLongLong(1, 3), small);
    QCOMPARE(s.text(1, 3), QString::number(small));

    // A decimal column: scaled units, shown in the shortest form.
    QVERIFY(s.isDecimal(4));
    QVERIFY(!s.isDecimal(3));
    QCOMPARE(s.toLongLong(0, 4), qint64(123456789012345678));
    QCOMPARE(s.displayText(0, 4), u"12345678901234.5678"_s);
    QCOMPARE(s.displayText(1, 4), u"-0.0005"_s);

    // A REAL stays a double.
    QCOMPARE(s.value(0, 5).typeId(), int(QMetaType::Double));
    QCOMPARE(s.value(0, 5).toDouble(), 2.5);
    QCOMPARE(s.typeId(0, 5), int(QMetaType::Double));
    QCOMPARE(s.text(0, 5), u"2.5"_s);
    QCOMPARE(s.toLongLong(0, 5), QVariant(2.5).toLongLong());
    QVERIFY(s.isNull(1, 5));

    // A blob stays bytes, a zero byte included.
    QCOMPARE(s.value(0, 6).typeId(), int(QMetaType::QByteArray));
    QCOMPARE(s.value(0, 6).toByteArray(), QByteArray("\x00\xff\x41", 3));
    QCOMPARE(s.typeId(0, 6), int(QMetaType::QByteArray));
}

void TestSnapshot::fetchBindsValuesAsTheDriverDoes()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    const QString apostrophes = u"O'Brien's 扳手 '); DROP TABLE sp; --"_s;
    sql::exec(db, u"INSERT INTO sp (ppgg, txm, kcsl) VALUES (?, 'A1', 10000), ('other', 'B2', 20000)"_s,
              {apostrophes});

    // A text with apostrophes is bound, never spliced.
    const Snapshot found =
        Snapshot::fetch(db, u"SELECT ppgg, kcsl FROM sp WHERE ppgg = ?"_s, {apostrophes});
    QCOMPARE(found.rowCount(), 1);
    QCOMPARE(found.text(0, 0), apostrophes);
    QCOMPARE(found.displayText(0, 1), u"1"_s);
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM sp"_s).toInt(), 2);

    // Each kind of value goes in as the SQL driver binds it.
    const sql::Binds binds = {qint64(1) << 40,   42,          true,          2.25,
                              u"文字"_s,         QString(),   u""_s,         QByteArray("\x01\x02", 2),
                              QVariant(),        QDate(2014, 1, 5), QString::number(7)};
    QString statement = u"SELECT "_s;
    for (size_t i = 0; i < binds.size(); ++i)
        statement += (i ? u", "_s : QString()) + u"typeof(?)"_s;
    const Snapshot types = Snapshot::fetch(db, statement, binds);
    QStringList got;
    for (int c = 0; c < types.columnCount(); ++c)
        got << types.text(0, c);
    QCOMPARE(got, (QStringList{u"integer"_s, u"integer"_s, u"integer"_s, u"real"_s, u"text"_s,
                               u"null"_s, u"text"_s, u"blob"_s, u"null"_s, u"text"_s, u"text"_s}));

    // And comes back unchanged.
    const Snapshot back = Snapshot::fetch(db, u"SELECT ?, ?, ?, ?, ?"_s,
                                          {qint64(1) << 40, true, u"文字"_s, QDate(2014, 1, 5),
                                           QByteArray("\x01\x02", 2)});
    QCOMPARE(back.toLongLong(0, 0), qint64(1) << 40);
    QCOMPARE(back.toLongLong(0, 1), qint64(1));
    QCOMPARE(back.text(0, 2), u"文字"_s);
    QCOMPARE(back.text(0, 3), u"2014-01-05"_s);
    QCOMPARE(back.value(0, 4).toByteArray(), QByteArray("\x01\x02", 2));
}

void TestSnapshot::fetchNamesColumnsAsTheStatementDoes()
{
    FreshShop shop;
    const Snapshot s = Snapshot::fetch(shop.db(), u"SELECT id, ppgg AS \"名称\", 1 + 1, kcsl AS Zsl FROM sp"_s);
    QCOMPARE(s.rowCount(), 0);  // no rows, the columns all the same
    QCOMPARE(s.columns(), (QStringList{u"id"_s, u"名称"_s, u"1 + 1"_s, u"Zsl"_s}));
    QCOMPARE(s.columnIndex(u"名称"_s), 1);
    QCOMPARE(s.columnIndex(u"zsl"_s), 3);
    QCOMPARE(s.columnIndex(u"ZSL"_s), 3);
    QCOMPARE(s.columnIndex(u"nothing"_s), -1);
    QVERIFY(s.isDecimal(3));
    QVERIFY(!s.isDecimal(1));

    sql::exec(shop.db(), u"INSERT INTO sp (ppgg) VALUES ('a')"_s);
    const Snapshot one = Snapshot::fetch(shop.db(), u"SELECT ppgg FROM sp"_s);
    QVERIFY(!one.value(0, u"nothing"_s).isValid());
    QCOMPARE(one.value(0, u"PpGg"_s).toString(), u"a"_s);
}

void TestSnapshot::fetchFailuresThrowDbError()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    auto messageOf = [&db](const QString &statement, const sql::Binds &binds = {}) {
        try {
            Snapshot::fetch(db, statement, binds);
        } catch (const DbError &e) {
            return e.message();
        }
        return u"(no error)"_s;
    };
    QVERIFY2(messageOf(u"SELECT * FROM nosuchtable"_s).contains(u"no such table: nosuchtable"_s),
             qPrintable(messageOf(u"SELECT * FROM nosuchtable"_s)));
    QVERIFY(messageOf(u"SELEC 1"_s).contains(u"syntax error"_s));
    QVERIFY(messageOf(u"SELECT nosuchcolumn FROM sp"_s).contains(u"no such column"_s));
    // A failure while stepping, after rows were fetched already.
    sql::exec(db, u"INSERT INTO sp (ppgg, kcsl) VALUES ('a', 10000), ('b', ?)"_s,
              {std::numeric_limits<qint64>::max()});
    QVERIFY(messageOf(u"SELECT dmul(kcsl, kcsl) FROM sp ORDER BY id"_s).contains(u"out of range"_s));
    // Values bound must match the statement's parameters.
    QVERIFY(messageOf(u"SELECT ?, ?"_s, {1}) != u"(no error)"_s);
    QVERIFY(messageOf(u"SELECT 1"_s, {1}) != u"(no error)"_s);
    // One statement at a time; an empty one is no statement.
    QVERIFY(messageOf(u"SELECT 1; DELETE FROM sp"_s) != u"(no error)"_s);
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM sp"_s).toInt(), 2);
    QVERIFY(messageOf(u"  "_s) != u"(no error)"_s);
    QCOMPARE(messageOf(u"SELECT 1;  "_s), u"(no error)"_s);

    // A connection that is not open.
    {
        QSqlDatabase closed = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"tst_snapshot_closed"_s);
        QVERIFY_THROWS_EXCEPTION(DbError, Snapshot::fetch(closed, u"SELECT 1"_s));
    }
    QSqlDatabase::removeDatabase(u"tst_snapshot_closed"_s);

    // The connection is still usable after every failure.
    QCOMPARE(Snapshot::fetch(db, u"SELECT count(*) FROM sp"_s).toLongLong(0, 0), qint64(2));
}

void TestSnapshot::longFetchKeepsEveryRow()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    // Texts of every length from 0 to 40 characters, a NULL every 7th row, a
    // text over 16 MiB in one row: enough to grow every array well past its start.
    const int rows = 150000;
    const QString longOne = chineseOfLength(6000000);  // 18 MB in UTF-8
    const Snapshot s = Snapshot::fetch(
        db,
        u"WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?) "
        u"SELECT i AS id, CASE WHEN i % 7 = 3 THEN NULL ELSE substr(?, 1 + i % 97, i % 41) END AS ppgg, "
        u"i * 10001 - 5000000 AS kcsl, CASE WHEN i = 777 THEN ? END AS ms FROM n"_s,
        {rows, textOfLength(200, 1), longOne});
    QCOMPARE(s.rowCount(), rows);
    const QString source = textOfLength(200, 1);
    for (int r = 0; r < rows; ++r) {
        QCOMPARE(s.toLongLong(r, 0), qint64(r));
        if (r % 7 == 3) {
            QVERIFY(s.isNull(r, 1));
        } else {
            QVERIFY(!s.isNull(r, 1));
            QCOMPARE(s.text(r, 1), source.mid(r % 97, r % 41));
        }
        QCOMPARE(s.toLongLong(r, 2), qint64(r) * 10001 - 5000000);
        if (r != 777)
            QVERIFY(s.isNull(r, 3));
    }
    QCOMPARE(s.value(777, 3).typeId(), int(QMetaType::QString));
    QCOMPARE(s.text(777, 3), longOne);
    QCOMPARE(s.displayText(150, 2), Decimal::fromUnits(150 * 10001 - 5000000).toShortest());
}

void TestSnapshot::permuteReordersAndCopiesStayApart()
{
    FreshShop shop;
    const Snapshot fetched = Snapshot::fetch(
        shop.db(), u"SELECT 1 AS id, '甲' AS ppgg, NULL AS ms UNION ALL SELECT 2, '', 'x' "
                   u"UNION ALL SELECT 3, '丙丙丙', 2.5 UNION ALL SELECT 4, NULL, 'yy'"_s);
    auto ids = [](const Snapshot &s) {
        QList<qint64> out;
        for (int r = 0; r < s.rowCount(); ++r)
            out << s.toLongLong(r, 0);
        return out;
    };

    Snapshot reordered = fetched;  // a copy
    reordered.permute({3, 1, 0, 2});
    QCOMPARE(ids(reordered), (QList<qint64>{4, 2, 1, 3}));
    // Each row keeps its own values, of every kind.
    QVERIFY(reordered.isNull(0, 1));
    QCOMPARE(reordered.text(0, 2), u"yy"_s);
    QVERIFY(!reordered.isNull(1, 1));
    QVERIFY(reordered.text(1, 1).isEmpty());
    QCOMPARE(reordered.text(2, 1), u"甲"_s);
    QVERIFY(reordered.isNull(2, 2));
    QCOMPARE(reordered.text(3, 1), u"丙丙丙"_s);
    QCOMPARE(reordered.value(3, 2).toDouble(), 2.5);

    // The original is untouched.
    QCOMPARE(ids(fetched), (QList<qint64>{1, 2, 3, 4}));
    QCOMPARE(fetched.text(0, 1), u"甲"_s);

    // Permuting a permuted copy, and keeping only some rows.
    Snapshot some = reordered;
    some.permute({2, 0});
    QCOMPARE(ids(some), (QList<qint64>{1, 4}));
    QCOMPARE(some.rowCount(), 2);
    QCOMPARE(some.text(0, 1), u"甲"_s);
    QCOMPARE(ids(reordered), (QList<qint64>{4, 2, 1, 3}));

    // A copy outlives the snapshot it was copied from.
    Snapshot survivor;
    {
        Snapshot local = Snapshot::fetch(shop.db(), u"SELECT '留下' AS ppgg"_s);
        survivor = local;
    }
    QCOMPARE(survivor.text(0, 0), u"留下"_s);

    // Nothing to reorder in an empty snapshot.
    Snapshot empty;
    empty.permute({});
    QCOMPARE(empty.rowCount(), 0);
}

void TestSnapshot::cellsHandedInComeBackAsGiven()
{
    const QDate day(2014, 3, 8);
    const Snapshot s({u"id"_s, u"ppgg"_s, u"kcsl"_s, u"other"_s},
                     {qint64(1), kChinese, qint64(125000), QVariant(),
                      qint64(2), u""_s, QVariant(QMetaType::fromType<QString>()), 7,
                      qint64(3), QVariant(QMetaType::fromType<QString>()), qint64(-1), day,
                      qint64(4), u"x"_s, 2.5, true,
                      qint64(5)});  // an unfinished row is left out
    QCOMPARE(s.rowCount(), 4);
    QCOMPARE(s.text(0, 1), kChinese);
    QCOMPARE(s.displayText(0, 2), u"12.5"_s);
    QVERIFY(!s.value(0, 3).isValid());  // an invalid value stays invalid
    QVERIFY(s.isNull(0, 3));
    QVERIFY(s.displayText(0, 3).isNull());
    QVERIFY(!s.isNull(1, 1));
    QVERIFY(s.text(1, 1).isEmpty());
    QVERIFY(s.isNull(1, 2));
    QVERIFY(s.displayText(1, 2).isNull());
    QCOMPARE(s.value(1, 3).typeId(), int(QMetaType::Int));
    QCOMPARE(s.value(1, 3).toInt(), 7);
    QCOMPARE(s.typeId(1, 3), int(QMetaType::Int));
    QVERIFY(s.isNull(2, 1));
    QCOMPARE(s.displayText(2, 2), u"-0.0001"_s);
    QCOMPARE(s.value(2, 3).toDate(), day);
    QCOMPARE(s.value(3, 2).toDouble(), 2.5);
    QCOMPARE(s.value(3, 3).typeId(), int(QMetaType::Bool));

    const Snapshot none({u"a"_s}, {});
    QCOMPARE(none.rowCount(), 0);
    QCOMPARE(none.columnCount(), 1);
    const Snapshot noColumns({}, {qint64(1)});
    QCOMPARE(noColumns.rowCount(), 0);
}

void TestSnapshot::gridSortsFetchedRows()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    // Names in pinyin order 阿胶, 扳手, 螺丝; an empty name and a NULL one first.
    const Snapshot s = Snapshot::fetch(
        db, u"SELECT 1 AS id, '螺丝' AS ppgg, '10' AS txm, 30000 AS kcsl "
            u"UNION ALL SELECT 2, NULL, '9', NULL UNION ALL SELECT 3, '阿胶', '010', -10000 "
            u"UNION ALL SELECT 4, '', '100', 5 UNION ALL SELECT 5, '扳手', NULL, 20000"_s);
    GridRows rows;
    rows.setColumns({{u"id"_s, u"序号"_s}, {u"ppgg"_s, u"名称"_s}, {u"txm"_s, u"编码"_s},
                     {u"kcsl"_s, u"库存"_s}});
    rows.open(s);
    auto shown = [&rows] {
        QList<qint64> out;
        for (int r = 0; r < rows.rowCount(); ++r)
            out << rows.value(r, u"id"_s).toLongLong();
        return out;
    };
    rows.sort(1, GridRows::Order::Ascending);
    QCOMPARE(shown(), (QList<qint64>{2, 4, 3, 5, 1}));
    rows.sort(1, GridRows::Order::Descending);
    QCOMPARE(shown(), (QList<qint64>{1, 5, 3, 2, 4}));
    // Codes are texts even where they look like numbers.
    rows.sort(2, GridRows::Order::Ascending);
    QCOMPARE(shown(), (QList<qint64>{5, 3, 1, 4, 2}));
    // Decimals as numbers, empty first.
    rows.sort(3, GridRows::Order::Ascending);
    QCOMPARE(shown(), (QList<qint64>{2, 3, 4, 5, 1}));
    QCOMPARE(rows.text(1, 3), u"-1"_s);
    // Counters as numbers.
    rows.sort(0, GridRows::Order::Descending);
    QCOMPARE(shown(), (QList<qint64>{5, 4, 3, 2, 1}));
    rows.sort(0, GridRows::Order::None);
    QCOMPARE(shown(), (QList<qint64>{1, 2, 3, 4, 5}));
}

QTEST_GUILESS_MAIN(TestSnapshot)
#include "tst_snapshot.moc"
