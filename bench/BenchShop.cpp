#include "BenchShop.h"

#include "core/db/Dates.h"
#include "core/db/Schema.h"
#include "core/db/SqlFunctions.h"
#include "core/masterdata/Pinyin.h"
#include "core/money/Decimal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QUuid>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace benchshop {
namespace {

[[noreturn]] void usage(const QString &problem)
{
    std::fprintf(stderr,
                 "%s\n"
                 "options: --articles N  --headers N  --ledger N  (the shop's size)\n"
                 "         --dir DIR     where the generated shop is kept\n"
                 "         --runs N      timed runs of each operation (the median is shown)\n",
                 qPrintable(problem));
    std::exit(2);
}

const QStringList &kinds()
{
    static const QStringList k = {u"不锈钢螺丝"_s, u"膨胀螺栓"_s, u"镀锌管"_s,  u"不锈钢合页"_s,
                                  u"电焊条"_s,     u"角磨机"_s,   u"水龙头"_s,  u"麻花钻头"_s,
                                  u"水泥钉"_s,     u"绝缘胶布"_s, u"铜芯电线"_s, u"五孔插座"_s,
                                  u"PPR水管"_s,    u"弯头"_s,     u"球阀"_s,    u"扳手"_s};
    return k;
}

const QStringList &units()
{
    static const QStringList u = {u"个"_s, u"把"_s, u"套"_s, u"米"_s, u"盒"_s, u"卷"_s};
    return u;
}

qint64 roundedProduct(qint64 a, qint64 b)
{
    return (Decimal::fromUnits(a) * Decimal::fromUnits(b)).roundedTo2().units();
}

// Inserts through SQLite's own interface, the texts bound as UTF-8.
class Insert
{
public:
    Insert(sqlite3 *db, const char *sql) : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            fail();
    }
    ~Insert() { sqlite3_finalize(m_stmt); }

    Insert &text(const QByteArray &utf8)
    {
        sqlite3_bind_text(m_stmt, ++m_at, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert &text(const QString &s) { return text(s.toUtf8()); }
    Insert &number(qint64 v)
    {
        sqlite3_bind_int64(m_stmt, ++m_at, v);
        return *this;
    }
    void run()
    {
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            fail();
        sqlite3_reset(m_stmt);
        m_at = 0;
    }

private:
    [[noreturn]] void fail() const
    {
        std::fprintf(stderr, "generating the shop failed: %s\n", sqlite3_errmsg(m_db));
        std::exit(1);
    }
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    int m_at = 0;
};

void run(sqlite3 *db, const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "generating the shop failed: %s: %s\n", sql, error);
        std::exit(1);
    }
}

// What the lines need of an article.
struct ArticleRow {
    QByteArray code, name, unit;
    qint64 cost;
};

void progress(const char *what, qint64 done, qint64 all, const QElapsedTimer &t)
{
    std::fprintf(stderr, "\r  %s: %lld of %lld (%lld s)   ", what, static_cast<long long>(done),
                 static_cast<long long>(all), static_cast<long long>(t.elapsed() / 1000));
    if (done == all)
        std::fprintf(stderr, "\n");
}

// The articles: names of 16 kinds with sizes, not in the order of entry,
// their pinyin codes, 40 categories, six units, prices and stock.
std::vector<ArticleRow> makeArticles(sqlite3 *db, qint64 count)
{
    // A step through 0..count-1 that visits every number once.
    qint64 step = 7919;
    while (std::gcd(step, count) != 1)
        step += 2;
    Insert sp(db, "INSERT INTO sp (lb, txm, ppgg, dw, jj, xjpf, xjls, slt, jet, kcsl, kcjg, kcje, ms, bz)"
                  " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '')");
    std::vector<ArticleRow> rows(static_cast<size_t>(count));
    QElapsedTimer t;
    t.start();
    for (qint64 i = 0; i < count; ++i) {
        const qint64 n = (i * step) % count;
        const QString name = kinds().at(int(n % kinds().size())) + u" M"_s + QString::number(n % 97) +
                             u"*"_s + QString::number(n);
        const qint64 price = 1000 + (n % 977) * 101;
        const qint64 stock = (n % 200 - 20) * 10000;
        ArticleRow &row = rows[size_t(i)];
        row = {pinyin::goodsCode(name).toUtf8(), name.toUtf8(), units().at(int(n % 6)).toUtf8(), price};
        sp.text(categoryName(int(i % kCategories) + 1))
            .text(row.code)
            .text(row.name)
            .text(row.unit)
            .number(price)
            .number(price * 13 / 10)
            .number(price * 15 / 10)
            .number((n % 4) * 1000)               // 0, 0.1, 0.2 or 0.3 a unit sold
            .number(n % 3 == 0 ? 100 : 0)         // 1 % of the amount, for a third
            .number(stock)
            .number(price)
            .number(roundedProduct(stock, price))
            .text(n % 5 == 0 ? u"进口"_s : u""_s)
            .run();
        if ((i + 1) % 100000 == 0 || i + 1 == count)
            progress("articles", i + 1, count, t);
    }
    return rows;
}

