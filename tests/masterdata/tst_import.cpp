// The spreadsheet import without windows: reading .xls and .xlsx workbooks,
// and copying goods, suppliers, customers and employees from them into a
// fresh shop, all or nothing. The sheets are made by tools/import/make_sheets.py
// at build time; the odd .xlsx parts below are written here with libzip.
#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/Udm1.h"
#include "core/masterdata/Import.h"
#include "core/masterdata/SheetReader.h"

#include <QtTest>

#include <zip.h>

using namespace Qt::Literals::StringLiterals;
using sheetimport::Target;

Q_DECLARE_METATYPE(const Target *)

namespace {

// A fresh shop database, made as the delivered one is. This test links the
// core alone.
class FreshShop
{
public:
    FreshShop()
    {
        const QString file = QDir(m_dir.path()).filePath(schema::databaseFileName());
        if (auto error = schema::createDatabaseFile(file))
            qFatal("cannot make a shop database: %s", qPrintable(*error));
        m_dm = std::make_unique<TDM1>(m_dir.path());
        if (auto error = m_dm->open())
            qFatal("cannot open the shop database: %s", qPrintable(*error));
    }
    QSqlDatabase db() { return m_dm->ADOC1(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TDM1> m_dm;
};

QString sheetPath(const QString &name)
{
    return QStringLiteral(IMPORT_SHEETS "/") + name;
}

int count(QSqlDatabase db, const QString &table)
{
    return sql::scalar(db, u"SELECT count(*) FROM "_s + table).toInt();
}

// Every row of a table in the order of entry, its columns joined by "|".
QStringList rowsOf(QSqlDatabase db, const Target &t)
{
    QStringList columns;
    for (const sheetimport::Column &c : t.columns)
        columns << c.column;
    QStringList out;
    sql::Query q = sql::exec(db, u"SELECT "_s + columns.join(u", "_s) + u" FROM "_s + t.table +
                                     u" ORDER BY id"_s);
    while (q.next()) {
        QStringList values;
        for (int i = 0; i < columns.size(); ++i)
            values << q.text(i);
        out << values.join(u'|');
    }
    return out;
}

// An .xlsx made of the given parts (name -> XML), with the package's
// relationships and a workbook of one sheet, "Sheet1", unless given.
void writeXlsx(const QString &path, QMap<QString, QByteArray> parts)
{
    if (!parts.contains(u"_rels/.rels"_s))
        parts[u"_rels/.rels"_s] =
            "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/>"
            "</Relationships>";
    if (!parts.contains(u"xl/workbook.xml"_s))
        parts[u"xl/workbook.xml"_s] =
            "<?xml version=\"1.0\"?><workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
            "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    if (!parts.contains(u"xl/_rels/workbook.xml.rels"_s))
        parts[u"xl/_rels/workbook.xml.rels"_s] =
            "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" Target=\"/xl/worksheets/sheet1.xml\"/>"
            "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>"
            "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"./styles.xml\"/>"
            "</Relationships>";
    if (!parts.contains(u"xl/sharedStrings.xml"_s))
        parts[u"xl/sharedStrings.xml"_s] = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>";
    if (!parts.contains(u"xl/styles.xml"_s))
        parts[u"xl/styles.xml"_s] = "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>";

    int code = 0;
    zip_t *zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    QVERIFY(zip);
    std::vector<QByteArray> kept;  // libzip reads the buffers when it closes
    for (auto it = parts.begin(); it != parts.end(); ++it) {
        kept.push_back(it.value());
        zip_source_t *src = zip_source_buffer(zip, kept.back().constData(),
                                              zip_uint64_t(kept.back().size()), 0);
        QVERIFY(src);
        QVERIFY(zip_file_add(zip, it.key().toUtf8().constData(), src, ZIP_FL_ENC_UTF_8) >= 0);
    }
    QCOMPARE(zip_close(zip), 0);
}

QByteArray sheetXml(const QByteArray &rows)
{
    return "<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<dimension ref=\"A1\"/><sheetData>" +
           rows + "</sheetData><mergeCells count=\"0\"/></worksheet>";
}

// The rows of Sheet1, each as its number and its cells' texts joined by "|".
QStringList readRows(const QString &path, QString *error)
{
    QStringList out;
    const std::unique_ptr<sheets::Workbook> book = sheets::open(path, error);
    if (!book)
        return out;
    const int sheet = int(book->sheetNames().indexOf(u"Sheet1"_s));
    if (!book->readSheet(
            sheet,
            [&](const sheets::Row &row) {
                QStringList cells;
                for (const sheets::Cell &c : row.cells)
                    cells << c.asText();
                out << QString::number(row.number) + u':' + cells.join(u'|');
                return true;
            },
            error))
        out << u"stopped"_s;
    return out;
}

}  // namespace

class TestImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // ---- Reading sheets ----
    void columnLetters_data();
    void columnLetters();
    void cellTexts_data();
    void cellTexts();
    void xlsxParts_data();
    void xlsxParts();
    void bothKindsReadAlike_data();
    void bothKindsReadAlike();

