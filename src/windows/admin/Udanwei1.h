#pragma once

#include "ui/FormDialog.h"

class QLineEdit;
class TDM1;

// "填写店铺信息": the shop's name, print heading, contact details, remarks
// and the two footer lines of printed sales documents.
class TFdanwei1 : public FormDialog
{
    Q_OBJECT
public:
    explicit TFdanwei1(TDM1 &dm, QWidget *parent = nullptr);

    QLineEdit *Edit1 = nullptr;   // 店铺名称 mczc
    QLineEdit *Edit2 = nullptr;   // 打印抬头 mcdy
    QLineEdit *Edit3 = nullptr;   // 负责人 lxr
    QLineEdit *Edit4 = nullptr;   // 电话 dh
    QLineEdit *Edit5 = nullptr;   // 传真 cz
    QLineEdit *Edit6 = nullptr;   // 地址 dz
    QLineEdit *Edit7 = nullptr;   // 备注1 bz1
    QLineEdit *Edit8 = nullptr;   // 备注2 bz2
    QLineEdit *Edit9 = nullptr;   // 销售单据脚注, upper line bz3
    QLineEdit *Edit10 = nullptr;  // 销售单据脚注, lower line bz4
    // BitBtn1 "保存", BitBtn2 "关闭"

    void done(int result) override;

Q_SIGNALS:
    // Whenever the dialog closes, saved or not: the opener rebuilds what
    // shows the shop's name.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fill();
    void BitBtn1Click();

    TDM1 &m_dm;
    bool m_filled = false;
};
