#include "windows/masterdata/GoodsListWindow.h"

#include "windows/masterdata/CategoryTree.h"
#include "ui/Messages.h"

#include <QBoxLayout>
#include <QSplitter>

#include <algorithm>

GoodsListWindow::GoodsListWindow(const WindowContext &context, QWidget *parent)
    : ListWindow(parent), m_context(context)
{
    TreeView1 = new CategoryTree(this);
    TreeView1->build(m_context.DM1.ADOC1());
    connect(TreeView1, &CategoryTree::categoryClicked, this,
            [this](const QString &category) { categoryClick(category); });

    // The tree takes its place to the left of the grid.
    m_splitter = TreeView1->placeLeftOf(this, DBGrid1);

    // A sale, a purchase or any other action that changes goods or their
    // stock shows in the list.
    showsTables(m_context.DM1.ADOC1(), {QStringLiteral("sp")});
}

bool GoodsListWindow::showFilter(const goods::Filter &filter)
{
    m_filter = filter;
    m_saved.clear();
    return openList(false);
}

void GoodsListWindow::showSaved(qint64 id)
{
    if (std::find(m_saved.begin(), m_saved.end(), id) == m_saved.end())
        m_saved.push_back(id);
    if (openList(true))
        DBGrid1->selectWhere(QStringLiteral("id"), id);
}

void GoodsListWindow::refreshList()
{
    refreshGrid();
}

bool GoodsListWindow::openList(bool keepSort)
{
    const GridRows &rows = DBGrid1->rows();
    const QString sortField = rows.sortField();
    const GridRows::Order order = rows.sortOrder();
    const goods::Filter f = goods::alsoShowing(m_filter, m_saved);
    if (!query(m_context.DM1.ADOC1(), goods::listQuery(f)))
        return false;
    if (keepSort)
        DBGrid1->sortAs(sortField, order);
    return true;
}

std::optional<goods::Article> GoodsListWindow::currentArticle() const
{
    // A list with rows always has a current one, the first if none was chosen.
    int row = DBGrid1->currentRow();
    if (row < 0 && DBGrid1->rowCount() > 0)
        row = 0;
    if (row < 0)
        return std::nullopt;
    const GridRows::Row at = DBGrid1->rows().rowAt(row);
    if (!at.rows)
        return std::nullopt;
    return goods::articleAt(*at.rows, at.row);
}

std::vector<qint64> GoodsListWindow::listedIds() const
{
    return DBGrid1->rows().keys();
}
