// The settlement engine and other income and expenses without windows: the
// worked examples of both sides (paying and receiving, un-approving, changing
// and deleting), the documents that cannot be settled, rounding, a failure
// part-way, the round trip through a document's reversal, the lists and
// their index, and the income and expense records.
#include "DocumentFixtures.h"
#include "TestSupport.h"

#include "core/db/Schema.h"
#include "core/finance/IncomeExpense.h"
#include "core/finance/Settlements.h"

#include <QtTest>

using namespace fixture;
using settlements::Side;

Q_DECLARE_METATYPE(settlements::Side)

namespace {

const QString kDoc = u"CGD20240315001"_s;
const QString kDoc2 = u"CGD20240315002"_s;
const QString kSale = u"XSD20240315001"_s;
const QString kSale2 = u"XSD20240315002"_s;

const settlements::Descriptor &sideOf(Side s) { return settlements::descriptor(s); }

const documents::Descriptor &engineOf(Side s)
{
    return documents::descriptor(s == Side::Payables ? documents::DocumentKind::Purchase
                                                     : documents::DocumentKind::Retail);
}

QString numberOf(Side s, int n)
{
    return s == Side::Payables ? (n == 1 ? kDoc : kDoc2) : (n == 1 ? kSale : kSale2);
}

// A document of `due` (one line) with `settled` paid or received at once,
// finalized, or held when `hold`.
void postDocument(const QSqlDatabase &db, Side s, int n, const QString &due,
                  const QString &settled, bool hold = false, const QString &partner = u"甲方"_s)
{
    const auto &d = engineOf(s);
    if (!sql::exists(db, u"SELECT 1 FROM sp WHERE txm = 'A'"_s))
        addGoods(db, u"A"_s, u"1000 1 1000"_s);
    QCOMPARE(addLines(db, d, numberOf(s, n), u"A 1 "_s + due + u" 1"_s), QString());
    const documents::Saved r =
        documents::save(db, d, numberOf(s, n), documents::Mode::New,
                        {kToday, partner, u"张三"_s, QString(), u"0"_s, settled},
                        hold ? documents::SaveAs::Hold : documents::SaveAs::Finalize,
                        u"系统管理员"_s, kToday);
    QVERIFY2(r.outcome.ok(), qPrintable(r.outcome.message));
}

settlements::MoneyInput money(const QString &dh, const QString &amount,
                              const QString &handler = u"李四"_s)
{
    return {kToday, dh, amount, handler, u"备注"_s};
}

// "settled owed" of a document, shortest forms.
QString balance(const QSqlDatabase &db, Side s, int n)
{
    const auto &d = sideOf(s);
    sql::Query q = sql::exec(db,
                            u"SELECT "_s + d.settledColumn + u", qk, "_s + d.dueColumn +
                                u" FROM "_s + d.headerTable + u" WHERE dh = ?"_s,
                            {numberOf(s, n)});
    if (!q.next())
        return u"none"_s;
    const Decimal settled = Decimal::fromUnits(q.toLongLong(0));
    const Decimal qk = Decimal::fromUnits(q.toLongLong(1));
    // The pair always agrees with the amount due.
    if (Decimal::fromUnits(q.toLongLong(2)) - settled != qk)
        return u"out of step"_s;
    return settled.toShortest() + u' ' + qk.toShortest();
}

// The sum of the approved money rows of a document.
QString ledgerSum(const QSqlDatabase &db, Side s, int n)
{
    const auto &d = sideOf(s);
    return Decimal::fromUnits(
               sql::scalar(db,
                           u"SELECT coalesce(sum(je), 0) FROM "_s + d.moneyTable +
                               u" WHERE dh = ? AND shbj = '已审核'"_s,
                           {numberOf(s, n)})
                   .toLongLong())
        .toShortest();
}

QStringList numbers(const QSqlDatabase &db, const ListQuery &list)
{
    const Snapshot rows = Snapshot::fetch(db, list.statement(list.order()), list.binds());
    QStringList out;
    for (int r = 0; r < rows.rowCount(); ++r)
        out << rows.text(r, rows.columnIndex(u"dh"_s));
    return out;
}

void addSides()
{
    QTest::addColumn<Side>("side");
}

}  // namespace

