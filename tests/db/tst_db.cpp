// The database layer: decimals, the schema of a fresh shop, numbering, and
// the SQL product function.
#include "TestSupport.h"

#include "core/db/DataChanges.h"
#include "core/db/Dates.h"
#include "core/money/Decimal.h"
#include "core/money/DecimalColumns.h"
#include "core/db/Numbering.h"
#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/SqlFunctions.h"
#include "core/masterdata/Goods.h"

#include <QFileInfo>
#include <QUuid>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <functional>

using numbering::Kind;
using numbering::Result;

class TestDb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseAccepts_data();
    void parseAccepts();
    void parseRefuses_data();
    void parseRefuses();
    void fixed2AndShortest_data();
    void fixed2AndShortest();
    void products_data();
    void products();
    void quotients_data();
    void quotients();
    void rewriteOfLongDecimals_data();
    void rewriteOfLongDecimals();
    void overflowIsInvalidNotWrapped();

    void freshShopHasEveryTableAndColumn();
    void freshShopInitialContent();
    void decimalColumnsRoundTripAndSum();
    void dmulInSql();
    void createRefusesExistingFile();
    void openRefusesMissingOrForeignFile();
    void refusedFilesAreLeftAsTheyWere();
    void fullDiskFreesTheLogAndLaterWritesSucceed();
    void committedWritesAnnounceTheirTables();

    void serialRule_data();
    void serialRule();
    void nextOfTodayCountsByKindAndEntryDay();
    void midnightRule();
    void unreadableSerialMakesNoNumber();
};

// ---- Decimal ---------------------------------------------------------------

void TestDb::parseAccepts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("units");
    QTest::newRow("integer") << "12" << 120000LL;
    QTest::newRow("two decimals") << "12.50" << 125000LL;
    QTest::newRow("negative") << "-3" << -30000LL;
    QTest::newRow("leading point") << ".5" << 5000LL;
    QTest::newRow("trailing point") << "7." << 70000LL;
    QTest::newRow("negative fraction") << "-0.25" << -2500LL;
    QTest::newRow("spaces around") << "  8.1 " << 81000LL;
    QTest::newRow("four decimals") << "1.2345" << 12345LL;
    QTest::newRow("fifth decimal tie to even (down)") << "1.00005" << 10000LL;
    QTest::newRow("fifth decimal tie to even (up)") << "1.00015" << 10002LL;
    QTest::newRow("beyond tie rounds up") << "1.000051" << 10001LL;
    QTest::newRow("zero") << "0" << 0LL;
    QTest::newRow("minus zero") << "-0" << 0LL;
}

void TestDb::parseAccepts()
{
    QFETCH(QString, text);
    QFETCH(qlonglong, units);
    const Decimal d = Decimal::parse(text);
    QVERIFY(d.isValid());
    QCOMPARE(d.units(), units);
}

void TestDb::parseRefuses_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("lone point") << ".";
    QTest::newRow("lone minus") << "-";
    QTest::newRow("minus point") << "-.";
    QTest::newRow("minus after digits") << "5-";
    QTest::newRow("minus inside") << "1-2";
    QTest::newRow("two points") << "1.2.3";
    QTest::newRow("letters") << "12a";
    QTest::newRow("plus sign") << "+5";
    QTest::newRow("exponent") << "1e5";
    QTest::newRow("comma") << "1,5";
    QTest::newRow("full-width digits") << "１２";
    QTest::newRow("inner space") << "1 2";
    QTest::newRow("far too large") << "99999999999999999999999";
}

void TestDb::parseRefuses()
{
    QFETCH(QString, text);
    QVERIFY(!Decimal::parse(text).isValid());
}

