// The ledger reports: the detail, statistics and drill-down statements over
// a small hand-made ledger of each kind, the windows as the administrator and
// as another operator sees them (grid, sums, print, export), the printed forms
// read back from PDF, the export of a list longer than a sheet, and the
// indexes of the reports.
#include "TestSupport.h"
#include "XlsxReader.h"

#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/lists/SheetExport.h"
#include "core/money/Decimal.h"
#include "core/reports/Ledgers.h"
#include "report/ReportLayout.h"
#include "ui/GridExport.h"
#include "ui/ListGrid.h"
#include "windows/purchasing/Ucgfx1.h"
#include "windows/purchasing/Ucghz1.h"
#include "windows/sales/Uxsfx1.h"
#include "windows/sales/Uxshz1.h"
#include "windows/stock/Urkfx1.h"
#include "windows/stock/Urkhz1.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using namespace ledgers;

namespace {

qint64 units(const char *text)
{
    return Decimal::parse(QString::fromLatin1(text)).units();
}

// One ledger row: number, date, partner, handler, code, name, unit, quantity,
// price, amount (and for sales cost and profit: amount less cost).
struct Row {
    const char *dh, *rq, *partner, *jsr, *txm, *ppgg, *dw, *sl, *je;
    const char *cbje = "0";
};

void insert(const QSqlDatabase &db, const LedgerDescriptor &d, const Row &r)
{
    const QString partner = QString::fromUtf8(r.partner);
    sql::Binds b{QString::fromUtf8(r.dh), QString::fromUtf8(r.rq), partner,
                 QString::fromUtf8(r.jsr), QString::fromUtf8(r.txm), QString::fromUtf8(r.ppgg),
                 QString::fromUtf8(r.dw), units(r.sl), units("1"), units(r.je)};
    QString columns = u"dh, rq, "_s + d.partnerColumn + u", jsr, txm, ppgg, dw, sl, jg, je"_s;
    QString values = u"?, ?, ?, ?, ?, ?, ?, ?, ?, ?"_s;
    if (d.withCost) {
        columns += u", cbje, maoli"_s;
        values += u", ?, ?"_s;
        b.push_back(units(r.cbje));
        b.push_back(units(r.je) - units(r.cbje));
    }
    sql::exec(db, u"INSERT INTO "_s + d.table + u" ("_s + columns + u") VALUES ("_s + values + u")"_s, b);
}

// The same rows go into each ledger; the partner is a customer, a supplier
// or a reason as the ledger has it.
const std::vector<Row> &rows()
{
    static const std::vector<Row> all = {
        {"D1", "2026-03-01", "O'Brien", "张三", "A1", "螺丝 M6", "个", "10", "200", "120"},
        {"D2", "2026-03-02", "李记", "李四", "A1", "螺丝 M6", "个", "5", "100", "60"},
        {"D3", "2026-03-03", "O'Brien", "张三", "A1", "螺丝 M6", "个", "-2", "-40", "-24"},
        {"D4", "2026-03-03", "李记", "张三", "A1", "螺丝 M6", "盒", "1", "90", "50"},
        {"D5", "2026-03-31", "李记", "李四", "B7", "扳手 8寸", "把", "3", "75", "45"},
        {"D6", "2026-04-01", "O'Brien", "李四", "B7", "扳手 8寸", "把", "-1", "-25", "-15"},
        {"D6", "2026-04-01", "O'Brien", "李四", "A1", "螺丝 M6", "个", "4", "80", "48"},
    };
    return all;
}

QStringList numbers(const QSqlDatabase &db, const ListQuery &q)
{
    const Snapshot s = q.page(db, q.order(), 0, 1000);
    QStringList out;
    for (int r = 0; r < s.rowCount(); ++r)
        out << s.value(r, u"dh"_s).toString();
    return out;
}

QString shortest(const QVariant &units)
{
    return Decimal::fromUnits(units.toLongLong()).toShortest();
}

// The statistics rows as "fenzu|txm|dw|zsl|zje", in their order.
QStringList groups(const QSqlDatabase &db, const ListQuery &q)
{
    const Snapshot s = q.page(db, q.order(), 0, 1000);
    QStringList out;
    for (int r = 0; r < s.rowCount(); ++r)
        out << QStringList{s.value(r, u"fenzu"_s).toString(), s.value(r, u"txm"_s).toString(),
                           s.value(r, u"dw"_s).toString(), shortest(s.value(r, u"zsl"_s)),
                           shortest(s.value(r, u"zje"_s))}
                   .join(u'|');
    return out;
}

const Ledger kLedgers[] = {Ledger::Sales, Ledger::Purchases, Ledger::Movements};

}  // namespace

