// The inventory windows: the stock list "库存明细表" with the stock flags, its
// zeroing and printed forms, the conversion window, and the assembly and
// splitting windows, driven through their buttons, keys and fields.
#include "ModalDialogs.h"
#include "TestSupport.h"

#include "app/Umain1.h"
#include "core/db/Sql.h"
#include "report/ReportBuilders.h"
#include "report/ReportLayout.h"
#include "ui/ListGrid.h"
#include "ui/NumberEdit.h"
#include "windows/masterdata/CategoryTree.h"
#include "windows/stock/Uchai1.h"
#include "windows/stock/Ukcfx1.h"
#include "windows/stock/Uxgkcfx2.h"
#include "windows/stock/Uzu1.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

qint64 addRow(QSqlDatabase db, const QString &lb, const QString &txm, const QString &ppgg,
              const QString &dw, const char *kcsl, const char *kcjg)
{
    const Decimal q = Decimal::parse(QString::fromLatin1(kcsl));
    const Decimal p = Decimal::parse(QString::fromLatin1(kcjg));
    return sql::exec(db,
                     u"INSERT INTO sp (lb, txm, ppgg, dw, kcsl, kcjg, kcje, xjpf, xjls)"
                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                     {lb, txm, ppgg, dw, qint64(q.units()), qint64(p.units()),
                      qint64((q * p).roundedTo2().units()), qint64(p.units() * 2),
                      qint64(p.units() * 3)})
        .lastInsertId()
        .toLongLong();
}

QString stockText(QSqlDatabase db, qint64 id)
{
    sql::Query q = sql::exec(db, u"SELECT kcsl, kcje FROM sp WHERE id = ?"_s, {id});
    if (!q.next())
        return u"gone"_s;
    return Decimal::fromUnits(q.toLongLong(0)).toShortest() + u'/' +
           Decimal::fromUnits(q.toLongLong(1)).toShortest();
}

QString panels(const ListWindow &w)
{
    QStringList out;
    for (int i = 0; i < 6; ++i)
        out << w.panelText(i);
    return out.join(u'|');
}

QStringList column(const ListGrid *grid, const QString &field)
{
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << grid->rows().value(r, field).toString();
    return out;
}

// The form's text as pdftotext reads it, runs of blanks made one.
QString printedText(const report::Form &form, const QString &file)
{
    if (const auto error = report::writePdf(form, file)) {
        qWarning("%s", qPrintable(*error));
        return QString();
    }
    QProcess p;
    p.start(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, file, u"-"_s});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput())
        .replace(QRegularExpression(u"[ \\t]+"_s), u" "_s);
}

// VELBORA_KEEP_PNG=dir keeps a picture of the window for a look at it.
void keepPicture(QWidget &w, const QString &name)
{
    if (const QString dir = qEnvironmentVariable("VELBORA_KEEP_PNG"); !dir.isEmpty())
        w.grab().save(dir + u'/' + name + u".png"_s);
}

}  // namespace

class TestStockWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void listFollowsThePriceFlag_data();
    void listFollowsThePriceFlag();
    void rowsWithoutStockAreRed();
    void zeroing_data();
    void zeroing();
    void guardsWithoutPrices_data();
    void guardsWithoutPrices();
    void printedForms();

    void conversionThroughTheWindow();
    void conversionTargetByTypedCode_data();
    void conversionTargetByTypedCode();
    void conversionOfNoStockCloses();

    void assemblyThroughTheWindow();
    void splittingWindowHasItsOwnWords();

    void menuAndToolButtonOpenTheList();

private:
    WindowContext context() { return {m_shop->dm(), m_session}; }
    void shopGoods();

    std::unique_ptr<FreshShop> m_shop;
    std::unique_ptr<ScriptedMessages> m_messages;
    Session m_session;
    qint64 m_box = 0, m_piece = 0, m_nut = 0, m_kit = 0, m_wrench = 0;
};

void TestStockWindows::init()
{
    m_shop = std::make_unique<FreshShop>();
    m_messages = std::make_unique<ScriptedMessages>();
    m_session = Session::forOperator(u"系统管理员"_s,
                                     {u"显示库存价格"_s, u"库存归零"_s});
    shopGoods();
}

void TestStockWindows::cleanup()
{
    m_messages.reset();
    m_shop.reset();
}

