#pragma once

#include "ui/FormDialog.h"

class QLabel;
class QLineEdit;
class TDM1;

// The operator dialog: a name and two password fields. It serves three
// purposes, told by its mode (the hidden text `ST1`, also the caption):
//
// | mode           | name      | password labels     | "保存" does                      | then        |
// |----------------|-----------|---------------------|----------------------------------|-------------|
// | "新增操作员"   | editable  | 用户密码 / 密码确认 | adds the operator (all trimmed)  | stays open  |
// | "修改操作员"   | read-only | 原设密码 / 新设密码 | changes his password (as typed)  | closes      |
// | "更改我的密码" | read-only | 原设密码 / 新设密码 | changes the own password         | closes      |
class TFtjyh1 : public FormDialog
{
    Q_OBJECT
public:
    enum class Mode { AddOperator, EditOperator, OwnPassword };

    explicit TFtjyh1(TDM1 &dm, QWidget *parent = nullptr);

    static QString modeText(Mode mode);

    void startAdd();
    void startEdit(const QString &name);
    void startOwnPassword(const QString &name);

    Mode mode() const { return m_mode; }

    void BitBtn1Click();  // 保存

    QLabel *ST1 = nullptr;     // the mode, hidden
    QLineEdit *Edit1 = nullptr;  // 用户名称
    QLineEdit *Edit2 = nullptr;  // 用户密码 / 原设密码
    QLineEdit *Edit3 = nullptr;  // 密码确认 / 新设密码
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    // BitBtn1 "保存", BitBtn2 "关闭"

Q_SIGNALS:
    // An operator was added or a password changed: the list shows it.
    void saved(const QString &name);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setMode(Mode mode, const QString &name);

    TDM1 &m_dm;
    Mode m_mode = Mode::AddOperator;
};
