// The stock movement window driven through its keys: the reason from the
// reasons window, the stock unit cost as price, no amounts, Enter in the
// remark going to the code, the quantity-only line editor, the held-document
// picker and the printed voucher; and the four document windows open side by
// side through a day, stock following purchases, sales and movements.
#include "DocumentWindowFixtures.h"
#include "TestSupport.h"

#include "windows/masterdata/Urklx1.h"
#include "windows/masterdata/Utjrklx1.h"
#include "report/GoodsVoucher.h"
#include "windows/purchasing/Utjcgd1.h"
#include "windows/sales/Utjpfd1.h"
#include "windows/sales/Utjxsd1.h"
#include "windows/stock/Utjrkd1.h"
#include "windows/stock/Uxgmx2.h"
#include "windows/stock/Uxzrk1.h"
#include "ui/ListGrid.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace windowfixture;

namespace {

const QDate kToday{2024, 3, 15};

}  // namespace

class TestMovementWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensAsMovementDocument();
    void codeTakesStockCostAndRemarkGoesToCode();
    void reasonFromTheReasonsWindow();
    void purchaseAverageThenMovementOut();
    void heldPickerAndQuantityOnlyEditor();
    void printsMovementVoucher();
    void goodsPickerInMovementMode();
    void fourWindowsThroughADay();

private:
    template <class Window>
    std::unique_ptr<Window> window();

    std::unique_ptr<FreshShop> m_shop;
    Session m_session = Session::forOperator(u"系统管理员"_s, {});
    std::unique_ptr<ScriptedMessages> m_messages;
};

void TestMovementWindow::init()
{
    m_shop = std::make_unique<FreshShop>();
    m_messages = std::make_unique<ScriptedMessages>();
    const QSqlDatabase db = m_shop->db();
    addGoods(db, u"A1"_s, u"活动扳手"_s, u"3 4 5"_s, u"10 2 20"_s);
    addGoods(db, u"B2"_s, u"卷尺5米"_s, u"3 15 18"_s, u"0 2.5 0"_s);
    sql::exec(db, u"INSERT INTO yg (xm) VALUES ('张三')"_s);
}

void TestMovementWindow::cleanup()
{
    m_messages.reset();
    m_shop.reset();
}

template <class Window>
std::unique_ptr<Window> TestMovementWindow::window()
{
    auto w = std::make_unique<Window>(WindowContext{m_shop->dm(), m_session});
    w->setToday([] { return kToday; });
    w->newDocument();
    return w;
}

void TestMovementWindow::opensAsMovementDocument()
{
    const auto w = window<TFtjrkd1>();
    QCOMPARE(w->windowTitle(), u"新增库存异动单"_s);
    QCOMPARE(w->ztbj->text(), u"新增"_s);
    QCOMPARE(w->number(), u"YDD20240315001"_s);
    QCOMPARE(w->kh->objectName(), u"lx"_s);
    QVERIFY(w->kh->isReadOnly());
    QCOMPARE(captionOf(w.get(), w->kh), u"异动原因"_s);
    QCOMPARE(w->SpeedButton2->toolTip(), u"选择异动原因"_s);
    QCOMPARE(w->sl->toolTip(), u"异动数量"_s);
    // No money changes hands: no amount fields, the explanation instead.
    for (QWidget *f : std::initializer_list<QWidget *>{w->yhe, w->yse, w->sse})
        QVERIFY(!f->isVisibleTo(w.get()));
    QVERIFY(w->sm);
    QCOMPARE(w->sm->text(), u"    数量＞0：入库    数量＜0：出库"_s);
    QVERIFY(w->sm->isReadOnly());
    QCOMPARE(captionOf(w.get(), w->sm), u"异动说明"_s);
    QCOMPARE(w->BB3->text(), u"打印-F7"_s);
    QVERIFY(!w->BB31);
    QCOMPARE(w->BB4->text(), u"结单-F8"_s);
}

