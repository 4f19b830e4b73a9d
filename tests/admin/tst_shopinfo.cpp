// Shop information: the checks and the save of the widget-free layer, then
// the dialog through its keys and buttons.
#include "TestSupport.h"

#include "core/admin/ShopInfo.h"
#include "windows/admin/Udanwei1.h"
#include "app/Umain1.h"
#include "core/db/Sql.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

ShopRecord record(const QString &name, const QString &heading)
{
    return ShopRecord{name,       heading,        u"王'老板"_s, u"0571-1"_s, u"0571-2"_s,
                      u"五金路8号"_s, u" 备注一 "_s, u""_s,          u"上行脚注"_s, u"下行脚注"_s};
}

ShopRecord stored(QSqlDatabase db)
{
    sql::Query q = sql::exec(db, u"SELECT mczc, mcdy, lxr, dh, cz, dz, bz1, bz2, bz3, bz4 FROM danwei"_s);
    q.next();
    ShopRecord r;
    QString *fields[] = {&r.mczc, &r.mcdy, &r.lxr, &r.dh, &r.cz, &r.dz, &r.bz1, &r.bz2, &r.bz3, &r.bz4};
    for (int i = 0; i < 10; ++i)
        *fields[i] = q.value(i).toString();
    return r;
}

bool same(const ShopRecord &a, const ShopRecord &b)
{
    return a.mczc == b.mczc && a.mcdy == b.mcdy && a.lxr == b.lxr && a.dh == b.dh && a.cz == b.cz &&
           a.dz == b.dz && a.bz1 == b.bz1 && a.bz2 == b.bz2 && a.bz3 == b.bz3 && a.bz4 == b.bz4;
}

void press(QWidget *w, Qt::Key key)
{
    QTest::keyClick(w, key);
}

}  // namespace

class TestShopInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checks_data();
    void checks();
    void saveStoresAsTyped();
    void refusedValuesWriteNothing();
    void missingRowIsAnErrorNotAnInsert();

    void opensFilledWithFocusOnName();
    void refusals_data();
    void refusals();
    void saveWritesClosesAndRenamesMainWindow();
    void enterWalksTheFieldsAndSavesFromTheLast();
    void closingWithoutSaving_data();
    void closingWithoutSaving();
    void accessibleNames();
};

void TestShopInfo::checks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<int>("problem");

    using shopinfo::Problem;
    QTest::newRow("both given") << u"兴隆五金"_s << u"兴隆五金商行"_s << int(Problem::None);
    QTest::newRow("spaces around are fine") << u"  兴隆 "_s << u" 抬头"_s << int(Problem::None);
    QTest::newRow("name empty") << u""_s << u"抬头"_s << int(Problem::EmptyShopName);
    QTest::newRow("name blank") << u"   "_s << u"抬头"_s << int(Problem::EmptyShopName);
    QTest::newRow("name of ideographic spaces") << u"　　"_s << u"抬头"_s << int(Problem::EmptyShopName);
    QTest::newRow("heading blank") << u"兴隆"_s << u"  "_s << int(Problem::EmptyPrintHeading);
    QTest::newRow("both empty: name first") << u""_s << u""_s << int(Problem::EmptyShopName);
}

void TestShopInfo::checks()
{
    QFETCH(QString, name);
    QFETCH(QString, heading);
    QFETCH(int, problem);
    QCOMPARE(int(shopinfo::check(record(name, heading))), problem);
}

void TestShopInfo::saveStoresAsTyped()
{
    FreshShop shop;
    const ShopRecord values = record(u"  兴隆'五金 "_s, u"兴隆五金商行 "_s);
    QCOMPARE(shopinfo::save(shop.db(), values), shopinfo::Problem::None);
    QVERIFY(same(stored(shop.db()), values));
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM danwei"_s).toInt(), 1);
    QVERIFY(shop.dm().reloadShop());
    QVERIFY(same(shop.dm().ATdanwei1(), values));
}

void TestShopInfo::refusedValuesWriteNothing()
{
    FreshShop shop;
    const ShopRecord before = stored(shop.db());
    QCOMPARE(shopinfo::save(shop.db(), record(u" "_s, u"x"_s)), shopinfo::Problem::EmptyShopName);
    QCOMPARE(shopinfo::save(shop.db(), record(u"x"_s, u""_s)), shopinfo::Problem::EmptyPrintHeading);
    QVERIFY(same(stored(shop.db()), before));
    QCOMPARE(shopinfo::message(shopinfo::Problem::EmptyShopName), u"店铺名称不可为空！"_s);
    QCOMPARE(shopinfo::message(shopinfo::Problem::EmptyPrintHeading), u"打印抬头不可为空！"_s);
}

