#pragma once

#include "windows/finance/ReceivablesWords.h"

// "选择应收帐单（销售欠款单）": the sales documents a receipt may settle.
class TFxzys1 : public OwedChooser
{
    Q_OBJECT
public:
    TFxzys1(const WindowContext &context, MoneyWindow &window);
};