void TestDb::fixed2AndShortest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fixed2");
    QTest::addColumn<QString>("shortest");
    QTest::newRow("12.345 tie down") << "12.345" << "12.34" << "12.345";
    QTest::newRow("12.355 tie up") << "12.355" << "12.36" << "12.355";
    QTest::newRow("2.345") << "2.345" << "2.34" << "2.345";
    QTest::newRow("1.005") << "1.005" << "1.00" << "1.005";
    QTest::newRow("12.5") << "12.5" << "12.50" << "12.5";
    QTest::newRow("-3") << "-3" << "-3.00" << "-3";
    QTest::newRow("-0.25") << "-0.25" << "-0.25" << "-0.25";
    QTest::newRow("tiny negative rounds to plain zero") << "-0.004" << "0.00" << "-0.004";
    QTest::newRow("-2.345 tie to even") << "-2.345" << "-2.34" << "-2.345";
    QTest::newRow("-2.355") << "-2.355" << "-2.36" << "-2.355";
    QTest::newRow("not a tie") << "2.3451" << "2.35" << "2.3451";
    QTest::newRow("zero") << "0" << "0.00" << "0";
    QTest::newRow("large") << "123456789.5" << "123456789.50" << "123456789.5";
}

void TestDb::fixed2AndShortest()
{
    QFETCH(QString, text);
    QFETCH(QString, fixed2);
    QFETCH(QString, shortest);
    const Decimal d = Decimal::parse(text);
    QCOMPARE(d.toFixed2(), fixed2);
    QCOMPARE(d.toShortest(), shortest);
}

void TestDb::products_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("product");  // shortest form
    QTest::addColumn<QString>("fixed2");
    QTest::newRow("3 x 2.5") << "3" << "2.5" << "7.5" << "7.50";
    QTest::newRow("rounded to four, tie to even") << "0.0001" << "0.5" << "0" << "0.00";
    QTest::newRow("rounded to four, tie up to even") << "0.0003" << "0.5" << "0.0002" << "0.00";
    QTest::newRow("negative quantity") << "-2" << "12.345" << "-24.69" << "-24.69";
    QTest::newRow("cost of a line") << "1.5" << "3.333" << "4.9995" << "5.00";
}

void TestDb::products()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, product);
    QFETCH(QString, fixed2);
    const Decimal p = Decimal::parse(a) * Decimal::parse(b);
    QCOMPARE(p.toShortest(), product);
    QCOMPARE(p.toFixed2(), fixed2);
}

void TestDb::quotients_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("unitCost");
    QTest::newRow("10.00 / 3") << "10.00" << "3" << "3.33";
    QTest::newRow("35 / 15 rounds up") << "35" << "15" << "2.33";
    QTest::newRow("20 / 8 exact") << "20" << "8" << "2.50";
    QTest::newRow("tie to even down") << "0.125" << "1" << "0.12";
    QTest::newRow("tie to even up") << "0.375" << "1" << "0.38";
    QTest::newRow("negative quantity") << "-10" << "4" << "-2.50";
    QTest::newRow("both negative") << "-7" << "-2" << "3.50";
}

void TestDb::quotients()
{
    QFETCH(QString, value);
    QFETCH(QString, quantity);
    QFETCH(QString, unitCost);
    QCOMPARE(Decimal::parse(value).dividedTo2(Decimal::parse(quantity)).toFixed2(), unitCost);
}

void TestDb::rewriteOfLongDecimals_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("used");
    QTest::newRow("2.345 -> 2.34") << "2.345" << "2.34";
    QTest::newRow("2.355 -> 2.36") << "2.355" << "2.36";
    QTest::newRow("12.345 -> 12.34") << "12.345" << "12.34";
    // The typed text is held at four places first, and that value is rounded.
    QTest::newRow("2.34501 held as 2.3450 -> 2.34") << "2.34501" << "2.34";
    QTest::newRow("2.3450001 held as 2.3450 -> 2.34") << "2.3450001" << "2.34";
    QTest::newRow("1.00500001 held as 1.0050 -> 1.00") << "1.00500001" << "1.00";
    QTest::newRow("2.34500001 held as 2.3450 -> 2.34") << "2.34500001" << "2.34";
    QTest::newRow("2.35500001 held as 2.3550 -> 2.36") << "2.35500001" << "2.36";
    QTest::newRow("2.34505 held as 2.3450 (tie to even) -> 2.34") << "2.34505" << "2.34";
    QTest::newRow("2.34515 held as 2.3452 -> 2.35") << "2.34515" << "2.35";
    QTest::newRow("2.34496 held as 2.3450 -> 2.34") << "2.34496" << "2.34";
    QTest::newRow("1.01500001 held as 1.0150 -> 1.02") << "1.01500001" << "1.02";
    QTest::newRow("-2.34501 held as -2.3450 -> -2.34") << "-2.34501" << "-2.34";
    QTest::newRow("two decimals kept as typed") << "3000.5" << "3000.5";
    QTest::newRow("two decimals unchanged") << "12.34" << "12.34";
    QTest::newRow("point then three spaces counts as three") << "5.000" << "5.00";
    QTest::newRow("not a number left for the caller") << "1.2.3.4" << "1.2.3.4";
    QTest::newRow("integer unchanged") << "12" << "12";
}

