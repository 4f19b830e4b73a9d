#pragma once

#include <QIcon>
#include <QTreeWidget>

class QSplitter;
class QSqlDatabase;

// The goods categories as a tree: the root "全部类别" with one node per
// category under it, in the order of entry. The root shows a shelf, a
// category a closed folder, and the selected category an open one. Built
// once; a click on a node (or Enter on it) reports the category, empty for
// the root. Moving through the tree with the arrow keys queries nothing.
class CategoryTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CategoryTree(QWidget *parent = nullptr);

    // Fills the tree from the category list. A database failure is reported
    // (caption "错误") and leaves the root alone.
    void build(const QSqlDatabase &db);

    static QString rootText() { return QStringLiteral("全部类别"); }

    // The category a node stands for: empty for the root.
    static QString categoryOf(const QTreeWidgetItem *item);
    QTreeWidgetItem *root() const { return topLevelItem(0); }
    // The node of a category, or null.
    QTreeWidgetItem *nodeOf(const QString &category) const;

    // The three pictures: 0 the root, 1 a category, 2 a selected category.
    static QIcon picture(int index);

    // Puts the tree to the left of a list window's grid, in a splitter that
    // takes the grid's place in the window's layout and its stretch.
    QSplitter *placeLeftOf(QWidget *window, QWidget *grid);

Q_SIGNALS:
    void categoryClicked(const QString &category);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void nodeClicked(QTreeWidgetItem *item);
};
