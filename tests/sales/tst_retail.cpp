// The retail and wholesale windows at the counter, driven through their keys.
#include "DocumentWindowFixtures.h"
#include "TestSupport.h"

#include "core/money/Decimal.h"
#include "core/db/Sql.h"
#include "windows/sales/Utjpfd1.h"
#include "windows/sales/Utjxsd1.h"
#include "windows/documents/Uxgmx1.h"
#include "windows/sales/Uxzxs1.h"
#include "report/forms/Udyxsd1.h"
#include "ui/ListGrid.h"
#include "ui/NumberEdit.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QToolButton>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

namespace {

qlonglong u(const char *t)
{
    return Decimal::parse(QString::fromLatin1(t)).units();
}

void addGoods(const QSqlDatabase &db, const QString &txm, const QString &ppgg, const char *retail,
              const char *wholesale, const char *stock, const char *cost)
{
    sql::exec(db,
              u"INSERT INTO sp (lb, txm, ppgg, dw, xjls, xjpf, jj, kcsl, kcjg, kcje) "
              u"VALUES ('紧固件', ?, ?, '个', ?, ?, 0, ?, ?, 0)"_qs,
              {txm, ppgg, u(retail), u(wholesale), u(stock), u(cost)});
}

Decimal stockOf(const QSqlDatabase &db, const QString &txm)
{
    return Decimal::fromUnits(
        sql::scalar(db, u"SELECT kcsl FROM sp WHERE txm = ?"_qs, {txm}).toLongLong());
}

}  // namespace

using windowfixture::count;
using windowfixture::scan;

class TestRetail : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsNewDocument();
    void scanFillsAndEnterMovesToQuantity();
    void quantityIsKeptAndZeroRefused();
    void quantitiesRoundTiesToEven();
    void amountsFollowTotals();
    void finalizeChecksThenPostsAndClears();
    void holdTakeDeleteAndAbandon();
    void functionKeysAndEsc();
    void wholesaleDifferences();
    void lineEditorSavesAndSteps();
    void heldPickerFiltersByKindAndPartner();
    void slipTakesTheTidiedAmounts();

private:
    std::unique_ptr<FreshShop> m_shop;
    Session m_session = Session::forOperator(u"系统管理员"_qs, {});
    std::unique_ptr<ScriptedMessages> m_messages;
};

void TestRetail::init()
{
    m_shop = std::make_unique<FreshShop>();
    m_messages = std::make_unique<ScriptedMessages>();
    addGoods(m_shop->db(), u"M8LS"_qs, u"M8螺丝"_qs, "0.5", "0.4", "100", "0.3");
    addGoods(m_shop->db(), u"BS12"_qs, u"活动扳手"_qs, "35", "30", "10", "22");
}

void TestRetail::cleanup()
{
    m_messages.reset();
    m_shop.reset();
}

void TestRetail::startsNewDocument()
{
    TFtjxsd1 w({m_shop->dm(), m_session});
    w.setToday([] { return QDate(2014, 3, 2); });
    w.newDocument();
    QCOMPARE(w.windowTitle(), u"新增零售出库单"_qs);
    QCOMPARE(w.ztbj->text(), u"新增"_qs);
    QCOMPARE(w.shbj->text(), u"未审核"_qs);
    QCOMPARE(w.number(), u"XSD20140302001"_qs);
    QCOMPARE(w.DateTimePicker1->date(), QDate(2014, 3, 2));
    for (QLineEdit *e : std::initializer_list<QLineEdit *>{w.yhe, w.yse, w.sse, w.hjsl, w.hjje})
        QCOMPARE(e->text(), u"0"_qs);
    QVERIFY(w.lines().empty());
}

