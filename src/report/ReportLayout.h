#pragma once

#include "report/Report.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>

#include <array>

#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// Laying out a report form on pages and drawing them.
//
// The layout rules: the page header heads every page (the first included),
// the title follows it on the first page only, the column header heads every
// page, then the detail lines; a detail line is never cut: one that does not
// fit goes whole to the next page. The summary follows the last line, on a
// page of its own when it does not fit. The page footer sits at the bottom of
// every page. An empty dataset still gives one page with the headers, the
// summary and the footer.
namespace report {

struct PlacedBand {
    BandKind kind = BandKind::Detail;
    int row = -1;     // the dataset row of a detail line
    qreal top = 0;    // tenths of a mm from the paper's top edge
    qreal height = 0;
};

struct LaidOutPage {
    std::vector<PlacedBand> bands;
};

// Paginates the form's bands; detailHeight(row) is the height of each
// detail line (at least the detail band's height).
std::vector<LaidOutPage> paginate(const Form &form, const std::function<qreal(int)> &detailHeight);

// A form laid out for one device: text that wraps is measured with the
// device's fonts. The form must outlive it.
class Prepared
{
public:
    Prepared(const Form &form, const QPaintDevice &device);

    int pageCount() const { return int(m_pages.size()); }
    const std::vector<LaidOutPage> &pages() const { return m_pages; }
    const Form &form() const { return m_form; }

    // Draws page `index` (0-based); the painter's origin is the paper's
    // top-left corner and its unit the device's pixel.
    void paintPage(QPainter &painter, int index) const;

private:
    qreal detailHeight(int row) const;
    QString textOf(const Item &item, int row, int page) const;

    const Form &m_form;
    qreal m_pxPerTenthX = 1;
    qreal m_pxPerTenthY = 1;
    std::vector<int> m_fieldColumns;  // per detail item: its dataset column, or -1
    std::array<std::vector<QFont>, BandKindCount> m_fonts;  // per band and item
    std::vector<QFontMetricsF> m_detailMetrics;            // per detail item
    std::vector<LaidOutPage> m_pages;
};

// The paper and orientation of a form, with no device margins (the form's
// own margins are drawn as blank paper).
QPageLayout pageLayoutOf(const Page &page);

using Progress = std::function<void(int pagesDone, int pageCount)>;

// Sets the device's page layout to the form's, lays the form out and draws
// every page; progress is told after each page. False when the device cannot
// be painted on (a PDF file that cannot be written, a printer that is not
// there). A form without pages (an empty dataset that is not to be printed)
// draws nothing and succeeds.
bool render(const Form &form, QPagedPaintDevice &device, const Progress &progress = {});

// Writes the form as a PDF file. The error text when it cannot be written.
std::optional<QString> writePdf(const Form &form, const QString &path,
                                const Progress &progress = {});

}  // namespace report
