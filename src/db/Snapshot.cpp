#include "db/Snapshot.h"

#include "db/Decimal.h"
#include "db/DecimalColumns.h"

#include <QSqlQuery>
#include <QSqlRecord>

Snapshot Snapshot::fetch(const QSqlDatabase &db, const QString &statement, const sql::Binds &binds)
{
    QSqlQuery q = sql::exec(db, statement, binds);
    const QSqlRecord rec = q.record();
    QStringList columns;
    for (int i = 0; i < rec.count(); ++i)
        columns << rec.fieldName(i);
    std::vector<QVariant> cells;
    const int n = rec.count();
    while (q.next())
        for (int i = 0; i < n; ++i)
            cells.push_back(q.value(i));
    return Snapshot(std::move(columns), std::move(cells));
}

Snapshot::Snapshot(QStringList columns, std::vector<QVariant> cells)
    : m_columns(std::move(columns)), m_cells(std::move(cells))
{
    markDecimals();
}

void Snapshot::markDecimals()
{
    m_decimal.assign(size_t(m_columns.size()), false);
    for (int i = 0; i < m_columns.size(); ++i)
        m_decimal[size_t(i)] = decimalcolumns::contains(m_columns[i]);
}

int Snapshot::columnIndex(const QString &name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Snapshot::value(int row, const QString &column) const
{
    const int c = columnIndex(column);
    return c < 0 ? QVariant() : value(row, c);
}

QString Snapshot::displayText(int row, int column) const
{
    const QVariant &v = value(row, column);
    if (v.isNull())
        return QString();
    if (isDecimal(column))
        return Decimal::fromUnits(v.toLongLong()).toShortest();
    return v.toString();
}

void Snapshot::permute(const std::vector<int> &order)
{
    const size_t width = size_t(m_columns.size());
    std::vector<QVariant> out;
    out.reserve(m_cells.size());
    for (int r : order)
        for (size_t c = 0; c < width; ++c)
            out.push_back(m_cells[size_t(r) * width + c]);
    m_cells = std::move(out);
}
