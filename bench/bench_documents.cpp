// Times the counter's work on a generated shop: the code look-up run on every
// keystroke, adding a line, finalizing a 50-line document with its posting,
// the held-document picker (warm, and cold: the file read anew from the
// disk) and the start-up removal of interrupted entries. Each is shown
// beside the statements it ran, run bare in SQLite on the same connection
// (prepared once), with their ratio. Build in Release and run by hand:
//   cmake --build build --target bench_documents
//   build/bin/bench_documents --articles 1000000 --headers 1000000 --ledger 10000000
// (the options are in bench/BenchShop.h; the shop is made once and kept, and
// what the benchmark writes is taken out again at the end).
#include "BareSql.h"
#include "BenchShop.h"

#include "core/db/Numbering.h"
#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/SqlFunctions.h"
#include "core/db/Udm1.h"
#include "core/documents/Documents.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace documents;

namespace {

// The file's pages leave the system's cache, so that the next read comes
// from the disk (the connection is closed meanwhile).
void dropFromCache(const QString &file)
{
    for (const QString &f : QStringList{file, file + u"-wal"_s}) {
        const int fd = ::open(QFile::encodeName(f).constData(), O_RDONLY);
        if (fd < 0)
            continue;
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

// The statements with one document number in place of another.
std::vector<bare::Statement> renumbered(std::vector<bare::Statement> statements,
                                        const QString &from, const QString &to)
{
    const QByteArray a = from.toUtf8(), b = to.toUtf8();
    for (bare::Statement &s : statements)
        for (bare::Value &v : s.values)
            if (auto *text = std::get_if<QByteArray>(&v); text && *text == a)
                *text = b;
    return statements;
}

[[noreturn]] void refused(const documents::Outcome &o)
{
    std::fprintf(stderr, "refused: %s\n", qPrintable(o.message));
    std::exit(1);
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
    QSqlDatabase db = dm.ADOC1();
    std::printf("shop: %lld articles, %lld document headers, %lld ledger rows (%s, %s)\n",
                static_cast<long long>(options.articles), static_cast<long long>(options.headers),
                static_cast<long long>(options.ledger), qPrintable(dir), reused ? "kept from before" : "made now");
    std::printf("journal_mode %s, synchronous %s; medians of %d runs; bare: the statements the"
                " operation ran, prepared once\n\n",
                qPrintable(sql::scalar(db, u"PRAGMA journal_mode"_s).toString()),
                qPrintable(sql::scalar(db, u"PRAGMA synchronous"_s).toString()), options.runs);
    bare::printHeading();
    const int runs = options.runs;
    const QDate today = QDate::currentDate();
    const Descriptor &retail = descriptor(DocumentKind::Retail);
    std::mt19937 rnd(11);

    // Typing or scanning a code: one look-up per keystroke; the prefixes find
    // nothing, the whole code finds the article.
    QStringList codes;
    for (int i = 0; i < 200; ++i)
        codes << sql::scalar(db, u"SELECT txm FROM sp WHERE id = ?"_s,
                             {qint64(1 + rnd() % quint64(options.articles))})
                     .toString();
    int lookups = 0;
    for (const QString &code : codes)
        lookups += int(code.size());
    bare::print(u"code look-up (a keystroke, "_s + QString::number(lookups) + u" a run)"_s,
                bare::compare(sqliteHandle(db), runs,
                              [&] {
                                  for (const QString &code : codes)
                                      for (int len = 1; len <= code.size(); ++len)
                                          findGoodsByCode(db, code.left(len));
                              }),
                u"µs"_s, 1000.0 / lookups);

    // Documents of 50 lines entered and finalized: the program's, and beside
    // each one the same statements bare on a document of another number.
    std::vector<Goods> chosen;
    while (chosen.size() < 50)
        if (auto g = findGoodsByCode(db, codes.at(int(rnd() % codes.size()))))
            chosen.push_back(*g);
    struct Stock {
        qint64 id, kcsl, kcjg, kcje;
    };
    std::vector<Stock> stockBefore;
    for (const Goods &g : chosen)
        stockBefore.push_back({g.id, g.kcsl.units(), g.kcjg.units(), g.kcje.units()});
    QStringList made;
    QString dh = numbering::nextOfToday(db, numbering::Kind::Retail, today).number;
    auto nextNumber = [&] {
        const QString n = dh;
        made << n;
        dh = numbering::nextAfterSave(numbering::Kind::Retail, dh, today).number;
        return n;
    };
    const HeaderInput header{today, u"散客"_s, u"张三"_s, QString(), u"0"_s, u"0"_s};
    auto enterLines = [&](const QString &number, std::vector<double> *ms) {
        for (const Goods &g : chosen) {
            const LineInput in{g.txm, g.ppgg, g.dw, u"2"_s, defaultPrice(retail, g).toShortest(), g.kcjg};
            QElapsedTimer t;
            t.start();
            const LineAdded r = addLine(db, retail, number, in);
            if (ms)
                ms->push_back(double(t.nsecsElapsed()) / 1e6);
            if (!r.outcome.ok())
                refused(r.outcome);
        }
    };
    // Once to learn the statements.
    const QString learnt = nextNumber();
    sqlite3 *handle = sqliteHandle(db);
    std::vector<std::vector<bare::Statement>> lineStatements;
    for (size_t k = 0; k < chosen.size(); ++k) {
        bare::Recording recording(handle);
        const LineInput in{chosen[k].txm, chosen[k].ppgg, chosen[k].dw, u"2"_s,
                           defaultPrice(retail, chosen[k]).toShortest(), chosen[k].kcjg};
        if (const LineAdded r = addLine(db, retail, learnt, in); !r.outcome.ok())
            refused(r.outcome);
        lineStatements.push_back(recording.stop());
    }
    std::vector<bare::Statement> finalizeStatements;
    {
        bare::Recording recording(handle);
        const documents::Saved s = finalize(db, retail, learnt, Mode::New, header, u"系统管理员"_s, today);
        if (!s.outcome.ok())
            refused(s.outcome);
        finalizeStatements = recording.stop();
    }
    std::vector<double> addProgram, addBare, finalizeProgram, finalizeBare;
    {
        bare::BareRun bareRun(handle);
        for (int r = 0; r < runs; ++r) {
            const QString ours = nextNumber();
            bare::foldLog(handle);
            enterLines(ours, &addProgram);
            bare::foldLog(handle);
            QElapsedTimer t;
            t.start();
            const documents::Saved s = finalize(db, retail, ours, Mode::New, header, u"系统管理员"_s, today);
            finalizeProgram.push_back(double(t.nsecsElapsed()) / 1e6);
            if (!s.outcome.ok())
                refused(s.outcome);
            const QString theirs = nextNumber();
            bare::foldLog(handle);
            for (const auto &statements : lineStatements)
                addBare.push_back(double(bareRun.run(renumbered(statements, learnt, theirs))) / 1e6);
            const std::vector<bare::Statement> finalizing = renumbered(finalizeStatements, learnt, theirs);
            bare::foldLog(handle);
            finalizeBare.push_back(double(bareRun.run(finalizing)) / 1e6);
        }
    }
    bare::print(u"add a line (one row, committed)"_s,
                {bare::median(addProgram), bare::median(addBare), lineStatements.front().size()});
    bare::print(u"finalize a 50-line document with its posting"_s,
                {bare::median(finalizeProgram), bare::median(finalizeBare), finalizeStatements.size()});

    // The start-up removal of the unsaved lines of entries interrupted on
    // earlier days, over every line table of the shop.
    bare::print(u"start-up: remove interrupted entries"_s,
                bare::compare(
                    sqliteHandle(db), runs,
                    [&] {
                        if (!removeInterruptedEntries(db, today))
                            std::exit(1);
                    },
                    [&] { bare::foldLog(sqliteHandle(db)); }));

    // What the benchmark wrote goes again: its documents, and the stock of
    // the articles they moved as it was.
    try {
        Transaction tx(db);
        for (const QString &n : made)
            for (const char *table : {"xsglc", "xsfx", "skfx", "xsglz"})
                sql::exec(db, u"DELETE FROM "_s + QLatin1StringView(table) + u" WHERE dh = ?"_s, {n});
        for (const Stock &s : stockBefore)
            sql::exec(db, u"UPDATE sp SET kcsl = ?, kcjg = ?, kcje = ? WHERE id = ?"_s,
                      {s.kcsl, s.kcjg, s.kcje, s.id});
        tx.commit();
    } catch (const DbError &e) {
        std::fprintf(stderr, "cannot take the benchmark's documents out: %s\n", qPrintable(e.message()));
        return 1;
    }

    // The held-document picker: warm, then with the file read from the disk.
    const HeldFilter everyHeld;
    size_t held = 0;
    bare::print(u"held-document picker, warm"_s, bare::compare(sqliteHandle(db), runs, [&] {
                    held = heldDocuments(db, retail, everyHeld).size();
                }));
    std::vector<bare::Statement> pickerStatements;
    {
        bare::Recording recording(sqliteHandle(db));
        heldDocuments(db, retail, everyHeld);
        pickerStatements = recording.stop();
    }
    const QString file = dm.databasePath();
    std::vector<double> coldProgram, coldBare;
    for (int r = 0; r < runs; ++r) {
        dm.closeConnection();
        dropFromCache(file);
        db = dm.ADOC1();
        QElapsedTimer t;
        t.start();
        heldDocuments(db, retail, everyHeld);
        coldProgram.push_back(double(t.nsecsElapsed()) / 1e6);
        dm.closeConnection();
        dropFromCache(file);
        db = dm.ADOC1();
        bare::BareRun bareRun(sqliteHandle(db));
        coldBare.push_back(double(bareRun.run(pickerStatements)) / 1e6);
    }
    bare::print(u"held-document picker, cold"_s,
                {bare::median(coldProgram), bare::median(coldBare), pickerStatements.size()});
    std::printf("\nheld retail documents listed: %zu\n", held);
    return 0;
}
