// The address books without windows: adding and editing suppliers, customers
// and employees with their checks, the query and search statements run
// against a shop database, and what a picker hands to its opener.
#include "TestSupport.h"

#include "core/db/Sql.h"
#include "core/masterdata/AddressBook.h"

#include <QSqlQuery>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using addressbook::Check;

Q_DECLARE_METATYPE(const AddressBook *)

namespace {

QStringList partner(const QString &name, const QString &phone = {}, const QString &address = {},
                    const QString &contact = {})
{
    return {name, contact, phone, address, {}, {}, {}, {}, {}};
}

QStringList employee(const QString &name, const QString &sex, const QString &wage = u"0"_s,
                     const QString &department = {})
{
    return {name, sex, {}, department, {}, {}, wage, {}, {}};
}

QStringList rowFor(const AddressBook &book, const QString &name)
{
    return book.wageColumn.isEmpty() ? partner(name) : employee(name, u"男"_s);
}

int count(QSqlDatabase db, const AddressBook &book)
{
    return sql::scalar(db, u"SELECT count(*) FROM "_s + book.table).toInt();
}

QStringList namesOf(QSqlDatabase db, const AddressBook &book, const addressbook::Query &q)
{
    QStringList out;
    sql::Query r = sql::exec(db, q.statement(), q.binds);
    while (r.next())
        out << r.value(book.nameColumn).toString();
    return out;
}

}  // namespace

class TestAddressBook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addTrimsAndRefusesDuplicates_data();
    void addTrimsAndRefusesDuplicates();
    void duplicateCheckSearchesItsIndex_data();
    void duplicateCheckSearchesItsIndex();
    void employeeChecksComeInOrder();
    void wageIsStoredAsTypedOrRounded_data();
    void wageIsStoredAsTypedOrRounded();
    void editRewritesWithoutDuplicateCheck();
    void queryLines_data();
    void queryLines();
    void queriesFindTheRightRows();
    void searchTakesTheTextLiterally();
    void pickerHandsOverByMode();
    void refusalsCarryTheirWords_data();
    void refusalsCarryTheirWords();
    void databaseFailureIsAnAnswer();
};

void TestAddressBook::addTrimsAndRefusesDuplicates_data()
{
    QTest::addColumn<const AddressBook *>("book");
    QTest::newRow("suppliers") << &addressbook::suppliers();
    QTest::newRow("customers") << &addressbook::customers();
    QTest::newRow("employees") << &addressbook::employees();
}

void TestAddressBook::addTrimsAndRefusesDuplicates()
{
    QFETCH(const AddressBook *, book);
    FreshShop shop;
    QStringList typed = rowFor(*book, u"  华丰 五金 \t"_s);
    typed[2] = u" 三 "_s;
    typed[8] = u"  备注\t"_s;
    const addressbook::Saved first = addressbook::add(shop.db(), *book, typed);
    QCOMPARE(first.check, Check::Done);
    sql::Query q = sql::exec(shop.db(), u"SELECT * FROM "_s + book->table + u" WHERE id = ?"_s,
                            {first.id});
    QVERIFY(q.next());
    for (int i : {0, 2, 8})
        QCOMPARE(q.value(book->columns[i]).toString(), typed[i].trimmed());
    QVERIFY(!q.value(book->columns[3]).isNull());  // an empty field is "", not NULL

    // Refused, nothing written: the same name with spaces around or in other
    // case, an empty name.
    for (const QString &name : {u"华丰 五金"_s, u" 华丰 五金"_s, u"华丰 五金  "_s})
        QCOMPARE(addressbook::add(shop.db(), *book, rowFor(*book, name)).check, Check::Duplicate);
    QCOMPARE(addressbook::add(shop.db(), *book, rowFor(*book, u"  "_s)).check, Check::EmptyName);
    QCOMPARE(addressbook::add(shop.db(), *book, rowFor(*book, u"ACME"_s)).check, Check::Done);
    QCOMPARE(addressbook::add(shop.db(), *book, rowFor(*book, u"acme"_s)).check, Check::Duplicate);
    // A space inside makes another name.
    QCOMPARE(addressbook::add(shop.db(), *book, rowFor(*book, u"华丰五金"_s)).check, Check::Done);

    // An apostrophe is a character like any other.
    QVERIFY(!addressbook::nameTaken(shop.db(), *book, u"O'Neil's"_s));
    QCOMPARE(addressbook::add(shop.db(), *book, rowFor(*book, u"O'Neil's"_s)).check, Check::Done);
    QCOMPARE(addressbook::add(shop.db(), *book, rowFor(*book, u" O'Neil's"_s)).check,
             Check::Duplicate);
    QCOMPARE(count(shop.db(), *book), 4);

    // A name that came in with spaces around it (an import) still counts.
    sql::exec(shop.db(), u"INSERT INTO "_s + book->table + u" ("_s + book->nameColumn +
                             u") VALUES (' 老王 ')"_s);
    QCOMPARE(addressbook::add(shop.db(), *book, rowFor(*book, u"老王"_s)).check, Check::Duplicate);
}

