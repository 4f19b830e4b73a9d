#pragma once

#include "core/money/Decimal.h"
#include "report/ReportBuilders.h"

struct ShopRecord;

// What a sales document prints besides its lines: the header and the totals
// as the document window holds them.
struct SalesDocumentPrint {
    QString number;    // dh
    QString date;      // "yyyy-mm-dd"
    QString customer;  // kh
    QString remark;    // bz
    QString handler;   // jsr
    Decimal totalQuantity;
    Decimal totalAmount;
    Decimal due;       // amount receivable
    Decimal received;  // amount received
};

// The sales document "销售单" on continuous paper, printed by the retail and
// wholesale windows and the sales document viewer.
class TFdyxsd1 : public report::Form
{
public:
    TFdyxsd1();

    static QString title() { return QStringLiteral("销售单"); }

    // Fills every label from the shop record and the document, and takes the
    // document's lines (columns txm, ppgg, dw, sl, jg, je) as the dataset.
    void fill(const ShopRecord &shop, const SalesDocumentPrint &document, Snapshot lines);

    // The names of the value labels.
    static QString customerLabel() { return QStringLiteral("customer"); }
    static QString numberLabel() { return QStringLiteral("number"); }
    static QString remarkLabel() { return QStringLiteral("remark"); }
    static QString dateLabel() { return QStringLiteral("date"); }
    static QString capitalsLabel() { return QStringLiteral("capitals"); }
    static QString totalQuantityLabel() { return QStringLiteral("totalQuantity"); }
    static QString totalAmountLabel() { return QStringLiteral("totalAmount"); }
    static QString owedCaptionLabel() { return QStringLiteral("owedCaption"); }
    static QString owedCapitalsLabel() { return QStringLiteral("owedCapitals"); }
    static QString dueLabel() { return QStringLiteral("due"); }
    static QString receivedLabel() { return QStringLiteral("received"); }
    static QString handlerLabel() { return QStringLiteral("handler"); }
    static QString footer1Label() { return QStringLiteral("footer1"); }
    static QString footer2Label() { return QStringLiteral("footer2"); }
};
