#include "ui/ListWindow.h"

#include "ui/GridExport.h"
#include "ui/Messages.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

ListWindow::ListWindow(QWidget *parent)
    : QWidget(parent), m_closedMessage(QStringLiteral("数据表未打开，请先查询！"))
{
    DBGrid1 = new ListGrid(this);
    m_buttons = new QHBoxLayout;
    m_buttons->setSpacing(4);
    m_buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(m_buttons);
    layout->addWidget(DBGrid1, 1);

    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, this, &ListWindow::closeWindow);
}

QPushButton *ListWindow::addButton(const QString &caption, std::function<void()> action,
                                   const QString &objectName)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(objectName.isEmpty() ? caption : objectName);
    b->setAccessibleName(caption);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    connect(b, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
    m_buttons->insertWidget(m_buttons->count() - 1, b);  // before the stretch
    return b;
}

void ListWindow::showRecordCount()
{
    if (m_counter)
        return;
    m_counter = new QLabel(this);
    m_counter->setObjectName(QStringLiteral("recordCount"));
    static_cast<QVBoxLayout *>(layout())->addWidget(m_counter);
    connect(DBGrid1, &ListGrid::rowsChanged, this, &ListWindow::updateCounter);
    updateCounter();
}

void ListWindow::updateCounter()
{
    if (m_counter)
        m_counter->setText(QStringLiteral("记录数：") + QString::number(DBGrid1->rowCount()));
}

QString ListWindow::recordCountText() const
{
    return m_counter ? m_counter->text() : QString();
}

void ListWindow::showPanels(int count)
{
    if (m_statusBar || count <= 0)
        return;
    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    for (int i = 0; i < count; ++i) {
        auto *panel = new QLabel(m_statusBar);
        panel->setObjectName(QStringLiteral("panel%1").arg(i));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(i == 0 ? 60 : 110);
        m_statusBar->addWidget(panel, i == count - 1 ? 1 : 0);
        m_panels.push_back(panel);
    }
    m_panels[0]->setText(QStringLiteral("总计"));
    static_cast<QVBoxLayout *>(layout())->addWidget(m_statusBar);
}

void ListWindow::setPanelText(int panel, const QString &text)
{
    if (panel >= 0 && size_t(panel) < m_panels.size())
        m_panels[size_t(panel)]->setText(text);
}

QString ListWindow::panelText(int panel) const
{
    return panel >= 0 && size_t(panel) < m_panels.size() ? m_panels[size_t(panel)]->text()
                                                         : QString();
}

bool ListWindow::checkOpen()
{
    if (DBGrid1->isOpen())
        return true;
    msg::warning(this, m_closedMessage);
    return false;
}

bool ListWindow::query(const QSqlDatabase &db, const QString &statement, const sql::Binds &binds)
{
    if (m_changes)
        m_queriedAt = m_changes->sequence();
    try {
        DBGrid1->open(db, statement, binds);
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return false;
    }
    return true;
}

bool ListWindow::query(const QSqlDatabase &db, const ListQuery &list)
{
    if (m_changes)
        m_queriedAt = m_changes->sequence();
    try {
        DBGrid1->openQuery(db, list);
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return false;
    }
    return true;
}

void ListWindow::showsTables(const QSqlDatabase &db, const QStringList &tables)
{
    if (m_changes)
        disconnect(m_changes, nullptr, this, nullptr);
    m_changes = DataChanges::of(db);
    m_tables = tables;
    m_queriedAt = m_changedAt = m_changes->sequence();
    connect(m_changes, &DataChanges::tablesChanged, this, &ListWindow::tablesChanged);
}

void ListWindow::tablesChanged(const QStringList &tables)
{
    if (std::none_of(tables.begin(), tables.end(),
                     [this](const QString &t) { return m_tables.contains(t); }))
        return;
    m_changedAt = m_changes->sequence();
    // After the action that changed it has finished, and once for several
    // changes in a row.
    if (isVisible() && !m_requeryDue) {
        m_requeryDue = true;
        QTimer::singleShot(0, this, [this] {
            m_requeryDue = false;
            requeryIfStale();
        });
    }
}

void ListWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    requeryIfStale();
}

void ListWindow::requeryIfStale()
{
    if (!m_changes || m_queriedAt >= m_changedAt || !isVisible())
        return;
    m_queriedAt = m_changes->sequence();
    if (DBGrid1->isOpen())
        requery();
}

void ListWindow::requery()
{
    refreshGrid();
}

void ListWindow::refreshGrid()
{
    if (m_changes)
        m_queriedAt = m_changes->sequence();
    try {
        DBGrid1->refresh();
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
}

QString ListWindow::exportName() const
{
    if (!m_exportName.isEmpty())
        return m_exportName;
    return windowTitle().isEmpty() ? window()->windowTitle() : windowTitle();
}

void ListWindow::exportGrid()
{
    if (!checkOpen())
        return;
    gridexport::exportGrid(this, *DBGrid1, exportName());
}

void ListWindow::closeWindow()
{
    if (auto *dialog = qobject_cast<QDialog *>(window()))
        dialog->reject();
    else
        close();
}
