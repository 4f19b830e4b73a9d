#include "ui/FocusChain.h"

#include <QKeyEvent>

FocusChain::FocusChain(QObject *parent) : QObject(parent) {}

FocusChain &FocusChain::then(QWidget *w)
{
    return then(w, {});
}

FocusChain &FocusChain::then(QWidget *w, std::function<void()> action)
{
    w->installEventFilter(this);
    m_steps.push_back({w, std::move(action)});
    return *this;
}

bool FocusChain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    for (size_t i = 0; i < m_steps.size(); ++i) {
        if (m_steps[i].widget != watched)
            continue;
        if (m_steps[i].action) {
            m_steps[i].action();
            return true;
        }
        // The next step that can take the focus.
        for (size_t j = i + 1; j < m_steps.size(); ++j) {
            QWidget *next = m_steps[j].widget;
            if (next && next->isEnabled() && next->isVisible()) {
                next->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return true;
    }
    return false;
}
