#include "core/db/Statements.h"

#include "core/db/SqlFunctions.h"

#include <QCoreApplication>
#include <QMutex>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlResult>
#include <QStringEncoder>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <unordered_map>

namespace sql {

// Whether an SQLite connection is still open. SQLite says when it closes: a
// function registered on the connection is destroyed with it. The driver
// finalizes every statement it prepared just before, so a statement whose
// connection is no longer open is never touched again.
struct ConnectionLife {
    std::atomic<bool> open{true};
};

// A statement text and its hash, reckoned once per run from its length and
// its end only (texts differ mostly in their conditions): texts of one
// length that end alike are told apart by comparing them.
struct TextKey {
    static size_t hashOf(const QString &text)
    {
        constexpr qsizetype tail = 32;
        return qHash(QStringView(text).last(std::min(tail, text.size())), size_t(text.size()));
    }

    QString text;
    size_t hash;
    bool operator==(const TextKey &o) const { return hash == o.hash && text == o.text; }
};

struct TextKeyHash {
    size_t operator()(const TextKey &k) const { return k.hash; }
};

// The statements one connection keeps, waiting for their next run.
struct KeptStatements {
    // A text's place: its statement while it waits, null while it is in
    // use (a place in use is not given up).
    struct Kept {
        std::unique_ptr<Statement> statement;
        quint64 lastUse = 0;
        int inUse = 0;
    };

    // SQLite: the life of the engine's connection they were prepared on.
    std::shared_ptr<ConnectionLife> life;
    // Other engines: the engine's connection handle then; after closing and
    // opening again it is another one.
    const void *connection = nullptr;
    std::unordered_map<TextKey, Kept, TextKeyHash> byText;
    quint64 uses = 0;
    QMetaObject::Connection removal;

    ~KeptStatements() { QObject::disconnect(removal); }
};

struct StatementsAccess {
    static std::weak_ptr<KeptStatements> &home(Statement &s) { return s.m_home; }
    static size_t &hash(Statement &s) { return s.m_hash; }
    static KeptStatements::Kept *&place(Statement &s)
    {
        return reinterpret_cast<KeptStatements::Kept *&>(s.m_place);
    }
};

namespace {

constexpr int kKeptPerConnection = 64;

QString driverText(const char *text)
{
    return QCoreApplication::translate("QSQLiteResult", text);
}

// ---- Run by SQLite itself --------------------------------------------------------

sqlite3_stmt *sqliteStatementOf(const QSqlQuery &query)
{
    const QSqlResult *result = query.result();
    if (!result)
        return nullptr;
    const QVariant handle = result->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return nullptr;
    return *static_cast<sqlite3_stmt *const *>(handle.constData());
}

// The field type the driver gives a column of this declared type.
QMetaType declaredType(const QString &declared)
{
    const QString t = declared.toLower();
    if (t == QLatin1String("integer") || t == QLatin1String("int"))
        return QMetaType(QMetaType::Int);
    if (t == QLatin1String("double") || t == QLatin1String("float") || t == QLatin1String("real") ||
        t.startsWith(QLatin1String("numeric")))
        return QMetaType(QMetaType::Double);
    if (t == QLatin1String("blob"))
        return QMetaType(QMetaType::QByteArray);
    if (t == QLatin1String("boolean") || t == QLatin1String("bool"))
        return QMetaType(QMetaType::Bool);
    return QMetaType(QMetaType::QString);
}

QString textOf(const void *utf16)
{
    return QString(static_cast<const QChar *>(utf16));
}

// A statement the driver prepared and SQLite runs: it binds, steps and reads
// the values as the driver would, with the driver's error texts.
class SqliteStatement final : public Statement
{
public:
    SqliteStatement(QSqlQuery query, const QString &text, int bindCount,
                    std::shared_ptr<const ConnectionLife> life)
        : Statement(text, bindCount),
          m_query(std::move(query)),
          m_stmt(sqliteStatementOf(m_query)),
          m_life(std::move(life)),
          m_precision(m_query.numericalPrecisionPolicy())
    {
    }

