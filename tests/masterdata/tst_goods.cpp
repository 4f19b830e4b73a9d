// The goods catalogue's rules without windows: saving articles, the duplicate
// check, the list statements and the bulk code generation.
#include "TestSupport.h"

#include "core/db/Schema.h"
#include "core/db/Snapshot.h"
#include "core/db/Sql.h"
#include "core/lists/GridRows.h"
#include "core/masterdata/Goods.h"

#include <QDir>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using goods::Field;
using goods::Severity;

Q_DECLARE_METATYPE(goods::Field)

namespace {

goods::Input article(const QString &ppgg, const QString &txm, const QString &dw = u"个"_s,
                     const QString &lb = u"五金工具"_s)
{
    goods::Input in;
    in.lb = lb;
    in.ppgg = ppgg;
    in.txm = txm;
    in.dw = dw;
    for (const goods::NumberField &f : goods::numberFields())
        in.*(f.text) = u"0"_s;
    return in;
}

qint64 added(QSqlDatabase db, const goods::Input &in)
{
    const goods::Outcome o = goods::add(db, in);
    if (!o.ok())
        qFatal("not added: %s", qPrintable(o.message));
    return o.id;
}

int goodsCount(QSqlDatabase db)
{
    return sql::scalar(db, u"SELECT count(*) FROM sp"_s).toInt();
}

// The names a filter lists, in the list's order.
QStringList listed(QSqlDatabase db, const goods::Filter &f, const char *column = "ppgg")
{
    const Snapshot rows = Snapshot::fetch(db, goods::listStatement(f), f.binds);
    QStringList out;
    for (int r = 0; r < rows.rowCount(); ++r)
        out << rows.value(r, QString::fromLatin1(column)).toString();
    return out;
}

QString codeOf(QSqlDatabase db, qint64 id)
{
    return sql::scalar(db, u"SELECT txm FROM sp WHERE id = ?"_s, {id}).toString();
}

}  // namespace

class TestGoods : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pricesAreStoredToTwoDecimals_data();
    void pricesAreStoredToTwoDecimals();
    void stockValueIsQuantityTimesCost_data();
    void stockValueIsQuantityTimesCost();
    void textsAreTrimmedAndEveryColumnWritten();
    void requiredFieldsInOrder_data();
    void requiredFieldsInOrder();
    void unreadableNumbersAreRefused();
    void duplicatesNeedNameCodeAndUnit();
    void editingDoesNotCheckDuplicates();
    void editingAnArticleThatIsGone();
    void apostrophesAndWildcardsAreJustCharacters();
    void searchFindsNameCodeOrCategory();
    void queryConditionsAndStock_data();
    void queryConditionsAndStock();
    void savedArticlesStayInSight();
    void stockTotalsFollowTheFilter();
    void deletingLeavesDocumentsAlone();
    void bulkCodesOnlyForTheListedArticles();
    void bulkCodesAreAllOrNothing();
    void pickerPricesByMode_data();
    void pickerPricesByMode();
    void nameOrderIsTheTitleClickOrder();
    void nameOrderWalksTheNameIndex();
    void olderFileGetsTheNameIndex();
};

void TestGoods::pricesAreStoredToTwoDecimals_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint64>("units");
    QTest::newRow("tie goes down to the even digit") << u"12.345"_s << qint64(123400);
    QTest::newRow("tie goes up to the even digit") << u"12.355"_s << qint64(123600);
    QTest::newRow("more than a tie rounds up") << u"12.3451"_s << qint64(123500);
    QTest::newRow("one decimal as typed") << u"12.3"_s << qint64(123000);
    QTest::newRow("two decimals as typed") << u"0.05"_s << qint64(500);
    QTest::newRow("empty is zero") << QString() << qint64(0);
    QTest::newRow("a trailing point") << u"7."_s << qint64(70000);
}

void TestGoods::pricesAreStoredToTwoDecimals()
{
    QFETCH(QString, typed);
    QFETCH(qint64, units);
    QCOMPARE(goods::tidyNumber(u"12.345"_s), u"12.34"_s);
    FreshShop shop;
    goods::Input in = article(u"扳手"_s, u"BS"_s);
    in.jj = in.xjpf = in.xjls = in.slt = in.jet = typed;
    const qint64 id = added(shop.db(), in);
    const goods::Article a = *goods::read(shop.db(), id);
    for (const Decimal &d : {a.jj, a.xjpf, a.xjls, a.slt, a.jet})
        QCOMPARE(d.units(), units);
}

