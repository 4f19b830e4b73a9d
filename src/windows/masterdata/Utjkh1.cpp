#include "windows/masterdata/Utjkh1.h"

TFtjkh1::TFtjkh1(const WindowContext &context, QWidget *parent)
    : AddressEditDialog(context, AddressBookWords::customers(), parent)
{
}
