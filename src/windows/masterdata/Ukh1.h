#pragma once

#include "windows/masterdata/AddressBookWindows.h"

// "客户资料": the customers, with their add, edit, query, print and export.
class TFkh1 : public AddressListWindow
{
    Q_OBJECT
public:
    explicit TFkh1(const WindowContext &context, QWidget *parent = nullptr);

protected:
    AddressEditDialog *makeEditor() override;
    AddressQueryDialog *makeQuery() override;
};
