#pragma once

#include "core/admin/Operators.h"
#include "ui/WindowContext.h"

#include <QHash>
#include <QMainWindow>

#include <functional>

class ChildWindows;
class QAction;
class QLabel;
class QMdiArea;
class QTimer;
class TDM1;

// The frame of the program: the whole menu, the tool buttons, the status bar
// with the operator and a clock, and the child windows inside.
class TFmain1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFmain1(TDM1 &dm, QWidget *parent = nullptr);

    // False when the shop name could not be read: the program cannot run.
    bool isReady() const { return m_ready; }

    // After login: records the operator, sets status panel 0, the permission
    // flags and enables the menu items the operator was granted.
    void startSession(const QString &operatorName);

    const Session &session() const { return m_session; }
    const QString &STyhm1() const { return m_session.STyhm1; }
    const QString &STkcsc() const { return m_session.STkcsc; }
    const QString &STkcjg() const { return m_session.STkcjg; }
    WindowContext context() { return {m_dm, m_session}; }

    // The menu item with this caption (menus and items alike), or null.
    QAction *menuItem(const QString &caption) const;
    ChildWindows &children() { return *m_children; }
    QMdiArea *mdiArea() const { return m_area; }

    // Rebuilds the caption from the shop record.
    void refreshCaption();
    static QString captionFor(const QString &shopName);

    // The clock text for a moment: "现在时刻：" + date, weekday and time.
    static QString clockText(const QDateTime &moment);

    QLabel *statusPanel(int index) const;

    // What answering "是" to the backup offer on exit opens: the backup dialog.
    std::function<void()> backupOnExit;

    // "暂时离开系统": the lock until the operator's password is typed again;
    // giving up ends the program (endWithoutQuestions).
    void lockProgram();
    // Ends the program without the exit questions, every child window closed
    // as it closes itself (a document window drops its unsaved lines).
    void endWithoutQuestions();
    // "显示业务导航图": the chart, made when none is open; the item's check
    // mark follows it.
    void showNavigationChart();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    void buildToolBar();
    void buildStatusBar();
    void wireWindows();
    void applyPermissions(const QSet<QString> &grants);
    void onMenuItem(const QString &caption, std::function<void()> handler);
    void tick();

    TDM1 &m_dm;
    Session m_session;
    bool m_ready = false;
    QMdiArea *m_area = nullptr;
    ChildWindows *m_children = nullptr;
    QHash<QString, QAction *> m_items;
    QLabel *m_panels[4] = {};
    QTimer *m_clock = nullptr;
    bool m_endingQuietly = false;
};