void TestAddressBook::duplicateCheckSearchesItsIndex_data()
{
    addTrimsAndRefusesDuplicates_data();
}

void TestAddressBook::duplicateCheckSearchesItsIndex()
{
    QFETCH(const AddressBook *, book);
    FreshShop shop;
    const addressbook::Query q = addressbook::nameTakenQuery(*book, u"Acme"_s);
    const QString plan = queryPlan(shop.db(), q.statement(), q.binds);
    const QString index = book->table + u'_' + book->nameColumn + u"_nocase"_s;
    QVERIFY2(plan.contains(u"SEARCH "_s + book->table + u" USING INDEX "_s + index), qPrintable(plan));
    // Only Latin letters are taken without regard to case.
    QCOMPARE(addressbook::add(shop.db(), *book, rowFor(*book, u"Ärzte Acme"_s)).check, Check::Done);
    QVERIFY(!addressbook::nameTaken(shop.db(), *book, u"ärzte acme"_s));
    QVERIFY(addressbook::nameTaken(shop.db(), *book, u" ÄRZTE ACME "_s));
}

void TestAddressBook::employeeChecksComeInOrder()
{
    FreshShop shop;
    const AddressBook &e = addressbook::employees();
    QCOMPARE(addressbook::add(shop.db(), e, employee(u"王五"_s, u"男"_s)).check, Check::Done);
    // Name, then sex, then wage, then the duplicate check.
    QCOMPARE(addressbook::add(shop.db(), e, employee(u" "_s, u" "_s, u"."_s)).check,
             Check::EmptyName);
    QCOMPARE(addressbook::add(shop.db(), e, employee(u"王五"_s, u"  "_s, u"."_s)).check,
             Check::EmptyRequired);
    QCOMPARE(addressbook::add(shop.db(), e, employee(u"王五"_s, u"男"_s, u"."_s)).check,
             Check::BadWage);
    QCOMPARE(addressbook::add(shop.db(), e, employee(u"王五"_s, u"男"_s, u"1"_s)).check,
             Check::Duplicate);
    QCOMPARE(count(shop.db(), e), 1);
}

void TestAddressBook::wageIsStoredAsTypedOrRounded_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint64>("units");  // -1: refused
    QTest::newRow("three decimals round") << u"3000.456"_s << qint64(30004600);
    QTest::newRow("one decimal kept") << u"3000.5"_s << qint64(30005000);
    QTest::newRow("tie goes to even, down") << u"2.345"_s << qint64(23400);
    QTest::newRow("tie goes to even, up") << u"2.355"_s << qint64(23600);
    QTest::newRow("many decimals") << u"0.0049999"_s << qint64(0);
    QTest::newRow("point at the end") << u"12."_s << qint64(120000);
    QTest::newRow("empty is zero") << QString() << qint64(0);
    QTest::newRow("lone point") << u"."_s << qint64(-1);
    QTest::newRow("negative") << u"-100"_s << qint64(-1);
    QTest::newRow("letters") << u"12a"_s << qint64(-1);
    QTest::newRow("too large") << u"99999999999999999"_s << qint64(-1);
}

void TestAddressBook::wageIsStoredAsTypedOrRounded()
{
    QFETCH(QString, typed);
    QFETCH(qint64, units);
    FreshShop shop;
    const AddressBook &e = addressbook::employees();
    const addressbook::Saved s = addressbook::add(shop.db(), e, employee(u"钱七"_s, u"男"_s, typed));
    if (units < 0) {
        QCOMPARE(s.check, Check::BadWage);
        QCOMPARE(count(shop.db(), e), 0);
        return;
    }
    QCOMPARE(s.check, Check::Done);
    const auto stored = [&] {
        return sql::scalar(shop.db(), u"SELECT jbgz FROM yg WHERE id = ?"_s, {s.id}).toLongLong();
    };
    QCOMPARE(stored(), units);
    // Editing stores it the same way.
    addressbook::update(shop.db(), e, s.id, employee(u"钱七"_s, u"男"_s, u"1.005"_s));
    QCOMPARE(stored(), qint64(10000));
}

