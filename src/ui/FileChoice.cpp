#include "ui/FileChoice.h"

#include <QDir>
#include <QFileDialog>

namespace filechoice {

namespace {

Responder &responder()
{
    static Responder r;
    return r;
}

}  // namespace

QString choose(QWidget *parent, const Asked &asked)
{
    if (responder())
        return responder()(asked);
    if (asked.save)
        return QFileDialog::getSaveFileName(parent, asked.caption,
                                            QDir(asked.folder).filePath(asked.proposed),
                                            asked.filter);
    return QFileDialog::getOpenFileName(parent, asked.caption, asked.folder, asked.filter);
}

void setResponder(Responder r)
{
    responder() = std::move(r);
}

}  // namespace filechoice
