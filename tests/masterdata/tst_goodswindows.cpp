// The goods windows: the list "商品资料", the goods dialog, the query dialog
// and the two pickers, driven through their keys, buttons and fields.
#include "ModalDialogs.h"
#include "TestSupport.h"

#include "core/db/Sql.h"
#include "core/documents/Documents.h"
#include "windows/masterdata/CategoryTree.h"
#include "core/masterdata/Goods.h"
#include "windows/masterdata/Ucxsp1.h"
#include "windows/masterdata/Udw1.h"
#include "windows/masterdata/Ulb1.h"
#include "windows/masterdata/Usp1.h"
#include "windows/masterdata/Usp2.h"
#include "windows/masterdata/Usp3.h"
#include "windows/masterdata/Utjsp1.h"
#include "report/forms/Udysp1.h"
#include "ui/ListGrid.h"
#include "ui/NumberEdit.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

qint64 addGoods(QSqlDatabase db, const QString &ppgg, const QString &txm, const QString &lb,
                const QString &xjls = u"0"_s, const QString &kcjg = u"0"_s,
                const QString &dw = u"个"_s)
{
    goods::Input in;
    in.lb = lb;
    in.ppgg = ppgg;
    in.txm = txm;
    in.dw = dw;
    in.xjls = xjls;
    in.kcjg = kcjg;
    in.kcsl = u"1"_s;
    const goods::Outcome o = goods::add(db, in);
    if (!o.ok())
        qFatal("not added: %s", qPrintable(o.message));
    return o.id;
}

// A small shop: four articles in two categories, one with an apostrophe.
void stockShop(QSqlDatabase db)
{
    sql::exec(db, u"INSERT INTO lb (lb) VALUES ('Bob''s 工具')"_s);
    addGoods(db, u"M8螺丝"_s, u"M8LS"_s, u"紧固件"_s, u"0.5"_s, u"0.3"_s);
    addGoods(db, u"膨胀螺栓"_s, u"PZLS"_s, u"紧固件"_s, u"1.2"_s, u"0.8"_s);
    addGoods(db, u"扳手"_s, u"BS"_s, u"五金工具"_s, u"10"_s, u"6"_s, u"把"_s);
    addGoods(db, u"O'Brien 钳子"_s, u"OBQZ"_s, u"Bob's 工具"_s, u"25"_s, u"15"_s, u"把"_s);
}

QStringList column(const ListGrid &g, const QString &field)
{
    QStringList out;
    for (int r = 0; r < g.rowCount(); ++r)
        out << g.rows().value(r, field).toString();
    return out;
}

QPushButton *button(QWidget *w, const QString &caption)
{
    for (QPushButton *b : w->findChildren<QPushButton *>())
        if (b->text() == caption)
            return b;
    qFatal("no button %s", qPrintable(caption));
}

// Types each character as a key press carrying it, as an input method sends
// Chinese characters.
void type(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// A double click on a cell is a press, a release, then the double click itself.
void doubleClick(ListGrid *g, int row, int column)
{
    const QRect cell = g->visualRect(g->model()->index(row, column));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell.center());
}

void clickNode(CategoryTree *tree, QTreeWidgetItem *node)
{
    QVERIFY(node);
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
}

void show(QWidget &w)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
}

QImage imageOf(const QIcon &icon, QIcon::Mode mode = QIcon::Normal)
{
    return icon.pixmap(16, 16, mode).toImage();
}

// A document window as the picker sees it: it records what it is given.
struct StandInDocument : GoodsReceiver {
    QString mode;
    std::vector<goods::Article> lines;
    Decimal hjsl, hjje;

    explicit StandInDocument(QString m) : mode(std::move(m)) {}
    QString goodsPickerMode() const override { return mode; }
    void receiveGoods(const goods::Article &a) override
    {
        lines.push_back(a);
        hjsl += Decimal::parse(u"1");
        hjje += goods::priceOf(a, mode);
    }
};

// An assembly window as the field picker sees it.
struct StandInFields : GoodsFieldsTarget {
    QString sao = u"sao"_s;
    QStringList flags;
    QString filledMode;
    std::optional<goods::Article> filled;

    void fillGoodsFields(const QString &mode, const goods::Article &a) override
    {
        filledMode = mode;
        filled = a;
    }
    void setSao(const QString &flag) override
    {
        sao = flag;
        flags << flag;
    }
};

// The inventory window as the query dialog sees it.
struct StandInInventory : GoodsQueryTarget {
    QStringList calls;
    goods::StockTotals totals;
    goods::Filter found;

    QString goodsQueryMode() const override { return u"kc"_s; }
    bool wantsStockTotals() const override { return true; }
    void showStockTotals(const goods::StockTotals &t) override
    {
        calls << u"totals"_s;
        totals = t;
    }
    bool showGoods(const goods::Filter &f) override
    {
        calls << u"list"_s;
        found = f;
        return true;
    }
};

}  // namespace

class TestGoodsWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dialogCodeFollowsTheName();
    void dialogNumberFields();
    void dialogRequiredFields_data();
    void dialogRequiredFields();
    void dialogPicksCategoryAndUnit();

    void listColumnsTreeAndCounter();
    void listShowsTheStockASaleLeft();
    void listEditsByDoubleClick();
    void savedRowKeepsADescendingSort();
    void listAddShowsTheArticleAtOnce();
    void listDeleteAsksAndCounts();
    void listBulkCodesAfterCategoryClick();
    void listQueryDialog();
    void listPrintsWhatItShows();
    void queryDialogWithStockTotals();

    void documentPickerShowsOnePrice_data();
    void documentPickerShowsOnePrice();
    void documentPickerSearchesAndHandsOver();
    void documentPickerSearchWaitsForAPause();
    void documentPickerTreeAndNewArticle();
    void documentPickerClosesWithItsDocument();
    void fieldPickerFillsAndResetsTheFlag();