// Retail and wholesale documents, 300 a day from the first day on, each
// with its lines; the posted ones with their ledger rows, a few held.
qint64 makeDocuments(sqlite3 *db, const Options &o, const std::vector<ArticleRow> &articles)
{
    Insert header(db, "INSERT INTO xsglz (dh, rq, kdrq, kh, jsr, bz, shbj, zhidan, hjsl, hjje, yhe,"
                      " yse, sse, qk) VALUES (?, ?, ?, ?, ?, '', ?, '系统管理员', ?, ?, 0, ?, ?, ?)");
    Insert line(db, "INSERT INTO xsglc (dh, bj, txm, ppgg, dw, sl, jg, je, cbjg, cbje, maoli)"
                    " VALUES (?, 'yz', ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    Insert ledger(db, "INSERT INTO xsfx (dh, rq, kh, jsr, txm, ppgg, dw, sl, jg, je, cbjg, cbje, maoli)"
                      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QByteArray posted = u"已审核"_s.toUtf8();
    const QByteArray held = u"未审核"_s.toUtf8();
    const QByteArray walkIn = u"散客"_s.toUtf8();
    constexpr int perDay = kSalesPerDay;
    const qint64 heldEvery = std::max<qint64>(1, o.headers / kHeldDocuments);
    std::mt19937_64 rnd(7);
    qint64 ledgerRows = 0;
    int heldMade = 0;
    QDate day;
    QByteArray rq;
    int serials[2] = {0, 0};
    QElapsedTimer t;
    t.start();
    for (qint64 d = 0; d < o.headers; ++d) {
        if (d % perDay == 0) {
            day = firstDay().addDays(d / perDay);
            rq = dates::toDbText(day).toUtf8();
            serials[0] = serials[1] = 0;
        }
        const bool retail = d % 3 != 0;
        const QByteArray dh = ((retail ? u"XSD"_s : u"PFD"_s) + dates::toCompactText(day) +
                               QStringLiteral("%1").arg(++serials[retail ? 0 : 1], 3, 10, QLatin1Char('0')))
                                  .toUtf8();
        const QByteArray customer = retail ? walkIn : customerName(int(d % kCustomers)).toUtf8();
        const QByteArray handler = handlerName(int(d % kHandlers)).toUtf8();
        const bool isHeld = d % heldEvery == heldEvery - 1 && heldMade < kHeldDocuments;
        heldMade += isHeld ? 1 : 0;
        const qint64 lines = o.ledger / o.headers + (d < o.ledger % o.headers ? 1 : 0);
        qint64 hjsl = 0, hjje = 0;
        for (qint64 k = 0; k < lines; ++k) {
            const ArticleRow &a = articles[size_t(rnd() % articles.size())];
            const qint64 sl = 10000 * qint64(1 + rnd() % 5);
            const qint64 price = a.cost * 3 / 2;
            const qint64 je = roundedProduct(sl, price);
            const qint64 cbje = roundedProduct(sl, a.cost);
            line.text(dh).text(a.code).text(a.name).text(a.unit).number(sl).number(price).number(je)
                .number(a.cost).number(cbje).number(je - cbje).run();
            if (!isHeld) {
                ledger.text(dh).text(rq).text(customer).text(handler).text(a.code).text(a.name).text(a.unit)
                    .number(sl).number(price).number(je).number(a.cost).number(cbje)
                    .number(je - cbje).run();
                ++ledgerRows;
            }
            hjsl += sl;
            hjje += je;
        }
        header.text(dh).text(rq).text(rq).text(customer).text(handler).text(isHeld ? held : posted).number(hjsl)
            .number(hjje).number(hjje).number(isHeld ? 0 : hjje).number(isHeld ? hjje : 0).run();
        if ((d + 1) % 20000 == 0 || d + 1 == o.headers)
            progress("documents", d + 1, o.headers, t);
    }
    return ledgerRows;
}

// The documents of a second ledger (purchases or movements), ten lines each,
// spread evenly over the days of the sales documents, all posted. One line in
// twenty-five is a return (or a movement out where the reason is an addition).
struct SecondLedger {
    const char *what;
    QString prefix;
    const char *headerSql, *lineSql, *ledgerSql;
    bool withMoney;
};

qint64 makeSecondLedger(sqlite3 *db, const Options &o, const SecondLedger &kind, qint64 rows,
                        const std::vector<ArticleRow> &articles)
{
    if (rows <= 0)
        return 0;
    Insert header(db, kind.headerSql);
    Insert line(db, kind.lineSql);
    Insert ledger(db, kind.ledgerSql);
    const QStringList reasons = {u"盘盈"_s, u"盘亏"_s, u"报损"_s, u"赠送"_s, u"自用"_s, u"调拨"_s};
    const qint64 documents = (rows + kLinesPerDocument - 1) / kLinesPerDocument;
    const qint64 days = firstDay().daysTo(lastDay(o)) + 1;
    const QByteArray posted = u"已审核"_s.toUtf8();
    std::mt19937_64 rnd(11);
    QElapsedTimer t;
    t.start();
    qint64 made = 0;
    qint64 lastDayIndex = -1;
    int serial = 0;
    for (qint64 d = 0; d < documents; ++d) {
        const qint64 dayIndex = d * days / documents;
        if (dayIndex != lastDayIndex) {
            lastDayIndex = dayIndex;
            serial = 0;
        }
        const QDate day = firstDay().addDays(dayIndex);
        const QByteArray rq = dates::toDbText(day).toUtf8();
        const QByteArray dh = (kind.prefix + dates::toCompactText(day) +
                               QStringLiteral("%1").arg(++serial, 3, 10, QLatin1Char('0')))
                                  .toUtf8();
        const int reason = int(d % reasons.size());
        const QByteArray partner =
            (kind.withMoney ? supplierName(int(d % kSuppliers)) : reasons.at(reason)).toUtf8();
        const QByteArray handler = handlerName(int(d % kHandlers)).toUtf8();
        // Movements in: 盘盈 and half of 调拨; the others go out.
        const bool movementIn = reason == 0 || (reason == 5 && (d / 6) % 2 == 0);
        const qint64 lines = std::min<qint64>(kLinesPerDocument, rows - made);
        qint64 hjsl = 0, hjje = 0;
        for (qint64 k = 0; k < lines; ++k) {
            const ArticleRow &a = articles[size_t(rnd() % articles.size())];
            qint64 sl = 10000 * qint64(1 + rnd() % (kind.withMoney ? 100 : 5));
            const bool back = rnd() % 25 == 0;
            if (kind.withMoney ? back : movementIn == back)
                sl = -sl;
            const qint64 je = roundedProduct(sl, a.cost);
            line.text(dh).text(a.code).text(a.name).text(a.unit).number(sl).number(a.cost)
                .number(je).run();
            ledger.text(dh).text(rq).text(partner).text(handler).text(a.code).text(a.name)
                .text(a.unit).number(sl).number(a.cost).number(je).run();
            hjsl += sl;
            hjje += je;
        }
        made += lines;
        header.text(dh).text(rq).text(rq).text(partner).text(handler).number(hjsl).number(hjje);
        if (kind.withMoney)
            header.number(hjje).number(hjje);
        header.run();
        if ((d + 1) % 20000 == 0 || d + 1 == documents)
            progress(kind.what, d + 1, documents, t);
    }
    return made;
}

qint64 makePurchases(sqlite3 *db, const Options &o, const std::vector<ArticleRow> &articles)
{
    return makeSecondLedger(
        db, o,
        {"purchases", u"CGD"_s,
         "INSERT INTO cgglz (dh, rq, kdrq, ghs, jsr, hjsl, hjje, yhe, yfe, sfe, qk, bz, shbj, zhidan)"
         " VALUES (?, ?, ?, ?, ?, ?, ?, 0, ?, ?, 0, '', '已审核', '系统管理员')",
         "INSERT INTO cgglc (dh, bj, txm, ppgg, dw, sl, jg, je) VALUES (?, 'yz', ?, ?, ?, ?, ?, ?)",
         "INSERT INTO cgfx (dh, rq, ghs, jsr, txm, ppgg, dw, sl, jg, je)"
         " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
         true},
        o.purchases, articles);
}

qint64 makeMovements(sqlite3 *db, const Options &o, const std::vector<ArticleRow> &articles)
{
    return makeSecondLedger(
        db, o,
        {"movements", u"YDD"_s,
         "INSERT INTO rkglz (dh, rq, kdrq, lx, jsr, hjsl, hjje, bz, shbj, zhidan)"
         " VALUES (?, ?, ?, ?, ?, ?, ?, '', '已审核', '系统管理员')",
         "INSERT INTO rkglc (dh, bj, txm, ppgg, dw, sl, jg, je) VALUES (?, 'yz', ?, ?, ?, ?, ?, ?)",
         "INSERT INTO rkfx (dh, rq, lx, jsr, txm, ppgg, dw, sl, jg, je)"
         " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
         false},
        o.movements, articles);
}

// Suppliers, customers and employees by the names the documents carry.
void makePartners(sqlite3 *db)
{
    Insert ghs(db, "INSERT INTO ghs (mc, lxr, lxdh, lxcz, lxdz, yb, yhmc, yhzh, bz)"
                   " VALUES (?, '', '', '', '', '', '', '', '')");
    for (int s = 0; s < kSuppliers; ++s)
        ghs.text(supplierName(s)).run();
    Insert kh(db, "INSERT INTO kh (mc, lxr, lxdh, lxcz, lxdz, yb, yhmc, yhzh, bz)"
                  " VALUES (?, '', '', '', '', '', '', '', '')");
    for (int c = 0; c < kCustomers; ++c)
        kh.text(customerName(c)).run();
    Insert yg(db, "INSERT INTO yg (xm, xb, zw, bm, dh, dz, jbgz, sfz, bz)"
                  " VALUES (?, '', '', '', '', '', 0, '', '')");
    for (int h = 0; h < kHandlers; ++h)
        yg.text(handlerName(h)).run();
}

QString markerOf(const Options &o)
{
    QString marker = QStringLiteral("articles=%1\nheaders=%2\nledger=%3\n")
                         .arg(o.articles)
                         .arg(o.headers)
                         .arg(o.ledger);
    // Shops of the sales ledger alone keep the marker they were made with.
    if (o.purchases > 0 || o.movements > 0)
        marker += QStringLiteral("purchases=%1\nmovements=%2\n").arg(o.purchases).arg(o.movements);
    return marker;
}

QString defaultDir(const Options &o)
{
    QString name = QStringLiteral("../bench-shops/a%1-h%2-l%3").arg(o.articles).arg(o.headers).arg(o.ledger);
    if (o.purchases > 0 || o.movements > 0)
        name += QStringLiteral("-p%1-m%2").arg(o.purchases).arg(o.movements);
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(name));
}