class TestSettlements : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void payUnapproveExample_data() { addSides(); bothSides(); }
    void payUnapproveExample();
    void documentsThatCannotBeSettled_data();
    void documentsThatCannotBeSettled();
    void overpaymentLeavesARefund_data() { addSides(); bothSides(); }
    void overpaymentLeavesARefund();
    void settledDocumentLeavesTheLists_data() { addSides(); bothSides(); }
    void settledDocumentLeavesTheLists();
    void onlyAnUnapprovedRowChanges_data() { addSides(); bothSides(); }
    void onlyAnUnapprovedRowChanges();
    void deletionKeepsTheBalanceTrue_data();
    void deletionKeepsTheBalanceTrue();
    void amountsRoundToTwoDecimals_data();
    void amountsRoundToTwoDecimals();
    void failurePartWayLeavesNothing_data();
    void failurePartWayLeavesNothing();
    void reversalRoundTrip_data() { addSides(); bothSides(); }
    void reversalRoundTrip();
    void quotesInNames();
    void listsAndFilters();
    void owedListsReadTheirIndex();
    void upgradeAddsTheOwedIndexes();

    void incomeExpenseSaves_data();
    void incomeExpenseSaves();
    void incomeExpenseMovesBetweenColumns();
    void incomeExpenseListsAndTotals();

private:
    static void bothSides()
    {
        QTest::newRow("payables") << Side::Payables;
        QTest::newRow("receivables") << Side::Receivables;
    }
};

void TestSettlements::payUnapproveExample()
{
    QFETCH(Side, side);
    FreshShop shop;
    auto db = shop.db();
    const auto &d = sideOf(side);
    postDocument(db, side, 1, u"1000"_s, u"300"_s);
    QCOMPARE(balance(db, side, 1), u"300 700"_s);
    // The row the posting wrote is listed with the others.
    QCOMPARE(ledgerSum(db, side, 1), u"300"_s);

    const auto found = settlements::findOwed(db, d, numberOf(side, 1));
    QVERIFY(found);
    QCOMPARE(found->partner, u"甲方"_s);
    QCOMPARE(found->qk.toShortest(), u"700"_s);

    const settlements::Applied paid = settlements::add(db, d, money(numberOf(side, 1), u"200"_s));
    QVERIFY2(paid.outcome.ok(), qPrintable(paid.outcome.message));
    QCOMPARE(paid.owed.toShortest(), u"500"_s);
    QCOMPARE(balance(db, side, 1), u"500 500"_s);
    const auto row = settlements::readMoney(db, d, paid.id);
    QVERIFY(row);
    QCOMPARE(row->shbj, u"已审核"_s);
    QCOMPARE(row->partner, u"甲方"_s);  // copied from the document
    QCOMPARE(row->je.toShortest(), u"200"_s);
    QCOMPARE(row->jsr, u"李四"_s);

    QVERIFY(settlements::unapprove(db, d, paid.id).ok());
    QCOMPARE(balance(db, side, 1), u"300 700"_s);
    QCOMPARE(settlements::readMoney(db, d, paid.id)->shbj, u"未审核"_s);
    // Twice is refused and changes nothing.
    const auto again = settlements::unapprove(db, d, paid.id);
    QCOMPARE(again.message, u"数据已经反审！"_s);
    QCOMPARE(again.severity, Severity::Warning);
    QCOMPARE(balance(db, side, 1), u"300 700"_s);
}

void TestSettlements::documentsThatCannotBeSettled_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("handler");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    const int number = int(settlements::Field::Number), amount = int(settlements::Field::Amount),
              handler = int(settlements::Field::Handler);
    for (Side s : {Side::Payables, Side::Receivables}) {
        const char *p = s == Side::Payables ? "pay " : "receive ";
        const QString zero = s == Side::Payables ? u"本次付款不可为零！"_s : u"本次收款不可为零！"_s;
        // Document 1 is held, 2 fully settled at once.
        QTest::addRow("%sheld", p) << s << numberOf(s, 1) << u"10"_s << u"李四"_s
                                   << u"帐单不可为空！"_s << number;
        QTest::addRow("%sfully paid", p) << s << numberOf(s, 2) << u"10"_s << u"李四"_s
                                         << u"帐单不可为空！"_s << number;
        QTest::addRow("%sunknown", p) << s << u"CGD20990101001"_s << u"10"_s << u"李四"_s
                                      << u"帐单不可为空！"_s << number;
        QTest::addRow("%sempty number", p) << s << QString() << u"10"_s << u"李四"_s
                                           << u"帐单不可为空！"_s << number;
        // The document is checked before the amount.
        QTest::addRow("%sheld, zero", p) << s << numberOf(s, 1) << u"0"_s << u"李四"_s
                                         << u"帐单不可为空！"_s << number;
    }
    QTest::newRow("zero") << Side::Payables << u"OWED"_s << u"0"_s << u"李四"_s
                          << u"本次付款不可为零！"_s << amount;
    QTest::newRow("emptied") << Side::Receivables << u"OWED"_s << u""_s << u"李四"_s
                             << u"本次收款不可为零！"_s << amount;
    QTest::newRow("rounds to zero") << Side::Payables << u"OWED"_s << u"0.004"_s << u"李四"_s
                                    << u"本次付款不可为零！"_s << amount;
    QTest::newRow("lone minus") << Side::Payables << u"OWED"_s << u"-"_s << u"李四"_s
                                << u"本次付款不可为零！"_s << amount;
    QTest::newRow("not a number") << Side::Receivables << u"OWED"_s << u"1-2"_s << u"李四"_s
                                  << u"本次收款不是有效的数字！"_s << amount;
    QTest::newRow("no handler") << Side::Payables << u"OWED"_s << u"5"_s << u"  "_s
                                << u"经办人不可为空！"_s << handler;
}

