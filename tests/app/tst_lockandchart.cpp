// The lock, the own password and the navigation chart, reached through the
// main window's menu as the operator reaches them.
#include "TestSupport.h"

#include "DocumentWindowFixtures.h"
#include "ModalDialogs.h"
#include "app/Startup.h"
#include "app/Umain1.h"
#include "core/admin/Operators.h"
#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "ui/ChildWindows.h"
#include "windows/admin/Utjyh1.h"
#include "windows/admin/Uyhsz1.h"
#include "windows/app/Udaohang1.h"
#include "windows/app/Ulikai1.h"

#include <QAction>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

void addOperator(const QSqlDatabase &db, const QString &name, const QString &password,
                 const QStringList &grants)
{
    sql::exec(db, u"INSERT INTO yhsz (yhmc, yhmm) VALUES (?, ?)"_s, {name, password});
    for (const QString &g : grants)
        sql::exec(db, u"INSERT INTO quanxian (yh, qx) VALUES (?, ?)"_s, {name, g});
}

int unsavedLines(const QSqlDatabase &db, const QString &dh)
{
    return sql::scalar(db, u"SELECT count(*) FROM xsglc WHERE dh = ? AND bj = 'dz'"_s, {dh})
        .toInt();
}

// Types the password into the lock and presses Enter.
void typeIntoLock(TFlikai1 *lock, const QString &password)
{
    lock->Edit2->clear();
    QTest::keyClicks(lock->Edit2, password);
    QTest::keyClick(lock->Edit2, Qt::Key_Return);
}

void hover(QWidget *w, bool in)
{
    if (in) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(w, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(w, &leave);
    }
}

QColor textColour(QWidget *w)
{
    return w->palette().color(QPalette::WindowText);
}

// VELBORA_KEEP_PNG=dir keeps a picture of the widget there.
void keepPicture(QWidget *w, const QString &name)
{
    if (const QString dir = qEnvironmentVariable("VELBORA_KEEP_PNG"); !dir.isEmpty())
        w->grab().save(dir + QLatin1Char('/') + name + u".png"_s);
}

}  // namespace

class TestLockAndChart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lockKeepsEverythingUntilTheRightPassword();
    void lockIsModalOverEverythingAndKeepsItsKeys();
    void cancellingTheLockEndsWithoutQuestionsButCleansUp();
    void emptyNewPasswordThenUnlockWithAnEmptyField();
    void operatorListFromTheMenu();
    void chartAreasPressTheirItems_data();
    void chartAreasPressTheirItems();
    void chartHoverColoursOnlyTheLabels();
    void chartFollowsPermissionsAndItsCheckMark();
    // Last: it runs the program's own message loop.
    void cancelledLockEndsTheRunningProgram();
};