Q_DECLARE_METATYPE(ledgers::Filter)
Q_DECLARE_METATYPE(ledgers::Grouping)
Q_DECLARE_METATYPE(ledgers::Ledger)

class TestLedgers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void detailFilters_data();
    void detailFilters();
    void openingDayIsTheLedgerDate();
    void statistics_data();
    void statistics();
    void drillDown_data();
    void drillDown();

    void onlyTheAdministratorSeesCost_data();
    void onlyTheAdministratorSeesCost();
    void statisticsDrillIntoTheirDetailWindow_data();
    void statisticsDrillIntoTheirDetailWindow();
    void actionsWithoutAResultAreRefused();
    void formsPrintTheirCallersWords_data();
    void formsPrintTheirCallersWords();

    void longListsGoOnOverFurtherSheets();
    void upgradeAddsTheLedgerIndexes();
    void drillDownAndDayUseTheIndexes();

private:
    void fill();
    QStringList pdfText(report::Form &form);

    std::unique_ptr<FreshShop> m_shop;
    std::unique_ptr<ScriptedMessages> m_messages;
    QTemporaryDir m_tmp;
};

void TestLedgers::init()
{
    m_shop = std::make_unique<FreshShop>();
    m_messages = std::make_unique<ScriptedMessages>();
    fill();
}

void TestLedgers::cleanup()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<LedgerReportWindow *>(w))
            delete w;
    m_messages.reset();
    m_shop.reset();
}

void TestLedgers::fill()
{
    for (Ledger l : kLedgers)
        for (const Row &r : rows())
            insert(m_shop->db(), descriptor(l), r);
}

// ---- the statements ------------------------------------------------------------

void TestLedgers::detailFilters_data()
{
    QTest::addColumn<Ledger>("ledger");
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("sl");  // the sum of the quantities
    const auto dated = [](Filter f, const char *from, const char *to) {
        f.from = QDate::fromString(QString::fromLatin1(from), u"yyyy-MM-dd"_s);
        f.to = QDate::fromString(QString::fromLatin1(to), u"yyyy-MM-dd"_s);
        return f;
    };
    for (Ledger l : kLedgers) {
        const QByteArray t = descriptor(l).table.toLatin1();
        Filter f;
        QTest::newRow(QByteArray(t + " nothing typed").constData()) << l << f
            << QStringList{u"D1"_s, u"D2"_s, u"D3"_s, u"D4"_s, u"D5"_s, u"D6"_s, u"D6"_s} << u"20"_s;
        f.partner = u"'B"_s;
        QTest::newRow(QByteArray(t + " a quote in the partner").constData()) << l << f
            << QStringList{u"D1"_s, u"D3"_s, u"D6"_s, u"D6"_s} << u"11"_s;
        f = {};
        f.sign = Sign::Negative;
        QTest::newRow(QByteArray(t + " returns only").constData()) << l << f << QStringList{u"D3"_s, u"D6"_s} << u"-3"_s;
        f.sign = Sign::Positive;
        f.handler = u"李"_s;
        QTest::newRow(QByteArray(t + " positive of one handler").constData()) << l << f
            << QStringList{u"D2"_s, u"D5"_s, u"D6"_s} << u"12"_s;
        f = dated({}, "2026-03-03", "2026-03-31");
        QTest::newRow(QByteArray(t + " both ends of the range").constData()) << l << f
            << QStringList{u"D3"_s, u"D4"_s, u"D5"_s} << u"2"_s;
        f = {};
        f.code = u"b"_s;  // letters compare without case, as they do in SQLite
        f.name = u"8寸"_s;
        QTest::newRow(QByteArray(t + " code and name").constData()) << l << f << QStringList{u"D5"_s, u"D6"_s} << u"2"_s;
        f = {};
        f.number = u"%"_s;
        QTest::newRow(QByteArray(t + " a percent sign is no wildcard").constData()) << l << f << QStringList{} << u"0"_s;
        f.number = u"6"_s;
        f.from = f.to = QDate(2026, 3, 1);
        f.to.reset();
        QTest::newRow(QByteArray(t + " a range with one end is no range").constData()) << l << f
            << QStringList{u"D6"_s, u"D6"_s} << u"3"_s;
    }
}

