#pragma once

#include "report/ReportBuilders.h"

// The goods list: "商品资料表", printed by the goods window.
class TFdysp1 : public report::ListForm
{
public:
    TFdysp1();
    static QString title() { return QStringLiteral("商品资料表"); }
};
