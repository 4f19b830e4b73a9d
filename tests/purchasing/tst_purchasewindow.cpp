// The purchase window driven through its keys: supplier and handler only
// through their pickers, the purchase price, the payment rules, Enter in the
// remark finalizing with the moving average, the held-document picker, the
// line editor and the printed voucher.
#include "DocumentWindowFixtures.h"
#include "TestSupport.h"

#include "windows/masterdata/Ughs2.h"
#include "windows/masterdata/Uyg2.h"
#include "report/GoodsVoucher.h"
#include "windows/purchasing/Utjcgd1.h"
#include "windows/purchasing/Uxzcg1.h"
#include "windows/documents/Uxgmx1.h"
#include "ui/ListGrid.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace windowfixture;

namespace {

const QDate kToday{2024, 3, 15};

}  // namespace

class TestPurchaseWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensAsPurchaseDocument();
    void codeTakesPurchasePriceAndEnterWalksTheRow();
    void supplierAndHandlerOnlyThroughPickers();
    void paymentRules_data();
    void paymentRules();
    void enterInRemarkFinalizesWithMovingAverage();
    void heldPickerAndLineEditor();
    void printsPurchaseVoucher();
    void goodsPickerInPurchaseMode();

private:
    std::unique_ptr<TFtjcgd1> window();

    std::unique_ptr<FreshShop> m_shop;
    Session m_session = Session::forOperator(u"系统管理员"_s, {});
    std::unique_ptr<ScriptedMessages> m_messages;
};

void TestPurchaseWindow::init()
{
    m_shop = std::make_unique<FreshShop>();
    m_messages = std::make_unique<ScriptedMessages>();
    const QSqlDatabase db = m_shop->db();
    addGoods(db, u"A1"_s, u"活动扳手"_s, u"3 4 5"_s, u"10 2 20"_s);
    addGoods(db, u"B2"_s, u"卷尺5米"_s, u"12 15 18"_s, u"0 0 0"_s);
    sql::exec(db, u"INSERT INTO ghs (mc) VALUES ('东方五金厂'), ('西山螺丝厂')"_s);
    sql::exec(db, u"INSERT INTO yg (xm) VALUES ('张三')"_s);
}

void TestPurchaseWindow::cleanup()
{
    m_messages.reset();
    m_shop.reset();
}

std::unique_ptr<TFtjcgd1> TestPurchaseWindow::window()
{
    auto w = std::make_unique<TFtjcgd1>(WindowContext{m_shop->dm(), m_session});
    w->setToday([] { return kToday; });
    w->newDocument();
    return w;
}

void TestPurchaseWindow::opensAsPurchaseDocument()
{
    const auto w = window();
    QCOMPARE(w->windowTitle(), u"新增采购入库单"_s);
    QCOMPARE(w->ztbj->text(), u"新增"_s);
    QCOMPARE(w->shbj->text(), u"未审核"_s);
    QCOMPARE(w->number(), u"CGD20240315001"_s);
    // The supplier is picked, never typed; the amounts are the payment side's.
    QCOMPARE(w->kh->objectName(), u"ghs"_s);
    QVERIFY(w->kh->isReadOnly());
    QCOMPARE(captionOf(w.get(), w->kh), u"厂商"_s);
    QCOMPARE(w->SpeedButton2->toolTip(), u"选择厂商"_s);
    QCOMPARE(w->yse->objectName(), u"yfe"_s);
    QCOMPARE(w->sse->objectName(), u"sfe"_s);
    QCOMPARE(captionOf(w.get(), w->yse), u"应付额"_s);
    QCOMPARE(captionOf(w.get(), w->sse), u"实付额"_s);
    QCOMPARE(w->yse->toolTip(), u"应付额＜0：表示应退款"_s);
    QCOMPARE(w->sse->toolTip(), u"正负方向必须跟应付额一致"_s);
    QCOMPARE(w->yhe->toolTip(), u"正负方向必须跟总金额一致"_s);
    QCOMPARE(w->sl->toolTip(), u"采购数量"_s);
    QVERIFY(w->yhe->isVisibleTo(w.get()) && w->sse->isVisibleTo(w.get()));
    QVERIFY(!w->sm);
    QCOMPARE(w->BB3->text(), u"打印-F7"_s);
    QCOMPARE(w->BB3->toolTip(), u"打印单据"_s);
    QVERIFY(!w->BB31);  // no print-and-finalize on a purchase
    for (QLineEdit *e :
         std::initializer_list<QLineEdit *>{w->yhe, w->yse, w->sse, w->jg, w->sl, w->hjsl, w->hjje})
        QCOMPARE(e->text(), u"0"_s);
}

