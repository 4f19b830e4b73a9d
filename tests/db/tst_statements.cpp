// The prepared statements a connection keeps: run again with other values,
// two results of one text apart, nothing held on the file between runs,
// closing, reopening and removing the connection, tables that change shape,
// the bound on how many are kept, and values and errors exactly as the SQL
// driver gives them.
#include "TestSupport.h"

#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/SqlFunctions.h"
#include "core/db/Statements.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QSqlDriver>
#include <QSqlField>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

class TestStatements : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aStatementRunsAgainWithOtherValues();
    void resultsOfOneTextStayApart();
    void waitingStatementsHoldNothingOnTheFile();
    void aFailedStatementIsNotRunAgain();
    void closingAndReopeningTheConnection();
    void removingTheConnectionLeavesNothing();
    void tablesThatChangeShape();
    void theUpgradeOfAnOlderFile();
    void keptStatementsAreBounded();
    void valuesAndErrorsAsTheDriverGivesThem();
    void transactionsAsTheDriverRunsThem();
};

namespace {

// The statements prepared on the connection, kept or in use.
int preparedOn(const QSqlDatabase &db)
{
    sqlite3 *handle = sqliteHandle(db);
    int n = 0;
    for (sqlite3_stmt *s = sqlite3_next_stmt(handle, nullptr); s; s = sqlite3_next_stmt(handle, s))
        ++n;
    return n;
}

// Statements of the connection in the middle of their rows.
int busyOn(const QSqlDatabase &db)
{
    sqlite3 *handle = sqliteHandle(db);
    int n = 0;
    for (sqlite3_stmt *s = sqlite3_next_stmt(handle, nullptr); s; s = sqlite3_next_stmt(handle, s))
        n += sqlite3_stmt_busy(s) ? 1 : 0;
    return n;
}

// A connection of its own on a file, removed with the object.
class Connection
{
public:
    explicit Connection(const QString &file)
        : m_name(u"tst_statements-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        db.setDatabaseName(file);
        if (!db.open())
            qFatal("cannot open %s", qPrintable(file));
    }
    ~Connection()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }
    QString name() const { return m_name; }

private:
    QString m_name;
};

// What one statement gives: each row's values with their types, what a
// write reports, or the error text.
struct Ran {
    QString error;
    QString code;  // the engine's error code
    QList<QVariantList> rows;
    QStringList columns;
    QVariant lastInsertId;
    int changed = -1;
};

QString describe(const QVariant &v)
{
    return QString::fromLatin1(v.metaType().name() ? v.metaType().name() : "invalid") +
           (v.isNull() ? u" null"_s : u" "_s + v.toString());
}

QStringList describe(const Ran &r)
{
    QStringList out{u"error: "_s + r.error + u" ["_s + r.code + u']',
                    u"columns: "_s + r.columns.join(u',')};
    for (const QVariantList &row : r.rows) {
        QStringList cells;
        for (const QVariant &v : row)
            cells << describe(v);
        out << cells.join(u" | "_s);
    }
    if (r.error.isEmpty())
        out << u"last id: "_s + describe(r.lastInsertId) << u"changed: "_s + QString::number(r.changed);
    return out;
}

// Through a query of the driver's own, as every statement ran before.
Ran byTheDriver(const QSqlDatabase &db, const QString &statement, const sql::Binds &binds)
{
    Ran r;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool ok = q.prepare(statement);
    if (ok) {
        for (const QVariant &v : binds)
            q.addBindValue(v);
        ok = q.exec();
    }
    if (!ok) {
        r.error = q.lastError().text();
        r.code = q.lastError().nativeErrorCode();
        return r;
    }
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        r.columns << rec.fieldName(i) + u' ' + QString::fromLatin1(rec.field(i).metaType().name());
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i <= rec.count(); ++i)  // one beyond the last: invalid
            row << q.value(i);
        r.rows << row;
    }
    r.lastInsertId = q.lastInsertId();
    r.changed = q.numRowsAffected();
    return r;
}

