#include "report/GoodsVoucher.h"

#include "core/db/Udm1.h"

using report::Cell;
using report::captionCell;
using report::valueCell;

namespace {

report::Form build(const GoodsVoucherWords &words)
{
    using F = GoodsVoucherForm;
    const qreal w = report::VoucherBuilder::width();
    const std::vector<qreal> x = report::columnEdges(report::goodsLineColumns(), w);
    auto span = [&](size_t from, size_t to) { return x[to + 1] - x[from]; };
    constexpr qreal pad = 10;
    constexpr qreal totalsHeight = 55;

    report::VoucherBuilder b(words.formName);
    b.headerRow({captionCell(words.partnerCaption, 110), valueCell(F::partnerLabel(), 1000),
                 captionCell(QStringLiteral("单号:"), 110), valueCell(F::numberLabel())});
    b.headerRow({captionCell(QStringLiteral("备注:"), 110), valueCell(F::remarkLabel(), 1000),
                 captionCell(QStringLiteral("日期:"), 110), valueCell(F::dateLabel())});
    b.table(report::goodsLineColumns());

    // The totals line continues the table: "合计:" under the code, the amount
    // in words across name and unit, the totals under their columns.
    b.summaryRow({captionCell(QStringLiteral("合计:"), span(0, 0), Qt::AlignHCenter),
                  valueCell(F::capitalsLabel(), span(1, 2)),
                  valueCell(F::totalQuantityLabel(), span(3, 3), Qt::AlignRight),
                  captionCell(QString(), span(4, 4)),
                  valueCell(F::totalAmountLabel(), span(5, 5), Qt::AlignRight)},
                 totalsHeight);
    b.summaryRow({captionCell(QStringLiteral("经办:"), span(0, 0), Qt::AlignHCenter),
                  valueCell(F::handlerLabel(), span(1, 2)),
                  captionCell(QStringLiteral("制单:"), 110), valueCell(F::preparedByLabel())});

    report::Form &form = b.form();
    report::Band &summary = form.band(report::BandKind::Summary);
    for (report::Item &item : summary.items) {
        if (item.rect.top() == 0)
            item.rect.adjust(pad, 0, -pad, 0);
    }
    report::Item &outline =
        form.addBox(report::BandKind::Summary, QRectF(0, 0, w, totalsHeight), 2);
    outline.edges = Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge;
    for (size_t i : {size_t(1), size_t(3), size_t(4), size_t(5)})
        form.addLine(report::BandKind::Summary, QPointF(x[i], 0), QPointF(x[i], totalsHeight), 2);
    return b.take();
}

}  // namespace

GoodsVoucherForm::GoodsVoucherForm(const GoodsVoucherWords &words)
    : report::Form(build(words)), m_title(words.title), m_negativeSuffix(words.negativeSuffix)
{
}

void GoodsVoucherForm::fill(const ShopRecord &shop, const GoodsVoucherDocument &document,
                            Snapshot lines)
{
    setCaption(report::headingLabel(), shop.mcdy + m_title);
    setCaption(partnerLabel(), document.partner);
    setCaption(numberLabel(), document.number);
    setCaption(remarkLabel(), document.remark);
    setCaption(dateLabel(), document.date);
    setCaption(handlerLabel(), document.handler);
    setCaption(preparedByLabel(), document.preparedBy);
    setCaption(totalQuantityLabel(), document.totalQuantity.toShortest());
    setCaption(totalAmountLabel(), report::yuanText(document.totalAmount.toShortest()));
    setCaption(capitalsLabel(), report::capitalsText(document.totalAmount, m_negativeSuffix));
    setDataset(std::move(lines));
}
