#include "core/reports/Ledgers.h"

#include "core/db/Dates.h"
#include "core/db/Schema.h"
#include "core/db/Sql.h"

using namespace Qt::Literals::StringLiterals;

namespace ledgers {

namespace {

LedgerDescriptor make(Ledger ledger, const QString &table, const QString &partner, bool withCost)
{
    LedgerDescriptor d;
    d.ledger = ledger;
    d.table = table;
    d.partnerColumn = partner;
    d.withCost = withCost;
    d.detailSums = {u"sl"_s, u"je"_s};
    d.groupSums = {u"zsl"_s, u"zje"_s};
    if (withCost) {
        d.detailSums << u"cbje"_s << u"maoli"_s;
        d.groupSums << u"zcb"_s << u"zmaoli"_s;
    }
    return d;
}

// The conditions of a filter, in the dialogs' order, with their values. An
// empty text matches every row (ledger texts are never NULL), so it adds no
// condition at all.
struct Where {
    QStringList terms;
    sql::Binds binds;

    void contains(const QString &column, const QString &text)
    {
        if (text.isEmpty())
            return;
        terms << sql::containsCondition(column);
        binds.push_back(sql::containsPattern(text));
    }
    void equals(const QString &column, const QString &value)
    {
        terms << column + u" = ?"_s;
        binds.push_back(value);
    }
    void range(const std::optional<QDate> &from, const std::optional<QDate> &to)
    {
        if (!from || !to)
            return;
        terms << u"rq >= ? AND rq <= ?"_s;
        binds.push_back(dates::toDbText(*from));
        binds.push_back(dates::toDbText(*to));
    }
    QString clause() const
    {
        return terms.isEmpty() ? QString() : u" WHERE "_s + terms.join(u" AND "_s);
    }
};

Where whereOf(const LedgerDescriptor &d, const Filter &f)
{
    Where w;
    w.contains(d.partnerColumn, f.partner);
    w.contains(u"jsr"_s, f.handler);
    w.contains(u"txm"_s, f.code);
    w.contains(u"ppgg"_s, f.name);
    w.contains(u"dh"_s, f.number);
    if (f.sign == Sign::Positive)
        w.terms << u"sl > 0"_s;
    else if (f.sign == Sign::Negative)
        w.terms << u"sl < 0"_s;
    w.range(f.from, f.to);
    return w;
}

ListQuery rowsOf(const LedgerDescriptor &d, const Where &w)
{
    // The order of entry, which is the table's own: no sorting.
    return ListQuery(u"SELECT * FROM "_s + d.table + w.clause(), w.binds, {});
}

}  // namespace

const LedgerDescriptor &descriptor(Ledger ledger)
{
    static const LedgerDescriptor sales = make(Ledger::Sales, u"xsfx"_s, u"kh"_s, true);
    static const LedgerDescriptor purchases = make(Ledger::Purchases, u"cgfx"_s, u"ghs"_s, false);
    static const LedgerDescriptor movements = make(Ledger::Movements, u"rkfx"_s, u"lx"_s, false);
    switch (ledger) {
    case Ledger::Sales:
        return sales;
    case Ledger::Purchases:
        return purchases;
    case Ledger::Movements:
        return movements;
    }
    return sales;
}

bool isCostColumn(const QString &column)
{
    return column == u"cbje"_s || column == u"maoli"_s || column == u"zcb"_s ||
           column == u"zmaoli"_s || column == u"cbjg"_s;
}

bool showsCost(const QString &operatorName)
{
    return operatorName == schema::administratorName();
}

ListQuery dayList(const LedgerDescriptor &d, const QDate &day)
{
    Where w;
    w.equals(u"rq"_s, dates::toDbText(day));
    return rowsOf(d, w);
}

ListQuery detailList(const LedgerDescriptor &d, const Filter &f)
{
    return rowsOf(d, whereOf(d, f));
}

ListQuery groupedList(const LedgerDescriptor &d, const Filter &f, Grouping g)
{
    const Where w = whereOf(d, f);
    const QString groupColumn = g == Grouping::Partner   ? d.partnerColumn
                                : g == Grouping::Handler ? u"jsr"_s
                                                         : QString();
    QString select = u"SELECT "_s + (groupColumn.isEmpty() ? u"''"_s : groupColumn) +
                     u" AS fenzu, txm, ppgg, dw, sum(sl) AS zsl, sum(je) AS zje"_s;
    if (d.withCost)
        select += u", sum(cbje) AS zcb, sum(maoli) AS zmaoli"_s;
    select += u", min(id) AS id FROM "_s + d.table + w.clause() + u" GROUP BY "_s;
    if (!groupColumn.isEmpty())
        select += groupColumn + u", "_s;
    select += u"txm, ppgg, dw"_s;
    const QString orderColumn = groupColumn.isEmpty() ? u"txm"_s : u"fenzu"_s;
    return ListQuery(select, w.binds, {{orderColumn, false, false}});
}

ListQuery drillDownList(const LedgerDescriptor &d, const DrillDown &r)
{
    Where w;
    w.equals(u"ppgg"_s, r.ppgg);
    w.equals(u"txm"_s, r.txm);
    w.equals(u"dw"_s, r.dw);
    if (r.grouping == Grouping::Partner)
        w.equals(d.partnerColumn, r.group);
    else if (r.grouping == Grouping::Handler)
        w.equals(u"jsr"_s, r.group);
    w.range(r.from, r.to);
    return rowsOf(d, w);
}

}  // namespace ledgers
