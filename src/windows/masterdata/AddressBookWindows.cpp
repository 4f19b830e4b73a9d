#include "windows/masterdata/AddressBookWindows.h"

#include "windows/masterdata/Udr1.h"

#include "core/money/Decimal.h"
#include "ui/ReportPrinting.h"
#include "report/forms/Udyghs1.h"
#include "report/forms/Udyyg1.h"
#include "ui/FocusChain.h"
#include "ui/ListGrid.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/NumberEdit.h"
#include "ui/Outcomes.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

std::vector<GridColumn> partnerListColumns()
{
    return {{u"mc"_s, u"名称"_s, 130},      {u"lxr"_s, u"联系人"_s, 80},
            {u"lxdh"_s, u"联系电话"_s, 200}, {u"lxcz"_s, u"传真号码"_s, 145},
            {u"lxdz"_s, u"联系地址"_s, 200}, {u"yb"_s, u"邮政编码"_s, 70},
            {u"yhmc"_s, u"开户银行"_s, 150}, {u"yhzh"_s, u"银行帐号"_s, 200},
            {u"bz"_s, u"备注"_s, 200}};
}

std::vector<GridColumn> partnerPickerColumns()
{
    return {{u"mc"_s, u"名称"_s, 130},   {u"lxr"_s, u"联系人"_s, 80},
            {u"lxdh"_s, u"电话"_s, 200},  {u"lxcz"_s, u"传真"_s, 145},
            {u"lxdz"_s, u"地址"_s, 200},  {u"yb"_s, u"邮政编码"_s, 70},
            {u"yhmc"_s, u"开户银行"_s, 150}, {u"yhzh"_s, u"银行帐号"_s, 200},
            {u"bz"_s, u"备注"_s, 200}};
}

std::vector<AddressField> partnerFields()
{
    using K = AddressFieldKind;
    return {{u"名称"_s, K::Text},       {u"联系人"_s, K::Text},   {u"联系电话"_s, K::Text},
            {u"联系地址"_s, K::Text},   {u"传真号码"_s, K::Text}, {u"邮政编码"_s, K::PostalCode},
            {u"开户银行"_s, K::Text},   {u"银行帐号"_s, K::Text}, {u"备注说明"_s, K::Text}};
}

// The words the supplier and customer books share; `kind` is "厂商" or "客户".
AddressBookWords partnerWords(const AddressBook &book, const QString &kind)
{
    AddressBookWords w;
    w.book = &book;
    w.listCaption = kind + u"资料"_s;
    w.listColumns = partnerListColumns();
    w.pickerColumns = partnerPickerColumns();
    w.addCaption = u"新增"_s + kind + u"资料"_s;
    w.editCaption = u"修改"_s + kind + u"资料"_s;
    w.fields = partnerFields();
    w.noneToEdit = u"没有"_s + kind + u"可修改！"_s;
    w.noneToDelete = u"没有"_s + kind + u"可删除！"_s;
    w.noneToChoose = u"没有"_s + kind + u"可选择！"_s;
    w.deleteQuestion = u"确定要删除此"_s + kind + u"么？"_s;
    w.queryLabels = QStringList{u"名称"_s, u"联系人"_s, u"联系电话"_s, u"联系地址"_s};
    w.pickerCaption = u"选择"_s + kind + u"资料"_s;
    w.searchLabel = u"录入"_s + kind + u"名称查询"_s;
    w.printForm = [] { return std::make_unique<TFdyghs1>(); };
    w.printTitle = kind + u"资料表"_s;
    return w;
}

QLineEdit *numberedEdit(QWidget *parent, std::vector<QLineEdit *> &edits, QLineEdit *e)
{
    if (!e)
        e = new QLineEdit(parent);
    edits.push_back(e);
    e->setObjectName(u"Edit"_s + QString::number(edits.size()));
    return e;
}