void TestPurchaseWindow::codeTakesPurchasePriceAndEnterWalksTheRow()
{
    const auto w = window();
    QVERIFY(showActive(w.get()));
    w->txm->setFocus();
    QTest::keyClicks(w->txm, u"A1"_s);
    QCOMPARE(w->ppgg->text(), u"活动扳手"_s);
    QCOMPARE(w->jg->text(), u"3"_s);  // the purchase price jj
    QCOMPARE(w->kcsl->text(), u"10"_s);
    QTest::keyClick(w->txm, Qt::Key_Return);
    QVERIFY(w->sl->hasFocus());
    // Enter in the price goes to the quantity (even with one typed); the
    // price takes no minus.
    w->sl->setText(u"2"_s);
    w->jg->setFocus();
    QTest::keyClicks(w->jg, u"-"_s);
    QCOMPARE(w->jg->text(), u"3"_s);
    QTest::keyClick(w->jg, Qt::Key_Return);
    QVERIFY(w->sl->hasFocus());
    QVERIFY(w->lines().empty());
    // Enter in the quantity adds the line; a quantity of 1.005 is 1.00 (ties to even).
    w->sl->selectAll();
    QTest::keyClicks(w->sl, u"1.005"_s);
    QTest::keyClick(w->sl, Qt::Key_Return);
    QCOMPARE(w->lines().size(), size_t(1));
    QCOMPARE(w->lines()[0].sl.toShortest(), u"1"_s);
    QCOMPARE(w->lines()[0].je.toFixed2(), u"3.00"_s);
    QVERIFY(w->txm->hasFocus());
    QVERIFY(w->txm->text().isEmpty());
    QCOMPARE(w->jg->text(), u"0"_s);
    QCOMPARE(w->sl->text(), u"1.00"_s);  // kept for the next line
    // Enter in the quantity with no article: refused, focus into the code.
    w->sl->setFocus();
    QTest::keyClick(w->sl, Qt::Key_Return);
    QCOMPARE(m_messages->last(), u"商品不可为空！"_s);
    QVERIFY(w->txm->hasFocus());
    // A lone "-" is no quantity.
    scan(*w, u"B2"_s, u"-"_s);
    QCOMPARE(m_messages->last(), u"数量不可为零！"_s);
    QVERIFY(w->sl->hasFocus());
    QCOMPARE(w->lines().size(), size_t(1));
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM cgglc WHERE bj = 'dz'"_s), 1);
}

void TestPurchaseWindow::supplierAndHandlerOnlyThroughPickers()
{
    const auto w = window();
    QVERIFY(showActive(w.get()));
    scan(*w, u"A1"_s, u"2"_s);

    QTest::keyClick(w->txm, Qt::Key_F8);
    QCOMPARE(m_messages->last(), u"经办人不可为空！"_s);
    QVERIFY(w->jsr->hasFocus());
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM cgglz"_s), 0);

    // Enter in the empty handler opens the employee picker; the choice fills
    // it and the focus moves on to the supplier.
    ModalAnswer<TFyg2> employee([](TFyg2 &p) {
        QCOMPARE(p.mode(), u"tjcg"_s);
        p.chooseClick();
    });
    QTest::keyClick(w->jsr, Qt::Key_Return);
    QVERIFY(employee.seen());
    QVERIFY(activate(w.get()));
    QCOMPARE(w->jsr->text(), u"张三"_s);
    QTRY_VERIFY(w->kh->hasFocus());

    // Typing into the supplier does nothing; holding without one is refused.
    QTest::keyClicks(w->kh, u"abc"_s);
    QVERIFY(w->kh->text().isEmpty());
    QTest::keyClick(w->kh, Qt::Key_F9);
    QCOMPARE(m_messages->last(), u"厂商不可为空！"_s);
    QVERIFY(w->kh->hasFocus());
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM cgglz"_s), 0);

    // Enter in the empty supplier opens the supplier picker.
    ModalAnswer<TFghs2> supplier([](TFghs2 &p) {
        QCOMPARE(p.mode(), u"tjcg"_s);
        p.Edit1->setText(u"西山"_s);
        p.chooseClick();
    });
    QTest::keyClick(w->kh, Qt::Key_Return);
    QVERIFY(supplier.seen());
    QVERIFY(activate(w.get()));
    QCOMPARE(supplier.title(), u"选择厂商资料"_s);
    QCOMPARE(w->kh->text(), u"西山螺丝厂"_s);
    QTRY_VERIFY(w->txm->hasFocus());

    // A closed picker leaves the field as it was.
    w->kh->clear();
    ModalAnswer<TFghs2> cancelled([](TFghs2 &p) { p.reject(); });
    w->SpeedButton2->click();
    QVERIFY(cancelled.seen());
    QVERIFY(activate(w.get()));
    QVERIFY(w->kh->text().isEmpty());
}

