#pragma once

#include "core/money/Decimal.h"
#include "report/ReportBuilders.h"

struct ShopRecord;

// What a money voucher prints: a payment or receipt, or an income or
// expense, as its window holds it (saved or not).
struct MoneyVoucherValues {
    QString title;           // after the shop's print name: "付款单", " 其他收支单"
    QString partyCaption;    // replaces the first caption when not empty ("客户名称")
    QString amountCaption;   // replaces the amount's caption when not empty ("收款金额")
    QString party;           // the supplier, customer or item
    QString second;          // the document number or the category
    QString amountText;      // the amount as the window shows it
    QString remark;
    QString date;            // "yyyy-mm-dd"
    QString handler;
    QString preparedBy;      // the logged-in operator
};

// The words that make one voucher of the pair.
struct MoneyVoucherWords {
    QString formName;       // "TFdyfkd1", "TFdyszd1"
    QString partyCaption;   // "厂商名称", "收支项目"
    QString secondCaption;  // "帐单编号", "收支类别"
    QString amountCaption;  // "付款金额", "收支金额"
};

// A voucher of money on continuous paper without lines: the heading, then a
// ruled box of the party and the second value, the amount with its words,
// and the remark, then the date, the handler, the operator who printed it and
// room for the approver's name.
class MoneyVoucherForm : public report::Form
{
public:
    explicit MoneyVoucherForm(const MoneyVoucherWords &words);

    // Fills every label. The amount reads "￥:" and the text; its words
    // "大写:" and the capitals of its size, followed by "(退)" when negative.
    void fill(const ShopRecord &shop, const MoneyVoucherValues &values);

    static QString partyCaptionLabel() { return QStringLiteral("partyCaption"); }
    static QString amountCaptionLabel() { return QStringLiteral("amountCaption"); }
    static QString partyLabel() { return QStringLiteral("party"); }
    static QString secondLabel() { return QStringLiteral("second"); }
    static QString amountLabel() { return QStringLiteral("amount"); }
    static QString capitalsLabel() { return QStringLiteral("capitals"); }
    static QString remarkLabel() { return QStringLiteral("remark"); }
    static QString dateLabel() { return QStringLiteral("date"); }
    static QString handlerLabel() { return QStringLiteral("handler"); }
    static QString preparedByLabel() { return QStringLiteral("preparedBy"); }
};
