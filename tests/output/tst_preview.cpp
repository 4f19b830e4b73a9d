// The preview window: paging, zoom, the printer buttons without a printer,
// saving as PDF, closing.
#include "TestSupport.h"

#include "core/money/Decimal.h"
#include "report/ReportLayout.h"
#include "ui/ReportPrinting.h"
#include "ui/UdyPreview1.h"
#include "report/forms/Udysp1.h"
#include "report/forms/Udyxsd1.h"
#include "report/forms/Udyyg1.h"

#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

Snapshot goods(int count)
{
    std::vector<QVariant> cells;
    for (int i = 1; i <= count; ++i) {
        cells.push_back(u"五金工具"_s);
        cells.push_back(u"G%1"_s.arg(i));
        cells.push_back(u"扳手%1号"_s.arg(i));
        cells.push_back(u"把"_s);
        cells.push_back(qlonglong(125000));
        cells.push_back(qlonglong(158000));
    }
    return Snapshot({u"lb"_s, u"txm"_s, u"ppgg"_s, u"dw"_s, u"xjpf"_s, u"xjls"_s}, std::move(cells));
}

QString status(const TFdyPreview1 &w)
{
    return w.StatusPanel1->text();
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void opensOnPageOneAtFullSize();
    void pagingButtons_data();
    void pagingButtons();
    void onePageReport();
    void voucherPagesAsInThePdf();
    void zoomMenu();
    void printerButtonsWithoutPrinter();
    void contextMenu();
    void savesPdf();
    void closesAndFrees_data();
    void closesAndFrees();

private:
    std::unique_ptr<TFdysp1> m_form;
};

void TestPreview::init()
{
    m_form = std::make_unique<TFdysp1>();
    m_form->setHeading(u"兴隆五金"_s, TFdysp1::title());
    m_form->setDataset(goods(100));  // three pages
    m_form->setReportTitle(u"打印预览"_s);
}

void TestPreview::opensOnPageOneAtFullSize()
{
    TFdyPreview1 w(*m_form);
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), u"打印预览"_s);
    QVERIFY(w.isModal());
    QVERIFY(w.windowState() & Qt::WindowMaximized);
    QCOMPARE(w.pageCount(), 3);
    QCOMPARE(w.QRPreview1->pageCount(), 3);
    QCOMPARE(status(w), u" 第 1 页 共 3 页"_s);
    QCOMPARE(w.QRPreview1->zoomMode(), QPrintPreviewWidget::CustomZoom);
    QCOMPARE(w.QRPreview1->zoomFactor(), 1.0);
    QCOMPARE(w.ProgressBar1->value(), 100);
    const QStringList captions{u"首页"_s, u"上页"_s, u"下页"_s, u"尾页"_s, u"缩放"_s,
                               u"设置"_s, u"打印"_s, u"关闭"_s};
    const QList<QToolButton *> buttons{w.SB1, w.SB2, w.SB3, w.SB4, w.SB5, w.SB6, w.SB7, w.SB8};
    for (int i = 0; i < captions.size(); ++i) {
        QCOMPARE(buttons[i]->text(), captions[i]);
        QCOMPARE(buttons[i]->accessibleName(), captions[i]);
    }
    QCOMPARE(w.SB9->text(), u"保存PDF"_s);
    // VELBORA_KEEP_PNG=file.png keeps a picture of the window (and one of the
    // whole page beside it) for a look at it.
    const QString png = qEnvironmentVariable("VELBORA_KEEP_PNG");
    if (!png.isEmpty()) {
        w.grab().save(png);
        w.PopupMenu1->actions().at(0)->trigger();
        w.grab().save(QString(png).replace(u".png"_s, u"-whole.png"_s));
    }
}

void TestPreview::pagingButtons_data()
{
    QTest::addColumn<QString>("presses");  // 1..4 = SB1..SB4
    QTest::addColumn<int>("page");

    QTest::newRow("上页 on page 1 stays") << u"2"_s << 1;
    QTest::newRow("下页") << u"3"_s << 2;
    QTest::newRow("下页 twice") << u"33"_s << 3;
    QTest::newRow("下页 past the end stays on the last") << u"3333"_s << 3;
    QTest::newRow("尾页") << u"4"_s << 3;
    QTest::newRow("尾页 then 上页") << u"42"_s << 2;
    QTest::newRow("尾页 then 首页") << u"41"_s << 1;
    QTest::newRow("back to 1 and once more") << u"3222"_s << 1;
}