void TestDb::rewriteOfLongDecimals()
{
    QFETCH(QString, typed);
    QFETCH(QString, used);
    QCOMPARE(decimaltext::rewriteTo2IfLonger(typed), used);
    // The value read for use rounds the same way as the rewritten text.
    const Decimal read = decimaltext::parseRoundedTo2(typed);
    if (read.isValid())
        QCOMPARE(read.toFixed2(), Decimal::parse(used).toFixed2());
}

void TestDb::overflowIsInvalidNotWrapped()
{
    const Decimal big = Decimal::fromUnits(std::numeric_limits<int64_t>::max());
    QVERIFY(!(big + Decimal::parse(u"1")).isValid());
    QVERIFY(!(big * Decimal::parse(u"2")).isValid());
    QVERIFY(!(-Decimal::fromUnits(std::numeric_limits<int64_t>::min())).isValid());
    QVERIFY(!Decimal::parse(u"1").dividedTo2(Decimal::parse(u"0")).isValid());
    // Invalid stays invalid through arithmetic and equals nothing.
    const Decimal bad = Decimal::parse(u"x");
    QVERIFY(!(bad + Decimal::parse(u"1")).isValid());
    QVERIFY(bad != bad);
    QCOMPARE(bad.toFixed2(), QString());
}

// ---- Schema ----------------------------------------------------------------

namespace {

// Every table of the shop database with its columns, written out here rather
// than taken from the code that makes it.
const std::map<QString, QStringList> &expectedTables()
{
    static const std::map<QString, QStringList> t = [] {
        auto cols = [](const char *list) {
            return QString::fromLatin1(list).split(u' ', Qt::SkipEmptyParts);
        };
        std::map<QString, QStringList> m;
        m[u"yhsz"_qs] = cols("yhmc yhmm");
        m[u"quanxian"_qs] = cols("yh qx");
        m[u"danwei"_qs] = cols("mczc mcdy lxr dh cz dz bz1 bz2 bz3 bz4");
        m[u"sp"_qs] = cols("id lb txm ppgg dw jj xjpf xjls kcsl kcjg kcje slt jet ms bz");
        m[u"lb"_qs] = cols("id lb");
        m[u"dw"_qs] = cols("id dw");
        m[u"ghs"_qs] = cols("id mc lxr lxdh lxcz lxdz yb yhmc yhzh bz");
        m[u"kh"_qs] = cols("id mc lxr lxdh lxcz lxdz yb yhmc yhzh bz");
        m[u"yg"_qs] = cols("id xm xb zw bm dh dz jbgz sfz bz");
        m[u"rklx"_qs] = cols("id lx");
        m[u"szxm"_qs] = cols("id lb xm");
        m[u"xsglz"_qs] = cols("id dh rq kdrq kh jsr hjsl hjje yhe yse sse qk bz shbj zhidan");
        m[u"cgglz"_qs] = cols("id dh rq kdrq ghs jsr hjsl hjje yhe yfe sfe qk bz shbj zhidan");
        m[u"rkglz"_qs] = cols("id dh rq kdrq lx jsr hjsl hjje bz shbj zhidan");
        m[u"xsglc"_qs] = cols("id dh bj txm ppgg dw sl jg je cbjg cbje maoli");
        m[u"cgglc"_qs] = cols("id dh bj txm ppgg dw sl jg je");
        m[u"rkglc"_qs] = cols("id dh bj txm ppgg dw sl jg je");
        m[u"xsfx"_qs] = cols("id dh rq kh jsr txm ppgg dw sl jg je cbjg cbje maoli");
        m[u"cgfx"_qs] = cols("id dh rq ghs jsr txm ppgg dw sl jg je");
        m[u"rkfx"_qs] = cols("id dh rq lx jsr txm ppgg dw sl jg je");
        m[u"skfx"_qs] = cols("id rq dh kh je jsr bz shbj");
        m[u"fkfx"_qs] = cols("id rq dh ghs je jsr bz shbj");
        m[u"szfx"_qs] = cols("id rq lb xm se ze jsr bz");
        m[u"zu"_qs] = cols("spid1 spid2 xs sl");
        m[u"chai"_qs] = cols("spid1 spid2 xs sl");
        m[u"cghz"_qs] = cols("fenzu txm ppgg dw zsl zje");
        m[u"xshz"_qs] = cols("fenzu txm ppgg dw zsl zje zcb zmaoli");
        m[u"rkhz"_qs] = cols("fenzu txm ppgg dw zsl zje");
        m[u"xstj3"_qs] = cols("yuangong sltc jetc ztc");
        m[u"kctj"_qs] = cols("txm ppgg dw cgsl cgje xssl xsje rksl rkje ysl yje");
        return m;
    }();
    return t;
}

}  // namespace

