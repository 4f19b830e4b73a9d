#pragma once

#include "core/masterdata/Goods.h"
#include "ui/FormDialog.h"
#include "ui/WindowContext.h"
#include "windows/masterdata/Usp3.h"

#include <optional>

class NumberEdit;
class QLineEdit;
class QToolButton;

// The inventory list's selected row, the source of a conversion.
struct ConversionSource {
    qint64 id = 0;
    QString txm, ppgg, dw;
    Decimal kcsl;
};

// "同一商品不同单位换算": a quantity of the selected article converted into
// another goods row of a different unit, at a base of target units per source
// unit. The target is found by its code as it is typed (exactly one article
// of that code) or chosen in the goods picker (mode "kchs").
class TFxgkcfx2 : public FormDialog, public GoodsFieldsTarget
{
    Q_OBJECT
public:
    TFxgkcfx2(const WindowContext &context, const ConversionSource &source,
              QWidget *parent = nullptr);

    void BitBtn1Click();       // 确定换算
    void Edit5Change();        // the typed target code
    void SpeedButton1Click();  // 选择商品

    // The articles the list shows after a conversion (the target's name, code
    // and unit); none until one was made.
    const std::optional<goods::Filter> &converted() const { return m_converted; }

    void fillGoodsFields(const QString &mode, const goods::Article &article) override;
    void setSao(const QString &flag) override { sao = flag; }

    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4;  // the source: 编码, 商品名称, 计量单位, 库存数量
    QLineEdit *Edit5, *Edit6, *Edit7;          // the target: 编码, 商品名称, 计量单位
    NumberEdit *Edit8;                         // 换算基数
    NumberEdit *Edit9;                         // 换算数量
    QLineEdit *Edit10;                         // 完成总量
    QToolButton *SpeedButton1;

protected:
    // A double click on the target's code opens the picker.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void recalculate();

    WindowContext m_context;
    ConversionSource m_source;
    std::optional<goods::Filter> m_converted;
    QString sao = QStringLiteral("sao");
};