void TestStockWindows::shopGoods()
{
    QSqlDatabase db = m_shop->db();
    m_box = addRow(db, u"紧固件"_s, u"LSH"_s, u"螺丝"_s, u"盒"_s, "10", "60");
    m_piece = addRow(db, u"紧固件"_s, u"LSG"_s, u"螺丝"_s, u"个"_s, "5", "5.5");
    m_nut = addRow(db, u"紧固件"_s, u"LM"_s, u"螺母"_s, u"个"_s, "0", "0.2");
    m_kit = addRow(db, u"紧固件"_s, u"KIT"_s, u"螺栓套装"_s, u"套"_s, "1", "3");
    m_wrench = addRow(db, u"五金工具"_s, u"BS"_s, u"扳手"_s, u"把"_s, "-2", "12.5");
}

// ---- The stock list ---------------------------------------------------------------

void TestStockWindows::listFollowsThePriceFlag_data()
{
    QTest::addColumn<bool>("prices");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("queried");
    // All: 10 + 5 + 0 + 1 - 2 = 14, 600 + 27.5 + 0 + 3 - 25 = 605.5.
    QTest::newRow("with prices") << true << u"总计||14||605.5|"_s << u"总计||16||630.5|"_s
                                 << u"总计||15||627.5|"_s;
    QTest::newRow("without prices") << false << u"总计||14|||"_s << u"总计||16|||"_s
                                    << u"总计||15|||"_s;
}

void TestStockWindows::listFollowsThePriceFlag()
{
    QFETCH(bool, prices);
    QFETCH(QString, opened);
    QFETCH(QString, category);
    QFETCH(QString, queried);
    if (!prices)
        m_session = Session::forOperator(u"钱"_s, {});
    TFkcfx1 w(context());
    w.show();
    QCOMPARE(w.windowTitle(), u"库存明细表"_s);
    QCOMPARE(w.grid()->rowCount(), 5);
    QCOMPARE(panels(w), opened);
    keepPicture(w, prices ? u"TFkcfx1"_s : u"TFkcfx1-without-prices"_s);
    QCOMPARE(w.grid()->isColumnHidden(4), !prices);
    QCOMPARE(w.grid()->isColumnHidden(5), !prices);
    QVERIFY(!w.grid()->isColumnHidden(3));
    QCOMPARE(w.grid()->model()->headerData(4, Qt::Horizontal).toString(), u"库存单价"_s);

    // A category click: its goods by name, their totals.
    Q_EMIT w.TreeView1->categoryClicked(u"紧固件"_s);
    QCOMPARE(column(w.grid(), u"ppgg"_s),
             (QStringList{u"螺母"_s, u"螺栓套装"_s, u"螺丝"_s, u"螺丝"_s}));
    QCOMPARE(panels(w), category);

    // The query dialog in its stock mode: names with 螺丝, stock above 0.
    whenShown<TFcxsp1>([](TFcxsp1 *d) {
        QCOMPARE(d->mode(), u"kc"_s);
        d->Edit3->setText(u"螺丝"_s);
        d->ComboBox1->setCurrentIndex(1);
        d->BitBtn1Click();
    });
    w.SB77Click();
    QCOMPARE(column(w.grid(), u"dw"_s), (QStringList{u"盒"_s, u"个"_s}));
    QCOMPARE(panels(w), queried);
    QVERIFY(m_messages->shown().empty());
}

void TestStockWindows::rowsWithoutStockAreRed()
{
    TFkcfx1 w(context());
    w.show();
    const QStringList names = column(w.grid(), u"ppgg"_s);
    for (int r = 0; r < w.grid()->rowCount(); ++r) {
        const Decimal kcsl = Decimal::fromUnits(w.grid()->rows().value(r, u"kcsl"_s).toLongLong());
        const QVariant colour =
            w.grid()->model()->data(w.grid()->model()->index(r, 1), Qt::ForegroundRole);
        const bool red = colour.isValid() && colour.value<QColor>() == QColor(Qt::red);
        QVERIFY2(red == !kcsl.isPositive(), qPrintable(names.at(r)));
    }
    QCOMPARE(w.findChild<QLabel *>(u"legend"_s)->text(), u"数量＜=0：不正常库存"_s);
}