// Room the shop takes on the disk, generously.
qint64 roomNeeded(const Options &o)
{
    return o.articles * 600 + o.headers * 300 + o.ledger * 430 +
           (o.purchases + o.movements) * 350 + (qint64(64) << 20);
}

}  // namespace

QString categoryName(int c)
{
    return u"类别"_s + QString::number(c);
}

QDate firstDay()
{
    return QDate(2015, 1, 1);
}

QDate lastDay(const Options &o)
{
    return firstDay().addDays((o.headers - 1) / kSalesPerDay);
}

QString handlerName(int h)
{
    static const QStringList names = {u"张三"_s, u"李四"_s, u"王五"_s, u"赵六"_s,
                                      u"钱七"_s, u"孙八"_s, u"周九"_s, u"吴十"_s};
    return names.at(h % names.size());
}

QString supplierName(int s)
{
    return u"厂商"_s + QString::number(s);
}

QString customerName(int c)
{
    return u"客户"_s + QString::number(c);
}

Options parse(const QStringList &arguments)
{
    Options o;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == u"--help"_s || a == u"-h"_s)
            usage(u"benchmark on a generated shop"_s);
        if (i + 1 >= arguments.size())
            usage(u"missing the value of "_s + a);
        const QString v = arguments.at(++i);
        bool ok = true;
        if (a == u"--articles"_s)
            o.articles = v.toLongLong(&ok);
        else if (a == u"--headers"_s)
            o.headers = v.toLongLong(&ok);
        else if (a == u"--ledger"_s)
            o.ledger = v.toLongLong(&ok);
        else if (a == u"--purchases"_s)
            o.purchases = v.toLongLong(&ok);
        else if (a == u"--movements"_s)
            o.movements = v.toLongLong(&ok);
        else if (a == u"--runs"_s)
            o.runs = v.toInt(&ok);
        else if (a == u"--dir"_s)
            o.dir = v;
        else
            usage(u"unknown option "_s + a);
        if (!ok)
            usage(u"not a number: "_s + v);
    }
    if (o.articles < 1 || o.headers < 1 || o.ledger < o.headers || o.runs < 1 || o.purchases < 0 ||
        o.movements < 0)
        usage(u"the shop needs an article, a header, a line for each header and one run"_s);
    return o;
}

