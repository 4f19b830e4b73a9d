#pragma once

#include "windows/finance/ReceivablesWords.h"

// The condition dialog of the receivables.
class TFcxysfx1 : public OwedQueryDialog
{
    Q_OBJECT
public:
    explicit TFcxysfx1(OwedListWindow &list);
};
