#pragma once

#include "core/db/Snapshot.h"
#include "core/db/Sql.h"
#include "core/money/Decimal.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QSqlDatabase;

// The statistics a window computes from the ledgers on a "统计" of its own
// top panel: the employees' commissions from the sales ledger, and the goods'
// purchases, sales and movements with the balance they leave. Both read and
// never write; each is one statement with every typed value bound.
namespace statistics {

// A statement and its bound values.
struct Statement {
    QString text;
    sql::Binds binds;
};

// How the commissions are read: the quicker way for the rows at hand, or
// always as their one statement, or always by reading the sales ledger and
// the catalogue's rates a row at a time and summing in the program. All three
// give the same rows; the statement is their definition (and what a server
// engine runs).
enum class Way { Quickest, Statement, Walk };

// The optional date range of a top panel: both ends included, used only when
// ticked (both set).
struct DateRange {
    std::optional<QDate> from, to;
    bool isSet() const { return from && to; }
};

// ---- Commissions -------------------------------------------------------------------

// Per handler whose name contains the text (every handler for an empty text),
// over the sales ledger rows of the range:
//   sltc  Σ quantity × the goods' 数量提成 slt (an amount per unit sold)
//   jetc  Σ amount × the goods' 金额提成 jet (a rate: 0.05 is 5 %)
//   ztc   sltc + jetc
// Each product is taken per ledger row and rounded to four places, ties to
// even, before it is summed, so a handler's commission is the sum of what
// each sale earned; returns (negative quantities and amounts) take theirs
// back. A ledger row earns at the rates of its goods row, found by code, name
// and unit as posting finds it: the first such row when the catalogue holds
// several (a second import makes them), so that a sale never counts twice. A
// ledger row whose goods row is gone earns nothing and its handler shows
// only through other rows. Rows by handler, in the lists' name order.
struct CommissionFilter {
    QString handler;
    DateRange range;
};
Statement commissionStatement(const CommissionFilter &filter);
// Columns yuangong, sltc, jetc, ztc. Throws DbError.
Snapshot commissions(const QSqlDatabase &db, const CommissionFilter &filter,
                     Way way = Way::Quickest);

// ---- Purchases, sales and movements of each article ----------------------------------

// One row per code, name and unit found in the purchase, sales or movement
// ledger with the name or code containing the text and, when the range is
// set, dated within it:
//   cgsl, cgje  purchased quantity and amount
//   xssl, xsje  sold quantity and amount
//   rksl, rkje  moved quantity and amount (with the movements' own signs)
//   ysl = cgsl - xssl + rksl, yje = cgje - xsje + rkje
// Goods without such ledger rows are not listed, whatever their stock. Rows by
// code, then name and unit. An empty text matches every row.
struct StockFilter {
    QString text;
    DateRange range;
};
Statement stockStatement(const StockFilter &filter);
// Columns txm, ppgg, dw, cgsl, cgje, xssl, xsje, rksl, rkje, ysl, yje. Throws
// DbError.
Snapshot stockStatistics(const QSqlDatabase &db, const StockFilter &filter);

// ---- Both --------------------------------------------------------------------------

// The sums of decimal columns over every row, in the columns' order (0 over no
// rows; a missing column sums to 0). Invalid when a sum leaves the range.
std::vector<Decimal> sumsOf(const Snapshot &rows, const QStringList &columns);

}  // namespace statistics
