#pragma once

#include "core/money/Decimal.h"

#include <QString>

class QSqlDatabase;

// The three ways a document line changes an article's stock, in one place.
// Every posting and every reversal of a sales, purchase or movement document
// goes through apply().
//
//  - Sale: the quantity sold leaves stock; the stock is revalued at the
//    unchanged unit cost. A return (negative quantity) raises the stock.
//  - Purchase (receipt): quantity and amount are added; the unit cost is the
//    moving average value ÷ quantity in "0.00" form while both are non-zero;
//    a quantity with no value left is revalued at the unit cost; no quantity
//    means no value, and the unit cost is kept for the next receipt.
//  - Movement: the quantity is added; the stock is revalued at the unchanged
//    unit cost, whatever price the line carries.
//
// A reversal applies the same rule to the negated line.
namespace stockrules {

enum class Rule { Sale, Purchase, Movement };
enum class Direction { Post, Reverse };

// An article's stock: kcsl, kcjg, kcje of its goods row.
struct Stock {
    Decimal quantity;  // kcsl
    Decimal unitCost;  // kcjg
    Decimal value;     // kcje, "0.00"
};

// The pure rules. The result is invalid (some member not isValid()) only when
// a value leaves the range of Decimal.
Stock afterSale(const Stock &s, const Decimal &soldQuantity);
Stock afterReceipt(const Stock &s, const Decimal &quantity, const Decimal &amount);
Stock afterMovement(const Stock &s, const Decimal &quantity);

// The line values a rule needs. The unit cost is the line's cbjg (sales lines
// only; purchase and movement lines price new goods rows with jg).
struct LineValues {
    QString txm;
    QString ppgg;
    QString dw;
    Decimal sl;
    Decimal jg;
    Decimal je;
    Decimal cbjg;
};

// Finds the article by name, code and unit (the first such goods row) and
// applies the rule to it. An article that no longer exists is created under
// the category "未知", priced from the line, and a reversal also fills its
// purchase price jj. Throws DbError, also when a value would leave the range
// of Decimal (nothing of that line is written then).
void apply(const QSqlDatabase &db, Rule rule, Direction direction, const LineValues &line);

// The category of goods rows that postings create.
QString unknownCategory();  // "未知"

}  // namespace stockrules
