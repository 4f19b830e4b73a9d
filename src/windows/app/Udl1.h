#pragma once

#include "ui/FormDialog.h"

class QComboBox;
class QLineEdit;
class TDM1;

// The login dialog: pick an operator, type the password.
class TFdl1 : public FormDialog
{
    Q_OBJECT
public:
    explicit TFdl1(TDM1 &dm, QWidget *parent = nullptr);

    // Fills the operator list; false when the operators cannot be read (the
    // program then ends).
    bool prepare();

    // The operator who logged in, once the dialog was accepted.
    QString operatorName() const { return m_operator; }

    QComboBox *ComboBox1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    // BitBtn1 "确定", BitBtn2 "取消"

protected:
    void closeEvent(QCloseEvent *event) override;
    void closeClick() override;  // 取消, also Esc

private:
    void BitBtn1Click();

    TDM1 &m_dm;
    QString m_operator;
    bool m_closing = false;
};
