// The document engine with sales documents: lines, amount rules, hold,
// finalize and posting, held documents, abandoning, reversal and deletion.
#include "DocumentFixtures.h"
#include "TestSupport.h"

#include <QtTest>

using namespace documents;
using namespace fixture;

namespace {
const Descriptor &retail() { return descriptor(DocumentKind::Retail); }
const Descriptor &wholesale() { return descriptor(DocumentKind::Wholesale); }
const QString kDh = u"XSD20240315001"_s;
const QString kNext = u"XSD20240315002"_s;
}  // namespace

class TestDocuments : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void goodsByCode();
    void addLine_data();
    void addLine();
    void editLine();
    void amountRules_data();
    void amountRules();
    void requiredFields();
    void finalizePosts();
    void refundAndZeroTotal();
    void heldLineDeletionRestoredOrRemoved();
    void retailAndWholesaleKeepApart();
    void heldDocumentsWalkTheirIndex();
    void reversalAndRoundTrip();
    void deletionReversesPostedFirst();
    void postedOrGoneDocumentsRefuseChanges();
    void failureInTheMiddleLeavesNothing();
    void failedLineActionLeavesNothing_data();
    void failedLineActionLeavesNothing();
    void interruptedEntriesOfEarlierDaysGo();
};

void TestDocuments::goodsByCode()
{
    FreshShop shop;
    auto db = shop.db();
    addGoods(db, u"690001"_s, u"5 1.5 7.5"_s, u"3.5 3 2"_s);
    addGoods(db, u"A'1"_s, u"0 0 0"_s);
    addGoods(db, u"SAME"_s, u"0 0 0"_s);
    addGoods(db, u"SAME"_s, u"0 0 0"_s);
    addGoods(db, QString(u""_s), u"0 0 0"_s);
    const auto g = findGoodsByCode(db, u"690001"_s);
    QVERIFY(g);
    QCOMPARE(defaultPrice(retail(), *g), dec(u"3.5"_s));
    QCOMPARE(defaultPrice(wholesale(), *g), dec(u"3"_s));
    QCOMPARE(defaultPrice(descriptor(DocumentKind::Purchase), *g), dec(u"2"_s));  // jj
    QCOMPARE(defaultPrice(descriptor(DocumentKind::Movement), *g), dec(u"1.5"_s));  // kcjg
    QCOMPARE(g->kcjg, dec(u"1.5"_s));
    QVERIFY(findGoodsByCode(db, u"A'1"_s));
    QVERIFY(!findGoodsByCode(db, u"69000"_s));  // exact, not a prefix
    QVERIFY(!findGoodsByCode(db, u"SAME"_s));   // shared: the picker chooses
    QVERIFY(!findGoodsByCode(db, QString()));   // an emptied field finds nothing
}

void TestDocuments::addLine_data()
{
    QTest::addColumn<QString>("input");     // "sl jg cbjg", "" for a blank name
    QTest::addColumn<QString>("expected");  // "sl jg je cbje maoli" or the refusal
    QTest::newRow("plain") << "3 2.5 1.2" << "3 2.5 7.5 3.6 3.9";
    QTest::newRow("2.345 ties down") << "2.345 1 0" << "2.34 1 2.34 0 2.34";
    QTest::newRow("2.355 ties up") << "2.355 1 0" << "2.36 1 2.36 0 2.36";
    QTest::newRow("long price") << "1 3.456 0" << "1 3.46 3.46 0 3.46";
    QTest::newRow("cents ties to even") << "0.5 0.25 0.05" << "0.5 0.25 0.12 0.02 0.1";
    QTest::newRow("return") << "-1 10 6" << "-1 10 -10 -6 -4";
    QTest::newRow("no goods") << "" << "商品不可为空！";
    QTest::newRow("zero") << "0 1 0" << "数量不可为零！";
    QTest::newRow("lone minus") << "- 1 0" << "数量不可为零！";
    QTest::newRow("rounds to zero") << "0.004 1 0" << "数量不可为零！";
    QTest::newRow("lone point") << ". 1 0" << "数量不是有效的数字！";
    QTest::newRow("minus after digits") << "1- 1 0" << "数量不是有效的数字！";
    QTest::newRow("bad price") << "1 1.2.3 0" << "单价不是有效的数字！";
}

