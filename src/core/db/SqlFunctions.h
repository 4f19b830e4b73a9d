#pragma once

#include <string>

class QSqlDatabase;
class QStringEncoder;
class QVariant;
struct sqlite3;
struct sqlite3_stmt;

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

// Binds a value to parameter `index` (from 1) as Qt's SQLite driver binds it,
// so that a statement run through the C API finds the same rows: NULL for a
// null variant and for a null text, byte array, date, time or date and time;
// whole numbers of int, bool, uint and qlonglong as integers, doubles as
// reals, byte arrays as blobs, and everything else (dates too) as its text.
// Texts go in as UTF-8, written into `utf8`, which must stay as it is until
// the statement is bound again or finalized (one buffer per parameter).
// Returns SQLite's result code.
int bindAsTheDriverDoes(sqlite3_stmt *s, int index, const QVariant &v, std::string &utf8,
                        QStringEncoder &encoder);