void TestDb::freshShopHasEveryTableAndColumn()
{
    FreshShop shop;
    QCOMPARE(expectedTables().size(), size_t(30));
    QStringList actualTables;
    // The goods' text index is the engine's (a virtual table and the tables
    // under it, all named after it), not one of the shop's tables.
    sql::Query q = sql::exec(shop.db(), u"SELECT name FROM sqlite_master WHERE type='table' "
                                       u"AND name NOT LIKE 'sqlite_%' AND substr(name, 1, 9) <> 'sp_search'"_qs);
    while (q.next())
        actualTables << q.value(0).toString();
    QCOMPARE(actualTables.size(), 30);
    for (const auto &[table, columns] : expectedTables()) {
        QVERIFY2(actualTables.contains(table), qPrintable(table));
        const QSqlRecord rec = shop.db().record(table);
        for (const QString &c : columns)
            QVERIFY2(rec.contains(c), qPrintable(table + u'.' + c));
    }
    // Every decimal column is known to the display registry.
    for (const char *c : {"kcje", "jbgz", "maoli", "yfe", "se", "ztc", "yje", "xs"})
        QVERIFY2(decimalcolumns::contains(QString::fromLatin1(c)), c);
    for (const char *c : {"txm", "dh", "rq", "mc", "bz"})
        QVERIFY2(!decimalcolumns::contains(QString::fromLatin1(c)), c);
}

void TestDb::freshShopInitialContent()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM yhsz"_qs).toInt(), 1);
    QCOMPARE(sql::scalar(db, u"SELECT yhmm FROM yhsz WHERE yhmc='系统管理员'"_qs).toString(),
             schema::defaultAdministratorPassword());
    QCOMPARE(schema::defaultAdministratorPassword().size(), 3);
    QCOMPARE(sql::scalar(db, u"SELECT count(DISTINCT qx) FROM quanxian WHERE yh='系统管理员'"_qs)
                 .toInt(),
             12);
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM danwei"_qs).toInt(), 1);
    QVERIFY(sql::scalar(db, u"SELECT count(*) FROM lb"_qs).toInt() > 0);
    QVERIFY(sql::scalar(db, u"SELECT count(*) FROM dw"_qs).toInt() > 0);
    QVERIFY(sql::scalar(db, u"SELECT count(*) FROM rklx"_qs).toInt() > 0);
    QVERIFY(sql::exists(db, u"SELECT 1 FROM szxm WHERE lb='收入'"_qs));
    QVERIFY(sql::exists(db, u"SELECT 1 FROM szxm WHERE lb='支出'"_qs));
    QVERIFY(schema::isShopDatabase(db));
    QVERIFY(!shop.dm().ATdanwei1().mczc.isEmpty());
    for (const char *t : {"sp", "xsglz", "xsglc", "xsfx", "skfx", "szfx"})
        QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM "_qs + QString::fromLatin1(t)).toInt(), 0);
}

