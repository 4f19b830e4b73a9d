#include "ui/ListGrid.h"

#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <QStyle>

#include <algorithm>

// ---- GridModel ---------------------------------------------------------------

GridModel::GridModel(QObject *parent) : QAbstractTableModel(parent) {}

void GridModel::setColumns(std::vector<GridColumn> columns)
{
    beginResetModel();
    m_rows.setColumns(std::move(columns));
    m_bold = -1;
    endResetModel();
}

void GridModel::setRowRule(RowRule rule)
{
    beginResetModel();
    m_rule = std::move(rule);
    endResetModel();
}

void GridModel::open(Snapshot rows)
{
    beginResetModel();
    m_rows.open(std::move(rows));
    endResetModel();
}

void GridModel::openQuery(const QSqlDatabase &db, ListQuery query)
{
    beginResetModel();
    try {
        m_rows.openQuery(db, std::move(query));
    } catch (const DbError &) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void GridModel::reload()
{
    beginResetModel();
    try {
        m_rows.reload();
    } catch (const DbError &) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void GridModel::close()
{
    beginResetModel();
    m_rows.close();
    endResetModel();
}

void GridModel::sort(int column, GridRows::Order order)
{
    beginResetModel();
    m_rows.sort(column, order);
    endResetModel();
}

GridRows::Order GridModel::titleClicked(int column)
{
    beginResetModel();
    const GridRows::Order order = m_rows.titleClicked(column);
    endResetModel();
    return order;
}

void GridModel::setBoldColumn(int column)
{
    if (column == m_bold)
        return;
    m_bold = column;
    if (columnCount() > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.rowCount();
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.columnCount();
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_rows.text(row, column);
    case Qt::TextAlignmentRole: {
        Qt::Alignment a = m_rows.column(column).alignment;
        if (!(a & Qt::AlignHorizontal_Mask))
            a |= m_rows.isDecimal(column) ? Qt::AlignRight : Qt::AlignLeft;
        if (!(a & Qt::AlignVertical_Mask))
            a |= Qt::AlignVCenter;
        return QVariant::fromValue(a);
    }
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        if (!m_rule)
            return QVariant();
        const GridRows::Row at = m_rows.rowAt(row);
        if (!at.rows)
            return QVariant();
        const RowLook look = m_rule(GridRow(*at.rows, at.row));
        const QColor &c = role == Qt::ForegroundRole ? look.text : look.background;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    default:
        return QVariant();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_rows.column(section).title;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::FontRole:
        if (section == m_bold) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

// ---- ListGrid ----------------------------------------------------------------

ListGrid::ListGrid(QWidget *parent) : QTableView(parent), m_model(new GridModel(this))
{
    setObjectName(QStringLiteral("DBGrid1"));
    setAccessibleName(objectName());
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    // Fixed row heights keep long lists quick.
    QHeaderView *rowsHeader = verticalHeader();
    rowsHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowsHeader->setDefaultSectionSize(fontMetrics().height() + 6);
    rowsHeader->hide();

    QHeaderView *titles = horizontalHeader();
    titles->setSectionsClickable(true);
    titles->setSectionsMovable(false);
    titles->setHighlightSections(false);
    titles->setSortIndicatorShown(false);
    titles->setDefaultAlignment(Qt::AlignCenter);
    titles->setStretchLastSection(false);
    connect(titles, &QHeaderView::sectionClicked, this, &ListGrid::titleClick);
    connect(titles, &QHeaderView::sectionResized, this, [this] {
        if (!m_laying)
            m_operatorSized = true;
    });

    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            Q_EMIT rowChosen();
    });
}

void ListGrid::setColumns(std::vector<GridColumn> columns)
{
    m_model->setColumns(std::move(columns));
    applyColumnLayout();
}

void ListGrid::applyColumnLayout()
{
    {
        const QScopedValueRollback<bool> laying(m_laying, true);
        m_operatorSized = false;
        const GridRows &rows = m_model->rows();
        for (int c = 0; c < rows.columnCount(); ++c) {
            setColumnWidth(c, rows.column(c).width);
            setColumnHidden(c, rows.column(c).hidden);
        }
    }
    fitColumns();
}

void ListGrid::setFitColumns(bool fit)
{
    m_fit = fit;
    applyColumnLayout();
}

void ListGrid::fitColumns()
{
    if (!m_fit || m_operatorSized)
        return;
    const GridRows &rows = m_model->rows();
    struct Shown {
        int column;
        int width;  // its own
        int floor;  // its title's
    };
    std::vector<Shown> shown;
    int total = 0;
    int slack = 0;
    QFont bold = horizontalHeader()->font();
    bold.setBold(true);  // the clicked title is bold
    const QFontMetrics titleMetrics(bold);
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 4;
    for (int c = 0; c < rows.columnCount(); ++c) {
        if (rows.column(c).hidden)
            continue;
        const int width = rows.column(c).width;
        const int floor =
            std::min(width, titleMetrics.horizontalAdvance(rows.column(c).title) + margins);
        shown.push_back({c, width, floor});
        total += width;
        slack += width - floor;
    }
    const int room = viewport()->width();
    const QScopedValueRollback<bool> laying(m_laying, true);
    if (total <= room || room <= 0) {
        for (const Shown &s : shown)
            setColumnWidth(s.column, s.width);
        return;
    }
    const int excess = total - room;
    if (excess <= slack) {
        // Each gives way in proportion to its width above its title's.
        for (const Shown &s : shown) {
            const int give = s.width - s.floor;
            const int cut = int((qint64(excess) * give + slack - 1) / slack);
            setColumnWidth(s.column, s.width - std::min(cut, give));
        }
        return;
    }
    // Not even the titles fit: every column in proportion to its title.
    const int floors = total - slack;
    for (const Shown &s : shown)
        setColumnWidth(s.column, std::max(8, int(qint64(room) * s.floor / std::max(floors, 1))));
}

QSize ListGrid::sizeHint() const
{
    const QSize base = QTableView::sizeHint();
    const GridRows &rows = m_model->rows();
    int width = 0;
    for (int c = 0; c < rows.columnCount(); ++c)
        if (!rows.column(c).hidden)
            width += rows.column(c).width;
    width += 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    if (verticalHeader()->isVisible())
        width += verticalHeader()->width();
    return QSize(std::max(base.width(), width), base.height());
}

bool ListGrid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Paint && rows().isWindowed() && rowCount() > 0) {
        // The pages of the rows about to be painted, and a margin, in one go.
        int first = rowAt(0);
        int last = rowAt(viewport()->height() - 1);
        if (first < 0)
            first = 0;
        if (last < 0)
            last = rowCount() - 1;
        m_model->prefetch(first, last);
    }
    const bool handled = QTableView::viewportEvent(event);
    if (event->type() == QEvent::Resize)
        fitColumns();
    return handled;
}