void TestDocuments::addLine()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    FreshShop shop;
    auto db = shop.db();
    const QStringList p = input.split(u' ');
    const LineAdded r = documents::addLine(
        db, retail(), kDh,
        {u"1"_s, input.isEmpty() ? QString() : u"x"_s, u"个"_s, p[0], p.value(1), dec(p.value(2, u"0"_s))});
    const auto lines = lineSet(db, retail(), kDh, Mode::New);
    if (!r.outcome.ok()) {
        QCOMPARE(r.outcome.message, expected);
        QVERIFY(lines.empty());
        return;
    }
    QCOMPARE(lines.size(), size_t(1));
    const Line &l = lines.front();
    QCOMPARE(l.bj, u"dz"_s);
    QCOMPARE((QStringList{l.sl.toShortest(), l.jg.toShortest(), l.je.toShortest(), l.cbje.toShortest(),
                          l.maoli.toShortest()}.join(u' ')),
             expected);
}

void TestDocuments::editLine()
{
    FreshShop shop;
    auto db = shop.db();
    addGoods(db, u"G"_s, u"0 4.1 0"_s, u"9.9 7.25 5"_s);
    const qint64 id = addGoodsLine(db, wholesale(), kDh, *findGoodsByCode(db, u"G"_s)).line.id;
    QCOMPARE(lineSet(db, wholesale(), kDh, Mode::New).front().maoli, dec(u"3.15"_s));  // 1 × 7.25 − 4.1
    QVERIFY(documents::editLine(db, wholesale(), kDh, id, u"12.005"_s, u"-2"_s).ok());
    const Line l = lineSet(db, wholesale(), kDh, Mode::New).front();
    QCOMPARE(QStringList({l.bj, l.jg.toShortest(), l.je.toShortest(), l.cbje.toShortest(), l.maoli.toShortest()}),
             QStringList({u"dz"_s, u"12"_s, u"-24"_s, u"-8.2"_s, u"-15.8"_s}));
    QCOMPARE(documents::editLine(db, wholesale(), kDh, id, u"1"_s, u"0"_s).message, u"数量不可为零！"_s);
    QCOMPARE(documents::editLine(db, wholesale(), kNext, id, u"1"_s, u"1"_s).message, u"没有明细可修改！"_s);
}

void TestDocuments::amountRules_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("values");  // "T Y S"; the amount due is T − Y
    QTest::addColumn<QString>("message");
    const int xs = int(DocumentKind::Retail), cg = int(DocumentKind::Purchase);
    QTest::newRow("zero, rounding") << xs << "0 1 0" << "总金额为零，抹零额只可为零！";
    QTest::newRow("zero, received") << xs << "0 0 1" << "总金额为零，实收额只可为零！";
    QTest::newRow("zero, nothing") << xs << "0 0 0" << "";
    QTest::newRow("receipt, rounding < 0") << xs << "100 -1 0" << "收款单据，抹零额不可为负数！";
    QTest::newRow("receipt, rounding > total") << xs << "100 101 0" << "收款单据，抹零额不可大于总金额！";
    QTest::newRow("receipt, received < 0") << xs << "100 0 -1" << "收款单据，实收额不可为负数！";
    QTest::newRow("receipt, received > due") << xs << "100 0.5 99.51" << "收款单据，实收额不可大于应收额！";
    QTest::newRow("receipt, 90 of 99.5") << xs << "100 0.5 90" << "";
    QTest::newRow("refund, rounding > 0") << xs << "-50 0.5 0" << "退款单据，抹零额不可为正数！";
    QTest::newRow("refund, rounding < total") << xs << "-50 -51 0" << "退款单据，抹零额不可小于总金额！";
    QTest::newRow("refund, received > 0") << xs << "-50 0 1" << "退款单据，实收额不可为正数！";
    QTest::newRow("refund, received < due") << xs << "-50 -0.5 -60" << "退款单据，实收额不可小于应收额！";
    QTest::newRow("refund, -49.5") << xs << "-50 -0.5 -49.5" << "";
    QTest::newRow("purchase zero, paid") << cg << "0 0 1" << "总金额为零，实付额只可为零！";
    QTest::newRow("payment, rounding < 0") << cg << "10 -1 0" << "付款单据，抹零额不可为负数！";
    QTest::newRow("payment, rounding > total") << cg << "10 11 0" << "付款单据，抹零额不可大于总金额！";
    QTest::newRow("payment, paid < 0") << cg << "10 0 -1" << "付款单据，实付额不可为负数！";
    QTest::newRow("payment, paid > payable") << cg << "10 1 9.01" << "付款单据，实付额不可大于应付额！";
    QTest::newRow("purchase refund, paid > 0") << cg << "-50 0 0.01" << "退款单据，实付额不可为正数！";
    QTest::newRow("purchase refund, -60 of -49.5") << cg << "-50 -0.5 -60" << "退款单据，实付额不可小于应付额！";
    QTest::newRow("purchase refund, nothing paid") << cg << "-50 -0.5 0" << "";
}

