#include "core/masterdata/Import.h"

#include "core/db/Sql.h"
#include "core/masterdata/AddressBook.h"
#include "core/masterdata/Pinyin.h"
#include "core/masterdata/SheetReader.h"
#include "core/money/Decimal.h"

#include <QDir>
#include <QLocale>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace sheetimport {

namespace {

Target partners(const QString &table, const QString &caption, const QString &templateName)
{
    return {table,
            caption,
            templateName,
            u"mc"_s,
            {{u"名称"_s, u"mc"_s},
             {u"联系人"_s, u"lxr"_s},
             {u"联系电话"_s, u"lxdh"_s},
             {u"传真号码"_s, u"lxcz"_s},
             {u"联系地址"_s, u"lxdz"_s},
             {u"邮政编码"_s, u"yb"_s},
             {u"开户银行"_s, u"yhmc"_s},
             {u"银行帐号"_s, u"yhzh"_s},
             {u"备注"_s, u"bz"_s}}};
}

const AddressBook *bookOf(const Target &target)
{
    if (target.table == u"ghs")
        return &addressbook::suppliers();
    if (target.table == u"kh")
        return &addressbook::customers();
    if (target.table == u"yg")
        return &addressbook::employees();
    return nullptr;
}

Imported failed(const QString &detail)
{
    Imported out;
    out.message = failureText() + u'\n' + detail;
    out.severity = Severity::Warning;
    return out;
}

// A number cell as a decimal; nothing when it is not a number.
Decimal decimalOf(const sheets::Cell &cell)
{
    using Type = sheets::Cell::Type;
    switch (cell.type) {
    case Type::Blank:
        return Decimal();
    case Type::Number:
    case Type::Boolean:
        // The shortest text that gives the sheet's binary number back (0.1,
        // not 0.1000000000000000055): the decimals as the sheet shows them.
        return Decimal::parse(QString::number(cell.number, 'f', QLocale::FloatingPointShortest));
    case Type::Text: {
        const QString t = cell.text.trimmed();
        return t.isEmpty() ? Decimal() : Decimal::parse(t);
    }
    case Type::Error:
        break;
    }
    return Decimal::invalid();
}

QString statementOf(const Target &target)
{
    QStringList columns, marks;
    for (const Column &c : target.columns) {
        columns << c.column;
        marks << u"?"_s;
    }
    return u"INSERT INTO "_s + target.table + u" ("_s + columns.join(u", "_s) + u") VALUES ("_s +
           marks.join(u", "_s) + u')';
}

}  // namespace

const Target &goods()
{
    static const Target t{u"sp"_s,
                          u"导入商品资料"_s,
                          u"商品资料"_s,
                          QString(),
                          {{u"类别"_s, u"lb"_s},
                           {u"编码"_s, u"txm"_s},
                           {u"商品名称"_s, u"ppgg"_s},
                           {u"单位"_s, u"dw"_s},
                           {u"采购单价"_s, u"jj"_s, true},
                           {u"批发单价"_s, u"xjpf"_s, true},
                           {u"零售单价"_s, u"xjls"_s, true},
                           {u"库存数量"_s, u"kcsl"_s, true},
                           {u"库存单价"_s, u"kcjg"_s, true},
                           {u"库存金额"_s, u"kcje"_s, true},
                           {u"数量提成"_s, u"slt"_s, true},
                           {u"金额提成"_s, u"jet"_s, true},
                           {u"商品描述"_s, u"ms"_s},
                           {u"备注"_s, u"bz"_s}}};
    return t;
}

const Target &suppliers()
{
    static const Target t = partners(u"ghs"_s, u"导入厂商资料"_s, u"厂商资料"_s);
    return t;
}

const Target &customers()
{
    static const Target t = partners(u"kh"_s, u"导入客户资料"_s, u"客户资料"_s);
    return t;
}

const Target &employees()
{
    static const Target t{u"yg"_s,
                          u"导入员工资料"_s,
                          u"员工资料"_s,
                          u"xm"_s,
                          {{u"姓名"_s, u"xm"_s},
                           {u"性别"_s, u"xb"_s},
                           {u"职务"_s, u"zw"_s},
                           {u"部门"_s, u"bm"_s},
                           {u"联系电话"_s, u"dh"_s},
                           {u"住址"_s, u"dz"_s},
                           {u"基本工资"_s, u"jbgz"_s, true},
                           {u"身份证编号"_s, u"sfz"_s},
                           {u"备注"_s, u"bz"_s}}};
    return t;
}

