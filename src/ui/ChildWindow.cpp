#include "ui/ChildWindow.h"

#include <QKeyEvent>

ChildWindow::ChildWindow(const QString &caption, QWidget *parent) : QWidget(parent)
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
}

void ChildWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
