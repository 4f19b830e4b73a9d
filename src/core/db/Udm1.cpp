#include "core/db/Udm1.h"

#include "core/db/DataChanges.h"
#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/SqlFunctions.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

TDM1::TDM1(const QString &dataDir)
    : m_dataDir(QDir(dataDir).absolutePath()),
      m_connectionName(QStringLiteral("ADOC1-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

TDM1::~TDM1()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isValid()) {
            sql::forgetStatements(db);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    DataChanges::forget(m_connectionName);
}

QString TDM1::databasePath() const
{
    return QDir(m_dataDir).filePath(schema::databaseFileName());
}

QString TDM1::missingDatabaseMessage()
{
    return QStringLiteral("数据库文件丢失，软件无法运行，请重新复制本软件！");
}

std::optional<QString> TDM1::openConnection()
{
    const QFileInfo file(databasePath());
    // SQLite would quietly make an empty file where none exists.
    if (!file.exists() || !file.isFile())
        return QStringLiteral("no shop database at ") + file.filePath();
    if (!file.isReadable())
        return QStringLiteral("shop database not readable: ") + file.filePath();

    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
                          ? QSqlDatabase::database(m_connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    if (db.isOpen())
        return std::nullopt;
    // Checked before anything opens it for writing: a file that is refused is
    // left exactly as it was (no log, no change to its header).
    if (auto refused = schema::checkShopFile(file.filePath()))
        return refused;
    db.setDatabaseName(file.filePath());
    if (!db.open())
        return db.lastError().text();
    if (!registerSqlFunctions(db)) {
        db.close();
        return QStringLiteral("cannot register the SQL functions on ") + file.filePath();
    }
    // Write-ahead logging with normal syncing: a commit costs well under a
    // millisecond instead of a full disk flush, and a power cut can lose at
    // most the last commits, never corrupt the file. The log is folded back
    // into the database file when the connection closes.
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    pragma.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    // Once folded back, the log is cut down to 4 MB rather than kept at the
    // largest size it ever reached.
    pragma.exec(QStringLiteral("PRAGMA journal_size_limit = 4194304"));
    pragma.exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
    // Actions announce the tables they change from here on.
    DataChanges::watch(db);
    // A file of an older version gets what it lacks before anything reads it.
    if (auto error = schema::upgrade(db)) {
        db.close();
        return QStringLiteral("cannot upgrade ") + file.filePath() + QStringLiteral(": ") + *error;
    }
    return std::nullopt;
}

std::optional<QString> TDM1::open()
{
    if (auto error = openConnection())
        return error;
    if (!reloadShop())
        return QStringLiteral("the shop record cannot be read");
    return std::nullopt;
}

QSqlDatabase TDM1::ADOC1()
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.isOpen())
        openConnection();
    return QSqlDatabase::database(m_connectionName, false);
}

void TDM1::closeConnection()
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (db.isValid()) {
        sql::forgetStatements(db);
        db.close();
    }
}

bool TDM1::reloadShop()
{
    try {
        sql::Query q = sql::exec(ADOC1(), QStringLiteral(
            "SELECT mczc, mcdy, lxr, dh, cz, dz, bz1, bz2, bz3, bz4 FROM danwei LIMIT 1"));
        if (!q.next())
            return false;
        m_shop = ShopRecord{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                            q.value(3).toString(), q.value(4).toString(), q.value(5).toString(),
                            q.value(6).toString(), q.value(7).toString(), q.value(8).toString(),
                            q.value(9).toString()};
        return true;
    } catch (const DbError &) {
        return false;
    }
}
