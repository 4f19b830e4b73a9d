#pragma once

#include "windows/finance/PayablesWords.h"

// "采购应付明细表": the purchase documents with a balance.
class TFyffx1 : public OwedListWindow
{
    Q_OBJECT
public:
    explicit TFyffx1(const WindowContext &context, QWidget *parent = nullptr);
};
