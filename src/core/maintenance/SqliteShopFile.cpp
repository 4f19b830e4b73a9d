#include "core/maintenance/SqliteShopFile.h"

#include "core/db/Schema.h"
#include "core/db/SqlFunctions.h"
#include "core/db/Udm1.h"
#include "core/maintenance/Aside.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QStorageInfo>
#include <QThread>
#include <QUuid>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace maintenance {

namespace {

QString errorOf(sqlite3 *h)
{
    return QString::fromUtf8(sqlite3_errmsg(h));
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// A connection of this thread's own onto a file, with the program's SQL
// functions (the goods indexes are kept in their name order), reached
// through its SQLite handle.
class FileConnection
{
public:
    FileConnection(const QString &path, bool readOnly)
        : m_name(QStringLiteral("maintenance-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            m_error = db.lastError().text();
        else if (!registerSqlFunctions(db))
            m_error = QStringLiteral("cannot register the SQL functions");
        else
            m_handle = sqliteHandle(db);
    }
    ~FileConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    FileConnection(const FileConnection &) = delete;
    FileConnection &operator=(const FileConnection &) = delete;

    sqlite3 *handle() const { return m_handle; }
    QString error() const { return m_error; }

private:
    QString m_name;
    QString m_error;
    sqlite3 *m_handle = nullptr;
};

// A bare SQLite connection, closed with it.
struct Bare {
    sqlite3 *h = nullptr;
    ~Bare() { sqlite3_close_v2(h); }
};

std::optional<QString> run(sqlite3 *h, const char *statement)
{
    char *message = nullptr;
    if (sqlite3_exec(h, statement, nullptr, nullptr, &message) == SQLITE_OK)
        return std::nullopt;
    const QString error = message ? QString::fromUtf8(message) : errorOf(h);
    sqlite3_free(message);
    return error;
}

// The first column of every row of a statement with one optional text
// bound, as texts; nothing and `error` set when it fails.
std::optional<QStringList> texts(sqlite3 *h, const char *statement, QString *error,
                                 const QByteArray &bound = QByteArray())
{
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(h, statement, -1, &s, nullptr) != SQLITE_OK) {
        *error = errorOf(h);
        return std::nullopt;
    }
    if (!bound.isNull())
        sqlite3_bind_text(s, 1, bound.constData(), int(bound.size()), SQLITE_TRANSIENT);
    QStringList rows;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW)
        rows << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE) {
        *error = errorOf(h);
        return std::nullopt;
    }
    return rows;
}

qint64 number(sqlite3 *h, const char *statement, QString *error)
{
    const auto rows = texts(h, statement, error);
    return rows && !rows->isEmpty() ? rows->first().toLongLong() : -1;
}

// The program's stamp in a file's header, read as plain bytes: a text file,
// an empty file or another program's database is refused before SQLite
// looks at it.
std::optional<QString> stampProblem(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read ") + path;
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return QStringLiteral("not an SQLite database: ") + path;
    const auto byte = [&header](int i) { return uint32_t(uint8_t(header[i])); };
    const uint32_t id = byte(68) << 24 | byte(69) << 16 | byte(70) << 8 | byte(71);
    if (id != uint32_t(schema::ApplicationId))
        return QStringLiteral("not a shop database (no stamp): ") + path;
    return std::nullopt;
}

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a), fb(b);
    if (QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath()))
        return true;
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

// The files SQLite keeps beside a database while it works on it.
const char *const kSidecars[] = {"-journal", "-wal", "-shm"};

// A database file and the files beside it.
QStringList withSidecars(const QString &path)
{
    QStringList all{path};
    for (const char *s : kSidecars)
        all << path + QString::fromLatin1(s);
    return all;
}

// Removes a copy of ours and what SQLite left beside it; false when one
// of them stays.
bool removeCopy(const QString &path)
{
    bool gone = true;
    for (const QString &p : withSidecars(path)) {
        if (QFileInfo(p).isDir())
            gone = false;
        else if (QFileInfo::exists(p) && !QFile::remove(p))
            gone = false;
    }
    return gone;
}

std::optional<QString> renameOver(const QString &from, const QString &to)
{
    if (std::rename(native(from).constData(), native(to).constData()) != 0)
        return QStringLiteral("cannot rename ") + from + QStringLiteral(" to ") + to +
               QStringLiteral(": ") + systemError();
    return std::nullopt;
}

