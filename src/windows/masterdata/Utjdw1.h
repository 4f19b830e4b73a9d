#pragma once

#include "windows/masterdata/NameListWindows.h"

// "新增计量单位" / "修改计量单位": adds or renames a unit of measure.
class TFtjdw1 : public NameEditDialog
{
    Q_OBJECT
public:
    explicit TFtjdw1(const WindowContext &context, QWidget *parent = nullptr);
};
