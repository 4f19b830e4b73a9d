// The report renderer and the printed forms: pagination rules, then every
// form written to PDF and read back with pdftotext (text per page) and
// pdfinfo (paper size).
#include "TestSupport.h"

#include "core/db/Udm1.h"
#include "core/money/Decimal.h"
#include "report/PdfUnicode.h"
#include "report/ReportBuilders.h"
#include "report/ReportFonts.h"
#include "report/ReportLayout.h"
#include "report/forms/Udyghs1.h"
#include "report/forms/Udysp1.h"
#include "report/forms/Udyxsd1.h"
#include "report/forms/Udyyg1.h"

#include <QDir>
#include <QFontDatabase>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using report::BandKind;

namespace {

qlonglong units(const char *text)
{
    const Decimal d = Decimal::parse(QString::fromLatin1(text));
    Q_ASSERT(d.isValid());
    return d.units();
}

// Goods rows as the goods window fetches them: lb, txm, ppgg, dw, xjpf, xjls
// (prices as stored: scaled integers).
Snapshot goodsRows(int count)
{
    std::vector<QVariant> cells;
    for (int i = 1; i <= count; ++i) {
        cells.push_back(u"五金工具"_s);
        cells.push_back(u"G%1"_s.arg(i, 5, 10, QChar(u'0')));
        cells.push_back(u"扳手%1号"_s.arg(i));
        cells.push_back(u"把"_s);
        cells.push_back(units("12.50") + i * 10000);
        cells.push_back(units("15.8"));
    }
    return Snapshot({u"lb"_s, u"txm"_s, u"ppgg"_s, u"dw"_s, u"xjpf"_s, u"xjls"_s}, std::move(cells));
}

Snapshot salesLines(const std::vector<std::array<QVariant, 6>> &rows)
{
    std::vector<QVariant> cells;
    for (const auto &r : rows)
        cells.insert(cells.end(), r.begin(), r.end());
    return Snapshot({u"txm"_s, u"ppgg"_s, u"dw"_s, u"sl"_s, u"jg"_s, u"je"_s}, std::move(cells));
}

ShopRecord shop()
{
    ShopRecord s;
    s.mczc = u"兴隆五金"_s;
    s.mcdy = u"兴隆五金商行"_s;
    s.bz3 = u"货物当面点清，售出商品凭此单退换。"_s;
    s.bz4 = u"谢谢惠顾，欢迎再次光临！"_s;
    return s;
}

}  // namespace

using MakeListForm = std::function<std::unique_ptr<report::ListForm>()>;
Q_DECLARE_METATYPE(MakeListForm)

class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void paginationRules_data();
    void paginationRules();
    void threeOptions();
    void formOperations();

    void listForms_data();
    void listForms();
    void longListBreaksIntoPages();
    void longNameWrapsInsteadOfBeingCut();
    void emptyListStillPrintsHeaderSummaryAndFooter();
    void reusedFormShowsOnlyItsLastUse();
    void landscapeListIsA4Landscape();

    void salesDocument_data();
    void salesDocument();
    void salesDocumentWithManyLines();
    void emptySalesDocument();

    void fontsAreChineseFaces();
    void unwritablePdfIsReported();

    void cmapRewrite_data();
    void cmapRewrite();
    void radicalsOfTheInstalledFaces();
    void unexpectedPdfIsLeftAlone();

private:
    QString pdf(const QString &name) const { return m_dir.filePath(name + u".pdf"_s); }
    QString write(const report::Form &form, const QString &name);
    // The text of every page (pdftotext -layout).
    QStringList pages(const QString &file);
    QSizeF pageSizePoints(const QString &file);
    QString run(const QString &program, const QStringList &args);

    QTemporaryDir m_tmp;
    QDir m_dir;
};

void TestReports::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty(),
             "pdftotext is missing: run scripts/install-deps.sh (poppler-utils)");
    // VELBORA_KEEP_PDF=dir keeps the written files for a look at them.
    const QString keep = qEnvironmentVariable("VELBORA_KEEP_PDF");
    m_dir = QDir(keep.isEmpty() ? m_tmp.path() : keep);
    QVERIFY(m_dir.exists() || QDir().mkpath(m_dir.path()));
}

