// The stock tools of the inventory list without windows: zeroing the listed
// rows, unit conversion, assembly and splitting with their recipes, each all
// or nothing when a statement fails part-way.
#include "TestSupport.h"

#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/Udm1.h"
#include "core/masterdata/Goods.h"
#include "core/stock/StockTools.h"

#include <QDir>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using namespace stocktools;

namespace {

qint64 units(const char *text)
{
    return Decimal::parse(QString::fromLatin1(text)).units();
}

// A goods row with its stock as given (kcje as given, not recomputed).
qint64 addRow(QSqlDatabase db, const QString &lb, const QString &txm, const QString &ppgg,
              const QString &dw, const char *kcsl, const char *kcjg, const char *kcje)
{
    return sql::exec(db,
                     u"INSERT INTO sp (lb, txm, ppgg, dw, kcsl, kcjg, kcje) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                     {lb, txm, ppgg, dw, units(kcsl), units(kcjg), units(kcje)})
        .lastInsertId()
        .toLongLong();
}

struct StockRow {
    QString kcsl, kcjg, kcje;
};

StockRow stockOf(QSqlDatabase db, qint64 id)
{
    sql::Query q = sql::exec(db, u"SELECT kcsl, kcjg, kcje FROM sp WHERE id = ?"_s, {id});
    if (!q.next())
        return {};
    return {Decimal::fromUnits(q.toLongLong(0)).toShortest(),
            Decimal::fromUnits(q.toLongLong(1)).toShortest(),
            Decimal::fromUnits(q.toLongLong(2)).toShortest()};
}

// Every goods row's stock, for "nothing changed".
QStringList allStock(QSqlDatabase db)
{
    QStringList out;
    sql::Query q = sql::exec(db, u"SELECT id, kcsl, kcjg, kcje FROM sp ORDER BY id"_s);
    while (q.next())
        out << u"%1:%2/%3/%4"_s.arg(q.toLongLong(0)).arg(q.toLongLong(1)).arg(q.toLongLong(2)).arg(
                   q.toLongLong(3));
    return out;
}

QStringList recipeRows(QSqlDatabase db, const QString &table)
{
    QStringList out;
    sql::Query q = sql::exec(db, u"SELECT spid1, spid2, xs, sl FROM "_s + table + u" ORDER BY id"_s);
    while (q.next())
        out << u"%1>%2 xs%3 sl%4"_s.arg(q.toLongLong(0))
                   .arg(q.toLongLong(1))
                   .arg(Decimal::fromUnits(q.toLongLong(2)).toShortest())
                   .arg(Decimal::fromUnits(q.toLongLong(3)).toShortest());
    return out;
}

// A statement that fails when a goods row of that id is written: a fault in
// the middle of a tool's work.
void failWhenWritten(QSqlDatabase db, qint64 id)
{
    sql::exec(db, u"CREATE TEMP TRIGGER fault AFTER UPDATE ON sp WHEN new.id = %1"
                  " BEGIN SELECT RAISE(ABORT, 'injected fault'); END"_s.arg(id));
}

const RecipeDescriptor &assembly()
{
    return recipeDescriptor(RecipeKind::Assembly);
}
const RecipeDescriptor &splitting()
{
    return recipeDescriptor(RecipeKind::Splitting);
}

}  // namespace

class TestStockTools : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void zeroingTakesExactlyTheListedRows_data();
    void zeroingTakesExactlyTheListedRows();
    void zeroingFailingPartWayChangesNothing();

    void conversionValuesEachSideAtItsOwnPrice_data();
    void conversionValuesEachSideAtItsOwnPrice();
    void conversionIsCheckedInOrder_data();
    void conversionIsCheckedInOrder();
    void conversionFindsTheFirstRowOfTheTarget();
    void conversionFailingPartWayChangesNothing();

    void kitOfScrewsAndNuts();
    void changingTheQuantityRewritesTheRecipe();
    void runWritesTheQuantitiesItUses();
    void addingIsCheckedInOrder_data();
    void addingIsCheckedInOrder();
    void removingTakesOneRowOfThisWholeOnly();
    void splittingThreeWholesOfTwelve();
    void partsAreFoundByTheirIds();
    void deletedPartIsSkippedAndDeletedWholeRefused();
    void runFailingPartWayChangesNothing();
    void decimalQuantitiesAndTexts_data();
    void decimalQuantitiesAndTexts();