    // ---- Importing ----
    void partnersSkipBlankAndKnownNames_data();
    void partnersSkipBlankAndKnownNames();
    void partnersImportedTwiceAddOnce();
    void employeesTakeTheirWages();
    void goodsKeepTheirValuesAndGetCodes_data();
    void goodsKeepTheirValuesAndGetCodes();
    void sameRowsFromXlsAndXlsx_data();
    void sameRowsFromXlsAndXlsx();
    void failuresInsertNothing_data();
    void failuresInsertNothing();
    void progressRisesToTheEnd();
};

// ---- Reading sheets -------------------------------------------------------------

void TestImport::columnLetters_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("letters");
    QTest::newRow("A") << 0 << u"A"_s;
    QTest::newRow("Z") << 25 << u"Z"_s;
    QTest::newRow("AA") << 26 << u"AA"_s;
    QTest::newRow("AZ") << 51 << u"AZ"_s;
    QTest::newRow("BA") << 52 << u"BA"_s;
    QTest::newRow("ZZ") << 701 << u"ZZ"_s;
    QTest::newRow("AAA") << 702 << u"AAA"_s;
}

void TestImport::columnLetters()
{
    QFETCH(int, column);
    QFETCH(QString, letters);
    QCOMPARE(sheets::columnLetters(column), letters);
}

void TestImport::cellTexts_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("telephone") << 13800138000.0 << u"13800138000"_s;
    QTest::newRow("bar code") << 6901234567890.0 << u"6901234567890"_s;
    QTest::newRow("negative") << -12.0 << u"-12"_s;
    QTest::newRow("decimal") << 1.5 << u"1.5"_s;
    QTest::newRow("binary tenth") << 0.1 << u"0.1"_s;
    QTest::newRow("sum of tenths") << 0.1 + 0.2 << u"0.3"_s;
    QTest::newRow("past 15 digits") << 110101199202023456.0 << u"1.10101199202023e+17"_s;
}

void TestImport::cellTexts()
{
    QFETCH(double, number);
    QFETCH(QString, text);
    QCOMPARE(sheets::Cell::ofNumber(number).asText(), text);
}

