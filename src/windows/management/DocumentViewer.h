#pragma once

#include "core/documents/Management.h"
#include "report/Report.h"
#include "ui/ChildWindow.h"
#include "ui/WindowContext.h"
#include "windows/documents/DocumentWindow.h"

#include <QHash>
#include <QPointer>

#include <functional>

class ListGrid;
class QLabel;
class QLineEdit;
class QPushButton;

// The words that make one viewer of the family; each member fills its own
// beside its thin class.
struct ViewerWords {
    management::Book book = management::Book::Sales;
    QString caption;      // "浏览销售出库单"
    QString objectName;   // "TFllxsd1": one viewer of a kind is open at a time
    QString typeCaption;  // "销售出库单"
    // The captions of the header fields the list descriptor names.
    QHash<QString, QString> captions;
    // The explanation under the fields; none when empty.
    QString explanation;
    // The kind's voucher, filled as its document window fills it.
    std::function<report::Form(const ShopRecord &, const PrintedDocument &, Snapshot lines)>
        printForm;
};

// The read-only viewer of a document (`TFllxsd1`, `TFllcgd1`, `TFllrkd1`):
// the header of the current row of the list that opened it, its state (red
// while held), every line of its number whatever their marks (negative
// quantities red) and the totals. 首单, 前单, 后单 and 尾单 move the opener's
// list to its first, previous, next and last row and show that document; the
// buttons that cannot move further are disabled at either end. 打印 prints
// the kind's voucher; 关闭 and Esc close. When the opener's list is gone the
// viewer says "数据未打开，关闭窗口后重新打开！" and closes.
class DocumentViewer : public ChildWindow
{
    Q_OBJECT
public:
    DocumentViewer(const WindowContext &context, const ViewerWords &words,
                   QWidget *parent = nullptr);

    // Opens the viewer of `key` (making it with `make` when none is open) in
    // the opener's main window, or on its own for a window outside one, and
    // shows the list's current row.
    static DocumentViewer *open(QWidget *opener, ListGrid *list, const QString &key,
                                const std::function<DocumentViewer *()> &make);

    // Shows the current row of a list and moves through that list from now on.
    void showFrom(ListGrid *list);

    void BB1Click();  // 首单
    void BB2Click();  // 前单
    void BB3Click();  // 后单
    void BB4Click();  // 尾单
    void BB5Click();  // 打印

    // The field of a header column (dh, rq, kh, ...), or null.
    QLineEdit *field(const QString &column) const { return m_fields.value(column); }
    QString panelText(int panel) const;

    // Runs instead of the preview window (tests look at the form here).
    std::function<void(report::Form &)> previewer;

    QLabel *shbj = nullptr;
    ListGrid *DBGrid1 = nullptr;
    QPushButton *BB1 = nullptr, *BB2 = nullptr, *BB3 = nullptr, *BB4 = nullptr,
                *BB5 = nullptr, *BB6 = nullptr;

private:
    void moveTo(int row);
    // Fills everything from the list's current row; false (after telling the
    // operator and closing) when the list or the lines cannot be read.
    bool fill();
    void dataGone();
    void setButtons();
    QString headerText(const QString &column) const;
    Decimal headerDecimal(const QString &column) const;

    WindowContext m_context;
    const ViewerWords &m_words;
    const management::ListDescriptor &m_d;
    QPointer<ListGrid> m_list;
    QHash<QString, QLineEdit *> m_fields;
    QHash<QString, QVariant> m_header;  // the row shown
    std::vector<QLabel *> m_panels;
};
