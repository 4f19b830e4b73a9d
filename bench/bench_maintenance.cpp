// Times the backup and the compaction of a generated shop, and how long the
// event loop of the calling thread goes without turning meanwhile (the
// largest gap between the ticks of a 10 ms timer: what a window would feel).
// A plain copy of the file's bytes is timed beside them, for scale. The
// generated shop is only read: its backup goes into a folder beside it, and
// what is compacted is a copy of that backup. Build in Release and run by hand:
//   cmake --build build --target bench_maintenance
//   build/bin/bench_maintenance --articles 1000000 --headers 300000 --ledger 6000000 \
//       --dir /work/bench-shops/m2g --runs 1
// (the options are in bench/BenchShop.h; about 2 GB, and three times that
// free beside it).
#include "BenchShop.h"

#include "core/db/Schema.h"
#include "core/db/Udm1.h"
#include "core/maintenance/Maintenance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Timing {
    double seconds = 0;
    double longestGapMs = 0;
    int ticks = 0;
    bool ok = true;
};

// Runs `operation` with a 10 ms timer ticking on this thread.
Timing timed(const std::function<bool()> &operation)
{
    QTimer timer;
    timer.setInterval(10);
    QElapsedTimer sinceTick;
    Timing t;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        t.longestGapMs = std::max(t.longestGapMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
        ++t.ticks;
    });
    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    timer.start();
    t.ok = operation();
    timer.stop();
    // The stretch after the last tick counts too.
    t.longestGapMs = std::max(t.longestGapMs, sinceTick.nsecsElapsed() / 1e6);
    t.seconds = clock.nsecsElapsed() / 1e9;
    return t;
}

void dropFromCache(const QString &file)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY);
    if (fd < 0)
        return;
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

double megabytes(qint64 bytes)
{
    return bytes / 1048576.0;
}

void show(const char *what, const Timing &t, qint64 bytes)
{
    std::printf("%-28s %8.2f s  %7.1f MB/s  longest gap %7.1f ms  (%d ticks)%s\n", what, t.seconds,
                megabytes(bytes) / t.seconds, t.longestGapMs, t.ticks, t.ok ? "" : "  FAILED");
}

Timing median(std::vector<Timing> runs)
{
    std::sort(runs.begin(), runs.end(),
              [](const Timing &a, const Timing &b) { return a.seconds < b.seconds; });
    Timing m = runs[runs.size() / 2];
    for (const Timing &r : runs) {
        m.longestGapMs = std::max(m.longestGapMs, r.longestGapMs);
        m.ok = m.ok && r.ok;
    }
    return m;
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
    const QString shopFile = QDir(dir).filePath(schema::databaseFileName());
    const qint64 size = QFileInfo(shopFile).size();
    std::printf("shop %s (%s): %.0f MB\n", qPrintable(dir), reused ? "reused" : "made",
                megabytes(size));

    // Everything written goes beside the generated shop, never into it.
    const QString work = QDir::cleanPath(dir) + u"-maintenance"_s;
    QDir().mkpath(work);
    const QString plain = QDir(work).filePath(u"plain-copy.bin"_s);
    const QString backup = QDir(work).filePath(u"QLX-bench.bak"_s);
    const QString copyDir = QDir(work).filePath(u"copy"_s);
    QDir().mkpath(copyDir);
    const QString copyFile = QDir(copyDir).filePath(schema::databaseFileName());

    TDM1 shop(dir);
    if (auto error = shop.open()) {
        std::fprintf(stderr, "cannot open the shop: %s\n", qPrintable(*error));
        return 1;
    }
    auto store = maintenance::storeOf(shop);

    std::vector<Timing> plainRuns, backupRuns, compactRuns;
    qint64 compactedSize = 0;
    for (int run = 0; run < options.runs; ++run) {
        QFile::remove(plain);
        dropFromCache(shopFile);
        plainRuns.push_back(timed([&] { return QFile::copy(shopFile, plain); }));
        QFile::remove(plain);

        dropFromCache(shopFile);
        backupRuns.push_back(
            timed([&] { return maintenance::backup(*store, backup).ok(); }));

        // The compaction works on a shop of its own, made from the backup.
        for (const QString &f : QStringList{copyFile, copyFile + u"-wal"_s, copyFile + u"-shm"_s})
            QFile::remove(f);
        if (!QFile::copy(backup, copyFile)) {
            std::fprintf(stderr, "cannot copy the backup to %s\n", qPrintable(copyFile));
            return 1;
        }
        TDM1 copy(copyDir);
        if (auto error = copy.open()) {
            std::fprintf(stderr, "cannot open the copy: %s\n", qPrintable(*error));
            return 1;
        }
        auto copyStore = maintenance::storeOf(copy);
        dropFromCache(copyFile);
        compactRuns.push_back(timed([&] { return maintenance::compact(*copyStore).ok(); }));
        copy.closeConnection();
        compactedSize = QFileInfo(copyFile).size();
    }
    std::printf("median of %d run(s), longest gap of all runs:\n", options.runs);
    show("plain byte copy (reference)", median(plainRuns), size);
    show("backup (online, checked)", median(backupRuns), size);
    show("compaction (checked, swap)", median(compactRuns), size);
    std::printf("backup %.0f MB, compacted %.0f MB\n", megabytes(QFileInfo(backup).size()),
                megabytes(compactedSize));
    QFile::remove(backup);
    QFile::remove(copyFile);
    return 0;
}