std::optional<QString> prepare(const Options &o, QString *dirOut, bool *reused)
{
    const QString dirPath = o.dir.isEmpty() ? defaultDir(o) : QDir(o.dir).absolutePath();
    *dirOut = dirPath;
    QDir dir(dirPath);
    const QString marker = dir.filePath(u"bench-shop.txt"_s);
    const QString file = dir.filePath(schema::databaseFileName());
    {
        QFile m(marker);
        if (QFile::exists(file) && m.open(QIODevice::ReadOnly) &&
            QString::fromUtf8(m.readAll()).startsWith(markerOf(o))) {
            *reused = true;
            return std::nullopt;
        }
    }
    *reused = false;
    if (QFile::exists(file) && !QFile::exists(marker))
        return u"a shop that was not made by the benchmark is there: "_s + file;
    // An earlier generation that did not finish, or other sizes: made anew.
    for (const QString &f : QStringList{file, file + u"-wal"_s, file + u"-shm"_s, marker})
        QFile::remove(f);
    if (!dir.mkpath(u"."_s))
        return u"cannot make "_s + dirPath;
    const qint64 free = QStorageInfo(dirPath).bytesAvailable();
    if (free >= 0 && free < roomNeeded(o))
        return QStringLiteral("too little room on the disk for the shop: %1 MB free, about %2 MB needed")
            .arg(free >> 20)
            .arg(roomNeeded(o) >> 20);
    if (auto error = schema::createDatabaseFile(file))
        return error;

    std::fprintf(stderr, "making the shop (%lld articles, %lld headers, %lld ledger rows) in %s\n",
                 static_cast<long long>(o.articles), static_cast<long long>(o.headers),
                 static_cast<long long>(o.ledger), qPrintable(dirPath));
    QElapsedTimer t;
    t.start();
    qint64 ledgerRows = 0, purchaseRows = 0, movementRows = 0;
    const QString name = u"bench-make-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(file);
        if (!db.open() || !registerSqlFunctions(db))
            return u"cannot open the new shop: "_s + db.lastError().text();
        sqlite3 *handle = sqliteHandle(db);
        // No journal while it is made: a shop that is not finished is made anew.
        run(handle, "PRAGMA journal_mode = OFF");
        run(handle, "PRAGMA synchronous = OFF");
        run(handle, "PRAGMA cache_size = -1048576");
        // The ledger report indexes are made once at the end, by sorting,
        // rather than kept up row by row.
        for (const QString &index : schema::ledgerReportIndexNames())
            run(handle, (u"DROP INDEX "_s + index).toUtf8().constData());
        run(handle, "BEGIN");
        makePartners(handle);
        {
            Insert category(handle, "INSERT INTO lb (lb) VALUES (?)");
            for (int c = 1; c <= kCategories; ++c)
                category.text(categoryName(c)).run();
        }
        const std::vector<ArticleRow> articles = makeArticles(handle, o.articles);
        ledgerRows = makeDocuments(handle, o, articles);
        purchaseRows = makePurchases(handle, o, articles);
        movementRows = makeMovements(handle, o, articles);
        run(handle, "COMMIT");
        std::fprintf(stderr, "  the ledger report indexes (%lld s)\n",
                     static_cast<long long>(t.elapsed() / 1000));
        for (const QString &ddl : schema::ledgerReportIndexes())
            run(handle, ddl.toUtf8().constData());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    QFile m(marker);
    if (!m.open(QIODevice::WriteOnly))
        return u"cannot write "_s + marker;
    m.write((markerOf(o) + QStringLiteral("posted ledger rows=%1\npurchase ledger rows=%2\n"
                                          "movement ledger rows=%3\nmade in=%4 s\n")
                               .arg(ledgerRows)
                               .arg(purchaseRows)
                               .arg(movementRows)
                               .arg(t.elapsed() / 1000))
                .toUtf8());
    std::fprintf(stderr, "made in %lld s, %lld MB\n", static_cast<long long>(t.elapsed() / 1000),
                 static_cast<long long>(QFileInfo(file).size() >> 20));
    return std::nullopt;
}

}  // namespace benchshop
