#include "ui/Outcomes.h"

#include "ui/Messages.h"

void showRefusal(QWidget *parent, Severity severity, const QString &message)
{
    switch (severity) {
    case Severity::Info:
        msg::info(parent, message);
        return;
    case Severity::Warning:
        msg::warning(parent, message);
        return;
    case Severity::Error:
        msg::error(parent, message);
        return;
    }
}
