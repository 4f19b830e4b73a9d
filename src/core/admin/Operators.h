#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class QSqlDatabase;

// Who may log in, and what they were granted.
namespace operators {

// Every operator name in the order stored. Throws DbError.
QStringList names(const QSqlDatabase &db);

enum class LoginCheck { EmptyName, NoSuchOperator, WrongPassword, Accepted };

// The name is trimmed only for the emptiness test; the password is compared
// exactly as typed (case-sensitive, no trimming). Throws DbError.
LoginCheck checkLogin(const QSqlDatabase &db, const QString &name, const QString &password);

// The message the login dialog shows for a refused check.
QString loginMessage(LoginCheck check);

// The permission names granted to the operator. Throws DbError.
QSet<QString> grantsOf(const QSqlDatabase &db, const QString &name);

}  // namespace operators

// What the main window learns at login and other windows read: the operator's
// name and the two permission flags, as their texts.
struct Session {
    QString STyhm1;
    QString STkcsc = QStringLiteral("不归零");  // "归零" when the operator may zero stock
    QString STkcjg = QStringLiteral("不显价格");  // "显示价格" when stock prices may be shown

    bool mayZeroStock() const { return STkcsc == QStringLiteral("归零"); }
    bool mayShowStockPrices() const { return STkcjg == QStringLiteral("显示价格"); }

    static Session forOperator(const QString &name, const QSet<QString> &grants);
};