// A row of the form: the label is the field's buddy, so the field is named
// by its caption.
void addFormRow(QFormLayout *form, QWidget *parent, const QString &caption, QWidget *field)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(field);
    field->setAccessibleName(caption);
    form->addRow(label, field);
}

QString fieldText(const QWidget *w)
{
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        return e->text();
    if (auto *c = qobject_cast<const QComboBox *>(w))
        return c->currentText();
    return QString();
}

}  // namespace

// ---- the three books -----------------------------------------------------------

const AddressBookWords &AddressBookWords::suppliers()
{
    static const AddressBookWords w = [] {
        AddressBookWords w = partnerWords(addressbook::suppliers(), u"厂商"_s);
        w.importTarget = &sheetimport::suppliers();
        w.queryMode = u"ghs"_s;
        return w;
    }();
    return w;
}

const AddressBookWords &AddressBookWords::customers()
{
    static const AddressBookWords w = [] {
        AddressBookWords w = partnerWords(addressbook::customers(), u"客户"_s);
        w.importTarget = &sheetimport::customers();
        w.queryMode = u"kh"_s;
        return w;
    }();
    return w;
}

const AddressBookWords &AddressBookWords::employees()
{
    static const AddressBookWords w = [] {
        using K = AddressFieldKind;
        AddressBookWords w;
        w.book = &addressbook::employees();
        w.importTarget = &sheetimport::employees();
        w.listCaption = u"员工资料"_s;
        w.listColumns = {{u"xm"_s, u"姓名"_s, 80},        {u"xb"_s, u"性别"_s, 50},
                         {u"zw"_s, u"职务"_s, 100},       {u"bm"_s, u"部门"_s, 100},
                         {u"dh"_s, u"联系电话"_s, 200},   {u"dz"_s, u"住址"_s, 150},
                         {u"jbgz"_s, u"基本工资"_s, 73},  {u"sfz"_s, u"身份证编号"_s, 150},
                         {u"bz"_s, u"备注"_s, 200}};
        w.pickerColumns = {{u"xm"_s, u"姓名"_s, 80},  {u"xb"_s, u"性别"_s, 50},
                           {u"zw"_s, u"职务"_s, 100}, {u"bm"_s, u"部门"_s, 100},
                           {u"dh"_s, u"电话"_s, 200}, {u"dz"_s, u"住址"_s, 150},
                           {u"bz"_s, u"备注"_s, 200}};
        w.addCaption = u"新增员工资料"_s;
        w.editCaption = u"修改员工资料"_s;
        w.fields = {{u"姓名"_s, K::Text},     {u"性别"_s, K::Sex},      {u"职务"_s, K::Text},
                    {u"部门"_s, K::Text},     {u"联系电话"_s, K::Text}, {u"联系住址"_s, K::Text},
                    {u"基本工资"_s, K::Wage}, {u"身份证号"_s, K::Digits}, {u"备注说明"_s, K::Text}};
        w.noneToEdit = u"没有员工可修改！"_s;
        w.noneToDelete = u"没有员工可删除！"_s;
        w.noneToChoose = u"没有员工可选择！"_s;
        w.deleteQuestion = u"确定要删除此员工么？"_s;
        w.queryLabels = QStringList{u"姓名"_s, u"性别"_s, u"部门"_s, u"联系电话"_s};
        w.pickerCaption = u"选择员工资料"_s;
        w.searchLabel = u"录入员工姓名查询"_s;
        w.printForm = [] { return std::make_unique<TFdyyg1>(); };
        w.printTitle = u"员工资料表"_s;
        return w;
    }();
    return w;
}

const AddressBookWords *AddressBookWords::forQueryMode(const QString &mode)
{
    for (const AddressBookWords *w : {&suppliers(), &customers()})
        if (w->queryMode == mode)
            return w;
    return nullptr;
}

// ---- AddressEditDialog ---------------------------------------------------------