void TestDocuments::amountRules()
{
    QFETCH(int, kind);
    QFETCH(QString, values);
    QFETCH(QString, message);
    const QStringList v = values.split(u' ');
    const Amounts a{dec(v[0]), dec(v[1]), dec(v[0]) - dec(v[1]), dec(v[2])};
    const Descriptor &d = descriptor(DocumentKind(kind));
    QCOMPARE(amountRuleBroken(d, a).value_or(QString()), message);
    if (d.kind == DocumentKind::Retail)
        QCOMPARE(amountRuleBroken(wholesale(), a, AmountCheck::Finalize).value_or(QString()), message);
    // Only the retail finalize writes the third message with a blank.
    const QString finalized = amountRuleBroken(d, a, AmountCheck::Finalize).value_or(QString());
    QCOMPARE(finalized, values == u"100 -1 0"_s ? u"收款单据， 抹零额不可为负数！"_s : message);
    QVERIFY(!amountRuleBroken(descriptor(DocumentKind::Movement), a));
}

void TestDocuments::requiredFields()
{
    FreshShop shop;
    auto db = shop.db();
    const struct {
        QString handler, header, lines, message;
        Field focus;
    } cases[] = {
        {u" "_s, u"客户甲"_s, u"A 1 5"_s, u"经办人不可为空！"_s, Field::Handler},
        {u"张三"_s, u" "_s, u"A 1 5"_s, u"客户不可为空！"_s, Field::Partner},
        {u"张三"_s, u"客户甲"_s, QString(), u"明细不可为空！"_s, Field::None},
        {u"张三"_s, u"客户甲 ."_s, u"A 1 5"_s, u"抹零额不是有效的数字！"_s, Field::Rounding},
        {u"张三"_s, u"客户甲 0 1-"_s, u"A 1 5"_s, u"实收额不是有效的数字！"_s, Field::Settled},
    };
    for (const auto &c : cases) {
        sql::exec(db, u"DELETE FROM xsglc"_s);
        QCOMPARE(addLines(db, retail(), kDh, c.lines), QString());
        const QStringList p = c.header.split(u' ');
        for (SaveAs as : {SaveAs::Hold, SaveAs::Finalize}) {
            const documents::Saved s = documents::save(db, retail(), kDh, Mode::New,
                                            {kToday, p[0], c.handler, QString(), p.value(1, u"0"_s), p.value(2, u"0"_s)},
                                            as, u"op"_s, kToday);
            QCOMPARE(s.outcome.message, c.message);
            QCOMPARE(s.outcome.focus, c.focus);
            QCOMPARE(count(db, u"xsglz"_s) + count(db, u"xsfx"_s) + count(db, u"sp"_s), 0);
            QCOMPARE(count(db, u"xsglc"_s, u"bj = 'dz'"_s), c.lines.isEmpty() ? 0 : 1);
        }
    }
}

