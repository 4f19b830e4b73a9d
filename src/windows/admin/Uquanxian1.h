#pragma once

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;
class TDM1;

// "权限设置": pick an operator, see his permissions as twelve boxes, and
// grant the checked ones as his whole set. The administrator's grants are
// shown but cannot be changed.
class TFquanxian1 : public QDialog
{
    Q_OBJECT
public:
    explicit TFquanxian1(TDM1 &dm, QWidget *parent = nullptr);

    QComboBox *ComboBox1 = nullptr;        // 选择操作员
    std::vector<QCheckBox *> CheckBoxes;   // CheckBox1 .. CheckBox12, captions as granted
    QPushButton *BitBtn1 = nullptr;        // 授权
    QPushButton *BitBtn2 = nullptr;        // 全选
    QPushButton *BitBtn3 = nullptr;        // 全否
    QPushButton *BitBtn4 = nullptr;        // 关闭

    void BitBtn1Click();  // 授权
    void checkAll(bool checked);

    // The operators again, none chosen, every box clear (when shown).
    void fill();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void operatorChosen();

    TDM1 &m_dm;
    bool m_filled = false;
};
