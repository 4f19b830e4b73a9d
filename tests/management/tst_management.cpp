// The management of documents without windows: the lists of the three books
// and their filters (typed texts bound, "%", "_", "'" and "\" matching only
// themselves), the sums and the row marks, deletion (a posted document is
// reversed first) and reversal with their worked examples, and the upgrade
// of a shop file made without the lists' indexes.
#include "DocumentFixtures.h"
#include "TestSupport.h"

#include "core/db/Schema.h"
#include "core/documents/Management.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace documents;
using namespace fixture;
using management::Book;
using management::Filter;
using management::State;

namespace {

const Descriptor &retail() { return descriptor(DocumentKind::Retail); }
const Descriptor &wholesale() { return descriptor(DocumentKind::Wholesale); }
const Descriptor &purchase() { return descriptor(DocumentKind::Purchase); }
const Descriptor &movement() { return descriptor(DocumentKind::Movement); }
const management::ListDescriptor &book(Book b) { return management::listDescriptor(b); }

// Adds the lines and saves a document dated `rq` with this partner, handler
// and amount settled; "" or the refusal.
QString saveOn(const QSqlDatabase &db, const Descriptor &d, const QString &dh, const QString &lines,
               const QString &partner, const QString &handler, const QString &settled,
               SaveAs as, const QDate &rq = kToday)
{
    const QString refused = addLines(db, d, dh, lines);
    if (!refused.isEmpty())
        return refused;
    return documents::save(db, d, dh, Mode::New, {rq, partner, handler, u"备注"_s, u"0"_s, settled},
                           as, u"系统管理员"_s, kToday)
        .outcome.message;
}

// The numbers a list shows, in its order.
QStringList numbers(const QSqlDatabase &db, const ListQuery &list)
{
    const Snapshot s = Snapshot::fetch(db, list.statement(list.order()), list.binds());
    QStringList out;
    for (int r = 0; r < s.rowCount(); ++r)
        out << s.text(r, s.columnIndex(u"dh"_s));
    return out;
}

QString shortest(const std::vector<Decimal> &values)
{
    QStringList out;
    for (const Decimal &v : values)
        out << v.toShortest();
    return out.join(u' ');
}

}  // namespace

class TestManagement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void containsPatternEscapes_data();
    void containsPatternEscapes();
    void listsAndFilters();
    void typedTextMatchesItself_data();
    void typedTextMatchesItself();
    void sumsAndMarks();
    void deletionUndoesThePosting_data();
    void deletionUndoesThePosting();
    void reversalExamples();
    void reversalRecreatesMissingGoods();
    void heldDocumentIsNotReversed();
    void upgradeAddsTheListIndexes();
    void listsUseTheirIndexes();
};

void TestManagement::containsPatternEscapes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("empty") << "" << "%%";
    QTest::newRow("plain") << "五金" << "%五金%";
    QTest::newRow("percent") << "50%" << "%50\\%%";
    QTest::newRow("underscore") << "a_b" << "%a\\_b%";
    QTest::newRow("backslash") << "a\\b" << "%a\\\\b%";
    QTest::newRow("quote") << "O'Brien" << "%O'Brien%";
}

void TestManagement::containsPatternEscapes()
{
    QFETCH(QString, typed);
    QFETCH(QString, pattern);
    QCOMPARE(sql::containsPattern(typed), pattern);
    QCOMPARE(sql::containsCondition(u"kh"_s), u"kh LIKE ? ESCAPE '\\'"_s);
}