void TestGoods::stockValueIsQuantityTimesCost_data()
{
    QTest::addColumn<QString>("kcsl");
    QTest::addColumn<QString>("kcjg");
    QTest::addColumn<QString>("kcje");
    QTest::newRow("3 x 2.5") << u"3"_s << u"2.5"_s << u"7.50"_s;
    QTest::newRow("a half cent rounds to even, down") << u"0.5"_s << u"0.25"_s << u"0.12"_s;
    QTest::newRow("a half cent rounds to even, up") << u"1.5"_s << u"0.33"_s << u"0.50"_s;
    QTest::newRow("cost typed with three decimals") << u"2"_s << u"1.005"_s << u"2.00"_s;
    QTest::newRow("nothing in stock") << u"0"_s << u"9.99"_s << u"0.00"_s;
}

void TestGoods::stockValueIsQuantityTimesCost()
{
    QFETCH(QString, kcsl);
    QFETCH(QString, kcjg);
    QFETCH(QString, kcje);
    FreshShop shop;
    goods::Input in = article(u"扳手"_s, u"BS"_s);
    in.kcsl = kcsl;
    in.kcjg = kcjg;
    const qint64 id = added(shop.db(), in);
    QCOMPARE(goods::read(shop.db(), id)->kcje.toFixed2(), kcje);

    // An edit writes it again from the new values.
    in.kcsl = u"4"_s;
    in.kcjg = u"0.3"_s;
    QVERIFY(goods::update(shop.db(), id, in).ok());
    QCOMPARE(goods::read(shop.db(), id)->kcje.toFixed2(), u"1.20"_s);
}

void TestGoods::textsAreTrimmedAndEveryColumnWritten()
{
    FreshShop shop;
    goods::Input in;
    in.lb = u" 紧固件 "_s;
    in.ppgg = u"  M8螺丝\t"_s;
    in.txm = u" M8LS "_s;
    in.dw = u" 个 "_s;
    in.jj = u"1"_s;
    in.xjpf = u"2"_s;
    in.xjls = u"3"_s;
    in.slt = u"0.1"_s;
    in.jet = u"0.02"_s;
    in.kcsl = u"5"_s;
    in.kcjg = u"1.1"_s;
    in.ms = u" 镀锌 "_s;
    in.bz = u" 常备 "_s;
    const qint64 id = added(shop.db(), in);
    const goods::Article a = *goods::read(shop.db(), id);
    QCOMPARE(QStringList({a.lb, a.ppgg, a.txm, a.dw, a.ms, a.bz}),
             QStringList({u"紧固件"_s, u"M8螺丝"_s, u"M8LS"_s, u"个"_s, u"镀锌"_s, u"常备"_s}));
    QCOMPARE(QStringList({a.jj.toShortest(), a.xjpf.toShortest(), a.xjls.toShortest(),
                          a.slt.toShortest(), a.jet.toShortest(), a.kcsl.toShortest(),
                          a.kcjg.toShortest(), a.kcje.toFixed2()}),
             QStringList({u"1"_s, u"2"_s, u"3"_s, u"0.1"_s, u"0.02"_s, u"5"_s, u"1.1"_s,
                          u"5.50"_s}));
    // Empty texts are stored as empty, not as NULL.
    goods::Input bare = article(u"扳手"_s, u"BS"_s);
    const qint64 other = added(shop.db(), bare);
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM sp WHERE id = ? AND ms = '' AND bz = ''"_s,
                         {other})
                 .toInt(),
             1);
}

