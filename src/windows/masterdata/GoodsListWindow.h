#pragma once

#include "core/masterdata/Goods.h"
#include "ui/ListWindow.h"
#include "ui/WindowContext.h"

#include <optional>
#include <vector>

class CategoryTree;
class QSplitter;

// What the goods list and the goods pickers share: the list-window frame with
// the category tree to the left of the grid, and the articles the grid shows.
// An article added or edited through the window stays in sight (and becomes
// the current row) until the list is queried anew, whatever the list shows.
class GoodsListWindow : public ListWindow
{
    Q_OBJECT
public:
    explicit GoodsListWindow(const WindowContext &context, QWidget *parent = nullptr);

    CategoryTree *tree() const { return TreeView1; }

    // Opens the grid on the articles of a filter, in name order, as a window
    // onto their statement. False when the database failed (reported).
    bool showFilter(const goods::Filter &filter);
    // After the window's own add or edit: the article shows at once and is
    // current; the grid keeps its title sort.
    void showSaved(qint64 id);
    // Runs the list's statement again, keeping the title sort and the place.
    void refreshList();

    // The current row's article; none when the list is empty or closed.
    std::optional<goods::Article> currentArticle() const;
    // The ids of the articles listed, in the grid's order. Throws DbError.
    std::vector<qint64> listedIds() const;

protected:
    // A click on a node of the tree; the goods list and the pickers differ.
    virtual void categoryClick(const QString &category) = 0;

    WindowContext m_context;
    CategoryTree *TreeView1;
    QSplitter *m_splitter;

private:
    bool openList(bool keepSort);

    goods::Filter m_filter;
    std::vector<qint64> m_saved;  // added or edited since the last query
};
