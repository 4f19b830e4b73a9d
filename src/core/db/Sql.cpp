#include "core/db/Sql.h"

#include "core/db/DataChanges.h"
#include "core/db/SqlFunctions.h"
#include "core/db/Statements.h"

#include <QCoreApplication>
#include <QSet>
#include <QtDebug>

#include <sqlite3.h>

namespace {

bool isDiskFull(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok && (code & 0xff) == SQLITE_FULL;  // extended codes keep the primary in the low byte
}

// Connections whose open transaction failed for want of disk space: the log
// is folded back once that transaction is rolled back.
QSet<QString> &foldAfterRollback()
{
    static QSet<QString> names;
    return names;
}

// Connections with a Transaction open.
QSet<QString> &openTransactions()
{
    static QSet<QString> names;
    return names;
}

// Whether a statement now runs inside a transaction. SQLite says so itself
// (it may have rolled a transaction back on its own after a failure); for
// another engine the open Transaction guard tells.
bool inTransaction(const QSqlDatabase &db)
{
    if (sqlite3 *handle = sqliteHandle(db))
        return sqlite3_get_autocommit(handle) == 0;
    return openTransactions().contains(db.connectionName());
}

// Copies what the write-ahead log holds into the database file and truncates
// the log, freeing its room on the disk. Nothing committed is lost whether it
// succeeds or not: what is not copied stays in the log.
void foldLog(const QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")) || !q.next())
        qWarning("disk full: folding the write-ahead log back failed: %s",
                 qPrintable(q.lastError().text()));
    else if (q.value(0).toInt() != 0)
        qWarning("disk full: the write-ahead log could not be folded back while it is being read");
    else
        qWarning("disk full: the write-ahead log was folded back and emptied");
}

// After a failure: a full disk frees the log's room now when no transaction
// is open (the failed statement is already undone), or once the open one is
// rolled back.
void afterFailure(const QSqlDatabase &db, const QSqlError &error)
{
    if (!isDiskFull(error))
        return;
    if (inTransaction(db))
        foldAfterRollback().insert(db.connectionName());
    else
        foldLog(db);
}

void afterRollback(const QSqlDatabase &db)
{
    if (foldAfterRollback().remove(db.connectionName()))
        foldLog(db);
}

// BEGIN, COMMIT or ROLLBACK on an SQLite connection, run as the SQLite
// driver runs them but from the statements the connection keeps, with the
// driver's error when it fails (its text, no code). Nothing on another
// engine, whose driver keeps its own ways.
std::optional<bool> runOnSqlite(const QSqlDatabase &db, const QString &statement,
                                const char *failure, QSqlError *error)
{
    if (!sqliteHandle(db))
        return std::nullopt;
    std::optional<QSqlError> failed;
    std::unique_ptr<sql::Statement> s = sql::statements::take(db, statement, 0, failed);
    if (s && s->run({}, failed)) {
        sql::statements::giveBack(std::move(s));
        return true;
    }
    if (error)
        *error = QSqlError(QCoreApplication::translate("QSQLiteDriver", failure),
                           failed ? failed->databaseText() : QString(), QSqlError::TransactionError);
    return false;
}

const QString &beginStatement()
{
    static const QString s = QStringLiteral("BEGIN");
    return s;
}

const QString &commitStatement()
{
    static const QString s = QStringLiteral("COMMIT");
    return s;
}

const QString &rollbackStatement()
{
    static const QString s = QStringLiteral("ROLLBACK");
    return s;
}

void rollBack(QSqlDatabase &db)
{
    if (!runOnSqlite(db, rollbackStatement(), "Unable to rollback transaction", nullptr))
        db.rollback();
}

}  // namespace

DbError::DbError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

DbError::DbError(const QSqlError &error)
    : DbError(isDiskFull(error) ? fullDiskMessage() : error.text())
{
    m_diskFull = isDiskFull(error);
    if (m_diskFull)
        qWarning("disk full: %s", qPrintable(error.text()));
}

QString DbError::fullDiskMessage()
{
    return QStringLiteral("磁盘空间不足，本次操作未保存。\n"
                          "请腾出磁盘空间后再试；此前保存的数据完好无损。");
}