    bool run(const Values &binds, std::optional<QSqlError> &error) override
    {
        m_active = m_onRow = m_firstPending = false;
        if (!prepared()) {
            m_failed = true;
            error = QSqlError(driverText("Unable to fetch row"), driverText("No query"),
                              QSqlError::ConnectionError);
            return false;
        }
        int rc = SQLITE_OK;
        if (!m_reset && (rc = sqlite3_reset(m_stmt)) != SQLITE_OK) {
            m_failed = true;
            error = errorOf("Unable to reset statement", QSqlError::StatementError, rc);
            return false;
        }
        m_reset = true;
        if (sqlite3_bind_parameter_count(m_stmt) != int(binds.size())) {
            m_failed = true;
            error = QSqlError(driverText("Parameter count mismatch"), QString(),
                              QSqlError::StatementError);
            return false;
        }
        // One buffer a value, made before any is bound: they do not move.
        if (m_texts.size() < binds.size())
            m_texts.resize(binds.size());
        for (size_t i = 0; i < binds.size(); ++i) {
            rc = bindAsTheDriverDoes(m_stmt, int(i) + 1, binds[i], m_texts[i], m_utf8);
            if (rc != SQLITE_OK) {
                m_failed = true;
                error = errorOf("Unable to bind parameters", QSqlError::StatementError, rc);
                return false;
            }
        }
        // Like the driver, the first row is stepped to at once: a write is
        // done (or refused) here, and a failing query fails here.
        if (!step(&error))
            return false;
        m_firstPending = true;
        m_active = true;
        return true;
    }

    bool next() override
    {
        if (!m_active)
            return false;
        if (m_firstPending) {
            m_firstPending = false;
            return m_onRow;
        }
        if (!m_onRow || !prepared()) {
            m_onRow = false;
            return false;
        }
        return step(nullptr) && m_onRow;
    }

    // Read from SQLite when asked for, as the driver gives it.
    QVariant value(int column) const override
    {
        if (!onColumn(column))
            return QVariant();
        sqlite3_stmt *s = m_stmt;
        switch (sqlite3_column_type(s, column)) {
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(s, column)));
        case SQLITE_FLOAT:
            switch (m_precision) {
            case QSql::LowPrecisionInt32:
                return QVariant(sqlite3_column_int(s, column));
            case QSql::LowPrecisionInt64:
                return QVariant(qlonglong(sqlite3_column_int64(s, column)));
            default:
                return QVariant(sqlite3_column_double(s, column));
            }
        case SQLITE_NULL:
            return QVariant(QMetaType::fromType<QString>());
        case SQLITE_BLOB:
            return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(s, column)),
                                       sqlite3_column_bytes(s, column)));
        default: {
            const char *utf8 = reinterpret_cast<const char *>(sqlite3_column_text(s, column));
            return QVariant(QString::fromUtf8(utf8, sqlite3_column_bytes(s, column)));
        }
        }
    }

    qint64 toLongLong(int column) const override
    {
        if (onColumn(column) && sqlite3_column_type(m_stmt, column) == SQLITE_INTEGER)
            return sqlite3_column_int64(m_stmt, column);
        return value(column).toLongLong();
    }

    QString text(int column) const override
    {
        if (onColumn(column) && sqlite3_column_type(m_stmt, column) == SQLITE_TEXT)
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column)),
                                     sqlite3_column_bytes(m_stmt, column));
        return value(column).toString();
    }

    QSqlRecord record() const override
    {
        QSqlRecord r;
        if (!m_active || !prepared())
            return r;
        const int columns = sqlite3_column_count(m_stmt);
        // Types of what is not declared come from the row SQLite stands on
        // (after run(), the first one), as the driver takes them from the first.
        const bool onRow = m_onRow;
        for (int i = 0; i < columns; ++i) {
            const QString declared = textOf(sqlite3_column_decltype16(m_stmt, i));
            const int stored = onRow ? sqlite3_column_type(m_stmt, i) : -1;
            QMetaType type;
            if (!declared.isEmpty()) {
                type = declaredType(declared);
            } else {
                switch (stored) {
                case SQLITE_INTEGER:
                    type = QMetaType(QMetaType::Int);
                    break;
                case SQLITE_FLOAT:
                    type = QMetaType(QMetaType::Double);
                    break;
                case SQLITE_BLOB:
                    type = QMetaType(QMetaType::QByteArray);
                    break;
                case SQLITE_TEXT:
                    type = QMetaType(QMetaType::QString);
                    break;
                default:
                    break;
                }
            }
            QSqlField field(textOf(sqlite3_column_name16(m_stmt, i)).remove(u'"'), type,
                            textOf(sqlite3_column_table_name16(m_stmt, i)).remove(u'"'));
            field.setSqlType(stored);
            r.append(field);
        }
        return r;
    }

    QVariant lastInsertId() const override
    {
        if (!m_active || !prepared())
            return QVariant();
        const qint64 id = sqlite3_last_insert_rowid(sqlite3_db_handle(m_stmt));
        return id ? QVariant(id) : QVariant();
    }

    int numRowsAffected() const override
    {
        return prepared() ? sqlite3_changes(sqlite3_db_handle(m_stmt)) : -1;
    }

    void finish() override
    {
        m_active = m_onRow = m_firstPending = false;
        if (!m_reset && prepared() && sqlite3_reset(m_stmt) != SQLITE_OK)
            m_failed = true;
        m_reset = true;
    }

    bool reusable() const override { return !m_failed && prepared(); }

    std::optional<bool> inTransaction() const override
    {
        if (!prepared())
            return std::nullopt;
        return sqlite3_get_autocommit(sqlite3_db_handle(m_stmt)) == 0;
    }

