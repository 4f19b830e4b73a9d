// Backup, restore, compaction and clearing of the shop database: the copies
// are whole and checked, a bad file or a failure at any step leaves the shop
// as it was, and the copies kept first bring the shop back.
#include "TestSupport.h"
#include "DocumentFixtures.h"

#include "core/admin/Operators.h"
#include "core/db/Schema.h"
#include "core/db/SqlFunctions.h"
#include "core/maintenance/Maintenance.h"
#include "core/maintenance/SqliteShopFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QUuid>
#include <QtTest>

#include <map>

using namespace Qt::Literals::StringLiterals;
using maintenance::Box;
using maintenance::Step;

namespace {

// Row counts of every table of the shop.
std::map<QString, int> counts(const QSqlDatabase &db)
{
    std::map<QString, int> all;
    for (const schema::Table &t : schema::tables())
        all[QString::fromLatin1(t.name)] = fixture::count(db, QString::fromLatin1(t.name));
    return all;
}

// Two rows in every table: goods with stock and prices, an operator besides
// the administrator with a grant, and plain rows everywhere else.
void seedEveryTable(const QSqlDatabase &db)
{
    fixture::addGoods(db, u"A1"_s, u"5 10 50"_s, u"12 11 9"_s);
    fixture::addGoods(db, u"B2"_s, u"3 4 12"_s, u"6 5 4"_s);
    sql::exec(db, u"INSERT INTO yhsz (yhmc, yhmm) VALUES ('张三', '1')"_s);
    sql::exec(db, u"INSERT INTO quanxian (yh, qx) VALUES ('张三', '零售开单')"_s);
    for (const schema::Table &t : schema::tables()) {
        const QString name = QString::fromLatin1(t.name);
        if (name == u"sp"_s || name == u"yhsz"_s || name == u"quanxian"_s || name == u"danwei"_s)
            continue;
        while (fixture::count(db, name) < 2)
            sql::exec(db, u"INSERT INTO "_s + name + u" DEFAULT VALUES"_s);
    }
}

QString shopName(const QSqlDatabase &db)
{
    return sql::scalar(db, u"SELECT mczc FROM danwei"_s).toString();
}

void nameShop(const QSqlDatabase &db, const QString &name)
{
    sql::exec(db, u"UPDATE danwei SET mczc = ?"_s, {name});
}

QByteArray digest(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Runs statements on a file through a connection of its own (with the
// program's functions, which the goods indexes need).
void onFile(const QString &path, const QStringList &statements)
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QVERIFY(registerSqlFunctions(db));
        for (const QString &s : statements) {
            QSqlQuery q(db);
            QVERIFY2(q.exec(s), qPrintable(s + u": "_s + q.lastError().text()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// The files in a folder other than the shop's own.
QStringList leftovers(const QString &dir)
{
    QStringList names = QDir(dir).entryList(QDir::Files);
    names.removeAll(schema::databaseFileName());
    names.removeAll(schema::databaseFileName() + u"-wal"_s);
    names.removeAll(schema::databaseFileName() + u"-shm"_s);
    return names;
}

QString write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    return path;
}

const QDateTime kMoment(QDate(2014, 1, 12), QTime(9, 30, 15));

}  // namespace

class TestMaintenance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void names_data();
    void names();

    void backupIsAWholeCheckedCopy();
    void backupOverwritesAnExistingFile();
    void backupRefusesTheShopItselfAndMissingFolders_data();
    void backupRefusesTheShopItselfAndMissingFolders();
    void backupFailureAtEachStepKeepsTheOldFile_data();
    void backupFailureAtEachStepKeepsTheOldFile();
    void backupDuringADocumentRestoresToAConsistentShop();

    void restoreBringsTheBackupBackAndKeepsASafetyCopy();
    void restoreRefusesBadFiles_data();
    void restoreRefusesBadFiles();
    void restoreFailureAtEachStepLeavesTheShop_data();
    void restoreFailureAtEachStepLeavesTheShop();
    void restoreUpgradesAnOlderBackup();

    void compactionGivesRoomBackAndKeepsEveryRow();
    void compactionFailureLeavesEveryRow_data();
    void compactionFailureLeavesEveryRow();

    void clearingEmptiesTheBoxesTables_data();
    void clearingEmptiesTheBoxesTables();
    void clearingStockKeepsGoodsAndPrices();
    void clearingBasicsKeepsTheAdministrator();
    void clearingNothingChangesNothing();
    void clearingFailureLeavesEveryRow();
    void clearingSafetyCopyRestoresTheShop();
};

void TestMaintenance::names_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("named");
    QTest::newRow("no extension") << u"/b/QLX20140112"_s << u"/b/QLX20140112.bak"_s;
    QTest::newRow("other extension") << u"/b/shop.db"_s << u"/b/shop.db.bak"_s;
    QTest::newRow("with .bak") << u"/b/shop.bak"_s << u"/b/shop.bak"_s;
    QTest::newRow(".bak inside") << u"/b/shop.bak.old"_s << u"/b/shop.bak.old"_s;
    QTest::newRow(".bak in the folder") << u"/x.bak/shop"_s << u"/x.bak/shop"_s;
    QTest::newRow("cancelled") << QString() << QString();
}

void TestMaintenance::names()
{
    QFETCH(QString, chosen);
    QFETCH(QString, named);
    QCOMPARE(maintenance::withBackupExtension(chosen), named);
    QCOMPARE(maintenance::proposedName(QDate(2014, 1, 12)), u"QLX20140112.bak"_s);
    QCOMPARE(maintenance::proposedBaseName(QDate(2014, 1, 2)), u"QLX20140102"_s);
    FreshShop shop;
    QCOMPARE(maintenance::backupFolder(shop.dm()), QDir(shop.dir()).filePath(u"数据备份库"_s));
    QCOMPARE(QFileInfo(maintenance::safetyCopyPath(shop.dm(), kMoment, u"恢复前"_s)).fileName(),
             u"QLX20140112-093015-恢复前.bak"_s);
}

void TestMaintenance::backupIsAWholeCheckedCopy()
{
    FreshShop shop;
    seedEveryTable(shop.db());
    nameShop(shop.db(), u"老王五金"_s);
    const auto before = counts(shop.db());
    QTemporaryDir out;
    const QString target = QDir(out.path()).filePath(u"QLX20140112.bak"_s);
    auto store = maintenance::storeOf(shop.dm());
    qint64 lastDone = -1, lastTotal = -1;
    const auto r = maintenance::backup(*store, target, [&](qint64 done, qint64 total) {
        lastDone = done;
        lastTotal = total;
    });
    QVERIFY2(r.ok(), qPrintable(r.error.value_or(QString())));
    QVERIFY(lastTotal > 0);
    QCOMPARE(lastDone, lastTotal);
    QCOMPARE(maintenance::SqliteShopFile::checkCandidate(target), std::nullopt);
    // One whole file: nothing left beside it.
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{u"QLX20140112.bak"_s});
    // The shop goes on as it was.
    QCOMPARE(counts(shop.db()), before);

    FreshShop other;
    QVERIFY(maintenance::restore(other.dm(), *maintenance::storeOf(other.dm()), target, kMoment).ok());
    QCOMPARE(counts(other.db()), before);
    QCOMPARE(shopName(other.db()), u"老王五金"_s);
    QCOMPARE(fixture::dump(other.db(), u"sp"_s), fixture::dump(shop.db(), u"sp"_s));
}

void TestMaintenance::backupOverwritesAnExistingFile()
{
    FreshShop shop;
    QTemporaryDir out;
    const QString target = write(QDir(out.path()).filePath(u"old.bak"_s), "an older backup");
    QVERIFY(maintenance::backup(*maintenance::storeOf(shop.dm()), target).ok());
    QCOMPARE(maintenance::SqliteShopFile::checkCandidate(target), std::nullopt);
}

void TestMaintenance::backupRefusesTheShopItselfAndMissingFolders_data()
{
    QTest::addColumn<QString>("target");  // "<shop>" for the shop's folder
    QTest::newRow("the shop file") << u"<shop>/QLXData1.db"_s;
    QTest::newRow("the shop file, another way") << u"<shop>/数据备份库/../QLXData1.db"_s;
    QTest::newRow("the shop's log") << u"<shop>/QLXData1.db-wal"_s;
    QTest::newRow("a missing folder") << u"<shop>/不存在/QLX.bak"_s;
    QTest::newRow("a folder") << u"<shop>/数据备份库"_s;
}

void TestMaintenance::backupRefusesTheShopItselfAndMissingFolders()
{
    QFETCH(QString, target);
    FreshShop shop;
    QVERIFY(maintenance::makeBackupFolder(shop.dm()));
    seedEveryTable(shop.db());
    const auto before = counts(shop.db());
    target.replace(u"<shop>"_s, shop.dir());
    const auto r = maintenance::backup(*maintenance::storeOf(shop.dm()), target);
    QVERIFY(!r.ok());
    QCOMPARE(counts(shop.db()), before);
    QCOMPARE(schema::checkShopFile(shop.dm().databasePath()), std::nullopt);
    QCOMPARE(leftovers(shop.dir()), QStringList());
}

void TestMaintenance::backupFailureAtEachStepKeepsTheOldFile_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("copy") << int(Step::Copy);
    QTest::newRow("verify") << int(Step::Verify);
    QTest::newRow("replace") << int(Step::Replace);
}

