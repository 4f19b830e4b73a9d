#include "core/db/SqlFunctions.h"

#include "core/money/Decimal.h"

#include <QSqlDatabase>
#include <QSqlDriver>
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
    return sqlite3_create_function_v2(raw, "dmul", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                      dmul, nullptr, nullptr, nullptr) == SQLITE_OK;
}
