#include "windows/finance/Ucxskfx1.h"

TFcxskfx1::TFcxskfx1(MoneyListWindow &list) : MoneyQueryDialog(receivablesWords(), list) {}