void TestLockAndChart::lockKeepsEverythingUntilTheRightPassword()
{
    FreshShop shop;
    ScriptedMessages messages;
    addOperator(shop.db(), u"小李"_s, u"Pw"_s, {u"零售开单"_s});
    TFmain1 main(shop.dm());
    main.startSession(u"小李"_s);
    main.show();
    main.menuItem(u"零售"_s)->trigger();
    auto *retail = qobject_cast<DocumentWindow *>(main.children().find(u"TFtjxsd1"_s));
    QVERIFY(retail);
    windowfixture::addGoods(shop.db(), u"A1"_s, u"扳手"_s, u"1 2 3"_s, u"10 1 10"_s);
    windowfixture::addLine(*retail, u"A1"_s, u"2"_s);
    const QString dh = retail->number();
    QCOMPARE(unsavedLines(shop.db(), dh), 1);

    bool checked = false;
    whenShown<TFlikai1>([&](TFlikai1 *lock) {
        QCOMPARE(lock->windowTitle(), u"本系统已被锁定，请输入用户密码，解除锁定"_s);
        QCOMPARE(lock->Edit1->text(), u"小李"_s);
        QVERIFY(lock->Edit1->isReadOnly());
        QVERIFY(lock->Edit2->text().isEmpty());
        QCOMPARE(lock->Edit2->echoMode(), QLineEdit::Password);
        QCOMPARE(QApplication::focusWidget(), lock->Edit2);
        QCOMPARE(lock->BitBtn1->text(), u"解锁"_s);
        QCOMPARE(lock->BitBtn2->text(), u"取消"_s);
        keepPicture(lock, u"TFlikai1"_s);
        // Letter case and spaces count.
        typeIntoLock(lock, u"pw"_s);
        QVERIFY(lock->isVisible());
        typeIntoLock(lock, u"Pw "_s);
        QVERIFY(lock->isVisible());
        QCOMPARE(messages.texts(),
                 (QStringList{u"密码错误，不可解锁！"_s, u"密码错误，不可解锁！"_s}));
        QCOMPARE(messages.shown().front().caption, u"提示"_s);
        typeIntoLock(lock, u"Pw"_s);
        QVERIFY(!lock->isVisible());
        checked = true;
    });
    main.menuItem(u"暂时离开系统"_s)->trigger();
    QVERIFY(checked);
    QCOMPARE(messages.shown().size(), size_t(2));
    // Work goes on where it was.
    QVERIFY(main.isVisible());
    QCOMPARE(main.children().find(u"TFtjxsd1"_s), retail);
    QCOMPARE(retail->number(), dh);
    QCOMPARE(unsavedLines(shop.db(), dh), 1);
    QVERIFY(main.findChildren<TFlikai1 *>().isEmpty());
}

void TestLockAndChart::lockIsModalOverEverythingAndKeepsItsKeys()
{
    FreshShop shop;
    ScriptedMessages messages;
    TDM1 &dm = shop.dm();
    TFlikai1 lock(dm, schema::administratorName());
    QCOMPARE(lock.windowModality(), Qt::ApplicationModal);
    QVERIFY(!(lock.windowFlags() & Qt::WindowCloseButtonHint));
    lock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&lock));
    QApplication::setActiveWindow(&lock);
    // Neither Esc nor the window manager's close gives the lock up.
    QTest::keyClick(lock.Edit2, Qt::Key_Escape);
    QVERIFY(lock.isVisible());
    QVERIFY(!lock.close());
    QVERIFY(lock.isVisible());
    QVERIFY(messages.shown().empty());
    // An operator who was deleted meanwhile is told so; the lock stays.
    TFlikai1 gone(dm, u"没有这人"_s);
    gone.show();
    gone.BitBtn1->click();
    QCOMPARE(messages.texts(), QStringList{u"该用户不存在！"_s});
    QVERIFY(gone.isVisible());
    gone.BitBtn2->click();
    QVERIFY(!gone.isVisible());
    QCOMPARE(gone.result(), int(QDialog::Rejected));
}

