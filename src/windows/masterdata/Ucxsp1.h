#pragma once

#include "core/masterdata/Goods.h"
#include "ui/FormDialog.h"
#include "ui/WindowContext.h"

class QComboBox;
class QLineEdit;

// The window a goods query is run for. The goods list (mode "sp") re-opens
// its list; the inventory window (mode "kc") also shows the stock totals of
// what it lists.
class GoodsQueryTarget
{
public:
    virtual ~GoodsQueryTarget() = default;

    // The dialog's mode text `ST1`: "sp" or "kc".
    virtual QString goodsQueryMode() const = 0;
    // Whether the totals of the articles found are handed over before the list.
    virtual bool wantsStockTotals() const { return false; }
    virtual void showStockTotals(const goods::StockTotals &) {}
    // Re-opens the window's list on the articles found; false when it could
    // not (the window has told the operator why).
    virtual bool showGoods(const goods::Filter &found) = 0;
};

// "按条件查询" over the goods: category, code and name each found anywhere
// in their column (empty finds everything) and the stock choice. Enter moves
// from field to field and runs the query from the stock choice; Esc closes.
class TFcxsp1 : public FormDialog
{
    Q_OBJECT
public:
    TFcxsp1(const WindowContext &context, GoodsQueryTarget &target, QWidget *parent = nullptr);

    QString mode() const { return ST1; }
    goods::Conditions conditions() const;

    void BitBtn1Click();  // 查询

protected:
    void showEvent(QShowEvent *event) override;

public:
    QLineEdit *Edit1;  // 商品类别
    QLineEdit *Edit2;  // 商品编码
    QLineEdit *Edit3;  // 商品名称
    QComboBox *ComboBox1;  // 库存数量
    // BitBtn1 "查询", BitBtn2 "关闭"

private:
    WindowContext m_context;
    GoodsQueryTarget &m_target;
    QString ST1;
};