void TestStockWindows::zeroing_data()
{
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<QString>("category");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<QString>("wrenchAfter");
    QTest::addColumn<QString>("panelsAfter");
    const QString confirmation = u"确定要归零本批库存么？\n\n1、一旦归零，当前显示的这批库存会统一为0  "
                                 "\n\n2、归零只对当前显示的这批库存操作，建议先查询后归零"_s;
    QTest::newRow("no right") << false << u"紧固件"_s << true
                              << QStringList{u"你无权归零库存！"_s} << u"10/600"_s << u"-2/-25"_s
                              << u"总计||16||630.5|"_s;
    QTest::newRow("one category") << true << u"紧固件"_s << true << QStringList{confirmation}
                                  << u"0/0"_s << u"-2/-25"_s << u"总计||0||0|"_s;
    QTest::newRow("cancelled") << true << u"紧固件"_s << false << QStringList{confirmation}
                               << u"10/600"_s << u"-2/-25"_s << u"总计||16||630.5|"_s;
    QTest::newRow("everything") << true << QString() << true << QStringList{confirmation}
                                << u"0/0"_s << u"0/0"_s << u"总计||0||0|"_s;
    QTest::newRow("nothing listed") << true << u"电工电料"_s << true
                                    << QStringList{u"没有数据可归零，请先查询！"_s} << u"10/600"_s
                                    << u"-2/-25"_s << u"总计||0||0|"_s;
}

void TestStockWindows::zeroing()
{
    QFETCH(bool, allowed);
    QFETCH(QString, category);
    QFETCH(bool, confirm);
    QFETCH(QStringList, messages);
    QFETCH(QString, boxAfter);
    QFETCH(QString, wrenchAfter);
    QFETCH(QString, panelsAfter);
    if (!allowed)
        m_session = Session::forOperator(u"钱"_s, {u"显示库存价格"_s});
    TFkcfx1 w(context());
    w.show();
    Q_EMIT w.TreeView1->categoryClicked(category);
    m_messages->answer(confirm ? msg::Answer::Ok : msg::Answer::Cancel);
    w.findChild<QPushButton *>(u"SB55"_s)->click();
    QCOMPARE(m_messages->texts(), messages);
    if (!allowed || messages.first().startsWith(u"没有"_s))
        QCOMPARE(m_messages->shown().front().caption, u"警告"_s);
    QCOMPARE(stockText(m_shop->db(), m_box), boxAfter);
    QCOMPARE(stockText(m_shop->db(), m_wrench), wrenchAfter);
    QCOMPARE(panels(w), panelsAfter);
    // The unit prices stay.
    QCOMPARE(sql::scalar(m_shop->db(), u"SELECT kcjg FROM sp WHERE id = ?"_s, {m_box}).toLongLong(),
             qint64(600000));
}

void TestStockWindows::guardsWithoutPrices_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("message");
    QTest::newRow("换算") << 0 << u"库存价格未显示，不可换算！"_s;
    QTest::newRow("拆零") << 1 << u"库存价格未显示，不可拆零！"_s;
    QTest::newRow("组装") << 2 << u"库存价格未显示，不可组装！"_s;
    QTest::newRow("带库存价格打印") << 3 << u"库存价格未显示，不可打印！"_s;
}

