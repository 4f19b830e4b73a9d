#include "windows/masterdata/NameListWindows.h"

#include "core/db/Sql.h"
#include "ui/ListWindow.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/Outcomes.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

// ---- the two lists of the goods dialog -----------------------------------------

const NameListWords &NameListWords::categories()
{
    static const NameListWords w = [] {
        NameListWords w;
        w.table = &namelists::categories();
        w.caption = QStringLiteral("商品类别设置");
        w.columnTitle = QStringLiteral("类别");
        w.sortable = true;
        w.noneToChoose = QStringLiteral("没有类别可选择！");
        w.noneToEdit = QStringLiteral("没有类别可修改！");
        w.noneToDelete = QStringLiteral("没有类别可删除！");
        w.deleteQuestion = QStringLiteral("确定要删除此类别么？");
        w.addCaption = QStringLiteral("新增商品类别");
        w.editCaption = QStringLiteral("修改商品类别");
        w.fieldLabel = QStringLiteral("商品类别");
        return w;
    }();
    return w;
}

const NameListWords &NameListWords::units()
{
    static const NameListWords w = [] {
        NameListWords w;
        w.table = &namelists::units();
        w.caption = QStringLiteral("计量单位设置");
        w.columnTitle = QStringLiteral("计量单位");
        w.sortable = false;
        w.noneToChoose = QStringLiteral("没有单位可选择！");
        w.noneToEdit = QStringLiteral("没有单位可修改！");
        w.noneToDelete = QStringLiteral("没有单位可删除！");
        w.deleteQuestion = QStringLiteral("确定要删除此单位么？");
        w.addCaption = QStringLiteral("新增计量单位");
        w.editCaption = QStringLiteral("修改计量单位");
        w.fieldLabel = QStringLiteral("计量单位");
        return w;
    }();
    return w;
}

// ---- the reasons of stock movements -------------------------------------------

const NameListWords &NameListWords::reasons()
{
    static const NameListWords w = [] {
        NameListWords w;
        w.table = &namelists::reasons();
        w.caption = QStringLiteral("异动原因设置");
        w.columnTitle = QStringLiteral("异动原因");
        w.sortable = true;
        w.noneToChoose = QStringLiteral("没有原因可选择！");
        w.noneToDelete = QStringLiteral("没有原因可删除！");
        w.deleteQuestion = QStringLiteral("确定要删除此原因么？");
        w.addCaption = QStringLiteral("新增异动原因");
        w.fieldLabel = QStringLiteral("异动原因");
        return w;
    }();
    return w;
}

// ---- the items of other income and expenses -------------------------------------

const NameListWords &NameListWords::incomeExpenseItems()
{
    static const NameListWords w = [] {
        NameListWords w;
        w.table = &namelists::incomeExpenseItems();
        w.caption = QStringLiteral("收支项目设置");
        w.columnTitle = QStringLiteral("收支项目");
        w.groupTitle = QStringLiteral("类别");
        w.sortable = true;
        w.noneToChoose = QStringLiteral("没有项目可选择！");
        w.noneToDelete = QStringLiteral("没有项目可删除！");
        w.deleteQuestion = QStringLiteral("确定要删除此项目么？");
        w.addCaption = QStringLiteral("新增收支项目");
        w.fieldLabel = QStringLiteral("项目");
        w.groupLabel = QStringLiteral("类别");
        w.groups = {QStringLiteral("收入"), QStringLiteral("支出")};
        return w;
    }();
    return w;
}

// ---- NameEditDialog ---------------------------------------------------------

NameEditDialog::NameEditDialog(const WindowContext &context, const NameListWords &words,
                               QWidget *parent)
    : FormDialog(parent), m_context(context), m_words(words)
{
    setWindowTitle(words.addCaption);

    auto *form = new QFormLayout;
    if (!words.groups.isEmpty()) {
        ComboBox1 = new QComboBox(this);
        ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
        ComboBox1->setEditable(false);
        ComboBox1->addItems(words.groups);
        auto *groupLabel = new QLabel(words.groupLabel, this);
        groupLabel->setBuddy(ComboBox1);
        ComboBox1->setAccessibleName(words.groupLabel);
        form->addRow(groupLabel, ComboBox1);
    }
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(words.fieldLabel);
    Edit1->setMinimumWidth(200);
    auto *label = new QLabel(words.fieldLabel, this);
    label->setBuddy(Edit1);
    form->addRow(label, Edit1);

    setFields(form);
    connect(BitBtn1, &QPushButton::clicked, this, &NameEditDialog::BitBtn1Click);
    if (ComboBox1)
        enterAlong({{ComboBox1}, {Edit1}});
    else
        enterAlong({{Edit1}});

    startAdd();
}

void NameEditDialog::startAdd()
{
    setFormMode(FormMode::Add, m_words.addCaption);
    m_id = 0;
    if (ComboBox1)
        ComboBox1->setCurrentIndex(0);
    Edit1->clear();
    Edit1->setFocus();
}

void NameEditDialog::startEdit(qint64 id, const QString &name)
{
    setFormMode(FormMode::Edit, m_words.editCaption);
    m_id = id;
    Edit1->setText(name);
    Edit1->setFocus();
}

void NameEditDialog::showEvent(QShowEvent *event)
{
    FormDialog::showEvent(event);
    Edit1->setFocus();
}

