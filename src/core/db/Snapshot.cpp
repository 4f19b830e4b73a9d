#include "core/db/Snapshot.h"

#include "core/money/Decimal.h"
#include "core/money/DecimalColumns.h"
#include "core/db/SqlFunctions.h"

#include <QByteArrayView>
#include <QStringEncoder>

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#endif

namespace {

// A block of memory for the rows of a long list. Fresh memory is costly to
// touch on some machines: each 4 KiB page faults on its own, and on a virtual
// machine that can take over ten microseconds, more than the fetch of the rows
// on the page. Where the system offers huge pages on request, large blocks are
// mapped on a huge-page boundary and ask for them, which cuts the faults of a
// long list from thousands to a few.
struct Block {
    void *data = nullptr;
    size_t bytes = 0;
    bool mapped = false;
};

Block allocateBlock(size_t bytes)
{
#if defined(Q_OS_LINUX) && defined(MADV_HUGEPAGE)
    constexpr size_t huge = size_t(2) << 20;
    if (bytes >= huge / 2) {
        bytes = (bytes + huge - 1) & ~(huge - 1);
        void *raw = mmap(nullptr, bytes + huge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                         -1, 0);
        if (raw != MAP_FAILED) {
            // One huge page more was mapped; what lies before the first
            // boundary and after the block is given back.
            char *first = static_cast<char *>(raw);
            char *start = reinterpret_cast<char *>((uintptr_t(first) + huge - 1) & ~uintptr_t(huge - 1));
            const size_t head = size_t(start - first);
            if (head > 0)
                munmap(first, head);
            munmap(start + bytes, huge - head);
            madvise(start, bytes, MADV_HUGEPAGE);
            return {start, bytes, true};
        }
    }
#endif
    void *p = std::malloc(bytes);
    if (!p)
        throw std::bad_alloc();
    return {p, bytes, false};
}

void releaseBlock(const Block &b)
{
#if defined(Q_OS_LINUX) && defined(MADV_HUGEPAGE)
    if (b.mapped) {
        munmap(b.data, b.bytes);
        return;
    }
#endif
    std::free(b.data);
}

// A growable array of plain values in one block.
template <class T>
class Array
{
    static_assert(std::is_trivially_copyable_v<T>);

public:
    Array() = default;
    Array(const Array &) = delete;
    Array &operator=(const Array &) = delete;
    ~Array() { releaseBlock(m_block); }

    size_t size() const { return m_size; }
    const T *data() const { return static_cast<const T *>(m_block.data); }
    const T &operator[](size_t i) const { return data()[i]; }

    void reserve(size_t n)
    {
        if (n > capacity())
            grow(n);
    }
    void push_back(T v)
    {
        if (m_size == capacity())
            grow(m_size + 1);
        static_cast<T *>(m_block.data)[m_size++] = v;
    }
    void append(const T *values, size_t n)
    {
        if (n == 0)
            return;
        std::memcpy(room(n), values, n * sizeof(T));
        m_size += n;
    }
    // Space for n more values at the end; added() counts those written.
    T *room(size_t n)
    {
        reserve(m_size + n);
        return static_cast<T *>(m_block.data) + m_size;
    }
    void added(size_t n) { m_size += n; }

private:
    size_t capacity() const { return m_block.bytes / sizeof(T); }

    void grow(size_t needed)
    {
        const size_t wanted = std::max({needed, capacity() * 2, 4096 / sizeof(T)});
        const Block fresh = allocateBlock(wanted * sizeof(T));
        if (m_size > 0)
            std::memcpy(fresh.data, m_block.data, m_size * sizeof(T));
        releaseBlock(m_block);
        m_block = fresh;
    }

    Block m_block;
    size_t m_size = 0;
};

// A text or blob slot: where it starts in the pool, shifted left, and its
// length in bytes in the low bits. Longer values are kept as QVariants.
constexpr int LengthBits = 24;
constexpr int64_t MaxPooledLength = (int64_t(1) << LengthBits) - 1;
constexpr int64_t MaxPoolOffset = (int64_t(1) << (63 - LengthBits)) - 1;

}  // namespace

