// Times the ledger reports on a generated shop: the detail windows opening on
// a day, a detail query with nothing typed, the grouped statistics over a
// year (not grouped and per partner) and the drill-down from a statistics row.
// Build in Release and run by hand:
//   cmake --build build --target bench_reports
//   build/bin/bench_reports --articles 1000000 --headers 550000 --ledger 10000000
//       --purchases 2000000 --movements 500000 --dir /work/bench-shops/y5
// (the options are in bench/BenchShop.h; the shop is made once and kept).
#include "BenchShop.h"

#include "core/db/Sql.h"
#include "core/db/Udm1.h"
#include "core/lists/GridRows.h"
#include "core/money/Decimal.h"
#include "core/reports/Ledgers.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace ledgers;

namespace {

// What a report window runs to show a list: the sums of its status bar, the
// row count and the first page of rows.
struct Shown {
    qint64 rows = 0;
    QString sums;
};

Shown show(const QSqlDatabase &db, const ListQuery &q, const QStringList &sums)
{
    Shown s;
    QStringList texts;
    for (const QVariant &v : q.sums(db, sums))
        texts << Decimal::fromUnits(v.toLongLong()).toShortest();
    s.sums = texts.join(u' ');
    s.rows = q.count(db);
    const Snapshot first = q.page(db, q.order(), 0, GridRows::PageRows);
    if (first.rowCount() == 0 && s.rows > 0)
        std::fprintf(stderr, "no first page\n");
    return s;
}

double medianMs(int runs, const std::function<void()> &op)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        op();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void report(const QByteArray &what, double ms, double targetMs, const Shown &s)
{
    std::printf("%-58s %9.1f ms  (target %6.0f ms)  %s  rows %lld, sums %s\n", what.constData(), ms, targetMs,
                ms <= targetMs ? "ok  " : "SLOW", static_cast<long long>(s.rows), qPrintable(s.sums));
    std::fflush(stdout);
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
    TDM1 dm(dir);
    if (auto error = dm.open()) {
        std::fprintf(stderr, "cannot open the shop: %s\n", qPrintable(*error));
        return 1;
    }
    std::printf("shop: %lld articles, %lld headers, ledgers %lld sales, %lld purchases, %lld movements"
                " (%s, %s)\n",
                static_cast<long long>(options.articles), static_cast<long long>(options.headers),
                static_cast<long long>(options.ledger), static_cast<long long>(options.purchases),
                static_cast<long long>(options.movements), qPrintable(dir),
                reused ? "kept from before" : "made now");
    const QSqlDatabase db = dm.ADOC1();
    const int runs = options.runs;
    const QDate last = benchshop::lastDay(options);
    std::printf("the shop's last day %s stands for today; medians of %d runs\n\n",
                qPrintable(last.toString(u"yyyy-MM-dd"_s)), runs);

    for (Ledger l : {Ledger::Sales, Ledger::Purchases, Ledger::Movements}) {
        const LedgerDescriptor &d = descriptor(l);
        const QByteArray t = d.table.toLatin1();
        Shown s;
        double ms = medianMs(runs, [&] { s = show(db, dayList(d, last), d.detailSums); });
        report((t + " detail opening on a day"), ms, 100, s);
        ms = medianMs(runs, [&] { s = show(db, detailList(d, Filter{}), d.detailSums); });
        report((t + " detail, nothing typed (every row)"), ms, 500, s);

        Filter year;
        year.from = last.addYears(-1).addDays(1);
        year.to = last;
        ListQuery stats;
        for (Grouping g : {Grouping::None, Grouping::Partner, Grouping::Handler}) {
            const char *name = g == Grouping::None      ? " statistics over a year, not grouped"
                               : g == Grouping::Partner ? " statistics over a year, per partner"
                                                        : " statistics over a year, per handler";
            const ListQuery q = groupedList(d, year, g);
            ms = medianMs(runs, [&] { s = show(db, q, d.groupSums); });
            report((t + name), ms, 500, s);
            if (g == Grouping::Partner)
                stats = q;
        }
        // The drill-down from the first row of the statistics per partner.
        const Snapshot first = stats.page(db, stats.order(), 0, 1);
        if (first.rowCount() == 0)
            continue;
        DrillDown r{first.value(0, u"txm"_s).toString(), first.value(0, u"ppgg"_s).toString(),
                    first.value(0, u"dw"_s).toString(), Grouping::Partner,
                    first.value(0, u"fenzu"_s).toString(), year.from, year.to};
        ms = medianMs(runs, [&] { s = show(db, drillDownList(d, r), d.detailSums); });
        report((t + " drill-down from a statistics row"), ms, 50, s);
        r.grouping = Grouping::None;
        r.from.reset();
        r.to.reset();
        ms = medianMs(runs, [&] { s = show(db, drillDownList(d, r), d.detailSums); });
        report((t + " drill-down, no group, no range"), ms, 50, s);
    }
    return 0;
}
