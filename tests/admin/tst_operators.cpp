// Operators and their grants at the widget-free layer: adding, passwords,
// deleting with the grants, replacing a grant set whole.
#include "TestSupport.h"

#include "core/admin/Operators.h"
#include "core/admin/Permissions.h"
#include "core/db/Schema.h"
#include "core/db/Sql.h"

#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QString passwordOf(const QSqlDatabase &db, const QString &name)
{
    const QVariant v = sql::scalar(db, u"SELECT yhmm FROM yhsz WHERE yhmc = ?"_s, {name});
    return v.isValid() ? v.toString() : u"<none>"_s;
}

int operatorCount(const QSqlDatabase &db)
{
    return sql::scalar(db, u"SELECT count(*) FROM yhsz"_s).toInt();
}

QStringList grantRows(const QSqlDatabase &db, const QString &name)
{
    QStringList out;
    sql::Query q = sql::exec(db, u"SELECT qx FROM quanxian WHERE yh = ? ORDER BY rowid"_s, {name});
    while (q.next())
        out << q.value(0).toString();
    return out;
}

void addOperator(const QSqlDatabase &db, const QString &name, const QString &password,
                 const QStringList &grants)
{
    sql::exec(db, u"INSERT INTO yhsz (yhmc, yhmm) VALUES (?, ?)"_s, {name, password});
    for (const QString &g : grants)
        sql::exec(db, u"INSERT INTO quanxian (yh, qx) VALUES (?, ?)"_s, {name, g});
}

}  // namespace

class TestOperators : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void add_data();
    void add();
    void changePassword_data();
    void changePassword();
    void removeTakesTheGrantsAlong();
    void administratorIsKept();
    void grantSetReplacesTheOldOne_data();
    void grantSetReplacesTheOldOne();
    void failedGrantSetKeepsTheOldOne();
    void apostrophesAreJustCharacters();
};

void TestOperators::add_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("message");     // empty: added
    QTest::addColumn<int>("severity");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QString>("storedPassword");

    const int info = int(Severity::Info), warning = int(Severity::Warning);
    const int name = int(operators::Field::Name), second = int(operators::Field::SecondPassword);
    QTest::newRow("added trimmed") << u"  小李 "_s << u"123"_s << u"123"_s << QString() << 0 << 0
                                   << u"小李"_s << u"123"_s;
    QTest::newRow("passwords differing by outer spaces")
        << u"小李"_s << u" ab c "_s << u"ab c"_s << QString() << 0 << 0 << u"小李"_s << u"ab c"_s;
    QTest::newRow("empty passwords") << u"小李"_s << u""_s << u"  "_s << QString() << 0 << 0
                                     << u"小李"_s << u""_s;
    QTest::newRow("blank name") << u"   "_s << u"1"_s << u"1"_s << u"用户名称不可为空！"_s << info
                                << name << QString() << QString();
    // The empty name is told before the passwords.
    QTest::newRow("blank name, passwords differ")
        << u""_s << u"1"_s << u"2"_s << u"用户名称不可为空！"_s << info << name << QString()
        << QString();
    QTest::newRow("passwords differ") << u"小李"_s << u"123"_s << u"124"_s
                                      << u"密码前后不一致！"_s << info << second << QString()
                                      << QString();
    QTest::newRow("passwords differ in case") << u"小李"_s << u"Ab"_s << u"ab"_s
                                              << u"密码前后不一致！"_s << info << second
                                              << QString() << QString();
    QTest::newRow("duplicate after trimming")
        << u" 老张  "_s << u"9"_s << u"9"_s << u"用户名称不可重复！"_s << warning << name
        << QString() << QString();
    QTest::newRow("duplicate in letter case") << u"WANG"_s << u"9"_s << u"9"_s
                                              << u"用户名称不可重复！"_s << warning << name
                                              << QString() << QString();
    QTest::newRow("the administrator again")
        << schema::administratorName() << u"9"_s << u"9"_s << u"用户名称不可重复！"_s << warning
        << name << QString() << QString();
}

void TestOperators::add()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, confirmation);
    QFETCH(QString, message);
    QFETCH(int, severity);
    QFETCH(int, focus);
    QFETCH(QString, storedName);
    QFETCH(QString, storedPassword);

    FreshShop shop;
    addOperator(shop.db(), u"老张"_s, u"old"_s, {});
    addOperator(shop.db(), u"wang"_s, u"old"_s, {});
    const int before = operatorCount(shop.db());

    const operators::Answer a = operators::add(shop.db(), name, password, confirmation);
    QCOMPARE(a.message, message);
    if (!message.isEmpty()) {
        QCOMPARE(int(a.severity), severity);
        QCOMPARE(int(a.focus), focus);
        QCOMPARE(operatorCount(shop.db()), before);
        QCOMPARE(passwordOf(shop.db(), u"老张"_s), u"old"_s);
        return;
    }
    QCOMPARE(operatorCount(shop.db()), before + 1);
    QCOMPARE(passwordOf(shop.db(), storedName), storedPassword);
    // A new operator has no permissions, and logs in with the stored password.
    QVERIFY(operators::grantsOf(shop.db(), storedName).isEmpty());
    QCOMPARE(operators::checkLogin(shop.db(), storedName, storedPassword),
             operators::LoginCheck::Accepted);
}