void TestGoods::requiredFieldsInOrder_data()
{
    QTest::addColumn<QString>("lb");
    QTest::addColumn<QString>("ppgg");
    QTest::addColumn<QString>("txm");
    QTest::addColumn<QString>("dw");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Field>("focus");
    QTest::newRow("all empty: the category first") << "" << "" << "" << "" << "类别不可为空！" << Field::Lb;
    QTest::newRow("blank category") << "  " << "扳手" << "BS" << "把" << "类别不可为空！" << Field::Lb;
    QTest::newRow("name") << "工具" << " " << "" << "" << "商品名称不可为空！" << Field::Ppgg;
    QTest::newRow("code") << "工具" << "扳手" << "\t" << "把" << "商品编码不可为空！" << Field::Txm;
    QTest::newRow("unit") << "工具" << "扳手" << "BS" << "" << "计量单位不可为空！" << Field::Dw;
}

void TestGoods::requiredFieldsInOrder()
{
    QFETCH(QString, lb);
    QFETCH(QString, ppgg);
    QFETCH(QString, txm);
    QFETCH(QString, dw);
    QFETCH(QString, message);
    QFETCH(Field, focus);
    FreshShop shop;
    const goods::Input in = article(ppgg, txm, dw, lb);
    for (const goods::Outcome &o : {goods::add(shop.db(), in), goods::update(shop.db(), 1, in)}) {
        QCOMPARE(o.message, message);
        QCOMPARE(o.severity, Severity::Info);
        QCOMPARE(o.focus, focus);
    }
    QCOMPARE(goodsCount(shop.db()), 0);
}

void TestGoods::unreadableNumbersAreRefused()
{
    FreshShop shop;
    // Pasted text passes the key filter; the save reads it.
    goods::Input in = article(u"扳手"_s, u"BS"_s);
    in.xjls = u"1.2.3"_s;
    goods::Outcome o = goods::add(shop.db(), in);
    QCOMPARE(o.message, u"零售单价必须是数字！"_s);
    QCOMPARE(o.focus, Field::Xjls);
    in.xjls = u"3"_s;
    in.kcjg = u"abc"_s;
    o = goods::add(shop.db(), in);
    QCOMPARE(o.message, u"库存单价必须是数字！"_s);
    QCOMPARE(o.focus, Field::Kcjg);
    // A stock value that no longer fits is refused rather than stored wrong.
    in.kcjg = u"900000000000"_s;
    in.kcsl = u"900000000000"_s;
    o = goods::add(shop.db(), in);
    QCOMPARE(o.message, u"库存金额超出范围！"_s);
    QCOMPARE(goodsCount(shop.db()), 0);
    // A negative stock (after sales) is kept when an article is saved again.
    in.kcsl = u"-3"_s;
    in.kcjg = u"2"_s;
    const qint64 id = added(shop.db(), in);
    QCOMPARE(goods::read(shop.db(), id)->kcje.toFixed2(), u"-6.00"_s);
}

void TestGoods::duplicatesNeedNameCodeAndUnit()
{
    FreshShop shop;
    added(shop.db(), article(u"M8螺丝"_s, u"M8LS"_s, u"个"_s));
    // Another unit, another code or another name: a different article.
    QVERIFY(goods::add(shop.db(), article(u"M8螺丝"_s, u"M8LS"_s, u"盒"_s)).ok());
    QVERIFY(goods::add(shop.db(), article(u"M8螺丝"_s, u"M8LS2"_s, u"个"_s)).ok());
    QVERIFY(goods::add(shop.db(), article(u"M8螺丝 "_s + u"长"_s, u"M8LS"_s, u"个"_s)).ok());
    QCOMPARE(goodsCount(shop.db()), 4);

    // All three equal, also after trimming and in other capitals, is refused.
    for (const goods::Input &same : {article(u"M8螺丝"_s, u"M8LS"_s, u"个"_s),
                                     article(u" M8螺丝 "_s, u"M8LS "_s, u" 个"_s),
                                     article(u"m8螺丝"_s, u"m8ls"_s, u"个"_s, u"别的类别"_s)}) {
        const goods::Outcome o = goods::add(shop.db(), same);
        QCOMPARE(o.message, u"商品不可重复！"_s);
        QCOMPARE(o.severity, Severity::Warning);
        QCOMPARE(o.focus, Field::Txm);
    }
    QCOMPARE(goodsCount(shop.db()), 4);
    QVERIFY(goods::isDuplicate(shop.db(), u"M8螺丝"_s, u"M8LS"_s, u"盒"_s));
    QVERIFY(!goods::isDuplicate(shop.db(), u"M8螺丝"_s, u"M8LS"_s, u"把"_s));
}

