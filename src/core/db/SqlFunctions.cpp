#include "core/db/SqlFunctions.h"

#include "core/lists/NameOrder.h"
#include "core/money/Decimal.h"

#include <QSqlDatabase>
#include <QDate>
#include <QDateTime>
#include <QSqlDriver>
#include <QStringEncoder>
#include <QTime>
#include <QStringDecoder>
#include <QVarLengthArray>
#include <QVariant>

#include <sqlite3.h>

namespace {

void dmul(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (argc != 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL ||
        sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const Decimal a = Decimal::fromUnits(sqlite3_value_int64(argv[0]));
    const Decimal b = Decimal::fromUnits(sqlite3_value_int64(argv[1]));
    const Decimal p = a * b;
    if (!p.isValid()) {
        sqlite3_result_error(ctx, "dmul: result out of range", -1);
        return;
    }
    sqlite3_result_int64(ctx, p.units());
}

// The PINYIN collation: SQLite hands over the stored UTF-8 bytes, which are
// decoded on the stack (a name rarely needs more than the buffer) and compared
// in the list's name order.
int pinyinCompare(void *order, int size1, const void *text1, int size2, const void *text2)
{
    // UTF-16 never needs more units than UTF-8 has bytes.
    QVarLengthArray<QChar, 128> a(size1 > 0 ? size1 : 1);
    QVarLengthArray<QChar, 128> b(size2 > 0 ? size2 : 1);
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QChar *endA =
        decode.appendToBuffer(a.data(), QByteArrayView(static_cast<const char *>(text1), size1));
    const QChar *endB =
        decode.appendToBuffer(b.data(), QByteArrayView(static_cast<const char *>(text2), size2));
    return static_cast<const NameOrder *>(order)->compare(
        QStringView(a.data(), endA - a.data()), QStringView(b.data(), endB - b.data()));
}

void dropNameOrder(void *order)
{
    delete static_cast<NameOrder *>(order);
}

}  // namespace

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    if (!db.isOpen() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.data());
}

bool registerSqlFunctions(const QSqlDatabase &db)
{
    sqlite3 *raw = sqliteHandle(db);
    if (!raw)
        return false;
    if (sqlite3_create_function_v2(raw, "dmul", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   dmul, nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    // Each connection gets its own comparator, freed by SQLite with the connection.
    auto *order = new NameOrder;
    if (sqlite3_create_collation_v2(raw, "PINYIN", SQLITE_UTF8, order, pinyinCompare,
                                    dropNameOrder) != SQLITE_OK) {
        delete order;  // SQLite frees it only when the collation was made
        return false;
    }
    return true;
}

namespace {

bool isNullValue(const QVariant &v)
{
    if (v.isNull())
        return true;
    switch (v.typeId()) {
    case QMetaType::QString:
        return static_cast<const QString *>(v.constData())->isNull();
    case QMetaType::QByteArray:
        return static_cast<const QByteArray *>(v.constData())->isNull();
    case QMetaType::QDate:
        return static_cast<const QDate *>(v.constData())->isNull();
    case QMetaType::QTime:
        return static_cast<const QTime *>(v.constData())->isNull();
    case QMetaType::QDateTime:
        return static_cast<const QDateTime *>(v.constData())->isNull();
    default:
        return false;
    }
}

}  // namespace

int bindAsTheDriverDoes(sqlite3_stmt *s, int index, const QVariant &v, std::string &utf8,
                        QStringEncoder &encoder)
{
    if (isNullValue(v))
        return sqlite3_bind_null(s, index);
    QString text;
    switch (v.typeId()) {
    case QMetaType::QByteArray: {
        const QByteArray &b = *static_cast<const QByteArray *>(v.constData());
        return sqlite3_bind_blob(s, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::Int:
    case QMetaType::Bool:
        return sqlite3_bind_int(s, index, v.toInt());
    case QMetaType::Double:
        return sqlite3_bind_double(s, index, v.toDouble());
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(s, index, v.toLongLong());
    case QMetaType::QDateTime:
        text = v.toDateTime().toString(Qt::ISODateWithMs);
        break;
    case QMetaType::QTime:
        text = v.toTime().toString(QStringLiteral("hh:mm:ss.zzz"));
        break;
    case QMetaType::QString:
        text = *static_cast<const QString *>(v.constData());
        break;
    default:
        text = v.toString();
        break;
    }
    utf8.resize(size_t(encoder.requiredSpace(text.size())));
    char *end = encoder.appendToBuffer(utf8.data(), text);
    utf8.resize(size_t(end - utf8.data()));
    return sqlite3_bind_text(s, index, utf8.c_str(), int(utf8.size()), SQLITE_STATIC);
}