void TestManagement::listsAndFilters()
{
    FreshShop shop;
    auto db = shop.db();
    // Entered out of number order: ids and numbers differ in order.
    QCOMPARE(saveOn(db, wholesale(), u"PFD20240315001"_s, u"A 1 10"_s, u"乙公司"_s, u"李四"_s, u"4"_s,
                    SaveAs::Hold, QDate(2024, 3, 1)), QString());
    QCOMPARE(saveOn(db, retail(), u"XSD20240315002"_s, u"A 1 10"_s, u"甲"_s, u"张三"_s, u"10"_s,
                    SaveAs::Finalize, QDate(2024, 2, 10)), QString());
    QCOMPARE(saveOn(db, retail(), u"XSD20240315001"_s, u"A 2 10"_s, u"甲"_s, u"张三"_s, u"5"_s,
                    SaveAs::Hold, QDate(2024, 3, 15)), QString());
    QCOMPARE(saveOn(db, retail(), u"XSD20240315003"_s, u"A 3 10"_s, u"丙"_s, u"王五"_s, u"20"_s,
                    SaveAs::Finalize, QDate(2024, 3, 10)), QString());
    const auto &sales = book(Book::Sales);

    // Opening: the held documents of both kinds, by number.
    QCOMPARE(numbers(db, management::heldList(sales)),
             QStringList({u"PFD20240315001"_s, u"XSD20240315001"_s}));
    // Nothing typed, "全部": every document in the order of entry.
    QCOMPARE(numbers(db, management::filteredList(sales, {})),
             QStringList({u"PFD20240315001"_s, u"XSD20240315002"_s, u"XSD20240315001"_s,
                          u"XSD20240315003"_s}));

    struct Case {
        Filter filter;
        QStringList listed;
    };
    const std::vector<Case> cases = {
        {{u"甲"_s, {}, {}, State::All, {}, {}, false}, {u"XSD20240315002"_s, u"XSD20240315001"_s}},
        {{{}, u"四"_s, {}, State::All, {}, {}, false}, {u"PFD20240315001"_s}},
        {{{}, {}, u"003"_s, State::All, {}, {}, false}, {u"XSD20240315003"_s}},
        {{{}, {}, {}, State::Held, {}, {}, false}, {u"PFD20240315001"_s, u"XSD20240315001"_s}},
        {{{}, {}, {}, State::Posted, {}, {}, false}, {u"XSD20240315002"_s, u"XSD20240315003"_s}},
        // Posted with money owed: the receivables.
        {{{}, {}, {}, State::Posted, {}, {}, true}, {u"XSD20240315003"_s}},
        {{{}, {}, {}, State::All, {}, {}, true},
         {u"PFD20240315001"_s, u"XSD20240315001"_s, u"XSD20240315003"_s}},
        // Both ends of the range count.
        {{{}, {}, {}, State::All, QDate(2024, 3, 1), QDate(2024, 3, 10), false},
         {u"PFD20240315001"_s, u"XSD20240315003"_s}},
        // One date alone is no range.
        {{{}, {}, {}, State::All, QDate(2024, 3, 12), {}, false},
         {u"PFD20240315001"_s, u"XSD20240315002"_s, u"XSD20240315001"_s, u"XSD20240315003"_s}},
        {{u"甲"_s, u"张"_s, u"XSD"_s, State::Held, QDate(2024, 3, 15), QDate(2024, 3, 15), true},
         {u"XSD20240315001"_s}},
        {{u"乙"_s, {}, u"XSD"_s, State::All, {}, {}, false}, {}},
    };
    for (const Case &c : cases)
        QCOMPARE(numbers(db, management::filteredList(sales, c.filter)), c.listed);

    // Purchases and movements filter on their own partner column; movements
    // carry no debt, so "only owed" does not narrow them.
    QCOMPARE(saveOn(db, purchase(), u"CGD20240315001"_s, u"A 1 10"_s, u"供应商甲"_s, u"张三"_s, u"0"_s,
                    SaveAs::Finalize), QString());
    QCOMPARE(saveOn(db, movement(), u"YDD20240315001"_s, u"A -1 10"_s, u"报损"_s, u"张三"_s, u"0"_s,
                    SaveAs::Finalize), QString());
    QCOMPARE(numbers(db, management::filteredList(book(Book::Purchases), {u"供应商"_s, {}, {}, State::All, {}, {}, true})),
             QStringList(u"CGD20240315001"_s));
    QCOMPARE(numbers(db, management::filteredList(book(Book::Movements), {u"报"_s, {}, {}, State::Posted, {}, {}, true})),
             QStringList(u"YDD20240315001"_s));
    QVERIFY(numbers(db, management::filteredList(book(Book::Movements), {u"盘"_s, {}, {}, State::All, {}, {}, false})).isEmpty());
}

