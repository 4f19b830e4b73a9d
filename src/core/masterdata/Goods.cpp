#include "core/masterdata/Goods.h"

#include "core/db/Schema.h"
#include "core/db/Snapshot.h"
#include "core/db/TextSearch.h"
#include "core/masterdata/Pinyin.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>

namespace goods {

namespace {

// Texts are bound as empty rather than NULL: the columns hold '' when empty.
QString stored(const QString &text)
{
    const QString t = text.trimmed();
    return t.isNull() ? QStringLiteral("") : t;
}

Decimal decimalAt(const Snapshot &rows, int row, const char *column)
{
    return Decimal::fromUnits(rows.value(row, QString::fromLatin1(column)).toLongLong());
}

QString textAt(const Snapshot &rows, int row, const char *column)
{
    return rows.value(row, QString::fromLatin1(column)).toString();
}

// The operand of a LIKE that finds `text` anywhere: its own % _ and \ are
// taken literally.
QString anywhere(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    escaped += u'%';
    for (QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_')
            escaped += u'\\';
        escaped += c;
    }
    escaped += u'%';
    return escaped;
}

QString like(const char *column)
{
    return QString::fromLatin1(column) + QStringLiteral(" LIKE ? ESCAPE '\\'");
}

// The values of a save, read and checked; the message of the first refusal.
struct Values {
    Outcome refusal;
    QString lb, ppgg, txm, dw, ms, bz;
    Decimal numbers[7];
    Decimal kcje;
};

Values readInput(const Input &in)
{
    Values v;
    v.lb = stored(in.lb);
    v.ppgg = stored(in.ppgg);
    v.txm = stored(in.txm);
    v.dw = stored(in.dw);
    v.ms = stored(in.ms);
    v.bz = stored(in.bz);
    const struct {
        const QString &text;
        Field field;
        const char *message;
    } required[] = {
        {v.lb, Field::Lb, "类别不可为空！"},
        {v.ppgg, Field::Ppgg, "商品名称不可为空！"},
        {v.txm, Field::Txm, "商品编码不可为空！"},
        {v.dw, Field::Dw, "计量单位不可为空！"},
    };
    for (const auto &r : required)
        if (r.text.isEmpty()) {
            v.refusal = Outcome::of(::Outcome<Field>::refused(Severity::Info,
                                                              QString::fromUtf8(r.message), r.field));
            return v;
        }
    const auto &fields = numberFields();
    for (size_t i = 0; i < fields.size(); ++i) {
        const QString text = tidyNumber(in.*(fields[i].text)).trimmed();
        const Decimal d = text.isEmpty() ? Decimal() : Decimal::parse(text);
        if (!d.isValid()) {
            v.refusal = Outcome::of(::Outcome<Field>::refused(
                Severity::Info, fields[i].caption + QStringLiteral("必须是数字！"), fields[i].field));
            return v;
        }
        v.numbers[i] = d;
    }
    // numberFields() lists kcsl and kcjg last.
    v.kcje = stockValue(v.numbers[5], v.numbers[6]);
    if (!v.kcje.isValid())
        v.refusal = Outcome::of(::Outcome<Field>::refused(
            Severity::Info, QStringLiteral("库存金额超出范围！"), Field::Kcsl));
    return v;
}

sql::Binds bindsOf(const Values &v)
{
    sql::Binds b{v.lb, v.ppgg, v.txm, v.dw};
    for (const Decimal &d : v.numbers)
        b.push_back(qint64(d.units()));
    b.push_back(qint64(v.kcje.units()));
    b.push_back(v.ms);
    b.push_back(v.bz);
    return b;
}

Outcome failed(const DbError &e)
{
    return Outcome::of(::Outcome<Field>::failed(e.message()));
}

}  // namespace

Article articleAt(const Snapshot &rows, int row)
{
    Article a;
    a.id = rows.value(row, QStringLiteral("id")).toLongLong();
    a.lb = textAt(rows, row, "lb");
    a.ppgg = textAt(rows, row, "ppgg");
    a.txm = textAt(rows, row, "txm");
    a.dw = textAt(rows, row, "dw");
    a.jj = decimalAt(rows, row, "jj");
    a.xjpf = decimalAt(rows, row, "xjpf");
    a.xjls = decimalAt(rows, row, "xjls");
    a.slt = decimalAt(rows, row, "slt");
    a.jet = decimalAt(rows, row, "jet");
    a.kcsl = decimalAt(rows, row, "kcsl");
    a.kcjg = decimalAt(rows, row, "kcjg");
    a.kcje = decimalAt(rows, row, "kcje");
    a.ms = textAt(rows, row, "ms");
    a.bz = textAt(rows, row, "bz");
    return a;
}

std::optional<Article> read(const QSqlDatabase &db, qint64 id)
{
    const Snapshot rows = Snapshot::fetch(db, QStringLiteral("SELECT * FROM sp WHERE id = ?"), {id});
    if (rows.rowCount() == 0)
        return std::nullopt;
    return articleAt(rows, 0);
}

const std::vector<NumberField> &numberFields()
{
    static const std::vector<NumberField> fields{
        {Field::Jj, &Input::jj, "jj", QStringLiteral("采购单价")},
        {Field::Xjpf, &Input::xjpf, "xjpf", QStringLiteral("批发单价")},
        {Field::Xjls, &Input::xjls, "xjls", QStringLiteral("零售单价")},
        {Field::Slt, &Input::slt, "slt", QStringLiteral("数量提成")},
        {Field::Jet, &Input::jet, "jet", QStringLiteral("金额提成")},
        {Field::Kcsl, &Input::kcsl, "kcsl", QStringLiteral("库存数量")},
        {Field::Kcjg, &Input::kcjg, "kcjg", QStringLiteral("库存单价")},
    };
    return fields;
}

QString tidyNumber(const QString &text)
{
    return decimaltext::rewriteTo2IfLonger(text);
}

Decimal stockValue(const Decimal &kcsl, const Decimal &kcjg)
{
    return (kcsl * kcjg).roundedTo2();
}

bool isDuplicate(const QSqlDatabase &db, const QString &ppgg, const QString &txm,
                 const QString &dw)
{
    const Filter same = sameArticle(ppgg, txm, dw);
    return sql::exists(db, QStringLiteral("SELECT 1 FROM sp WHERE ") + same.where, same.binds);
}

Outcome add(const QSqlDatabase &db, const Input &in)
{
    const Values v = readInput(in);
    if (!v.refusal.ok())
        return v.refusal;
    try {
        // The duplicate check and the new article see the same catalogue.
        Transaction transaction(db);
        if (isDuplicate(db, v.ppgg, v.txm, v.dw))
            return Outcome::of(::Outcome<Field>::refused(
                Severity::Warning, QStringLiteral("商品不可重复！"), Field::Txm));
        sql::Query q = sql::exec(
            db,
            QStringLiteral("INSERT INTO sp (lb, ppgg, txm, dw, jj, xjpf, xjls, slt, jet, kcsl,"
                           " kcjg, kcje, ms, bz) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            bindsOf(v));
        const qint64 id = q.lastInsertId().toLongLong();
        transaction.commit();
        return Outcome::done(id);
    } catch (const DbError &e) {
        return failed(e);
    }
}

Outcome update(const QSqlDatabase &db, qint64 id, const Input &in)
{
    const Values v = readInput(in);
    if (!v.refusal.ok())
        return v.refusal;
    try {
        sql::Binds binds = bindsOf(v);
        binds.push_back(id);
        Transaction transaction(db);
        sql::Query q = sql::exec(
            db,
            QStringLiteral("UPDATE sp SET lb = ?, ppgg = ?, txm = ?, dw = ?, jj = ?, xjpf = ?,"
                           " xjls = ?, slt = ?, jet = ?, kcsl = ?, kcjg = ?, kcje = ?, ms = ?,"
                           " bz = ? WHERE id = ?"),
            binds);
        // Saving over an article that is gone must not look like success.
        if (q.numRowsAffected() != 1)
            return Outcome::of(::Outcome<Field>::refused(
                Severity::Warning, QStringLiteral("该商品已不存在，无法修改！")));
        transaction.commit();
        return Outcome::done(id);
    } catch (const DbError &e) {
        return failed(e);
    }
}

::Outcome<Field> remove(const QSqlDatabase &db, qint64 id)
{
    try {
        Transaction transaction(db);
        sql::exec(db, QStringLiteral("DELETE FROM sp WHERE id = ?"), {id});
        transaction.commit();
    } catch (const DbError &e) {
        return ::Outcome<Field>::failed(e.message());
    }
    return {};
}

int generateCodes(const QSqlDatabase &db, const std::vector<qint64> &ids)
{
    Transaction transaction(db);
    // One prepared pair for the whole walk: a long list stays quick.
    QSqlQuery name(db);
    QSqlQuery write(db);
    name.setForwardOnly(true);
    if (!name.prepare(QStringLiteral("SELECT ppgg, txm FROM sp WHERE id = ?")) ||
        !write.prepare(QStringLiteral("UPDATE sp SET txm = ? WHERE id = ?")))
        throw DbError(name.lastError().isValid() ? name.lastError() : write.lastError());
    int written = 0;
    for (qint64 id : ids) {
        name.addBindValue(id);
        if (!name.exec())
            sql::raise(db, name.lastError());
        if (!name.next())
            continue;  // no longer there
        const QString code = pinyin::goodsCode(name.value(0).toString());
        const QString old = name.value(1).toString();
        name.finish();
        if (code.isEmpty() || code == old)
            continue;
        write.addBindValue(code);
        write.addBindValue(id);
        if (!write.exec())
            sql::raise(db, write.lastError());
        ++written;
    }
    transaction.commit();
    return written;
}

Filter everything()
{
    return {};
}

Filter sameArticle(const QString &ppgg, const QString &txm, const QString &dw)
{
    // The index sp_identity_nocase is made of the same three keys.
    using textsearch::equalsIgnoringCase;
    return {equalsIgnoringCase(QStringLiteral("ppgg")) + QStringLiteral(" AND ") +
                equalsIgnoringCase(QStringLiteral("txm")) + QStringLiteral(" AND ") +
                equalsIgnoringCase(QStringLiteral("dw")),
            {stored(ppgg), stored(txm), stored(dw)}};
}

Filter inCategory(const QString &category)
{
    if (category.isEmpty())
        return everything();
    return {QStringLiteral("lb = ?"), {category}};
}

Filter search(const QString &text)
{
    if (!textsearch::canSearch(text))
        return searchWithoutIndex(text);
    // The index finds exactly what the LIKE of searchWithoutIndex() finds.
    return {textsearch::containsCondition(schema::goodsTextIndex()), {text}};
}

Filter quickestSearch(const QSqlDatabase &db, const QString &text)
{
    if (!textsearch::canSearch(text))
        return searchWithoutIndex(text);
    try {
        // The highest id stands for the catalogue's size: it never falls
        // short of it and costs one look into the key.
        const qint64 highest = sql::scalar(db, QStringLiteral("SELECT max(id) FROM sp")).toLongLong();
        const int limit = int(std::clamp<qint64>(highest / 16, 1000, 1 << 30));
        if (textsearch::countUpTo(db, schema::goodsTextIndex(), text, limit) < limit)
            return search(text);
    } catch (const DbError &) {
        // The same articles are found without the index.
    }
    return searchWithoutIndex(text);
}

Filter searchWithoutIndex(const QString &text)
{
    if (text.isEmpty())
        return everything();
    const QString pattern = anywhere(text);
    return {QStringLiteral("(") + like("ppgg") + QStringLiteral(" OR ") + like("txm") +
                QStringLiteral(" OR ") + like("lb") + QStringLiteral(")"),
            {pattern, pattern, pattern}};
}

Filter matching(const Conditions &c)
{
    Filter f;
    QStringList parts;
    const struct {
        const QString &text;
        const char *column;
    } texts[] = {{c.category, "lb"}, {c.code, "txm"}, {c.name, "ppgg"}};
    for (const auto &t : texts) {
        if (t.text.isEmpty())
            continue;  // matches every article
        parts << like(t.column);
        f.binds.push_back(anywhere(t.text));
    }
    switch (c.stock) {
    case Stock::Any:
        break;
    case Stock::Positive:
        parts << QStringLiteral("kcsl > 0");
        break;
    case Stock::Zero:
        parts << QStringLiteral("kcsl = 0");
        break;
    case Stock::Negative:
        parts << QStringLiteral("kcsl < 0");
        break;
    }
    f.where = parts.join(QStringLiteral(" AND "));
    return f;
}

Filter alsoShowing(const Filter &f, const std::vector<qint64> &ids)
{
    if (f.where.isEmpty() || ids.empty())
        return f;
    Filter out = f;
    QString marks;
    for (size_t i = 0; i < ids.size(); ++i) {
        marks += i == 0 ? QStringLiteral("?") : QStringLiteral(", ?");
        out.binds.push_back(ids[i]);
    }
    out.where = QStringLiteral("(") + f.where + QStringLiteral(") OR id IN (") + marks +
                QStringLiteral(")");
    return out;
}

QString listStatement(const Filter &f)
{
    // Names in the order a click on their title sorts them (the PINYIN
    // collation), articles of the same name in the order of entry: the order
    // of the name index sp_name (of sp_lb_name within a category), so nothing
    // is sorted. The name index also holds every column a filter tests, so a
    // search walks the index alone and fetches only the articles it finds.
    QString s = QStringLiteral("SELECT * FROM sp");
    if (!f.where.isEmpty())
        s += QStringLiteral(" WHERE ") + f.where;
    return s + QStringLiteral(" ORDER BY ppgg COLLATE PINYIN, id");
}

ListQuery listQuery(const Filter &f)
{
    QString base = QStringLiteral("SELECT * FROM sp");
    if (!f.where.isEmpty())
        base += QStringLiteral(" WHERE ") + f.where;
    ListQuery q(base, f.binds, {{QStringLiteral("ppgg"), false, true}});
    // The name index sp_name and the code index sp_code.
    q.setIndexedColumns({QStringLiteral("ppgg"), QStringLiteral("txm")});
    return q;
}

StockTotals stockTotals(const QSqlDatabase &db, const Filter &f)
{
    QString s = QStringLiteral("SELECT coalesce(sum(kcsl), 0), coalesce(sum(kcje), 0) FROM sp");
    if (!f.where.isEmpty())
        s += QStringLiteral(" WHERE ") + f.where;
    sql::Query q = sql::exec(db, s, f.binds);
    StockTotals t;
    if (q.next()) {
        t.quantity = Decimal::fromUnits(q.value(0).toLongLong());
        t.value = Decimal::fromUnits(q.value(1).toLongLong());
    }
    return t;
}

QString priceColumnOf(const QString &mode)
{
    if (mode == QStringLiteral("tjcg"))
        return QStringLiteral("jj");
    if (mode == QStringLiteral("tjxs"))
        return QStringLiteral("xjls");
    if (mode == QStringLiteral("tjpf"))
        return QStringLiteral("xjpf");
    if (mode == QStringLiteral("tjrk"))
        return QStringLiteral("kcjg");
    return QString();
}

Decimal priceOf(const Article &a, const QString &mode)
{
    const QString column = priceColumnOf(mode);
    if (column == QStringLiteral("jj"))
        return a.jj;
    if (column == QStringLiteral("xjls"))
        return a.xjls;
    if (column == QStringLiteral("xjpf"))
        return a.xjpf;
    if (column == QStringLiteral("kcjg"))
        return a.kcjg;
    return Decimal();
}

}  // namespace goods