void TestGoods::editingDoesNotCheckDuplicates()
{
    FreshShop shop;
    added(shop.db(), article(u"扳手"_s, u"BS"_s, u"把"_s));
    const qint64 id = added(shop.db(), article(u"钳子"_s, u"QZ"_s, u"把"_s));
    const goods::Outcome o = goods::update(shop.db(), id, article(u"扳手"_s, u"BS"_s, u"把"_s));
    QVERIFY(o.ok());
    QCOMPARE(o.id, id);
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM sp WHERE ppgg = '扳手'"_s).toInt(), 2);
}

void TestGoods::editingAnArticleThatIsGone()
{
    FreshShop shop;
    const qint64 id = added(shop.db(), article(u"扳手"_s, u"BS"_s));
    goods::remove(shop.db(), id);
    const goods::Outcome o = goods::update(shop.db(), id, article(u"扳手"_s, u"BS2"_s));
    QVERIFY(!o.ok());
    QCOMPARE(o.severity, Severity::Warning);
    QCOMPARE(goodsCount(shop.db()), 0);
    QVERIFY(!goods::read(shop.db(), id));
}

void TestGoods::apostrophesAndWildcardsAreJustCharacters()
{
    FreshShop shop;
    const qint64 id = added(shop.db(), article(u"O'Brien's 扳手"_s, u"O'B"_s, u"p'c"_s, u"It's"_s));
    added(shop.db(), article(u"折扣50%套装"_s, u"ZK50%"_s));
    added(shop.db(), article(u"折扣500套装"_s, u"ZK500"_s));
    added(shop.db(), article(u"A_B接头"_s, u"A_B"_s));
    added(shop.db(), article(u"AXB接头"_s, u"AXB"_s));
    added(shop.db(), article(u"反斜杠\\接头"_s, u"FXG"_s));

    const goods::Article a = *goods::read(shop.db(), id);
    QCOMPARE(a.ppgg, u"O'Brien's 扳手"_s);
    QCOMPARE(goods::add(shop.db(), article(u"O'Brien's 扳手"_s, u"O'B"_s, u"p'c"_s)).message,
             u"商品不可重复！"_s);
    QCOMPARE(listed(shop.db(), goods::search(u"'s"_s)), QStringList(a.ppgg));
    QCOMPARE(listed(shop.db(), goods::inCategory(u"It's"_s)), QStringList(a.ppgg));
    goods::Conditions c;
    c.category = u"t'"_s;
    c.code = u"O'"_s;
    c.name = u"n's"_s;
    QCOMPARE(listed(shop.db(), goods::matching(c)), QStringList(a.ppgg));

    // % _ and \ are found as themselves.
    QCOMPARE(listed(shop.db(), goods::search(u"50%"_s)), QStringList(u"折扣50%套装"_s));
    QCOMPARE(listed(shop.db(), goods::search(u"A_B"_s)), QStringList(u"A_B接头"_s));
    QCOMPARE(listed(shop.db(), goods::search(u"\\"_s)), QStringList(u"反斜杠\\接头"_s));
    c = {};
    c.code = u"_"_s;
    QCOMPARE(listed(shop.db(), goods::matching(c)), QStringList(u"A_B接头"_s));
}

