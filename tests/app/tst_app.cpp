// Start-up, login and the main window: messages, permissions, the child
// window rule, the exit questions and what assistive technology reads.
#include "TestSupport.h"

#include "core/admin/Operators.h"
#include "app/Startup.h"
#include "windows/app/Udl1.h"
#include "app/Umain1.h"
#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/documents/Documents.h"
#include "ui/Artwork.h"
#include "ui/ChildWindows.h"
#include "ui/ListGrid.h"
#include "ui/ProgramLook.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

namespace {

void addOperator(const QSqlDatabase &db, const QString &name, const QString &password,
                 const QStringList &grants)
{
    sql::exec(db, u"INSERT INTO yhsz (yhmc, yhmm) VALUES (?, ?)"_qs, {name, password});
    for (const QString &g : grants)
        sql::exec(db, u"INSERT INTO quanxian (yh, qx) VALUES (?, ?)"_qs, {name, g});
}

const QStringList kGatedItems{
    u"店铺信息"_qs,       u"操作员与权限"_qs,   u"清空数据库"_qs,     u"商品资料"_qs,
    u"厂商资料"_qs,       u"客户资料"_qs,       u"员工资料"_qs,       u"采购"_qs,
    u"采购单据"_qs,       u"采购明细表"_qs,     u"采购统计表"_qs,     u"零售"_qs,
    u"批发"_qs,           u"销售单据"_qs,       u"销售明细表"_qs,     u"销售统计表"_qs,
    u"员工提成表"_qs,     u"库存异动"_qs,       u"异动单据"_qs,       u"异动明细表"_qs,
    u"异动统计表"_qs,     u"采购应付明细表"_qs, u"销售应收明细表"_qs, u"采购付款明细表"_qs,
    u"销售收款明细表"_qs, u"其他收支明细表"_qs};

const QStringList kAlwaysEnabled{u"备份数据库"_qs,     u"恢复数据库"_qs,     u"压缩数据库"_qs,
                                 u"暂时离开系统"_qs,   u"更改我的密码"_qs,   u"退出"_qs,
                                 u"商品库存明细表"_qs, u"商品进销存统计表"_qs, u"计算器"_qs,
                                 u"金额大小写转换"_qs, u"找零钱工具"_qs,     u"关于本软件"_qs,
                                 u"退出软件"_qs};

QString accessibleName(QObject *o)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(o);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The caption a screen reader announces for a field: the label it is related
// to (a combo box's own name is its current item on this platform).
QString labelOf(QObject *o)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(o);
    if (!iface)
        return QString();
    const auto related = iface->relations(QAccessible::Label);
    return related.isEmpty() ? QString() : related.first().first->text(QAccessible::Name);
}

}  // namespace

class TestApp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loginChecks_data();
    void loginChecks();
    void loginDialogFlow();
    void loginDialogKeys();
    void operatorWithoutGrants();
    void operatorWithOnlyWholesale();
    void administratorHasEverything();
    void childWindowsAreSingleInstance();
    void childWindowsOpenWholeCentredWithTheIcon_data();
    void childWindowsOpenWholeCentredWithTheIcon();
    void dialogsCarryTheProgramIcon();
    void exitQuestions();
    void captionAndClock();
    void missingDatabaseStartsNothing();
    void unreadableOperatorsEndWithAMessageAndFailure();
    void startsFromDirectoryWithSpacesAndChinese();
    void accessibleNames();
    void startUpRemovesInterruptedEntriesOfEarlierDays();
};

void TestApp::loginChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("check");
    using operators::LoginCheck;
    QTest::newRow("administrator") << u"系统管理员"_qs << schema::defaultAdministratorPassword()
                                   << int(LoginCheck::Accepted);
    QTest::newRow("empty name") << u"  "_qs << u""_qs << int(LoginCheck::EmptyName);
    QTest::newRow("unknown") << u"张三"_qs << u"1"_qs << int(LoginCheck::NoSuchOperator);
    QTest::newRow("wrong password") << u"系统管理员"_qs << u"999"_qs
                                    << int(LoginCheck::WrongPassword);
    QTest::newRow("case differs") << u"Li"_qs << u"abc"_qs << int(LoginCheck::WrongPassword);
    QTest::newRow("case matches") << u"Li"_qs << u"Abc"_qs << int(LoginCheck::Accepted);
    QTest::newRow("spaces count") << u"Li"_qs << u"Abc "_qs << int(LoginCheck::WrongPassword);
    QTest::newRow("apostrophe in name") << u"O'Neil"_qs << u"x'y"_qs << int(LoginCheck::Accepted);
    QTest::newRow("empty stored password") << u"Wang"_qs << u""_qs << int(LoginCheck::Accepted);
}

