#include "windows/admin/Utjyh1.h"

#include "core/admin/Operators.h"
#include "core/db/Udm1.h"
#include "ui/Messages.h"
#include "ui/Outcomes.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFtjyh1::TFtjyh1(TDM1 &dm, QWidget *parent) : FormDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("TFtjyh1"));
    ST1 = new QLabel(this);
    ST1->setObjectName(QStringLiteral("ST1"));
    ST1->hide();

    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMinimumWidth(180);
        return e;
    };
    Edit1 = edit("Edit1");
    Edit2 = edit("Edit2");
    Edit3 = edit("Edit3");
    Edit2->setEchoMode(QLineEdit::Password);
    Edit3->setEchoMode(QLineEdit::Password);

    auto *form = new QFormLayout;
    auto *nameLabel = new QLabel(QStringLiteral("用户名称"), this);
    nameLabel->setBuddy(Edit1);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setBuddy(Edit2);
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setBuddy(Edit3);
    form->addRow(nameLabel, Edit1);
    form->addRow(Label2, Edit2);
    form->addRow(Label3, Edit3);

    setFields(form);
    connect(BitBtn1, &QPushButton::clicked, this, &TFtjyh1::BitBtn1Click);
    enterAlong(enterSteps({Edit1, Edit2, Edit3}));
    startAdd();
}

QString TFtjyh1::modeText(Mode mode)
{
    switch (mode) {
    case Mode::AddOperator:
        return QStringLiteral("新增操作员");
    case Mode::EditOperator:
        return QStringLiteral("修改操作员");
    case Mode::OwnPassword:
        return QStringLiteral("更改我的密码");
    }
    return QString();
}

void TFtjyh1::setMode(Mode mode, const QString &name)
{
    m_mode = mode;
    const bool adding = mode == Mode::AddOperator;
    ST1->setText(modeText(mode));
    setFormMode(adding ? FormMode::Add : FormMode::Edit, modeText(mode));
    Label2->setText(adding ? QStringLiteral("用户密码") : QStringLiteral("原设密码"));
    Label3->setText(adding ? QStringLiteral("密码确认") : QStringLiteral("新设密码"));
    Edit1->setText(name);
    Edit1->setReadOnly(!adding);
    Edit1->setFocusPolicy(adding ? Qt::StrongFocus : Qt::ClickFocus);
    Edit2->clear();
    Edit3->clear();
}

void TFtjyh1::startAdd()
{
    setMode(Mode::AddOperator, QString());
}

void TFtjyh1::startEdit(const QString &name)
{
    setMode(Mode::EditOperator, name);
}

void TFtjyh1::startOwnPassword(const QString &name)
{
    setMode(Mode::OwnPassword, name);
}

void TFtjyh1::showEvent(QShowEvent *event)
{
    FormDialog::showEvent(event);
    (m_mode == Mode::AddOperator ? Edit1 : Edit2)->setFocus();
}

void TFtjyh1::BitBtn1Click()
{
    const QString name = Edit1->text();
    const operators::Answer answer =
        m_mode == Mode::AddOperator
            ? operators::add(m_dm.ADOC1(), name, Edit2->text(), Edit3->text())
            : operators::changePassword(m_dm.ADOC1(), name, Edit2->text(), Edit3->text());
    if (!showOutcome(this, answer)) {
        switch (answer.focus) {
        case operators::Field::Name:
            Edit1->setFocus();
            break;
        case operators::Field::FirstPassword:
            Edit2->setFocus();
            break;
        case operators::Field::SecondPassword:
            Edit3->setFocus();
            break;
        case operators::Field::None:
        case operators::Field::Operator:
            break;
        }
        return;
    }
    switch (m_mode) {
    case Mode::AddOperator:
        // Open for the next operator.
        Edit1->clear();
        Edit2->clear();
        Edit3->clear();
        Edit1->setFocus();
        Q_EMIT saved(name.trimmed());
        return;
    case Mode::EditOperator:
        msg::info(this, QStringLiteral("修改成功！"));
        break;
    case Mode::OwnPassword:
        msg::info(this, QStringLiteral("密码更改成功！"));
        break;
    }
    Q_EMIT saved(name);
    accept();
}
