#pragma once

#include "windows/finance/ReceivablesWords.h"

// "销售应收明细表": the sales documents with a balance.
class TFysfx1 : public OwedListWindow
{
    Q_OBJECT
public:
    explicit TFysfx1(const WindowContext &context, QWidget *parent = nullptr);
};