// Through exec(), which keeps the statement.
Ran kept(const QSqlDatabase &db, const QString &statement, const sql::Binds &binds)
{
    Ran r;
    try {
        sql::Query q = sql::exec(db, statement, binds);
        if (q.value(0).isValid())
            r.columns << u"a value before the first row"_s;
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i)
            r.columns << rec.fieldName(i) + u' ' + QString::fromLatin1(rec.field(i).metaType().name());
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i <= rec.count(); ++i) {
                row << q.value(i);
                // The readings without a QVariant agree with it.
                if (q.text(i) != q.value(i).toString() ||
                    q.text(i).isNull() != q.value(i).toString().isNull() ||
                    q.toLongLong(i) != q.value(i).toLongLong())
                    r.columns << u"column %1 read apart: "_s.arg(i) + q.text(i) + u' ' +
                                     QString::number(q.toLongLong(i));
            }
            r.rows << row;
        }
        r.lastInsertId = q.lastInsertId();
        r.changed = q.numRowsAffected();
    } catch (const DbError &e) {
        r.error = e.message();
        // The code comes with the statement's own error.
        std::optional<QSqlError> error;
        if (auto s = sql::statements::take(db, statement, int(binds.size()), error))
            s->run(binds, error);
        r.code = error ? error->nativeErrorCode() : u"none"_s;
    }
    return r;
}

}  // namespace

void TestStatements::aStatementRunsAgainWithOtherValues()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    for (int i = 0; i < 20; ++i)
        sql::exec(db, u"INSERT INTO sp (txm, ppgg, kcsl) VALUES (?, ?, ?)"_s,
                  {QString(u"C"_s + QString::number(i)), QString(u"扳手 "_s + QString::number(i)),
                   qint64(i) * 10000});
    const int prepared = preparedOn(db);
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 20; ++i) {
            sql::Query q = sql::exec(db, u"SELECT ppgg, kcsl FROM sp WHERE txm = ?"_s,
                                     {QString(u"C"_s + QString::number(i))});
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), u"扳手 "_s + QString::number(i));
            QCOMPARE(q.value(1).toLongLong(), qint64(i) * 10000);
            QVERIFY(!q.next());
        }
        QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM sp WHERE kcsl >= ?"_s, {qint64(100000)}).toInt(),
                 10);
        QVERIFY(sql::exists(db, u"SELECT 1 FROM sp WHERE txm = ?"_s, {u"C7"_s}));
        QVERIFY(!sql::exists(db, u"SELECT 1 FROM sp WHERE txm = ?"_s, {u"C77"_s}));
    }
    // Prepared once each, however often they ran.
    QCOMPARE(preparedOn(db), prepared + 3);
}

void TestStatements::resultsOfOneTextStayApart()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    for (int i = 0; i < 6; ++i)
        sql::exec(db, u"INSERT INTO sp (lb, ppgg) VALUES (?, ?)"_s,
                  {i % 2 ? u"单"_s : u"双"_s, QString::number(i)});
    const QString byCategory = u"SELECT ppgg FROM sp WHERE lb = ? ORDER BY id"_s;
    // A result read while the same text runs again, for another category.
    sql::Query odd = sql::exec(db, byCategory, {u"单"_s});
    QStringList got;
    QVERIFY(odd.next());
    got << odd.value(0).toString();
    {
        sql::Query even = sql::exec(db, byCategory, {u"双"_s});
        while (even.next()) {
            got << u"/"_s + even.value(0).toString();
            // And the same text again inside that one.
            QCOMPARE(sql::scalar(db, byCategory, {u"单"_s}).toString(), u"1"_s);
        }
    }
    while (odd.next())
        got << odd.value(0).toString();
    QCOMPARE(got, (QStringList{u"1"_s, u"/0"_s, u"/2"_s, u"/4"_s, u"3"_s, u"5"_s}));

    // A moved result reads on where it was; the one moved from is empty.
    sql::Query moved = std::move(odd);
    QVERIFY(!moved.next());
    QVERIFY(!odd.next());
    QVERIFY(!odd.value(0).isValid());

    // Finished early, its statement runs again at once.
    sql::Query early = sql::exec(db, byCategory, {u"单"_s});
    QVERIFY(early.next());
    early.finish();
    QVERIFY(!early.next());
    QCOMPARE(sql::scalar(db, byCategory, {u"双"_s}).toString(), u"0"_s);
}

