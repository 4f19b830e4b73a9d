#pragma once

#include "ui/ChildWindow.h"

class NumberEdit;
class QLineEdit;
class QPushButton;

// "计算零钱": the change to hand back, from the amount due and the amount tendered.
class TFzhaoling1 : public ChildWindow
{
    Q_OBJECT
public:
    explicit TFzhaoling1(QWidget *parent = nullptr);

    NumberEdit *Edit1 = nullptr;  // 应付/应收
    NumberEdit *Edit2 = nullptr;  // 实付/实收
    QLineEdit *Edit3 = nullptr;   // 找零金额
    QPushButton *BitBtn1 = nullptr;  // 关闭

private:
    void Edit1Change();
    void Edit2Change();
    void recompute();
};
