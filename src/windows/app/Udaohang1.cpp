#include "windows/app/Udaohang1.h"

#include "ui/Artwork.h"

#include <QAction>
#include <QEnterEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kWidth = 760;
constexpr int kBannerHeight = 84;
constexpr int kHeight = 540;
constexpr int kIcon = 88;      // an icon's side
constexpr int kBottomRow = 494;  // top of the row of links

// A business area of the chart: its icon's centre and colour.
struct Station {
    const char *name;  // the label's name; its untexted area is name + "2"
    QPoint centre;
    QRgb color;
};

const Station kStations[] = {
    {"cg", {150, 200}, 0x7b53b0},  // purchasing, upper left
    {"xs", {610, 200}, 0xc23b3b},  // retail, upper right
    {"bd", {150, 392}, 0xc0762a},  // stock movements, lower left
    {"pf", {610, 392}, 0x2a8c9a},  // wholesale, lower right
    {"kc", {380, 296}, 0x2f6db5},  // the stock, centre
};

QRect iconRect(const Station &s)
{
    return QRect(s.centre.x() - kIcon / 2, s.centre.y() - kIcon / 2, kIcon, kIcon);
}

QRect labelRect(const Station &s)
{
    return QRect(s.centre.x() - 80, s.centre.y() + kIcon / 2 + 4, 160, 30);
}

QRect linkRect(int index)
{
    const int width = 100, gap = 16;
    const int left = (kWidth - 6 * width - 5 * gap) / 2;
    return QRect(left + index * (width + gap), kBottomRow, width, 28);
}

const Station &station(const char *name)
{
    for (const Station &s : kStations) {
        if (qstrcmp(s.name, name) == 0)
            return s;
    }
    return kStations[0];
}

// ---- The pictures -------------------------------------------------------------------

// The pictograms, white on their tile, drawn around the tile's centre.
void drawTruck(QPainter &p)
{
    p.drawRoundedRect(QRectF(-32, -18, 40, 28), 3, 3);
    QPainterPath cab;
    cab.moveTo(10, -8);
    cab.lineTo(22, -8);
    cab.lineTo(32, 4);
    cab.lineTo(32, 10);
    cab.lineTo(10, 10);
    cab.closeSubpath();
    p.drawPath(cab);
    p.drawEllipse(QPointF(-20, 16), 7, 7);
    p.drawEllipse(QPointF(20, 16), 7, 7);
}

void drawBag(QPainter &p, const QColor &tile)
{
    QPainterPath bag;
    bag.moveTo(-24, -10);
    bag.lineTo(24, -10);
    bag.lineTo(28, 28);
    bag.lineTo(-28, 28);
    bag.closeSubpath();
    p.drawPath(bag);
    QPen handle(Qt::white, 5);
    p.setPen(handle);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-13, -28, 26, 34), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawEllipse(QPointF(0, 9), 8, 8);
    p.setBrush(Qt::white);
}

void drawBoxes(QPainter &p, const QColor &tile)
{
    const QRectF boxes[] = {{-30, 2, 28, 26}, {2, 2, 28, 26}, {-14, -26, 28, 26}};
    for (const QRectF &b : boxes) {
        p.setBrush(Qt::white);
        p.drawRect(b);
        p.setBrush(tile);
        p.drawRect(QRectF(b.center().x() - 3, b.top(), 6, 9));
    }
    p.setBrush(Qt::white);
}

void drawSwap(QPainter &p)
{
    auto arrow = [&p](qreal y, bool right) {
        const qreal dir = right ? 1 : -1;
        QPainterPath a;
        a.moveTo(-24 * dir, y - 5);
        a.lineTo(10 * dir, y - 5);
        a.lineTo(10 * dir, y - 14);
        a.lineTo(30 * dir, y);
        a.lineTo(10 * dir, y + 14);
        a.lineTo(10 * dir, y + 5);
        a.lineTo(-24 * dir, y + 5);
        a.closeSubpath();
        p.drawPath(a);
    };
    arrow(-14, true);
    arrow(16, false);
}

