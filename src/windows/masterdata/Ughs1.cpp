#include "windows/masterdata/Ughs1.h"

#include "windows/masterdata/Ucxghs1.h"
#include "windows/masterdata/Utjghs1.h"

TFghs1::TFghs1(const WindowContext &context, QWidget *parent)
    : AddressListWindow(context, AddressBookWords::suppliers(), parent)
{
}

AddressEditDialog *TFghs1::makeEditor()
{
    return new TFtjghs1(m_context, this);
}

AddressQueryDialog *TFghs1::makeQuery()
{
    return new TFcxghs1(m_context, QStringLiteral("ghs"), this);
}
