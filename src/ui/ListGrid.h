#pragma once

#include "core/money/Decimal.h"
#include "core/db/Sql.h"
#include "core/lists/GridRows.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>

#include <functional>

// One row of a list grid as a row-colour rule sees it.
class GridRow
{
public:
    GridRow(const Snapshot &rows, int row) : m_rows(rows), m_row(row) {}
    QVariant value(const QString &field) const { return m_rows.value(m_row, field); }
    QString text(const QString &field) const { return value(field).toString(); }
    // A decimal field (stored in units); zero when the statement lacks it.
    Decimal decimal(const QString &field) const
    {
        return Decimal::fromUnits(value(field).toLongLong());
    }

private:
    const Snapshot &m_rows;
    int m_row;
};

// How a row is drawn: invalid colours keep the grid's own.
struct RowLook {
    QColor text;
    QColor background;
};
using RowRule = std::function<RowLook(const GridRow &)>;

// The read-only model under a list grid: the rows of a GridRows, titles
// centred (the clicked one bold), decimals right-aligned, row colours by the
// window's rule. data() only looks up and formats the cells shown; on a
// window onto a statement that reads the page a cell is on when it is first
// shown.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit GridModel(QObject *parent = nullptr);

    const GridRows &rows() const { return m_rows; }
    void setColumns(std::vector<GridColumn> columns);
    void setRowRule(RowRule rule);

    void open(Snapshot rows);
    // Throw DbError (the rows are closed then).
    void openQuery(const QSqlDatabase &db, ListQuery query);
    void reload();
    void close();
    void sort(int column, GridRows::Order order);
    void prefetch(int first, int last) const { m_rows.prefetch(first, last); }
    GridRows::Order titleClicked(int column);

    int boldColumn() const { return m_bold; }
    void setBoldColumn(int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    GridRows m_rows;
    RowRule m_rule;
    int m_bold = -1;
};

// The read-only grid of every list window (`DBGrid1`): one statement's rows,
// fixed columns, whole-row selection. A click on a column title sorts the
// rows (first ascending, then alternating; another column starts ascending)
// and makes that title bold; the current row stays on its record. Opening
// the statement again restores its order and leaves the bold title as it
// was. Enter and a double click on a row are reported as rowChosen().
//
// The rows are fetched whole (open(), openRows()) or shown through a window
// onto a list's statement (openQuery()): then only the rows in view and a
// margin around them are read, and a title click orders the statement anew
// on the database. Both answer the same calls the same way.
class ListGrid : public QTableView
{
    Q_OBJECT
public:
    explicit ListGrid(QWidget *parent = nullptr);

    void setColumns(std::vector<GridColumn> columns);
    void setRowRule(RowRule rule);
    // Windows whose lists are not sorted by their titles switch it off.
    void setSortable(bool sortable) { m_sortable = sortable; }
    bool isSortable() const { return m_sortable; }

    // Runs the statement and shows its rows in its order, the first row current.
    // Throws DbError (the grid is then closed).
    void open(const QSqlDatabase &db, const QString &statement, const sql::Binds &binds = {});
    // Shows rows fetched elsewhere.
    void openRows(Snapshot rows);
    // Shows a window onto a list's statement in its own order, the first row
    // current. Throws DbError (the grid is then closed).
    void openQuery(const QSqlDatabase &db, ListQuery query);
    // Runs the last statement again after the window's own change, keeping the
    // title sort and the current row's place (nothing for rows handed in with
    // openRows). Throws DbError.
    void refresh();
    void close();
    bool isOpen() const { return m_model->rows().isOpen(); }

    const GridRows &rows() const { return m_model->rows(); }
    int rowCount() const { return m_model->rows().rowCount(); }

    // The current row (in the grid's order), or -1 when there is none.
    int currentRow() const;
    void setCurrentRow(int row);
    // A field of the current row; invalid when there is no current row.
    QVariant currentValue(const QString &field) const;
    // Makes the first row whose field equals value current; false when none
    // does (or the database cannot say).
    bool selectWhere(const QString &field, const QVariant &value);

    // A click on the title of a column (`DBGrid1TitleClick`).
    void titleClick(int column);
    // Sorts the rows as title clicks that ended in `order` on the column
    // showing `field` would (its title bold, the current row kept on its
    // record), in one sort: for a list opened again that keeps its sort.
    // Nothing for Order::None, a field the grid does not show, or a grid
    // that does not sort.
    void sortAs(const QString &field, GridRows::Order order);
    int boldColumn() const { return m_model->boldColumn(); }

    // Keeps every column in sight: when the columns' own widths add up to
    // more than the grid shows, they are narrowed (the wide ones most, none
    // below its title while that is enough), never widened; again whenever
    // the grid's width changes, until the operator drags a column's border.
    // The child-window machinery switches it on for the lists it opens.
    void setFitColumns(bool fit);
    bool fitsColumns() const { return m_fit; }

    // Wide enough for every shown column at its own width.
    QSize sizeHint() const override;

Q_SIGNALS:
    void rowChosen();
    // Opened, refreshed, sorted or closed.
    void rowsChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void applyColumnLayout();
    // Reorders the rows with `sortRows`, makes the column's title bold and
    // keeps the current row on its record.
    void reorder(int column, const std::function<void()> &sortRows);
    void fitColumns();
    void showRows(Snapshot rows);

    GridModel *m_model;
    bool m_sortable = true;
    bool m_fit = false;
    bool m_laying = false;          // the grid itself is setting widths
    bool m_operatorSized = false;   // a border was dragged: widths are the operator's
    QString m_connection;  // by name: the grid holds no handle of its own
    QString m_statement;
    sql::Binds m_binds;
};
