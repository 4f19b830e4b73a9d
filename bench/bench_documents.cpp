// Times the counter's work on a large shop: 100,000 goods, 1,000,000 sales
// ledger rows (with their document lines and 100,000 posted headers). Measures
// the code look-up run on every keystroke, adding a line, and finalizing a
// 50-line document with its posting.
// Build in Release and run by hand:
//   bench_documents [directory for the database] [pragma ...]
// Each further argument is run as "PRAGMA <argument>" on the connection before
// the timings (for example journal_mode=WAL synchronous=NORMAL), to compare
// how the database's journal and syncing settings weigh on each commit.
#include "core/db/Udm1.h"
#include "core/db/Dates.h"
#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/documents/Documents.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace documents;

namespace {

constexpr int kGoods = 100000;
constexpr int kLedgerRows = 1000000;
constexpr int kLinesPerDocument = 10;

QString codeOf(int i)
{
    return u"69"_s + QStringLiteral("%1").arg(i * 7 + 1000003, 11, 10, QLatin1Char('0'));
}

QString nameOf(int i)
{
    static const QStringList kinds = {u"不锈钢螺丝"_s, u"膨胀螺栓"_s, u"镀锌管"_s, u"不锈钢合页"_s,
                                      u"电焊条"_s,     u"角磨机"_s,   u"水龙头"_s, u"麻花钻头"_s};
    return kinds.at(i % kinds.size()) + u' ' + QString::number(i);
}

void prepare(QSqlQuery &q, const QString &statement)
{
    if (!q.prepare(statement))
        throw DbError(statement);
}

void run(QSqlQuery &q)
{
    if (!q.exec())
        throw DbError(u"insert failed"_s);
}

// One transaction, prepared statements bound again for every row.
void generate(const QSqlDatabase &db)
{
    Transaction tx(db);
    QSqlQuery sp(db);
    prepare(sp, u"INSERT INTO sp (lb, txm, ppgg, dw, jj, xjpf, xjls, kcsl, kcjg, kcje)"
                " VALUES ('五金工具', ?, ?, '个', ?, ?, ?, ?, ?, ?)"_s);
    for (int i = 0; i < kGoods; ++i) {
        const qint64 cost = 10000 + (i % 500) * 100;
        const qint64 qty = 1000000 + (i % 97) * 10000;
        sp.bindValue(0, codeOf(i));
        sp.bindValue(1, nameOf(i));
        sp.bindValue(2, cost);
        sp.bindValue(3, cost * 13 / 10);
        sp.bindValue(4, cost * 3 / 2);
        sp.bindValue(5, qty);
        sp.bindValue(6, cost);
        sp.bindValue(7, qint64((Decimal::fromUnits(cost) * Decimal::fromUnits(qty)).roundedTo2().units()));
        run(sp);
    }

    QSqlQuery header(db), line(db), ledger(db);
    prepare(header, u"INSERT INTO xsglz (dh, rq, kdrq, kh, jsr, hjsl, hjje, yhe, yse, sse, qk,"
                    " bz, shbj, zhidan) VALUES (?, ?, ?, '散客', '张三', ?, ?, 0, ?, ?, 0, '',"
                    " '已审核', '系统管理员')"_s);
    prepare(line, u"INSERT INTO xsglc (dh, bj, txm, ppgg, dw, sl, jg, je, cbjg, cbje, maoli)"
                  " VALUES (?, 'yz', ?, ?, '个', ?, ?, ?, ?, ?, ?)"_s);
    prepare(ledger, u"INSERT INTO xsfx (dh, rq, kh, jsr, txm, ppgg, dw, sl, jg, je, cbjg, cbje,"
                    " maoli) VALUES (?, ?, '散客', '张三', ?, ?, '个', ?, ?, ?, ?, ?, ?)"_s);
    const QDate first(2015, 1, 1);
    std::mt19937 rnd(7);
    for (int doc = 0; doc < kLedgerRows / kLinesPerDocument; ++doc) {
        const QDate day = first.addDays(doc / 30);
        const QString dh = (doc % 3 ? u"XSD"_s : u"PFD"_s) + dates::toCompactText(day) +
                           QStringLiteral("%1").arg(doc % 30 + 1, 3, 10, QLatin1Char('0'));
        const QString rq = dates::toDbText(day);
        qint64 hjsl = 0, hjje = 0;
        for (int k = 0; k < kLinesPerDocument; ++k) {
            const int g = int(rnd() % kGoods);
            const qint64 sl = 10000 * (1 + rnd() % 5);
            const qint64 cost = 10000 + (g % 500) * 100;
            const qint64 price = cost * 3 / 2;
            const qint64 je = qint64((Decimal::fromUnits(sl) * Decimal::fromUnits(price)).roundedTo2().units());
            const qint64 cbje = qint64((Decimal::fromUnits(sl) * Decimal::fromUnits(cost)).roundedTo2().units());
            const QVariantList values{codeOf(g), nameOf(g), sl, price, je, cost, cbje, je - cbje};
            line.bindValue(0, dh);
            ledger.bindValue(0, dh);
            ledger.bindValue(1, rq);
            for (int v = 0; v < values.size(); ++v) {
                line.bindValue(v + 1, values[v]);
                ledger.bindValue(v + 2, values[v]);
            }
            run(line);
            run(ledger);
            hjsl += sl;
            hjje += je;
        }
        for (int v = 0; v < 7; ++v)
            header.bindValue(v, QVariantList{dh, rq, rq, hjsl, hjje, hjje, hjje}[v]);
        run(header);
    }
    tx.commit();
}

struct Figures {
    std::vector<double> ms;
    void add(qint64 ns) { ms.push_back(double(ns) / 1e6); }
    void print(const char *what) const
    {
        std::vector<double> s = ms;
        std::sort(s.begin(), s.end());
        double sum = 0;
        for (double v : s)
            sum += v;
        std::printf("%-44s n=%-6zu mean %.3f ms  median %.3f ms  p99 %.3f ms  max %.3f ms\n", what,
                    s.size(), sum / double(s.size()), s[s.size() / 2],
                    s[std::min(s.size() - 1, s.size() * 99 / 100)], s.back());
    }
};

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temp(argc > 1 ? QDir(QString::fromLocal8Bit(argv[1])).filePath(u"bench-XXXXXX"_s)
                                : QDir::tempPath() + u"/bench-XXXXXX"_s);
    const QString file = QDir(temp.path()).filePath(schema::databaseFileName());
    if (auto error = schema::createDatabaseFile(file)) {
        std::fprintf(stderr, "cannot make the database: %s\n", qPrintable(*error));
        return 1;
    }
    TDM1 dm(temp.path());
    if (auto error = dm.open()) {
        std::fprintf(stderr, "cannot open the database: %s\n", qPrintable(*error));
        return 1;
    }
    QSqlDatabase db = dm.ADOC1();
    std::printf("database: %s\n", qPrintable(file));
    for (int i = 2; i < argc; ++i) {
        const QString pragma = u"PRAGMA "_s + QString::fromLocal8Bit(argv[i]);
        sql::Query q = sql::exec(db, pragma);
        std::printf("%s -> %s\n", qPrintable(pragma), q.next() ? qPrintable(q.value(0).toString()) : "");
    }
    std::printf("journal_mode %s, synchronous %s\n",
                qPrintable(sql::scalar(db, u"PRAGMA journal_mode"_s).toString()),
                qPrintable(sql::scalar(db, u"PRAGMA synchronous"_s).toString()));

