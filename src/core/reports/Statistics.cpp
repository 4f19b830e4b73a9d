#include "core/reports/Statistics.h"

#include "core/db/Dates.h"
#include "core/db/SqlFunctions.h"
#include "core/lists/NameOrder.h"

#include <QStringEncoder>

#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

namespace {

// "AND rq >= ? AND rq <= ?" with its two dates, when the range is set.
void addRange(QStringList &where, sql::Binds &binds, const QString &column,
              const DateRange &range)
{
    if (!range.isSet())
        return;
    where << column + u" >= ? AND "_s + column + u" <= ?"_s;
    binds.push_back(dates::toDbText(*range.from));
    binds.push_back(dates::toDbText(*range.to));
}

QString whereClause(const QStringList &where)
{
    return where.isEmpty() ? QString() : u" WHERE "_s + where.join(u" AND "_s);
}


// One statement stepped through SQLite's own interface, its values bound as
// the driver binds them: a year of the sales ledger and the whole catalogue
// are read here a row at a time without a QVariant or a QString per cell.
class Walk
{
public:
    Walk(const QSqlDatabase &db, const Statement &s) : m_db(sqliteHandle(db))
    {
        if (!m_db)
            throw DbError(u"not an open SQLite connection"_s);
        const QByteArray text = s.text.toUtf8();
        if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &m_stmt, nullptr) !=
            SQLITE_OK)
            fail();
        QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
        m_texts.resize(s.binds.size());
        for (size_t i = 0; i < s.binds.size(); ++i)
            if (bindAsTheDriverDoes(m_stmt, int(i) + 1, s.binds[i], m_texts[i], utf8) !=
                SQLITE_OK)
                fail();
    }
    ~Walk() { sqlite3_finalize(m_stmt); }
    Walk(const Walk &) = delete;
    Walk &operator=(const Walk &) = delete;

    bool next()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            fail();
        return false;
    }
    std::string_view text(int c) const
    {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, c));
        return p ? std::string_view(p, size_t(sqlite3_column_bytes(m_stmt, c))) : std::string_view();
    }
    qint64 integer(int c) const { return sqlite3_column_int64(m_stmt, c); }

private:
    [[noreturn]] void fail() const { throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db))); }

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    std::vector<std::string> m_texts;
};

// Sums as SQL's sum() makes them: an overflow fails the statistics.
void add(qint64 &sum, qint64 v)
{
    if (__builtin_add_overflow(sum, v, &sum))
        throw DbError(u"integer overflow"_s);
}

// dmul(): the product rounded to four places, ties to even.
qint64 product(qint64 a, qint64 b)
{
    const Decimal p = Decimal::fromUnits(a) * Decimal::fromUnits(b);
    if (!p.isValid())
        throw DbError(u"dmul: result out of range"_s);
    return p.units();
}

// A goods identity (or any few texts) as one key: each text followed by a
// NUL, so that keys compare as their texts do one after the other.
void appendKey(std::string &key, std::string_view text)
{
    key.append(text);
    key.push_back('\0');
}

// Keys of a few texts (appendKey) with a value each, for a catalogue's worth
// of goods: open addressing over one pool of key bytes, so that
// a look-up touches a slot, its key and its value and nothing is allocated
// per key.
template <class Value>
class KeyTable
{
public:
    explicit KeyTable(size_t expected)
    {
        size_t slots = 1024;
        while (slots < expected * 2)
            slots *= 2;
        m_slots.assign(slots, Slot{});
        m_values.reserve(expected);
        m_keys.reserve(expected);
    }

    size_t size() const { return m_values.size(); }
    std::string_view key(size_t entry) const
    {
        return std::string_view(m_pool.data() + m_keys[entry].offset, m_keys[entry].size);
    }

    // The value of the key, or null.
    const Value *find(std::string_view k) const
    {
        const size_t h = std::hash<std::string_view>()(k);
        for (size_t i = h & (m_slots.size() - 1);; i = (i + 1) & (m_slots.size() - 1)) {
            const Slot &slot = m_slots[i];
            if (slot.entry == 0)
                return nullptr;
            if (slot.hash == h && key(slot.entry - 1) == k)
                return &m_values[slot.entry - 1];
        }
    }
    // The value of the key, a new one (`fresh`) when the key is new.
    Value &at(std::string_view k, const Value &fresh = Value())
    {
        const size_t h = std::hash<std::string_view>()(k);
        size_t i = h & (m_slots.size() - 1);
        for (;; i = (i + 1) & (m_slots.size() - 1)) {
            const Slot &slot = m_slots[i];
            if (slot.entry == 0)
                break;
            if (slot.hash == h && key(slot.entry - 1) == k)
                return m_values[slot.entry - 1];
        }
        m_keys.push_back({m_pool.size(), k.size()});
        m_pool.append(k);
        m_values.push_back(fresh);
        m_slots[i] = {h, m_values.size()};
        if (m_values.size() * 2 > m_slots.size())
            grow();
        return m_values.back();
    }

private:
    struct Slot {
        size_t hash = 0;
        size_t entry = 0;  // 1 + the entry's index; 0 for an empty slot
    };
    struct Key {
        size_t offset, size;
    };

