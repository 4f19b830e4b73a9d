#include "ui/ChildWindows.h"

#include "ui/Artwork.h"
#include "ui/ListGrid.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

namespace {

const char kRegistry[] = "velboraChildWindows";

}  // namespace

ChildWindows::ChildWindows(QMdiArea *area, QObject *parent) : QObject(parent), m_area(area)
{
    // Windows inside the area find their registry through it.
    area->setProperty(kRegistry, QVariant::fromValue(static_cast<QObject *>(this)));
}

ChildWindows *ChildWindows::of(const QWidget *w)
{
    for (const QWidget *p = w; p; p = p->parentWidget()) {
        if (const auto *area = qobject_cast<const QMdiArea *>(p))
            return qobject_cast<ChildWindows *>(area->property(kRegistry).value<QObject *>());
    }
    return nullptr;
}

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
    // Its lists keep every column in sight, whatever room the window gets.
    for (ListGrid *grid : w->findChildren<ListGrid *>())
        grid->setFitColumns(true);
    // The size the window asked for itself, if any.
    const QSize asked = w->testAttribute(Qt::WA_Resized) ? w->size() : QSize();
    sub = m_area->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(w->windowTitle());
    sub->setWindowIcon(w->testAttribute(Qt::WA_SetWindowIcon) ? w->windowIcon()
                                                                : artwork::programIcon());
    connect(w, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    // The window is forgotten as soon as it is gone; a window that closes
    // itself (Esc, its own button) takes its frame along.
    connect(w, &QObject::destroyed, this, [this, key, sub] {
        if (m_windows.value(key) == sub)
            m_windows.remove(key);
        sub->close();
        Q_EMIT closed(key);
    });
    const int others = count();
    m_windows.insert(key, sub);
    place(sub, asked, others);
    sub->show();
    m_area->setActiveSubWindow(sub);
    return w;
}

void ChildWindows::place(QMdiSubWindow *sub, const QSize &asked, int others)
{
    // Its whole content (its layout's wish or its own size, the larger), in
    // the frame, as far as the area has room.
    QWidget *w = sub->widget();
    const QSize frame = sub->sizeHint() - w->sizeHint().expandedTo(w->minimumSizeHint());
    const QSize room = m_area->viewport()->size();
    const QSize content = w->sizeHint().expandedTo(asked);
    const QSize size = (content + frame).boundedTo(room).expandedTo(sub->minimumSizeHint());
    sub->resize(size);

    // Centred; each further window one title bar lower and to the right, as
    // far as there is free room, then round again from the top left.
    const int step =
        std::max(8, sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub));
    const auto along = [step, others](int free) { return (free / 2 + step * others) % (free + 1); };
    const QPoint at(along(std::max(0, room.width() - size.width())),
                    along(std::max(0, room.height() - size.height())));
    sub->move(at);
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
