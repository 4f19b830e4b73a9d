#pragma once

#include "core/db/Udm1.h"

#include <QString>

class QSqlDatabase;

// Saving the shop's own particulars: the one row of `danwei`.
namespace shopinfo {

enum class Problem { None, EmptyShopName, EmptyPrintHeading };

// The first rule the values break: the shop name, then the print heading,
// must not be empty or blank. Nothing else is checked.
Problem check(const ShopRecord &values);

// "店铺名称不可为空！", "打印抬头不可为空！"; empty for None.
QString message(Problem problem);

// Checks the values and, when they pass, writes all ten as typed (spaces
// kept) into the one row of `danwei`. The row is never added or removed: a
// database without it is an error. Throws DbError.
Problem save(const QSqlDatabase &db, const ShopRecord &values);

}  // namespace shopinfo