void TestMaintenance::backupFailureAtEachStepKeepsTheOldFile()
{
    QFETCH(int, step);
    FreshShop shop;
    QTemporaryDir out;
    const QString target = write(QDir(out.path()).filePath(u"QLX.bak"_s), "the backup of yesterday");
    const QByteArray old = digest(target);
    auto store = maintenance::storeOf(shop.dm());
    store->failAt = [step](Step s) { return int(s) == step; };
    QVERIFY(!maintenance::backup(*store, target).ok());
    // A partial copy never takes the place of the file there.
    QCOMPARE(digest(target), old);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{u"QLX.bak"_s});
}

void TestMaintenance::backupDuringADocumentRestoresToAConsistentShop()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    fixture::addGoods(db, u"A1"_s, u"10 2 20"_s, u"3 3 2"_s);
    const auto &retail = documents::descriptor(documents::DocumentKind::Retail);
    // Lines entered so far are stored at once; the finalize is under way.
    QCOMPARE(fixture::addLines(db, retail, u"XSD20240315001"_s, u"A1 2 3 2; A1 1 3 2"_s), QString());
    QTemporaryDir out;
    const QString target = QDir(out.path()).filePath(u"QLX.bak"_s);
    {
        Transaction tx(db);
        sql::exec(db, u"INSERT INTO xsglz (dh, kh, shbj) VALUES ('XSD20240315001', '零售', '已审核')"_s);
        sql::exec(db, u"INSERT INTO xsfx (dh, txm, sl) VALUES ('XSD20240315001', 'A1', 30000)"_s);
        sql::exec(db, u"UPDATE sp SET kcsl = kcsl - 30000"_s);
        QVERIFY(maintenance::backup(*maintenance::storeOf(shop.dm()), target).ok());
        tx.commit();
    }
    FreshShop other;
    QVERIFY(maintenance::restore(other.dm(), *maintenance::storeOf(other.dm()), target, kMoment).ok());
    // What was committed when the copy began, nothing of the finalize.
    QCOMPARE(fixture::count(other.db(), u"xsglc"_s, u"dh = 'XSD20240315001' AND bj = 'dz'"_s), 2);
    QCOMPARE(fixture::count(other.db(), u"xsglz"_s), 0);
    QCOMPARE(fixture::count(other.db(), u"xsfx"_s), 0);
    QCOMPARE(fixture::stocks(other.db()), u"A1=10 2 20"_s);
    // And the shop itself has the finalize.
    QCOMPARE(fixture::count(db, u"xsfx"_s), 1);
}