void TestAddressBook::editRewritesWithoutDuplicateCheck()
{
    FreshShop shop;
    const AddressBook &b = addressbook::suppliers();
    const qint64 a = addressbook::add(shop.db(), b, partner(u"甲厂"_s, u"111"_s)).id;
    const qint64 c = addressbook::add(shop.db(), b, partner(u"乙厂"_s, u"222"_s)).id;
    const auto phone = [&](qint64 id) {
        return sql::scalar(shop.db(), u"SELECT mc || lxdh FROM ghs WHERE id = ?"_s, {id}).toString();
    };
    // Another supplier's name is accepted when editing.
    QCOMPARE(addressbook::update(shop.db(), b, c, partner(u" 甲厂 "_s, u" 333 "_s)).check,
             Check::Done);
    QCOMPARE(phone(c), u"甲厂333"_s);
    QCOMPARE(phone(a), u"甲厂111"_s);
    QCOMPARE(addressbook::update(shop.db(), b, a, partner(u"  "_s, u"999"_s)).check,
             Check::EmptyName);
    QCOMPARE(phone(a), u"甲厂111"_s);
    QCOMPARE(addressbook::update(shop.db(), b, a, partner(u"It's"_s)).check, Check::Done);
    QVERIFY(addressbook::nameTaken(shop.db(), b, u"It's"_s));
}

void TestAddressBook::queryLines_data()
{
    QTest::addColumn<const AddressBook *>("book");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("binds");

    const QString like = u" LIKE ? ESCAPE '\\'"_s;
    const QString byName = u"WHERE mc"_s + like;
    const QString end = u"ORDER BY id"_s;
    QTest::newRow("nothing filled") << &addressbook::suppliers() << QStringList{{}, {}, {}, {}}
                                    << QStringList{u"SELECT * FROM ghs"_s, byName, end}
                                    << QStringList{u"%%"_s};
    QTest::newRow("only the telephone")
        << &addressbook::customers() << QStringList{{}, {}, u"123"_s, {}}
        << QStringList{u"SELECT * FROM kh"_s, byName, u"AND lxdh"_s + like, end}
        << QStringList{u"%%"_s, u"%123%"_s};
    QTest::newRow("all four, untrimmed")
        << &addressbook::suppliers() << QStringList{u" 华 "_s, u" 张 "_s, u" 8 "_s, u"路"_s}
        << QStringList{u"SELECT * FROM ghs"_s, byName, u"AND lxr"_s + like, u"AND lxdh"_s + like,
                       u"AND lxdz"_s + like, end}
        << QStringList{u"% 华 %"_s, u"% 张 %"_s, u"% 8 %"_s, u"%路%"_s};
    QTest::newRow("a contact of spaces adds nothing")
        << &addressbook::suppliers() << QStringList{u"华"_s, u"   "_s, {}, {}}
        << QStringList{u"SELECT * FROM ghs"_s, byName, end} << QStringList{u"%华%"_s};

    const QString staff = u"WHERE xm"_s + like;
    QTest::newRow("all sexes") << &addressbook::employees()
                               << QStringList{{}, u"全部"_s, u"  "_s, u" "_s}
                               << QStringList{u"SELECT * FROM yg"_s, staff, end}
                               << QStringList{u"%%"_s};
    QTest::newRow("women only") << &addressbook::employees() << QStringList{{}, u"女"_s, {}, {}}
                                << QStringList{u"SELECT * FROM yg"_s, staff, u"AND xb = ?"_s, end}
                                << QStringList{u"%%"_s, u"女"_s};
    QTest::newRow("men, department, telephone")
        << &addressbook::employees() << QStringList{u"张"_s, u"男"_s, u"门市"_s, u"139"_s}
        << QStringList{u"SELECT * FROM yg"_s, staff, u"AND xb = ?"_s, u"AND bm"_s + like,
                       u"AND dh"_s + like, end}
        << QStringList{u"%张%"_s, u"男"_s, u"%门市%"_s, u"%139%"_s};
}

void TestAddressBook::queryLines()
{
    QFETCH(const AddressBook *, book);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, binds);
    const addressbook::Query q = addressbook::conditionQuery(*book, texts);
    QCOMPARE(q.lines, lines);
    QStringList bound;
    for (const QVariant &v : q.binds)
        bound << v.toString();
    QCOMPARE(bound, binds);
}

