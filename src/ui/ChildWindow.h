#pragma once

#include <QWidget>

// A window that lives inside the main window: captioned, closed by Esc and
// destroyed when closed (the child-window registry then forgets it).
class ChildWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ChildWindow(const QString &caption, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