void TestStockWindows::guardsWithoutPrices()
{
    QFETCH(int, action);
    QFETCH(QString, message);
    m_session = Session::forOperator(u"钱"_s, {u"库存归零"_s});
    TFkcfx1 w(context());
    w.show();
    switch (action) {
    case 0: w.contextActions().first()->trigger(); break;  // "单位换算"
    case 1: w.SB33Click(); break;
    case 2: w.SB44Click(); break;
    case 3: w.printMenu->actions().first()->trigger(); break;
    }
    QCOMPARE(m_messages->texts(), QStringList{message});
    QCOMPARE(m_messages->shown().front().caption, u"警告"_s);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestStockWindows::printedForms()
{
    QVERIFY2(!QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty(),
             "pdftotext is missing: run scripts/install-deps.sh (poppler-utils)");
    QTemporaryDir dir;
    TFkcfx1 w(context());
    w.show();
    Q_EMIT w.TreeView1->categoryClicked(u"紧固件"_s);
    QString text;
    int printed = 0;
    w.previewer = [&](report::ListForm &form) {
        ++printed;
        text = printedText(form, dir.filePath(u"form%1.pdf"_s.arg(printed)));
    };
    QCOMPARE(w.printMenu->actions().at(0)->text(), u"1、带库存价格打印"_s);
    w.printMenu->actions().at(0)->trigger();
    QVERIFY2(text.contains(u"五金商行商品库存表"_s), qPrintable(text));
    QVERIFY2(text.contains(u"编码 商品名称 单位 库存数量 库存单价 库存金额"_s), qPrintable(text));
    QVERIFY2(text.contains(u"LSH 螺丝 盒 10 60 600"_s), qPrintable(text));
    QVERIFY2(text.contains(u"总计 16 630.5"_s), qPrintable(text));
    QVERIFY(!text.contains(u"扳手"_s));

    w.printMenu->actions().at(1)->trigger();
    QVERIFY2(text.contains(u"编码 商品名称 单位 库存数量 批发单价 零售单价"_s), qPrintable(text));
    QVERIFY2(text.contains(u"LSG 螺丝 个 5 11 16.5"_s), qPrintable(text));
    QVERIFY2(text.contains(u"总计 16"_s), qPrintable(text));
    QVERIFY(!text.contains(u"库存单价"_s));
    QVERIFY(!text.contains(u"630.5"_s));

    // Without the price flag only the form without prices prints.
    m_session = Session::forOperator(u"钱"_s, {});
    TFkcfx1 hidden(context());
    hidden.show();
    hidden.previewer = w.previewer;
    hidden.printMenu->actions().at(0)->trigger();
    QCOMPARE(printed, 2);
    QCOMPARE(m_messages->last(), u"库存价格未显示，不可打印！"_s);
    hidden.printMenu->actions().at(1)->trigger();
    QCOMPARE(printed, 3);
    QVERIFY2(text.contains(u"总计 14"_s), qPrintable(text));
    QVERIFY(!text.contains(u"605.5"_s));

    // An empty list prints nothing.
    Q_EMIT hidden.TreeView1->categoryClicked(u"电工电料"_s);
    hidden.printMenu->actions().at(1)->trigger();
    QCOMPARE(printed, 3);
    QCOMPARE(m_messages->last(), u"没有数据可打印，请先查询！"_s);
}

// ---- Conversion -------------------------------------------------------------------------

void TestStockWindows::conversionThroughTheWindow()
{
    TFkcfx1 w(context());
    w.show();
    QVERIFY(w.grid()->selectWhere(u"id"_s, m_box));
    bool seen = false;
    whenShown<TFxgkcfx2>([&](TFxgkcfx2 *d) {
        seen = true;
        QCOMPARE(d->windowTitle(), u"同一商品不同单位换算"_s);
        QCOMPARE(d->Edit1->text() + u'|' + d->Edit2->text() + u'|' + d->Edit3->text() + u'|' +
                     d->Edit4->text(),
                 u"LSH|螺丝|盒|10"_s);
        QCOMPARE(d->Edit8->text() + d->Edit9->text() + d->Edit10->text(), u"000"_s);
        QCOMPARE(QApplication::focusWidget(), d->Edit5);
        QTest::keyClicks(d->Edit5, u"LSG"_s);
        QCOMPARE(d->Edit6->text() + u'|' + d->Edit7->text(), u"螺丝|个"_s);
        QTest::keyClick(d->Edit5, Qt::Key_Return);  // the name is there: on to the base
        QCOMPARE(QApplication::focusWidget(), d->Edit8);
        d->Edit8->selectAll();
        QTest::keyClicks(d->Edit8, u"1a2"_s);  // letters are swallowed
        QTest::keyClick(d->Edit8, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d->Edit9);
        d->Edit9->selectAll();
        QTest::keyClicks(d->Edit9, u"2"_s);
        QCOMPARE(d->Edit10->text(), u"24.00"_s);
        keepPicture(*d, u"TFxgkcfx2"_s);
        QTest::keyClick(d->Edit9, Qt::Key_Return);  // presses 确定换算
        QVERIFY(!d->isVisible());
    });
    w.SB66Click();
    QVERIFY(seen);
    QVERIFY(m_messages->shown().empty());
    QCOMPARE(stockText(m_shop->db(), m_box), u"8/480"_s);
    QCOMPARE(stockText(m_shop->db(), m_piece), u"29/159.5"_s);
    // The list shows the target only, with its totals.
    QCOMPARE(column(w.grid(), u"id"_s), QStringList{QString::number(m_piece)});
    QCOMPARE(panels(w), u"总计||29||159.5|"_s);
}

void TestStockWindows::conversionTargetByTypedCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("matching none") << u"NONE"_s << u"换算商品不可为空！"_s;
    QTest::newRow("matching several") << u"TWIN"_s << u"换算商品不可为空！"_s;
    QTest::newRow("the same unit") << u"BOX2"_s << u"计量单位相同，不可转换！"_s;
    QTest::newRow("base 0") << u"LSG"_s << u"换算基数不可为0！"_s;
}