void TestApp::loginChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(int, check);
    FreshShop shop;
    addOperator(shop.db(), u"Li"_qs, u"Abc"_qs, {});
    addOperator(shop.db(), u"O'Neil"_qs, u"x'y"_qs, {});
    addOperator(shop.db(), u"Wang"_qs, u""_qs, {});
    QCOMPARE(int(operators::checkLogin(shop.db(), name, password)), check);
}

void TestApp::loginDialogFlow()
{
    FreshShop shop;
    addOperator(shop.db(), u"Li"_qs, u"Abc"_qs, {});
    ScriptedMessages messages;
    TFdl1 dialog(shop.dm());
    QVERIFY(dialog.prepare());
    QCOMPARE(dialog.ComboBox1->count(), 2);
    QCOMPARE(dialog.ComboBox1->itemText(0), u"系统管理员"_qs);
    QVERIFY(!dialog.ComboBox1->isEditable());
    QCOMPARE(dialog.Edit1->echoMode(), QLineEdit::Password);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    dialog.ComboBox1->setCurrentIndex(1);
    dialog.Edit1->setText(u"abc"_qs);
    dialog.BitBtn1->click();
    QCOMPARE(messages.last(), u"用户密码不正确！"_qs);
    QCOMPARE(messages.shown().back().caption, u"提示"_qs);
    QVERIFY(dialog.isVisible());

    dialog.ComboBox1->setCurrentIndex(-1);
    dialog.BitBtn1->click();
    QCOMPARE(messages.last(), u"请选择用户名称！"_qs);
    QVERIFY(dialog.isVisible());

    dialog.ComboBox1->setCurrentIndex(1);
    dialog.Edit1->setText(u"Abc"_qs);
    dialog.BitBtn1->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.operatorName(), u"Li"_qs);
    QCOMPARE(messages.shown().size(), size_t(2));

    // An operator deleted after the list was filled.
    TFdl1 again(shop.dm());
    QVERIFY(again.prepare());
    sql::exec(shop.db(), u"DELETE FROM yhsz WHERE yhmc = 'Li'"_qs);
    again.ComboBox1->setCurrentIndex(1);
    again.BitBtn1->click();
    QCOMPARE(messages.last(), u"该用户不存在！"_qs);
}

