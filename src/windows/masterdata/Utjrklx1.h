#pragma once

#include "windows/masterdata/NameListWindows.h"

// "新增异动原因": adds reasons of stock movements, one after another.
class TFtjrklx1 : public NameEditDialog
{
    Q_OBJECT
public:
    explicit TFtjrklx1(const WindowContext &context, QWidget *parent = nullptr);
};