// The cells, row after row; never changed once made, only replaced.
struct Snapshot::Cells {
    Array<Kind> kinds;
    Array<int64_t> slots;
};

// The bytes of the texts and blobs back to back, and the values of any other
// type; shared by every copy of a snapshot, permuted ones included.
struct Snapshot::Pool {
    Array<char> bytes;
    std::vector<QVariant> others;
};

// Fills the cells and the pool of a new snapshot, one cell after another.
class Snapshot::Builder
{
public:
    Builder() : m_cells(std::make_shared<Cells>()), m_pool(std::make_shared<Pool>()) {}

    void reserve(size_t cells)
    {
        m_cells->kinds.reserve(cells);
        m_cells->slots.reserve(cells);
    }

    void null() { add(Kind::Null, 0); }
    void integer(int64_t v) { add(Kind::Integer, v); }
    void real(double v)
    {
        int64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        add(Kind::Real, bits);
    }
    // UTF-8 text or blob bytes.
    void bytes(Kind kind, const char *data, size_t size)
    {
        const size_t offset = m_pool->bytes.size();
        if (!fitsPool(offset, size)) {
            if (kind == Kind::Text)
                other(QString::fromUtf8(data, qsizetype(size)));
            else
                other(QByteArray(data, qsizetype(size)));
            return;
        }
        m_pool->bytes.append(data, size);
        add(kind, slotOf(offset, size));
    }
    void text(const QString &s)
    {
        const size_t offset = m_pool->bytes.size();
        const size_t room = size_t(m_utf8.requiredSpace(s.size()));
        if (!fitsPool(offset, room)) {
            other(s);
            return;
        }
        char *out = m_pool->bytes.room(room);
        const size_t size = size_t(m_utf8.appendToBuffer(out, s) - out);
        m_pool->bytes.added(size);
        add(Kind::Text, slotOf(offset, size));
    }
    void other(QVariant v)
    {
        m_pool->others.push_back(std::move(v));
        add(Kind::Other, int64_t(m_pool->others.size() - 1));
    }

    void finish(Snapshot &s, int width)
    {
        const size_t cells = m_cells->kinds.size();
        s.m_rowCount = width > 0 ? int(cells / size_t(width)) : 0;
        s.m_cells = std::move(m_cells);
        s.m_pool = std::move(m_pool);
    }

private:
    static bool fitsPool(size_t offset, size_t size)
    {
        return size <= size_t(MaxPooledLength) && offset <= size_t(MaxPoolOffset);
    }
    static int64_t slotOf(size_t offset, size_t size)
    {
        return int64_t(offset) << LengthBits | int64_t(size);
    }
    void add(Kind kind, int64_t slot)
    {
        m_cells->kinds.push_back(kind);
        m_cells->slots.push_back(slot);
    }

    std::shared_ptr<Cells> m_cells;
    std::shared_ptr<Pool> m_pool;
    QStringEncoder m_utf8{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
};

namespace {

struct FinalizeStatement {
    void operator()(sqlite3_stmt *s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

[[noreturn]] void fail(sqlite3 *db)
{
    throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
}

double realOf(int64_t bits)
{
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

}  // namespace

struct SnapshotStream::Prepared {
    sqlite3 *handle = nullptr;
    // The bound texts, which outlive the statement (it is finalized first).
    std::vector<std::string> texts;
    Statement stmt;
};

SnapshotStream::SnapshotStream(const QSqlDatabase &db, const QString &statement,
                               const sql::Binds &binds)
    : m_prepared(std::make_unique<Prepared>())
{
    sqlite3 *handle = sqliteHandle(db);
    if (!handle)
        throw DbError(QStringLiteral("not an open SQLite connection"));
    m_prepared->handle = handle;

    const QByteArray text = statement.toUtf8();
    sqlite3_stmt *prepared = nullptr;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &prepared, &tail) != SQLITE_OK)
        fail(handle);
    m_prepared->stmt.reset(prepared);
    sqlite3_stmt *stmt = m_prepared->stmt.get();
    if (!stmt)
        throw DbError(QStringLiteral("no statement to run"));
    if (tail && !QByteArrayView(tail, text.constData() + text.size() - tail).trimmed().isEmpty())
        throw DbError(QStringLiteral("only one statement can be run at a time"));

