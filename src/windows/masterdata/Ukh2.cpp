#include "windows/masterdata/Ukh2.h"

#include "windows/masterdata/Utjkh1.h"

TFkh2::TFkh2(const WindowContext &context, QWidget *parent)
    : AddressPicker(context, AddressBookWords::customers(), parent)
{
}

AddressEditDialog *TFkh2::makeEditor()
{
    return new TFtjkh1(m_context, this);
}
