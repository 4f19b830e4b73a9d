#pragma once

#include "core/masterdata/NameLists.h"
#include "ui/FormDialog.h"
#include "ui/WindowContext.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

#include <functional>

template <class D>
class ModalDialog;
class ListGrid;
class ListWindow;
class QComboBox;
class QLineEdit;

// The words and switches that make one name list of the family: the list
// window that manages the names and serves as a picker, and its add/edit
// dialog. Everything else is shared.
struct NameListWords {
    const NameTable *table = nullptr;

    QString caption;      // the list window
    QString columnTitle;  // the name's grid title
    QString groupTitle;   // the kind's grid title; empty when the list has no kind
    bool sortable = true; // by a click on a title

    QString noneToChoose;
    QString noneToEdit;   // empty: names are not edited on this list
    QString noneToDelete;
    QString deleteQuestion;

    QString addCaption;
    QString editCaption;
    QString fieldLabel;   // the name field
    QString groupLabel;   // the kind's field
    QStringList groups;   // the kind's fixed choices; the first is preselected
    // (What a refused save says is the table's own.)

    static const NameListWords &categories();
    static const NameListWords &units();
    static const NameListWords &reasons();
    static const NameListWords &incomeExpenseItems();
};

// The add/edit dialog of a name list (`TFtjlb1` and its twins): one name field
// `Edit1` (with the kind `ComboBox1` before it on lists that have one),
// "保存" and "关闭". Adding, each save adds a name and the dialog stays open,
// emptied, for the next; editing, the save renames the row and closes.
// Enter in the name saves; Esc closes.
class NameEditDialog : public FormDialog
{
    Q_OBJECT
public:
    NameEditDialog(const WindowContext &context, const NameListWords &words,
                   QWidget *parent = nullptr);

    void startAdd();
    void startEdit(qint64 id, const QString &name);

    void BitBtn1Click();  // 保存

Q_SIGNALS:
    // A name was added or renamed; the list shows it at once.
    void saved(qint64 id);

protected:
    void showEvent(QShowEvent *event) override;

public:
    QComboBox *ComboBox1 = nullptr;
    QLineEdit *Edit1;

private:
    WindowContext m_context;
    const NameListWords &m_words;
    qint64 m_id = 0;
};

// The list window of a name list (`TFlb1` and its twins), modal: the names in
// the order of entry with "新增", "删除", "关闭", "选择"; where names are edited
// a pop-up menu on the grid offers "修改" and "删除". "选择" (also Enter or a
// double click on a row) hands the current name to whatever the opener gave
// and closes.
class NameListWindow : public QDialog
{
    Q_OBJECT
public:
    NameListWindow(const WindowContext &context, const NameListWords &words,
                   QWidget *parent = nullptr);

    // Where "选择" writes the chosen name: a field of the opener, or a function.
    void setChoiceTarget(QLineEdit *field);
    void setChoiceHandler(std::function<void(const QString &)> handler);

    ListGrid *grid() const;

    void chooseClick();  // 选择
    void addClick();     // 新增
    void editClick();    // 修改
    void deleteClick();  // 删除

protected:
    // The add/edit dialog of this list; the named windows make their own class.
    virtual NameEditDialog *makeEditor();

    WindowContext m_context;
    const NameListWords &m_words;

private:
    void reopen();
    void showSaved(qint64 id);
    void runEditor(ModalDialog<NameEditDialog> &editor);

    ListWindow *m_list;
    QPointer<QLineEdit> m_targetField;
    std::function<void(const QString &)> m_targetHandler;
};
