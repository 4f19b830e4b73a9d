#include "core/admin/ShopInfo.h"

#include "core/db/Sql.h"

#include <QSqlQuery>

namespace shopinfo {

Problem check(const ShopRecord &values)
{
    if (values.mczc.trimmed().isEmpty())
        return Problem::EmptyShopName;
    if (values.mcdy.trimmed().isEmpty())
        return Problem::EmptyPrintHeading;
    return Problem::None;
}

QString message(Problem problem)
{
    switch (problem) {
    case Problem::EmptyShopName:
        return QStringLiteral("店铺名称不可为空！");
    case Problem::EmptyPrintHeading:
        return QStringLiteral("打印抬头不可为空！");
    case Problem::None:
        break;
    }
    return QString();
}

Problem save(const QSqlDatabase &db, const ShopRecord &values)
{
    const Problem problem = check(values);
    if (problem != Problem::None)
        return problem;
    // The row the data module reads (the first one).
    const sql::Query q = sql::exec(
        db,
        QStringLiteral("UPDATE danwei SET mczc = ?, mcdy = ?, lxr = ?, dh = ?, cz = ?, dz = ?,"
                       " bz1 = ?, bz2 = ?, bz3 = ?, bz4 = ?"
                       " WHERE rowid = (SELECT min(rowid) FROM danwei)"),
        {values.mczc, values.mcdy, values.lxr, values.dh, values.cz, values.dz, values.bz1,
         values.bz2, values.bz3, values.bz4});
    if (q.numRowsAffected() != 1)
        throw DbError(QStringLiteral("店铺信息记录不存在，无法保存！"));
    return Problem::None;
}

}  // namespace shopinfo
