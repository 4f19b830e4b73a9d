// Times the goods import: a sheet of 10,000 articles (the aim: under 2 s) and
// one of 100,000, as .xlsx and, while the rows fit one, as .xls, beside the
// same statements run bare in SQLite, and the reading of the sheet alone.
//
//   bench_import [--rows 10000,100000] [--runs 3] [--dir DIR]
//
// The sheets are made once by tools/import/make_sheets.py into DIR (by
// default build/bench-shops/import) and used again by later runs.
#include "BareSql.h"

#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/SqlFunctions.h"
#include "core/db/Udm1.h"
#include "core/masterdata/Import.h"
#include "core/masterdata/SheetReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

using namespace Qt::Literals::StringLiterals;

namespace {

bool makeSheets(const QString &dir, int rows)
{
    const QString stem = QDir(dir).filePath(u"goods_%1"_s.arg(rows));
    if (QFileInfo::exists(stem + u".xlsx"_s) && (rows >= 65536 || QFileInfo::exists(stem + u".xls"_s)))
        return true;
    std::printf("making the sheets of %d articles in %s ...\n", rows, qPrintable(dir));
    std::fflush(stdout);
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral(VELBORA_PYTHON3),
            {QStringLiteral(VELBORA_MAKE_SHEETS), u"goods"_s, dir, QString::number(rows)});
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The processor time this process has taken, in milliseconds: on a machine
// busy with other work it tells what the wall clock cannot.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The rows of Sheet1, read and not kept; milliseconds.
double readOnly(const QString &path, int *rows)
{
    QElapsedTimer t;
    t.start();
    QString error;
    const auto book = sheets::open(path, &error);
    *rows = 0;
    if (!book || !book->readSheet(int(book->sheetNames().indexOf(u"Sheet1"_s)),
                                  [rows](const sheets::Row &) {
                                      ++*rows;
                                      return true;
                                  },
                                  &error)) {
        std::printf("cannot read %s: %s\n", qPrintable(path), qPrintable(error));
        std::exit(1);
    }
    return double(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QList<int> sizes{10000, 100000};
    int runs = 3;
    QString dir = QDir::cleanPath(QCoreApplication::applicationDirPath() + u"/../bench-shops/import"_s);
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--rows") {
            sizes.clear();
            for (const QString &n : args[i + 1].split(u','))
                sizes << std::max(1, n.toInt());
        } else if (args[i] == u"--runs") {
            runs = std::max(1, args[i + 1].toInt());
        } else if (args[i] == u"--dir") {
            dir = QDir(args[i + 1]).absolutePath();
        }
    }

    QTemporaryDir shopDir;
    const QString file = QDir(shopDir.path()).filePath(schema::databaseFileName());
    if (auto error = schema::createDatabaseFile(file)) {
        std::printf("cannot make a shop: %s\n", qPrintable(*error));
        return 1;
    }
    TDM1 dm(shopDir.path());
    if (auto error = dm.open()) {
        std::printf("cannot open the shop: %s\n", qPrintable(*error));
        return 1;
    }
    const QSqlDatabase db = dm.ADOC1();
    sqlite3 *handle = sqliteHandle(db);

    bare::printHeading();
    for (const int rows : sizes) {
        if (!makeSheets(dir, rows)) {
            std::printf("cannot make the sheets of %d articles\n", rows);
            return 1;
        }
        for (const QString &ext : {u".xls"_s, u".xlsx"_s}) {
            const QString path = QDir(dir).filePath(u"goods_%1"_s.arg(rows) + ext);
            if (!QFileInfo::exists(path))
                continue;
            std::vector<double> reads, readCpu;
            int read = 0;
            for (int r = 0; r < runs; ++r) {
                const double cpu = cpuMs();
                reads.push_back(readOnly(path, &read));
                readCpu.push_back(cpuMs() - cpu);
            }
            bare::Compared reading;
            reading.program = bare::median(reads);
            bare::print(u"read %1 rows of %2"_s.arg(read).arg(ext), reading);
            std::printf("  processor time: %.1f ms\n", bare::median(readCpu));

            int inserted = 0;
            const bare::Compared c = bare::compare(
                handle, runs,
                [&] {
                    const sheetimport::Imported done = sheetimport::importFile(db, sheetimport::goods(), path);
                    if (!done.ok()) {
                        std::printf("import failed: %s\n", qPrintable(done.message));
                        std::exit(1);
                    }
                    inserted = done.inserted;
                },
                [&] {
                    sql::exec(db, u"DELETE FROM sp"_s);
                    bare::foldLog(handle);
                });
            bare::print(u"import %1 goods from %2"_s.arg(inserted).arg(ext), c);
            std::vector<double> importCpu;
            for (int r = 0; r < runs; ++r) {
                sql::exec(db, u"DELETE FROM sp"_s);
                bare::foldLog(handle);
                const double cpu = cpuMs();
                sheetimport::importFile(db, sheetimport::goods(), path);
                importCpu.push_back(cpuMs() - cpu);
            }
            const double cpu = bare::median(importCpu);
            std::printf("  processor time: %.1f ms\n", cpu);
            if (rows == 10000)
                std::printf("  10,000 rows under 2 s: %s (wall clock), %s (processor time)\n",
                            c.program < 2000 ? "yes" : "no", cpu < 2000 ? "yes" : "no");
        }
    }
    return 0;
}
