#include "core/documents/StockRules.h"

#include "core/db/Sql.h"

#include <QSqlQuery>

namespace stockrules {

namespace {

bool valid(const Stock &s)
{
    return s.quantity.isValid() && s.unitCost.isValid() && s.value.isValid();
}

QString textOf(const QString &s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

QString describe(const LineValues &line)
{
    return line.txm + u' ' + line.ppgg + u' ' + line.dw;
}

[[noreturn]] void outOfRange(const LineValues &line)
{
    throw DbError(QStringLiteral("库存数值超出范围：") + describe(line));
}

// The goods row a posting creates when the article is missing: what the
// posting (or its reversal) would have left on a row with no stock, priced
// from the line.
struct NewRow {
    Stock stock;
    bool withPurchasePrice = false;  // reversals also fill jj with the unit cost
};

NewRow newRowFor(Rule rule, Direction direction, const LineValues &line)
{
    const bool reverse = direction == Direction::Reverse;
    NewRow row;
    row.withPurchasePrice = reverse;
    switch (rule) {
    case Rule::Sale: {
        row.stock.unitCost = line.cbjg;
        row.stock.quantity = reverse ? line.sl : -line.sl;
        row.stock.value = (row.stock.unitCost * row.stock.quantity).roundedTo2();
        break;
    }
    case Rule::Purchase:
    case Rule::Movement:
        row.stock.unitCost = line.jg;
        row.stock.quantity = reverse ? -line.sl : line.sl;
        row.stock.value = reverse ? -line.je : line.je;
        break;
    }
    return row;
}

Stock ruleApplied(Rule rule, Direction direction, const Stock &s, const LineValues &line)
{
    const bool reverse = direction == Direction::Reverse;
    switch (rule) {
    case Rule::Sale:
        return afterSale(s, reverse ? -line.sl : line.sl);
    case Rule::Purchase:
        return reverse ? afterReceipt(s, -line.sl, -line.je) : afterReceipt(s, line.sl, line.je);
    case Rule::Movement:
        return afterMovement(s, reverse ? -line.sl : line.sl);
    }
    return s;
}

}  // namespace

QString unknownCategory()
{
    return QStringLiteral("未知");
}

Stock afterSale(const Stock &s, const Decimal &soldQuantity)
{
    Stock r = s;
    r.quantity = s.quantity - soldQuantity;
    r.value = (s.unitCost * r.quantity).roundedTo2();
    return r;
}

Stock afterReceipt(const Stock &s, const Decimal &quantity, const Decimal &amount)
{
    // The order matters: the average is taken first, then a quantity left
    // without value is revalued at the (possibly new) unit cost, then an
    // empty stock loses its value but keeps its unit cost.
    Stock r = s;
    r.quantity = s.quantity + quantity;
    r.value = s.value + amount;
    if (!r.quantity.isZero() && !r.value.isZero())
        r.unitCost = r.value.dividedTo2(r.quantity);
    if (!r.quantity.isZero() && r.value.isZero())
        r.value = (r.unitCost * r.quantity).roundedTo2();
    if (r.quantity.isZero())
        r.value = Decimal();
    return r;
}

Stock afterMovement(const Stock &s, const Decimal &quantity)
{
    Stock r = s;
    r.quantity = s.quantity + quantity;
    r.value = (s.unitCost * r.quantity).roundedTo2();
    return r;
}

void apply(const QSqlDatabase &db, Rule rule, Direction direction, const LineValues &line)
{
    sql::Query found = sql::exec(
        db,
        QStringLiteral("SELECT id, kcsl, kcjg, kcje FROM sp WHERE ppgg = ? AND txm = ? AND dw = ?"
                       " ORDER BY id LIMIT 1"),
        {textOf(line.ppgg), textOf(line.txm), textOf(line.dw)});
    if (!found.next()) {
        const NewRow row = newRowFor(rule, direction, line);
        if (!valid(row.stock))
            outOfRange(line);
        const qint64 jj = row.withPurchasePrice ? row.stock.unitCost.units() : 0;
        sql::exec(db,
                  QStringLiteral("INSERT INTO sp (lb, txm, ppgg, dw, jj, kcjg, kcsl, kcje)"
                                 " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                  {unknownCategory(), textOf(line.txm), textOf(line.ppgg), textOf(line.dw), jj,
                   qint64(row.stock.unitCost.units()), qint64(row.stock.quantity.units()),
                   qint64(row.stock.value.units())});
        return;
    }
    const qint64 id = found.toLongLong(0);
    const Stock before{Decimal::fromUnits(found.toLongLong(1)), Decimal::fromUnits(found.toLongLong(2)),
                       Decimal::fromUnits(found.toLongLong(3))};
    found.finish();
    const Stock after = ruleApplied(rule, direction, before, line);
    if (!valid(after))
        outOfRange(line);
    sql::exec(db, QStringLiteral("UPDATE sp SET kcsl = ?, kcjg = ?, kcje = ? WHERE id = ?"),
              {qint64(after.quantity.units()), qint64(after.unitCost.units()),
               qint64(after.value.units()), id});
}

}  // namespace stockrules