void TestPurchaseWindow::paymentRules_data()
{
    QTest::addColumn<QString>("lines");    // "quantity price; ..." of article A1
    QTest::addColumn<QString>("rounding");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("message");  // empty: saved (or previewed)

    const int F7 = Qt::Key_F7, F8 = Qt::Key_F8, F9 = Qt::Key_F9;
    const QString pay = u"10 10"_s, refund = u"-5 10"_s, zero = u"1 10; -1 10"_s;
    QTest::newRow("zero total, rounding") << zero << u"1"_s << u"0"_s << F9
                                          << u"总金额为零，抹零额只可为零！"_s;
    QTest::newRow("zero total, paid") << zero << u"0"_s << u"1"_s << F8
                                      << u"总金额为零，实付额只可为零！"_s;
    QTest::newRow("payment, negative rounding, F8") << pay << u"-1"_s << u"0"_s << F8
                                                    << u"付款单据，抹零额不可为负数！"_s;
    QTest::newRow("payment, rounding over total") << pay << u"101"_s << u"0"_s << F9
                                                  << u"付款单据，抹零额不可大于总金额！"_s;
    QTest::newRow("payment, negative paid") << pay << u"0"_s << u"-1"_s << F9
                                            << u"付款单据，实付额不可为负数！"_s;
    QTest::newRow("payment, paid over payable") << pay << u"0.5"_s << u"100"_s << F7
                                                << u"付款单据，实付额不可大于应付额！"_s;
    QTest::newRow("refund, positive rounding") << refund << u"0.5"_s << u"0"_s << F8
                                               << u"退款单据，抹零额不可为正数！"_s;
    QTest::newRow("refund, rounding under total") << refund << u"-60"_s << u"0"_s << F9
                                                  << u"退款单据，抹零额不可小于总金额！"_s;
    QTest::newRow("refund, positive paid") << refund << u"0"_s << u"1"_s << F7
                                           << u"退款单据，实付额不可为正数！"_s;
    QTest::newRow("refund, paid under payable") << refund << u"-0.5"_s << u"-60"_s << F8
                                                << u"退款单据，实付额不可小于应付额！"_s;
    QTest::newRow("refund within range") << refund << u"-0.5"_s << u"-20"_s << F8 << QString();
    QTest::newRow("payment with rounding off") << pay << u"0.5"_s << u"90"_s << F9 << QString();
    QTest::newRow("payment previewed") << pay << u"0"_s << u"100"_s << F7 << QString();
    QTest::newRow("not a number") << pay << u"0"_s << u"1-"_s << F9 << u"实付额不是有效的数字！"_s;
}

void TestPurchaseWindow::paymentRules()
{
    QFETCH(QString, lines);
    QFETCH(QString, rounding);
    QFETCH(QString, paid);
    QFETCH(int, key);
    QFETCH(QString, message);

    const auto w = window();
    QVERIFY(showActive(w.get()));
    int previews = 0;
    w->setPreviewer([&](report::Form &) { ++previews; });
    for (const QString &l : lines.split(u';')) {
        const QStringList p = l.trimmed().split(u' ');
        addLine(*w, u"A1"_s, p[0], p[1]);
    }
    w->jsr->setText(u"张三"_s);
    w->kh->setText(u"东方五金厂"_s);
    w->yhe->setText(rounding);
    w->sse->setText(paid);  // after the rounding-off, which sets it to the payable
    const QString number = w->number();
    QTest::keyClick(w->txm, Qt::Key(key));

    const QSqlDatabase db = m_shop->db();
    if (!message.isEmpty()) {
        QCOMPARE(m_messages->last(), message);
        QCOMPARE(m_messages->shown().back().caption, u"提示"_s);
        QCOMPARE(previews, 0);
        QCOMPARE(count(db, u"SELECT count(*) FROM cgglz"_s), 0);
        QCOMPARE(stockOf(db, u"A1"_s), u"10 2 20"_s);
        return;
    }
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));
    if (key == Qt::Key_F7) {
        QCOMPARE(previews, 1);
        QCOMPARE(count(db, u"SELECT count(*) FROM cgglz"_s), 0);  // printing saves nothing
        return;
    }
    // Saved: what is owed is payable less paid; a paid amount is a payment row.
    const Decimal total = Decimal::parse(lines == u"10 10"_s ? u"100"_s : u"-50"_s);
    const Decimal due = total - Decimal::parse(rounding);
    QCOMPARE(decimalText(db, u"SELECT yfe FROM cgglz WHERE dh = ?"_s, {number}), due.toShortest());
    QCOMPARE(decimalText(db, u"SELECT qk FROM cgglz WHERE dh = ?"_s, {number}),
             (due - Decimal::parse(paid)).toShortest());
    const bool posted = key == Qt::Key_F8;
    QCOMPARE(count(db, u"SELECT count(*) FROM fkfx WHERE dh = ? AND bz = '采购业务'"_s, {number}),
             posted ? 1 : 0);
    if (posted)
        QCOMPARE(decimalText(db, u"SELECT je FROM fkfx WHERE dh = ?"_s, {number}), paid);
}

