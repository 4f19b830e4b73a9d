// The titles the window system holds for the program's windows, read back
// with xprop on a virtual display: the captions exactly, nothing appended,
// and the program's icon.
#include "TestSupport.h"

#include "app/Startup.h"
#include "app/Umain1.h"
#include "core/db/Schema.h"
#include "windows/app/Udl1.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>

namespace {

// `_NET_WM_NAME` of the widget's window as the X server has it.
QString windowSystemTitle(QWidget *w)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(w->winId()),
                                          QStringLiteral("-notype"), QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(10000))
        return QStringLiteral("<xprop did not finish>");
    // _NET_WM_NAME = "登录系统"
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const int at = out.indexOf(QStringLiteral(" = \""));
    if (at < 0 || !out.endsWith(QLatin1Char('"')))
        return QStringLiteral("<") + out + QStringLiteral(">");
    return out.mid(at + 4, out.size() - at - 5);
}

// Whether the X server holds an icon for the widget's window (`_NET_WM_ICON`).
bool hasWindowSystemIcon(QWidget *w)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(w->winId()),
                                          QStringLiteral("_NET_WM_ICON")});
    xprop.waitForFinished(10000);
    return xprop.readAllStandardOutput().startsWith("_NET_WM_ICON(CARDINAL) = ");
}

bool exposed(QWidget *w)
{
    return w && w->windowHandle() && w->windowHandle()->isExposed();
}

}  // namespace

class TestTitles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void titlesAreTheCaptions();
};

void TestTitles::titlesAreTheCaptions()
{
    QTemporaryDir dir;
    QVERIFY(!schema::createDatabaseFile(QDir(dir.path()).filePath(schema::databaseFileName())));

    struct Seen {
        QString caption;  // windowTitle()
        QString title;    // what the window system shows
        bool icon = false;
    } login, box, main;
    QString shopName;

    StartOptions options;
    options.dataDir = dir.path();
    options.splashMs = 0;
    options.login = [&](TDM1 &dm) -> std::optional<QString> {
        shopName = dm.ATdanwei1().mczc;
        TFdl1 dialog(dm);
        if (!dialog.prepare())
            return std::nullopt;
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            return std::nullopt;
        login = {dialog.windowTitle(), windowSystemTitle(&dialog), hasWindowSystemIcon(&dialog)};

        // A wrong password brings up the real message box; it is read while
        // it is on screen, then answered.
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, [&] {
            auto *b = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!exposed(b))
                return;
            poll.stop();
            box = {b->windowTitle(), windowSystemTitle(b), hasWindowSystemIcon(b)};
            b->defaultButton()->click();
        });
        poll.start();
        dialog.Edit1->setText(QStringLiteral("wrong"));
        dialog.BitBtn1->click();
        return schema::administratorName();
    };
    options.eventLoop = [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *m = qobject_cast<TFmain1 *>(w))
                if (QTest::qWaitForWindowExposed(m))
                    main = {m->windowTitle(), windowSystemTitle(m), hasWindowSystemIcon(m)};
        return 0;
    };
    QCOMPARE(runProgram(options), 0);

    QCOMPARE(login.caption, QStringLiteral("登录系统"));
    QCOMPARE(login.title, QStringLiteral("登录系统"));
    QCOMPARE(box.caption, QStringLiteral("提示"));
    QCOMPARE(box.title, QStringLiteral("提示"));
    const QString mainCaption = TFmain1::captionFor(shopName);
    QVERIFY(mainCaption.startsWith(QStringLiteral("Velbora软件五金行业版V2014 ［使用单位：")));
    QCOMPARE(main.caption, mainCaption);
    QCOMPARE(main.title, mainCaption);
    // Each with the program's icon for the window system to show.
    QVERIFY(login.icon);
    QVERIFY(box.icon);
    QVERIFY(main.icon);
}

QTEST_MAIN(TestTitles)
#include "tst_titles.moc"
