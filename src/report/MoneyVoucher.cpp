#include "report/MoneyVoucher.h"

#include "core/db/Udm1.h"
#include "core/money/Capitals.h"

using report::captionCell;
using report::Cell;
using report::valueCell;

namespace {

using F = MoneyVoucherForm;

Cell named(const QString &name, const QString &caption, qreal width)
{
    Cell c = captionCell(caption, width);
    c.name = name;
    return c;
}

report::Form build(const MoneyVoucherWords &words)
{
    constexpr qreal caption = 220;
    constexpr qreal value = 700;
    report::VoucherBuilder b(words.formName);
    b.ruledBox({{named(F::partyCaptionLabel(), words.partyCaption, caption),
                 valueCell(F::partyLabel(), value), captionCell(words.secondCaption, caption),
                 valueCell(F::secondLabel())},
                {named(F::amountCaptionLabel(), words.amountCaption, caption),
                 valueCell(F::amountLabel(), value), valueCell(F::capitalsLabel())},
                {captionCell(QStringLiteral("备注说明"), caption), valueCell(F::remarkLabel())}});
    b.headerRow({captionCell(QStringLiteral("日期:"), 100), valueCell(F::dateLabel(), 380),
                 captionCell(QStringLiteral("经办:"), 100), valueCell(F::handlerLabel(), 380),
                 captionCell(QStringLiteral("制单:"), 100), valueCell(F::preparedByLabel(), 380),
                 captionCell(QStringLiteral("审核:"), 100), valueCell(QString())},
                60);
    return b.take();
}

}  // namespace

MoneyVoucherForm::MoneyVoucherForm(const MoneyVoucherWords &words) : report::Form(build(words)) {}

void MoneyVoucherForm::fill(const ShopRecord &shop, const MoneyVoucherValues &v)
{
    setCaption(report::headingLabel(), shop.mcdy + v.title);
    if (!v.partyCaption.isEmpty())
        setCaption(partyCaptionLabel(), v.partyCaption);
    if (!v.amountCaption.isEmpty())
        setCaption(amountCaptionLabel(), v.amountCaption);
    setCaption(partyLabel(), v.party);
    setCaption(secondLabel(), v.second);
    setCaption(amountLabel(), QStringLiteral("￥:") + v.amountText);
    QString words;
    const Decimal amount = Decimal::parse(v.amountText.trimmed());
    if (!amount.isValid()) {
        words = capitalsErrorText();
    } else if (const std::optional<QString> capitals = amountInCapitals(amount.abs())) {
        words = *capitals;
        if (amount.roundedTo2().isNegative())
            words += QStringLiteral("(退)");
    } else {
        words = capitalsErrorText();
    }
    setCaption(capitalsLabel(), QStringLiteral("大写:") + words);
    setCaption(remarkLabel(), v.remark);
    setCaption(dateLabel(), v.date);
    setCaption(handlerLabel(), v.handler);
    setCaption(preparedByLabel(), v.preparedBy);
}