void TestStockWindows::conversionTargetByTypedCode()
{
    QFETCH(QString, code);
    QFETCH(QString, message);
    QSqlDatabase db = m_shop->db();
    addRow(db, u"紧固件"_s, u"TWIN"_s, u"双胞胎甲"_s, u"个"_s, "1", "1");
    addRow(db, u"紧固件"_s, u"TWIN"_s, u"双胞胎乙"_s, u"个"_s, "1", "1");
    addRow(db, u"紧固件"_s, u"BOX2"_s, u"大螺丝"_s, u"盒"_s, "1", "1");
    TFkcfx1 w(context());
    w.show();
    QVERIFY(w.grid()->selectWhere(u"id"_s, m_box));
    whenShown<TFxgkcfx2>([&](TFxgkcfx2 *d) {
        QTest::keyClicks(d->Edit5, code);
        d->Edit9->setText(u"2"_s);
        d->BitBtn1->click();
        QCOMPARE(m_messages->texts(), QStringList{message});
        QCOMPARE(m_messages->shown().front().caption, u"提示"_s);
        QVERIFY(d->isVisible());  // the window stays open
    });
    w.SB66Click();
    QCOMPARE(stockText(db, m_box), u"10/600"_s);
    QCOMPARE(w.grid()->rowCount(), 8);
}

void TestStockWindows::conversionOfNoStockCloses()
{
    TFkcfx1 w(context());
    w.show();
    QVERIFY(w.grid()->selectWhere(u"id"_s, m_nut));
    bool closed = false;
    whenShown<TFxgkcfx2>([&](TFxgkcfx2 *d) {
        QTest::keyClicks(d->Edit5, u"LSH"_s);
        d->BitBtn1->click();
        closed = !d->isVisible();
    });
    w.SB66Click();
    QVERIFY(closed);
    QCOMPARE(m_messages->texts(), QStringList{u"当前商品数量为0，不可换算！"_s});
    QCOMPARE(w.grid()->rowCount(), 5);
}

// ---- Assembly and splitting --------------------------------------------------------------

void TestStockWindows::assemblyThroughTheWindow()
{
    TFzu1 d(context());
    d.show();
    QApplication::setActiveWindow(&d);
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(d.windowTitle(), u"商品组装/打包"_s);
    QCOMPARE(d.quantity->objectName(), u"zzsl"_s);
    QCOMPARE(d.quantity->text(), u"1"_s);
    QCOMPARE(d.coefficient->text(), u"0"_s);

    // 新增 without a whole.
    d.SB1->click();
    QCOMPARE(m_messages->last(), u"组装而成的整件不可为空！"_s);
    QCOMPARE(QApplication::focusWidget(), d.txm1);

    QTest::keyClicks(d.txm1, u"KIT"_s);
    QCOMPARE(d.ppgg1->text() + u'|' + d.kcsl1->text(), u"螺栓套装|1"_s);
    QCOMPARE(d.spid1, m_kit);
    QTest::keyClick(d.txm1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), d.quantity);
    d.quantity->selectAll();
    QTest::keyClicks(d.quantity, u"10"_s);
    QTest::keyClick(d.quantity, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), d.txm2);

    // The whole as its own part.
    QTest::keyClicks(d.txm2, u"KIT"_s);
    d.coefficient->setText(u"1"_s);
    d.SB1->click();
    QCOMPARE(m_messages->last(), u"零件不可跟整件相同！"_s);
    d.txm2->clear();

    // 2 screws and 1 nut for each kit.
    QTest::keyClicks(d.txm2, u"LSG"_s);
    QTest::keyClick(d.txm2, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), d.coefficient);
    d.coefficient->selectAll();
    QTest::keyClicks(d.coefficient, u"2"_s);
    QTest::keyClick(d.coefficient, Qt::Key_Return);  // presses 新增
    QCOMPARE(d.txm2->text() + d.coefficient->text() + d.kcsl2->text(), u"00"_s);
    QCOMPARE(QApplication::focusWidget(), d.txm2);
    QTest::keyClicks(d.txm2, u"LM"_s);
    d.coefficient->setText(u"1"_s);
    d.SB1->click();
    QCOMPARE(column(d.DBGrid1, u"ppgg"_s), (QStringList{u"螺丝"_s, u"螺母"_s}));
    QCOMPARE(d.DBGrid1->rows().text(0, 5) + u'|' + d.DBGrid1->rows().text(1, 5), u"20|10"_s);
    QCOMPARE(d.DBGrid1->model()->headerData(5, Qt::Horizontal).toString(), u"组装所需数量"_s);
    keepPicture(d, u"TFzu1"_s);

    // A new quantity rewrites the recipe's quantities.
    d.quantity->setText(u"5"_s);
    QCOMPARE(d.DBGrid1->rows().text(0, 5) + u'|' + d.DBGrid1->rows().text(1, 5), u"10|5"_s);

    d.BitBtn1->click();
    QCOMPARE(m_messages->texts().size(), 2);  // the two refusals above only
    QCOMPARE(stockText(m_shop->db(), m_kit), u"6/18"_s);
    QCOMPARE(stockText(m_shop->db(), m_piece), u"-5/-27.5"_s);
    QCOMPARE(stockText(m_shop->db(), m_nut), u"-5/-1"_s);
    // Ready for the next whole; the recipe stays in sight with its stock.
    QCOMPARE(d.txm1->text() + d.ppgg1->text() + d.quantity->text(), u"1"_s);
    QCOMPARE(d.spid1, qint64(0));
    QCOMPARE(d.DBGrid1->rows().text(0, 3), u"-5"_s);

    // 删除 removes the selected part of this recipe.
    QTest::keyClicks(d.txm1, u"KIT"_s);
    d.DBGrid1->setCurrentRow(1);
    d.SB2->click();
    QCOMPARE(column(d.DBGrid1, u"ppgg"_s), QStringList{u"螺丝"_s});
    d.SB2->click();
    d.SB2->click();
    QCOMPARE(m_messages->last(), u"当前无数据，不可删除！"_s);
    d.BitBtn1->click();
    QCOMPARE(m_messages->last(), u"零件不可为空！"_s);
}

