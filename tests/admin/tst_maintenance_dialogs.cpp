// The four maintenance dialogs through their fields, keys and buttons, their
// menu items, the refusal while other windows are open, and the backup
// offered on exit.
#include "TestSupport.h"
#include "ModalDialogs.h"

#include "app/Umain1.h"
#include "core/db/Schema.h"
#include "core/maintenance/Maintenance.h"
#include "core/maintenance/SqliteShopFile.h"
#include "ui/ChildWindows.h"
#include "ui/FileChoice.h"
#include "windows/admin/Ubeifen1.h"
#include "windows/admin/Uhuifu1.h"
#include "windows/admin/Uqingkong1.h"
#include "windows/admin/Uyasuo1.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Answers the file dialogs while it lives, recording what they asked.
class FileAnswers
{
public:
    FileAnswers()
    {
        filechoice::setResponder([this](const filechoice::Asked &a) {
            asked.push_back(a);
            return answer;
        });
    }
    ~FileAnswers() { filechoice::setResponder({}); }

    QString answer;
    std::vector<filechoice::Asked> asked;
};

QString shopName(const QSqlDatabase &db)
{
    return sql::scalar(db, u"SELECT mczc FROM danwei"_s).toString();
}

QString backupOf(FreshShop &shop, const QString &name)
{
    const QString path = QDir(shop.dir()).filePath(name);
    auto store = maintenance::storeOf(shop.dm());
    if (!maintenance::backup(*store, path).ok())
        qFatal("cannot back up");
    return path;
}

}  // namespace

class TestMaintenanceDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void backupDialogProposesTheDaysFile();
    void backupBrowse_data();
    void backupBrowse();
    void backupEnterAndButtons();
    void backupFailureIsSaid();

    void restoreDialog();
    void restoreRefusedStaysOpen();

    void compactionDialog_data();
    void compactionDialog();

    void clearingDialog();
    void clearingFailureStaysOpen();

    void textsShowWhole_data();
    void textsShowWhole();

    void menuItemsOpenTheDialogs_data();
    void menuItemsOpenTheDialogs();
    void restoreReadsTheOperatorsGrantsAgain();
    void exitAnsweredYesOpensTheBackupDialog();
};

void TestMaintenanceDialogs::backupDialogProposesTheDaysFile()
{
    FreshShop shop;
    const QString folder = maintenance::backupFolder(shop.dm());
    QVERIFY(!QFileInfo::exists(folder));
    TFbeifen1 dialog(shop.dm(), nullptr, QDate(2014, 1, 12));
    QCOMPARE(dialog.windowTitle(), u"数据备份（请先关闭其他窗口）"_s);
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(dialog.Edit1->text(), QDir::toNativeSeparators(folder + u"/QLX20140112.bak"_s));
    QCOMPARE(dialog.BitBtn1->text(), u"备份"_s);
    QCOMPARE(dialog.BitBtn2->text(), u"取消"_s);
    const auto labels = dialog.findChildren<QLabel *>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [&](QLabel *l) {
        return l->text() == u"保存数据备份文件"_s && l->buddy() == dialog.Edit1;
    }));
    dialog.show();
    QTRY_COMPARE(QApplication::focusWidget(), dialog.Edit1);
}

void TestMaintenanceDialogs::backupBrowse_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("field");
    QTest::newRow("no extension") << u"/b/mine"_s << u"/b/mine.bak"_s;
    QTest::newRow("with .bak") << u"/b/mine.bak"_s << u"/b/mine.bak"_s;
    QTest::newRow(".bak inside") << u"/b/mine.bak.1"_s << u"/b/mine.bak.1"_s;
    QTest::newRow("cancelled") << QString() << u"<proposed>"_s;
}

