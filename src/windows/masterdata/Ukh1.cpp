#include "windows/masterdata/Ukh1.h"

#include "windows/masterdata/Ucxghs1.h"
#include "windows/masterdata/Utjkh1.h"

TFkh1::TFkh1(const WindowContext &context, QWidget *parent)
    : AddressListWindow(context, AddressBookWords::customers(), parent)
{
}

AddressEditDialog *TFkh1::makeEditor()
{
    return new TFtjkh1(m_context, this);
}

AddressQueryDialog *TFkh1::makeQuery()
{
    return new TFcxghs1(m_context, QStringLiteral("kh"), this);
}