void TestApp::loginDialogKeys()
{
    FreshShop shop;
    ScriptedMessages messages;
    TFdl1 dialog(shop.dm());
    QVERIFY(dialog.prepare());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTRY_VERIFY(dialog.ComboBox1->hasFocus());

    // Enter walks to the password; Enter there presses 确定.
    QTest::keyClick(dialog.ComboBox1, Qt::Key_Return);
    QTRY_VERIFY(dialog.Edit1->hasFocus());
    QTest::keyClicks(dialog.Edit1, schema::defaultAdministratorPassword());
    QCOMPARE(dialog.Edit1->text(), schema::defaultAdministratorPassword());
    QTest::keyClick(dialog.Edit1, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(messages.shown().empty());

    // The window manager's close is swallowed; Esc cancels.
    TFdl1 other(shop.dm());
    QVERIFY(other.prepare());
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QVERIFY(!other.close());
    QVERIFY(other.isVisible());
    QTest::keyClick(&other, Qt::Key_Escape);
    QCOMPARE(other.result(), int(QDialog::Rejected));
    QVERIFY(!other.isVisible());
}

void TestApp::operatorWithoutGrants()
{
    FreshShop shop;
    addOperator(shop.db(), u"Zhao"_qs, u"1"_qs, {});
    TFmain1 main(shop.dm());
    main.startSession(u"Zhao"_qs);
    for (const QString &item : kGatedItems)
        QVERIFY2(!main.menuItem(item)->isEnabled(), qPrintable(item));
    for (const QString &item : kAlwaysEnabled)
        QVERIFY2(main.menuItem(item)->isEnabled(), qPrintable(item));
    QCOMPARE(main.STkcsc(), u"不归零"_qs);
    QCOMPARE(main.STkcjg(), u"不显价格"_qs);
    QCOMPARE(main.STyhm1(), u"Zhao"_qs);
    QCOMPARE(main.statusPanel(0)->text(), u"操作员：Zhao"_qs);

    // A tool button clicks its menu item, so a disabled item does nothing.
    auto *goods = main.findChild<QToolButton *>(u"SpeedButton3"_qs);
    QVERIFY(goods);
    QSignalSpy goodsSpy(main.menuItem(u"商品资料"_qs), &QAction::triggered);
    goods->click();
    QCOMPARE(goodsSpy.count(), 0);
    auto *stock = main.findChild<QToolButton *>(u"SpeedButton7"_qs);
    QSignalSpy stockSpy(main.menuItem(u"商品库存明细表"_qs), &QAction::triggered);
    stock->click();
    QCOMPARE(stockSpy.count(), 1);
}

void TestApp::operatorWithOnlyWholesale()
{
    FreshShop shop;
    addOperator(shop.db(), u"Qian"_qs, u"1"_qs, {u"批发开单"_qs});
    TFmain1 main(shop.dm());
    main.startSession(u"Qian"_qs);
    QVERIFY(main.menuItem(u"销售单据"_qs)->isEnabled());
    QVERIFY(main.menuItem(u"批发"_qs)->isEnabled());
    QVERIFY(!main.menuItem(u"零售"_qs)->isEnabled());
    QVERIFY(!main.menuItem(u"销售明细表"_qs)->isEnabled());
    QSignalSpy retail(main.menuItem(u"零售"_qs), &QAction::triggered);
    main.findChild<QToolButton *>(u"SpeedButton6"_qs)->click();
    QCOMPARE(retail.count(), 0);
    QSignalSpy wholesale(main.menuItem(u"批发"_qs), &QAction::triggered);
    main.findChild<QToolButton *>(u"SpeedButton5"_qs)->click();
    QCOMPARE(wholesale.count(), 1);
}

void TestApp::administratorHasEverything()
{
    FreshShop shop;
    TFmain1 main(shop.dm());
    main.startSession(schema::administratorName());
    for (const QString &item : kGatedItems)
        QVERIFY2(main.menuItem(item)->isEnabled(), qPrintable(item));
    QVERIFY(main.session().mayZeroStock());
    QCOMPARE(main.STkcsc(), u"归零"_qs);
    QCOMPARE(main.STkcjg(), u"显示价格"_qs);
}

void TestApp::childWindowsAreSingleInstance()
{
    FreshShop shop;
    TFmain1 main(shop.dm());
    main.show();
    int made = 0;
    const auto make = [&] {
        ++made;
        auto *w = new QLabel(u"列表"_qs);
        w->setWindowTitle(u"列表"_qs);
        return w;
    };
    QWidget *first = main.children().open(u"TFtest1"_qs, make);
    QWidget *second = main.children().open(u"TFtest1"_qs, make);
    QCOMPARE(first, second);
    QCOMPARE(made, 1);
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);

    // Minimised: brought back.
    main.mdiArea()->subWindowList().first()->showMinimized();
    main.children().open(u"TFtest1"_qs, make);
    QVERIFY(!main.mdiArea()->subWindowList().first()->isMinimized());

    // Closed (by itself): forgotten, and the next choice makes a fresh one.
    QPointer<QWidget> gone = first;
    first->close();
    QTRY_VERIFY(gone.isNull());
    QTRY_COMPARE(main.mdiArea()->subWindowList().size(), 0);
    QCOMPARE(main.children().find(u"TFtest1"_qs), nullptr);
    QWidget *fresh = main.children().open(u"TFtest1"_qs, make);
    QVERIFY(fresh);
    QCOMPARE(made, 2);
}