// A copy of the database at `source` written to `dest` page by page from one
// snapshot: the read transaction held over every step keeps the copy to
// what was committed when it began, whatever is written meanwhile. The copy
// keeps no log of its own: it is one whole file.
std::optional<QString> onlineCopy(const QString &source, const QString &dest,
                                  const Progress &progress)
{
    Bare src, dst;
    if (sqlite3_open_v2(native(source).constData(), &src.h, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        return QStringLiteral("cannot open ") + source + QStringLiteral(": ") + errorOf(src.h);
    sqlite3_busy_timeout(src.h, 5000);
    if (auto e = run(src.h, "BEGIN; SELECT count(*) FROM sqlite_master"))
        return QStringLiteral("cannot read ") + source + QStringLiteral(": ") + *e;
    if (sqlite3_open_v2(native(dest).constData(), &dst.h,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        return QStringLiteral("cannot write ") + dest + QStringLiteral(": ") + errorOf(dst.h);
    sqlite3_backup *backup = sqlite3_backup_init(dst.h, "main", src.h, "main");
    if (!backup)
        return QStringLiteral("cannot copy to ") + dest + QStringLiteral(": ") + errorOf(dst.h);
    int rc;
    do {
        rc = sqlite3_backup_step(backup, 1024);
        const qint64 total = sqlite3_backup_pagecount(backup);
        if (progress)
            progress(total - sqlite3_backup_remaining(backup), total);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            QThread::msleep(20);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        return QStringLiteral("copy to ") + dest + QStringLiteral(" failed: ") +
               QString::fromUtf8(sqlite3_errstr(rc));
    run(src.h, "COMMIT");
    if (auto e = run(dst.h, "PRAGMA journal_mode = DELETE"))
        return QStringLiteral("cannot finish ") + dest + QStringLiteral(": ") + *e;
    if (sqlite3_close_v2(dst.h) != SQLITE_OK)
        return QStringLiteral("cannot close ") + dest;
    dst.h = nullptr;
    return std::nullopt;
}

// A byte copy of a file, synced to the disk.
std::optional<QString> byteCopy(const QString &from, const QString &to, const Progress &progress)
{
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read ") + from + QStringLiteral(": ") + in.errorString();
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("cannot write ") + to + QStringLiteral(": ") + out.errorString();
    const qint64 total = in.size();
    qint64 done = 0;
    QByteArray chunk;
    while (!(chunk = in.read(4 << 20)).isEmpty()) {
        if (out.write(chunk) != chunk.size())
            return QStringLiteral("cannot write ") + to + QStringLiteral(": ") + out.errorString();
        done += chunk.size();
        if (progress)
            progress(done, total);
    }
    if (in.error() != QFileDevice::NoError)
        return QStringLiteral("cannot read ") + from + QStringLiteral(": ") + in.errorString();
    if (!out.flush() || ::fsync(out.handle()) != 0)
        return QStringLiteral("cannot write ") + to + QStringLiteral(": ") + systemError();
    return std::nullopt;
}

std::optional<QString> injected(const char *step)
{
    return QStringLiteral("failure tried at ") + QString::fromLatin1(step);
}

}  // namespace

SqliteShopFile::SqliteShopFile(TDM1 &dm) : m_dm(dm) {}

QString SqliteShopFile::compactedName() const
{
    return m_dm.databasePath() + QStringLiteral(".tmp");
}

QString SqliteShopFile::restoredName() const
{
    return m_dm.databasePath() + QStringLiteral(".restore");
}

std::optional<QString> SqliteShopFile::checkCandidate(const QString &path)
{
    if (auto refused = stampProblem(path))
        return refused;
    FileConnection c(path, true);
    if (!c.handle())
        return QStringLiteral("cannot open ") + path + QStringLiteral(": ") + c.error();
    sqlite3 *h = c.handle();
    QString error;
    const auto check = texts(h, "PRAGMA quick_check", &error);
    if (!check)
        return QStringLiteral("cannot check ") + path + QStringLiteral(": ") + error;
    if (*check != QStringList{QStringLiteral("ok")})
        return QStringLiteral("damaged: ") + path + QStringLiteral(": ") +
               check->mid(0, 3).join(QStringLiteral("; "));
    const qint64 version = number(h, "PRAGMA user_version", &error);
    if (version < 0 || version > schema::SchemaVersion)
        return QStringLiteral("made by a newer program (version %1): ").arg(version) + path;
    for (const schema::Table &t : schema::tables()) {
        const auto columns =
            texts(h, "SELECT name FROM pragma_table_info(?)", &error, QByteArray(t.name));
        if (!columns)
            return QStringLiteral("cannot read the tables of ") + path + QStringLiteral(": ") + error;
        if (columns->isEmpty())
            return QStringLiteral("no table ") + QString::fromLatin1(t.name) + QStringLiteral(": ") +
                   path;
        for (const schema::Column &col : t.columns)
            if (!columns->contains(QString::fromLatin1(col.name)))
                return QStringLiteral("no column %1.%2: ")
                           .arg(QString::fromLatin1(t.name), QString::fromLatin1(col.name)) +
                       path;
    }
    if (number(h, "SELECT count(*) FROM danwei", &error) < 1)
        return QStringLiteral("no shop record: ") + path;
    if (number(h, "SELECT count(*) FROM yhsz WHERE yhmc <> ''", &error) < 1)
        return QStringLiteral("no operator: ") + path;
    return std::nullopt;
}

std::optional<QString> SqliteShopFile::backupTo(const QString &target, const Progress &progress)
{
    const QString live = m_dm.databasePath();
    const QString to = QFileInfo(target).absoluteFilePath();
    for (const QString &own : withSidecars(live))
        if (sameFile(to, own))
            return QStringLiteral("the shop's own file is no backup target: ") + to;
    if (QFileInfo(to).isDir())
        return QStringLiteral("a folder is in the way: ") + to;
    if (!QFileInfo(to).absoluteDir().exists())
        return QStringLiteral("no such folder: ") + QFileInfo(to).absolutePath();
    const QString part = partName(to);
    if (!removeCopy(part))
        return QStringLiteral("cannot remove ") + part;

    std::optional<QString> error;
    runAside(
        [&](const Progress &report) {
            error = onlineCopy(live, part, report);
            if (!error && failsAt(Step::Copy))
                error = injected("copy");
            if (!error)
                error = checkCandidate(part);
            if (!error && failsAt(Step::Verify))
                error = injected("verify");
            if (!error && failsAt(Step::Replace))
                error = injected("replace");
            // Aside too: replacing a large file frees its room, which takes a while.
            if (!error)
                error = renameOver(part, to);
            if (error)
                removeCopy(part);
        },
        progress);
    return error;
}

std::optional<QString> SqliteShopFile::restoreFrom(const QString &backup, const QString &safetyCopy,
                                                   const Progress &progress)
{
    const QString live = m_dm.databasePath();
    if (!QFileInfo(backup).isFile())
        return QStringLiteral("no such file: ") + backup;
    const QString candidate = restoredName();
    // The shop and the names of our own copies beside it are never a backup.
    for (const QString &own : withSidecars(live) + QStringList{candidate, compactedName(),
                                                               live + QStringLiteral(".old")})
        if (sameFile(backup, own))
            return QStringLiteral("the shop's own file is no backup: ") + backup;
    if (!removeCopy(candidate))
        return QStringLiteral("cannot remove ") + candidate;

    std::optional<QString> error = stampProblem(backup);
    if (!error)
        runAside(
            [&](const Progress &report) {
                // The chosen file is only read: everything is done on a copy of it,
                // which is also the file that goes into place. A log beside it (a
                // shop file copied while it was open) goes along and is folded in.
                error = byteCopy(backup, candidate, report);
                const QString log = backup + QString::fromLatin1(kSidecars[1]);
                if (!error && QFileInfo(log).size() > 0)
                    error = byteCopy(log, candidate + QString::fromLatin1(kSidecars[1]), {});
                if (!error && failsAt(Step::Copy))
                    error = injected("copy");
                if (!error) {
                    FileConnection c(candidate, false);
                    if (!c.handle())
                        error = c.error();
                    else if (auto e = run(c.handle(), "PRAGMA journal_mode = DELETE"))
                        error = *e;
                }
                if (!error)
                    error = checkCandidate(candidate);
                if (!error && failsAt(Step::Verify))
                    error = injected("verify");
                // The shop as it stands, kept before anything replaces it.
                if (!error) {
                    const QString part = partName(safetyCopy);
                    if (!removeCopy(part))
                        error = QStringLiteral("cannot remove ") + part;
                    if (!error)
                        error = onlineCopy(live, part, report);
                    if (!error)
                        error = checkCandidate(part);
                    if (!error)
                        error = renameOver(part, safetyCopy);
                    if (error)
                        removeCopy(part);
                }
            },
            progress);
    if (!error)
        error = replaceShopBy(candidate);
    runAside([&candidate](const Progress &) { removeCopy(candidate); }, {});
    return error;
}

std::optional<QString> SqliteShopFile::compact(const Progress &progress)
{
    const QString live = m_dm.databasePath();
    const QString tmp = compactedName();
    QSqlDatabase db = m_dm.ADOC1();
    sqlite3 *h = sqliteHandle(db);
    if (!h)
        return QStringLiteral("the shop is not open");
    QString error;
    const qint64 pages = number(h, "PRAGMA page_count", &error);
    const qint64 unused = number(h, "PRAGMA freelist_count", &error);
    const qint64 pageSize = number(h, "PRAGMA page_size", &error);
    if (pages < 0 || unused < 0 || pageSize < 0)
        return QStringLiteral("cannot read the size of the shop: ") + error;
    // The compacted copy is written beside the shop while the shop stays:
    // room for the copy, with some to spare.
    const qint64 expected = (pages - unused) * pageSize;
    const qint64 needed = expected + expected / 10 + (32 << 20);
    const qint64 room = QStorageInfo(QFileInfo(live).absolutePath()).bytesAvailable();
    if ((room >= 0 && room < needed) || failsAt(Step::Room))
        return QStringLiteral("not enough room for the compacted copy: %1 bytes free, %2 needed")
            .arg(room)
            .arg(needed);
    if (!removeCopy(tmp))
        return QStringLiteral("cannot remove ") + tmp;

    const qint64 changes = sqlite3_total_changes64(h);
    std::optional<QString> failed;
    runAside(
        [&](const Progress &report) {
            {
                FileConnection reader(live, true);
                if (!reader.handle()) {
                    failed = reader.error();
                    return;
                }
                struct Watch {
                    QString file;
                    qint64 expected;
                    const Progress *report;
                } watch{tmp, expected, &report};
                sqlite3_progress_handler(
                    reader.handle(), 200000,
                    [](void *p) {
                        auto *w = static_cast<Watch *>(p);
                        (*w->report)(QFileInfo(w->file).size(), w->expected);
                        return 0;
                    },
                    &watch);
                sqlite3_stmt *s = nullptr;
                const QByteArray name = native(tmp);
                if (sqlite3_prepare_v2(reader.handle(), "VACUUM INTO ?", -1, &s, nullptr) !=
                    SQLITE_OK) {
                    failed = errorOf(reader.handle());
                    return;
                }
                sqlite3_bind_text(s, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
                if (sqlite3_step(s) != SQLITE_DONE)
                    failed = errorOf(reader.handle());
                sqlite3_finalize(s);
                sqlite3_progress_handler(reader.handle(), 0, nullptr, nullptr);
                report(expected, expected);
            }
            if (!failed && failsAt(Step::Copy))
                failed = injected("copy");
            if (!failed) {
                FileConnection c(tmp, false);
                if (!c.handle())
                    failed = c.error();
                else if (auto e = run(c.handle(), "PRAGMA journal_mode = DELETE"))
                    failed = *e;
            }
            if (!failed)
                failed = checkCandidate(tmp);
            if (!failed && failsAt(Step::Verify))
                failed = injected("verify");
        },
        progress);
    // Nothing may have been written meanwhile, or the copy would lack it.
    if (!failed && sqlite3_total_changes64(h) != changes)
        failed = QStringLiteral("the shop was written while it was compacted");
    if (!failed)
        failed = replaceShopBy(tmp);
    runAside([&tmp](const Progress &) { removeCopy(tmp); }, {});
    return failed;
}

std::optional<QString> SqliteShopFile::replaceShopBy(const QString &replacement)
{
    const QString live = m_dm.databasePath();
    const QString old = live + QStringLiteral(".old");
    const QString log = live + QString::fromLatin1(kSidecars[1]);
    const QString shared = live + QString::fromLatin1(kSidecars[2]);
    if (failsAt(Step::Replace))
        return injected("replace");
    if (!removeCopy(old))
        return QStringLiteral("cannot remove ") + old;

    // Closing the last connection folds the log back into the file and
    // removes it; a log that stays belongs to someone else still reading.
    m_dm.closeConnection();
    if (QFileInfo::exists(log)) {
        m_dm.open();
        return QStringLiteral("the shop is still in use (its log stays): ") + log;
    }
    QFile::remove(shared);

    // The old file stays under a second name until the new one is open, so
    // that the shop is never without one.
    const bool linked = ::link(native(live).constData(), native(old).constData()) == 0;
    if (!linked) {
        if (auto e = renameOver(live, old)) {
            m_dm.open();
            return e;
        }
    }
    if (auto e = renameOver(replacement, live)) {
        if (!linked)
            renameOver(old, live);
        m_dm.open();
        return e;
    }
    std::optional<QString> opened = m_dm.open();
    if (!opened && failsAt(Step::Reopen))
        opened = injected("reopen");
    if (opened) {
        // Back to the old file; the log the new one may have left goes first,
        // or SQLite would read it into the old file.
        m_dm.closeConnection();
        QFile::remove(log);
        QFile::remove(shared);
        if (auto e = renameOver(old, live))
            return *opened + QStringLiteral("; and the old file cannot be put back: ") + *e;
        m_dm.open();
        return QStringLiteral("cannot open the new file: ") + *opened;
    }
    runAside([&old](const Progress &) { QFile::remove(old); }, {});
    return std::nullopt;
}

std::unique_ptr<ShopStore> storeOf(TDM1 &dm)
{
    return std::make_unique<SqliteShopFile>(dm);
}

}  // namespace maintenance