AddressEditDialog::AddressEditDialog(const WindowContext &context, const AddressBookWords &words,
                                     QWidget *parent)
    : FormDialog(parent), m_context(context), m_words(words)
{
    setWindowTitle(words.addCaption);

    auto *form = new QFormLayout;
    for (const AddressField &f : words.fields) {
        QWidget *field = nullptr;
        switch (f.kind) {
        case AddressFieldKind::Sex: {
            ComboBox1 = new QComboBox(this);
            ComboBox1->setObjectName(u"ComboBox1"_s);
            ComboBox1->setEditable(true);
            ComboBox1->setInsertPolicy(QComboBox::NoInsert);
            ComboBox1->addItems(QStringList{u"男"_s, u"女"_s});
            field = ComboBox1;
            break;
        }
        case AddressFieldKind::Wage:
            field = numberedEdit(this, m_edits,
                                 new NumberEdit(this, false, NumberEdit::EmptyBecomesZero));
            break;
        case AddressFieldKind::PostalCode: {
            QLineEdit *e = numberedEdit(this, m_edits, nullptr);
            e->setValidator(
                new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,6}"_s), e));
            field = e;
            break;
        }
        case AddressFieldKind::Digits: {
            QLineEdit *e = numberedEdit(this, m_edits, nullptr);
            e->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), e));
            field = e;
            break;
        }
        case AddressFieldKind::Text:
            field = numberedEdit(this, m_edits, nullptr);
            break;
        }
        field->setMinimumWidth(240);
        addFormRow(form, this, f.label, field);
        m_fields.push_back(field);
    }

    setFields(form);
    connect(BitBtn1, &QPushButton::clicked, this, &AddressEditDialog::BitBtn1Click);
    enterAlong(enterSteps(m_fields));

    startAdd();
}

QLineEdit *AddressEditDialog::edit(int number) const
{
    return number >= 1 && size_t(number) <= m_edits.size() ? m_edits[size_t(number - 1)]
                                                            : nullptr;
}

QStringList AddressEditDialog::values() const
{
    QStringList out;
    for (const QWidget *w : m_fields)
        out << fieldText(w);
    return out;
}

void AddressEditDialog::clearFields()
{
    for (QLineEdit *e : m_edits)
        e->clear();  // the wage shows "0" again
    if (ComboBox1)
        ComboBox1->setCurrentIndex(0);  // "男"
}

void AddressEditDialog::focusField(int index)
{
    if (index >= 0 && size_t(index) < m_fields.size())
        m_fields[size_t(index)]->setFocus();
}

void AddressEditDialog::startAdd()
{
    setFormMode(FormMode::Add, m_words.addCaption);
    m_id = 0;
    clearFields();
    focusField(0);
}

void AddressEditDialog::startEdit(qint64 id, const QStringList &values)
{
    setFormMode(FormMode::Edit, m_words.editCaption);
    m_id = id;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const QString text = values.value(int(i));
        if (auto *e = qobject_cast<QLineEdit *>(m_fields[i]))
            e->setText(text);
        else if (auto *c = qobject_cast<QComboBox *>(m_fields[i]))
            c->setCurrentText(text);
    }
    focusField(0);
}

void AddressEditDialog::showEvent(QShowEvent *event)
{
    FormDialog::showEvent(event);
    focusField(0);
}

void AddressEditDialog::BitBtn1Click()
{
    const AddressBook &book = *m_words.book;
    const int wageAt = book.wageColumn.isEmpty() ? -1 : book.columnIndex(book.wageColumn);
    if (wageAt >= 0)
        if (auto *wage = qobject_cast<NumberEdit *>(m_fields[size_t(wageAt)]))
            wage->tidy();  // more than two decimals become the "0.00" form

    const QSqlDatabase db = m_context.DM1.ADOC1();
    const addressbook::Saved result = formMode() == FormMode::Add
                                          ? addressbook::add(db, book, values())
                                          : addressbook::update(db, book, m_id, values());
    if (!showOutcome(this, result)) {
        focusField(book.columnIndex(result.focus));
        return;
    }
    Q_EMIT saved(result.id);
    if (formMode() == FormMode::Add) {
        clearFields();
        focusField(0);
    } else {
        accept();
    }
}

