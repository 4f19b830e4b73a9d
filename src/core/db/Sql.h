#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

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
    QString message() const { return m_message; }

private:
    QString m_message;
};

namespace sql {

using Binds = std::vector<QVariant>;

// Prepares, binds positionally ("?") and executes. Throws DbError on failure.
QSqlQuery exec(const QSqlDatabase &db, const QString &statement, const Binds &binds = {});

// The first column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase &db, const QString &statement, const Binds &binds = {});

// True when the statement returns at least one row.
bool exists(const QSqlDatabase &db, const QString &statement, const Binds &binds = {});

}  // namespace sql

// One business action = one transaction. The guard rolls back unless commit()
// was reached, so an exception or early return leaves nothing half-written.
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
