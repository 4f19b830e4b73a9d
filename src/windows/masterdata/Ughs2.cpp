#include "windows/masterdata/Ughs2.h"

#include "windows/masterdata/Utjghs1.h"

TFghs2::TFghs2(const WindowContext &context, QWidget *parent)
    : AddressPicker(context, AddressBookWords::suppliers(), parent)
{
}

AddressEditDialog *TFghs2::makeEditor()
{
    return new TFtjghs1(m_context, this);
}
