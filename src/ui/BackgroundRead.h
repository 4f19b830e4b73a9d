#pragma once

#include <QString>

#include <functional>
#include <optional>

class QSqlDatabase;
class QWidget;

// A long read (a year of statistics) on a worker thread, on a connection of
// its own onto the database of a named connection, while the program stays
// painted: when the read takes more than a moment a progress dialog with the
// text shows that it is working; clicks wait until it is done. The work must
// touch nothing of the window; what it computes is handed back through its
// own captures once this returns.
namespace backgroundread {

// Runs `work` and returns the failure (a DbError's message, or why the
// connection could not be opened), or nothing when it succeeded.
std::optional<QString> run(QWidget *parent, const QString &connectionName, const QString &text,
                           const std::function<void(const QSqlDatabase &db)> &work);

}  // namespace backgroundread
