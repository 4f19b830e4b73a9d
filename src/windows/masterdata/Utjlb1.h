#pragma once

#include "windows/masterdata/NameListWindows.h"

// "新增商品类别" / "修改商品类别": adds or renames a goods category.
class TFtjlb1 : public NameEditDialog
{
    Q_OBJECT
public:
    explicit TFtjlb1(const WindowContext &context, QWidget *parent = nullptr);
};
