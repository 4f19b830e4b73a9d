#include "core/stock/StockTools.h"

#include "core/db/Sql.h"
#include "core/documents/StockRules.h"

using namespace Qt::StringLiterals;

namespace stocktools {

namespace {

// A typed number as the windows use it: more than two decimals become the
// "0.00" form first. Invalid when it is not a number.
Decimal typed(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return Decimal();
    return Decimal::parse(decimaltext::rewriteTo2IfLonger(t));
}

QString notANumber(const QString &caption)
{
    return caption + u"不是有效的数字！"_s;
}

struct Row {
    qint64 id = 0;
    stockrules::Stock stock;
};

// The goods row of an id, read inside the action's transaction.
std::optional<Row> stockOf(const QSqlDatabase &db, qint64 id)
{
    sql::Query q = sql::exec(db, u"SELECT kcsl, kcjg, kcje FROM sp WHERE id = ?"_s, {id});
    if (!q.next())
        return std::nullopt;
    Row r;
    r.id = id;
    r.stock = {Decimal::fromUnits(q.toLongLong(0)), Decimal::fromUnits(q.toLongLong(1)),
               Decimal::fromUnits(q.toLongLong(2))};
    return r;
}

// The row's quantity moved by `change` and revalued at its own unit price.
void moveStock(const QSqlDatabase &db, const Row &row, const Decimal &change)
{
    const stockrules::Stock after = stockrules::afterMovement(row.stock, change);
    if (!after.quantity.isValid() || !after.value.isValid())
        throw DbError(u"库存数值超出范围"_s);
    sql::exec(db, u"UPDATE sp SET kcsl = ?, kcje = ? WHERE id = ?"_s,
              {qint64(after.quantity.units()), qint64(after.value.units()), row.id});
}

}  // namespace

// ---- Zeroing --------------------------------------------------------------------------

Zeroed zeroListed(const QSqlDatabase &db, const goods::Filter &listed)
{
    Zeroed z;
    try {
        Transaction tx(db);
        QString s = u"UPDATE sp SET kcsl = 0, kcje = 0"_s;
        if (!listed.where.isEmpty())
            s += u" WHERE "_s + listed.where;
        z.zeroed = sql::exec(db, s, listed.binds).numRowsAffected();
        tx.commit();
    } catch (const DbError &e) {
        z.outcome = ::Outcome<QString>::failed(e.message());
        z.zeroed = 0;
    }
    return z;
}

// ---- Unit conversion --------------------------------------------------------------------

Decimal conversionTotal(const QString &quantity, const QString &base)
{
    const Decimal q = typed(quantity);
    const Decimal b = typed(base);
    if (!q.isValid() || !b.isValid())
        return Decimal::invalid();
    return (q * b).roundedTo2();
}

Converted convert(const QSqlDatabase &db, const ConversionInput &in)
{
    using F = ConversionField;
    Converted c;
    auto refuse = [&c](const QString &message, F focus) {
        c.outcome = ::Outcome<F>::refused(Severity::Info, message, focus);
        return c;
    };
    try {
        Transaction tx(db);
        const std::optional<Row> source = stockOf(db, in.sourceId);
        if (!source) {
            c.closeWindow = true;
            return refuse(u"当前商品已不存在，不可换算！"_s, F::None);
        }
        if (source->stock.quantity.isZero()) {
            c.closeWindow = true;
            return refuse(u"当前商品数量为0，不可换算！"_s, F::None);
        }
        if (in.targetName.trimmed().isEmpty())
            return refuse(u"换算商品不可为空！"_s, F::TargetName);
        if (in.sourceUnit.trimmed() == in.targetUnit.trimmed())
            return refuse(u"计量单位相同，不可转换！"_s, F::SourceUnit);
        const Decimal base = typed(in.base);
        if (!base.isValid())
            return refuse(notANumber(u"换算基数"_s), F::Base);
        if (base.isZero())
            return refuse(u"换算基数不可为0！"_s, F::Base);
        const Decimal quantity = typed(in.quantity);
        if (!quantity.isValid())
            return refuse(notANumber(u"换算数量"_s), F::Quantity);
        if (quantity.isZero())
            return refuse(u"换算数量不可为0"_s, F::Quantity);
        const Decimal total = (quantity * base).roundedTo2();
        if (!total.isValid())
            throw DbError(u"库存数值超出范围"_s);

        moveStock(db, *source, -quantity);

        sql::Query found = sql::exec(
            db, u"SELECT id FROM sp WHERE txm = ? AND ppgg = ? AND dw = ? ORDER BY id LIMIT 1"_s,
            {in.targetCode, in.targetName, in.targetUnit});
        if (found.next()) {
            const qint64 id = found.toLongLong(0);
            found.finish();
            moveStock(db, *stockOf(db, id), total);
            c.targetId = id;
        } else {
            found.finish();
            c.targetId = sql::exec(db,
                                   u"INSERT INTO sp (lb, txm, ppgg, dw, kcsl, kcjg, kcje)"
                                   " VALUES (?, ?, ?, ?, ?, 0, 0)"_s,
                                   {stockrules::unknownCategory(), in.targetCode, in.targetName,
                                    in.targetUnit, qint64(total.units())})
                             .lastInsertId()
                             .toLongLong();
        }
        tx.commit();
    } catch (const DbError &e) {
        c.outcome = ::Outcome<F>::failed(e.message());
        c.targetId = 0;
        return c;
    }
    c.target = goods::sameArticle(in.targetName, in.targetCode, in.targetUnit);
    return c;
}

// ---- Assembly and splitting ---------------------------------------------------------------

const RecipeDescriptor &recipeDescriptor(RecipeKind kind)
{
    static const RecipeDescriptor assembly{RecipeKind::Assembly,     u"zu"_s, 1,
                                           u"组装而成的整件不可为空！"_s, u"组装数量不可为零！"_s,
                                           u"组装所需的零件不可为空！"_s, u"组装系数不可为零！"_s};
    static const RecipeDescriptor splitting{RecipeKind::Splitting,    u"chai"_s, -1,
                                            u"拆分所需的整件不可为空！"_s, u"拆分数量不可为零！"_s,
                                            u"拆分而成的零件不可为空！"_s, u"拆分系数不可为零！"_s};
    return kind == RecipeKind::Assembly ? assembly : splitting;
}

QString partIsWholeMessage()
{
    return u"零件不可跟整件相同！"_s;
}

QString noPartsMessage()
{
    return u"零件不可为空！"_s;
}

QString nothingToRemoveMessage()
{
    return u"当前无数据，不可删除！"_s;
}

QString recipeStatement(const RecipeDescriptor &d)
{
    // The recipe's rows with their parts' goods rows where those still exist.
    const QString &t = d.table;
    return u"SELECT sp.txm, sp.ppgg, sp.dw, sp.kcsl AS kc, "_s + t + u".xs, "_s + t + u".sl, "_s +
           t + u".spid2, "_s + t + u".id FROM "_s + t + u" LEFT JOIN sp ON sp.id = "_s + t +
           u".spid2 WHERE "_s + t + u".spid1 = ? ORDER BY "_s + t + u".id"_s;
}

int partCount(const QSqlDatabase &db, const RecipeDescriptor &d, qint64 wholeId)
{
    return sql::scalar(db, u"SELECT count(*) FROM "_s + d.table + u" WHERE spid1 = ?"_s, {wholeId})
        .toInt();
}

namespace {

using F = RecipeField;

RecipeOutcome refused(const QString &message, F focus = F::None,
                      Severity severity = Severity::Info)
{
    return RecipeOutcome::refused(severity, message, focus);
}

// The quantity field's value, or the refusal it calls for.
std::optional<RecipeOutcome> checkQuantity(const RecipeDescriptor &d, const Decimal &quantity,
                                           const QString &caption)
{
    if (!quantity.isValid())
        return refused(notANumber(caption), F::Quantity);
    if (quantity.isZero())
        return refused(d.quantityZero, F::Quantity);
    return std::nullopt;
}

QString quantityCaption(const RecipeDescriptor &d)
{
    return d.kind == RecipeKind::Assembly ? u"组装数量"_s : u"拆分数量"_s;
}

QString coefficientCaption(const RecipeDescriptor &d)
{
    return d.kind == RecipeKind::Assembly ? u"组装系数"_s : u"拆分系数"_s;
}

void writeQuantities(const QSqlDatabase &db, const RecipeDescriptor &d, qint64 wholeId,
                     const Decimal &quantity)
{
    sql::exec(db, u"UPDATE "_s + d.table + u" SET sl = dmul(xs, ?) WHERE spid1 = ?"_s,
              {qint64(quantity.units()), wholeId});
}

}  // namespace

RecipeOutcome setQuantity(const QSqlDatabase &db, const RecipeDescriptor &d, qint64 wholeId,
                          const QString &quantity)
{
    const Decimal q = typed(quantity);
    if (!q.isValid())
        return refused(notANumber(quantityCaption(d)), F::Quantity);
    if (wholeId <= 0)
        return {};
    try {
        Transaction tx(db);
        writeQuantities(db, d, wholeId, q);
        tx.commit();
    } catch (const DbError &e) {
        return RecipeOutcome::failed(e.message());
    }
    return {};
}

RecipeOutcome addPart(const QSqlDatabase &db, const RecipeDescriptor &d, qint64 wholeId,
                      const QString &quantity, qint64 partId, const QString &coefficient)
{
    if (wholeId <= 0)
        return refused(d.wholeMissing, F::WholeCode);
    const Decimal q = typed(quantity);
    if (auto refusal = checkQuantity(d, q, quantityCaption(d)))
        return *refusal;
    if (partId <= 0)
        return refused(d.partMissing, F::PartCode);
    if (partId == wholeId)
        return refused(partIsWholeMessage(), F::PartCode);
    const Decimal xs = typed(coefficient);
    if (!xs.isValid())
        return refused(notANumber(coefficientCaption(d)), F::Coefficient);
    if (xs.isZero())
        return refused(d.coefficientZero, F::Coefficient);
    const Decimal sl = q * xs;
    if (!sl.isValid())
        return RecipeOutcome::failed(u"库存数值超出范围"_s);
    try {
        Transaction tx(db);
        sql::exec(db,
                  u"INSERT INTO "_s + d.table + u" (spid1, spid2, xs, sl) VALUES (?, ?, ?, ?)"_s,
                  {wholeId, partId, qint64(xs.units()), qint64(sl.units())});
        tx.commit();
    } catch (const DbError &e) {
        return RecipeOutcome::failed(e.message());
    }
    return {};
}

RecipeOutcome removePart(const QSqlDatabase &db, const RecipeDescriptor &d, qint64 wholeId,
                         qint64 partId)
{
    try {
        Transaction tx(db);
        const QVariant first =
            sql::scalar(db, u"SELECT min(id) FROM "_s + d.table + u" WHERE spid1 = ? AND spid2 = ?"_s,
                        {wholeId, partId});
        if (first.isNull())
            return refused(nothingToRemoveMessage(), F::None, Severity::Warning);
        sql::exec(db, u"DELETE FROM "_s + d.table + u" WHERE id = ?"_s, {first});
        tx.commit();
    } catch (const DbError &e) {
        return RecipeOutcome::failed(e.message());
    }
    return {};
}

RecipeOutcome run(const QSqlDatabase &db, const RecipeDescriptor &d, qint64 wholeId,
                  const QString &quantity)
{
    if (wholeId <= 0)
        return refused(d.wholeMissing, F::WholeCode);
    const Decimal q = typed(quantity);
    if (auto refusal = checkQuantity(d, q, quantityCaption(d)))
        return *refusal;
    try {
        Transaction tx(db);
        const std::optional<Row> whole = stockOf(db, wholeId);
        if (!whole)
            return refused(d.wholeMissing, F::WholeCode);
        if (partCount(db, d, wholeId) == 0)
            return refused(noPartsMessage());
        // The recipe's quantities always follow the quantity run.
        writeQuantities(db, d, wholeId, q);
        moveStock(db, *whole, d.wholeSign > 0 ? q : -q);

        struct Part {
            qint64 id;
            Decimal sl;
        };
        std::vector<Part> parts;
        sql::Query rows = sql::exec(
            db, u"SELECT spid2, sl FROM "_s + d.table + u" WHERE spid1 = ? ORDER BY id"_s, {wholeId});
        while (rows.next())
            parts.push_back({rows.toLongLong(0), Decimal::fromUnits(rows.toLongLong(1))});
        rows.finish();
        for (const Part &p : parts) {
            const std::optional<Row> part = stockOf(db, p.id);
            if (!part)
                continue;  // its goods row was deleted
            moveStock(db, *part, d.wholeSign > 0 ? -p.sl : p.sl);
        }
        tx.commit();
    } catch (const DbError &e) {
        return RecipeOutcome::failed(e.message());
    }
    return {};
}

}  // namespace stocktools