namespace sql {

Query::Query(std::unique_ptr<Statement> statement) : m_statement(std::move(statement)) {}

Query::Query(Query &&other) noexcept = default;

Query &Query::operator=(Query &&other) noexcept
{
    if (this != &other) {
        finish();
        m_statement = std::move(other.m_statement);
    }
    return *this;
}

Query::~Query()
{
    finish();
}

bool Query::next()
{
    return m_statement && m_statement->next();
}

QVariant Query::value(int column) const
{
    return m_statement ? m_statement->value(column) : QVariant();
}

QVariant Query::value(const QString &column) const
{
    return value(record().indexOf(column));
}

qint64 Query::toLongLong(int column) const
{
    return m_statement ? m_statement->toLongLong(column) : 0;
}

QString Query::text(int column) const
{
    return m_statement ? m_statement->text(column) : QString();
}

QSqlRecord Query::record() const
{
    return m_statement ? m_statement->record() : QSqlRecord();
}

QVariant Query::lastInsertId() const
{
    return m_statement ? m_statement->lastInsertId() : QVariant();
}

int Query::numRowsAffected() const
{
    return m_statement ? m_statement->numRowsAffected() : -1;
}

void Query::finish()
{
    statements::giveBack(std::move(m_statement));
}

Query exec(const QSqlDatabase &db, const QString &statement, const Values &binds)
{
    std::optional<QSqlError> error;
    std::unique_ptr<Statement> s = statements::take(db, statement, int(binds.size()), error);
    if (!s)
        throw DbError(error.value_or(QSqlError()));
    if (!s->run(binds, error))
        raise(db, error.value_or(QSqlError()));
    // Statements prepared before the tables changed shape are not run again.
    if (statements::changesSchema(statement))
        statements::forget(db);
    // A statement on its own is committed as it ends.
    const std::optional<bool> open = s->inTransaction();
    if (!(open ? *open : inTransaction(db)))
        DataChanges::committed(db);
    return Query(std::move(s));
}

void raise(const QSqlDatabase &db, const QSqlError &error)
{
    afterFailure(db, error);
    if (!inTransaction(db))  // nothing of it stays
        DataChanges::rolledBack(db);
    throw DbError(error);
}

QString containsCondition(const QString &column)
{
    return column + QStringLiteral(" LIKE ? ESCAPE '\\'");
}

QString containsPattern(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    escaped += u'%';
    for (const QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_')
            escaped += u'\\';
        escaped += c;
    }
    escaped += u'%';
    return escaped;
}

QVariant scalar(const QSqlDatabase &db, const QString &statement, const Values &binds)
{
    Query q = exec(db, statement, binds);
    return q.next() ? q.value(0) : QVariant();
}

bool exists(const QSqlDatabase &db, const QString &statement, const Values &binds)
{
    Query q = exec(db, statement, binds);
    return q.next();
}

void forgetStatements(const QSqlDatabase &db)
{
    statements::forget(db);
}

}  // namespace sql

Transaction::Transaction(QSqlDatabase db) : m_db(std::move(db))
{
    QSqlError error;
    const std::optional<bool> begun =
        runOnSqlite(m_db, beginStatement(), "Unable to begin transaction", &error);
    if (begun ? !*begun : !m_db.transaction())
        throw DbError(begun ? error : m_db.lastError());
    openTransactions().insert(m_db.connectionName());
}

Transaction::~Transaction()
{
    if (!m_done) {
        openTransactions().remove(m_db.connectionName());
        rollBack(m_db);
        DataChanges::rolledBack(m_db);
        afterRollback(m_db);
    }
}

void Transaction::commit()
{
    m_done = true;
    openTransactions().remove(m_db.connectionName());
    QSqlError failed;
    const std::optional<bool> committed =
        runOnSqlite(m_db, commitStatement(), "Unable to commit transaction", &failed);
    if (committed ? !*committed : !m_db.commit()) {
        const QSqlError error = committed ? failed : m_db.lastError();
        if (isDiskFull(error))
            foldAfterRollback().insert(m_db.connectionName());
        rollBack(m_db);
        DataChanges::rolledBack(m_db);
        afterRollback(m_db);
        throw DbError(error);
    }
    DataChanges::committed(m_db);
}