void TestLedgers::detailFilters()
{
    QFETCH(Ledger, ledger);
    QFETCH(Filter, filter);
    QFETCH(QStringList, expected);
    QFETCH(QString, sl);
    const ListQuery q = detailList(descriptor(ledger), filter);
    QCOMPARE(numbers(m_shop->db(), q), expected);
    QCOMPARE(q.count(m_shop->db()), qint64(expected.size()));
    QCOMPARE(shortest(q.sums(m_shop->db(), {u"sl"_s}).at(0)), sl);
}

void TestLedgers::openingDayIsTheLedgerDate()
{
    for (Ledger l : kLedgers) {
        QCOMPARE(numbers(m_shop->db(), dayList(descriptor(l), QDate(2026, 3, 3))),
                 (QStringList{u"D3"_s, u"D4"_s}));
        QCOMPARE(numbers(m_shop->db(), dayList(descriptor(l), QDate(2026, 3, 4))), QStringList{});
    }
}

void TestLedgers::statistics_data()
{
    QTest::addColumn<Ledger>("ledger");
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<Grouping>("grouping");
    QTest::addColumn<QStringList>("expected");
    for (Ledger l : kLedgers) {
        const QByteArray t = descriptor(l).table.toLatin1();
        QTest::newRow(QByteArray(t + " per article, two units two rows").constData()) << l << Filter{} << Grouping::None
            << QStringList{u"|A1|个|17|340"_s, u"|A1|盒|1|90"_s, u"|B7|把|2|50"_s};
        QTest::newRow(QByteArray(t + " per partner, ordered by partner").constData()) << l << Filter{} << Grouping::Partner
            << QStringList{u"O'Brien|A1|个|12|240"_s, u"O'Brien|B7|把|-1|-25"_s,
                           u"李记|A1|个|5|100"_s, u"李记|A1|盒|1|90"_s, u"李记|B7|把|3|75"_s};
        Filter returns;
        returns.sign = Sign::Negative;
        QTest::newRow(QByteArray(t + " returns per handler").constData()) << l << returns << Grouping::Handler
            << QStringList{u"张三|A1|个|-2|-40"_s, u"李四|B7|把|-1|-25"_s};
        Filter march;
        march.from = QDate(2026, 3, 1);
        march.to = QDate(2026, 3, 31);
        march.partner = u"O'B"_s;
        QTest::newRow(QByteArray(t + " a range and a quote").constData()) << l << march << Grouping::None
            << QStringList{u"|A1|个|8|160"_s};
    }
}

