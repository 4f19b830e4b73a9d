#include "core/finance/Settlements.h"

#include "core/db/Dates.h"
#include "core/db/Sql.h"
#include "core/documents/Documents.h"

using namespace Qt::Literals::StringLiterals;

namespace settlements {

namespace {

const QString kPosted = u"已审核"_s;
const QString kHeld = u"未审核"_s;

// The documents a payment or receipt may settle. The state is the program's
// own constant, written into the statement so that the index of approved
// documents with a balance (which names the same condition) serves it.
const QString kOwedCondition = u"shbj = '已审核' AND qk <> 0"_s;

Descriptor makePayables()
{
    Descriptor d;
    d.side = Side::Payables;
    d.book = management::Book::Purchases;
    d.headerTable = u"cgglz"_s;
    d.lineTable = u"cgglc"_s;
    d.moneyTable = u"fkfx"_s;
    d.partnerColumn = u"ghs"_s;
    d.dueColumn = u"yfe"_s;
    d.settledColumn = u"sfe"_s;
    d.amountCaption = u"本次付款"_s;
    d.amountZero = u"本次付款不可为零！"_s;
    return d;
}

Descriptor makeReceivables()
{
    Descriptor d;
    d.side = Side::Receivables;
    d.book = management::Book::Sales;
    d.headerTable = u"xsglz"_s;
    d.lineTable = u"xsglc"_s;
    d.moneyTable = u"skfx"_s;
    d.partnerColumn = u"kh"_s;
    d.dueColumn = u"yse"_s;
    d.settledColumn = u"sse"_s;
    d.amountCaption = u"本次收款"_s;
    d.amountZero = u"本次收款不可为零！"_s;
    return d;
}

Outcome refusal(const QString &message, Field focus = Field::None,
                Severity severity = Severity::Info)
{
    return Outcome::refused(severity, message, focus);
}

Outcome databaseFailure(const DbError &e)
{
    return Outcome::failed(u"数据库操作失败，本次操作未保存任何改动。\n"_s + e.message());
}

Outcome goneRefusal()
{
    return refusal(u"本记录已不存在，请重新查询！"_s, Field::None, Severity::Warning);
}

QString textOf(const QString &s)
{
    return s.isNull() ? u""_s : s;
}

Decimal decimalAt(const sql::Query &q, int column)
{
    return Decimal::fromUnits(q.toLongLong(column));
}

// The conditions every list shares, in the dialogs' order: parts of the
// partner, handler and number (an empty text adds none), then the dates.
void addTexts(QStringList &where, sql::Binds &binds, const Descriptor &d, const QString &partner,
              const QString &handler, const QString &number)
{
    const auto contains = [&](const QString &column, const QString &text) {
        if (text.isEmpty())
            return;
        where << sql::containsCondition(column);
        binds.push_back(sql::containsPattern(text));
    };
    contains(d.partnerColumn, partner);
    contains(u"jsr"_s, handler);
    contains(u"dh"_s, number);
}

void addDates(QStringList &where, sql::Binds &binds, const std::optional<QDate> &from,
              const std::optional<QDate> &to)
{
    if (from && to) {
        where << u"rq >= ? AND rq <= ?"_s;
        binds.push_back(dates::toDbText(*from));
        binds.push_back(dates::toDbText(*to));
    }
}

QString whereOf(const QStringList &where)
{
    return where.isEmpty() ? QString() : u" WHERE "_s + where.join(u" AND "_s);
}

// The document's settled amount moved by `amount`, and its balance
// recomputed from it: the pair always changes together.
void moveSettled(const QSqlDatabase &db, const Descriptor &d, qint64 headerId,
                 const Decimal &amount)
{
    sql::exec(db,
              u"UPDATE "_s + d.headerTable + u" SET "_s + d.settledColumn + u" = "_s +
                  d.settledColumn + u" + ?, qk = "_s + d.dueColumn + u" - ("_s +
                  d.settledColumn + u" + ?) WHERE id = ?"_s,
              {qint64(amount.units()), qint64(amount.units()), headerId});
}

// Takes an approved row's amount out of its document, when the document is
// still there.
void unapplyIn(const QSqlDatabase &db, const Descriptor &d, const MoneyRow &row)
{
    const QVariant headerId =
        sql::scalar(db, u"SELECT id FROM "_s + d.headerTable + u" WHERE dh = ? ORDER BY id LIMIT 1"_s,
                    {row.dh});
    if (headerId.isValid())
        moveSettled(db, d, headerId.toLongLong(), -row.je);
}

struct Checked {
    Outcome outcome;
    OwedDocument document;
    Decimal amount;
    QString handler, remark;
};

// The window's checks, in its order, inside the caller's transaction.
Checked check(const QSqlDatabase &db, const Descriptor &d, const MoneyInput &in)
{
    Checked c;
    const std::optional<OwedDocument> doc = findOwed(db, d, in.dh.trimmed());
    if (!doc) {
        c.outcome = refusal(u"帐单不可为空！"_s, Field::Number);
        return c;
    }
    c.document = *doc;
    c.amount = documents::fieldNumber(in.amount);
    if (!c.amount.isValid()) {
        c.outcome = refusal(documents::notANumberMessage(d.amountCaption), Field::Amount);
        return c;
    }
    if (c.amount.isZero()) {
        c.outcome = refusal(d.amountZero, Field::Amount);
        return c;
    }
    c.handler = textOf(in.handler.trimmed());
    if (c.handler.isEmpty()) {
        c.outcome = refusal(u"经办人不可为空！"_s, Field::Handler);
        return c;
    }
    if (!in.date.isValid()) {
        c.outcome = refusal(u"日期无效！"_s);
        return c;
    }
    c.remark = textOf(in.remark.trimmed());
    return c;
}

Decimal owedOf(const QSqlDatabase &db, const Descriptor &d, qint64 headerId)
{
    return Decimal::fromUnits(
        sql::scalar(db, u"SELECT qk FROM "_s + d.headerTable + u" WHERE id = ?"_s, {headerId})
            .toLongLong());
}

MoneyRow moneyFrom(const sql::Query &q)
{
    MoneyRow r;
    r.id = q.toLongLong(0);
    r.rq = dates::fromDbText(q.text(1));
    r.dh = q.text(2);
    r.partner = q.text(3);
    r.je = decimalAt(q, 4);
    r.jsr = q.text(5);
    r.bz = q.text(6);
    r.shbj = q.text(7);
    return r;
}

}  // namespace

const Descriptor &descriptor(Side side)
{
    static const Descriptor payables = makePayables();
    static const Descriptor receivables = makeReceivables();
    return side == Side::Payables ? payables : receivables;
}

QString approvedState()
{
    return kPosted;
}

QString unapprovedState()
{
    return kHeld;
}

std::optional<OwedDocument> findOwed(const QSqlDatabase &db, const Descriptor &d,
                                     const QString &dh)
{
    if (dh.isEmpty())
        return std::nullopt;
    sql::Query q = sql::exec(db,
                            u"SELECT id, dh, "_s + d.partnerColumn + u", "_s + d.dueColumn +
                                u", "_s + d.settledColumn + u", qk FROM "_s + d.headerTable +
                                u" WHERE dh = ? AND "_s + kOwedCondition +
                                u" ORDER BY id LIMIT 1"_s,
                            {dh});
    if (!q.next())
        return std::nullopt;
    OwedDocument o;
    o.id = q.toLongLong(0);
    o.dh = q.text(1);
    o.partner = q.text(2);
    o.due = decimalAt(q, 3);
    o.settled = decimalAt(q, 4);
    o.qk = decimalAt(q, 5);
    return o;
}

ListQuery owedList(const Descriptor &d, const OwedFilter &f)
{
    QStringList where;
    sql::Binds binds;
    addTexts(where, binds, d, f.partner, f.handler, f.number);
    addDates(where, binds, f.from, f.to);
    where << kOwedCondition;
    if (f.balance == Balance::Owed)
        where << u"qk > 0"_s;
    else if (f.balance == Balance::Refund)
        where << u"qk < 0"_s;
    return ListQuery(u"SELECT * FROM "_s + d.headerTable + whereOf(where), binds, {});
}

ListQuery moneyOfDay(const Descriptor &d, const QDate &day)
{
    return ListQuery(u"SELECT * FROM "_s + d.moneyTable + u" WHERE rq = ?"_s,
                     {dates::toDbText(day)}, {});
}

ListQuery moneyList(const Descriptor &d, const MoneyFilter &f)
{
    QStringList where;
    sql::Binds binds;
    addTexts(where, binds, d, f.partner, f.handler, f.number);
    if (f.approval != Approval::All) {
        where << u"shbj = ?"_s;
        binds.push_back(f.approval == Approval::Approved ? kPosted : kHeld);
    }
    if (f.direction == Direction::Settled)
        where << u"je > 0"_s;
    else if (f.direction == Direction::Refunded)
        where << u"je < 0"_s;
    addDates(where, binds, f.from, f.to);
    return ListQuery(u"SELECT * FROM "_s + d.moneyTable + whereOf(where), binds, {});
}

std::optional<MoneyRow> readMoney(const QSqlDatabase &db, const Descriptor &d, qint64 id)
{
    sql::Query q = sql::exec(db,
                            u"SELECT id, rq, dh, "_s + d.partnerColumn +
                                u", je, jsr, bz, shbj FROM "_s + d.moneyTable +
                                u" WHERE id = ?"_s,
                            {id});
    if (!q.next())
        return std::nullopt;
    return moneyFrom(q);
}

Applied add(const QSqlDatabase &db, const Descriptor &d, const MoneyInput &in)
{
    Applied r;
    try {
        Transaction tx(db);
        const Checked c = check(db, d, in);
        if (!c.outcome.ok()) {
            r.outcome = c.outcome;
            return r;
        }
        sql::Query q = sql::exec(db,
                                u"INSERT INTO "_s + d.moneyTable + u" (shbj, rq, dh, "_s +
                                    d.partnerColumn +
                                    u", je, jsr, bz) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                                {kPosted, dates::toDbText(in.date), c.document.dh,
                                 textOf(c.document.partner), qint64(c.amount.units()), c.handler,
                                 c.remark});
        r.id = q.lastInsertId().toLongLong();
        moveSettled(db, d, c.document.id, c.amount);
        r.owed = owedOf(db, d, c.document.id);
        tx.commit();
        r.amount = c.amount;
    } catch (const DbError &e) {
        r = Applied{};
        r.outcome = databaseFailure(e);
    }
    return r;
}