void TestApp::childWindowsOpenWholeCentredWithTheIcon_data()
{
    QTest::addColumn<QString>("item");
    for (const char16_t *item : {u"商品资料", u"厂商资料", u"客户资料", u"员工资料", u"采购",
                                 u"零售", u"批发", u"库存异动", u"采购单据", u"销售单据", u"异动单据",
                                 u"员工提成表", u"商品进销存统计表", u"商品库存明细表",
                                 u"金额大小写转换", u"找零钱工具"})
        QTest::newRow(QString::fromUtf16(item).toUtf8().constData()) << QString::fromUtf16(item);
}

// On a 1366×768 screen a child window opens as large as its whole content
// wants, as far as the main window has room; its lists show every column.
// It is centred, the next ones cascaded from it, inside the main window.
void TestApp::childWindowsOpenWholeCentredWithTheIcon()
{
    QFETCH(QString, item);
    FreshShop shop;
    ScriptedMessages messages;
    TFmain1 main(shop.dm());
    main.startSession(schema::administratorName());
    // The maximised main window on 1366×768, less the desktop's panel and
    // the title bar.
    main.resize(1366, 700);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const QRect room = main.mdiArea()->viewport()->rect();

    main.menuItem(item)->trigger();
    QMdiSubWindow *sub = main.mdiArea()->activeSubWindow();
    QVERIFY(sub);
    QWidget *w = sub->widget();
    QTRY_VERIFY(w->isVisible());
    QVERIFY2(room.contains(sub->geometry()), qPrintable(item));
    // The whole content, as far as there is room for it.
    const QSize frame = sub->size() - w->size();
    const QSize wish = w->sizeHint().boundedTo(room.size() - frame);
    QVERIFY2(w->width() >= wish.width() && w->height() >= wish.height(),
             qPrintable(QStringLiteral("%1: %2×%3 for %4×%5")
                            .arg(item)
                            .arg(w->width())
                            .arg(w->height())
                            .arg(wish.width())
                            .arg(wish.height())));
    // Every column of every list in sight, none scrolled away.
    for (ListGrid *grid : w->findChildren<ListGrid *>()) {
        QTRY_COMPARE(grid->horizontalScrollBar()->maximum(), 0);
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            if (grid->isColumnHidden(c))
                continue;
            const int left = grid->columnViewportPosition(c);
            QVERIFY2(left >= 0 && left + grid->columnWidth(c) <= grid->viewport()->width(),
                     qPrintable(grid->model()->headerData(c, Qt::Horizontal).toString()));
        }
    }
    // Centred.
    QVERIFY2(qAbs(sub->geometry().center().x() - room.center().x()) <= 1 &&
                 qAbs(sub->geometry().center().y() - room.center().y()) <= 1,
             qPrintable(item));
    QCOMPARE(sub->windowIcon().cacheKey(), artwork::programIcon().cacheKey());
    // VELBORA_KEEP_PNG=dir keeps a picture of the main window with it.
    if (const QString dir = qEnvironmentVariable("VELBORA_KEEP_PNG"); !dir.isEmpty())
        main.grab().save(dir + QLatin1Char('/') + item + QStringLiteral(".png"));

    // The next window is cascaded from it, inside the main window too.
    main.menuItem(item == u"找零钱工具"_qs ? u"金额大小写转换"_qs : u"找零钱工具"_qs)->trigger();
    QMdiSubWindow *next = main.mdiArea()->activeSubWindow();
    QVERIFY(next != sub);
    QVERIFY(room.contains(next->geometry()));
    QVERIFY(next->geometry().center() != room.center());
    QVERIFY(messages.shown().empty());
}

void TestApp::dialogsCarryTheProgramIcon()
{
    programlook::apply();
    FreshShop shop;
    TFdl1 dialog(shop.dm());
    QCOMPARE(dialog.windowIcon().cacheKey(), artwork::programIcon().cacheKey());
    TFmain1 main(shop.dm());
    QCOMPARE(main.windowIcon().cacheKey(), artwork::programIcon().cacheKey());
}

