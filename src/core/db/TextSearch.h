#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;

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

// ---- A part of a text, found through a text index ----------------------------------
// The search as you type: the rows where any of some text columns contains a
// text, as "column LIKE '%text%'" finds it (the text taken literally, Latin
// letters without regard to case, every other character as itself). On SQLite
// the index is an FTS5 table with the trigram tokenizer over the columns
// folded by lower() (which, like LIKE, folds only A–Z), kept in step with its
// table by triggers; it finds exactly those rows for a text of three
// characters or more. A server engine would use a trigram index (pg_trgm) on
// the same columns instead.
struct TextIndex {
    QString name;         // the index's own table
    QString table;        // the table it indexes, whose key is its column id
    QStringList columns;  // the text columns searched
};

// What makes the index on a database that may already have it, and fills it
// from the rows the table holds: its table, its content, the triggers that
// keep it in step with every insert, update and delete of the table's rows.
QStringList creation(const TextIndex &index);

// True when the index can find the text: three characters or more. A shorter
// text is searched with LIKE over the table.
bool canSearch(const QString &text);

// "id IN (the rows whose columns contain the text)", with the text as its one
// bound value (as typed: it is folded and quoted in the statement). Only for a
// text canSearch() accepts.
QString containsCondition(const TextIndex &index);

// How many rows containsCondition() finds for the text, counted up to
// `limit` at most (so that it stays quick however many there are). Throws
// DbError.
int countUpTo(const QSqlDatabase &db, const TextIndex &index, const QString &text, int limit);

}  // namespace textsearch
