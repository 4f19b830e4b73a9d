// The statistics with their filters on a top panel: the employees'
// commissions and the goods' purchases, sales and movements, computed from
// hand-made ledgers; then their two windows (opening, the messages before and
// after "统计", the sums, the red rows, Enter, the menu) and their printed
// forms read back from the PDF.
#include "DocumentFixtures.h"
#include "TestSupport.h"

#include "app/Umain1.h"
#include "core/reports/Statistics.h"
#include "report/ReportLayout.h"
#include "report/forms/Udykctj1.h"
#include "report/forms/Udyxstj3.h"
#include "ui/ChildWindows.h"
#include "ui/ListGrid.h"
#include "windows/sales/Uxstj3.h"
#include "windows/stock/Ukctj1.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using statistics::DateRange;

namespace {

const QDate kToday{2024, 3, 15};

// Each statistic read both ways: as its statement and by walking the ledgers.
constexpr statistics::Way kWays[] = {statistics::Way::Statement, statistics::Way::Walk};

qint64 units(const QString &text)
{
    return Decimal::parse(text).units();
}

// A goods row "txm ppgg dw" with its quantity and amount commission rates.
void goods(const QSqlDatabase &db, const QString &txm, const QString &ppgg, const QString &dw,
           const QString &slt = u"0"_s, const QString &jet = u"0"_s)
{
    sql::exec(db,
              u"INSERT INTO sp (lb, txm, ppgg, dw, slt, jet) VALUES ('五金工具', ?, ?, ?, ?, ?)"_s,
              {txm, ppgg, dw, units(slt), units(jet)});
}

// A ledger row of cgfx, xsfx or rkfx as posting writes it.
void ledger(const QSqlDatabase &db, const QString &table, const QString &rq, const QString &jsr,
            const QString &txm, const QString &ppgg, const QString &dw, const QString &sl,
            const QString &je)
{
    const QString partner = table == u"xsfx"_s ? u"kh"_s : table == u"cgfx"_s ? u"ghs"_s : u"lx"_s;
    sql::exec(db,
              u"INSERT INTO "_s + table + u" (dh, rq, "_s + partner +
                  u", jsr, txm, ppgg, dw, sl, jg, je) VALUES ('D1', ?, '甲', ?, ?, ?, ?, ?, 0, ?)"_s,
              {rq, jsr, txm, ppgg, dw, units(sl), units(je)});
}

void sale(const QSqlDatabase &db, const QString &rq, const QString &jsr, const QString &txm,
          const QString &sl, const QString &je)
{
    ledger(db, u"xsfx"_s, rq, jsr, txm, u"商品"_s + txm, u"个"_s, sl, je);
}

// The rows of a result, "col=value ..." joined by "; ", decimals in their
// shortest form.
QString rowsOf(const Snapshot &rows)
{
    QStringList out;
    for (int r = 0; r < rows.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < rows.columnCount(); ++c)
            cells << rows.displayText(r, c);
        out << cells.join(u' ');
    }
    return out.join(u"; "_s);
}

DateRange range(const QString &from, const QString &to)
{
    if (from.isEmpty())
        return {};
    return {QDate::fromString(from, Qt::ISODate), QDate::fromString(to, Qt::ISODate)};
}

// The commission ledger: 张三 sells 10 of A (数量提成 0.5, 金额提成 0.02) for 200
// and takes 2 back at 40; 张四 sells 1 of B, an article no longer in the
// catalogue, and 3 of C (rates 0.1 and 0.05) for 30; 李四 sells 2 of A for 50
// in April; 王五 only ever sold B.
void commissionLedger(const QSqlDatabase &db)
{
    goods(db, u"A"_s, u"商品A"_s, u"个"_s, u"0.5"_s, u"0.02"_s);
    goods(db, u"C"_s, u"商品C"_s, u"个"_s, u"0.1"_s, u"0.05"_s);
    goods(db, u"D"_s, u"商品D"_s, u"个"_s, u"9"_s, u"0.5"_s);  // never sold
    sale(db, u"2024-03-01"_s, u"张三"_s, u"A"_s, u"10"_s, u"200"_s);
    sale(db, u"2024-03-31"_s, u"张三"_s, u"A"_s, u"-2"_s, u"-40"_s);
    sale(db, u"2024-03-10"_s, u"张四"_s, u"B"_s, u"1"_s, u"100"_s);
    sale(db, u"2024-03-10"_s, u"张四"_s, u"C"_s, u"3"_s, u"30"_s);
    sale(db, u"2024-04-01"_s, u"李四"_s, u"A"_s, u"2"_s, u"50"_s);
    sale(db, u"2024-03-12"_s, u"王五"_s, u"B"_s, u"5"_s, u"500"_s);
}

