#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

// A window's own keys (F5 to F12 of the document windows): the window sees
// them before its controls do, whichever of its fields holds the keyboard
// focus, and also while its top-level window is not the active one (after a
// dialog closes and the desktop does not bring the main window back). Keys
// pressed in the window's dialogs and other top-level windows are theirs.
class KeyPreview : public QObject
{
    Q_OBJECT
public:
    explicit KeyPreview(QWidget *window);
    ~KeyPreview() override;

    // The key, pressed without modifiers (the keypad's aside), runs action.
    void add(int key, std::function<void()> action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
    std::map<int, std::function<void()>> m_actions;
};
