#include "core/db/ReadConnection.h"

#include "core/db/SqlFunctions.h"

#include <QSqlError>

#include <atomic>

ReadConnection::ReadConnection(const QString &connectionName)
{
    static std::atomic<int> made{0};
    m_name = connectionName + QStringLiteral("-reader-") + QString::number(++made);
    if (!QSqlDatabase::contains(connectionName)) {
        m_error = QStringLiteral("no connection named ") + connectionName;
        return;
    }
    QSqlDatabase db = QSqlDatabase::cloneDatabase(connectionName, m_name);
    if (!db.open()) {
        m_error = db.lastError().text();
        if (m_error.isEmpty())
            m_error = QStringLiteral("cannot open ") + db.databaseName();
        return;
    }
    if (!registerSqlFunctions(db))
        m_error = QStringLiteral("cannot register the SQL functions");
}

ReadConnection::~ReadConnection()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase ReadConnection::db() const
{
    return QSqlDatabase::database(m_name, false);
}
