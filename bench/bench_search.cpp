// Times the pickers' search as you type on a large catalogue: for each
// keystroke of a few typed texts, the search's statement through the goods'
// text index beside the same search testing every article (LIKE, as a text of
// fewer than three characters is searched), and the keystroke in the document
// picker, which runs the quicker of the two (goods::quickestSearch). The catalogue (1,000,000 articles, or as many as the first
// argument says) is made once into the directory given as the second
// argument and used again by later runs. Build in Release and run by hand:
//   bench_search [articles] [directory]
#include "core/db/Udm1.h"
#include "core/db/Schema.h"
#include "core/db/Snapshot.h"
#include "core/db/Sql.h"
#include "core/masterdata/Goods.h"
#include "core/masterdata/Pinyin.h"
#include "windows/masterdata/Usp2.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSqlQuery>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// The articles of bench_goods: sixteen kinds, sizes, numbers, 40 categories.
void makeCatalogue(QSqlDatabase db, int count)
{
    const QStringList kinds = {u"不锈钢螺丝"_s, u"膨胀螺栓"_s, u"镀锌管"_s,  u"不锈钢合页"_s,
                               u"电焊条"_s,     u"角磨机"_s,   u"水龙头"_s,  u"麻花钻头"_s,
                               u"水泥钉"_s,     u"绝缘胶布"_s, u"铜芯电线"_s, u"五孔插座"_s,
                               u"PPR水管"_s,    u"弯头"_s,     u"球阀"_s,    u"扳手"_s};
    const QStringList units = {u"个"_s, u"把"_s, u"套"_s, u"米"_s, u"盒"_s, u"卷"_s};
    Transaction t(db);
    QSqlQuery q(db);
    q.prepare(u"INSERT INTO sp (lb, txm, ppgg, dw, jj, xjpf, xjls, kcsl, kcjg, kcje)"
              " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 0)"_s);
    for (int i = 0; i < count; ++i) {
        const int n = int((qint64(i) * 7919) % count);  // names not in the order of entry
        const QString name = kinds.at(n % kinds.size()) + u" M"_s + QString::number(n % 97) +
                             u"*"_s + QString::number(n);
        const qint64 price = 1000 + (n % 977) * 101;
        q.addBindValue(QString(u"类别"_s + QString::number(i % 40 + 1)));
        q.addBindValue(pinyin::goodsCode(name));
        q.addBindValue(name);
        q.addBindValue(units.at(n % units.size()));
        for (qint64 v : {price, price * 13 / 10, price * 15 / 10, qint64((n % 200 - 20) * 10000), price})
            q.addBindValue(v);
        if (!q.exec())
            qFatal("cannot add goods");
    }
    t.commit();
}

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
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 1000000;
    const QString dir = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                 : QDir::temp().filePath(u"bench_search_"_s + QString::number(count));
    QDir().mkpath(dir);
    const QString file = QDir(dir).filePath(schema::databaseFileName());
    const bool made = !QFileInfo::exists(file);
    if (made)
        if (auto error = schema::createDatabaseFile(file))
            qFatal("%s", qPrintable(*error));
    TDM1 dm(dir);
    if (auto error = dm.open())
        qFatal("%s", qPrintable(*error));
    QSqlDatabase db = dm.ADOC1();
    if (made) {
        QElapsedTimer t;
        t.start();
        makeCatalogue(db, count);
        std::printf("made %d articles in %s: %lld ms\n", count, qPrintable(file), t.elapsed());
    }
    const int articles = sql::scalar(db, u"SELECT count(*) FROM sp"_s).toInt();
    std::printf("articles: %d (%s)\n", articles, qPrintable(file));

    const int runs = 5;
    Session session;
    WindowContext context{dm, session};
    struct Receiver : GoodsReceiver {
        QString goodsPickerMode() const override { return u"tjxs"_s; }
        void receiveGoods(const goods::Article &) override {}
    } receiver;
    TFsp2 picker(context);
    picker.setReceiver(&receiver);
    picker.show();
    app.processEvents();

    const QStringList typed = argc > 3 ? QString::fromLocal8Bit(argv[3]).split(u'|')
                                       : QStringList{u"M8*1"_s, u"螺丝 M5*"_s, u"BXGLS"_s};
    for (const QString &text : typed) {
        std::printf("typing \"%s\" (ms, median of %d):\n", qPrintable(text), runs);
        for (int k = 1; k <= text.size(); ++k) {
            const QString now = text.left(k);
            const goods::Filter indexed = goods::search(now);
            const goods::Filter scanned = goods::searchWithoutIndex(now);
            int rows = 0;
            const double byIndex = median(runs, [&] {
                rows = Snapshot::fetch(db, goods::listStatement(indexed), indexed.binds).rowCount();
            });
            const double byLike = median(runs, [&] {
                Snapshot::fetch(db, goods::listStatement(scanned), scanned.binds);
            });
            // One keystroke in the picker: from the text before to this one,
            // as the picker searches now and as it searched before the index
            // (every article tested, the same rows shown).
            const auto keystroke = [&](const std::function<void()> &search) {
                std::vector<double> ms;
                for (int r = 0; r < runs; ++r) {
                    picker.Edit1->setText(text.left(k - 1));
                    picker.searchNow();
                    app.processEvents();
                    QElapsedTimer t;
                    t.start();
                    search();
                    app.processEvents();
                    ms.push_back(double(t.nsecsElapsed()) / 1e6);
                }
                std::sort(ms.begin(), ms.end());
                return ms[ms.size() / 2];
            };
            const double searched = keystroke([&] {
                picker.Edit1->setText(now);
                picker.searchNow();
            });
            const double before = keystroke([&] {
                const QSignalBlocker quiet(picker.Edit1);
                picker.Edit1->setText(now);
                picker.showFilter(scanned);
            });
            const bool pickerUsesIndex =
                textsearch::canSearch(now) && goods::quickestSearch(db, now).where == indexed.where;
            std::printf("  \"%s\" %d rows: statement %.1f %s, %.1f testing every article;"
                        " picker keystroke %.1f (%s), %.1f testing every article\n",
                        qPrintable(now), rows, byIndex,
                        textsearch::canSearch(now) ? "through the index" : "(too short for the index)",
                        byLike, searched, pickerUsesIndex ? "through the index" : "testing every article",
                        before);
        }
    }
    return 0;
}
