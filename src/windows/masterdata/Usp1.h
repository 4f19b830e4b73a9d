#pragma once

#include "windows/masterdata/GoodsListWindow.h"
#include "windows/masterdata/Ucxsp1.h"

#include <functional>

class QAction;
class QPushButton;

namespace report {
class ListForm;
}

// "商品资料": the goods catalogue. The category tree narrows the list to one
// category; "查询" to any conditions. Articles are added, edited and deleted
// here, and "批量生成拼音码" (pop-up menu) makes the codes of the listed
// articles from their names.
class TFsp1 : public GoodsListWindow, public GoodsQueryTarget
{
    Q_OBJECT
public:
    explicit TFsp1(const WindowContext &context, QWidget *parent = nullptr);

    void importClick();  // 导入: the import dialog, then the whole list anew
    void addClick();     // 新增
    void editClick();    // 修改
    void deleteClick();  // 删除
    void queryClick();   // 查询
    void printClick();   // 打印
    void generateCodesClick();  // 批量生成拼音码

    // The list as when the window is shown: every article by name.
    void showAll();

    // The query dialog's mode "sp".
    QString goodsQueryMode() const override { return QStringLiteral("sp"); }
    bool showGoods(const goods::Filter &found) override;

    // Shows the prepared goods form; the print preview unless replaced (tests).
    std::function<void(report::ListForm &)> previewer;

    QPushButton *importButton;
    QAction *deleteAction;
    QAction *generateCodesAction;

protected:
    void categoryClick(const QString &category) override;
    void showEvent(QShowEvent *event) override;

private:
    bool m_shown = false;
};
