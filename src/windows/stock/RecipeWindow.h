#pragma once

#include "core/stock/StockTools.h"
#include "ui/FormDialog.h"
#include "ui/WindowContext.h"
#include "windows/masterdata/Usp3.h"

class ListGrid;
class NumberEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// What assembly and splitting differ in on screen: the caption, the group
// titles, the names, captions and help texts of the quantity and the
// coefficient, the grid's last two titles, the picker modes and the action.
struct RecipeWords {
    stocktools::RecipeKind kind = stocktools::RecipeKind::Assembly;
    QString objectName;        // TFzu1, TFchai1
    QString caption;           // "商品组装/打包"
    QString wholeGroup;        // "步骤一：选择组装而成的整件"
    QString partGroup;         // "步骤二：选择组装所需的零件"
    QString quantityName;      // zzsl, cfsl
    QString quantityCaption;   // "组装数量"
    QStringList quantityHelp;  // its two help texts
    QString coefficientName;   // zzxs, cfxs
    QString coefficientCaption;
    QStringList coefficientHelp;
    QString coefficientTitle;  // grid: "组装系数"
    QString quantityTitle;     // grid: "组装所需数量"
    QString wholeMode;         // picker modes "zu1", "zu2"
    QString partMode;
    QString action;            // "确定组装"
};

// The frame of the assembly and splitting windows: step one picks the whole
// and how many of it, step two the parts of its recipe with their
// coefficients; the recipe of the whole is listed below, and the action moves
// the stock of the whole and of its parts in one transaction. Modal; Esc
// closes.
class RecipeWindow : public FormDialog, public GoodsFieldsTarget
{
    Q_OBJECT
public:
    RecipeWindow(const WindowContext &context, const RecipeWords &words,
                 QWidget *parent = nullptr);

    const RecipeWords &words() const { return m_words; }
    const stocktools::RecipeDescriptor &descriptor() const { return m_descriptor; }

    void BitBtn1Click();  // 确定组装 / 确定拆分
    void SB1Click();      // 新增
    void SB2Click();      // 删除
    void txm1Change();
    void txm2Change();
    void quantityChange();
    void SpeedButton1Click();  // 选择整件
    void SpeedButton2Click();  // 选择零件

    void fillGoodsFields(const QString &mode, const goods::Article &article) override;
    void setSao(const QString &flag) override { sao = flag; }

    QLineEdit *txm1, *ppgg1, *dw1, *kcsl1;
    NumberEdit *quantity;  // zzsl / cfsl
    QLineEdit *txm2, *ppgg2, *dw2, *kcsl2;
    NumberEdit *coefficient;  // zzxs / cfxs
    qint64 spid1 = 0;  // the whole's id, 0 for none
    qint64 spid2 = 0;  // the part's id
    QToolButton *SpeedButton1, *SpeedButton2;
    QPushButton *SB1, *SB2;
    ListGrid *DBGrid1;

private:
    void setWhole(qint64 id, const QString &name, const QString &unit, const Decimal &stock);
    void setPart(qint64 id, const QString &name, const QString &unit, const Decimal &stock);
    void clearWhole();
    void clearPart();
    void showRecipe();
    void focusField(stocktools::RecipeField field);
    void openPicker(const QString &caption, const QString &mode);

    WindowContext m_context;
    RecipeWords m_words;
    const stocktools::RecipeDescriptor &m_descriptor;
    QString sao = QStringLiteral("sao");
};
