#pragma once

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
};

namespace namelists {

const NameTable &categories();          // lb.lb
const NameTable &units();               // dw.dw
const NameTable &reasons();             // rklx.lx
const NameTable &incomeExpenseItems();  // szxm.xm under szxm.lb

// The list in the order of entry.
QString listStatement(const NameTable &t);

enum class Check { Done, EmptyName, EmptyGroup, Duplicate };

struct Added {
    Check check = Check::Done;
    qint64 id = 0;  // the new row's id when added
};

// True when the trimmed name (under the trimmed group) is on the list.
// Latin letters compare without regard to case. Throws DbError.
bool contains(const QSqlDatabase &db, const NameTable &t, const QString &name,
              const QString &group = QString());

// Adds the trimmed name, refusing an empty or duplicate one. Throws DbError.
Added add(const QSqlDatabase &db, const NameTable &t, const QString &name,
          const QString &group = QString());

// Renames a row to the trimmed name. Refuses only an empty name: renaming to
// a name already on the list is allowed. Throws DbError.
Check rename(const QSqlDatabase &db, const NameTable &t, qint64 id, const QString &name);

// Deletes a row. Throws DbError.
void remove(const QSqlDatabase &db, const NameTable &t, qint64 id);

}  // namespace namelists