// ---- AddressQueryDialog ------------------------------------------------------

AddressQueryDialog::AddressQueryDialog(const WindowContext &context,
                                       const AddressBookWords &words, QWidget *parent)
    : FormDialog(parent), ST1(words.queryMode), m_words(words)
{
    Q_UNUSED(context);  // the statement runs in the opener's list
    setWindowTitle(u"按条件查询"_s);

    auto *form = new QFormLayout;
    const std::vector<QueryField> &lines = words.book->queryFields;
    for (size_t i = 0; i < lines.size(); ++i) {
        QWidget *field;
        if (lines[i].when == QueryField::When::Choice) {
            ComboBox1 = new QComboBox(this);
            ComboBox1->setObjectName(u"ComboBox1"_s);
            ComboBox1->setEditable(false);
            ComboBox1->addItems(lines[i].choices);
            field = ComboBox1;
        } else {
            field = numberedEdit(this, m_edits, nullptr);
        }
        field->setMinimumWidth(220);
        addFormRow(form, this, words.queryLabels.value(int(i)), field);
        m_fields.push_back(field);
    }

    setFields(form, u"查询"_s);
    connect(BitBtn1, &QPushButton::clicked, this, &AddressQueryDialog::BitBtn1Click);
    enterAlong(enterSteps(m_fields));
}

void AddressQueryDialog::setRunner(std::function<bool(const addressbook::Query &)> runner)
{
    m_runner = std::move(runner);
}

QLineEdit *AddressQueryDialog::edit(int number) const
{
    return number >= 1 && size_t(number) <= m_edits.size() ? m_edits[size_t(number - 1)]
                                                            : nullptr;
}

QStringList AddressQueryDialog::texts() const
{
    QStringList out;
    for (const QWidget *w : m_fields)
        out << fieldText(w);
    return out;
}

addressbook::Query AddressQueryDialog::statement() const
{
    return addressbook::conditionQuery(*m_words.book, texts());
}

void AddressQueryDialog::showEvent(QShowEvent *event)
{
    FormDialog::showEvent(event);
    m_fields.front()->setFocus();
}

void AddressQueryDialog::BitBtn1Click()
{
    // A failed statement has been reported by the list; the dialog stays.
    if (m_runner && !m_runner(statement()))
        return;
    accept();
}

// ---- AddressListWindow -------------------------------------------------------

AddressListWindow::AddressListWindow(const WindowContext &context, const AddressBookWords &words,
                                     QWidget *parent)
    : ListWindow(parent), m_context(context), m_words(words)
{
    setWindowTitle(words.listCaption);

    addButton(u"导入"_s, [this] { importClick(); }, u"daoru"_s);
    addButton(u"新增"_s, [this] { addClick(); }, u"xinzeng"_s);
    addButton(u"修改"_s, [this] { editClick(); }, u"xiugai"_s);
    addButton(u"删除"_s, [this] { deleteClick(); }, u"shanchu"_s);
    addButton(u"查询"_s, [this] { queryClick(); }, u"chaxun"_s);
    addButton(u"打印"_s, [this] { printClick(); }, u"dayin"_s);
    addButton(u"导出"_s, [this] { exportClick(); }, u"daochu"_s);
    addButton(u"关闭"_s, [this] { closeWindow(); }, u"guanbi"_s);
    showRecordCount();

    DBGrid1->setColumns(words.listColumns);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            editClick();
    });

    auto *remove = new QAction(u"删除"_s, this);
    remove->setObjectName(u"deleteAction"_s);
    connect(remove, &QAction::triggered, this, &AddressListWindow::deleteClick);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this, remove](const QPoint &p) {
        QMenu menu(DBGrid1);
        menu.addAction(remove);
        menu.exec(DBGrid1->viewport()->mapToGlobal(p));
    });

    resize(900, 480);
    reopen();
    DBGrid1->setFocus();
}

