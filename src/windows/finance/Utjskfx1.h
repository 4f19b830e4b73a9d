#pragma once

#include "windows/finance/ReceivablesWords.h"

// "新增收款", "修改收款", "浏览收款": one receipt against one sales document.
class TFtjskfx1 : public MoneyWindow
{
    Q_OBJECT
public:
    explicit TFtjskfx1(const WindowContext &context, QWidget *parent = nullptr);
};
