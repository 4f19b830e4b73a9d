// Times the document lists on a shop with years of data: by default
// 1,000,000 headers in each of the three header tables, 10 lines for every
// sales header (10,000,000) and 1 for every purchase and movement header;
// one document in a hundred held. Measures, through the windows themselves
// (offscreen): opening each list (the held documents, first rows painted,
// sums), a query with nothing typed (every document), a query by state and by
// a month, the viewer's moves, deleting and reversing from the list, and what
// the process holds while a million rows are listed. Build in Release and run
// by hand:
//   bench_management [headers] [sales lines per header] [directory]
// With a directory the shop is made there once and used again by later runs.
#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/SqlFunctions.h"
#include "core/db/Udm1.h"
#include "core/documents/Management.h"
#include "ui/ListGrid.h"
#include "ui/Messages.h"
#include "windows/management/DocumentViewer.h"
#include "windows/purchasing/Ucggl1.h"
#include "windows/sales/Uxsgl1.h"
#include "windows/stock/Urkgl1.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// The statement prepared once and stepped for each row, through the C API:
// ten million rows are made in a minute or two.
class Insert
{
public:
    Insert(sqlite3 *db, const char *sql) : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            qFatal("%s", sqlite3_errmsg(db));
    }
    ~Insert() { sqlite3_finalize(m_stmt); }
    Insert &text(int i, const QByteArray &v)
    {
        sqlite3_bind_text(m_stmt, i, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert &number(int i, qint64 v)
    {
        sqlite3_bind_int64(m_stmt, i, v);
        return *this;
    }
    void run()
    {
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            qFatal("%s", sqlite3_errmsg(m_db));
        sqlite3_reset(m_stmt);
    }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

void exec(sqlite3 *db, const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK)
        qFatal("%s: %s", sql, error);
}

struct Book {
    const char *header;
    const char *line;
    const char *partner;
    bool money;
    QList<QByteArray> prefixes;
    int linesPerHeader;
};

// `count` headers of a book over seven years, 400 a day, numbered by day;
// one in a hundred held, one in five owing money.
void makeBook(sqlite3 *db, const Book &b, int count)
{
    const QList<QByteArray> partners = [&] {
        QList<QByteArray> p;
        for (int i = 0; i < 2000; ++i)
            p << (b.money ? QByteArray("客户") : QByteArray("原因")) + QByteArray::number(i);
        return p;
    }();
    const QList<QByteArray> handlers = {"张三", "李四", "王五", "赵六", "钱七", "孙八"};
    QByteArray headerSql = QByteArray("INSERT INTO ") + b.header + " (dh, rq, kdrq, " + b.partner +
                           ", jsr, hjsl, hjje, bz, shbj, zhidan";
    headerSql += b.money ? ", yhe, " + QByteArray(b.header == QByteArray("cgglz") ? "yfe, sfe" : "yse, sse") +
                               ", qk) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, '系统管理员', 0, ?, ?, ?)"
                         : QByteArray(") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, '系统管理员')");
    Insert header(db, headerSql.constData());
    const QByteArray lineSql = QByteArray("INSERT INTO ") + b.line +
                               " (dh, bj, txm, ppgg, dw, sl, jg, je) VALUES (?, 'yz', ?, ?, '个', ?, ?, ?)";
    Insert line(db, lineSql.constData());
    const QDate first(2017, 1, 1);
    exec(db, "BEGIN");
    for (int i = 0; i < count; ++i) {
        const QDate day = first.addDays(i / 400);
        const QByteArray date = day.toString(u"yyyy-MM-dd"_s).toLatin1();
        const QByteArray dh = b.prefixes.at(i % b.prefixes.size()) +
                              day.toString(u"yyyyMMdd"_s).toLatin1() +
                              QByteArray::number(100 + i % 400).right(3);
        qint64 quantity = 0, amount = 0;
        for (int l = 0; l < b.linesPerHeader; ++l) {
            const qint64 sl = (1 + (i + l) % 9) * 10000;
            const qint64 jg = (100 + (i * 7 + l) % 900) * 100;
            const qint64 je = sl / 10000 * jg;
            quantity += sl;
            amount += je;
            line.text(1, dh)
                .text(2, QByteArray("69") + QByteArray::number(1000000 + (i + l * 31) % 50000))
                .text(3, QByteArray("商品") + QByteArray::number((i + l * 31) % 50000))
                .number(4, sl)
                .number(5, jg)
                .number(6, je)
                .run();
        }
        const bool held = i % 100 == 37;
        header.text(1, dh)
            .text(2, date)
            .text(3, date)
            .text(4, partners.at(i % partners.size()))
            .text(5, handlers.at(i % handlers.size()))
            .number(6, quantity)
            .number(7, amount)
            .text(8, QByteArray("备注") + QByteArray::number(i % 13))
            .text(9, held ? "未审核" : "已审核");
        if (b.money) {
            const qint64 settled = i % 5 == 0 ? amount / 2 : amount;
            header.number(10, amount).number(11, settled).number(12, amount - settled);
        }
        header.run();
        if (i % 200000 == 199999) {
            exec(db, "COMMIT");
            std::printf("  %s: %d headers\n", b.header, i + 1);
            std::fflush(stdout);
            exec(db, "BEGIN");
        }
    }
    exec(db, "COMMIT");
}

double ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// The median of `runs` timings of `step`, in milliseconds.
double median(int runs, const std::function<void()> &step)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        step();
        times.push_back(ms(t));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The process's resident memory, in MiB.
double residentMiB()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

QString panels(const ListWindow &w, int count)
{
    QStringList out;
    for (int p = 2; p < count; ++p)
        if (!w.panelText(p).isEmpty())
            out << w.panelText(p);
    return out.join(u' ');
}

// The sums SQL gives for the whole table (and for its held documents).
QString sqlSums(const QSqlDatabase &db, const management::ListDescriptor &d, bool heldOnly)
{
    QStringList terms;
    for (const QString &c : d.sumColumns)
        terms << u"sum("_s + c + u")"_s;
    sql::Query q = sql::exec(db, u"SELECT "_s + terms.join(u", "_s) + u" FROM "_s + d.headerTable +
                                    (heldOnly ? u" WHERE shbj = '未审核'"_s : QString()));
    q.next();
    QStringList out;
    for (int i = 0; i < d.sumColumns.size(); ++i)
        out << Decimal::fromUnits(q.value(i).toLongLong()).toShortest();
    return out.join(u' ');
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int headers = argc > 1 ? std::max(10, atoi(argv[1])) : 1000000;
    const int salesLines = argc > 2 ? std::max(1, atoi(argv[2])) : 10;
    QTemporaryDir temporary;
    const QString dir = argc > 3 ? QString::fromLocal8Bit(argv[3]) : temporary.path();
    QDir().mkpath(dir);
    const QString file = QDir(dir).filePath(schema::databaseFileName());

    const bool made = !QFileInfo::exists(file);
    if (made) {
        if (auto error = schema::createDatabaseFile(file))
            qFatal("%s", qPrintable(*error));
    }
    TDM1 dm(dir);
    if (auto error = dm.open())
        qFatal("%s", qPrintable(*error));
    QSqlDatabase db = dm.ADOC1();
    if (made) {
        QElapsedTimer t;
        t.start();
        sqlite3 *handle = sqliteHandle(db);
        makeBook(handle, {"xsglz", "xsglc", "kh", true, {"XSD", "PFD"}, salesLines}, headers);
        makeBook(handle, {"cgglz", "cgglc", "ghs", true, {"CGD"}, 1}, headers);
        makeBook(handle, {"rkglz", "rkglc", "lx", false, {"YDD"}, 1}, headers);
        exec(handle, "ANALYZE");
        std::printf("made %d headers per table, %d sales lines per header: %.1f s\n", headers,
                    salesLines, ms(t) / 1000);
    }
    std::printf("shop file: %.0f MiB\n", double(QFileInfo(file).size()) / 1048576.0);
    for (const char *table : {"xsglz", "xsglc", "cgglz", "cgglc", "rkglz", "rkglc"})
        std::printf("  %s: %lld rows\n", table,
                    sql::scalar(db, u"SELECT count(*) FROM "_s + QString::fromLatin1(table)).toLongLong());

    Session session = Session::forOperator(schema::administratorName(), {});
    WindowContext context{dm, session};
    const int runs = 5;
    const double before = residentMiB();

    struct Window {
        const char *name;
        std::function<DocumentListWindow *()> make;
    };
    const std::vector<Window> windows = {
        {"销售单据 TFxsgl1", [&] { return new TFxsgl1(context); }},
        {"采购单据 TFcggl1", [&] { return new TFcggl1(context); }},
        {"库存异动单据 TFrkgl1", [&] { return new TFrkgl1(context); }},
    };
    for (const Window &w : windows) {
        std::printf("\n%s\n", w.name);
        // Opening: made, the held documents summed and listed, shown, painted.
        const double open = median(runs, [&] {
            std::unique_ptr<DocumentListWindow> list(w.make());
            list->resize(1000, 560);
            list->show();
            app.processEvents();
        });
        std::unique_ptr<DocumentListWindow> list(w.make());
        list->resize(1000, 560);
        list->show();
        app.processEvents();
        const auto &d = list->listDescriptor();
        const int panelCount = d.panelCount;
        std::printf("  opened on the held documents, painted: %.1f ms (median of %d); %d rows;"
                    " sums %s (SQL: %s)\n",
                    open, runs, list->grid()->rowCount(), qPrintable(panels(*list, panelCount)),
                    qPrintable(sqlSums(db, d, true)));

        // Nothing typed: every document.
        const double all = median(runs, [&] {
            list->showFilter({});
            app.processEvents();
        });
        std::printf("  query with nothing typed, first rows painted: %.1f ms; %d rows; sums %s"
                    " (SQL: %s)\n",
                    all, list->grid()->rowCount(), qPrintable(panels(*list, panelCount)),
                    qPrintable(sqlSums(db, d, false)));
        management::Filter posted;
        posted.state = management::State::Posted;
        posted.owedOnly = true;
        const double owed = median(runs, [&] {
            list->showFilter(posted);
            app.processEvents();
        });
        std::printf("  query 已审核 + 只显示欠款单据: %.1f ms; %d rows\n", owed, list->grid()->rowCount());
        management::Filter month;
        month.from = QDate(2019, 6, 1);
        month.to = QDate(2019, 6, 30);
        const double dated = median(runs, [&] {
            list->showFilter(month);
            app.processEvents();
        });
        std::printf("  query of a month: %.1f ms; %d rows\n", dated, list->grid()->rowCount());
        management::Filter partner;
        partner.partner = d.marksDebt ? u"客户1999"_s : u"原因1999"_s;
        const double typed = median(runs, [&] {
            list->showFilter(partner);
            app.processEvents();
        });
        std::printf("  query by part of the %s (every row read): %.1f ms; %d rows\n",
                    qPrintable(d.partnerColumn), typed, list->grid()->rowCount());

        // The viewer on the whole list.
        list->showFilter({});
        app.processEvents();
        list->SB55Click();
        DocumentViewer *viewer = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *v = qobject_cast<DocumentViewer *>(top); v && v->isVisible())
                viewer = v;
        if (!viewer)
            qFatal("no viewer");
        app.processEvents();
        struct Move {
            const char *name;
            QPushButton *button;
        };
        for (const Move &m : {Move{"后单", viewer->BB3}, Move{"尾单", viewer->BB4},
                              Move{"前单", viewer->BB2}, Move{"首单", viewer->BB1},
                              Move{"后单", viewer->BB3}}) {
            QElapsedTimer t;
            t.start();
            m.button->click();
            app.processEvents();
            std::printf("  viewer %s: %.1f ms (%s, %d lines)\n", m.name, ms(t),
                        qPrintable(viewer->field(u"dh"_s)->text()), viewer->DBGrid1->rowCount());
        }
        // Further through the list, one row at a time.
        const double next = median(21, [&] {
            viewer->BB3->click();
            app.processEvents();
        });
        std::printf("  viewer 后单, median of 21 in a row: %.2f ms\n", next);
        viewer->close();
        app.processEvents();

        // The last row, scrolled to; what the list holds then.
        QElapsedTimer t;
        t.start();
        list->grid()->setCurrentRow(list->grid()->rowCount() - 1);
        app.processEvents();
        std::printf("  scrolled to the last of %d rows: %.1f ms; pages held %d (of %d rows each);"
                    " resident memory %.0f MiB (%.0f MiB before the windows)\n",
                    list->grid()->rowCount(), ms(t), list->grid()->rows().pagesHeld(),
                    GridRows::PageRows, residentMiB(), before);

        // Deleting a posted document from the middle of the list, and
        // reversing the next one.
        list->grid()->setCurrentRow(list->grid()->rowCount() / 2);
        app.processEvents();
        msg::setResponder([](const msg::Shown &) { return msg::Answer::Ok; });
        t.restart();
        list->SB66Click();
        app.processEvents();
        std::printf("  删除 in the middle (reversed first): %.1f ms; %d rows; sums %s (SQL: %s)\n",
                    ms(t), list->grid()->rowCount(), qPrintable(panels(*list, panelCount)),
                    qPrintable(sqlSums(db, d, false)));
        if (list->grid()->currentValue(u"shbj"_s).toString() != management::heldState()) {
            t.restart();
            list->SB44Click();
            app.processEvents();
            std::printf("  反审 in the middle: %.1f ms\n", ms(t));
        }
        msg::setResponder({});
    }
    return 0;
}
