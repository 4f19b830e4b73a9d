#include "report/ReportBuilders.h"

#include "core/db/Udm1.h"
#include "core/money/Decimal.h"
#include "core/money/Capitals.h"

#include <numeric>

namespace report {

namespace {

constexpr qreal kPad = 10;           // text inset inside a ruled cell: 1 mm
constexpr qreal kRule = 2;           // 0.2 mm rules
constexpr qreal kHeadingHeight = 120;

constexpr BandKind kTitle = BandKind::Title;

}  // namespace

QString headingLabel()
{
    return QStringLiteral("QRLdw");
}

QString columnTitleLabel(int column)
{
    return QStringLiteral("title%1").arg(column + 1);
}

QString columnField(int column)
{
    return QStringLiteral("field%1").arg(column + 1);
}

QString totalLabel(int n)
{
    return QStringLiteral("e%1").arg(n);
}

QString pageNumberItem()
{
    return QStringLiteral("pageNumber");
}

Font bodyFont()
{
    return Font{Face::Song, 10, false};
}

Font headingFont()
{
    return Font{Face::Hei, 14, true};
}

Font footerFont()
{
    return Font{Face::Song, 9, false};
}

std::vector<qreal> columnEdges(const std::vector<ListColumn> &columns, qreal width)
{
    std::vector<qreal> edges{0};
    const int total = std::accumulate(columns.begin(), columns.end(), 0,
                                      [](int sum, const ListColumn &c) { return sum + c.weight; });
    int before = 0;
    for (const ListColumn &c : columns) {
        before += c.weight;
        edges.push_back(total > 0 ? width * before / total : 0);
    }
    edges.back() = width;
    return edges;
}

void addRuledTable(Form &form, const std::vector<ListColumn> &columns, qreal width,
                   qreal headerHeight, qreal lineHeight)
{
    const std::vector<qreal> x = columnEdges(columns, width);
    const Font font = bodyFont();

    form.setBand(BandKind::ColumnHeader, headerHeight);
    form.addBox(BandKind::ColumnHeader, QRectF(0, 0, width, headerHeight), kRule);
    form.setBand(BandKind::Detail, lineHeight);
    Item &outline = form.addBox(BandKind::Detail, QRectF(0, 0, width, lineHeight), kRule);
    outline.edges = Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge;
    outline.toBandBottom = true;

    for (size_t i = 0; i < columns.size(); ++i) {
        const ListColumn &c = columns[i];
        const qreal left = x[i];
        const qreal w = x[i + 1] - x[i];
        if (i > 0) {
            form.addLine(BandKind::ColumnHeader, QPointF(left, 0), QPointF(left, headerHeight), kRule);
            Item &rule = form.addLine(BandKind::Detail, QPointF(left, 0), QPointF(left, lineHeight), kRule);
            rule.toBandBottom = true;
        }
        form.addLabel(BandKind::ColumnHeader, columnTitleLabel(int(i)),
                      QRectF(left + kPad, 0, w - 2 * kPad, headerHeight), c.title, font,
                      Qt::AlignCenter);
        Item &field = form.addField(columnField(int(i)), QRectF(left + kPad, 0, w - 2 * kPad, lineHeight),
                                    c.column, font, c.align | Qt::AlignVCenter);
        // Numbers never wrap: a number cut in two lines reads as two numbers.
        field.wrap = !(c.align & Qt::AlignRight);
    }
}

// ---- List layout -----------------------------------------------------------

ListForm::ListForm(const ListLayout &layout) : Form(layout.formName), m_columns(layout.columns.size())
{
    Page &p = page();
    p.paper = QSizeF(2100, 2970);
    p.landscape = layout.landscape;
    p.margins = QMarginsF(100, 100, 100, 100);
    const qreal width = p.usableWidth();

    setBand(BandKind::PageHeader, kHeadingHeight);
    addLabel(BandKind::PageHeader, headingLabel(), QRectF(0, 0, width, 90), QString(),
             headingFont(), Qt::AlignCenter);

    addRuledTable(*this, layout.columns, width, 75, 65);

    if (!layout.totalsUnder.empty()) {
        const std::vector<qreal> x = columnEdges(layout.columns, width);
        const qreal h = 70;
        setBand(BandKind::Summary, h);
        Item &outline = addBox(BandKind::Summary, QRectF(0, 0, width, h), kRule);
        outline.edges = Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge;
        for (size_t i = 1; i < layout.columns.size(); ++i)
            addLine(BandKind::Summary, QPointF(x[i], 0), QPointF(x[i], h), kRule);
        addLabel(BandKind::Summary, QStringLiteral("summaryCaption"),
                 QRectF(kPad, 0, x[1] - 2 * kPad, h), layout.summaryCaption, bodyFont(),
                 Qt::AlignCenter);
        for (size_t n = 0; n < layout.totalsUnder.size() && n < 3; ++n) {
            const size_t c = size_t(layout.totalsUnder[n]);
            addLabel(BandKind::Summary, totalLabel(int(n) + 1),
                     QRectF(x[c] + kPad, 0, x[c + 1] - x[c] - 2 * kPad, h), QString(), bodyFont(),
                     Qt::AlignRight | Qt::AlignVCenter);
        }
    }

    setBand(BandKind::PageFooter, 80);
    addPageNumber(BandKind::PageFooter, pageNumberItem(), QRectF(width - 500, 10, 500, 60),
                  QStringLiteral("（"), footerFont(), Qt::AlignRight | Qt::AlignVCenter);
}

void ListForm::setHeading(const QString &printHeading, const QString &title)
{
    setCaption(headingLabel(), printHeading + title);
}

void ListForm::setHeading(const ShopRecord &shop, const QString &title)
{
    setHeading(shop.mcdy, title);
}

bool ListForm::setColumnTitle(int column, const QString &title)
{
    return column >= 0 && size_t(column) < m_columns && setCaption(columnTitleLabel(column), title);
}

bool ListForm::setColumn(int column, const QString &datasetColumn)
{
    return column >= 0 && size_t(column) < m_columns &&
           setFieldColumn(columnField(column), datasetColumn);
}

bool ListForm::setTotal(int n, const QString &text)
{
    return setCaption(totalLabel(n), text);
}

// ---- Voucher layout --------------------------------------------------------

VoucherBuilder::VoucherBuilder(const QString &formName) : m_form(formName)
{
    Page &p = m_form.page();
    p.paper = QSizeF(2410, 930);
    p.landscape = false;
    p.margins = QMarginsF(100, 0, 400, 100);
    m_form.setBand(kTitle, 0);
    m_form.addLabel(kTitle, headingLabel(), QRectF(0, 20, width(), 80), QString(), headingFont(),
                    Qt::AlignCenter);
    m_form.band(kTitle).height = 100;
}

qreal VoucherBuilder::width()
{
    return 2410 - 100 - 400;
}

void VoucherBuilder::addRow(BandKind kind, const std::vector<Cell> &cells, qreal height)
{
    Band &band = m_form.band(kind);
    const qreal top = band.present ? band.height : 0;
    m_form.setBand(kind, top + height);
    qreal fixed = 0;
    int open = 0;
    for (const Cell &c : cells) {
        fixed += c.width;
        open += c.width <= 0 ? 1 : 0;
    }
    const qreal rest = open > 0 ? std::max<qreal>(0, width() - fixed) / open : 0;
    qreal x = 0;
    for (const Cell &c : cells) {
        const qreal w = c.width > 0 ? c.width : rest;
        m_form.addLabel(kind, c.name, QRectF(x, top, w, height), c.caption, c.font,
                        c.align | Qt::AlignVCenter);
        x += w;
    }
}

VoucherBuilder &VoucherBuilder::headerRow(const std::vector<Cell> &cells, qreal height)
{
    addRow(kTitle, cells, height);
    return *this;
}

VoucherBuilder &VoucherBuilder::table(const std::vector<ListColumn> &columns, qreal headerHeight,
                                      qreal lineHeight)
{
    addRuledTable(m_form, columns, width(), headerHeight, lineHeight);
    return *this;
}

VoucherBuilder &VoucherBuilder::ruledBox(const std::vector<std::vector<Cell>> &rows,
                                         qreal rowHeight)
{
    constexpr qreal pad = 15;
    Band &band = m_form.band(kTitle);
    const qreal top = band.present ? band.height : 0;
    qreal y = top;
    for (const std::vector<Cell> &cells : rows) {
        const size_t first = m_form.band(kTitle).items.size();
        addRow(kTitle, cells, rowHeight);
        std::vector<Item> &items = m_form.band(kTitle).items;
        std::vector<qreal> edges;
        for (size_t i = first; i < items.size(); ++i) {
            if (i > first)
                edges.push_back(items[i].rect.left());
            items[i].rect.adjust(pad, 0, -pad, 0);
        }
        for (qreal x : edges)
            m_form.addLine(kTitle, QPointF(x, y), QPointF(x, y + rowHeight), 2);
        y += rowHeight;
        m_form.addLine(kTitle, QPointF(0, y), QPointF(width(), y), 2);
    }
    m_form.addLine(kTitle, QPointF(0, top), QPointF(width(), top), 2);
    m_form.addLine(kTitle, QPointF(0, top), QPointF(0, y), 2);
    m_form.addLine(kTitle, QPointF(width(), top), QPointF(width(), y), 2);
    return *this;
}

VoucherBuilder &VoucherBuilder::summaryRow(const std::vector<Cell> &cells, qreal height)
{
    addRow(BandKind::Summary, cells, height);
    return *this;
}

QString capitalsText(const Decimal &amount, const QString &negativeSuffix)
{
    const std::optional<QString> words = amountInCapitals(amount.abs());
    if (!words)
        return capitalsErrorText();
    QString text = QStringLiteral("(大写)") + *words;
    if (amount.roundedTo2().isNegative())
        text += negativeSuffix;
    return text;
}

QString yuanText(const QString &amountText)
{
    return QStringLiteral("￥") + amountText;
}

Cell captionCell(const QString &text, qreal width, Qt::Alignment align)
{
    Cell c;
    c.caption = text;
    c.width = width;
    c.align = align;
    return c;
}

Cell valueCell(const QString &name, qreal width, Qt::Alignment align)
{
    Cell c;
    c.name = name;
    c.width = width;
    c.align = align;
    return c;
}

const std::vector<ListColumn> &goodsLineColumns()
{
    static const std::vector<ListColumn> columns{
        {QStringLiteral("编码"), QStringLiteral("txm"), 17, Qt::AlignLeft},
        {QStringLiteral("商品名称"), QStringLiteral("ppgg"), 35, Qt::AlignLeft},
        {QStringLiteral("单位"), QStringLiteral("dw"), 8, Qt::AlignHCenter},
        {QStringLiteral("数量"), QStringLiteral("sl"), 12, Qt::AlignRight},
        {QStringLiteral("单价"), QStringLiteral("jg"), 13, Qt::AlignRight},
        {QStringLiteral("金额"), QStringLiteral("je"), 15, Qt::AlignRight}};
    return columns;
}

}  // namespace report