    void olderFileGetsTheStockIndexes();
    void totalsOfACategoryReadTheIndexAlone();
};

// ---- Zeroing ----------------------------------------------------------------------

void TestStockTools::zeroingTakesExactlyTheListedRows_data()
{
    QTest::addColumn<int>("which");  // 0 one category, 1 everything, 2 a query, 3 quoted name
    QTest::addColumn<QStringList>("zeroed");  // names of the rows zeroed
    QTest::newRow("category") << 0 << QStringList{u"螺丝"_s, u"螺母"_s};
    QTest::newRow("everything") << 1 << QStringList{u"螺丝"_s, u"螺母"_s, u"扳手"_s, u"Bob's 锤"_s};
    QTest::newRow("query: stock above 0 in names with 螺") << 2 << QStringList{u"螺丝"_s};
    QTest::newRow("category with an apostrophe") << 3 << QStringList{u"Bob's 锤"_s};
}

void TestStockTools::zeroingTakesExactlyTheListedRows()
{
    QFETCH(int, which);
    QFETCH(QStringList, zeroed);
    FreshShop shop;
    QSqlDatabase db = shop.db();
    addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "100", "0.3", "30");
    addRow(db, u"紧固件"_s, u"LM"_s, u"螺母"_s, u"个"_s, "-5", "0.2", "-1");
    addRow(db, u"五金工具"_s, u"BS"_s, u"扳手"_s, u"把"_s, "7", "12.5", "87.5");
    addRow(db, u"Bob's 工具"_s, u"CZ"_s, u"Bob's 锤"_s, u"把"_s, "3", "20", "60");

    goods::Filter f;
    switch (which) {
    case 0: f = goods::inCategory(u"紧固件"_s); break;
    case 1: f = goods::inCategory(QString()); break;
    case 2: f = goods::matching({QString(), QString(), u"螺"_s, goods::Stock::Positive}); break;
    case 3: f = goods::inCategory(u"Bob's 工具"_s); break;
    }
    const Zeroed z = zeroListed(db, f);
    QVERIFY2(z.outcome.ok(), qPrintable(z.outcome.message));
    QCOMPARE(z.zeroed, qint64(zeroed.size()));

    sql::Query q = sql::exec(db, u"SELECT ppgg, kcsl, kcjg, kcje FROM sp ORDER BY id"_s);
    const QHash<QString, qint64> priceBefore{{u"螺丝"_s, units("0.3")}, {u"螺母"_s, units("0.2")},
                                             {u"扳手"_s, units("12.5")}, {u"Bob's 锤"_s, units("20")}};
    while (q.next()) {
        const QString name = q.text(0);
        QCOMPARE(q.toLongLong(2), priceBefore.value(name));  // kcjg always stays
        if (zeroed.contains(name)) {
            QCOMPARE(q.toLongLong(1), qint64(0));
            QCOMPARE(q.toLongLong(3), qint64(0));
        } else {
            QVERIFY2(q.toLongLong(1) != 0, qPrintable(name + u" was zeroed"_s));
        }
    }
    // The totals of the list are 0 afterwards.
    const goods::StockTotals t = goods::stockTotals(db, f);
    QVERIFY(t.quantity.isZero() && t.value.isZero());
}

void TestStockTools::zeroingFailingPartWayChangesNothing()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    addRow(db, u"紧固件"_s, u"A"_s, u"甲"_s, u"个"_s, "1", "1", "1");
    addRow(db, u"紧固件"_s, u"B"_s, u"乙"_s, u"个"_s, "2", "1", "2");
    const qint64 third = addRow(db, u"紧固件"_s, u"C"_s, u"丙"_s, u"个"_s, "3", "1", "3");
    addRow(db, u"紧固件"_s, u"D"_s, u"丁"_s, u"个"_s, "4", "1", "4");
    const QStringList before = allStock(db);
    failWhenWritten(db, third);

    const Zeroed z = zeroListed(db, goods::inCategory(u"紧固件"_s));
    QVERIFY(!z.outcome.ok());
    QCOMPARE(z.outcome.severity, Severity::Error);
    QVERIFY2(z.outcome.message.contains(u"injected fault"_s), qPrintable(z.outcome.message));
    QCOMPARE(z.zeroed, qint64(0));
    QCOMPARE(allStock(db), before);
}

