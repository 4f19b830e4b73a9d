#pragma once

#include "windows/masterdata/NameListWindows.h"

// "新增收支项目": adds items of income or expense, one after another; an item
// is told apart by its category and name.
class TFtjszxm1 : public NameEditDialog
{
    Q_OBJECT
public:
    explicit TFtjszxm1(const WindowContext &context, QWidget *parent = nullptr);
};
