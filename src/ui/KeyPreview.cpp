#include "ui/KeyPreview.h"

#include <QApplication>
#include <QKeyEvent>

KeyPreview::KeyPreview(QWidget *window) : QObject(window), m_window(window)
{
    // Before the field's own filters and handlers, and before the shortcut
    // map, which only serves the active window.
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    qApp->removeEventFilter(this);
}

void KeyPreview::add(int key, std::function<void()> action)
{
    m_actions[key] = std::move(action);
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return false;
    if (!m_window || !watched->isWidgetType())
        return false;
    auto *target = static_cast<QWidget *>(watched);
    // isAncestorOf() stays within one top-level window: the window's dialogs
    // and pickers keep their keys.
    if (target != m_window && !m_window->isAncestorOf(target))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    const auto found = m_actions.find(key->key());
    if (found == m_actions.end())
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Taken as a key press, which comes here next.
        key->accept();
        return true;
    }
    // The action may close the window and so delete this filter.
    const std::function<void()> action = found->second;
    action();
    return true;
}
