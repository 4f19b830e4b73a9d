#include "windows/app/Udl1.h"

#include "core/admin/Operators.h"
#include "core/db/Udm1.h"
#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "ui/Messages.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFdl1::TFdl1(TDM1 &dm, QWidget *parent)
    : FormDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_dm(dm)
{
    setWindowTitle(QStringLiteral("登录系统"));

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(false);
    ComboBox1->setMinimumWidth(180);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setEchoMode(QLineEdit::Password);

    auto *form = new QFormLayout;
    auto *nameLabel = new QLabel(QStringLiteral("用户名称"), this);
    nameLabel->setBuddy(ComboBox1);
    auto *passwordLabel = new QLabel(QStringLiteral("用户密码"), this);
    passwordLabel->setBuddy(Edit1);
    form->addRow(nameLabel, ComboBox1);
    form->addRow(passwordLabel, Edit1);

    auto *hint = new QLabel(QStringLiteral("系统管理员的默认密码：") +
                                schema::defaultAdministratorPassword(),
                            this);
    hint->setStyleSheet(QStringLiteral("color: #a02020;"));

    setFields(form, QStringLiteral("确定"), QStringLiteral("取消")).layout()->insertWidget(1, hint);
    connect(BitBtn1, &QPushButton::clicked, this, &TFdl1::BitBtn1Click);
    enterAlong({{ComboBox1}, {Edit1}});
}

bool TFdl1::prepare()
{
    Edit1->clear();
    ComboBox1->clear();
    try {
        ComboBox1->addItems(operators::names(m_dm.ADOC1()));
    } catch (const DbError &) {
        return false;
    }
    ComboBox1->setFocus();
    return true;
}

void TFdl1::BitBtn1Click()
{
    const QString name = ComboBox1->currentText();
    operators::LoginCheck check;
    try {
        check = operators::checkLogin(m_dm.ADOC1(), name, Edit1->text());
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    if (check != operators::LoginCheck::Accepted) {
        msg::info(this, operators::loginMessage(check));
        if (check == operators::LoginCheck::EmptyName)
            ComboBox1->setFocus();
        return;
    }
    m_operator = name;
    m_closing = true;
    accept();
}

void TFdl1::closeClick()
{
    m_closing = true;
    reject();
}

void TFdl1::closeEvent(QCloseEvent *event)
{
    // The window manager's close (Alt+F4) is swallowed: only the buttons end the dialog.
    if (!m_closing)
        event->ignore();
    else
        FormDialog::closeEvent(event);
}