    if (sqlite3_bind_parameter_count(stmt) != int(binds.size()))
        throw DbError(QStringLiteral("%1 values bound to a statement with %2 parameters")
                          .arg(binds.size())
                          .arg(sqlite3_bind_parameter_count(stmt)));
    QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    m_prepared->texts.resize(binds.size());
    for (size_t i = 0; i < binds.size(); ++i)
        if (bindAsTheDriverDoes(stmt, int(i) + 1, binds[i], m_prepared->texts[i], utf8) !=
            SQLITE_OK)
            fail(handle);

    const int width = sqlite3_column_count(stmt);
    for (int c = 0; c < width; ++c)
        m_columns << QString::fromUtf8(sqlite3_column_name(stmt, c)).remove(u'"');
}

SnapshotStream::~SnapshotStream() = default;

Snapshot SnapshotStream::next(int limit)
{
    Snapshot s;
    s.m_columns = m_columns;
    s.markDecimals();
    sqlite3 *handle = m_prepared->handle;
    sqlite3_stmt *stmt = m_prepared->stmt.get();
    const int width = int(m_columns.size());
    using Kind = Snapshot::Kind;
    Snapshot::Builder b;
    for (int row = 0; row < limit && !m_done; ++row) {
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE) {
            m_done = true;
            break;
        }
        if (rc != SQLITE_ROW) {
            m_done = true;
            fail(handle);
        }
        for (int c = 0; c < width; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                b.integer(sqlite3_column_int64(stmt, c));
                break;
            case SQLITE_FLOAT:
                b.real(sqlite3_column_double(stmt, c));
                break;
            case SQLITE_NULL:
                b.null();
                break;
            case SQLITE_BLOB: {
                const char *data = static_cast<const char *>(sqlite3_column_blob(stmt, c));
                b.bytes(Kind::Blob, data, size_t(sqlite3_column_bytes(stmt, c)));
                break;
            }
            default: {
                const char *data = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
                b.bytes(Kind::Text, data, size_t(sqlite3_column_bytes(stmt, c)));
                break;
            }
            }
        }
    }
    b.finish(s, width);
    return s;
}

Snapshot Snapshot::fetch(const QSqlDatabase &db, const QString &statement, const sql::Binds &binds)
{
    SnapshotStream stream(db, statement, binds);
    return stream.next(std::numeric_limits<int>::max());
}

Snapshot::Snapshot(QStringList columns, std::vector<QVariant> cells) : m_columns(std::move(columns))
{
    markDecimals();
    const int width = int(m_columns.size());
    const size_t used = width > 0 ? cells.size() - cells.size() % size_t(width) : 0;
    Builder b;
    b.reserve(used);
    for (size_t i = 0; i < used; ++i) {
        QVariant &v = cells[i];
        if (v.isNull()) {
            // A null string is what a fetched NULL gives; other nulls keep their type.
            if (v.typeId() == QMetaType::QString)
                b.null();
            else
                b.other(std::move(v));
            continue;
        }
        switch (v.typeId()) {
        case QMetaType::LongLong:
            b.integer(v.toLongLong());
            break;
        case QMetaType::Double:
            b.real(v.toDouble());
            break;
        case QMetaType::QString:
            b.text(*static_cast<const QString *>(v.constData()));
            break;
        case QMetaType::QByteArray: {
            const QByteArray &bytes = *static_cast<const QByteArray *>(v.constData());
            b.bytes(Kind::Blob, bytes.constData(), size_t(bytes.size()));
            break;
        }
        default:
            b.other(std::move(v));
            break;
        }
    }
    b.finish(*this, width);
}

void Snapshot::markDecimals()
{
    m_decimal.assign(size_t(m_columns.size()), false);
    for (int i = 0; i < m_columns.size(); ++i)
        m_decimal[size_t(i)] = decimalcolumns::contains(m_columns[i]);
}