void TestRetail::scanFillsAndEnterMovesToQuantity()
{
    TFtjxsd1 w({m_shop->dm(), m_session});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.txm->setFocus();
    QTest::keyClicks(w.txm, u"M8L"_qs);
    QVERIFY(w.ppgg->text().isEmpty());  // no goods has this code yet
    QTest::keyClicks(w.txm, u"S"_qs);
    QCOMPARE(w.ppgg->text(), u"M8螺丝"_qs);
    QCOMPARE(w.jg->text(), u"0.5"_qs);  // the retail price
    QCOMPARE(w.kcsl->text(), u"100"_qs);
    QCOMPARE(w.cbjg->text(), u"0.3"_qs);
    QTest::keyClick(w.txm, Qt::Key_Return);
    QTRY_VERIFY(w.sl->hasFocus());

    // An unknown code: Enter opens the goods picker, whose choices add lines
    // of quantity 1 at the retail price.
    w.txm->clear();
    QTest::keyClicks(w.txm, u"NOPE"_qs);
    QTest::keyClick(w.txm, Qt::Key_Return);
    QVERIFY(w.goodsPicker());
    QTRY_VERIFY(w.goodsPicker()->isVisible());
    QCOMPARE(w.goodsPicker()->mode(), u"tjxs"_qs);
    goods::Article a;
    a.txm = u"BS12"_qs;
    a.ppgg = u"活动扳手"_qs;
    a.dw = u"个"_qs;
    a.xjls = Decimal::parse(u"35");
    a.kcjg = Decimal::parse(u"22");
    w.receiveGoods(a);
    QCOMPARE(w.lines().size(), size_t(1));
    QCOMPARE(w.lines()[0].sl.toShortest(), u"1"_qs);
    QCOMPARE(w.lines()[0].je.toFixed2(), u"35.00"_qs);
    QCOMPARE(w.hjje->text(), u"35"_qs);
    // Asking again brings the same picker forward; closing the window closes it.
    TFsp2 *picker = w.goodsPicker();
    w.openGoodsPicker();
    QCOMPARE(w.goodsPicker(), picker);

    // Two goods rows sharing a code: none is taken.
    addGoods(m_shop->db(), u"DUP"_qs, u"甲"_qs, "1", "1", "0", "0");
    addGoods(m_shop->db(), u"DUP"_qs, u"乙"_qs, "1", "1", "0", "0");
    w.txm->setText(u"DUP"_qs);
    QVERIFY(w.ppgg->text().isEmpty());
    QCOMPARE(w.jg->text(), u"0"_qs);
}

void TestRetail::quantityIsKeptAndZeroRefused()
{
    TFtjxsd1 w({m_shop->dm(), m_session});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    scan(w, u"M8LS"_qs, u"3"_qs);
    QCOMPARE(w.lines().size(), size_t(1));
    QTRY_VERIFY(w.txm->hasFocus());
    QVERIFY(w.txm->text().isEmpty());
    QCOMPARE(w.sl->text(), u"3"_qs);  // kept for the next article
    scan(w, u"BS12"_qs);
    QCOMPARE(w.lines().size(), size_t(2));
    QCOMPARE(w.lines()[1].sl.toShortest(), u"3"_qs);
    QCOMPARE(w.hjsl->text(), u"6"_qs);
    QCOMPARE(w.hjje->text(), u"106.5"_qs);

    scan(w, u"M8LS"_qs, u"0"_qs);
    QCOMPARE(m_messages->last(), u"数量不可为零！"_qs);
    QCOMPARE(w.lines().size(), size_t(2));
    QVERIFY(w.sl->hasFocus());
    // Enter in the quantity with no goods chosen.
    w.txm->clear();
    w.sl->setText(u"1"_qs);
    QTest::keyClick(w.sl, Qt::Key_Return);
    QCOMPARE(m_messages->last(), u"商品不可为空！"_qs);
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM xsglc WHERE bj = 'dz'"_qs), 2);
}