Applied change(const QSqlDatabase &db, const Descriptor &d, qint64 id, const MoneyInput &in)
{
    Applied r;
    try {
        Transaction tx(db);
        const std::optional<MoneyRow> row = readMoney(db, d, id);
        if (!row) {
            r.outcome = goneRefusal();
            return r;
        }
        if (row->shbj == kPosted) {
            r.outcome = refusal(u"审核数据不可修改，请先反审核！"_s, Field::None, Severity::Warning);
            return r;
        }
        const Checked c = check(db, d, in);
        if (!c.outcome.ok()) {
            r.outcome = c.outcome;
            return r;
        }
        sql::exec(db,
                  u"UPDATE "_s + d.moneyTable + u" SET shbj = ?, rq = ?, dh = ?, "_s +
                      d.partnerColumn + u" = ?, je = ?, jsr = ?, bz = ? WHERE id = ?"_s,
                  {kPosted, dates::toDbText(in.date), c.document.dh, textOf(c.document.partner),
                   qint64(c.amount.units()), c.handler, c.remark, id});
        moveSettled(db, d, c.document.id, c.amount);
        r.owed = owedOf(db, d, c.document.id);
        tx.commit();
        r.id = id;
        r.amount = c.amount;
    } catch (const DbError &e) {
        r = Applied{};
        r.outcome = databaseFailure(e);
    }
    return r;
}

