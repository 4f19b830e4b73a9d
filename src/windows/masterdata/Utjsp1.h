#pragma once

#include "core/masterdata/Goods.h"
#include "ui/FormDialog.h"
#include "ui/WindowContext.h"

class NumberEdit;
class QLineEdit;
class QToolButton;

// "新增商品资料" / "修改商品资料": adds articles one after another, or edits
// one. The category and the unit are chosen from their lists (the button
// beside the field, a double click on it, or Enter in it while it is empty);
// the code follows the name as it is typed and may then be overwritten. After
// an add the dialog stays open with its fields as they are and the focus on
// the name; after an edit it closes. Whoever opened it learns of every saved
// article through saved().
class TFtjsp1 : public FormDialog
{
    Q_OBJECT
public:
    explicit TFtjsp1(const WindowContext &context, QWidget *parent = nullptr);

    // Adding: texts empty, the seven numbers "0".
    void startAdd();
    // Editing: every field from the article, the stored code included.
    void startEdit(const goods::Article &article);

    void BitBtn1Click();       // 保存
    void SpeedButton1Click();  // 选择商品类别
    void SpeedButton2Click();  // 选择计量单位

    // The fields as they stand.
    goods::Input input() const;

Q_SIGNALS:
    void saved(qint64 id);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public:
    QLineEdit *lb;
    QLineEdit *ppgg;
    QLineEdit *txm;
    QLineEdit *dw;
    NumberEdit *jj;
    NumberEdit *xjpf;
    NumberEdit *xjls;
    NumberEdit *slt;
    NumberEdit *jet;
    NumberEdit *kcsl;
    NumberEdit *kcjg;
    QLineEdit *ms;
    QLineEdit *bz;
    QToolButton *SpeedButton1;
    QToolButton *SpeedButton2;

private:
    void ppggChange();
    QWidget *widgetOf(goods::Field field) const;
    NumberEdit *numberEdit(goods::Field field) const;

    WindowContext m_context;
    qint64 m_id = 0;
};
