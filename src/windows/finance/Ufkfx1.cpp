#include "windows/finance/Ufkfx1.h"

TFfkfx1::TFfkfx1(const WindowContext &context, QWidget *parent)
    : MoneyListWindow(context, payablesWords(), parent)
{
}
