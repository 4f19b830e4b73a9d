#pragma once

#include "windows/documents/Uxgmx1.h"

// "修改异动明细" (mode "rkmx"): the line editor of the stock movement window.
// Only the quantity can be changed; the price stays the one the line was
// entered with, and the amount follows the quantity.
class TFxgmx2 : public TFxgmx1
{
    Q_OBJECT
public:
    TFxgmx2(const WindowContext &context, const QString &number, documents::Mode documentMode,
            std::vector<documents::Line> lines, int current, QWidget *parent = nullptr);
};