void TestMaintenanceDialogs::backupBrowse()
{
    QFETCH(QString, chosen);
    QFETCH(QString, field);
    FreshShop shop;
    FileAnswers files;
    files.answer = chosen;
    TFbeifen1 dialog(shop.dm(), nullptr, QDate(2014, 1, 12));
    const QString proposed = dialog.Edit1->text();
    dialog.SpeedButton1->click();
    QCOMPARE(files.asked.size(), size_t(1));
    const filechoice::Asked &a = files.asked[0];
    QVERIFY(a.save);
    QCOMPARE(a.folder, maintenance::backupFolder(shop.dm()));
    QCOMPARE(a.proposed, u"QLX20140112"_s);
    QCOMPARE(a.filter, u"数据备份文件（*.bak） (*.bak)"_s);
    QCOMPARE(dialog.Edit1->text(), field == u"<proposed>"_s ? proposed : field);
}

void TestMaintenanceDialogs::backupEnterAndButtons()
{
    FreshShop shop;
    ScriptedMessages messages;
    FileAnswers files;
    {
        // Enter in an empty field browses; "备份" says so first.
        TFbeifen1 dialog(shop.dm());
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        dialog.Edit1->setText(u"   "_s);
        QTest::keyClick(dialog.Edit1, Qt::Key_Return);
        QCOMPARE(files.asked.size(), size_t(1));
        QVERIFY(messages.shown().empty());
        dialog.BitBtn1->click();
        QCOMPARE(messages.texts(), QStringList{u"数据库备份文件不可为空！"_s});
        QCOMPARE(files.asked.size(), size_t(2));
        QVERIFY(dialog.isVisible());
        QTest::keyClick(dialog.Edit1, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    messages.clear();
    {
        // Enter with a name backs up, overwriting, and closes.
        const QString target = QDir(shop.dir()).filePath(u"mine.bak"_s);
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        TFbeifen1 dialog(shop.dm());
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        dialog.Edit1->setText(target);
        QTest::keyClick(dialog.Edit1, Qt::Key_Return);
        QCOMPARE(messages.texts(), QStringList{u"数据库备份成功！"_s});
        QCOMPARE(messages.shown()[0].caption, u"提示"_s);
        QCOMPARE(messages.shown()[0].icon, msg::Icon::Information);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(maintenance::SqliteShopFile::checkCandidate(target), std::nullopt);
        QVERIFY(dialog.progressBar()->isHidden());
        QVERIFY(dialog.BitBtn1->isEnabled());
    }
}

void TestMaintenanceDialogs::backupFailureIsSaid()
{
    FreshShop shop;
    ScriptedMessages messages;
    TFbeifen1 dialog(shop.dm());
    dialog.show();
    dialog.Edit1->setText(QDir(shop.dir()).filePath(u"没有这个文件夹/QLX.bak"_s));
    dialog.BitBtn1->click();
    QCOMPARE(messages.texts(), QStringList{u"数据库备份失败！"_s});
    QVERIFY(!dialog.isVisible());
    // Nor is the shop ever its own backup.
    messages.clear();
    TFbeifen1 again(shop.dm());
    again.show();
    again.Edit1->setText(shop.dm().databasePath());
    again.BitBtn1->click();
    QCOMPARE(messages.texts(), QStringList{u"数据库备份失败！"_s});
    QVERIFY(schema::isShopDatabase(shop.db()));
}

void TestMaintenanceDialogs::restoreDialog()
{
    FreshShop shop;
    sql::exec(shop.db(), u"UPDATE danwei SET mczc = '备份的店'"_s);
    const QString backup = backupOf(shop, u"QLX.bak"_s);
    sql::exec(shop.db(), u"UPDATE danwei SET mczc = '现在的店'"_s);
    ScriptedMessages messages;
    FileAnswers files;
    files.answer = backup;

    TFhuifu1 dialog(shop.dm());
    QSignalSpy restored(&dialog, &TFhuifu1::restored);
    QCOMPARE(dialog.windowTitle(), u"数据恢复（请先关闭其他窗口）"_s);
    QCOMPARE(dialog.BitBtn1->text(), u"恢复"_s);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(dialog.Edit1->text().isEmpty());
    QTest::keyClick(dialog.Edit1, Qt::Key_Return);  // browses
    QCOMPARE(files.asked.size(), size_t(1));
    QVERIFY(!files.asked[0].save);
    QCOMPARE(files.asked[0].folder, maintenance::backupFolder(shop.dm()));
    QCOMPARE(dialog.Edit1->text(), backup);

    // Cancel at the question does nothing.
    messages.answer(msg::Answer::Cancel);
    dialog.BitBtn1->click();
    QCOMPARE(messages.texts(), QStringList{u"真的要恢复数据库吗？"_s});
    QCOMPARE(messages.shown()[0].buttons, msg::Buttons::OkCancel);
    QCOMPARE(messages.shown()[0].icon, msg::Icon::Question);
    QCOMPARE(shopName(shop.db()), u"现在的店"_s);
    QVERIFY(dialog.isVisible());

    messages.clear();
    QTest::keyClick(dialog.Edit1, Qt::Key_Return);
    QCOMPARE(messages.texts(), (QStringList{u"真的要恢复数据库吗？"_s, u"数据库恢复成功！"_s}));
    QCOMPARE(restored.count(), 1);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(shopName(shop.db()), u"备份的店"_s);
}

void TestMaintenanceDialogs::restoreRefusedStaysOpen()
{
    FreshShop shop;
    ScriptedMessages messages;
    const QString text = QDir(shop.dir()).filePath(u"readme.bak"_s);
    QFile f(text);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a shop");
    f.close();
    TFhuifu1 dialog(shop.dm());
    QSignalSpy restored(&dialog, &TFhuifu1::restored);
    dialog.show();
    dialog.Edit1->setText(text);
    dialog.BitBtn1->click();
    QCOMPARE(messages.texts(), (QStringList{u"真的要恢复数据库吗？"_s, u"数据库恢复失败！"_s}));
    QVERIFY(dialog.isVisible());
    QCOMPARE(restored.count(), 0);
    QVERIFY(schema::isShopDatabase(shop.dm().ADOC1()));
}

void TestMaintenanceDialogs::compactionDialog_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void TestMaintenanceDialogs::compactionDialog()
{
    QFETCH(bool, confirmed);
    FreshShop shop;
    ScriptedMessages messages;
    messages.answer(confirmed ? msg::Answer::Ok : msg::Answer::Cancel);
    TFyasuo1 dialog(shop.dm());
    QCOMPARE(dialog.windowTitle(), u"压缩数据（请先关闭其他窗口）"_s);
    QStringList lines;
    for (QLabel *l : dialog.findChildren<QLabel *>())
        lines << l->text();
    QCOMPARE(lines, (QStringList{u"1、压缩数据能有效减少数据文件大小，提高软件运行速度"_s,
                                 u"2、软件使用一段时间后，数据会越来越多，文件越来越大"_s}));
    dialog.show();
    dialog.BitBtn1->click();
    QStringList expected{u"确定要压缩当前数据库吗？"_s};
    if (confirmed)
        expected << u"数据库压缩成功！"_s;
    QCOMPARE(messages.texts(), expected);
    QVERIFY(!dialog.isVisible());
    QVERIFY(schema::isShopDatabase(shop.dm().ADOC1()));
}

void TestMaintenanceDialogs::clearingDialog()
{
    FreshShop shop;
    sql::exec(shop.db(), u"INSERT INTO sp (txm, ppgg, kcsl, kcje, kcjg) VALUES ('A', 'A', 5, 50, 10)"_s);
    sql::exec(shop.db(), u"INSERT INTO cgfx (dh) VALUES ('CGD20140112001')"_s);
    ScriptedMessages messages;
    {
        TFqingkong1 dialog(shop.dm());
        QCOMPARE(dialog.windowTitle(), u"数据清空（请先关闭其他窗口）"_s);
        const QList<QCheckBox *> boxes{dialog.CB1, dialog.CB2, dialog.CB3, dialog.CB4, dialog.CB5};
        QStringList captions;
        for (QCheckBox *b : boxes) {
            QVERIFY(!b->isChecked());
            captions << b->text();
        }
        QCOMPARE(captions.first(), u"清除所有基本数据（厂商、客户、商品等）"_s);
        QCOMPARE(captions.last(), u"清除所有财务数据（应付、付款、收支等）"_s);
        QCOMPARE(dialog.BitBtn1->text(), u"清除"_s);
        dialog.show();
        dialog.BitBtn1->click();
        QCOMPARE(messages.texts(), QStringList{u"数据清除完毕！"_s});
        QVERIFY(!dialog.isVisible());
        QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM cgfx"_s).toInt(), 1);
    }
    messages.clear();
    {
        TFqingkong1 dialog(shop.dm());
        dialog.show();
        dialog.CB2->setChecked(true);
        dialog.CB4->setChecked(true);
        dialog.BitBtn1->click();
        QCOMPARE(messages.shown().size(), size_t(1));
        const QStringList said = messages.last().split(u'\n');
        QCOMPARE(said.first(), u"数据清除完毕！"_s);
        QVERIFY2(said.last().startsWith(u"清除前的数据已备份为："_s), qPrintable(messages.last()));
        const QString copy = said.last().mid(said.last().indexOf(u'：') + 1);
        QVERIFY2(QFileInfo::exists(copy), qPrintable(copy));
        QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM cgfx"_s).toInt(), 0);
        QCOMPARE(sql::scalar(shop.db(), u"SELECT kcsl + kcje FROM sp"_s).toInt(), 0);
        QCOMPARE(sql::scalar(shop.db(), u"SELECT kcjg FROM sp"_s).toInt(), 10);
    }
}

void TestMaintenanceDialogs::clearingFailureStaysOpen()
{
    FreshShop shop;
    sql::exec(shop.db(), u"INSERT INTO cgfx (dh) VALUES ('CGD20140112001')"_s);
    sql::exec(shop.db(), u"CREATE TRIGGER keep BEFORE DELETE ON cghz "
                         "BEGIN SELECT RAISE(ABORT, 'kept'); END"_s);
    sql::exec(shop.db(), u"INSERT INTO cghz (txm) VALUES ('A')"_s);
    ScriptedMessages messages;
    TFqingkong1 dialog(shop.dm());
    dialog.show();
    dialog.CB2->setChecked(true);
    dialog.BitBtn1->click();
    QCOMPARE(messages.texts(), QStringList{u"数据清除失败！"_s});
    QVERIFY(dialog.isVisible());
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM cgfx"_s).toInt(), 1);
}

void TestMaintenanceDialogs::textsShowWhole_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("TFbeifen1") << 0;
    QTest::newRow("TFhuifu1") << 1;
    QTest::newRow("TFyasuo1") << 2;
    QTest::newRow("TFqingkong1") << 3;
}

void TestMaintenanceDialogs::textsShowWhole()
{
    QFETCH(int, which);
    FreshShop shop;
    std::unique_ptr<QDialog> dialog;
    switch (which) {
    case 0: dialog = std::make_unique<TFbeifen1>(shop.dm()); break;
    case 1: dialog = std::make_unique<TFhuifu1>(shop.dm()); break;
    case 2: dialog = std::make_unique<TFyasuo1>(shop.dm()); break;
    default: dialog = std::make_unique<TFqingkong1>(shop.dm()); break;
    }
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    // Every label, box and button shows its whole text.
    for (QWidget *w : dialog->findChildren<QWidget *>()) {
        QString text;
        if (auto *l = qobject_cast<QLabel *>(w))
            text = l->text();
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            text = b->text();
        if (text.isEmpty() || !w->isVisible())
            continue;
        QVERIFY2(w->width() >= w->fontMetrics().horizontalAdvance(text),
                 qPrintable(text + u" is cut"_s));
    }
    // VELBORA_KEEP_PNG=dir keeps a picture of each dialog.
    if (const QString dir = qEnvironmentVariable("VELBORA_KEEP_PNG"); !dir.isEmpty())
        dialog->grab().save(QDir(dir).filePath(dialog->objectName() + u".png"_s));
}

void TestMaintenanceDialogs::menuItemsOpenTheDialogs_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("waitsForOthers");
    QTest::newRow("backup") << u"备份数据库"_s << u"数据备份（请先关闭其他窗口）"_s << false;
    QTest::newRow("restore") << u"恢复数据库"_s << u"数据恢复（请先关闭其他窗口）"_s << true;
    QTest::newRow("compaction") << u"压缩数据库"_s << u"压缩数据（请先关闭其他窗口）"_s << true;
    QTest::newRow("clearing") << u"清空数据库"_s << u"数据清空（请先关闭其他窗口）"_s << true;
}