// ---- Conversion --------------------------------------------------------------------

void TestStockTools::conversionValuesEachSideAtItsOwnPrice_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("sourceAfter");  // kcsl/kcjg/kcje
    QTest::addColumn<QString>("targetAfter");
    // The source: 10 boxes at 60.00 (600.00). The target, when it exists:
    // 5 pieces at 5.50 (27.50).
    QTest::newRow("2 boxes x 12 into pieces") << u"12"_s << u"2"_s << true << u"24.00"_s
                                              << u"8/60/480"_s << u"29/5.5/159.5"_s;
    QTest::newRow("into a new row of 未知, priced 0") << u"12"_s << u"2"_s << false << u"24.00"_s
                                                    << u"8/60/480"_s << u"24/0/0"_s;
    QTest::newRow("more than the stock: the source goes negative")
        << u"12"_s << u"15"_s << true << u"180.00"_s << u"-5/60/-300"_s << u"185/5.5/1017.5"_s;
    QTest::newRow("texts past two decimals are taken in 0.00 form")
        << u"0.125"_s << u"2.345"_s << true << u"0.28"_s << u"7.66/60/459.6"_s
        << u"5.28/5.5/29.04"_s;  // 0.12 x 2.34 = 0.2808
}

void TestStockTools::conversionValuesEachSideAtItsOwnPrice()
{
    QFETCH(QString, base);
    QFETCH(QString, quantity);
    QFETCH(bool, targetExists);
    QFETCH(QString, total);
    QFETCH(QString, sourceAfter);
    QFETCH(QString, targetAfter);
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const qint64 source = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"盒"_s, "10", "60", "600");
    if (targetExists)
        addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "5", "5.5", "27.5");

    QCOMPARE(conversionTotal(quantity, base).toFixed2(), total);
    const Converted c = convert(db, {source, u"盒"_s, u"LS"_s, u"螺丝"_s, u"个"_s, base, quantity});
    QVERIFY2(c.outcome.ok(), qPrintable(c.outcome.message));
    const StockRow s = stockOf(db, source);
    QCOMPARE(s.kcsl + u'/' + s.kcjg + u'/' + s.kcje, sourceAfter);
    const StockRow t = stockOf(db, c.targetId);
    QCOMPARE(t.kcsl + u'/' + t.kcjg + u'/' + t.kcje, targetAfter);
    QCOMPARE(sql::scalar(db, u"SELECT lb FROM sp WHERE id = ?"_s, {c.targetId}).toString(),
             targetExists ? u"紧固件"_s : u"未知"_s);
    // The list then shows the target only.
    const Snapshot listed = Snapshot::fetch(db, goods::listStatement(c.target), c.target.binds);
    QCOMPARE(listed.rowCount(), 1);
    QCOMPARE(listed.value(0, u"id"_s).toLongLong(), c.targetId);
    // No document, ledger or movement row.
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM rkfx"_s).toInt(), 0);
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM rkglz"_s).toInt(), 0);
}

void TestStockTools::conversionIsCheckedInOrder_data()
{
    QTest::addColumn<QString>("sourceStock");
    QTest::addColumn<QString>("targetName");
    QTest::addColumn<QString>("targetUnit");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    QTest::addColumn<bool>("closes");
    using F = ConversionField;
    QTest::newRow("source stock 0 comes first and closes")
        << u"0"_s << QString() << u"盒"_s << u"0"_s << u"0"_s << u"当前商品数量为0，不可换算！"_s
        << int(F::None) << true;
    QTest::newRow("no target (a code matching none or several)")
        << u"10"_s << u"  "_s << u"个"_s << u"0"_s << u"0"_s << u"换算商品不可为空！"_s
        << int(F::TargetName) << false;
    QTest::newRow("same unit, whatever the codes") << u"10"_s << u"螺钉"_s << u" 盒 "_s << u"0"_s
                                                   << u"0"_s << u"计量单位相同，不可转换！"_s
                                                   << int(F::SourceUnit) << false;
    QTest::newRow("base 0") << u"10"_s << u"螺钉"_s << u"个"_s << u"0.00"_s << u"0"_s
                            << u"换算基数不可为0！"_s << int(F::Base) << false;
    QTest::newRow("quantity 0") << u"10"_s << u"螺钉"_s << u"个"_s << u"12"_s << u"0"_s
                                << u"换算数量不可为0"_s << int(F::Quantity) << false;
    QTest::newRow("a lone point is no number") << u"10"_s << u"螺钉"_s << u"个"_s << u"."_s
                                               << u"1"_s << u"换算基数不是有效的数字！"_s
                                               << int(F::Base) << false;
    QTest::newRow("a quantity of 0.004 is 0.00") << u"10"_s << u"螺钉"_s << u"个"_s << u"12"_s
                                                 << u"0.004"_s << u"换算数量不可为0"_s
                                                 << int(F::Quantity) << false;
}