void TestDb::decimalColumnsRoundTripAndSum()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    for (const char *v : {"12.5", "-3", "0.0001"})
        sql::exec(db, u"INSERT INTO sp (ppgg, kcsl) VALUES ('x', ?)"_qs,
                  {qlonglong(Decimal::parse(QString::fromLatin1(v)).units())});
    const Decimal total =
        Decimal::fromUnits(sql::scalar(db, u"SELECT sum(kcsl) FROM sp"_qs).toLongLong());
    QCOMPARE(total.toShortest(), u"9.5001"_qs);
    const Decimal first = Decimal::fromUnits(
        sql::scalar(db, u"SELECT kcsl FROM sp ORDER BY id LIMIT 1"_qs).toLongLong());
    QCOMPARE(first.toShortest(), u"12.5"_qs);
    QCOMPARE(first.toFixed2(), u"12.50"_qs);
    // Dates written in the stored form select the right range as text.
    sql::exec(db, u"INSERT INTO szfx (rq, lb, xm) VALUES (?, '收入', 'a'), (?, '收入', 'b')"_qs,
              {dates::toDbText(QDate(2014, 1, 5)), dates::toDbText(QDate(2014, 2, 1))});
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM szfx WHERE rq >= '2014-01-01' AND rq <= "
                             u"'2014-01-31'"_qs)
                 .toInt(),
             1);
}

void TestDb::dmulInSql()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    const auto u = [](const char *t) { return qlonglong(Decimal::parse(QString::fromLatin1(t)).units()); };
    QCOMPARE(sql::scalar(db, u"SELECT dmul(?, ?)"_qs, {u("3"), u("2.5")}).toLongLong(), u("7.5"));
    QCOMPARE(sql::scalar(db, u"SELECT dmul(?, ?)"_qs, {u("0.0003"), u("0.5")}).toLongLong(),
             u("0.0002"));
    QVERIFY(sql::scalar(db, u"SELECT dmul(NULL, 5)"_qs).isNull());
}

void TestDb::createRefusesExistingFile()
{
    FreshShop shop;
    sql::exec(shop.db(), u"UPDATE danwei SET mczc = '老店'"_qs);
    QVERIFY(schema::createDatabaseFile(shop.dm().databasePath()).has_value());
    QVERIFY(shop.dm().reloadShop());
    QCOMPARE(shop.dm().ATdanwei1().mczc, u"老店"_qs);
}

void TestDb::openRefusesMissingOrForeignFile()
{
    QTemporaryDir empty;
    TDM1 missing(empty.path());
    QVERIFY(missing.open().has_value());
    QVERIFY(!QFile::exists(missing.databasePath()));  // nothing made in its place

    QTemporaryDir foreignDir;
    QFile foreign(QDir(foreignDir.path()).filePath(schema::databaseFileName()));
    QVERIFY(foreign.open(QIODevice::WriteOnly));
    foreign.write("this is not a database at all, just some text of a shop program user");
    foreign.close();
    TDM1 garbage(foreignDir.path());
    QVERIFY(garbage.open().has_value());
}

