#pragma once

#include "core/common/Outcome.h"

#include <QString>

class QSqlDatabase;

// The small name lists the shop keeps: goods categories (lb), units of
// measure (dw), stock movement reasons (rklx) and income/expense items (szxm).
// Each row has an automatic id (the order of entry) and a name; the items
// also carry a kind ("收入"/"支出") that is part of their key. Names are stored
// trimmed. Documents and goods copy the name, not the id, so renaming or
// deleting a row leaves what carries the old name unchanged.
struct NameTable {
    QString table;
    QString column;       // the name
    QString groupColumn;  // a second key column, or empty

    // What a refused save says: an empty name or kind is put right ("提示"),
    // a name already on the list is refused ("警告").
    QString emptyName;
    QString duplicateName;
    QString emptyGroup;
};

namespace namelists {

const NameTable &categories();          // lb.lb
const NameTable &units();               // dw.dw
const NameTable &reasons();             // rklx.lx
const NameTable &incomeExpenseItems();  // szxm.xm under szxm.lb

// The list in the order of entry.
QString listStatement(const NameTable &t);

enum class Check { Done, EmptyName, EmptyGroup, Duplicate, Failed };

// The fields of a name list's dialog, for the focus after a refusal.
enum class Field { None, Name, Group };

// A save's answer: its outcome in the list's words, the row's id when done,
// and which check refused it.
struct Saved : ::Saved<Field> {
    Check check = Check::Done;
};
using Added = Saved;

// True when the trimmed name (under the trimmed group) is on the list.
// Latin letters compare without regard to case. Throws DbError.
bool contains(const QSqlDatabase &db, const NameTable &t, const QString &name,
              const QString &group = QString());

// Adds the trimmed name in one transaction, refusing, in this order, an empty
// kind (on a list with kinds), an empty name and a duplicate one.
Added add(const QSqlDatabase &db, const NameTable &t, const QString &name,
          const QString &group = QString());

// Renames a row to the trimmed name. Refuses only an empty name: renaming to
// a name already on the list is allowed.
Saved rename(const QSqlDatabase &db, const NameTable &t, qint64 id, const QString &name);

// Deletes a row.
Outcome<Field> remove(const QSqlDatabase &db, const NameTable &t, qint64 id);

}  // namespace namelists