void TestRetail::quantitiesRoundTiesToEven()
{
    TFtjxsd1 w({m_shop->dm(), m_session});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    scan(w, u"M8LS"_qs, u"2.345"_qs);
    scan(w, u"M8LS"_qs, u"2.355"_qs);
    QCOMPARE(w.lines()[0].sl.toShortest(), u"2.34"_qs);
    QCOMPARE(w.lines()[1].sl.toShortest(), u"2.36"_qs);
    // A return line is red and negative all through.
    scan(w, u"BS12"_qs, u"-1"_qs);
    QCOMPARE(w.lines()[2].je.toFixed2(), u"-35.00"_qs);
    QCOMPARE(w.lines()[2].maoli.toFixed2(), u"-13.00"_qs);
    const QModelIndex cell = w.DBGrid1->model()->index(2, 0);
    QCOMPARE(w.DBGrid1->model()->data(cell, Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
}

void TestRetail::amountsFollowTotals()
{
    TFtjxsd1 w({m_shop->dm(), m_session});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    addGoods(m_shop->db(), u"H100"_qs, u"合页"_qs, "100", "90", "5", "60");
    scan(w, u"H100"_qs, u"1"_qs);
    QCOMPARE(w.yse->text(), u"100"_qs);
    QCOMPARE(w.sse->text(), u"100"_qs);
    w.yhe->selectAll();
    QTest::keyClicks(w.yhe, u"-"_qs);
    QCOMPARE(w.yse->text(), u"100"_qs);  // a lone "-" shows the total
    QTest::keyClick(w.yhe, Qt::Key_Backspace);
    QTest::keyClicks(w.yhe, u"0.5"_qs);
    QCOMPARE(w.yse->text(), u"99.5"_qs);
    QCOMPARE(w.sse->text(), u"99.5"_qs);  // received follows due
    w.sse->selectAll();
    QTest::keyClicks(w.sse, u"90"_qs);
    w.jsr->setText(u"张三"_qs);
    w.kh->setText(u"散客"_qs);
    const QString number = w.number();
    w.BB4Click();
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));
    QCOMPARE(Decimal::fromUnits(
                 sql::scalar(m_shop->db(), u"SELECT qk FROM xsglz WHERE dh = ?"_qs, {number})
                     .toLongLong())
                 .toShortest(),
             u"9.5"_qs);
}

void TestRetail::finalizeChecksThenPostsAndClears()
{
    TFtjxsd1 w({m_shop->dm(), m_session});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QString first = w.number();
    scan(w, u"M8LS"_qs, u"10"_qs);

    QTest::keyClick(w.txm, Qt::Key_F8);
    QCOMPARE(m_messages->last(), u"经办人不可为空！"_qs);
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM xsglz"_qs), 0);
    w.jsr->setText(u"张三"_qs);
    QTest::keyClick(w.txm, Qt::Key_F9);
    QCOMPARE(m_messages->last(), u"客户不可为空！"_qs);
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM xsglz"_qs), 0);

    w.kh->setText(u"散客"_qs);
    w.bz->setText(u"门市"_qs);
    m_messages->clear();
    QTest::keyClick(w.txm, Qt::Key_F8);
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));
    // Posted: ledger, stock, receipt.
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM xsglz WHERE dh = ? AND shbj = '已审核'"_qs,
                   {first}),
             1);
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM xsfx WHERE dh = ?"_qs, {first}), 1);
    QCOMPARE(stockOf(m_shop->db(), u"M8LS"_qs).toShortest(), u"90"_qs);
    QCOMPARE(sql::scalar(m_shop->db(), u"SELECT bz FROM skfx WHERE dh = ?"_qs, {first}).toString(),
             u"零售业务"_qs);
    // Cleared for the next sale: handler and remark stay, the number advances.
    QVERIFY(w.kh->text().isEmpty());
    QCOMPARE(w.jsr->text(), u"张三"_qs);
    QCOMPARE(w.bz->text(), u"门市"_qs);
    QCOMPARE(w.hjje->text(), u"0"_qs);
    QVERIFY(w.lines().empty());
    QCOMPARE(w.number().right(3), u"002"_qs);
    QCOMPARE(w.number().left(11), first.left(11));
}