void TestPurchaseWindow::enterInRemarkFinalizesWithMovingAverage()
{
    const auto w = window();
    QVERIFY(showActive(w.get()));
    const QString first = w->number();
    w->jsr->setText(u"张三"_s);
    w->kh->setText(u"东方五金厂"_s);
    scan(*w, u"A1"_s, u"10"_s);  // 10 at the purchase price 3
    QCOMPARE(w->hjje->text(), u"30"_s);
    QCOMPARE(w->yse->text(), u"30"_s);
    QCOMPARE(w->sse->text(), u"30"_s);  // paid follows payable
    w->sse->setFocus();
    w->sse->selectAll();
    QTest::keyClicks(w->sse, u"20"_s);
    QTest::keyClick(w->sse, Qt::Key_Return);
    QVERIFY(w->bz->hasFocus());
    w->bz->insert(u"月结"_s);
    QTest::keyClick(w->bz, Qt::Key_Return);
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));

    const QSqlDatabase db = m_shop->db();
    QCOMPARE(sql::scalar(db, u"SELECT shbj || zhidan || ghs || jsr || bz FROM cgglz WHERE dh = ?"_s,
                         {first})
                 .toString(),
             u"已审核系统管理员东方五金厂张三月结"_s);
    QCOMPARE(decimalText(db, u"SELECT qk FROM cgglz WHERE dh = ?"_s, {first}), u"10"_s);
    QCOMPARE(count(db, u"SELECT count(*) FROM cgfx WHERE dh = ? AND ghs = '东方五金厂'"_s, {first}), 1);
    QCOMPARE(decimalText(db, u"SELECT je FROM fkfx WHERE dh = ?"_s, {first}), u"20"_s);
    // 10 at 2.00 and 10 at 3.00: 20 pieces worth 50.00, unit cost 2.50.
    QCOMPARE(stockOf(db, u"A1"_s), u"20 2.5 50"_s);
    QCOMPARE(decimalText(db, u"SELECT jj FROM sp WHERE txm = 'A1'"_s), u"3"_s);

    // Ready for the next purchase: handler, remark and date stay.
    QCOMPARE(w->windowTitle(), u"新增采购入库单"_s);
    QVERIFY(w->kh->hasFocus());
    QVERIFY(w->kh->text().isEmpty());
    QCOMPARE(w->jsr->text(), u"张三"_s);
    QCOMPARE(w->bz->text(), u"月结"_s);
    QCOMPARE(w->DateTimePicker1->date(), kToday);
    for (QLineEdit *e : std::initializer_list<QLineEdit *>{w->yhe, w->yse, w->sse, w->hjsl, w->hjje})
        QCOMPARE(e->text(), u"0"_s);
    QVERIFY(w->lines().empty());
    QCOMPARE(w->number(), u"CGD20240315002"_s);
    // The article now shows its new stock.
    w->txm->setText(u"A1"_s);
    QCOMPARE(w->kcsl->text(), u"20"_s);
}

