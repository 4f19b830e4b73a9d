#include "report/forms/Udyxsd1.h"

#include "core/db/Udm1.h"

using report::Cell;
using report::captionCell;
using report::valueCell;

namespace {

report::Form build()
{
    const qreal w = report::VoucherBuilder::width();
    const std::vector<qreal> x = report::columnEdges(report::goodsLineColumns(), w);
    auto span = [&](size_t from, size_t to) { return x[to + 1] - x[from]; };
    constexpr qreal pad = 10;

    report::VoucherBuilder b(QStringLiteral("TFdyxsd1"));
    b.headerRow({captionCell(QStringLiteral("客户:"), 110), valueCell(TFdyxsd1::customerLabel(), 1000),
                 captionCell(QStringLiteral("单号:"), 110), valueCell(TFdyxsd1::numberLabel())});
    b.headerRow({captionCell(QStringLiteral("备注:"), 110), valueCell(TFdyxsd1::remarkLabel(), 1000),
                 captionCell(QStringLiteral("日期:"), 110), valueCell(TFdyxsd1::dateLabel())});
    b.table(report::goodsLineColumns());

    // The totals line continues the table: "合计:" under the code, the amount
    // in words across name and unit, the totals under their columns.
    b.summaryRow({captionCell(QStringLiteral("合计:"), span(0, 0), Qt::AlignHCenter),
                  valueCell(TFdyxsd1::capitalsLabel(), span(1, 2)),
                  valueCell(TFdyxsd1::totalQuantityLabel(), span(3, 3), Qt::AlignRight),
                  captionCell(QString(), span(4, 4)),
                  valueCell(TFdyxsd1::totalAmountLabel(), span(5, 5), Qt::AlignRight)},
                 55);
    b.summaryRow({valueCell(TFdyxsd1::owedCaptionLabel(), span(0, 0), Qt::AlignHCenter),
                  valueCell(TFdyxsd1::owedCapitalsLabel(), span(1, 2)),
                  captionCell(QStringLiteral("应收:"), 110), valueCell(TFdyxsd1::dueLabel(), 300),
                  captionCell(QStringLiteral("实收:"), 110), valueCell(TFdyxsd1::receivedLabel())});
    b.summaryRow({captionCell(QStringLiteral("经办:"), span(0, 0), Qt::AlignHCenter),
                  valueCell(TFdyxsd1::handlerLabel(), span(1, 2)),
                  captionCell(QStringLiteral("客户签收:"), 220), valueCell(QString())});
    Cell footer1 = valueCell(TFdyxsd1::footer1Label());
    footer1.font = report::footerFont();
    Cell footer2 = valueCell(TFdyxsd1::footer2Label());
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