void TestManagement::typedTextMatchesItself_data()
{
    QTest::addColumn<int>("field");  // 0 partner, 1 handler, 2 number
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("listed");
    // The values stored: partner / handler / number of each document.
    //   XSD..001: O'Brien / 张'三 / XSD'001      XSD..002: 50%折 / 李%四 / XSD%002
    //   XSD..003: a_b / 王_五 / XSD_003          XSD..004: aXb / 王X五 / XSDX004
    //   XSD..005: 5\0 / 赵\六 / XSD\005
    for (int field = 0; field < 3; ++field) {
        const char *name[] = {"partner", "handler", "number"};
        const auto row = [&](const char *what) -> QTestData & {
            return QTest::addRow("%s: %s", name[field], what) << field;
        };
        const QString q[] = {u"O'Brien"_s, u"张'三"_s, u"XSD'"_s};
        const QString p[] = {u"%"_s, u"%"_s, u"%"_s};
        const QString u[] = {u"a_b"_s, u"王_五"_s, u"D_0"_s};
        const QString b[] = {u"\\"_s, u"\\"_s, u"\\"_s};
        row("quote") << q[field] << QStringList(u"XSD'001"_s);
        row("percent") << p[field] << QStringList(u"XSD%002"_s);
        row("underscore") << u[field] << QStringList(u"XSD_003"_s);
        row("backslash") << b[field] << QStringList(u"XSD\\005"_s);
        row("quote alone") << u"'"_s << QStringList(u"XSD'001"_s);
    }
}

void TestManagement::typedTextMatchesItself()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QStringList, listed);
    FreshShop shop;
    auto db = shop.db();
    const struct {
        const char16_t *partner, *handler, *number;
    } docs[] = {{u"O'Brien", u"张'三", u"XSD'001"},
                {u"50%折", u"李%四", u"XSD%002"},
                {u"a_b", u"王_五", u"XSD_003"},
                {u"aXb", u"王X五", u"XSDX004"},
                {u"5\\0", u"赵\\六", u"XSD\\005"}};
    for (const auto &d : docs)
        sql::exec(db, u"INSERT INTO xsglz (dh, kh, jsr, shbj) VALUES (?, ?, ?, '已审核')"_s,
                  {QString::fromUtf16(d.number), QString::fromUtf16(d.partner),
                   QString::fromUtf16(d.handler)});
    Filter f;
    (field == 0 ? f.partner : field == 1 ? f.handler : f.number) = typed;
    QCOMPARE(numbers(db, management::filteredList(book(Book::Sales), f)), listed);
}

void TestManagement::sumsAndMarks()
{
    FreshShop shop;
    auto db = shop.db();
    const auto &sales = book(Book::Sales);
    // A sum over no rows is 0.
    QCOMPARE(shortest(management::sums(db, sales, management::heldList(sales))), u"0 0 0 0 0"_s);
    QCOMPARE(post(db, retail(), u"XSD20240315001"_s, u"A 2 10.5; B -1 3"_s, u"甲 0.5 10"_s), QString());
    QCOMPARE(saveOn(db, wholesale(), u"PFD20240315001"_s, u"A 1 7.25"_s, u"乙"_s, u"李四"_s, u"7.25"_s,
                    SaveAs::Hold), QString());
    // hjsl, hjje, yse, sse, qk: 1 + 1, 18 + 7.25, 17.5 + 7.25, 10 + 7.25, 7.5 + 0.
    QCOMPARE(shortest(management::sums(db, sales, management::filteredList(sales, {}))),
             u"2 25.25 24.75 17.25 7.5"_s);
    QCOMPARE(shortest(management::sums(db, sales, management::heldList(sales))), u"1 7.25 7.25 7.25 0"_s);
    QCOMPARE(shortest(management::sumsOf(sales, *readHeader(db, retail(), u"XSD20240315001"_s))),
             u"1 18 17.5 10 7.5"_s);
    QCOMPARE(sales.sumPanels, std::vector<int>({2, 3, 5, 6, 7}));

    const auto &purchases = book(Book::Purchases);
    QCOMPARE(post(db, purchase(), u"CGD20240315001"_s, u"A 10 2"_s, u"厂"_s + u" 0 15"_s), QString());
    QCOMPARE(shortest(management::sums(db, purchases, management::filteredList(purchases, {}))), u"10 20 20 15 5"_s);
    const auto &movements = book(Book::Movements);
    QCOMPARE(post(db, movement(), u"YDD20240315001"_s, u"A -5 2"_s, u"报损"_s), QString());
    QCOMPARE(shortest(management::sums(db, movements, management::filteredList(movements, {}))), u"-5 -10"_s);
    QCOMPARE(movements.sumPanels, std::vector<int>({2, 3}));

    // Red text for money owed, but never on a movement; green for held.
    const Decimal owed = dec(u"0.01"_s);
    QCOMPARE(management::marksOf(sales, owed, u"已审核"_s).owing, true);
    QCOMPARE(management::marksOf(purchases, -owed, u"已审核"_s).owing, true);
    QCOMPARE(management::marksOf(sales, Decimal(), u"已审核"_s).owing, false);
    QCOMPARE(management::marksOf(movements, owed, u"未审核"_s).owing, false);
    QCOMPARE(management::marksOf(movements, owed, u"未审核"_s).held, true);
    QCOMPARE(management::marksOf(sales, owed, u"已审核"_s).held, false);
}

