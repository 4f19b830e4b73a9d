// The address-book windows, offscreen: the supplier, customer and employee
// lists with their add/edit and query dialogs and printed lists, and the
// pickers with what they write into the window that opened them.
#include "ModalDialogs.h"
#include "TestSupport.h"

#include "core/db/Sql.h"
#include "core/masterdata/AddressBook.h"
#include "windows/masterdata/Ucxghs1.h"
#include "windows/masterdata/Ucxyg1.h"
#include "windows/masterdata/Ughs1.h"
#include "windows/masterdata/Ughs2.h"
#include "windows/masterdata/Ukh1.h"
#include "windows/masterdata/Ukh2.h"
#include "windows/masterdata/Utjghs1.h"
#include "windows/masterdata/Utjkh1.h"
#include "windows/masterdata/Utjyg1.h"
#include "windows/masterdata/Uyg1.h"
#include "windows/masterdata/Uyg2.h"
#include "report/ReportBuilders.h"
#include "ui/ListGrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QPushButton *button(QWidget *w, const QString &caption)
{
    for (QPushButton *b : w->findChildren<QPushButton *>())
        if (b->text() == caption)
            return b;
    qFatal("no button %s", qPrintable(caption));
}

QStringList buttonCaptions(QWidget *w)
{
    QStringList out;
    for (QPushButton *b : w->findChildren<QPushButton *>())
        out << b->text();
    return out;
}

QStringList titles(const ListGrid &g)
{
    QStringList out;
    for (int c = 0; c < g.model()->columnCount(); ++c)
        out << g.model()->headerData(c, Qt::Horizontal).toString();
    return out;
}

QStringList column(const ListGrid &g, int c = 0)
{
    QStringList out;
    for (int r = 0; r < g.rowCount(); ++r)
        out << g.model()->index(r, c).data().toString();
    return out;
}

QString recordCount(const ListWindow &w)
{
    return w.findChild<QLabel *>(u"recordCount"_s)->text();
}

// Types key by key, Chinese characters too (as an input method hands them over).
void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void doubleClickRow(ListGrid *g, int row)
{
    const QPoint p = g->visualRect(g->model()->index(row, 0)).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, p);
}

void addPartner(QSqlDatabase db, const AddressBook &book, const QString &name,
                const QString &phone = {}, const QString &address = {})
{
    QCOMPARE(addressbook::add(db, book, {name, {}, phone, address, {}, {}, {}, {}, {}}).check,
             addressbook::Check::Done);
}

void addEmployee(QSqlDatabase db, const QString &name, const QString &sex,
                 const QString &wage = u"0"_s)
{
    QCOMPARE(addressbook::add(db, addressbook::employees(),
                              {name, sex, {}, {}, {}, {}, wage, {}, {}})
                 .check,
             addressbook::Check::Done);
}

// 0 suppliers, 1 customers, 2 employees: two rows added, the list opened.
std::unique_ptr<AddressListWindow> listOf(int which, FreshShop &shop, const Session &session,
                                          const QStringList &names = {u"第一"_s, u"第二"_s})
{
    for (const QString &n : names) {
        if (which == 2)
            addEmployee(shop.db(), n, u"女"_s, u"1234.5"_s);
        else
            addPartner(shop.db(), which ? addressbook::customers() : addressbook::suppliers(), n);
    }
    const WindowContext ctx{shop.dm(), session};
    if (which == 0)
        return std::make_unique<TFghs1>(ctx);
    if (which == 1)
        return std::make_unique<TFkh1>(ctx);
    return std::make_unique<TFyg1>(ctx);
}

}  // namespace

class TestAddressBookWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listsShowTheirColumns_data();
    void listsShowTheirColumns();
    void supplierDialogKeysAndChecks();
    void employeeDialogFieldsAndWage();
    void doubleClickEditsAndCloses();
    void emptyClosedAndDeleting_data();
    void emptyClosedAndDeleting();
    void queriesNarrowTheList();
    void printsTheRowsShown_data();
    void printsTheRowsShown();

    void customerPickerForWholesaleWritesRemark();
    void pickerSearchesAsYouTypeAndEnterTakesFirst();
    void pickerAddShowsTheNewRowAtOnce();
    void employeePickerServesEveryHandlerField();

    void windowGoneWhileItsDialogRuns_data();
    void windowGoneWhileItsDialogRuns();

