#include "windows/stock/Uzu1.h"

RecipeWords TFzu1::words()
{
    RecipeWords w;
    w.kind = stocktools::RecipeKind::Assembly;
    w.objectName = QStringLiteral("TFzu1");
    w.caption = QStringLiteral("商品组装/打包");
    w.wholeGroup = QStringLiteral("步骤一：选择组装而成的整件");
    w.partGroup = QStringLiteral("步骤二：选择组装所需的零件");
    w.quantityName = QStringLiteral("zzsl");
    w.quantityCaption = QStringLiteral("组装数量");
    w.quantityHelp = {QStringLiteral("组装数量：打算组装多少个该整件"),
                      QStringLiteral("如：打算组装10个该整件，则组装数量为10")};
    w.coefficientName = QStringLiteral("zzxs");
    w.coefficientCaption = QStringLiteral("组装系数");
    w.coefficientHelp = {QStringLiteral("组装系数：组装成一整件需多少个该零件"),
                         QStringLiteral("如：组装成一整件需2个该零件，则组装系数为2")};
    w.coefficientTitle = QStringLiteral("组装系数");
    w.quantityTitle = QStringLiteral("组装所需数量");
    w.wholeMode = QStringLiteral("zu1");
    w.partMode = QStringLiteral("zu2");
    w.action = QStringLiteral("确定组装");
    return w;
}

TFzu1::TFzu1(const WindowContext &context, QWidget *parent)
    : RecipeWindow(context, words(), parent)
{
}