void TestSettlements::documentsThatCannotBeSettled()
{
    QFETCH(Side, side);
    QFETCH(QString, number);
    QFETCH(QString, amount);
    QFETCH(QString, handler);
    QFETCH(QString, message);
    QFETCH(int, focus);
    FreshShop shop;
    auto db = shop.db();
    const auto &d = sideOf(side);
    postDocument(db, side, 1, u"100"_s, u"0"_s, true);
    postDocument(db, side, 2, u"100"_s, u"100"_s);
    if (number == u"OWED"_s) {
        // An approved document with a balance: the other checks speak.
        const QString owed = side == Side::Payables ? u"CGD20240315003"_s : u"XSD20240315003"_s;
        QCOMPARE(addLines(db, engineOf(side), owed, u"A 1 50 1"_s), QString());
        QVERIFY(save(db, engineOf(side), owed, u"乙方"_s).outcome.ok());
        number = owed;
    }
    QVERIFY(!settlements::findOwed(db, d, numberOf(side, 1)));
    QVERIFY(!settlements::findOwed(db, d, numberOf(side, 2)));
    const QStringList before = dump(db, d.headerTable) + dump(db, d.moneyTable);

    const settlements::Applied r = settlements::add(db, d, money(number, amount, handler));
    QCOMPARE(r.outcome.message, message);
    QCOMPARE(r.outcome.severity, Severity::Info);
    QCOMPARE(int(r.outcome.focus), focus);
    QCOMPARE(dump(db, d.headerTable) + dump(db, d.moneyTable), before);
}

void TestSettlements::overpaymentLeavesARefund()
{
    QFETCH(Side, side);
    FreshShop shop;
    auto db = shop.db();
    const auto &d = sideOf(side);
    postDocument(db, side, 1, u"1000"_s, u"300"_s);
    postDocument(db, side, 2, u"50"_s, u"0"_s);
    QVERIFY(settlements::add(db, d, money(numberOf(side, 1), u"800"_s)).outcome.ok());
    QCOMPARE(balance(db, side, 1), u"1100 -100"_s);
    // Still listed (and still choosable: its balance is not zero), found by
    // the refund query and not by the owed one.
    settlements::OwedFilter f;
    QCOMPARE(numbers(db, settlements::owedList(d, f)),
             QStringList({numberOf(side, 1), numberOf(side, 2)}));
    f.balance = settlements::Balance::Refund;
    QCOMPARE(numbers(db, settlements::owedList(d, f)), QStringList{numberOf(side, 1)});
    f.balance = settlements::Balance::Owed;
    QCOMPARE(numbers(db, settlements::owedList(d, f)), QStringList{numberOf(side, 2)});
    // A negative amount (money refunded) raises the balance again.
    QVERIFY(settlements::add(db, d, money(numberOf(side, 1), u"-100"_s)).outcome.ok());
    QCOMPARE(balance(db, side, 1), u"1000 0"_s);
    QVERIFY(!settlements::findOwed(db, d, numberOf(side, 1)));
}

void TestSettlements::settledDocumentLeavesTheLists()
{
    QFETCH(Side, side);
    FreshShop shop;
    auto db = shop.db();
    const auto &d = sideOf(side);
    postDocument(db, side, 1, u"500"_s, u"100"_s);
    QCOMPARE(numbers(db, settlements::owedList(d)), QStringList{numberOf(side, 1)});
    const settlements::Applied r = settlements::add(db, d, money(numberOf(side, 1), u"400"_s));
    QVERIFY(r.outcome.ok());
    QCOMPARE(r.owed.toShortest(), u"0"_s);
    QCOMPARE(balance(db, side, 1), u"500 0"_s);
    QVERIFY(numbers(db, settlements::owedList(d)).isEmpty());
    QVERIFY(!settlements::findOwed(db, d, numberOf(side, 1)));
    // Nothing more can be paid on it.
    QCOMPARE(settlements::add(db, d, money(numberOf(side, 1), u"1"_s)).outcome.message,
             u"帐单不可为空！"_s);
}

