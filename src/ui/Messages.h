#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through here. Tests install a
// responder that records what was shown and answers the questions.
namespace msg {

enum class Icon { Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

struct Shown {
    QString text;
    QString caption;
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
};

Answer show(QWidget *parent, const Shown &message);

// Validation messages: caption "提示", information icon.
void info(QWidget *parent, const QString &text);
// Refusals: caption "警告", warning icon.
void warning(QWidget *parent, const QString &text);
// Fatal failures: caption "错误", error icon.
void error(QWidget *parent, const QString &text);
// Confirmations: caption "提示", question icon; true on OK / Yes.
bool confirmOkCancel(QWidget *parent, const QString &text);
bool confirmYesNo(QWidget *parent, const QString &text);

using Responder = std::function<Answer(const Shown &)>;
// Replaces the real message boxes (an empty responder restores them).
void setResponder(Responder responder);

}  // namespace msg
