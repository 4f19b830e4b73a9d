#include "windows/finance/Uxzyf1.h"

TFxzyf1::TFxzyf1(const WindowContext &context, MoneyWindow &window)
    : OwedChooser(context, payablesWords(), window)
{
}
