#pragma once

class QSqlDatabase;

// SQL functions the statements of this program use on a shop connection:
//   dmul(a, b)  the product of two decimal columns, rounded to four places,
//               ties to even (NULL when either side is NULL).
// Returns false when the connection is not an open SQLite connection.
bool registerSqlFunctions(const QSqlDatabase &db);
