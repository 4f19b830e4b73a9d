#include "core/masterdata/AddressBook.h"

#include "core/db/TextSearch.h"

#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace addressbook {

namespace {

std::vector<QueryField> partnerQueryFields(const QString &nameColumn)
{
    using W = QueryField::When;
    return {{nameColumn, W::Always, {}},
            {u"lxr"_s, W::IfTrimmedNotEmpty, {}},
            {u"lxdh"_s, W::IfNotEmpty, {}},
            {u"lxdz"_s, W::IfNotEmpty, {}}};
}

AddressBook partners(const QString &table)
{
    AddressBook b;
    b.table = table;
    b.nameColumn = u"mc"_s;
    b.columns = QStringList{u"mc"_s,   u"lxr"_s,  u"lxdh"_s, u"lxdz"_s, u"lxcz"_s,
                            u"yb"_s,   u"yhmc"_s, u"yhzh"_s, u"bz"_s};
    b.queryFields = partnerQueryFields(b.nameColumn);
    b.addressColumn = u"lxdz"_s;
    b.phoneColumn = u"lxdh"_s;
    b.emptyName = u"名称不可为空！"_s;
    return b;
}

// The condition of a LIKE line on a column.
QString likeLine(const QString &column)
{
    return column + u" LIKE ? ESCAPE '\\'"_s;
}

// Trimmed texts of the columns, the wage as its stored integer. Check::Done
// when the values may be written.
Check prepare(const AddressBook &book, const QStringList &values, sql::Binds &binds)
{
    binds.clear();
    const int nameAt = book.columnIndex(book.nameColumn);
    if (values.value(nameAt).trimmed().isEmpty())
        return Check::EmptyName;
    if (!book.requiredColumn.isEmpty() &&
        values.value(book.columnIndex(book.requiredColumn)).trimmed().isEmpty())
        return Check::EmptyRequired;
    for (int i = 0; i < book.columns.size(); ++i) {
        const QString text = values.value(i);
        if (book.columns[i] == book.wageColumn) {
            const Decimal wage = wageValue(text);
            if (!wage.isValid())
                return Check::BadWage;
            binds.push_back(qint64(wage.units()));
        } else {
            // An empty text is stored as "", never as NULL.
            const QString trimmed = text.trimmed();
            binds.push_back(trimmed.isNull() ? u""_s : trimmed);
        }
    }
    return Check::Done;
}

// The answer to a refused check, in the book's words.
Saved refusal(const AddressBook &book, Check check)
{
    Saved s;
    s.check = check;
    switch (check) {
    case Check::EmptyName:
        s.message = book.emptyName;
        s.focus = book.nameColumn;
        break;
    case Check::EmptyRequired:
        s.message = book.emptyRequired;
        s.focus = book.requiredColumn;
        break;
    case Check::BadWage:
        s.message = book.badWage;
        s.focus = book.wageColumn;
        break;
    case Check::Duplicate:
        s.message = book.duplicateName;
        s.severity = Severity::Warning;
        s.focus = book.nameColumn;
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
    static_cast<Outcome<QString> &>(s) = Outcome<QString>::failed(e.message());
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

const AddressBook &suppliers()
{
    static const AddressBook b = [] {
        AddressBook b = partners(u"ghs"_s);
        b.pickModes = QStringList{u"tjcg"_s};
        b.duplicateName = u"厂商名称不可重复！"_s;
        return b;
    }();
    return b;
}

const AddressBook &customers()
{
    static const AddressBook b = [] {
        AddressBook b = partners(u"kh"_s);
        b.pickModes = QStringList{u"tjxs"_s, u"tjpf"_s};
        b.remarkMode = u"tjpf"_s;
        b.duplicateName = u"客户名称不可重复！"_s;
        return b;
    }();
    return b;
}

const AddressBook &employees()
{
    static const AddressBook b = [] {
        using W = QueryField::When;
        AddressBook b;
        b.table = u"yg"_s;
        b.nameColumn = u"xm"_s;
        b.columns = QStringList{u"xm"_s, u"xb"_s,   u"zw"_s,  u"bm"_s, u"dh"_s,
                                u"dz"_s, u"jbgz"_s, u"sfz"_s, u"bz"_s};
        b.requiredColumn = u"xb"_s;
        b.wageColumn = u"jbgz"_s;
        b.queryFields = {{u"xm"_s, W::Always, {}},
                         {u"xb"_s, W::Choice, QStringList{u"全部"_s, u"男"_s, u"女"_s}},
                         {u"bm"_s, W::IfTrimmedNotEmpty, {}},
                         {u"dh"_s, W::IfTrimmedNotEmpty, {}}};
        b.pickModes = QStringList{u"tjcg"_s,   u"tjxs"_s,   u"tjpf"_s,  u"tjrk"_s,
                                  u"tjfkfx"_s, u"tjskfx"_s, u"tjszfx"_s};
        b.emptyName = u"姓名不可为空！"_s;
        b.emptyRequired = u"性别不可为空！"_s;
        b.badWage = u"基本工资不是有效的数字！"_s;
        b.duplicateName = u"员工姓名不可重复！"_s;
        return b;
    }();
    return b;
}

QString containsPattern(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_')
            escaped += u'\\';
        escaped += c;
    }
    return u'%' + escaped + u'%';
}

ListQuery Query::list() const
{
    QStringList base = lines;
    if (!base.isEmpty() && base.last().startsWith(u"ORDER BY"_s))
        base.removeLast();
    return ListQuery(base.join(QLatin1Char('\n')), binds, {});
}

Query listQuery(const AddressBook &book)
{
    return {QStringList{u"SELECT * FROM "_s + book.table, u"ORDER BY id"_s}, {}};
}

Query conditionQuery(const AddressBook &book, const QStringList &texts)
{
    using W = QueryField::When;
    Query q;
    q.lines << u"SELECT * FROM "_s + book.table;
    for (size_t i = 0; i < book.queryFields.size(); ++i) {
        const QueryField &f = book.queryFields[i];
        const QString text = texts.value(int(i));
        QString condition;
        switch (f.when) {
        case W::Always:
            condition = likeLine(f.column);
            q.binds.push_back(containsPattern(text));
            break;
        case W::IfNotEmpty:
            if (!text.isEmpty()) {
                condition = likeLine(f.column);
                q.binds.push_back(containsPattern(text));
            }
            break;
        case W::IfTrimmedNotEmpty:
            if (!text.trimmed().isEmpty()) {
                condition = likeLine(f.column);
                q.binds.push_back(containsPattern(text));
            }
            break;
        case W::Choice:
            if (f.choices.indexOf(text) > 0) {
                condition = f.column + u" = ?"_s;
                q.binds.push_back(text);
            }
            break;
        }
        if (!condition.isEmpty())
            q.lines << (q.lines.size() == 1 ? u"WHERE "_s : u"AND "_s) + condition;
    }
    q.lines << u"ORDER BY id"_s;
    return q;
}

Query searchQuery(const AddressBook &book, const QString &text)
{
    return {QStringList{u"SELECT * FROM "_s + book.table,
                        u"WHERE "_s + likeLine(book.nameColumn), u"ORDER BY id"_s},
            {containsPattern(text)}};
}

Decimal wageValue(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return Decimal::fromUnits(0);
    const Decimal v = Decimal::parse(decimaltext::rewriteTo2IfLonger(t));
    if (!v.isValid() || v.isNegative())
        return Decimal::invalid();
    // At most two decimals are kept (the rewrite leaves "1.5" and "1.25" alone).
    return v.roundedTo2() == v ? v : Decimal::invalid();
}

Query nameTakenQuery(const AddressBook &book, const QString &name)
{
    // Table and column come from the fixed books above; the name is bound.
    // The book's index <table>_<name column>_nocase has the same key.
    return {QStringList{u"SELECT 1 FROM "_s + book.table,
                        u"WHERE "_s +
                            textsearch::equalsIgnoringCase(u"trim("_s + book.nameColumn + u')')},
            {name.trimmed()}};
}

bool nameTaken(const QSqlDatabase &db, const AddressBook &book, const QString &name)
{
    const Query q = nameTakenQuery(book, name);
    return sql::exists(db, q.statement(), q.binds);
}

Saved add(const QSqlDatabase &db, const AddressBook &book, const QStringList &values)
{
    sql::Binds binds;
    if (const Check c = prepare(book, values, binds); c != Check::Done)
        return refusal(book, c);
    try {
        // The duplicate check and the row see the same book.
        Transaction transaction(db);
        if (nameTaken(db, book, values.value(book.columnIndex(book.nameColumn))))
            return refusal(book, Check::Duplicate);
        QStringList marks;
        for (int i = 0; i < book.columns.size(); ++i)
            marks << u"?"_s;
        const sql::Query q = sql::exec(db,
                                      u"INSERT INTO "_s + book.table + u" ("_s +
                                          book.columns.join(u", "_s) + u") VALUES ("_s +
                                          marks.join(u", "_s) + u")"_s,
                                      binds);
        const qint64 id = q.lastInsertId().toLongLong();
        transaction.commit();
        return savedRow(id);
    } catch (const DbError &e) {
        return failure(e);
    }
}

Saved update(const QSqlDatabase &db, const AddressBook &book, qint64 id,
             const QStringList &values)
{
    sql::Binds binds;
    if (const Check c = prepare(book, values, binds); c != Check::Done) {
        Saved s = refusal(book, c);
        s.id = id;
        return s;
    }
    QStringList sets;
    for (const QString &column : book.columns)
        sets << column + u" = ?"_s;
    binds.push_back(id);
    try {
        Transaction transaction(db);
        sql::exec(db,
                  u"UPDATE "_s + book.table + u" SET "_s + sets.join(u", "_s) +
                      u" WHERE id = ?"_s,
                  binds);
        transaction.commit();
    } catch (const DbError &e) {
        return failure(e);
    }
    return savedRow(id);
}

Outcome<QString> remove(const QSqlDatabase &db, const AddressBook &book, qint64 id)
{
    try {
        Transaction transaction(db);
        sql::exec(db, u"DELETE FROM "_s + book.table + u" WHERE id = ?"_s, {id});
        transaction.commit();
    } catch (const DbError &e) {
        return Outcome<QString>::failed(e.message());
    }
    return {};
}

bool servesMode(const AddressBook &book, const QString &mode)
{
    return book.pickModes.contains(mode);
}

Choice choiceFor(const AddressBook &book, const QString &mode,
                 const std::function<QString(const QString &column)> &field)
{
    Choice c;
    c.name = field(book.nameColumn);
    if (!book.remarkMode.isEmpty() && mode == book.remarkMode) {
        c.writesRemark = true;
        c.remark = field(book.addressColumn) + field(book.phoneColumn);
    }
    return c;
}

}  // namespace addressbook
