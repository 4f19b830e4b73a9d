#pragma once

#include <QColor>

// The look every window of the program shares, set once for the whole
// application before the first window opens.
namespace programlook {

// Installs it: every window and dialog carries the program's icon, and a
// field the operator cannot change (a read-only line edit, whatever window
// it is in) is drawn on grey, so it does not look editable.
void apply();

// The background of a read-only field.
QColor readOnlyBackground();

}  // namespace programlook
