#pragma once

#include "windows/finance/ReceivablesWords.h"

// "销售收款明细表": the receipts from customers.
class TFskfx1 : public MoneyListWindow
{
    Q_OBJECT
public:
    explicit TFskfx1(const WindowContext &context, QWidget *parent = nullptr);
};