void TestDocuments::finalizePosts()
{
    FreshShop shop;
    auto db = shop.db();
    addGoods(db, u"A"_s, u"20 2.5 50"_s);
    addGoods(db, u"B"_s, u"3 10 30"_s);
    // The number was made yesterday; the next one carries today's date.
    const QString dh = u"XSD20240314007"_s;
    QCOMPARE(addLines(db, retail(), dh, u"A 4 20 2.5; B 2 10 10; Z'9 -3 0 1.255"_s), QString());
    const documents::Saved s = save(db, retail(), dh, u"O'Brien 0.5 90"_s);
    QVERIFY2(s.outcome.ok(), qPrintable(s.outcome.message));
    QCOMPARE(s.next.number, u"XSD20240315008"_s);
    const Header h = *readHeader(db, retail(), dh);
    QCOMPARE(QStringList({h.shbj, h.kdrq.toString(Qt::ISODate), h.zhidan, h.partner}),
             QStringList({u"已审核"_s, u"2024-03-15"_s, u"系统管理员"_s, u"O'Brien"_s}));
    QCOMPARE((QStringList{h.hjsl.toShortest(), h.hjje.toShortest(), h.yhe.toShortest(), h.due.toShortest(),
                          h.settled.toShortest(), h.qk.toShortest()}.join(u' ')),
             u"3 100 0.5 99.5 90 9.5"_s);
    QCOMPARE(count(db, u"xsglc"_s, u"bj = 'yz'"_s), 3);
    QCOMPARE(count(db, u"xsfx"_s, u"kh = 'O''Brien' AND jsr = '张三' AND rq = '2024-03-15'"_s), 3);
    // A return raises stock; a missing article is created under "未知".
    QCOMPARE(stocks(db), u"A=16 2.5 40; B=1 10 10; Z'9=3 1.255 3.76"_s);
    QCOMPARE(sql::scalar(db, u"SELECT lb FROM sp WHERE txm = 'Z''9'"_s).toString(), u"未知"_s);
    QCOMPARE(dump(db, u"skfx"_s), QStringList(u"rq=2024-03-15,dh=XSD20240314007,kh=O'Brien,je=900000,jsr=张三,"
                                               "bz=零售业务,shbj=已审核"_s));
}

void TestDocuments::refundAndZeroTotal()
{
    FreshShop shop;
    auto db = shop.db();
    addGoods(db, u"A"_s, u"20 2.5 50"_s);
    const QString refund = u"PFD20240315001"_s, zero = u"PFD20240315002"_s;
    QCOMPARE(post(db, wholesale(), refund, u"A -5 10 2.5"_s, u"乙 -0.5 -60"_s), u"退款单据，实收额不可小于应收额！"_s);
    QCOMPARE(save(db, wholesale(), refund, u"乙 -0.5 -49.5"_s).outcome.message, QString());
    QCOMPARE(stocks(db), u"A=25 2.5 62.5"_s);
    QCOMPARE(sql::scalar(db, u"SELECT je || bz FROM skfx"_s).toString(), u"-495000批发业务"_s);
    QCOMPARE(post(db, wholesale(), zero, u"A 1 10; A -1 10"_s, u"乙 0 1"_s), u"总金额为零，实收额只可为零！"_s);
    QCOMPARE(save(db, wholesale(), zero, u"乙"_s).outcome.message, QString());
    QCOMPARE(count(db, u"skfx"_s), 1);  // nothing received, no receipt row
}

