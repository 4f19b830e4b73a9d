#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

// Enter (Return or the keypad's Enter) moves the focus along a window's entry
// order. A step may instead run an action of its own (pressing the window's
// main button in its last field, opening a picker, ...).
class FocusChain : public QObject
{
    Q_OBJECT
public:
    explicit FocusChain(QObject *parent = nullptr);

    // Enter in w moves the focus to the next widget added.
    FocusChain &then(QWidget *w);
    // Enter in w runs action instead.
    FocusChain &then(QWidget *w, std::function<void()> action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Step {
        QPointer<QWidget> widget;
        std::function<void()> action;
    };
    std::vector<Step> m_steps;
};
