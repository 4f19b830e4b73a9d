#pragma once

#include "windows/finance/PayablesWords.h"

// The condition dialog of the payables.
class TFcxyffx1 : public OwedQueryDialog
{
    Q_OBJECT
public:
    explicit TFcxyffx1(OwedListWindow &list);
};