void TestSettlements::onlyAnUnapprovedRowChanges()
{
    QFETCH(Side, side);
    FreshShop shop;
    auto db = shop.db();
    const auto &d = sideOf(side);
    postDocument(db, side, 1, u"1000"_s, u"300"_s);
    postDocument(db, side, 2, u"400"_s, u"0"_s);
    const qint64 id = settlements::add(db, d, money(numberOf(side, 1), u"200"_s)).id;

    const settlements::Applied refused = settlements::change(db, d, id, money(numberOf(side, 1), u"50"_s));
    QCOMPARE(refused.outcome.message, u"审核数据不可修改，请先反审核！"_s);
    QCOMPARE(refused.outcome.severity, Severity::Warning);
    QCOMPARE(balance(db, side, 1), u"500 500"_s);

    // Un-approved, changed: applied once, with the new amount.
    QVERIFY(settlements::unapprove(db, d, id).ok());
    const settlements::Applied changed =
        settlements::change(db, d, id, {QDate(2024, 3, 20), numberOf(side, 1), u"150"_s, u"王五"_s, u"改"_s});
    QVERIFY2(changed.outcome.ok(), qPrintable(changed.outcome.message));
    QCOMPARE(balance(db, side, 1), u"450 550"_s);
    QCOMPARE(ledgerSum(db, side, 1), u"450"_s);
    const auto row = settlements::readMoney(db, d, id);
    QCOMPARE(row->shbj, u"已审核"_s);
    QCOMPARE(row->rq, QDate(2024, 3, 20));
    QCOMPARE(row->jsr, u"王五"_s);

    // Moved to the other document: the first gets it back, the second pays.
    QVERIFY(settlements::unapprove(db, d, id).ok());
    QVERIFY(settlements::change(db, d, id, money(numberOf(side, 2), u"150"_s)).outcome.ok());
    QCOMPARE(balance(db, side, 1), u"300 700"_s);
    QCOMPARE(balance(db, side, 2), u"150 250"_s);
    QCOMPARE(settlements::readMoney(db, d, id)->dh, numberOf(side, 2));

    // A refused change of an un-approved row leaves it un-approved.
    QVERIFY(settlements::unapprove(db, d, id).ok());
    QCOMPARE(settlements::change(db, d, id, money(numberOf(side, 2), u"0"_s)).outcome.message,
             d.amountZero);
    QCOMPARE(settlements::readMoney(db, d, id)->shbj, u"未审核"_s);
    QCOMPARE(balance(db, side, 2), u"0 400"_s);
}

void TestSettlements::deletionKeepsTheBalanceTrue_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<bool>("unapproveFirst");
    QTest::addColumn<bool>("postingRow");  // the row the document's posting wrote
    QTest::addColumn<QString>("after");
    QTest::newRow("pay approved") << Side::Payables << false << false << u"300 700"_s;
    QTest::newRow("pay un-approved") << Side::Payables << true << false << u"300 700"_s;
    QTest::newRow("pay posting row") << Side::Payables << false << true << u"200 800"_s;
    QTest::newRow("receive approved") << Side::Receivables << false << false << u"300 700"_s;
    QTest::newRow("receive un-approved") << Side::Receivables << true << false << u"300 700"_s;
    QTest::newRow("receive posting row") << Side::Receivables << false << true << u"200 800"_s;
}

void TestSettlements::deletionKeepsTheBalanceTrue()
{
    QFETCH(Side, side);
    QFETCH(bool, unapproveFirst);
    QFETCH(bool, postingRow);
    QFETCH(QString, after);
    FreshShop shop;
    auto db = shop.db();
    const auto &d = sideOf(side);
    postDocument(db, side, 1, u"1000"_s, u"300"_s);
    const qint64 paid = settlements::add(db, d, money(numberOf(side, 1), u"200"_s)).id;
    const qint64 id = postingRow
        ? sql::scalar(db, u"SELECT min(id) FROM "_s + d.moneyTable).toLongLong()
        : paid;
    if (unapproveFirst)
        QVERIFY(settlements::unapprove(db, d, id).ok());
    const QString before = balance(db, side, 1);

    const settlements::Removed r = settlements::remove(db, d, id);
    QVERIFY2(r.outcome.ok(), qPrintable(r.outcome.message));
    QCOMPARE(r.amount.toShortest(), postingRow ? u"300"_s : u"200"_s);
    QVERIFY(!settlements::readMoney(db, d, id));
    QCOMPARE(balance(db, side, 1), after);
    // Un-approved: only the ledger changed.
    if (unapproveFirst)
        QCOMPARE(balance(db, side, 1), before);
    // What the document says it was paid is what its rows paid.
    QCOMPARE(balance(db, side, 1).section(u' ', 0, 0), ledgerSum(db, side, 1));
    QCOMPARE(settlements::remove(db, d, id).outcome.severity, Severity::Warning);
}

