#include "ui/SummedListWindow.h"

#include "ui/Messages.h"

#include <QAction>
#include <QBoxLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

SummedListWindow::SummedListWindow(QWidget *parent) : ListWindow(parent)
{
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        if (m_menu.isEmpty())
            return;
        QMenu menu(DBGrid1);
        menu.addActions(m_menu);
        menu.exec(DBGrid1->viewport()->mapToGlobal(p));
    });
    connect(DBGrid1, &ListGrid::rowChosen, this, [this] {
        if (m_chosen)
            m_chosen();
    });
}

void SummedListWindow::setSumPanels(int count, std::vector<SumPanel> sums)
{
    m_panelCount = count;
    m_sumPanels = std::move(sums);
    m_sums.assign(m_sumPanels.size(), Decimal());
    showPanels(count);
    showSums();
}

void SummedListWindow::showSums()
{
    for (int p = 1; p < m_panelCount; ++p)
        setPanelText(p, QString());
    for (size_t i = 0; i < m_sumPanels.size(); ++i)
        setPanelText(m_sumPanels[i].panel, m_sums[i].toShortest());
}

Decimal SummedListWindow::sumOf(const QString &column) const
{
    for (size_t i = 0; i < m_sumPanels.size(); ++i)
        if (m_sumPanels[i].column == column)
            return m_sums[i];
    return Decimal();
}

bool SummedListWindow::readSums(const QSqlDatabase &db)
{
    QStringList columns;
    for (const SumPanel &s : m_sumPanels)
        columns << s.column;
    std::vector<Decimal> sums(m_sumPanels.size());
    try {
        const std::vector<QVariant> found = m_list.sums(db, columns);
        for (size_t i = 0; i < found.size() && i < sums.size(); ++i)
            sums[i] = Decimal::fromUnits(found[i].toLongLong());
    } catch (const DbError &e) {
        DBGrid1->close();
        m_sums.assign(m_sumPanels.size(), Decimal());
        showSums();
        msg::error(this, e.message());
        return false;
    }
    m_sums = std::move(sums);
    showSums();
    return true;
}

bool SummedListWindow::openList(const QSqlDatabase &db, const ListQuery &list)
{
    m_connection = db.connectionName();
    m_list = list;
    return readSums(db) && query(db, list);
}

void SummedListWindow::requery()
{
    // Keeping the title sort and the place, as after the window's own change.
    if (!m_list.isEmpty() && !readSums(QSqlDatabase::database(m_connection, false)))
        return;
    refreshGrid();
}

void SummedListWindow::takeOffSums(const std::vector<Decimal> &values)
{
    for (size_t i = 0; i < values.size() && i < m_sums.size(); ++i)
        m_sums[i] = m_sums[i] - values[i];
    showSums();
}

void SummedListWindow::rowRemoved(const std::vector<Decimal> &values)
{
    takeOffSums(values);
    reloadRows();
}

bool SummedListWindow::reloadRows()
{
    refreshGrid();
    return DBGrid1->isOpen();
}

QPushButton *SummedListWindow::addRowAction(const QString &caption, const QString &objectName,
                                            std::function<void()> action,
                                            const QString &menuCaption, const QString &menuName)
{
    QPushButton *button = addButton(caption, action, objectName);
    if (!menuCaption.isEmpty()) {
        auto *item = new QAction(menuCaption, this);
        item->setObjectName(menuName);
        connect(item, &QAction::triggered, this, [action = std::move(action)] { action(); });
        m_menu << item;
    }
    return button;
}

void SummedListWindow::addLegend(const QString &text, const QColor &colour)
{
    auto *square = new QLabel(this);
    square->setFixedSize(14, 14);
    square->setAutoFillBackground(true);
    QPalette p = square->palette();
    p.setColor(QPalette::Window, colour);
    square->setPalette(p);
    square->setFrameShape(QFrame::Box);
    auto *label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("legend"));
    // At the right end of the button row, after its stretch.
    if (auto *row = qobject_cast<QBoxLayout *>(layout()->itemAt(0)->layout())) {
        row->addWidget(square);
        row->addWidget(label);
    } else {
        auto *line = new QHBoxLayout;
        line->addStretch();
        line->addWidget(square);
        line->addWidget(label);
        static_cast<QBoxLayout *>(layout())->insertLayout(1, line);
    }
}