void TestLockAndChart::cancellingTheLockEndsWithoutQuestionsButCleansUp()
{
    FreshShop shop;
    ScriptedMessages messages;
    windowfixture::addGoods(shop.db(), u"A1"_s, u"扳手"_s, u"1 2 3"_s, u"10 1 10"_s);
    QString dh;
    {
        TFmain1 main(shop.dm());
        int backups = 0;
        main.backupOnExit = [&] { ++backups; };
        main.startSession(schema::administratorName());
        main.show();
        main.showNavigationChart();
        main.menuItem(u"零售"_s)->trigger();
        auto *retail = qobject_cast<DocumentWindow *>(main.children().find(u"TFtjxsd1"_s));
        QVERIFY(retail);
        windowfixture::addLine(*retail, u"A1"_s, u"2"_s);
        windowfixture::addLine(*retail, u"A1"_s, u"1"_s);
        dh = retail->number();
        QCOMPARE(unsavedLines(shop.db(), dh), 2);
        QPointer<QWidget> alive = retail;

        whenShown<TFlikai1>([](TFlikai1 *lock) {
            QTest::keyClicks(lock->Edit2, u"nope"_s);
            lock->BitBtn2->click();
        });
        main.menuItem(u"暂时离开系统"_s)->trigger();
        // No exit questions, no backup offer; the main window is gone.
        QVERIFY2(messages.shown().empty(), qPrintable(messages.texts().join(u'|')));
        QCOMPARE(backups, 0);
        QVERIFY(!main.isVisible());
        // The retail window closed as it closes itself.
        QCOMPARE(unsavedLines(shop.db(), dh), 0);
        QTRY_VERIFY(alive.isNull());
        QCOMPARE(main.mdiArea()->subWindowList().size(), 0);
    }
    // A later start takes the same number for its new document, which
    // begins empty: nothing of the abandoned lines comes back.
    TFmain1 again(shop.dm());
    again.startSession(schema::administratorName());
    again.show();
    again.menuItem(u"零售"_s)->trigger();
    auto *retail = qobject_cast<DocumentWindow *>(again.children().find(u"TFtjxsd1"_s));
    QVERIFY(retail);
    QCOMPARE(retail->number(), dh);
    QVERIFY(retail->lines().empty());
    QVERIFY(messages.shown().empty());
}

void TestLockAndChart::emptyNewPasswordThenUnlockWithAnEmptyField()
{
    FreshShop shop;
    ScriptedMessages messages;
    TFmain1 main(shop.dm());
    main.startSession(schema::administratorName());
    main.show();

    // A wrong old password first: nothing changes, the dialog stays.
    bool seen = false;
    whenShown<TFtjyh1>([&](TFtjyh1 *d) {
        QCOMPARE(d->windowTitle(), u"更改我的密码"_s);
        QCOMPARE(d->ST1->text(), u"更改我的密码"_s);
        QCOMPARE(d->Edit1->text(), schema::administratorName());
        QVERIFY(d->Edit1->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), d->Edit2);
        QTest::keyClicks(d->Edit2, u"889"_s);
        QTest::keyClick(d->Edit2, Qt::Key_Return);
        QTest::keyClick(d->Edit3, Qt::Key_Return);
        QCOMPARE(messages.texts(), QStringList{u"原密码录入错误！"_s});
        QVERIFY(d->isVisible());
        d->Edit2->setText(schema::defaultAdministratorPassword());
        QTest::keyClick(d->Edit3, Qt::Key_Return);
        QVERIFY(!d->isVisible());
        seen = true;
    });
    main.menuItem(u"更改我的密码"_s)->trigger();
    QVERIFY(seen);
    QCOMPARE(messages.texts(), (QStringList{u"原密码录入错误！"_s, u"密码更改成功！"_s}));
    QCOMPARE(sql::scalar(shop.db(), u"SELECT yhmm FROM yhsz WHERE yhmc = ?"_s,
                         {schema::administratorName()})
                 .toString(),
             QString());

    // At once for the lock: an empty field unlocks, the old password does not.
    messages.clear();
    whenShown<TFlikai1>([&](TFlikai1 *lock) {
        typeIntoLock(lock, schema::defaultAdministratorPassword());
        QVERIFY(lock->isVisible());
        typeIntoLock(lock, QString());
        QVERIFY(!lock->isVisible());
    });
    main.menuItem(u"暂时离开系统"_s)->trigger();
    QCOMPARE(messages.texts(), QStringList{u"密码错误，不可解锁！"_s});
    QVERIFY(main.isVisible());
    // And for the next login.
    QCOMPARE(operators::checkLogin(shop.db(), schema::administratorName(), QString()),
             operators::LoginCheck::Accepted);
}

void TestLockAndChart::operatorListFromTheMenu()
{
    FreshShop shop;
    ScriptedMessages messages;
    TFmain1 main(shop.dm());
    main.startSession(schema::administratorName());
    main.show();
    ModalAnswer<TFyhsz1> list([](TFyhsz1 &w) { w.reject(); });
    main.menuItem(u"操作员与权限"_s)->trigger();
    QVERIFY(list.seen());
    QCOMPARE(list.title(), u"操作员设置"_s);
}