// The in/out/stock ledger, by article:
//   A 个  bought 10 for 100 (03-01), sold 3 for 45 (03-31), 1 reported lost
//         at -10 (04-01)
//   A 盒  bought 2 for 30 (03-05): the same code in another unit
//   B 个  found 4 worth 8 in a count (02-28)
//   C 个  sold 2 for 10 (03-10), never bought
//   W1 活动扳手 bought 5 for 50 (03-02) and 1 for 10 (05-01)
//   R7 WD-40除锈剂 sold 1 for 12 (03-20)
//   Q O'Neil扳手 bought 1 for 7 (03-03)
// and D in the catalogue with stock but no ledger row.
void stockLedger(const QSqlDatabase &db)
{
    goods(db, u"D"_s, u"商品D"_s, u"个"_s);
    sql::exec(db, u"UPDATE sp SET kcsl = 50000 WHERE txm = 'D'"_s);
    ledger(db, u"cgfx"_s, u"2024-03-01"_s, u"张三"_s, u"A"_s, u"商品A"_s, u"个"_s, u"10"_s, u"100"_s);
    ledger(db, u"xsfx"_s, u"2024-03-31"_s, u"张三"_s, u"A"_s, u"商品A"_s, u"个"_s, u"3"_s, u"45"_s);
    ledger(db, u"rkfx"_s, u"2024-04-01"_s, u"张三"_s, u"A"_s, u"商品A"_s, u"个"_s, u"-1"_s, u"-10"_s);
    ledger(db, u"cgfx"_s, u"2024-03-05"_s, u"张三"_s, u"A"_s, u"商品A"_s, u"盒"_s, u"2"_s, u"30"_s);
    ledger(db, u"rkfx"_s, u"2024-02-28"_s, u"张三"_s, u"B"_s, u"商品B"_s, u"个"_s, u"4"_s, u"8"_s);
    ledger(db, u"xsfx"_s, u"2024-03-10"_s, u"张三"_s, u"C"_s, u"商品C"_s, u"个"_s, u"2"_s, u"10"_s);
    ledger(db, u"cgfx"_s, u"2024-03-02"_s, u"张三"_s, u"W1"_s, u"活动扳手"_s, u"把"_s, u"5"_s, u"50"_s);
    ledger(db, u"cgfx"_s, u"2024-05-01"_s, u"张三"_s, u"W1"_s, u"活动扳手"_s, u"把"_s, u"1"_s, u"10"_s);
    ledger(db, u"xsfx"_s, u"2024-03-20"_s, u"张三"_s, u"R7"_s, u"WD-40除锈剂"_s, u"桶"_s, u"1"_s, u"12"_s);
    ledger(db, u"cgfx"_s, u"2024-03-03"_s, u"张三"_s, u"Q"_s, u"O'Neil扳手"_s, u"把"_s, u"1"_s, u"7"_s);
}

// The form's text as pdftotext reads it from the PDF, runs of blanks made one.
QString printedText(const report::Form &form, const QString &file)
{
    if (const auto error = report::writePdf(form, file)) {
        qWarning("%s", qPrintable(*error));
        return QString();
    }
    QProcess p;
    p.start(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, file, u"-"_s});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput())
        .replace(QRegularExpression(u"[ \\t\\x{3000}]+"_s), u" "_s);
}

QString panels(const ListWindow &w, int count)
{
    QStringList out;
    for (int p = 0; p < count; ++p)
        out << w.panelText(p);
    return out.join(u'|');
}

QColor foreground(const ListGrid *grid, int row)
{
    return grid->model()->index(row, 0).data(Qt::ForegroundRole).value<QColor>();
}

}  // namespace

class TestStatistics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void commissions_data();
    void commissions();
    void commissionsMultiplyEachRow();
    void duplicateGoodsRowsEarnOnceAtTheFirstRowsRates();
    void inOutStock_data();
    void inOutStock();
    void sumsOverTheRows();
    void commissionsBothWaysOnAMixedLedger_data();
    void commissionsBothWaysOnAMixedLedger();
    void walkFailsAsTheStatementDoes();

    void windowsOpenEmpty_data();
    void windowsOpenEmpty();
    void commissionWindowRunsAndSays();
    void stockWindowRunsOnEnterSilently();
    void failedStatisticsCloseTheResult();
    void printedForms();
    void menuOpensBothByPermission();

