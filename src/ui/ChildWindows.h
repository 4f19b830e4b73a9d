#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSize>

#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

// The main window's child windows: one instance per window class. Choosing a
// window that is open brings it forward; a closed one is destroyed and
// forgotten, so the next choice makes a fresh one. A window opens as large as
// its whole content wants, as far as the main window has room, centred (the
// next ones cascaded from there), with the program's icon, and its lists
// keep every column in sight.
class ChildWindows : public QObject
{
    Q_OBJECT
public:
    explicit ChildWindows(QMdiArea *area, QObject *parent = nullptr);

    // Shows the window of class `key`, making it with `make` when none is open.
    // The window is destroyed when it closes.
    QWidget *open(const QString &key, const std::function<QWidget *()> &make);

    template <class W>
    W *open(const std::function<W *()> &make)
    {
        return static_cast<W *>(
            open(QString::fromLatin1(W::staticMetaObject.className()), [&] { return make(); }));
    }

    // The registry of the main window a window lives in (a child window, or
    // a window inside one); null for a window outside any.
    static ChildWindows *of(const QWidget *w);

    // The open window of class `key`, or null.
    QWidget *find(const QString &key) const;
    int count() const;

Q_SIGNALS:
    void closed(const QString &key);

private:
    void place(QMdiSubWindow *sub, const QSize &asked, int others);

    QMdiArea *m_area;
    QHash<QString, QPointer<QMdiSubWindow>> m_windows;
};
