#pragma once

#include "windows/masterdata/GoodsListWindow.h"

#include <functional>

class QLineEdit;
class QPushButton;
class QTimer;

// The grid columns a goods picker shows.
struct GoodsPickerColumns {
    std::vector<GridColumn> columns;
    static const GoodsPickerColumns &withPrices();     // the document picker
    static const GoodsPickerColumns &withoutPrices();  // the field picker
};

// What the two goods pickers share: the category tree, the search field
// `Edit1` ("录入编码、品名、类别查询") that searches name, code and category as
// it is typed, "选择" (also Enter in the search field or the grid, or a double
// click on a row), "新增" through the goods dialog, and "关闭". What "选择" does
// with the article is the picker's own.
//
// The search runs once typing pauses (searchPause), not on every keystroke;
// "选择", Enter and "新增" first run a search still waiting.
class GoodsPicker : public GoodsListWindow
{
    Q_OBJECT
public:
    GoodsPicker(const WindowContext &context, const GoodsPickerColumns &columns,
                QWidget *parent = nullptr);

    // What "选择" hands the current article to.
    void setChoiceHandler(std::function<void(const goods::Article &)> handler);

    // As when the picker is shown: the search field emptied, every article.
    void startList();

    void chooseClick();  // 选择
    void addClick();     // 新增
    // A change of the search text: the search waits for the typing to pause.
    void Edit1Change();
    // Runs the search of the text in the field now, if one is waiting.
    void searchNow();

    static constexpr int searchPause = 150;  // ms without a keystroke

    QLineEdit *Edit1;
    QPushButton *chooseButton;

protected:
    void categoryClick(const QString &category) override;

private:
    void runSearch();
    void dropWaitingSearch();

    std::function<void(const goods::Article &)> m_handler;
    QTimer *m_searchTimer;
};