private:
    // Whether a column of a row reached by next() can be read.
    bool onColumn(int column) const
    {
        return m_active && !m_firstPending && m_onRow && prepared() && column >= 0 &&
               column < sqlite3_column_count(m_stmt);
    }

    // Whether the statement is still there: its connection did not close.
    bool prepared() const
    {
        if (!m_stmt)
            return false;
        if (m_life)
            return m_life->open.load(std::memory_order_relaxed);
        // Without word of the connection's closing, the driver is asked.
        return sqliteStatementOf(m_query) == m_stmt;
    }

    // One step. A finished statement is reset at once, so that it holds
    // nothing on the file; a failed one too, with the driver's error.
    bool step(std::optional<QSqlError> *error)
    {
        int rc = sqlite3_step(m_stmt);
        m_reset = false;
        if (rc == SQLITE_ROW) {
            m_onRow = true;
            return true;
        }
        m_onRow = false;
        m_reset = true;  // here, whatever the outcome
        if (rc == SQLITE_DONE) {
            sqlite3_reset(m_stmt);
            return true;
        }
        m_failed = true;
        if (rc == SQLITE_CONSTRAINT || rc == SQLITE_ERROR) {
            // The specific reason comes with the reset.
            rc = sqlite3_reset(m_stmt);
            if (error)
                *error = errorOf("Unable to fetch row", QSqlError::ConnectionError, rc);
        } else {
            if (error)
                *error = errorOf("Unable to fetch row", QSqlError::ConnectionError, rc);
            sqlite3_reset(m_stmt);
        }
        return false;
    }

    QSqlError errorOf(const char *what, QSqlError::ErrorType type, int rc) const
    {
        return QSqlError(driverText(what), textOf(sqlite3_errmsg16(sqlite3_db_handle(m_stmt))),
                         type, QString::number(rc));
    }

    QSqlQuery m_query;      // owns the prepared statement
    sqlite3_stmt *m_stmt;   // and this is it
    std::shared_ptr<const ConnectionLife> m_life;
    QSql::NumericalPrecisionPolicy m_precision;
    std::vector<std::string> m_texts;  // the texts bound now, as UTF-8
    QStringEncoder m_utf8{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
    bool m_active = false;        // run and not finished
    bool m_onRow = false;         // SQLite stands on a row
    bool m_firstPending = false;  // that row is the first, not yet reached by next()
    bool m_reset = true;          // reset since it last stepped
    bool m_failed = false;
};

// ---- Run by the driver (every other engine) ---------------------------------------

class DriverStatement final : public Statement
{
public:
    DriverStatement(QSqlQuery query, const QString &text, int bindCount)
        : Statement(text, bindCount), m_query(std::move(query))
    {
    }

    bool run(const Values &binds, std::optional<QSqlError> &error) override
    {
        for (const QVariant &v : binds)
            m_query.addBindValue(v);
        if (m_query.exec())
            return true;
        m_failed = true;
        error = m_query.lastError();
        return false;
    }
    bool next() override { return m_query.next(); }
    QVariant value(int column) const override { return m_query.value(column); }
    QSqlRecord record() const override { return m_query.record(); }
    QVariant lastInsertId() const override { return m_query.lastInsertId(); }
    int numRowsAffected() const override { return m_query.numRowsAffected(); }
    void finish() override { m_query.finish(); }
    bool reusable() const override
    {
        return !m_failed && m_query.driver() && m_query.driver()->isOpen();
    }

private:
    QSqlQuery m_query;
    bool m_failed = false;
};

