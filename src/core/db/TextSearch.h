#pragma once

#include <QString>

// How texts are compared and searched where the engines differ: each piece
// of SQL that depends on the engine is made here, and the statements and the
// indexes that serve them take it from here, so the two always agree.
namespace textsearch {

// ---- Equality without regard to case ------------------------------------------------
// The duplicate checks: a text equals another when they differ at most in the
// case of Latin letters (A–Z, a–z; any other character must be the same).
// SQLite says so with the NOCASE collation; a server engine would compare
// lower() on both sides and index lower(expression).

// "expression = ?" in that sense, with the other text bound.
QString equalsIgnoringCase(const QString &expression);
// The key of an index that serves equalsIgnoringCase(expression).
QString ignoringCaseKey(const QString &expression);

}  // namespace textsearch
