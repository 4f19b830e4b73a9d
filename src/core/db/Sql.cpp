#include "core/db/Sql.h"

#include <QSqlError>

DbError::DbError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

namespace sql {

QSqlQuery exec(const QSqlDatabase &db, const QString &statement, const Binds &binds)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(statement))
        throw DbError(q.lastError().text());
    for (const QVariant &v : binds)
        q.addBindValue(v);
    if (!q.exec())
        throw DbError(q.lastError().text());
    return q;
}

QVariant scalar(const QSqlDatabase &db, const QString &statement, const Binds &binds)
{
    QSqlQuery q = exec(db, statement, binds);
    return q.next() ? q.value(0) : QVariant();
}

bool exists(const QSqlDatabase &db, const QString &statement, const Binds &binds)
{
    QSqlQuery q = exec(db, statement, binds);
    return q.next();
}

}  // namespace sql

Transaction::Transaction(QSqlDatabase db) : m_db(std::move(db))
{
    if (!m_db.transaction())
        throw DbError(m_db.lastError().text());
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db.rollback();
}

void Transaction::commit()
{
    m_done = true;
    if (!m_db.commit()) {
        const QString text = m_db.lastError().text();
        m_db.rollback();
        throw DbError(text);
    }
}