void TestMovementWindow::codeTakesStockCostAndRemarkGoesToCode()
{
    const auto w = window<TFtjrkd1>();
    QVERIFY(showActive(w.get()));
    w->txm->setFocus();
    QTest::keyClicks(w->txm, u"A1"_s);
    QCOMPARE(w->jg->text(), u"2"_s);  // the stock unit cost kcjg, not the purchase price
    QCOMPARE(w->kcsl->text(), u"10"_s);
    QTest::keyClick(w->txm, Qt::Key_Return);
    QVERIFY(w->sl->hasFocus());
    w->sl->setText(u"2"_s);
    w->jg->setFocus();
    QTest::keyClick(w->jg, Qt::Key_Return);
    QVERIFY(w->sl->hasFocus());
    QVERIFY(w->lines().empty());

    // "商品不可为空！" puts the focus into the name.
    w->txm->clear();
    w->sl->setFocus();
    w->sl->setText(u"1"_s);
    QTest::keyClick(w->sl, Qt::Key_Return);
    QCOMPARE(m_messages->last(), u"商品不可为空！"_s);
    QVERIFY(w->ppgg->hasFocus());

    // Enter in the remark goes to the code and saves nothing.
    scan(*w, u"A1"_s, u"-1"_s);
    w->jsr->setText(u"张三"_s);
    w->kh->setText(u"报损"_s);
    w->bz->setFocus();
    w->bz->insert(u"摔坏"_s);
    m_messages->clear();
    QTest::keyClick(w->bz, Qt::Key_Return);
    QVERIFY(w->txm->hasFocus());
    QVERIFY(m_messages->shown().empty());
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM rkglz"_s), 0);
    // A negative line is red.
    const QModelIndex cell = w->DBGrid1->model()->index(0, 0);
    QCOMPARE(w->DBGrid1->model()->data(cell, Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
}

void TestMovementWindow::reasonFromTheReasonsWindow()
{
    const auto w = window<TFtjrkd1>();
    QVERIFY(showActive(w.get()));
    scan(*w, u"A1"_s, u"2"_s);
    w->jsr->setText(u"张三"_s);
    QTest::keyClick(w->txm, Qt::Key_F8);
    QCOMPARE(m_messages->last(), u"异动原因不可为空！"_s);
    QVERIFY(w->kh->hasFocus());
    QTest::keyClicks(w->kh, u"abc"_s);
    QVERIFY(w->kh->text().isEmpty());  // only through the reasons window

    // Enter in the empty reason opens the reasons window; a reason is added
    // there and chosen.
    ModalAnswer<TFrklx1> reasons([&](TFrklx1 &r) {
        QCOMPARE(r.grid()->rowCount(), 6);  // the starter reasons
        QCOMPARE(r.grid()->model()->headerData(0, Qt::Horizontal).toString(), u"异动原因"_s);
        ModalAnswer<TFtjrklx1> add([&](TFtjrklx1 &d) {
            d.Edit1->setText(u"  漏发  "_s);
            d.BitBtn1Click();
            QVERIFY(d.Edit1->text().isEmpty());  // ready for the next one
            d.Edit1->setText(u"盘盈"_s);
            d.BitBtn1Click();
            QCOMPARE(m_messages->last(), u"异动原因不可重复！"_s);
            QCOMPARE(m_messages->shown().back().caption, u"警告"_s);
            d.Edit1->setText(u"  "_s);
            d.BitBtn1Click();
            QCOMPARE(m_messages->last(), u"异动原因不可为空！"_s);
            d.reject();
        });
        r.addClick();
        QVERIFY(add.seen());
        QCOMPARE(add.title(), u"新增异动原因"_s);
        QCOMPARE(r.grid()->rowCount(), 7);
        QCOMPARE(r.grid()->currentValue(u"lx"_s).toString(), u"漏发"_s);
        r.chooseClick();
    });
    w->kh->setFocus();
    QTest::keyClick(w->kh, Qt::Key_Return);
    QVERIFY(reasons.seen());
    QVERIFY(activate(w.get()));
    QCOMPARE(reasons.title(), u"异动原因设置"_s);
    QCOMPARE(w->kh->text(), u"漏发"_s);  // stored trimmed
    QTRY_VERIFY(w->txm->hasFocus());

    m_messages->clear();
    QTest::keyClick(w->txm, Qt::Key_F9);
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM rkglz WHERE lx = '漏发'"_s), 1);

    // Deleting the reason leaves the document that carries it alone.
    ModalAnswer<TFrklx1> remove([&](TFrklx1 &r) {
        QVERIFY(r.grid()->selectWhere(u"lx"_s, u"漏发"_s));
        r.deleteClick();
        QCOMPARE(m_messages->last(), u"确定要删除此原因么？"_s);
        QCOMPARE(r.grid()->rowCount(), 6);
        r.reject();
    });
    w->SpeedButton2->click();
    QVERIFY(remove.seen());
    QVERIFY(activate(w.get()));
    QVERIFY(w->kh->text().isEmpty());  // nothing chosen
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM rklx WHERE lx = '漏发'"_s), 0);
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM rkglz WHERE lx = '漏发'"_s), 1);
}

void TestMovementWindow::purchaseAverageThenMovementOut()
{
    const QSqlDatabase db = m_shop->db();
    // Ten more at 3.00 on ten at 2.00: the moving average is 2.50.
    const auto purchase = window<TFtjcgd1>();
    purchase->jsr->setText(u"张三"_s);
    purchase->kh->setText(u"东方五金厂"_s);
    addLine(*purchase, u"A1"_s, u"10"_s);
    purchase->BB4Click();
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));
    QCOMPARE(stockOf(db, u"A1"_s), u"20 2.5 50"_s);

    // The movement window shows the new average as the price.
    const auto w = window<TFtjrkd1>();
    QVERIFY(showActive(w.get()));
    w->txm->setFocus();
    QTest::keyClicks(w->txm, u"A1"_s);
    QCOMPARE(w->jg->text(), u"2.5"_s);
    QCOMPARE(w->kcsl->text(), u"20"_s);
    QTest::keyClick(w->txm, Qt::Key_Return);
    w->sl->selectAll();
    QTest::keyClicks(w->sl, u"-5"_s);
    QTest::keyClick(w->sl, Qt::Key_Return);
    QCOMPARE(w->lines().size(), size_t(1));
    QCOMPARE(w->lines()[0].je.toFixed2(), u"-12.50"_s);
    QCOMPARE(w->hjsl->text(), u"-5"_s);
    QCOMPARE(w->hjje->text(), u"-12.5"_s);
    w->jsr->setText(u"张三"_s);
    w->kh->setText(u"报损"_s);
    w->bz->setText(u"摔坏"_s);
    const QString first = w->number();
    QTest::keyClick(w->txm, Qt::Key_F8);
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));
    // −5 of 20 at 2.50: 15 pieces worth 37.50, unit cost unchanged.
    QCOMPARE(stockOf(db, u"A1"_s), u"15 2.5 37.5"_s);
    QCOMPARE(sql::scalar(db, u"SELECT shbj || lx || jsr || zhidan FROM rkglz WHERE dh = ?"_s, {first})
                 .toString(),
             u"已审核报损张三系统管理员"_s);
    QCOMPARE(count(db, u"SELECT count(*) FROM rkfx WHERE dh = ? AND lx = '报损'"_s, {first}), 1);
    QCOMPARE(count(db, u"SELECT count(*) FROM fkfx"_s), 1);  // the purchase's only
    // Ready for the next: reason and remark emptied, handler kept.
    QVERIFY(w->kh->hasFocus());
    QVERIFY(w->kh->text().isEmpty());
    QVERIFY(w->bz->text().isEmpty());
    QCOMPARE(w->jsr->text(), u"张三"_s);
    QCOMPARE(w->number(), u"YDD20240315002"_s);
    QVERIFY(w->lines().empty());

    // +10 at a typed price of 3.00 on zero stock costed at 2.50: worth 25.00.
    w->txm->setText(u"B2"_s);
    QCOMPARE(w->jg->text(), u"2.5"_s);
    w->jg->setText(u"3"_s);
    w->sl->setText(u"10"_s);
    w->SB1Click();
    QCOMPARE(w->hjje->text(), u"30"_s);
    w->kh->setText(u"盘盈"_s);
    w->BB4Click();
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));
    QCOMPARE(stockOf(db, u"B2"_s), u"10 2.5 25"_s);
}

