#pragma once

#include "windows/masterdata/AddressBookWindows.h"

// "厂商资料": the suppliers, with their add, edit, query, print and export.
class TFghs1 : public AddressListWindow
{
    Q_OBJECT
public:
    explicit TFghs1(const WindowContext &context, QWidget *parent = nullptr);

protected:
    AddressEditDialog *makeEditor() override;
    AddressQueryDialog *makeQuery() override;
};
