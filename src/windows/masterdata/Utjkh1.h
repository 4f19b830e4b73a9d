#pragma once

#include "windows/masterdata/AddressBookWindows.h"

// "新增客户资料" / "修改客户资料": adds or edits a customer.
class TFtjkh1 : public AddressEditDialog
{
    Q_OBJECT
public:
    explicit TFtjkh1(const WindowContext &context, QWidget *parent = nullptr);
};
