#include "ui/Messages.h"

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

Answer showBox(QWidget *parent, const Shown &m)
{
    QMessageBox box(boxIcon(m.icon), m.caption, m.text, QMessageBox::NoButton, parent);
    QPushButton *first = nullptr;
    QPushButton *second = nullptr;
    switch (m.buttons) {
    case Buttons::Ok:
        first = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        break;
    case Buttons::OkCancel:
        first = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        second = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        break;
    case Buttons::YesNo:
        first = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        second = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        break;
    }
    box.setDefaultButton(first);
    if (second)
        box.setEscapeButton(second);
    else
        box.setEscapeButton(first);
    box.exec();
    const bool firstChosen = box.clickedButton() == first;
    switch (m.buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return firstChosen ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo:
        return firstChosen ? Answer::Yes : Answer::No;
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
