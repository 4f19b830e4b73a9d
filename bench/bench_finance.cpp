// Times the payables and receivables on a generated shop: opening the two
// lists of documents with a balance (count, the sum of the balances, the
// first page, as the list windows run them), opening the document chooser
// of one partner, the chooser's look-up of a typed number (one per
// keystroke), and applying a payment and deleting it again. Each is shown
// beside its statements run bare, and the lists once more without the
// index of documents with a balance (dropped in a transaction that is
// rolled back).
//
// The generated shop has sales documents only, every approved one settled.
// The benchmark works on a copy of it kept beside it (made once, "-finance"
// after its name): there every hundredth approved sales document is given a
// balance, and the sales headers are copied as purchase headers, so that
// both sides have as many documents as the shop has headers. Run by hand:
//   cmake --build build --target bench_finance
//   build/bin/bench_finance --articles 100000 --headers 1000000 --ledger 2000000
//                           --dir /work/bench-shops/h1m
#include "BareSql.h"
#include "BenchShop.h"

#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/SqlFunctions.h"
#include "core/db/Udm1.h"
#include "core/finance/Settlements.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <random>

using namespace Qt::Literals::StringLiterals;
using settlements::Side;

namespace {

const QString kMarker = u"finance-copy"_s;

// The copy of the shop, made when it is not there (or was left unfinished).
std::optional<QString> copyShop(const QString &shop, const QString &copy, bool *made)
{
    *made = false;
    const QString source = QDir(shop).filePath(u"QLXData1.db"_s);
    const QString target = QDir(copy).filePath(u"QLXData1.db"_s);
    if (QFile::exists(QDir(copy).filePath(kMarker)))
        return std::nullopt;
    QDir().mkpath(copy);
    for (const QString &suffix : {QString(), u"-wal"_s, u"-shm"_s})
        QFile::remove(target + suffix);
    std::printf("copying %s to %s ...\n", qPrintable(source), qPrintable(target));
    std::fflush(stdout);
    if (!QFile::copy(source, target))
        return u"cannot copy the shop to "_s + target;
    if (QFile::exists(source + u"-wal"_s) && !QFile::copy(source + u"-wal"_s, target + u"-wal"_s))
        return u"cannot copy the shop's log"_s;
    *made = true;
    return std::nullopt;
}

// Every hundredth approved sales document owes part of its amount; the sales
// headers come again as purchase headers.
void giveBalances(const QSqlDatabase &db, const QString &copy)
{
    QElapsedTimer t;
    t.start();
    Transaction tx(db);
    sql::exec(db, u"UPDATE xsglz SET sse = sse - yse / 4, qk = yse - (sse - yse / 4)"
                  " WHERE shbj = '已审核' AND id % 100 = 0"_s);
    sql::exec(db, u"INSERT INTO cgglz (dh, rq, kdrq, ghs, jsr, bz, shbj, zhidan, hjsl, hjje, yhe,"
                  " yfe, sfe, qk) SELECT 'CGD' || substr(dh, 4) || CASE WHEN dh LIKE 'PFD%'"
                  " THEN 'P' ELSE '' END, rq, kdrq, '厂商' || (id / 100 % 50), jsr, bz, shbj, zhidan,"
                  " hjsl, hjje, yhe, yse, sse, qk FROM xsglz ORDER BY id"_s);
    tx.commit();
    QFile marker(QDir(copy).filePath(kMarker));
    marker.open(QIODevice::WriteOnly);
    std::printf("balances given and purchase headers made in %.1f s\n\n", t.elapsed() / 1000.0);
}

// What a list window runs when it opens: the count, the sum of the
// balances, the first page.
void openList(const QSqlDatabase &db, const ListQuery &list)
{
    list.count(db);
    list.sums(db, {u"qk"_s});
    list.page(db, list.order(), 0, 60);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const benchshop::Options options = benchshop::parse(app.arguments());
    QString dir;
    bool reused = false;
    if (auto error = benchshop::prepare(options, &dir, &reused)) {
        std::fprintf(stderr, "%s\n", qPrintable(*error));
        return 1;
    }
    const QString copy = QDir::cleanPath(dir) + u"-finance"_s;
    bool made = false;
    if (auto error = copyShop(dir, copy, &made)) {
        std::fprintf(stderr, "%s\n", qPrintable(*error));
        return 1;
    }
    QElapsedTimer opening;
    opening.start();
    TDM1 dm(copy);
    if (auto error = dm.open()) {
        std::fprintf(stderr, "cannot open the copy: %s\n", qPrintable(*error));
        return 1;
    }
    QSqlDatabase db = dm.ADOC1();
    // A copy made by an earlier build of the program may hold the index of
    // documents with a balance in another form: made again by the upgrade.
    const QString owedIndex =
        sql::scalar(db, u"SELECT sql FROM sqlite_master WHERE name = 'cgglz_owed'"_s).toString();
    const bool byPartner = sql::exists(db, u"SELECT 1 FROM sqlite_master WHERE name = 'cgglz_owed_partner'"_s);
    if (!owedIndex.contains(u"(shbj, id, qk)"_s) || !byPartner) {
        QElapsedTimer t;
        t.start();
        sql::exec(db, u"DROP INDEX IF EXISTS cgglz_owed"_s);
        sql::exec(db, u"DROP INDEX IF EXISTS xsglz_owed"_s);
        // The documents with a balance spread over the suppliers, as they
        // do over the customers.
        sql::exec(db, u"UPDATE cgglz SET ghs = '厂商' || (id / 100 % 50)"_s);
        sql::exec(db, u"PRAGMA user_version = 6"_s);
        if (auto error = schema::upgrade(db)) {
            std::fprintf(stderr, "cannot upgrade the copy: %s\n", qPrintable(*error));
            return 1;
        }
        std::printf("the upgrade step made the indexes of documents with a balance in %.1f s\n",
                    t.elapsed() / 1000.0);
    }
    if (made) {
        std::printf("opened (and upgraded) in %.1f s\n", opening.elapsed() / 1000.0);
        giveBalances(db, copy);
    }
    const auto &pay = settlements::descriptor(Side::Payables);
    const auto &receive = settlements::descriptor(Side::Receivables);
    const qint64 headers = sql::scalar(db, u"SELECT count(*) FROM cgglz"_s).toLongLong();
    const qint64 owed = settlements::owedList(pay).count(db);
    std::printf("shop copy %s: %lld purchase and %lld sales headers, %lld of each with a balance;"
                " medians of %d runs\n\n",
                qPrintable(copy), static_cast<long long>(headers),
                static_cast<long long>(sql::scalar(db, u"SELECT count(*) FROM xsglz"_s).toLongLong()),
                static_cast<long long>(owed), options.runs);
    bare::printHeading();
    const int runs = options.runs;
    sqlite3 *handle = sqliteHandle(db);

    for (const settlements::Descriptor *d : {&pay, &receive}) {
        const QString name = d->side == Side::Payables ? u"payables"_s : u"receivables"_s;
        const ListQuery all = settlements::owedList(*d);
        bare::print(name + u" list opens"_s, bare::compare(handle, runs, [&] { openList(db, all); }));
        settlements::OwedFilter f;
        f.partner = d->side == Side::Payables ? u"厂商7"_s : u"客户7"_s;
        const ListQuery chooser = settlements::owedList(*d, f);
        // The chooser shows no sums: its count and first page.
        const auto openChooser = [&db](const ListQuery &list) {
            list.count(db);
            list.page(db, list.order(), 0, 60);
        };
        bare::print(name + u" chooser opens (no partner yet)"_s,
                    bare::compare(handle, runs, [&] { openChooser(all); }));
        bare::print(name + u" chooser opens (one partner)"_s,
                    bare::compare(handle, runs, [&] { openChooser(chooser); }));
    }

    // A number typed into the payment window: one look-up per keystroke, of
    // numbers with a balance and without.
    std::mt19937 rnd(5);
    QStringList numbers;
    for (int i = 0; i < 100; ++i) {
        const qint64 id = 1 + qint64(rnd() % quint64(headers));
        numbers << sql::scalar(db, u"SELECT dh FROM cgglz WHERE id >= ? AND (qk <> 0) = ?"
                                   " ORDER BY id LIMIT 1"_s,
                               {id, i % 2 == 0})
                       .toString();
    }
    int keystrokes = 0;
    for (const QString &n : numbers)
        keystrokes += int(n.size());
    bare::print(u"chooser look-up (a keystroke, "_s + QString::number(keystrokes) + u" a run)"_s,
                bare::compare(handle, runs,
                              [&] {
                                  for (const QString &n : numbers)
                                      for (int len = 1; len <= n.size(); ++len)
                                          settlements::findOwed(db, pay, n.left(len));
                              }),
                u"µs"_s, 1000.0 / keystrokes);

    // A payment applied, and deleted (which takes it out again).
    const QString owedNumber = numbers.at(0);
    bare::foldLog(handle);
    bare::print(u"payment applied and deleted"_s,
                bare::compare(handle, runs, [&] {
                    const auto r = settlements::add(db, pay, {QDate::currentDate(), owedNumber,
                                                              u"10"_s, u"张三"_s, {}});
                    if (!r.outcome.ok()) {
                        std::fprintf(stderr, "refused: %s\n", qPrintable(r.outcome.message));
                        std::exit(1);
                    }
                    settlements::remove(db, pay, r.id);
                }));

    // The same lists without the index of documents with a balance.
    std::printf("\nwithout the index of documents with a balance (dropped, then rolled back):\n");
    {
        sql::exec(db, u"BEGIN"_s);
        sql::exec(db, u"DROP INDEX cgglz_owed"_s);
        const ListQuery all = settlements::owedList(pay);
        QElapsedTimer t;
        std::vector<double> ms;
        for (int i = 0; i < std::max(1, runs / 2); ++i) {
            t.start();
            openList(db, all);
            ms.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("  payables list opens: %.1f ms\n", bare::median(ms));
        sql::exec(db, u"ROLLBACK"_s);
    }
    return 0;
}