namespace {

// Runs statements on a file through a connection of its own, then closes it.
void runOn(const QString &file, const QStringList &statements)
{
    const QString name = u"raw-"_qs + QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, name);
        db.setDatabaseName(file);
        QVERIFY(db.open());
        registerSqlFunctions(db);
        for (const QString &s : statements)
            sql::exec(db, s);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

void TestDb::refusedFilesAreLeftAsTheyWere()
{
    const std::pair<const char *, std::function<void(const QString &)>> cases[] = {
        {"a text file",
         [](const QString &file) {
             QFile f(file);
             QVERIFY(f.open(QIODevice::WriteOnly));
             f.write(QByteArray(5000, 'x'));
         }},
        {"an empty file",
         [](const QString &file) {
             QFile f(file);
             QVERIFY(f.open(QIODevice::WriteOnly));
         }},
        {"another program's SQLite file",
         [](const QString &file) {
             runOn(file, {u"CREATE TABLE notes (id INTEGER PRIMARY KEY, text TEXT)"_qs,
                          u"INSERT INTO notes (text) VALUES ('keep me')"_qs});
         }},
        {"an SQLite file with the stamp but none of the shop's tables",
         [](const QString &file) {
             runOn(file, {u"PRAGMA application_id = %1"_qs.arg(schema::ApplicationId),
                          u"CREATE TABLE notes (id INTEGER PRIMARY KEY, text TEXT)"_qs});
         }},
        {"a shop file that lost a table",
         [](const QString &file) {
             QVERIFY(!schema::createDatabaseFile(file));
             runOn(file, {u"DROP TABLE yhsz"_qs});
         }},
    };
    for (const auto &[what, make] : cases) {
        QTemporaryDir dir;
        const QString file = QDir(dir.path()).filePath(schema::databaseFileName());
        make(file);
        const QByteArray before = bytesOf(file);
        const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);
        {
            TDM1 dm(dir.path());
            QVERIFY2(dm.open().has_value(), what);
        }
        QVERIFY2(bytesOf(file) == before, what);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), filesBefore);  // no log made beside it
    }
}

namespace {

goods::Input article(const QString &ppgg)
{
    goods::Input in;
    in.lb = u"五金工具"_qs;
    in.ppgg = ppgg;
    in.txm = ppgg;
    in.dw = u"个"_qs;
    for (const goods::NumberField &f : goods::numberFields())
        in.*(f.text) = u"0"_qs;
    return in;
}

int goodsCount(const QSqlDatabase &db)
{
    return sql::scalar(db, u"SELECT count(*) FROM sp"_qs).toInt();
}

}  // namespace

void TestDb::fullDiskFreesTheLogAndLaterWritesSucceed()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const QString log = shop.dm().databasePath() + u"-wal"_qs;
    QCOMPARE(sql::scalar(db, u"PRAGMA journal_size_limit"_qs).toLongLong(), 4194304LL);

    // Saved before the disk fills: still in the log.
    for (int i = 0; i < 20; ++i)
        QVERIFY(goods::add(db, article(u"扳手"_qs + QString::number(i))).ok());
    QVERIFY(QFileInfo(log).size() > 0);

    // The disk is full: the file may not grow by a single page.
    const int pages = sql::scalar(db, u"PRAGMA page_count"_qs).toInt();
    sql::exec(db, u"PRAGMA max_page_count = %1"_qs.arg(pages));
    const QString bulky(4000, u'长');

    // An action in one transaction: refused with a plain message, the log folded back.
    try {
        Transaction t(db);
        for (int i = 0; i < 200; ++i)
            sql::exec(db, u"INSERT INTO sp (lb, ppgg, txm, dw, ms) VALUES ('五金工具', ?, ?, '个', ?)"_qs,
                      {QString(u"螺丝"_qs + QString::number(i)), u"LS"_qs, bulky});
        t.commit();
        QFAIL("the transaction fitted into a full disk");
    } catch (const DbError &e) {
        QVERIFY(e.diskFull());
        QCOMPARE(e.message(), DbError::fullDiskMessage());
    }
    QCOMPARE(QFileInfo(log).size(), 0);
    QCOMPARE(goodsCount(db), 20);

    // A single statement outside a transaction, as the goods dialog saves: the
    // operator reads the same message, and the log is folded back again.
    QVERIFY(goods::update(db, 1, article(u"扳手甲"_qs)).ok());
    QVERIFY(QFileInfo(log).size() > 0);
    goods::Input big = article(u"大件"_qs);
    big.ms = bulky + bulky;
    const goods::Outcome refused = goods::add(db, big);
    QVERIFY(!refused.ok());
    QCOMPARE(refused.message, DbError::fullDiskMessage());
    QCOMPARE(QFileInfo(log).size(), 0);

    // Room again: writing works without restarting, and everything saved is there.
    sql::exec(db, u"PRAGMA max_page_count = 1073741823"_qs);
    QVERIFY(goods::add(db, big).ok());
    QCOMPARE(goodsCount(db), 21);
    shop.dm().closeConnection();
    db = shop.dm().ADOC1();
    QCOMPARE(goodsCount(db), 21);
    QCOMPARE(sql::scalar(db, u"SELECT ppgg FROM sp WHERE id = 1"_qs).toString(), u"扳手甲"_qs);
}

