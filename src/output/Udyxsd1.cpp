#include "output/Udyxsd1.h"

#include "app/Udm1.h"

using report::Cell;
using report::ListColumn;

namespace {

const std::vector<ListColumn> &lineColumns()
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

Cell caption(const QString &text, qreal width, Qt::Alignment align = Qt::AlignLeft)
{
    Cell c;
    c.caption = text;
    c.width = width;
    c.align = align;
    return c;
}

Cell value(const QString &name, qreal width = 0, Qt::Alignment align = Qt::AlignLeft)
{
    Cell c;
    c.name = name;
    c.width = width;
    c.align = align;
    return c;
}

report::Form build()
{
    const qreal w = report::VoucherBuilder::width();
    const std::vector<qreal> x = report::columnEdges(lineColumns(), w);
    auto span = [&](size_t from, size_t to) { return x[to + 1] - x[from]; };
    constexpr qreal pad = 10;

    report::VoucherBuilder b(QStringLiteral("TFdyxsd1"));
    b.headerRow({caption(QStringLiteral("客户:"), 110), value(TFdyxsd1::customerLabel(), 1000),
                 caption(QStringLiteral("单号:"), 110), value(TFdyxsd1::numberLabel())});
    b.headerRow({caption(QStringLiteral("备注:"), 110), value(TFdyxsd1::remarkLabel(), 1000),
                 caption(QStringLiteral("日期:"), 110), value(TFdyxsd1::dateLabel())});
    b.table(lineColumns());

    // The totals line continues the table: "合计:" under the code, the amount
    // in words across name and unit, the totals under their columns.
    b.summaryRow({caption(QStringLiteral("合计:"), span(0, 0), Qt::AlignHCenter),
                  value(TFdyxsd1::capitalsLabel(), span(1, 2)),
                  value(TFdyxsd1::totalQuantityLabel(), span(3, 3), Qt::AlignRight),
                  caption(QString(), span(4, 4)),
                  value(TFdyxsd1::totalAmountLabel(), span(5, 5), Qt::AlignRight)},
                 55);
    b.summaryRow({value(TFdyxsd1::owedCaptionLabel(), span(0, 0), Qt::AlignHCenter),
                  value(TFdyxsd1::owedCapitalsLabel(), span(1, 2)),
                  caption(QStringLiteral("应收:"), 110), value(TFdyxsd1::dueLabel(), 300),
                  caption(QStringLiteral("实收:"), 110), value(TFdyxsd1::receivedLabel())});
    b.summaryRow({caption(QStringLiteral("经办:"), span(0, 0), Qt::AlignHCenter),
                  value(TFdyxsd1::handlerLabel(), span(1, 2)),
                  caption(QStringLiteral("客户签收:"), 220), value(QString())});
    Cell footer1 = value(TFdyxsd1::footer1Label());
    footer1.font = report::footerFont();
    Cell footer2 = value(TFdyxsd1::footer2Label());
    footer2.font = report::footerFont();
    b.summaryRow({footer1}, 45);
    b.summaryRow({footer2}, 45);

    report::Form &form = b.form();
    // Rules of the totals line, and text insets like the table's cells.
    report::Band &summary = form.band(report::BandKind::Summary);
    for (report::Item &item : summary.items) {
        if (item.rect.top() == 0)
            item.rect.adjust(pad, 0, -pad, 0);
    }
    report::Item &outline =
        form.addBox(report::BandKind::Summary, QRectF(0, 0, w, 55), 2);
    outline.edges = Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge;
    for (size_t i : {size_t(1), size_t(3), size_t(4), size_t(5)})
        form.addLine(report::BandKind::Summary, QPointF(x[i], 0), QPointF(x[i], 55), 2);
    return b.take();
}

}  // namespace

TFdyxsd1::TFdyxsd1() : report::Form(build()) {}

void TFdyxsd1::fill(const ShopRecord &shop, const SalesDocumentPrint &document, Snapshot lines)
{
    setCaption(report::headingLabel(), shop.mcdy + title());
    setCaption(customerLabel(), document.customer);
    setCaption(numberLabel(), document.number);
    setCaption(remarkLabel(), document.remark);
    setCaption(dateLabel(), document.date);
    setCaption(handlerLabel(), document.handler);

    setCaption(totalQuantityLabel(), document.totalQuantity.toShortest());
    setCaption(totalAmountLabel(), report::yuanText(document.totalAmount.toShortest()));
    setCaption(dueLabel(), report::yuanText(document.due.toShortest()));
    setCaption(receivedLabel(), report::yuanText(document.received.toShortest()));
    setCaption(capitalsLabel(), report::capitalsText(document.totalAmount));

    // What is still owed (or, when more was received than due, given back);
    // nothing when the amounts are equal.
    if (document.due == document.received) {
        setCaption(owedCaptionLabel(), QString());
        setCaption(owedCapitalsLabel(), QString());
    } else {
        setCaption(owedCaptionLabel(), QStringLiteral("欠款:"));
        setCaption(owedCapitalsLabel(), report::capitalsText(document.due - document.received));
    }

    setCaption(footer1Label(), shop.bz3);
    setCaption(footer2Label(), shop.bz4);
    setDataset(std::move(lines));
}