AddressEditDialog *AddressListWindow::makeEditor()
{
    return new AddressEditDialog(m_context, m_words, this);
}

AddressQueryDialog *AddressListWindow::makeQuery()
{
    return new AddressQueryDialog(m_context, m_words, this);
}

void AddressListWindow::setPreviewer(std::function<void(report::ListForm &)> previewer)
{
    m_previewer = std::move(previewer);
}

void AddressListWindow::reopen()
{
    runQuery(addressbook::listQuery(*m_words.book));
}

bool AddressListWindow::runQuery(const addressbook::Query &q)
{
    return query(m_context.DM1.ADOC1(), q.list());
}

void AddressListWindow::importClick()
{
    if (!checkOpen())
        return;
    ModalDialog<TFdr1> dialog(new TFdr1(m_context, *m_words.importTarget, this));
    dialog->onImported = [this] { reopen(); };
    dialog.exec();
}

bool AddressListWindow::checkRows(const QString &noneMessage)
{
    if (!checkOpen())
        return false;
    if (DBGrid1->rowCount() == 0) {
        msg::warning(this, noneMessage);
        return false;
    }
    if (DBGrid1->currentRow() < 0)
        DBGrid1->setCurrentRow(0);
    return true;
}

void AddressListWindow::showSaved(qint64 id)
{
    try {
        DBGrid1->refresh();
        // A row the last query leaves out is shown in the whole list.
        if (DBGrid1->selectWhere(u"id"_s, id))
            return;
    } catch (const DbError &) {
        // The whole list is opened below, which reports what still fails.
    }
    reopen();
    DBGrid1->selectWhere(u"id"_s, id);
}

void AddressListWindow::addClick()
{
    ModalDialog<AddressEditDialog> editor(makeEditor());
    editor->startAdd();
    connect(editor.get(), &AddressEditDialog::saved, this, &AddressListWindow::showSaved);
    editor.exec();
}

void AddressListWindow::editClick()
{
    if (!checkRows(m_words.noneToEdit))
        return;
    const AddressBook &book = *m_words.book;
    QStringList values;
    for (const QString &column : book.columns) {
        const QVariant v = DBGrid1->currentValue(column);
        if (column == book.wageColumn && !v.isNull())
            values << Decimal::fromUnits(v.toLongLong()).toShortest();
        else
            values << v.toString();
    }
    ModalDialog<AddressEditDialog> editor(makeEditor());
    editor->startEdit(DBGrid1->currentValue(u"id"_s).toLongLong(), values);
    connect(editor.get(), &AddressEditDialog::saved, this, &AddressListWindow::showSaved);
    editor.exec();
}

