// Times the inventory list and its stock tools on a generated shop: the list
// opened and painted with its totals, a category click and "全部类别", zeroing
// a listed category of 50,000 articles, converting stock into another unit,
// and assembling and splitting a kit of 20 parts. Each operation is shown
// beside the statements it ran, run bare in SQLite, with their ratio, and the
// totals the list shows are checked against sums read apart.
//
// The tools write, so the bench works on a copy of the generated shop (made
// beside it, removed at the end), where it also adds what it needs: a
// category of 50,000 articles and the kits' recipes. Build and run by hand:
//   cmake --build build --target bench_stock
//   build/bin/bench_stock --articles 1000000 --headers 1000 --ledger 10000 --dir /work/bench-shops/a1m
#include "BareSql.h"
#include "BenchShop.h"

#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/SqlFunctions.h"
#include "core/db/Udm1.h"
#include "core/masterdata/Goods.h"
#include "core/stock/StockTools.h"
#include "windows/masterdata/CategoryTree.h"
#include "windows/stock/Ukcfx1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kBigCategoryRows = 50000;
constexpr int kKitParts = 20;

QString bigCategory()
{
    return u"大类别"_s;
}

// The totals of what a filter lists, read apart from the window.
QString totalsOf(const QSqlDatabase &db, const goods::Filter &f)
{
    const goods::StockTotals t = goods::stockTotals(db, f);
    return t.quantity.toShortest() + u'|' + t.value.toShortest();
}