void TestMaintenance::restoreBringsTheBackupBackAndKeepsASafetyCopy()
{
    FreshShop shop;
    seedEveryTable(shop.db());
    nameShop(shop.db(), u"备份时"_s);
    const QString backup = QDir(shop.dir()).filePath(u"QLX.bak"_s);
    auto store = maintenance::storeOf(shop.dm());
    QVERIFY(maintenance::backup(*store, backup).ok());
    const auto atBackup = counts(shop.db());

    nameShop(shop.db(), u"恢复前"_s);
    sql::exec(shop.db(), u"DELETE FROM sp"_s);
    fixture::addGoods(shop.db(), u"C3"_s, u"1 1 1"_s);
    const QStringList goodsBefore = fixture::dump(shop.db(), u"sp"_s);

    const auto r = maintenance::restore(shop.dm(), *store, backup, kMoment);
    QVERIFY2(r.ok(), qPrintable(r.error.value_or(QString())));
    QCOMPARE(shopName(shop.dm().ADOC1()), u"备份时"_s);
    QCOMPARE(shop.dm().ATdanwei1().mczc, u"备份时"_s);
    QCOMPARE(counts(shop.db()), atBackup);
    QCOMPARE(sql::scalar(shop.db(), u"PRAGMA journal_mode"_s).toString(), u"wal"_s);
    // The shop as it was before is in the backup folder, and comes back.
    QCOMPARE(QFileInfo(r.safetyCopy).fileName(), u"QLX20140112-093015-恢复前.bak"_s);
    QCOMPARE(QFileInfo(r.safetyCopy).absolutePath(), maintenance::backupFolder(shop.dm()));
    // Restored again in the same second: the first safety copy stays.
    const auto again = maintenance::restore(shop.dm(), *store, r.safetyCopy, kMoment);
    QVERIFY(again.ok());
    QCOMPARE(QFileInfo(again.safetyCopy).fileName(), u"QLX20140112-093015-恢复前-2.bak"_s);
    QCOMPARE(shopName(shop.db()), u"恢复前"_s);
    QCOMPARE(fixture::dump(shop.db(), u"sp"_s), goodsBefore);
    QVERIFY(maintenance::restore(shop.dm(), *store, again.safetyCopy, kMoment).ok());
    QCOMPARE(shopName(shop.db()), u"备份时"_s);
    QVERIFY(maintenance::restore(shop.dm(), *store, r.safetyCopy, kMoment).ok());
    QCOMPARE(shopName(shop.db()), u"恢复前"_s);
    QCOMPARE(leftovers(shop.dir()), QStringList{u"QLX.bak"_s});
}

