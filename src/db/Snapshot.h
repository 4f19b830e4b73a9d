#pragma once

#include "db/Sql.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

// The fetched result of one statement: what a list grid shows, an export
// writes and a printed report walks. Rows are held in one flat array; the
// record count is known once fetched.
class Snapshot
{
public:
    Snapshot() = default;

    // Runs the statement with its values bound and fetches every row. Throws DbError.
    static Snapshot fetch(const QSqlDatabase &db, const QString &statement,
                          const sql::Binds &binds = {});

    // A snapshot made from values at hand (tests, computed tables).
    Snapshot(QStringList columns, std::vector<QVariant> cells);

    int rowCount() const { return m_columns.isEmpty() ? 0 : int(m_cells.size() / size_t(m_columns.size())); }
    int columnCount() const { return int(m_columns.size()); }
    const QStringList &columns() const { return m_columns; }
    QString columnName(int column) const { return m_columns.value(column); }
    int columnIndex(const QString &name) const;  // case-insensitive; -1 when absent

    const QVariant &value(int row, int column) const
    {
        return m_cells[size_t(row) * size_t(m_columns.size()) + size_t(column)];
    }
    QVariant value(int row, const QString &column) const;

    // Decimal columns (by name, through the registry) hold scaled integers.
    bool isDecimal(int column) const { return m_decimal[size_t(column)]; }
    // The value as shown: decimals in the shortest form, other values as text.
    QString displayText(int row, int column) const;

    // Reorders the rows by a permutation of 0..rowCount()-1.
    void permute(const std::vector<int> &order);

private:
    void markDecimals();

    QStringList m_columns;
    std::vector<QVariant> m_cells;
    std::vector<bool> m_decimal;
};
