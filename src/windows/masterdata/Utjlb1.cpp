#include "windows/masterdata/Utjlb1.h"

TFtjlb1::TFtjlb1(const WindowContext &context, QWidget *parent)
    : NameEditDialog(context, NameListWords::categories(), parent)
{
}