    void grow()
    {
        std::vector<Slot> old(m_slots.size() * 2, Slot{});
        old.swap(m_slots);
        for (const Slot &slot : old) {
            if (slot.entry == 0)
                continue;
            size_t i = slot.hash & (m_slots.size() - 1);
            while (m_slots[i].entry != 0)
                i = (i + 1) & (m_slots.size() - 1);
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    std::vector<Key> m_keys;
    std::vector<Value> m_values;
    std::string m_pool;
};

// Below this many sales ledger rows the commissions are one statement; above
// it, reading the catalogue's rates once beats looking each row's up.
constexpr qint64 kRowsForAWalk = 20000;

Snapshot commissionsWalked(const QSqlDatabase &db, const QString &where, const sql::Binds &binds)
{
    // Each identity's first goods row, as posting finds it.
    struct Rates {
        qint64 slt, jet;
    };
    const auto goodsRows = size_t(sql::scalar(db, u"SELECT count(*) FROM sp"_s).toLongLong());
    KeyTable<Rates> goods(goodsRows);
    {
        Walk g(db, {u"SELECT ppgg, txm, dw, slt, jet FROM sp ORDER BY id"_s, {}});
        std::string key;
        while (g.next()) {
            key.clear();
            appendKey(key, g.text(0));
            appendKey(key, g.text(1));
            appendKey(key, g.text(2));
            // The first row of an identity keeps its place.
            goods.at(key, Rates{g.integer(3), g.integer(4)});
        }
    }
    struct Earned {
        qint64 sltc = 0, jetc = 0, ztc = 0;
    };
    std::unordered_map<std::string, Earned> handlers;
    Walk f(db, {u"SELECT f.jsr, f.ppgg, f.txm, f.dw, f.sl, f.je FROM xsfx f"_s + where, binds});
    std::string key;
    while (f.next()) {
        key.clear();
        appendKey(key, f.text(1));
        appendKey(key, f.text(2));
        appendKey(key, f.text(3));
        const Rates *rates = goods.find(key);
        if (!rates)
            continue;
        const qint64 byQuantity = product(f.integer(4), rates->slt);
        const qint64 byAmount = product(f.integer(5), rates->jet);
        Earned &e = handlers[std::string(f.text(0))];
        add(e.sltc, byQuantity);
        add(e.jetc, byAmount);
        qint64 both = byQuantity;
        add(both, byAmount);
        add(e.ztc, both);
    }

    struct Row {
        QString name;
        Earned earned;
    };
    std::vector<Row> rows;
    for (auto &[name, earned] : handlers)
        rows.push_back({QString::fromUtf8(name.data(), qsizetype(name.size())), earned});
    const NameOrder order;
    std::sort(rows.begin(), rows.end(),
              [&](const Row &a, const Row &b) { return order.compare(a.name, b.name) < 0; });
    std::vector<QVariant> cells;
    for (const Row &r : rows)
        cells.insert(cells.end(), {r.name, r.earned.sltc, r.earned.jetc, r.earned.ztc});
    return Snapshot({u"yuangong"_s, u"sltc"_s, u"jetc"_s, u"ztc"_s}, std::move(cells));
}

}  // namespace

namespace {

// The commissions' conditions on the sales ledger `f`, in the panel's order.
QString commissionWhere(const CommissionFilter &filter, sql::Binds &binds)
{
    QStringList where;
    if (!filter.handler.isEmpty()) {
        where << sql::containsCondition(u"f.jsr"_s);
        binds.push_back(sql::containsPattern(filter.handler));
    }
    addRange(where, binds, u"f.rq"_s, filter.range);
    return whereClause(where);
}

// The in/out/stock conditions on one ledger. The text binds with the range on
// each side of the "or": a row counts when its name or its code contains the
// text and its date is in the range. The columns are never NULL, so an empty
// text (which matches every row) adds no condition.
QString stockWhere(const StockFilter &filter, sql::Binds &binds)
{
    QStringList where;
    if (!filter.text.isEmpty()) {
        where << u"("_s + sql::containsCondition(u"ppgg"_s) + u" OR "_s +
                     sql::containsCondition(u"txm"_s) + u")"_s;
        binds.push_back(sql::containsPattern(filter.text));
        binds.push_back(sql::containsPattern(filter.text));
    }
    addRange(where, binds, u"rq"_s, filter.range);
    return whereClause(where);
}

const QString kLedgers[] = {u"cgfx"_s, u"xsfx"_s, u"rkfx"_s};

}  // namespace

Statement commissionStatement(const CommissionFilter &filter)
{
    // Each ledger row meets one goods row, the first of its code, name and
    // unit (the one posting changed); the subquery is answered from the
    // goods identity index.
    sql::Binds binds;
    const QString where = commissionWhere(filter, binds);
    return {u"SELECT f.jsr AS yuangong,"
            " sum(dmul(f.sl, g.slt)) AS sltc,"
            " sum(dmul(f.je, g.jet)) AS jetc,"
            " sum(dmul(f.sl, g.slt) + dmul(f.je, g.jet)) AS ztc"
            " FROM xsfx f JOIN sp g ON g.id = (SELECT min(s.id) FROM sp s"
            " WHERE s.ppgg = f.ppgg AND s.txm = f.txm AND s.dw = f.dw)"_s +
                where + u" GROUP BY f.jsr ORDER BY f.jsr COLLATE PINYIN"_s,
            binds};
}

Snapshot commissions(const QSqlDatabase &db, const CommissionFilter &filter, Way way)
{
    // A few rows are joined to their goods row one by one; a year of them
    // meets the catalogue's rates read once, the same rows, the same sums.
    sql::Binds binds;
    const QString where = commissionWhere(filter, binds);
    if (way == Way::Quickest && sqliteHandle(db)) {
        const qint64 rows =
            sql::scalar(db, u"SELECT count(*) FROM xsfx f"_s + where, binds).toLongLong();
        way = rows >= kRowsForAWalk ? Way::Walk : Way::Statement;
    }
    if (way == Way::Walk)
        return commissionsWalked(db, where, binds);
    const Statement s = commissionStatement(filter);
    return Snapshot::fetch(db, s.text, s.binds);
}

Statement stockStatement(const StockFilter &filter)
{
    sql::Binds binds;
    const auto ledger = [&](const QString &table, int slot) -> QString {
        QStringList values;
        for (int i = 0; i < 3; ++i) {
            const QString suffix = QString::number(i + 1);
            values << (i == slot ? u"sl"_s : u"0"_s) + u" AS n"_s + suffix;
            values << (i == slot ? u"je"_s : u"0"_s) + u" AS a"_s + suffix;
        }
        return u"SELECT txm, ppgg, dw, "_s + values.join(u", "_s) + u" FROM "_s + table +
               stockWhere(filter, binds);
    };
    const QString rows = ledger(kLedgers[0], 0) + u" UNION ALL "_s + ledger(kLedgers[1], 1) +
                         u" UNION ALL "_s + ledger(kLedgers[2], 2);
    return {u"SELECT txm, ppgg, dw,"
            " sum(n1) AS cgsl, sum(a1) AS cgje,"
            " sum(n2) AS xssl, sum(a2) AS xsje,"
            " sum(n3) AS rksl, sum(a3) AS rkje,"
            " sum(n1) - sum(n2) + sum(n3) AS ysl,"
            " sum(a1) - sum(a2) + sum(a3) AS yje"
            " FROM ("_s +
                rows + u") AS t GROUP BY txm, ppgg, dw ORDER BY txm, ppgg, dw"_s,
            binds};
}

Snapshot stockStatistics(const QSqlDatabase &db, const StockFilter &filter)
{
    // One statement: summing a year's rows by article in the program was
    // measured slower than the database's own grouping when most articles
    // were sold (a million of them in two million rows).
    const Statement s = stockStatement(filter);
    return Snapshot::fetch(db, s.text, s.binds);
}

std::vector<Decimal> sumsOf(const Snapshot &rows, const QStringList &columns)
{
    std::vector<Decimal> sums;
    for (const QString &c : columns) {
        Decimal sum;
        const int column = rows.columnIndex(c);
        if (column >= 0)
            for (int r = 0; r < rows.rowCount(); ++r)
                sum += Decimal::fromUnits(rows.toLongLong(r, column));
        sums.push_back(sum);
    }
    return sums;
}

}  // namespace statistics
