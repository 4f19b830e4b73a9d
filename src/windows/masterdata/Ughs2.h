#pragma once

#include "windows/masterdata/AddressBookWindows.h"

// "选择厂商资料": picks the supplier of a purchase document (mode "tjcg").
class TFghs2 : public AddressPicker
{
    Q_OBJECT
public:
    explicit TFghs2(const WindowContext &context, QWidget *parent = nullptr);

protected:
    AddressEditDialog *makeEditor() override;
};
