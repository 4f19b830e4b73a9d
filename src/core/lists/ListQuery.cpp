#include "core/lists/ListQuery.h"

#include <QStringList>

#include <algorithm>

namespace listsql {

bool isColumnName(const QString &name)
{
    if (name.isEmpty() || name.front().isDigit())
        return false;
    for (const QChar c : name)
        if (!(c == u'_' || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
              (c >= u'0' && c <= u'9')))
            return false;
    return true;
}

QString compared(const OrderTerm &t)
{
    // Texts in the lists' name order: the PINYIN collation every shop
    // connection carries, the comparator of a title click on rows at hand.
    return t.text ? t.column + QStringLiteral(" COLLATE PINYIN") : t.column;
}

QString orderBy(const ListOrder &order)
{
    QStringList terms;
    for (const OrderTerm &t : order)
        terms << compared(t) +
                     (t.descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" ASC NULLS FIRST"));
    return terms.join(QStringLiteral(", "));
}

QString pageClause()
{
    return QStringLiteral("LIMIT ? OFFSET ?");
}

}  // namespace listsql

namespace {

void checkColumn(const QString &name)
{
    if (!listsql::isColumnName(name))
        throw DbError(QStringLiteral("not a column name: ") + name);
}

sql::Binds plus(sql::Binds binds, const sql::Binds &more)
{
    binds.insert(binds.end(), more.begin(), more.end());
    return binds;
}

}  // namespace

ListQuery::ListQuery(QString base, sql::Binds binds, ListOrder order, QString key)
    : m_base(std::move(base)), m_binds(std::move(binds)), m_key(std::move(key))
{
    m_order = complete(std::move(order));
}

ListOrder ListQuery::complete(ListOrder order) const
{
    checkColumn(m_key);
    bool keyed = false;
    for (const OrderTerm &t : order) {
        checkColumn(t.column);
        keyed = keyed || t.column == m_key;
    }
    if (!keyed)
        order.push_back({m_key, false, false});
    return order;
}

QString ListQuery::from() const
{
    return QStringLiteral(" FROM (") + m_base + QStringLiteral(") AS q");
}

ListOrder ListQuery::sortedBy(const QString &column, bool descending, bool text) const
{
    if (column == m_key)
        return complete({{column, descending, false}});
    return complete({{column, descending, text}, {m_key, descending, false}});
}

bool ListQuery::isIndexed(const ListOrder &order) const
{
    // The key's own order is the table's; every other term one index's,
    // followed by the key in the same direction.
    for (size_t i = 0; i + 1 < order.size(); ++i)
        if (!m_indexed.contains(order[i].column) || order[i].descending != order.back().descending)
            return false;
    return order.size() <= 2;
}

QString ListQuery::statement(const ListOrder &order) const
{
    return QStringLiteral("SELECT *") + from() + QStringLiteral(" ORDER BY ") +
           listsql::orderBy(complete(order));
}

qint64 ListQuery::count(const QSqlDatabase &db) const
{
    const Snapshot s = Snapshot::fetch(db, QStringLiteral("SELECT COUNT(*)") + from(), m_binds);
    return s.rowCount() > 0 ? s.toLongLong(0, 0) : 0;
}

std::vector<QVariant> ListQuery::sums(const QSqlDatabase &db, const QStringList &columns) const
{
    if (columns.isEmpty())
        return {};
    QStringList terms;
    for (const QString &c : columns) {
        checkColumn(c);
        terms << QStringLiteral("coalesce(sum(") + c + QStringLiteral("), 0)");
    }
    const Snapshot s =
        Snapshot::fetch(db, QStringLiteral("SELECT ") + terms.join(QStringLiteral(", ")) + from(),
                        m_binds);
    std::vector<QVariant> out;
    for (int c = 0; c < columns.size(); ++c)
        out.push_back(s.rowCount() > 0 ? s.value(0, c) : QVariant(qlonglong(0)));
    return out;
}

Snapshot ListQuery::page(const QSqlDatabase &db, const ListOrder &order, qint64 first,
                         int limit) const
{
    return Snapshot::fetch(db, statement(order) + u' ' + listsql::pageClause(),
                           plus(m_binds, {qlonglong(std::max(limit, 0)), qlonglong(std::max<qint64>(first, 0))}));
}

