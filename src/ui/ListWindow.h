#pragma once

#include "core/db/DataChanges.h"
#include "core/db/Sql.h"
#include "ui/ListGrid.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QStatusBar;

// The frame of every list window: a row of buttons, the grid `DBGrid1`, and
// below it either the record counter "记录数：" or status-bar panels whose
// first reads "总计". Esc closes the window. It serves as a child window of
// the main window (the window class derives from it) and inside modal
// pickers (a dialog holds one); closing closes whichever it is.
class ListWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ListWindow(QWidget *parent = nullptr);

    ListGrid *grid() const { return DBGrid1; }

    // Appends a button to the row above the grid.
    QPushButton *addButton(const QString &caption, std::function<void()> action,
                           const QString &objectName = QString());

    // The counter under the grid, kept up to date.
    void showRecordCount();
    QString recordCountText() const;
    // A status bar of `count` panels under the grid; panel 0 reads "总计".
    void showPanels(int count);
    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;

    // What an action answers when the list is not open (caption "警告"):
    // "数据表未打开，请先查询！" unless the window sets its own.
    void setClosedMessage(const QString &text) { m_closedMessage = text; }
    QString closedMessage() const { return m_closedMessage; }
    // True when the list is open; otherwise shows the closed message.
    bool checkOpen();

    // Opens the grid on a statement. A database failure is reported (caption
    // "错误"), the grid stays closed, and false is returned.
    bool query(const QSqlDatabase &db, const QString &statement, const sql::Binds &binds = {});
    // The same through a window onto the list's statement.
    bool query(const QSqlDatabase &db, const ListQuery &list);

    // The tables the list shows. When an action commits a change to one of
    // them, an open list runs its statement again (keeping its title sort and
    // place): at once when it is in sight, otherwise when it is next shown.
    // A list that is closed, or was queried since the change, stays as it is.
    void showsTables(const QSqlDatabase &db, const QStringList &tables);

    // "导出": the grid as shown into a spreadsheet; the closed message when
    // the list is not open. The file is named after `exportName()`.
    void exportGrid();
    void setExportName(const QString &name) { m_exportName = name; }
    QString exportName() const;

    // "关闭" and Esc: closes this window, or the dialog that holds it.
    void closeWindow();

protected:
    // Brings the list up to date after a change made elsewhere: the grid's
    // statement again by default.
    virtual void requery();
    // Runs the grid's statement again, keeping the title sort and the place;
    // a database failure is reported (caption "错误").
    void refreshGrid();
    void showEvent(QShowEvent *event) override;

    ListGrid *DBGrid1;

private:
    void updateCounter();
    void tablesChanged(const QStringList &tables);
    void requeryIfStale();

    QHBoxLayout *m_buttons;
    QLabel *m_counter = nullptr;
    QStatusBar *m_statusBar = nullptr;
    std::vector<QLabel *> m_panels;
    QString m_closedMessage;
    QString m_exportName;

    QPointer<DataChanges> m_changes;
    QStringList m_tables;
    quint64 m_queriedAt = 0;  // the announcements counted when the list last ran its statement
    quint64 m_changedAt = 0;  // ... when a table it shows last changed
    bool m_requeryDue = false;
};