QString TestReports::run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString TestReports::write(const report::Form &form, const QString &name)
{
    const QString file = pdf(name);
    const auto error = report::writePdf(form, file);
    if (error) {
        qWarning("%s", qPrintable(*error));
        return QString();
    }
    // Every object where the cross-reference table says it is (the maps of
    // characters were rewritten after Qt wrote the file).
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray pdf = f.readAll();
    const auto sx = QRegularExpression(u"startxref\\s+(\\d+)"_s).match(QString::fromLatin1(pdf.right(64)));
    const qsizetype xref = sx.hasMatch() ? sx.captured(1).toLongLong() : -1;
    const auto head = QRegularExpression(u"^xref\\n0 (\\d+)\\n"_s).match(QString::fromLatin1(pdf.mid(xref, 32)));
    if (xref < 0 || !head.hasMatch()) {
        qWarning("no cross-reference table in %s", qPrintable(file));
        return QString();
    }
    const qsizetype entries = xref + head.capturedLength();
    for (int i = 0; i < head.captured(1).toInt(); ++i) {
        const QByteArray e = pdf.mid(entries + 20 * i, 20);
        if (e.at(17) == 'n' && !pdf.mid(e.left(10).toLongLong()).startsWith(QByteArray(QByteArray::number(i) + " 0 obj"))) {
            qWarning("object %d is not where the table says in %s", i, qPrintable(file));
            return QString();
        }
    }
    return file;
}

QStringList TestReports::pages(const QString &file)
{
    QStringList out = run(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, file, u"-"_s})
                          .split(QChar(u'\f'));
    if (!out.isEmpty() && out.last().trimmed().isEmpty())
        out.removeLast();
    // The text names characters, never the radicals that share their glyphs.
    for (const QString &page : out)
        for (QChar c : page)
            if (c.unicode() >= 0x2E80 && c.unicode() <= 0x2FDF)
                QTest::qFail(qPrintable(u"radical in the text of "_s + file + u": "_s + c), __FILE__, __LINE__);
    return out;
}

QSizeF TestReports::pageSizePoints(const QString &file)
{
    const QString info = run(u"pdfinfo"_s, {file});
    const auto m = QRegularExpression(u"Page size:\\s+([\\d.]+) x ([\\d.]+) pts"_s).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// ---- Pagination, without fonts ---------------------------------------------

namespace {

// A form with every band: page 1000 high, margins 100 -> bands between 100 and 900.
report::Form testForm(int rows, qreal summaryHeight)
{
    report::Form f(u"test"_s);
    f.page().paper = QSizeF(1000, 1000);
    f.page().margins = QMarginsF(100, 100, 100, 100);
    f.setBand(BandKind::PageHeader, 100);
    f.setBand(BandKind::Title, 50);
    f.setBand(BandKind::ColumnHeader, 50);
    f.setBand(BandKind::Detail, 100);
    if (summaryHeight > 0)
        f.setBand(BandKind::Summary, summaryHeight);
    f.setBand(BandKind::PageFooter, 100);
    std::vector<QVariant> cells;
    for (int i = 0; i < rows; ++i)
        cells.push_back(i);
    f.setDataset(Snapshot({u"n"_s}, std::move(cells)));
    return f;
}

QString describe(const std::vector<report::LaidOutPage> &pages)
{
    // One letter per band: H page header, T title, C column header, digits =
    // detail rows, S summary, F footer; pages separated by "|".
    QStringList out;
    for (const auto &p : pages) {
        QString s;
        for (const auto &b : p.bands) {
            switch (b.kind) {
            case BandKind::PageHeader: s += u'H'; break;
            case BandKind::Title: s += u'T'; break;
            case BandKind::ColumnHeader: s += u'C'; break;
            case BandKind::Detail: s += QString::number(b.row); break;
            case BandKind::Summary: s += u'S'; break;
            case BandKind::PageFooter: s += u'F'; break;
            }
        }
        out << s;
    }
    return out.join(u'|');
}

}  // namespace

void TestReports::paginationRules_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("heights");  // per row; empty = the band's 100
    QTest::addColumn<int>("summary");
    QTest::addColumn<QString>("expected");

    // Room for lines: 900 - 100 (footer) = 800 at the bottom; page 1 starts
    // at 100 + 100 + 50 + 50 = 300, later pages at 250.
    QTest::newRow("one line") << 1 << QList<int>{} << 100 << u"HTC0SF"_s;
    QTest::newRow("page 1 holds five") << 5 << QList<int>{} << 0 << u"HTC01234F"_s;
    QTest::newRow("sixth line to page 2") << 6 << QList<int>{} << 0 << u"HTC01234F|HC5F"_s;
    QTest::newRow("summary that does not fit moves") << 5 << QList<int>{} << 100
                                                     << u"HTC01234F|HCSF"_s;
    QTest::newRow("summary that just fits stays") << 4 << QList<int>{} << 100 << u"HTC0123SF"_s;
    QTest::newRow("tall line goes whole to the next page")
        << 3 << QList<int>{100, 100, 350} << 0 << u"HTC01F|HC2F"_s;
    QTest::newRow("line taller than any page is drawn alone, no endless paging")
        << 3 << QList<int>{100, 900, 100} << 0 << u"HTC0F|HC1F|HC2F"_s;
    QTest::newRow("empty dataset") << 0 << QList<int>{} << 100 << u"HTCSF"_s;
}