void TestPurchaseWindow::heldPickerAndLineEditor()
{
    const auto w = window();
    QVERIFY(showActive(w.get()));
    const QString held = w->number();
    w->jsr->setText(u"张三"_s);
    w->kh->setText(u"东方五金厂"_s);
    addLine(*w, u"A1"_s, u"2"_s);
    addLine(*w, u"B2"_s, u"1"_s);
    w->yhe->setText(u"1"_s);
    w->sse->setText(u"10"_s);
    QTest::keyClick(w->txm, Qt::Key_F9);
    w->kh->setText(u"西山螺丝厂"_s);
    addLine(*w, u"B2"_s, u"3"_s);
    QTest::keyClick(w->txm, Qt::Key_F9);
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM cgglz WHERE shbj = '未审核'"_s), 2);

    // F6: the picker comes preset with the window's supplier.
    w->kh->setText(u"东方五金厂"_s);
    ModalAnswer<TFxzcg1> picker([&](TFxzcg1 &p) {
        QCOMPARE(p.Edit2->text(), u"东方五金厂"_s);
        QCOMPARE(p.grid()->rowCount(), 1);
        QCOMPARE(p.grid()->model()->headerData(3, Qt::Horizontal).toString(), u"厂商"_s);
        p.Edit2->clear();
        p.runQuery();
        QCOMPARE(p.grid()->rowCount(), 2);
        p.grid()->setCurrentRow(0);
        p.chooseClick();
    });
    QTest::keyClick(w->txm, Qt::Key_F6);
    QVERIFY(picker.seen());
    QVERIFY(activate(w.get()));
    QCOMPARE(picker.title(), u"选择采购挂单（未审采购单）"_s);
    QCOMPARE(w->windowTitle(), u"修改采购入库单"_s);
    QCOMPARE(w->ztbj->text(), u"修改"_s);
    QCOMPARE(w->number(), held);
    QCOMPARE(w->kh->text(), u"东方五金厂"_s);
    QCOMPARE(w->hjje->text(), u"18"_s);
    QCOMPARE(w->yhe->text(), u"1"_s);
    QCOMPARE(w->yse->text(), u"17"_s);
    QCOMPARE(w->sse->text(), u"10"_s);  // the stored amount paid, not the payable
    QCOMPARE(w->lines().size(), size_t(2));

    // F12: the purchase line editor, price and quantity both editable.
    w->DBGrid1->setCurrentRow(0);
    ModalAnswer<TFxgmx1> editor([&](TFxgmx1 &e) {
        QCOMPARE(e.mode(), u"cgmx"_s);
        QVERIFY(!e.jg->isReadOnly());
        QCOMPARE(e.txm->text(), u"A1"_s);
        e.jg->setText(u"2.5"_s);
        e.sl->setText(u"4"_s);
        QCOMPARE(e.je->text(), u"10.00"_s);
        e.BitBtn1Click();
        QCOMPARE(m_messages->last(), u"采购明细修改成功！"_s);
        QCOMPARE(e.txm->text(), u"B2"_s);  // on to the next line
        e.reject();
    });
    QTest::keyClick(w->txm, Qt::Key_F12);
    QVERIFY(editor.seen());
    QVERIFY(activate(w.get()));
    QCOMPARE(editor.title(), u"修改采购明细"_s);
    QCOMPARE(w->hjsl->text(), u"5"_s);
    QCOMPARE(w->hjje->text(), u"22"_s);

    // The edit is held again; a new document follows.
    w->sse->setText(u"0"_s);
    QTest::keyClick(w->txm, Qt::Key_F9);
    QVERIFY2(m_messages->last() == u"采购明细修改成功！"_s, qPrintable(m_messages->last()));
    QCOMPARE(w->ztbj->text(), u"新增"_s);
    QCOMPARE(decimalText(m_shop->db(), u"SELECT hjje FROM cgglz WHERE dh = ?"_s, {held}), u"22"_s);
    QCOMPARE(decimalText(m_shop->db(), u"SELECT qk FROM cgglz WHERE dh = ?"_s, {held}), u"21"_s);

    // The picker with nothing to offer.
    ModalAnswer<TFxzcg1> none([&](TFxzcg1 &p) {
        p.Edit2->setText(u"没有这个厂"_s);
        p.runQuery();
        p.chooseClick();
        QCOMPARE(m_messages->last(), u"没有单据可选择！"_s);
        QCOMPARE(m_messages->shown().back().caption, u"警告"_s);
    });
    QTest::keyClick(w->txm, Qt::Key_F6);
    QVERIFY(none.seen());
    QVERIFY(activate(w.get()));
    QCOMPARE(w->ztbj->text(), u"新增"_s);
}

