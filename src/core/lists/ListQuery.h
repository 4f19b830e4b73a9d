#pragma once

#include "core/db/Snapshot.h"
#include "core/db/Sql.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

// One term of a list's order: a column of the list's result, its direction
// and whether it compares as text (in the lists' name order) or as a number.
// Empty values come first going up and last going down.
struct OrderTerm {
    QString column;
    bool descending = false;
    bool text = false;

    bool operator==(const OrderTerm &o) const
    {
        return column == o.column && descending == o.descending && text == o.text;
    }
};
using ListOrder = std::vector<OrderTerm>;

// What a list window shows, as a statement rather than as its rows: the base
// statement (SELECT ... FROM ... WHERE ..., without ORDER BY) with its bound
// values, the list's own order, and a key column that tells the rows apart
// ("id"). A list learns how many rows there are, fetches the rows in view a
// page at a time in whatever order it shows, and finds a row's place by its
// key, so nothing grows with the length of the list.
//
// Every statement made here is plain SQL with bound values: the base goes in
// as a derived table ("FROM (base) AS q"), orders are ORDER BY terms with
// their empty values placed explicitly, pages are LIMIT/OFFSET. The few
// places where database engines differ are in listsql below.
class ListQuery
{
public:
    ListQuery() = default;
    // The own order need not end with the key: every order used ends with it,
    // so equal values keep one order and a row's place is always the same.
    ListQuery(QString base, sql::Binds binds, ListOrder order,
              QString key = QStringLiteral("id"));

    bool isEmpty() const { return m_base.isEmpty(); }
    const QString &base() const { return m_base; }
    const sql::Binds &binds() const { return m_binds; }
    const QString &key() const { return m_key; }
    // The list's own order, ending with the key.
    const ListOrder &order() const { return m_order; }

    // A title sort: by the column, then by the key the same way, so that
    // going down is exactly going up turned round (rows of equal values in
    // the order of entry going up, the other way round going down).
    ListOrder sortedBy(const QString &column, bool descending, bool text) const;

    // Columns an index keeps in order, then by the key (the database walks
    // the index instead of sorting): a row's place in an order by one of them
    // is found by stepping through the keys in that order, which costs no
    // comparisons, rather than by counting the rows ahead of it.
    void setIndexedColumns(QStringList columns) { m_indexed = std::move(columns); }
    const QStringList &indexedColumns() const { return m_indexed; }
    // True when an index keeps the order (the key's own order included), so
    // that pages and places cost no sorting.
    bool isIndexed(const ListOrder &order) const;

    // The whole result in an order, and its bound values (the export walks it).
    QString statement(const ListOrder &order) const;

    // The number of rows. Throws DbError, as does everything below.
    qint64 count(const QSqlDatabase &db) const;
    // The sums of these columns over the whole result, in their order (0 for
    // no rows), for the status-bar panels.
    std::vector<QVariant> sums(const QSqlDatabase &db, const QStringList &columns) const;
    // Rows first .. first + limit - 1 of the result in an order (fewer at the end).
    Snapshot page(const QSqlDatabase &db, const ListOrder &order, qint64 first, int limit) const;
    // The place (from 0) of the row with this key in an order; -1 when the
    // result has no such row.
    qint64 positionOf(const QSqlDatabase &db, const ListOrder &order, const QVariant &key) const;
    // The key of the first row in an order whose column equals the value;
    // invalid when there is none.
    QVariant firstKeyWhere(const QSqlDatabase &db, const ListOrder &order, const QString &column,
                           const QVariant &value) const;
    // The keys of every row in an order (the rows a batch action works on).
    std::vector<qint64> keys(const QSqlDatabase &db, const ListOrder &order) const;
    // The rows of these keys, in the order of the keys (a key no longer in the
    // result is left out).
    Snapshot rowsOfKeys(const QSqlDatabase &db, const qint64 *keys, size_t count) const;
    // Each row's key and the value of one column, in no order.
    Snapshot keysAndValues(const QSqlDatabase &db, const QString &column) const;

private:
    ListOrder complete(ListOrder order) const;
    QString from() const;

    QString m_base;
    sql::Binds m_binds;
    ListOrder m_order;
    QString m_key;
    QStringList m_indexed;
};

// The SQL of a list's order and pages: the one place that knows how an
// engine spells them.
namespace listsql {

// True for a plain column name (letters, digits, underscores, not starting
// with a digit): the only names an order may carry.
bool isColumnName(const QString &name);
// The expression a term compares: the column, a text column in the lists'
// name order (the PINYIN collation).
QString compared(const OrderTerm &t);
// ORDER BY's list of terms, each with its direction and its empty values
// placed ("ppgg ASC NULLS FIRST, id ASC NULLS FIRST").
QString orderBy(const ListOrder &order);
// The clause that takes `limit` rows from the `offset`th on, both bound ("?").
// The limit's value goes first.
QString pageClause();

}  // namespace listsql