void TestSettlements::amountsRoundToTwoDecimals_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("two") << u"12.34"_s << u"12.34"_s;
    QTest::newRow("down to even") << u"12.345"_s << u"12.34"_s;
    QTest::newRow("up to even") << u"12.355"_s << u"12.36"_s;
    QTest::newRow("above half") << u"12.3451"_s << u"12.35"_s;
    QTest::newRow("negative") << u"-0.125"_s << u"-0.12"_s;
}

void TestSettlements::amountsRoundToTwoDecimals()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    FreshShop shop;
    auto db = shop.db();
    const auto &d = sideOf(Side::Payables);
    postDocument(db, Side::Payables, 1, u"100"_s, u"0"_s);
    const settlements::Applied r = settlements::add(db, d, money(kDoc, typed));
    QVERIFY(r.outcome.ok());
    QCOMPARE(settlements::readMoney(db, d, r.id)->je.toShortest(), stored);
    QCOMPARE(balance(db, Side::Payables, 1).section(u' ', 0, 0), stored);

    const auto entry = incomeexpense::save(db, 0, {kToday, u"支出"_s, u"房租"_s, typed.mid(typed.startsWith(u'-') ? 1 : 0), u"李四"_s, {}});
    QVERIFY(entry.ok());
    QCOMPARE(incomeexpense::read(db, entry.id)->ze.toShortest(), QString(stored).remove(u'-'));
}

void TestSettlements::failurePartWayLeavesNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("failing");  // the statement that fails, after others succeeded
    QTest::newRow("add: document") << u"add"_s << u"UPDATE ON cgglz"_s;
    QTest::newRow("add: ledger") << u"add"_s << u"INSERT ON fkfx"_s;
    QTest::newRow("change: document") << u"change"_s << u"UPDATE ON cgglz"_s;
    QTest::newRow("unapprove: mark") << u"unapprove"_s << u"UPDATE ON fkfx"_s;
    QTest::newRow("delete: row") << u"delete"_s << u"DELETE ON fkfx"_s;
}

void TestSettlements::failurePartWayLeavesNothing()
{
    QFETCH(QString, action);
    QFETCH(QString, failing);
    FreshShop shop;
    auto db = shop.db();
    const auto &d = sideOf(Side::Payables);
    postDocument(db, Side::Payables, 1, u"1000"_s, u"300"_s);
    qint64 id = settlements::add(db, d, money(kDoc, u"200"_s)).id;
    if (action == u"change"_s)
        QVERIFY(settlements::unapprove(db, d, id).ok());
    const QStringList before = dump(db, u"cgglz"_s) + dump(db, u"fkfx"_s);
    sql::exec(db, u"CREATE TRIGGER fails AFTER "_s + failing +
                      u" BEGIN SELECT RAISE(ABORT, 'disk full'); END"_s);

    settlements::Outcome out;
    if (action == u"add"_s)
        out = settlements::add(db, d, money(kDoc, u"50"_s)).outcome;
    else if (action == u"change"_s)
        out = settlements::change(db, d, id, money(kDoc, u"50"_s)).outcome;
    else if (action == u"unapprove"_s)
        out = settlements::unapprove(db, d, id);
    else
        out = settlements::remove(db, d, id).outcome;
    QCOMPARE(out.severity, Severity::Error);
    QVERIFY2(out.message.contains(u"disk full"_s), qPrintable(out.message));
    QCOMPARE(dump(db, u"cgglz"_s) + dump(db, u"fkfx"_s), before);
}

void TestSettlements::reversalRoundTrip()
{
    QFETCH(Side, side);
    FreshShop shop;
    auto db = shop.db();
    const auto &d = sideOf(side);
    const auto &engine = engineOf(side);
    postDocument(db, side, 1, u"1000"_s, u"300"_s);
    QVERIFY(settlements::add(db, d, money(numberOf(side, 1), u"200"_s)).outcome.ok());
    QCOMPARE(fixture::count(db, d.moneyTable), 2);

    // Reversed: the money rows of its number go, the header keeps its amounts
    // and is held, so it is no longer owed.
    QVERIFY(documents::reverse(db, engine, numberOf(side, 1)).ok());
    QCOMPARE(fixture::count(db, d.moneyTable), 0);
    QCOMPARE(balance(db, side, 1), u"500 500"_s);
    QVERIFY(!settlements::findOwed(db, d, numberOf(side, 1)));

    // Finalized again with what it was paid: one money row, totals right.
    const documents::Header h = *documents::readHeader(db, engine, numberOf(side, 1));
    const documents::Saved again = documents::save(
        db, engine, numberOf(side, 1), documents::Mode::Edit,
        {h.rq, h.partner, h.jsr, h.bz, h.yhe.toShortest(), h.settled.toShortest()},
        documents::SaveAs::Finalize, u"系统管理员"_s, kToday);
    QVERIFY2(again.outcome.ok(), qPrintable(again.outcome.message));
    QCOMPARE(fixture::count(db, d.moneyTable), 1);
    QCOMPARE(ledgerSum(db, side, 1), u"500"_s);
    QCOMPARE(balance(db, side, 1), u"500 500"_s);
    QCOMPARE(numbers(db, settlements::owedList(d)), QStringList{numberOf(side, 1)});
    // And the engine goes on from there.
    QVERIFY(settlements::add(db, d, money(numberOf(side, 1), u"500"_s)).outcome.ok());
    QCOMPARE(balance(db, side, 1), u"1000 0"_s);
}