void TestStockTools::conversionIsCheckedInOrder()
{
    QFETCH(QString, sourceStock);
    QFETCH(QString, targetName);
    QFETCH(QString, targetUnit);
    QFETCH(QString, base);
    QFETCH(QString, quantity);
    QFETCH(QString, message);
    QFETCH(int, focus);
    QFETCH(bool, closes);
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const QByteArray stock = sourceStock.toLatin1();
    const qint64 source =
        addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"盒"_s, stock.constData(), "60", "0");
    // The target of the same unit has another code: the units decide.
    addRow(db, u"紧固件"_s, u"LD"_s, u"螺钉"_s, u"盒"_s, "1", "1", "1");
    const QStringList before = allStock(db);

    const Converted c =
        convert(db, {source, u"盒"_s, u"LD"_s, targetName, targetUnit, base, quantity});
    QCOMPARE(c.outcome.message, message);
    QCOMPARE(c.outcome.severity, Severity::Info);
    QCOMPARE(int(c.outcome.focus), focus);
    QCOMPARE(c.closeWindow, closes);
    QCOMPARE(allStock(db), before);
}

void TestStockTools::conversionFindsTheFirstRowOfTheTarget()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const qint64 source = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"盒"_s, "1", "10", "10");
    const qint64 first = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "0", "1", "0");
    const qint64 second = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "0", "1", "0");
    // Another code or name with the same unit is not the target.
    const qint64 other = addRow(db, u"紧固件"_s, u"LS2"_s, u"螺丝"_s, u"个"_s, "0", "1", "0");
    const Converted c = convert(db, {source, u"盒"_s, u"LS"_s, u"螺丝"_s, u"个"_s, u"10"_s, u"1"_s});
    QVERIFY(c.outcome.ok());
    QCOMPARE(c.targetId, first);
    QCOMPARE(stockOf(db, first).kcsl, u"10"_s);
    QCOMPARE(stockOf(db, second).kcsl, u"0"_s);
    QCOMPARE(stockOf(db, other).kcsl, u"0"_s);
}

void TestStockTools::conversionFailingPartWayChangesNothing()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const qint64 source = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"盒"_s, "10", "60", "600");
    const qint64 target = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "5", "5", "25");
    const QStringList before = allStock(db);
    // The source is written first, then the target fails.
    failWhenWritten(db, target);
    const Converted c = convert(db, {source, u"盒"_s, u"LS"_s, u"螺丝"_s, u"个"_s, u"12"_s, u"2"_s});
    QCOMPARE(c.outcome.severity, Severity::Error);
    QVERIFY(c.outcome.message.contains(u"injected fault"_s));
    QCOMPARE(allStock(db), before);

    // And when the target is a new row, a failing insert leaves the source too.
    sql::exec(db, u"DROP TRIGGER fault"_s);
    sql::exec(db, u"CREATE TEMP TRIGGER fault AFTER INSERT ON sp"
                  " BEGIN SELECT RAISE(ABORT, 'injected fault'); END"_s);
    const Converted n = convert(db, {source, u"盒"_s, u"NEW"_s, u"新件"_s, u"个"_s, u"12"_s, u"2"_s});
    QCOMPARE(n.outcome.severity, Severity::Error);
    QCOMPARE(allStock(db), before);
}

// ---- Assembly and splitting ---------------------------------------------------------