void ListGrid::setRowRule(RowRule rule)
{
    m_model->setRowRule(std::move(rule));
}

void ListGrid::open(const QSqlDatabase &db, const QString &statement, const sql::Binds &binds)
{
    m_connection = db.connectionName();
    m_statement = statement;
    m_binds = binds;
    try {
        showRows(Snapshot::fetch(db, statement, binds));
    } catch (const DbError &) {
        close();
        throw;
    }
}

void ListGrid::openQuery(const QSqlDatabase &db, ListQuery query)
{
    m_connection = db.connectionName();
    m_statement.clear();
    m_binds.clear();
    try {
        m_model->openQuery(db, std::move(query));
    } catch (const DbError &) {
        close();
        throw;
    }
    setCurrentRow(0);
    Q_EMIT rowsChanged();
}

void ListGrid::openRows(Snapshot rows)
{
    m_statement.clear();
    m_binds.clear();
    showRows(std::move(rows));
}

void ListGrid::showRows(Snapshot rows)
{
    m_model->open(std::move(rows));
    setCurrentRow(0);
    Q_EMIT rowsChanged();
}

void ListGrid::refresh()
{
    const int place = currentRow();
    if (rows().isWindowed()) {
        try {
            m_model->reload();
        } catch (const DbError &) {
            close();
            throw;
        }
        setCurrentRow(std::min(std::max(place, 0), rowCount() - 1));
        Q_EMIT rowsChanged();
        return;
    }
    if (m_statement.isEmpty())  // rows handed in, no statement to run again
        return;
    const QString field = rows().sortField();
    const GridRows::Order order = rows().sortOrder();
    Snapshot fetched;
    try {
        fetched = Snapshot::fetch(QSqlDatabase::database(m_connection), m_statement, m_binds);
    } catch (const DbError &) {
        close();
        throw;
    }
    m_model->open(std::move(fetched));
    if (order != GridRows::Order::None) {
        for (int c = 0; c < rows().columnCount(); ++c)
            if (rows().column(c).field == field) {
                m_model->sort(c, order);
                break;
            }
    }
    setCurrentRow(std::min(std::max(place, 0), rowCount() - 1));
    Q_EMIT rowsChanged();
}

void ListGrid::close()
{
    m_model->close();
    Q_EMIT rowsChanged();
}

int ListGrid::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() && i.row() < rowCount() ? i.row() : -1;
}

void ListGrid::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    int column = 0;
    while (column < m_model->columnCount() - 1 && isColumnHidden(column))
        ++column;
    const QModelIndex i = m_model->index(row, column);
    setCurrentIndex(i);
    scrollTo(i);
}

QVariant ListGrid::currentValue(const QString &field) const
{
    const int row = currentRow();
    return row < 0 ? QVariant() : rows().value(row, field);
}

bool ListGrid::selectWhere(const QString &field, const QVariant &value)
{
    int row = -1;
    try {
        row = rows().find(field, value);
    } catch (const DbError &) {
        return false;
    }
    if (row < 0)
        return false;
    setCurrentRow(row);
    return true;
}

void ListGrid::titleClick(int column)
{
    if (!m_sortable || !isOpen())
        return;
    reorder(column, [&] { m_model->titleClicked(column); });
}

void ListGrid::sortAs(const QString &field, GridRows::Order order)
{
    if (!m_sortable || !isOpen() || order == GridRows::Order::None)
        return;
    for (int c = 0; c < rows().columnCount(); ++c)
        if (rows().column(c).field == field) {
            reorder(c, [&] { m_model->sort(c, order); });
            return;
        }
}

void ListGrid::reorder(int column, const std::function<void()> &sortRows)
{
    // The row that was current stays current in the new order.
    const int current = currentRow();
    if (rows().isWindowed()) {
        const QVariant key = current >= 0 ? rows().value(current, rows().keyField()) : QVariant();
        sortRows();
        m_model->setBoldColumn(column);
        if (key.isValid()) {
            int row = -1;
            try {
                row = rows().rowOfKey(key);
            } catch (const DbError &) {
                // Gone from the list meanwhile: no row is current.
            }
            setCurrentRow(row);
        }
        Q_EMIT rowsChanged();
        return;
    }
    const int source = current >= 0 ? rows().sourceRow(current) : -1;
    sortRows();
    m_model->setBoldColumn(column);
    if (source >= 0) {
        for (int row = 0; row < rowCount(); ++row)
            if (rows().sourceRow(row) == source) {
                setCurrentRow(row);
                break;
            }
    }
    Q_EMIT rowsChanged();
}

void ListGrid::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        Q_EMIT rowChosen();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
