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
// and the collation
//   PINYIN      names in the order a title click sorts them (NameOrder):
//               "ORDER BY ppgg COLLATE PINYIN", and the goods name index.
// Every connection that writes goods or rebuilds indexes needs them, since
// the index is kept in that order. The server build will need an equivalent
// function and collation under the same names.
// Returns false when the connection is not an open SQLite connection.
bool registerSqlFunctions(const QSqlDatabase &db);