void TestImport::xlsxParts_data()
{
    QTest::addColumn<QByteArray>("strings");
    QTest::addColumn<QByteArray>("styles");
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QStringList>("expected");

    const QByteArray noStyles;
    QTest::newRow("shared, inline and formula strings")
        << QByteArray("<sst><si><t>名称</t></si><si><t xml:space=\"preserve\"> 张三 </t></si></sst>")
        << noStyles
        << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"inlineStr\"><is><t>O'Brien</t></is></c>"
                      "<c r=\"C1\" t=\"str\"><f>A1</f><v>名称</v></c></row>"
                      "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>1</v></c></row>")
        << QStringList{u"1:名称|O'Brien|名称"_s, u"2: 张三 "_s};
    QTest::newRow("rich text without its phonetic run")
        << QByteArray("<sst><si><r><t>永固</t></r><r><rPr><b/></rPr><t>建材</t></r>"
                      "<rPh sb=\"0\" eb=\"2\"><t>ヨンコ</t></rPh></si></sst>")
        << noStyles << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>")
        << QStringList{u"1:永固建材"_s};
    QTest::newRow("cells and rows without references, gaps")
        << QByteArray() << noStyles
        << QByteArray("<row><c><v>1</v></c><c><v>2</v></c></row>"
                      "<row r=\"4\"><c r=\"C4\"><v>3.25</v></c><c><v>4</v></c></row><row r=\"5\"/>"
                      "<row><c r=\"AA6\" t=\"b\"><v>1</v></c></row>")
        << QStringList{u"1:1|2"_s, u"4:||3.25|4"_s,
                       u"6:"_s + QString(u"|"_s).repeated(26) + u"TRUE"_s};
    QTest::newRow("dates by built-in and own formats")
        << QByteArray() <<
        QByteArray("<styleSheet><numFmts count=\"2\"><numFmt numFmtId=\"164\" formatCode=\"yyyy&quot;年&quot;m&quot;月&quot;\"/>"
                   "<numFmt numFmtId=\"165\" formatCode=\"0.00&quot;d&quot;\"/></numFmts>"
                   "<cellStyleXfs count=\"1\"><xf numFmtId=\"14\"/></cellStyleXfs>"
                   "<cellXfs count=\"4\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/></cellXfs></styleSheet>")
        << QByteArray("<row r=\"1\"><c r=\"A1\"><v>45292</v></c><c r=\"B1\" s=\"1\"><v>45292</v></c>"
                      "<c r=\"C1\" s=\"2\"><v>45292.5</v></c><c r=\"D1\" s=\"3\"><v>2.5</v></c>"
                      "<c r=\"E1\" s=\"1\"><v>59</v></c><c r=\"F1\" s=\"1\"><v>61</v></c></row>")
        << QStringList{u"1:45292|2024-01-01|2024-01-01 12:00:00|2.5|1900-02-28|1900-03-01"_s};
    QTest::newRow("shared string that is not there")
        << QByteArray("<sst><si><t>a</t></si></sst>") << noStyles
        << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"
                      "<row r=\"2\"><c r=\"B2\" t=\"s\"><v>7</v></c></row>")
        << QStringList{u"1:a"_s, u"stopped"_s};
    QTest::newRow("rows out of order")
        << QByteArray() << noStyles
        << QByteArray("<row r=\"3\"><c><v>1</v></c></row><row r=\"2\"><c><v>2</v></c></row>")
        << QStringList{u"3:1"_s, u"stopped"_s};
    QTest::newRow("broken XML")
        << QByteArray() << noStyles << QByteArray("<row r=\"1\"><c><v>1</v></c></row><row><c>")
        << QStringList{u"1:1"_s, u"stopped"_s};
}

void TestImport::xlsxParts()
{
    QFETCH(QByteArray, strings);
    QFETCH(QByteArray, styles);
    QFETCH(QByteArray, rows);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"parts.xlsx"_s);
    QMap<QString, QByteArray> parts{{u"xl/worksheets/sheet1.xml"_s, sheetXml(rows)}};
    if (!strings.isEmpty())
        parts[u"xl/sharedStrings.xml"_s] = strings;
    if (!styles.isEmpty())
        parts[u"xl/styles.xml"_s] = styles;
    writeXlsx(path, parts);
    QString error;
    QCOMPARE(readRows(path, &error), expected);
    QCOMPARE(error.isEmpty(), !expected.contains(u"stopped"_s));
}

void TestImport::bothKindsReadAlike_data()
{
    QTest::addColumn<QString>("stem");
    QTest::newRow("partners") << u"partners"_s;
    QTest::newRow("employees") << u"employees"_s;
    QTest::newRow("goods") << u"goods"_s;
    QTest::newRow("a thousand goods") << u"goods_bad_row500"_s;
}

void TestImport::bothKindsReadAlike()
{
    QFETCH(QString, stem);
    QString xlsError, xlsxError;
    const QStringList xls = readRows(sheetPath(stem + u".xls"_s), &xlsError);
    const QStringList xlsx = readRows(sheetPath(stem + u".xlsx"_s), &xlsxError);
    QVERIFY2(xlsError.isEmpty(), qPrintable(xlsError));
    QVERIFY2(xlsxError.isEmpty(), qPrintable(xlsxError));
    QVERIFY(xls.size() > 2);
    QCOMPARE(xls, xlsx);
}

// ---- Importing ------------------------------------------------------------------

void TestImport::partnersSkipBlankAndKnownNames_data()
{
    QTest::addColumn<const Target *>("target");
    QTest::addColumn<QString>("file");
    for (const Target *t : {&sheetimport::suppliers(), &sheetimport::customers()})
        for (const QString &ext : {u".xls"_s, u".xlsx"_s})
            QTest::newRow(qPrintable(t->table + ext)) << t << u"partners"_s + ext;
    QTest::newRow("Sheet1 as the second sheet")
        << &sheetimport::suppliers() << u"partners_second_sheet.xlsx"_s;
}