void TestShopInfo::missingRowIsAnErrorNotAnInsert()
{
    FreshShop shop;
    sql::exec(shop.db(), u"DELETE FROM danwei"_s);
    QVERIFY_THROWS_EXCEPTION(DbError, shopinfo::save(shop.db(), record(u"a"_s, u"b"_s)));
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM danwei"_s).toInt(), 0);
}

// ---- The dialog ------------------------------------------------------------

void TestShopInfo::opensFilledWithFocusOnName()
{
    FreshShop shop;
    const ShopRecord values = record(u"兴隆五金"_s, u"兴隆五金商行"_s);
    shopinfo::save(shop.db(), values);
    TFdanwei1 dialog(shop.dm());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), u"填写店铺信息"_s);
    QVERIFY(dialog.isModal());
    const QList<QLineEdit *> edits{dialog.Edit1, dialog.Edit2, dialog.Edit3, dialog.Edit4,
                                   dialog.Edit5, dialog.Edit6, dialog.Edit7, dialog.Edit8,
                                   dialog.Edit9, dialog.Edit10};
    const QStringList expected{values.mczc, values.mcdy, values.lxr, values.dh, values.cz,
                               values.dz,   values.bz1,  values.bz2, values.bz3, values.bz4};
    for (int i = 0; i < edits.size(); ++i)
        QCOMPARE(edits[i]->text(), expected[i]);
    QCOMPARE(QApplication::focusWidget(), dialog.Edit1);
    QCOMPARE(dialog.BitBtn1->text(), u"保存"_s);
    QCOMPARE(dialog.BitBtn2->text(), u"关闭"_s);
    // VELBORA_KEEP_PNG=file.png keeps a picture of the dialog.
    if (const QString png = qEnvironmentVariable("VELBORA_KEEP_PNG"); !png.isEmpty())
        dialog.grab().save(png);
}

void TestShopInfo::refusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::newRow("name empty") << u""_s << u"抬头"_s << u"店铺名称不可为空！"_s << u"Edit1"_s;
    QTest::newRow("name blank, heading blank") << u"  "_s << u"  "_s << u"店铺名称不可为空！"_s
                                               << u"Edit1"_s;
    QTest::newRow("heading of spaces") << u"兴隆"_s << u"   "_s << u"打印抬头不可为空！"_s
                                       << u"Edit2"_s;
}

void TestShopInfo::refusals()
{
    QFETCH(QString, name);
    QFETCH(QString, heading);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    FreshShop shop;
    const ShopRecord before = stored(shop.db());
    ScriptedMessages messages;
    TFdanwei1 dialog(shop.dm());
    QSignalSpy closed(&dialog, &TFdanwei1::closed);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.Edit1->setText(name);
    dialog.Edit2->setText(heading);
    dialog.Edit3->setText(u"改了"_s);
    dialog.Edit3->setFocus();
    QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);

    QCOMPARE(messages.texts(), QStringList{message});
    QCOMPARE(messages.shown().front().caption, u"提示"_s);
    QCOMPARE(messages.shown().front().icon, msg::Icon::Information);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QVERIFY(dialog.isVisible());
    QCOMPARE(closed.count(), 0);
    QVERIFY(same(stored(shop.db()), before));
}

void TestShopInfo::saveWritesClosesAndRenamesMainWindow()
{
    FreshShop shop;
    ScriptedMessages messages;
    TFmain1 main(shop.dm());
    TFdanwei1 dialog(shop.dm(), &main);
    connect(&dialog, &TFdanwei1::closed, &main, &TFmain1::refreshCaption);
    QSignalSpy closed(&dialog, &TFdanwei1::closed);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.Edit1->setText(u" 新'店名 "_s);
    dialog.Edit2->setText(u"新抬头"_s);
    dialog.Edit9->clear();
    dialog.Edit10->clear();
    QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);

    QVERIFY(messages.texts().isEmpty());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(closed.count(), 1);
    const ShopRecord now = stored(shop.db());
    QCOMPARE(now.mczc, u" 新'店名 "_s);
    QCOMPARE(now.mcdy, u"新抬头"_s);
    QCOMPARE(now.bz3, QString());
    QCOMPARE(now.bz4, QString());
    // The data module and the main window's title follow at once, spaces kept.
    QCOMPARE(shop.dm().ATdanwei1().mczc, u" 新'店名 "_s);
    QCOMPARE(main.windowTitle(), u"Velbora软件五金行业版V2014 ［使用单位： 新'店名 ］"_s);
}

