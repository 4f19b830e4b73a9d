#include "windows/finance/Uskfx1.h"

TFskfx1::TFskfx1(const WindowContext &context, QWidget *parent)
    : MoneyListWindow(context, receivablesWords(), parent)
{
}