void TestReports::paginationRules()
{
    QFETCH(int, rows);
    QFETCH(QList<int>, heights);
    QFETCH(int, summary);
    QFETCH(QString, expected);

    const report::Form form = testForm(rows, summary);
    const auto pages = report::paginate(
        form, [&](int r) { return heights.isEmpty() ? 100.0 : qreal(heights.at(r)); });
    QCOMPARE(describe(pages), expected);

    // Whatever fits is never cut: every band lies between the top margin and
    // the footer, and the footer sits on the bottom margin.
    for (const auto &p : pages) {
        for (const auto &b : p.bands) {
            QVERIFY(b.top >= 100);
            if (b.kind == BandKind::PageFooter)
                QCOMPARE(b.top + b.height, 900.0);
            else if (b.height <= 550)
                QVERIFY2(b.top + b.height <= 800, qPrintable(describe(pages)));
        }
    }
}

void TestReports::threeOptions()
{
    report::Form form = testForm(6, 100);
    auto layout = [&] { return describe(report::paginate(form, [](int) { return 100.0; })); };
    QCOMPARE(layout(), u"HTC01234F|HC5SF"_s);

    // Without the page header page 1 has room for one line more.
    form.options().pageHeaderOnFirstPage = false;
    QCOMPARE(layout(), u"TC012345F|HCSF"_s);
    form.options().footerOnLastPage = false;
    QCOMPARE(layout(), u"TC012345F|HCS"_s);

    report::Form empty = testForm(0, 100);
    empty.options().printIfEmpty = false;
    QVERIFY(report::paginate(empty, [](int) { return 100.0; }).empty());
}

void TestReports::formOperations()
{
    TFdysp1 form;
    QVERIFY(form.options().pageHeaderOnFirstPage && form.options().footerOnLastPage &&
            form.options().printIfEmpty);
    QVERIFY(form.setCaption(u"QRLdw"_s, u"甲"_s));
    QCOMPARE(form.caption(u"QRLdw"_s), u"甲"_s);
    QVERIFY(form.setColumnTitle(2, u"品名"_s));
    QCOMPARE(form.caption(report::columnTitleLabel(2)), u"品名"_s);
    QVERIFY(form.setColumn(0, u"txm"_s));
    QCOMPARE(form.find(report::columnField(0))->column, u"txm"_s);
    // Names that are not there change nothing and say so.
    QVERIFY(!form.setCaption(u"nosuch"_s, u"x"_s));
    QVERIFY(!form.setFieldColumn(u"QRLdw"_s, u"x"_s));  // a label is not a data field
    QVERIFY(!form.setColumnTitle(6, u"x"_s));
    QVERIFY(!form.setTotal(1, u"1"_s));  // the goods list has no totals
    form.setReportTitle(u"打印预览"_s);
    QCOMPARE(form.reportTitle(), u"打印预览"_s);
}

// ---- List layout -----------------------------------------------------------

void TestReports::listForms_data()
{
    using Make = MakeListForm;
    QTest::addColumn<Make>("make");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QVariantList>("row");      // the one dataset row
    QTest::addColumn<QStringList>("expected");  // what the page shows of it

    const QStringList goodsColumns{u"lb"_s, u"txm"_s, u"ppgg"_s, u"dw"_s, u"xjpf"_s, u"xjls"_s};
    QTest::newRow("TFdysp1 goods")
        << Make([] { return std::make_unique<TFdysp1>(); }) << TFdysp1::title() << goodsColumns
        << QVariantList{u"紧固件"_s, u"6901234567890"_s, u"六角螺栓M8×40"_s, u"个"_s,
                        units("0.35"), units("12")}
        << QStringList{u"类别"_s, u"编码"_s, u"商品名称"_s, u"单位"_s, u"批发单价"_s,
                       u"零售单价"_s, u"紧固件"_s, u"6901234567890"_s, u"六角螺栓M8×40"_s,
                       u"0.35"_s, u"12"_s};
    const QStringList partnerColumns{u"mc"_s, u"lxr"_s, u"lxdh"_s, u"lxdz"_s};
    const QVariantList partner{u"永固螺丝厂"_s, u"王'五"_s, u"0571-88886666"_s,
                               u"杭州市余杭区五金路8号"_s};
    const QStringList partnerTexts{u"名称"_s, u"联系人"_s, u"电话"_s, u"地址"_s, u"永固螺丝厂"_s,
                                   u"王'五"_s, u"0571-88886666"_s, u"杭州市余杭区五金路8号"_s};
    QTest::newRow("TFdyghs1 suppliers")
        << Make([] { return std::make_unique<TFdyghs1>(); }) << TFdyghs1::supplierTitle()
        << partnerColumns << partner << partnerTexts;
    QTest::newRow("TFdyghs1 customers")
        << Make([] { return std::make_unique<TFdyghs1>(); }) << TFdyghs1::customerTitle()
        << partnerColumns << partner << partnerTexts;
    QTest::newRow("TFdyyg1 employees")
        << Make([] { return std::make_unique<TFdyyg1>(); }) << TFdyyg1::title()
        << QStringList{u"xm"_s, u"xb"_s, u"dh"_s, u"dz"_s}
        << QVariantList{u"李小红"_s, u"女"_s, u"13800138000"_s, u"城关镇东街12号"_s}
        << QStringList{u"姓名"_s, u"性别"_s, u"电话"_s, u"住址"_s, u"李小红"_s, u"女"_s,
                       u"13800138000"_s, u"城关镇东街12号"_s};
}