void TestRetail::holdTakeDeleteAndAbandon()
{
    TFtjxsd1 w({m_shop->dm(), m_session});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QString held = w.number();
    scan(w, u"M8LS"_qs, u"1"_qs);
    scan(w, u"BS12"_qs, u"1"_qs);
    w.jsr->setText(u"张三"_qs);
    w.kh->setText(u"王五"_qs);
    QTest::keyClick(w.txm, Qt::Key_F9);
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM xsglz WHERE shbj = '未审核'"_qs), 1);
    QCOMPARE(stockOf(m_shop->db(), u"M8LS"_qs).toShortest(), u"100"_qs);  // nothing posted

    const auto yzLines = [&] {
        return count(m_shop->db(), u"SELECT count(*) FROM xsglc WHERE dh = ? AND bj = 'yz'"_qs,
                     {held});
    };
    QCOMPARE(yzLines(), 2);

    // Take it back (what the picker hands over), delete a line, abandon: the line returns.
    w.takeHeld(held);
    QCOMPARE(w.windowTitle(), u"修改零售出库单"_qs);
    QCOMPARE(w.ztbj->text(), u"修改"_qs);
    QCOMPARE(w.number(), held);
    QCOMPARE(w.kh->text(), u"王五"_qs);
    QCOMPARE(w.lines().size(), size_t(2));
    w.DBGrid1->setCurrentRow(0);
    QTest::keyClick(w.txm, Qt::Key_F11);
    QCOMPARE(w.lines().size(), size_t(1));
    QTest::keyClick(w.txm, Qt::Key_F5);
    QCOMPARE(w.ztbj->text(), u"新增"_qs);
    QCOMPARE(yzLines(), 2);

    // Again, and this time the edit is saved: the line is gone for good.
    w.takeHeld(held);
    w.DBGrid1->setCurrentRow(0);
    QTest::keyClick(w.txm, Qt::Key_F11);
    scan(w, u"BS12"_qs, u"2"_qs);  // a line added in the edit
    QTest::keyClick(w.txm, Qt::Key_F9);
    QVERIFY2(m_messages->last() == u"确定要删除此明细么？"_qs, qPrintable(m_messages->last()));
    QCOMPARE(yzLines(), 2);
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM xsglc WHERE dh = ? AND txm = 'M8LS'"_qs,
                   {held}),
             0);
    QCOMPARE(w.ztbj->text(), u"新增"_qs);  // a new document follows the saved edit
    QVERIFY(w.number() != held);
}

void TestRetail::functionKeysAndEsc()
{
    QPointer<TFtjxsd1> w = new TFtjxsd1({m_shop->dm(), m_session});
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    scan(*w, u"M8LS"_qs, u"2"_qs);
    QCOMPARE(w->lines().size(), size_t(1));
    // F11 with confirmation cancelled keeps the line; confirmed deletes it.
    w->DBGrid1->setCurrentRow(0);
    m_messages->answer(msg::Answer::Cancel);
    QTest::keyClick(w->txm, Qt::Key_F11);
    QCOMPARE(w->lines().size(), size_t(1));
    QTest::keyClick(w->txm, Qt::Key_F11);
    QCOMPARE(m_messages->last(), u"确定要删除此明细么？"_qs);
    QCOMPARE(w->lines().size(), size_t(0));
    QTest::keyClick(w->txm, Qt::Key_F11);
    QCOMPARE(m_messages->last(), u"没有明细可删除！"_qs);
    QCOMPARE(m_messages->shown().back().caption, u"警告"_qs);
    QTest::keyClick(w->txm, Qt::Key_F12);
    QCOMPARE(m_messages->last(), u"没有明细可修改！"_qs);
    QTest::keyClick(w->txm, Qt::Key_F7);
    QCOMPARE(m_messages->last(), u"明细不可为空！"_qs);

    // F5 abandons the unsaved lines; Esc closes and abandons too.
    scan(*w, u"M8LS"_qs, u"2"_qs);
    QTest::keyClick(w->txm, Qt::Key_F5);
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM xsglc"_qs), 0);
    QVERIFY(w->lines().empty());
    scan(*w, u"M8LS"_qs, u"2"_qs);
    QTest::keyClick(w->txm, Qt::Key_Escape);
    QTRY_VERIFY(w.isNull());
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM xsglc"_qs), 0);
}

void TestRetail::wholesaleDifferences()
{
    TFtjpfd1 pf({m_shop->dm(), m_session});
    TFtjxsd1 xs({m_shop->dm(), m_session});
    QCOMPARE(pf.windowTitle(), u"新增批发出库单"_qs);
    QVERIFY(pf.number().startsWith(u"PFD"_qs));
    QVERIFY(pf.number().endsWith(u"001"_qs));
    QVERIFY(xs.number().endsWith(u"001"_qs));
    QVERIFY(pf.kh->isReadOnly());
    QVERIFY(!xs.kh->isReadOnly());
    pf.txm->setText(u"M8LS"_qs);
    QCOMPARE(pf.jg->text(), u"0.4"_qs);  // the wholesale price
    pf.sl->setText(u"5"_qs);
    pf.SB1Click();
    xs.txm->setText(u"M8LS"_qs);
    xs.sl->setText(u"1"_qs);
    xs.SB1Click();
    // Closing the retail window leaves the wholesale window's unsaved lines alone.
    xs.close();
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM xsglc WHERE dh = ? AND bj = 'dz'"_qs,
                   {pf.number()}),
             1);
}