void TestGoods::searchFindsNameCodeOrCategory()
{
    FreshShop shop;
    added(shop.db(), article(u"螺丝刀"_s, u"LSD"_s, u"把"_s, u"工具"_s));           // code
    added(shop.db(), article(u"ALS胶"_s, u"AJ"_s, u"支"_s, u"化工"_s));             // name
    added(shop.db(), article(u"扳手"_s, u"BS"_s, u"把"_s, u"TOOLS"_s));             // category
    added(shop.db(), article(u"膨胀螺栓"_s, u"PZLS"_s, u"个"_s, u"紧固件"_s));     // code
    added(shop.db(), article(u"钳子"_s, u"QZ"_s, u"把"_s, u"工具"_s));              // none
    added(shop.db(), article(u"bls垫片"_s, u"DP"_s, u"个"_s, u"紧固件"_s));        // name, small letters
    // By name, in the order a click on the name title gives: Chinese names
    // in pinyin order, then Latin ones by the alphabet.
    QCOMPARE(listed(shop.db(), goods::search(u"LS"_s)),
             QStringList({u"扳手"_s, u"螺丝刀"_s, u"膨胀螺栓"_s, u"ALS胶"_s, u"bls垫片"_s}));
    QCOMPARE(listed(shop.db(), goods::search(QString())).size(), 6);
    // The root of the tree lists everything; a category only its own.
    QCOMPARE(listed(shop.db(), goods::inCategory(QString())).size(), 6);
    QCOMPARE(listed(shop.db(), goods::inCategory(u"工具"_s)), QStringList({u"螺丝刀"_s, u"钳子"_s}));
    QCOMPARE(listed(shop.db(), goods::inCategory(u"工"_s)), QStringList());
    // Articles of one name keep the order of entry.
    added(shop.db(), article(u"钳子"_s, u"QZ"_s, u"套"_s, u"工具"_s));
    QCOMPARE(listed(shop.db(), goods::inCategory(u"工具"_s), "dw"),
             QStringList({u"把"_s, u"把"_s, u"套"_s}));
}

void TestGoods::queryConditionsAndStock_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("stock");
    QTest::addColumn<QStringList>("found");
    const QStringList all{u"A扳手"_s, u"B钳子"_s, u"C螺丝"_s, u"D螺母"_s};
    QTest::newRow("nothing given: everything by name") << "" << "" << "" << 0 << all;
    QTest::newRow("stock above 0") << "" << "" << "" << 1 << QStringList{u"A扳手"_s, u"C螺丝"_s};
    QTest::newRow("stock 0") << "" << "" << "" << 2 << QStringList{u"B钳子"_s};
    QTest::newRow("stock below 0") << "" << "" << "" << 3 << QStringList{u"D螺母"_s};
    QTest::newRow("part of the category") << "固" << "" << "" << 0 << QStringList{u"C螺丝"_s, u"D螺母"_s};
    QTest::newRow("part of the code") << "" << "lm" << "" << 0 << QStringList{u"D螺母"_s};
    QTest::newRow("all together") << "件" << "L" << "螺" << 1 << QStringList{u"C螺丝"_s};
    QTest::newRow("nothing matches") << "工具" << "" << "螺" << 0 << QStringList();
}

void TestGoods::queryConditionsAndStock()
{
    QFETCH(QString, category);
    QFETCH(QString, code);
    QFETCH(QString, name);
    QFETCH(int, stock);
    QFETCH(QStringList, found);
    FreshShop shop;
    const struct {
        const char16_t *ppgg, *txm, *lb, *kcsl;
    } rows[] = {{u"D螺母", u"DLM", u"紧固件", u"-2"},
                {u"B钳子", u"BQZ", u"工具", u"0"},
                {u"C螺丝", u"CLS", u"紧固件", u"5"},
                {u"A扳手", u"ABS", u"工具", u"1"}};
    for (const auto &r : rows) {
        goods::Input in = article(QString::fromUtf16(r.ppgg), QString::fromUtf16(r.txm), u"个"_s,
                                  QString::fromUtf16(r.lb));
        in.kcsl = QString::fromUtf16(r.kcsl);
        added(shop.db(), in);
    }
    goods::Conditions c;
    c.category = category;
    c.code = code;
    c.name = name;
    c.stock = goods::Stock(stock);
    QCOMPARE(listed(shop.db(), goods::matching(c)), found);
}

void TestGoods::savedArticlesStayInSight()
{
    FreshShop shop;
    added(shop.db(), article(u"扳手"_s, u"BS"_s, u"把"_s, u"工具"_s));
    const qint64 other = added(shop.db(), article(u"螺母"_s, u"LM"_s, u"个"_s, u"紧固件"_s));
    const goods::Filter tools = goods::inCategory(u"工具"_s);
    QCOMPARE(listed(shop.db(), goods::alsoShowing(tools, {other})),
             QStringList({u"扳手"_s, u"螺母"_s}));
    QCOMPARE(listed(shop.db(), goods::alsoShowing(tools, {})), QStringList(u"扳手"_s));
    QCOMPARE(listed(shop.db(), goods::alsoShowing(goods::everything(), {other})).size(), 2);
    // Combined with a search, the search's own values stay bound in place.
    QCOMPARE(listed(shop.db(), goods::alsoShowing(goods::search(u"BS"_s), {other})),
             QStringList({u"扳手"_s, u"螺母"_s}));
}