void TestStatements::waitingStatementsHoldNothingOnTheFile()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    for (int i = 0; i < 50; ++i)
        sql::exec(db, u"INSERT INTO sp (ppgg) VALUES (?)"_s, {QString::number(i)});
    {
        // Only the first of many rows read: the statement stops mid-way.
        sql::Query q = sql::exec(db, u"SELECT ppgg FROM sp ORDER BY id"_s);
        QVERIFY(q.next());
        QCOMPARE(busyOn(db), 1);
    }
    QCOMPARE(sql::scalar(db, u"SELECT ppgg FROM sp ORDER BY id"_s).toString(), u"0"_s);
    QVERIFY(sql::exists(db, u"SELECT 1 FROM sp"_s));
    QCOMPARE(busyOn(db), 0);

    // So another connection's write is seen at once, and the log can be
    // folded back whole.
    Connection other(shop.dm().databasePath());
    QVERIFY(registerSqlFunctions(other.db()));
    QSqlQuery write(other.db());
    QVERIFY(write.exec(u"INSERT INTO sp (ppgg) VALUES ('from elsewhere')"_s));
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM sp"_s).toInt(), 51);
    sql::Query fold = sql::exec(db, u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
    QVERIFY(fold.next());
    QCOMPARE(fold.value(0).toInt(), 0);  // not blocked by a reader
}

void TestStatements::aFailedStatementIsNotRunAgain()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    sql::exec(db, u"CREATE TABLE t (k TEXT UNIQUE)"_s);
    const QString insert = u"INSERT INTO t (k) VALUES (?)"_s;
    sql::exec(db, insert, {u"a"_s});
    QVERIFY_THROWS_EXCEPTION(DbError, sql::exec(db, insert, {u"a"_s}));
    // The refusal is not carried over to the next run of the same text.
    sql::exec(db, insert, {u"b"_s});
    QCOMPARE(sql::scalar(db, u"SELECT group_concat(k) FROM t"_s).toString(), u"a,b"_s);
    try {
        sql::exec(db, insert, {u"b"_s});
        QFAIL("a duplicate was written");
    } catch (const DbError &e) {
        QCOMPARE(e.message(), u"UNIQUE constraint failed: t.k Unable to fetch row"_s);
    }
}

void TestStatements::closingAndReopeningTheConnection()
{
    FreshShop shop;
    const QString log = shop.dm().databasePath() + u"-wal"_s;
    const QString count = u"SELECT count(*) FROM sp WHERE ppgg LIKE ?"_s;
    sql::exec(shop.db(), u"INSERT INTO sp (ppgg) VALUES (?)"_s, {u"扳手"_s});
    QCOMPARE(sql::scalar(shop.db(), count, {u"扳%"_s}).toInt(), 1);
    const QString name = shop.db().connectionName();
    QVERIFY(sql::statements::keptCount(shop.db()) > 0);

    // Closed by the data module: nothing kept, and the connection really
    // closed (the log is folded back and removed only then).
    shop.dm().closeConnection();
    QVERIFY(!QFile::exists(log));
    QCOMPARE(sql::statements::keptCount(QSqlDatabase::database(name, false)), 0);
    sql::exec(shop.db(), u"INSERT INTO sp (ppgg) VALUES (?)"_s, {u"扳子"_s});
    QCOMPARE(sql::scalar(shop.db(), count, {u"扳%"_s}).toInt(), 2);

    // Closed and opened again behind the kept statements' back.
    QSqlDatabase db = shop.db();
    db.close();
    QVERIFY(!QFile::exists(log));
    QVERIFY(db.open());
    QVERIFY(registerSqlFunctions(db));
    QCOMPARE(sql::scalar(db, count, {u"扳%"_s}).toInt(), 2);
    sql::exec(db, u"INSERT INTO sp (ppgg) VALUES (?)"_s, {u"扳手二"_s});
    QCOMPARE(sql::scalar(db, count, {u"扳%"_s}).toInt(), 3);

    // A result still being read when its connection closes ends there.
    sql::Query open = sql::exec(db, u"SELECT ppgg FROM sp ORDER BY id"_s);
    QVERIFY(open.next());
    db.close();
    QVERIFY(!open.next());
    QVERIFY(!open.value(0).isValid());
    QVERIFY(db.open());
    QCOMPARE(sql::scalar(db, u"SELECT ppgg FROM sp ORDER BY id"_s).toString(), u"扳手"_s);
}

