#include "windows/masterdata/Utjrklx1.h"

TFtjrklx1::TFtjrklx1(const WindowContext &context, QWidget *parent)
    : NameEditDialog(context, NameListWords::reasons(), parent)
{
}