void TestGoods::stockTotalsFollowTheFilter()
{
    FreshShop shop;
    goods::Input in = article(u"扳手"_s, u"BS"_s, u"把"_s, u"工具"_s);
    in.kcsl = u"3"_s;
    in.kcjg = u"2.5"_s;
    added(shop.db(), in);
    in = article(u"螺母"_s, u"LM"_s, u"个"_s, u"紧固件"_s);
    in.kcsl = u"-1.5"_s;
    in.kcjg = u"0.33"_s;
    added(shop.db(), in);
    goods::StockTotals t = goods::stockTotals(shop.db(), goods::everything());
    QCOMPARE(t.quantity.toShortest(), u"1.5"_s);
    QCOMPARE(t.value.toShortest(), u"7"_s);  // 7.50 - 0.50
    goods::Conditions below;
    below.stock = goods::Stock::Negative;
    t = goods::stockTotals(shop.db(), goods::matching(below));
    QCOMPARE(t.quantity.toShortest(), u"-1.5"_s);
    QCOMPARE(t.value.toShortest(), u"-0.5"_s);
    below.name = u"没有"_s;
    t = goods::stockTotals(shop.db(), goods::matching(below));
    QVERIFY(t.quantity.isZero() && t.value.isZero());
}

void TestGoods::deletingLeavesDocumentsAlone()
{
    FreshShop shop;
    const qint64 id = added(shop.db(), article(u"扳手"_s, u"BS"_s, u"把"_s));
    sql::exec(shop.db(),
              u"INSERT INTO xsfx (dh, txm, ppgg, dw, sl) VALUES ('XSD20240101001', 'BS', '扳手', '把', 10000)"_s);
    QVERIFY(goods::remove(shop.db(), id).ok());
    QCOMPARE(goodsCount(shop.db()), 0);
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM xsfx WHERE txm = 'BS'"_s).toInt(), 1);

    // A database that fails is answered with its own words ("错误"), not thrown.
    const qint64 other = added(shop.db(), article(u"锤子"_s, u"CZ"_s, u"把"_s));
    sql::exec(shop.db(), u"ALTER TABLE sp RENAME TO sp_gone"_s);
    const Outcome<goods::Field> failed = goods::remove(shop.db(), other);
    QCOMPARE(failed.severity, goods::Severity::Error);
    QVERIFY(!failed.message.isEmpty());
    const goods::Outcome saved = goods::add(shop.db(), article(u"钳子"_s, u"QZ"_s, u"把"_s));
    QCOMPARE(saved.severity, goods::Severity::Error);
    sql::exec(shop.db(), u"ALTER TABLE sp_gone RENAME TO sp"_s);
    QCOMPARE(goodsCount(shop.db()), 1);
}

void TestGoods::bulkCodesOnlyForTheListedArticles()
{
    FreshShop shop;
    const qint64 screw = added(shop.db(), article(u"M8螺丝"_s, u"OLD1"_s, u"个"_s, u"紧固件"_s));
    const qint64 nut = added(shop.db(), article(u"不锈钢螺母 M6*20"_s, u"OLD2"_s, u"个"_s, u"紧固件"_s));
    const qint64 box = added(shop.db(), article(u"□□"_s, u"KEEP"_s, u"个"_s, u"紧固件"_s));
    const qint64 spanner = added(shop.db(), article(u"扳手"_s, u"OLD3"_s, u"把"_s, u"工具"_s));

    // What the list shows after a click on "紧固件".
    const goods::Filter f = goods::inCategory(u"紧固件"_s);
    const Snapshot rows = Snapshot::fetch(shop.db(), goods::listStatement(f), f.binds);
    std::vector<qint64> ids;
    for (int r = 0; r < rows.rowCount(); ++r)
        ids.push_back(goods::articleAt(rows, r).id);
    QCOMPARE(ids.size(), size_t(3));

    QCOMPARE(goods::generateCodes(shop.db(), ids), 2);
    QCOMPARE(codeOf(shop.db(), screw), u"M8LS"_s);
    QCOMPARE(codeOf(shop.db(), nut), u"BXGLM M6*20"_s);
    // A name without a reading gives no code; the article keeps its own.
    QCOMPARE(codeOf(shop.db(), box), u"KEEP"_s);
    QCOMPARE(codeOf(shop.db(), spanner), u"OLD3"_s);
    // Nothing left to change the second time.
    QCOMPARE(goods::generateCodes(shop.db(), ids), 0);
}