private:
    WindowContext context() { return {m_shop->dm(), m_session}; }

    std::unique_ptr<FreshShop> m_shop;
    std::unique_ptr<ScriptedMessages> m_messages;
    Session m_session = Session::forOperator(u"系统管理员"_s, {});
};

void TestStatistics::init()
{
    m_shop = std::make_unique<FreshShop>();
    m_messages = std::make_unique<ScriptedMessages>();
}

void TestStatistics::cleanup()
{
    m_messages.reset();
    m_shop.reset();
}

void TestStatistics::commissions_data()
{
    QTest::addColumn<QString>("handler");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("rows");

    // 张三's 5, 4, 9 lowered by his return's 1, 0.8, 1.8; 张四's B earns
    // nothing; 王五, who sold only B, and the unsold D are not listed.
    QTest::newRow("everyone") << u""_s << u""_s << u""_s
                              << u"李四 1 1 2; 张三 4 3.2 7.2; 张四 0.3 1.5 1.8"_s;
    QTest::newRow("part of a name") << u"张"_s << u""_s << u""_s
                                    << u"张三 4 3.2 7.2; 张四 0.3 1.5 1.8"_s;
    // Both ends of the range count.
    QTest::newRow("March") << u""_s << u"2024-03-01"_s << u"2024-03-31"_s
                           << u"张三 4 3.2 7.2; 张四 0.3 1.5 1.8"_s;
    QTest::newRow("only the sale") << u"张三"_s << u"2024-03-01"_s << u"2024-03-30"_s
                                   << u"张三 5 4 9"_s;
    QTest::newRow("only the return") << u"张三"_s << u"2024-03-02"_s << u"2024-03-31"_s
                                     << u"张三 -1 -0.8 -1.8"_s;
    QTest::newRow("April") << u""_s << u"2024-04-01"_s << u"2024-04-01"_s << u"李四 1 1 2"_s;
    QTest::newRow("nobody") << u"赵"_s << u""_s << u""_s << u""_s;
    // Typed characters are themselves, a quote too.
    QTest::newRow("quote") << u"'"_s << u""_s << u""_s << u""_s;
    QTest::newRow("percent") << u"%"_s << u""_s << u""_s << u""_s;
}

void TestStatistics::commissions()
{
    QFETCH(QString, handler);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, rows);
    commissionLedger(m_shop->db());
    for (const auto way : kWays) {
        const Snapshot result = statistics::commissions(m_shop->db(), {handler, range(from, to)}, way);
        QCOMPARE(result.columns(), (QStringList{u"yuangong"_s, u"sltc"_s, u"jetc"_s, u"ztc"_s}));
        QCOMPARE(rowsOf(result), rows);
    }
}

// Each row's products are rounded, ties to even, before they are summed:
// two halves of a unit at 0.0001 earn 0 each, not 0.0001 together; 2.5 units
// earn 0.0002; an amount of 0.25 at 0.0002 earns nothing, 0.75 earns 0.0002.
void TestStatistics::commissionsMultiplyEachRow()
{
    auto db = m_shop->db();
    goods(db, u"A"_s, u"商品A"_s, u"个"_s, u"0.0001"_s, u"0.0002"_s);
    goods(db, u"E"_s, u"商品E"_s, u"个"_s, u"0.0001"_s, u"0.0002"_s);
    sale(db, u"2024-03-01"_s, u"甲"_s, u"A"_s, u"0.5"_s, u"0.25"_s);
    sale(db, u"2024-03-01"_s, u"甲"_s, u"A"_s, u"0.5"_s, u"0.25"_s);
    sale(db, u"2024-03-01"_s, u"乙"_s, u"E"_s, u"2.5"_s, u"0.75"_s);
    sale(db, u"2024-03-01"_s, u"O'Brien"_s, u"E"_s, u"1"_s, u"10000"_s);
    for (const auto way : kWays) {
        QCOMPARE(rowsOf(statistics::commissions(db, {}, way)),
                 u"甲 0 0 0; 乙 0.0002 0.0002 0.0004; O'Brien 0.0001 2 2.0001"_s);
        QCOMPARE(rowsOf(statistics::commissions(db, {u"'B"_s, {}}, way)),
                 u"O'Brien 0.0001 2 2.0001"_s);
    }
}

