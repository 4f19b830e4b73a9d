#include "report/ReportLayout.h"

#include "report/PdfUnicode.h"
#include "report/ReportFonts.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace report {

namespace {

constexpr qreal kEpsilon = 1e-6;

}  // namespace

std::vector<LaidOutPage> paginate(const Form &form, const std::function<qreal(int)> &detailHeight)
{
    const Page &page = form.page();
    const Options &options = form.options();
    const Band &title = form.band(BandKind::Title);
    const Band &header = form.band(BandKind::PageHeader);
    const Band &columns = form.band(BandKind::ColumnHeader);
    const Band &detail = form.band(BandKind::Detail);
    const Band &summary = form.band(BandKind::Summary);
    const Band &footer = form.band(BandKind::PageFooter);

    const int rows = detail.present ? form.dataset().rowCount() : 0;
    std::vector<LaidOutPage> pages;
    if (form.dataset().rowCount() == 0 && !options.printIfEmpty)
        return pages;

    const qreal top = page.margins.top();
    const qreal bottom = page.size().height() - page.margins.bottom();
    const qreal footerHeight = footer.present ? footer.height : 0;
    const qreal limit = bottom - footerHeight;
    // Where the lines of a continuation page begin.
    const qreal continuationStart =
        top + (header.present ? header.height : 0) + (columns.present ? columns.height : 0);

    qreal y = top;
    int linesOnPage = 0;
    auto place = [&](BandKind kind, qreal height, int row) {
        pages.back().bands.push_back(PlacedBand{kind, row, y, height});
        y += height;
    };
    auto startPage = [&] {
        pages.emplace_back();
        y = top;
        linesOnPage = 0;
        const bool first = pages.size() == 1;
        if (header.present && (!first || options.pageHeaderOnFirstPage))
            place(BandKind::PageHeader, header.height, -1);
        if (first && title.present)
            place(BandKind::Title, title.height, -1);
        if (columns.present)
            place(BandKind::ColumnHeader, columns.height, -1);
    };
    // A band that does not fit goes to a new page, unless a new page would
    // give it no more room than this one (a band taller than any page is
    // drawn where it is and cut by the paper's edge).
    auto makeRoom = [&](qreal height) {
        if (y + height <= limit + kEpsilon)
            return;
        const bool nothingToGain = linesOnPage == 0 && y <= continuationStart + kEpsilon;
        const bool fitsNowhere = continuationStart + height > limit + kEpsilon;
        if (nothingToGain || (fitsNowhere && linesOnPage == 0))
            return;
        startPage();
    };

    startPage();
    for (int r = 0; r < rows; ++r) {
        const qreal h = std::max(detail.height, detailHeight(r));
        makeRoom(h);
        place(BandKind::Detail, h, r);
        ++linesOnPage;
    }
    if (summary.present) {
        makeRoom(summary.height);
        place(BandKind::Summary, summary.height, -1);
    }

    if (footer.present) {
        for (size_t i = 0; i < pages.size(); ++i) {
            if (i + 1 == pages.size() && !options.footerOnLastPage)
                continue;
            pages[i].bands.push_back(
                PlacedBand{BandKind::PageFooter, -1, bottom - footerHeight, footerHeight});
        }
    }
    return pages;
}

// ---- Prepared --------------------------------------------------------------

Prepared::Prepared(const Form &form, const QPaintDevice &device) : m_form(form)
{
    m_pxPerTenthX = device.logicalDpiX() / 254.0;
    m_pxPerTenthY = device.logicalDpiY() / 254.0;
    for (int k = 0; k < BandKindCount; ++k)
        for (const Item &item : form.band(BandKind(k)).items)
            m_fonts[size_t(k)].push_back(fontFor(item.font));
    const Band &detail = form.band(BandKind::Detail);
    for (size_t i = 0; i < detail.items.size(); ++i) {
        const Item &item = detail.items[i];
        m_fieldColumns.push_back(item.kind == ItemKind::Field
                                     ? form.dataset().columnIndex(item.column)
                                     : -1);
        m_detailMetrics.emplace_back(m_fonts[size_t(BandKind::Detail)][i], &device);
    }
    m_pages = paginate(form, [this](int row) { return detailHeight(row); });
}

qreal Prepared::detailHeight(int row) const
{
    const Band &detail = m_form.band(BandKind::Detail);
    qreal height = detail.height;
    for (size_t i = 0; i < detail.items.size(); ++i) {
        const Item &item = detail.items[i];
        if (item.kind != ItemKind::Field || !item.wrap || m_fieldColumns[i] < 0)
            continue;
        const QString text = m_form.dataset().displayText(row, m_fieldColumns[i]);
        if (text.isEmpty())
            continue;
        const QFontMetricsF &metrics = m_detailMetrics[i];
        const qreal width = item.rect.width() * m_pxPerTenthX;
        if (metrics.horizontalAdvance(text) <= width)
            continue;
        const QRectF needed = metrics.boundingRect(QRectF(0, 0, width, 1e9),
                                                   int(item.align) | Qt::TextWordWrap, text);
        const qreal below = detail.height - item.rect.bottom();
        height = std::max(height, item.rect.top() + needed.height() / m_pxPerTenthY + below);
    }
    return height;
}

