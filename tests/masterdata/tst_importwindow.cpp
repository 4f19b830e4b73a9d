// The import dialog offscreen, opened by the "导入" button of the four lists:
// its two steps, its keys, its messages and the list's counter afterwards.
#include "ModalDialogs.h"
#include "TestSupport.h"

#include "core/db/Sql.h"
#include "windows/masterdata/Udr1.h"
#include "windows/masterdata/Ughs1.h"
#include "windows/masterdata/Ukh1.h"
#include "windows/masterdata/Usp1.h"
#include "windows/masterdata/Uyg1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QString sheetPath(const QString &name)
{
    return QStringLiteral(IMPORT_SHEETS "/") + name;
}

QPushButton *button(QWidget *w, const QString &caption)
{
    for (QPushButton *b : w->findChildren<QPushButton *>())
        if (b->text() == caption)
            return b;
    qFatal("no button %s", qPrintable(caption));
}

QString recordCount(const ListWindow &w)
{
    return w.findChild<QLabel *>(u"recordCount"_s)->text();
}

// 0 goods, 1 suppliers, 2 customers, 3 employees.
std::unique_ptr<ListWindow> listOf(int which, const WindowContext &ctx)
{
    switch (which) {
    case 0:
        return std::make_unique<TFsp1>(ctx);
    case 1:
        return std::make_unique<TFghs1>(ctx);
    case 2:
        return std::make_unique<TFkh1>(ctx);
    default:
        return std::make_unique<TFyg1>(ctx);
    }
}

}  // namespace

class TestImportWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachListImportsItsTable_data();
    void eachListImportsItsTable();
    void blankPathAndFailureKeepTheDialog();
    void templateAndFileButtons();

private:
    Session m_session;
};

void TestImportWindow::eachListImportsItsTable_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("templateName");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("rows");
    QTest::newRow("goods") << 0 << u"导入商品资料"_s << u"sp"_s << u"商品资料.xls"_s
                           << u"goods.xlsx"_s << 5;
    QTest::newRow("suppliers") << 1 << u"导入厂商资料"_s << u"ghs"_s << u"厂商资料.xls"_s
                               << u"partners.xls"_s << 3;
    QTest::newRow("customers") << 2 << u"导入客户资料"_s << u"kh"_s << u"客户资料.xls"_s
                               << u"partners.xlsx"_s << 3;
    QTest::newRow("employees") << 3 << u"导入员工资料"_s << u"yg"_s << u"员工资料.xls"_s
                               << u"employees.xls"_s << 3;
}

void TestImportWindow::eachListImportsItsTable()
{
    QFETCH(int, which);
    QFETCH(QString, caption);
    QFETCH(QString, table);
    QFETCH(QString, templateName);
    QFETCH(QString, file);
    QFETCH(int, rows);
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    const std::unique_ptr<ListWindow> list = listOf(which, ctx);
    list->show();
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    QCOMPARE(recordCount(*list), u"记录数：0"_s);

    ScriptedMessages messages;
    bool shown = false;
    whenShown<TFdr1>([&](TFdr1 *d) {
        shown = true;
        QCOMPARE(d->windowTitle(), caption);
        QCOMPARE(d->ST(), table);
        QVERIFY(QDir::fromNativeSeparators(d->Edit1->text())
                    .endsWith(u"/数据导入模版/"_s + templateName));
        QVERIFY(d->Edit1->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), d->Edit2);
        // Enter in the empty path asks for the file; Enter again imports it.
        int asked = 0;
        d->fileChooser = [&] {
            ++asked;
            return sheetPath(file);
        };
        QTest::keyClick(d->Edit2, Qt::Key_Return);
        QCOMPARE(asked, 1);
        QCOMPARE(QDir::fromNativeSeparators(d->Edit2->text()), sheetPath(file));
        QTest::keyClick(d->Edit2, Qt::Key_Return);
        QCOMPARE(asked, 1);
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Accepted));
    });
    button(list.get(), u"导入"_s)->click();
    QVERIFY(shown);
    QCOMPARE(messages.texts(), QStringList{u"批量导入成功!"_s});
    QCOMPARE(messages.shown().front().caption, u"提示"_s);
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM "_s + table).toInt(), rows);
    QCOMPARE(list->grid()->rowCount(), rows);
    QCOMPARE(recordCount(*list), u"记录数：%1"_s.arg(rows));
}

void TestImportWindow::blankPathAndFailureKeepTheDialog()
{
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    TFghs1 list(ctx);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    ScriptedMessages messages;
    bool shown = false;
    whenShown<TFdr1>([&](TFdr1 *d) {
        shown = true;
        d->Edit2->setText(u"   "_s);
        d->BitBtn1->click();
        QCOMPARE(messages.texts(), QStringList{u"导入源文件不可为空！"_s});
        QCOMPARE(messages.shown().back().caption, u"提示"_s);
        QVERIFY(d->isVisible());

        // A sheet that fails: the message says where, the dialog stays, the
        // list is opened anew all the same.
        messages.clear();
        d->Edit2->setText(sheetPath(u"partners_missing_title.xls"_s));
        d->BitBtn1->click();
        QCOMPARE(messages.texts(),
                 QStringList{u"批量导入失败!\n第1行缺少列标题“银行帐号”。"_s});
        QCOMPARE(messages.shown().back().caption, u"警告"_s);
        QCOMPARE(messages.shown().back().icon, msg::Icon::Warning);
        QVERIFY(d->isVisible());
        QCOMPARE(recordCount(list), u"记录数：0"_s);

        // The right file next, then Esc would cancel; the import closes it.
        messages.clear();
        d->Edit2->setText(sheetPath(u"partners.xlsx"_s));
        d->BitBtn1->click();
        QCOMPARE(messages.texts(), QStringList{u"批量导入成功!"_s});
        QVERIFY(!d->isVisible());
    });
    button(&list, u"导入"_s)->click();
    QVERIFY(shown);
    QCOMPARE(recordCount(list), u"记录数：3"_s);

    // Esc cancels and imports nothing.
    messages.clear();
    whenShown<TFdr1>([&](TFdr1 *d) {
        d->Edit2->setText(sheetPath(u"partners.xls"_s));
        QTest::keyClick(d->Edit2, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Rejected));
    });
    button(&list, u"导入"_s)->click();
    QVERIFY(messages.texts().isEmpty());
    QCOMPARE(recordCount(list), u"记录数：3"_s);
}

void TestImportWindow::templateAndFileButtons()
{
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    TFdr1 d(ctx, sheetimport::employees());
    QStringList opened;
    d.templateOpener = [&](const QString &path) { opened << path; };
    d.fileChooser = [] { return QString(); };
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(d.SpeedButton1->toolTip(), u"打开模版"_s);
    QCOMPARE(d.SpeedButton2->toolTip(), u"选择文件"_s);
    d.SpeedButton1->click();
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened.front().endsWith(u"/数据导入模版/员工资料.xls"_s));
    // A file dialog left without a choice keeps the path as it was.
    d.Edit2->setText(u"/tmp/a.xls"_s);
    d.SpeedButton2->click();
    QCOMPARE(d.Edit2->text(), QDir::toNativeSeparators(u"/tmp/a.xls"_s));
    QVERIFY(TFdr1::fileFilter().startsWith(u"Excel文件(*.xls *.xlsx)"_s));

    if (const QByteArray dir = qgetenv("VELBORA_KEEP_PNG"); !dir.isEmpty())
        d.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(u"TFdr1.png"_s));
}

QTEST_MAIN(TestImportWindow)
#include "tst_importwindow.moc"