// A second import leaves two goods rows of one code, name and unit: a sale
// posted against them changes the first one's stock, and earns once, at the
// first one's rates.
void TestStatistics::duplicateGoodsRowsEarnOnceAtTheFirstRowsRates()
{
    auto db = m_shop->db();
    fixture::addGoods(db, u"A"_s, u"20 10 200"_s);
    fixture::addGoods(db, u"A"_s, u"5 10 50"_s);
    sql::exec(db, u"UPDATE sp SET slt = ?, jet = ? WHERE id = (SELECT min(id) FROM sp)"_s,
              {units(u"0.5"_s), units(u"0.02"_s)});
    sql::exec(db, u"UPDATE sp SET slt = ?, jet = ? WHERE id = (SELECT max(id) FROM sp)"_s,
              {units(u"3"_s), units(u"0.5"_s)});
    const auto &retail = documents::descriptor(documents::DocumentKind::Retail);
    QCOMPARE(fixture::post(db, retail, u"XSD20240315001"_s, u"A 10 20 10"_s, u"甲 0 200"_s),
             QString());
    QCOMPARE(fixture::stocks(db), u"A=10 10 100; A=5 10 50"_s);
    for (const auto way : kWays)
        QCOMPARE(rowsOf(statistics::commissions(db, {}, way)), u"张三 5 4 9"_s);
    // Deleting the first row leaves the second to earn.
    sql::exec(db, u"DELETE FROM sp WHERE id = (SELECT min(id) FROM sp)"_s);
    for (const auto way : kWays)
        QCOMPARE(rowsOf(statistics::commissions(db, {}, way)), u"张三 30 100 130"_s);
}

void TestStatistics::inOutStock_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("rows");

    // txm ppgg dw cgsl cgje xssl xsje rksl rkje ysl yje
    QTest::newRow("everything")
        << u""_s << u""_s << u""_s
        << u"A 商品A 个 10 100 3 45 -1 -10 6 45; A 商品A 盒 2 30 0 0 0 0 2 30;"
           " B 商品B 个 0 0 0 0 4 8 4 8; C 商品C 个 0 0 2 10 0 0 -2 -10;"
           " Q O'Neil扳手 把 1 7 0 0 0 0 1 7; R7 WD-40除锈剂 桶 0 0 1 12 0 0 -1 -12;"
           " W1 活动扳手 把 6 60 0 0 0 0 6 60"_s;
    // Both ends count; B (02-28), A's loss (04-01) and W1's May purchase do not.
    QTest::newRow("March")
        << u""_s << u"2024-03-01"_s << u"2024-03-31"_s
        << u"A 商品A 个 10 100 3 45 0 0 7 55; A 商品A 盒 2 30 0 0 0 0 2 30;"
           " C 商品C 个 0 0 2 10 0 0 -2 -10; Q O'Neil扳手 把 1 7 0 0 0 0 1 7;"
           " R7 WD-40除锈剂 桶 0 0 1 12 0 0 -1 -12; W1 活动扳手 把 5 50 0 0 0 0 5 50"_s;
    QTest::newRow("one day") << u""_s << u"2024-04-01"_s << u"2024-04-01"_s
                             << u"A 商品A 个 0 0 0 0 -1 -10 -1 -10"_s;
    QTest::newRow("no rows in range") << u""_s << u"2023-01-01"_s << u"2023-12-31"_s << u""_s;
    // "W" is in W1's code and in R7's name; the range holds for both.
    QTest::newRow("code or name, with range")
        << u"W"_s << u"2024-03-01"_s << u"2024-03-31"_s
        << u"R7 WD-40除锈剂 桶 0 0 1 12 0 0 -1 -12; W1 活动扳手 把 5 50 0 0 0 0 5 50"_s;
    QTest::newRow("code or name")
        << u"W"_s << u""_s << u""_s
        << u"R7 WD-40除锈剂 桶 0 0 1 12 0 0 -1 -12; W1 活动扳手 把 6 60 0 0 0 0 6 60"_s;
    QTest::newRow("name") << u"扳手"_s << u""_s << u""_s
                          << u"Q O'Neil扳手 把 1 7 0 0 0 0 1 7; W1 活动扳手 把 6 60 0 0 0 0 6 60"_s;
    QTest::newRow("quote") << u"O'"_s << u""_s << u""_s << u"Q O'Neil扳手 把 1 7 0 0 0 0 1 7"_s;
    QTest::newRow("underscore is itself") << u"_"_s << u""_s << u""_s << u""_s;
    QTest::newRow("stock without ledger rows") << u"D"_s << u""_s << u""_s
                                               << u"R7 WD-40除锈剂 桶 0 0 1 12 0 0 -1 -12"_s;
}

