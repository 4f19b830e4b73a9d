#pragma once

#include "windows/masterdata/AddressBookWindows.h"

// "按条件查询" of the supplier list (mode "ghs") and of the customer list
// (mode "kh"): narrows the opener's list by name, contact, telephone and
// address.
class TFcxghs1 : public AddressQueryDialog
{
    Q_OBJECT
public:
    TFcxghs1(const WindowContext &context, const QString &mode, QWidget *parent = nullptr);
};
