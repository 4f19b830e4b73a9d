#include "windows/app/Ulikai1.h"

#include "core/admin/Operators.h"
#include "core/db/Sql.h"
#include "core/db/Udm1.h"
#include "ui/Messages.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFlikai1::TFlikai1(TDM1 &dm, const QString &operatorName, QWidget *parent)
    : FormDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_dm(dm)
{
    setObjectName(QStringLiteral("TFlikai1"));
    setWindowTitle(QStringLiteral("本系统已被锁定，请输入用户密码，解除锁定"));
    // Over every window of the program, not only its owner.
    setWindowModality(Qt::ApplicationModal);

    Edit1 = new QLineEdit(operatorName, this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::ClickFocus);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setMinimumWidth(200);

    auto *form = new QFormLayout;
    auto *userLabel = new QLabel(QStringLiteral("当前用户"), this);
    userLabel->setBuddy(Edit1);
    auto *passwordLabel = new QLabel(QStringLiteral("用户密码"), this);
    passwordLabel->setBuddy(Edit2);
    form->addRow(userLabel, Edit1);
    form->addRow(passwordLabel, Edit2);

    setFields(form, QStringLiteral("解锁"), QStringLiteral("取消"));
    connect(BitBtn1, &QPushButton::clicked, this, &TFlikai1::BitBtn1Click);
    enterAlong({{Edit2}});
    // The caption is long: room for all of it in the title bar.
    setMinimumWidth(420);
}

void TFlikai1::showEvent(QShowEvent *event)
{
    FormDialog::showEvent(event);
    Edit2->setFocus();
}

void TFlikai1::BitBtn1Click()
{
    operators::LoginCheck check;
    try {
        check = operators::checkLogin(m_dm.ADOC1(), Edit1->text(), Edit2->text());
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    switch (check) {
    case operators::LoginCheck::Accepted:
        m_closing = true;
        accept();
        return;
    case operators::LoginCheck::WrongPassword:
        msg::info(this, QStringLiteral("密码错误，不可解锁！"));
        break;
    case operators::LoginCheck::EmptyName:
    case operators::LoginCheck::NoSuchOperator:
        // The operator was deleted while he worked: only "取消" is left, and
        // he is told why.
        msg::warning(this, operators::loginMessage(operators::LoginCheck::NoSuchOperator));
        break;
    }
    Edit2->selectAll();
    Edit2->setFocus();
}

void TFlikai1::closeClick()
{
    m_closing = true;
    reject();
}

void TFlikai1::keyPressEvent(QKeyEvent *event)
{
    // Esc does not give up the lock: that would end the program by accident.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    FormDialog::keyPressEvent(event);
}

void TFlikai1::closeEvent(QCloseEvent *event)
{
    // The window manager's close (Alt+F4) is swallowed: only the buttons end the lock.
    if (!m_closing)
        event->ignore();
    else
        FormDialog::closeEvent(event);
}