void TestImport::partnersSkipBlankAndKnownNames()
{
    QFETCH(const Target *, target);
    QFETCH(QString, file);
    FreshShop shop;
    const sheetimport::Imported done = sheetimport::importFile(shop.db(), *target, sheetPath(file));
    QVERIFY2(done.ok(), qPrintable(done.message));
    // The blank row is not counted; the row without a name and the second
    // O'Brien五金 are left out.
    QCOMPARE(done.inserted, 3);
    QCOMPARE(done.skipped, 2);
    QCOMPARE(rowsOf(shop.db(), *target),
             (QStringList{
                 u"O'Brien五金|张三|13800138000|010-1234|北京市海淀区|100080|工商银行|6222020200112233445|老客户"_s,
                 u"\"永固\"建材|李四|0755-888||深圳||||"_s,
                 u"华强电料||||||||"_s}));
}

void TestImport::partnersImportedTwiceAddOnce()
{
    FreshShop shop;
    const Target &t = sheetimport::suppliers();
    QVERIFY(sheetimport::importFile(shop.db(), t, sheetPath(u"partners.xls"_s)).ok());
    // A name the shop keys in differently (case, spaces) is the same name.
    sql::exec(shop.db(), u"UPDATE ghs SET mc = ? WHERE mc = ?"_s, {u" o'brien五金 "_s, u"O'Brien五金"_s});
    const sheetimport::Imported again = sheetimport::importFile(shop.db(), t, sheetPath(u"partners.xlsx"_s));
    QVERIFY2(again.ok(), qPrintable(again.message));
    QCOMPARE(again.inserted, 0);
    QCOMPARE(again.skipped, 5);
    QCOMPARE(count(shop.db(), u"ghs"_s), 3);
    // The customers are a book of their own.
    QCOMPARE(count(shop.db(), u"kh"_s), 0);
}

void TestImport::employeesTakeTheirWages()
{
    FreshShop shop;
    const sheetimport::Imported done =
        sheetimport::importFile(shop.db(), sheetimport::employees(), sheetPath(u"employees.xlsx"_s));
    QVERIFY2(done.ok(), qPrintable(done.message));
    QCOMPARE(rowsOf(shop.db(), sheetimport::employees()),
             (QStringList{u"张三|男|店长|门市|13800000000|北京|35005000|110101199001011234|"_s,
                          u"李四|女|收银|门市|||42000000||"_s,
                          u"王五|男|||13912345678||0|110101199202023456|"_s}));
}

void TestImport::goodsKeepTheirValuesAndGetCodes_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("xls") << u"goods.xls"_s;
    QTest::newRow("xlsx") << u"goods.xlsx"_s;
}

void TestImport::goodsKeepTheirValuesAndGetCodes()
{
    QFETCH(QString, file);
    FreshShop shop;
    const Target &t = sheetimport::goods();
    for (int round = 1; round <= 2; ++round) {
        const sheetimport::Imported done = sheetimport::importFile(shop.db(), t, sheetPath(file));
        QVERIFY2(done.ok(), qPrintable(done.message));
        QCOMPARE(done.inserted, 5);
        QCOMPARE(done.skipped, 0);
    }
    const QStringList rows = rowsOf(shop.db(), t);
    // Goods are inserted as often as they are imported.
    QCOMPARE(rows.size(), 10);
    QCOMPARE(rows.mid(5), rows.mid(0, 5));
    QCOMPARE(rows.mid(0, 5),
             (QStringList{
                 // 库存金额 as the sheet has it, not 10 × 1.2.
                 u"紧固件|LS01|不锈钢螺丝|盒|12000|15000|20000|100000|12000|999900|1000|500|6'' 长|备注一"_s,
                 // An empty code (no cell, an empty text) is the name's pinyin code.
                 u"紧固件|PZLS M8|膨胀螺栓 M8|个|8000|10000|15000|1000000|8000|800000|0|0||"_s,
                 u"紧固件|PZLS M8|膨胀螺栓 M8|个|8000|10000|15000|1000000|8000|800000|0|0||"_s,
                 // Five decimals round to four, ties to even; a number as text.
                 u"电料|6901234567890|开关面板|只|12346|12346|75000|0|0|0|0|0||"_s,
                 // A row with only a unit is a row all the same.
                 u"|||卷|0|0|0|0|0|0|0|0||"_s}));
}

