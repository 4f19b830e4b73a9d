#pragma once

#include "windows/masterdata/AddressBookWindows.h"

// "选择客户资料": picks the customer of a retail ("tjxs") or wholesale
// ("tjpf") document; for the wholesale document the customer's address and
// telephone also go into its remark.
class TFkh2 : public AddressPicker
{
    Q_OBJECT
public:
    explicit TFkh2(const WindowContext &context, QWidget *parent = nullptr);

protected:
    AddressEditDialog *makeEditor() override;
};