void TestLedgers::statistics()
{
    QFETCH(Ledger, ledger);
    QFETCH(Filter, filter);
    QFETCH(Grouping, grouping);
    QFETCH(QStringList, expected);
    const ListQuery q = groupedList(descriptor(ledger), filter, grouping);
    QStringList got = groups(m_shop->db(), q);
    // Rows of one group value come in the order of their first ledger row;
    // the statistics promise only the order of the group values (or codes).
    QCOMPARE(got.size(), expected.size());
    for (const QString &row : expected)
        QVERIFY2(got.contains(row), qPrintable(row + u" in "_s + got.join(u", "_s)));
    for (int i = 0; i < got.size(); ++i)
        QCOMPARE(got.at(i).section(u'|', grouping == Grouping::None ? 1 : 0,
                                   grouping == Grouping::None ? 1 : 0),
                 expected.at(i).section(u'|', grouping == Grouping::None ? 1 : 0,
                                        grouping == Grouping::None ? 1 : 0));
    QCOMPARE(q.count(m_shop->db()), qint64(expected.size()));
    if (descriptor(ledger).withCost) {
        const std::vector<QVariant> s = q.sums(m_shop->db(), {u"zcb"_s, u"zmaoli"_s});
        QVERIFY(shortest(s.at(0)) != u"0"_s || expected.isEmpty());
    }
}

void TestLedgers::drillDown_data()
{
    QTest::addColumn<Ledger>("ledger");
    QTest::addColumn<Grouping>("grouping");
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("dated");
    QTest::addColumn<QStringList>("expected");
    for (Ledger l : kLedgers) {
        const QByteArray t = descriptor(l).table.toLatin1();
        QTest::newRow(QByteArray(t + " the article only, not its other unit").constData()) << l << Grouping::None << QString()
            << false << QStringList{u"D1"_s, u"D2"_s, u"D3"_s, u"D6"_s};
        QTest::newRow(QByteArray(t + " the partner's rows").constData()) << l << Grouping::Partner << u"O'Brien"_s << false
            << QStringList{u"D1"_s, u"D3"_s, u"D6"_s};
        QTest::newRow(QByteArray(t + " the handler's rows within the range").constData()) << l << Grouping::Handler
            << u"李四"_s << true << QStringList{u"D2"_s};
        QTest::newRow(QByteArray(t + " the range without a group").constData()) << l << Grouping::None << QString() << true
            << QStringList{u"D1"_s, u"D2"_s, u"D3"_s};
    }
}

void TestLedgers::drillDown()
{
    QFETCH(Ledger, ledger);
    QFETCH(Grouping, grouping);
    QFETCH(QString, group);
    QFETCH(bool, dated);
    QFETCH(QStringList, expected);
    DrillDown r{u"A1"_s, u"螺丝 M6"_s, u"个"_s, grouping, group, std::nullopt, std::nullopt};
    if (dated) {
        r.from = QDate(2026, 3, 1);
        r.to = QDate(2026, 3, 31);
    }
    QCOMPARE(numbers(m_shop->db(), drillDownList(descriptor(ledger), r)), expected);
}

// ---- the windows ---------------------------------------------------------------

namespace {

Session operatorNamed(const QString &name)
{
    Session s;
    s.STyhm1 = name;
    return s;
}

QStringList titles(const ListGrid &grid)
{
    QStringList out;
    for (const GridColumn &c : grid.rows().columns())
        if (!c.hidden)
            out << c.title;
    return out;
}

QStringList panels(const ListWindow &w, int count)
{
    QStringList out;
    for (int p = 0; p < count; ++p)
        out << w.panelText(p);
    return out;
}

Filter march()
{
    Filter f;
    f.from = QDate(2026, 3, 1);
    f.to = QDate(2026, 3, 31);
    return f;
}

}  // namespace

void TestLedgers::onlyTheAdministratorSeesCost_data()
{
    QTest::addColumn<QString>("operatorName");
    QTest::addColumn<bool>("cost");
    QTest::newRow("administrator") << schema::administratorName() << true;
    QTest::newRow("another operator") << u"张三"_s << false;
    QTest::newRow("a name like the administrator's") << u"系统管理员 "_s << false;
}