void TestManagement::deletionUndoesThePosting_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("retail") << 0;
    QTest::newRow("wholesale") << 1;
    QTest::newRow("purchase") << 2;
    QTest::newRow("movement") << 3;
}

// The Parts leave a deleted posted document's stock and money rows in place;
// here a deleted document is as if it had never been posted.
void TestManagement::deletionUndoesThePosting()
{
    QFETCH(int, which);
    const Descriptor *kinds[] = {&retail(), &wholesale(), &purchase(), &movement()};
    const Book books[] = {Book::Sales, Book::Sales, Book::Purchases, Book::Movements};
    const Descriptor &d = *kinds[which];
    const auto &list = book(books[which]);
    const QString dh = d.prefix + u"20240315001"_s;
    FreshShop shop;
    auto db = shop.db();
    addGoods(db, u"A"_s, u"15 2.5 37.5"_s);
    const QString before = stocks(db);
    QCOMPARE(post(db, d, dh, u"A 4 3 2.5"_s, u"甲 0 5"_s), QString());
    QVERIFY(stocks(db) != before);
    if (d.carriesMoney())  // a later receipt or payment against the document
        sql::exec(db, u"INSERT INTO "_s + d.moneyTable + u" (dh, je) VALUES (?, 30000)"_s, {dh});

    const management::Removed r = management::remove(db, list, dh);
    QVERIFY2(r.outcome.ok(), qPrintable(r.outcome.message));
    QCOMPARE(shortest(r.removed), d.carriesMoney() ? u"4 12 12 5 7"_s : u"4 12"_s);
    QCOMPARE(stocks(db), before);
    QCOMPARE(count(db, d.headerTable) + count(db, d.lineTable) + count(db, d.ledgerTable), 0);
    if (d.carriesMoney())
        QCOMPARE(count(db, d.moneyTable), 0);
    // A second time: gone, and nothing changes.
    const management::Removed again = management::remove(db, list, dh);
    QCOMPARE(again.outcome.message, u"本单据已不存在！"_s);
    QVERIFY(again.removed.empty());
    QCOMPARE(stocks(db), before);

    // A held document goes with its lines; stock was never touched.
    QCOMPARE(addLines(db, d, dh, u"A 1 3 2.5"_s), QString());
    QVERIFY(save(db, d, dh, u"甲"_s, SaveAs::Hold).outcome.ok());
    QVERIFY(management::remove(db, list, dh).outcome.ok());
    QCOMPARE(stocks(db), before);
    QCOMPARE(count(db, d.headerTable) + count(db, d.lineTable), 0);
}