void TestMovementWindow::heldPickerAndQuantityOnlyEditor()
{
    const auto w = window<TFtjrkd1>();
    QVERIFY(showActive(w.get()));
    const QString held = w->number();
    w->jsr->setText(u"张三"_s);
    w->kh->setText(u"盘盈"_s);
    addLine(*w, u"A1"_s, u"2"_s);
    addLine(*w, u"B2"_s, u"4"_s);
    w->bz->setText(u"年终盘点"_s);
    QTest::keyClick(w->txm, Qt::Key_F9);
    w->kh->setText(u"赠送"_s);
    addLine(*w, u"B2"_s, u"-1"_s);
    QTest::keyClick(w->txm, Qt::Key_F9);
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));
    QCOMPARE(stockOf(m_shop->db(), u"A1"_s), u"10 2 20"_s);  // held: nothing posted

    w->kh->setText(u"盘盈"_s);
    ModalAnswer<TFxzrk1> picker([&](TFxzrk1 &p) {
        QCOMPARE(p.mode(), u"tjrk"_s);
        QCOMPARE(p.Edit2->text(), u"盘盈"_s);
        QCOMPARE(captionOf(&p, p.Edit2), u"原因"_s);
        QCOMPARE(p.grid()->model()->headerData(3, Qt::Horizontal).toString(), u"异动原因"_s);
        QCOMPARE(p.grid()->rowCount(), 1);
        p.chooseClick();
    });
    QTest::keyClick(w->txm, Qt::Key_F6);
    QVERIFY(picker.seen());
    QVERIFY(activate(w.get()));
    QCOMPARE(picker.title(), u"选择异动挂单（未审异动单）"_s);
    QCOMPARE(w->windowTitle(), u"修改库存异动单"_s);
    QCOMPARE(w->ztbj->text(), u"修改"_s);
    QCOMPARE(w->number(), held);
    QCOMPARE(w->bz->text(), u"年终盘点"_s);
    QCOMPARE(w->hjsl->text(), u"6"_s);
    QCOMPARE(w->hjje->text(), u"14"_s);  // 2 x 2.00 + 4 x 2.50

    // F12: only the quantity can be changed; the amount follows it.
    w->DBGrid1->setCurrentRow(1);
    ModalAnswer<TFxgmx2> editor([&](TFxgmx2 &e) {
        QCOMPARE(e.mode(), u"rkmx"_s);
        QCOMPARE(e.txm->text(), u"B2"_s);
        QVERIFY(e.jg->isReadOnly());
        QVERIFY(e.txm->isReadOnly() && e.ppgg->isReadOnly() && e.dw->isReadOnly() &&
                e.je->isReadOnly());
        QVERIFY(!e.sl->isReadOnly());
        bool noted = false;
        for (QLabel *l : e.findChildren<QLabel *>())
            noted = noted || l->text() == u"数量＜0：出库"_s;
        QVERIFY(noted);
        QTest::keyClicks(e.jg, u"9"_s);
        QCOMPARE(e.jg->text(), u"2.5"_s);
        e.sl->setText(u"-3"_s);
        QCOMPARE(e.je->text(), u"-7.50"_s);
        e.BitBtn1Click();
        QCOMPARE(m_messages->last(), u"异动明细修改成功！"_s);
        e.sl->setText(u"0"_s);
        e.BitBtn1Click();
        QCOMPARE(m_messages->last(), u"数量不可为零！"_s);
        e.reject();
    });
    QTest::keyClick(w->txm, Qt::Key_F12);
    QVERIFY(editor.seen());
    QVERIFY(activate(w.get()));
    QCOMPARE(editor.title(), u"修改异动明细"_s);
    QCOMPARE(w->hjsl->text(), u"-1"_s);
    QCOMPARE(w->hjje->text(), u"-3.5"_s);

    // Finalized from the edit: the held document is posted with the change.
    QTest::keyClick(w->txm, Qt::Key_F8);
    QCOMPARE(w->ztbj->text(), u"新增"_s);
    QCOMPARE(stockOf(m_shop->db(), u"A1"_s), u"12 2 24"_s);
    QCOMPARE(stockOf(m_shop->db(), u"B2"_s), u"-3 2.5 -7.5"_s);
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM rkglz WHERE shbj = '未审核'"_s), 1);
}