void NameEditDialog::BitBtn1Click()
{
    const QSqlDatabase db = m_context.DM1.ADOC1();
    const bool adding = formMode() == FormMode::Add;
    const namelists::Saved result =
        adding ? namelists::add(db, *m_words.table, Edit1->text(),
                                ComboBox1 ? ComboBox1->currentText() : QString())
               : namelists::rename(db, *m_words.table, m_id, Edit1->text());
    if (!showOutcome(this, result)) {
        if (result.focus == namelists::Field::Group && ComboBox1)
            ComboBox1->setFocus();
        else if (result.focus == namelists::Field::Name)
            Edit1->setFocus();
        return;
    }
    Q_EMIT saved(result.id);
    if (adding) {
        Edit1->clear();
        Edit1->setFocus();
    } else {
        accept();
    }
}

// ---- NameListWindow ---------------------------------------------------------

NameListWindow::NameListWindow(const WindowContext &context, const NameListWords &words,
                               QWidget *parent)
    : QDialog(parent), m_context(context), m_words(words)
{
    setModal(true);
    setWindowTitle(words.caption);

    m_list = new ListWindow(this);
    m_list->addButton(QStringLiteral("新增"), [this] { addClick(); }, QStringLiteral("xin"));
    m_list->addButton(QStringLiteral("删除"), [this] { deleteClick(); }, QStringLiteral("chu"));
    m_list->addButton(QStringLiteral("关闭"), [this] { m_list->closeWindow(); },
                      QStringLiteral("guan"));
    m_list->addButton(QStringLiteral("选择"), [this] { chooseClick(); }, QStringLiteral("xuan"));

    ListGrid *g = m_list->grid();
    std::vector<GridColumn> columns;
    int nameWidth = 280;
    if (!words.groupTitle.isEmpty()) {
        columns.push_back({words.table->groupColumn, words.groupTitle, 70});
        nameWidth -= 70;
    }
    columns.push_back({words.table->column, words.columnTitle, nameWidth});
    g->setColumns(std::move(columns));
    g->setSortable(words.sortable);
    connect(g, &ListGrid::rowChosen, this, &NameListWindow::chooseClick);

    if (!words.editCaption.isEmpty()) {
        auto *edit = new QAction(QStringLiteral("修改"), this);
        edit->setObjectName(QStringLiteral("editAction"));
        connect(edit, &QAction::triggered, this, &NameListWindow::editClick);
        auto *remove = new QAction(QStringLiteral("删除"), this);
        remove->setObjectName(QStringLiteral("deleteAction"));
        connect(remove, &QAction::triggered, this, &NameListWindow::deleteClick);
        g->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(g, &QWidget::customContextMenuRequested, this, [g, edit, remove](const QPoint &p) {
            QMenu menu(g);
            menu.addAction(edit);
            menu.addAction(remove);
            menu.exec(g->viewport()->mapToGlobal(p));
        });
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    resize(320, 400);

    reopen();
    g->setFocus();
}

ListGrid *NameListWindow::grid() const
{
    return m_list->grid();
}

void NameListWindow::setChoiceTarget(QLineEdit *field)
{
    m_targetField = field;
    m_targetHandler = nullptr;
}

void NameListWindow::setChoiceHandler(std::function<void(const QString &)> handler)
{
    m_targetHandler = std::move(handler);
    m_targetField = nullptr;
}

NameEditDialog *NameListWindow::makeEditor()
{
    return new NameEditDialog(m_context, m_words, this);
}

void NameListWindow::reopen()
{
    m_list->query(m_context.DM1.ADOC1(), namelists::listStatement(*m_words.table));
}

void NameListWindow::showSaved(qint64 id)
{
    try {
        grid()->refresh();
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    grid()->selectWhere(QStringLiteral("id"), id);
}

void NameListWindow::runEditor(ModalDialog<NameEditDialog> &editor)
{
    connect(editor.get(), &NameEditDialog::saved, this, &NameListWindow::showSaved);
    editor.exec();
}

void NameListWindow::chooseClick()
{
    if (grid()->rowCount() == 0) {
        msg::warning(this, m_words.noneToChoose);
        return;
    }
    if (grid()->currentRow() < 0)
        grid()->setCurrentRow(0);
    const QString name = grid()->currentValue(m_words.table->column).toString();
    if (m_targetField)
        m_targetField->setText(name);
    else if (m_targetHandler)
        m_targetHandler(name);
    accept();
}

void NameListWindow::addClick()
{
    ModalDialog<NameEditDialog> editor(makeEditor());
    editor->startAdd();
    runEditor(editor);
}

void NameListWindow::editClick()
{
    if (m_words.editCaption.isEmpty())
        return;
    if (grid()->rowCount() == 0) {
        msg::warning(this, m_words.noneToEdit);
        return;
    }
    if (grid()->currentRow() < 0)
        grid()->setCurrentRow(0);
    ModalDialog<NameEditDialog> editor(makeEditor());
    editor->startEdit(grid()->currentValue(QStringLiteral("id")).toLongLong(),
                      grid()->currentValue(m_words.table->column).toString());
    runEditor(editor);
}

void NameListWindow::deleteClick()
{
    if (grid()->rowCount() == 0) {
        msg::warning(this, m_words.noneToDelete);
        return;
    }
    if (grid()->currentRow() < 0)
        grid()->setCurrentRow(0);
    if (!msg::confirmOkCancel(this, m_words.deleteQuestion))
        return;
    if (!showOutcome(this, namelists::remove(m_context.DM1.ADOC1(), *m_words.table,
                                             grid()->currentValue(QStringLiteral("id")).toLongLong())))
        return;
    try {
        grid()->refresh();
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
}