void TestStatistics::inOutStock()
{
    QFETCH(QString, text);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, rows);
    stockLedger(m_shop->db());
    const Snapshot result = statistics::stockStatistics(m_shop->db(), {text, range(from, to)});
    QCOMPARE(result.columns(),
             (QStringList{u"txm"_s, u"ppgg"_s, u"dw"_s, u"cgsl"_s, u"cgje"_s, u"xssl"_s,
                          u"xsje"_s, u"rksl"_s, u"rkje"_s, u"ysl"_s, u"yje"_s}));
    QCOMPARE(rowsOf(result), rows);
}

void TestStatistics::sumsOverTheRows()
{
    stockLedger(m_shop->db());
    const Snapshot rows = statistics::stockStatistics(m_shop->db(), {});
    const auto sums = statistics::sumsOf(rows, {u"ysl"_s, u"yje"_s, u"nosuch"_s});
    QCOMPARE(sums.size(), size_t(3));
    QCOMPARE(sums[0].toShortest(), u"16"_s);
    QCOMPARE(sums[1].toShortest(), u"128"_s);
    QCOMPARE(sums[2].toShortest(), u"0"_s);
    const auto none = statistics::sumsOf(Snapshot({u"ysl"_s}, {}), {u"ysl"_s});
    QCOMPARE(none[0].toShortest(), u"0"_s);
}

void TestStatistics::commissionsBothWaysOnAMixedLedger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("everything") << u""_s << u""_s << u""_s;
    QTest::newRow("a quarter") << u""_s << u"2024-04-01"_s << u"2024-06-30"_s;
    QTest::newRow("a handler") << u"张"_s << u""_s << u""_s;
    QTest::newRow("a quote and a month") << u"'"_s << u"2024-02-01"_s << u"2024-02-29"_s;
}

// The commissions both ways over a ledger of a few thousand rows over a year,
// with every awkward case mixed in: duplicate goods rows with rates of their
// own, articles gone from the catalogue, two units of one code, returns,
// products that round.
void TestStatistics::commissionsBothWaysOnAMixedLedger()
{
    QFETCH(QString, text);
    QFETCH(QString, from);
    QFETCH(QString, to);
    auto db = m_shop->db();
    QRandomGenerator random(20240315);
    Transaction t(db);
    for (int g = 0; g < 60; ++g) {
        const QString txm = u"G"_s + QString::number(g % 50);
        const QString dw = g % 7 == 0 ? u"盒"_s : u"个"_s;
        if (g % 10 == 9)
            continue;  // no longer in the catalogue
        sql::exec(db,
                  u"INSERT INTO sp (lb, txm, ppgg, dw, slt, jet) VALUES ('五金工具', ?, ?, ?, ?, ?)"_s,
                  {txm, QString(u"商品"_s + QString::number(g % 50) + u"号"_s), dw,
                   qint64(random.bounded(20000)), qint64(random.bounded(800))});
    }
    const QString handlers[] = {u"张三"_s, u"李四"_s, u"王五"_s, u"O'Brien"_s, u""_s};
    const QString tables[] = {u"cgfx"_s, u"xsfx"_s, u"xsfx"_s, u"rkfx"_s};
    for (int i = 0; i < 3000; ++i) {
        const int g = int(random.bounded(60));
        const QString table = tables[random.bounded(4)];
        const qint64 sl = qint64(random.bounded(-30000, 200000));
        const QString partner = table == u"xsfx"_s ? u"kh"_s : table == u"cgfx"_s ? u"ghs"_s : u"lx"_s;
        sql::exec(db,
                  u"INSERT INTO "_s + table + u" (dh, rq, "_s + partner +
                      u", jsr, txm, ppgg, dw, sl, jg, je) VALUES ('D', ?, '', ?, ?, ?, ?, ?, 0, ?)"_s,
                  {QDate(2024, 1, 1).addDays(random.bounded(366)).toString(Qt::ISODate),
                   handlers[random.bounded(5)], QString(u"G"_s + QString::number(g % 50)),
                   QString(u"商品"_s + QString::number(g % 50) + u"号"_s),
                   g % 7 == 0 ? u"盒"_s : u"个"_s, sl,
                   sl * qint64(random.bounded(1, 40)) / 7});
    }
    t.commit();
    const DateRange r = range(from, to);
    const Snapshot earned = statistics::commissions(db, {text, r}, statistics::Way::Statement);
    QVERIFY(earned.rowCount() >= (text.isEmpty() ? 4 : 1));
    QCOMPARE(rowsOf(statistics::commissions(db, {text, r}, statistics::Way::Walk)), rowsOf(earned));
}

