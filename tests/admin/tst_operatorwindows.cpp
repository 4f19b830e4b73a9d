// The operator list, the operator dialog in its three modes and the grant
// dialog, through their fields and buttons.
#include "TestSupport.h"

#include "ModalDialogs.h"
#include "core/admin/Operators.h"
#include "core/admin/Permissions.h"
#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "ui/ListGrid.h"
#include "windows/admin/Uquanxian1.h"
#include "windows/admin/Utjyh1.h"
#include "windows/admin/Uyhsz1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

void addOperator(const QSqlDatabase &db, const QString &name, const QString &password,
                 const QStringList &grants)
{
    sql::exec(db, u"INSERT INTO yhsz (yhmc, yhmm) VALUES (?, ?)"_s, {name, password});
    for (const QString &g : grants)
        sql::exec(db, u"INSERT INTO quanxian (yh, qx) VALUES (?, ?)"_s, {name, g});
}

QString passwordOf(const QSqlDatabase &db, const QString &name)
{
    const QVariant v = sql::scalar(db, u"SELECT yhmm FROM yhsz WHERE yhmc = ?"_s, {name});
    return v.isValid() ? v.toString() : u"<none>"_s;
}

QStringList gridNames(ListGrid *grid)
{
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r) {
        grid->setCurrentRow(r);
        out << grid->currentValue(u"yhmc"_s).toString();
    }
    return out;
}

QPushButton *buttonOf(QWidget *w, const QString &caption)
{
    for (QPushButton *b : w->findChildren<QPushButton *>()) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

bool showActive(QWidget *w)
{
    w->show();
    if (!QTest::qWaitForWindowExposed(w))
        return false;
    QApplication::setActiveWindow(w);
    return QTest::qWaitForWindowActive(w);
}

QStringList checkedBoxes(const TFquanxian1 &d)
{
    QStringList out;
    for (QCheckBox *box : d.CheckBoxes) {
        if (box->isChecked())
            out << box->text();
    }
    return out;
}

void choose(TFquanxian1 &d, const QString &name)
{
    const int i = d.ComboBox1->findText(name);
    QVERIFY2(i >= 0, qPrintable(name));
    d.ComboBox1->setCurrentIndex(i);
    Q_EMIT d.ComboBox1->activated(i);
}

}  // namespace

class TestOperatorWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dialogModes_data();
    void dialogModes();
    void addingStaysOpenForTheNext();
    void editingChecksTheOldPasswordThenCloses();
    void listShowsPasswordsAndFollowsChanges();
    void deletingAsksAndRefusesTheAdministrator();
    void grantDialog();
};

void TestOperatorWindows::dialogModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("nameReadOnly");
    QTest::addColumn<QString>("focus");
    using Mode = TFtjyh1::Mode;
    QTest::newRow("add") << int(Mode::AddOperator) << u"新增操作员"_s << u"用户密码"_s
                         << u"密码确认"_s << false << u"Edit1"_s;
    QTest::newRow("edit") << int(Mode::EditOperator) << u"修改操作员"_s << u"原设密码"_s
                          << u"新设密码"_s << true << u"Edit2"_s;
    QTest::newRow("own password") << int(Mode::OwnPassword) << u"更改我的密码"_s << u"原设密码"_s
                                  << u"新设密码"_s << true << u"Edit2"_s;
}

