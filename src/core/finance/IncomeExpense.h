#pragma once

#include "core/common/Outcome.h"
#include "core/lists/ListQuery.h"
#include "core/money/Decimal.h"

#include <QDate>
#include <QString>

#include <optional>

class QSqlDatabase;

// Other income and expenses (szfx): money in or out of the shop that no
// document carries. A record is income ("收入", its amount in se, ze 0) or an
// expense ("支出", se 0, its amount in ze) and nothing else: a category that
// is neither would keep its amount in neither column, so it is refused.
// Records stand alone: saving or deleting one changes only szfx.
namespace incomeexpense {

QString income();   // "收入"
QString expense();  // "支出"

enum class Category { All, Income, Expense };

struct Filter {
    QString item;     // part of xm; empty matches every row
    QString handler;  // part of jsr
    Category category = Category::All;
    std::optional<QDate> from, to;  // both set: rq within [from, to]
};

// The list opens on one day's records; a query shows what its filter takes.
// Both in the order of entry.
ListQuery ofDay(const QDate &day);
ListQuery filtered(const Filter &f);

// The status bar: total income, total expense and their difference.
struct Totals {
    Decimal income, expense, balance;
};
// Over a whole list. Throws DbError.
Totals totals(const QSqlDatabase &db, const ListQuery &list);

struct Entry {
    qint64 id = 0;
    QDate rq;
    QString lb, xm;
    Decimal se, ze;
    QString jsr, bz;

    // What the record window's amount shows: se for income, ze otherwise.
    Decimal amount() const;
};

// A record by id. Throws DbError.
std::optional<Entry> read(const QSqlDatabase &db, qint64 id);

// The fields of the record window, for the focus after a refusal.
enum class Field { None, Category, Item, Amount, Handler };

struct EntryInput {
    QDate date;
    QString category;  // as typed or chosen
    QString item;
    QString amount;    // tidied as the field does
    QString handler;
    QString remark;
};

// "保存": a new record (id 0) or the change of one. Checks, in this order,
// the category ("类别不可为空！", then one of the two), the item ("项目不可为
// 空！"), the amount ("金额不可为零！"; not negative) and the handler
// ("经办人不可为空！"). The amount is kept at two decimals, ties to even.
::Saved<Field> save(const QSqlDatabase &db, qint64 id, const EntryInput &in);

// "删除".
::Outcome<Field> remove(const QSqlDatabase &db, qint64 id);

}  // namespace incomeexpense
