#pragma once

#include "windows/masterdata/AddressBookWindows.h"

// "新增员工资料" / "修改员工资料": adds or edits an employee.
class TFtjyg1 : public AddressEditDialog
{
    Q_OBJECT
public:
    explicit TFtjyg1(const WindowContext &context, QWidget *parent = nullptr);
};