void TestReports::listForms()
{
    using Make = MakeListForm;
    QFETCH(Make, make);
    QFETCH(QString, title);
    QFETCH(QStringList, columns);
    QFETCH(QVariantList, row);
    QFETCH(QStringList, expected);

    auto form = make();
    form->setHeading(shop(), title);
    form->setDataset(Snapshot(columns, std::vector<QVariant>(row.begin(), row.end())));
    form->setReportTitle(u"打印预览"_s);
    const QString file = write(*form, QString::fromLatin1(QTest::currentDataTag()).section(u' ', 0, 0) +
                                          u"-"_s + title);
    QVERIFY(!file.isEmpty());

    const QStringList text = pages(file);
    QCOMPARE(text.size(), 1);
    QVERIFY2(text[0].contains(u"兴隆五金商行"_s + title), qPrintable(text[0]));
    for (const QString &e : expected)
        QVERIFY2(text[0].contains(e), qPrintable(e + u" missing in:\n"_s + text[0]));
    // The page number after its prefix, at the right of the last line.
    const QString lastLine = text[0].trimmed().section(u'\n', -1);
    QVERIFY2(lastLine.trimmed() == u"（1"_s, qPrintable(lastLine));
    const QString headingLine = text[0].section(u'\n', 0, 0);
    QVERIFY(lastLine.indexOf(u"（1"_s) > headingLine.indexOf(title) + title.size());
    // A4 portrait.
    const QSizeF size = pageSizePoints(file);
    QVERIFY(qAbs(size.width() - 595.3) < 1 && qAbs(size.height() - 841.9) < 1);
}

void TestReports::longListBreaksIntoPages()
{
    TFdysp1 form;
    form.setHeading(shop(), TFdysp1::title());
    form.setDataset(goodsRows(200));
    const QString file = write(form, u"goods-200"_s);
    QVERIFY(!file.isEmpty());
    const QStringList text = pages(file);
    QVERIFY2(text.size() >= 5, qPrintable(QString::number(text.size())));

    int next = 1;  // every row once, in order, none cut between pages
    for (int p = 0; p < text.size(); ++p) {
        const QString &page = text[p];
        QVERIFY2(page.contains(u"兴隆五金商行商品资料表"_s), qPrintable(QString::number(p)));
        for (const QString &t : {u"类别"_s, u"编码"_s, u"商品名称"_s, u"批发单价"_s, u"零售单价"_s})
            QVERIFY2(page.contains(t), qPrintable(t + u" missing on page "_s + QString::number(p + 1)));
        QVERIFY(page.trimmed().endsWith(u"（"_s + QString::number(p + 1)));
        // The heading comes before the column titles, which come before the rows.
        QVERIFY(page.indexOf(u"商品资料表"_s) < page.indexOf(u"零售单价"_s));
        for (const QString &line : page.split(u'\n')) {
            const auto m = QRegularExpression(u"G(\\d{5})\\s+扳手(\\d+)号\\s+把\\s+([\\d.]+)\\s+15.8"_s)
                               .match(line);
            if (!m.hasMatch())
                continue;
            QCOMPARE(m.captured(1).toInt(), next);
            QCOMPARE(m.captured(2).toInt(), next);
            QCOMPARE(m.captured(3), Decimal::fromUnits(units("12.50") + next * 10000).toShortest());
            QVERIFY(page.indexOf(u"零售单价"_s) < page.indexOf(line));
            ++next;
        }
    }
    QCOMPARE(next, 201);

    // The same rows laid out without a PDF: no detail line crosses the
    // footer's top.
    QPdfWriter device(m_dir.filePath(u"unused.pdf"_s));
    device.setResolution(600);
    device.setPageLayout(report::pageLayoutOf(form.page()));
    const report::Prepared prepared(form, device);
    QCOMPARE(prepared.pageCount(), text.size());
    const qreal footerTop = 2970 - 100 - form.band(BandKind::PageFooter).height;
    for (const auto &p : prepared.pages())
        for (const auto &b : p.bands)
            if (b.kind == BandKind::Detail)
                QVERIFY(b.top + b.height <= footerTop + 1e-6);
}

