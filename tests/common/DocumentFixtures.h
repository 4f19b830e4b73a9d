#pragma once

// Helpers the document tests share. Goods are "商品<txm>" counted in "个";
// lines are written "txm sl jg [cbjg]; ...", headers "partner rounding settled".
#include "core/db/Sql.h"
#include "core/documents/Documents.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace fixture {

using namespace Qt::Literals::StringLiterals;
using documents::Descriptor;

inline const QDate kToday{2024, 3, 15};

inline Decimal dec(const QString &text) { return Decimal::parse(text); }
inline qint64 units(const QString &text) { return dec(text).units(); }
inline QString nameOf(const QString &txm) { return u"商品"_s + txm; }

// Stock "kcsl kcjg kcje" and prices "xjls xjpf jj".
inline void addGoods(const QSqlDatabase &db, const QString &txm, const QString &stock,
                     const QString &prices = u"0 0 0"_s)
{
    const QStringList s = stock.split(u' '), p = prices.split(u' ');
    sql::exec(db,
              u"INSERT INTO sp (lb, txm, ppgg, dw, kcsl, kcjg, kcje, xjls, xjpf, jj)"
              " VALUES ('五金工具', ?, ?, '个', ?, ?, ?, ?, ?, ?)"_s,
              {txm, nameOf(txm), units(s[0]), units(s[1]), units(s[2]), units(p[0]), units(p[1]),
               units(p[2])});
}

// Every article as "txm=kcsl kcjg kcje", by code.
inline QString stocks(const QSqlDatabase &db)
{
    sql::Query q = sql::exec(db, u"SELECT txm, kcsl, kcjg, kcje FROM sp ORDER BY txm, id"_s);
    QStringList out;
    while (q.next()) {
        QStringList v;
        for (int i = 1; i < 4; ++i)
            v << Decimal::fromUnits(q.value(i).toLongLong()).toShortest();
        out << q.value(0).toString() + u'=' + v.join(u' ');
    }
    return out.join(u"; "_s);
}

inline int count(const QSqlDatabase &db, const QString &table, const QString &where = u"1"_s,
                 const sql::Binds &binds = {})
{
    return sql::scalar(db, u"SELECT count(*) FROM "_s + table + u" WHERE "_s + where, binds).toInt();
}

// Every row of a table without its id, sorted.
inline QStringList dump(const QSqlDatabase &db, const QString &table)
{
    sql::Query q = sql::exec(db, u"SELECT * FROM "_s + table);
    QStringList rows;
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < q.record().count(); ++i)
            if (q.record().fieldName(i) != u"id"_s)
                cells << q.record().fieldName(i) + u'=' + q.value(i).toString();
        rows << cells.join(u',');
    }
    rows.sort();
    return rows;
}

// Adds lines "txm sl jg [cbjg]; ..."; the first refusal, or "".
inline QString addLines(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                        const QString &lines)
{
    for (const QString &l : lines.split(u';', Qt::SkipEmptyParts)) {
        const QStringList p = l.trimmed().split(u' ');
        const auto r = documents::addLine(db, d, dh,
                                          {p[0], nameOf(p[0]), u"个"_s, p[1], p[2],
                                           dec(p.value(3, u"0"_s))});
        if (!r.outcome.ok())
            return r.outcome.message;
    }
    return QString();
}

// Saves with the header "partner [rounding [settled]]", handler 张三.
inline documents::Saved save(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                             const QString &header,
                             documents::SaveAs as = documents::SaveAs::Finalize,
                             documents::Mode mode = documents::Mode::New)
{
    const QStringList p = header.split(u' ');
    return documents::save(db, d, dh, mode,
                           {kToday, p[0], u"张三"_s, u"备注"_s, p.value(1, u"0"_s), p.value(2, u"0"_s)},
                           as, u"系统管理员"_s, kToday);
}

// Adds the lines and finalizes; "" or the refusal.
inline QString post(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                    const QString &lines, const QString &header)
{
    const QString refused = addLines(db, d, dh, lines);
    return refused.isEmpty() ? save(db, d, dh, header).outcome.message : refused;
}

}  // namespace fixture