void TestDocuments::heldLineDeletionRestoredOrRemoved()
{
    FreshShop shop;
    auto db = shop.db();
    QCOMPARE(addLines(db, retail(), kDh, u"A 1 5; B 1 5"_s), QString());
    const auto saved = lineSet(db, retail(), kDh, Mode::New);
    QCOMPARE(save(db, retail(), kDh, u"甲"_s, SaveAs::Hold).next.number, kNext);
    QCOMPARE(readHeader(db, retail(), kDh)->shbj, u"未审核"_s);
    QCOMPARE(count(db, u"xsfx"_s) + count(db, u"sp"_s), 0);  // nothing posted
    const QStringList asSaved = dump(db, u"xsglc"_s);

    // The window was entering the next document; it takes the held one instead.
    QCOMPARE(addLines(db, retail(), kNext, u"C 1 1"_s), QString());
    const Taken t = takeHeld(db, retail(), kNext, kDh);
    QCOMPARE(t.header.partner, u"甲"_s);
    QCOMPARE(count(db, u"xsglc"_s, u"dh = ?"_s, {kNext}), 0);
    // Delete a saved line, add a line and delete it again, then abandon.
    QVERIFY(deleteLine(db, retail(), kDh, saved[1].id).ok());
    QCOMPARE(addLines(db, retail(), kDh, u"D 1 1"_s), QString());
    QVERIFY(deleteLine(db, retail(), kDh, lineSet(db, retail(), kDh, Mode::Edit).back().id).ok());
    QCOMPARE(lineSet(db, retail(), kDh, Mode::Edit).size(), size_t(1));
    QVERIFY(abandon(db, retail(), kDh).ok());
    QCOMPARE(dump(db, u"xsglc"_s), asSaved);

    // Again, and saved: the line is gone for good.
    QVERIFY(takeHeld(db, retail(), kNext, kDh).outcome.ok());
    QVERIFY(deleteLine(db, retail(), kDh, saved[1].id).ok());
    QCOMPARE(save(db, retail(), kDh, u"丙"_s, SaveAs::Hold, Mode::Edit).next.number, kNext);
    QCOMPARE(count(db, u"xsglc"_s), 1);
    QCOMPARE(readHeader(db, retail(), kDh)->hjje, dec(u"5"_s));
    QCOMPARE(readHeader(db, retail(), kDh)->partner, u"丙"_s);
}

void TestDocuments::retailAndWholesaleKeepApart()
{
    FreshShop shop;
    auto db = shop.db();
    const QString pfd = u"PFD20240315001"_s;
    QCOMPARE(addLines(db, wholesale(), pfd, u"W 1 1"_s) + addLines(db, retail(), kDh, u"R 1 1"_s), QString());
    QVERIFY(save(db, retail(), kDh, u"甲"_s, SaveAs::Hold).outcome.ok());
    QVERIFY(abandon(db, retail(), kNext).ok());
    QVERIFY(takeHeld(db, retail(), kNext, kDh).outcome.ok());
    QVERIFY(abandon(db, retail(), kDh).ok());
    QCOMPARE(count(db, u"xsglc"_s, u"dh = ? AND bj = 'dz'"_s, {pfd}), 1);
    QVERIFY(save(db, wholesale(), pfd, u"乙"_s, SaveAs::Hold).outcome.ok());
    QCOMPARE(heldDocuments(db, retail(), {}).size(), size_t(1));
    QCOMPARE(heldDocuments(db, wholesale(), {u"乙"_s, {}, {}}).front().dh, pfd);
    QVERIFY(heldDocuments(db, wholesale(), {u"甲"_s, {}, {}}).empty());
    QVERIFY(heldDocuments(db, wholesale(), {QString(), QDate(2024, 3, 16), QDate(2024, 4, 1)}).empty());
    QCOMPARE(takeHeld(db, retail(), kNext, pfd).outcome.message, u"所选单据不是挂单，不能取单！"_s);
}

void TestDocuments::heldDocumentsWalkTheirIndex()
{
    FreshShop shop;
    // Every kind, with and without the date range: the held headers are
    // looked up in the header table's (shbj, id) index, which gives the order
    // of entry, so nothing is sorted and no posted header is read.
    for (const DocumentKind kind : {DocumentKind::Retail, DocumentKind::Wholesale,
                                    DocumentKind::Purchase, DocumentKind::Movement}) {
        const Descriptor &d = descriptor(kind);
        for (const HeldFilter &f :
             {HeldFilter{}, HeldFilter{u"华"_s, QDate(2024, 3, 1), QDate(2024, 3, 31)}}) {
            const ListQuery q = heldQuery(d, f);
            const QString plan = queryPlan(shop.db(), q.statement(q.order()), q.binds());
            QVERIFY2(plan == u"SEARCH "_s + d.headerTable + u" USING INDEX "_s + d.headerTable +
                                 u"_state_id (shbj=?)"_s,
                     qPrintable(plan));
        }
    }
}