void TestReports::longNameWrapsInsteadOfBeingCut()
{
    TFdysp1 form;
    form.setHeading(shop(), TFdysp1::title());
    Snapshot rows = goodsRows(3);
    const QString longName = u"不锈钢内六角圆柱头螺钉全螺纹加长型M12×150（二十只装，配平垫弹垫）"_s;
    std::vector<QVariant> cells;
    for (int r = 0; r < rows.rowCount(); ++r)
        for (int c = 0; c < rows.columnCount(); ++c)
            cells.push_back(r == 1 && c == 2 ? QVariant(longName) : rows.value(r, c));
    form.setDataset(Snapshot(rows.columns(), std::move(cells)));

    QPdfWriter device(m_dir.filePath(u"unused.pdf"_s));
    device.setResolution(600);
    device.setPageLayout(report::pageLayoutOf(form.page()));
    const report::Prepared prepared(form, device);
    std::vector<qreal> heights;
    for (const auto &b : prepared.pages().front().bands)
        if (b.kind == BandKind::Detail)
            heights.push_back(b.height);
    QCOMPARE(heights.size(), size_t(3));
    QCOMPARE(heights[0], form.band(BandKind::Detail).height);
    QVERIFY(heights[1] > heights[0] * 1.5);  // two lines or more
    QCOMPARE(heights[2], heights[0]);

    const QString file = write(form, u"goods-long-name"_s);
    QString flat = pages(file).join(QString());
    flat.remove(QRegularExpression(u"\\s+"_s));
    // Each part of the name is on the page (pdftotext puts the wrapped parts
    // on lines of their own).
    for (const QString &part : {u"不锈钢内六角"_s, u"M12×150"_s, u"配平垫弹垫）"_s})
        QVERIFY2(flat.contains(part), qPrintable(part));
}

namespace {

// A list form with totals, as the inventory list will have.
report::ListLayout stockLayout(bool landscape = false)
{
    return {u"stock"_s,
            landscape,
            {{u"编码"_s, u"txm"_s, 18, Qt::AlignLeft},
             {u"商品名称"_s, u"ppgg"_s, 40, Qt::AlignLeft},
             {u"单位"_s, u"dw"_s, 8, Qt::AlignHCenter},
             {u"库存数量"_s, u"kcsl"_s, 12, Qt::AlignRight},
             {u"库存单价"_s, u"kcjg"_s, 12, Qt::AlignRight},
             {u"库存金额"_s, u"kcje"_s, 14, Qt::AlignRight}},
            {3, 5}};
}

}  // namespace

void TestReports::emptyListStillPrintsHeaderSummaryAndFooter()
{
    report::ListForm form(stockLayout());
    form.setHeading(shop(), u"商品库存表"_s);
    form.setDataset(Snapshot({u"txm"_s, u"ppgg"_s, u"dw"_s, u"kcsl"_s, u"kcjg"_s, u"kcje"_s}, {}));
    QVERIFY(form.setTotal(1, u"0"_s));
    QVERIFY(form.setTotal(2, u"0.00"_s));
    QVERIFY(!form.setTotal(3, u"x"_s));  // this layout has two totals
    const QString file = write(form, u"stock-empty"_s);
    QVERIFY(!file.isEmpty());
    const QStringList text = pages(file);
    QCOMPARE(text.size(), 1);
    const QStringList lines = text[0].split(u'\n', Qt::SkipEmptyParts);
    auto lineWith = [&](const QString &s) {
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].contains(s))
                return i;
        return -1;
    };
    const int heading = lineWith(u"兴隆五金商行商品库存表"_s);
    const int titles = lineWith(u"库存金额"_s);
    const int summary = lineWith(u"总计"_s);
    const int footer = lineWith(u"（1"_s);
    QVERIFY(heading >= 0 && heading < titles && titles < summary && summary < footer);
    QVERIFY(QRegularExpression(u"总计\\s+0\\s+0\\.00\\s*$"_s).match(lines[summary]).hasMatch());
}