void TestSettlements::quotesInNames()
{
    FreshShop shop;
    auto db = shop.db();
    const auto &d = sideOf(Side::Receivables);
    postDocument(db, Side::Receivables, 1, u"80"_s, u"0"_s, false, u"O'Brien 五金"_s);
    settlements::OwedFilter f;
    f.partner = u"O'Brien"_s;
    QCOMPARE(numbers(db, settlements::owedList(d, f)), QStringList{kSale});
    const settlements::Applied r =
        settlements::add(db, d, {kToday, kSale, u"30"_s, u"D'Arcy"_s, u"it's paid"_s});
    QVERIFY2(r.outcome.ok(), qPrintable(r.outcome.message));
    const auto row = settlements::readMoney(db, d, r.id);
    QCOMPARE(row->partner, u"O'Brien 五金"_s);
    QCOMPARE(row->bz, u"it's paid"_s);
    settlements::MoneyFilter m;
    m.handler = u"D'A"_s;
    QCOMPARE(numbers(db, settlements::moneyList(d, m)), QStringList{kSale});
    // A quote in the number is a number like any other: no document.
    QCOMPARE(settlements::add(db, d, money(u"X' OR '1'='1"_s, u"1"_s)).outcome.message,
             u"帐单不可为空！"_s);
}

void TestSettlements::listsAndFilters()
{
    FreshShop shop;
    auto db = shop.db();
    const auto &d = sideOf(Side::Payables);
    postDocument(db, Side::Payables, 1, u"100"_s, u"0"_s, false, u"甲方"_s);
    postDocument(db, Side::Payables, 2, u"100"_s, u"0"_s, false, u"乙方"_s);
    const qint64 a = settlements::add(db, d, {QDate(2024, 3, 1), kDoc, u"40"_s, u"李四"_s, {}}).id;
    settlements::add(db, d, {kToday, kDoc2, u"-10"_s, u"王五"_s, {}});
    QVERIFY(settlements::unapprove(db, d, a).ok());

    // The list opens on one day's rows: the two posted with no money paid
    // wrote none, so today has the refund only.
    QCOMPARE(numbers(db, settlements::moneyOfDay(d, kToday)), QStringList{kDoc2});
    QCOMPARE(numbers(db, settlements::moneyOfDay(d, QDate(2024, 3, 1))), QStringList{kDoc});

    using settlements::Approval;
    using settlements::Direction;
    struct Case {
        settlements::MoneyFilter f;
        QStringList listed;
    };
    const std::vector<Case> cases = {
        {{}, {kDoc, kDoc2}},
        {{u"乙"_s, {}, {}, Approval::All, Direction::All, {}, {}}, {kDoc2}},
        {{{}, u"李"_s, {}, Approval::All, Direction::All, {}, {}}, {kDoc}},
        {{{}, {}, u"002"_s, Approval::All, Direction::All, {}, {}}, {kDoc2}},
        {{{}, {}, {}, Approval::Unapproved, Direction::All, {}, {}}, {kDoc}},
        {{{}, {}, {}, Approval::Approved, Direction::All, {}, {}}, {kDoc2}},
        {{{}, {}, {}, Approval::All, Direction::Settled, {}, {}}, {kDoc}},
        {{{}, {}, {}, Approval::All, Direction::Refunded, {}, {}}, {kDoc2}},
        {{{}, {}, {}, Approval::All, Direction::All, QDate(2024, 3, 2), kToday}, {kDoc2}},
    };
    for (const Case &c : cases)
        QCOMPARE(numbers(db, settlements::moneyList(d, c.f)), c.listed);

    settlements::OwedFilter o;
    o.partner = u"甲"_s;
    QCOMPARE(numbers(db, settlements::owedList(d, o)), QStringList{kDoc});
    o = {};
    o.from = QDate(2024, 1, 1);
    o.to = QDate(2024, 3, 14);
    QVERIFY(numbers(db, settlements::owedList(d, o)).isEmpty());
    const ListQuery all = settlements::owedList(d);
    QCOMPARE(Decimal::fromUnits(all.sums(db, {u"qk"_s}).at(0).toLongLong()).toShortest(),
             u"210"_s);  // 100 (its 40 taken back) and 100 + 10 refunded
}