void TestStockTools::kitOfScrewsAndNuts()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const qint64 kit = addRow(db, u"紧固件"_s, u"KIT"_s, u"螺栓套装"_s, u"套"_s, "1", "3", "3");
    const qint64 screw = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "15", "0.35", "5.25");
    const qint64 nut = addRow(db, u"紧固件"_s, u"LM"_s, u"螺母"_s, u"个"_s, "100", "0.2", "20");

    QVERIFY(addPart(db, assembly(), kit, u"10"_s, screw, u"2"_s).ok());
    QVERIFY(addPart(db, assembly(), kit, u"10"_s, nut, u"1"_s).ok());
    const Snapshot recipe = Snapshot::fetch(db, recipeStatement(assembly()), {kit});
    QCOMPARE(recipe.rowCount(), 2);
    QCOMPARE(recipe.value(0, u"ppgg"_s).toString(), u"螺丝"_s);
    QCOMPARE(Decimal::fromUnits(recipe.value(0, u"kc"_s).toLongLong()).toShortest(), u"15"_s);
    QCOMPARE(Decimal::fromUnits(recipe.value(0, u"sl"_s).toLongLong()).toShortest(), u"20"_s);
    QCOMPARE(Decimal::fromUnits(recipe.value(1, u"sl"_s).toLongLong()).toShortest(), u"10"_s);

    const RecipeOutcome o = run(db, assembly(), kit, u"10"_s);
    QVERIFY2(o.ok(), qPrintable(o.message));
    const StockRow k = stockOf(db, kit), s = stockOf(db, screw), n = stockOf(db, nut);
    QCOMPARE(k.kcsl + u'/' + k.kcje, u"11/33"_s);
    // More screws used than held: the stock goes negative, valued at its price.
    QCOMPARE(s.kcsl + u'/' + s.kcje, u"-5/-1.75"_s);
    QCOMPARE(n.kcsl + u'/' + n.kcje, u"90/18"_s);
    QCOMPARE(s.kcjg, u"0.35"_s);
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM rkfx"_s).toInt(), 0);
}

void TestStockTools::changingTheQuantityRewritesTheRecipe()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const qint64 kit = addRow(db, u"紧固件"_s, u"KIT"_s, u"套装"_s, u"套"_s, "0", "1", "0");
    const qint64 other = addRow(db, u"紧固件"_s, u"KIT2"_s, u"另一套装"_s, u"套"_s, "0", "1", "0");
    const qint64 screw = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "0", "1", "0");
    const qint64 nut = addRow(db, u"紧固件"_s, u"LM"_s, u"螺母"_s, u"个"_s, "0", "1", "0");
    QVERIFY(addPart(db, assembly(), kit, u"10"_s, screw, u"2"_s).ok());
    QVERIFY(addPart(db, assembly(), kit, u"10"_s, nut, u"1.5"_s).ok());
    QVERIFY(addPart(db, assembly(), other, u"10"_s, screw, u"3"_s).ok());

    QVERIFY(setQuantity(db, assembly(), kit, u"5"_s).ok());
    QCOMPARE(recipeRows(db, u"zu"_s),
             (QStringList{u"%1>%2 xs2 sl10"_s.arg(kit).arg(screw),
                          u"%1>%2 xs1.5 sl7.5"_s.arg(kit).arg(nut),
                          u"%1>%2 xs3 sl30"_s.arg(other).arg(screw)}));
    // Not a number: nothing written.
    const RecipeOutcome bad = setQuantity(db, assembly(), kit, u"."_s);
    QCOMPARE(bad.message, u"组装数量不是有效的数字！"_s);
    QCOMPARE(recipeRows(db, u"zu"_s).at(0), u"%1>%2 xs2 sl10"_s.arg(kit).arg(screw));
}

void TestStockTools::runWritesTheQuantitiesItUses()
{
    // A recipe entered for 10 and run for 1 takes the parts of one whole.
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const qint64 kit = addRow(db, u"紧固件"_s, u"KIT"_s, u"套装"_s, u"套"_s, "0", "1", "0");
    const qint64 screw = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "100", "1", "100");
    QVERIFY(addPart(db, assembly(), kit, u"10"_s, screw, u"2"_s).ok());
    QVERIFY(run(db, assembly(), kit, u"1"_s).ok());
    QCOMPARE(stockOf(db, kit).kcsl, u"1"_s);
    QCOMPARE(stockOf(db, screw).kcsl, u"98"_s);
    QCOMPARE(recipeRows(db, u"zu"_s), QStringList{u"%1>%2 xs2 sl2"_s.arg(kit).arg(screw)});
}