QString templateFolder(const QString &programDir)
{
    return QDir(programDir).filePath(u"数据导入模版"_s);
}

QString templatePath(const QString &programDir, const Target &target)
{
    return QDir(templateFolder(programDir)).filePath(target.templateName + u".xls"_s);
}

QString failureText()
{
    return u"批量导入失败!"_s;
}

Imported importFile(const QSqlDatabase &db, const Target &target, const QString &path,
                    const Progress &progress)
{
    QString error;
    const std::unique_ptr<sheets::Workbook> book = sheets::open(path, &error);
    if (!book)
        return failed(error);
    // Sheet names are told apart without regard to case, as spreadsheet programs do.
    const QStringList sheetNames = book->sheetNames();
    int sheet = -1;
    for (int i = 0; i < sheetNames.size() && sheet < 0; ++i)
        if (sheetNames[i].compare(u"Sheet1"_s, Qt::CaseInsensitive) == 0)
            sheet = i;
    if (sheet < 0)
        return failed(u"工作簿中没有名为“Sheet1”的工作表。"_s);

    const AddressBook *names = bookOf(target);
    const int nameAt = [&] {
        for (size_t i = 0; i < target.columns.size(); ++i)
            if (target.columns[i].column == (names ? target.nameColumn : u"ppgg"_s))
                return int(i);
        return -1;
    }();
    const int codeAt = [&] {
        for (size_t i = 0; i < target.columns.size(); ++i)
            if (!names && target.columns[i].column == u"txm")
                return int(i);
        return -1;
    }();
    const QString insert = statementOf(target);

    Imported out;
    try {
        Transaction transaction(db);
        std::vector<int> source;  // the sheet's column of each of the target's columns
        QString failure;
        int lastPermille = -1;
        sql::Binds binds(target.columns.size());

        const auto take = [&](const sheets::Row &row) -> bool {
            if (source.empty()) {
                // The titles: on the first row, each of the target's there.
                for (const Column &c : target.columns) {
                    int found = -1;
                    if (row.number == 1)
                        for (size_t i = 0; i < row.cells.size() && found < 0; ++i)
                            if (row.cells[i].type == sheets::Cell::Type::Text &&
                                row.cells[i].text == c.title)
                                found = int(i);
                    if (found < 0) {
                        failure = u"第1行缺少列标题“%1”。"_s.arg(c.title);
                        return false;
                    }
                    source.push_back(found);
                }
                return true;
            }
            bool blank = true;
            for (int column : source)
                blank = blank && row.cell(column).isBlank();
            if (blank)
                return true;

            for (size_t i = 0; i < target.columns.size(); ++i) {
                const Column &c = target.columns[i];
                const sheets::Cell &cell = row.cell(source[i]);
                if (!c.decimal) {
                    // A blank cell is an empty text (the columns take no NULL).
                    const QString text = cell.asText();
                    binds[i] = text.isNull() ? QStringLiteral("") : text;
                    continue;
                }
                const Decimal d = decimalOf(cell);
                if (!d.isValid()) {
                    const bool tooLarge = cell.type == sheets::Cell::Type::Number;
                    failure = u"第%1行第%2列（%3）：“%4”%5。"_s.arg(row.number)
                                  .arg(sheets::columnLetters(source[i]), c.title, cell.asText(),
                                       tooLarge ? u"超出范围"_s : u"不是数字"_s);
                    return false;
                }
                binds[i] = qint64(d.units());
            }
            if (names) {
                const QString name = binds[size_t(nameAt)].toString();
                if (name.trimmed().isEmpty() || addressbook::nameTaken(db, *names, name)) {
                    ++out.skipped;
                    return true;
                }
            } else if (binds[size_t(codeAt)].toString().trimmed().isEmpty()) {
                const QString code = pinyin::goodsCode(binds[size_t(nameAt)].toString());
                binds[size_t(codeAt)] = code.isNull() ? QStringLiteral("") : code;
            }
            sql::exec(db, insert, binds);
            ++out.inserted;
            const int permille = int(row.progress * 1000);
            if (progress && permille != lastPermille) {
                lastPermille = permille;
                progress(permille);
            }
            return true;
        };

        const bool read = book->readSheet(sheet, take, &error);
        if (!failure.isEmpty())
            return failed(failure);
        if (!read)
            return failed(error);
        if (source.empty())
            return failed(u"第1行缺少列标题“%1”。"_s.arg(target.columns.front().title));
        transaction.commit();
    } catch (const DbError &e) {
        return failed(e.message());
    }
    if (progress)
        progress(1000);
    return out;
}

}  // namespace sheetimport