private:
    Session m_session;
};

// ---- the goods dialog ------------------------------------------------------------

void TestGoodsWindows::dialogCodeFollowsTheName()
{
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    TFtjsp1 d(ctx);
    std::vector<qint64> saved;
    connect(&d, &TFtjsp1::saved, [&saved](qint64 id) { saved.push_back(id); });
    d.startAdd();
    show(d);
    QCOMPARE(d.windowTitle(), u"新增商品资料"_s);
    QCOMPARE(d.formMode(), FormMode::Add);
    QCOMPARE(d.focusWidget(), d.lb);

    type(d.ppgg, u"M8螺丝"_s);
    QCOMPARE(d.txm->text(), u"M8LS"_s);
    d.txm->setText(u"M8-01"_s);
    d.lb->setText(u"紧固件"_s);
    d.dw->setText(u"个"_s);
    ScriptedMessages messages;
    QTest::keyClick(d.bz, Qt::Key_Return);  // Enter in the remark saves
    QVERIFY(messages.texts().isEmpty());
    QCOMPARE(saved.size(), size_t(1));
    QCOMPARE(goods::read(shop.db(), saved[0])->txm, u"M8-01"_s);
    // Still open, the fields as they were, the focus on the name.
    QVERIFY(d.isVisible());
    QCOMPARE(d.ppgg->text(), u"M8螺丝"_s);
    QCOMPARE(d.txm->text(), u"M8-01"_s);
    QCOMPARE(d.focusWidget(), d.ppgg);

    // The same article again is refused; in another unit it is another one.
    d.BitBtn1->click();
    QCOMPARE(messages.texts(), QStringList(u"商品不可重复！"_s));
    QCOMPARE(messages.shown()[0].caption, u"警告"_s);
    QCOMPARE(d.focusWidget(), d.txm);
    d.dw->setText(u"盒"_s);
    d.BitBtn1->click();
    QCOMPARE(saved.size(), size_t(2));
    QCOMPARE(messages.texts().size(), 1);

    // The code follows every change of the name.
    d.ppgg->setText(u"不锈钢螺丝 M6*20"_s);
    QCOMPARE(d.txm->text(), u"BXGLS M6*20"_s);
}

void TestGoodsWindows::dialogNumberFields()
{
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    TFtjsp1 d(ctx);
    qint64 id = 0;
    connect(&d, &TFtjsp1::saved, [&id](qint64 saved) { id = saved; });
    show(d);
    d.lb->setText(u"五金工具"_s);
    d.ppgg->setText(u"扳手"_s);
    d.dw->setText(u"把"_s);
    for (NumberEdit *e : {d.jj, d.xjpf, d.xjls, d.slt, d.jet, d.kcsl, d.kcjg})
        QCOMPARE(e->text(), u"0"_s);

    // Digits and one point only.
    d.jj->selectAll();
    type(d.jj, u"-1a2.3.45"_s);
    QCOMPARE(d.jj->text(), u"12.345"_s);
    d.xjpf->setText(u"12.355"_s);
    d.xjls->setText(u"12.3"_s);
    d.kcsl->setText(u"3"_s);
    d.kcjg->setText(u"2.5"_s);
    // An emptied field shows 0 at once.
    d.slt->setText(u"4"_s);
    d.slt->selectAll();
    QTest::keyClick(d.slt, Qt::Key_Backspace);
    QCOMPARE(d.slt->text(), u"0"_s);

    d.jj->setFocus();
    ScriptedMessages messages;
    d.BitBtn1->click();
    QVERIFY(messages.texts().isEmpty());
    // The fields show what was stored.
    QCOMPARE(d.jj->text(), u"12.34"_s);
    QCOMPARE(d.xjpf->text(), u"12.36"_s);
    QCOMPARE(d.xjls->text(), u"12.3"_s);
    const goods::Article a = *goods::read(shop.db(), id);
    QCOMPARE(a.jj.toFixed2(), u"12.34"_s);
    QCOMPARE(a.xjpf.toFixed2(), u"12.36"_s);
    QCOMPARE(a.xjls.toShortest(), u"12.3"_s);
    QCOMPARE(a.slt.toShortest(), u"0"_s);
    QCOMPARE(a.kcje.toFixed2(), u"7.50"_s);

    // Enter walks the fields in their order.
    d.txm->setFocus();
    QTest::keyClick(d.txm, Qt::Key_Return);
    QCOMPARE(d.focusWidget(), d.dw);
    QTest::keyClick(d.dw, Qt::Key_Return);  // filled: on to the first price
    QCOMPARE(d.focusWidget(), d.jj);
    QTest::keyClick(d.kcjg, Qt::Key_Return);
    QCOMPARE(d.focusWidget(), d.ms);
}

void TestGoodsWindows::dialogRequiredFields_data()
{
    QTest::addColumn<int>("filled");  // how many of lb, ppgg, txm, dw are filled
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("category") << 0 << "类别不可为空！" << "lb";
    QTest::newRow("name") << 1 << "商品名称不可为空！" << "ppgg";
    QTest::newRow("code") << 2 << "商品编码不可为空！" << "txm";
    QTest::newRow("unit") << 3 << "计量单位不可为空！" << "dw";
}

