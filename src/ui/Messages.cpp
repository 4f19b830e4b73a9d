#include "ui/Messages.h"

#include "ui/ModalDialog.h"

#include <QMessageBox>
#include <QPushButton>

namespace msg {

namespace {

Responder &responder()
{
    static Responder r;
    return r;
}

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The escape button's answer: what closing the box without a choice means.
Answer escapeAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
        return Answer::No;
    }
    return Answer::Cancel;
}

Answer showBox(QWidget *parent, const Shown &m)
{
    ModalDialog<QMessageBox> box(
        new QMessageBox(boxIcon(m.icon), m.caption, m.text, QMessageBox::NoButton, parent));
    QPushButton *first = nullptr;
    QPushButton *second = nullptr;
    switch (m.buttons) {
    case Buttons::Ok:
        first = box->addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        break;
    case Buttons::OkCancel:
        first = box->addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        second = box->addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        break;
    case Buttons::YesNo:
        first = box->addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        second = box->addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        break;
    }
    box->setDefaultButton(first);
    box->setEscapeButton(second ? second : first);
    box.exec();
    // A box whose window went while it was up was answered by its escape button.
    if (box.gone() || box->clickedButton() != first)
        return escapeAnswer(m.buttons);
    switch (m.buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::Yes;
    }
    return Answer::Cancel;
}

}  // namespace

Answer show(QWidget *parent, const Shown &message)
{
    if (responder())
        return responder()(message);
    return showBox(parent, message);
}

void info(QWidget *parent, const QString &text)
{
    show(parent, {text, QStringLiteral("提示"), Icon::Information, Buttons::Ok});
}

void warning(QWidget *parent, const QString &text)
{
    show(parent, {text, QStringLiteral("警告"), Icon::Warning, Buttons::Ok});
}

void error(QWidget *parent, const QString &text)
{
    show(parent, {text, QStringLiteral("错误"), Icon::Error, Buttons::Ok});
}

bool confirmOkCancel(QWidget *parent, const QString &text)
{
    return show(parent, {text, QStringLiteral("提示"), Icon::Question, Buttons::OkCancel}) ==
           Answer::Ok;
}

bool confirmYesNo(QWidget *parent, const QString &text)
{
    return show(parent, {text, QStringLiteral("提示"), Icon::Question, Buttons::YesNo}) ==
           Answer::Yes;
}

void setResponder(Responder r)
{
    responder() = std::move(r);
}

}  // namespace msg
