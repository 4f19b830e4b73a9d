#pragma once

#include "windows/masterdata/AddressBookWindows.h"

// "员工资料": the employees, with their add, edit, query, print and export.
class TFyg1 : public AddressListWindow
{
    Q_OBJECT
public:
    explicit TFyg1(const WindowContext &context, QWidget *parent = nullptr);

protected:
    AddressEditDialog *makeEditor() override;
    AddressQueryDialog *makeQuery() override;
};
