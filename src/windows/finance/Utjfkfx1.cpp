#include "windows/finance/Utjfkfx1.h"

TFtjfkfx1::TFtjfkfx1(const WindowContext &context, QWidget *parent)
    : MoneyWindow(context, payablesWords(), parent)
{
}
