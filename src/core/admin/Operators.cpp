#include "core/admin/Operators.h"

#include "core/admin/Permissions.h"
#include "core/db/Sql.h"

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
