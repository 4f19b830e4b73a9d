// Times what a list window does with a long list: sorting 100,000 fetched rows
// by a text and by a decimal column, and writing them to a spreadsheet file.
// Build in Release and run by hand: bench_export [rows] [output.xlsx]
#include "core/money/Decimal.h"
#include "core/lists/GridRows.h"
#include "core/lists/SheetExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

// A goods list: id, code with leading zeros, name, unit, category, three decimals, a date.
Snapshot goodsRows(int count)
{
    const QStringList kinds = {u"不锈钢螺丝"_s, u"膨胀螺栓"_s, u"镀锌管"_s,  u"不锈钢合页"_s,
                               u"电焊条"_s,     u"角磨机"_s,   u"水龙头"_s,  u"麻花钻头"_s,
                               u"水泥钉"_s,     u"绝缘胶布"_s, u"铜芯电线"_s, u"五孔插座"_s};
    const QStringList sizes = {u" M6*20"_s, u" M8×50"_s, u" DN20"_s, u" 4分"_s,  u" 2.5平方"_s,
                               u"（白色）"_s, u" 10寸"_s, u" φ12"_s, u" 304"_s, u" 大号"_s};
    const QStringList units = {u"个"_s, u"把"_s, u"套"_s, u"米"_s, u"盒"_s};
    const QStringList categories = {u"五金工具"_s, u"紧固件"_s, u"水暖管件"_s, u"电工电料"_s};
    QStringList columns = {u"id"_s,   u"txm"_s,  u"ppgg"_s, u"dw"_s, u"lb"_s,
                           u"kcsl"_s, u"kcjg"_s, u"kcje"_s, u"rq"_s};
    std::vector<QVariant> cells;
    cells.reserve(size_t(count) * size_t(columns.size()));
    for (int i = 0; i < count; ++i) {
        const qint64 sl = (i * 7919 % 20000) * 100 - 50000;
        const qint64 jg = 12345 + (i % 977) * 101;
        cells.push_back(qint64(i + 1));
        cells.push_back(QStringLiteral("%1").arg(i * 37 % 1000000, 8, 10, QLatin1Char('0')));
        cells.push_back(QString(kinds.at(i % kinds.size()) + sizes.at((i / kinds.size()) % sizes.size())));
        cells.push_back(units.at(i % units.size()));
        cells.push_back(categories.at(i % categories.size()));
        cells.push_back(sl);
        cells.push_back(jg);
        cells.push_back(qint64((Decimal::fromUnits(sl) * Decimal::fromUnits(jg)).roundedTo2().units()));
        cells.push_back(QStringLiteral("2024-%1-%2")
                            .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                            .arg(1 + i % 28, 2, 10, QLatin1Char('0')));
    }
    return Snapshot(columns, std::move(cells));
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    QTemporaryDir dir;
    const QString out = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                 : QDir(dir.path()).filePath(u"bench.xlsx"_s);

    QElapsedTimer t;
    t.start();
    GridRows rows;
    rows.setColumns({{u"id"_s, u"序号"_s, 50, {}, true},
                     {u"txm"_s, u"编码"_s},
                     {u"ppgg"_s, u"商品名称"_s, 200},
                     {u"dw"_s, u"单位"_s},
                     {u"lb"_s, u"类别"_s},
                     {u"kcsl"_s, u"库存数量"_s},
                     {u"kcjg"_s, u"库存单价"_s},
                     {u"kcje"_s, u"库存金额"_s},
                     {u"rq"_s, u"日期"_s}});
    rows.open(goodsRows(count));
    std::printf("rows: %d, making them: %lld ms\n", count, t.restart());

    rows.titleClicked(2);
    std::printf("sort by name (pinyin) ascending: %lld ms\n", t.restart());
    rows.titleClicked(2);
    std::printf("sort by name descending:         %lld ms\n", t.restart());
    rows.titleClicked(5);
    std::printf("sort by a decimal column:        %lld ms\n", t.restart());
    rows.titleClicked(1);
    std::printf("sort by code:                    %lld ms\n", t.restart());

    const GridRows copy = rows;
    std::printf("copy for the worker:             %lld ms\n", t.restart());
    if (auto error = sheetexport::write(out, copy)) {
        std::printf("export failed: %s\n", qPrintable(*error));
        return 1;
    }
    std::printf("write .xlsx:                     %lld ms (%lld bytes)\n", t.restart(),
                QFileInfo(out).size());
    return 0;
}
