// Times the goods catalogue on a long list: opening the goods list, a click
// on a category, a click on a column title, a keystroke in the picker's
// search field and the duplicate check of the goods dialog, on a shop of
// 100,000 articles (or as many as the first argument says), and the memory
// the open list holds. Build in Release and run by hand:
//   bench_goods [articles] [statement run on the connection first]
#include "core/db/Udm1.h"
#include "core/db/Schema.h"
#include "core/db/Snapshot.h"
#include "core/db/Sql.h"
#include "core/db/SqlFunctions.h"
#include "windows/masterdata/CategoryTree.h"
#include "core/masterdata/Goods.h"
#include "core/masterdata/NameLists.h"
#include "core/masterdata/Pinyin.h"
#include "windows/masterdata/Usp1.h"
#include "windows/masterdata/Usp2.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList &kinds()
{
    static const QStringList k = {u"不锈钢螺丝"_s, u"膨胀螺栓"_s, u"镀锌管"_s,  u"不锈钢合页"_s,
                                  u"电焊条"_s,     u"角磨机"_s,   u"水龙头"_s,  u"麻花钻头"_s,
                                  u"水泥钉"_s,     u"绝缘胶布"_s, u"铜芯电线"_s, u"五孔插座"_s,
                                  u"PPR水管"_s,    u"弯头"_s,     u"球阀"_s,    u"扳手"_s};
    return k;
}

// A catalogue of `count` articles spread over 40 categories.
void makeCatalogue(QSqlDatabase db, int count, const QStringList &categories)
{
    const QStringList units = {u"个"_s, u"把"_s, u"套"_s, u"米"_s, u"盒"_s, u"卷"_s};
    Transaction t(db);
    QSqlQuery q(db);
    q.prepare(u"INSERT INTO sp (lb, txm, ppgg, dw, jj, xjpf, xjls, slt, jet, kcsl, kcjg, kcje,"
              " ms, bz) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    for (int i = 0; i < count; ++i) {
        const int n = int((qint64(i) * 7919) % count);  // names not in the order of entry
        const QString name = kinds().at(n % kinds().size()) + u" M"_s + QString::number(n % 97) +
                             u"*"_s + QString::number(n);
        const qint64 price = 1000 + (n % 977) * 101;
        const qint64 stock = (n % 200 - 20) * 10000;
        q.addBindValue(categories.at(i % categories.size()));
        q.addBindValue(pinyin::goodsCode(name));
        q.addBindValue(name);
        q.addBindValue(units.at(n % units.size()));
        for (qint64 v : {price, price * 13 / 10, price * 15 / 10, qint64(0), qint64(0), stock,
                         price, qint64((Decimal::fromUnits(stock) * Decimal::fromUnits(price))
                                           .roundedTo2()
                                           .units())})
            q.addBindValue(v);
        q.addBindValue(n % 5 == 0 ? u"进口"_s : u""_s);
        q.addBindValue(u""_s);
        if (!q.exec())
            qFatal("cannot add goods");
    }
    t.commit();
}