// ---- What every connection keeps ----------------------------------------------------

// Kept statements by the connection's driver object, which lives from the
// connection's addition to its removal. Never destroyed: drivers may go
// after static objects at exit, and the driver finalizes what it prepared.
struct Registry {
    QMutex mutex;
    std::unordered_map<const QSqlDriver *, std::shared_ptr<KeptStatements>> byDriver;
    // What was learnt of each open SQLite connection's life.
    std::unordered_map<sqlite3 *, std::shared_ptr<ConnectionLife>> lives;
};

Registry &registry()
{
    static Registry *r = new Registry;
    return *r;
}

const void *connectionOf(const QSqlDriver *driver)
{
    const QVariant handle = driver->handle();
    if (!handle.isValid() || !(handle.metaType().flags() & QMetaType::IsPointer))
        return nullptr;
    return *static_cast<const void *const *>(handle.constData());
}

void nothing(sqlite3_context *ctx, int, sqlite3_value **)
{
    sqlite3_result_null(ctx);
}

void connectionClosed(void *life)
{
    auto *held = static_cast<std::shared_ptr<ConnectionLife> *>(life);
    (*held)->open = false;
    delete held;
}

// The life of an open SQLite connection: learnt once per connection, by a
// function whose destruction tells its closing. Null if SQLite refused it.
// Called with the lock held.
std::shared_ptr<ConnectionLife> lifeOf(sqlite3 *handle)
{
    auto &lives = registry().lives;
    if (const auto it = lives.find(handle); it != lives.end() && it->second->open)
        return it->second;
    // What is known of connections closed since goes (their handles may be
    // given to new ones).
    for (auto it = lives.begin(); it != lives.end();)
        it = it->second->open ? std::next(it) : lives.erase(it);
    std::shared_ptr<ConnectionLife> &life = lives[handle];
    life = std::make_shared<ConnectionLife>();
    // SQLite calls connectionClosed() also when it refuses the function.
    auto *held = new std::shared_ptr<ConnectionLife>(life);
    if (sqlite3_create_function_v2(handle, "velbora_statements_kept", 0, SQLITE_UTF8, held,
                                   nothing, nullptr, nullptr, connectionClosed) != SQLITE_OK) {
        life.reset();
        registry().lives.erase(handle);
        return nullptr;
    }
    return life;
}

void forgetDriver(const QSqlDriver *driver)
{
    std::shared_ptr<KeptStatements> dropped;
    QMutexLocker lock(&registry().mutex);
    const auto it = registry().byDriver.find(driver);
    if (it == registry().byDriver.end())
        return;
    dropped = std::move(it->second);
    registry().byDriver.erase(it);
    lock.unlock();
}

bool stillOpen(const KeptStatements &kept, const QSqlDriver *driver)
{
    if (kept.life)
        return kept.life->open;
    return connectionOf(driver) == kept.connection;
}

// The connection's kept statements, made when there are none (or the ones
// there belong to an earlier opening of it). Called with the lock held;
// what is replaced is handed out in `dropped`, to go after the lock.
std::shared_ptr<KeptStatements> &homeOf(const QSqlDatabase &db, QSqlDriver *driver,
                                        std::shared_ptr<KeptStatements> &dropped)
{
    std::shared_ptr<KeptStatements> &slot = registry().byDriver[driver];
    if (slot && !stillOpen(*slot, driver))
        dropped = std::move(slot);
    if (!slot) {
        slot = std::make_shared<KeptStatements>();
        if (sqlite3 *handle = sqliteHandle(db))
            slot->life = lifeOf(handle);
        if (!slot->life)
            slot->connection = connectionOf(driver);
        // Removing the connection deletes its driver: what it kept goes with it.
        slot->removal = QObject::connect(driver, &QObject::destroyed,
                                         [driver] { forgetDriver(driver); });
    }
    return slot;
}

}  // namespace

