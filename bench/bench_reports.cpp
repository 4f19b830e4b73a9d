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

#include <QCoreApplication>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

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
    return 0;
}
