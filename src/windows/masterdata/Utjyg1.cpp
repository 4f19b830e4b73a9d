#include "windows/masterdata/Utjyg1.h"

TFtjyg1::TFtjyg1(const WindowContext &context, QWidget *parent)
    : AddressEditDialog(context, AddressBookWords::employees(), parent)
{
}
