#include "windows/masterdata/Uyg2.h"

#include "windows/masterdata/Utjyg1.h"

TFyg2::TFyg2(const WindowContext &context, QWidget *parent)
    : AddressPicker(context, AddressBookWords::employees(), parent)
{
}

AddressEditDialog *TFyg2::makeEditor()
{
    return new TFtjyg1(m_context, this);
}
