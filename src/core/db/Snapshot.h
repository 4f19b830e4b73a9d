#pragma once

#include "core/db/Sql.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <vector>

// The fetched result of one statement: what a list grid shows, an export
// writes and a printed report walks. The record count is known once fetched.
//
// Lists run to a hundred thousand rows and more, so the cells are kept
// compact rather than as one QVariant each: per cell a kind byte and a 64-bit
// slot holding the integer itself (decimals are scaled integers), the bits of
// a real, or where a text lies in one pool of UTF-8 bytes. A text becomes a
// QString only when it is asked for, which a grid does for the cells it paints.
// Copies share the cells and the pool, so a copy costs nothing; permute() gives
// a copy its own row order and still shares the texts.
class Snapshot
{
public:
    Snapshot() = default;

    // Runs the statement with its values bound and fetches every row. Throws
    // DbError with SQLite's message.
    static Snapshot fetch(const QSqlDatabase &db, const QString &statement,
                          const sql::Binds &binds = {});

    // A snapshot made from values at hand (tests, computed tables), row after
    // row. value() gives each cell back as it was handed in.
    Snapshot(QStringList columns, std::vector<QVariant> cells);

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return int(m_columns.size()); }
    const QStringList &columns() const { return m_columns; }
    QString columnName(int column) const { return m_columns.value(column); }
    int columnIndex(const QString &name) const;  // case-insensitive; -1 when absent

    // A cell as the SQL driver would give it: a qlonglong, a double, a QString,
    // a QByteArray, or for NULL a null variant of type QString.
    QVariant value(int row, int column) const;
    // Invalid when there is no such column.
    QVariant value(int row, const QString &column) const;

    // The same without making a QVariant, for walks over every row.
    bool isNull(int row, int column) const;          // value().isNull()
    int typeId(int row, int column) const;           // the type of value()
    qint64 toLongLong(int row, int column) const;    // value().toLongLong()
    QString text(int row, int column) const;         // value().toString()

    // Decimal columns (by name, through the registry) hold scaled integers.
    bool isDecimal(int column) const { return m_decimal[size_t(column)]; }
    // The value as shown: decimals in the shortest form, other values as text.
    QString displayText(int row, int column) const;

    // Reorders the rows by a permutation of 0..rowCount()-1.
    void permute(const std::vector<int> &order);
    // Keeps the rows order[first] .. order[first + count - 1], in that order
    // (a slice of such a permutation, for walking the rows a piece at a time).
    void permute(const std::vector<int> &order, size_t first, size_t count);

private:
    friend class SnapshotStream;

    enum class Kind : uint8_t { Null, Integer, Real, Text, Blob, Other };
    struct Cells;
    struct Pool;
    class Builder;

    size_t at(int row, int column) const
    {
        Q_ASSERT(row >= 0 && row < m_rowCount && column >= 0 && column < m_columns.size());
        return size_t(row) * size_t(m_columns.size()) + size_t(column);
    }
    Kind kindAt(int row, int column) const;
    int64_t slotAt(int row, int column) const;
    const char *bytesOf(int64_t slot, qsizetype *size) const;
    const QVariant &otherOf(int64_t slot) const;
    void markDecimals();

    QStringList m_columns;
    int m_rowCount = 0;
    std::shared_ptr<const Cells> m_cells;
    std::shared_ptr<const Pool> m_pool;
    std::vector<bool> m_decimal;
};

// One statement stepped through a number of rows at a time, each piece a
// snapshot of its own: a long result (an export) is walked without holding
// all of it. The statement stays prepared, and its result as it was when the
// first row was read, until the stream goes.
class SnapshotStream
{
public:
    // Prepares the statement and binds its values. Throws DbError with
    // SQLite's message.
    SnapshotStream(const QSqlDatabase &db, const QString &statement, const sql::Binds &binds = {});
    ~SnapshotStream();
    SnapshotStream(const SnapshotStream &) = delete;
    SnapshotStream &operator=(const SnapshotStream &) = delete;

    // The next rows, at most `limit` of them; none once the result is done.
    // Throws DbError.
    Snapshot next(int limit);
    bool atEnd() const { return m_done; }

private:
    struct Prepared;
    std::unique_ptr<Prepared> m_prepared;
    QStringList m_columns;
    bool m_done = false;
};