private:
    Session m_session;
};

// ---- lists and dialogs ---------------------------------------------------------------

void TestAddressBookWindows::listsShowTheirColumns_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<int>>("widths");
    const QStringList partners{u"名称"_s,     u"联系人"_s,   u"联系电话"_s,
                               u"传真号码"_s, u"联系地址"_s, u"邮政编码"_s,
                               u"开户银行"_s, u"银行帐号"_s, u"备注"_s};
    const QList<int> partnerWidths{130, 80, 200, 145, 200, 70, 150, 200, 200};
    QTest::newRow("suppliers") << 0 << u"厂商资料"_s << partners << partnerWidths;
    QTest::newRow("customers") << 1 << u"客户资料"_s << partners << partnerWidths;
    QTest::newRow("employees") << 2 << u"员工资料"_s
                               << QStringList{u"姓名"_s,     u"性别"_s,       u"职务"_s,
                                              u"部门"_s,     u"联系电话"_s,   u"住址"_s,
                                              u"基本工资"_s, u"身份证编号"_s, u"备注"_s}
                               << QList<int>{80, 50, 100, 100, 200, 150, 73, 150, 200};
}

void TestAddressBookWindows::listsShowTheirColumns()
{
    QFETCH(int, which);
    QFETCH(QString, caption);
    QFETCH(QStringList, titles);
    QFETCH(QList<int>, widths);
    FreshShop shop;
    const std::unique_ptr<AddressListWindow> w = listOf(which, shop, m_session);
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(::titles(*w->grid()), titles);
    for (int c = 0; c < widths.size(); ++c)
        QCOMPARE(w->grid()->columnWidth(c), widths[c]);
    QCOMPARE(buttonCaptions(w.get()), (QStringList{u"导入"_s, u"新增"_s, u"修改"_s, u"删除"_s,
                                                   u"查询"_s, u"打印"_s, u"导出"_s, u"关闭"_s}));
    QCOMPARE(column(*w->grid()), (QStringList{u"第一"_s, u"第二"_s}));
    QVERIFY(w->grid()->rows().isWindowed());
    QCOMPARE(recordCount(*w), u"记录数：2"_s);
    if (which == 2)
        QCOMPARE(column(*w->grid(), 6), (QStringList{u"1234.5"_s, u"1234.5"_s}));

    // A title click sorts; Esc closes.
    w->grid()->titleClick(0);
    QCOMPARE(column(*w->grid()), (QStringList{u"第二"_s, u"第一"_s}));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::keyClick(w->grid(), Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

void TestAddressBookWindows::supplierDialogKeysAndChecks()
{
    FreshShop shop;
    const std::unique_ptr<AddressListWindow> w = listOf(0, shop, m_session, {u"华丰五金"_s});
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    ScriptedMessages messages;
    QStringList current;

    whenShown<TFtjghs1>([&](TFtjghs1 *d) {
        QCOMPARE(d->windowTitle(), u"新增厂商资料"_s);
        QCOMPARE(d->formMode(), FormMode::Add);
        // Enter walks the nine fields in order.
        for (int i = 1; i <= 9; ++i) {
            QCOMPARE(d->focusWidget(), d->edit(i));
            d->edit(i)->setText(i == 1 ? u"  长城 建材 "_s : i == 4 ? u"北京路8号"_s : QString());
            if (i < 9)
                QTest::keyClick(d->edit(i), Qt::Key_Return);
        }
        // The postal code takes digits only, six at most.
        QTest::keyClicks(d->edit(6), u"45a00b017"_s);
        QCOMPARE(d->edit(6)->text(), u"450001"_s);
        // Enter in the remark saves; the dialog stays open, emptied.
        QTest::keyClick(d->edit(9), Qt::Key_Return);
        QVERIFY(d->isVisible());
        QVERIFY(d->edit(1)->text().isEmpty() && d->edit(6)->text().isEmpty());
        QCOMPARE(d->focusWidget(), d->edit(1));
        current << w->grid()->currentValue(u"mc"_s).toString();

        // A name differing only by spaces is refused and nothing is emptied;
        // so is an empty name.
        d->edit(1)->setText(u" 华丰五金  "_s);
        d->edit(3)->setText(u"999"_s);
        d->BitBtn1->click();
        QCOMPARE(d->edit(3)->text(), u"999"_s);
        d->edit(1)->setText(u"   "_s);
        d->BitBtn1->click();
        QCOMPARE(d->focusWidget(), d->edit(1));
        d->edit(1)->setText(u"Lee's Tools"_s);
        d->BitBtn1->click();
        current << w->grid()->currentValue(u"mc"_s).toString();
        QTest::keyClick(d->edit(1), Qt::Key_Escape);
        QVERIFY(!d->isVisible());
    });
    button(w.get(), u"新增"_s)->click();

    QCOMPARE(current, (QStringList{u"长城 建材"_s, u"Lee's Tools"_s}));
    QCOMPARE(messages.texts(), (QStringList{u"厂商名称不可重复！"_s, u"名称不可为空！"_s}));
    QCOMPARE(messages.shown()[0].caption, u"警告"_s);
    QCOMPARE(messages.shown()[1].caption, u"提示"_s);
    QCOMPARE(recordCount(*w), u"记录数：3"_s);
    QCOMPARE(sql::scalar(shop.db(), u"SELECT lxdz || '/' || yb FROM ghs WHERE mc = '长城 建材'"_s)
                 .toString(),
             u"北京路8号/450001"_s);
}

void TestAddressBookWindows::employeeDialogFieldsAndWage()
{
    FreshShop shop;
    const std::unique_ptr<AddressListWindow> w = listOf(2, shop, m_session, {u"张伟"_s});
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    ScriptedMessages messages;

    whenShown<TFtjyg1>([&](TFtjyg1 *d) {
        QCOMPARE(d->windowTitle(), u"新增员工资料"_s);
        QVERIFY(d->ComboBox1->isEditable());
        QCOMPARE(d->ComboBox1->count(), 2);
        QCOMPARE(d->ComboBox1->itemText(1), u"女"_s);
        QCOMPARE(d->ComboBox1->currentText(), u"男"_s);
        QLineEdit *wage = d->edit(6);
        QLineEdit *idNumber = d->edit(7);
        QCOMPARE(wage->accessibleName(), u"基本工资"_s);
        QCOMPARE(wage->text(), u"0"_s);
        // Enter from the name goes to the sex list, then on.
        QTest::keyClick(d->edit(1), Qt::Key_Return);
        QCOMPARE(d->focusWidget(), d->ComboBox1);
        QTest::keyClick(d->ComboBox1, Qt::Key_Return);
        QCOMPARE(d->focusWidget(), d->edit(2));
        QCOMPARE(d->ComboBox1->count(), 2);  // Enter added nothing to the list

        // The wage takes digits and one point and shows "0" when emptied; the
        // identity number takes digits only.
        wage->selectAll();
        QTest::keyClicks(wage, u"3a0-00.4.56"_s);
        QCOMPARE(wage->text(), u"3000.456"_s);
        QTest::keyClicks(idNumber, u"4101x05"_s);
        QCOMPARE(idNumber->text(), u"410105"_s);

        // Empty sex, a lone point as wage, a taken name: each refused in turn.
        d->edit(1)->setText(u"李娜"_s);
        d->ComboBox1->setCurrentText(u" "_s);
        d->BitBtn1->click();
        QCOMPARE(d->focusWidget(), d->ComboBox1);
        d->ComboBox1->setCurrentText(u"女"_s);
        wage->setText(u"."_s);
        d->BitBtn1->click();
        QCOMPARE(d->focusWidget(), static_cast<QWidget *>(wage));
        wage->setText(u"3000.456"_s);
        d->edit(1)->setText(u" 张伟 "_s);
        d->BitBtn1->click();
        QCOMPARE(wage->text(), u"3000.46"_s);  // rewritten before the checks

        d->edit(1)->setText(u"李娜"_s);
        QTest::keyClick(d->edit(8), Qt::Key_Return);
        QCOMPARE(wage->text(), u"0"_s);
        QCOMPARE(d->ComboBox1->currentText(), u"男"_s);
        d->edit(1)->setText(u"王芳"_s);
        wage->setText(u"3000.5"_s);
        d->BitBtn1->click();
    });
    button(w.get(), u"新增"_s)->click();

    QCOMPARE(messages.texts(), (QStringList{u"性别不可为空！"_s, u"基本工资不是有效的数字！"_s,
                                            u"员工姓名不可重复！"_s}));
    QCOMPARE(messages.shown()[2].caption, u"警告"_s);
    QCOMPARE(column(*w->grid()), (QStringList{u"张伟"_s, u"李娜"_s, u"王芳"_s}));
    QCOMPARE(column(*w->grid(), 1), (QStringList{u"女"_s, u"女"_s, u"男"_s}));
    QCOMPARE(column(*w->grid(), 6), (QStringList{u"1234.5"_s, u"3000.46"_s, u"3000.5"_s}));
    QCOMPARE(column(*w->grid(), 7), (QStringList{QString(), u"410105"_s, QString()}));
}

void TestAddressBookWindows::doubleClickEditsAndCloses()
{
    FreshShop shop;
    const std::unique_ptr<AddressListWindow> w = listOf(2, shop, m_session, {u"张伟"_s, u"李娜"_s});
    sql::exec(shop.db(), u"UPDATE yg SET zw = '店长', sfz = '4101', bz = '老' WHERE id = 1"_s);
    w->grid()->refresh();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    bool closed = false;
    whenShown<TFtjyg1>([&](TFtjyg1 *d) {
        QCOMPARE(d->windowTitle(), u"修改员工资料"_s);
        QCOMPARE(d->formMode(), FormMode::Edit);
        QCOMPARE(d->values(), (QStringList{u"张伟"_s, u"女"_s, u"店长"_s, {}, {}, {},
                                           u"1234.5"_s, u"4101"_s, u"老"_s}));
        // No duplicate check when editing.
        d->edit(1)->setText(u" 李娜 "_s);
        d->edit(6)->setText(u"2800.555"_s);
        d->BitBtn1->click();
        closed = !d->isVisible();
    });
    doubleClickRow(w->grid(), 0);
    QVERIFY(closed);
    QCOMPARE(column(*w->grid()), (QStringList{u"李娜"_s, u"李娜"_s}));
    QCOMPARE(column(*w->grid(), 6), (QStringList{u"2800.56"_s, u"1234.5"_s}));
}

void TestAddressBookWindows::emptyClosedAndDeleting_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("kind");
    QTest::newRow("suppliers") << 0 << u"厂商"_s;
    QTest::newRow("customers") << 1 << u"客户"_s;
    QTest::newRow("employees") << 2 << u"员工"_s;
}

void TestAddressBookWindows::emptyClosedAndDeleting()
{
    QFETCH(int, which);
    QFETCH(QString, kind);
    FreshShop shop;
    const std::unique_ptr<AddressListWindow> empty = listOf(which, shop, m_session, {});
    ScriptedMessages shown;
    button(empty.get(), u"修改"_s)->click();
    empty->findChild<QAction *>(u"deleteAction"_s)->trigger();
    QCOMPARE(shown.texts(),
             (QStringList{u"没有"_s + kind + u"可修改！"_s, u"没有"_s + kind + u"可删除！"_s}));
    QCOMPARE(shown.shown()[1].caption, u"警告"_s);

    // A list whose statement failed is closed: the actions on rows say so.
    shown.clear();
    empty->grid()->close();
    for (const QString &caption : {u"修改"_s, u"删除"_s, u"打印"_s, u"导出"_s})
        button(empty.get(), caption)->click();
    QCOMPARE(shown.texts(), QStringList(4, u"数据表未打开，请先查询！"_s));

    // Deleting asks first; Cancel keeps the row.
    shown.clear();
    const std::unique_ptr<AddressListWindow> w =
        listOf(which, shop, m_session, {u"甲"_s, u"乙"_s, u"丙"_s});
    w->grid()->setCurrentRow(1);
    shown.answer(msg::Answer::Cancel);
    button(w.get(), u"删除"_s)->click();
    QCOMPARE(w->grid()->rowCount(), 3);
    button(w.get(), u"删除"_s)->click();
    QCOMPARE(shown.texts(), QStringList(2, u"确定要删除此"_s + kind + u"么？"_s));
    QCOMPARE(shown.shown()[0].buttons, msg::Buttons::OkCancel);
    QCOMPARE(column(*w->grid()), (QStringList{u"甲"_s, u"丙"_s}));
    QCOMPARE(recordCount(*w), u"记录数：2"_s);
    const QString table = which == 0 ? u"ghs"_s : which == 1 ? u"kh"_s : u"yg"_s;
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM "_s + table).toInt(), 2);
}

void TestAddressBookWindows::queriesNarrowTheList()
{
    FreshShop shop;
    addPartner(shop.db(), addressbook::customers(), u"东方"_s, u"0371-123456"_s);
    addPartner(shop.db(), addressbook::customers(), u"西方"_s, u"555"_s);
    addPartner(shop.db(), addressbook::customers(), u"O'Hara"_s, u"1234"_s);
    const WindowContext ctx{shop.dm(), m_session};
    TFkh1 w(ctx);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    whenShown<TFcxghs1>([&](TFcxghs1 *d) {
        QCOMPARE(d->windowTitle(), u"按条件查询"_s);
        QCOMPARE(d->mode(), u"kh"_s);
        QTest::keyClick(d->edit(1), Qt::Key_Return);
        QTest::keyClick(d->edit(2), Qt::Key_Return);
        QCOMPARE(d->focusWidget(), d->edit(3));
        QTest::keyClicks(d->edit(3), u"123"_s);
        QTest::keyClick(d->edit(3), Qt::Key_Return);
        QTest::keyClick(d->edit(4), Qt::Key_Return);  // Enter in the address queries
        QVERIFY(!d->isVisible());
    });
    button(&w, u"查询"_s)->click();
    QCOMPARE(column(*w.grid()), (QStringList{u"东方"_s, u"O'Hara"_s}));
    QCOMPARE(recordCount(w), u"记录数：2"_s);

    // A row added while the list is narrowed shows at once.
    whenShown<TFtjkh1>([&](TFtjkh1 *d) {
        d->edit(1)->setText(u"南方"_s);
        d->BitBtn1->click();
    });
    button(&w, u"新增"_s)->click();
    QCOMPARE(w.grid()->currentValue(u"mc"_s).toString(), u"南方"_s);
    QCOMPARE(recordCount(w), u"记录数：4"_s);

    // Employees: women only, in the order of entry even after a title sort.
    const std::unique_ptr<AddressListWindow> staff = listOf(2, shop, m_session, {});
    for (const auto &[name, sex] : {std::pair{u"张伟"_s, u"男"_s}, {u"李娜"_s, u"女"_s},
                                    {u"赵强"_s, u"男"_s}, {u"王芳"_s, u"女"_s}})
        addEmployee(shop.db(), name, sex);
    staff->grid()->refresh();
    staff->grid()->titleClick(0);
    staff->show();
    QVERIFY(QTest::qWaitForWindowExposed(staff.get()));
    whenShown<TFcxyg1>([&](TFcxyg1 *d) {
        QVERIFY(!d->ComboBox1->isEditable());
        QCOMPARE(d->ComboBox1->count(), 3);
        QCOMPARE(d->ComboBox1->currentText(), u"全部"_s);
        QTest::keyClick(d->edit(1), Qt::Key_Return);
        QCOMPARE(d->focusWidget(), d->ComboBox1);
        d->ComboBox1->setCurrentIndex(2);
        QTest::keyClick(d->ComboBox1, Qt::Key_Return);
        QTest::keyClick(d->edit(2), Qt::Key_Return);
        QTest::keyClick(d->edit(3), Qt::Key_Return);
        QVERIFY(!d->isVisible());
    });
    button(staff.get(), u"查询"_s)->click();
    QCOMPARE(column(*staff->grid()), (QStringList{u"李娜"_s, u"王芳"_s}));
    QCOMPARE(recordCount(*staff), u"记录数：2"_s);
}

void TestAddressBookWindows::printsTheRowsShown_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("printedTitles");
    QTest::addColumn<QStringList>("fields");
    const QStringList partnerTitles{u"名称"_s, u"联系人"_s, u"电话"_s, u"地址"_s};
    const QStringList partnerFields{u"mc"_s, u"lxr"_s, u"lxdh"_s, u"lxdz"_s};
    QTest::newRow("suppliers") << 0 << u"厂商资料表"_s << partnerTitles << partnerFields;
    QTest::newRow("customers") << 1 << u"客户资料表"_s << partnerTitles << partnerFields;
    QTest::newRow("employees") << 2 << u"员工资料表"_s
                               << QStringList{u"姓名"_s, u"性别"_s, u"电话"_s, u"住址"_s}
                               << QStringList{u"xm"_s, u"xb"_s, u"dh"_s, u"dz"_s};
}

