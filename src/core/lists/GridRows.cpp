#include "core/lists/GridRows.h"

#include "core/lists/NameOrder.h"

#include <algorithm>
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

}  // namespace

Snapshot GridRows::shownRows() const
{
    Snapshot s = *m_rows;
    s.permute(m_order);
    return s;
}

void GridRows::setColumns(std::vector<GridColumn> columns)
{
    m_columns = std::move(columns);
    mapFields();
}

void GridRows::mapFields()
{
    m_fieldIndex.assign(m_columns.size(), -1);
    for (size_t c = 0; c < m_columns.size(); ++c)
        m_fieldIndex[c] = m_rows->columnIndex(m_columns[c].field);
}

void GridRows::open(Snapshot rows)
{
    m_rows = std::make_shared<const Snapshot>(std::move(rows));
    m_open = true;
    mapFields();
    m_order.resize(size_t(m_rows->rowCount()));
    std::iota(m_order.begin(), m_order.end(), 0);
    m_sortField.clear();
    m_sortOrder = Order::None;
}

void GridRows::close()
{
    m_rows = std::make_shared<const Snapshot>();
    m_open = false;
    mapFields();
    m_order.clear();
    m_sortField.clear();
    m_sortOrder = Order::None;
}

bool GridRows::isDecimal(int column) const
{
    const int f = fieldIndex(column);
    return f >= 0 && m_rows->isDecimal(f);
}

QString GridRows::text(int row, int column) const
{
    const int f = fieldIndex(column);
    return f < 0 ? QString() : m_rows->displayText(sourceRow(row), f);
}

QVariant GridRows::value(int row, const QString &field) const
{
    return m_rows->value(sourceRow(row), field);
}

void GridRows::sort(int column, Order order)
{
    std::iota(m_order.begin(), m_order.end(), 0);
    const int f = (column >= 0 && column < columnCount()) ? fieldIndex(column) : -1;
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