int Snapshot::columnIndex(const QString &name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

inline Snapshot::Kind Snapshot::kindAt(int row, int column) const
{
    return m_cells->kinds[at(row, column)];
}

inline int64_t Snapshot::slotAt(int row, int column) const
{
    return m_cells->slots[at(row, column)];
}

inline const char *Snapshot::bytesOf(int64_t slot, qsizetype *size) const
{
    *size = qsizetype(slot & MaxPooledLength);
    return m_pool->bytes.data() + (slot >> LengthBits);
}

inline const QVariant &Snapshot::otherOf(int64_t slot) const
{
    return m_pool->others[size_t(slot)];
}

QVariant Snapshot::value(int row, int column) const
{
    const int64_t slot = slotAt(row, column);
    switch (kindAt(row, column)) {
    case Kind::Null:
        return QVariant(QMetaType::fromType<QString>());
    case Kind::Integer:
        return QVariant(qlonglong(slot));
    case Kind::Real:
        return QVariant(realOf(slot));
    case Kind::Text:
        return QVariant(text(row, column));
    case Kind::Blob: {
        qsizetype size;
        const char *data = bytesOf(slot, &size);
        return QVariant(QByteArray(data, size));
    }
    case Kind::Other:
        break;
    }
    return otherOf(slot);
}

QVariant Snapshot::value(int row, const QString &column) const
{
    const int c = columnIndex(column);
    return c < 0 ? QVariant() : value(row, c);
}

bool Snapshot::isNull(int row, int column) const
{
    switch (kindAt(row, column)) {
    case Kind::Null:
        return true;
    case Kind::Other:
        return otherOf(slotAt(row, column)).isNull();
    default:
        return false;
    }
}

int Snapshot::typeId(int row, int column) const
{
    switch (kindAt(row, column)) {
    case Kind::Null:
    case Kind::Text:
        return QMetaType::QString;
    case Kind::Integer:
        return QMetaType::LongLong;
    case Kind::Real:
        return QMetaType::Double;
    case Kind::Blob:
        return QMetaType::QByteArray;
    case Kind::Other:
        break;
    }
    return otherOf(slotAt(row, column)).typeId();
}

qint64 Snapshot::toLongLong(int row, int column) const
{
    switch (kindAt(row, column)) {
    case Kind::Null:
        return 0;
    case Kind::Integer:
        return slotAt(row, column);
    default:
        return value(row, column).toLongLong();
    }
}

QString Snapshot::text(int row, int column) const
{
    const int64_t slot = slotAt(row, column);
    switch (kindAt(row, column)) {
    case Kind::Null:
        return QString();
    case Kind::Integer:
        return QString::number(slot);
    case Kind::Text: {
        qsizetype size;
        const char *data = bytesOf(slot, &size);
        // An empty text is still a text, not a NULL.
        return size == 0 ? QStringLiteral("") : QString::fromUtf8(data, size);
    }
    default:
        return value(row, column).toString();
    }
}

QString Snapshot::displayText(int row, int column) const
{
    if (isNull(row, column))
        return QString();
    if (isDecimal(column))
        return Decimal::fromUnits(toLongLong(row, column)).toShortest();
    return text(row, column);
}

void Snapshot::permute(const std::vector<int> &order)
{
    permute(order, 0, order.size());
}

void Snapshot::permute(const std::vector<int> &order, size_t first, size_t count)
{
    if (!m_cells)
        return;
    Q_ASSERT(first + count <= order.size());
    const size_t width = size_t(m_columns.size());
    auto out = std::make_shared<Cells>();
    out->kinds.reserve(count * width);
    out->slots.reserve(count * width);
    for (size_t i = first; i < first + count; ++i) {
        const int r = order[i];
        Q_ASSERT(r >= 0 && r < m_rowCount);
        const size_t from = size_t(r) * width;
        out->kinds.append(m_cells->kinds.data() + from, width);
        out->slots.append(m_cells->slots.data() + from, width);
    }
    m_cells = std::move(out);
    m_rowCount = int(count);
}