void TestLedgers::onlyTheAdministratorSeesCost()
{
    QFETCH(QString, operatorName);
    QFETCH(bool, cost);
    const Session session = operatorNamed(operatorName);
    const WindowContext context{m_shop->dm(), session};

    TFxsfx1 detail(context);
    QVERIFY(detail.showFilter(march()));
    QCOMPARE(detail.grid()->rowCount(), 5);
    const QStringList costTitles{u"成本额"_s, u"毛利润"_s};
    for (const QString &t : costTitles)
        QCOMPARE(titles(*detail.grid()).contains(t), cost);
    // 总计, empty, Σ数量, empty, Σ金额, Σ成本额, Σ毛利润, empty
    QCOMPARE(panels(detail, 8),
             (QStringList{u"总计"_s, {}, u"17"_s, {}, u"425"_s, cost ? u"251"_s : QString(),
                          cost ? u"174"_s : QString(), {}}));

    TFxshz1 stats(context);
    QVERIFY(stats.showStatistics(march(), Grouping::None));
    QCOMPARE(m_messages->last(), u"统计完毕！"_s);
    for (const QString &t : costTitles)
        QCOMPARE(titles(*stats.grid()).contains(t), cost);
    QVERIFY(!titles(*stats.grid()).contains(u"分组"_s));
    QCOMPARE(panels(stats, 7), (QStringList{u"总计"_s, {}, u"17"_s, u"425"_s,
                                             cost ? u"251"_s : QString(),
                                             cost ? u"174"_s : QString(), {}}));

    // VELBORA_KEEP_PNG=dir keeps a picture of both windows for a look at them.
    const QString keep = qEnvironmentVariable("VELBORA_KEEP_PNG");
    if (!keep.isEmpty()) {
        const QString tag = cost ? u"-admin"_s : u"-other"_s;
        QVERIFY(detail.grab().save(QDir(keep).filePath(u"TFxsfx1"_s + tag + u".png"_s)));
        QVERIFY(stats.grab().save(QDir(keep).filePath(u"TFxshz1"_s + tag + u".png"_s)));
    }

    // The export holds what the grid shows, and no more.
    QTemporaryDir folder;
    gridexport::setFolder(folder.path());
    gridexport::setOpener([](const QString &) { return true; });
    for (LedgerReportWindow *w : {static_cast<LedgerReportWindow *>(&detail),
                                  static_cast<LedgerReportWindow *>(&stats)}) {
        QCOMPARE(gridexport::exportGrid(w, *w->grid(), w->windowTitle()), gridexport::Outcome::Opened);
    }
    gridexport::setOpener({});
    const QStringList files = QDir(folder.path()).entryList({u"*.xlsx"_s});
    QCOMPARE(files.size(), 2);
    for (const QString &f : files) {
        const auto sheet = xlsxread::readFirstSheet(QDir(folder.path()).filePath(f));
        QVERIFY(sheet);
        QStringList header;
        for (int c = 1; c <= 12; ++c)
            header << sheet->cell(1, c);
        for (const QString &t : costTitles)
            QCOMPARE(header.contains(t), cost);
        QCOMPARE(sheet->lastRow, f.startsWith(u"销售明细表"_s) ? 6 : 4);
    }
    // The print has no cost for anyone.
    report::Form *printed = nullptr;
    QStringList printedText;
    detail.previewer = [&](report::Form &form) {
        printed = &form;
        printedText = pdfText(form);
    };
    detail.SB88Click();
    QVERIFY(printed);
    const QString text = printedText.join(u'\n');
    QVERIFY(text.contains(u"销售明细表"_s));
    QVERIFY(!text.contains(u"成本额"_s) && !text.contains(u"251"_s));
    QVERIFY(text.contains(u"425"_s));
}

void TestLedgers::statisticsDrillIntoTheirDetailWindow_data()
{
    QTest::addColumn<Ledger>("ledger");
    QTest::addColumn<Grouping>("grouping");
    QTest::addColumn<QString>("groupTitle");
    QTest::addColumn<int>("drilled");
    QTest::newRow("sales per customer") << Ledger::Sales << Grouping::Partner << u"客户"_s << 2;
    QTest::newRow("purchases per handler") << Ledger::Purchases << Grouping::Handler << u"经办人"_s << 2;
    QTest::newRow("movements per reason") << Ledger::Movements << Grouping::Partner << u"异动原因"_s << 2;
    QTest::newRow("sales not grouped") << Ledger::Sales << Grouping::None << QString() << 3;
}

