#pragma once

#include "windows/stock/RecipeWindow.h"

// "商品组装/打包": parts are consumed and wholes produced by the whole's
// recipe in zu.
class TFzu1 : public RecipeWindow
{
    Q_OBJECT
public:
    explicit TFzu1(const WindowContext &context, QWidget *parent = nullptr);

    static RecipeWords words();
};
