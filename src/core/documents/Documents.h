#pragma once

#include "core/common/Outcome.h"

#include "core/money/Decimal.h"
#include "core/db/Numbering.h"
#include "core/db/Sql.h"
#include "core/documents/StockRules.h"
#include "core/lists/ListQuery.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class QSqlDatabase;

// Retail, wholesale, purchase and stock movement documents: one engine for the
// four kinds, told apart by a Descriptor.
//
// A document being entered is only its lines, marked "dz" under its number.
// Holding writes the header "未审核" and marks the lines "yz"; finalizing writes
// it "已审核" and posts (ledger rows, stock, the receipt or payment row). While
// a held document is edited, new lines are "dz" and deleted saved lines "ds"
// until the edit is saved or abandoned. Every mark statement names the
// document's own number, so two document windows never touch each other's
// unsaved lines.
//
// Every operation that writes runs in one transaction: when it fails, nothing
// of it stays and the Outcome says why. Number fields arrive as the texts the
// operator typed; the operation tidies them as the fields do (an empty text or
// a lone "-" is 0, more than two decimals become the "0.00" form) and refuses
// a text that is not a number with a message naming the field.
namespace documents {

enum class DocumentKind { Retail, Wholesale, Purchase, Movement };

// The ten amount-rule messages of a kind that carries money, in the order the
// rules are checked (see amountRuleBroken()).
using AmountMessages = std::array<QString, 10>;

// A goods row as a document line takes it.
struct Goods {
    qint64 id = 0;
    QString lb, txm, ppgg, dw;
    Decimal jj, xjpf, xjls, kcsl, kcjg, kcje;
};

// What one kind of document is: its tables, columns, words and rules, each
// named (see descriptor()); a kind fills in what it differs in.
struct Descriptor {
    DocumentKind kind = DocumentKind::Retail;
    numbering::Kind numberingKind = numbering::Kind::Retail;
    QString prefix;              // "XSD", "PFD", "CGD", "YDD"
    QString headerTable;         // xsglz, xsglz, cgglz, rkglz
    QString lineTable;           // xsglc, xsglc, cgglc, rkglc
    QString ledgerTable;         // xsfx, xsfx, cgfx, rkfx
    QString partnerColumn;       // kh, kh, ghs, lx (the reason of a movement)
    QString dueColumn;           // yse, yse, yfe; empty for movements
    QString settledColumn;       // sse, sse, sfe; empty for movements
    QString moneyTable;          // skfx, skfx, fkfx; empty for movements
    QString moneyRemark;         // "零售业务", "批发业务", "采购业务"
    bool linesCarryCost = false;  // cbjg, cbje, maoli on lines and ledger rows (sales)
    stockrules::Rule stockRule = stockrules::Rule::Sale;  // how a posted line changes stock
    // The goods' price a new line takes: xjls, xjpf, jj, kcjg.
    Decimal Goods::*defaultPrice = &Goods::xjls;
    QString partnerMissing;      // "客户不可为空！", "厂商不可为空！", "异动原因不可为空！"
    QString settledCaption;      // "实收额", "实付额"; empty for movements
    QString lineEdited;          // "销售明细修改成功！", "批发明细修改成功！", ...
    AmountMessages amountMessages;  // empty texts for movements (no amount rules)
    // The retail window's finalize shows the third message with a blank after
    // the comma; empty when finalize uses the same texts as hold.
    QString finalizeRoundingNegative;

