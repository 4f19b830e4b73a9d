#pragma once

#include "windows/masterdata/AddressBookWindows.h"

// "选择员工资料": picks the handler of a document or payment ("tjcg", "tjxs",
// "tjpf", "tjrk", "tjfkfx", "tjskfx", "tjszfx").
class TFyg2 : public AddressPicker
{
    Q_OBJECT
public:
    explicit TFyg2(const WindowContext &context, QWidget *parent = nullptr);

protected:
    AddressEditDialog *makeEditor() override;
};