QString Prepared::textOf(const Item &item, int row, int page) const
{
    switch (item.kind) {
    case ItemKind::Label:
        return item.text;
    case ItemKind::PageNumber:
        return item.text + QString::number(page + 1);
    case ItemKind::Field: {
        if (row < 0)
            return QString();
        const int column = m_form.dataset().columnIndex(item.column);
        return column < 0 ? QString() : m_form.dataset().displayText(row, column);
    }
    case ItemKind::Line:
    case ItemKind::Box:
        break;
    }
    return QString();
}

void Prepared::paintPage(QPainter &painter, int index) const
{
    if (index < 0 || index >= pageCount())
        return;
    const qreal kx = m_pxPerTenthX;
    const qreal ky = m_pxPerTenthY;
    const qreal left = m_form.page().margins.left();
    auto toDevice = [&](const QPointF &p) { return QPointF(p.x() * kx, p.y() * ky); };
    auto toDeviceRect = [&](const QRectF &r) {
        return QRectF(toDevice(r.topLeft()), toDevice(r.bottomRight()));
    };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const PlacedBand &placed : m_pages[size_t(index)].bands) {
        const Band &band = m_form.band(placed.kind);
        const std::vector<QFont> &fonts = m_fonts[size_t(placed.kind)];
        const QPointF origin(left, placed.top);
        const qreal grown = placed.height - band.height;  // extra height of a wrapped line
        for (size_t i = 0; i < band.items.size(); ++i) {
            const Item &item = band.items[i];
            QRectF r = item.rect.translated(origin);
            switch (item.kind) {
            case ItemKind::Line: {
                QPointF to = item.rect.bottomRight() + origin;
                if (item.toBandBottom)
                    to.setY(placed.top + placed.height);
                painter.setPen(QPen(Qt::black, item.pen * ky, Qt::SolidLine, Qt::SquareCap));
                painter.drawLine(toDevice(r.topLeft()), toDevice(to));
                break;
            }
            case ItemKind::Box: {
                if (item.toBandBottom)
                    r.setBottom(placed.top + placed.height);
                const QRectF d = toDeviceRect(r);
                painter.setPen(QPen(Qt::black, item.pen * ky, Qt::SolidLine, Qt::SquareCap));
                if (item.edges & Qt::TopEdge)
                    painter.drawLine(d.topLeft(), d.topRight());
                if (item.edges & Qt::BottomEdge)
                    painter.drawLine(d.bottomLeft(), d.bottomRight());
                if (item.edges & Qt::LeftEdge)
                    painter.drawLine(d.topLeft(), d.bottomLeft());
                if (item.edges & Qt::RightEdge)
                    painter.drawLine(d.topRight(), d.bottomRight());
                break;
            }
            case ItemKind::Label:
            case ItemKind::Field:
            case ItemKind::PageNumber: {
                const QString text = textOf(item, placed.row, index);
                if (text.isEmpty())
                    break;
                // In a line made taller by a wrapped text every text keeps
                // its place relative to the line's middle.
                if (grown > 0)
                    r.setBottom(r.bottom() + grown);
                painter.setPen(Qt::black);
                painter.setFont(fonts[i]);
                int flags = int(item.align);
                if (item.wrap)
                    flags |= Qt::TextWordWrap;
                painter.drawText(toDeviceRect(r), flags, text);
                break;
            }
            }
        }
    }
    painter.restore();
}

// ---- Devices ---------------------------------------------------------------

QPageLayout pageLayoutOf(const Page &page)
{
    const QPageSize size(QSizeF(page.paper.width() / 10.0, page.paper.height() / 10.0),
                         QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool render(const Form &form, QPagedPaintDevice &device, const Progress &progress)
{
    device.setPageLayout(pageLayoutOf(form.page()));
    const Prepared prepared(form, device);
    const int count = prepared.pageCount();
    if (count == 0)
        return true;

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // A device that keeps margins of its own (a printer that cannot print to
    // the paper's edge) puts the painter's origin inside them; the form is
    // laid out from the paper's corner.
    const QPageLayout layout = device.pageLayout();
    const QRectF paint = layout.paintRect(QPageLayout::Inch);
    const QPointF paperCorner(-paint.left() * device.logicalDpiX(),
                              -paint.top() * device.logicalDpiY());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        painter.save();
        painter.translate(paperCorner);
        prepared.paintPage(painter, i);
        painter.restore();
        if (progress)
            progress(i + 1, count);
    }
    return painter.end();
}

std::optional<QString> writePdf(const Form &form, const QString &path, const Progress &progress)
{
    const QString failed = QStringLiteral("无法写入文件：") + path;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Velbora"));
        const QString heading = form.caption(QStringLiteral("QRLdw"));
        writer.setTitle(heading.isEmpty() ? form.reportTitle() : heading);
        if (!render(form, writer, progress))
            return failed;
    }
    QByteArray data = buffer.data();
    if (data.isEmpty())
        return QStringLiteral("报表没有可打印的页。");

    // The radicals' glyphs are the characters' glyphs in every Chinese face
    // the forms use, so one table serves both.
    static const pdfunicode::Equivalents equivalents = pdfunicode::radicalEquivalents(
        {fontFor(Font{Face::Song, 10, false}), fontFor(Font{Face::Hei, 14, true})});
    pdfunicode::rewriteToUnicode(data, equivalents);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        return failed + QStringLiteral("（") + file.errorString() + QStringLiteral("）");
    return std::nullopt;
}

}  // namespace report
