#pragma once

#include "core/common/Outcome.h"

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

// ---- Keeping the operators -----------------------------------------------------------
// Each action below is one transaction: it is done whole or not at all, and a
// database failure is answered as a refusal with severity Error.

// The fields of the operator and grant dialogs, for the focus after a refusal.
enum class Field { None, Name, FirstPassword, SecondPassword, Operator };
using Answer = Outcome<Field>;

// "系统管理员": never deleted, its grants never changed here.
bool isAdministrator(const QString &name);

// The operator list as the administrator sees it: names and passwords.
QString listStatement();

// A new operator with no permissions. The name and both passwords are
// trimmed; refuses, in this order, an empty name ("用户名称不可为空！"), two
// passwords that differ ("密码前后不一致！") and a name already taken, Latin
// letters compared without regard to case ("用户名称不可重复！", a warning).
Answer add(const QSqlDatabase &db, const QString &name, const QString &password,
           const QString &confirmation);

// Sets the operator's password to `newPassword` exactly as typed (it may be
// empty) when `oldPassword` is exactly the stored one; otherwise refuses with
// "原密码录入错误！" and changes nothing. An operator who is not there is
// refused with "该用户不存在！".
Answer changePassword(const QSqlDatabase &db, const QString &name, const QString &oldPassword,
                      const QString &newPassword);

// Deletes the operator and every permission row of his. Refuses the
// administrator ("不可删除系统管理员！", a warning).
Answer remove(const QSqlDatabase &db, const QString &name);

// Replaces the operator's whole grant set by the permissions named in
// `granted` (names outside the twelve are not written), one row each in the
// order of permissions::all(); an empty set leaves him none. Refuses an
// empty operator ("操作员不可为空！") and the administrator
// ("不可更改系统管理员权限！", a warning). A failure leaves the old set whole.
Answer setGrants(const QSqlDatabase &db, const QString &name, const QSet<QString> &granted);

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
