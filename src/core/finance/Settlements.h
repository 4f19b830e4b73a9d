#pragma once

#include "core/common/Outcome.h"
#include "core/documents/Management.h"
#include "core/lists/ListQuery.h"
#include "core/money/Decimal.h"

#include <QDate>
#include <QString>

#include <optional>

class QSqlDatabase;

// Payments to suppliers and receipts from customers, applied to the purchase
// or sales document they settle. One engine serves both sides, told apart by
// a Descriptor, as the document engine serves the four kinds of documents.
//
// A money row (fkfx, skfx) is "已审核" while its amount is part of its
// document's paid or received amount (sfe, sse) and "未审核" once it was
// taken out again. The document's two columns always change as a pair: the
// settled amount by the money row's amount, then qk = due − settled.
//
// Every action that writes runs in one transaction and answers an Outcome:
// applying (a new or a changed row), un-approving and deleting. Deleting an
// approved row takes its amount out of the document first, so that what the
// document says it was paid stays the sum of the rows that paid it.
namespace settlements {

enum class Side { Payables, Receivables };

// What one side is: its tables, columns and words.
struct Descriptor {
    Side side = Side::Payables;
    management::Book book = management::Book::Purchases;  // the documents it settles
    QString headerTable;    // cgglz, xsglz
    QString lineTable;      // cgglc, xsglc
    QString moneyTable;     // fkfx, skfx
    QString partnerColumn;  // ghs, kh
    QString dueColumn;      // yfe, yse
    QString settledColumn;  // sfe, sse
    QString amountCaption;  // "本次付款", "本次收款"
    QString amountZero;     // "本次付款不可为零！", "本次收款不可为零！"
};

const Descriptor &descriptor(Side side);

// The state texts of a money row (and of a document header).
QString approvedState();    // "已审核"
QString unapprovedState();  // "未审核"

// The fields of the payment or receipt window, for the focus after a refusal.
enum class Field { None, Number, Owed, Amount, Handler };
using Outcome = ::Outcome<Field>;

// ---- Documents with a balance ---------------------------------------------------

// An approved document whose balance is not zero.
struct OwedDocument {
    qint64 id = 0;
    QString dh, partner;
    Decimal due, settled, qk;
};

// The approved document of this number with a balance; none for a held
// document, a settled one (qk 0) and an unknown number. Runs on every
// keystroke of the number field. Throws DbError.
std::optional<OwedDocument> findOwed(const QSqlDatabase &db, const Descriptor &d,
                                     const QString &dh);

// Which balances a list shows: every one not zero, what is owed (qk > 0) or
// what is to be refunded (qk < 0).
enum class Balance { Any, Owed, Refund };

struct OwedFilter {
    QString partner;  // parts of kh / ghs, jsr, dh; empty matches every row
    QString handler;
    QString number;
    Balance balance = Balance::Any;
    std::optional<QDate> from, to;  // both set: rq within [from, to]
};

// The approved documents with a balance the filter takes, in the order of
// entry, every header column (the viewer reads them). The payables and
// receivables lists and the document chooser show it.
ListQuery owedList(const Descriptor &d, const OwedFilter &f = {});

// ---- Money rows -------------------------------------------------------------------

enum class Approval { All, Unapproved, Approved };
// Which amounts: every one, money paid or received (je > 0), refunds (je < 0).
enum class Direction { All, Settled, Refunded };

struct MoneyFilter {
    QString partner, handler, number;
    Approval approval = Approval::All;
    Direction direction = Direction::All;
    std::optional<QDate> from, to;
};

// The list opens on one day's rows.
ListQuery moneyOfDay(const Descriptor &d, const QDate &day);
ListQuery moneyList(const Descriptor &d, const MoneyFilter &f);

struct MoneyRow {
    qint64 id = 0;
    QDate rq;
    QString dh, partner;
    Decimal je;
    QString jsr, bz, shbj;
};

// A money row by id. Throws DbError.
std::optional<MoneyRow> readMoney(const QSqlDatabase &db, const Descriptor &d, qint64 id);

// The payment or receipt window's fields as typed.
struct MoneyInput {
    QDate date;
    QString dh;
    QString amount;  // tidied as the field does: empty is 0, more than two decimals "0.00"
    QString handler;
    QString remark;
};

struct Applied {
    Outcome outcome;
    qint64 id = 0;     // the money row
    Decimal amount;    // as stored
    Decimal owed;      // the document's qk afterwards
};

// "保存" in mode "新增": checks, in this order, the document (approved with a
// balance: "帐单不可为空！"), the amount ("本次付款不可为零！") and the
// handler ("经办人不可为空！"); then writes the row "已审核" with the
// document's partner and adds its amount to the document.
Applied add(const QSqlDatabase &db, const Descriptor &d, const MoneyInput &in);

// "保存" in mode "修改": only an un-approved row may be changed ("审核数据不可
// 修改，请先反审核！"); the same checks, then the row takes the fields, is
// approved again and its amount is applied to its (possibly other) document,
// once.
Applied change(const QSqlDatabase &db, const Descriptor &d, qint64 id, const MoneyInput &in);

// "反审": takes an approved row's amount out of its document (when the
// document is still there) and marks the row "未审核"; a row already
// un-approved is refused ("数据已经反审！").
Outcome unapprove(const QSqlDatabase &db, const Descriptor &d, qint64 id);

struct Removed {
    Outcome outcome;
    Decimal amount;  // the deleted row's je, for the list's total
};

// "删除": an approved row is un-applied first, in the same transaction; an
// un-approved one only goes from the ledger.
Removed remove(const QSqlDatabase &db, const Descriptor &d, qint64 id);

}  // namespace settlements