void TestAddressBookWindows::printsTheRowsShown()
{
    QFETCH(int, which);
    QFETCH(QString, title);
    QFETCH(QStringList, printedTitles);
    QFETCH(QStringList, fields);
    FreshShop shop;
    sql::exec(shop.db(), u"UPDATE danwei SET mcdy = '长城五金'"_s);
    QVERIFY(shop.dm().reloadShop());
    const std::unique_ptr<AddressListWindow> w =
        listOf(which, shop, m_session, {u"乙"_s, u"甲"_s, u"丙"_s});
    w->grid()->titleClick(0);
    int previews = 0;
    w->setPreviewer([&](report::ListForm &form) {
        ++previews;
        QCOMPARE(form.heading(), u"长城五金"_s + title);
        for (int c = 0; c < 4; ++c) {
            QCOMPARE(form.caption(report::columnTitleLabel(c)), printedTitles[c]);
            QCOMPARE(form.find(report::columnField(c))->column, fields[c]);
        }
        QStringList printed;  // in the order the grid shows
        for (int r = 0; r < form.dataset().rowCount(); ++r)
            printed << form.dataset().value(r, fields[0]).toString();
        QCOMPARE(printed, column(*w->grid()));
    });
    button(w.get(), u"打印"_s)->click();
    QCOMPARE(previews, 1);
}

