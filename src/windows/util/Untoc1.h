#pragma once

#include "ui/ChildWindow.h"

class NumberEdit;
class QLineEdit;
class QPushButton;

// "人民币大小写转换": an amount in figures written in Chinese capitals.
class TFntoc1 : public ChildWindow
{
    Q_OBJECT
public:
    explicit TFntoc1(QWidget *parent = nullptr);

    NumberEdit *Edit1 = nullptr;   // 金额小写
    QLineEdit *Edit2 = nullptr;    // 金额大写
    QPushButton *BitBtn1 = nullptr;  // 转换
    QPushButton *BitBtn2 = nullptr;  // 取消

    void BitBtn1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Edit1Exit();
};
