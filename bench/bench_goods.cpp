// Times the goods catalogue on a generated shop: the goods list opened and
// painted, a click on a category and on "全部类别", keystrokes in the
// document picker's search field, a title click sorting the whole list, the
// duplicate check of the goods dialog and "批量生成拼音码" over a category.
// Each operation is shown beside the statements it ran, run bare in SQLite
// on the same connection (prepared once), with their ratio. Build in Release
// and run by hand, for example:
//   cmake --build build --target bench_goods
//   build/bin/bench_goods --articles 1000000 --headers 1000000 --ledger 10000000
// (the options are in bench/BenchShop.h; the shop is made once and kept).
#include "BareSql.h"
#include "BenchShop.h"

#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/SqlFunctions.h"
#include "core/db/Udm1.h"
#include "core/masterdata/Goods.h"
#include "windows/masterdata/CategoryTree.h"
#include "windows/masterdata/Usp1.h"
#include "windows/masterdata/Usp2.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>

#include <cstdio>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// What the process holds in memory now (VmRSS), in MB.
long residentMegabytes()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong() / 1024;
    return -1;
}

// The column of the grid with this title, or -1.
int columnTitled(QTableView *grid, const QString &title)
{
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (grid->model()->headerData(c, Qt::Horizontal).toString() == title)
            return c;
    return -1;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
    sqlite3 *handle = sqliteHandle(db);
    std::printf("shop: %lld articles, %lld document headers, %lld ledger rows (%s, %s)\n",
                static_cast<long long>(options.articles), static_cast<long long>(options.headers),
                static_cast<long long>(options.ledger), qPrintable(dir), reused ? "kept from before" : "made now");
    std::printf("medians of %d runs; bare: the statements the operation ran, prepared once\n\n",
                options.runs);
    bare::printHeading();
    const int runs = options.runs;

    Session session;
    WindowContext context{dm, session};

    // The goods list: made, shown (every article by name) and painted.
    std::unique_ptr<TFsp1> opened;
    const bare::Compared open = bare::compare(
        handle, runs,
        [&] {
            opened = std::make_unique<TFsp1>(context);
            opened->show();
            app.processEvents();
        },
        [&] { opened.reset(); });
    const long resident = residentMegabytes();
    bare::print(u"goods list opened and painted"_s, open);
    opened.reset();

    TFsp1 list(context);
    list.show();
    app.processEvents();
    const QString everyArticle = list.recordCountText();
    int next = 0;
    bare::print(u"category click ("_s + QString::number(options.articles / benchshop::kCategories) +
                    u" rows)"_s,
                bare::compare(handle, runs, [&] {
                    const QString category = benchshop::categoryName(next++ % benchshop::kCategories + 1);
                    Q_EMIT list.tree()->itemClicked(list.tree()->nodeOf(category), 0);
                    app.processEvents();
                }));
    bare::print(u"click on \"全部类别\""_s, bare::compare(handle, runs, [&] {
                    Q_EMIT list.tree()->itemClicked(list.tree()->root(), 0);
                    app.processEvents();
                }));

    // A click on the name column's title of the whole list.
    const int nameColumn = columnTitled(list.grid(), u"商品名称"_s);
    bare::print(u"title click sorting the whole list by name"_s, bare::compare(handle, runs, [&] {
                    Q_EMIT list.grid()->horizontalHeader()->sectionClicked(nameColumn);
                    app.processEvents();
                }));

    // The document picker's search, the last keystroke of each text.
    struct Receiver : GoodsReceiver {
        QString goodsPickerMode() const override { return u"tjxs"_s; }
        void receiveGoods(const goods::Article &) override {}
    } receiver;
    TFsp2 picker(context);
    picker.setReceiver(&receiver);
    picker.show();
    app.processEvents();
    for (const QString &typed : {u"M"_s, u"M8*1"_s, u"螺丝 M5*"_s}) {
        const bare::Compared keystroke = bare::compare(
            handle, runs,
            [&] {
                picker.Edit1->setText(typed);
                picker.searchNow();
                app.processEvents();
            },
            [&] {
                picker.Edit1->setText(typed.left(typed.size() - 1));
                picker.searchNow();
                app.processEvents();
            });
        bare::print(u"picker keystroke \""_s + typed.right(1) + u"\" making \""_s + typed + u"\" ("_s +
                        QString::number(picker.grid()->rowCount()) + u" rows)"_s,
                    keystroke);
    }

    // The dialog's duplicate check, for an article that is there and one that is not.
    const goods::Article sample =
        goods::read(db, options.articles / 2).value_or(goods::Article{});
    constexpr int checks = 200;
    bare::print(u"duplicate check on save, article there"_s, bare::compare(handle, runs, [&] {
                    for (int i = 0; i < checks; ++i)
                        if (!goods::isDuplicate(db, sample.ppgg, sample.txm, sample.dw))
                            qFatal("the sample article was not found");
                }),
                u"µs"_s, 1000.0 / checks);
    bare::print(u"duplicate check on save, article not there"_s, bare::compare(handle, runs, [&] {
                    for (int i = 0; i < checks; ++i)
                        if (goods::isDuplicate(db, sample.ppgg, sample.txm, u"吨"_s))
                            qFatal("an article that is not there was found");
                }),
                u"µs"_s, 1000.0 / checks);

    // Codes of a whole category made anew (the same codes: the shop stays as it was).
    Q_EMIT list.tree()->itemClicked(list.tree()->nodeOf(benchshop::categoryName(1)), 0);
    app.processEvents();
    bare::print(u"批量生成拼音码 over a category"_s,
                bare::compare(handle, 1, [&] { list.generateCodesClick(); }));

    std::printf("\nrows listed: %s; resident after opening the goods list: %ld MB\n",
                qPrintable(everyArticle), resident);
    return 0;
}