void TestStockTools::addingIsCheckedInOrder_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("withWhole");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<int>("part");  // 0 none, 1 a part, 2 the whole itself
    QTest::addColumn<QString>("coefficient");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    using F = RecipeField;
    const int a = int(RecipeKind::Assembly), s = int(RecipeKind::Splitting);
    QTest::newRow("assembly: no whole") << a << false << u"0"_s << 0 << u"0"_s
                                        << u"组装而成的整件不可为空！"_s << int(F::WholeCode);
    QTest::newRow("assembly: quantity 0") << a << true << u"0"_s << 0 << u"0"_s
                                          << u"组装数量不可为零！"_s << int(F::Quantity);
    QTest::newRow("assembly: no part") << a << true << u"1"_s << 0 << u"0"_s
                                       << u"组装所需的零件不可为空！"_s << int(F::PartCode);
    QTest::newRow("assembly: part = whole") << a << true << u"1"_s << 2 << u"0"_s
                                            << u"零件不可跟整件相同！"_s << int(F::PartCode);
    QTest::newRow("assembly: coefficient 0") << a << true << u"1"_s << 1 << u"0"_s
                                             << u"组装系数不可为零！"_s << int(F::Coefficient);
    QTest::newRow("splitting: no whole") << s << false << u"1"_s << 1 << u"2"_s
                                         << u"拆分所需的整件不可为空！"_s << int(F::WholeCode);
    QTest::newRow("splitting: quantity 0") << s << true << u"0.00"_s << 1 << u"2"_s
                                           << u"拆分数量不可为零！"_s << int(F::Quantity);
    QTest::newRow("splitting: no part") << s << true << u"1"_s << 0 << u"2"_s
                                        << u"拆分而成的零件不可为空！"_s << int(F::PartCode);
    QTest::newRow("splitting: part = whole") << s << true << u"1"_s << 2 << u"2"_s
                                             << u"零件不可跟整件相同！"_s << int(F::PartCode);
    QTest::newRow("splitting: coefficient 0") << s << true << u"1"_s << 1 << u""_s
                                              << u"拆分系数不可为零！"_s << int(F::Coefficient);
}

void TestStockTools::addingIsCheckedInOrder()
{
    QFETCH(int, kind);
    QFETCH(bool, withWhole);
    QFETCH(QString, quantity);
    QFETCH(int, part);
    QFETCH(QString, coefficient);
    QFETCH(QString, message);
    QFETCH(int, focus);
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const RecipeDescriptor &d = recipeDescriptor(RecipeKind(kind));
    const qint64 whole = addRow(db, u"紧固件"_s, u"KIT"_s, u"套装"_s, u"套"_s, "0", "1", "0");
    const qint64 screw = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "0", "1", "0");
    const qint64 partId = part == 0 ? 0 : part == 1 ? screw : whole;
    const RecipeOutcome o =
        addPart(db, d, withWhole ? whole : 0, quantity, partId, coefficient);
    QCOMPARE(o.message, message);
    QCOMPARE(int(o.focus), focus);
    QCOMPARE(o.severity, Severity::Info);
    QCOMPARE(partCount(db, d, whole), 0);
}

void TestStockTools::removingTakesOneRowOfThisWholeOnly()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const qint64 kit = addRow(db, u"紧固件"_s, u"KIT"_s, u"套装"_s, u"套"_s, "0", "1", "0");
    const qint64 other = addRow(db, u"紧固件"_s, u"KIT2"_s, u"另一套装"_s, u"套"_s, "0", "1", "0");
    const qint64 screw = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "0", "1", "0");
    QVERIFY(addPart(db, splitting(), kit, u"1"_s, screw, u"2"_s).ok());
    QVERIFY(addPart(db, splitting(), kit, u"1"_s, screw, u"3"_s).ok());  // the same part twice
    QVERIFY(addPart(db, splitting(), other, u"1"_s, screw, u"4"_s).ok());

    QVERIFY(removePart(db, splitting(), kit, screw).ok());
    QCOMPARE(recipeRows(db, u"chai"_s),
             (QStringList{u"%1>%2 xs3 sl3"_s.arg(kit).arg(screw),
                          u"%1>%2 xs4 sl4"_s.arg(other).arg(screw)}));
    QVERIFY(removePart(db, splitting(), kit, screw).ok());
    const RecipeOutcome none = removePart(db, splitting(), kit, screw);
    QCOMPARE(none.message, u"当前无数据，不可删除！"_s);
    QCOMPARE(none.severity, Severity::Warning);
    QCOMPARE(recipeRows(db, u"chai"_s), QStringList{u"%1>%2 xs4 sl4"_s.arg(other).arg(screw)});
    // The assembly recipes are another table.
    QCOMPARE(partCount(db, assembly(), other), 0);
}