// ---- pickers -------------------------------------------------------------------------

void TestAddressBookWindows::customerPickerForWholesaleWritesRemark()
{
    FreshShop shop;
    addPartner(shop.db(), addressbook::customers(), u"东方"_s, u"555"_s, u"南京路"_s);
    addPartner(shop.db(), addressbook::customers(), u"华联"_s, u"12345"_s, u"北京路8号"_s);
    addPartner(shop.db(), addressbook::suppliers(), u"厂甲"_s);
    const WindowContext ctx{shop.dm(), m_session};

    // Stand-ins for the fields of the wholesale, retail and purchase windows.
    QLineEdit kh, bz, retailKh, retailBz, ghs;
    retailBz.setText(u"不动"_s);
    {
        TFkh2 picker(ctx);
        QCOMPARE(picker.windowTitle(), u"选择客户资料"_s);
        QCOMPARE(titles(*picker.grid()),
                 (QStringList{u"名称"_s, u"联系人"_s, u"电话"_s, u"传真"_s, u"地址"_s,
                              u"邮政编码"_s, u"开户银行"_s, u"银行帐号"_s, u"备注"_s}));
        QCOMPARE(buttonCaptions(&picker), (QStringList{u"选择"_s, u"新增"_s, u"关闭"_s}));
        QVERIFY(!picker.setChoiceTarget(u"tjcg"_s, PickTarget::fields(&kh, &bz)));
        QVERIFY(picker.setChoiceTarget(u"tjpf"_s, PickTarget::fields(&kh, &bz)));
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QTest::keyClick(picker.grid(), Qt::Key_Down);
        QTest::keyClick(picker.grid(), Qt::Key_Return);
        QCOMPARE(picker.result(), int(QDialog::Accepted));
    }
    QCOMPARE(kh.text(), u"华联"_s);
    QCOMPARE(bz.text(), u"北京路8号12345"_s);
    {
        TFkh2 picker(ctx);
        QVERIFY(picker.setChoiceTarget(u"tjxs"_s, PickTarget::fields(&retailKh, &retailBz)));
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        doubleClickRow(picker.grid(), 0);
        QCOMPARE(picker.result(), int(QDialog::Accepted));
    }
    QCOMPARE(retailKh.text(), u"东方"_s);
    QCOMPARE(retailBz.text(), u"不动"_s);
    {
        TFghs2 picker(ctx);
        QCOMPARE(picker.windowTitle(), u"选择厂商资料"_s);
        QVERIFY(picker.setChoiceTarget(u"tjcg"_s, PickTarget::fields(&ghs)));
        picker.chooseClick();
    }
    QCOMPARE(ghs.text(), u"厂甲"_s);
}