// The resident memory of this process, in MiB (Linux).
double residentMiB()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// The median of `runs` timings of `step`, in milliseconds.
double median(int runs, const std::function<void()> &step)
{
    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        step();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;

    QTemporaryDir dir;
    if (auto error = schema::createDatabaseFile(QDir(dir.path()).filePath(schema::databaseFileName())))
        qFatal("%s", qPrintable(*error));
    TDM1 dm(dir.path());
    if (auto error = dm.open())
        qFatal("%s", qPrintable(*error));
    QSqlDatabase db = dm.ADOC1();
    // A statement run on the connection first, to try its settings:
    // bench_goods 100000 "PRAGMA cache_size = -65536"
    if (argc > 2) {
        sql::exec(db, QString::fromLocal8Bit(argv[2]));
        std::printf("connection: %s\n", argv[2]);
    }

    QStringList categories;
    for (int c = 0; c < 40; ++c) {
        categories << u"类别"_s + QString::number(c + 1);
        namelists::add(db, namelists::categories(), categories.last());
    }
    QElapsedTimer t;
    t.start();
    makeCatalogue(db, count, categories);
    std::printf("articles: %d, making them: %lld ms\n", count, t.elapsed());

    Session session;
    WindowContext context{dm, session};
    const int runs = 5;

    // Of that, fetching the rows of the list's statement.
    const goods::Filter everything = goods::everything();
    const double fetch = median(runs, [&] {
        Snapshot::fetch(db, goods::listStatement(everything), everything.binds);
    });
    std::printf("fetching every article by name (the statement alone): %.1f ms\n", fetch);
    // What SQLite itself needs for it: the same statement stepped through with
    // the C API, each value read as stored and dropped.
    const double stepped = median(runs, [&] {
        const QByteArray text = goods::listStatement(everything).toUtf8();
        sqlite3 *handle = sqliteHandle(db);
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK)
            qFatal("%s", sqlite3_errmsg(handle));
        size_t bytes = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(stmt); ++c)
                if (sqlite3_column_type(stmt, c) == SQLITE_TEXT)
                    bytes += size_t(sqlite3_column_bytes(stmt, c));
                else
                    bytes += size_t(sqlite3_column_int64(stmt, c) & 1);
        sqlite3_finalize(stmt);
        if (bytes == 0)
            qFatal("no rows");
    });
    std::printf("  of that, SQLite stepping through the rows: %.1f ms\n", stepped);

    // The goods list: made, shown (every article by name) and painted.
    const double open = median(runs, [&] {
        TFsp1 list(context);
        list.show();
        app.processEvents();
    });
    std::printf("goods list opened and painted: %.1f ms (median of %d)\n", open, runs);

    TFsp1 list(context);
    list.show();
    app.processEvents();
    std::printf("  rows listed: %s\n", qPrintable(list.recordCountText()));
    int next = 0;
    const double category = median(runs, [&] {
        QTreeWidgetItem *node = list.tree()->nodeOf(categories.at(next++ % categories.size()));
        Q_EMIT list.tree()->itemClicked(node, 0);
        app.processEvents();
    });
    std::printf("category click (%s): %.1f ms\n", qPrintable(list.recordCountText()), category);
    const double all = median(runs, [&] {
        Q_EMIT list.tree()->itemClicked(list.tree()->root(), 0);
        app.processEvents();
    });
    std::printf("click on \"全部类别\" (%s): %.1f ms\n", qPrintable(list.recordCountText()), all);
    std::printf("  resident with the list open: %.0f MiB\n", residentMiB());

    // Title clicks on the whole list, each turning the order round, the
    // current row (one deep in the list) kept on its article.
    list.grid()->setCurrentRow(list.grid()->rowCount() * 2 / 3);
    for (const auto &[column, title] : {std::pair{1, "商品名称"}, std::pair{0, "编码"},
                                        std::pair{6, "库存数量"}, std::pair{13, "类别"}}) {
        const double click = median(runs, [&, column = column] {
            list.grid()->titleClick(column);
            app.processEvents();
        });
        std::printf("title click on \"%s\" (up, then down in turn): %.1f ms\n", title, click);
    }
    std::printf("  resident after the title clicks: %.0f MiB\n", residentMiB());

    // The document picker's search, one keystroke at a time.
    struct Receiver : GoodsReceiver {
        QString goodsPickerMode() const override { return u"tjxs"_s; }
        void receiveGoods(const goods::Article &) override {}
    } receiver;
    TFsp2 picker(context);
    picker.setReceiver(&receiver);
    picker.show();
    app.processEvents();
    for (const QString &typed : {u"M8*1"_s, u"螺丝 M5*"_s, u"BXGLS"_s, u"类别7"_s}) {
        double worst = 0;
        QString counts;
        for (int k = 1; k <= typed.size(); ++k) {
            const QString before = typed.left(k - 1);
            const QString text = typed.left(k);
            // One keystroke: from the text before it to the text after it.
            std::vector<double> ms;
            for (int r = 0; r < runs; ++r) {
                picker.Edit1->setText(before);
                picker.searchNow();  // without waiting for the typing pause
                app.processEvents();
                QElapsedTimer keystroke;
                keystroke.start();
                picker.Edit1->setText(text);
                picker.searchNow();
                app.processEvents();
                ms.push_back(double(keystroke.nsecsElapsed()) / 1e6);
            }
            std::sort(ms.begin(), ms.end());
            const double one = ms[ms.size() / 2];
            worst = std::max(worst, one);
            counts += u" "_s + text + u"→"_s + QString::number(picker.grid()->rowCount()) +
                      u" ("_s + QString::number(one, 'f', 1) + u" ms)"_s;
        }
        std::printf("picker search typing \"%s\": worst keystroke %.1f ms;%s\n",
                    qPrintable(typed), worst, qPrintable(counts));
    }

    // The dialog's duplicate check, for an article that is there and one that is not.
    goods::Article sample = goods::read(db, count / 2).value_or(goods::Article{});
    const double found = median(runs, [&] {
        if (!goods::isDuplicate(db, sample.ppgg, sample.txm, sample.dw))
            qFatal("the sample article was not found");
    });
    const double missing = median(runs, [&] {
        if (goods::isDuplicate(db, sample.ppgg, sample.txm, u"吨"_s))
            qFatal("an article that is not there was found");
    });
    std::printf("duplicate check: found %.2f ms, not found %.2f ms\n", found, missing);

    // Codes of a whole category made anew, in one transaction.
    Q_EMIT list.tree()->itemClicked(list.tree()->nodeOf(categories.at(0)), 0);
    app.processEvents();
    t.restart();
    list.generateCodesClick();
    std::printf("批量生成拼音码 over %s: %lld ms\n", qPrintable(list.recordCountText()), t.elapsed());
    return 0;
}
