#pragma once

#include <QSqlDatabase>
#include <QString>

// A connection of its own onto the database of a named connection, for
// reading on another thread (an export walking a long list while the window
// stays usable): made and opened on the thread that constructs it, with the
// program's SQL functions, and closed and removed with it. Whoever uses db()
// lets go of it before the connection goes.
class ReadConnection
{
public:
    explicit ReadConnection(const QString &connectionName);
    ~ReadConnection();
    ReadConnection(const ReadConnection &) = delete;
    ReadConnection &operator=(const ReadConnection &) = delete;

    bool isOpen() const { return m_error.isEmpty(); }
    // Why it could not be opened.
    QString error() const { return m_error; }
    QSqlDatabase db() const;

private:
    QString m_name;
    QString m_error;
};
