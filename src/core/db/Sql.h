#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVarLengthArray>
#include <QVariant>

#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <vector>

// Statements with bound values, and the error every failed statement raises.
//
// Business operations run their statements through exec()/one() and catch
// DbError at their own boundary, where they turn it into a result the window
// shows. Values are always bound, never spliced into the text.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message);
    // A failed statement's error. When the disk is full the message says so
    // plainly (fullDiskMessage()) instead of giving the engine's text.
    explicit DbError(const QSqlError &error);
    QString message() const { return m_message; }
    bool diskFull() const { return m_diskFull; }

    // What the operator reads when a write failed for want of disk space.
    static QString fullDiskMessage();

private:
    QString m_message;
    bool m_diskFull = false;
};

namespace sql {

using Binds = std::vector<QVariant>;

// The values bound to a statement, in order: a Binds, or values written in
// braces at the call. A few of them are held without taking memory from
// the heap.
class Values
{
public:
    Values(const Binds &values) : m_values(values.begin(), values.end()) {}
    Values(std::initializer_list<QVariant> values) : m_values(values) {}

    size_t size() const { return size_t(m_values.size()); }
    const QVariant &operator[](size_t i) const { return m_values[qsizetype(i)]; }
    const QVariant *begin() const { return m_values.begin(); }
    const QVariant *end() const { return m_values.end(); }

private:
    QVarLengthArray<QVariant, 8> m_values;
};

class Statement;

// The rows of one statement run by exec(), or what a write reports. Values
// come as the SQL driver gives them. The prepared statement behind it is
// kept by the connection and runs again for the next exec() of the same text
// once this result is gone or finished, so a result is moved, never copied.
class Query
{
public:
    Query(Query &&other) noexcept;
    Query &operator=(Query &&other) noexcept;
    ~Query();

    // To the next row (the first one after exec()); false after the last.
    bool next();
    // A column of the current row; invalid when there is none.
    QVariant value(int column) const;
    // The column of that name (as record() names it).
    QVariant value(const QString &column) const;
    // value(column).toLongLong() and value(column).toString(), without
    // making a QVariant: for reading many values.
    qint64 toLongLong(int column) const;
    QString text(int column) const;
    QSqlRecord record() const;
    QVariant lastInsertId() const;
    int numRowsAffected() const;
    // Done with the rows before the result goes: the statement is free again.
    void finish();

private:
    friend Query exec(const QSqlDatabase &, const QString &, const Values &);
    explicit Query(std::unique_ptr<Statement> statement);

    std::unique_ptr<Statement> m_statement;
};

// Prepares (or takes the connection's prepared statement of the same text),
// binds positionally ("?") and executes. Throws DbError on failure, with the
// SQL driver's message.
Query exec(const QSqlDatabase &db, const QString &statement, const Values &binds = {});

// The first column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase &db, const QString &statement, const Values &binds = {});

// True when the statement returns at least one row.
bool exists(const QSqlDatabase &db, const QString &statement, const Values &binds = {});

// A condition that a text column contains a typed text: "column LIKE ?
// ESCAPE '\'", bound with containsPattern(text). The operator's "%", "_" and
// the escape character itself match only themselves; an empty text matches
// every row. LIKE with ESCAPE is standard SQL; the engines differ only in
// letter case (SQLite ignores it for ASCII letters, PostgreSQL does not).
QString containsCondition(const QString &column);
QString containsPattern(const QString &text);

// Throws the DbError of a statement that failed on db, after what a failure
// needs (a full disk frees the log's room): for statements run without exec().
[[noreturn]] void raise(const QSqlDatabase &db, const QSqlError &error);

// Drops the statements the connection keeps: before it closes, so that
// nothing of it is left behind.
void forgetStatements(const QSqlDatabase &db);

}  // namespace sql

// One business action = one transaction. The guard rolls back unless commit()
// was reached, so an exception or early return leaves nothing half-written.
//
// A write that fails because the disk is full also folds the write-ahead log
// back into the database file and empties it (once the failed work is rolled
// back), so that the room the log took is free again and a later write can
// succeed without restarting the program.
//
// A commit announces the tables the action changed (DataChanges); a rollback
// announces nothing.
class Transaction
{
public:
    explicit Transaction(QSqlDatabase db);  // throws DbError when it cannot begin
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();  // throws DbError when the commit fails (the work is rolled back)

private:
    QSqlDatabase m_db;
    bool m_done = false;
};