void TestMovementWindow::printsMovementVoucher()
{
    const auto w = window<TFtjrkd1>();
    QVERIFY(showActive(w.get()));
    std::vector<report::Form> printed;
    w->setPreviewer([&](report::Form &f) { printed.push_back(f); });
    QTest::keyClick(w->txm, Qt::Key_F7);
    QCOMPARE(m_messages->last(), u"明细不可为空！"_s);
    QVERIFY(printed.empty());

    addLine(*w, u"A1"_s, u"-3"_s);
    addLine(*w, u"B2"_s, u"1"_s);
    w->jsr->setText(u"张三"_s);
    w->kh->setText(u"自用"_s);
    QTest::keyClick(w->txm, Qt::Key_F7);
    QCOMPARE(printed.size(), size_t(1));
    const report::Form &f = printed[0];
    QCOMPARE(f.name(), u"TFdyrkd1"_s);
    QCOMPARE(f.caption(report::headingLabel()), m_shop->dm().ATdanwei1().mcdy + u"库存异动单"_s);
    QCOMPARE(f.caption(GoodsVoucherForm::partnerLabel()), u"自用"_s);
    QCOMPARE(f.caption(GoodsVoucherForm::handlerLabel()), u"张三"_s);
    QCOMPARE(f.caption(GoodsVoucherForm::totalQuantityLabel()), u"-2"_s);
    QCOMPARE(f.caption(GoodsVoucherForm::totalAmountLabel()), u"￥-3.5"_s);
    QCOMPARE(f.caption(GoodsVoucherForm::capitalsLabel()), u"(大写)叁圆伍角整(出)"_s);
    QCOMPARE(f.caption(GoodsVoucherForm::preparedByLabel()), u"系统管理员"_s);
    QCOMPARE(count(m_shop->db(), u"SELECT count(*) FROM rkglz"_s), 0);
}

