#include "windows/masterdata/Uyg1.h"

#include "windows/masterdata/Ucxyg1.h"
#include "windows/masterdata/Utjyg1.h"

TFyg1::TFyg1(const WindowContext &context, QWidget *parent)
    : AddressListWindow(context, AddressBookWords::employees(), parent)
{
}

AddressEditDialog *TFyg1::makeEditor()
{
    return new TFtjyg1(m_context, this);
}

AddressQueryDialog *TFyg1::makeQuery()
{
    return new TFcxyg1(m_context, this);
}
