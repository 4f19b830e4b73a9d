#include "windows/documents/OutcomeMessage.h"

#include "ui/Messages.h"

void showOutcomeMessage(QWidget *parent, const documents::Outcome &outcome)
{
    if (outcome.ok())
        return;
    switch (outcome.severity) {
    case documents::Severity::Info:
        msg::info(parent, outcome.message);
        break;
    case documents::Severity::Warning:
        msg::warning(parent, outcome.message);
        break;
    case documents::Severity::Error:
        msg::error(parent, outcome.message);
        break;
    }
}
