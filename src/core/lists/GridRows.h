#pragma once

#include "core/db/Snapshot.h"

#include <QString>
#include <QVariant>

#include <memory>
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

// What a list grid shows, without the widgets: the fetched rows of its
// statement, the grid's columns and the order the rows are shown in. Sorting
// reorders an index, never the fetched rows, so going back to the statement's
// order costs nothing. Copies are cheap (the rows are shared, read-only), which
// lets an export work on a copy while the window stays usable.
class GridRows
{
public:
    enum class Order { None, Ascending, Descending };

    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn> &columns() const { return m_columns; }
    int columnCount() const { return int(m_columns.size()); }
    const GridColumn &column(int c) const { return m_columns[size_t(c)]; }

    // Shows the rows in the statement's order; any sort is dropped.
    void open(Snapshot rows);
    // No rows, and actions that need them are refused by the window.
    void close();
    bool isOpen() const { return m_open; }

    int rowCount() const { return int(m_order.size()); }
    // The fetched row shown at `row`.
    int sourceRow(int row) const { return m_order[size_t(row)]; }
    const Snapshot &snapshot() const { return *m_rows; }
    // The rows as shown: the fetched rows in the order the grid shows them
    // (a title click may have sorted them), as a snapshot of their own, for
    // printing and export. The texts are shared; only the cell table is laid
    // out anew.
    Snapshot shownRows() const;

    bool isDecimal(int column) const;
    // The text shown in a cell: decimals in the shortest form, other values as text.
    QString text(int row, int column) const;
    // A field of a shown row, by the statement's column name (not only the
    // grid's columns); invalid when the statement has no such field.
    QVariant value(int row, const QString &field) const;

    // Stable sort of the fetched rows by a column: decimals and whole numbers
    // compare as numbers, texts in Chinese (pinyin) collation, empty values
    // first. Rows that compare equal keep the statement's order. Order::None
    // restores the statement's order.
    void sort(int column, Order order);
    // A click on a column title: ascending, unless the rows are sorted
    // ascending by exactly this column's field, then descending. Returns the
    // order applied (None when the list is not open).
    Order titleClicked(int column);

    QString sortField() const { return m_sortField; }
    Order sortOrder() const { return m_sortOrder; }

private:
    int fieldIndex(int column) const { return m_fieldIndex[size_t(column)]; }
    void mapFields();

    std::vector<GridColumn> m_columns;
    std::vector<int> m_fieldIndex;  // grid column -> statement column, -1 when absent
    std::shared_ptr<const Snapshot> m_rows = std::make_shared<const Snapshot>();
    std::vector<int> m_order;
    bool m_open = false;
    QString m_sortField;
    Order m_sortOrder = Order::None;
};