void TestManagement::reversalExamples()
{
    FreshShop shop;
    auto db = shop.db();
    // A retail line of 2 gives 2 back at the unchanged unit cost; its ledger
    // and receipt rows go, and the document is held.
    addGoods(db, u"S"_s, u"10 2.5 25"_s);
    QCOMPARE(post(db, retail(), u"XSD20240315001"_s, u"S 2 4 2.5"_s, u"甲 0 8"_s), QString());
    sql::exec(db, u"UPDATE sp SET kcjg = 30000 WHERE txm = 'S'"_s);  // the unit cost now 3
    QVERIFY(management::reverse(db, book(Book::Sales), u"XSD20240315001"_s).ok());
    QCOMPARE(stocks(db), u"S=10 3 30"_s);
    QCOMPARE(count(db, u"xsfx"_s) + count(db, u"skfx"_s), 0);
    QCOMPARE(readHeader(db, retail(), u"XSD20240315001"_s)->shbj, u"未审核"_s);
    QVERIFY(management::marksOf(book(Book::Sales), Decimal(), readHeader(db, retail(), u"XSD20240315001"_s)->shbj).held);

    // 15 pieces worth 35.00 less a reversed 10 at 2.00: 5 pieces, 15.00, 3.00.
    addGoods(db, u"P"_s, u"5 3 15"_s);
    QCOMPARE(post(db, purchase(), u"CGD20240315001"_s, u"P 10 2"_s, u"厂商甲 0 20"_s), QString());
    QCOMPARE(stocks(db).section(u"; "_s, 0, 0), u"P=15 2.33 35"_s);
    QVERIFY(management::reverse(db, book(Book::Purchases), u"CGD20240315001"_s).ok());
    QCOMPARE(stocks(db).section(u"; "_s, 0, 0), u"P=5 3 15"_s);
    QCOMPARE(count(db, u"cgfx"_s) + count(db, u"fkfx"_s), 0);

    // A movement of -5 reversed on 15 at 2.50: 20, worth 50.00.
    addGoods(db, u"M"_s, u"20 2.5 50"_s);
    QCOMPARE(post(db, movement(), u"YDD20240315001"_s, u"M -5 2.5"_s, u"报损"_s), QString());
    QCOMPARE(stocks(db).section(u"; "_s, 0, 0), u"M=15 2.5 37.5"_s);
    QVERIFY(management::reverse(db, book(Book::Movements), u"YDD20240315001"_s).ok());
    QCOMPARE(stocks(db).section(u"; "_s, 0, 0), u"M=20 2.5 50"_s);
    QCOMPARE(count(db, u"rkfx"_s), 0);
}

void TestManagement::reversalRecreatesMissingGoods()
{
    FreshShop shop;
    auto db = shop.db();
    QCOMPARE(post(db, retail(), u"XSD20240315001"_s, u"S 2 4 2.5"_s, u"甲"_s), QString());
    QCOMPARE(post(db, purchase(), u"CGD20240315001"_s, u"P 10 2"_s, u"厂商甲"_s), QString());
    QCOMPARE(post(db, movement(), u"YDD20240315001"_s, u"M -5 2.5"_s, u"报损"_s), QString());
    sql::exec(db, u"DELETE FROM sp"_s);
    QVERIFY(management::reverse(db, book(Book::Sales), u"XSD20240315001"_s).ok());
    QVERIFY(management::reverse(db, book(Book::Purchases), u"CGD20240315001"_s).ok());
    QVERIFY(management::reverse(db, book(Book::Movements), u"YDD20240315001"_s).ok());
    // Sales: the line's quantity at its unit cost; purchases and movements:
    // the negated line at its price. All under "未知", bought at that price.
    QCOMPARE(stocks(db), u"M=5 2.5 12.5; P=-10 2 -20; S=2 2.5 5"_s);
    sql::Query q = sql::exec(db, u"SELECT lb, jj FROM sp ORDER BY txm"_s);
    QStringList made;
    while (q.next())
        made << q.value(0).toString() + Decimal::fromUnits(q.value(1).toLongLong()).toShortest();
    QCOMPARE(made, QStringList({u"未知2.5"_s, u"未知2"_s, u"未知2.5"_s}));
}

void TestManagement::heldDocumentIsNotReversed()
{
    FreshShop shop;
    auto db = shop.db();
    addGoods(db, u"A"_s, u"10 2 20"_s);
    QCOMPARE(addLines(db, purchase(), u"CGD20240315001"_s, u"A 1 2"_s), QString());
    QVERIFY(save(db, purchase(), u"CGD20240315001"_s, u"厂商甲 0 2"_s, SaveAs::Hold).outcome.ok());
    const QStringList before = dump(db, u"sp"_s) + dump(db, u"cgglz"_s) + dump(db, u"cgglc"_s);
    const documents::Outcome o = management::reverse(db, book(Book::Purchases), u"CGD20240315001"_s);
    QCOMPARE(o.message, u"本单据已经反审！"_s);
    QCOMPARE(o.severity, Severity::Warning);
    QCOMPARE(dump(db, u"sp"_s) + dump(db, u"cgglz"_s) + dump(db, u"cgglc"_s), before);
}

