#include "windows/finance/Ucxfkfx1.h"

TFcxfkfx1::TFcxfkfx1(MoneyListWindow &list) : MoneyQueryDialog(payablesWords(), list) {}
