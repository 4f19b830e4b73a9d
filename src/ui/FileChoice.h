#pragma once

#include <QString>

#include <functional>

class QWidget;

// The open and save file dialogs of the program. Tests install a responder
// that sees what was asked and answers with a path (or nothing, for Cancel).
namespace filechoice {

struct Asked {
    bool save = false;  // a save dialog, else an open dialog
    QString caption;
    QString folder;     // where it starts
    QString proposed;   // the file name it proposes (save dialogs)
    QString filter;     // "说明 (*.ext)"
};

// The chosen path, or empty when the operator cancelled.
QString choose(QWidget *parent, const Asked &asked);

using Responder = std::function<QString(const Asked &)>;
// Replaces the real dialogs (an empty responder restores them).
void setResponder(Responder responder);

}  // namespace filechoice