void TestLedgers::statisticsDrillIntoTheirDetailWindow()
{
    QFETCH(Ledger, ledger);
    QFETCH(Grouping, grouping);
    QFETCH(QString, groupTitle);
    QFETCH(int, drilled);
    const Session session = operatorNamed(schema::administratorName());
    const WindowContext context{m_shop->dm(), session};
    std::unique_ptr<LedgerStatisticsWindow> stats;
    QString detailName;
    switch (ledger) {
    case Ledger::Sales:
        stats = std::make_unique<TFxshz1>(context);
        detailName = u"TFxsfx1"_s;
        break;
    case Ledger::Purchases:
        stats = std::make_unique<TFcghz1>(context);
        detailName = u"TFcgfx1"_s;
        break;
    case Ledger::Movements:
        stats = std::make_unique<TFrkhz1>(context);
        detailName = u"TFrkfx1"_s;
        break;
    }
    // The statistics' other conditions (here the positive rows only) are not
    // carried into the drill-down; its range and group value are.
    Filter f = march();
    f.sign = Sign::Positive;
    QVERIFY(stats->showStatistics(f, grouping));
    QCOMPARE(titles(*stats->grid()).contains(groupTitle), !groupTitle.isEmpty());
    QCOMPARE(stats->rq1(), u"2026-03-01"_s);
    QCOMPARE(stats->rq2(), u"2026-03-31"_s);
    QVERIFY(stats->grid()->selectWhere(u"txm"_s, u"A1"_s));
    const QString group = stats->grid()->currentValue(u"fenzu"_s).toString();
    QVERIFY(grouping == Grouping::None || !group.isEmpty());
    stats->SB66Click();
    LedgerDetailWindow *detail = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == detailName)
            detail = qobject_cast<LedgerDetailWindow *>(w);
    QVERIFY(detail);
    const ListGrid &grid = *detail->grid();
    // A1 个 in March: D1 (O'Brien, 张三, 10), D2 (李记, 李四, 5), D3 (O'Brien, 张三, -2).
    QCOMPARE(grid.rowCount(), drilled);
    for (int r = 0; r < grid.rowCount(); ++r) {
        QCOMPARE(grid.rows().value(r, u"txm"_s).toString(), u"A1"_s);
        QCOMPARE(grid.rows().value(r, u"dw"_s).toString(), u"个"_s);
        QVERIFY(grid.rows().value(r, u"rq"_s).toString() <= u"2026-03-31"_s);
        if (grouping == Grouping::Partner)
            QCOMPARE(grid.rows().value(r, descriptor(ledger).partnerColumn).toString(), group);
        if (grouping == Grouping::Handler)
            QCOMPARE(grid.rows().value(r, u"jsr"_s).toString(), group);
    }
    // A second drill-down uses the same detail window.
    stats->SB66Click();
    int details = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        details += w->objectName() == detailName ? 1 : 0;
    QCOMPARE(details, 1);
}

void TestLedgers::actionsWithoutAResultAreRefused()
{
    const Session session = operatorNamed(schema::administratorName());
    const WindowContext context{m_shop->dm(), session};
    TFcghz1 stats(context);
    // Before any statistics: no sums, and each action says why it does nothing.
    QCOMPARE(panels(stats, 5), (QStringList{u"总计"_s, {}, {}, {}, {}}));
    stats.SB66Click();
    stats.SB88Click();
    stats.SB99->click();
    QCOMPARE(m_messages->texts(), QStringList(3, u"数据表未打开，请先统计！"_s));
    m_messages->clear();
    Filter nothing;
    nothing.code = u"no such code"_s;
    QVERIFY(stats.showStatistics(nothing, Grouping::None));
    QCOMPARE(panels(stats, 5), (QStringList{u"总计"_s, {}, u"0"_s, u"0"_s, {}}));
    stats.SB66Click();
    QCOMPARE(m_messages->last(), u"没有数据可查阅！"_s);
    QCOMPARE(m_messages->shown().back().caption, u"警告"_s);

    // The detail opens on today's rows: none here, sums 0.
    TFrkfx1 detail(context);
    QVERIFY(detail.grid()->isOpen());
    QCOMPARE(detail.grid()->rowCount(), 0);
    QCOMPARE(panels(detail, 6), (QStringList{u"总计"_s, {}, u"0"_s, {}, u"0"_s, {}}));
}

