#pragma once

#include "report/Report.h"

#include <QString>

#include <vector>

struct ShopRecord;
class Decimal;

// The two layouts every printed form follows.
//
// List layout: A4 (portrait, or landscape for the widest table), 10 mm
// margins; the heading `QRLdw` centred in bold 黑体 14 pt at the top of every
// page; a ruled column header; one ruled line per row in 宋体 10 pt; an
// optional summary "总计" with the totals `e1`, `e2`, `e3` under their
// columns; the page number at the right of the footer in 9 pt after "（".
//
// Voucher layout: continuous paper 241 mm x 93 mm, margins left 10 mm, right
// 40 mm, bottom 10 mm, none at the top; the heading `QRLdw` and rows of
// caption/value pairs in the title band, a ruled table of lines where the
// document has lines, and rows of pairs in the summary.
namespace report {

struct ListColumn {
    QString title;   // the column title
    QString column;  // the dataset column of its data field
    int weight = 10;  // share of the table's width
    Qt::Alignment align = Qt::AlignLeft;  // numbers right, short codes centred
};

struct ListLayout {
    QString formName;
    bool landscape = false;
    std::vector<ListColumn> columns;
    // The columns under which the totals e1, e2, e3 stand, in that order;
    // without any the form has no summary band.
    std::vector<int> totalsUnder;
    QString summaryCaption = QStringLiteral("总计");
};

// Names of the items callers set.
QString headingLabel();                // "QRLdw"
QString columnTitleLabel(int column);  // the title of column i (0-based): "title1", ...
QString columnField(int column);       // the data field of column i: "field1", ...
QString totalLabel(int n);             // n = 1..3: "e1", "e2", "e3"
QString pageNumberItem();              // "pageNumber"

// Fonts of the printed forms.
Font bodyFont();     // 宋体 10 pt
Font headingFont();  // 黑体 14 pt bold
Font footerFont();   // 宋体 9 pt

// x positions (tenths of a mm) of the edges of columns sharing a width by
// their weights: size() == columns + 1, first 0, last the width.
std::vector<qreal> columnEdges(const std::vector<ListColumn> &columns, qreal width);

// Adds a ruled column header band and a ruled detail band for these columns
// across `width`: titles centred, data fields aligned per column (text that
// does not fit wraps onto more lines), a rule under every line and between
// columns.
void addRuledTable(Form &form, const std::vector<ListColumn> &columns, qreal width,
                   qreal headerHeight, qreal lineHeight);

// A form of the list layout, with the operations its printing windows use.
class ListForm : public Form
{
public:
    explicit ListForm(const ListLayout &layout);

    int columnCount() const { return int(m_columns); }

    // `QRLdw`: the shop's print heading followed by the report's own title.
    void setHeading(const QString &printHeading, const QString &title);
    void setHeading(const ShopRecord &shop, const QString &title);
    QString heading() const { return caption(headingLabel()); }

    // Column i's title and the dataset column its field shows (for the forms
    // shared by two windows: "厂商"/"客户" over ghs/kh, ...).
    bool setColumnTitle(int column, const QString &title);
    bool setColumn(int column, const QString &datasetColumn);
    // e1..e3, as the calling window's status bar shows them.
    bool setTotal(int n, const QString &text);

private:
    size_t m_columns = 0;
};

// ---- Voucher layout --------------------------------------------------------

// One cell of a row of a voucher: a fixed caption or a value label.
struct Cell {
    QString name;     // the label's name, for cells the caller fills; may be empty
    QString caption;  // the fixed text of a caption cell
    qreal width = 0;  // tenths of a mm; 0 takes what is left of the row
    Qt::Alignment align = Qt::AlignLeft;
    Font font = bodyFont();
};

// A caption cell and a value cell of a voucher row.
Cell captionCell(const QString &text, qreal width, Qt::Alignment align = Qt::AlignLeft);
Cell valueCell(const QString &name, qreal width = 0, Qt::Alignment align = Qt::AlignLeft);

// The line table every goods voucher prints: 编码, 商品名称, 单位, 数量, 单价, 金额.
const std::vector<ListColumn> &goodsLineColumns();

class VoucherBuilder
{
public:
    explicit VoucherBuilder(const QString &formName);

    static qreal width();  // the usable width: 191 mm

    // A row of cells under the heading, in the title band.
    VoucherBuilder &headerRow(const std::vector<Cell> &cells, qreal height = 55);
    // The document's lines as a ruled table.
    VoucherBuilder &table(const std::vector<ListColumn> &columns, qreal headerHeight = 60,
                          qreal lineHeight = 55);
    // A box of ruled rows in the title band, under what is there: a rule
    // above the first row and under every row, the box's two sides, and a
    // rule between neighbouring cells of a row; the texts keep a little room
    // from the rules. The money vouchers print their fields in one.
    VoucherBuilder &ruledBox(const std::vector<std::vector<Cell>> &rows, qreal rowHeight = 70);
    // A row of cells in the summary band.
    VoucherBuilder &summaryRow(const std::vector<Cell> &cells, qreal height = 55);

    Form &form() { return m_form; }
    Form take() { return std::move(m_form); }

private:
    void addRow(BandKind kind, const std::vector<Cell> &cells, qreal height);

    Form m_form;
};

// The printed amount in words of a voucher: "(大写)" followed by the amount's
// capitals; a negative amount gives the capitals of its absolute value
// followed by the negative suffix ("(退)" on money documents, "(出)" on stock
// movements). An amount too large for capitals is printed with the capitals'
// own message in place of the words.
QString capitalsText(const Decimal &amount, const QString &negativeSuffix = QStringLiteral("(退)"));

// "￥" followed by an amount as the window showed it.
QString yuanText(const QString &amountText);

}  // namespace report