void TestSettlements::owedListsReadTheirIndex()
{
    FreshShop shop;
    auto db = shop.db();
    for (Side s : {Side::Payables, Side::Receivables}) {
        const auto &d = sideOf(s);
        const QString index = d.headerTable + u"_owed"_s;
        const ListQuery list = settlements::owedList(d);
        const QString page = queryPlan(db, list.statement(list.order()) + u" LIMIT 200 OFFSET 0"_s,
                                       list.binds());
        QVERIFY2(page.contains(index) && !page.contains(u"TEMP B-TREE"_s), qPrintable(page));
        const QString counted = queryPlan(db, u"SELECT count(*), sum(qk) FROM ("_s + list.base() + u") AS q"_s,
                                          list.binds());
        QVERIFY2(counted.contains(index), qPrintable(counted));
        settlements::OwedFilter f;
        f.partner = u"甲"_s;
        f.balance = settlements::Balance::Refund;
        const ListQuery chosen = settlements::owedList(d, f);
        const QString filtered = queryPlan(db, chosen.statement(chosen.order()), chosen.binds());
        QVERIFY2(filtered.contains(index), qPrintable(filtered));
    }
}

void TestSettlements::upgradeAddsTheOwedIndexes()
{
    FreshShop shop;
    auto db = shop.db();
    postDocument(db, Side::Payables, 1, u"100"_s, u"30"_s);
    sql::exec(db, u"DROP INDEX cgglz_owed"_s);
    sql::exec(db, u"DROP INDEX xsglz_owed"_s);
    sql::exec(db, u"PRAGMA user_version = 6"_s);
    QVERIFY(!schema::upgrade(db));
    QCOMPARE(sql::scalar(db, u"PRAGMA user_version"_s).toInt(), schema::SchemaVersion);
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM sqlite_master WHERE type = 'index'"
                             " AND name IN ('cgglz_owed', 'xsglz_owed')"_s).toInt(), 2);
    QCOMPARE(balance(db, Side::Payables, 1), u"30 70"_s);
}

// ---- other income and expenses -------------------------------------------------

void TestSettlements::incomeExpenseSaves_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("handler");
    QTest::addColumn<QString>("outcome");  // "se ze", or the refusal
    QTest::newRow("expense") << u"支出"_s << u"房租"_s << u"120.5"_s << u"李四"_s << u"0 120.5"_s;
    QTest::newRow("income") << u"收入"_s << u"废品回收"_s << u"80"_s << u"李四"_s << u"80 0"_s;
    QTest::newRow("padded") << u" 收入 "_s << u" 加工 "_s << u"1"_s << u"李四"_s << u"1 0"_s;
    QTest::newRow("three decimals") << u"支出"_s << u"运杂费"_s << u"10.125"_s << u"李四"_s << u"0 10.12"_s;
    QTest::newRow("no category") << u" "_s << u"房租"_s << u"1"_s << u"李四"_s << u"类别不可为空！"_s;
    QTest::newRow("other category") << u"其他"_s << u"房租"_s << u"1"_s << u"李四"_s
                                    << u"类别只能是“收入”或“支出”！"_s;
    QTest::newRow("no item") << u"支出"_s << u""_s << u"1"_s << u"李四"_s << u"项目不可为空！"_s;
    QTest::newRow("zero") << u"支出"_s << u"房租"_s << u"0"_s << u"李四"_s << u"金额不可为零！"_s;
    QTest::newRow("emptied") << u"支出"_s << u"房租"_s << u""_s << u"李四"_s << u"金额不可为零！"_s;
    QTest::newRow("negative") << u"支出"_s << u"房租"_s << u"-5"_s << u"李四"_s << u"金额不可为负数！"_s;
    QTest::newRow("no handler") << u"支出"_s << u"房租"_s << u"5"_s << u""_s << u"经办人不可为空！"_s;
}

