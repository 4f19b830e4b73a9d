#include "ui/ChildWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

ChildWindows::ChildWindows(QMdiArea *area, QObject *parent) : QObject(parent), m_area(area) {}

QWidget *ChildWindows::open(const QString &key, const std::function<QWidget *()> &make)
{
    QMdiSubWindow *sub = m_windows.value(key);
    if (sub && sub->widget()) {
        if (sub->isMinimized())
            sub->showNormal();
        else
            sub->show();
        sub->raise();
        m_area->setActiveSubWindow(sub);
        sub->widget()->setFocus();
        return sub->widget();
    }
    QWidget *w = make();
    w->setAttribute(Qt::WA_DeleteOnClose);
    sub = m_area->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(w->windowTitle());
    sub->setWindowIcon(w->windowIcon());
    connect(w, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    // The window is forgotten as soon as it is gone; a window that closes
    // itself (Esc, its own button) takes its frame along.
    connect(w, &QObject::destroyed, this, [this, key, sub] {
        if (m_windows.value(key) == sub)
            m_windows.remove(key);
        sub->close();
        Q_EMIT closed(key);
    });
    m_windows.insert(key, sub);
    sub->show();
    m_area->setActiveSubWindow(sub);
    return w;
}

QWidget *ChildWindows::find(const QString &key) const
{
    const QMdiSubWindow *sub = m_windows.value(key);
    return sub ? sub->widget() : nullptr;
}

int ChildWindows::count() const
{
    int n = 0;
    for (const auto &p : m_windows)
        n += (p && p->widget()) ? 1 : 0;
    return n;
}