    QElapsedTimer t;
    t.start();
    try {
        generate(db);
    } catch (const DbError &e) {
        std::fprintf(stderr, "generating failed: %s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("generated %d goods, %d ledger rows and lines, %d headers: %lld ms\n", kGoods,
                kLedgerRows, kLedgerRows / kLinesPerDocument, t.elapsed());

    std::mt19937 rnd(11);
    const QDate today = QDate::currentDate();

    // Typing or scanning a code: one look-up per keystroke, the prefixes find
    // nothing, the full code finds the article.
    Figures lookup, lookupHit;
    for (int n = 0; n < 2000; ++n) {
        const QString code = codeOf(int(rnd() % kGoods));
        for (int len = 1; len <= code.size(); ++len) {
            t.restart();
            const auto g = findGoodsByCode(db, code.left(len));
            const qint64 ns = t.nsecsElapsed();
            (len == code.size() ? lookupHit : lookup).add(ns);
            if (len == code.size() && !g) {
                std::fprintf(stderr, "code %s not found\n", qPrintable(code));
                return 1;
            }
        }
    }
    lookup.print("code look-up, keystroke (no match)");
    lookupHit.print("code look-up, full code (one match)");

    // Adding lines to documents being entered, and finalizing them.
    const Descriptor &retail = descriptor(DocumentKind::Retail);
    Figures adding, finalizing;
    QString dh = numbering::nextOfToday(db, numbering::Kind::Retail, today).number;
    for (int doc = 0; doc < 40; ++doc) {
        for (int k = 0; k < 50; ++k) {
            const auto g = findGoodsByCode(db, codeOf(int(rnd() % kGoods)));
            const LineInput in{g->txm, g->ppgg, g->dw, QString::number(1 + rnd() % 3),
                               defaultPrice(retail, *g).toShortest(), g->kcjg};
            t.restart();
            const LineAdded r = addLine(db, retail, dh, in);
            adding.add(t.nsecsElapsed());
            if (!r.outcome.ok()) {
                std::fprintf(stderr, "%s\n", qPrintable(r.outcome.message));
                return 1;
            }
        }
        const HeaderInput h{today, u"散客"_s, u"张三"_s, QString(), u"0"_s, u"0"_s};
        t.restart();
        const documents::Saved s = finalize(db, retail, dh, Mode::New, h, u"系统管理员"_s, today);
        finalizing.add(t.nsecsElapsed());
        if (!s.outcome.ok()) {
            std::fprintf(stderr, "%s\n", qPrintable(s.outcome.message));
            return 1;
        }
        dh = s.next.number;
    }
    adding.print("add a line (one row, committed)");
    finalizing.print("finalize a 50-line document with posting");

    // Start-up: the unsaved lines of entries interrupted on earlier days go,
    // over every line table of the shop.
    Figures cleaning;
    for (int run = 0; run < 5; ++run) {
        t.restart();
        if (!removeInterruptedEntries(db, today))
            return 1;
        cleaning.add(t.nsecsElapsed());
    }
    cleaning.print("start-up: remove interrupted entries");
    return 0;
}
