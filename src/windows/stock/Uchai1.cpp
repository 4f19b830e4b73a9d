#include "windows/stock/Uchai1.h"

RecipeWords TFchai1::words()
{
    RecipeWords w;
    w.kind = stocktools::RecipeKind::Splitting;
    w.objectName = QStringLiteral("TFchai1");
    w.caption = QStringLiteral("商品拆分/拆包");
    w.wholeGroup = QStringLiteral("步骤一：选择拆分所需的整件");
    w.partGroup = QStringLiteral("步骤二：选择拆分而成的零件");
    w.quantityName = QStringLiteral("cfsl");
    w.quantityCaption = QStringLiteral("拆分数量");
    w.quantityHelp = {QStringLiteral("拆分数量：打算拆分多少个该整件"),
                      QStringLiteral("如：打算拆分10个该整件，则拆分数量为10")};
    w.coefficientName = QStringLiteral("cfxs");
    w.coefficientCaption = QStringLiteral("拆分系数");
    w.coefficientHelp = {QStringLiteral("拆分系数：一整件可拆分成多少个该零件"),
                         QStringLiteral("如：一整件可拆分成2个该零件，则拆分系数为2")};
    w.coefficientTitle = QStringLiteral("拆分系数");
    w.quantityTitle = QStringLiteral("拆分而成数量");
    w.wholeMode = QStringLiteral("chai1");
    w.partMode = QStringLiteral("chai2");
    w.action = QStringLiteral("确定拆分");
    return w;
}

TFchai1::TFchai1(const WindowContext &context, QWidget *parent)
    : RecipeWindow(context, words(), parent)
{
}
