#include "windows/finance/Uyffx1.h"

TFyffx1::TFyffx1(const WindowContext &context, QWidget *parent)
    : OwedListWindow(context, payablesWords(), parent)
{
}
