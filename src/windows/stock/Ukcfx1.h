#pragma once

#include "core/masterdata/Goods.h"
#include "ui/SummedListWindow.h"
#include "ui/WindowContext.h"
#include "windows/masterdata/Ucxsp1.h"

#include <functional>

class CategoryTree;
class QMenu;
class QPushButton;

namespace report {
class ListForm;
}

// "库存明细表": every article with its stock, narrowed by the category tree or
// the goods query dialog (mode "kc"), with the totals of stock quantity and
// stock amount over what is listed in panels 2 and 4. Without the operator's
// right to see stock prices the price columns are hidden and the amount total
// stays empty. From here the listed stock is zeroed, stock is converted into
// another unit, wholes are assembled or split, and the list is printed with or
// without prices.
class TFkcfx1 : public SummedListWindow, public GoodsQueryTarget
{
    Q_OBJECT
public:
    explicit TFkcfx1(const WindowContext &context, QWidget *parent = nullptr);

    void SB33Click();  // 拆零
    void SB44Click();  // 组装
    void SB55Click();  // 归零
    void SB66Click();  // 换算
    void SB77Click();  // 查询
    void printWithPrices();     // 1、带库存价格打印
    void printWithoutPrices();  // 2、不带库存价格打印

    // Opens the list on the articles of a filter (name order) with its totals.
    bool showFilter(const goods::Filter &filter);
    const goods::Filter &filter() const { return m_filter; }

    // The query dialog's mode "kc"; the totals come with the list.
    QString goodsQueryMode() const override { return QStringLiteral("kc"); }
    bool showGoods(const goods::Filter &found) override { return showFilter(found); }

    // The stock flags of the session: prices shown, zeroing allowed.
    bool showsPrices() const;
    bool mayZero() const;

    // Shows a prepared form; the print preview unless replaced (tests).
    std::function<void(report::ListForm &)> previewer;

    CategoryTree *TreeView1;
    QMenu *printMenu;
    QPushButton *SB88;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void categoryClick(const QString &category);
    bool listHasRows(const QString &emptyMessage);
    void preview(report::ListForm &form);

    WindowContext m_context;
    goods::Filter m_filter;
    bool m_shown = false;
};
