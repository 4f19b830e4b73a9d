// The three stock rules, movement documents, and a day at the shop across the
// four document kinds after which every article's stock is what its ledgers say.
#include "DocumentFixtures.h"
#include "TestSupport.h"

#include "core/documents/StockRules.h"

#include <QRegularExpression>
#include <QtTest>

using namespace documents;
using namespace fixture;

namespace {
const Descriptor &movement() { return descriptor(DocumentKind::Movement); }
const QString kDh = u"YDD20240315001"_s;
}  // namespace

class TestStock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rules_data();
    void rules();
    void movementPosting_data();
    void movementPosting();
    void movementSave();
    void overflowWritesNothing();
    void aDayAcrossAllKinds();
};

void TestStock::rules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("before");  // "kcsl kcjg kcje"
    QTest::addColumn<QString>("line");    // "sl je"
    QTest::addColumn<QString>("after");
    QTest::newRow("sale") << "sale" << "20 2.5 50" << "3 0" << "17 2.5 42.5";
    QTest::newRow("sale revalued, ties to even") << "sale" << "2 0.125 0.25" << "1 0" << "1 0.125 0.12";
    QTest::newRow("sale into negative stock") << "sale" << "1 2 2" << "3 0" << "-2 2 -4";
    QTest::newRow("receipt averages") << "receipt" << "10 2 20" << "10 30" << "20 2.5 50";
    QTest::newRow("value gone, quantity left") << "receipt" << "5 2 10" << "0 -10" << "5 2 10";
    QTest::newRow("receipt empties stock") << "receipt" << "5 2 10" << "-5 -12" << "0 2 0";
    QTest::newRow("movement in at the unit cost") << "movement" << "0 2.5 0" << "10 30" << "10 2.5 25";
}

void TestStock::rules()
{
    QFETCH(QString, rule);
    QFETCH(QString, before);
    QFETCH(QString, line);
    QFETCH(QString, after);
    const QStringList b = before.split(u' '), l = line.split(u' ');
    const stockrules::Stock s{dec(b[0]), dec(b[1]), dec(b[2])};
    const stockrules::Stock r = rule == u"sale"_s      ? stockrules::afterSale(s, dec(l[0]))
                                : rule == u"receipt"_s ? stockrules::afterReceipt(s, dec(l[0]), dec(l[1]))
                                                       : stockrules::afterMovement(s, dec(l[0]));
    QCOMPARE(r.quantity.toShortest() + u' ' + r.unitCost.toShortest() + u' ' + r.value.toShortest(), after);
}

void TestStock::movementPosting_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("reversed");
    QTest::newRow("out of 20 at 2.50") << "20 2.5 50" << "-5 9.99" << "15 2.5 37.5" << "20 2.5 50";
    QTest::newRow("in on zero stock, whatever the price") << "0 2.5 0" << "10 3" << "10 2.5 25" << "0 2.5 0";
    QTest::newRow("missing: from the line") << "" << "4 1.5" << "4 1.5 6" << "0 1.5 0";
}

void TestStock::movementPosting()
{
    QFETCH(QString, before);
    QFETCH(QString, line);
    QFETCH(QString, after);
    QFETCH(QString, reversed);
    FreshShop shop;
    auto db = shop.db();
    if (!before.isEmpty())
        addGoods(db, u"A"_s, before);
    QCOMPARE(post(db, movement(), kDh, u"A "_s + line, u"报损"_s), QString());
    QCOMPARE(stocks(db), u"A="_s + after);
    QCOMPARE(count(db, u"rkfx"_s, u"lx = '报损' AND dh = ?"_s, {kDh}), 1);
    QVERIFY(reverse(db, movement(), kDh).ok());
    QCOMPARE(stocks(db), u"A="_s + reversed);
    QCOMPARE(count(db, u"rkfx"_s), 0);
    // Reversed when the article is gone: created with the negated line.
    QVERIFY(save(db, movement(), kDh, u"报损"_s, SaveAs::Finalize, Mode::Edit).outcome.ok());
    sql::exec(db, u"DELETE FROM sp"_s);
    QVERIFY(reverse(db, movement(), kDh).ok());
    const QStringList l = line.split(u' ');
    const Decimal je = (dec(l[0]) * dec(l[1])).roundedTo2();
    QCOMPARE(stocks(db), u"A="_s + (-dec(l[0])).toShortest() + u' ' + l[1] + u' ' + (-je).toShortest());
    QCOMPARE(sql::scalar(db, u"SELECT jj FROM sp"_s).toLongLong(), units(l[1]));
}

void TestStock::movementSave()
{
    FreshShop shop;
    auto db = shop.db();
    QCOMPARE(post(db, movement(), kDh, u"A -1 2"_s, u" "_s), u"异动原因不可为空！"_s);
    // No money fields on a movement: their texts are not read.
    const documents::Saved s = documents::save(db, movement(), kDh, Mode::New,
                                    {kToday, u"报损"_s, u"张三"_s, QString(), u"not a number"_s, u"5"_s},
                                    SaveAs::Finalize, u"op"_s, kToday);
    QVERIFY2(s.outcome.ok(), qPrintable(s.outcome.message));
    QCOMPARE(s.next.number, u"YDD20240315002"_s);
    QCOMPARE(readHeader(db, movement(), kDh)->partner + readHeader(db, movement(), kDh)->hjje.toShortest(),
             u"报损-2"_s);
    QCOMPARE(count(db, u"fkfx"_s) + count(db, u"skfx"_s), 0);
}