void TestDocuments::reversalAndRoundTrip()
{
    FreshShop once, trip;
    for (FreshShop *shop : {&once, &trip}) {
        addGoods(shop->db(), u"A"_s, u"10 2.5 25"_s);
        addGoods(shop->db(), u"GONE"_s, u"10 1.5 15"_s);
        QCOMPARE(post(shop->db(), retail(), kDh, u"A 3 4 2.5; GONE 3 4 1.5; A -1 5 2.5"_s, u"甲 1 6"_s), QString());
    }
    auto db = trip.db();
    // A later receipt against the document; the article deleted meanwhile.
    sql::exec(db, u"INSERT INTO skfx (dh, je, bz) VALUES (?, 10000, '收款')"_s, {kDh});
    sql::exec(db, u"DELETE FROM sp WHERE txm = 'GONE'"_s);
    QVERIFY(reverse(db, retail(), kDh).ok());
    QCOMPARE(stocks(db), u"A=10 2.5 25; GONE=3 1.5 4.5"_s);
    QCOMPARE(sql::scalar(db, u"SELECT jj || lb FROM sp WHERE txm = 'GONE'"_s).toString(), u"15000未知"_s);
    QCOMPARE(count(db, u"xsfx"_s) + count(db, u"skfx"_s), 0);
    QCOMPARE(readHeader(db, retail(), kDh)->shbj, u"未审核"_s);
    QCOMPARE(readHeader(db, retail(), kDh)->qk, dec(u"12"_s));  // kept
    const documents::Outcome again = reverse(db, retail(), kDh);
    QCOMPARE(again.message, u"本单据已经反审！"_s);
    QCOMPARE(again.severity, Severity::Warning);

    // Taken and finalized again: as if it had been posted once.
    sql::exec(db, u"UPDATE sp SET kcsl = 100000, kcje = 150000 WHERE txm = 'GONE'"_s);
    QVERIFY(takeHeld(db, retail(), kNext, kDh).outcome.ok());
    QVERIFY(save(db, retail(), kDh, u"甲 1 6"_s, SaveAs::Finalize, Mode::Edit).outcome.ok());
    for (const QString &table : {u"xsfx"_s, u"skfx"_s, u"xsglz"_s, u"xsglc"_s})
        QCOMPARE(dump(db, table), dump(once.db(), table));
    QCOMPARE(stocks(db), stocks(once.db()));
}

void TestDocuments::deletionReversesPostedFirst()
{
    FreshShop shop;
    auto db = shop.db();
    addGoods(db, u"A"_s, u"10 2.5 25"_s);
    QCOMPARE(post(db, retail(), kDh, u"A 4 4 2.5"_s, u"甲 0 16"_s), QString());
    QCOMPARE(addLines(db, retail(), kNext, u"A 1 4"_s), QString());
    QVERIFY(save(db, retail(), kNext, u"甲"_s, SaveAs::Hold).outcome.ok());
    QCOMPARE(stocks(db), u"A=6 2.5 15"_s);
    QVERIFY(deleteDocument(db, retail(), kDh).ok());
    QVERIFY(deleteDocument(db, retail(), kNext).ok());
    QCOMPARE(stocks(db), u"A=10 2.5 25"_s);
    QCOMPARE(count(db, u"xsglz"_s) + count(db, u"xsglc"_s) + count(db, u"xsfx"_s) + count(db, u"skfx"_s), 0);
    QCOMPARE(deleteDocument(db, retail(), kDh).message, u"本单据已不存在！"_s);
}

void TestDocuments::postedOrGoneDocumentsRefuseChanges()
{
    FreshShop shop;
    auto db = shop.db();
    QCOMPARE(post(db, retail(), kDh, u"A 1 4"_s, u"甲"_s), QString());
    const qint64 id = lineSet(db, retail(), kDh, Mode::Edit).front().id;
    QCOMPARE(addLines(db, retail(), kDh, u"A 1 4"_s), u"本单据已审核，不可修改明细！"_s);
    QVERIFY(!documents::editLine(db, retail(), kDh, id, u"1"_s, u"9"_s).ok());
    QVERIFY(!deleteLine(db, retail(), kDh, id).ok());
    QVERIFY(!takeHeld(db, retail(), kNext, kDh).outcome.ok());
    // A held document deleted while a window edits it cannot be saved again.
    QVERIFY(reverse(db, retail(), kDh).ok());
    QVERIFY(takeHeld(db, retail(), kNext, kDh).outcome.ok());
    QVERIFY(deleteDocument(db, retail(), kDh).ok());
    QCOMPARE(addLines(db, retail(), kDh, u"A 1 4"_s), QString());
    QCOMPARE(save(db, retail(), kDh, u"甲"_s, SaveAs::Finalize, Mode::Edit).outcome.message,
             u"本挂单已不存在或已审核，不能保存！"_s);
    QCOMPARE(count(db, u"xsfx"_s) + count(db, u"xsglz"_s), 0);
}