void TestMaintenance::restoreRefusesBadFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("text file") << u"text"_s;
    QTest::newRow("empty file") << u"empty"_s;
    QTest::newRow("another program's database") << u"foreign"_s;
    QTest::newRow("a shop without our stamp") << u"unstamped"_s;
    QTest::newRow("a table missing") << u"no table"_s;
    QTest::newRow("a column missing") << u"no column"_s;
    QTest::newRow("no shop record") << u"no danwei"_s;
    QTest::newRow("no operator") << u"no operator"_s;
    QTest::newRow("a newer program's shop") << u"newer"_s;
    QTest::newRow("truncated backup") << u"truncated"_s;
    QTest::newRow("no such file") << u"missing"_s;
    QTest::newRow("the shop itself") << u"itself"_s;
}

void TestMaintenance::restoreRefusesBadFiles()
{
    QFETCH(QString, kind);
    FreshShop shop;
    seedEveryTable(shop.db());
    nameShop(shop.db(), u"原来的店"_s);
    const auto before = counts(shop.db());
    QTemporaryDir out;
    const QString file = kind == u"itself"_s ? shop.dm().databasePath()
                                              : QDir(out.path()).filePath(u"chosen.bak"_s);
    auto store = maintenance::storeOf(shop.dm());
    if (kind == u"itself"_s) {
    } else if (kind == u"text"_s) {
        write(file, "这不是数据库\n");
    } else if (kind == u"empty"_s) {
        write(file, QByteArray());
    } else if (kind == u"foreign"_s) {
        onFile(file, {u"CREATE TABLE notes (x TEXT)"_s, u"INSERT INTO notes VALUES ('hi')"_s});
    } else if (kind != u"missing"_s) {
        QVERIFY(maintenance::backup(*store, file).ok());
        const std::map<QString, QStringList> spoil{
            {u"unstamped"_s, {u"PRAGMA application_id = 0"_s}},
            {u"no table"_s, {u"DROP TABLE kctj"_s}},
            {u"no column"_s, {u"ALTER TABLE szfx DROP COLUMN bz"_s}},
            {u"no danwei"_s, {u"DELETE FROM danwei"_s}},
            {u"no operator"_s, {u"DELETE FROM yhsz"_s}},
            {u"newer"_s, {u"PRAGMA user_version = %1"_s.arg(schema::SchemaVersion + 1)}},
        };
        if (spoil.count(kind))
            onFile(file, spoil.at(kind));
        if (kind == u"truncated"_s) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(f.size() / 2));
        }
    }
    const QByteArray chosen = digest(file);

    const auto r = maintenance::restore(shop.dm(), *store, file, kMoment);
    QVERIFY(!r.ok());
    QVERIFY(r.safetyCopy.isEmpty());
    // The shop answers as before, and the chosen file is as it was.
    QCOMPARE(counts(shop.dm().ADOC1()), before);
    QCOMPARE(shopName(shop.db()), u"原来的店"_s);
    QCOMPARE(digest(file), chosen);
    QCOMPARE(leftovers(shop.dir()), QStringList());
    QCOMPARE(QDir(maintenance::backupFolder(shop.dm())).entryList(QDir::Files), QStringList());
}

