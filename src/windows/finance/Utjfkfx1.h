#pragma once

#include "windows/finance/PayablesWords.h"

// "新增付款", "修改付款", "浏览付款": one payment against one purchase document.
class TFtjfkfx1 : public MoneyWindow
{
    Q_OBJECT
public:
    explicit TFtjfkfx1(const WindowContext &context, QWidget *parent = nullptr);
};