void TestRetail::lineEditorSavesAndSteps()
{
    TFtjxsd1 w({m_shop->dm(), m_session});
    w.txm->setText(u"M8LS"_qs);
    w.sl->setText(u"4"_qs);
    w.SB1Click();
    w.txm->setText(u"BS12"_qs);
    w.sl->setText(u"1"_qs);
    w.SB1Click();
    TFxgmx1 editor({m_shop->dm(), m_session}, w.descriptor(), u"xsmx"_qs, w.number(),
                   w.mode(), w.lines(), 0);
    QCOMPARE(editor.mode(), u"xsmx"_qs);
    QCOMPARE(editor.txm->text(), u"M8LS"_qs);
    QVERIFY(editor.txm->isReadOnly() && editor.je->isReadOnly());
    editor.sl->setText(u"2.345"_qs);
    QCOMPARE(editor.je->text(), u"1.17"_qs);  // 0.5 x 2.345 = 1.1725
    editor.sl->clear();
    QCOMPARE(editor.sl->text(), u"0"_qs);
    editor.BitBtn1Click();
    QCOMPARE(m_messages->last(), u"数量不可为零！"_qs);
    editor.sl->setText(u"-3"_qs);
    editor.BitBtn1Click();
    QCOMPARE(m_messages->last(), u"销售明细修改成功！"_qs);
    QCOMPARE(editor.currentIndex(), 1);  // on to the next line
    QCOMPARE(editor.txm->text(), u"BS12"_qs);
    sql::Query q = sql::exec(m_shop->db(),
                            u"SELECT sl, je, cbje, maoli, bj FROM xsglc WHERE txm = 'M8LS'"_qs);
    QVERIFY(q.next());
    QCOMPARE(Decimal::fromUnits(q.value(0).toLongLong()).toShortest(), u"-3"_qs);
    QCOMPARE(Decimal::fromUnits(q.value(1).toLongLong()).toFixed2(), u"-1.50"_qs);
    QCOMPARE(Decimal::fromUnits(q.value(2).toLongLong()).toFixed2(), u"-0.90"_qs);
    QCOMPARE(Decimal::fromUnits(q.value(3).toLongLong()).toFixed2(), u"-0.60"_qs);
    QCOMPARE(q.value(4).toString(), u"dz"_qs);  // the mark is kept
    // The navigator stays within the lines.
    editor.next->click();
    QCOMPARE(editor.currentIndex(), 1);
    editor.first->click();
    QCOMPARE(editor.txm->text(), u"M8LS"_qs);
    QCOMPARE(editor.sl->text(), u"-3"_qs);
    editor.prior->click();
    QCOMPARE(editor.currentIndex(), 0);
    editor.last->click();
    QCOMPARE(editor.currentIndex(), 1);
}