void TestGoodsWindows::dialogRequiredFields()
{
    QFETCH(int, filled);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    TFtjsp1 d(ctx);
    show(d);
    QLineEdit *fields[] = {d.lb, d.ppgg, d.txm, d.dw};
    d.ppgg->setText(u"扳手"_s);  // fills the code too
    for (int i = 0; i < 4; ++i)
        fields[i]->setText(i < filled ? u"x"_s : u"  "_s);
    d.jj->setText(u"1.999"_s);
    ScriptedMessages messages;
    d.BitBtn1->click();
    QCOMPARE(messages.texts(), QStringList(message));
    QCOMPARE(messages.shown()[0].caption, u"提示"_s);
    QCOMPARE(messages.shown()[0].icon, msg::Icon::Information);
    QCOMPARE(d.focusWidget()->objectName(), focus);
    // The prices were tidied first; nothing was written.
    QCOMPARE(d.jj->text(), u"2.00"_s);
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM sp"_s).toInt(), 0);
}

void TestGoodsWindows::dialogPicksCategoryAndUnit()
{
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    TFtjsp1 d(ctx);
    show(d);
    QCOMPARE(d.SpeedButton1->toolTip(), u"选择商品类别"_s);
    QCOMPARE(d.SpeedButton2->toolTip(), u"选择计量单位"_s);

    // Enter in the empty category opens the categories; "选择" fills it.
    QString second;
    whenShown<TFlb1>([&second](TFlb1 *w) {
        QCOMPARE(w->windowTitle(), u"商品类别设置"_s);
        second = w->grid()->rows().value(1, u"lb"_s).toString();
        w->grid()->setCurrentRow(1);
        QTest::keyClick(w->grid(), Qt::Key_Return);
    });
    d.lb->setFocus();
    QTest::keyClick(d.lb, Qt::Key_Return);
    QVERIFY(!second.isEmpty());
    QCOMPARE(d.lb->text(), second);
    // Filled, Enter moves on.
    d.lb->setFocus();
    QTest::keyClick(d.lb, Qt::Key_Return);
    QCOMPARE(d.focusWidget(), d.ppgg);

    // A double click on the unit opens the units.
    QString unit;
    whenShown<TFdw1>([&unit](TFdw1 *w) {
        unit = w->grid()->currentValue(u"dw"_s).toString();
        button(w, u"选择"_s)->click();
    });
    QTest::mouseDClick(d.dw, Qt::LeftButton);
    QVERIFY(!unit.isEmpty());
    QCOMPARE(d.dw->text(), unit);
    // The button too; closing the list leaves the field as it was.
    whenShown<TFdw1>([](TFdw1 *w) { QTest::keyClick(w->grid(), Qt::Key_Escape); });
    d.SpeedButton2->click();
    QCOMPARE(d.dw->text(), unit);
    // Enter in an empty unit opens the units as well.
    d.dw->clear();
    bool opened = false;
    whenShown<TFdw1>([&opened](TFdw1 *) { opened = true; });
    d.dw->setFocus();
    QTest::keyClick(d.dw, Qt::Key_Return);
    QVERIFY(opened);
}

// ---- the goods list ------------------------------------------------------------------

