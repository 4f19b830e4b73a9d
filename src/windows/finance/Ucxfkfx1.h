#pragma once

#include "windows/finance/PayablesWords.h"

// The condition dialog of the payments.
class TFcxfkfx1 : public MoneyQueryDialog
{
    Q_OBJECT
public:
    explicit TFcxfkfx1(MoneyListWindow &list);
};