void TestStatements::removingTheConnectionLeavesNothing()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"t.db"_s);
    const int before = sql::statements::connectionsKeeping();
    QString name;
    for (int round = 0; round < 2; ++round) {
        Connection c(file);
        name = c.name();
        sql::exec(c.db(), u"CREATE TABLE IF NOT EXISTS t (v)"_s);
        sql::exec(c.db(), u"INSERT INTO t (v) VALUES (?)"_s, {round});
        QCOMPARE(sql::scalar(c.db(), u"SELECT count(*) FROM t"_s).toInt(), round + 1);
        QCOMPARE(sql::statements::connectionsKeeping(), before + 1);
    }
    QCOMPARE(sql::statements::connectionsKeeping(), before);

    // A connection added again under a removed one's name starts afresh.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM t"_s).toInt(), 2);
        QCOMPARE(sql::statements::keptCount(db), 1);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    QCOMPARE(sql::statements::connectionsKeeping(), before);
}

void TestStatements::tablesThatChangeShape()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"t.db"_s);
    Connection c(file);
    const QSqlDatabase db = c.db();
    sql::exec(db, u"CREATE TABLE t (a, b)"_s);
    sql::exec(db, u"INSERT INTO t VALUES (1, 2)"_s);
    const QString all = u"SELECT * FROM t WHERE a = ?"_s;
    auto widthAndLast = [&] {
        sql::Query q = sql::exec(db, all, {1});
        if (!q.next())
            return QString();
        const int width = q.record().count();
        return QString(QString::number(width) + u':' + q.value(width - 1).toString());
    };
    QCOMPARE(widthAndLast(), u"2:2"_s);

    // Through exec(), through a query of the driver's own, from another connection.
    sql::exec(db, u"ALTER TABLE t ADD COLUMN c DEFAULT 'c'"_s);
    QCOMPARE(widthAndLast(), u"3:c"_s);
    QSqlQuery raw(db);
    QVERIFY(raw.exec(u"ALTER TABLE t ADD COLUMN d DEFAULT 'd'"_s));
    QVERIFY(raw.exec(u"ALTER TABLE t ADD COLUMN e DEFAULT 'e'"_s));
    QCOMPARE(widthAndLast(), u"5:e"_s);
    {
        Connection other(file);
        QSqlQuery elsewhere(other.db());
        QVERIFY(elsewhere.exec(u"ALTER TABLE t ADD COLUMN f DEFAULT 'f'"_s));
        QVERIFY(elsewhere.exec(u"ALTER TABLE t DROP COLUMN b"_s));
    }
    QCOMPARE(widthAndLast(), u"5:f"_s);

    // A table gone says so as a statement prepared now would.
    const QString fresh = byTheDriver(db, u"SELECT a FROM gone"_s, {}).error;
    sql::exec(db, u"CREATE TABLE gone (a)"_s);
    QCOMPARE(sql::scalar(db, u"SELECT a FROM gone"_s), QVariant());
    sql::exec(db, u"DROP TABLE gone"_s);
    try {
        sql::exec(db, u"SELECT a FROM gone"_s);
        QFAIL("a table that is gone was read");
    } catch (const DbError &e) {
        QCOMPARE(e.message(), fresh);
    }
}