void TestImport::sameRowsFromXlsAndXlsx_data()
{
    QTest::addColumn<const Target *>("target");
    QTest::addColumn<QString>("stem");
    QTest::newRow("goods") << &sheetimport::goods() << u"goods"_s;
    QTest::newRow("customers") << &sheetimport::customers() << u"partners"_s;
    QTest::newRow("employees") << &sheetimport::employees() << u"employees"_s;
}

void TestImport::sameRowsFromXlsAndXlsx()
{
    QFETCH(const Target *, target);
    QFETCH(QString, stem);
    FreshShop fromXls, fromXlsx;
    QVERIFY(sheetimport::importFile(fromXls.db(), *target, sheetPath(stem + u".xls"_s)).ok());
    QVERIFY(sheetimport::importFile(fromXlsx.db(), *target, sheetPath(stem + u".xlsx"_s)).ok());
    const QStringList rows = rowsOf(fromXls.db(), *target);
    QVERIFY(!rows.isEmpty());
    QCOMPARE(rowsOf(fromXlsx.db(), *target), rows);
}

void TestImport::failuresInsertNothing_data()
{
    QTest::addColumn<const Target *>("target");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("detail");

    const Target *goods = &sheetimport::goods();
    const Target *suppliers = &sheetimport::suppliers();
    for (const QString &ext : {u".xls"_s, u".xlsx"_s}) {
        QTest::newRow(qPrintable(u"bad number in row 501"_s + ext))
            << goods << u"goods_bad_row500"_s + ext << u"第501行第H列（库存数量）：“abc”不是数字。"_s;
        QTest::newRow(qPrintable(u"no Sheet1"_s + ext))
            << suppliers << u"partners_other_sheet"_s + ext << u"工作簿中没有名为“Sheet1”的工作表。"_s;
        QTest::newRow(qPrintable(u"missing title"_s + ext))
            << suppliers << u"partners_missing_title"_s + ext << u"第1行缺少列标题“银行帐号”。"_s;
        QTest::newRow(qPrintable(u"bad wage after a good row"_s + ext))
            << &sheetimport::employees() << u"employees_bad_wage"_s + ext
            << u"第3行第G列（基本工资）：“三千”不是数字。"_s;
        QTest::newRow(qPrintable(u"text file"_s + ext))
            << suppliers << u"not_a_sheet"_s + ext << u"文件不是Excel工作簿（.xls或.xlsx）。"_s;
        QTest::newRow(qPrintable(u"another table's sheet"_s + ext))
            << goods << u"partners"_s + ext << u"第1行缺少列标题“类别”。"_s;
    }
    QTest::newRow("no file") << suppliers << u"none.xls"_s << u"无法打开文件："_s;
}

void TestImport::failuresInsertNothing()
{
    QFETCH(const Target *, target);
    QFETCH(QString, file);
    QFETCH(QString, detail);
    FreshShop shop;
    const int before = count(shop.db(), target->table);
    const sheetimport::Imported done = sheetimport::importFile(shop.db(), *target, sheetPath(file));
    QVERIFY(!done.ok());
    QCOMPARE(done.severity, Severity::Warning);
    QVERIFY2(done.message.startsWith(u"批量导入失败!\n"_s + detail), qPrintable(done.message));
    QCOMPARE(done.inserted, 0);
    QCOMPARE(count(shop.db(), target->table), before);
    // The connection is free for the next action.
    QVERIFY(sheetimport::importFile(shop.db(), sheetimport::customers(), sheetPath(u"partners.xls"_s)).ok());
}

void TestImport::progressRisesToTheEnd()
{
    FreshShop shop;
    std::vector<int> told;
    const sheetimport::Imported done =
        sheetimport::importFile(shop.db(), sheetimport::goods(), sheetPath(u"goods_bad_row500.xlsx"_s),
                                [&](int permille) { told.push_back(permille); });
    QVERIFY(!done.ok());
    // Up to the failing row, about half the sheet; never the end.
    QVERIFY(!told.empty());
    QVERIFY(std::is_sorted(told.begin(), told.end()));
    QVERIFY(told.back() > 300 && told.back() < 700);

    told.clear();
    QVERIFY(sheetimport::importFile(shop.db(), sheetimport::suppliers(), sheetPath(u"partners.xls"_s),
                                    [&](int permille) { told.push_back(permille); })
                .ok());
    QVERIFY(std::is_sorted(told.begin(), told.end()));
    QCOMPARE(told.back(), 1000);
}

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