void TestAddressBookWindows::pickerSearchesAsYouTypeAndEnterTakesFirst()
{
    FreshShop shop;
    for (const QString &n : {u"东方五金"_s, u"华联"_s, u"东风建材"_s, u"O'Brien"_s})
        addPartner(shop.db(), addressbook::suppliers(), n);
    const WindowContext ctx{shop.dm(), m_session};
    QLineEdit ghs;
    TFghs2 picker(ctx);
    QVERIFY(picker.setChoiceTarget(u"tjcg"_s, PickTarget::fields(&ghs)));
    const auto labels = picker.findChildren<QLabel *>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [&](const QLabel *l) {
        return l->buddy() == picker.Edit1 && l->text() == u"录入厂商名称查询"_s;
    }));
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QCOMPARE(picker.focusWidget(), picker.Edit1);

    typeText(picker.Edit1, u"东"_s);
    QCOMPARE(column(*picker.grid()), (QStringList{u"东方五金"_s, u"东风建材"_s}));
    typeText(picker.Edit1, u"风"_s);
    QCOMPARE(column(*picker.grid()), QStringList{u"东风建材"_s});
    picker.Edit1->clear();
    QTest::keyClicks(picker.Edit1, u"'b"_s);
    QCOMPARE(column(*picker.grid()), QStringList{u"O'Brien"_s});

    // Nothing matches: "选择" refuses.
    ScriptedMessages messages;
    QTest::keyClicks(picker.Edit1, u"x"_s);
    QTest::keyClick(picker.Edit1, Qt::Key_Return);
    QCOMPARE(messages.texts(), QStringList{u"没有厂商可选择！"_s});
    QCOMPARE(messages.shown()[0].caption, u"警告"_s);
    QVERIFY(picker.isVisible());

    // Enter in the search field with the grid untouched takes the first row shown.
    picker.Edit1->clear();
    typeText(picker.Edit1, u"东"_s);
    QTest::keyClick(picker.Edit1, Qt::Key_Return);
    QCOMPARE(ghs.text(), u"东方五金"_s);
    QVERIFY(!picker.isVisible());

    // Esc closes without choosing.
    TFghs2 again(ctx);
    QLineEdit other;
    QVERIFY(again.setChoiceTarget(u"tjcg"_s, PickTarget::fields(&other)));
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QTest::keyClick(again.Edit1, Qt::Key_Escape);
    QCOMPARE(again.result(), int(QDialog::Rejected));
    QVERIFY(other.text().isEmpty());
}