void TestAddressBook::queriesFindTheRightRows()
{
    FreshShop shop;
    const AddressBook &k = addressbook::customers();
    addressbook::add(shop.db(), k, partner(u"东方"_s, u"0371-123456"_s, u"北京路8号"_s, u"张"_s));
    addressbook::add(shop.db(), k, partner(u"西方"_s, u"555"_s, u"南京路"_s));
    addressbook::add(shop.db(), k, partner(u"O'Hara"_s, u"1234"_s, u"北京路9号"_s, u"李"_s));
    sql::exec(shop.db(), u"INSERT INTO kh (mc) VALUES ('无电话')"_s);  // the rest left empty
    const auto run = [&](const QStringList &texts) {
        return namesOf(shop.db(), k, addressbook::conditionQuery(k, texts));
    };
    QCOMPARE(run({{}, {}, {}, {}}).size(), 4);
    QCOMPARE(run({{}, {}, u"123"_s, {}}), (QStringList{u"东方"_s, u"O'Hara"_s}));
    QCOMPARE(run({u"o'h"_s, u"李"_s, {}, u"北京路"_s}), QStringList{u"O'Hara"_s});
    QCOMPARE(run({u"方"_s, u"张"_s, u"0371"_s, u"8号"_s}), QStringList{u"东方"_s});

    const AddressBook &e = addressbook::employees();
    addressbook::add(shop.db(), e, employee(u"张伟"_s, u"男"_s, u"0"_s, u"门市部"_s));
    addressbook::add(shop.db(), e, employee(u"李娜"_s, u"女"_s, u"0"_s, u"仓库"_s));
    addressbook::add(shop.db(), e, employee(u"王芳"_s, u"女"_s, u"0"_s, u"门市部"_s));
    addressbook::add(shop.db(), e, employee(u"赵强"_s, u"男"_s, u"0"_s, u"仓库"_s));
    const auto staff = [&](const QStringList &texts) {
        return namesOf(shop.db(), e, addressbook::conditionQuery(e, texts));
    };
    QCOMPARE(staff({{}, u"女"_s, {}, {}}), (QStringList{u"李娜"_s, u"王芳"_s}));
    QCOMPARE(staff({{}, u"男"_s, u"仓库"_s, {}}), QStringList{u"赵强"_s});
    QCOMPARE(staff({{}, u"全部"_s, u"门市"_s, {}}), (QStringList{u"张伟"_s, u"王芳"_s}));
}

void TestAddressBook::searchTakesTheTextLiterally()
{
    FreshShop shop;
    const AddressBook &g = addressbook::suppliers();
    for (const QString &name : {u"100%纯铜"_s, u"1000纯铜"_s, u"A_B"_s, u"AXB"_s, u"C\\D"_s,
                                u"Mc'Dowell"_s})
        addressbook::add(shop.db(), g, partner(name));
    const auto found = [&](const QString &text) {
        return namesOf(shop.db(), g, addressbook::searchQuery(g, text));
    };
    QCOMPARE(found({}).size(), 6);
    QCOMPARE(found(u"0%纯"_s), QStringList{u"100%纯铜"_s});
    QCOMPARE(found(u"_"_s), QStringList{u"A_B"_s});
    QCOMPARE(found(u"\\"_s), QStringList{u"C\\D"_s});
    QCOMPARE(found(u"纯铜"_s), (QStringList{u"100%纯铜"_s, u"1000纯铜"_s}));
    QCOMPARE(found(u"c'd"_s), QStringList{u"Mc'Dowell"_s});
}

void TestAddressBook::pickerHandsOverByMode()
{
    const QHash<QString, QString> row{{u"mc"_s, u"华丰"_s},
                                      {u"xm"_s, u"张伟"_s},
                                      {u"lxdz"_s, u"北京路8号"_s},
                                      {u"lxdh"_s, u"12345"_s}};
    const auto field = [&row](const QString &column) { return row.value(column); };
    using addressbook::choiceFor;

    const addressbook::Choice wholesale = choiceFor(addressbook::customers(), u"tjpf"_s, field);
    QCOMPARE(wholesale.name, u"华丰"_s);
    QVERIFY(wholesale.writesRemark);
    QCOMPARE(wholesale.remark, u"北京路8号12345"_s);
    QVERIFY(!choiceFor(addressbook::customers(), u"tjxs"_s, field).writesRemark);
    QVERIFY(!choiceFor(addressbook::suppliers(), u"tjcg"_s, field).writesRemark);
    QCOMPARE(choiceFor(addressbook::suppliers(), u"tjcg"_s, field).name, u"华丰"_s);

    for (const QString &mode : {u"tjcg"_s, u"tjxs"_s, u"tjpf"_s, u"tjrk"_s, u"tjfkfx"_s,
                                u"tjskfx"_s, u"tjszfx"_s}) {
        QVERIFY(addressbook::servesMode(addressbook::employees(), mode));
        const addressbook::Choice c = choiceFor(addressbook::employees(), mode, field);
        QCOMPARE(c.name, u"张伟"_s);
        QVERIFY2(!c.writesRemark, qPrintable(mode));
    }
    QVERIFY(!addressbook::servesMode(addressbook::suppliers(), u"tjpf"_s));
    QVERIFY(!addressbook::servesMode(addressbook::customers(), u"tjcg"_s));
    QVERIFY(!addressbook::servesMode(addressbook::employees(), u"tjxx"_s));
}