// A product or a sum out of range fails either way.
void TestStatistics::walkFailsAsTheStatementDoes()
{
    auto db = m_shop->db();
    goods(db, u"A"_s, u"商品A"_s, u"个"_s);
    sql::exec(db, u"UPDATE sp SET slt = ?"_s, {qint64(std::numeric_limits<qint64>::max() / 2)});
    sale(db, u"2024-03-01"_s, u"甲"_s, u"A"_s, u"10"_s, u"1"_s);
    for (const auto way : kWays)
        QVERIFY_THROWS_EXCEPTION(DbError, statistics::commissions(db, {}, way));
    // A sum out of range likewise.
    sql::exec(db, u"UPDATE sp SET slt = 0"_s);
    sale(db, u"2024-03-02"_s, u"甲"_s, u"A"_s, u"1"_s, u"0"_s);
    sql::exec(db, u"UPDATE xsfx SET je = ?"_s, {std::numeric_limits<qint64>::max() / 2 + 1});
    sql::exec(db, u"UPDATE sp SET jet = 10000"_s);
    for (const auto way : kWays)
        QVERIFY_THROWS_EXCEPTION(DbError, statistics::commissions(db, {}, way));
}

void TestStatistics::windowsOpenEmpty_data()
{
    QTest::addColumn<bool>("commission");
    QTest::addColumn<QString>("panels");
    QTest::addColumn<QString>("closed");
    QTest::newRow("TFxstj3") << true << u"总计||0.00|0.00|0.00|"_s << u"数据表未打开，请先统计！"_s;
    QTest::newRow("TFkctj1") << false << u"总计|结存＝采购－销售＋异动|0|0"_s
                             << u"统计表未打开，请先统计！"_s;
}

// Empty, the text focused, the range a month up to today and not ticked;
// printing and exporting are refused until the first "统计".
void TestStatistics::windowsOpenEmpty()
{
    QFETCH(bool, commission);
    QFETCH(QString, panels);
    QFETCH(QString, closed);
    std::unique_ptr<StatisticsWindow> w;
    if (commission)
        w = std::make_unique<TFxstj3>(context());
    else
        w = std::make_unique<TFkctj1>(context());
    w->setToday([] { return kToday; });
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(::panels(*w, commission ? 6 : 4), panels);
    QVERIFY(!w->grid()->isOpen());
    QVERIFY(w->Edit1->text().isEmpty());
    QCOMPARE(w->focusWidget(), w->Edit1);
    QVERIFY(!w->CheckBox1->isChecked());
    QCOMPARE(w->DateTimePicker1->date(), QDate(2024, 2, 15));
    QCOMPARE(w->DateTimePicker2->date(), kToday);
    // The from-date never after the to-date.
    w->DateTimePicker1->setDate(QDate(2024, 3, 20));
    QCOMPARE(w->DateTimePicker2->date(), QDate(2024, 3, 20));
    w->DateTimePicker2->setDate(QDate(2024, 1, 2));
    QCOMPARE(w->DateTimePicker1->date(), QDate(2024, 1, 2));

    for (QPushButton *b : {w->BB2, w->BB3}) {
        m_messages->clear();
        b->click();
        QCOMPARE(m_messages->texts(), QStringList(closed));
        QCOMPARE(m_messages->shown().front().caption, u"警告"_s);
    }
}