void TestOperators::changePassword_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("oldPassword");
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stored");  // the password afterwards

    QTest::newRow("right old password") << u"小李"_s << u"a1"_s << u" n 2 "_s << QString()
                                        << u" n 2 "_s;
    QTest::newRow("to an empty one") << u"小李"_s << u"a1"_s << u""_s << QString() << u""_s;
    QTest::newRow("wrong old password") << u"小李"_s << u"a2"_s << u"x"_s
                                        << u"原密码录入错误！"_s << u"a1"_s;
    QTest::newRow("old password with a space") << u"小李"_s << u"a1 "_s << u"x"_s
                                               << u"原密码录入错误！"_s << u"a1"_s;
    QTest::newRow("old password in other case") << u"小李"_s << u"A1"_s << u"x"_s
                                                << u"原密码录入错误！"_s << u"a1"_s;
    QTest::newRow("the administrator needs his old one too")
        << schema::administratorName() << u"889"_s << u"x"_s << u"原密码录入错误！"_s
        << schema::defaultAdministratorPassword();
    QTest::newRow("the administrator")
        << schema::administratorName() << schema::defaultAdministratorPassword() << u"777"_s
        << QString() << u"777"_s;
    QTest::newRow("an operator who is gone") << u"没有"_s << u""_s << u"x"_s
                                             << u"该用户不存在！"_s << u"<none>"_s;
}

void TestOperators::changePassword()
{
    QFETCH(QString, name);
    QFETCH(QString, oldPassword);
    QFETCH(QString, newPassword);
    QFETCH(QString, message);
    QFETCH(QString, stored);

    FreshShop shop;
    addOperator(shop.db(), u"小李"_s, u"a1"_s, {});
    addOperator(shop.db(), u"小王"_s, u"a1"_s, {});
    const operators::Answer a =
        operators::changePassword(shop.db(), name, oldPassword, newPassword);
    QCOMPARE(a.message, message);
    QCOMPARE(passwordOf(shop.db(), name), stored);
    // Nobody else's password moves.
    QCOMPARE(passwordOf(shop.db(), u"小王"_s), u"a1"_s);
    if (message.isEmpty()) {
        // The new password works at once, as typed, even an empty one.
        QCOMPARE(operators::checkLogin(shop.db(), name, newPassword),
                 operators::LoginCheck::Accepted);
        QCOMPARE(operators::checkLogin(shop.db(), name, oldPassword),
                 oldPassword == newPassword ? operators::LoginCheck::Accepted
                                            : operators::LoginCheck::WrongPassword);
    }
}

void TestOperators::removeTakesTheGrantsAlong()
{
    FreshShop shop;
    addOperator(shop.db(), u"小李"_s, u"1"_s, {u"零售开单"_s, u"销售查询"_s});
    addOperator(shop.db(), u"小王"_s, u"1"_s, {u"零售开单"_s});
    QVERIFY(operators::remove(shop.db(), u"小李"_s).ok());
    QCOMPARE(passwordOf(shop.db(), u"小李"_s), u"<none>"_s);
    QVERIFY(grantRows(shop.db(), u"小李"_s).isEmpty());
    QCOMPARE(grantRows(shop.db(), u"小王"_s), QStringList{u"零售开单"_s});

    // Someone added later under the same name starts with nothing.
    QVERIFY(operators::add(shop.db(), u"小李"_s, u"2"_s, u"2"_s).ok());
    QVERIFY(operators::grantsOf(shop.db(), u"小李"_s).isEmpty());
}

void TestOperators::administratorIsKept()
{
    FreshShop shop;
    const QString admin = schema::administratorName();
    const QStringList before = grantRows(shop.db(), admin);
    QCOMPARE(before, permissions::all());

    const operators::Answer removed = operators::remove(shop.db(), admin);
    QCOMPARE(removed.message, u"不可删除系统管理员！"_s);
    QCOMPARE(removed.severity, Severity::Warning);
    QCOMPARE(passwordOf(shop.db(), admin), schema::defaultAdministratorPassword());

    const operators::Answer granted = operators::setGrants(shop.db(), admin, {});
    QCOMPARE(granted.message, u"不可更改系统管理员权限！"_s);
    QCOMPARE(granted.severity, Severity::Warning);
    QCOMPARE(granted.focus, operators::Field::Operator);
    QCOMPARE(grantRows(shop.db(), admin), before);
    QCOMPARE(operators::grantsOf(shop.db(), admin).size(), 12);
}