// ---- refusals ---------------------------------------------------------------------

void TestAddressBook::refusalsCarryTheirWords_data()
{
    QTest::addColumn<const AddressBook *>("book");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<int>("check");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("severity");
    QTest::addColumn<QString>("focus");
    const int info = int(Severity::Info);
    const int warning = int(Severity::Warning);
    QTest::newRow("supplier without a name")
        << &addressbook::suppliers() << partner(u" "_s) << int(Check::EmptyName)
        << u"名称不可为空！"_s << info << u"mc"_s;
    QTest::newRow("supplier twice")
        << &addressbook::suppliers() << partner(u"老王"_s) << int(Check::Duplicate)
        << u"厂商名称不可重复！"_s << warning << u"mc"_s;
    QTest::newRow("customer twice")
        << &addressbook::customers() << partner(u"老王"_s) << int(Check::Duplicate)
        << u"客户名称不可重复！"_s << warning << u"mc"_s;
    QTest::newRow("employee without a name")
        << &addressbook::employees() << employee(u""_s, u"男"_s) << int(Check::EmptyName)
        << u"姓名不可为空！"_s << info << u"xm"_s;
    QTest::newRow("employee without a sex")
        << &addressbook::employees() << employee(u"张三"_s, u" "_s) << int(Check::EmptyRequired)
        << u"性别不可为空！"_s << info << u"xb"_s;
    QTest::newRow("employee's wage not a number")
        << &addressbook::employees() << employee(u"张三"_s, u"男"_s, u"1.2.3"_s)
        << int(Check::BadWage) << u"基本工资不是有效的数字！"_s << info << u"jbgz"_s;
    QTest::newRow("employee twice")
        << &addressbook::employees() << employee(u"老王"_s, u"女"_s) << int(Check::Duplicate)
        << u"员工姓名不可重复！"_s << warning << u"xm"_s;
}

// A refused save answers with the words the operator reads, how they are
// shown and the column whose field takes the focus; a save done with none.
void TestAddressBook::refusalsCarryTheirWords()
{
    QFETCH(const AddressBook *, book);
    QFETCH(QStringList, values);
    QFETCH(int, check);
    QFETCH(QString, message);
    QFETCH(int, severity);
    QFETCH(QString, focus);
    FreshShop shop;
    const addressbook::Saved first = addressbook::add(shop.db(), *book, rowFor(*book, u"老王"_s));
    QVERIFY(first.ok());
    QVERIFY(first.id > 0);

    const addressbook::Saved refused = addressbook::add(shop.db(), *book, values);
    QCOMPARE(int(refused.check), check);
    QVERIFY(!refused.ok());
    QCOMPARE(refused.message, message);
    QCOMPARE(int(refused.severity), severity);
    QCOMPARE(refused.focus, focus);
    QCOMPARE(count(shop.db(), *book), 1);
}

// A database that fails is answered, not thrown: "错误" with its own words,
// and nothing written.
void TestAddressBook::databaseFailureIsAnAnswer()
{
    FreshShop shop;
    const AddressBook &book = addressbook::suppliers();
    const qint64 id = addressbook::add(shop.db(), book, partner(u"甲厂"_s)).id;
    sql::exec(shop.db(), u"ALTER TABLE ghs RENAME TO ghs_gone"_s);
    const addressbook::Saved added = addressbook::add(shop.db(), book, partner(u"乙厂"_s));
    QCOMPARE(added.check, Check::Failed);
    QCOMPARE(added.severity, Severity::Error);
    QVERIFY(!added.message.isEmpty());
    const addressbook::Saved edited = addressbook::update(shop.db(), book, id, partner(u"丙厂"_s));
    QCOMPARE(edited.severity, Severity::Error);
    const Outcome<QString> removed = addressbook::remove(shop.db(), book, id);
    QCOMPARE(removed.severity, Severity::Error);
    QVERIFY(!removed.ok());
    sql::exec(shop.db(), u"ALTER TABLE ghs_gone RENAME TO ghs"_s);
    QCOMPARE(sql::scalar(shop.db(), u"SELECT mc FROM ghs"_s).toString(), u"甲厂"_s);
}

QTEST_GUILESS_MAIN(TestAddressBook)
#include "tst_addressbook.moc"
