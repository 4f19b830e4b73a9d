// Purchase documents on the document engine: posting with the moving average,
// the payment row, reversal.
#include "DocumentFixtures.h"
#include "TestSupport.h"

#include <QtTest>

using namespace documents;
using namespace fixture;

namespace {
const Descriptor &purchase() { return descriptor(DocumentKind::Purchase); }
const QString kDh = u"CGD20240315001"_s;
}  // namespace

class TestPurchasing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void movingAverage_data();
    void movingAverage();
    void paymentRowAndWhatIsOwed();
    void reversalUndoesTheAverage();
};

void TestPurchasing::movingAverage_data()
{
    QTest::addColumn<QString>("before");  // "kcsl kcjg kcje", "" for a missing article
    QTest::addColumn<QString>("line");    // "sl jg"
    QTest::addColumn<QString>("after");
    QTest::newRow("average of two prices") << "10 2 20" << "10 3" << "20 2.5 50";
    QTest::newRow("return to zero keeps the unit cost") << "5 2.5 12.5" << "-5 3" << "0 2.5 0";
    QTest::newRow("free goods on zero stock") << "0 2.5 0" << "10 0" << "10 2.5 25";
    QTest::newRow("quantity 3 value 10.00") << "1 4 4" << "2 3" << "3 3.33 10";
    QTest::newRow("average rounded to cents") << "3 3.33 10" << "1 0.01" << "4 2.5 10.01";
    QTest::newRow("negative stock bought back") << "-2 5 -10" << "2 6" << "0 5 0";
    QTest::newRow("missing: priced from the line") << "" << "3 3.335" << "3 3.34 10.02";
}

void TestPurchasing::movingAverage()
{
    QFETCH(QString, before);
    QFETCH(QString, line);
    QFETCH(QString, after);
    FreshShop shop;
    auto db = shop.db();
    if (!before.isEmpty())
        addGoods(db, u"A"_s, before, u"0 0 1.11"_s);
    QCOMPARE(post(db, purchase(), kDh, u"A "_s + line, u"供应商甲"_s), QString());
    QCOMPARE(stocks(db), u"A="_s + after);
    QCOMPARE(sql::scalar(db, u"SELECT jj || lb FROM sp"_s).toString(),
             before.isEmpty() ? u"0未知"_s : u"11100五金工具"_s);  // jj is never touched
}

void TestPurchasing::paymentRowAndWhatIsOwed()
{
    FreshShop shop;
    auto db = shop.db();
    QCOMPARE(post(db, purchase(), kDh, u"A 10 10"_s, u" "_s), u"厂商不可为空！"_s);
    const documents::Saved s = save(db, purchase(), kDh, u"供应商甲 0.5 90"_s);
    QCOMPARE(s.owed, dec(u"9.5"_s));
    QCOMPARE(readHeader(db, purchase(), kDh)->qk, dec(u"9.5"_s));
    QCOMPARE(dump(db, u"fkfx"_s), QStringList(u"rq=2024-03-15,dh=CGD20240315001,ghs=供应商甲,je=900000,"
                                               "jsr=张三,bz=采购业务,shbj=已审核"_s));
    QCOMPARE(dump(db, u"cgfx"_s), QStringList(u"dh=CGD20240315001,rq=2024-03-15,ghs=供应商甲,jsr=张三,"
                                               "txm=A,ppgg=商品A,dw=个,sl=100000,jg=100000,je=1000000"_s));
    // Nothing paid: no payment row. The 999th document of the day ends the numbers.
    const QString last = u"CGD20240315999"_s;
    QCOMPARE(addLines(db, purchase(), last, u"A 1 1"_s), QString());
    QCOMPARE(save(db, purchase(), last, u"供应商甲"_s).next.status, numbering::Result::DailyLimit);
    QCOMPARE(count(db, u"fkfx"_s), 1);
}

void TestPurchasing::reversalUndoesTheAverage()
{
    FreshShop shop;
    auto db = shop.db();
    addGoods(db, u"A"_s, u"5 3 15"_s);
    QCOMPARE(post(db, purchase(), kDh, u"A 10 2; B 4 1.5"_s, u"供应商甲 0 20"_s), QString());
    QCOMPARE(stocks(db), u"A=15 2.33 35; B=4 1.5 6"_s);
    sql::exec(db, u"DELETE FROM sp WHERE txm = 'B'"_s);
    sql::exec(db, u"INSERT INTO fkfx (dh, je) VALUES (?, 50000)"_s, {kDh});  // paid later
    QVERIFY(reverse(db, purchase(), kDh).ok());
    QCOMPARE(stocks(db), u"A=5 3 15; B=-4 1.5 -6"_s);
    QCOMPARE(sql::scalar(db, u"SELECT jj || lb FROM sp WHERE txm = 'B'"_s).toString(), u"15000未知"_s);
    QCOMPARE(count(db, u"cgfx"_s) + count(db, u"fkfx"_s), 0);
    const Header h = *readHeader(db, purchase(), kDh);
    QCOMPARE(h.shbj + h.settled.toShortest(), u"未审核20"_s);
    QCOMPARE(reverse(db, purchase(), kDh).message, u"本单据已经反审！"_s);
}

QTEST_GUILESS_MAIN(TestPurchasing)
#include "tst_purchasing.moc"
