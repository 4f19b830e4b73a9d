#pragma once

#include "core/documents/Documents.h"

class QWidget;

// Shows what a refused document operation says, with the caption and icon its
// severity calls for ("提示", "警告" or "错误"). Nothing for an operation done.
void showOutcomeMessage(QWidget *parent, const documents::Outcome &outcome);
