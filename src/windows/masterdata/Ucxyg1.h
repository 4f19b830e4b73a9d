#pragma once

#include "windows/masterdata/AddressBookWindows.h"

// "按条件查询" of the employee list: narrows it by name, sex, department and
// telephone.
class TFcxyg1 : public AddressQueryDialog
{
    Q_OBJECT
public:
    explicit TFcxyg1(const WindowContext &context, QWidget *parent = nullptr);
};