void drawStore(QPainter &p, const QColor &tile)
{
    QPainterPath house;
    house.moveTo(-32, -6);
    house.lineTo(0, -32);
    house.lineTo(32, -6);
    house.lineTo(32, 30);
    house.lineTo(-32, 30);
    house.closeSubpath();
    p.drawPath(house);
    p.setBrush(tile);
    p.drawRect(QRectF(-20, 0, 40, 30));
    p.setBrush(Qt::white);
    for (int y : {8, 16, 24})
        p.drawRect(QRectF(-20, y, 40, 3));
}

void drawStationIcon(QPainter &p, const Station &s)
{
    const QColor tile = QColor::fromRgb(s.color);
    const QRect r = iconRect(s);
    p.save();
    p.setPen(Qt::NoPen);
    // A soft shadow, then the tile.
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(r.translated(3, 4), 18, 18);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, tile.lighter(125));
    g.setColorAt(1, tile.darker(115));
    p.setBrush(g);
    p.drawRoundedRect(r, 18, 18);
    p.translate(r.center() + QPointF(0.5, 0.5));
    p.setBrush(Qt::white);
    const QByteArray name(s.name);
    if (name == "cg")
        drawTruck(p);
    else if (name == "xs")
        drawBag(p, tile);
    else if (name == "pf")
        drawBoxes(p, tile);
    else if (name == "bd")
        drawSwap(p);
    else
        drawStore(p, tile);
    p.restore();
}

// An arrow between two icons, with its caption beside the middle.
void drawFlow(QPainter &p, const Station &from, const Station &to, const QString &caption,
              bool bothWays = false)
{
    const QLineF full(from.centre, to.centre);
    const qreal inset = kIcon / 2.0 + 12;
    QLineF line = full;
    line.setP1(full.pointAt(inset / full.length()));
    line.setP2(full.pointAt(1 - inset / full.length()));

    const QColor ink(0x5a, 0x6b, 0x7c);
    p.save();
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(line);
    auto head = [&p, &ink](const QPointF &tip, qreal angle) {
        QPainterPath h;
        h.moveTo(tip);
        h.lineTo(tip + QPointF(qCos(angle + 2.6) * 16, -qSin(angle + 2.6) * 16));
        h.lineTo(tip + QPointF(qCos(angle - 2.6) * 16, -qSin(angle - 2.6) * 16));
        h.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(h);
    };
    const qreal angle = qDegreesToRadians(line.angle());
    head(line.p2(), angle);
    if (bothWays)
        head(line.p1(), angle + M_PI);

    QFont f = p.font();
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(ink.darker(120));
    const QPointF mid = line.center();
    QRectF box(mid.x() - 50, mid.y() - 28, 100, 20);
    // Beside the line, on the side away from the centre of the chart.
    if (mid.y() > 296)
        box.translate(0, 36);
    p.drawText(box, Qt::AlignCenter, caption);
    p.restore();
}

