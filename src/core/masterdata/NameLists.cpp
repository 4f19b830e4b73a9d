#include "core/masterdata/NameLists.h"

#include "core/db/Sql.h"

#include <QSqlQuery>

namespace namelists {

namespace {

Saved refusal(const NameTable &t, Check check)
{
    Saved s;
    s.check = check;
    switch (check) {
    case Check::EmptyName:
        s.message = t.emptyName;
        s.focus = Field::Name;
        break;
    case Check::EmptyGroup:
        s.message = t.emptyGroup;
        s.focus = Field::Group;
        break;
    case Check::Duplicate:
        s.message = t.duplicateName;
        s.severity = Severity::Warning;
        s.focus = Field::Name;
        break;
    case Check::Done:
    case Check::Failed:
        break;
    }
    return s;
}

Saved failure(const DbError &e)
{
    Saved s;
    static_cast<Outcome<Field> &>(s) = Outcome<Field>::failed(e.message());
    s.check = Check::Failed;
    return s;
}

Saved savedRow(qint64 id)
{
    Saved s;
    s.id = id;
    return s;
}

}  // namespace

const NameTable &categories()
{
    static const NameTable t{QStringLiteral("lb"), QStringLiteral("lb"), QString(),
                             QStringLiteral("商品类别不可为空！"),
                             QStringLiteral("商品类别不可重复！"), QString()};
    return t;
}

const NameTable &units()
{
    static const NameTable t{QStringLiteral("dw"), QStringLiteral("dw"), QString(),
                             QStringLiteral("计量单位不可为空！"),
                             QStringLiteral("计量单位不可重复！"), QString()};
    return t;
}

const NameTable &reasons()
{
    static const NameTable t{QStringLiteral("rklx"), QStringLiteral("lx"), QString(),
                             QStringLiteral("异动原因不可为空！"),
                             QStringLiteral("异动原因不可重复！"), QString()};
    return t;
}

const NameTable &incomeExpenseItems()
{
    static const NameTable t{QStringLiteral("szxm"), QStringLiteral("xm"), QStringLiteral("lb"),
                             QStringLiteral("项目不可为空！"), QStringLiteral("项目不可重复！"),
                             QStringLiteral("类别不可为空！")};
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
        return refusal(t, Check::EmptyGroup);
    if (trimmed.isEmpty())
        return refusal(t, Check::EmptyName);
    try {
        // The duplicate check and the new row see the same list.
        Transaction transaction(db);
        if (contains(db, t, trimmed, group))
            return refusal(t, Check::Duplicate);
        sql::Query q =
            t.groupColumn.isEmpty()
                ? sql::exec(db,
                            QStringLiteral("INSERT INTO ") + t.table + QStringLiteral(" (") +
                                t.column + QStringLiteral(") VALUES (?)"),
                            {trimmed})
                : sql::exec(db,
                            QStringLiteral("INSERT INTO ") + t.table + QStringLiteral(" (") +
                                t.groupColumn + QStringLiteral(", ") + t.column +
                                QStringLiteral(") VALUES (?, ?)"),
                            {group.trimmed(), trimmed});
        const qint64 id = q.lastInsertId().toLongLong();
        transaction.commit();
        return savedRow(id);
    } catch (const DbError &e) {
        return failure(e);
    }
}

Saved rename(const QSqlDatabase &db, const NameTable &t, qint64 id, const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return refusal(t, Check::EmptyName);
    try {
        Transaction transaction(db);
        sql::exec(db,
                  QStringLiteral("UPDATE ") + t.table + QStringLiteral(" SET ") + t.column +
                      QStringLiteral(" = ? WHERE id = ?"),
                  {trimmed, id});
        transaction.commit();
    } catch (const DbError &e) {
        return failure(e);
    }
    return savedRow(id);
}

Outcome<Field> remove(const QSqlDatabase &db, const NameTable &t, qint64 id)
{
    try {
        Transaction transaction(db);
        sql::exec(db, QStringLiteral("DELETE FROM ") + t.table + QStringLiteral(" WHERE id = ?"),
                  {id});
        transaction.commit();
    } catch (const DbError &e) {
        return Outcome<Field>::failed(e.message());
    }
    return {};
}

}  // namespace namelists