    bool carriesMoney() const { return !dueColumn.isEmpty(); }
};

const Descriptor &descriptor(DocumentKind kind);

// The kind a document number belongs to, by its prefix.
std::optional<DocumentKind> kindOfNumber(const QString &dh);

// ---- Number fields --------------------------------------------------------------

// A number field's value as the tidy rules read its text: an empty text or a
// lone "-" is 0, more than two decimals become the "0.00" form. Invalid when
// the text is not a number (a lone ".", a "-" after digits).
Decimal fieldNumber(const QString &text);

// "<caption>不是有效的数字！"
QString notANumberMessage(const QString &caption);

// ---- Results ----------------------------------------------------------------

// Where a window puts the focus after a refusal. Goods is the entry row's
// article (the sales windows focus its name, the purchase window its code).
enum class Field { None, Handler, Partner, Goods, Quantity, Price, Rounding, Settled };

// How a window shows the message and what a refused operation says: the
// program's one answer type (core/common/Outcome.h).
using ::Severity;
using Outcome = ::Outcome<Field>;

// ---- Goods look-up ------------------------------------------------------------

// The goods row whose code is exactly `code`, when there is exactly one; none
// for no row, for several rows sharing the code (the goods picker chooses
// among them) and for an empty code. Run on every keystroke of the code
// field. Throws DbError.
std::optional<Goods> findGoodsByCode(const QSqlDatabase &db, const QString &code);

// The price a new line of this kind takes from the goods row.
Decimal defaultPrice(const Descriptor &d, const Goods &g);

// ---- Lines --------------------------------------------------------------------

struct Line {
    qint64 id = 0;
    QString dh, bj, txm, ppgg, dw;
    Decimal sl, jg, je;
    Decimal cbjg, cbje, maoli;  // zero for purchase and movement lines
};

enum class Mode {
    New,   // "新增": the lines are the number's "dz" lines
    Edit,  // "修改": a held document, its lines not marked "ds"
};

// The document's line set in the order of entry. Throws DbError.
std::vector<Line> lineSet(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                          Mode mode);

struct Totals {
    Decimal quantity;  // hjsl
    Decimal amount;    // hjje
};
Totals totalsOf(const std::vector<Line> &lines);

// One line as the entry row holds it.
struct LineInput {
    QString txm, ppgg, dw;
    QString quantity;  // as typed
    QString price;     // as typed
    Decimal unitCost;  // sales: the goods' kcjg at the look-up (ignored for other kinds)
};

struct LineAdded {
    Outcome outcome;
    Line line;  // the stored line when added
};

// Adds a line marked "dz": je = sl × jg in "0.00" form; sales lines also take
// cbje = cbjg × sl in "0.00" form and maoli = je − cbje. Refuses a blank name
// ("商品不可为空！") and a zero quantity ("数量不可为零！").
LineAdded addLine(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                  const LineInput &in);

// The goods picker's choice: one line of quantity 1 at the kind's default
// price (sales lines costed at the goods' kcjg).
LineAdded addGoodsLine(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                       const Goods &g);

// The line editor's save: new price and quantity, amount (and for sales the
// cost amount and gross profit) recomputed. The line keeps its mark.
Outcome editLine(const QSqlDatabase &db, const Descriptor &d, const QString &dh, qint64 lineId,
                 const QString &price, const QString &quantity);

// Deletes a line of the document: a line never saved ("dz") goes at once, a
// saved one is marked "ds" until the edit is saved (then it goes) or
// abandoned (then it comes back).
Outcome deleteLine(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                   qint64 lineId);

// ---- Amount rules -------------------------------------------------------------

struct Amounts {
    Decimal total;     // T, hjje
    Decimal rounding;  // Y, yhe
    Decimal due;       // P, yse / yfe
    Decimal settled;   // S, sse / sfe
};

enum class AmountCheck { HoldOrPrint, Finalize };

// The message of the first amount rule the values break, or none. Y must
// carry the sign of T and be no larger in size, S the sign of P and be no
// larger in size; a zero total allows only zero. Movements have no rules.
std::optional<QString> amountRuleBroken(const Descriptor &d, const Amounts &a,
                                        AmountCheck check = AmountCheck::HoldOrPrint);

// ---- Saving -------------------------------------------------------------------

// The header fields as the window holds them.
struct HeaderInput {
    QDate date;        // rq
    QString partner;   // kh / ghs / lx
    QString handler;   // jsr
    QString remark;    // bz
    QString rounding;  // yhe as typed (ignored for movements)
    QString settled;   // sse / sfe as typed (ignored for movements)
};

enum class SaveAs { Hold, Finalize };

struct Saved {
    Outcome outcome;
    Totals totals;        // hjsl, hjje as stored
    Decimal due;          // yse / yfe as stored
    Decimal settled;      // sse / sfe as stored
    Decimal owed;         // qk
    // The number the window continues with: after a new document, the serial
    // after the one saved (with today's date); after an edit, the next number
    // of today. The window closes on DailyLimit.
    numbering::Result next;
};

// Hold (F9) or finalize (F8) the window's document: checks handler, partner,
// lines and the amount rules in that order, then writes the header (a new
// one, or the held one being edited), posts when finalizing, and settles the
// line marks. Totals come from the document's stored lines, the amount due is
// total − rounding-off, qk is due − settled.
Saved save(const QSqlDatabase &db, const Descriptor &d, const QString &dh, Mode mode,
           const HeaderInput &h, SaveAs as, const QString &operatorName, const QDate &today);

inline Saved hold(const QSqlDatabase &db, const Descriptor &d, const QString &dh, Mode mode,
                  const HeaderInput &h, const QString &operatorName, const QDate &today)
{
    return save(db, d, dh, mode, h, SaveAs::Hold, operatorName, today);
}

inline Saved finalize(const QSqlDatabase &db, const Descriptor &d, const QString &dh, Mode mode,
                      const HeaderInput &h, const QString &operatorName, const QDate &today)
{
    return save(db, d, dh, mode, h, SaveAs::Finalize, operatorName, today);
}

// ---- Headers, held documents, abandoning --------------------------------------

struct Header {
    qint64 id = 0;
    QString dh;
    QDate rq, kdrq;
    QString partner, jsr, bz, shbj, zhidan;
    Decimal hjsl, hjje, yhe, due, settled, qk;  // money columns zero for movements
};

// The header of a number, if it has one. Throws DbError.
std::optional<Header> readHeader(const QSqlDatabase &db, const Descriptor &d, const QString &dh);

struct HeldFilter {
    QString partner;  // part of the customer, supplier or reason; empty matches all
    std::optional<QDate> from, to;  // both set: rq within [from, to]
};

// The held ("未审核") documents of this kind, in the order of entry. Throws DbError.
std::vector<Header> heldDocuments(const QSqlDatabase &db, const Descriptor &d,
                                  const HeldFilter &f);
// The same as the held-document picker lists them: id, shbj, rq, dh, the
// partner as "partner", hjsl, hjje and jsr, in the order of entry.
ListQuery heldQuery(const Descriptor &d, const HeldFilter &f);


// Abandons the window's unsaved changes (F5, closing the window): its "dz"
// lines go, its "ds" lines come back as saved lines.
Outcome abandon(const QSqlDatabase &db, const Descriptor &d, const QString &dh);

struct Taken {
    Outcome outcome;
    Header header;  // the held document, to fill the window in mode Edit
};

// Takes a held document into the window (F6): the document the window was
// working on is abandoned as by abandon(), the held one is brought back to its
// saved lines, and its header is returned. Its line set is then
// lineSet(db, d, heldDh, Mode::Edit).
Taken takeHeld(const QSqlDatabase &db, const Descriptor &d, const QString &currentDh,
               const QString &heldDh);

// ---- Interrupted entries -------------------------------------------------------

// Start-up: removes the unsaved ("dz") lines left under numbers of an earlier
// day that never got a header, the lines of documents whose entry was
// interrupted (the program ended while they were entered). Today's stay: the
// window that takes up today's number shows them again. One transaction for
// the three line tables; the count is logged. Nothing when the database
// failed (logged too; nothing was removed).
std::optional<int> removeInterruptedEntries(const QSqlDatabase &db, const QDate &today);

// ---- Management ---------------------------------------------------------------

// "反审": gives the stock of a posted document back through the stock rule,
// deletes its ledger rows and every receipt or payment row of its number, and
// sets the header back to "未审核"; the other header columns keep their values.
// A held document is refused with "本单据已经反审！".
Outcome reverse(const QSqlDatabase &db, const Descriptor &d, const QString &dh);

// Deletes a document: header, every line and ledger row of its number. A
// posted document is reversed first, in the same transaction, so that stock
// and receipts or payments stay true. When `deleted` is given it receives the
// header as it was when it went (a list subtracts its amounts).
Outcome deleteDocument(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                       Header *deleted = nullptr);

}  // namespace documents