void TestGoodsWindows::listColumnsTreeAndCounter()
{
    FreshShop shop;
    stockShop(shop.db());
    const WindowContext ctx{shop.dm(), m_session};
    TFsp1 w(ctx);
    show(w);
    QCOMPARE(w.windowTitle(), u"商品资料"_s);

    const QStringList titles{u"编码"_s, u"商品名称"_s, u"单位"_s, u"采购单价"_s,
                             u"批发单价"_s, u"零售单价"_s, u"库存数量"_s, u"库存单价"_s,
                             u"库存金额"_s, u"数量提成"_s, u"金额提成"_s, u"商品描述"_s,
                             u"备注"_s, u"类别"_s};
    const QList<int> widths{110, 230, 43, 70, 70, 70, 70, 70, 70, 70, 70, 200, 150, 120};
    ListGrid *g = w.grid();
    QCOMPARE(g->model()->columnCount(), 14);
    for (int c = 0; c < 14; ++c) {
        QCOMPARE(g->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
        QCOMPARE(g->columnWidth(c), widths[c]);
    }
    QCOMPARE(g->model()->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                 Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
    QStringList captions;
    for (QPushButton *b : w.findChildren<QPushButton *>())
        captions << b->text();
    QCOMPARE(captions, (QStringList{u"导入"_s, u"新增"_s, u"修改"_s, u"删除"_s, u"查询"_s,
                                    u"打印"_s, u"导出"_s, u"关闭"_s}));

    // Every article by name, counted.
    QCOMPARE(column(*g, u"ppgg"_s),
             (QStringList{u"扳手"_s, u"膨胀螺栓"_s, u"M8螺丝"_s, u"O'Brien 钳子"_s}));
    QCOMPARE(w.recordCountText(), u"记录数：4"_s);
    QVERIFY(g->rows().isWindowed());  // a window onto the statement, not a copy of its rows

    // The tree: the root, then the categories in the order of entry.
    CategoryTree *tree = w.tree();
    QCOMPARE(tree->root()->text(0), u"全部类别"_s);
    QStringList nodes;
    for (int i = 0; i < tree->root()->childCount(); ++i)
        nodes << tree->root()->child(i)->text(0);
    const Snapshot categories = Snapshot::fetch(shop.db(), u"SELECT lb FROM lb ORDER BY id"_s);
    QCOMPARE(nodes.size(), categories.rowCount());
    QCOMPARE(nodes.last(), u"Bob's 工具"_s);
    QCOMPARE(imageOf(tree->root()->icon(0)), imageOf(CategoryTree::picture(0)));
    QTreeWidgetItem *fasteners = tree->nodeOf(u"紧固件"_s);
    QCOMPARE(imageOf(fasteners->icon(0)), imageOf(CategoryTree::picture(1)));
    QCOMPARE(imageOf(fasteners->icon(0), QIcon::Selected), imageOf(CategoryTree::picture(2)));
    QVERIFY(imageOf(CategoryTree::picture(1)) != imageOf(CategoryTree::picture(2)));

    clickNode(tree, fasteners);
    QCOMPARE(column(*g, u"ppgg"_s), (QStringList{u"膨胀螺栓"_s, u"M8螺丝"_s}));
    QCOMPARE(w.recordCountText(), u"记录数：2"_s);
    clickNode(tree, tree->nodeOf(u"Bob's 工具"_s));
    QCOMPARE(column(*g, u"ppgg"_s), QStringList(u"O'Brien 钳子"_s));
    clickNode(tree, tree->root());
    QCOMPARE(w.recordCountText(), u"记录数：4"_s);

    // Esc closes.
    g->setFocus();
    QTest::keyClick(g, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

namespace {

// Posts a retail sale of `quantity` spanners (code BS) at 10 each, paid in full.
void sellSpanners(const QSqlDatabase &db, const QString &dh, const QString &quantity)
{
    const documents::Descriptor &retail = documents::descriptor(documents::DocumentKind::Retail);
    const documents::LineAdded line = documents::addLine(
        db, retail, dh, {u"BS"_s, u"扳手"_s, u"把"_s, quantity, u"10"_s, Decimal::parse(u"6")});
    QVERIFY2(line.outcome.ok(), qPrintable(line.outcome.message));
    const QDate day(2024, 3, 15);
    const documents::Saved saved = documents::save(
        db, retail, dh, documents::Mode::New,
        {day, u"散客"_s, u"张三"_s, QString(), u"0"_s, QString::number(quantity.toInt() * 10)},
        documents::SaveAs::Finalize, u"系统管理员"_s, day);
    QVERIFY2(saved.outcome.ok(), qPrintable(saved.outcome.message));
}

// The stock quantity the list shows for an article, as its cell reads.
QString stockShown(const ListGrid &g, const QString &ppgg)
{
    int quantity = -1;
    for (int c = 0; c < g.rows().columnCount(); ++c)
        if (g.rows().column(c).field == u"kcsl"_s)
            quantity = c;
    for (int r = 0; r < g.rowCount(); ++r)
        if (g.rows().value(r, u"ppgg"_s).toString() == ppgg)
            return g.rows().text(r, quantity);
    return QString();
}

}  // namespace

void TestGoodsWindows::listShowsTheStockASaleLeft()
{
    FreshShop shop;
    stockShop(shop.db());
    sql::exec(shop.db(), u"UPDATE sp SET kcsl = ? WHERE txm = 'BS'"_s,
              {qlonglong(Decimal::parse(u"10").units())});
    const WindowContext ctx{shop.dm(), m_session};
    TFsp1 w(ctx);
    show(w);
    w.grid()->titleClick(6);  // sorted by stock, which the new state keeps
    QCOMPARE(stockShown(*w.grid(), u"扳手"_s), u"10"_s);

    // A sale posted while the list is in sight: the list shows what it left.
    sellSpanners(shop.db(), u"XSD20240315001"_s, u"3"_s);
    QTRY_COMPARE(stockShown(*w.grid(), u"扳手"_s), u"7"_s);
    QCOMPARE(w.grid()->rows().sortField(), u"kcsl"_s);
    QCOMPARE(w.recordCountText(), u"记录数：4"_s);

    // One posted while it is hidden: it shows the new stock once shown again.
    w.hide();
    sellSpanners(shop.db(), u"XSD20240315002"_s, u"2"_s);
    QCoreApplication::processEvents();
    QCOMPARE(stockShown(*w.grid(), u"扳手"_s), u"7"_s);  // not queried while out of sight
    show(w);
    QCOMPARE(stockShown(*w.grid(), u"扳手"_s), u"5"_s);

    // A change to other tables leaves the list as it is.
    int changes = 0;
    connect(w.grid(), &ListGrid::rowsChanged, this, [&changes] { ++changes; });
    sql::exec(shop.db(), u"INSERT INTO dw (dw) VALUES ('打')"_s);
    QCoreApplication::processEvents();
    QCOMPARE(changes, 0);
}

// A list opened again after a save keeps a descending title sort: the same
// order, the bold title, the saved row current.
void TestGoodsWindows::savedRowKeepsADescendingSort()
{
    FreshShop shop;
    stockShop(shop.db());
    const qint64 id = addGoods(shop.db(), u"扳手"_s, u"MY-CODE"_s, u"五金工具"_s, u"9"_s, u"5"_s, u"套"_s);
    const WindowContext ctx{shop.dm(), m_session};
    TFsp1 w(ctx);
    show(w);
    w.grid()->titleClick(0);
    w.grid()->titleClick(0);  // by code, descending
    QStringList before;
    for (int r = 0; r < w.grid()->rowCount(); ++r)
        before << w.grid()->rows().value(r, u"txm"_s).toString();
    w.showSaved(id);
    QCOMPARE(w.grid()->rows().sortOrder(), GridRows::Order::Descending);
    QCOMPARE(w.grid()->rows().sortField(), u"txm"_s);
    QCOMPARE(w.grid()->boldColumn(), 0);
    QStringList after;
    for (int r = 0; r < w.grid()->rowCount(); ++r)
        after << w.grid()->rows().value(r, u"txm"_s).toString();
    QCOMPARE(after, before);
    QCOMPARE(w.grid()->currentValue(u"id"_s).toLongLong(), id);
}

void TestGoodsWindows::listEditsByDoubleClick()
{
    FreshShop shop;
    stockShop(shop.db());
    const qint64 id = addGoods(shop.db(), u"扳手"_s, u"MY-CODE"_s, u"五金工具"_s, u"9"_s, u"5"_s, u"套"_s);
    const WindowContext ctx{shop.dm(), m_session};
    TFsp1 w(ctx);
    show(w);
    w.grid()->titleClick(0);  // by code; the edit keeps the sort
    QVERIFY(w.grid()->selectWhere(u"id"_s, id));
    bool closed = false;
    whenShown<TFtjsp1>([&](TFtjsp1 *d) {
        QCOMPARE(d->windowTitle(), u"修改商品资料"_s);
        QCOMPARE(d->formMode(), FormMode::Edit);
        // The stored code, not one made from the name.
        QCOMPARE(d->txm->text(), u"MY-CODE"_s);
        QCOMPARE(d->dw->text(), u"套"_s);
        QCOMPARE(d->xjls->text(), u"9"_s);
        QCOMPARE(d->kcsl->text(), u"1"_s);
        d->xjls->setText(u"9.5"_s);
        // Equal to another article: editing does not check.
        d->dw->setText(u"把"_s);
        d->txm->setText(u"BS"_s);
        d->BitBtn1->click();
        closed = !d->isVisible();
    });
    doubleClick(w.grid(), w.grid()->currentRow(), 1);
    QVERIFY(closed);
    QCOMPARE(w.grid()->currentValue(u"id"_s).toLongLong(), id);
    QCOMPARE(w.grid()->currentValue(u"xjls"_s).toLongLong(), 95000);
    QCOMPARE(w.grid()->rows().sortOrder(), GridRows::Order::Ascending);
    QCOMPARE(w.grid()->boldColumn(), 0);
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM sp WHERE txm = 'BS' AND dw = '把'"_s).toInt(), 2);
}

void TestGoodsWindows::listAddShowsTheArticleAtOnce()
{
    FreshShop shop;
    stockShop(shop.db());
    const WindowContext ctx{shop.dm(), m_session};
    TFsp1 w(ctx);
    show(w);
    clickNode(w.tree(), w.tree()->nodeOf(u"五金工具"_s));
    QCOMPARE(w.recordCountText(), u"记录数：1"_s);
    whenShown<TFtjsp1>([&](TFtjsp1 *d) {
        QCOMPARE(d->windowTitle(), u"新增商品资料"_s);
        QCOMPARE(d->formMode(), FormMode::Add);
        for (QLineEdit *e : {d->lb, d->ppgg, d->txm, d->dw, d->ms, d->bz})
            QVERIFY(e->text().isEmpty());
        QCOMPARE(d->kcjg->text(), u"0"_s);
        // Another category than the one listed.
        d->lb->setText(u"紧固件"_s);
        d->ppgg->setText(u"M10螺母"_s);
        d->dw->setText(u"个"_s);
        d->BitBtn1->click();
        QCOMPARE(w.grid()->currentValue(u"ppgg"_s).toString(), u"M10螺母"_s);
        d->ppgg->setText(u"M12螺母"_s);
        d->BitBtn1->click();
        QVERIFY(d->isVisible());
        QTest::keyClick(d->bz, Qt::Key_Escape);
    });
    button(&w, u"新增"_s)->click();
    QCOMPARE(column(*w.grid(), u"ppgg"_s), (QStringList{u"扳手"_s, u"M10螺母"_s, u"M12螺母"_s}));
    QCOMPARE(w.grid()->currentValue(u"txm"_s).toString(), u"M12LM"_s);
    QCOMPARE(w.recordCountText(), u"记录数：3"_s);
    // Until the list is queried anew.
    clickNode(w.tree(), w.tree()->nodeOf(u"五金工具"_s));
    QCOMPARE(column(*w.grid(), u"ppgg"_s), QStringList(u"扳手"_s));
}

void TestGoodsWindows::listDeleteAsksAndCounts()
{
    FreshShop shop;
    stockShop(shop.db());
    const WindowContext ctx{shop.dm(), m_session};
    TFsp1 w(ctx);
    show(w);
    w.grid()->selectWhere(u"ppgg"_s, u"扳手"_s);
    ScriptedMessages messages;
    messages.answer(msg::Answer::Cancel);
    button(&w, u"删除"_s)->click();
    QCOMPARE(w.recordCountText(), u"记录数：4"_s);
    w.deleteAction->trigger();  // the pop-up's "删除"
    QCOMPARE(messages.texts(), QStringList(2, u"确定要删除此商品么？\n\n一旦删除，对应的库存资料也会删除"_s));
    QCOMPARE(messages.shown()[0].caption, u"提示"_s);
    QCOMPARE(messages.shown()[0].buttons, msg::Buttons::OkCancel);
    QCOMPARE(messages.shown()[0].icon, msg::Icon::Question);
    QCOMPARE(w.recordCountText(), u"记录数：3"_s);
    QVERIFY(!column(*w.grid(), u"ppgg"_s).contains(u"扳手"_s));
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM sp"_s).toInt(), 3);

    // An empty list has nothing to edit or delete.
    clickNode(w.tree(), w.tree()->nodeOf(u"五金工具"_s));
    QCOMPARE(w.recordCountText(), u"记录数：0"_s);
    messages.clear();
    button(&w, u"修改"_s)->click();
    button(&w, u"删除"_s)->click();
    QCOMPARE(messages.texts(), (QStringList{u"没有商品可修改！"_s, u"没有商品可删除！"_s}));
    QCOMPARE(messages.shown()[1].caption, u"警告"_s);
}

void TestGoodsWindows::listBulkCodesAfterCategoryClick()
{
    FreshShop shop;
    stockShop(shop.db());
    sql::exec(shop.db(), u"UPDATE sp SET txm = 'OLD' || id"_s);
    const WindowContext ctx{shop.dm(), m_session};
    TFsp1 w(ctx);
    show(w);
    clickNode(w.tree(), w.tree()->nodeOf(u"紧固件"_s));
    ScriptedMessages messages;
    w.generateCodesAction->trigger();
    QVERIFY(messages.texts().isEmpty());  // no question asked
    QCOMPARE(column(*w.grid(), u"txm"_s), (QStringList{u"PZLS"_s, u"M8LS"_s}));
    const Snapshot all = Snapshot::fetch(shop.db(), u"SELECT lb, txm FROM sp ORDER BY id"_s);
    for (int r = 0; r < all.rowCount(); ++r)
        QCOMPARE(all.value(r, 1).toString().startsWith(u"OLD"_s),
                 all.value(r, 0).toString() != u"紧固件"_s);
}

void TestGoodsWindows::listQueryDialog()
{
    FreshShop shop;
    stockShop(shop.db());
    sql::exec(shop.db(), u"UPDATE sp SET kcsl = 0 WHERE txm = 'PZLS'"_s);
    const WindowContext ctx{shop.dm(), m_session};
    TFsp1 w(ctx);
    show(w);
    whenShown<TFcxsp1>([](TFcxsp1 *d) {
        QCOMPARE(d->windowTitle(), u"按条件查询"_s);
        QCOMPARE(d->mode(), u"sp"_s);
        QCOMPARE(d->ComboBox1->count(), 4);
        QCOMPARE(d->ComboBox1->itemText(1), u"库存＞0"_s);
        QCOMPARE(d->ComboBox1->currentText(), u"全部"_s);
        QCOMPARE(d->focusWidget(), d->Edit1);
        type(d->Edit1, u"固"_s);
        QTest::keyClick(d->Edit1, Qt::Key_Return);
        QCOMPARE(d->focusWidget(), d->Edit2);
        type(d->Edit2, u"ls"_s);
        QTest::keyClick(d->Edit2, Qt::Key_Return);
        QTest::keyClick(d->Edit3, Qt::Key_Return);
        d->ComboBox1->setCurrentIndex(1);
        QTest::keyClick(d->ComboBox1, Qt::Key_Return);  // runs the query
    });
    button(&w, u"查询"_s)->click();
    QCOMPARE(column(*w.grid(), u"ppgg"_s), QStringList(u"M8螺丝"_s));
    QCOMPARE(w.recordCountText(), u"记录数：1"_s);

    // Emptied when shown again: everything by name.
    whenShown<TFcxsp1>([](TFcxsp1 *d) {
        QVERIFY(d->Edit1->text().isEmpty());
        QCOMPARE(d->ComboBox1->currentIndex(), 0);
        d->BitBtn1->click();
    });
    w.queryClick();
    QCOMPARE(w.recordCountText(), u"记录数：4"_s);
}

void TestGoodsWindows::listPrintsWhatItShows()
{
    FreshShop shop;
    stockShop(shop.db());
    sql::exec(shop.db(), u"UPDATE danwei SET mcdy = '永兴五金'"_s);
    QVERIFY(shop.dm().reloadShop());
    const WindowContext ctx{shop.dm(), m_session};
    TFsp1 w(ctx);
    show(w);
    clickNode(w.tree(), w.tree()->nodeOf(u"紧固件"_s));
    // By name in the Chinese order (Han before Latin): not the statement's order.
    w.grid()->titleClick(1);
    QString heading;
    QStringList titles, names;
    w.previewer = [&](report::ListForm &form) {
        heading = form.heading();
        for (int c = 0; c < form.columnCount(); ++c)
            titles << form.caption(report::columnTitleLabel(c));
        for (int r = 0; r < form.dataset().rowCount(); ++r)
            names << form.dataset().value(r, u"ppgg"_s).toString();
    };
    button(&w, u"打印"_s)->click();
    QCOMPARE(heading, u"永兴五金商品资料表"_s);
    QCOMPARE(titles, (QStringList{u"类别"_s, u"编码"_s, u"商品名称"_s, u"单位"_s, u"批发单价"_s,
                                  u"零售单价"_s}));
    QCOMPARE(names, (QStringList{u"膨胀螺栓"_s, u"M8螺丝"_s}));

    // A list that is not open is neither printed nor exported.
    w.grid()->close();
    heading.clear();
    ScriptedMessages messages;
    button(&w, u"打印"_s)->click();
    button(&w, u"导出"_s)->click();
    QCOMPARE(messages.texts(), QStringList(2, u"数据表未打开，请先查询！"_s));
    QVERIFY(heading.isEmpty());
}

void TestGoodsWindows::queryDialogWithStockTotals()
{
    FreshShop shop;
    stockShop(shop.db());
    const WindowContext ctx{shop.dm(), m_session};
    StandInInventory inventory;
    TFcxsp1 d(ctx, inventory);
    show(d);
    QCOMPARE(d.mode(), u"kc"_s);
    d.Edit1->setText(u"紧固"_s);
    d.BitBtn1->click();
    QCOMPARE(inventory.calls, (QStringList{u"totals"_s, u"list"_s}));
    QCOMPARE(inventory.totals.quantity.toShortest(), u"2"_s);
    QCOMPARE(inventory.totals.value.toShortest(), u"1.1"_s);  // 0.3 + 0.8
    const Snapshot found = Snapshot::fetch(shop.db(), goods::listStatement(inventory.found),
                                           inventory.found.binds);
    QCOMPARE(found.rowCount(), 2);
    QVERIFY(!d.isVisible());
}

// ---- the pickers ----------------------------------------------------------------------

void TestGoodsWindows::documentPickerShowsOnePrice_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("shown");
    QTest::newRow("purchase") << "tjcg" << "采购单价";
    QTest::newRow("retail") << "tjxs" << "零售单价";
    QTest::newRow("wholesale") << "tjpf" << "批发单价";
    QTest::newRow("stock movement") << "tjrk" << "库存单价";
}

void TestGoodsWindows::documentPickerShowsOnePrice()
{
    QFETCH(QString, mode);
    QFETCH(QString, shown);
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    StandInDocument first(u"tjxs"_s);
    StandInDocument document(mode);
    TFsp2 p(ctx);
    p.setReceiver(&first);  // another window had it before
    p.setReceiver(&document);
    QCOMPARE(p.windowTitle(), u"选择商品资料"_s);
    QCOMPARE(p.mode(), mode);
    QStringList visible;
    for (int c = 0; c < p.grid()->model()->columnCount(); ++c)
        if (!p.grid()->isColumnHidden(c))
            visible << p.grid()->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(visible, (QStringList{u"编码"_s, u"商品名称"_s, u"单位"_s, u"库存数量"_s, shown,
                                   u"商品描述"_s, u"备注"_s, u"类别"_s}));
    QCOMPARE(p.grid()->columnWidth(2), 53);
}

void TestGoodsWindows::documentPickerSearchesAndHandsOver()
{
    FreshShop shop;
    stockShop(shop.db());
    addGoods(shop.db(), u"钳子"_s, u"QZ"_s, u"TOOLS"_s);
    const WindowContext ctx{shop.dm(), m_session};
    StandInDocument retail(u"tjxs"_s);
    TFsp2 p(ctx);
    p.setReceiver(&retail);
    show(p);
    QCOMPARE(p.grid()->rowCount(), 5);
    QVERIFY(p.grid()->rows().isWindowed());

    // Typed letter by letter: name, code or category containing LS (each
    // search run at once here instead of after the typing pause).
    type(p.Edit1, u"LS"_s);
    p.searchNow();
    QCOMPARE(column(*p.grid(), u"ppgg"_s), (QStringList{u"膨胀螺栓"_s, u"钳子"_s, u"M8螺丝"_s}));
    QTest::keyClick(p.Edit1, Qt::Key_Backspace);  // "L"
    p.searchNow();
    QCOMPARE(column(*p.grid(), u"txm"_s), (QStringList{u"PZLS"_s, u"QZ"_s, u"M8LS"_s}));
    p.Edit1->clear();
    p.searchNow();
    QCOMPARE(p.grid()->rowCount(), 5);
    type(p.Edit1, u"'B"_s);
    p.searchNow();
    QCOMPARE(column(*p.grid(), u"ppgg"_s), QStringList(u"O'Brien 钳子"_s));

    // Enter in the search field, the button, Enter in the grid, a double click.
    p.Edit1->clear();
    type(p.Edit1, u"扳"_s);
    QTest::keyClick(p.Edit1, Qt::Key_Return);
    p.chooseButton->click();
    p.grid()->setFocus();
    QTest::keyClick(p.grid(), Qt::Key_Return);
    doubleClick(p.grid(), 0, 1);
    QCOMPARE(retail.lines.size(), size_t(4));
    // Each choice is its own line of the same article, at its retail price;
    // its cost comes along for the line's cost and gross profit.
    for (const goods::Article &a : retail.lines) {
        QCOMPARE(a.ppgg, u"扳手"_s);
        QCOMPARE(a.xjls.toShortest(), u"10"_s);
        QCOMPARE(a.kcjg.toShortest(), u"6"_s);
    }
    QCOMPARE(retail.hjsl.toShortest(), u"4"_s);
    QCOMPARE(retail.hjje.toShortest(), u"40"_s);
    QVERIFY(p.isVisible());  // it stays open

    // Nothing listed: nothing to choose.
    p.Edit1->setText(u"没有这个"_s);
    ScriptedMessages messages;
    QTest::keyClick(p.Edit1, Qt::Key_Return);
    QCOMPARE(messages.texts(), QStringList(u"没有商品可选择！"_s));
    QCOMPARE(messages.shown()[0].caption, u"警告"_s);
    QCOMPARE(retail.lines.size(), size_t(4));
}

void TestGoodsWindows::documentPickerSearchWaitsForAPause()
{
    FreshShop shop;
    stockShop(shop.db());
    const WindowContext ctx{shop.dm(), m_session};
    StandInDocument retail(u"tjxs"_s);
    TFsp2 p(ctx);
    p.setReceiver(&retail);
    show(p);
    QCOMPARE(p.grid()->rowCount(), 4);

    // Keystrokes in quick succession: the list stays as it is until the
    // typing pauses, then one search runs for the whole text.
    QElapsedTimer typing;
    typing.start();
    type(p.Edit1, u"螺丝"_s);
    QCOMPARE(p.grid()->rowCount(), 4);
    QTRY_COMPARE(column(*p.grid(), u"ppgg"_s), QStringList(u"M8螺丝"_s));
    QVERIFY(typing.elapsed() >= GoodsPicker::searchPause * 9 / 10);

    // A click on a category drops the search still waiting.
    type(p.Edit1, u"扳"_s);
    clickNode(p.tree(), p.tree()->nodeOf(u"紧固件"_s));
    QTest::qWait(GoodsPicker::searchPause * 2);
    QCOMPARE(column(*p.grid(), u"ppgg"_s), (QStringList{u"膨胀螺栓"_s, u"M8螺丝"_s}));

    // Enter right after typing chooses from the list of the text typed.
    type(p.Edit1, u"扳"_s);
    QTest::keyClick(p.Edit1, Qt::Key_Return);
    QCOMPARE(retail.lines.size(), size_t(1));
    QCOMPARE(retail.lines[0].ppgg, u"扳手"_s);
}

void TestGoodsWindows::documentPickerTreeAndNewArticle()
{
    FreshShop shop;
    stockShop(shop.db());
    const WindowContext ctx{shop.dm(), m_session};
    StandInDocument purchase(u"tjcg"_s);
    TFsp2 p(ctx);
    p.setReceiver(&purchase);
    show(p);
    type(p.Edit1, u"螺"_s);
    clickNode(p.tree(), p.tree()->nodeOf(u"Bob's 工具"_s));
    QVERIFY(p.Edit1->text().isEmpty());
    QCOMPARE(column(*p.grid(), u"ppgg"_s), QStringList(u"O'Brien 钳子"_s));
    QCOMPARE(p.focusWidget(), p.grid());

    // A new article shows in the picker at once and can be chosen.
    p.Edit1->setText(u"螺丝"_s);
    whenShown<TFtjsp1>([](TFtjsp1 *d) {
        QCOMPARE(d->windowTitle(), u"新增商品资料"_s);
        d->lb->setText(u"五金工具"_s);
        d->ppgg->setText(u"羊角锤"_s);
        d->dw->setText(u"把"_s);
        d->jj->setText(u"18"_s);
        d->BitBtn1->click();
        QTest::keyClick(d->bz, Qt::Key_Escape);
    });
    button(&p, u"新增"_s)->click();
    QCOMPARE(column(*p.grid(), u"ppgg"_s), (QStringList{u"羊角锤"_s, u"M8螺丝"_s}));
    p.chooseButton->click();
    QCOMPARE(purchase.lines.size(), size_t(1));
    QCOMPARE(purchase.lines[0].txm, u"YJC"_s);
    QCOMPARE(purchase.hjje.toShortest(), u"18"_s);
}

void TestGoodsWindows::documentPickerClosesWithItsDocument()
{
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    auto retail = std::make_unique<StandInDocument>(u"tjxs"_s);
    auto purchase = std::make_unique<StandInDocument>(u"tjcg"_s);
    TFsp2 p(ctx);
    show(p);
    p.setReceiver(retail.get());
    p.setReceiver(purchase.get());
    // The window it no longer serves may go; the picker stays.
    retail.reset();
    QVERIFY(p.isVisible());
    QCOMPARE(p.receiver(), purchase.get());
    purchase.reset();
    QVERIFY(!p.isVisible());
    QCOMPARE(p.receiver(), nullptr);

    // And a picker that goes first leaves its window nothing dangling.
    auto movement = std::make_unique<StandInDocument>(u"tjrk"_s);
    {
        TFsp2 short_lived(ctx);
        short_lived.setReceiver(movement.get());
    }
    movement.reset();
}

void TestGoodsWindows::fieldPickerFillsAndResetsTheFlag()
{
    FreshShop shop;
    stockShop(shop.db());
    const WindowContext ctx{shop.dm(), m_session};
    StandInFields assembly;
    {
        TFsp3 p(ctx, assembly);
        p.setWindowTitle(u"选择零件"_s);
        p.setMode(u"zu2"_s);
        QStringList visible;
        for (int c = 0; c < p.picker()->grid()->model()->columnCount(); ++c)
            visible << p.picker()->grid()->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(visible, (QStringList{u"编码"_s, u"商品名称"_s, u"单位"_s, u"库存数量"_s,
                                       u"库存单价"_s, u"商品描述"_s, u"备注"_s, u"类别"_s}));
        QString whileOpen;
        QTimer::singleShot(0, [&] {
            whileOpen = assembly.sao;
            type(p.picker()->Edit1, u"PZ"_s);
            QTest::keyClick(p.picker()->Edit1, Qt::Key_Return);
        });
        QCOMPARE(p.exec(), int(QDialog::Accepted));
        QCOMPARE(whileOpen, u"xuan"_s);
        QCOMPARE(assembly.filledMode, u"zu2"_s);
        QCOMPARE(assembly.filled->ppgg, u"膨胀螺栓"_s);
        QVERIFY(assembly.filled->id > 0);
        QCOMPARE(assembly.sao, u"sao"_s);
    }
    // Closed without a choice: the fields stay, the flag is reset all the same.
    assembly.filled.reset();
    assembly.flags.clear();
    TFsp3 p(ctx, assembly);
    p.setMode(u"chai1"_s);
    QTimer::singleShot(0, [&p] { QTest::keyClick(p.picker()->Edit1, Qt::Key_Escape); });
    QCOMPARE(p.exec(), int(QDialog::Rejected));
    QVERIFY(!assembly.filled);
    QCOMPARE(assembly.flags, (QStringList{u"xuan"_s, u"sao"_s}));
}

QTEST_MAIN(TestGoodsWindows)
#include "tst_goodswindows.moc"