void TestReports::reusedFormShowsOnlyItsLastUse()
{
    TFdyghs1 form;
    form.setHeading(shop(), TFdyghs1::supplierTitle());
    form.setDataset(Snapshot({u"mc"_s, u"lxr"_s, u"lxdh"_s, u"lxdz"_s},
                             {u"甲厂"_s, u"张三"_s, u"111"_s, u"北街"_s}));
    QVERIFY(!write(form, u"reuse-1"_s).isEmpty());

    form.setHeading(shop(), TFdyghs1::customerTitle());
    form.setDataset(Snapshot({u"mc"_s, u"lxr"_s, u"lxdh"_s, u"lxdz"_s},
                             {u"乙店"_s, u"李四"_s, u"222"_s, u"南街"_s}));
    const QStringList text = pages(write(form, u"reuse-2"_s));
    QCOMPARE(text.size(), 1);
    QVERIFY(text[0].contains(u"客户资料表"_s) && text[0].contains(u"乙店"_s));
    QVERIFY(!text[0].contains(u"厂商资料表"_s) && !text[0].contains(u"甲厂"_s));
}

void TestReports::landscapeListIsA4Landscape()
{
    report::ListForm form(stockLayout(true));
    form.setHeading(shop(), u"商品进销存统计表"_s);
    form.setDataset(Snapshot({u"txm"_s, u"ppgg"_s, u"dw"_s, u"kcsl"_s, u"kcjg"_s, u"kcje"_s},
                             {u"A1"_s, u"铁钉"_s, u"斤"_s, units("3.5"), units("4"), units("14")}));
    const QString file = write(form, u"landscape"_s);
    const QSizeF size = pageSizePoints(file);
    QVERIFY2(qAbs(size.width() - 841.9) < 1 && qAbs(size.height() - 595.3) < 1,
             qPrintable(u"%1 x %2"_s.arg(size.width()).arg(size.height())));
    QVERIFY(QRegularExpression(u"A1\\s+铁钉\\s+斤\\s+3.5\\s+4\\s+14"_s).match(pages(file).value(0)).hasMatch());
}

// ---- Voucher layout: the sales document -------------------------------------

void TestReports::salesDocument_data()
{
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("received");
    QTest::addColumn<QString>("capitals");  // of the total 100
    QTest::addColumn<QString>("owed");      // the words after "欠款:", empty = no 欠款 pair

    QTest::newRow("paid in full") << u"99.5"_s << u"99.5"_s << u"(大写)壹佰圆整"_s << QString();
    QTest::newRow("part owed") << u"99.5"_s << u"90"_s << u"(大写)壹佰圆整"_s
                               << u"(大写)玖圆伍角整"_s;
    QTest::newRow("more received than due") << u"99.5"_s << u"100"_s << u"(大写)壹佰圆整"_s
                                            << u"(大写)伍角整(退)"_s;
}