void TestGoods::bulkCodesAreAllOrNothing()
{
    FreshShop shop;
    const qint64 first = added(shop.db(), article(u"扳手"_s, u"OLD1"_s));
    const qint64 second = added(shop.db(), article(u"钳子"_s, u"OLD2"_s));
    // The database refuses the second write.
    sql::exec(shop.db(), u"CREATE TEMP TRIGGER refuse BEFORE UPDATE OF txm ON sp WHEN NEW.txm = 'QZ'"
                         " BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
    QVERIFY_THROWS_EXCEPTION(DbError, goods::generateCodes(shop.db(), {first, second}));
    QCOMPARE(codeOf(shop.db(), first), u"OLD1"_s);
    QCOMPARE(codeOf(shop.db(), second), u"OLD2"_s);
}

void TestGoods::pickerPricesByMode_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("price");
    QTest::newRow("purchase") << "tjcg" << "jj" << "6.5";
    QTest::newRow("retail") << "tjxs" << "xjls" << "10";
    QTest::newRow("wholesale") << "tjpf" << "xjpf" << "8.8";
    QTest::newRow("stock movement") << "tjrk" << "kcjg" << "6";
    QTest::newRow("not a document") << "zu1" << "" << "0";
}

void TestGoods::pickerPricesByMode()
{
    QFETCH(QString, mode);
    QFETCH(QString, column);
    QFETCH(QString, price);
    goods::Article a;
    a.jj = Decimal::parse(u"6.5");
    a.xjls = Decimal::parse(u"10");
    a.xjpf = Decimal::parse(u"8.8");
    a.kcjg = Decimal::parse(u"6");
    QCOMPARE(goods::priceColumnOf(mode), column);
    QCOMPARE(goods::priceOf(a, mode).toShortest(), price);
}

QTEST_GUILESS_MAIN(TestGoods)
namespace {

// Names of every kind a shop types: Chinese, Latin in both cases, digits first.
const QStringList kMixedNames = {
    u"镀锌管"_s, u"Bolt"_s,     u"扳手"_s,    u"bolt"_s,     u"螺丝"_s,   u"安全帽"_s,
    u"Zinc"_s,   u"zinc"_s,     u"M8螺栓"_s,  u"m8螺栓"_s,   u"不锈钢合页"_s, u"PPR水管"_s,
    u"ppr弯头"_s, u"电焊条"_s,   u"12V灯泡"_s, u"阿胶"_s,     u"扳手"_s,   u"绝缘胶布"_s,
    u"角磨机"_s, u"Ａ型卡箍"_s, u"水龙头"_s,  u"球阀"_s,     u"膨胀螺栓"_s, u"五孔插座"_s};

}  // namespace