void TestOperatorWindows::dialogModes()
{
    QFETCH(int, mode);
    QFETCH(QString, caption);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, nameReadOnly);
    QFETCH(QString, focus);

    FreshShop shop;
    TFtjyh1 d(shop.dm());
    // Made for one mode first: starting another leaves nothing of it.
    d.startEdit(u"小李"_s);
    d.Edit2->setText(u"x"_s);
    switch (TFtjyh1::Mode(mode)) {
    case TFtjyh1::Mode::AddOperator:
        d.startAdd();
        break;
    case TFtjyh1::Mode::EditOperator:
        d.startEdit(u"小李"_s);
        break;
    case TFtjyh1::Mode::OwnPassword:
        d.startOwnPassword(u"小李"_s);
        break;
    }
    QCOMPARE(d.windowTitle(), caption);
    QCOMPARE(d.ST1->text(), caption);
    QVERIFY(d.ST1->isHidden());
    QCOMPARE(d.Label2->text(), first);
    QCOMPARE(d.Label3->text(), second);
    QCOMPARE(d.Edit1->isReadOnly(), nameReadOnly);
    QCOMPARE(d.Edit1->text(), nameReadOnly ? u"小李"_s : QString());
    QVERIFY(d.Edit2->text().isEmpty() && d.Edit3->text().isEmpty());
    QCOMPARE(d.Edit2->echoMode(), QLineEdit::Password);
    QCOMPARE(d.Edit3->echoMode(), QLineEdit::Password);
    QVERIFY(showActive(&d));
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
}

void TestOperatorWindows::addingStaysOpenForTheNext()
{
    FreshShop shop;
    ScriptedMessages messages;
    TFtjyh1 d(shop.dm());
    d.startAdd();
    QSignalSpy saved(&d, &TFtjyh1::saved);
    QVERIFY(showActive(&d));

    // Along the fields with Enter; Enter in the second password saves.
    d.Edit1->setText(u" 小李 "_s);  // (keys type Latin letters only)
    QTest::keyClick(d.Edit1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), d.Edit2);
    QTest::keyClicks(d.Edit2, u"12 "_s);
    QTest::keyClick(d.Edit2, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), d.Edit3);
    QTest::keyClicks(d.Edit3, u" 12"_s);
    QTest::keyClick(d.Edit3, Qt::Key_Return);
    QVERIFY2(messages.shown().empty(), qPrintable(messages.last()));
    QCOMPARE(passwordOf(shop.db(), u"小李"_s), u"12"_s);
    QCOMPARE(saved.count(), 1);
    QVERIFY(d.isVisible());
    QVERIFY(d.Edit1->text().isEmpty() && d.Edit2->text().isEmpty() && d.Edit3->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), d.Edit1);

    // The next one: refused as a duplicate, the fields kept, focus on the name.
    d.Edit1->setText(u"小李"_s);
    d.Edit2->setText(u"1"_s);
    d.Edit3->setText(u"1"_s);
    d.BitBtn1->click();
    QCOMPARE(messages.last(), u"用户名称不可重复！"_s);
    QCOMPARE(messages.shown().back().caption, u"警告"_s);
    QCOMPARE(d.Edit1->text(), u"小李"_s);
    QCOMPARE(QApplication::focusWidget(), d.Edit1);
    // Passwords that differ: focus on the second.
    d.Edit1->setText(u"小王"_s);
    d.Edit3->setText(u"2"_s);
    d.BitBtn1->click();
    QCOMPARE(messages.last(), u"密码前后不一致！"_s);
    QCOMPARE(messages.shown().back().caption, u"提示"_s);
    QCOMPARE(QApplication::focusWidget(), d.Edit3);
    QCOMPARE(passwordOf(shop.db(), u"小王"_s), u"<none>"_s);
    QCOMPARE(saved.count(), 1);

    // Esc closes.
    QTest::keyClick(d.Edit3, Qt::Key_Escape);
    QVERIFY(!d.isVisible());
}

