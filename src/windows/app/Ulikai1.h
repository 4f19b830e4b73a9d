#pragma once

#include "ui/FormDialog.h"

class QLineEdit;
class TDM1;

// The lock: while it is up nothing else of the program can be used. The
// operator's own password unlocks it (accepted); "取消" gives up (rejected),
// and the opener then ends the program.
class TFlikai1 : public FormDialog
{
    Q_OBJECT
public:
    TFlikai1(TDM1 &dm, const QString &operatorName, QWidget *parent = nullptr);

    QLineEdit *Edit1 = nullptr;  // 当前用户, read-only
    QLineEdit *Edit2 = nullptr;  // 用户密码
    // BitBtn1 "解锁", BitBtn2 "取消"

    void BitBtn1Click();  // 解锁

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeClick() override;

private:
    TDM1 &m_dm;
    bool m_closing = false;
};