void TestReports::salesDocument()
{
    QFETCH(QString, due);
    QFETCH(QString, received);
    QFETCH(QString, capitals);
    QFETCH(QString, owed);

    SalesDocumentPrint doc;
    doc.number = u"XSD20240315001"_s;
    doc.date = u"2024-03-15"_s;
    doc.customer = u"零售客户"_s;
    doc.remark = u"送货上门"_s;
    doc.handler = u"张三"_s;
    doc.totalQuantity = Decimal::parse(u"5"_s);
    doc.totalAmount = Decimal::parse(u"100"_s);
    doc.due = Decimal::parse(due);
    doc.received = Decimal::parse(received);

    TFdyxsd1 form;
    form.fill(shop(), doc,
              salesLines({{{u"6901"_s, u"羊角锤"_s, u"把"_s, units("2"), units("35"), units("70")}},
                          {{u"6902"_s, u"卷尺5米"_s, u"个"_s, units("3"), units("10"), units("30")}}}));
    const QString file = write(form, u"xsd-"_s + QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(!file.isEmpty());
    const QStringList text = pages(file);
    QCOMPARE(text.size(), 1);
    const QString &t = text[0];
    auto has = [&](const QString &pattern) {
        return QRegularExpression(pattern).match(t).hasMatch();
    };
    QVERIFY2(t.contains(u"兴隆五金商行销售单"_s), qPrintable(t));
    QVERIFY2(has(u"客户:\\s*零售客户\\s+单号:\\s*XSD20240315001"_s), qPrintable(t));
    QVERIFY2(has(u"备注:\\s*送货上门\\s+日期:\\s*2024-03-15"_s), qPrintable(t));
    QVERIFY(has(u"编码\\s+商品名称\\s+单位\\s+数量\\s+单价\\s+金额"_s));
    QVERIFY(has(u"6901\\s+羊角锤\\s+把\\s+2\\s+35\\s+70"_s));
    QVERIFY(has(u"6902\\s+卷尺5米\\s+个\\s+3\\s+10\\s+30"_s));
    QVERIFY2(has(u"合计:\\s*"_s + QRegularExpression::escape(capitals) + u"\\s+5\\s+￥100"_s),
             qPrintable(t));
    QVERIFY2(has(u"应收:\\s*￥"_s + QRegularExpression::escape(due)), qPrintable(t));
    QVERIFY2(has(u"实收:\\s*￥"_s + QRegularExpression::escape(received)), qPrintable(t));
    QVERIFY(has(u"经办:\\s*张三\\s+客户签收:"_s));
    if (owed.isEmpty()) {
        QVERIFY(!t.contains(u"欠款"_s));
        QCOMPARE(t.count(u"(大写)"_s), 1);
    } else {
        QVERIFY2(has(u"欠款:\\s*"_s + QRegularExpression::escape(owed)), qPrintable(t));
    }
    // The two footer lines, under everything else.
    QVERIFY(t.indexOf(u"货物当面点清，售出商品凭此单退换。"_s) > t.indexOf(u"客户签收"_s));
    QVERIFY(t.indexOf(u"谢谢惠顾，欢迎再次光临！"_s) > t.indexOf(u"货物当面点清"_s));
    // Continuous paper 241 mm x 93 mm.
    const QSizeF size = pageSizePoints(file);
    QVERIFY2(qAbs(size.width() - 241 / 25.4 * 72) < 1 && qAbs(size.height() - 93 / 25.4 * 72) < 1,
             qPrintable(u"%1 x %2"_s.arg(size.width()).arg(size.height())));
}

void TestReports::salesDocumentWithManyLines()
{
    // A refund of 30 lines: the lines go on over several sheets, the
    // heading and header once, the totals once at the end.
    std::vector<std::array<QVariant, 6>> rows;
    for (int i = 1; i <= 30; ++i)
        rows.push_back({u"R%1"_s.arg(i, 3, 10, QChar(u'0')), u"退货%1"_s.arg(i), u"个"_s,
                        units("-1"), units("2"), units("-2")});
    SalesDocumentPrint doc;
    doc.number = u"PFD20240315002"_s;
    doc.date = u"2024-03-15"_s;
    doc.customer = u"某某建材"_s;
    doc.handler = u"李四"_s;
    doc.totalQuantity = Decimal::parse(u"-30"_s);
    doc.totalAmount = Decimal::parse(u"-60"_s);
    doc.due = doc.totalAmount;
    doc.received = doc.totalAmount;
    TFdyxsd1 form;
    form.fill(shop(), doc, salesLines(rows));
    const QStringList text = pages(write(form, u"xsd-30-lines"_s));
    QVERIFY2(text.size() >= 3, qPrintable(QString::number(text.size())));
    QString all = text.join(QString());
    for (int i = 1; i <= 30; ++i)
        QCOMPARE(all.count(u"R%1 "_s.arg(i, 3, 10, QChar(u'0'))), 1);
    QCOMPARE(all.count(u"兴隆五金商行销售单"_s), 1);
    QCOMPARE(all.count(u"合计:"_s), 1);
    for (const QString &page : text)
        QVERIFY(page.contains(u"商品名称"_s));  // the column header on every sheet
    QVERIFY(text.last().contains(u"(大写)陆拾圆整(退)"_s));
    QVERIFY(QRegularExpression(u"合计:.*-30\\s+￥-60"_s).match(text.last()).hasMatch());
}

void TestReports::emptySalesDocument()
{
    TFdyxsd1 form;
    ShopRecord s = shop();
    s.bz3.clear();
    s.bz4.clear();
    SalesDocumentPrint doc;
    doc.number = u"XSD20240315003"_s;
    form.fill(s, doc, salesLines({}));
    const QStringList text = pages(write(form, u"xsd-empty"_s));
    QCOMPARE(text.size(), 1);
    QVERIFY(text[0].contains(u"兴隆五金商行销售单"_s));
    QVERIFY(text[0].contains(u"商品名称"_s));
    QVERIFY(text[0].contains(u"合计:"_s) && text[0].contains(u"客户签收:"_s));
    QVERIFY(text[0].contains(u"(大写)零"_s));
}

// ---- Fonts and failures ----------------------------------------------------

void TestReports::fontsAreChineseFaces()
{
    for (report::Face face : {report::Face::Song, report::Face::Hei}) {
        const QString family = report::familyFor(face);
        QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese),
                 qPrintable(family));
    }
    // With fonts-noto-cjk installed: serif for 宋体, sans for 黑体.
    if (QFontDatabase::families().contains(u"Noto Serif CJK SC"_s)) {
        QCOMPARE(report::familyFor(report::Face::Song), u"Noto Serif CJK SC"_s);
        QCOMPARE(report::familyFor(report::Face::Hei), u"Noto Sans CJK SC"_s);
        // The PDF carries the heading in the bold sans face, the rest in the serif.
        TFdyyg1 form;
        form.setHeading(shop(), TFdyyg1::title());
        const QString fonts = run(u"pdffonts"_s, {write(form, u"fonts"_s)});
        QVERIFY2(fonts.contains(u"NotoSansCJK"_s) && fonts.contains(u"Bold"_s), qPrintable(fonts));
        QVERIFY2(fonts.contains(u"NotoSerifCJK"_s), qPrintable(fonts));
    }
}

