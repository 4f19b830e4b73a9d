#include "windows/masterdata/Utjdw1.h"

TFtjdw1::TFtjdw1(const WindowContext &context, QWidget *parent)
    : NameEditDialog(context, NameListWords::units(), parent)
{
}