void TestOperators::grantSetReplacesTheOldOne_data()
{
    QTest::addColumn<QStringList>("granted");
    QTest::addColumn<QStringList>("rows");  // in the boxes' order

    QTest::newRow("no box: no rows") << QStringList{} << QStringList{};
    QTest::newRow("in the boxes' order")
        << QStringList{u"显示库存价格"_s, u"系统设置"_s, u"批发开单"_s}
        << QStringList{u"系统设置"_s, u"批发开单"_s, u"显示库存价格"_s};
    QTest::newRow("all twelve") << permissions::all() << permissions::all();
    QTest::newRow("unknown names are not written")
        << QStringList{u"财务管理"_s, u"随便"_s} << QStringList{u"财务管理"_s};
}

void TestOperators::grantSetReplacesTheOldOne()
{
    QFETCH(QStringList, granted);
    QFETCH(QStringList, rows);

    FreshShop shop;
    addOperator(shop.db(), u"小李"_s, u"1"_s, {u"零售开单"_s, u"采购查询"_s});
    addOperator(shop.db(), u"小王"_s, u"1"_s, {u"零售开单"_s});
    const operators::Answer a = operators::setGrants(
        shop.db(), u"小李"_s, QSet<QString>(granted.begin(), granted.end()));
    QVERIFY2(a.ok(), qPrintable(a.message));
    QCOMPARE(grantRows(shop.db(), u"小李"_s), rows);
    QCOMPARE(grantRows(shop.db(), u"小王"_s), QStringList{u"零售开单"_s});
    // The session the next login makes follows the new set.
    const Session s = Session::forOperator(u"小李"_s, operators::grantsOf(shop.db(), u"小李"_s));
    QCOMPARE(s.mayShowStockPrices(), rows.contains(u"显示库存价格"_s));
}

void TestOperators::failedGrantSetKeepsTheOldOne()
{
    FreshShop shop;
    addOperator(shop.db(), u"小李"_s, u"1"_s, {u"零售开单"_s, u"采购查询"_s});
    // The engine refuses one of the new rows, after the old ones were deleted
    // and the first new ones written.
    sql::exec(shop.db(), u"CREATE TRIGGER refuse_finance BEFORE INSERT ON quanxian"
                         " WHEN NEW.qx = '财务管理' BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
    const operators::Answer a = operators::setGrants(
        shop.db(), u"小李"_s, {u"系统设置"_s, u"基本资料"_s, u"财务管理"_s, u"库存归零"_s});
    QCOMPARE(a.severity, Severity::Error);
    QVERIFY2(a.message.contains(u"refused"_s), qPrintable(a.message));
    QCOMPARE(grantRows(shop.db(), u"小李"_s), (QStringList{u"零售开单"_s, u"采购查询"_s}));

    // The same for an empty operator: refused before anything is touched.
    const operators::Answer empty = operators::setGrants(shop.db(), u"  "_s, {u"系统设置"_s});
    QCOMPARE(empty.message, u"操作员不可为空！"_s);
    QCOMPARE(empty.severity, Severity::Info);
    QCOMPARE(sql::scalar(shop.db(), u"SELECT count(*) FROM quanxian WHERE yh <> ?"_s,
                         {schema::administratorName()})
                 .toInt(),
             2);
}

void TestOperators::apostrophesAreJustCharacters()
{
    FreshShop shop;
    const QString name = u"O'Brien"_s;
    QVERIFY(operators::add(shop.db(), name, u"it's"_s, u"it's"_s).ok());
    QCOMPARE(operators::add(shop.db(), u"o'brien"_s, u""_s, u""_s).message,
             u"用户名称不可重复！"_s);
    QVERIFY(operators::setGrants(shop.db(), name, {u"零售开单"_s}).ok());
    QCOMPARE(grantRows(shop.db(), name), QStringList{u"零售开单"_s});
    QVERIFY(operators::changePassword(shop.db(), name, u"it's"_s, u"'"_s).ok());
    QCOMPARE(passwordOf(shop.db(), name), u"'"_s);
    QVERIFY(operators::remove(shop.db(), name).ok());
    QVERIFY(grantRows(shop.db(), name).isEmpty());
}

QTEST_MAIN(TestOperators)
#include "tst_operators.moc"