void TestOperatorWindows::editingChecksTheOldPasswordThenCloses()
{
    FreshShop shop;
    ScriptedMessages messages;
    addOperator(shop.db(), u"小李"_s, u"abc"_s, {});
    TFtjyh1 d(shop.dm());
    d.startEdit(u"小李"_s);
    QVERIFY(showActive(&d));
    QTest::keyClicks(d.Edit2, u"ABC"_s);
    QTest::keyClick(d.Edit2, Qt::Key_Return);
    QTest::keyClicks(d.Edit3, u" new "_s);
    QTest::keyClick(d.Edit3, Qt::Key_Return);
    QCOMPARE(messages.texts(), QStringList{u"原密码录入错误！"_s});
    QCOMPARE(passwordOf(shop.db(), u"小李"_s), u"abc"_s);
    QVERIFY(d.isVisible());

    messages.clear();
    d.Edit2->setText(u"abc"_s);
    d.BitBtn1->click();
    QCOMPARE(messages.texts(), QStringList{u"修改成功！"_s});
    QCOMPARE(passwordOf(shop.db(), u"小李"_s), u" new "_s);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));

    // The own password says so in its own words.
    TFtjyh1 own(shop.dm());
    own.startOwnPassword(u"小李"_s);
    own.Edit2->setText(u" new "_s);
    own.BitBtn1->click();
    QCOMPARE(messages.last(), u"密码更改成功！"_s);
    QCOMPARE(passwordOf(shop.db(), u"小李"_s), QString());
}

void TestOperatorWindows::listShowsPasswordsAndFollowsChanges()
{
    FreshShop shop;
    ScriptedMessages messages;
    addOperator(shop.db(), u"小李"_s, u"abc"_s, {});
    TFyhsz1 w(shop.dm());
    QCOMPARE(w.windowTitle(), u"操作员设置"_s);
    w.show();
    ListGrid *g = w.grid();
    QCOMPARE(g->model()->headerData(0, Qt::Horizontal).toString(), u"用户名称"_s);
    QCOMPARE(g->model()->headerData(1, Qt::Horizontal).toString(), u"用户密码"_s);
    QCOMPARE(g->columnWidth(0), 150);
    QCOMPARE(g->columnWidth(1), 108);
    QCOMPARE(gridNames(g), (QStringList{schema::administratorName(), u"小李"_s}));
    QCOMPARE(g->model()->index(1, 1).data().toString(), u"abc"_s);

    // "新增" opens the dialog in its add mode; what it adds shows at once.
    ModalAnswer<TFtjyh1> add([](TFtjyh1 &d) {
        QCOMPARE(d.mode(), TFtjyh1::Mode::AddOperator);
        d.Edit1->setText(u"小王"_s);
        d.Edit2->setText(u"9"_s);
        d.Edit3->setText(u"9"_s);
        d.BitBtn1->click();
    });
    buttonOf(&w, u"新增"_s)->click();
    QVERIFY(add.seen());
    QTRY_COMPARE(gridNames(g), (QStringList{schema::administratorName(), u"小李"_s, u"小王"_s}));

    // "修改" (and a double click) edits the current operator, by name.
    g->setCurrentRow(1);
    QString editing;
    ModalAnswer<TFtjyh1> edit([&editing](TFtjyh1 &d) {
        editing = d.Edit1->text();
        QVERIFY(d.Edit1->isReadOnly());
        d.Edit2->setText(u"abc"_s);
        d.Edit3->setText(u"xyz"_s);
        d.BitBtn1->click();
    });
    Q_EMIT g->rowChosen();
    QVERIFY(edit.seen());
    QCOMPARE(editing, u"小李"_s);
    QCOMPARE(passwordOf(shop.db(), u"小李"_s), u"xyz"_s);
    QTRY_COMPARE(g->model()->index(1, 1).data().toString(), u"xyz"_s);
    QCOMPARE(messages.texts(), QStringList{u"修改成功！"_s});

    // "权限" opens the grant dialog.
    ModalAnswer<TFquanxian1> grants([](TFquanxian1 &d) { d.reject(); });
    buttonOf(&w, u"权限"_s)->click();
    QVERIFY(grants.seen());
    QCOMPARE(grants.title(), u"权限设置"_s);
}

