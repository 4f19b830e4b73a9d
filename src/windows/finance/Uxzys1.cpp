#include "windows/finance/Uxzys1.h"

TFxzys1::TFxzys1(const WindowContext &context, MoneyWindow &window)
    : OwedChooser(context, receivablesWords(), window)
{
}