void TestStockWindows::splittingWindowHasItsOwnWords()
{
    TFchai1 d(context());
    d.show();
    QCOMPARE(d.windowTitle(), u"商品拆分/拆包"_s);
    QCOMPARE(d.BitBtn1->text(), u"确定拆分"_s);
    QCOMPARE(d.quantity->objectName(), u"cfsl"_s);
    QCOMPARE(d.coefficient->objectName(), u"cfxs"_s);
    QCOMPARE(d.DBGrid1->model()->headerData(4, Qt::Horizontal).toString(), u"拆分系数"_s);
    d.SB1->click();
    QCOMPARE(m_messages->last(), u"拆分所需的整件不可为空！"_s);

    // Split 3 boxes of 12 pieces.
    QTest::keyClicks(d.txm1, u"LSH"_s);
    d.quantity->setText(u"3"_s);
    QTest::keyClicks(d.txm2, u"LSG"_s);
    d.coefficient->setText(u"12"_s);
    d.SB1->click();
    QCOMPARE(d.DBGrid1->rows().text(0, 5), u"36"_s);
    d.BitBtn1->click();
    QCOMPARE(stockText(m_shop->db(), m_box), u"7/420"_s);
    QCOMPARE(stockText(m_shop->db(), m_piece), u"41/225.5"_s);
    QCOMPARE(m_messages->texts().size(), 1);
}

// ---- The main window -------------------------------------------------------------------

void TestStockWindows::menuAndToolButtonOpenTheList()
{
    // An operator without any permission still reaches the list.
    QSqlDatabase db = m_shop->db();
    sql::exec(db, u"INSERT INTO yhsz (yhmc, yhmm) VALUES ('钱', '1')"_s);
    TFmain1 main(m_shop->dm());
    main.startSession(u"钱"_s);
    main.resize(1200, 700);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QAction *item = main.menuItem(u"商品库存明细表"_s);
    QVERIFY(item->isEnabled());
    main.findChild<QToolButton *>(u"SpeedButton7"_s)->click();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    auto *list = qobject_cast<TFkcfx1 *>(main.mdiArea()->activeSubWindow()->widget());
    QVERIFY(list);
    QVERIFY(list->grid()->isColumnHidden(5));
    item->trigger();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    QCOMPARE(main.mdiArea()->activeSubWindow()->widget(), list);
}

QTEST_MAIN(TestStockWindows)
#include "tst_stockwindows.moc"
