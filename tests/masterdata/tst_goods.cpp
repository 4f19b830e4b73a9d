// The goods catalogue's rules without windows: saving articles, the duplicate
// check, the list statements and the bulk code generation.
#include "TestSupport.h"

#include "core/db/Schema.h"
#include "core/db/Snapshot.h"
#include "core/db/Sql.h"
#include "core/db/TextSearch.h"
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
    void duplicateCheckSearchesItsIndex();
    void editingDoesNotCheckDuplicates();
    void editingAnArticleThatIsGone();
    void apostrophesAndWildcardsAreJustCharacters();
    void searchFindsNameCodeOrCategory();
    void textIndexFindsWhatLikeFinds();
    void shortTextsSearchWithoutTheIndex();
    void textIndexFollowsEveryChange();
    void quickestSearchWeighsTheRowsFound();
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
    void olderFileGetsTheLookUpIndexes();
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

void TestGoods::duplicateCheckSearchesItsIndex()
{
    FreshShop shop;
    added(shop.db(), article(u"Bolt 螺栓"_s, u"LS-A"_s, u"Box"_s));
    // Only Latin letters are taken without regard to case.
    added(shop.db(), article(u"Äquator 接头"_s, u"JT"_s, u"个"_s));
    QVERIFY(goods::isDuplicate(shop.db(), u"BOLT 螺栓"_s, u"ls-a"_s, u"bOX"_s));
    QVERIFY(!goods::isDuplicate(shop.db(), u"äquator 接头"_s, u"JT"_s, u"个"_s));
    QVERIFY(goods::isDuplicate(shop.db(), u" Äquator 接头"_s, u"jt"_s, u"个"_s));
    QVERIFY(!goods::isDuplicate(shop.db(), u"Bolt 螺栓"_s, u"LS-A"_s, u"Bo"_s));

    // The check looks its three keys up in one index and never reads the table.
    const goods::Filter same = goods::sameArticle(u"Bolt"_s, u"LS"_s, u"个"_s);
    const QString plan = queryPlan(shop.db(), u"SELECT 1 FROM sp WHERE "_s + same.where, same.binds);
    QVERIFY2(plan.contains(u"SEARCH sp USING COVERING INDEX sp_identity_nocase (ppgg=? AND txm=? AND dw=?)"_s),
             qPrintable(plan));
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

namespace {

// Articles whose names, codes and categories hold what a search must take
// literally or fold: apostrophes, double quotes, % _ \ and *, spaces, Latin
// letters in both cases, letters with accents and full-width ones, a
// character outside the basic plane.
void addOddArticles(QSqlDatabase db)
{
    const struct {
        const char16_t *ppgg, *txm, *lb;
    } rows[] = {
        {u"不锈钢螺丝 M5*20", u"BXGLS", u"紧固件"},
        {u"螺丝 m5*16", u"LS-m5", u"紧固件"},
        {u"M8*1.25螺母", u"M8*1", u"Bolts & Nuts"},
        {u"O'Brien's 扳手", u"O'B", u"Bob's 工具"},
        {u"折扣50%套装", u"ZK50%", u"100%纯铜"},
        {u"折扣500套装", u"ZK500", u"促销"},
        {u"A_B接头", u"A_B", u"a_b类"},
        {u"AXB接头", u"AXB", u"axb类"},
        {u"反斜杠\\接头", u"FX\\G", u"其他"},
        {u"引号\"双\"接头", u"Q\"T", u"其他"},
        {u"Äquator äq", u"ÄQ", u"Überall"},
        {u"ＭＢ全角ｍｂ", u"ＱＪ", u"全角类"},
        {u"𠮷野家 刀具", u"𠮷YJ", u"𠮷类"},
        {u"Bolt bolt BOLT", u"BOLT", u"BOLTS"},
        {u"空格  两个 ", u"K G", u"  空 类"},
    };
    for (const auto &r : rows)
        added(db, article(QString::fromUtf16(r.ppgg), QString::fromUtf16(r.txm), u"个"_s,
                          QString::fromUtf16(r.lb)));
}

// The ids a filter lists, in the list's order.
std::vector<qint64> listedIds(QSqlDatabase db, const goods::Filter &f)
{
    const Snapshot rows = Snapshot::fetch(db, goods::listStatement(f), f.binds);
    std::vector<qint64> ids;
    for (int r = 0; r < rows.rowCount(); ++r)
        ids.push_back(rows.value(r, u"id"_s).toLongLong());
    return ids;
}

// Every piece of three and four characters of the catalogue's texts, each
// also in capitals and in small letters, and a few texts of odd characters.
QStringList searchTexts(QSqlDatabase db)
{
    QStringList texts{u"'s "_s, u"50%"_s, u"0%套"_s, u"%纯铜"_s, u"A_B"_s, u"_B接"_s, u"\\接头"_s,
                      u"\"双\""_s, u"号\"双"_s, u"äqu"_s, u"ÄQU"_s, u"ａｍｂ"_s, u"ｍｂ全"_s,
                      u"𠮷野家"_s, u"𠮷yj"_s, u"***"_s, u"%%%"_s, u"___"_s, u"\"\"\""_s,
                      u"m5*"_s, u"M5*2"_s, u"   "_s, u"没有这个"_s, u"  两个"_s};
    sql::Query q = sql::exec(db, u"SELECT ppgg, txm, lb FROM sp"_s);
    while (q.next())
        for (int c = 0; c < 3; ++c) {
            const QList<uint> chars = q.value(c).toString().toUcs4();
            for (int length = 3; length <= 4; ++length)
                for (int at = 0; at + length <= chars.size(); ++at) {
                    const QString piece = QString::fromUcs4(chars.mid(at, length).constData(), length);
                    texts << piece << piece.toUpper() << piece.toLower();
                }
        }
    texts.removeDuplicates();
    return texts;
}

}  // namespace

void TestGoods::textIndexFindsWhatLikeFinds()
{
    FreshShop shop;
    addOddArticles(shop.db());
    const QStringList texts = searchTexts(shop.db());
    QVERIFY(texts.size() > 300);
    int found = 0;
    for (const QString &text : texts) {
        QVERIFY2(textsearch::canSearch(text), qPrintable(text));
        const goods::Filter indexed = goods::search(text);
        const std::vector<qint64> ids = listedIds(shop.db(), indexed);
        QVERIFY2(ids == listedIds(shop.db(), goods::searchWithoutIndex(text)), qPrintable(text));
        found += ids.empty() ? 0 : 1;
    }
    QVERIFY(found > texts.size() / 2);
    // Some of them, spelled out: only A–Z and a–z are taken without regard to case.
    const auto names = [&shop](const QString &text) { return listed(shop.db(), goods::search(text)); };
    QCOMPARE(names(u"o'b"_s), QStringList(u"O'Brien's 扳手"_s));
    QCOMPARE(names(u"50%"_s), QStringList(u"折扣50%套装"_s));
    QCOMPARE(names(u"%纯铜"_s), QStringList(u"折扣50%套装"_s));
    QCOMPARE(names(u"A_B"_s), QStringList(u"A_B接头"_s));
    QCOMPARE(names(u"\"双\""_s), QStringList(u"引号\"双\"接头"_s));
    QCOMPARE(names(u"M5*"_s), (QStringList{u"不锈钢螺丝 M5*20"_s, u"螺丝 m5*16"_s}));
    QCOMPARE(names(u"äqu"_s), QStringList());
    QCOMPARE(names(u"ÄQU"_s), QStringList(u"Äquator äq"_s));
    QCOMPARE(names(u"ｍｂ全"_s), QStringList());
    QCOMPARE(names(u"𠮷yj"_s), QStringList(u"𠮷野家 刀具"_s));

    // The statement looks the text up in the index, then sorts what it found.
    const goods::Filter f = goods::search(u"螺丝 M5*"_s);
    const QString plan = queryPlan(shop.db(), goods::listStatement(f), f.binds);
    QVERIFY2(plan.contains(u"SEARCH sp USING INTEGER PRIMARY KEY"_s), qPrintable(plan));
    QVERIFY2(plan.contains(u"sp_search VIRTUAL TABLE"_s), qPrintable(plan));
}

void TestGoods::shortTextsSearchWithoutTheIndex()
{
    FreshShop shop;
    addOddArticles(shop.db());
    // Fewer than three characters (a character outside the basic plane is
    // one, though two UTF-16 units): the statement of every article.
    for (const QString &text : {u"M"_s, u"m5"_s, u"'"_s, u"%"_s, u"_"_s, u"\""_s, u"𠮷Y"_s,
                                u"𠮷"_s}) {
        QVERIFY2(!textsearch::canSearch(text), qPrintable(text));
        const goods::Filter f = goods::search(text);
        QCOMPARE(f.where, goods::searchWithoutIndex(text).where);
        QVERIFY2(!f.where.contains(u"sp_search"_s), qPrintable(text));
        const QString plan = queryPlan(shop.db(), goods::listStatement(f), f.binds);
        QVERIFY2(plan.contains(u"SCAN sp USING INDEX sp_name"_s), qPrintable(plan));
    }
    QCOMPARE(listed(shop.db(), goods::search(u"%"_s)), (QStringList{u"折扣50%套装"_s}));
    QCOMPARE(listed(shop.db(), goods::search(u"'"_s)), (QStringList{u"O'Brien's 扳手"_s}));
    QCOMPARE(listed(shop.db(), goods::search(u"_"_s)), (QStringList{u"A_B接头"_s}));
    QCOMPARE(listed(shop.db(), goods::search(u"𠮷Y"_s)), (QStringList{u"𠮷野家 刀具"_s}));
    QCOMPARE(listed(shop.db(), goods::search(QString())).size(), 15);
}

void TestGoods::textIndexFollowsEveryChange()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    addOddArticles(db);
    const auto same = [&db](const QString &text) {
        return listedIds(db, goods::search(text)) == listedIds(db, goods::searchWithoutIndex(text));
    };
    const auto ids = [&db](const QString &text) { return listedIds(db, goods::search(text)); };

    // Added: found by its name, code and category.
    const qint64 id = added(db, article(u"羊角锤 500g"_s, u"YJC-500"_s, u"把"_s, u"手动工具"_s));
    for (const QString &text : {u"羊角锤"_s, u"yjc-5"_s, u"手动工具"_s, u"500g"_s})
        QCOMPARE(ids(text), std::vector<qint64>{id});

    // Edited: found by its new texts only.
    goods::Input in = article(u"圆头锤 1KG"_s, u"YTC"_s, u"把"_s, u"锤子类"_s);
    QVERIFY(goods::update(db, id, in).ok());
    for (const QString &text : {u"羊角锤"_s, u"YJC"_s, u"手动工具"_s, u"500g"_s})
        QVERIFY2(ids(text).empty(), qPrintable(text));
    for (const QString &text : {u"圆头锤"_s, u"1kg"_s, u"ytc"_s, u"锤子类"_s})
        QCOMPARE(ids(text), std::vector<qint64>{id});
    // A new code from the name, and a stock change, which leaves the index alone.
    QCOMPARE(goods::generateCodes(db, {id}), 1);
    const QString code = goods::read(db, id)->txm;
    QCOMPARE(code, u"YTC 1KG"_s);
    QCOMPARE(ids(u"TC 1"_s), std::vector<qint64>{id});
    sql::exec(db, u"UPDATE sp SET kcsl = kcsl + 10000, kcje = 5 WHERE id = ?"_s, {id});
    QCOMPARE(ids(u"TC 1"_s), std::vector<qint64>{id});

    // Deleted: found no more; the others are untouched.
    QVERIFY(goods::remove(db, id).ok());
    for (const QString &text : {u"圆头锤"_s, u"TC 1"_s, u"锤子类"_s})
        QVERIFY2(ids(text).empty(), qPrintable(text));
    for (const QString &text : searchTexts(db))
        QVERIFY2(same(text), qPrintable(text));
    // A change rolled back leaves the index as the table is.
    {
        Transaction t(db);
        sql::exec(db, u"UPDATE sp SET ppgg = '回滚的名字' WHERE txm = 'BOLT'"_s);
        sql::exec(db, u"DELETE FROM sp WHERE txm = 'A_B'"_s);
    }
    QVERIFY(ids(u"回滚的"_s).empty());
    QCOMPARE(ids(u"A_B"_s).size(), size_t(1));
    QVERIFY(same(u"Bolt"_s));
}