void TestMovementWindow::goodsPickerInMovementMode()
{
    const auto w = window<TFtjrkd1>();
    QVERIFY(showActive(w.get()));
    w->SpeedButton3->click();
    TFsp2 *picker = w->goodsPicker();
    QVERIFY(picker);
    QCOMPARE(picker->mode(), u"tjrk"_s);
    const GridRows &rows = picker->grid()->rows();
    QStringList shown;
    for (int c = 0; c < rows.columnCount(); ++c) {
        const QString field = rows.column(c).field;
        if (QStringList{u"jj"_s, u"xjpf"_s, u"xjls"_s, u"kcjg"_s}.contains(field) &&
            !picker->grid()->isColumnHidden(c))
            shown << field;
    }
    QCOMPARE(shown, QStringList{u"kcjg"_s});
    goods::Article a;
    a.txm = u"A1"_s;
    a.ppgg = u"活动扳手"_s;
    a.dw = u"个"_s;
    a.jj = Decimal::parse(u"3"_s);
    a.kcjg = Decimal::parse(u"2"_s);
    w->receiveGoods(a);
    QCOMPARE(w->lines().size(), size_t(1));
    QCOMPARE(w->lines()[0].jg.toShortest(), u"2"_s);
    QCOMPARE(w->hjje->text(), u"2"_s);
}

void TestMovementWindow::fourWindowsThroughADay()
{
    // The four document windows open side by side, each with unsaved lines
    // while the others save; at the end every article's stock is what the
    // ledgers say: purchases − sales + movements on top of where it started.
    const QSqlDatabase db = m_shop->db();
    auto retail = window<TFtjxsd1>();
    const auto wholesale = window<TFtjpfd1>();
    const auto purchase = window<TFtjcgd1>();
    const auto movement = window<TFtjrkd1>();
    for (DocumentWindow *w : std::initializer_list<DocumentWindow *>{
             retail.get(), wholesale.get(), purchase.get(), movement.get()})
        w->jsr->setText(u"张三"_s);
    const auto finalize = [&](DocumentWindow &w, const QString &partner) {
        w.kh->setText(partner);
        w.BB4Click();
        QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));
    };

    addLine(*purchase, u"A1"_s, u"30"_s);
    addLine(*retail, u"A1"_s, u"4"_s);
    addLine(*wholesale, u"B2"_s, u"5"_s);
    addLine(*movement, u"A1"_s, u"-2"_s);
    finalize(*purchase, u"东方五金厂"_s);
    addLine(*purchase, u"B2"_s, u"12"_s);
    finalize(*retail, u"散客"_s);
    finalize(*movement, u"报损"_s);
    addLine(*retail, u"B2"_s, u"-1"_s);  // a return
    finalize(*wholesale, u"某某建材"_s);
    finalize(*retail, u"散客"_s);
    QCOMPARE(retail->number(), u"XSD20240315003"_s);
    // Unsaved lines of one window survive the others' saving and closing.
    addLine(*movement, u"B2"_s, u"7"_s);
    finalize(*purchase, u"西山螺丝厂"_s);
    QPointer<TFtjxsd1> closing = retail.release();  // deletes itself when closed
    closing->close();
    QTRY_VERIFY(closing.isNull());
    QCOMPARE(movement->lines().size(), size_t(1));
    movement->kh->setText(u"盘盈"_s);
    movement->BB5Click();  // held: no stock change
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));

    const QString flows = u"SELECT sum(sl) FROM (SELECT sl FROM cgfx WHERE txm = ?"
                          " UNION ALL SELECT -sl FROM xsfx WHERE txm = ?"
                          " UNION ALL SELECT sl FROM rkfx WHERE txm = ?)"_s;
    for (const auto &[txm, start, now] :
         {std::tuple{u"A1"_s, 10, u"34"_s}, std::tuple{u"B2"_s, 0, u"8"_s}}) {
        const Decimal moved = Decimal::fromUnits(sql::scalar(db, flows, {txm, txm, txm}).toLongLong());
        QCOMPARE((Decimal::parse(QString::number(start)) + moved).toShortest(), now);
        QCOMPARE(stockOf(db, txm).section(u' ', 0, 0), now);
    }
    QCOMPARE(count(db, u"SELECT count(*) FROM rkglc WHERE bj = 'yz'"_s), 2);
}

QTEST_MAIN(TestMovementWindow)
#include "tst_movementwindow.moc"
