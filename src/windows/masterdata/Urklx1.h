#pragma once

#include "windows/masterdata/NameListWindows.h"

// "异动原因设置": the reasons of stock movements, managed and picked for the
// movement document.
class TFrklx1 : public NameListWindow
{
    Q_OBJECT
public:
    explicit TFrklx1(const WindowContext &context, QWidget *parent = nullptr);

protected:
    NameEditDialog *makeEditor() override;
};