void TestManagement::upgradeAddsTheListIndexes()
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(schema::databaseFileName());
    QVERIFY(!schema::createDatabaseFile(file));
    QStringList added;
    for (const QString &table : {u"xsglz"_s, u"cgglz"_s, u"rkglz"_s})
        added << table + u"_state"_s << table + u"_state_id"_s << table + u"_rq"_s;
    {
        // A file of the version before: none of the lists' indexes, some documents.
        TDM1 dm(dir.path());
        QVERIFY(!dm.open());
        QSqlDatabase db = dm.ADOC1();
        QCOMPARE(post(db, retail(), u"XSD20240315001"_s, u"A 1 4"_s, u"甲"_s), QString());
        QCOMPARE(post(db, purchase(), u"CGD20240315001"_s, u"A 1 2"_s, u"厂"_s), QString());
        QCOMPARE(addLines(db, movement(), u"YDD20240315001"_s, u"A 1 2"_s), QString());
        QVERIFY(save(db, movement(), u"YDD20240315001"_s, u"盘盈"_s, SaveAs::Hold).outcome.ok());
        for (const QString &index : added)
            sql::exec(db, u"DROP INDEX "_s + index);
        sql::exec(db, u"PRAGMA user_version = 3"_s);
    }
    TDM1 dm(dir.path());
    QVERIFY(!dm.open());
    QSqlDatabase db = dm.ADOC1();
    QCOMPARE(sql::scalar(db, u"PRAGMA user_version"_s).toInt(), schema::SchemaVersion);
    for (const QString &index : added)
        QVERIFY2(sql::exists(db, u"SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?"_s, {index}),
                 qPrintable(index));
    QCOMPARE(count(db, u"xsglz"_s) + count(db, u"cgglz"_s) + count(db, u"rkglz"_s), 3);
    QCOMPARE(count(db, u"xsfx"_s) + count(db, u"cgfx"_s) + count(db, u"xsglc"_s) + count(db, u"rkglc"_s), 4);
    QCOMPARE(sql::scalar(db, u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
    QCOMPARE(numbers(db, management::heldList(book(Book::Movements))), QStringList(u"YDD20240315001"_s));
}

void TestManagement::listsUseTheirIndexes()
{
    FreshShop shop;
    auto db = shop.db();
    const auto plan = [&db](const QString &statement, const sql::Binds &binds) {
        sql::Query q = sql::exec(db, u"EXPLAIN QUERY PLAN "_s + statement, binds);
        QStringList steps;
        while (q.next())
            steps << q.value(3).toString();
        return steps.join(u" | "_s);
    };
    for (Book b : {Book::Sales, Book::Purchases, Book::Movements}) {
        const auto &d = book(b);
        // The held documents by number: read in the index's order, no sorting.
        const ListQuery held = management::heldList(d);
        const QString page = plan(held.statement(held.order()) + u" LIMIT 200 OFFSET 0"_s, held.binds());
        QVERIFY2(page.contains(d.headerTable + u"_state"_s) && !page.contains(u"TEMP B-TREE"_s), qPrintable(page));
        // Every document, or those of one state, in the order of entry: no
        // sorting either.
        for (State state : {State::All, State::Posted}) {
            Filter f;
            f.state = state;
            f.owedOnly = true;
            const ListQuery all = management::filteredList(d, f);
            const QString whole = plan(all.statement(all.order()) + u" LIMIT 200 OFFSET 0"_s, all.binds());
            QVERIFY2(!whole.contains(u"TEMP B-TREE"_s), qPrintable(whole));
        }
        // A date range reads the date index.
        Filter dated;
        dated.from = QDate(2024, 3, 1);
        dated.to = QDate(2024, 3, 31);
        const ListQuery range = management::filteredList(d, dated);
        const QString count = plan(u"SELECT COUNT(*) FROM ("_s + range.base() + u") AS q"_s, range.binds());
        QVERIFY2(count.contains(d.headerTable + u"_rq"_s), qPrintable(count));
    }
}

QTEST_GUILESS_MAIN(TestManagement)
#include "tst_management.moc"
