#include "windows/masterdata/Ucxyg1.h"

TFcxyg1::TFcxyg1(const WindowContext &context, QWidget *parent)
    : AddressQueryDialog(context, AddressBookWords::employees(), parent)
{
}