void TestLockAndChart::chartAreasPressTheirItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("item");
    for (const TFdaohang1::Area &a : TFdaohang1::areas())
        QTest::newRow(a.name.toLatin1().constData()) << a.name << a.text << a.item;
}

// Each part presses its own item and no other; with the item disabled it
// is disabled and a click does nothing.
void TestLockAndChart::chartAreasPressTheirItems()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, item);

    std::map<QString, QAction *> actions;
    QObject owner;
    TFdaohang1 chart([&](const QString &caption) {
        QAction *&a = actions[caption];
        if (!a)
            a = new QAction(caption, &owner);
        return a;
    });
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QCOMPARE(chart.windowTitle(), u"业务导航图"_s);
    QCOMPARE(chart.size(), TFdaohang1::chartSize());

    QWidget *area = chart.area(name);
    QVERIFY(area);
    QCOMPARE(area->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(chart.rect().contains(area->geometry()));
    if (auto *label = qobject_cast<QLabel *>(area))
        QCOMPARE(label->text(), text);
    else
        QVERIFY(text.isEmpty());

    std::map<QString, int> pressed;
    for (const auto &[caption, a] : actions)
        connect(a, &QAction::triggered, &owner, [&pressed, caption = caption] { ++pressed[caption]; });
    QTest::mouseClick(area, Qt::LeftButton);
    QCOMPARE(pressed, (std::map<QString, int>{{item, 1}}));

    actions[item]->setEnabled(false);
    QVERIFY(!area->isEnabled());
    QTest::mouseClick(area, Qt::LeftButton);
    QCOMPARE(pressed[item], 1);
    actions[item]->setEnabled(true);
    QVERIFY(area->isEnabled());

    // The banner opens the web site on a double click only.
    if (name == u"wz"_s) {
        QCOMPARE(chart.banner()->toolTip(), u"双点图片，打开官方网站"_s);
        QTest::mouseClick(chart.banner(), Qt::LeftButton);
        QCOMPARE(pressed[item], 1);
        QTest::mouseDClick(chart.banner(), Qt::LeftButton);
        QCOMPARE(pressed[item], 2);
    }
}

void TestLockAndChart::chartHoverColoursOnlyTheLabels()
{
    QObject owner;
    TFdaohang1 chart([&](const QString &caption) { return new QAction(caption, &owner); });
    chart.show();
    QWidget *goods = chart.area(u"sp"_s);
    const QColor normal = textColour(goods);
    QVERIFY(normal != TFdaohang1::hoverColor());
    hover(goods, true);
    QCOMPARE(textColour(goods), TFdaohang1::hoverColor());
    hover(goods, false);
    QCOMPARE(textColour(goods), normal);

    // A business label does the same; the untexted area over its icon has no text to colour.
    QWidget *retail = chart.area(u"xs"_s);
    hover(retail, true);
    QCOMPARE(textColour(retail), TFdaohang1::hoverColor());
    hover(retail, false);
    QCOMPARE(textColour(retail), normal);
    QWidget *icon = chart.area(u"xs2"_s);
    const QColor before = textColour(icon);
    hover(icon, true);
    QCOMPARE(textColour(icon), before);
    QVERIFY(!qobject_cast<QLabel *>(icon));
}