void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "wrong: %s\n", what);
        std::exit(2);
    }
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
    // A copy beside the shop: the generated one stays as it is for others.
    QTemporaryDir copyDir(QDir(dir).filePath(u"../stock-bench-XXXXXX"_s));
    const QString copy = QDir(copyDir.path()).filePath(schema::databaseFileName());
    if (!copyDir.isValid() ||
        !QFile::copy(QDir(dir).filePath(schema::databaseFileName()), copy)) {
        std::fprintf(stderr, "cannot copy the shop into %s\n", qPrintable(copyDir.path()));
        return 1;
    }
    TDM1 dm(copyDir.path());
    if (auto error = dm.open()) {
        std::fprintf(stderr, "cannot open the copy: %s\n", qPrintable(*error));
        return 1;
    }
    QSqlDatabase db = dm.ADOC1();
    sqlite3 *handle = sqliteHandle(db);
    std::printf("shop: %lld articles, %lld document headers, %lld ledger rows (%s, %s; run on a copy)\n",
                static_cast<long long>(options.articles), static_cast<long long>(options.headers),
                static_cast<long long>(options.ledger), qPrintable(dir),
                reused ? "kept from before" : "made now");

    // What the bench adds to the copy: a category of 50,000 articles (taken
    // from the others, spread over the catalogue), a kit whole with 20 parts
    // in both recipe tables, and a box article to convert into pieces.
    const qint64 articles = sql::scalar(db, u"SELECT max(id) FROM sp"_s).toLongLong();
    check(articles >= 2 * kBigCategoryRows, "the shop has too few articles for the bench");
    {
        Transaction tx(db);
        sql::exec(db, u"INSERT INTO lb (lb) VALUES (?)"_s, {bigCategory()});
        // Entered together, as a shop adds a new line of goods: copies of
        // the first articles under new codes.
        sql::exec(db, u"INSERT INTO sp (lb, txm, ppgg, dw, jj, xjpf, xjls, slt, jet, kcsl, kcjg, kcje, ms, bz)"
                      " SELECT ?, 'D' || txm, ppgg, dw, jj, xjpf, xjls, slt, jet, kcsl, kcjg, kcje, ms, bz"
                      " FROM sp WHERE id <= ?"_s,
                  {bigCategory(), qint64(kBigCategoryRows)});
        for (const char *table : {"zu", "chai"})
            for (int i = 1; i <= kKitParts; ++i)
                sql::exec(db, u"INSERT INTO "_s + QString::fromLatin1(table) +
                                  u" (spid1, spid2, xs, sl) VALUES (?, ?, ?, ?)"_s,
                          {qint64(1), qint64(1 + i * 997), qint64(i * 10000), qint64(i * 10000)});
        sql::exec(db, u"UPDATE sp SET dw = '箱', kcsl = 1000000000 WHERE id = 2"_s);
        tx.commit();
    }
    const goods::Filter big = goods::inCategory(bigCategory());
    check(goods::stockTotals(db, big).quantity.isValid(), "the big category");
    const qint64 bigRows = sql::scalar(db, u"SELECT count(*) FROM sp WHERE lb = ?"_s, {bigCategory()}).toLongLong();
    std::printf("medians of %d runs; bare: the statements the operation ran, prepared once\n\n",
                options.runs);
    bare::printHeading();
    const int runs = options.runs;

    Session session = Session::forOperator(u"bench"_s, {u"显示库存价格"_s, u"库存归零"_s});
    WindowContext context{dm, session};

    // The list: made, shown (every article by name, its totals) and painted.
    std::unique_ptr<TFkcfx1> opened;
    bare::print(u"stock list opened and painted"_s,
                bare::compare(
                    handle, runs,
                    [&] {
                        opened = std::make_unique<TFkcfx1>(context);
                        opened->show();
                        app.processEvents();
                    },
                    [&] { opened.reset(); }));
    opened.reset();

    TFkcfx1 list(context);
    list.show();
    app.processEvents();
    const QString all = totalsOf(db, goods::everything());
    check(list.panelText(2) + u'|' + list.panelText(4) == all, "the totals of every article");
    int next = 0;
    QString lastCategory;
    bare::print(u"category click ("_s + QString::number(options.articles / benchshop::kCategories) +
                    u" rows)"_s,
                bare::compare(handle, runs, [&] {
                    lastCategory = benchshop::categoryName(next++ % benchshop::kCategories + 1);
                    Q_EMIT list.TreeView1->itemClicked(list.TreeView1->nodeOf(lastCategory), 0);
                    app.processEvents();
                }));
    check(list.panelText(2) + u'|' + list.panelText(4) == totalsOf(db, goods::inCategory(lastCategory)),
          "the totals of a category");
    bare::print(u"click on \"全部类别\""_s, bare::compare(handle, runs, [&] {
                    Q_EMIT list.TreeView1->itemClicked(list.TreeView1->root(), 0);
                    app.processEvents();
                }));
    check(list.panelText(2) + u'|' + list.panelText(4) == all, "the totals after 全部类别");

    // Zeroing the listed big category: the stock is put back before each run.
    Q_EMIT list.TreeView1->itemClicked(list.TreeView1->nodeOf(bigCategory()), 0);
    app.processEvents();
    check(list.grid()->rowCount() == bigRows, "the big category listed");
    const auto restock = [&] {
        sql::exec(db, u"UPDATE sp SET kcsl = 70000, kcje = dmul(kcjg, 70000) WHERE lb = ?"_s,
                  {bigCategory()});
        bare::foldLog(handle);
    };
    bare::print(u"归零 of a listed category ("_s + QString::number(bigRows) + u" rows)"_s,
                bare::compare(
                    handle, runs,
                    [&] {
                        const stocktools::Zeroed z = stocktools::zeroListed(db, list.filter());
                        check(z.outcome.ok() && z.zeroed == bigRows, "zeroing");
                    },
                    restock));
    check(totalsOf(db, big) == u"0|0"_s, "the big category zeroed");

    // A conversion of 2 boxes into 24 pieces, and the kits.
    stocktools::ConversionInput in;
    in.sourceId = 2;
    in.sourceUnit = u"箱"_s;
    const std::optional<goods::Article> piece = goods::read(db, 3);
    check(piece.has_value(), "the target article");
    in.targetCode = piece->txm;
    in.targetName = piece->ppgg;
    in.targetUnit = piece->dw;
    in.base = u"12"_s;
    in.quantity = u"2"_s;
    const Decimal pieceBefore = piece->kcsl;
    bare::print(u"换算 2 boxes into 24 pieces"_s, bare::compare(handle, runs, [&] {
                    check(stocktools::convert(db, in).outcome.ok(), "conversion");
                }, [&] { bare::foldLog(handle); }));
    check(goods::read(db, 3)->kcsl.isValid() && goods::read(db, 3)->kcsl > pieceBefore,
          "the pieces gained");
    const auto kit = [&](stocktools::RecipeKind kind) {
        return bare::compare(handle, runs, [&] {
            const stocktools::RecipeOutcome o =
                stocktools::run(db, stocktools::recipeDescriptor(kind), 1, u"3"_s);
            check(o.ok(), "assembly or splitting");
        }, [&] { bare::foldLog(handle); });
    };
    bare::print(u"组装 of a kit of 20 parts"_s, kit(stocktools::RecipeKind::Assembly));
    bare::print(u"拆分 of a kit of 20 parts"_s, kit(stocktools::RecipeKind::Splitting));

    std::printf("\ntotals checked against sums read apart: every article %s\n", qPrintable(all));
    return 0;
}