void TestMaintenance::restoreFailureAtEachStepLeavesTheShop_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("copy") << int(Step::Copy);
    QTest::newRow("verify") << int(Step::Verify);
    QTest::newRow("replace") << int(Step::Replace);
    QTest::newRow("reopen") << int(Step::Reopen);
}

void TestMaintenance::restoreFailureAtEachStepLeavesTheShop()
{
    QFETCH(int, step);
    FreshShop shop;
    QTemporaryDir out;
    const QString backup = QDir(out.path()).filePath(u"QLX.bak"_s);
    auto store = maintenance::storeOf(shop.dm());
    QVERIFY(maintenance::backup(*store, backup).ok());
    seedEveryTable(shop.db());
    nameShop(shop.db(), u"现在的店"_s);
    const auto before = counts(shop.db());
    store->failAt = [step](Step s) { return int(s) == step; };
    QVERIFY(!maintenance::restore(shop.dm(), *store, backup, kMoment).ok());
    QCOMPARE(counts(shop.dm().ADOC1()), before);
    QCOMPARE(shopName(shop.db()), u"现在的店"_s);
    QCOMPARE(leftovers(shop.dir()), QStringList());
    // The shop is open and writes.
    fixture::addGoods(shop.db(), u"Z9"_s, u"0 0 0"_s);
}

void TestMaintenance::restoreUpgradesAnOlderBackup()
{
    FreshShop shop;
    QTemporaryDir out;
    const QString backup = QDir(out.path()).filePath(u"QLX.bak"_s);
    auto store = maintenance::storeOf(shop.dm());
    QVERIFY(maintenance::backup(*store, backup).ok());
    onFile(backup, {u"DROP INDEX sp_code"_s, u"PRAGMA user_version = 2"_s});
    QVERIFY(maintenance::restore(shop.dm(), *store, backup, kMoment).ok());
    QCOMPARE(sql::scalar(shop.db(), u"PRAGMA user_version"_s).toInt(), schema::SchemaVersion);
    QVERIFY(sql::exists(shop.db(), u"SELECT 1 FROM sqlite_master WHERE name = 'sp_code'"_s));
}

