#pragma once

#include "core/lists/ListQuery.h"
#include "core/money/Decimal.h"
#include "ui/ListWindow.h"

#include <QColor>
#include <QList>

#include <functional>
#include <vector>

class QAction;
class QPushButton;

// Where a list's status bar shows the sum of a column.
struct SumPanel {
    QString column;
    int panel = 0;
};

// The frame of the list windows that show a statement with its sums: the
// grid is a window onto the statement (only the rows in view are read), the
// sums of chosen columns over the whole result stand in status-bar panels
// (panel 0 "总计", each sum in its shortest decimal form, "0" over no rows),
// and the window's actions on the current row are buttons above the grid,
// some also in the grid's context menu; a double click or Enter on a row
// runs the chosen-row action, Esc closes.
//
// The sums cover the rows the list was last opened with: a row the window
// itself removes is taken off them without reading the list again, and a
// change made elsewhere to the tables the list shows runs the statement and
// its sums again.
class SummedListWindow : public ListWindow
{
    Q_OBJECT
public:
    explicit SummedListWindow(QWidget *parent = nullptr);

    // `count` panels; the sums of the columns go into their panels.
    void setSumPanels(int count, std::vector<SumPanel> sums);

    // Opens the list on a statement: first its sums, then its rows with the
    // first row current. A database failure is reported (caption "错误"),
    // the list is closed and false returned.
    bool openList(const QSqlDatabase &db, const ListQuery &list);
    const ListQuery &list() const { return m_list; }
    // The sums shown, in the order of the sum panels.
    const std::vector<Decimal> &sums() const { return m_sums; }
    // The sum shown for a column; zero for a column not summed.
    Decimal sumOf(const QString &column) const;

    // After the window removed a row: its values of the summed columns (in
    // the panels' order) are taken off the sums, and the rows are read again
    // keeping the title sort and the place.
    void rowRemoved(const std::vector<Decimal> &values);
    // Takes a row's values off the sums (a row that left the list).
    void takeOffSums(const std::vector<Decimal> &values);
    // The rows read again (the sums as they are); false on a failure
    // (reported).
    bool reloadRows();

    // A button above the grid running `action`; with a menu caption also an
    // item of the grid's context menu.
    QPushButton *addRowAction(const QString &caption, const QString &objectName,
                              std::function<void()> action, const QString &menuCaption = {},
                              const QString &menuName = {});
    QList<QAction *> contextActions() const { return m_menu; }
    // What a double click or Enter on a row runs.
    void onRowChosen(std::function<void()> action) { m_chosen = std::move(action); }

    // A square of a colour with its text at the right of the button row,
    // explaining the rows drawn with it.
    void addLegend(const QString &text, const QColor &colour);

protected:
    // The statement and its sums again, keeping the title sort and the place.
    void requery() override;

private:
    void showSums();
    bool readSums(const QSqlDatabase &db);

    QString m_connection;
    ListQuery m_list;
    int m_panelCount = 0;
    std::vector<SumPanel> m_sumPanels;
    std::vector<Decimal> m_sums;
    QList<QAction *> m_menu;
    std::function<void()> m_chosen;
};
