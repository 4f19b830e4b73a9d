#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class TDM1;

// The login dialog: pick an operator, type the password.
class TFdl1 : public QDialog
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
    QPushButton *BitBtn1 = nullptr;  // 确定
    QPushButton *BitBtn2 = nullptr;  // 取消

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BitBtn1Click();
    void BitBtn2Click();

    TDM1 &m_dm;
    QString m_operator;
    bool m_closing = false;
};
