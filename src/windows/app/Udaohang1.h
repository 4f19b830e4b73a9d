#pragma once

#include "ui/ChildWindow.h"

#include <QLabel>

#include <functional>
#include <vector>

class QAction;

// "业务导航图": the shop's day as a picture. Purchases come in at the upper
// left, retail and wholesale go out on the right, stock movements at the
// lower left, the stock in the centre; a row of links at the bottom. Every
// clickable part clicks a main menu item, so it opens what that item opens
// and is disabled while the item is.
class TFdaohang1 : public ChildWindow
{
    Q_OBJECT
public:
    // Finds a main menu item by its caption (null when there is none).
    using MenuItems = std::function<QAction *(const QString &caption)>;

    explicit TFdaohang1(MenuItems items, QWidget *parent = nullptr);

    // A clickable part: its component name, its text ("" for the untexted
    // area over an icon) and the menu item it clicks.
    struct Area {
        QString name;
        QString text;
        QString item;
    };
    static const std::vector<Area> &areas();

    // The window's whole size: the banner and the chart below it.
    static QSize chartSize();

    // The clickable part of that name (a label, or an untexted area).
    QWidget *area(const QString &name) const;
    QLabel *banner() const { return m_banner; }

    // The text colour of a label under the mouse.
    static QColor hoverColor();

    // Its one size, which the main window gives it whole.
    QSize sizeHint() const override { return chartSize(); }
    QSize minimumSizeHint() const override { return chartSize(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_banner = nullptr;
    QAction *m_bannerItem = nullptr;
};

// A text label on the chart: the hand cursor, green text while the mouse is
// over it, a click clicks its menu item.
class ChartLink : public QLabel
{
    Q_OBJECT
public:
    ChartLink(const QString &text, QWidget *parent);

Q_SIGNALS:
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setHovered(bool hovered);
    bool m_hovered = false;
};

// An untexted area over an icon of the chart: the hand cursor, and a click
// clicks its menu item. It draws nothing.
class ChartSpot : public QWidget
{
    Q_OBJECT
public:
    explicit ChartSpot(QWidget *parent);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