void TestApp::exitQuestions()
{
    FreshShop shop;
    ScriptedMessages messages;
    TFmain1 main(shop.dm());
    main.startSession(schema::administratorName());
    int backups = 0;
    main.backupOnExit = [&] { ++backups; };
    main.show();

    messages.answer(msg::Answer::Cancel);
    QVERIFY(!main.close());
    QVERIFY(main.isVisible());
    QCOMPARE(messages.texts(), QStringList{u"确定要退出本系统吗？"_qs});
    QCOMPARE(messages.shown()[0].buttons, msg::Buttons::OkCancel);
    QCOMPARE(messages.shown()[0].icon, msg::Icon::Question);
    // The connection was closed for the question and opens again on use.
    QVERIFY(sql::exists(shop.dm().ADOC1(), u"SELECT 1 FROM danwei"_qs));

    messages.clear();
    messages.answer(msg::Answer::Ok);
    messages.answer(msg::Answer::No);
    QVERIFY(main.close());
    QCOMPARE(messages.texts(),
             (QStringList{u"确定要退出本系统吗？"_qs, u"退出时需要备份数据吗？"_qs}));
    QCOMPARE(messages.shown()[1].buttons, msg::Buttons::YesNo);
    QCOMPARE(backups, 0);

    TFmain1 other(shop.dm());
    other.backupOnExit = [&] { ++backups; };
    other.show();
    messages.answer(msg::Answer::Ok);
    messages.answer(msg::Answer::Yes);
    QVERIFY(other.close());
    QCOMPARE(backups, 1);
}

void TestApp::captionAndClock()
{
    QCOMPARE(TFmain1::captionFor(QString()), u"Velbora软件五金行业版V2014 ［使用单位：］"_qs);
    FreshShop shop;
    sql::exec(shop.db(), u"UPDATE danwei SET mczc = ?"_qs, {u"老王五金"_qs});
    TFmain1 main(shop.dm());
    QCOMPARE(main.windowTitle(), u"Velbora软件五金行业版V2014 ［使用单位：老王五金］"_qs);

    const QString clock = TFmain1::clockText(QDateTime(QDate(2014, 1, 5), QTime(7, 8, 9)));
    QVERIFY2(clock.startsWith(u"现在时刻：2014年01月05日 "_qs), qPrintable(clock));
    QVERIFY2(clock.endsWith(u" 07时08分09秒"_qs), qPrintable(clock));
    QVERIFY(clock.contains(QLocale::system().dayName(7, QLocale::LongFormat)));
    // Empty until the first tick, then running.
    QVERIFY(main.statusPanel(1)->text().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(main.statusPanel(1)->text().startsWith(u"现在时刻："_qs), 2500);
}

void TestApp::missingDatabaseStartsNothing()
{
    QTemporaryDir empty;
    ScriptedMessages messages;
    bool loginRan = false;
    StartOptions options;
    options.dataDir = empty.path();
    options.splashMs = 0;
    options.login = [&](TDM1 &) -> std::optional<QString> {
        loginRan = true;
        return std::nullopt;
    };
    options.eventLoop = [] { return 0; };
    QCOMPARE(runProgram(options), 1);
    QVERIFY(!loginRan);
    QCOMPARE(messages.shown().size(), size_t(1));
    QCOMPARE(messages.last(), u"数据库文件丢失，软件无法运行，请重新复制本软件！"_qs);
    QCOMPARE(messages.shown()[0].caption, u"错误"_qs);
    QCOMPARE(messages.shown()[0].icon, msg::Icon::Error);
    QVERIFY(QDir(empty.path()).isEmpty());
}

void TestApp::unreadableOperatorsEndWithAMessageAndFailure()
{
    QTemporaryDir dir;
    // A shop file whose operator table has lost its name column.
    const QString file = QDir(dir.path()).filePath(schema::databaseFileName());
    QVERIFY(!schema::createDatabaseFile(file));
    {
        TDM1 dm(dir.path());
        QVERIFY(!dm.open());
        sql::exec(dm.ADOC1(), u"ALTER TABLE yhsz RENAME COLUMN yhmc TO mc"_qs);
    }
    ScriptedMessages messages;
    StartOptions options;
    options.dataDir = dir.path();
    options.splashMs = 0;  // the real login dialog, which cannot list the operators
    bool mainShown = false;
    options.eventLoop = [&] {
        mainShown = true;
        return 0;
    };
    QCOMPARE(runProgram(options), 1);
    QVERIFY(!mainShown);
    QCOMPARE(messages.texts(), QStringList(u"数据库文件丢失，软件无法运行，请重新复制本软件！"_qs));
    QCOMPARE(messages.shown()[0].caption, u"错误"_qs);
    QCOMPARE(messages.shown()[0].icon, msg::Icon::Error);
}

void TestApp::startsFromDirectoryWithSpacesAndChinese()
{
    QTemporaryDir root;
    const QString dir = QDir(root.path()).filePath(u"我的 五金店/数据 库"_qs);
    QVERIFY(QDir().mkpath(dir));
    QVERIFY(!schema::createDatabaseFile(QDir(dir).filePath(schema::databaseFileName())));

    ScriptedMessages messages;
    QString loggedIn;
    StartOptions options;
    options.dataDir = dir;
    options.splashMs = 0;
    options.login = [&](TDM1 &dm) -> std::optional<QString> {
        // The shop record is open before the login runs.
        loggedIn = dm.ATdanwei1().mczc;
        return schema::administratorName();
    };
    bool mainShown = false;
    options.eventLoop = [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *m = qobject_cast<TFmain1 *>(w))
                mainShown = m->isVisible() && m->STyhm1() == schema::administratorName();
        return 0;
    };
    QCOMPARE(runProgram(options), 0);
    QVERIFY(messages.shown().empty());
    QVERIFY(!loggedIn.isEmpty());
    QVERIFY(mainShown);

    // A cancelled login ends the program without the main window.
    options.login = [](TDM1 &) -> std::optional<QString> { return std::nullopt; };
    mainShown = false;
    QCOMPARE(runProgram(options), 0);
    QVERIFY(!mainShown);
}