void TestAddressBookWindows::pickerAddShowsTheNewRowAtOnce()
{
    FreshShop shop;
    addPartner(shop.db(), addressbook::customers(), u"东方"_s);
    const WindowContext ctx{shop.dm(), m_session};
    QLineEdit kh, bz;
    TFkh2 picker(ctx);
    QVERIFY(picker.setChoiceTarget(u"tjpf"_s, PickTarget::fields(&kh, &bz)));
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    typeText(picker.Edit1, u"东"_s);

    QStringList seen;
    whenShown<TFtjkh1>([&](TFtjkh1 *d) {
        QCOMPARE(d->windowTitle(), u"新增客户资料"_s);
        d->edit(1)->setText(u"东城"_s);
        d->BitBtn1->click();
        seen << picker.grid()->currentValue(u"mc"_s).toString();
        // Not matching the search text: the picker shows every customer.
        d->edit(1)->setText(u"西城"_s);
        d->edit(3)->setText(u"888"_s);
        d->edit(4)->setText(u"西路"_s);
        d->BitBtn1->click();
        seen << picker.grid()->currentValue(u"mc"_s).toString();
    });
    button(&picker, u"新增"_s)->click();
    QCOMPARE(seen, (QStringList{u"东城"_s, u"西城"_s}));
    QCOMPARE(column(*picker.grid()), (QStringList{u"东方"_s, u"东城"_s, u"西城"_s}));

    // The new row is current: choosing takes it.
    QTest::keyClick(picker.grid(), Qt::Key_Return);
    QCOMPARE(kh.text(), u"西城"_s);
    QCOMPARE(bz.text(), u"西路888"_s);
}

