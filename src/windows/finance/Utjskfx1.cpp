#include "windows/finance/Utjskfx1.h"

TFtjskfx1::TFtjskfx1(const WindowContext &context, QWidget *parent)
    : MoneyWindow(context, receivablesWords(), parent)
{
}
