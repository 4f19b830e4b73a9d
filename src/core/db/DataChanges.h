#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QSqlDatabase;

// The tables a connection's actions changed, announced once their work is
// committed, so that windows showing those tables can show the new state.
//
// Every row a statement inserts, updates or deletes is noted by table as it
// happens (SQLite's update hook). A Transaction announces what its action
// noted when it commits and drops it when it rolls back; a statement run on
// its own (no transaction open) announces when it succeeds. An action that
// changes a table in a way the engine does not report row by row (deleting
// every row of a table at once) names it with declare(). So a write that is
// rolled back announces nothing, and one that commits announces each table
// once.
class DataChanges : public QObject
{
    Q_OBJECT
public:
    // The announcer of a connection, made on first use; it stays while the
    // connection's name is in use, across closing and opening it again.
    static DataChanges *of(const QSqlDatabase &db);
    // Starts noting changed rows on the open connection (the data module does
    // it whenever it opens the connection).
    static void watch(const QSqlDatabase &db);
    // Drops the announcer of a connection that is gone.
    static void forget(const QString &connectionName);

    // Adds tables to what the connection's current work announces.
    void declare(const QStringList &tables);

    // Counts announcements; a list compares it with the count when it last
    // ran its statement to know whether it shows an older state.
    quint64 sequence() const { return m_sequence; }

    // The work on the connection was committed (or a lone statement
    // succeeded): announces the tables noted since, if any.
    static void committed(const QSqlDatabase &db);
    // The work was rolled back (or a lone statement failed): forgets them.
    static void rolledBack(const QSqlDatabase &db);

Q_SIGNALS:
    void tablesChanged(const QStringList &tables);

private:
    DataChanges() = default;
    static void noteRow(void *self, int operation, const char *database, const char *table,
                        long long rowid);

    QStringList m_pending;
    QByteArray m_last;  // the table noted last: most rows follow one of the same table
    quint64 m_sequence = 0;
};