void TestDb::committedWritesAnnounceTheirTables()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    QSignalSpy announced(DataChanges::of(db), &DataChanges::tablesChanged);
    const auto tablesAnnounced = [&announced] {
        QList<QStringList> out;
        for (const QList<QVariant> &args : announced)
            out << args.at(0).toStringList();
        announced.clear();
        return out;
    };

    // Rolled back: nothing.
    {
        Transaction t(db);
        sql::exec(db, u"INSERT INTO lb (lb) VALUES ('新类别')"_qs);
        sql::exec(db, u"UPDATE danwei SET mczc = '新店名'"_qs);
    }
    QVERIFY(tablesAnnounced().isEmpty());

    // Committed: once, each table once, in the order they changed.
    {
        Transaction t(db);
        sql::exec(db, u"INSERT INTO lb (lb) VALUES ('新类别')"_qs);
        sql::exec(db, u"UPDATE danwei SET mczc = '新店名'"_qs);
        sql::exec(db, u"INSERT INTO lb (lb) VALUES ('又一类')"_qs);
        QVERIFY(tablesAnnounced().isEmpty());  // not before the commit
        t.commit();
    }
    QCOMPARE(tablesAnnounced(), QList<QStringList>{(QStringList{u"lb"_qs, u"danwei"_qs})});

    // A statement on its own announces when it succeeds; a failed one, whose
    // first row was already written when it failed, announces nothing.
    sql::exec(db, u"DELETE FROM dw WHERE dw = '个'"_qs);
    QCOMPARE(tablesAnnounced(), QList<QStringList>{QStringList(u"dw"_qs)});
    QVERIFY_THROWS_EXCEPTION(DbError, sql::exec(db, u"INSERT INTO lb (id, lb) VALUES (1000, 'x'), (1, 'y')"_qs));
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM lb WHERE id = 1000"_qs).toInt(), 0);
    QVERIFY(tablesAnnounced().isEmpty());
    // Reading changes nothing, and what the failed statement noted is gone.
    {
        Transaction t(db);
        sql::scalar(db, u"SELECT count(*) FROM sp"_qs);
        t.commit();
    }
    QVERIFY(tablesAnnounced().isEmpty());

    // What the engine does not report row by row is declared by the action.
    {
        Transaction t(db);
        sql::exec(db, u"DELETE FROM xshz"_qs);
        DataChanges::of(db)->declare({u"xshz"_qs});
        t.commit();
    }
    QCOMPARE(tablesAnnounced(), QList<QStringList>{QStringList(u"xshz"_qs)});
}

// ---- Numbering -------------------------------------------------------------

void TestDb::serialRule_data()
{
    QTest::addColumn<int>("serial");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("number");
    QTest::newRow("after 1") << 1 << int(Result::Made) << "XSD20101105002";
    QTest::newRow("after 8") << 8 << int(Result::Made) << "XSD20101105009";
    QTest::newRow("after 9") << 9 << int(Result::Made) << "XSD20101105010";
    QTest::newRow("after 98") << 98 << int(Result::Made) << "XSD20101105099";
    QTest::newRow("after 99") << 99 << int(Result::Made) << "XSD20101105100";
    QTest::newRow("after 998") << 998 << int(Result::Made) << "XSD20101105999";
    QTest::newRow("after 999") << 999 << int(Result::DailyLimit) << "";
    QTest::newRow("serial 0") << 0 << int(Result::Unchanged) << "";
}

void TestDb::serialRule()
{
    QFETCH(int, serial);
    QFETCH(int, status);
    QFETCH(QString, number);
    const Result r = numbering::afterSerial(Kind::Retail, serial, QDate(2010, 11, 5));
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.number, number);
}