void TestDocuments::failureInTheMiddleLeavesNothing()
{
    FreshShop shop;
    auto db = shop.db();
    addGoods(db, u"A"_s, u"10 2.5 25"_s);
    addGoods(db, u"B"_s, u"10 1 10"_s);
    QCOMPARE(addLines(db, retail(), kDh, u"A 1 4 2.5; B 1 4 1"_s), QString());
    const QStringList before = dump(db, u"sp"_s) + dump(db, u"xsglc"_s);
    // The second line's stock change fails after the first line was posted;
    // then the receipt row, the last thing written, fails.
    sql::exec(db, u"CREATE TRIGGER fail_b BEFORE UPDATE ON sp WHEN NEW.txm = 'B'"
                  " BEGIN SELECT RAISE(ABORT, 'disk full'); END"_s);
    for (const QString &breakIt : {QString(), u"DROP TRIGGER fail_b"_s, u"DROP TABLE skfx"_s}) {
        if (!breakIt.isEmpty())
            sql::exec(db, breakIt);
        if (breakIt.startsWith(u"DROP TRIGGER"_s))
            continue;
        const documents::Saved s = save(db, retail(), kDh, u"甲 0 8"_s);
        QCOMPARE(s.outcome.severity, Severity::Error);
        QVERIFY(breakIt.isEmpty() ? s.outcome.message.contains(u"disk full"_s) : !s.outcome.ok());
        QCOMPARE(dump(db, u"sp"_s) + dump(db, u"xsglc"_s), before);
        QCOMPARE(count(db, u"xsglz"_s) + count(db, u"xsfx"_s), 0);
    }
}

void TestDocuments::failedLineActionLeavesNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("event");  // the write the action makes
    QTest::newRow("add") << u"add"_s << u"INSERT"_s;
    QTest::newRow("add from picker") << u"addGoods"_s << u"INSERT"_s;
    QTest::newRow("edit") << u"edit"_s << u"UPDATE"_s;
    QTest::newRow("delete unsaved") << u"deleteNew"_s << u"DELETE"_s;
    QTest::newRow("delete saved") << u"deleteSaved"_s << u"UPDATE"_s;
}

void TestDocuments::failedLineActionLeavesNothing()
{
    QFETCH(QString, action);
    QFETCH(QString, event);
    FreshShop shop;
    auto db = shop.db();
    addGoods(db, u"A"_s, u"10 2.5 25"_s, u"4 3 2"_s);
    // A held document (saved line) and a new one (unsaved line).
    QCOMPARE(addLines(db, retail(), kDh, u"A 1 4 2.5"_s), QString());
    QVERIFY(save(db, retail(), kDh, u"甲"_s, SaveAs::Hold).outcome.ok());
    QCOMPARE(addLines(db, retail(), kNext, u"A 2 4 2.5"_s), QString());
    const qint64 saved = lineSet(db, retail(), kDh, Mode::Edit).front().id;
    const qint64 unsaved = lineSet(db, retail(), kNext, Mode::New).front().id;
    // The saved line is deleted while the held document is edited.
    if (action == u"deleteSaved"_s)
        QVERIFY(takeHeld(db, retail(), u"XSD20240315003"_s, kDh).outcome.ok());

    // The write fails after part of it was done: the trigger records the
    // change, then the statement fails without undoing what it did so far.
    sql::exec(db, u"CREATE TABLE written (what TEXT)"_s);
    sql::exec(db, u"CREATE TRIGGER half_done AFTER "_s + event +
                      u" ON xsglc BEGIN INSERT INTO written VALUES ('line');"
                      " SELECT RAISE(FAIL, 'disk full'); END"_s);
    const QStringList before = dump(db, u"xsglc"_s);

    documents::Outcome out;
    if (action == u"add"_s) {
        out = documents::addLine(db, retail(), kNext,
                                 {u"A"_s, nameOf(u"A"_s), u"个"_s, u"1"_s, u"4"_s, dec(u"2.5"_s)})
                  .outcome;
    } else if (action == u"addGoods"_s) {
        out = addGoodsLine(db, retail(), kNext, *findGoodsByCode(db, u"A"_s)).outcome;
    } else if (action == u"edit"_s) {
        out = documents::editLine(db, retail(), kNext, unsaved, u"5"_s, u"3"_s);
    } else if (action == u"deleteNew"_s) {
        out = deleteLine(db, retail(), kNext, unsaved);
    } else {
        out = deleteLine(db, retail(), kDh, saved);
    }
    QCOMPARE(out.severity, Severity::Error);
    QVERIFY2(out.message.contains(u"disk full"_s), qPrintable(out.message));
    QCOMPARE(dump(db, u"xsglc"_s), before);
    QCOMPARE(count(db, u"written"_s), 0);
}

