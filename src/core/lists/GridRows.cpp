#include "core/lists/GridRows.h"

#include "core/lists/NameOrder.h"

#include <QHash>

#include <algorithm>
#include <iterator>
#include <limits>
#include <numeric>

namespace {

bool isNumberType(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// A column holds numbers when every value present is a number (counters,
// counts); texts that look like numbers (codes) stay texts.
bool holdsNumbers(const Snapshot &s, int field)
{
    bool any = false;
    for (int r = 0; r < s.rowCount(); ++r) {
        if (s.isNull(r, field))
            continue;
        if (!isNumberType(s.typeId(r, field)))
            return false;
        any = true;
    }
    return any;
}

template <class Key>
void sortByKeys(std::vector<int> &order, const std::vector<Key> &keys, bool ascending)
{
    if (ascending)
        std::stable_sort(order.begin(), order.end(),
                         [&keys](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    else
        std::stable_sort(order.begin(), order.end(),
                         [&keys](int a, int b) { return keys[size_t(b)] < keys[size_t(a)]; });
}

const ListQuery &emptyQuery()
{
    static const ListQuery q;
    return q;
}

// The keys of a result in the order of one term and then the key the same
// way, from each row's key and value (column 1): the order the database
// gives for that ORDER BY, sorted here with the lists' comparators. Going
// down is going up turned round, empty values first going up.
template <class Value>
void sortEntries(std::vector<std::pair<Value, qint64>> &entries)
{
    std::sort(entries.begin(), entries.end());
}

std::vector<qint64> keysInOrder(const Snapshot &s, const OrderTerm &t, bool decimal)
{
    const int n = s.rowCount();
    std::vector<qint64> out;
    out.reserve(size_t(n));
    for (int r = 0; r < n; ++r)
        if (s.isNull(r, 1))
            out.push_back(s.toLongLong(r, 0));
    std::sort(out.begin(), out.end());
    const auto append = [&out](const auto &entries) {
        for (const auto &e : entries)
            out.push_back(e.second);
    };
    if (t.text) {
        // Each distinct text gets its rank in the name order once (a column
        // of categories or units holds few), then whole numbers are sorted.
        QHash<QString, int> index;
        std::vector<QString> distinct;
        std::vector<std::pair<qint64, qint64>> entries;
        entries.reserve(size_t(n));
        for (int r = 0; r < n; ++r) {
            if (s.isNull(r, 1))
                continue;
            const QString text = s.text(r, 1);
            auto at = index.constFind(text);
            if (at == index.constEnd()) {
                at = index.insert(text, int(distinct.size()));
                distinct.push_back(text);
            }
            entries.emplace_back(*at, s.toLongLong(r, 0));
        }
        const NameOrder names;
        std::vector<QCollatorSortKey> keys;
        keys.reserve(distinct.size());
        for (const QString &text : distinct)
            keys.push_back(names.sortKey(text));
        std::vector<int> byName(distinct.size());
        std::iota(byName.begin(), byName.end(), 0);
        std::sort(byName.begin(), byName.end(), [&keys](int a, int b) {
            return keys[size_t(a)].compare(keys[size_t(b)]) < 0;
        });
        // Texts the name order holds equal share a rank.
        std::vector<qint64> rank(distinct.size());
        for (size_t i = 0; i < byName.size(); ++i)
            rank[size_t(byName[i])] =
                i > 0 && keys[size_t(byName[i])].compare(keys[size_t(byName[i - 1])]) == 0
                    ? rank[size_t(byName[i - 1])]
                    : qint64(i);
        for (auto &e : entries)
            e.first = rank[size_t(e.first)];
        sortEntries(entries);
        append(entries);
    } else if (decimal) {
        std::vector<std::pair<qint64, qint64>> entries;
        entries.reserve(size_t(n));
        for (int r = 0; r < n; ++r)
            if (!s.isNull(r, 1))
                entries.emplace_back(s.toLongLong(r, 1), s.toLongLong(r, 0));
        sortEntries(entries);
        append(entries);
    } else {
        std::vector<std::pair<double, qint64>> entries;
        entries.reserve(size_t(n));
        for (int r = 0; r < n; ++r)
            if (!s.isNull(r, 1))
                entries.emplace_back(s.value(r, 1).toDouble(), s.toLongLong(r, 0));
        sortEntries(entries);
        append(entries);
    }
    if (t.descending)
        std::reverse(out.begin(), out.end());
    return out;
}

}  // namespace

void GridRows::setColumns(std::vector<GridColumn> columns)
{
    m_columns = std::move(columns);
    mapFields();
}

const Snapshot &GridRows::columnsSource() const
{
    return m_window ? m_window->sample : *m_rows;
}

void GridRows::mapFields()
{
    m_fieldIndex.assign(m_columns.size(), -1);
    const Snapshot &source = columnsSource();
    for (size_t c = 0; c < m_columns.size(); ++c)
        m_fieldIndex[c] = source.columnIndex(m_columns[c].field);
}

void GridRows::open(Snapshot rows)
{
    m_window.reset();
    m_rows = std::make_shared<const Snapshot>(std::move(rows));
    m_open = true;
    mapFields();
    m_order.resize(size_t(m_rows->rowCount()));
    std::iota(m_order.begin(), m_order.end(), 0);
    m_sortField.clear();
    m_sortOrder = Order::None;
}

void GridRows::openQuery(const QSqlDatabase &db, ListQuery query)
{
    Window w;
    w.connection = db.connectionName();
    w.query = std::move(query);
    w.order = w.query.order();
    try {
        w.count = int(std::min<qint64>(w.query.count(db), std::numeric_limits<int>::max()));
        w.sample = w.query.page(db, w.order, 0, PageRows);
    } catch (const DbError &) {
        close();
        throw;
    }
    w.pages[0] = std::make_shared<const Snapshot>(w.sample);
    m_rows = std::make_shared<const Snapshot>();
    m_order.clear();
    m_window = std::move(w);
    m_open = true;
    mapFields();
    m_sortField.clear();
    m_sortOrder = Order::None;
}

void GridRows::reload()
{
    if (!m_window)
        return;
    Window &w = *m_window;
    const QSqlDatabase db = windowDb();
    try {
        w.count = int(std::min<qint64>(w.query.count(db), std::numeric_limits<int>::max()));
        w.sample = w.query.page(db, w.order, 0, PageRows);
    } catch (const DbError &) {
        close();
        throw;
    }
    w.pages.clear();
    w.pages[0] = std::make_shared<const Snapshot>(w.sample);
    mapFields();
    if (w.sorted)
        sortKeysHere();
}

void GridRows::sortKeysHere()
{
    Window &w = *m_window;
    w.pages.clear();
    const OrderTerm &term = w.order.front();
    const int field = w.sample.columnIndex(term.column);
    try {
        const Snapshot pairs = w.query.keysAndValues(windowDb(), term.column);
        w.sorted = std::make_shared<const std::vector<qint64>>(
            keysInOrder(pairs, term, field >= 0 && w.sample.isDecimal(field)));
        w.count = int(w.sorted->size());
    } catch (const DbError &) {
        w.sorted.reset();  // the database sorts every page instead
    }
}

void GridRows::close()
{
    m_window.reset();
    m_rows = std::make_shared<const Snapshot>();
    m_open = false;
    mapFields();
    m_order.clear();
    m_sortField.clear();
    m_sortOrder = Order::None;
}

int GridRows::rowCount() const
{
    return m_window ? m_window->count : int(m_order.size());
}

QSqlDatabase GridRows::windowDb() const
{
    return QSqlDatabase::database(m_window->connection, false);
}

std::shared_ptr<const Snapshot> GridRows::pageOf(int page) const
{
    auto &pages = m_window->pages;
    const auto found = pages.find(page);
    if (found != pages.end())
        return found->second;
    std::shared_ptr<const Snapshot> rows;
    try {
        rows = std::make_shared<const Snapshot>(shownRows(page * PageRows, PageRows));
    } catch (const DbError &) {
        // Shown empty rather than asked for again at every paint.
        rows = std::make_shared<const Snapshot>();
    }
    pages[page] = rows;
    // The pages farthest from this one go first.
    while (pages.size() > size_t(KeptPages)) {
        const auto first = pages.begin();
        const auto last = std::prev(pages.end());
        pages.erase(page - first->first >= last->first - page ? first : last);
    }
    return rows;
}

GridRows::Row GridRows::rowAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    if (!m_window)
        return {m_rows, sourceRow(row)};
    std::shared_ptr<const Snapshot> page = pageOf(row / PageRows);
    const int at = row % PageRows;
    if (at >= page->rowCount())
        return {};
    return {std::move(page), at};
}

void GridRows::prefetch(int first, int last) const
{
    if (!m_window || m_window->count == 0 || last < first)
        return;
    const int margin = PageRows / 2;
    const int from = std::max(0, first - margin) / PageRows;
    const int to = std::min(m_window->count - 1, last + margin) / PageRows;
    for (int p = from; p <= to && p - from < KeptPages; ++p)
        pageOf(p);
}

int GridRows::pagesHeld() const
{
    return m_window ? int(m_window->pages.size()) : 0;
}

Snapshot GridRows::shownRows() const
{
    if (m_window && m_window->sorted) {
        // Read in the statement's own order, laid out in the keys' order.
        const ListQuery &q = m_window->query;
        Snapshot all = Snapshot::fetch(windowDb(), q.statement(q.order()), q.binds());
        const int k = all.columnIndex(q.key());
        std::vector<std::pair<qint64, int>> rows;
        rows.reserve(size_t(all.rowCount()));
        for (int r = 0; r < all.rowCount(); ++r)
            rows.emplace_back(all.toLongLong(r, k), r);
        std::sort(rows.begin(), rows.end());
        std::vector<int> order;
        order.reserve(m_window->sorted->size());
        for (qint64 key : *m_window->sorted) {
            const auto at = std::lower_bound(rows.begin(), rows.end(), std::pair<qint64, int>(key, -1));
            if (at != rows.end() && at->first == key)
                order.push_back(at->second);
        }
        all.permute(order);
        return all;
    }
    if (m_window)
        return Snapshot::fetch(windowDb(), m_window->query.statement(m_window->order),
                               m_window->query.binds());
    Snapshot s = *m_rows;
    s.permute(m_order);
    return s;
}

Snapshot GridRows::shownRows(int first, int count) const
{
    first = std::max(first, 0);
    count = std::max(0, std::min(count, rowCount() - first));
    if (m_window && m_window->sorted)
        return m_window->query.rowsOfKeys(windowDb(), m_window->sorted->data() + first, size_t(count));
    if (m_window)
        return m_window->query.page(windowDb(), m_window->order, first, count);
    Snapshot s = *m_rows;
    s.permute(m_order, size_t(first), size_t(count));
    return s;
}

bool GridRows::isDecimal(int column) const
{
    const int f = fieldIndex(column);
    return f >= 0 && columnsSource().isDecimal(f);
}

QString GridRows::text(int row, int column) const
{
    const int f = fieldIndex(column);
    if (f < 0)
        return QString();
    const Row at = rowAt(row);
    return at.rows ? at.rows->displayText(at.row, f) : QString();
}

QVariant GridRows::value(int row, const QString &field) const
{
    const Row at = rowAt(row);
    return at.rows ? at.rows->value(at.row, field) : QVariant();
}

QString GridRows::keyField() const
{
    return m_window ? m_window->query.key() : QStringLiteral("id");
}

int GridRows::find(const QString &field, const QVariant &value) const
{
    if (!m_window) {
        for (int row = 0; row < rowCount(); ++row)
            if (this->value(row, field) == value)
                return row;
        return -1;
    }
    if (columnsSource().columnIndex(field) < 0)
        return -1;
    if (field == m_window->query.key())
        return rowOfKey(value);
    const QVariant key = m_window->query.firstKeyWhere(windowDb(), m_window->order, field, value);
    return key.isValid() ? rowOfKey(key) : -1;
}

int GridRows::rowOfKey(const QVariant &key) const
{
    if (!m_window)
        return find(keyField(), key);
    if (m_window->sorted) {
        const std::vector<qint64> &keys = *m_window->sorted;
        const qint64 wanted = key.toLongLong();
        const auto at = std::find(keys.begin(), keys.end(), wanted);
        return at == keys.end() ? -1 : int(at - keys.begin());
    }
    const qint64 at = m_window->query.positionOf(windowDb(), m_window->order, key);
    return at >= 0 && at < m_window->count ? int(at) : -1;
}

std::vector<qint64> GridRows::keys() const
{
    if (m_window && m_window->sorted)
        return *m_window->sorted;
    if (m_window)
        return m_window->query.keys(windowDb(), m_window->order);
    std::vector<qint64> out;
    const int f = m_rows->columnIndex(keyField());
    if (f < 0)
        return out;
    out.reserve(m_order.size());
    for (int r : m_order)
        out.push_back(m_rows->toLongLong(r, f));
    return out;
}

std::vector<QVariant> GridRows::sums(const QStringList &fields) const
{
    std::vector<QVariant> out(size_t(fields.size()), QVariant(qlonglong(0)));
    const Snapshot &source = columnsSource();
    if (m_window) {
        QStringList present;
        for (const QString &f : fields)
            if (source.columnIndex(f) >= 0)
                present << f;
        const std::vector<QVariant> found = m_window->query.sums(windowDb(), present);
        for (int i = 0, next = 0; i < fields.size(); ++i)
            if (source.columnIndex(fields[i]) >= 0)
                out[size_t(i)] = found[size_t(next++)];
        return out;
    }
    for (int i = 0; i < fields.size(); ++i) {
        const int f = source.columnIndex(fields[i]);
        if (f < 0)
            continue;
        qint64 whole = 0;
        double real = 0;
        bool anyReal = false;
        for (int r = 0; r < source.rowCount(); ++r) {
            if (source.isNull(r, f))
                continue;
            if (source.typeId(r, f) == QMetaType::Double) {
                anyReal = true;
                real += source.value(r, f).toDouble();
            } else {
                whole += source.toLongLong(r, f);
            }
        }
        out[size_t(i)] = anyReal ? QVariant(real + double(whole)) : QVariant(qlonglong(whole));
    }
    return out;
}

const ListQuery &GridRows::query() const
{
    return m_window ? m_window->query : emptyQuery();
}

ListOrder GridRows::shownOrder() const
{
    return m_window ? m_window->order : ListOrder{};
}

std::shared_ptr<const std::vector<qint64>> GridRows::sortedKeys() const
{
    return m_window ? m_window->sorted : nullptr;
}

QString GridRows::connectionName() const
{
    return m_window ? m_window->connection : QString();
}

bool GridRows::holdsText(int field) const
{
    // Decimals are whole numbers in the database; otherwise the first page
    // tells: a column with a text in it compares as text (a column with no
    // values yet is left to the database's own comparison).
    const Snapshot &s = m_window->sample;
    if (s.isDecimal(field))
        return false;
    for (int r = 0; r < s.rowCount(); ++r)
        if (!s.isNull(r, field) && !isNumberType(s.typeId(r, field)))
            return true;
    return false;
}

void GridRows::sort(int column, Order order)
{
    const int f = (column >= 0 && column < columnCount()) ? fieldIndex(column) : -1;
    if (m_window) {
        m_window->pages.clear();
        m_window->order = m_window->query.order();
        m_window->sorted.reset();
        m_sortField.clear();
        m_sortOrder = Order::None;
        if (order == Order::None || f < 0)
            return;
        try {
            m_window->order = m_window->query.sortedBy(m_columns[size_t(column)].field,
                                                       order == Order::Descending, holdsText(f));
        } catch (const DbError &) {
            return;  // not a column the database can sort by
        }
        m_sortField = m_columns[size_t(column)].field;
        m_sortOrder = order;
        if (!m_window->query.isIndexed(m_window->order))
            sortKeysHere();
        return;
    }
    std::iota(m_order.begin(), m_order.end(), 0);
    if (order == Order::None || f < 0) {
        m_sortField.clear();
        m_sortOrder = Order::None;
        return;
    }
    m_sortField = m_columns[size_t(column)].field;
    m_sortOrder = order;

    const Snapshot &s = *m_rows;
    const size_t n = size_t(s.rowCount());
    const bool ascending = order == Order::Ascending;
    // Keys pair "present" with the value, so empty values sort first.
    if (s.isDecimal(f)) {
        std::vector<std::pair<bool, qint64>> keys(n);
        for (size_t r = 0; r < n; ++r)
            keys[r] = {!s.isNull(int(r), f), s.toLongLong(int(r), f)};
        sortByKeys(m_order, keys, ascending);
    } else if (holdsNumbers(s, f)) {
        std::vector<std::pair<bool, double>> keys(n);
        for (size_t r = 0; r < n; ++r) {
            const QVariant v = s.value(int(r), f);
            keys[r] = {!v.isNull(), v.toDouble()};
        }
        sortByKeys(m_order, keys, ascending);
    } else {
        const NameOrder names;
        std::vector<QCollatorSortKey> keys;
        keys.reserve(n);
        for (size_t r = 0; r < n; ++r)
            keys.push_back(names.sortKey(s.text(int(r), f)));
        auto less = [&keys](int a, int b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; };
        if (ascending)
            std::stable_sort(m_order.begin(), m_order.end(), less);
        else
            std::stable_sort(m_order.begin(), m_order.end(),
                             [&less](int a, int b) { return less(b, a); });
    }
}

GridRows::Order GridRows::titleClicked(int column)
{
    if (!m_open || column < 0 || column >= columnCount())
        return Order::None;
    const bool ascendingByThis =
        m_sortOrder == Order::Ascending && m_sortField == m_columns[size_t(column)].field;
    const Order next = ascendingByThis ? Order::Descending : Order::Ascending;
    sort(column, next);
    return m_sortOrder;
}
