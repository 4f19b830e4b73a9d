#pragma once

#include "core/money/Decimal.h"
#include "report/ReportBuilders.h"

struct ShopRecord;

// What a purchase or stock movement document prints besides its lines: the
// header and the totals as the document window (or viewer) holds them.
struct GoodsVoucherDocument {
    QString number;      // dh
    QString date;        // "yyyy-mm-dd"
    QString partner;     // the supplier (ghs) or the reason of a movement (lx)
    QString remark;      // bz
    QString handler;     // jsr
    QString preparedBy;  // 制单: the logged-in operator
    Decimal totalQuantity;
    Decimal totalAmount;
};

// The words that make one voucher of the pair.
struct GoodsVoucherWords {
    QString formName;        // "TFdycgd1", "TFdyrkd1"
    QString title;           // after the shop's print name: "采购单", "库存异动单"
    QString partnerCaption;  // "厂商:", "异动:"
    QString negativeSuffix;  // after the words of a negative total: "(退)", "(出)"
};

// The voucher of goods coming into or going out of stock on continuous paper:
// the heading, partner and number, remark and date, the lines as a ruled
// table, the totals with the amount in words, the handler and the operator
// who printed it.
class GoodsVoucherForm : public report::Form
{
public:
    explicit GoodsVoucherForm(const GoodsVoucherWords &words);

    // Fills every label from the shop record and the document, and takes the
    // document's lines (columns txm, ppgg, dw, sl, jg, je) as the dataset.
    void fill(const ShopRecord &shop, const GoodsVoucherDocument &document, Snapshot lines);

    // The names of the value labels.
    static QString partnerLabel() { return QStringLiteral("partner"); }
    static QString numberLabel() { return QStringLiteral("number"); }
    static QString remarkLabel() { return QStringLiteral("remark"); }
    static QString dateLabel() { return QStringLiteral("date"); }
    static QString capitalsLabel() { return QStringLiteral("capitals"); }
    static QString totalQuantityLabel() { return QStringLiteral("totalQuantity"); }
    static QString totalAmountLabel() { return QStringLiteral("totalAmount"); }
    static QString handlerLabel() { return QStringLiteral("handler"); }
    static QString preparedByLabel() { return QStringLiteral("preparedBy"); }

private:
    QString m_title;
    QString m_negativeSuffix;
};