void TestPreview::pagingButtons()
{
    QFETCH(QString, presses);
    QFETCH(int, page);
    TFdyPreview1 w(*m_form);
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.show();
    QToolButton *buttons[] = {w.SB1, w.SB2, w.SB3, w.SB4};
    for (QChar c : presses)
        QTest::mouseClick(buttons[c.digitValue() - 1], Qt::LeftButton);
    QCOMPARE(w.currentPage(), page);
    QCOMPARE(w.QRPreview1->currentPage(), page);
    QCOMPARE(status(w), u" 第 %1 页 共 3 页"_s.arg(page));
}

void TestPreview::onePageReport()
{
    TFdyyg1 form;
    form.setHeading(u"兴隆五金"_s, TFdyyg1::title());
    form.setDataset(Snapshot({u"xm"_s, u"xb"_s, u"dh"_s, u"dz"_s}, {}));
    TFdyPreview1 w(form);
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.show();
    QCOMPARE(status(w), u" 第 1 页 共 1 页"_s);
    QTest::mouseClick(w.SB3, Qt::LeftButton);
    QTest::mouseClick(w.SB4, Qt::LeftButton);
    QCOMPARE(status(w), u" 第 1 页 共 1 页"_s);
}

void TestPreview::voucherPagesAsInThePdf()
{
    std::vector<QVariant> cells;
    for (int i = 1; i <= 30; ++i)
        cells.insert(cells.end(), {u"C%1"_s.arg(i), u"螺母%1"_s.arg(i), u"个"_s, qlonglong(10000),
                                   qlonglong(20000), qlonglong(20000)});
    ShopRecord shop;
    shop.mcdy = u"兴隆五金"_s;
    SalesDocumentPrint doc;
    doc.number = u"XSD20240315001"_s;
    doc.totalQuantity = Decimal::parse(u"30"_s);
    doc.totalAmount = doc.due = doc.received = Decimal::parse(u"60"_s);
    TFdyxsd1 form;
    form.fill(shop, doc,
              Snapshot({u"txm"_s, u"ppgg"_s, u"dw"_s, u"sl"_s, u"jg"_s, u"je"_s}, std::move(cells)));

    QTemporaryDir dir;
    const QString file = dir.filePath(u"x.pdf"_s);
    QVERIFY(!report::writePdf(form, file));
    QProcess p;
    p.start(u"pdfinfo"_s, {file});
    QVERIFY(p.waitForFinished());
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    const int pdfPages = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(info).captured(1).toInt();
    QVERIFY(pdfPages >= 3);

    TFdyPreview1 w(form);
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.show();
    QCOMPARE(w.pageCount(), pdfPages);
    QCOMPARE(status(w), u" 第 1 页 共 %1 页"_s.arg(pdfPages));
    // Small pages: at whole-page zoom several are in view; the buttons still
    // go where they say.
    w.PopupMenu1->actions().at(0)->trigger();
    QTest::mouseClick(w.SB4, Qt::LeftButton);
    QCOMPARE(status(w), u" 第 %1 页 共 %1 页"_s.arg(pdfPages));
    QTest::mouseClick(w.SB2, Qt::LeftButton);
    QCOMPARE(status(w), u" 第 %1 页 共 %2 页"_s.arg(pdfPages - 1).arg(pdfPages));
    QTest::mouseClick(w.SB1, Qt::LeftButton);
    QCOMPARE(status(w), u" 第 1 页 共 %1 页"_s.arg(pdfPages));
    const QString png = qEnvironmentVariable("VELBORA_KEEP_PNG");
    if (!png.isEmpty()) {
        w.PopupMenu1->actions().at(1)->trigger();  // page width
        w.grab().save(QString(png).replace(u".png"_s, u"-voucher.png"_s));
    }
}

void TestPreview::zoomMenu()
{
    TFdyPreview1 w(*m_form);
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.SB5, Qt::LeftButton);
    QTRY_VERIFY(w.PopupMenu1->isVisible());
    // Dropped at the button's lower left corner.
    QCOMPARE(w.PopupMenu1->pos(), w.SB5->mapToGlobal(w.SB5->rect().bottomLeft()));
    const QList<QAction *> actions = w.PopupMenu1->actions();
    QStringList captions;
    for (QAction *a : actions)
        captions << a->text();
    QCOMPARE(captions, (QStringList{u"缩放—全屏"_s, u"缩放—页宽"_s, u"缩放—100%（实际打印效果）"_s,
                                    u"缩放—50%"_s}));
    w.PopupMenu1->hide();

    actions[3]->trigger();
    QCOMPARE(w.QRPreview1->zoomMode(), QPrintPreviewWidget::CustomZoom);
    QCOMPARE(w.QRPreview1->zoomFactor(), 0.5);
    actions[0]->trigger();
    QCOMPARE(w.QRPreview1->zoomMode(), QPrintPreviewWidget::FitInView);
    actions[1]->trigger();
    QCOMPARE(w.QRPreview1->zoomMode(), QPrintPreviewWidget::FitToWidth);
    actions[2]->trigger();
    QCOMPARE(w.QRPreview1->zoomMode(), QPrintPreviewWidget::CustomZoom);
    QCOMPARE(w.QRPreview1->zoomFactor(), 1.0);
    // Zooming keeps the page.
    for (int page : {3, 2, 1}) {
        QTest::mouseClick(page == 3 ? w.SB4 : w.SB2, Qt::LeftButton);
        for (QAction *a : actions) {
            a->trigger();
            QCOMPARE(status(w), u" 第 %1 页 共 3 页"_s.arg(page));
            QCOMPARE(w.QRPreview1->currentPage(), page);
        }
    }
}

