#pragma once

#include "windows/reports/StatisticsWindow.h"

// "商品进销存统计表": per article what was bought, sold and moved, and the
// balance "结存＝采购－销售＋异动" they leave.
class TFkctj1 : public StatisticsWindow
{
    Q_OBJECT
public:
    explicit TFkctj1(const WindowContext &context, QWidget *parent = nullptr);

    static const StatisticsWords &words();
};
