#pragma once

class QSqlDatabase;
struct sqlite3;

// The SQLite connection under an open QSQLITE connection, for the work done
// with the C API directly (SQL functions, fetching long lists); null when the
// connection is not an open SQLite connection.
sqlite3 *sqliteHandle(const QSqlDatabase &db);

// SQL functions the statements of this program use on a shop connection:
//   dmul(a, b)  the product of two decimal columns, rounded to four places,
//               ties to even (NULL when either side is NULL).
// Returns false when the connection is not an open SQLite connection.
bool registerSqlFunctions(const QSqlDatabase &db);