void TestAddressBookWindows::employeePickerServesEveryHandlerField()
{
    FreshShop shop;
    addEmployee(shop.db(), u"张伟"_s, u"男"_s);
    addEmployee(shop.db(), u"李娜"_s, u"女"_s);
    const WindowContext ctx{shop.dm(), m_session};
    const QStringList modes{u"tjcg"_s,   u"tjxs"_s,   u"tjpf"_s,  u"tjrk"_s,
                            u"tjfkfx"_s, u"tjskfx"_s, u"tjszfx"_s};
    const QStringList names{u"张伟"_s, u"李娜"_s};

    // One stand-in handler field `jsr` per opening window; each mode fills its own only.
    std::vector<std::unique_ptr<QLineEdit>> jsr;
    for (int i = 0; i < modes.size(); ++i)
        jsr.push_back(std::make_unique<QLineEdit>(u"空"_s));
    for (int i = 0; i < modes.size(); ++i) {
        TFyg2 picker(ctx);
        QCOMPARE(picker.windowTitle(), u"选择员工资料"_s);
        QCOMPARE(titles(*picker.grid()), (QStringList{u"姓名"_s, u"性别"_s, u"职务"_s, u"部门"_s,
                                                      u"电话"_s, u"住址"_s, u"备注"_s}));
        QVERIFY(picker.setChoiceTarget(modes[i], PickTarget::fields(jsr[size_t(i)].get())));
        picker.grid()->setCurrentRow(i % 2);
        button(&picker, u"选择"_s)->click();
        for (int j = 0; j < modes.size(); ++j)
            QCOMPARE(jsr[size_t(j)]->text(), j <= i ? names[j % 2] : u"空"_s);
    }
    QVERIFY(!TFyg2(ctx).setChoiceTarget(u"tjxx"_s, PickTarget::fields(jsr[0].get())));

    // A window may take the name through a function instead of a field.
    TFyg2 picker(ctx);
    QString taken;
    QVERIFY(picker.setChoiceTarget(u"tjszfx"_s, {[&taken](const QString &n) { taken = n; }, {}}));
    typeText(picker.Edit1, u"李"_s);
    QTest::keyClick(picker.Edit1, Qt::Key_Return);
    QCOMPARE(taken, u"李娜"_s);
}