void TestOperatorWindows::deletingAsksAndRefusesTheAdministrator()
{
    FreshShop shop;
    ScriptedMessages messages;
    addOperator(shop.db(), u"小李"_s, u"abc"_s, {u"零售开单"_s, u"销售查询"_s});
    TFyhsz1 w(shop.dm());
    w.show();
    ListGrid *g = w.grid();
    QPushButton *remove = buttonOf(&w, u"删除"_s);

    g->setCurrentRow(0);
    remove->click();
    QCOMPARE(messages.texts(), QStringList{u"不可删除系统管理员！"_s});
    QCOMPARE(messages.shown().back().caption, u"警告"_s);

    messages.clear();
    g->setCurrentRow(1);
    messages.answer(msg::Answer::Cancel);
    remove->click();
    QCOMPARE(messages.texts(), QStringList{u"确实要删除此操作员吗？"_s});
    QCOMPARE(messages.shown().back().buttons, msg::Buttons::OkCancel);
    QCOMPARE(passwordOf(shop.db(), u"小李"_s), u"abc"_s);

    messages.answer(msg::Answer::Ok);
    remove->click();
    QCOMPARE(passwordOf(shop.db(), u"小李"_s), u"<none>"_s);
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM quanxian WHERE yh = ?"_s, {u"小李"_s})
                 .toInt(),
             0);
    QTRY_COMPARE(gridNames(g), QStringList{schema::administratorName()});
}

void TestOperatorWindows::grantDialog()
{
    FreshShop shop;
    ScriptedMessages messages;
    addOperator(shop.db(), u"小李"_s, u"1"_s, {u"零售开单"_s, u"显示库存价格"_s});
    TFquanxian1 d(shop.dm());
    d.show();
    QCOMPARE(d.windowTitle(), u"权限设置"_s);
    QCOMPARE(d.CheckBoxes.size(), size_t(12));
    for (size_t i = 0; i < d.CheckBoxes.size(); ++i) {
        QCOMPARE(d.CheckBoxes[i]->text(), permissions::all()[qsizetype(i)]);
        QCOMPARE(d.CheckBoxes[i]->objectName(), u"CheckBox%1"_s.arg(i + 1));
    }
    QVERIFY(!d.ComboBox1->isEditable());
    QCOMPARE(d.ComboBox1->currentIndex(), -1);
    QVERIFY(checkedBoxes(d).isEmpty());

    // Nobody chosen.
    d.BitBtn2->click();  // 全选
    d.BitBtn1->click();
    QCOMPARE(messages.texts(), QStringList{u"操作员不可为空！"_s});
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM quanxian WHERE yh = ?"_s, {u"小李"_s})
                 .toInt(),
             2);

    // The administrator's grants are shown, not changed.
    messages.clear();
    choose(d, schema::administratorName());
    QCOMPARE(checkedBoxes(d), permissions::all());
    d.BitBtn3->click();  // 全否
    QVERIFY(checkedBoxes(d).isEmpty());
    d.BitBtn1->click();
    QCOMPARE(messages.texts(), QStringList{u"不可更改系统管理员权限！"_s});
    QCOMPARE(messages.shown().back().caption, u"警告"_s);
    QCOMPARE(operators::grantsOf(shop.db(), schema::administratorName()).size(), 12);

    // Another operator: his boxes, then a new set.
    messages.clear();
    choose(d, u"小李"_s);
    QCOMPARE(checkedBoxes(d), (QStringList{u"零售开单"_s, u"显示库存价格"_s}));
    d.CheckBoxes[0]->setChecked(true);
    d.CheckBoxes[4]->setChecked(false);
    d.BitBtn1->click();
    QCOMPARE(messages.texts(), QStringList{u"权限设置成功！"_s});
    QVERIFY(d.isVisible());
    QCOMPARE(operators::grantsOf(shop.db(), u"小李"_s),
             (QSet<QString>{u"系统设置"_s, u"显示库存价格"_s}));

    // No box at all: no rows, and still a success.
    messages.clear();
    d.BitBtn3->click();
    d.BitBtn1->click();
    QCOMPARE(messages.texts(), QStringList{u"权限设置成功！"_s});
    QVERIFY(operators::grantsOf(shop.db(), u"小李"_s).isEmpty());
    choose(d, u"小李"_s);
    QVERIFY(checkedBoxes(d).isEmpty());
}

QTEST_MAIN(TestOperatorWindows)
#include "tst_operatorwindows.moc"
