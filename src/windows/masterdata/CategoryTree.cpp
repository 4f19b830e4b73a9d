#include "windows/masterdata/CategoryTree.h"

#include "core/db/Sql.h"
#include "core/masterdata/NameLists.h"
#include "ui/Messages.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSplitter>
#include <QSqlRecord>

namespace {

// A shelf of three drawers: everything the shop holds.
QPixmap shelfPicture(int side)
{
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    p.setPen(QPen(QColor(0x5a, 0x3b, 0x1c), s / 16.0));
    p.setBrush(QColor(0xc8, 0x8a, 0x4a));
    p.drawRoundedRect(QRectF(s * 0.1, s * 0.08, s * 0.8, s * 0.84), s * 0.08, s * 0.08);
    p.setBrush(QColor(0xf3, 0xd9, 0xa8));
    for (int i = 0; i < 3; ++i) {
        const QRectF drawer(s * 0.2, s * (0.17 + 0.25 * i), s * 0.6, s * 0.18);
        p.drawRect(drawer);
        p.drawLine(QPointF(s * 0.44, drawer.center().y()), QPointF(s * 0.56, drawer.center().y()));
    }
    return pm;
}

// A folder, closed or open.
QPixmap folderPicture(int side, bool open)
{
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    const QColor edge(0x9a, 0x6a, 0x10);
    p.setPen(QPen(edge, s / 20.0));
    // The back with its tab.
    QPainterPath back;
    back.moveTo(s * 0.06, s * 0.24);
    back.lineTo(s * 0.38, s * 0.24);
    back.lineTo(s * 0.46, s * 0.32);
    back.lineTo(s * 0.94, s * 0.32);
    back.lineTo(s * 0.94, s * 0.86);
    back.lineTo(s * 0.06, s * 0.86);
    back.closeSubpath();
    p.setBrush(QColor(0xe8, 0xb3, 0x3a));
    p.drawPath(back);
    if (open) {
        // A sheet sticking out and the front flap tilted forward.
        p.setBrush(Qt::white);
        p.drawRect(QRectF(s * 0.2, s * 0.2, s * 0.6, s * 0.4));
        QPainterPath front;
        front.moveTo(s * 0.02, s * 0.46);
        front.lineTo(s * 0.84, s * 0.46);
        front.lineTo(s * 0.96, s * 0.86);
        front.lineTo(s * 0.12, s * 0.86);
        front.closeSubpath();
        p.setBrush(QColor(0xff, 0xd8, 0x6a));
        p.drawPath(front);
    } else {
        p.setBrush(QColor(0xf6, 0xc8, 0x50));
        p.drawRect(QRectF(s * 0.06, s * 0.4, s * 0.88, s * 0.46));
    }
    return pm;
}

QIcon iconOf(QPixmap (*draw)(int))
{
    QIcon icon;
    for (int side : {16, 24, 32})
        icon.addPixmap(draw(side));
    return icon;
}

QPixmap closedFolder(int side)
{
    return folderPicture(side, false);
}

QPixmap openFolder(int side)
{
    return folderPicture(side, true);
}

}  // namespace

CategoryTree::CategoryTree(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("TreeView1"));
    setAccessibleName(QStringLiteral("商品类别"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *rootNode = new QTreeWidgetItem(this, QStringList(rootText()));
    rootNode->setIcon(0, picture(0));
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { nodeClicked(item); });
}

QIcon CategoryTree::picture(int index)
{
    static const QIcon pictures[3] = {iconOf(shelfPicture), iconOf(closedFolder),
                                      iconOf(openFolder)};
    return pictures[index < 0 || index > 2 ? 0 : index];
}

void CategoryTree::build(const QSqlDatabase &db)
{
    QTreeWidgetItem *rootNode = root();
    qDeleteAll(rootNode->takeChildren());
    // A category node draws a closed folder, and an open one while selected.
    QIcon category = picture(1);
    for (int side : {16, 24, 32})
        category.addPixmap(openFolder(side), QIcon::Selected);
    try {
        const NameTable &categories = namelists::categories();
        sql::Query q = sql::exec(db, namelists::listStatement(categories));
        const int column = q.record().indexOf(categories.column);
        while (q.next()) {
            auto *node = new QTreeWidgetItem(rootNode, QStringList(q.value(column).toString()));
            node->setIcon(0, category);
        }
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
    rootNode->setExpanded(true);
}

QString CategoryTree::categoryOf(const QTreeWidgetItem *item)
{
    return item && item->parent() ? item->text(0) : QString();
}

QTreeWidgetItem *CategoryTree::nodeOf(const QString &category) const
{
    const QTreeWidgetItem *rootNode = root();
    for (int i = 0; i < rootNode->childCount(); ++i)
        if (rootNode->child(i)->text(0) == category)
            return rootNode->child(i);
    return nullptr;
}

void CategoryTree::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        nodeClicked(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CategoryTree::nodeClicked(QTreeWidgetItem *item)
{
    if (item)
        Q_EMIT categoryClicked(categoryOf(item));
}

QSplitter *CategoryTree::placeLeftOf(QWidget *window, QWidget *grid)
{
    auto *splitter = new QSplitter(Qt::Horizontal, window);
    window->layout()->replaceWidget(grid, splitter);
    splitter->addWidget(this);
    splitter->addWidget(grid);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({150, 650});
    if (auto *box = qobject_cast<QBoxLayout *>(window->layout()))
        box->setStretchFactor(splitter, 1);
    return splitter;
}
