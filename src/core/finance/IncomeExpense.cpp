#include "core/finance/IncomeExpense.h"

#include "core/db/Dates.h"
#include "core/db/Sql.h"
#include "core/documents/Documents.h"

using namespace Qt::Literals::StringLiterals;

namespace incomeexpense {

namespace {

using Outcome = ::Outcome<Field>;
using Saved = ::Saved<Field>;

Outcome refusal(const QString &message, Field focus, Severity severity = Severity::Info)
{
    return Outcome::refused(severity, message, focus);
}

Outcome databaseFailure(const DbError &e)
{
    return Outcome::failed(u"数据库操作失败，本次操作未保存任何改动。\n"_s + e.message());
}

QString textOf(const QString &s)
{
    return s.isNull() ? u""_s : s;
}

ListQuery listOf(const QStringList &where, const sql::Binds &binds)
{
    QString base = u"SELECT * FROM szfx"_s;
    if (!where.isEmpty())
        base += u" WHERE "_s + where.join(u" AND "_s);
    return ListQuery(base, binds, {});
}

}  // namespace

QString income()
{
    return u"收入"_s;
}

QString expense()
{
    return u"支出"_s;
}

Decimal Entry::amount() const
{
    return lb.trimmed() == income() ? se : ze;
}

ListQuery ofDay(const QDate &day)
{
    return listOf({u"rq = ?"_s}, {dates::toDbText(day)});
}

ListQuery filtered(const Filter &f)
{
    QStringList where;
    sql::Binds binds;
    if (!f.item.isEmpty()) {
        where << sql::containsCondition(u"xm"_s);
        binds.push_back(sql::containsPattern(f.item));
    }
    if (!f.handler.isEmpty()) {
        where << sql::containsCondition(u"jsr"_s);
        binds.push_back(sql::containsPattern(f.handler));
    }
    if (f.category != Category::All) {
        where << u"lb = ?"_s;
        binds.push_back(f.category == Category::Income ? income() : expense());
    }
    if (f.from && f.to) {
        where << u"rq >= ? AND rq <= ?"_s;
        binds.push_back(dates::toDbText(*f.from));
        binds.push_back(dates::toDbText(*f.to));
    }
    return listOf(where, binds);
}

Totals totals(const QSqlDatabase &db, const ListQuery &list)
{
    const std::vector<QVariant> s = list.sums(db, {u"se"_s, u"ze"_s});
    Totals t;
    t.income = Decimal::fromUnits(s.at(0).toLongLong());
    t.expense = Decimal::fromUnits(s.at(1).toLongLong());
    t.balance = t.income - t.expense;
    return t;
}

std::optional<Entry> read(const QSqlDatabase &db, qint64 id)
{
    sql::Query q = sql::exec(
        db, u"SELECT id, rq, lb, xm, se, ze, jsr, bz FROM szfx WHERE id = ?"_s, {id});
    if (!q.next())
        return std::nullopt;
    Entry e;
    e.id = q.toLongLong(0);
    e.rq = dates::fromDbText(q.text(1));
    e.lb = q.text(2);
    e.xm = q.text(3);
    e.se = Decimal::fromUnits(q.toLongLong(4));
    e.ze = Decimal::fromUnits(q.toLongLong(5));
    e.jsr = q.text(6);
    e.bz = q.text(7);
    return e;
}

Saved save(const QSqlDatabase &db, qint64 id, const EntryInput &in)
{
    const QString lb = textOf(in.category.trimmed());
    if (lb.isEmpty())
        return Saved::of(refusal(u"类别不可为空！"_s, Field::Category));
    if (lb != income() && lb != expense())
        return Saved::of(refusal(u"类别只能是“收入”或“支出”！"_s, Field::Category));
    const QString xm = textOf(in.item.trimmed());
    if (xm.isEmpty())
        return Saved::of(refusal(u"项目不可为空！"_s, Field::Item));
    const Decimal amount = documents::fieldNumber(in.amount);
    if (!amount.isValid())
        return Saved::of(refusal(documents::notANumberMessage(u"金额"_s), Field::Amount));
    if (amount.isZero())
        return Saved::of(refusal(u"金额不可为零！"_s, Field::Amount));
    if (amount.isNegative())
        return Saved::of(refusal(u"金额不可为负数！"_s, Field::Amount));
    const QString jsr = textOf(in.handler.trimmed());
    if (jsr.isEmpty())
        return Saved::of(refusal(u"经办人不可为空！"_s, Field::Handler));
    if (!in.date.isValid())
        return Saved::of(refusal(u"日期无效！"_s, Field::None));

    const bool isIncome = lb == income();
    const qint64 se = isIncome ? amount.units() : 0;
    const qint64 ze = isIncome ? 0 : amount.units();
    const sql::Binds values{dates::toDbText(in.date), lb, xm, se, ze, jsr,
                            textOf(in.remark.trimmed())};
    try {
        Transaction tx(db);
        qint64 savedId = id;
        if (id == 0) {
            sql::Query q = sql::exec(
                db, u"INSERT INTO szfx (rq, lb, xm, se, ze, jsr, bz) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                values);
            savedId = q.lastInsertId().toLongLong();
        } else {
            sql::Binds binds = values;
            binds.push_back(id);
            sql::Query q = sql::exec(
                db,
                u"UPDATE szfx SET rq = ?, lb = ?, xm = ?, se = ?, ze = ?, jsr = ?, bz = ? WHERE id = ?"_s,
                binds);
            if (q.numRowsAffected() == 0)
                return Saved::of(refusal(u"本收支已不存在，请重新查询！"_s, Field::None,
                                         Severity::Warning));
        }
        tx.commit();
        return Saved::done(savedId);
    } catch (const DbError &e) {
        return Saved::of(databaseFailure(e));
    }
}

Outcome remove(const QSqlDatabase &db, qint64 id)
{
    try {
        Transaction tx(db);
        sql::exec(db, u"DELETE FROM szfx WHERE id = ?"_s, {id});
        tx.commit();
    } catch (const DbError &e) {
        return databaseFailure(e);
    }
    return {};
}

}  // namespace incomeexpense