void TestStatistics::commissionWindowRunsAndSays()
{
    commissionLedger(m_shop->db());
    sale(m_shop->db(), u"2024-03-05"_s, u"赵六"_s, u"A"_s, u"-1"_s, u"-20"_s);
    TFxstj3 w(context());
    w.setToday([] { return kToday; });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Enter moves along the panel to "统计", which it presses.
    QTest::keyClick(w.Edit1, Qt::Key_Return);
    QCOMPARE(w.focusWidget(), w.CheckBox1);
    QVERIFY(m_messages->shown().empty());
    w.Edit1->setText(u"张"_s);
    w.CheckBox1->setChecked(true);
    w.DateTimePicker1->setDate(QDate(2024, 3, 1));
    w.DateTimePicker2->setDate(QDate(2024, 3, 31));
    w.BB1->setFocus();
    QTest::keyClick(w.BB1, Qt::Key_Return);
    QCOMPARE(m_messages->texts(), QStringList(u"统计完毕！"_s));
    QCOMPARE(m_messages->shown().front().caption, u"提示"_s);
    QCOMPARE(w.grid()->rowCount(), 2);
    QCOMPARE(panels(w, 6), u"总计||4.3|4.7|9|"_s);

    // Everyone: 赵六, who only took goods back, is red.
    w.Edit1->clear();
    w.CheckBox1->setChecked(false);
    QVERIFY(w.BB1Click());
    QCOMPARE(panels(w, 6), u"总计||4.8|5.3|10.1|"_s);
    const int zhao = w.grid()->rows().find(u"yuangong"_s, u"赵六"_s);
    QVERIFY(zhao >= 0);
    QCOMPARE(w.grid()->rows().text(zhao, 3), u"-0.9"_s);
    QCOMPARE(foreground(w.grid(), zhao), QColor(Qt::red));
    QVERIFY(!foreground(w.grid(), w.grid()->rows().find(u"yuangong"_s, u"张三"_s)).isValid());
    // Nobody: an empty result, sums of 0.
    w.Edit1->setText(u"无此人"_s);
    QVERIFY(w.BB1Click());
    QVERIFY(w.grid()->isOpen());
    QCOMPARE(w.grid()->rowCount(), 0);
    QCOMPARE(panels(w, 6), u"总计||0|0|0|"_s);
}

void TestStatistics::stockWindowRunsOnEnterSilently()
{
    stockLedger(m_shop->db());
    TFkctj1 w(context());
    w.setToday([] { return kToday; });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Edit1->setText(u"商品"_s);
    QTest::keyClick(w.Edit1, Qt::Key_Return);
    QVERIFY(m_messages->shown().empty());
    QCOMPARE(w.grid()->rowCount(), 4);
    QCOMPARE(panels(w, 4), u"总计|结存＝采购－销售＋异动|10|73"_s);
    // Red where the closing amount is below 0: C, sold but never bought.
    for (int r = 0; r < w.grid()->rowCount(); ++r)
        QCOMPARE(foreground(w.grid(), r).isValid(),
                 w.grid()->rows().value(r, u"txm"_s).toString() == u"C"_s);
    // The range: with the box ticked only.
    w.DateTimePicker1->setDate(QDate(2024, 3, 1));
    w.DateTimePicker2->setDate(QDate(2024, 3, 31));
    QVERIFY(w.BB1Click());
    QCOMPARE(panels(w, 4), u"总计|结存＝采购－销售＋异动|10|73"_s);
    w.CheckBox1->setChecked(true);
    QVERIFY(w.BB1Click());
    QCOMPARE(w.grid()->rowCount(), 3);
    QCOMPARE(panels(w, 4), u"总计|结存＝采购－销售＋异动|7|75"_s);
    // A title click sorts the result where it is.
    w.grid()->titleClick(10);
    QCOMPARE(w.grid()->rows().value(0, u"txm"_s).toString(), u"C"_s);
}

// A statement that fails is reported, and the window is as before the first
// "统计".
void TestStatistics::failedStatisticsCloseTheResult()
{
    commissionLedger(m_shop->db());
    TFxstj3 w(context());
    QVERIFY(w.BB1Click());
    QVERIFY(w.grid()->isOpen());
    m_messages->clear();
    // A rate so large that a product leaves the range of the amounts.
    sql::exec(m_shop->db(), u"UPDATE sp SET slt = ? WHERE txm = 'A'"_s,
              {qint64(std::numeric_limits<qint64>::max() / 2)});
    QVERIFY(!w.BB1Click());
    QCOMPARE(m_messages->shown().size(), size_t(1));
    QCOMPARE(m_messages->shown().front().caption, u"错误"_s);
    QVERIFY(!w.grid()->isOpen());
    QCOMPARE(panels(w, 6), u"总计||0.00|0.00|0.00|"_s);
}

