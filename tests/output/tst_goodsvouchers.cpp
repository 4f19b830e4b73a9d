// The purchase and stock movement vouchers written to PDF and read back with
// pdftotext: what each label says, where the lines and totals stand, and the
// words after a negative total.
#include "TestSupport.h"

#include "core/db/Udm1.h"
#include "report/ReportLayout.h"
#include "report/forms/Udycgd1.h"
#include "report/forms/Udyrkd1.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

qlonglong units(const QString &text)
{
    return Decimal::parse(text).units();
}

// Lines "txm ppgg dw sl jg je; ..." as the document window hands them over.
Snapshot lines(const QString &rows)
{
    std::vector<QVariant> cells;
    for (const QString &row : rows.split(u';', Qt::SkipEmptyParts)) {
        const QStringList p = row.trimmed().split(u' ');
        cells.insert(cells.end(), {p[0], p[1], p[2], units(p[3]), units(p[4]), units(p[5])});
    }
    return Snapshot({u"txm"_s, u"ppgg"_s, u"dw"_s, u"sl"_s, u"jg"_s, u"je"_s}, std::move(cells));
}

ShopRecord shop()
{
    ShopRecord s;
    s.mcdy = u"兴隆五金商行"_s;
    return s;
}

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

using MakeForm = std::function<std::unique_ptr<GoodsVoucherForm>()>;

}  // namespace

Q_DECLARE_METATYPE(MakeForm)

class TestGoodsVouchers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void voucher_data();
    void voucher();
    void manyLinesKeepTotalsAtTheEnd();

private:
    QStringList pages(const GoodsVoucherForm &form, const QString &name);

    QTemporaryDir m_tmp;
};

void TestGoodsVouchers::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty(),
             "pdftotext is missing: run scripts/install-deps.sh (poppler-utils)");
}

QStringList TestGoodsVouchers::pages(const GoodsVoucherForm &form, const QString &name)
{
    const QString file = m_tmp.filePath(name + u".pdf"_s);
    if (const auto error = report::writePdf(form, file)) {
        qWarning("%s", qPrintable(*error));
        return {};
    }
    QStringList out = run(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, file, u"-"_s})
                          .split(QChar(u'\f'));
    if (!out.isEmpty() && out.last().trimmed().isEmpty())
        out.removeLast();
    return out;
}

void TestGoodsVouchers::voucher_data()
{
    QTest::addColumn<MakeForm>("make");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("partnerCaption");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("total");     // hjje
    QTest::addColumn<QString>("capitals");

    const MakeForm purchase = [] { return std::make_unique<TFdycgd1>(); };
    const MakeForm movement = [] { return std::make_unique<TFdyrkd1>(); };
    QTest::newRow("purchase") << purchase << u"兴隆五金商行采购单"_s << u"厂商:"_s
                              << u"6901 羊角锤 把 2 35 70; 6902 卷尺5米 个 3 10 30"_s << u"100"_s
                              << u"(大写)壹佰圆整"_s;
    QTest::newRow("purchase returned") << purchase << u"兴隆五金商行采购单"_s << u"厂商:"_s
                                       << u"6901 羊角锤 把 -2 35 -70"_s << u"-70"_s
                                       << u"(大写)柒拾圆整(退)"_s;
    QTest::newRow("movement in") << movement << u"兴隆五金商行库存异动单"_s << u"异动:"_s
                                 << u"6902 卷尺5米 个 3 2.5 7.5"_s << u"7.5"_s
                                 << u"(大写)柒圆伍角整"_s;
    QTest::newRow("movement out") << movement << u"兴隆五金商行库存异动单"_s << u"异动:"_s
                                  << u"6901 羊角锤 把 -5 2.5 -12.5; 6902 卷尺5米 个 3 2.5 7.5"_s
                                  << u"-5"_s << u"(大写)伍圆整(出)"_s;
}