void TestDocuments::interruptedEntriesOfEarlierDaysGo()
{
    FreshShop shop;
    auto db = shop.db();
    const Descriptor &purchase = descriptor(DocumentKind::Purchase);
    const Descriptor &movement = descriptor(DocumentKind::Movement);
    // Entries interrupted on earlier days: unsaved lines, no header.
    QCOMPARE(addLines(db, retail(), u"XSD20240314001"_s, u"A 1 4; B 2 4"_s), QString());
    QCOMPARE(addLines(db, wholesale(), u"PFD20240314001"_s, u"A 1 4"_s), QString());
    QCOMPARE(addLines(db, purchase, u"CGD20240301001"_s, u"A 1 4"_s), QString());
    QCOMPARE(addLines(db, movement, u"YDD20231231001"_s, u"A 1 4"_s), QString());
    // Today's interrupted entry stays for the window that takes up its number.
    QCOMPARE(addLines(db, retail(), u"XSD20240315001"_s, u"A 1 4"_s), QString());
    QCOMPARE(addLines(db, movement, u"YDD20240315001"_s, u"A 1 4"_s), QString());
    // A held document of an earlier day, its edit interrupted: it has a
    // header, and taking it up again settles its lines.
    QCOMPARE(addLines(db, retail(), u"XSD20240314002"_s, u"A 1 4"_s), QString());
    QVERIFY(save(db, retail(), u"XSD20240314002"_s, u"甲"_s, SaveAs::Hold).outcome.ok());
    QCOMPARE(addLines(db, retail(), u"XSD20240314002"_s, u"B 1 4"_s), QString());
    const QStringList kept{u"XSD20240314002=dz"_s, u"XSD20240314002=yz"_s,
                           u"XSD20240315001=dz"_s, u"YDD20240315001=dz"_s};
    const auto lines = [&] {
        QStringList out;
        for (const QString &table : {u"xsglc"_s, u"cgglc"_s, u"rkglc"_s}) {
            sql::Query q = sql::exec(db, u"SELECT dh, bj FROM "_s + table);
            while (q.next())
                out << q.value(0).toString() + u'=' + q.value(1).toString();
        }
        out.sort();
        return out;
    };

    // All or nothing: a failure in the last table keeps the others' lines.
    sql::exec(db, u"CREATE TRIGGER no_delete BEFORE DELETE ON rkglc"
                  " BEGIN SELECT RAISE(ABORT, 'disk full'); END"_s);
    const QStringList before = lines();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"disk full"_s));
    QCOMPARE(removeInterruptedEntries(db, kToday), std::nullopt);
    QCOMPARE(lines(), before);
    sql::exec(db, u"DROP TRIGGER no_delete"_s);

    QTest::ignoreMessage(QtInfoMsg,
                         "removed 5 unsaved lines of entries interrupted before 2024-03-15");
    QCOMPARE(removeInterruptedEntries(db, kToday), std::optional<int>(5));
    QCOMPARE(lines(), kept);
    QTest::ignoreMessage(QtInfoMsg,
                         "removed 0 unsaved lines of entries interrupted before 2024-03-15");
    QCOMPARE(removeInterruptedEntries(db, kToday), std::optional<int>(0));
}

QTEST_GUILESS_MAIN(TestDocuments)
#include "tst_documents.moc"
