#pragma once

#include "core/db/Snapshot.h"
#include "core/lists/ListQuery.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <memory>
#include <optional>
#include <vector>

// One column of a list grid: the statement's field it shows, its title, its
// width on screen and its alignment. Hidden columns keep their place (an
// export leaves an empty spreadsheet column for them).
struct GridColumn {
    QString field;
    QString title;
    int width = 90;                     // pixels
    Qt::Alignment alignment = {};       // empty: decimals right, everything else left
    bool hidden = false;
};

// What a list grid shows, without the widgets: the grid's columns, the rows
// of its statement and the order they are shown in. The rows are either
//   - at hand: fetched whole (or handed in) and sorted in memory by an index,
//     never by moving the rows, so going back to the statement's order costs
//     nothing; or
//   - a window onto a list's statement (ListQuery): the count comes from the
//     database, rows are fetched a page at a time as they are looked at, a
//     few pages are kept and those far away dropped, and a title sort is a
//     new ORDER BY on the database. Memory does not grow with the row count.
//     Sorted by a column no index keeps in order, the window instead reads
//     each row's key and value once and sorts the keys itself (the database
//     would sort the whole result again for every page further down); it
//     then holds the keys, eight bytes a row, and reads pages by key.
// Either way the rows are read through the same calls. Copies are cheap (the
// rows are shared, read-only), which lets an export work on a copy while the
// window stays usable; a copy of a window holds its statement and order, and
// reads pages only on the thread of its connection.
class GridRows
{
public:
    enum class Order { None, Ascending, Descending };

    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn> &columns() const { return m_columns; }
    int columnCount() const { return int(m_columns.size()); }
    const GridColumn &column(int c) const { return m_columns[size_t(c)]; }

    // Shows rows at hand in their order; any sort is dropped.
    void open(Snapshot rows);
    // Shows a window onto the list's statement in its own order; any sort is
    // dropped. Learns the count and reads the first page. Throws DbError (the
    // rows are then closed).
    void openQuery(const QSqlDatabase &db, ListQuery query);
    // The window's statement run again (the count, pages read anew), keeping
    // the sort. Nothing for rows at hand. Throws DbError (closed then).
    void reload();
    // No rows, and actions that need them are refused by the window.
    void close();
    bool isOpen() const { return m_open; }
    bool isWindowed() const { return m_window.has_value(); }

    int rowCount() const;

    // Rows at hand only: the fetched row shown at `row`, and the fetched rows.
    int sourceRow(int row) const { return m_order[size_t(row)]; }
    const Snapshot &snapshot() const { return *m_rows; }

    // Where a shown row's fields are: a snapshot holding it and its row there
    // (null when the row cannot be read).
    struct Row {
        std::shared_ptr<const Snapshot> rows;
        int row = -1;
    };
    Row rowAt(int row) const;

    // The rows as shown, in the order the grid shows them, as a snapshot of
    // their own, for printing. For rows at hand the texts are shared and only
    // the cell table is laid out anew; a window reads its statement whole,
    // once (throws DbError).
    Snapshot shownRows() const;
    // Rows first..first + count - 1 as shown (fewer at the end), the same way.
    Snapshot shownRows(int first, int count) const;

    bool isDecimal(int column) const;
    // The text shown in a cell: decimals in the shortest form, other values as
    // text. A row that cannot be read shows empty.
    QString text(int row, int column) const;
    // A field of a shown row, by the statement's column name (not only the
    // grid's columns); invalid when the statement has no such field.
    QVariant value(int row, const QString &field) const;

    // The first shown row whose field equals the value, or -1. Throws DbError.
    int find(const QString &field, const QVariant &value) const;
    // The shown row of a key (the statement's key column, "id" for rows at
    // hand), or -1. Throws DbError.
    int rowOfKey(const QVariant &key) const;
    QString keyField() const;
    // The keys of every shown row, in the order shown (the ids a batch
    // action works on). Throws DbError.
    std::vector<qint64> keys() const;
    // The sums of fields over every row (0 where a field is missing), for
    // the status-bar panels. Throws DbError.
    std::vector<QVariant> sums(const QStringList &fields) const;

    // Reads the pages that hold rows first..last and a margin around them,
    // before they are painted.
    void prefetch(int first, int last) const;

    // Sorts by a column: decimals and whole numbers compare as numbers, texts
    // in the lists' name order, empty values first. Rows at hand are sorted
    // stably (equal ones keep the statement's order); a window orders by the
    // column, then by its key. Order::None restores the statement's order.
    void sort(int column, Order order);
    // A click on a column title: ascending, unless the rows are sorted
    // ascending by exactly this column's field, then descending. Returns the
    // order applied (None when the list is not open).
    Order titleClicked(int column);

    QString sortField() const { return m_sortField; }
    Order sortOrder() const { return m_sortOrder; }

    // A window's statement, its order as shown and its connection's name.
    const ListQuery &query() const;
    ListOrder shownOrder() const;
    QString connectionName() const;
    // The keys in the order shown, when the window sorted them itself (a
    // column no index keeps in order); null otherwise. Never changed once
    // made, so an export may walk them on another thread.
    std::shared_ptr<const std::vector<qint64>> sortedKeys() const;

    // The window's page: rows fetched at a time, and pages kept.
    static constexpr int PageRows = 200;
    static constexpr int KeptPages = 8;
    // Pages read so far (for tests of what a window holds).
    int pagesHeld() const;

private:
    struct Window {
        QString connection;
        ListQuery query;
        ListOrder order;
        int count = 0;
        Snapshot sample;  // the first page when opened: the columns and their kinds
        std::shared_ptr<const std::vector<qint64>> sorted;  // keys sorted here, or null
        mutable std::map<int, std::shared_ptr<const Snapshot>> pages;
    };

    int fieldIndex(int column) const { return m_fieldIndex[size_t(column)]; }
    void mapFields();
    const Snapshot &columnsSource() const;
    std::shared_ptr<const Snapshot> pageOf(int page) const;
    QSqlDatabase windowDb() const;
    bool holdsText(int field) const;
    void sortKeysHere();

    std::vector<GridColumn> m_columns;
    std::vector<int> m_fieldIndex;  // grid column -> statement column, -1 when absent
    std::shared_ptr<const Snapshot> m_rows = std::make_shared<const Snapshot>();
    std::vector<int> m_order;
    std::optional<Window> m_window;
    bool m_open = false;
    QString m_sortField;
    Order m_sortOrder = Order::None;
};