void TestStatistics::printedForms()
{
    QVERIFY2(!QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty(),
             "pdftotext is missing: run scripts/install-deps.sh (poppler-utils)");
    QTemporaryDir dir;
    commissionLedger(m_shop->db());
    QString text;
    bool landscape = false;
    const auto print = [&](StatisticsWindow &w, const QString &name) {
        text.clear();
        w.previewer = [&](report::Form &form) {
            landscape = form.page().landscape;
            text = printedText(form, dir.filePath(name));
        };
        w.BB2->click();
        QVERIFY(!text.isEmpty());
    };

    TFxstj3 tc(context());
    QVERIFY(tc.BB1Click());
    print(tc, u"tc.pdf"_s);
    QVERIFY(!landscape);
    QVERIFY2(text.contains(u"五金商行销售统计表（提成）"_s), qPrintable(text));
    QVERIFY2(text.contains(u"员工 销售提成额 金额提成额 总提成额"_s), qPrintable(text));
    QVERIFY2(text.contains(u"李四 1 1 2\n张三 4 3.2 7.2\n张四 0.3 1.5 1.8"_s), qPrintable(text));
    QVERIFY2(text.contains(u"总计 5.3 5.7 11"_s), qPrintable(text));

    sql::exec(m_shop->db(), u"DELETE FROM xsfx"_s);
    sql::exec(m_shop->db(), u"DELETE FROM sp"_s);
    stockLedger(m_shop->db());
    TFkctj1 kc(context());
    kc.Edit1->setText(u"商品"_s);
    QVERIFY(kc.BB1Click());
    // Sorted on screen: printed as shown.
    kc.grid()->titleClick(10);
    print(kc, u"kc.pdf"_s);
    QVERIFY(landscape);
    QVERIFY2(text.contains(u"五金商行商品进销存统计表"_s), qPrintable(text));
    QVERIFY2(text.contains(u"商品名称 单位 采购数量 采购金额 销售数量 销售金额 变动数量 变动金额 结存数量 结存金额"_s),
             qPrintable(text));
    QVERIFY(!text.contains(u"编码"_s));
    QVERIFY2(text.contains(u"商品C 个 0 0 2 10 0 0 -2 -10"_s), qPrintable(text));
    QVERIFY(text.indexOf(u"商品C"_s) < text.indexOf(u"商品B"_s));
    QVERIFY2(text.contains(u"总 计 10 73"_s), qPrintable(text));
    if (const QString keep = qEnvironmentVariable("VELBORA_KEEP_PNG"); !keep.isEmpty())
        for (const QString &name : {u"tc"_s, u"kc"_s})
            QProcess::execute(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"60"_s, dir.filePath(name + u".pdf"_s),
                                              keep + u'/' + name});
}

void TestStatistics::menuOpensBothByPermission()
{
    auto db = m_shop->db();
    sql::exec(db, u"INSERT INTO yhsz (yhmc, yhmm) VALUES ('钱', '1')"_s);
    TFmain1 main(m_shop->dm());
    main.startSession(u"钱"_s);
    main.resize(1366, 700);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    // Without "销售查询" no commissions; the in/out/stock table is open to all.
    QVERIFY(!main.menuItem(u"员工提成表"_s)->isEnabled());
    QVERIFY(main.menuItem(u"商品进销存统计表"_s)->isEnabled());
    main.menuItem(u"商品进销存统计表"_s)->trigger();
    QWidget *opened = main.mdiArea()->activeSubWindow()->widget();
    QVERIFY(qobject_cast<TFkctj1 *>(opened));
    main.menuItem(u"商品进销存统计表"_s)->trigger();
    QCOMPARE(main.mdiArea()->activeSubWindow()->widget(), opened);

    sql::exec(db, u"INSERT INTO quanxian (yh, qx) VALUES ('钱', '销售查询')"_s);
    main.startSession(u"钱"_s);
    QVERIFY(main.menuItem(u"员工提成表"_s)->isEnabled());
    main.menuItem(u"员工提成表"_s)->trigger();
    QVERIFY(qobject_cast<TFxstj3 *>(main.mdiArea()->activeSubWindow()->widget()));
    QCOMPARE(main.mdiArea()->subWindowList().size(), 2);
    QCOMPARE(main.children().find(u"TFxstj3"_s)->windowTitle(), u"员工提成表"_s);
}

QTEST_MAIN(TestStatistics)
#include "tst_statistics.moc"