void TestStockTools::splittingThreeWholesOfTwelve()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const qint64 box = addRow(db, u"紧固件"_s, u"BOX"_s, u"螺丝"_s, u"盒"_s, "5", "24", "120");
    const qint64 piece = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "4", "2.5", "10");
    QVERIFY(addPart(db, splitting(), box, u"1"_s, piece, u"12"_s).ok());
    const RecipeOutcome empty = run(db, splitting(), piece, u"3"_s);
    QCOMPARE(empty.message, u"零件不可为空！"_s);  // the piece has no recipe of its own
    QVERIFY(run(db, splitting(), box, u"3"_s).ok());
    const StockRow b = stockOf(db, box), p = stockOf(db, piece);
    QCOMPARE(b.kcsl + u'/' + b.kcje, u"2/48"_s);
    QCOMPARE(p.kcsl + u'/' + p.kcje, u"40/100"_s);
}

void TestStockTools::partsAreFoundByTheirIds()
{
    // Two goods rows of the same name, code and unit: the recipe's one moves.
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const qint64 kit = addRow(db, u"紧固件"_s, u"KIT"_s, u"套装"_s, u"套"_s, "0", "1", "0");
    const qint64 twinA = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "50", "1", "50");
    const qint64 twinB = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "50", "2", "100");
    QVERIFY(addPart(db, assembly(), kit, u"1"_s, twinB, u"4"_s).ok());
    QVERIFY(run(db, assembly(), kit, u"2"_s).ok());
    QCOMPARE(stockOf(db, twinA).kcsl, u"50"_s);
    QCOMPARE(stockOf(db, twinB).kcsl + u'/' + stockOf(db, twinB).kcje, u"42/84"_s);
}

void TestStockTools::deletedPartIsSkippedAndDeletedWholeRefused()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const qint64 kit = addRow(db, u"紧固件"_s, u"KIT"_s, u"套装"_s, u"套"_s, "0", "1", "0");
    const qint64 gone = addRow(db, u"紧固件"_s, u"GONE"_s, u"旧零件"_s, u"个"_s, "9", "1", "9");
    const qint64 nut = addRow(db, u"紧固件"_s, u"LM"_s, u"螺母"_s, u"个"_s, "9", "1", "9");
    QVERIFY(addPart(db, assembly(), kit, u"1"_s, gone, u"1"_s).ok());
    QVERIFY(addPart(db, assembly(), kit, u"1"_s, nut, u"1"_s).ok());
    QVERIFY(goods::remove(db, gone).ok());
    // The list shows the gone part with empty texts.
    const Snapshot recipe = Snapshot::fetch(db, recipeStatement(assembly()), {kit});
    QCOMPARE(recipe.rowCount(), 2);
    QCOMPARE(recipe.value(0, u"ppgg"_s).toString(), QString());
    QVERIFY(run(db, assembly(), kit, u"3"_s).ok());
    QCOMPARE(stockOf(db, kit).kcsl, u"3"_s);
    QCOMPARE(stockOf(db, nut).kcsl, u"6"_s);

    QVERIFY(goods::remove(db, kit).ok());
    const QStringList before = allStock(db);
    const RecipeOutcome o = run(db, assembly(), kit, u"1"_s);
    QCOMPARE(o.message, u"组装而成的整件不可为空！"_s);
    QCOMPARE(allStock(db), before);
}