namespace statements {

std::unique_ptr<Statement> take(const QSqlDatabase &db, const QString &text, int bindCount,
                                std::optional<QSqlError> &error)
{
    // What is let go of goes after the lock.
    std::shared_ptr<KeptStatements> dropped;
    std::unique_ptr<Statement> found, stale;
    std::weak_ptr<KeptStatements> home;
    std::shared_ptr<const ConnectionLife> life;
    const TextKey key{text, TextKey::hashOf(text)};
    QSqlDriver *driver = db.driver();
    if (driver && db.isOpen()) {
        QMutexLocker lock(&registry().mutex);
        std::shared_ptr<KeptStatements> *kept = &homeOf(db, driver, dropped);
        const auto it = (*kept)->byText.find(key);
        if (it != (*kept)->byText.end() && it->second.statement &&
            it->second.statement->bindCount() == bindCount) {
            found = std::move(it->second.statement);
            if (!found->reusable()) {
                // The connection was closed and opened again without a word:
                // none of what it kept is prepared any more.
                stale = std::move(found);
                dropped = std::move(*kept);
                kept = &homeOf(db, driver, dropped);
            } else {
                ++it->second.inUse;
                StatementsAccess::place(*found) = &it->second;
            }
        }
        if (!found) {
            home = *kept;
            life = (*kept)->life;
        }
    }
    if (found)
        return found;

    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(text)) {
        error = query.lastError();
        return nullptr;
    }
    std::unique_ptr<Statement> made;
    if (sqliteStatementOf(query))
        made = std::make_unique<SqliteStatement>(std::move(query), text, bindCount, std::move(life));
    else
        made = std::make_unique<DriverStatement>(std::move(query), text, bindCount);
    StatementsAccess::home(*made) = std::move(home);
    StatementsAccess::hash(*made) = key.hash;
    return made;
}

void giveBack(std::unique_ptr<Statement> statement)
{
    if (!statement)
        return;
    statement->finish();
    std::unique_ptr<Statement> dropped;
    QMutexLocker lock(&registry().mutex);
    const std::shared_ptr<KeptStatements> home = StatementsAccess::home(*statement).lock();
    KeptStatements::Kept *place = StatementsAccess::place(*statement);
    StatementsAccess::place(*statement) = nullptr;
    if (!home) {  // its connection's kept statements are gone (and its place)
        dropped = std::move(statement);
        return;
    }
    if (place)
        --place->inUse;
    if (!statement->reusable()) {
        dropped = std::move(statement);
        return;
    }
    if (!place)  // prepared for this run: its place is found (or made) now
        place = &home->byText[TextKey{statement->text(), StatementsAccess::hash(*statement)}];
    if (place->statement) {  // another one of the same text came back first
        dropped = std::move(statement);
        return;
    }
    place->statement = std::move(statement);
    place->lastUse = ++home->uses;
    if (home->byText.size() > size_t(kKeptPerConnection)) {
        // The one used longest ago goes, of those not in use.
        auto oldest = home->byText.end();
        for (auto it = home->byText.begin(); it != home->byText.end(); ++it)
            if (it->second.inUse == 0 &&
                (oldest == home->byText.end() || it->second.lastUse < oldest->second.lastUse))
                oldest = it;
        if (oldest != home->byText.end()) {
            dropped = std::move(oldest->second.statement);
            home->byText.erase(oldest);
        }
    }
}

void forget(const QSqlDatabase &db)
{
    if (const QSqlDriver *driver = db.driver())
        forgetDriver(driver);
}

bool changesSchema(const QString &text)
{
    // Most statements are told apart by their first letter.
    const QChar *c = text.constData();
    const QChar *end = c + text.size();
    while (c != end && c->isSpace())
        ++c;
    if (c == end)
        return false;
    switch (c->unicode()) {
    case u'C':
    case u'c':
    case u'A':
    case u'a':
    case u'D':
    case u'd':
        break;
    default:
        return false;
    }
    const QStringView t = QStringView(c, end).trimmed();
    for (const char *word : {"CREATE", "ALTER", "DROP"}) {
        const QLatin1StringView w(word);
        if (t.startsWith(w, Qt::CaseInsensitive) &&
            (t.size() == w.size() || !t.at(w.size()).isLetterOrNumber()))
            return true;
    }
    return false;
}

int keptPerConnection()
{
    return kKeptPerConnection;
}

int keptCount(const QSqlDatabase &db)
{
    QMutexLocker lock(&registry().mutex);
    const auto it = registry().byDriver.find(db.driver());
    if (it == registry().byDriver.end())
        return 0;
    int n = 0;
    for (const auto &[text, kept] : it->second->byText)
        n += kept.statement ? 1 : 0;
    return n;
}

int connectionsKeeping()
{
    QMutexLocker lock(&registry().mutex);
    return int(registry().byDriver.size());
}

}  // namespace statements
}  // namespace sql
