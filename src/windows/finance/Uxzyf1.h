#pragma once

#include "windows/finance/PayablesWords.h"

// "选择应付帐单（采购欠款单）": the purchase documents a payment may settle.
class TFxzyf1 : public OwedChooser
{
    Q_OBJECT
public:
    TFxzyf1(const WindowContext &context, MoneyWindow &window);
};