void TestGoods::nameOrderIsTheTitleClickOrder()
{
    FreshShop shop;
    for (int i = 0; i < kMixedNames.size(); ++i)
        added(shop.db(), article(kMixedNames[i], u"C"_s + QString::number(i)));

    // The rows in the order of entry, sorted by a click on "商品名称".
    GridRows grid;
    grid.setColumns({{u"ppgg"_s, u"商品名称"_s}});
    grid.open(Snapshot::fetch(shop.db(), u"SELECT * FROM sp ORDER BY id"_s));
    grid.titleClicked(0);
    QStringList clicked;
    for (int r = 0; r < grid.rowCount(); ++r)
        clicked << grid.text(r, 0);

    // The list as it opens, in every form of its statement.
    QCOMPARE(listed(shop.db(), goods::everything()), clicked);
    QCOMPARE(listed(shop.db(), goods::inCategory(u"五金工具"_s)), clicked);
    QCOMPARE(listed(shop.db(), goods::search(u"C"_s)), clicked);

    // Pinyin order, not the order of the characters' codes.
    const QStringList chinese = {u"安全帽"_s, u"扳手"_s, u"不锈钢合页"_s, u"电焊条"_s,
                                 u"镀锌管"_s, u"角磨机"_s, u"绝缘胶布"_s, u"螺丝"_s};
    int last = -1;
    for (const QString &name : chinese) {
        const int at = clicked.indexOf(name);
        QVERIFY2(at > last, qPrintable(name));
        last = at;
    }
    // Latin letters by the alphabet, whatever their case.
    QVERIFY(clicked.indexOf(u"bolt"_s) < clicked.indexOf(u"M8螺栓"_s));
    QVERIFY(clicked.indexOf(u"Bolt"_s) < clicked.indexOf(u"m8螺栓"_s));
    QVERIFY(clicked.indexOf(u"ppr弯头"_s) < clicked.indexOf(u"Zinc"_s));
    // The two articles of one name keep the order of entry.
    const Snapshot rows = Snapshot::fetch(shop.db(), goods::listStatement(goods::everything()));
    std::vector<qint64> spanners;
    for (int r = 0; r < rows.rowCount(); ++r)
        if (rows.value(r, u"ppgg"_s).toString() == u"扳手"_s)
            spanners.push_back(rows.value(r, u"id"_s).toLongLong());
    QCOMPARE(spanners.size(), size_t(2));
    QVERIFY(spanners[0] < spanners[1]);
}

void TestGoods::nameOrderWalksTheNameIndex()
{
    FreshShop shop;
    // The whole catalogue, a category, a search: none sorts anything.
    const std::pair<goods::Filter, QString> lists[] = {
        {goods::everything(), u"sp_name"_s},
        {goods::inCategory(u"五金工具"_s), u"sp_lb_name"_s},
        {goods::search(u"LS"_s), u"sp_name"_s}};
    for (const auto &[f, index] : lists) {
        sql::Query plan =
            sql::exec(shop.db(), u"EXPLAIN QUERY PLAN "_s + goods::listStatement(f), f.binds);
        QStringList steps;
        while (plan.next())
            steps << plan.value(3).toString();
        const QString text = steps.join(u"; "_s);
        QVERIFY2(text.contains(index), qPrintable(text));
        QVERIFY2(!text.contains(u"TEMP B-TREE"_s), qPrintable(text));
    }
}

void TestGoods::olderFileGetsTheNameIndex()
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(schema::databaseFileName());
    QVERIFY(!schema::createDatabaseFile(file));
    {
        // A file as the first program left it: no name index, version 0, some goods.
        TDM1 dm(dir.path());
        QVERIFY(!dm.open());
        QSqlDatabase db = dm.ADOC1();
        added(db, article(u"扳手"_s, u"BS"_s));
        added(db, article(u"Bolt"_s, u"BT"_s));
        sql::exec(db, u"DROP INDEX sp_name"_s);
        sql::exec(db, u"DROP INDEX sp_lb_name"_s);
        sql::exec(db, u"CREATE INDEX sp_lb ON sp(lb)"_s);
        sql::exec(db, u"PRAGMA user_version = 0"_s);
    }
    TDM1 dm(dir.path());
    QVERIFY(!dm.open());
    QSqlDatabase db = dm.ADOC1();
    QCOMPARE(sql::scalar(db, u"PRAGMA user_version"_s).toInt(), schema::SchemaVersion);
    const auto hasIndex = [&db](const QString &name) {
        return sql::exists(db, u"SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?"_s,
                           {name});
    };
    QVERIFY(hasIndex(u"sp_name"_s));
    QVERIFY(hasIndex(u"sp_lb_name"_s));
    QVERIFY(!hasIndex(u"sp_lb"_s));
    QCOMPARE(goodsCount(db), 2);
    QCOMPARE(sql::scalar(db, u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
    // Opening it again changes nothing more.
    dm.closeConnection();
    QCOMPARE(sql::scalar(dm.ADOC1(), u"PRAGMA user_version"_s).toInt(), schema::SchemaVersion);
}

#include "tst_goods.moc"
