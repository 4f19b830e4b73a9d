#pragma once

#include "core/documents/Management.h"
#include "ui/SummedListWindow.h"
#include "ui/WindowContext.h"
#include "windows/management/DocumentQueryDialog.h"

#include <functional>
#include <memory>

class QDialog;
class QPushButton;

namespace report {
class Form;
class ListForm;
}  // namespace report

class DocumentListWindow;

// The words and parts that make one document list of the family; each
// member fills its own beside its thin class, and the frame knows no member.
struct DocumentListWords {
    management::Book book = management::Book::Sales;
    QString caption;     // "销售单据", "采购单据", "库存异动单据"
    QString objectName;  // "TFxsgl1", ...
    std::vector<GridColumn> columns;
    // The delete confirmation's last line: "同时删除与本单对应的明细和欠款！".
    QString deleteWarning;
    // The printed list: its title after the shop's print name
    // ("销售单据汇总表"), the summed columns printed under "总计" in order,
    // and the form (its counterpart column set for the kind).
    QString printTitle;
    QStringList printTotals;
    std::function<std::unique_ptr<report::ListForm>()> printForm;
    // The condition dialog, handing its conditions to `run`.
    std::function<QDialog *(DocumentQueryDialog::Runner run, QWidget *parent)> queryDialog;
    // Opens (or brings forward) the kind's viewer on the list's current row.
    std::function<void(DocumentListWindow &list)> view;
};

// A document list (`TFxsgl1`, `TFcggl1`, `TFrkgl1`): the headers of one book,
// opened on the held documents by number and then on each query, with their
// sums in the status bar, red text for money owed (not on movements) and a
// light green background for held documents. 查单 opens the viewer on the
// current row (also a double click or Enter), 删除 deletes its document (a
// posted one is reversed first), 反审 reverses a posted one, 查询 opens the
// condition dialog, 打印 prints the list, 导出 exports the grid, 关闭 and Esc
// close. A document open in a document window is neither deleted nor
// reversed under it.
class DocumentListWindow : public SummedListWindow
{
    Q_OBJECT
public:
    DocumentListWindow(const WindowContext &context, const DocumentListWords &words,
                       QWidget *parent = nullptr);

    const DocumentListWords &words() const { return m_words; }
    const management::ListDescriptor &listDescriptor() const { return m_d; }
    const WindowContext &context() const { return m_context; }

    // Runs a query's conditions (the condition dialog calls it): the sums,
    // then the list. False when the database failed (reported).
    bool showFilter(const management::Filter &filter);
    // The list the window opens with: the held documents, by number.
    bool showHeld();

    void SB55Click();   // 查单
    void SB66Click();   // 删除
    void SB77Click();   // 查询
    void SB88Click();   // 打印
    void SB44Click();   // 反审

    // Runs instead of the preview window (tests look at the form here).
    std::function<void(report::Form &)> previewer;

    // The caption of the document window holding this number, or empty.
    static QString documentWindowHolding(const QString &dh);

    QPushButton *SB55 = nullptr, *SB66 = nullptr, *SB77 = nullptr, *SB88 = nullptr,
                *SB99 = nullptr, *SB100 = nullptr, *SB44 = nullptr;

private:
    QString currentNumber() const;
    // Refuses (with the message naming it) when a document window holds the
    // current document.
    bool refusedWhileOpen(const QString &dh, const QString &action);
    std::vector<Decimal> currentSums() const;

    WindowContext m_context;
    const DocumentListWords &m_words;
    const management::ListDescriptor &m_d;
};
