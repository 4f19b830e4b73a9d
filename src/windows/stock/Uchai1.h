#pragma once

#include "windows/stock/RecipeWindow.h"

// "商品拆分/拆包": wholes are consumed and parts produced by the whole's
// recipe in chai.
class TFchai1 : public RecipeWindow
{
    Q_OBJECT
public:
    explicit TFchai1(const WindowContext &context, QWidget *parent = nullptr);

    static RecipeWords words();
};