void TestPreview::printerButtonsWithoutPrinter()
{
    if (report::printersAvailable())
        QSKIP("a printer is installed here: the printer dialog would open");
    ScriptedMessages messages;
    TFdyPreview1 w(*m_form);
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.show();
    for (QToolButton *b : {w.SB6, w.SB7}) {
        messages.clear();
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList{u"找不到打印机，请安装打印机！"_s});
        QCOMPARE(messages.shown().front().caption, u"警告"_s);
        QCOMPARE(messages.shown().front().icon, msg::Icon::Warning);
        QVERIFY(w.isVisible());  // the preview stays open
    }
    // Printing straight away says the same and reports the failure.
    messages.clear();
    QVERIFY(!report::printDirectly(nullptr, *m_form));
    QCOMPARE(messages.texts(), QStringList{u"找不到打印机，请安装打印机！"_s});
}

void TestPreview::contextMenu()
{
    auto *w = new TFdyPreview1(*m_form);
    QPointer<TFdyPreview1> guard(w);
    w->show();
    QCOMPARE(w->QRPreview1->contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList captions;
    for (QAction *a : w->QRPreview1->actions())
        captions << a->text();
    QCOMPARE(captions, (QStringList{u"打印"_s, u"设置"_s, u"关闭"_s}));
    w->QRPreview1->actions().at(2)->trigger();
    flushDeletes();
    QVERIFY(guard.isNull());
}

void TestPreview::savesPdf()
{
    QTemporaryDir dir;
    ScriptedMessages messages;
    TFdyPreview1 w(*m_form);
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    QString suggested;
    w.askPdfFileName = [&](const QString &s) {
        suggested = s;
        return dir.filePath(u"商品"_s);  // without ".pdf"
    };
    QTest::mouseClick(w.SB9, Qt::LeftButton);
    QVERIFY2(suggested.endsWith(u"兴隆五金商品资料表.pdf"_s), qPrintable(suggested));
    const QString file = dir.filePath(u"商品.pdf"_s);
    QVERIFY(QFile::exists(file));
    QCOMPARE(messages.texts().size(), 1);
    QVERIFY(messages.last().startsWith(u"已保存为PDF文件："_s));

    QProcess p;
    p.start(u"pdftotext"_s, {u"-layout"_s, file, u"-"_s});
    QVERIFY(p.waitForFinished());
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    QCOMPARE(text.count(u"兴隆五金商品资料表"_s), 3);
    QVERIFY(text.contains(u"（3"_s));

    // Cancelled: nothing written, nothing said.
    messages.clear();
    w.askPdfFileName = [](const QString &) { return QString(); };
    QTest::mouseClick(w.SB9, Qt::LeftButton);
    QVERIFY(messages.texts().isEmpty());

    // A place that cannot be written is reported, not taken for success.
    w.askPdfFileName = [&](const QString &) { return dir.filePath(u"no/such/dir/x.pdf"_s); };
    QTest::mouseClick(w.SB9, Qt::LeftButton);
    QCOMPARE(messages.shown().size(), size_t(1));
    QCOMPARE(messages.shown().front().caption, u"警告"_s);
    QVERIFY(messages.last().contains(u"无法写入文件"_s));
}

void TestPreview::closesAndFrees_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("关闭") << 0;
    QTest::newRow("Esc") << 1;
}

void TestPreview::closesAndFrees()
{
    QFETCH(int, how);
    auto *w = new TFdyPreview1(*m_form);
    QPointer<TFdyPreview1> guard(w);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    if (how == 0)
        QTest::mouseClick(w->SB8, Qt::LeftButton);
    else
        QTest::keyClick(w, Qt::Key_Escape);
    flushDeletes();
    QVERIFY(guard.isNull());
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
