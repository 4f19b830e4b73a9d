#pragma once

#include "windows/masterdata/NameListWindows.h"

// "商品类别设置": the goods categories, managed and picked for the goods dialog.
class TFlb1 : public NameListWindow
{
    Q_OBJECT
public:
    explicit TFlb1(const WindowContext &context, QWidget *parent = nullptr);

protected:
    NameEditDialog *makeEditor() override;
};