void TestMaintenance::compactionGivesRoomBackAndKeepsEveryRow()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    {
        Transaction tx(db);
        for (int i = 0; i < 3000; ++i)
            sql::exec(db, u"INSERT INTO szfx (xm, bz) VALUES (?, ?)"_s,
                      {u"项目%1"_s.arg(i), QString(200, u'备')});
        tx.commit();
    }
    sql::exec(db, u"DELETE FROM szfx WHERE id % 10 <> 0"_s);
    sql::exec(db, u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
    const auto before = counts(db);
    const QStringList rows = fixture::dump(db, u"szfx"_s);
    const qint64 size = QFileInfo(shop.dm().databasePath()).size();

    const auto r = maintenance::compact(*maintenance::storeOf(shop.dm()));
    QVERIFY2(r.ok(), qPrintable(r.error.value_or(QString())));
    QVERIFY2(QFileInfo(shop.dm().databasePath()).size() < size / 2,
             qPrintable(u"%1 -> %2"_s.arg(size).arg(QFileInfo(shop.dm().databasePath()).size())));
    QCOMPARE(counts(shop.db()), before);
    QCOMPARE(fixture::dump(shop.db(), u"szfx"_s), rows);
    QVERIFY(schema::isShopDatabase(shop.db()));
    QCOMPARE(sql::scalar(shop.db(), u"PRAGMA user_version"_s).toInt(), schema::SchemaVersion);
    QCOMPARE(leftovers(shop.dir()), QStringList());
    // The goods indexes still answer in their order.
    fixture::addGoods(shop.db(), u"Z9"_s, u"0 0 0"_s);
    QCOMPARE(sql::scalar(shop.db(), u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
}

void TestMaintenance::compactionFailureLeavesEveryRow_data()
{
    QTest::addColumn<int>("step");  // -1: a folder where the compacted copy goes
    QTest::newRow("no room") << int(Step::Room);
    QTest::newRow("copy") << int(Step::Copy);
    QTest::newRow("verify") << int(Step::Verify);
    QTest::newRow("replace") << int(Step::Replace);
    QTest::newRow("reopen") << int(Step::Reopen);
    QTest::newRow("the copy cannot be written") << -1;
}

void TestMaintenance::compactionFailureLeavesEveryRow()
{
    QFETCH(int, step);
    FreshShop shop;
    seedEveryTable(shop.db());
    sql::exec(shop.db(), u"DELETE FROM szfx WHERE id = 1"_s);
    const auto before = counts(shop.db());
    const QStringList goods = fixture::dump(shop.db(), u"sp"_s);
    maintenance::SqliteShopFile store(shop.dm());
    if (step < 0)
        QVERIFY(QDir().mkpath(store.compactedName() + u"/in the way"_s));
    else
        store.failAt = [step](Step s) { return int(s) == step; };
    QVERIFY(!maintenance::compact(store).ok());
    QCOMPARE(counts(shop.dm().ADOC1()), before);
    QCOMPARE(fixture::dump(shop.db(), u"sp"_s), goods);
    if (step >= 0)
        QCOMPARE(leftovers(shop.dir()), QStringList());
    fixture::addGoods(shop.db(), u"Z9"_s, u"0 0 0"_s);
}

void TestMaintenance::clearingEmptiesTheBoxesTables_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QStringList>("emptied");
    QTest::newRow("basics") << int(Box::Basics)
                            << QStringList{u"ghs"_s, u"kh"_s, u"yg"_s, u"sp"_s, u"lb"_s, u"dw"_s};
    QTest::newRow("purchases") << int(Box::Purchases)
                               << QStringList{u"cgglz"_s, u"cgglc"_s, u"cgfx"_s, u"cghz"_s};
    QTest::newRow("sales") << int(Box::Sales)
                           << QStringList{u"xsglz"_s, u"xsglc"_s, u"xsfx"_s, u"xshz"_s, u"xstj3"_s};
    QTest::newRow("stock") << int(Box::Stock)
                           << QStringList{u"kctj"_s, u"zu"_s,   u"chai"_s, u"rkglz"_s,
                                          u"rkglc"_s, u"rkfx"_s, u"rkhz"_s, u"rklx"_s};
    QTest::newRow("finance") << int(Box::Finance)
                             << QStringList{u"fkfx"_s, u"skfx"_s, u"szxm"_s, u"szfx"_s};
}

void TestMaintenance::clearingEmptiesTheBoxesTables()
{
    QFETCH(int, box);
    QFETCH(QStringList, emptied);
    FreshShop shop;
    seedEveryTable(shop.db());
    const auto before = counts(shop.db());
    const auto r = maintenance::clear(shop.dm(), *maintenance::storeOf(shop.dm()), {Box(box)}, kMoment);
    QVERIFY2(r.ok(), qPrintable(r.error.value_or(QString())));
    const auto after = counts(shop.db());
    for (const auto &[table, n] : before) {
        if (emptied.contains(table))
            QVERIFY2(after.at(table) == 0, qPrintable(table));
        else if (table != u"yhsz"_s && table != u"quanxian"_s)
            QVERIFY2(after.at(table) == n, qPrintable(table));
    }
    QCOMPARE(fixture::count(shop.db(), u"danwei"_s), 1);
    QVERIFY(QFileInfo::exists(r.safetyCopy));
}

void TestMaintenance::clearingStockKeepsGoodsAndPrices()
{
    FreshShop shop;
    seedEveryTable(shop.db());
    QVERIFY(maintenance::clear(shop.dm(), *maintenance::storeOf(shop.dm()), {Box::Stock}, kMoment).ok());
    QCOMPARE(fixture::stocks(shop.db()), u"A1=0 10 0; B2=0 4 0"_s);
    QCOMPARE(fixture::dump(shop.db(), u"sp"_s).join(u'|').count(u"xjls=120000"_s), 1);
    QCOMPARE(sql::scalar(shop.db(), u"SELECT sum(xjls + xjpf + jj) FROM sp"_s).toLongLong(),
             fixture::units(u"47"_s));
}

void TestMaintenance::clearingBasicsKeepsTheAdministrator()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    const QSet<QString> grants = operators::grantsOf(db, schema::administratorName());
    QVERIFY(!grants.isEmpty());
    seedEveryTable(db);
    QVERIFY(maintenance::clear(shop.dm(), *maintenance::storeOf(shop.dm()), {Box::Basics}, kMoment).ok());
    QCOMPARE(operators::names(db), QStringList{schema::administratorName()});
    QCOMPARE(operators::checkLogin(db, schema::administratorName(),
                                   schema::defaultAdministratorPassword()),
             operators::LoginCheck::Accepted);
    QCOMPARE(operators::grantsOf(db, schema::administratorName()), grants);
    QVERIFY(operators::grantsOf(db, u"张三"_s).isEmpty());
    // Documents and ledgers stay, naming goods that are gone.
    QCOMPARE(fixture::count(db, u"xsfx"_s), 2);
}

