#pragma once

#include "core/common/Outcome.h"

class QWidget;

// Shows what a refused action says, with the caption and icon its severity
// calls for: "提示" (information), "警告" (warning) or "错误" (error).
void showRefusal(QWidget *parent, Severity severity, const QString &message);

// Shows the message of a refused outcome; nothing for one done. True when
// the action was done.
template <class Field>
bool showOutcome(QWidget *parent, const Outcome<Field> &outcome)
{
    if (outcome.ok())
        return true;
    showRefusal(parent, outcome.severity, outcome.message);
    return false;
}