QPixmap bannerPicture()
{
    QPixmap pm(kWidth, kBannerHeight);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, kWidth, 0);
    g.setColorAt(0, QColor(0x15, 0x34, 0x55));
    g.setColorAt(1, QColor(0x2a, 0x8c, 0x9a));
    p.fillRect(pm.rect(), g);
    // A spanner's tile at the left, the chart's name beside it.
    artwork::programIcon().paint(&p, QRect(18, 14, 56, 56));
    QFont title = p.font();
    title.setPixelSize(28);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(88, 10, 400, 38), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("业务导航图"));
    QFont sub = p.font();
    sub.setPixelSize(14);
    sub.setBold(false);
    p.setFont(sub);
    p.setPen(QColor(0xd8, 0xe6, 0xf0));
    p.drawText(QRect(90, 48, 480, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Velbora软件五金行业版 —— 进货、销售、库存，一图在手"));
    QFont build = p.font();
    build.setPixelSize(12);
    p.setFont(build);
    p.setPen(Qt::white);
    p.drawText(QRect(kWidth - 220, kBannerHeight - 24, 206, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Build 2014.01.12"));
    p.end();
    return pm;
}

QPixmap chartPicture()
{
    const int height = kHeight - kBannerHeight;
    QPixmap pm(kWidth, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, QColor(0xf4, 0xf7, 0xfa));
    g.setColorAt(1, QColor(0xe2, 0xe9, 0xf0));
    p.fillRect(pm.rect(), g);
    // The row of links on a strip of its own.
    p.fillRect(QRect(0, kBottomRow - kBannerHeight - 10, kWidth, height), QColor(0xd5, 0xde, 0xe8));
    p.setPen(QColor(0xb8, 0xc6, 0xd4));
    p.drawLine(0, kBottomRow - kBannerHeight - 10, kWidth, kBottomRow - kBannerHeight - 10);

    // Everything below in the window's coordinates.
    p.translate(0, -kBannerHeight);
    // Where the goods come from and where they go.
    QFont side = p.font();
    side.setPixelSize(13);
    p.setFont(side);
    p.setPen(QColor(0x7a, 0x88, 0x96));
    p.drawText(QRect(14, 110, 120, 20), Qt::AlignLeft, QStringLiteral("厂商供货 →"));
    p.drawText(QRect(kWidth - 134, 110, 120, 20), Qt::AlignRight, QStringLiteral("→ 零售顾客"));
    p.drawText(QRect(kWidth - 134, 302, 120, 20), Qt::AlignRight, QStringLiteral("→ 批发客户"));

    drawFlow(p, station("cg"), station("kc"), QStringLiteral("进货入库"));
    drawFlow(p, station("kc"), station("xs"), QStringLiteral("零售出库"));
    drawFlow(p, station("kc"), station("pf"), QStringLiteral("批发出库"));
    drawFlow(p, station("bd"), station("kc"), QStringLiteral("盘点调整"), true);
    for (const Station &s : kStations)
        drawStationIcon(p, s);
    p.end();
    return pm;
}

}  // namespace

// ---- ChartLink, ChartSpot -------------------------------------------------------------

ChartLink::ChartLink(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
}

void ChartLink::setHovered(bool hovered)
{
    m_hovered = hovered;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, hovered ? TFdaohang1::hoverColor()
                                               : parentWidget()->palette().color(
                                                     QPalette::WindowText));
    setPalette(pal);
}

void ChartLink::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    if (isEnabled())
        setHovered(true);
}

void ChartLink::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    setHovered(false);
}

void ChartLink::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled() && m_hovered)
        setHovered(false);
}

void ChartLink::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