void TestStockTools::runFailingPartWayChangesNothing()
{
    // A kit of 20 parts whose 15th part cannot be written.
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const qint64 kit = addRow(db, u"紧固件"_s, u"KIT"_s, u"套装"_s, u"套"_s, "1", "1", "1");
    qint64 failing = 0;
    for (int i = 0; i < 20; ++i) {
        const qint64 part = addRow(db, u"紧固件"_s, u"P%1"_s.arg(i), u"零件%1"_s.arg(i), u"个"_s,
                                   "100", "1", "100");
        QVERIFY(addPart(db, splitting(), kit, u"1"_s, part, u"2"_s).ok());
        if (i == 14)
            failing = part;
    }
    const QStringList stock = allStock(db);
    const QStringList recipe = recipeRows(db, u"chai"_s);
    failWhenWritten(db, failing);
    const RecipeOutcome o = run(db, splitting(), kit, u"3"_s);
    QCOMPARE(o.severity, Severity::Error);
    QVERIFY(o.message.contains(u"injected fault"_s));
    QCOMPARE(allStock(db), stock);
    QCOMPARE(recipeRows(db, u"chai"_s), recipe);  // the quantities were not written either
}

void TestStockTools::decimalQuantitiesAndTexts_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("coefficient");
    QTest::addColumn<QString>("wholeAfter");
    QTest::addColumn<QString>("partAfter");
    QTest::newRow("whole numbers") << u"2"_s << u"3"_s << u"12"_s << u"94"_s;
    QTest::newRow("decimal quantity and coefficient") << u"1.5"_s << u"0.25"_s << u"11.5"_s
                                                      << u"99.625"_s;
    QTest::newRow("past two decimals: 0.00 form") << u"1.005"_s << u"2.555"_s << u"11"_s
                                                  << u"97.44"_s;
}

void TestStockTools::decimalQuantitiesAndTexts()
{
    QFETCH(QString, quantity);
    QFETCH(QString, coefficient);
    QFETCH(QString, wholeAfter);
    QFETCH(QString, partAfter);
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const qint64 kit = addRow(db, u"紧固件"_s, u"KIT"_s, u"套装"_s, u"套"_s, "10", "1", "10");
    const qint64 part = addRow(db, u"紧固件"_s, u"LS"_s, u"螺丝"_s, u"个"_s, "100", "1", "100");
    QVERIFY(addPart(db, assembly(), kit, quantity, part, coefficient).ok());
    QVERIFY(run(db, assembly(), kit, quantity).ok());
    QCOMPARE(stockOf(db, kit).kcsl, wholeAfter);
    QCOMPARE(stockOf(db, part).kcsl, partAfter);
}

// ---- Schema ----------------------------------------------------------------------------

void TestStockTools::olderFileGetsTheStockIndexes()
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(schema::databaseFileName());
    QVERIFY(!schema::createDatabaseFile(file));
    const QStringList indexes{u"sp_lb_stock"_s, u"zu_whole"_s, u"chai_whole"_s};
    {
        TDM1 dm(dir.path());
        QVERIFY(!dm.open());
        for (const QString &i : indexes)
            sql::exec(dm.ADOC1(), u"DROP INDEX "_s + i);
        sql::exec(dm.ADOC1(), u"PRAGMA user_version = 6"_s);
    }
    TDM1 dm(dir.path());
    QVERIFY(!dm.open());
    QCOMPARE(sql::scalar(dm.ADOC1(), u"PRAGMA user_version"_s).toInt(), schema::SchemaVersion);
    for (const QString &i : indexes)
        QVERIFY2(sql::exists(dm.ADOC1(),
                             u"SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?"_s, {i}),
                 qPrintable(i));
}

void TestStockTools::totalsOfACategoryReadTheIndexAlone()
{
    FreshShop shop;
    QSqlDatabase db = shop.db();
    const ListQuery list = goods::listQuery(goods::inCategory(u"紧固件"_s));
    const QString plan = queryPlan(
        db, u"SELECT sum(kcsl), sum(kcje) FROM ("_s + list.base() + u") AS q"_s, list.binds());
    QVERIFY2(plan.contains(u"COVERING INDEX sp_lb_stock"_s), qPrintable(plan));
    const QString zeroing = queryPlan(db, u"UPDATE sp SET kcsl = 0, kcje = 0 WHERE lb = ?"_s,
                                      {u"紧固件"_s});
    QVERIFY2(zeroing.contains(u"INDEX"_s), qPrintable(zeroing));
}

QTEST_GUILESS_MAIN(TestStockTools)
#include "tst_stocktools.moc"