void TestStatements::theUpgradeOfAnOlderFile()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const QString byName = u"SELECT ppgg FROM sp WHERE ppgg >= ? ORDER BY ppgg COLLATE PINYIN, id"_s;
    sql::exec(db, u"INSERT INTO sp (ppgg) VALUES (?), (?)"_s, {u"扳手"_s, u"螺丝"_s});
    QCOMPARE(sql::scalar(db, byName, {u""_s}).toString(), u"扳手"_s);
    // The goods indexes of an older file are made anew by the upgrade.
    const int version = schema::SchemaVersion;
    sql::exec(db, u"DROP INDEX sp_name"_s);
    sql::exec(db, u"PRAGMA user_version = 1"_s);
    QCOMPARE(sql::scalar(db, byName, {u""_s}).toString(), u"扳手"_s);
    QCOMPARE(schema::upgrade(db), std::nullopt);
    QCOMPARE(sql::scalar(db, u"PRAGMA user_version"_s).toInt(), version);
    QCOMPARE(sql::scalar(db, byName, {u""_s}).toString(), u"扳手"_s);
    QCOMPARE(sql::scalar(db, byName, {u"螺"_s}).toString(), u"螺丝"_s);
}

void TestStatements::keptStatementsAreBounded()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const int most = sql::statements::keptPerConnection();
    QCOMPARE(most, 64);
    for (int i = 0; i < 3 * most; ++i)
        QCOMPARE(sql::scalar(db, u"SELECT ? + "_s + QString::number(i), {1}).toInt(), i + 1);
    QCOMPARE(sql::statements::keptCount(db), most);
    QCOMPARE(preparedOn(db), most);
    // The ones used last stay; an older one is prepared anew.
    const int prepared = preparedOn(db);
    QCOMPARE(sql::scalar(db, u"SELECT ? + "_s + QString::number(3 * most - 1), {1}).toInt(), 3 * most);
    QCOMPARE(preparedOn(db), prepared);
    QCOMPARE(sql::scalar(db, u"SELECT ? + 0"_s, {1}).toInt(), 1);
    QCOMPARE(sql::statements::keptCount(db), most);

    // A result read while many others come and go: its statement comes back
    // after them and is the one run next.
    sql::Query held = sql::exec(db, u"SELECT ? + 1000"_s, {1});
    QVERIFY(held.next());
    for (int i = 0; i < 3 * most; ++i)
        QCOMPARE(sql::scalar(db, u"SELECT ? * "_s + QString::number(i), {2}).toInt(), 2 * i);
    QCOMPARE(held.value(0).toInt(), 1001);
    held.finish();
    QCOMPARE(sql::statements::keptCount(db), most);
    const int before = preparedOn(db);
    QCOMPARE(sql::scalar(db, u"SELECT ? + 1000"_s, {2}).toInt(), 1002);
    QCOMPARE(preparedOn(db), before);
}

