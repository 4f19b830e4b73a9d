#include "BareSql.h"

#include <QElapsedTimer>

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace bare {
namespace {

[[noreturn]] void fail(sqlite3 *db, const QByteArray &text)
{
    std::fprintf(stderr, "bare run failed: %s\n  %s\n", sqlite3_errmsg(db), text.constData());
    std::exit(1);
}

// The end of an SQL literal or quoted name starting at i (a quote doubled
// inside stands for itself).
qsizetype endOfQuoted(const QByteArray &s, qsizetype i)
{
    const char close = s.at(i) == '[' ? ']' : s.at(i);
    for (qsizetype j = i + 1; j < s.size(); ++j) {
        if (s.at(j) != close)
            continue;
        if (close != ']' && j + 1 < s.size() && s.at(j + 1) == close) {
            ++j;
            continue;
        }
        return j + 1;
    }
    return -1;
}

// A literal as SQLite writes a bound value at `at`: NULL, a number, 'text'
// or x'blob'. Where it ends goes to *end.
bool literalAt(const QByteArray &s, qsizetype at, Value *value, qsizetype *end)
{
    if (s.mid(at, 4) == "NULL") {
        *value = std::monostate{};
        *end = at + 4;
        return true;
    }
    if (s.at(at) == '\'') {
        const qsizetype close = endOfQuoted(s, at);
        if (close < 0)
            return false;
        QByteArray text = s.mid(at + 1, close - at - 2);
        text.replace("''", "'");
        *value = text;
        *end = close;
        return true;
    }
    if ((s.at(at) == 'x' || s.at(at) == 'X') && at + 1 < s.size() && s.at(at + 1) == '\'') {
        const qsizetype close = s.indexOf('\'', at + 2);
        if (close < 0)
            return false;
        *value = Blob{QByteArray::fromHex(s.mid(at + 2, close - at - 2))};
        *end = close + 1;
        return true;
    }
    qsizetype j = at;
    bool real = false;
    while (j < s.size() && (std::isdigit(static_cast<unsigned char>(s.at(j))) || s.at(j) == '-' ||
                            s.at(j) == '+' || s.at(j) == '.' || s.at(j) == 'e' || s.at(j) == 'E')) {
        real = real || s.at(j) == '.' || s.at(j) == 'e' || s.at(j) == 'E';
        ++j;
    }
    if (j == at)
        return false;
    bool ok = false;
    const QByteArray number = s.mid(at, j - at);
    if (real)
        *value = number.toDouble(&ok);
    else
        *value = number.toLongLong(&ok);
    *end = j;
    return ok;
}

bool isNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

}  // namespace

bool valuesOf(const QByteArray &text, const QByteArray &expanded, std::vector<Value> *values)
{
    values->clear();
    qsizetype i = 0, j = 0;
    while (i < text.size()) {
        const char c = text.at(i);
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const qsizetype end = endOfQuoted(text, i);
            if (end < 0 || expanded.mid(j, end - i) != text.mid(i, end - i))
                return false;
            j += end - i;
            i = end;
        } else if (c == '?' || ((c == ':' || c == '@' || c == '$') && i + 1 < text.size() &&
                                isNameChar(text.at(i + 1)))) {
            // A parameter: "?", "?NNN", or named (the SQL driver names the
            // "?" of a statement ":0", ":1" …).
            Value v;
            qsizetype end = 0;
            if (j >= expanded.size() || !literalAt(expanded, j, &v, &end))
                return false;
            values->push_back(v);
            j = end;
            ++i;
            while (i < text.size() && isNameChar(text.at(i)))
                ++i;
        } else {
            if (j >= expanded.size() || expanded.at(j) != c)
                return false;
            ++i;
            ++j;
        }
    }
    return j == expanded.size();
}

Recording::Recording(sqlite3 *db) : m_db(db)
{
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT | SQLITE_TRACE_ROW | SQLITE_TRACE_PROFILE,
                     &Recording::noted, this);
}

Recording::~Recording()
{
    stop();
}

std::vector<Statement> Recording::stop()
{
    if (m_on) {
        sqlite3_trace_v2(m_db, 0, nullptr, nullptr);
        m_on = false;
    }
    return std::move(m_statements);
}

int Recording::noted(unsigned type, void *self, void *statement, void *text)
{
    auto *r = static_cast<Recording *>(self);
    if (type != SQLITE_TRACE_STMT) {
        const auto it = r->m_running.find(statement);
        if (it == r->m_running.end())
            return 0;
        Statement &running = r->m_statements[it->second];
        if (type == SQLITE_TRACE_ROW) {
            ++running.rows;
        } else {
            // Told as it finishes: stepped to its end, or reset while it
            // still had rows to give.
            running.toTheEnd = !sqlite3_stmt_busy(static_cast<sqlite3_stmt *>(statement));
            r->m_running.erase(it);
        }
        return 0;
    }
    // Triggers are noted as comments: they run by themselves again.
    if (qstrncmp(static_cast<const char *>(text), "--", 2) == 0)
        return 0;
    auto *s = static_cast<sqlite3_stmt *>(statement);
    Statement noted{QByteArray(sqlite3_sql(s)), {}};
    char *expanded = sqlite3_expanded_sql(s);
    const bool ok = expanded && valuesOf(noted.text, QByteArray(expanded), &noted.values);
    if (!ok) {
        std::fprintf(stderr, "cannot read the values of a statement:\n  %s\n  %s\n",
                     noted.text.constData(), expanded ? expanded : "(no expanded text)");
        std::exit(1);
    }
    sqlite3_free(expanded);
    r->m_running[statement] = r->m_statements.size();
    r->m_statements.push_back(std::move(noted));
    return 0;
}

