#include "core/documents/Management.h"

#include "core/db/Dates.h"
#include "core/db/Snapshot.h"
#include "core/db/Sql.h"

using namespace Qt::Literals::StringLiterals;

namespace management {

namespace {

const QString kHeld = u"未审核"_s;
const QString kPosted = u"已审核"_s;

// A list of the documents of this engine kind: its tables and partner
// column are the engine's own.
ListDescriptor over(Book book, documents::DocumentKind kind)
{
    ListDescriptor d;
    d.book = book;
    d.engine = &documents::descriptor(kind);
    d.headerTable = d.engine->headerTable;
    d.lineTable = d.engine->lineTable;
    d.partnerColumn = d.engine->partnerColumn;
    return d;
}

ListDescriptor makeSales()
{
    // Retail and wholesale documents share their tables and their rules of
    // reversal; the retail descriptor serves both.
    ListDescriptor d = over(Book::Sales, documents::DocumentKind::Retail);
    d.panelCount = 9;
    d.sumColumns = {u"hjsl"_s, u"hjje"_s, u"yse"_s, u"sse"_s, u"qk"_s};
    d.sumPanels = {2, 3, 5, 6, 7};
    d.marksDebt = true;
    d.viewerFields = {u"dh"_s, u"rq"_s, u"jsr"_s, u"kh"_s, u"yhe"_s, u"yse"_s, u"sse"_s, u"bz"_s};
    return d;
}

ListDescriptor makePurchases()
{
    ListDescriptor d = over(Book::Purchases, documents::DocumentKind::Purchase);
    d.panelCount = 9;
    d.sumColumns = {u"hjsl"_s, u"hjje"_s, u"yfe"_s, u"sfe"_s, u"qk"_s};
    d.sumPanels = {2, 3, 5, 6, 7};
    d.marksDebt = true;
    d.viewerFields = {u"dh"_s, u"rq"_s, u"jsr"_s, u"ghs"_s, u"yhe"_s, u"yfe"_s, u"sfe"_s, u"bz"_s};
    return d;
}

ListDescriptor makeMovements()
{
    ListDescriptor d = over(Book::Movements, documents::DocumentKind::Movement);
    d.panelCount = 5;
    d.sumColumns = {u"hjsl"_s, u"hjje"_s};
    d.sumPanels = {2, 3};
    d.marksDebt = false;
    d.viewerFields = {u"dh"_s, u"rq"_s, u"lx"_s, u"jsr"_s, u"bz"_s};
    return d;
}

QString selectFrom(const ListDescriptor &d)
{
    return u"SELECT * FROM "_s + d.headerTable;
}

// The documents of a list belong to its header table; a number that is not
// there (deleted meanwhile) is refused by the engine.
const documents::Descriptor &engineOf(const ListDescriptor &d)
{
    return *d.engine;
}

}  // namespace

const ListDescriptor &listDescriptor(Book book)
{
    static const ListDescriptor sales = makeSales();
    static const ListDescriptor purchases = makePurchases();
    static const ListDescriptor movements = makeMovements();
    switch (book) {
    case Book::Sales:
        return sales;
    case Book::Purchases:
        return purchases;
    case Book::Movements:
        return movements;
    }
    return sales;
}

QString heldState()
{
    return kHeld;
}

ListQuery heldList(const ListDescriptor &d)
{
    // Numbers are plain letters and digits: they sort as stored, which is the
    // order of the index of held documents by number.
    return ListQuery(selectFrom(d) + u" WHERE shbj = ?"_s, {kHeld}, {{u"dh"_s, false, false}});
}

ListQuery filteredList(const ListDescriptor &d, const Filter &f)
{
    // The conditions in the dialog's order. An empty text matches every row,
    // so it adds no condition at all.
    QStringList where;
    sql::Binds binds;
    const auto contains = [&](const QString &column, const QString &text) {
        if (text.isEmpty())
            return;
        where << sql::containsCondition(column);
        binds.push_back(sql::containsPattern(text));
    };
    contains(d.partnerColumn, f.partner);
    contains(u"jsr"_s, f.handler);
    contains(u"dh"_s, f.number);
    if (f.state != State::All) {
        where << u"shbj = ?"_s;
        binds.push_back(f.state == State::Held ? kHeld : kPosted);
    }
    if (f.from && f.to) {
        where << u"rq >= ? AND rq <= ?"_s;
        binds.push_back(dates::toDbText(*f.from));
        binds.push_back(dates::toDbText(*f.to));
    }
    if (f.owedOnly && d.marksDebt)
        where << u"qk <> 0"_s;
    QString base = selectFrom(d);
    if (!where.isEmpty())
        base += u" WHERE "_s + where.join(u" AND "_s);
    return ListQuery(base, binds, {});
}

std::vector<Decimal> sums(const QSqlDatabase &db, const ListDescriptor &d, const ListQuery &list)
{
    std::vector<Decimal> out;
    for (const QVariant &v : list.sums(db, d.sumColumns))
        out.push_back(Decimal::fromUnits(v.toLongLong()));
    return out;
}

std::vector<Decimal> sumsOf(const ListDescriptor &d, const documents::Header &h)
{
    std::vector<Decimal> out;
    for (const QString &c : d.sumColumns) {
        if (c == u"hjsl"_s)
            out.push_back(h.hjsl);
        else if (c == u"hjje"_s)
            out.push_back(h.hjje);
        else if (c == u"qk"_s)
            out.push_back(h.qk);
        else if (c == engineOf(d).dueColumn)
            out.push_back(h.due);
        else if (c == engineOf(d).settledColumn)
            out.push_back(h.settled);
        else
            out.push_back(Decimal());
    }
    return out;
}

RowMarks marksOf(const ListDescriptor &d, const Decimal &qk, const QString &shbj)
{
    return {d.marksDebt && !qk.isZero(), shbj == kHeld};
}

Snapshot viewerLines(const QSqlDatabase &db, const ListDescriptor &d, const QString &dh)
{
    return Snapshot::fetch(db, u"SELECT * FROM "_s + d.lineTable + u" WHERE dh = ? ORDER BY id"_s,
                           {dh});
}

Removed remove(const QSqlDatabase &db, const ListDescriptor &d, const QString &dh)
{
    Removed r;
    documents::Header h;
    r.outcome = documents::deleteDocument(db, engineOf(d), dh, &h);
    if (r.outcome.ok())
        r.removed = sumsOf(d, h);
    return r;
}

documents::Outcome reverse(const QSqlDatabase &db, const ListDescriptor &d, const QString &dh)
{
    return documents::reverse(db, engineOf(d), dh);
}

}  // namespace management
