#pragma once

#include "windows/masterdata/AddressBookWindows.h"

// "新增厂商资料" / "修改厂商资料": adds or edits a supplier.
class TFtjghs1 : public AddressEditDialog
{
    Q_OBJECT
public:
    explicit TFtjghs1(const WindowContext &context, QWidget *parent = nullptr);
};