void TestGoodsVouchers::voucher()
{
    QFETCH(MakeForm, make);
    QFETCH(QString, heading);
    QFETCH(QString, partnerCaption);
    QFETCH(QString, rows);
    QFETCH(QString, total);
    QFETCH(QString, capitals);

    const std::unique_ptr<GoodsVoucherForm> form = make();
    GoodsVoucherDocument doc;
    doc.number = u"CGD20240315001"_s;
    doc.date = u"2024-03-15"_s;
    doc.partner = u"东方五金厂"_s;
    doc.remark = u"月结"_s;
    doc.handler = u"张三"_s;
    doc.preparedBy = u"系统管理员"_s;
    const Snapshot data = lines(rows);
    for (int r = 0; r < data.rowCount(); ++r)
        doc.totalQuantity += Decimal::fromUnits(data.value(r, 3).toLongLong());
    doc.totalAmount = Decimal::parse(total);
    form->fill(shop(), doc, data);
    QCOMPARE(form->caption(GoodsVoucherForm::capitalsLabel()), capitals);

    const QStringList text = pages(*form, QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(text.size(), 1);
    const QString &t = text[0];
    auto has = [&](const QString &pattern) {
        return QRegularExpression(pattern).match(t).hasMatch();
    };
    QVERIFY2(t.contains(heading), qPrintable(t));
    QVERIFY2(has(partnerCaption + u"\\s*东方五金厂\\s+单号:\\s*CGD20240315001"_s), qPrintable(t));
    QVERIFY2(has(u"备注:\\s*月结\\s+日期:\\s*2024-03-15"_s), qPrintable(t));
    QVERIFY(has(u"编码\\s+商品名称\\s+单位\\s+数量\\s+单价\\s+金额"_s));
    for (const QString &row : rows.split(u';')) {
        const QString pattern = QRegularExpression::escape(row.trimmed()).replace(u"\\ "_s, u"\\s+"_s);
        QVERIFY2(has(pattern), qPrintable(row + u"\n"_s + t));
    }
    QVERIFY2(has(u"合计:\\s*"_s + QRegularExpression::escape(capitals) + u"\\s+"_s +
                 QRegularExpression::escape(doc.totalQuantity.toShortest()) + u"\\s+￥"_s +
                 QRegularExpression::escape(total)),
             qPrintable(t));
    QVERIFY2(has(u"经办:\\s*张三\\s+制单:\\s*系统管理员"_s), qPrintable(t));
    // Neither voucher carries the sales voucher's money lines.
    for (const QString &absent : {u"应收"_s, u"实收"_s, u"欠款"_s, u"客户签收"_s})
        QVERIFY2(!t.contains(absent), qPrintable(absent));
    // The words come after the lines, the signatures after the words.
    QVERIFY(t.indexOf(u"合计:"_s) > t.indexOf(u"编码"_s));
    QVERIFY(t.indexOf(u"制单:"_s) > t.indexOf(u"合计:"_s));
}

void TestGoodsVouchers::manyLinesKeepTotalsAtTheEnd()
{
    // Forty lines run over several sheets of the continuous paper: every
    // line once, the column titles on every sheet, the totals once at the end.
    QStringList rows;
    for (int i = 1; i <= 40; ++i)
        rows << u"M%1 螺丝%1 个 1 0.5 0.5"_s.arg(i, 3, 10, QChar(u'0'));
    TFdyrkd1 form;
    GoodsVoucherDocument doc;
    doc.number = u"YDD20240315001"_s;
    doc.partner = u"盘盈"_s;
    doc.totalQuantity = Decimal::parse(u"40"_s);
    doc.totalAmount = Decimal::parse(u"20"_s);
    form.fill(shop(), doc, lines(rows.join(u';')));
    const QStringList text = pages(form, u"forty"_s);
    QVERIFY2(text.size() >= 3, qPrintable(QString::number(text.size())));
    const QString all = text.join(QString());
    for (int i = 1; i <= 40; ++i)
        QCOMPARE(all.count(u"M%1 "_s.arg(i, 3, 10, QChar(u'0'))), 1);
    for (const QString &page : text)
        QVERIFY(page.contains(u"商品名称"_s));
    QCOMPARE(all.count(u"合计:"_s), 1);
    QVERIFY(text.last().contains(u"(大写)贰拾圆整"_s));
    QCOMPARE(all.count(u"兴隆五金商行库存异动单"_s), 1);
}

QTEST_MAIN(TestGoodsVouchers)
#include "tst_goodsvouchers.moc"
