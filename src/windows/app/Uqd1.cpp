#include "windows/app/Uqd1.h"

#include "ui/Artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

TFqd1::TFqd1(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("正在启动程序，请稍候"));
    setAccessibleName(windowTitle());
    setFixedSize(480, 300);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFqd1::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawPixmap(rect(), artwork::shopPicture(size()));
    QFont f = font();
    f.setPointSize(11);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(rect().adjusted(16, 0, -16, -14), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("正在启动程序，请稍候"));
    f.setPointSize(20);
    f.setBold(true);
    p.setFont(f);
    p.drawText(rect().adjusted(16, 0, -16, -(height() / 3)), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("Velbora软件五金行业版"));
}