void TestDb::nextOfTodayCountsByKindAndEntryDay()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    const QDate today(2014, 3, 2);
    const auto header = [&](const char *table, const QString &dh, const QDate &kdrq) {
        sql::exec(db, u"INSERT INTO "_qs + QString::fromLatin1(table) +
                          u" (dh, rq, kdrq) VALUES (?, ?, ?)"_qs,
                  {dh, dates::toDbText(kdrq), dates::toDbText(kdrq)});
    };
    // Empty tables: the first number of the day.
    QCOMPARE(numbering::nextOfToday(db, Kind::Retail, today).number, u"XSD20140302001"_qs);
    QCOMPARE(numbering::nextOfToday(db, Kind::Purchase, today).number, u"CGD20140302001"_qs);

    // Yesterday ended at 999: today still starts at 001.
    header("xsglz", u"XSD20140301999"_qs, today.addDays(-1));
    QCOMPARE(numbering::nextOfToday(db, Kind::Retail, today).number, u"XSD20140302001"_qs);

    // Retail and wholesale count apart in their shared table.
    header("xsglz", u"XSD20140302001"_qs, today);
    header("xsglz", u"XSD20140302002"_qs, today);
    QCOMPARE(numbering::nextOfToday(db, Kind::Retail, today).number, u"XSD20140302003"_qs);
    QCOMPARE(numbering::nextOfToday(db, Kind::Wholesale, today).number, u"PFD20140302001"_qs);
    header("xsglz", u"PFD20140302001"_qs, today);
    QCOMPARE(numbering::nextOfToday(db, Kind::Wholesale, today).number, u"PFD20140302002"_qs);
    QCOMPARE(numbering::nextOfToday(db, Kind::Retail, today).number, u"XSD20140302003"_qs);

    // A deleted highest number is made again.
    sql::exec(db, u"DELETE FROM xsglz WHERE dh = 'XSD20140302002'"_qs);
    QCOMPARE(numbering::nextOfToday(db, Kind::Retail, today).number, u"XSD20140302002"_qs);

    // The 999th of the day exists: no more today.
    header("rkglz", u"YDD20140302999"_qs, today);
    const Result full = numbering::nextOfToday(db, Kind::Movement, today);
    QCOMPARE(full.status, Result::DailyLimit);
    QVERIFY(full.number.isEmpty());
    QCOMPARE(numbering::dailyLimitMessage(), u"每天录入不可超过999单！"_qs);

    // After saves: the serial of the saved number plus one, with today's date.
    QCOMPARE(numbering::nextAfterSave(Kind::Purchase, u"CGD20140302998"_qs, today).number,
             u"CGD20140302999"_qs);
    QCOMPARE(numbering::nextAfterSave(Kind::Purchase, u"CGD20140302999"_qs, today).status,
             Result::DailyLimit);
}

void TestDb::midnightRule()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    const QDate yesterday(2014, 3, 1);
    const QDate today(2014, 3, 2);
    // A number made before midnight and first saved after it: the earlier date
    // in the number, today's entry day.
    sql::exec(db, u"INSERT INTO xsglz (dh, rq, kdrq) VALUES (?, ?, ?)"_qs,
              {u"XSD20140301005"_qs, dates::toDbText(yesterday), dates::toDbText(today)});
    QCOMPARE(numbering::nextAfterSave(Kind::Retail, u"XSD20140301005"_qs, today).number,
             u"XSD20140302006"_qs);
    // It counts among today's headers, and sorts before today's own numbers.
    QCOMPARE(numbering::nextOfToday(db, Kind::Retail, today).number, u"XSD20140302006"_qs);
    sql::exec(db, u"INSERT INTO xsglz (dh, rq, kdrq) VALUES (?, ?, ?)"_qs,
              {u"XSD20140302006"_qs, dates::toDbText(today), dates::toDbText(today)});
    QCOMPARE(numbering::nextOfToday(db, Kind::Retail, today).number, u"XSD20140302007"_qs);
}

void TestDb::unreadableSerialMakesNoNumber()
{
    QCOMPARE(numbering::nextAfterSave(Kind::Retail, u"XSD201403020A1"_qs, QDate(2014, 3, 2)).status,
             Result::Unreadable);
    QCOMPARE(numbering::nextAfterSave(Kind::Retail, u"XSD"_qs, QDate(2014, 3, 2)).status,
             Result::Unreadable);
}

QTEST_GUILESS_MAIN(TestDb)
#include "tst_db.moc"
