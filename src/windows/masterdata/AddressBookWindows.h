#pragma once

#include "core/masterdata/AddressBook.h"
#include "core/masterdata/Import.h"
#include "core/lists/GridRows.h"
#include "ui/FormDialog.h"
#include "ui/ListWindow.h"
#include "ui/WindowContext.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace report {
class ListForm;
}

// The windows of the three address books (suppliers, customers, employees):
// the list, its add/edit dialog, its query dialog and the picker the
// documents open. One implementation; the words of each book below.

// What kind of field the add/edit dialog makes for a column.
enum class AddressFieldKind {
    Text,
    PostalCode,  // six digits at most, nothing else
    Sex,         // an editable list offering "男" and "女"
    Wage,        // digits and one point; emptied it shows "0"
    Digits,      // digits only
};

struct AddressField {
    QString label;
    AddressFieldKind kind = AddressFieldKind::Text;
};

struct AddressBookWords {
    const AddressBook *book = nullptr;
    // What "导入" copies from a spreadsheet into the book.
    const sheetimport::Target *importTarget = nullptr;

    QString listCaption;
    std::vector<GridColumn> listColumns;
    std::vector<GridColumn> pickerColumns;

    // The add/edit dialog: one field per column of the book, in its order
    // (what a refused save says is the book's own).
    QString addCaption;
    QString editCaption;
    std::vector<AddressField> fields;

    QString noneToEdit;
    QString noneToDelete;
    QString noneToChoose;
    QString deleteQuestion;

    // The query dialog: its mode text (empty when it serves one book only) and
    // one label per query field of the book.
    QString queryMode;
    QStringList queryLabels;

    QString pickerCaption;
    QString searchLabel;

    // The printed list: its form and its own title, after the shop's print
    // heading.
    std::function<std::unique_ptr<report::ListForm>()> printForm;
    QString printTitle;

    static const AddressBookWords &suppliers();
    static const AddressBookWords &customers();
    static const AddressBookWords &employees();
    // The book a query dialog mode names ("ghs", "kh"), or null.
    static const AddressBookWords *forQueryMode(const QString &mode);
};

// The add/edit dialog (`TFtjghs1`, `TFtjkh1`, `TFtjyg1`): the fields `Edit1`,
// `Edit2`, ... (the employee's sex is `ComboBox1`), "保存" `BitBtn1` and "关闭"
// `BitBtn2`. Enter moves to the next field and in the last presses "保存"; Esc
// closes. Adding, each save adds a row and the dialog stays open, emptied,
// for the next; editing, the save rewrites the row and closes.
class AddressEditDialog : public FormDialog
{
    Q_OBJECT
public:
    AddressEditDialog(const WindowContext &context, const AddressBookWords &words,
                      QWidget *parent = nullptr);

    void startAdd();
    // The row's texts, one per column of the book.
    void startEdit(qint64 id, const QStringList &values);

    // `Edit1`, `Edit2`, ... by number; null for none.
    QLineEdit *edit(int number) const;
    // The texts of the fields, one per column of the book.
    QStringList values() const;

    void BitBtn1Click();  // 保存

    QComboBox *ComboBox1 = nullptr;

Q_SIGNALS:
    // A row was added or rewritten; the windows behind show it at once.
    void saved(qint64 id);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void clearFields();
    void focusField(int index);

    WindowContext m_context;
    const AddressBookWords &m_words;
    std::vector<QWidget *> m_fields;  // one per column of the book
    std::vector<QLineEdit *> m_edits;
    qint64 m_id = 0;
};

// The query dialog "按条件查询" (`TFcxghs1` in mode "ghs" or "kh", `TFcxyg1`):
// one field per query line (`Edit1`, ...; a fixed list `ComboBox1`), "查询"
// `BitBtn1` and "关闭" `BitBtn2`. "查询" hands the statement to the list that
// opened it and closes.
class AddressQueryDialog : public FormDialog
{
    Q_OBJECT
public:
    AddressQueryDialog(const WindowContext &context, const AddressBookWords &words,
                       QWidget *parent = nullptr);

    // Runs the statement in the opener's list; false when it failed.
    void setRunner(std::function<bool(const addressbook::Query &)> runner);

    QString mode() const { return ST1; }
    QLineEdit *edit(int number) const;
    QStringList texts() const;
    addressbook::Query statement() const;

    void BitBtn1Click();  // 查询

    QComboBox *ComboBox1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

    QString ST1;

private:
    const AddressBookWords &m_words;
    std::vector<QWidget *> m_fields;
    std::vector<QLineEdit *> m_edits;
    std::function<bool(const addressbook::Query &)> m_runner;
};

// The list window (`TFghs1`, `TFkh1`, `TFyg1`): the book in the order of
// entry with the counter "记录数：" and the buttons "导入", "新增", "修改",
// "删除", "查询", "打印", "导出", "关闭"; a double click edits, the grid's
// pop-up menu deletes, Esc closes, a click on a title sorts.
class AddressListWindow : public ListWindow
{
    Q_OBJECT
public:
    AddressListWindow(const WindowContext &context, const AddressBookWords &words,
                      QWidget *parent = nullptr);

    void importClick();  // 导入: the import dialog, then the whole book anew
    void addClick();     // 新增
    void editClick();    // 修改
    void deleteClick();  // 删除
    void queryClick();   // 查询
    void printClick();   // 打印
    void exportClick();  // 导出

    // Opens the list on a statement (the query dialog's), keeping the counter.
    bool runQuery(const addressbook::Query &q);

    // Runs before the printed list is previewed (tests look at the form here
    // instead of the preview).
    void setPreviewer(std::function<void(report::ListForm &)> previewer);

protected:
    virtual AddressEditDialog *makeEditor();
    virtual AddressQueryDialog *makeQuery();

    WindowContext m_context;
    const AddressBookWords &m_words;

private:
    void reopen();
    void showSaved(qint64 id);
    bool checkRows(const QString &noneMessage);

    std::function<void(report::ListForm &)> m_previewer;
};

// What the picker's "选择" writes into its opener: the name into the opener's
// field and, for a customer chosen for a wholesale document, the address
// immediately followed by the telephone into its remark.
struct PickTarget {
    std::function<void(const QString &)> name;
    std::function<void(const QString &)> remark;

    // Writes into these fields of the opener (a field that is gone is skipped).
    static PickTarget fields(QLineEdit *name, QLineEdit *remark = nullptr);
};

// The picker (`TFghs2`, `TFkh2`, `TFyg2`), modal: the search field `Edit1`
// narrowing the names at each keystroke, the buttons "选择", "新增", "关闭" and
// the grid. "选择" (also Enter in the search field or the grid, a double click)
// hands the current row, or the first when the grid was not touched, to the
// opener and closes. "新增" opens the add dialog; what it adds shows at once.
class AddressPicker : public QDialog
{
    Q_OBJECT
public:
    AddressPicker(const WindowContext &context, const AddressBookWords &words,
                  QWidget *parent = nullptr);

    // The opener's mode text `xzbj` and where the choice goes. False (and
    // nothing set) for a mode this picker does not serve.
    bool setChoiceTarget(const QString &mode, PickTarget target);
    QString mode() const { return xzbj; }

    ListGrid *grid() const;

    void chooseClick();  // 选择
    void addClick();     // 新增

    QLineEdit *Edit1;

protected:
    virtual AddressEditDialog *makeEditor();

    WindowContext m_context;
    const AddressBookWords &m_words;

private:
    void search();
    void showSaved(qint64 id);

    ListWindow *m_list;
    QString xzbj;
    PickTarget m_target;
};