// ---- dialog ownership ------------------------------------------------------------

void TestAddressBookWindows::windowGoneWhileItsDialogRuns_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("list 新增") << u"add"_s;
    QTest::newRow("list 修改") << u"edit"_s;
    QTest::newRow("list 查询") << u"query"_s;
    QTest::newRow("picker 新增") << u"pickerAdd"_s;
}

// The window that opened a modal dialog is destroyed while the dialog runs
// (the program's end, a closing parent): the dialog goes with it, once.
void TestAddressBookWindows::windowGoneWhileItsDialogRuns()
{
    QFETCH(QString, action);
    FreshShop shop;
    ScriptedMessages messages;
    const WindowContext ctx{shop.dm(), m_session};
    QWidget *opener = nullptr;
    std::function<void()> run;
    if (action == u"pickerAdd"_s) {
        auto *picker = new TFghs2(ctx);
        opener = picker;
        run = [picker] { picker->addClick(); };
    } else {
        AddressListWindow *list = listOf(0, shop, m_session).release();
        opener = list;
        if (action == u"add"_s)
            run = [list] { list->addClick(); };
        else if (action == u"edit"_s)
            run = [list] { list->editClick(); };
        else
            run = [list] { list->queryClick(); };
    }
    opener->show();
    QVERIFY(QTest::qWaitForWindowExposed(opener));
    QPointer<QWidget> alive(opener);
    QPointer<QWidget> dialog;
    bool dialogWasUp = false;
    QTimer::singleShot(0, [&] {
        dialog = QApplication::activeModalWidget();
        dialogWasUp = dialog && dialog->parentWidget() == opener;
        delete opener;
    });
    run();
    QVERIFY(dialogWasUp);
    QVERIFY(!dialog);
    QVERIFY(!alive);
    QVERIFY(messages.shown().empty());
}

QTEST_MAIN(TestAddressBookWindows)
#include "tst_addressbookwindows.moc"