void TestStock::overflowWritesNothing()
{
    FreshShop shop;
    auto db = shop.db();
    addGoods(db, u"A"_s, u"1 900000000 900000000"_s);
    const QString before = stocks(db);
    // 900,000,000 × 200,000,000,001 is beyond any Decimal.
    QVERIFY(!post(db, movement(), kDh, u"A 200000000000 1"_s, u"盘盈"_s).isEmpty());
    QCOMPARE(stocks(db), before);
    QCOMPARE(count(db, u"rkfx"_s) + count(db, u"rkglz"_s), 0);
}

void TestStock::aDayAcrossAllKinds()
{
    FreshShop shop;
    auto db = shop.db();
    const Descriptor &cg = descriptor(DocumentKind::Purchase), &xs = descriptor(DocumentKind::Retail),
                     &pf = descriptor(DocumentKind::Wholesale);
    for (const QString &txm : {u"A"_s, u"B"_s, u"C"_s})
        addGoods(db, txm, u"0 0 0"_s);
    QCOMPARE(post(db, cg, u"CGD20240315001"_s, u"A 10 2; B 5 3; C 7 1.1"_s, u"甲 0 20"_s), QString());
    QCOMPARE(post(db, xs, u"XSD20240315001"_s, u"A 3 4; B 1 5; C -1 2"_s, u"乙 0 15"_s), QString());
    QCOMPARE(post(db, pf, u"PFD20240315001"_s, u"A 2 3.5; D 1 9"_s, u"丙"_s), QString());  // D created
    QCOMPARE(post(db, movement(), kDh, u"B -2 3; C 4 1; E 3 2"_s, u"盘盈"_s), QString());
    // A purchase posted, reversed, changed and posted again.
    const QString cgd = u"CGD20240315002"_s;
    QCOMPARE(post(db, cg, cgd, u"A 5 2.2"_s, u"甲"_s), QString());
    QVERIFY(reverse(db, cg, cgd).ok());
    QVERIFY(takeHeld(db, cg, u"CGD20240315003"_s, cgd).outcome.ok());
    QVERIFY(editLine(db, cg, cgd, lineSet(db, cg, cgd, Mode::Edit).front().id, u"2.2"_s, u"6"_s).ok());
    QVERIFY(save(db, cg, cgd, u"甲"_s, SaveAs::Finalize, Mode::Edit).outcome.ok());
    // A wholesale document posted and deleted; a retail one held, changed, finalized.
    QCOMPARE(post(db, pf, u"PFD20240315002"_s, u"B 1 6"_s, u"丙"_s), QString());
    QVERIFY(deleteDocument(db, pf, u"PFD20240315002"_s).ok());
    const QString held = u"XSD20240315002"_s;
    QCOMPARE(addLines(db, xs, held, u"A 1 4"_s), QString());
    QVERIFY(save(db, xs, held, u"乙"_s, SaveAs::Hold).outcome.ok());
    QVERIFY(takeHeld(db, xs, u"XSD20240315003"_s, held).outcome.ok());
    QVERIFY(deleteLine(db, xs, held, lineSet(db, xs, held, Mode::Edit).front().id).ok());
    QCOMPARE(addLines(db, xs, held, u"B 1 5"_s), QString());
    QVERIFY(save(db, xs, held, u"乙"_s, SaveAs::Finalize, Mode::Edit).outcome.ok());
    // A movement only held and a sale abandoned move nothing.
    QCOMPARE(addLines(db, movement(), u"YDD20240315002"_s, u"A 50 1"_s), QString());
    QVERIFY(save(db, movement(), u"YDD20240315002"_s, u"盘盈"_s, SaveAs::Hold).outcome.ok());
    QCOMPARE(addLines(db, xs, u"XSD20240315003"_s, u"C 9 1"_s), QString());
    QVERIFY(abandon(db, xs, u"XSD20240315003"_s).ok());

    sql::Query q = sql::exec(db, u"SELECT txm, kcsl, (SELECT coalesce(sum(sl), 0) FROM cgfx WHERE txm = sp.txm)"
                                " - (SELECT coalesce(sum(sl), 0) FROM xsfx WHERE txm = sp.txm)"
                                " + (SELECT coalesce(sum(sl), 0) FROM rkfx WHERE txm = sp.txm) FROM sp"_s);
    while (q.next())
        QCOMPARE(q.value(0).toString() + u'=' + q.value(1).toString(),
                 q.value(0).toString() + u'=' + q.value(2).toString());
    QCOMPARE(stocks(db).replace(QRegularExpression(u" \\S+ \\S+(?=;|$)"_s), QString()), u"A=11; B=1; C=12; D=-1; E=3"_s);
}

QTEST_GUILESS_MAIN(TestStock)
#include "tst_stock.moc"
