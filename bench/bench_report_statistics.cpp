// Times the statistics of the top-panel windows on a shop with years of
// ledger rows: the employees' commissions over one year, and the goods'
// purchases, sales and movements over one year with no text (and, for
// comparison, with a text). The shop is opened read-only and never written;
// the year is the last one the sales ledger reaches unless --from/--to say
// otherwise. Each statement's plan is shown with its times. Build in Release
// and run by hand (--statements 1 also times the commissions' one statement,
// once):
//   bench_report_statistics [--dir DIR] [--runs N] [--from yyyy-mm-dd --to yyyy-mm-dd]
//                           [--text TEXT] [--statements 1]
// DIR holds QLXData1.db (default /work/bench-shops/y5).
#include "core/db/Sql.h"
#include "core/db/SqlFunctions.h"
#include "core/reports/Statistics.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <ctime>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Options {
    QString dir = u"/work/bench-shops/y5"_s;
    int runs = 5;
    QDate from, to;
    QString text = u"扳手"_s;
    bool statements = false;  // also the one statements, once each
};

[[noreturn]] void usage()
{
    std::fprintf(stderr, "usage: bench_report_statistics [--dir DIR] [--runs N] "
                         "[--from yyyy-mm-dd --to yyyy-mm-dd] [--text TEXT]\n");
    std::exit(2);
}

Options parse(const QStringList &args)
{
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (i + 1 >= args.size())
            usage();
        const QString v = args[++i];
        if (a == u"--dir"_s)
            o.dir = v;
        else if (a == u"--runs"_s)
            o.runs = std::max(1, v.toInt());
        else if (a == u"--from"_s)
            o.from = QDate::fromString(v, Qt::ISODate);
        else if (a == u"--to"_s)
            o.to = QDate::fromString(v, Qt::ISODate);
        else if (a == u"--text"_s)
            o.text = v;
        else if (a == u"--statements"_s)
            o.statements = v != u"0"_s;
        else
            usage();
    }
    return o;
}

// The processor time this process has used, in milliseconds: on a machine
// shared with other work it says more than the time on the clock.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Times {
    double wall = 0, cpu = 0;
};

// The medians of `runs` timed runs, in milliseconds; `rows` the result's rows.
Times timed(int runs, const std::function<int()> &work, int *rows)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const double c = cpuMs();
        t.start();
        *rows = work();
        wall.push_back(double(t.nsecsElapsed()) / 1e6);
        cpu.push_back(cpuMs() - c);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

QString planOf(const QSqlDatabase &db, const statistics::Statement &s)
{
    sql::Query q = sql::exec(db, u"EXPLAIN QUERY PLAN "_s + s.text, s.binds);
    QStringList steps;
    while (q.next())
        steps << q.value(3).toString();
    return steps.join(u"; "_s);
}

qint64 count(const QSqlDatabase &db, const QString &table, const statistics::DateRange &r)
{
    return sql::scalar(db, u"SELECT count(*) FROM "_s + table + u" WHERE rq >= ? AND rq <= ?"_s,
                       {r.from->toString(Qt::ISODate), r.to->toString(Qt::ISODate)})
        .toLongLong();
}

void report(const char *what, Times t, const int &rows, double target, const QString &plan = {})
{
    std::printf("%-44s %9.1f ms (processor %8.1f ms) %8d rows  target < %.0f ms  %s\n", what,
                t.wall, t.cpu, rows, target, t.wall < target ? "ok" : "SLOW");
    if (!plan.isEmpty())
        std::printf("    statement's plan: %s\n", qPrintable(plan));
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const Options o = parse(app.arguments());
    const QString file = QDir(o.dir).filePath(u"QLXData1.db"_s);
    if (!QFileInfo::exists(file)) {
        std::fprintf(stderr, "no shop at %s\n", qPrintable(file));
        return 1;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"bench"_s);
    // Read-only: the shared shop is never written.
    db.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
    db.setDatabaseName(file);
    if (!db.open() || !registerSqlFunctions(db)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(file),
                     qPrintable(db.lastError().text()));
        return 1;
    }

    try {
        statistics::DateRange year;
        if (o.from.isValid() && o.to.isValid()) {
            year = {o.from, o.to};
        } else {
            const QDate last = QDate::fromString(
                sql::scalar(db, u"SELECT max(rq) FROM xsfx"_s).toString(), Qt::ISODate);
            if (!last.isValid()) {
                std::fprintf(stderr, "the sales ledger is empty\n");
                return 1;
            }
            year = {last.addYears(-1).addDays(1), last};
        }
        std::printf("shop %s, year %s .. %s: %lld sales, %lld purchase, %lld movement rows;"
                    " %lld goods rows; median of %d runs\n",
                    qPrintable(file), qPrintable(year.from->toString(Qt::ISODate)),
                    qPrintable(year.to->toString(Qt::ISODate)), count(db, u"xsfx"_s, year),
                    count(db, u"cgfx"_s, year), count(db, u"rkfx"_s, year),
                    sql::scalar(db, u"SELECT count(*) FROM sp"_s).toLongLong(), o.runs);

        int rows = 0;
        using statistics::Way;
        const statistics::CommissionFilter commissions{QString(), year};
        report("commissions, one year", timed(o.runs, [&] {
                   return statistics::commissions(db, commissions).rowCount();
               }, &rows), rows, 500, planOf(db, statistics::commissionStatement(commissions)));
        if (o.statements)
            report("  the same as its one statement", timed(1, [&] {
                       return statistics::commissions(db, commissions, Way::Statement).rowCount();
                   }, &rows), rows, 500);

        const statistics::StockFilter all{QString(), year};
        report("in/out/stock, one year, no text", timed(o.runs, [&] {
                   return statistics::stockStatistics(db, all).rowCount();
               }, &rows), rows, 1000, planOf(db, statistics::stockStatement(all)));

        const statistics::StockFilter text{o.text, year};
        report("in/out/stock, one year, a text", timed(o.runs, [&] {
                   return statistics::stockStatistics(db, text).rowCount();
               }, &rows), rows, 1000);
    } catch (const DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