void TestSettlements::incomeExpenseSaves()
{
    QFETCH(QString, category);
    QFETCH(QString, item);
    QFETCH(QString, amount);
    QFETCH(QString, handler);
    QFETCH(QString, outcome);
    FreshShop shop;
    auto db = shop.db();
    const auto r = incomeexpense::save(db, 0, {kToday, category, item, amount, handler, u"备注"_s});
    if (!outcome.contains(u' ')) {
        QCOMPARE(r.message, outcome);
        QCOMPARE(fixture::count(db, u"szfx"_s), 0);
        return;
    }
    QVERIFY2(r.ok(), qPrintable(r.message));
    const auto e = incomeexpense::read(db, r.id);
    QVERIFY(e);
    QCOMPARE(e->se.toShortest() + u' ' + e->ze.toShortest(), outcome);
    QCOMPARE(e->lb, category.trimmed());
    QCOMPARE(e->xm, item.trimmed());
    QCOMPARE(e->rq, kToday);
}

void TestSettlements::incomeExpenseMovesBetweenColumns()
{
    FreshShop shop;
    auto db = shop.db();
    const qint64 id = incomeexpense::save(db, 0, {kToday, u"收入"_s, u"加工服务"_s, u"66"_s, u"李四"_s, {}}).id;
    QCOMPARE(incomeexpense::read(db, id)->amount().toShortest(), u"66"_s);
    QVERIFY(incomeexpense::save(db, id, {kToday, u"支出"_s, u"加工服务"_s, u"66"_s, u"李四"_s, {}}).ok());
    auto e = incomeexpense::read(db, id);
    QCOMPARE(e->se.toShortest() + u' ' + e->ze.toShortest(), u"0 66"_s);
    QCOMPARE(e->amount().toShortest(), u"66"_s);
    QVERIFY(incomeexpense::save(db, id, {kToday, u"收入"_s, u"加工服务"_s, u"70"_s, u"李四"_s, {}}).ok());
    e = incomeexpense::read(db, id);
    QCOMPARE(e->se.toShortest() + u' ' + e->ze.toShortest(), u"70 0"_s);
    QCOMPARE(fixture::count(db, u"szfx"_s), 1);
    // A refused change keeps the record as it was.
    QCOMPARE(incomeexpense::save(db, id, {kToday, u"杂项"_s, u"加工服务"_s, u"9"_s, u"李四"_s, {}}).message,
             u"类别只能是“收入”或“支出”！"_s);
    QCOMPARE(incomeexpense::read(db, id)->se.toShortest(), u"70"_s);
    QVERIFY(incomeexpense::remove(db, id).ok());
    QVERIFY(!incomeexpense::read(db, id));
}

void TestSettlements::incomeExpenseListsAndTotals()
{
    FreshShop shop;
    auto db = shop.db();
    QVERIFY(incomeexpense::save(db, 0, {QDate(2024, 3, 1), u"收入"_s, u"废品回收"_s, u"100"_s, u"李四"_s, {}}).ok());
    QVERIFY(incomeexpense::save(db, 0, {kToday, u"支出"_s, u"房租"_s, u"30.5"_s, u"王五"_s, {}}).ok());
    QVERIFY(incomeexpense::save(db, 0, {kToday, u"收入"_s, u"O'Brien 回收"_s, u"10"_s, u"王五"_s, {}}).ok());
    const auto items = [&](const ListQuery &l) {
        const Snapshot s = Snapshot::fetch(db, l.statement(l.order()), l.binds());
        QStringList out;
        for (int r = 0; r < s.rowCount(); ++r)
            out << s.text(r, s.columnIndex(u"xm"_s));
        return out;
    };
    QCOMPARE(items(incomeexpense::ofDay(kToday)), QStringList({u"房租"_s, u"O'Brien 回收"_s}));
    QCOMPARE(items(incomeexpense::filtered({})).size(), 3);
    incomeexpense::Filter f;
    f.category = incomeexpense::Category::Income;
    QCOMPARE(items(incomeexpense::filtered(f)), QStringList({u"废品回收"_s, u"O'Brien 回收"_s}));
    f = {};
    f.item = u"O'B"_s;
    QCOMPARE(items(incomeexpense::filtered(f)), QStringList{u"O'Brien 回收"_s});
    f = {};
    f.handler = u"王"_s;
    f.from = kToday;
    f.to = kToday;
    QCOMPARE(items(incomeexpense::filtered(f)).size(), 2);

    const incomeexpense::Totals t = incomeexpense::totals(db, incomeexpense::filtered({}));
    QCOMPARE(t.income.toShortest() + u' ' + t.expense.toShortest() + u' ' + t.balance.toShortest(),
             u"110 30.5 79.5"_s);
    const incomeexpense::Totals none = incomeexpense::totals(db, incomeexpense::ofDay(QDate(2020, 1, 1)));
    QCOMPARE(none.income.toShortest() + none.expense.toShortest() + none.balance.toShortest(), u"000"_s);
}

QTEST_GUILESS_MAIN(TestSettlements)
#include "tst_settlements.moc"
