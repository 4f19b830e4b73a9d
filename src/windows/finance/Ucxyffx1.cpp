#include "windows/finance/Ucxyffx1.h"

TFcxyffx1::TFcxyffx1(OwedListWindow &list) : OwedQueryDialog(payablesWords(), list) {}