void TestShopInfo::enterWalksTheFieldsAndSavesFromTheLast()
{
    FreshShop shop;
    ScriptedMessages messages;
    TFdanwei1 dialog(shop.dm());
    QSignalSpy closed(&dialog, &TFdanwei1::closed);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const QList<QLineEdit *> edits{dialog.Edit1, dialog.Edit2, dialog.Edit3, dialog.Edit4,
                                   dialog.Edit5, dialog.Edit6, dialog.Edit7, dialog.Edit8,
                                   dialog.Edit9, dialog.Edit10};
    for (int i = 0; i < edits.size() - 1; ++i) {
        QCOMPARE(QApplication::focusWidget(), edits[i]);
        QTest::keyClicks(edits[i], u"%1"_s.arg(i));
        press(edits[i], Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget(), dialog.Edit10);
    QVERIFY(dialog.isVisible());
    dialog.Edit10->insert(u"末"_s);  // typed through the input method
    press(dialog.Edit10, Qt::Key_Enter);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(closed.count(), 1);
    // Entering a field selects its text, so what is typed replaces it.
    const ShopRecord now = stored(shop.db());
    QCOMPARE(now.mczc, u"0"_s);
    QCOMPARE(now.mcdy, u"1"_s);
    QCOMPARE(now.cz, u"4"_s);
    QCOMPARE(now.bz3, u"8"_s);
    QCOMPARE(now.bz4, u"末"_s);
}

void TestShopInfo::closingWithoutSaving_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("关闭") << 0;
    QTest::newRow("Esc") << 1;
    QTest::newRow("close box") << 2;
}

void TestShopInfo::closingWithoutSaving()
{
    QFETCH(int, how);
    FreshShop shop;
    const ShopRecord before = stored(shop.db());
    TFmain1 main(shop.dm());
    // The title is rebuilt on every close, also from a name changed elsewhere.
    sql::exec(shop.db(), u"UPDATE danwei SET mczc = '别处改的名'"_s);
    TFdanwei1 dialog(shop.dm(), &main);
    connect(&dialog, &TFdanwei1::closed, &main, &TFmain1::refreshCaption);
    QSignalSpy closed(&dialog, &TFdanwei1::closed);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.Edit1->setText(u"不保存"_s);
    if (how == 0)
        QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
    else if (how == 1)
        press(dialog.Edit1, Qt::Key_Escape);
    else
        dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(closed.count(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(stored(shop.db()).mcdy, before.mcdy);
    QCOMPARE(stored(shop.db()).mczc, u"别处改的名"_s);
    QCOMPARE(main.windowTitle(), TFmain1::captionFor(u"别处改的名"_s));
}

void TestShopInfo::accessibleNames()
{
    FreshShop shop;
    TFdanwei1 dialog(shop.dm());
    const QList<QPair<QLineEdit *, QString>> expected{
        {dialog.Edit1, u"店铺名称"_s}, {dialog.Edit2, u"打印抬头"_s}, {dialog.Edit3, u"负责人"_s},
        {dialog.Edit4, u"电话"_s},     {dialog.Edit5, u"传真"_s},     {dialog.Edit6, u"地址"_s},
        {dialog.Edit7, u"备注1"_s},    {dialog.Edit8, u"备注2"_s}};
    for (const auto &[edit, caption] : expected) {
        // The caption labels are the fields' buddies.
        bool found = false;
        for (QLabel *l : dialog.findChildren<QLabel *>())
            found = found || (l->buddy() == edit && l->text() == caption);
        QVERIFY2(found, qPrintable(caption));
    }
    QVERIFY(dialog.Edit9->accessibleName().startsWith(u"销售单据脚注（上下两行）"_s));
    QVERIFY(dialog.Edit10->accessibleName().startsWith(u"销售单据脚注（上下两行）"_s));
    QVERIFY(dialog.Edit9->accessibleName() != dialog.Edit10->accessibleName());
}

QTEST_MAIN(TestShopInfo)
#include "tst_shopinfo.moc"
