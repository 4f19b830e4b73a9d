#pragma once

#include "windows/masterdata/NameListWindows.h"

// "计量单位设置": the units of measure, managed and picked for the goods dialog.
// Unlike the categories, the list is not sorted by its title.
class TFdw1 : public NameListWindow
{
    Q_OBJECT
public:
    explicit TFdw1(const WindowContext &context, QWidget *parent = nullptr);

protected:
    NameEditDialog *makeEditor() override;
};
