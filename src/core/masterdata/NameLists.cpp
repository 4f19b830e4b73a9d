#include "core/masterdata/NameLists.h"

#include "core/db/Sql.h"

#include <QSqlQuery>

namespace namelists {

const NameTable &categories()
{
    static const NameTable t{QStringLiteral("lb"), QStringLiteral("lb"), QString()};
    return t;
}

const NameTable &units()
{
    static const NameTable t{QStringLiteral("dw"), QStringLiteral("dw"), QString()};
    return t;
}

const NameTable &reasons()
{
    static const NameTable t{QStringLiteral("rklx"), QStringLiteral("lx"), QString()};
    return t;
}

const NameTable &incomeExpenseItems()
{
    static const NameTable t{QStringLiteral("szxm"), QStringLiteral("xm"), QStringLiteral("lb")};
    return t;
}

QString listStatement(const NameTable &t)
{
    return QStringLiteral("SELECT * FROM ") + t.table + QStringLiteral(" ORDER BY id");
}

bool contains(const QSqlDatabase &db, const NameTable &t, const QString &name, const QString &group)
{
    // Table and column names come from the fixed descriptors above; the
    // values are bound.
    QString statement = QStringLiteral("SELECT 1 FROM ") + t.table + QStringLiteral(" WHERE ") +
                        t.column + QStringLiteral(" = ? COLLATE NOCASE");
    sql::Binds binds{name.trimmed()};
    if (!t.groupColumn.isEmpty()) {
        statement += QStringLiteral(" AND ") + t.groupColumn + QStringLiteral(" = ? COLLATE NOCASE");
        binds.push_back(group.trimmed());
    }
    return sql::exists(db, statement, binds);
}

Added add(const QSqlDatabase &db, const NameTable &t, const QString &name, const QString &group)
{
    const QString trimmed = name.trimmed();
    if (!t.groupColumn.isEmpty() && group.trimmed().isEmpty())
        return {Check::EmptyGroup, 0};
    if (trimmed.isEmpty())
        return {Check::EmptyName, 0};
    if (contains(db, t, trimmed, group))
        return {Check::Duplicate, 0};
    QSqlQuery q = t.groupColumn.isEmpty()
                      ? sql::exec(db,
                                  QStringLiteral("INSERT INTO ") + t.table + QStringLiteral(" (") +
                                      t.column + QStringLiteral(") VALUES (?)"),
                                  {trimmed})
                      : sql::exec(db,
                                  QStringLiteral("INSERT INTO ") + t.table + QStringLiteral(" (") +
                                      t.groupColumn + QStringLiteral(", ") + t.column +
                                      QStringLiteral(") VALUES (?, ?)"),
                                  {group.trimmed(), trimmed});
    return {Check::Done, q.lastInsertId().toLongLong()};
}

Check rename(const QSqlDatabase &db, const NameTable &t, qint64 id, const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return Check::EmptyName;
    sql::exec(db,
              QStringLiteral("UPDATE ") + t.table + QStringLiteral(" SET ") + t.column +
                  QStringLiteral(" = ? WHERE id = ?"),
              {trimmed, id});
    return Check::Done;
}

void remove(const QSqlDatabase &db, const NameTable &t, qint64 id)
{
    sql::exec(db, QStringLiteral("DELETE FROM ") + t.table + QStringLiteral(" WHERE id = ?"), {id});
}

}  // namespace namelists