void AddressListWindow::deleteClick()
{
    if (!checkRows(m_words.noneToDelete))
        return;
    if (!msg::confirmOkCancel(this, m_words.deleteQuestion))
        return;
    if (!showOutcome(this, addressbook::remove(m_context.DM1.ADOC1(), *m_words.book,
                                               DBGrid1->currentValue(u"id"_s).toLongLong())))
        return;
    try {
        DBGrid1->refresh();
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
}

void AddressListWindow::queryClick()
{
    ModalDialog<AddressQueryDialog> dialog(makeQuery());
    dialog->setRunner([this](const addressbook::Query &q) { return runQuery(q); });
    dialog.exec();
}

void AddressListWindow::printClick()
{
    if (!checkOpen())
        return;
    const std::unique_ptr<report::ListForm> form = m_words.printForm();
    form->setHeading(m_context.DM1.ATdanwei1(), m_words.printTitle);
    try {
        form->setDataset(DBGrid1->rows().shownRows());
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    if (m_previewer)
        m_previewer(*form);
    else
        report::preview(this, *form);
}

void AddressListWindow::exportClick()
{
    exportGrid();
}

// ---- AddressPicker -----------------------------------------------------------

PickTarget PickTarget::fields(QLineEdit *name, QLineEdit *remark)
{
    PickTarget t;
    if (name)
        t.name = [field = QPointer<QLineEdit>(name)](const QString &text) {
            if (field)
                field->setText(text);
        };
    if (remark)
        t.remark = [field = QPointer<QLineEdit>(remark)](const QString &text) {
            if (field)
                field->setText(text);
        };
    return t;
}

AddressPicker::AddressPicker(const WindowContext &context, const AddressBookWords &words,
                             QWidget *parent)
    : QDialog(parent), m_context(context), m_words(words)
{
    setModal(true);
    setWindowTitle(words.pickerCaption);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setAccessibleName(words.searchLabel);
    auto *label = new QLabel(words.searchLabel, this);
    label->setBuddy(Edit1);
    auto *searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(4, 4, 4, 0);
    searchRow->addWidget(label);
    searchRow->addWidget(Edit1, 1);

    m_list = new ListWindow(this);
    m_list->addButton(u"选择"_s, [this] { chooseClick(); }, u"xuanze"_s);
    m_list->addButton(u"新增"_s, [this] { addClick(); }, u"xinzeng"_s);
    m_list->addButton(u"关闭"_s, [this] { m_list->closeWindow(); }, u"guanbi"_s);
    ListGrid *g = m_list->grid();
    g->setColumns(words.pickerColumns);
    connect(g, &ListGrid::rowChosen, this, &AddressPicker::chooseClick);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(searchRow);
    layout->addWidget(m_list, 1);
    resize(780, 420);

    auto *chain = new FocusChain(this);
    chain->then(Edit1, [this] { chooseClick(); });
    connect(Edit1, &QLineEdit::textChanged, this, &AddressPicker::search);

    search();
    Edit1->setFocus();
}

bool AddressPicker::setChoiceTarget(const QString &mode, PickTarget target)
{
    if (!addressbook::servesMode(*m_words.book, mode))
        return false;
    xzbj = mode;
    m_target = std::move(target);
    return true;
}

ListGrid *AddressPicker::grid() const
{
    return m_list->grid();
}

AddressEditDialog *AddressPicker::makeEditor()
{
    return new AddressEditDialog(m_context, m_words, this);
}

void AddressPicker::search()
{
    const addressbook::Query q = addressbook::searchQuery(*m_words.book, Edit1->text());
    m_list->query(m_context.DM1.ADOC1(), q.list());
}

void AddressPicker::chooseClick()
{
    ListGrid *g = grid();
    if (g->rowCount() == 0) {
        msg::warning(this, m_words.noneToChoose);
        return;
    }
    if (g->currentRow() < 0)
        g->setCurrentRow(0);
    if (!xzbj.isEmpty()) {
        const addressbook::Choice c =
            addressbook::choiceFor(*m_words.book, xzbj, [g](const QString &column) {
                return g->currentValue(column).toString();
            });
        if (m_target.name)
            m_target.name(c.name);
        if (c.writesRemark && m_target.remark)
            m_target.remark(c.remark);
    }
    accept();
}

void AddressPicker::showSaved(qint64 id)
{
    try {
        grid()->refresh();
        if (grid()->selectWhere(u"id"_s, id))
            return;
    } catch (const DbError &) {
        // Searching again below reports what still fails.
    }
    // The new row does not match the search text: show every row.
    if (Edit1->text().isEmpty())
        search();
    else
        Edit1->clear();
    grid()->selectWhere(u"id"_s, id);
}

void AddressPicker::addClick()
{
    ModalDialog<AddressEditDialog> editor(makeEditor());
    editor->startAdd();
    connect(editor.get(), &AddressEditDialog::saved, this, &AddressPicker::showSaved);
    editor.exec();
}