BareRun::BareRun(sqlite3 *db) : m_db(db) {}

BareRun::~BareRun()
{
    clear();
}

void BareRun::clear()
{
    for (auto &[text, s] : m_kept)
        sqlite3_finalize(s);
    m_kept.clear();
}

sqlite3_stmt *BareRun::prepared(const QByteArray &text)
{
    sqlite3_stmt *&s = m_kept[text];
    if (!s && sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &s, nullptr) != SQLITE_OK)
        fail(m_db, text);
    return s;
}

qint64 BareRun::run(const std::vector<Statement> &statements)
{
    // Prepared before the clock starts: prepared once, as a program keeping
    // its statements does, and found before it too.
    std::vector<sqlite3_stmt *> found;
    found.reserve(statements.size());
    for (const Statement &st : statements)
        found.push_back(prepared(st.text));
    QElapsedTimer t;
    t.start();
    for (size_t k = 0; k < statements.size(); ++k) {
        const Statement &st = statements[k];
        sqlite3_stmt *s = found[k];
        int at = 0;
        for (const Value &v : st.values) {
            ++at;
            if (const auto *i = std::get_if<qint64>(&v))
                sqlite3_bind_int64(s, at, *i);
            else if (const auto *d = std::get_if<double>(&v))
                sqlite3_bind_double(s, at, *d);
            else if (const auto *text = std::get_if<QByteArray>(&v))
                sqlite3_bind_text(s, at, text->constData(), int(text->size()), SQLITE_STATIC);
            else if (const auto *blob = std::get_if<Blob>(&v))
                sqlite3_bind_blob(s, at, blob->bytes.constData(), int(blob->bytes.size()), SQLITE_STATIC);
            else
                sqlite3_bind_null(s, at);
        }
        int rc = SQLITE_DONE;
        for (qint64 row = 0; st.toTheEnd || row < st.rows; ++row) {
            if ((rc = sqlite3_step(s)) != SQLITE_ROW)
                break;
            const int columns = sqlite3_column_count(s);
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(s, c)) {
                case SQLITE_INTEGER:
                    m_read += quint64(sqlite3_column_int64(s, c));
                    break;
                case SQLITE_FLOAT:
                    m_read += quint64(sqlite3_column_double(s, c));
                    break;
                case SQLITE_NULL:
                    break;
                case SQLITE_BLOB:
                    m_read += quint64(sqlite3_column_bytes(s, c));
                    break;
                default: {
                    const unsigned char *text = sqlite3_column_text(s, c);
                    const int n = sqlite3_column_bytes(s, c);
                    m_read += n > 0 ? text[n - 1] : 0;
                    break;
                }
                }
            }
        }
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            fail(m_db, st.text);
        sqlite3_reset(s);
    }
    return t.nsecsElapsed();
}

void foldLog(sqlite3 *db)
{
    if (sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr) != SQLITE_OK)
        fail(db, "PRAGMA wal_checkpoint(TRUNCATE)");
    // The first write to the emptied log starts it anew and syncs its header:
    // done here too, by writing the file's version stamp unchanged.
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &s, nullptr);
    const int version = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int(s, 0) : 0;
    sqlite3_finalize(s);
    const QByteArray stamp = "PRAGMA user_version = " + QByteArray::number(version);
    if (sqlite3_exec(db, stamp.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db, stamp);
}

double median(std::vector<double> ms)
{
    if (ms.empty())
        return -1;
    std::sort(ms.begin(), ms.end());
    return ms.size() % 2 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
}

Compared compare(sqlite3 *db, int runs, const std::function<void()> &operation,
                 const std::function<void()> &before)
{
    // Once to learn the statements (and to warm up), then alternately.
    if (before)
        before();
    Recording recording(db);
    operation();
    const std::vector<Statement> statements = recording.stop();
    BareRun bareRun(db);
    if (!statements.empty()) {
        if (before)
            before();
        bareRun.run(statements);
    }
    std::vector<double> program, bareTimes;
    for (int r = 0; r < runs; ++r) {
        if (before)
            before();
        QElapsedTimer t;
        t.start();
        operation();
        program.push_back(double(t.nsecsElapsed()) / 1e6);
        if (!statements.empty()) {
            if (before)
                before();
            bareTimes.push_back(double(bareRun.run(statements)) / 1e6);
        }
    }
    return {median(program), statements.empty() ? -1 : median(bareTimes), statements.size()};
}

void printHeading()
{
    std::printf("%-52s %15s %15s %7s %6s\n", "operation", "program", "bare SQLite", "ratio",
                "stmts");
}

void print(const QString &operation, const Compared &c, const QString &unit, double scale)
{
    const QByteArray name = operation.toUtf8();
    // Pad by characters shown, not bytes (Chinese takes two columns).
    int width = 0;
    for (const QChar ch : operation)
        width += ch.unicode() >= 0x2e80 ? 2 : 1;
    std::printf("%s%*s", name.constData(), std::max(1, 53 - width), "");
    const QByteArray u = (unit + QString(std::max<qsizetype>(0, 3 - unit.size()), u' ')).toUtf8();
    std::printf("%11.3f %s", c.program * scale, u.constData());
    if (c.bare < 0)
        std::printf("%16s %7s %6zu\n", "(none)", "-", c.statements);
    else
        std::printf(" %11.3f %s %7.2f %6zu\n", c.bare * scale, u.constData(), c.program / c.bare,
                    c.statements);
    std::fflush(stdout);
}

}  // namespace bare