void TestPurchaseWindow::printsPurchaseVoucher()
{
    const auto w = window();
    QVERIFY(showActive(w.get()));
    std::vector<report::Form> printed;
    w->setPreviewer([&](report::Form &f) { printed.push_back(f); });
    QTest::keyClick(w->txm, Qt::Key_F7);
    QCOMPARE(m_messages->last(), u"明细不可为空！"_s);
    QCOMPARE(m_messages->shown().back().caption, u"提示"_s);
    QVERIFY(printed.empty());

    // Printed before a handler or supplier is chosen: neither is checked.
    addLine(*w, u"A1"_s, u"10"_s);
    w->bz->setText(u"第一批"_s);
    QTest::keyClick(w->txm, Qt::Key_F7);
    QCOMPARE(printed.size(), size_t(1));
    const report::Form &f = printed[0];
    QCOMPARE(f.name(), u"TFdycgd1"_s);
    QCOMPARE(f.reportTitle(), u"打印预览"_s);
    QCOMPARE(f.caption(report::headingLabel()), m_shop->dm().ATdanwei1().mcdy + u"采购单"_s);
    QCOMPARE(f.caption(GoodsVoucherForm::numberLabel()), w->number());
    QCOMPARE(f.caption(GoodsVoucherForm::dateLabel()), u"2024-03-15"_s);
    QCOMPARE(f.caption(GoodsVoucherForm::remarkLabel()), u"第一批"_s);
    QCOMPARE(f.caption(GoodsVoucherForm::totalQuantityLabel()), u"10"_s);
    QCOMPARE(f.caption(GoodsVoucherForm::totalAmountLabel()), u"￥30"_s);
    QCOMPARE(f.caption(GoodsVoucherForm::capitalsLabel()), u"(大写)叁拾圆整"_s);
    QCOMPARE(f.caption(GoodsVoucherForm::preparedByLabel()), u"系统管理员"_s);
    QCOMPARE(f.dataset().rowCount(), 1);
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM cgglz"_s), 0);

    // Goods returned to the supplier: the words end in "(退)".
    addLine(*w, u"B2"_s, u"-3"_s);
    w->kh->setText(u"东方五金厂"_s);
    QTest::keyClick(w->txm, Qt::Key_F7);
    QCOMPARE(printed.size(), size_t(2));
    QCOMPARE(printed[1].caption(GoodsVoucherForm::partnerLabel()), u"东方五金厂"_s);
    QCOMPARE(printed[1].caption(GoodsVoucherForm::capitalsLabel()), u"(大写)陆圆整(退)"_s);
    QCOMPARE(printed[1].dataset().rowCount(), 2);
}

void TestPurchaseWindow::goodsPickerInPurchaseMode()
{
    auto w = window();
    QVERIFY(showActive(w.get()));
    w->txm->setFocus();
    QTest::keyClicks(w->txm, u"NOPE"_s);
    QTest::keyClick(w->txm, Qt::Key_Return);
    TFsp2 *picker = w->goodsPicker();
    QVERIFY(picker);
    QTRY_VERIFY(picker->isVisible());
    QCOMPARE(picker->mode(), u"tjcg"_s);
    // Of the four prices only the purchase price shows.
    const GridRows &rows = picker->grid()->rows();
    QStringList shown;
    for (int c = 0; c < rows.columnCount(); ++c) {
        const QString field = rows.column(c).field;
        if (QStringList{u"jj"_s, u"xjpf"_s, u"xjls"_s, u"kcjg"_s}.contains(field) &&
            !picker->grid()->isColumnHidden(c))
            shown << field;
    }
    QCOMPARE(shown, QStringList{u"jj"_s});
    goods::Article a;
    a.txm = u"B2"_s;
    a.ppgg = u"卷尺5米"_s;
    a.dw = u"个"_s;
    a.jj = Decimal::parse(u"12"_s);
    a.xjls = Decimal::parse(u"18"_s);
    a.kcjg = Decimal::parse(u"9"_s);
    w->receiveGoods(a);
    QCOMPARE(w->lines().size(), size_t(1));
    QCOMPARE(w->lines()[0].jg.toShortest(), u"12"_s);
    QCOMPARE(w->hjje->text(), u"12"_s);
    QPointer<TFsp2> alive = picker;
    QPointer<TFtjcgd1> closing = w.release();  // the window deletes itself when closed
    closing->close();
    QTRY_VERIFY(closing.isNull());
    QTRY_VERIFY(alive.isNull() || !alive->isVisible());
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM cgglc"_s), 0);  // abandoned with the window
}

QTEST_MAIN(TestPurchaseWindow)
#include "tst_purchasewindow.moc"
