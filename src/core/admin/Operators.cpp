#include "core/admin/Operators.h"

#include "core/admin/Permissions.h"
#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/TextSearch.h"

#include <QSqlQuery>

namespace operators {

QStringList names(const QSqlDatabase &db)
{
    QStringList out;
    sql::Query q = sql::exec(db, QStringLiteral("SELECT yhmc FROM yhsz ORDER BY rowid"));
    while (q.next())
        out << q.value(0).toString();
    return out;
}

LoginCheck checkLogin(const QSqlDatabase &db, const QString &name, const QString &password)
{
    if (name.trimmed().isEmpty())
        return LoginCheck::EmptyName;
    sql::Query q = sql::exec(db, QStringLiteral("SELECT yhmm FROM yhsz WHERE yhmc = ?"), {name});
    if (!q.next())
        return LoginCheck::NoSuchOperator;
    return q.value(0).toString() == password ? LoginCheck::Accepted : LoginCheck::WrongPassword;
}

QString loginMessage(LoginCheck check)
{
    switch (check) {
    case LoginCheck::EmptyName:
        return QStringLiteral("请选择用户名称！");
    case LoginCheck::NoSuchOperator:
        return QStringLiteral("该用户不存在！");
    case LoginCheck::WrongPassword:
        return QStringLiteral("用户密码不正确！");
    case LoginCheck::Accepted:
        break;
    }
    return QString();
}

QSet<QString> grantsOf(const QSqlDatabase &db, const QString &name)
{
    QSet<QString> out;
    sql::Query q = sql::exec(db, QStringLiteral("SELECT qx FROM quanxian WHERE yh = ?"), {name});
    while (q.next())
        out.insert(q.value(0).toString());
    return out;
}

bool isAdministrator(const QString &name)
{
    return name == schema::administratorName();
}

QString listStatement()
{
    return QStringLiteral("SELECT yhmc, yhmm FROM yhsz");
}

Answer add(const QSqlDatabase &db, const QString &name, const QString &password,
           const QString &confirmation)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return Answer::refused(Severity::Info, QStringLiteral("用户名称不可为空！"), Field::Name);
    if (password.trimmed() != confirmation.trimmed())
        return Answer::refused(Severity::Info, QStringLiteral("密码前后不一致！"),
                               Field::SecondPassword);
    try {
        // The duplicate check and the new row see the same operators.
        Transaction transaction(db);
        if (sql::exists(db,
                        QStringLiteral("SELECT yhmc FROM yhsz WHERE ") +
                            textsearch::equalsIgnoringCase(QStringLiteral("yhmc")),
                        {trimmed}))
            return Answer::refused(Severity::Warning, QStringLiteral("用户名称不可重复！"),
                                   Field::Name);
        sql::exec(db, QStringLiteral("INSERT INTO yhsz (yhmc, yhmm) VALUES (?, ?)"),
                  {trimmed, password.trimmed()});
        transaction.commit();
    } catch (const DbError &e) {
        return Answer::failed(e.message());
    }
    return {};
}

Answer changePassword(const QSqlDatabase &db, const QString &name, const QString &oldPassword,
                      const QString &newPassword)
{
    try {
        Transaction transaction(db);
        sql::Query q =
            sql::exec(db, QStringLiteral("SELECT yhmm FROM yhsz WHERE yhmc = ?"), {name});
        if (!q.next())
            return Answer::refused(Severity::Warning, QStringLiteral("该用户不存在！"));
        const QString stored = q.value(0).toString();
        q.finish();
        if (stored != oldPassword)
            return Answer::refused(Severity::Info, QStringLiteral("原密码录入错误！"),
                                   Field::FirstPassword);
        sql::exec(db, QStringLiteral("UPDATE yhsz SET yhmm = ? WHERE yhmc = ?"),
                  {newPassword, name});
        transaction.commit();
    } catch (const DbError &e) {
        return Answer::failed(e.message());
    }
    return {};
}

Answer remove(const QSqlDatabase &db, const QString &name)
{
    if (isAdministrator(name))
        return Answer::refused(Severity::Warning, QStringLiteral("不可删除系统管理员！"));
    try {
        // His grants go with him, so that a later operator of the same name
        // starts without them.
        Transaction transaction(db);
        sql::exec(db, QStringLiteral("DELETE FROM quanxian WHERE yh = ?"), {name});
        sql::exec(db, QStringLiteral("DELETE FROM yhsz WHERE yhmc = ?"), {name});
        transaction.commit();
    } catch (const DbError &e) {
        return Answer::failed(e.message());
    }
    return {};
}

Answer setGrants(const QSqlDatabase &db, const QString &name, const QSet<QString> &granted)
{
    if (name.trimmed().isEmpty())
        return Answer::refused(Severity::Info, QStringLiteral("操作员不可为空！"), Field::Operator);
    if (isAdministrator(name))
        return Answer::refused(Severity::Warning, QStringLiteral("不可更改系统管理员权限！"),
                               Field::Operator);
    try {
        // The whole set at once: the old rows go and the new ones come in the
        // same transaction, so a failure halfway keeps the old set.
        Transaction transaction(db);
        sql::exec(db, QStringLiteral("DELETE FROM quanxian WHERE yh = ?"), {name});
        for (const QString &qx : permissions::all()) {
            if (granted.contains(qx))
                sql::exec(db, QStringLiteral("INSERT INTO quanxian (yh, qx) VALUES (?, ?)"),
                          {name, qx});
        }
        transaction.commit();
    } catch (const DbError &e) {
        return Answer::failed(e.message());
    }
    return {};
}

}  // namespace operators

Session Session::forOperator(const QString &name, const QSet<QString> &grants)
{
    Session s;
    s.STyhm1 = name;
    if (grants.contains(permissions::zeroStock()))
        s.STkcsc = QStringLiteral("归零");
    if (grants.contains(permissions::showStockPrices()))
        s.STkcjg = QStringLiteral("显示价格");
    return s;
}