void TestMaintenanceDialogs::menuItemsOpenTheDialogs()
{
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QFETCH(bool, waitsForOthers);
    FreshShop shop;
    ScriptedMessages messages;
    TFmain1 main(shop.dm());
    main.startSession(schema::administratorName());
    main.show();
    {
        ModalAnswer<QDialog> answer([](QDialog &d) { d.reject(); });
        main.menuItem(item)->trigger();
        QVERIFY(answer.seen());
        QCOMPARE(answer.title(), caption);
        QVERIFY(messages.shown().empty());
    }
    // With another window open.
    main.children().open(u"TFtest1"_s, [] { return new QWidget; });
    ModalAnswer<QDialog> answer([](QDialog &d) { d.reject(); });
    main.menuItem(item)->trigger();
    if (waitsForOthers) {
        QCOMPARE(messages.texts(), QStringList{u"请先关闭其他窗口！"_s});
        QCOMPARE(messages.shown()[0].icon, msg::Icon::Warning);
        QCoreApplication::processEvents();
        QVERIFY(!answer.seen());
    } else {
        QVERIFY(answer.seen());
        QVERIFY(messages.shown().empty());
    }
}

void TestMaintenanceDialogs::restoreReadsTheOperatorsGrantsAgain()
{
    FreshShop shop;
    const QSqlDatabase db = shop.db();
    sql::exec(db, u"INSERT INTO yhsz (yhmc, yhmm) VALUES ('张三', '1')"_s);
    sql::exec(db, u"INSERT INTO quanxian (yh, qx) VALUES ('张三', '采购开单')"_s);
    sql::exec(db, u"UPDATE danwei SET mczc = '备份的店'"_s);
    const QString backup = backupOf(shop, u"QLX.bak"_s);
    sql::exec(db, u"UPDATE quanxian SET qx = '零售开单' WHERE yh = '张三'"_s);
    sql::exec(db, u"UPDATE danwei SET mczc = '现在的店'"_s);

    ScriptedMessages messages;
    TFmain1 main(shop.dm());
    main.startSession(u"张三"_s);
    main.show();
    QVERIFY(main.menuItem(u"零售"_s)->isEnabled());
    QVERIFY(!main.menuItem(u"采购"_s)->isEnabled());
    ModalAnswer<TFhuifu1> answer([&](TFhuifu1 &d) {
        d.Edit1->setText(backup);
        d.BitBtn1->click();
    });
    main.menuItem(u"恢复数据库"_s)->trigger();
    QVERIFY(answer.seen());
    QCOMPARE(messages.last(), u"数据库恢复成功！"_s);
    QVERIFY(!main.menuItem(u"零售"_s)->isEnabled());
    QVERIFY(main.menuItem(u"采购"_s)->isEnabled());
    QVERIFY(main.windowTitle().contains(u"备份的店"_s));
    QCOMPARE(main.STyhm1(), u"张三"_s);
}

void TestMaintenanceDialogs::exitAnsweredYesOpensTheBackupDialog()
{
    FreshShop shop;
    ScriptedMessages messages;
    FileAnswers files;
    TFmain1 main(shop.dm());
    main.startSession(schema::administratorName());
    main.show();
    messages.answer(msg::Answer::Ok);
    messages.answer(msg::Answer::Yes);
    QString proposed;
    ModalAnswer<TFbeifen1> answer([&](TFbeifen1 &d) {
        proposed = d.Edit1->text();
        d.BitBtn1->click();
    });
    QVERIFY(main.close());
    QVERIFY(answer.seen());
    QCOMPARE(messages.texts(), (QStringList{u"确定要退出本系统吗？"_s, u"退出时需要备份数据吗？"_s,
                                            u"数据库备份成功！"_s}));
    QCOMPARE(maintenance::SqliteShopFile::checkCandidate(QDir::fromNativeSeparators(proposed)),
             std::nullopt);
}

QTEST_MAIN(TestMaintenanceDialogs)
#include "tst_maintenance_dialogs.moc"