QStringList TestLedgers::pdfText(report::Form &form)
{
    const QString file = QDir(m_tmp.path()).filePath(u"form.pdf"_s);
    if (const auto error = report::writePdf(form, file)) {
        qWarning("%s", qPrintable(*error));
        return {};
    }
    QProcess p;
    p.start(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, file, u"-"_s});
    if (!p.waitForFinished(60000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n');
}

void TestLedgers::formsPrintTheirCallersWords_data()
{
    QTest::addColumn<Ledger>("ledger");
    QTest::addColumn<bool>("statistics");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("totals");
    QTest::newRow("purchase detail") << Ledger::Purchases << false << u"采购明细表"_s << u"17 425"_s;
    QTest::newRow("movement detail") << Ledger::Movements << false << u"库存异动明细表"_s << u"17 425"_s;
    QTest::newRow("sales statistics") << Ledger::Sales << true << u"销售统计表"_s << u"17 425"_s;
    QTest::newRow("movement statistics") << Ledger::Movements << true << u"库存异动统计表"_s << u"17 425"_s;
}

void TestLedgers::formsPrintTheirCallersWords()
{
    QFETCH(Ledger, ledger);
    QFETCH(bool, statistics);
    QFETCH(QString, title);
    QFETCH(QString, totals);
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("pdftotext is missing: run scripts/install-deps.sh (poppler-utils)");
    const Session session = operatorNamed(schema::administratorName());
    const WindowContext context{m_shop->dm(), session};
    std::unique_ptr<LedgerReportWindow> window;
    if (statistics) {
        auto *s = ledger == Ledger::Sales ? static_cast<LedgerStatisticsWindow *>(new TFxshz1(context))
                                          : new TFrkhz1(context);
        window.reset(s);
        QVERIFY(s->showStatistics(march(), Grouping::Partner));
    } else {
        auto *d = ledger == Ledger::Purchases ? static_cast<LedgerDetailWindow *>(new TFcgfx1(context))
                                              : new TFrkfx1(context);
        window.reset(d);
        QVERIFY(d->showFilter(march()));
    }
    QStringList text;
    window->previewer = [&](report::Form &form) { text = pdfText(form); };
    window->SB88Click();
    const QString all = text.join(u'\n');
    QVERIFY2(all.contains(m_shop->dm().ATdanwei1().mcdy + title), qPrintable(all));
    const QStringList columnTitles = window->words().printColumnTitles;
    QString header;
    for (const QString &line : text)
        if (line.contains(columnTitles.first()))
            header = line;
    for (const QString &t : columnTitles)
        QVERIFY2(header.contains(t), qPrintable(header));
    // Neither the group value nor the cost is printed.
    if (statistics)
        QVERIFY(!all.contains(u"O'Brien"_s) && !all.contains(u"李记"_s));
    QVERIFY(!all.contains(u"成本额"_s));
    QString summary;
    for (const QString &line : text)
        if (line.contains(u"总计"_s))
            summary = line.simplified();
    QVERIFY2(summary.endsWith(totals), qPrintable(summary));
}

// ---- export, schema ----------------------------------------------------------------

void TestLedgers::longListsGoOnOverFurtherSheets()
{
    const std::vector<GridColumn> columns{{u"a"_s, u"甲"_s}, {u"b"_s, u"乙"_s, 90, {}, true},
                                          {u"c"_s, u"丙"_s}};
    // Seven rows in pieces of three, on sheets of a title and three rows.
    int next = 0;
    const sheetexport::Pieces pieces = [&next] {
        std::vector<QVariant> cells;
        for (int i = 0; i < 3 && next < 7; ++i, ++next)
            cells.insert(cells.end(), {QString::number(next), u"x"_s, QString::number(next * 10)});
        return Snapshot({u"a"_s, u"b"_s, u"c"_s}, std::move(cells));
    };
    const QString file = QDir(m_tmp.path()).filePath(u"long.xlsx"_s);
    int reported = 0;
    QVERIFY(!sheetexport::write(file, columns, pieces, [&](int n) { reported = n; }, 4));
    QCOMPARE(reported, 7);
    const auto zip = xlsxread::unzip(file);
    QVERIFY(zip);
    QVERIFY(zip->contains(u"xl/worksheets/sheet3.xml"_s));
    QVERIFY(!zip->contains(u"xl/worksheets/sheet4.xml"_s));
    const auto first = xlsxread::readFirstSheet(file);
    QVERIFY(first);
    QCOMPARE(first->lastRow, 4);
    QCOMPARE(first->cell(1, 1), u"甲"_s);
    QCOMPARE(first->cell(1, 2), QString());
    QCOMPARE(first->cell(4, 3), u"20"_s);
    // Each further sheet begins with the titles and goes on where the last stopped.
    for (int sheet = 2; sheet <= 3; ++sheet) {
        const QByteArray xml = zip->value(u"xl/worksheets/sheet%1.xml"_s.arg(sheet));
        QVERIFY(xml.contains("<c r=\"A1\""));
        QVERIFY(!xml.contains("<c r=\"A5\""));
        QVERIFY(xml.contains("<c r=\"C2\""));
        QVERIFY(!xml.contains("<c r=\"B2\""));
    }
    QVERIFY(!zip->value(u"xl/worksheets/sheet3.xml"_s).contains("<c r=\"A3\""));
    QCOMPARE(sheetexport::MaxSheetRows, 1048576);
}

void TestLedgers::upgradeAddsTheLedgerIndexes()
{
    const QSqlDatabase db = m_shop->db();
    for (const QString &name : schema::ledgerReportIndexNames())
        sql::exec(db, u"DROP INDEX "_s + name);
    sql::exec(db, u"PRAGMA user_version = 6"_s);
    QVERIFY(!schema::upgrade(db));
    QCOMPARE(sql::scalar(db, u"PRAGMA user_version"_s).toInt(), schema::SchemaVersion);
    QCOMPARE(schema::ledgerReportIndexNames().size(), 6);
    for (const QString &name : schema::ledgerReportIndexNames())
        QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name = ?"_s,
                             {name}).toInt(), 1);
    // The rows are all there.
    QCOMPARE(sql::scalar(db, u"SELECT count(*) FROM cgfx"_s).toInt(), int(rows().size()));
}

void TestLedgers::drillDownAndDayUseTheIndexes()
{
    const QSqlDatabase db = m_shop->db();
    const DrillDown r{u"A1"_s, u"螺丝 M6"_s, u"个"_s, Grouping::Partner, u"O'Brien"_s,
                      QDate(2026, 3, 1), QDate(2026, 3, 31)};
    for (Ledger l : kLedgers) {
        const LedgerDescriptor &d = descriptor(l);
        const ListQuery q = drillDownList(d, r);
        QVERIFY2(queryPlan(db, q.statement(q.order()), q.binds()).contains(d.table + u"_goods"_s),
                 qPrintable(queryPlan(db, q.statement(q.order()), q.binds())));
        Filter year;
        year.from = QDate(2026, 1, 1);
        year.to = QDate(2026, 12, 31);
        const ListQuery g = groupedList(d, year, Grouping::None);
        QVERIFY2(queryPlan(db, u"SELECT count(*) FROM ("_s + g.base() + u") AS q"_s, g.binds())
                     .contains(u"COVERING INDEX "_s + d.table + u"_rq_rows"_s),
                 qPrintable(queryPlan(db, g.base(), g.binds())));
    }
}

QTEST_MAIN(TestLedgers)
#include "tst_ledgers.moc"
