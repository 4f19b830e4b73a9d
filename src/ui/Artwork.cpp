#include "ui/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace artwork {

QIcon tileIcon(const QString &glyph, const QColor &color)
{
    QIcon icon;
    for (int side : {16, 24, 32, 48}) {
        QPixmap pm(side, side);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 0, side);
        g.setColorAt(0, color.lighter(125));
        g.setColorAt(1, color.darker(110));
        p.setBrush(g);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(1, 1, side - 2, side - 2), side / 5.0, side / 5.0);
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(int(side * 0.6));
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(pm.rect(), Qt::AlignCenter, glyph);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

namespace {

QPixmap programIconPixmap(int side)
{
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, side);
    g.setColorAt(0, QColor(0x3a, 0x78, 0xb0));
    g.setColorAt(1, QColor(0x15, 0x34, 0x55));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, side - 1, side - 1), side / 5.0, side / 5.0);

    // A spanner from the lower left to the upper right, its open head above.
    const qreal s = side;
    p.translate(s / 2, s / 2);
    p.rotate(-45);
    p.setBrush(QColor(0xf0, 0x8a, 0x24));
    p.drawRoundedRect(QRectF(-s * 0.09, -s * 0.02, s * 0.18, s * 0.46), s * 0.08, s * 0.08);
    QPainterPath head;
    head.addEllipse(QPointF(0, -s * 0.16), s * 0.2, s * 0.2);
    QPainterPath jaw;
    jaw.addRect(QRectF(-s * 0.07, -s * 0.4, s * 0.14, s * 0.24));
    p.drawPath(head.subtracted(jaw));
    p.end();
    return pm;
}

}  // namespace

const QIcon &programIcon()
{
    static const QIcon icon = [] {
        QIcon i;
        for (int side : {16, 24, 32, 48, 64, 128})
            i.addPixmap(programIconPixmap(side));
        return i;
    }();
    return icon;
}

QPixmap shopPicture(const QSize &size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0x2b, 0x5d, 0x8c));
    sky.setColorAt(1, QColor(0x12, 0x2c, 0x47));
    p.fillRect(pm.rect(), sky);

    // Pegboard dots.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    for (qreal y = h * 0.08; y < h * 0.7; y += h * 0.06)
        for (qreal x = w * 0.04; x < w; x += h * 0.06)
            p.drawEllipse(QPointF(x, y), h * 0.008, h * 0.008);

    // A spanner.
    p.save();
    p.translate(w * 0.22, h * 0.36);
    p.rotate(-35);
    p.setBrush(QColor(0xc8, 0xd0, 0xd8));
    p.drawRoundedRect(QRectF(-h * 0.03, -h * 0.02, h * 0.5, h * 0.06), h * 0.03, h * 0.03);
    QPainterPath head;
    head.addEllipse(QPointF(-h * 0.03, h * 0.01), h * 0.08, h * 0.08);
    QPainterPath jaw;
    jaw.addRect(QRectF(-h * 0.13, -h * 0.015, h * 0.1, h * 0.05));
    p.drawPath(head.subtracted(jaw));
    p.restore();

    // A hammer.
    p.save();
    p.translate(w * 0.55, h * 0.18);
    p.rotate(20);
    p.setBrush(QColor(0xb5, 0x7a, 0x3c));
    p.drawRoundedRect(QRectF(-h * 0.02, 0, h * 0.04, h * 0.42), h * 0.02, h * 0.02);
    p.setBrush(QColor(0x9a, 0xa4, 0xae));
    p.drawRoundedRect(QRectF(-h * 0.13, -h * 0.04, h * 0.26, h * 0.09), h * 0.02, h * 0.02);
    p.restore();

    // Screws.
    p.setBrush(QColor(0xe0, 0xb0, 0x40));
    for (int i = 0; i < 4; ++i) {
        const qreal x = w * (0.72 + 0.06 * i);
        p.drawEllipse(QPointF(x, h * 0.3), h * 0.035, h * 0.035);
        p.drawRect(QRectF(x - h * 0.01, h * 0.3, h * 0.02, h * 0.18));
    }

    // Counter top.
    p.setBrush(QColor(0xf0, 0x8a, 0x24));
    p.drawRect(QRectF(0, h * 0.72, w, h * 0.28));
    p.end();
    return pm;
}

}  // namespace artwork
