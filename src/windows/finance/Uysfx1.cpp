#include "windows/finance/Uysfx1.h"

TFysfx1::TFysfx1(const WindowContext &context, QWidget *parent)
    : OwedListWindow(context, receivablesWords(), parent)
{
}