void TestReports::unwritablePdfIsReported()
{
    TFdyyg1 form;
    const auto error = report::writePdf(form, m_dir.filePath(u"no/such/dir/x.pdf"_s));
    QVERIFY(error.has_value());
    QVERIFY(error->contains(u"no/such/dir/x.pdf"_s));
}

// ---- The text layer of the PDF --------------------------------------------

void TestReports::cmapRewrite_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("char map") << QByteArray("1 beginbfchar\n<0005> <2FA6>\nendbfchar")
                              << QByteArray("1 beginbfchar\n<0005> <91D1>\nendbfchar");
    QTest::newRow("range with an array")
        << QByteArray("1 beginbfrange\n<0001> <0003> [<5BA2> <2F3E> <003A>]\nendbfrange")
        << QByteArray("1 beginbfrange\n<0001> <0003> [<5BA2> <6237> <003A>]\nendbfrange");
    QTest::newRow("range of one") << QByteArray("1 beginbfrange\n<0007> <0007> <2F47>\nendbfrange")
                                  << QByteArray("1 beginbfrange\n<0007> <0007> <65E5>\nendbfrange");
    QTest::newRow("range over a radical becomes an array")
        << QByteArray("1 beginbfrange\n<0010> <0012> <2F46>\nendbfrange")
        << QByteArray("1 beginbfrange\n<0010> <0012> [<2F46> <65E5> <2F48>]\nendbfrange");
    QTest::newRow("range without radicals") << QByteArray("1 beginbfrange\n<0020> <0021> <0041>\nendbfrange")
                                            << QByteArray("1 beginbfrange\n<0020> <0021> <0041>\nendbfrange");
    QTest::newRow("glyph codes are not characters")
        << QByteArray("1 beginbfrange\n<2F47> <2F47> <0041>\nendbfrange")
        << QByteArray("1 beginbfrange\n<2F47> <2F47> <0041>\nendbfrange");
    QTest::newRow("outside the maps") << QByteArray("<2F47> <2F47>\n1 beginbfchar\nendbfchar")
                                      << QByteArray("<2F47> <2F47>\n1 beginbfchar\nendbfchar");
}

void TestReports::cmapRewrite()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, expected);
    const pdfunicode::Equivalents map{{0x2FA6, 0x91D1}, {0x2F3E, 0x6237}, {0x2F47, 0x65E5}};
    QCOMPARE(pdfunicode::rewriteCMap(line, map), expected);
}

void TestReports::radicalsOfTheInstalledFaces()
{
    if (!QFontDatabase::families().contains(u"Noto Serif CJK SC"_s))
        QSKIP("the Noto CJK faces are not installed");
    const auto map = pdfunicode::radicalEquivalents(
        {report::fontFor(report::bodyFont()), report::fontFor(report::headingFont())});
    QCOMPARE(map.value(0x2FA6), char16_t(0x91D1));  // ⾦ 金
    QCOMPARE(map.value(0x2F3E), char16_t(0x6237));  // ⼾ 户
    QCOMPARE(map.value(0x2F8F), char16_t(0x884C));  // ⾏ 行
    for (auto it = map.begin(); it != map.end(); ++it) {
        QVERIFY(it.key() >= 0x2E80 && it.key() <= 0x2FDF);
        QVERIFY(it.value() >= 0x4E00 && it.value() <= 0x9FFF);
    }
}

void TestReports::unexpectedPdfIsLeftAlone()
{
    const pdfunicode::Equivalents map{{0x2FA6, 0x91D1}};
    // A map whose length is another object.
    QByteArray pdf("1 0 obj\n<< /Length 2 0 R >>\nstream\n/CIDInit /ProcSet findresource begin\n"
                   "1 beginbfchar\n<0001> <2FA6>\nendbfchar\nendstream\nendobj\n");
    const QByteArray before = pdf;
    QVERIFY(!pdfunicode::rewriteToUnicode(pdf, map));
    QCOMPARE(pdf, before);
    // Nothing to replace: nothing changes.
    QByteArray plain("%PDF-1.4\nno maps here\n");
    QVERIFY(pdfunicode::rewriteToUnicode(plain, map));
    QCOMPARE(plain, QByteArray("%PDF-1.4\nno maps here\n"));
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