void TestGoods::quickestSearchWeighsTheRowsFound()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    addOddArticles(db);
    {
        Transaction t(db);
        for (int i = 0; i < 1100; ++i)
            sql::exec(db, u"INSERT INTO sp (lb, ppgg, txm, dw) VALUES ('紧固件', ?, ?, '个')"_s,
                      {QString(u"自攻螺钉 "_s + QString::number(i)), QString(u"ZGLD"_s + QString::number(i))});
        t.commit();
    }
    // Few found: through the index. Many (a sixteenth of the catalogue and
    // more, at least a thousand): walking the list in name order, testing each.
    const std::pair<QString, bool> cases[] = {
        {u"自攻螺钉 7"_s, true}, {u"螺丝 M5"_s, true}, {u"自攻螺钉"_s, false}, {u"zgld"_s, false},
        {u"自攻"_s, false}};
    for (const auto &[text, indexed] : cases) {
        const goods::Filter f = goods::quickestSearch(db, text);
        QCOMPARE(f.where, indexed ? goods::search(text).where : goods::searchWithoutIndex(text).where);
        QCOMPARE(listedIds(db, f), listedIds(db, goods::searchWithoutIndex(text)));
    }
    QCOMPARE(listedIds(db, goods::quickestSearch(db, u"自攻螺钉 7"_s)).size(), size_t(111));

    // Without a readable index the same articles are found all the same.
    for (const char *drop : {"DROP TRIGGER sp_search_insert", "DROP TRIGGER sp_search_update",
                             "DROP TRIGGER sp_search_delete", "DROP TABLE sp_search"})
        sql::exec(db, QString::fromLatin1(drop));
    const goods::Filter f = goods::quickestSearch(db, u"自攻螺钉 7"_s);
    QCOMPARE(f.where, goods::searchWithoutIndex(u"自攻螺钉 7"_s).where);
    QCOMPARE(listedIds(db, f).size(), size_t(111));
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
        sql::exec(db, u"DROP INDEX sp_code"_s);
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
    QVERIFY(hasIndex(u"sp_code"_s));
    QVERIFY(!hasIndex(u"sp_lb"_s));
    QCOMPARE(goodsCount(db), 2);
    QCOMPARE(sql::scalar(db, u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
    // Opening it again changes nothing more.
    dm.closeConnection();
    QCOMPARE(sql::scalar(dm.ADOC1(), u"PRAGMA user_version"_s).toInt(), schema::SchemaVersion);
}

void TestGoods::olderFileGetsTheLookUpIndexes()
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(schema::databaseFileName());
    QVERIFY(!schema::createDatabaseFile(file));
    const QStringList indexes{u"sp_identity_nocase"_s, u"ghs_mc_nocase"_s, u"kh_mc_nocase"_s,
                              u"yg_xm_nocase"_s,      u"xsglz_state_id"_s, u"cgglz_state_id"_s,
                              u"rkglz_state_id"_s};
    const QStringList triggers{u"sp_search_insert"_s, u"sp_search_update"_s,
                               u"sp_search_delete"_s};
    const auto has = [](QSqlDatabase db, const char *type, const QString &name) {
        return sql::exists(db, u"SELECT 1 FROM sqlite_master WHERE type = ? AND name = ?"_s,
                           {QString::fromLatin1(type), name});
    };
    {
        // A file of version 2: the name indexes, none of the later ones, no
        // text index; its goods written without it.
        TDM1 dm(dir.path());
        QVERIFY(!dm.open());
        QSqlDatabase db = dm.ADOC1();
        for (const QString &index : indexes)
            sql::exec(db, u"DROP INDEX "_s + index);
        for (const QString &trigger : triggers)
            sql::exec(db, u"DROP TRIGGER "_s + trigger);
        sql::exec(db, u"DROP TABLE sp_search"_s);
        added(db, article(u"扳手"_s, u"BS"_s));
        added(db, article(u"不锈钢螺丝 M5*20"_s, u"BXGLS"_s));
        sql::exec(db, u"PRAGMA user_version = 2"_s);
    }
    TDM1 dm(dir.path());
    QVERIFY(!dm.open());
    QSqlDatabase db = dm.ADOC1();
    QCOMPARE(sql::scalar(db, u"PRAGMA user_version"_s).toInt(), schema::SchemaVersion);
    for (const QString &index : indexes)
        QVERIFY2(has(db, "index", index), qPrintable(index));
    for (const QString &trigger : triggers)
        QVERIFY2(has(db, "trigger", trigger), qPrintable(trigger));
    QVERIFY(goods::isDuplicate(db, u"扳手"_s, u"bs"_s, u"个"_s));
    // The goods already there are in the text index, and so is a new one.
    QCOMPARE(listed(db, goods::search(u"m5*"_s)), QStringList(u"不锈钢螺丝 M5*20"_s));
    QCOMPARE(listed(db, goods::search(u"xgl"_s)), QStringList(u"不锈钢螺丝 M5*20"_s));
    added(db, article(u"扳手套装"_s, u"BSTZ"_s));
    QCOMPARE(listed(db, goods::search(u"扳手套"_s)), QStringList(u"扳手套装"_s));
    QCOMPARE(sql::scalar(db, u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
    sql::exec(db, u"INSERT INTO sp_search (sp_search, rank) VALUES ('integrity-check', 0)"_s);

    // Run again over a file that has the text index: each article once still.
    sql::exec(db, u"PRAGMA user_version = 4"_s);
    dm.closeConnection();
    QCOMPARE(sql::scalar(dm.ADOC1(), u"PRAGMA user_version"_s).toInt(), schema::SchemaVersion);
    QCOMPARE(textsearch::countUpTo(dm.ADOC1(), schema::goodsTextIndex(), u"xgl"_s, 100), 1);
}

#include "tst_goods.moc"
