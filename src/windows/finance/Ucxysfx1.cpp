#include "windows/finance/Ucxysfx1.h"

TFcxysfx1::TFcxysfx1(OwedListWindow &list) : OwedQueryDialog(receivablesWords(), list) {}
