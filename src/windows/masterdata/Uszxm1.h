#pragma once

#include "windows/masterdata/NameListWindows.h"

// "收支项目设置": the items of other income and expenses, managed and picked
// for the income and expense record.
class TFszxm1 : public NameListWindow
{
    Q_OBJECT
public:
    explicit TFszxm1(const WindowContext &context, QWidget *parent = nullptr);

protected:
    NameEditDialog *makeEditor() override;
};