Outcome unapprove(const QSqlDatabase &db, const Descriptor &d, qint64 id)
{
    try {
        Transaction tx(db);
        const std::optional<MoneyRow> row = readMoney(db, d, id);
        if (!row)
            return goneRefusal();
        if (row->shbj != kPosted)
            return refusal(u"数据已经反审！"_s, Field::None, Severity::Warning);
        unapplyIn(db, d, *row);
        sql::exec(db, u"UPDATE "_s + d.moneyTable + u" SET shbj = ? WHERE id = ?"_s, {kHeld, id});
        tx.commit();
    } catch (const DbError &e) {
        return databaseFailure(e);
    }
    return {};
}

Removed remove(const QSqlDatabase &db, const Descriptor &d, qint64 id)
{
    Removed r;
    try {
        Transaction tx(db);
        const std::optional<MoneyRow> row = readMoney(db, d, id);
        if (!row) {
            r.outcome = goneRefusal();
            return r;
        }
        if (row->shbj == kPosted)
            unapplyIn(db, d, *row);
        sql::exec(db, u"DELETE FROM "_s + d.moneyTable + u" WHERE id = ?"_s, {id});
        tx.commit();
        r.amount = row->je;
    } catch (const DbError &e) {
        r = Removed{};
        r.outcome = databaseFailure(e);
    }
    return r;
}

}  // namespace settlements