ChartSpot::ChartSpot(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ChartSpot::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

// ---- TFdaohang1 ------------------------------------------------------------------------

const std::vector<TFdaohang1::Area> &TFdaohang1::areas()
{
    static const std::vector<Area> list = [] {
        const std::pair<const char *, std::pair<const char16_t *, const char16_t *>> business[] = {
            {"cg", {u"采购开单", u"采购"}},
            {"xs", {u"零售开单", u"零售"}},
            {"bd", {u"异动开单", u"库存异动"}},
            {"pf", {u"批发开单", u"批发"}},
            {"kc", {u"商品库存查询", u"商品库存明细表"}},
        };
        std::vector<Area> out;
        for (const auto &[name, words] : business) {
            const QString n = QString::fromLatin1(name);
            out.push_back({n, QString::fromUtf16(words.first), QString::fromUtf16(words.second)});
            out.push_back({n + QLatin1Char('2'), QString(), QString::fromUtf16(words.second)});
        }
        const std::pair<const char *, std::pair<const char16_t *, const char16_t *>> links[] = {
            {"wz", {u"△网站", u"访问Velbora软件网站"}},
            {"help", {u"△帮助", u"操作说明"}},
            {"wd", {u"△问答", u"常见问题"}},
            {"ghs", {u"△厂商", u"厂商资料"}},
            {"kh", {u"△客户", u"客户资料"}},
            {"sp", {u"△商品", u"商品资料"}},
        };
        for (const auto &[name, words] : links)
            out.push_back({QString::fromLatin1(name), QString::fromUtf16(words.first),
                           QString::fromUtf16(words.second)});
        return out;
    }();
    return list;
}

QSize TFdaohang1::chartSize()
{
    return QSize(kWidth, kHeight);
}

QColor TFdaohang1::hoverColor()
{
    return QColor(0x00, 0x99, 0x00);
}

TFdaohang1::TFdaohang1(MenuItems items, QWidget *parent)
    : ChildWindow(QStringLiteral("业务导航图"), parent)
{
    setObjectName(QStringLiteral("TFdaohang1"));
    setFixedSize(chartSize());

    m_banner = new QLabel(this);
    m_banner->setObjectName(QStringLiteral("banner"));
    m_banner->setPixmap(bannerPicture());
    m_banner->setGeometry(0, 0, kWidth, kBannerHeight);
    m_banner->setToolTip(QStringLiteral("双点图片，打开官方网站"));
    m_banner->setCursor(Qt::PointingHandCursor);
    m_banner->installEventFilter(this);
    m_bannerItem = items(QStringLiteral("访问Velbora软件网站"));

    auto *chart = new QLabel(this);
    chart->setObjectName(QStringLiteral("chart"));
    chart->setPixmap(chartPicture());
    chart->setGeometry(0, kBannerHeight, kWidth, kHeight - kBannerHeight);

    QFont business = font();
    business.setPixelSize(17);
    business.setBold(true);
    QFont link = font();
    link.setPixelSize(15);

    int linkIndex = 0;
    for (const Area &a : areas()) {
        QWidget *w = nullptr;
        const QByteArray name = a.name.toLatin1();
        if (a.text.isEmpty()) {
            auto *spot = new ChartSpot(this);
            spot->setGeometry(iconRect(station(name.left(name.size() - 1).constData())));
            w = spot;
        } else {
            auto *label = new ChartLink(a.text, this);
            const bool isBusiness = std::any_of(std::begin(kStations), std::end(kStations),
                                                [&](const Station &s) { return name == s.name; });
            label->setFont(isBusiness ? business : link);
            label->setGeometry(isBusiness ? labelRect(station(name.constData()))
                                          : linkRect(linkIndex++));
            w = label;
        }
        w->setObjectName(a.name);
        w->setAccessibleName(a.text.isEmpty() ? a.item : a.text);
        w->setToolTip(a.item);

        QAction *item = items(a.item);
        if (!item) {
            w->setEnabled(false);
            continue;
        }
        // The part follows its menu item: disabled with it, and a click on it
        // is a click on the item.
        w->setEnabled(item->isEnabled());
        connect(item, &QAction::changed, w, [w, item] { w->setEnabled(item->isEnabled()); });
        const auto press = [item] {
            if (item->isEnabled())
                item->trigger();
        };
        if (auto *label = qobject_cast<ChartLink *>(w))
            connect(label, &ChartLink::clicked, item, press);
        else
            connect(static_cast<ChartSpot *>(w), &ChartSpot::clicked, item, press);
    }
}

QWidget *TFdaohang1::area(const QString &name) const
{
    for (QWidget *w : findChildren<QWidget *>(name, Qt::FindDirectChildrenOnly))
        return w;
    return nullptr;
}

bool TFdaohang1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_banner && event->type() == QEvent::MouseButtonDblClick && m_bannerItem &&
        m_bannerItem->isEnabled()) {
        m_bannerItem->trigger();
        return true;
    }
    return ChildWindow::eventFilter(watched, event);
}