void TestApp::accessibleNames()
{
    FreshShop shop;
    TFdl1 dialog(shop.dm());
    QVERIFY(dialog.prepare());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(accessibleName(&dialog), u"登录系统"_qs);
    QCOMPARE(labelOf(dialog.ComboBox1), u"用户名称"_qs);
    QCOMPARE(labelOf(dialog.Edit1), u"用户密码"_qs);
    QCOMPARE(accessibleName(dialog.Edit1), u"用户密码"_qs);
    QCOMPARE(accessibleName(dialog.BitBtn1), u"确定"_qs);
    QCOMPARE(accessibleName(dialog.BitBtn2), u"取消"_qs);

    TFmain1 main(shop.dm());
    main.startSession(schema::administratorName());
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(accessibleName(&main).contains(u"使用单位"_qs));
    QCOMPARE(accessibleName(main.findChild<QToolButton *>(u"SpeedButton4"_qs)), u"采购"_qs);
}

void TestApp::startUpRemovesInterruptedEntriesOfEarlierDays()
{
    FreshShop shop;
    ScriptedMessages messages;
    const documents::Descriptor &retail = documents::descriptor(documents::DocumentKind::Retail);
    const QDate today = QDate::currentDate();
    const QString yesterdays = u"XSD"_qs + today.addDays(-1).toString(u"yyyyMMdd"_qs) + u"001"_qs;
    const QString todays = u"XSD"_qs + today.toString(u"yyyyMMdd"_qs) + u"001"_qs;
    for (const QString &dh : {yesterdays, todays})
        QVERIFY(documents::addLine(shop.db(), retail, dh,
                                   {u"A"_qs, u"甲"_qs, u"个"_qs, u"1"_qs, u"1"_qs, Decimal()})
                    .outcome.ok());
    StartOptions options;
    options.dataDir = shop.dir();
    options.splashMs = 0;
    options.login = [](TDM1 &) -> std::optional<QString> { return std::nullopt; };
    QTest::ignoreMessage(QtInfoMsg, QRegularExpression(u"^removed 1 unsaved lines"_qs));
    QCOMPARE(runProgram(options), 0);
    QVERIFY(messages.shown().empty());
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM xsglc WHERE dh = ?"_qs, {yesterdays})
                 .toInt(),
             0);
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM xsglc WHERE dh = ?"_qs, {todays})
                 .toInt(),
             1);
}

QTEST_MAIN(TestApp)
#include "tst_app.moc"