void TestStatements::valuesAndErrorsAsTheDriverGivesThem()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    sql::exec(db, u"CREATE TABLE v (id INTEGER PRIMARY KEY, i INTEGER, r REAL, t TEXT, b BLOB,"
                  " n NUMERIC, k TEXT UNIQUE)"_s);

    const QString everyKind = u"SELECT ?, typeof(?), ?, typeof(?), ?, typeof(?), ?, typeof(?), ?,"
                              " typeof(?), ?, typeof(?), ?, typeof(?), ?, typeof(?), ?, typeof(?), ?,"
                              " typeof(?), ?, typeof(?), ?, typeof(?), ?, typeof(?)"_s;
    const QVariantList kinds = {qint64(1) << 40,
                                42,
                                true,
                                2.25,
                                u"文字 𠀀"_s,
                                QString(),
                                u""_s,
                                QByteArray("\x01\x00\x02", 3),
                                QVariant(),
                                QDate(2014, 1, 5),
                                QDateTime(QDate(2014, 1, 5), QTime(8, 30, 1, 250)),
                                QTime(23, 59, 58, 7),
                                QVariant::fromValue(7L)};
    sql::Binds twice;
    for (const QVariant &v : kinds)
        twice.insert(twice.end(), {v, v});

    struct Case {
        const char *what;
        QString statement;
        sql::Binds binds;
    };
    const Case cases[] = {
        {"every kind of value bound and read back", everyKind, twice},
        {"stored kinds read back", u"SELECT * FROM v ORDER BY id"_s, {}},
        {"a write", u"INSERT INTO v (i, r, t, b, n, k) VALUES (?, ?, ?, ?, ?, ?)"_s,
         {qint64(5), 0.5, u"五"_s, QByteArray("5"), u"5.50"_s, u"k5"_s}},
        {"a write of nothing", u"UPDATE v SET i = 0 WHERE id < 0"_s, {}},
        {"columns named and computed", u"SELECT id AS \"编号\", i + 1, t FROM v WHERE id = ?"_s, {1}},
        {"no rows", u"SELECT t FROM v WHERE id = ?"_s, {-1}},
        {"an empty text, a NULL, numbers as text", u"SELECT '', NULL, ?, '12x', 2.75, x''"_s,
         {u""_s}},
        {"a duplicate", u"INSERT INTO v (k) VALUES (?)"_s, {u"k1"_s}},
        {"too few values", u"SELECT ? + ?"_s, {1}},
        {"too many values", u"SELECT ?"_s, {1, 2}},
        {"a misspelt statement", u"SELEC 1"_s, {}},
        {"two statements", u"SELECT 1; SELECT 2"_s, {}},
        {"a missing table", u"SELECT * FROM nowhere"_s, {}},
        {"an overflow in the engine", u"SELECT sum(x) FROM (SELECT ? AS x UNION ALL SELECT ?)"_s,
         {std::numeric_limits<qint64>::max(), qint64(1)}},
        {"a function's own failure", u"SELECT dmul(?, ?)"_s,
         {std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::max()}},
    };
    for (int round = 0; round < 2; ++round) {  // prepared now, then kept
        sql::exec(db, u"DELETE FROM v"_s);
        sql::exec(db, u"INSERT INTO v (id, i, r, t, b, n, k) VALUES (1, 7, 1.5, '一', x'00ff', 3, 'k1'),"
                      " (2, NULL, NULL, NULL, NULL, '2.50', 'k2')"_s);
        for (const Case &c : cases) {
            const bool writes = QByteArray(c.what).startsWith("a write");
            const Ran theDriver = byTheDriver(db, c.statement, c.binds);
            // Run again on the same rows.
            if (writes)
                sql::exec(db, u"DELETE FROM v WHERE id > 2"_s);
            const Ran viaExec = kept(db, c.statement, c.binds);
            if (writes)
                sql::exec(db, u"DELETE FROM v WHERE id > 2"_s);
            QVERIFY2(describe(viaExec) == describe(theDriver),
                     qPrintable(QString::fromLatin1(c.what) + u":\n"_s +
                                describe(viaExec).join(u'\n') + u"\n-- the driver:\n"_s +
                                describe(theDriver).join(u'\n')));
        }
    }
}

void TestStatements::transactionsAsTheDriverRunsThem()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    // Committed and rolled back as before.
    {
        Transaction t(db);
        sql::exec(db, u"INSERT INTO sp (ppgg) VALUES ('kept')"_s);
        t.commit();
    }
    {
        Transaction t(db);
        sql::exec(db, u"INSERT INTO sp (ppgg) VALUES ('dropped')"_s);
    }
    QCOMPARE(sql::scalar(db, u"SELECT group_concat(ppgg) FROM sp"_s).toString(), u"kept"_s);

    // Refusals in the driver's words: a transaction inside another one, a
    // commit with none open.
    QSqlQuery raw(db);
    QVERIFY(raw.exec(u"BEGIN"_s));
    QVERIFY(!db.transaction());
    const QString cannotBegin = db.lastError().text();
    QVERIFY(cannotBegin.contains(u"Unable to begin transaction"_s));
    QVERIFY_THROWS_EXCEPTION(DbError, Transaction{db});
    try {
        Transaction inner(db);
    } catch (const DbError &e) {
        QCOMPARE(e.message(), cannotBegin);
    }
    QVERIFY(raw.exec(u"ROLLBACK"_s));
    QVERIFY(!db.commit());
    const QString cannotCommit = db.lastError().text();
    try {
        Transaction t(db);
        QVERIFY(raw.exec(u"ROLLBACK"_s));  // ended behind its back
        t.commit();
        QFAIL("a commit without a transaction succeeded");
    } catch (const DbError &e) {
        QCOMPARE(e.message(), cannotCommit);
    }
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM sp"_s).toInt(), 1);
}

QTEST_GUILESS_MAIN(TestStatements)
#include "tst_statements.moc"
