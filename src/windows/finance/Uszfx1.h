#pragma once

#include "core/finance/IncomeExpense.h"
#include "report/Report.h"
#include "ui/SummedListWindow.h"
#include "ui/WindowContext.h"

#include <functional>

// "其他收支明细表": other income and expenses, opened on today's records, with
// total income, total expense and their difference in panels 2, 3 and 4; an
// expense is red. 新增 and 修改 (also a double click) open the record window,
// 删除 deletes, 查询 opens the condition dialog, 打印 prints, 导出 exports.
class TFszfx1 : public SummedListWindow
{
    Q_OBJECT
public:
    explicit TFszfx1(const WindowContext &context, QWidget *parent = nullptr);

    const WindowContext &context() const { return m_context; }

    bool showDay(const QDate &day);
    bool showFilter(const incomeexpense::Filter &filter);

    void SB44Click();  // 新增
    void SB55Click();  // 修改
    void SB66Click();  // 删除
    void SB77Click();  // 查询
    void SB88Click();  // 打印

    // "Today" for the opening list (tests set their own).
    static std::function<QDate()> &today();
    std::function<void(report::Form &)> previewer;

    QPushButton *SB44 = nullptr, *SB55 = nullptr, *SB66 = nullptr, *SB77 = nullptr,
                *SB88 = nullptr, *SB99 = nullptr, *SB100 = nullptr;

protected:
    void requery() override;

private:
    void showBalance();
    bool opened(bool ok);

    WindowContext m_context;
};