void TestMaintenance::clearingNothingChangesNothing()
{
    FreshShop shop;
    seedEveryTable(shop.db());
    const auto before = counts(shop.db());
    const auto r = maintenance::clear(shop.dm(), *maintenance::storeOf(shop.dm()), {}, kMoment);
    QVERIFY(r.ok());
    QVERIFY(r.safetyCopy.isEmpty());
    QCOMPARE(counts(shop.db()), before);
    QVERIFY(QDir(maintenance::backupFolder(shop.dm())).entryList(QDir::Files).isEmpty());
}

void TestMaintenance::clearingFailureLeavesEveryRow()
{
    FreshShop shop;
    seedEveryTable(shop.db());
    // The very last statement of all five fails.
    sql::exec(shop.db(), u"CREATE TRIGGER no_clearing BEFORE DELETE ON szfx "
                         "BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
    const auto before = counts(shop.db());
    const QStringList goods = fixture::dump(shop.db(), u"sp"_s);
    const auto r = maintenance::clear(
        shop.dm(), *maintenance::storeOf(shop.dm()),
        {Box::Basics, Box::Purchases, Box::Sales, Box::Stock, Box::Finance}, kMoment);
    QVERIFY(!r.ok());
    QCOMPARE(counts(shop.db()), before);
    QCOMPARE(fixture::dump(shop.db(), u"sp"_s), goods);

    // No copy to keep, no clearing either.
    FreshShop other;
    seedEveryTable(other.db());
    const auto otherBefore = counts(other.db());
    auto store = maintenance::storeOf(other.dm());
    store->failAt = [](Step s) { return s == Step::Verify; };
    QVERIFY(!maintenance::clear(other.dm(), *store, {Box::Sales}, kMoment).ok());
    QCOMPARE(counts(other.db()), otherBefore);
}

void TestMaintenance::clearingSafetyCopyRestoresTheShop()
{
    FreshShop shop;
    seedEveryTable(shop.db());
    const auto before = counts(shop.db());
    auto store = maintenance::storeOf(shop.dm());
    const auto r = maintenance::clear(shop.dm(), *store, {Box::Basics, Box::Sales}, kMoment);
    QVERIFY(r.ok());
    QCOMPARE(QFileInfo(r.safetyCopy).fileName(), u"QLX20140112-093015-清除前.bak"_s);
    QCOMPARE(fixture::count(shop.db(), u"sp"_s), 0);
    QVERIFY(maintenance::restore(shop.dm(), *store, r.safetyCopy, kMoment.addSecs(60)).ok());
    QCOMPARE(counts(shop.db()), before);
}

QTEST_GUILESS_MAIN(TestMaintenance)
#include "tst_maintenance.moc"
