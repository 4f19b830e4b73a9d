#pragma once

#include "windows/finance/PayablesWords.h"

// "采购付款明细表": the payments to suppliers.
class TFfkfx1 : public MoneyListWindow
{
    Q_OBJECT
public:
    explicit TFfkfx1(const WindowContext &context, QWidget *parent = nullptr);
};
