// Converts 100,000 typical goods names to their article codes and prints the
// time per name. Build in Release and run by hand: bench_pinyin [rounds]
#include "core/masterdata/Pinyin.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList goodsNames(int count)
{
    const QStringList kinds = {
        u"不锈钢螺丝"_s, u"膨胀螺栓"_s, u"镀锌管"_s, u"不锈钢合页"_s, u"电焊条"_s, u"角磨机"_s,
        u"水龙头"_s, u"麻花钻头"_s, u"水泥钉"_s, u"绝缘胶布"_s, u"铜芯电线"_s, u"五孔插座"_s,
        u"内六角扳手"_s, u"防锈漆"_s, u"滚筒刷"_s, u"球阀"_s, u"PPR弯头"_s, u"Ⅱ型卡箍"_s,
        u"生料带"_s, u"尼龙扎带"_s, u"自攻螺丝"_s, u"活动扳手"_s, u"切割片"_s, u"漏电保护器"_s,
    };
    const QStringList sizes = {
        u" M6*20"_s, u" M8×50"_s, u" DN20"_s, u" 4分"_s, u" 2.5平方"_s, u"（白色）"_s,
        u" 10寸"_s, u" φ12"_s, u" 100米/卷"_s, u""_s, u" 304"_s, u" 大号"_s, u" 1.5mm"_s,
    };
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names << kinds.at(i % kinds.size()) + sizes.at((i / kinds.size()) % sizes.size());
    return names;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const QStringList names = goodsNames(100000);

    qsizetype chars = 0;
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        for (const QString &name : names)
            chars += pinyin::goodsCode(name).size();
        best = std::min(best, double(timer.nsecsElapsed()) / names.size());
    }
    std::printf("%lld names, best of %d rounds: %.0f ns per name (%lld code characters)\n",
                static_cast<long long>(names.size()), rounds, best, static_cast<long long>(chars));
    return 0;
}