void TestLockAndChart::chartFollowsPermissionsAndItsCheckMark()
{
    FreshShop shop;
    ScriptedMessages messages;
    addOperator(shop.db(), u"小李"_s, u"1"_s, {u"基本资料"_s});
    TFmain1 main(shop.dm());
    main.startSession(u"小李"_s);
    main.resize(1366, 700);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QAction *chartItem = main.menuItem(u"显示业务导航图"_s);
    QVERIFY(!chartItem->isChecked());

    main.showNavigationChart();
    auto *chart = qobject_cast<TFdaohang1 *>(main.children().find(u"TFdaohang1"_s));
    QVERIFY(chart);
    QVERIFY(chartItem->isChecked());
    auto *sub = qobject_cast<QMdiSubWindow *>(chart->parentWidget());
    QVERIFY(sub);
    QVERIFY(sub->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(sub->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    // Whole inside the main window at 1366×768.
    QVERIFY(main.mdiArea()->viewport()->rect().contains(sub->geometry()));
    QCOMPARE(chart->size(), TFdaohang1::chartSize());
    // Its frame fits it closely: the chart has one size.
    QVERIFY2(sub->width() - chart->width() < 30 && sub->height() - chart->height() < 60,
             qPrintable(u"%1×%2"_s.arg(sub->width()).arg(sub->height())));
    keepPicture(&main, u"TFdaohang1"_s);
    keepPicture(chart, u"TFdaohang1-alone"_s);

    // Without "零售开单" the retail label and its icon do nothing.
    for (const QString &name : {u"xs"_s, u"xs2"_s, u"cg"_s}) {
        QWidget *area = chart->area(name);
        QVERIFY2(!area->isEnabled(), qPrintable(name));
        QTest::mouseClick(area, Qt::LeftButton);
    }
    QCOMPARE(main.children().find(u"TFtjxsd1"_s), nullptr);
    QCOMPARE(main.children().find(u"TFtjcgd1"_s), nullptr);
    // "△厂商" opens the supplier list, as its menu item does.
    QVERIFY(chart->area(u"ghs"_s)->isEnabled());
    QTest::mouseClick(chart->area(u"ghs"_s), Qt::LeftButton);
    QVERIFY(main.children().find(u"TFghs1"_s));

    // Choosing the item again brings the same chart forward, checked.
    main.menuItem(u"显示业务导航图"_s)->trigger();
    QCOMPARE(main.children().find(u"TFdaohang1"_s), chart);
    QVERIFY(chartItem->isChecked());

    // Closing it takes the check mark away; the item opens a fresh one.
    QPointer<QWidget> old = chart;
    chart->close();
    QTRY_VERIFY(old.isNull());
    QVERIFY(!chartItem->isChecked());
    main.menuItem(u"显示业务导航图"_s)->trigger();
    QVERIFY(main.children().find(u"TFdaohang1"_s));
    QVERIFY(chartItem->isChecked());
    QVERIFY(messages.shown().empty());
}

void TestLockAndChart::cancelledLockEndsTheRunningProgram()
{
    FreshShop shop;
    ScriptedMessages messages;
    StartOptions options;
    options.dataDir = shop.dir();
    options.splashMs = 0;
    options.login = [](TDM1 &) -> std::optional<QString> { return schema::administratorName(); };
    QObject guard;
    bool locked = false;
    options.eventLoop = [&] {
        QTimer::singleShot(0, &guard, [&] {
            TFmain1 *main = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *m = qobject_cast<TFmain1 *>(w))
                    main = m;
            }
            QVERIFY(main);
            // The chart greets the operator.
            QVERIFY(main->children().find(u"TFdaohang1"_s));
            QVERIFY(main->menuItem(u"显示业务导航图"_s)->isChecked());
            whenShown<TFlikai1>([&](TFlikai1 *lock) {
                locked = true;
                lock->BitBtn2->click();
            });
            main->menuItem(u"暂时离开系统"_s)->trigger();
        });
        // Should the program not end, the test does, with another code.
        QTimer::singleShot(20000, &guard, [] { QApplication::exit(99); });
        return QApplication::exec();
    };
    QCOMPARE(runProgram(options), 0);
    QVERIFY(locked);
    QVERIFY2(messages.shown().empty(), qPrintable(messages.texts().join(u'|')));
}

QTEST_MAIN(TestLockAndChart)
#include "tst_lockandchart.moc"