void TestRetail::heldPickerFiltersByKindAndPartner()
{
    const auto holdOne = [&](DocumentWindow &w, const QString &customer) {
        w.txm->setText(u"M8LS"_qs);
        w.sl->setText(u"1"_qs);
        w.SB1Click();
        w.jsr->setText(u"张三"_qs);
        w.kh->setText(customer);
        w.BB5Click();
    };
    TFtjxsd1 xs({m_shop->dm(), m_session});
    TFtjpfd1 pf({m_shop->dm(), m_session});
    holdOne(xs, u"王五"_qs);
    holdOne(xs, u"李四"_qs);
    holdOne(pf, u"王五建材"_qs);
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));

    TFxzxs1 retail({m_shop->dm(), m_session}, xs.descriptor(), u"tjxs"_qs);
    QCOMPARE(retail.windowTitle(), u"选择销售挂单（未审销售单）"_qs);
    QVERIFY(!retail.CheckBox1->isChecked());
    QCOMPARE(retail.DateTimePicker2->date(), QDate::currentDate());
    QCOMPARE(retail.DateTimePicker1->date(), QDate::currentDate().addMonths(-1));
    retail.runQuery();
    QCOMPARE(retail.grid()->rowCount(), 2);  // the wholesale one is not offered
    retail.Edit2->setText(u"王"_qs);
    retail.runQuery();
    QCOMPARE(retail.grid()->rowCount(), 1);
    QVERIFY(retail.grid()->rows().isWindowed());
    retail.chooseClick();
    QCOMPARE(retail.result(), int(QDialog::Accepted));
    QVERIFY(retail.chosenNumber().startsWith(u"XSD"_qs));

    // The date range: a from-date after the to-date carries the to-date along.
    TFxzxs1 wholesale({m_shop->dm(), m_session}, pf.descriptor(), u"tjpf"_qs);
    wholesale.CheckBox1->setChecked(true);
    wholesale.DateTimePicker1->setDate(QDate::currentDate().addDays(3));
    QCOMPARE(wholesale.DateTimePicker2->date(), QDate::currentDate().addDays(3));
    wholesale.runQuery();
    QCOMPARE(wholesale.grid()->rowCount(), 0);
    wholesale.chooseClick();
    QCOMPARE(m_messages->last(), u"没有单据可选择！"_qs);
    QCOMPARE(m_messages->shown().back().caption, u"警告"_qs);
    wholesale.DateTimePicker1->setDate(QDate::currentDate());
    wholesale.DateTimePicker2->setDate(QDate::currentDate());
    wholesale.runQuery();
    QCOMPARE(wholesale.grid()->rowCount(), 1);
}

void TestRetail::slipTakesTheTidiedAmounts()
{
    TFtjxsd1 w({m_shop->dm(), m_session});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    std::vector<report::Form> previewed, printed;
    w.setPreviewer([&](report::Form &f) { previewed.push_back(f); });
    w.setPrinter([&](const report::Form &f) {
        printed.push_back(f);
        return true;
    });
    scan(w, u"BS12"_qs, u"2"_qs);
    QCOMPARE(w.sse->text(), u"70"_qs);
    const auto typeReceived = [&](const QString &text) {
        w.sse->setFocus();
        w.sse->selectAll();
        QTest::keyClicks(w.sse, text);
    };
    const auto amounts = [](const report::Form &f) {
        return QStringList{f.caption(TFdyxsd1::dueLabel()), f.caption(TFdyxsd1::receivedLabel()),
                           f.caption(TFdyxsd1::owedCaptionLabel()),
                           f.caption(TFdyxsd1::owedCapitalsLabel())};
    };
    const QStringList nothingReceived{u"￥70"_qs, u"￥0"_qs, u"欠款:"_qs,
                                      report::capitalsText(Decimal::parse(u"70"))};

    // A lone "-" in 实收额, still in the field: the slip reads it as 0, as
    // the checks do.
    typeReceived(u"-"_qs);
    QTest::keyClick(w.sse, Qt::Key_F7);
    QCOMPARE(previewed.size(), size_t(1));
    QCOMPARE(amounts(previewed[0]), nothingReceived);

    // A text that is not a number prints nothing.
    typeReceived(u"1-"_qs);
    QTest::keyClick(w.sse, Qt::Key_F7);
    QCOMPARE(m_messages->last(), u"实收额不是有效的数字！"_qs);
    w.BB31->click();
    QCOMPARE(previewed.size(), size_t(1));
    QVERIFY(printed.empty());
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM xsglz"_qs), 0);

    // 打印结单 prints what it then saves.
    w.jsr->setText(u"张三"_qs);
    w.kh->setText(u"散客"_qs);
    typeReceived(u"-"_qs);
    m_messages->clear();
    w.BB31->click();
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));
    QCOMPARE(printed.size(), size_t(1));
    QCOMPARE(amounts(printed[0]), nothingReceived);
    sql::Query q = sql::exec(m_shop->db(), u"SELECT yse, sse, qk FROM xsglz"_qs);
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toLongLong(), u("70"));
    QCOMPARE(q.value(1).toLongLong(), 0);
    QCOMPARE(q.value(2).toLongLong(), u("70"));
}

QTEST_MAIN(TestRetail)
#include "tst_retail.moc"
