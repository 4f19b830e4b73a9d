#pragma once

#include "core/db/Snapshot.h"

#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>
#include <vector>

// A banded report form: its paper, its bands and the items in each band.
//
// Every length is in tenths of a millimetre. An item's rectangle is relative
// to its band: x = 0 is the left margin, y = 0 the band's top.
//
// A window that prints fills a form at print time: the dataset whose rows the
// detail band repeats, the columns its data fields show, and the captions of
// the labels it names. The form is then laid out and drawn by
// report::prepare() (ReportLayout.h).
namespace report {

enum class BandKind {
    Title,         // once, at the start of the first page
    PageHeader,    // at the top of every page
    ColumnHeader,  // under the page header on every page
    Detail,        // once per dataset row
    Summary,       // once, after the last row
    PageFooter,    // at the bottom of every page
};
constexpr int BandKindCount = 6;

// The two typefaces of the printed forms; ReportFonts.h finds the installed
// faces closest to them.
enum class Face { Song, Hei };

struct Font {
    Face face = Face::Song;
    qreal points = 10;
    bool bold = false;
};

enum class ItemKind {
    Label,       // a caption the form or the caller sets
    Field,       // the text of one dataset column in the current row
    Line,        // from the rectangle's top-left to its bottom-right
    Box,         // the rectangle's edges
    PageNumber,  // the caption as prefix, then the page number
};

struct Item {
    ItemKind kind = ItemKind::Label;
    QString name;    // how callers reach the item: "QRLdw", "e1", ...
    QRectF rect;     // tenths of a mm, relative to the band
    QString text;    // a label's caption; a page number's prefix
    QString column;  // a data field's column
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    Font font;
    // A data field whose text is wider than its rectangle takes more lines and
    // makes its detail line taller, instead of being cut off.
    bool wrap = false;
    // Lines and boxes that run down to the band's bottom, however tall the band
    // grew (the column rules of a detail line with a wrapped name).
    bool toBandBottom = false;
    qreal pen = 2;  // line width, tenths of a mm
    Qt::Edges edges = Qt::TopEdge | Qt::BottomEdge | Qt::LeftEdge | Qt::RightEdge;  // of a box
};

struct Band {
    bool present = false;
    qreal height = 0;  // tenths of a mm (the least height of a detail line)
    std::vector<Item> items;
};

struct Page {
    QSizeF paper{2100, 2970};  // width x height as the paper is named (A4 by default)
    bool landscape = false;
    QMarginsF margins{100, 100, 100, 100};  // left, top, right, bottom

    QSizeF size() const { return landscape ? paper.transposed() : paper; }
    qreal usableWidth() const { return size().width() - margins.left() - margins.right(); }
    qreal usableHeight() const { return size().height() - margins.top() - margins.bottom(); }
};

struct Options {
    bool pageHeaderOnFirstPage = true;
    bool footerOnLastPage = true;
    bool printIfEmpty = true;
};

class Form
{
public:
    explicit Form(QString name = QString());

    const QString &name() const { return m_name; }

    Page &page() { return m_page; }
    const Page &page() const { return m_page; }
    Options &options() { return m_options; }
    const Options &options() const { return m_options; }

    Band &band(BandKind kind) { return m_bands[size_t(kind)]; }
    const Band &band(BandKind kind) const { return m_bands[size_t(kind)]; }
    // Makes the band present with this height.
    Band &setBand(BandKind kind, qreal height);

    // Adds an item to a band (which becomes present). Data fields belong in
    // the detail band; anywhere else they stay empty.
    Item &add(BandKind kind, Item item);
    Item &addLabel(BandKind kind, const QString &name, const QRectF &rect, const QString &caption,
                   const Font &font, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    Item &addField(const QString &name, const QRectF &rect, const QString &column, const Font &font,
                   Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    Item &addLine(BandKind kind, const QPointF &from, const QPointF &to, qreal pen = 2);
    Item &addBox(BandKind kind, const QRectF &rect, qreal pen = 2);
    Item &addPageNumber(BandKind kind, const QString &name, const QRectF &rect,
                        const QString &prefix, const Font &font, Qt::Alignment align);

    // ---- What a printing window sets before every print ----

    // The rows the detail band repeats.
    void setDataset(Snapshot rows);
    const Snapshot &dataset() const { return m_dataset; }

    // Binds a data field to a column of the dataset. False (and nothing
    // changed) when the form has no data field of that name.
    bool setFieldColumn(const QString &field, const QString &column);
    // Sets the caption of a label. False when the form has no such label.
    bool setCaption(const QString &label, const QString &caption);
    QString caption(const QString &label) const;  // empty for an unknown label

    // The job name at the printer, the PDF's title and the preview's name.
    void setReportTitle(const QString &title) { m_reportTitle = title; }
    const QString &reportTitle() const { return m_reportTitle; }

    const Item *find(const QString &name) const;

private:
    Item *findItem(const QString &name, ItemKind kind);

    QString m_name;
    Page m_page;
    Options m_options;
    std::array<Band, BandKindCount> m_bands;
    Snapshot m_dataset;
    QString m_reportTitle;
};

}  // namespace report