qint64 ListQuery::positionOf(const QSqlDatabase &db, const ListOrder &wanted,
                             const QVariant &key) const
{
    if (!key.isValid() || key.isNull())
        return -1;
    const ListOrder order = complete(wanted);
    QStringList columns;
    for (const OrderTerm &t : order)
        columns << t.column;
    const Snapshot row = Snapshot::fetch(
        db,
        QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + from() +
            QStringLiteral(" WHERE ") + m_key + QStringLiteral(" = ?"),
        plus(m_binds, {key}));
    if (row.rowCount() == 0)
        return -1;

    if (order.size() > 1 && isIndexed(order)) {
        // The keys in that order, stepped through until the row's comes.
        const int k = int(order.size()) - 1;
        const bool whole = row.typeId(0, k) == QMetaType::LongLong;
        const qint64 wanted = row.toLongLong(0, k);
        const QVariant wantedValue = row.value(0, k);
        SnapshotStream keys(db,
                            QStringLiteral("SELECT ") + m_key + from() +
                                QStringLiteral(" ORDER BY ") + listsql::orderBy(order),
                            m_binds);
        qint64 at = 0;
        while (!keys.atEnd()) {
            const Snapshot piece = keys.next(4096);
            for (int r = 0; r < piece.rowCount(); ++r, ++at)
                if (whole ? piece.toLongLong(r, 0) == wanted : piece.value(r, 0) == wantedValue)
                    return at;
        }
        return -1;
    }

    // The rows before it: those ahead on the first term, or level on it and
    // ahead on the next, and so on down to the key, which no two rows share.
    QStringList alternatives;
    sql::Binds binds;
    QStringList level;
    sql::Binds levelBinds;
    for (size_t i = 0; i < order.size(); ++i) {
        const OrderTerm &t = order[i];
        const QString expr = listsql::compared(t);
        const bool empty = row.isNull(0, int(i));
        const QVariant v = row.value(0, int(i));
        QString ahead;
        sql::Binds aheadBinds;
        if (!t.descending) {
            // Empty values come first: nothing is ahead of an empty one.
            if (!empty) {
                ahead = QStringLiteral("(") + t.column + QStringLiteral(" IS NULL OR ") + expr +
                        QStringLiteral(" < ?)");
                aheadBinds = {v};
            }
        } else if (empty) {
            ahead = t.column + QStringLiteral(" IS NOT NULL");
        } else {
            ahead = expr + QStringLiteral(" > ?");
            aheadBinds = {v};
        }
        if (!ahead.isEmpty()) {
            QStringList all = level;
            all << ahead;
            alternatives << QStringLiteral("(") + all.join(QStringLiteral(" AND ")) +
                                QStringLiteral(")");
            binds = plus(plus(binds, levelBinds), aheadBinds);
        }
        if (empty) {
            level << t.column + QStringLiteral(" IS NULL");
        } else {
            level << expr + QStringLiteral(" = ?");
            levelBinds.push_back(v);
        }
    }
    if (alternatives.isEmpty())
        return 0;
    const Snapshot before =
        Snapshot::fetch(db,
                        QStringLiteral("SELECT COUNT(*)") + from() + QStringLiteral(" WHERE ") +
                            alternatives.join(QStringLiteral(" OR ")),
                        plus(m_binds, binds));
    return before.rowCount() > 0 ? before.toLongLong(0, 0) : 0;
}

QVariant ListQuery::firstKeyWhere(const QSqlDatabase &db, const ListOrder &order,
                                  const QString &column, const QVariant &value) const
{
    checkColumn(column);
    const bool empty = !value.isValid() || value.isNull();
    const QString where = empty ? column + QStringLiteral(" IS NULL") : column + QStringLiteral(" = ?");
    sql::Binds binds = m_binds;
    if (!empty)
        binds.push_back(value);
    binds.push_back(qlonglong(1));
    binds.push_back(qlonglong(0));
    const Snapshot s = Snapshot::fetch(db,
                                       QStringLiteral("SELECT ") + m_key + from() +
                                           QStringLiteral(" WHERE ") + where +
                                           QStringLiteral(" ORDER BY ") +
                                           listsql::orderBy(complete(order)) + u' ' +
                                           listsql::pageClause(),
                                       binds);
    return s.rowCount() > 0 ? s.value(0, 0) : QVariant();
}

std::vector<qint64> ListQuery::keys(const QSqlDatabase &db, const ListOrder &order) const
{
    const Snapshot s = Snapshot::fetch(db,
                                       QStringLiteral("SELECT ") + m_key + from() +
                                           QStringLiteral(" ORDER BY ") +
                                           listsql::orderBy(complete(order)),
                                       m_binds);
    std::vector<qint64> out;
    out.reserve(size_t(s.rowCount()));
    for (int r = 0; r < s.rowCount(); ++r)
        out.push_back(s.toLongLong(r, 0));
    return out;
}

Snapshot ListQuery::rowsOfKeys(const QSqlDatabase &db, const qint64 *keys, size_t count) const
{
    if (count == 0)
        return Snapshot::fetch(db, QStringLiteral("SELECT *") + from() + QStringLiteral(" WHERE 1 = 0"),
                               m_binds);
    QString marks;
    sql::Binds binds = m_binds;
    binds.reserve(binds.size() + count);
    for (size_t i = 0; i < count; ++i) {
        marks += i == 0 ? QStringLiteral("?") : QStringLiteral(", ?");
        binds.push_back(qlonglong(keys[i]));
    }
    Snapshot rows = Snapshot::fetch(db,
                                    QStringLiteral("SELECT *") + from() + QStringLiteral(" WHERE ") +
                                        m_key + QStringLiteral(" IN (") + marks + u')',
                                    binds);
    // Laid out in the keys' order.
    const int k = rows.columnIndex(m_key);
    std::vector<std::pair<qint64, int>> found;
    found.reserve(size_t(rows.rowCount()));
    for (int r = 0; r < rows.rowCount(); ++r)
        found.emplace_back(rows.toLongLong(r, k), r);
    std::sort(found.begin(), found.end());
    std::vector<int> order;
    order.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const auto at = std::lower_bound(found.begin(), found.end(), std::pair<qint64, int>(keys[i], -1));
        if (at != found.end() && at->first == keys[i])
            order.push_back(at->second);
    }
    rows.permute(order);
    return rows;
}

Snapshot ListQuery::keysAndValues(const QSqlDatabase &db, const QString &column) const
{
    checkColumn(column);
    return Snapshot::fetch(db, QStringLiteral("SELECT ") + m_key + QStringLiteral(", ") + column + from(),
                           m_binds);
}
