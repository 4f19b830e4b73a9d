#include "windows/masterdata/Utjghs1.h"

TFtjghs1::TFtjghs1(const WindowContext &context, QWidget *parent)
    : AddressEditDialog(context, AddressBookWords::suppliers(), parent)
{
}
