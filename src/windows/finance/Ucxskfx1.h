#pragma once

#include "windows/finance/ReceivablesWords.h"

// The condition dialog of the receipts.
class TFcxskfx1 : public MoneyQueryDialog
{
    Q_OBJECT
public:
    explicit TFcxskfx1(MoneyListWindow &list);
};
