#pragma once

#include "core/db/Sql.h"

#include <QSqlError>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

class QSqlDatabase;

// The prepared statements a connection keeps, so that a statement run again
// (a code look-up on every keystroke, the same insert for every line of a
// document) is not parsed and planned again each time.
//
// A connection keeps up to keptPerConnection() statements, the ones used
// last, each under its text. A statement is handed to one user at a time:
// while a result of it is being read, running the same text again prepares
// a second one, so two results never share a statement. It comes back when
// its result is gone, reset, so that it holds no lock and no snapshot of the
// file while it waits.
//
// Every statement is prepared by the SQL driver (a QSqlQuery), which owns it
// and finalizes it when the connection closes. On SQLite it is then run
// through SQLite's own interface, binding and reading values exactly as the
// driver does: the driver's own running of a prepared statement costs more
// than the statement itself (it describes every column anew each time). On
// any other engine the driver runs it.
namespace sql {

struct KeptStatements;

class Statement
{
public:
    virtual ~Statement() = default;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Runs the statement with its values bound in order, stepping to the
    // first row as the driver does; false with the driver's error.
    virtual bool run(const Values &binds, std::optional<QSqlError> &error) = 0;
    // The next row; false after the last one.
    virtual bool next() = 0;
    // A value of the current row as the driver gives it; invalid when there
    // is no current row or no such column.
    virtual QVariant value(int column) const = 0;
    // value(column).toLongLong() and value(column).toString(), without the QVariant.
    virtual qint64 toLongLong(int column) const { return value(column).toLongLong(); }
    virtual QString text(int column) const { return value(column).toString(); }
    virtual QSqlRecord record() const = 0;
    virtual QVariant lastInsertId() const = 0;
    virtual int numRowsAffected() const = 0;
    // Done with the rows: what the statement holds on the file is let go.
    virtual void finish() = 0;
    // Whether it can run again: still prepared on an open connection and
    // not left in a failed state.
    virtual bool reusable() const = 0;
    // Whether the engine has a transaction open on the statement's
    // connection, when the engine says so itself.
    virtual std::optional<bool> inTransaction() const { return std::nullopt; }

    const QString &text() const { return m_text; }
    int bindCount() const { return m_bindCount; }

protected:
    Statement(QString text, int bindCount) : m_text(std::move(text)), m_bindCount(bindCount) {}

private:
    friend struct StatementsAccess;
    QString m_text;
    size_t m_hash = 0;        // of the text, reckoned once
    void *m_place = nullptr;  // its place among the kept ones, while it is in use
    int m_bindCount;
    std::weak_ptr<KeptStatements> m_home;  // the connection's kept statements
};

namespace statements {

// The statement of `text` on db, to run with `bindCount` values: one the
// connection kept when it has one free, otherwise prepared now. Null when
// it cannot be prepared, with the driver's error.
std::unique_ptr<Statement> take(const QSqlDatabase &db, const QString &text, int bindCount,
                                std::optional<QSqlError> &error);

// A statement whose result is done with: reset and kept by its connection
// for the next run of its text, or dropped when it cannot run again, its
// connection was closed or forgotten, or the text is kept already. The
// least recently used one goes when the connection keeps too many.
void giveBack(std::unique_ptr<Statement> statement);

// Drops every statement the connection keeps (it is about to close, or its
// tables changed shape); statements in use are dropped when given back.
void forget(const QSqlDatabase &db);

// Whether a statement changes the tables' shape (CREATE, ALTER, DROP), after
// which the kept statements are dropped.
bool changesSchema(const QString &text);

int keptPerConnection();
// How many statements the connection keeps now, and how many connections
// keep any (for tests).
int keptCount(const QSqlDatabase &db);
int connectionsKeeping();

}  // namespace statements
}  // namespace sql
