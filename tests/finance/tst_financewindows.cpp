// The finance windows: the payment and receipt windows (the look-up of the
// number, saving one after another with the same date and handler, the
// emptied amount, refusals and their focus), the chooser, the lists of
// documents with a balance and of payments (their rows, totals, colours and
// actions), other income and expenses with their item list, the two money
// vouchers read back from PDF, and the five menu items.
#include "DocumentFixtures.h"
#include "ModalDialogs.h"
#include "TestSupport.h"

#include "app/Umain1.h"
#include "core/finance/Settlements.h"
#include "core/money/Capitals.h"
#include "report/ReportLayout.h"
#include "report/forms/Udyfkd1.h"
#include "report/forms/Udyszd1.h"
#include "ui/ChildWindows.h"
#include "ui/ListGrid.h"
#include "ui/NumberEdit.h"
#include "windows/finance/Ufkfx1.h"
#include "windows/finance/Uskfx1.h"
#include "windows/finance/Uszfx1.h"
#include "windows/finance/Utjfkfx1.h"
#include "windows/finance/Utjskfx1.h"
#include "windows/finance/Utjszfx1.h"
#include "windows/finance/Uxzyf1.h"
#include "windows/finance/Uyffx1.h"
#include "windows/finance/Uysfx1.h"
#include "windows/masterdata/Uszxm1.h"
#include "windows/masterdata/Utjszxm1.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using settlements::Side;

Q_DECLARE_METATYPE(settlements::Side)

namespace {

const QDate kToday = fixture::kToday;

const documents::Descriptor &purchase()
{
    return documents::descriptor(documents::DocumentKind::Purchase);
}

const documents::Descriptor &retail()
{
    return documents::descriptor(documents::DocumentKind::Retail);
}

// Purchases: CGD..001 of 1000 with 300 paid (700 owed) from 甲方, CGD..002
// of 80 fully paid, CGD..003 held. Sales: XSD..001 of 500 with 100 received.
void documentsOwing(const QSqlDatabase &db)
{
    fixture::addGoods(db, u"A"_s, u"100 1 100"_s);
    QCOMPARE(fixture::post(db, purchase(), u"CGD20240315001"_s, u"A 1 1000"_s, u"甲方 0 300"_s), QString());
    QCOMPARE(fixture::post(db, purchase(), u"CGD20240315002"_s, u"A 1 80"_s, u"乙方 0 80"_s), QString());
    QCOMPARE(fixture::addLines(db, purchase(), u"CGD20240315003"_s, u"A 1 50"_s), QString());
    QVERIFY(fixture::save(db, purchase(), u"CGD20240315003"_s, u"丙方"_s, documents::SaveAs::Hold).outcome.ok());
    QCOMPARE(fixture::post(db, retail(), u"XSD20240315001"_s, u"A 1 500 1"_s, u"O'Brien 0 100"_s), QString());
}

QString owedOf(const QSqlDatabase &db, const QString &table, const QString &dh)
{
    return Decimal::fromUnits(
               sql::scalar(db, u"SELECT qk FROM "_s + table + u" WHERE dh = ?"_s, {dh}).toLongLong())
        .toShortest();
}

QStringList column(const ListGrid *grid, const QString &field)
{
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << grid->rows().value(r, field).toString();
    return out;
}

QColor foreground(const ListGrid *grid, int row)
{
    return grid->model()->index(row, 0).data(Qt::ForegroundRole).value<QColor>();
}

QColor background(const ListGrid *grid, int row)
{
    return grid->model()->index(row, 0).data(Qt::BackgroundRole).value<QColor>();
}

// Lets the lists follow the changes just committed (they re-query once the
// action that changed their tables has finished).
void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

void keepPicture(QWidget *w, const QString &name)
{
    if (const QString dir = qEnvironmentVariable("VELBORA_KEEP_PNG"); !dir.isEmpty()) {
        w->show();
        QCoreApplication::processEvents();
        w->grab().save(dir + u'/' + name + u".png"_s);
    }
}

QString pdfText(const report::Form &form, const QString &file)
{
    if (const auto error = report::writePdf(form, file)) {
        qWarning("%s", qPrintable(*error));
        return {};
    }
    if (const QString dir = qEnvironmentVariable("VELBORA_KEEP_PNG"); !dir.isEmpty()) {
        QProcess::execute(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"80"_s, u"-singlefile"_s, file,
                                         dir + u'/' + QFileInfo(file).completeBaseName()});
    }
    QProcess p;
    p.start(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, file, u"-"_s});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    // Blanks between the items do not matter here.
    return QString::fromUtf8(p.readAllStandardOutput()).remove(u' ');
}

}  // namespace

class TestFinanceWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void numberLooksUpTheDocument();
    void addingOneAfterAnother();
    void emptiedAmount_data();
    void emptiedAmount();
    void refusalsFocusTheirField();
    void chooserHandsTheNumberOver();
    void owedListRowsTotalsAndColours_data();
    void owedListRowsTotalsAndColours();
    void paymentsListActions();
    void incomeExpenseWindowAndList();
    void itemListRefusesDuplicates();
    void vouchersReadBack_data();
    void vouchersReadBack();
    void menuOpensTheFinanceWindows();

private:
    WindowContext context() { return {m_shop->dm(), m_session}; }
    QSqlDatabase db() { return m_shop->db(); }

    std::unique_ptr<FreshShop> m_shop;
    std::unique_ptr<ScriptedMessages> m_messages;
    Session m_session = Session::forOperator(u"系统管理员"_s, {});
    QTemporaryDir m_tmp;
};

void TestFinanceWindows::init()
{
    m_shop = std::make_unique<FreshShop>();
    m_messages = std::make_unique<ScriptedMessages>();
    MoneyListWindow::today() = [] { return kToday; };
    TFszfx1::today() = [] { return kToday; };
}

void TestFinanceWindows::cleanup()
{
    m_messages.reset();
    m_shop.reset();
}

void TestFinanceWindows::numberLooksUpTheDocument()
{
    documentsOwing(db());
    TFtjfkfx1 w(context());
    QCOMPARE(w.windowTitle(), u"新增付款"_s);
    QCOMPARE(w.qk->text(), u"0"_s);
    struct Case {
        QString number, partner, owed;
    };
    const std::vector<Case> cases = {
        {u"CGD20240315001"_s, u"甲方"_s, u"700"_s},
        {u"CGD2024031500"_s, QString(), u"0"_s},   // a prefix while typing
        {u"CGD20240315002"_s, QString(), u"0"_s},  // fully paid
        {u"CGD20240315003"_s, QString(), u"0"_s},  // held
        {u"XSD20240315001"_s, QString(), u"0"_s},  // the other side's
    };
    for (const Case &c : cases) {
        w.dh->setText(c.number);
        QCOMPARE(w.partnerField->text(), c.partner);
        QCOMPARE(w.qk->text(), c.owed);
    }
    TFtjskfx1 r(context());
    r.dh->setText(u"XSD20240315001"_s);
    QCOMPARE(r.partnerField->text(), u"O'Brien"_s);
    QCOMPARE(r.qk->text(), u"400"_s);
    QCOMPARE(r.partnerField->objectName(), u"kh"_s);
    QCOMPARE(r.amount->objectName(), u"sk"_s);
}

void TestFinanceWindows::addingOneAfterAnother()
{
    documentsOwing(db());
    TFtjfkfx1 w(context());
    const QDate paidOn(2024, 3, 20);
    w.DateTimePicker1->setDate(paidOn);
    w.dh->setText(u"CGD20240315001"_s);
    w.amount->setText(u"200"_s);
    w.jsr->setText(u"李四"_s);
    w.bz->setText(u"首付"_s);
    w.BitBtn1Click();
    QCOMPARE(m_messages->texts(), QStringList());
    QCOMPARE(owedOf(db(), u"cgglz"_s, u"CGD20240315001"_s), u"500"_s);
    // Ready for the next: number and remark emptied, amount 0, same date and handler.
    QCOMPARE(w.dh->text(), QString());
    QCOMPARE(w.bz->text(), QString());
    QCOMPARE(w.amount->text(), u"0"_s);
    QCOMPARE(w.jsr->text(), u"李四"_s);
    QCOMPARE(w.DateTimePicker1->date(), paidOn);
    keepPicture(&w, u"TFtjfkfx1"_s);
    w.dh->setText(u"CGD20240315001"_s);
    QCOMPARE(w.qk->text(), u"500"_s);
    w.amount->setText(u"500"_s);
    w.BitBtn1Click();
    QCOMPARE(owedOf(db(), u"cgglz"_s, u"CGD20240315001"_s), u"0"_s);
    QCOMPARE(sql::scalar(db(), u"SELECT count(*) FROM fkfx WHERE rq = '2024-03-20'"_s).toInt(), 2);
    // Settled: no longer found.
    w.dh->setText(u"CGD20240315001"_s);
    QCOMPARE(w.partnerField->text(), QString());
}

void TestFinanceWindows::emptiedAmount_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<QString>("shown");
    QTest::newRow("payment") << Side::Payables << u"0"_s;
    QTest::newRow("receipt") << Side::Receivables << u"0.00"_s;
}

void TestFinanceWindows::emptiedAmount()
{
    QFETCH(Side, side);
    QFETCH(QString, shown);
    std::unique_ptr<MoneyWindow> w;
    if (side == Side::Payables)
        w = std::make_unique<TFtjfkfx1>(context());
    else
        w = std::make_unique<TFtjskfx1>(context());
    w->amount->setText(u"12"_s);
    w->amount->clear();
    QCOMPARE(w->amount->text(), shown);
    // Three decimals become two on leaving (ties to even).
    w->amount->setText(u"1.125"_s);
    w->amount->tidy();
    QCOMPARE(w->amount->text(), u"1.12"_s);
}

void TestFinanceWindows::refusalsFocusTheirField()
{
    documentsOwing(db());
    TFtjskfx1 w(context());
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.BitBtn1Click();
    QCOMPARE(m_messages->last(), u"帐单不可为空！"_s);
    QCOMPARE(QApplication::focusWidget(), w.dh);
    w.dh->setText(u"XSD20240315001"_s);
    w.BitBtn1Click();
    QCOMPARE(m_messages->last(), u"本次收款不可为零！"_s);
    QCOMPARE(QApplication::focusWidget(), w.amount);
    w.amount->setText(u"50"_s);
    w.BitBtn1Click();
    QCOMPARE(m_messages->last(), u"经办人不可为空！"_s);
    QCOMPARE(m_messages->shown().back().caption, u"提示"_s);
    QCOMPARE(sql::scalar(db(), u"SELECT count(*) FROM skfx"_s).toInt(), 1);  // the sale's own
    // Browsing saves nothing.
    w.jsr->setText(u"李四"_s);
    w.start(u"浏览"_s, nullptr);
    QCOMPARE(w.windowTitle(), u"浏览收款"_s);
    QVERIFY(!w.BitBtn1->isEnabled());
}

void TestFinanceWindows::chooserHandsTheNumberOver()
{
    documentsOwing(db());
    fixture::addGoods(db(), u"B"_s, u"100 1 100"_s);
    QCOMPARE(fixture::post(db(), purchase(), u"CGD20240315004"_s, u"B 1 60"_s, u"乙方 0 0"_s), QString());
    TFtjfkfx1 w(context());
    {
        // Nothing typed yet: every document with a balance; the first chosen.
        TFxzyf1 chooser(context(), w);
        QCOMPARE(chooser.windowTitle(), u"选择应付帐单（采购欠款单）"_s);
        QCOMPARE(column(chooser.grid(), u"dh"_s),
                 QStringList({u"CGD20240315001"_s, u"CGD20240315004"_s}));
        chooser.grid()->setCurrentRow(1);
        chooser.xuanClick();
    }
    QCOMPARE(w.dh->text(), u"CGD20240315004"_s);
    QCOMPARE(w.partnerField->text(), u"乙方"_s);
    QCOMPARE(w.qk->text(), u"60"_s);
    {
        // Opened on the window's supplier: that supplier's documents only.
        TFxzyf1 chooser(context(), w);
        QCOMPARE(chooser.Edit2->text(), u"乙方"_s);
        QCOMPARE(column(chooser.grid(), u"dh"_s), QStringList{u"CGD20240315004"_s});
        chooser.Edit2->setText(u"无此厂商"_s);
        chooser.chaClick();
        chooser.xuanClick();
        QCOMPARE(m_messages->last(), u"没有帐单可选择！"_s);
        QCOMPARE(m_messages->shown().back().caption, u"警告"_s);
    }
}

void TestFinanceWindows::owedListRowsTotalsAndColours_data()
{
    QTest::addColumn<Side>("side");
    QTest::newRow("payables") << Side::Payables;
    QTest::newRow("receivables") << Side::Receivables;
}

void TestFinanceWindows::owedListRowsTotalsAndColours()
{
    QFETCH(Side, side);
    documentsOwing(db());
    const auto &d = settlements::descriptor(side);
    const QString first = side == Side::Payables ? u"CGD20240315001"_s : u"XSD20240315001"_s;
    std::unique_ptr<OwedListWindow> w;
    if (side == Side::Payables)
        w = std::make_unique<TFyffx1>(context());
    else
        w = std::make_unique<TFysfx1>(context());
    w->show();
    QCOMPARE(column(w->grid(), u"dh"_s), QStringList{first});
    QCOMPARE(w->panelText(2), side == Side::Payables ? u"700"_s : u"400"_s);
    QCOMPARE(w->panelText(4), u"默认显示全部数据"_s);
    QVERIFY(foreground(w->grid(), 0) != QColor(Qt::red));
    keepPicture(w.get(), w->objectName());

    // Overpaid elsewhere: the list follows, red, and the refund type finds it.
    QVERIFY(settlements::add(db(), d, {kToday, first, u"1000"_s, u"李四"_s, {}}).outcome.ok());
    settle();
    QCOMPARE(column(w->grid(), u"dh"_s), QStringList{first});
    QCOMPARE(foreground(w->grid(), 0), QColor(Qt::red));
    QVERIFY(w->panelText(2).startsWith(u'-'));
    settlements::OwedFilter f;
    f.balance = settlements::Balance::Owed;
    QVERIFY(w->showFilter(f));
    QCOMPARE(w->grid()->rowCount(), 0);
    QCOMPARE(w->panelText(2), u"0"_s);
    m_messages->clear();
    w->SB66Click();
    QCOMPARE(m_messages->last(), side == Side::Payables ? u"没有单据可查阅！"_s : u"没有明细可查阅！"_s);

    // The printed list: its title, columns and total.
    f.balance = settlements::Balance::Refund;
    QVERIFY(w->showFilter(f));
    report::Form *printed = nullptr;
    QString heading, third, total;
    w->previewer = [&](report::Form &form) {
        printed = &form;
        heading = form.caption(report::headingLabel());
        third = form.caption(report::columnTitleLabel(2));
        total = form.caption(report::totalLabel(1));
    };
    w->SB88Click();
    QVERIFY(printed);
    QCOMPARE(heading, m_shop->dm().ATdanwei1().mcdy + (side == Side::Payables ? u"应付明细表"_s : u"应收明细表"_s));
    QCOMPARE(third, side == Side::Payables ? u"厂商"_s : u"客户"_s);
    QCOMPARE(total, w->panelText(2));
}

void TestFinanceWindows::paymentsListActions()
{
    documentsOwing(db());
    const auto &d = settlements::descriptor(Side::Payables);
    const qint64 id = settlements::add(db(), d, {kToday, u"CGD20240315001"_s, u"200"_s, u"李四"_s, {}}).id;
    settlements::add(db(), d, {QDate(2024, 3, 1), u"CGD20240315001"_s, u"-50"_s, u"李四"_s, {}});
    TFfkfx1 w(context());
    w.show();
    // Today's: the two purchases' own rows and the payment.
    QCOMPARE(column(w.grid(), u"je"_s).size(), 3);
    QCOMPARE(w.panelText(2), u"580"_s);
    const int row = w.grid()->rows().rowOfKey(id);
    w.grid()->setCurrentRow(row);

    w.SB55Click();
    QCOMPARE(m_messages->last(), u"审核数据不可修改，请先反审核！"_s);
    m_messages->answer(msg::Answer::Cancel);
    w.SB33Click();
    QCOMPARE(m_messages->last(), u"确定要反审么？"_s);
    QCOMPARE(owedOf(db(), u"cgglz"_s, u"CGD20240315001"_s), u"550"_s);
    w.SB33Click();  // OK
    settle();
    QCOMPARE(owedOf(db(), u"cgglz"_s, u"CGD20240315001"_s), u"750"_s);
    w.grid()->setCurrentRow(w.grid()->rows().rowOfKey(id));
    QCOMPARE(background(w.grid(), w.grid()->currentRow()), QColor(225, 255, 225));
    w.SB33Click();
    QCOMPARE(m_messages->last(), u"数据已经反审！"_s);

    // Approved again through the window in "修改": applied once.
    ModalAnswer<MoneyWindow> change([](MoneyWindow &mw) {
        QCOMPARE(mw.windowTitle(), u"修改付款"_s);
        QCOMPARE(mw.qk->text(), u"750"_s);
        mw.amount->setText(u"100"_s);
        mw.BitBtn1Click();
    });
    w.SB55Click();
    QVERIFY(change.seen());
    settle();
    QCOMPARE(owedOf(db(), u"cgglz"_s, u"CGD20240315001"_s), u"650"_s);
    QCOMPARE(w.panelText(2), u"480"_s);

    // Deleting the approved payment takes it out of the document.
    w.grid()->setCurrentRow(w.grid()->rows().rowOfKey(id));
    w.SB66Click();
    QCOMPARE(m_messages->last(), u"确定要删除此记录么？"_s);
    settle();
    QCOMPARE(owedOf(db(), u"cgglz"_s, u"CGD20240315001"_s), u"750"_s);
    QCOMPARE(w.panelText(2), u"380"_s);
    QCOMPARE(w.grid()->rowCount(), 2);
    // A refund is red.
    settlements::MoneyFilter f;
    f.direction = settlements::Direction::Refunded;
    QVERIFY(w.showFilter(f));
    QCOMPARE(w.grid()->rowCount(), 1);
    QCOMPARE(foreground(w.grid(), 0), QColor(Qt::red));
    keepPicture(&w, u"TFfkfx1"_s);
}

void TestFinanceWindows::incomeExpenseWindowAndList()
{
    TFszfx1 list(context());
    list.show();
    QCOMPARE(list.panelText(2) + list.panelText(3) + list.panelText(4), u"000"_s);
    TFtjszfx1 w(context(), &list);
    QCOMPARE(w.windowTitle(), u"新增其他收支"_s);
    QCOMPARE(w.ComboBox1->currentText(), u"支出"_s);
    w.DateTimePicker1->setDate(kToday);
    w.ComboBox1->setCurrentText(u"杂项"_s);
    w.xm->setText(u"房租"_s);
    w.je->setText(u"120.5"_s);
    w.jsr->setText(u"李四"_s);
    w.BitBtn1Click();
    QCOMPARE(m_messages->last(), u"类别只能是“收入”或“支出”！"_s);
    QCOMPARE(list.grid()->rowCount(), 0);
    w.ComboBox1->setCurrentText(u"支出"_s);
    w.BitBtn1Click();
    settle();
    QCOMPARE(list.grid()->rowCount(), 1);
    QCOMPARE(foreground(list.grid(), 0), QColor(Qt::red));
    // Kept for the next record: date, category, handler; item and amount emptied.
    QCOMPARE(w.xm->text(), QString());
    QCOMPARE(w.je->text(), u"0"_s);
    QCOMPARE(w.jsr->text(), u"李四"_s);
    w.ComboBox1->setCurrentText(u"收入"_s);
    w.xm->setText(u"废品回收"_s);
    w.je->setText(u"200"_s);
    w.BitBtn1Click();
    settle();
    QCOMPARE(list.panelText(2) + u'|' + list.panelText(3) + u'|' + list.panelText(4),
             u"200|120.5|79.5"_s);
    QVERIFY(foreground(list.grid(), 1) != QColor(Qt::red));
    keepPicture(&list, u"TFszfx1"_s);

    // Changing the expense into income moves its amount.
    list.grid()->setCurrentRow(0);
    ModalAnswer<TFtjszfx1> change([](TFtjszfx1 &e) {
        QCOMPARE(e.windowTitle(), u"修改其他收支"_s);
        QCOMPARE(e.je->text(), u"120.5"_s);
        e.ComboBox1->setCurrentText(u"收入"_s);
        e.BitBtn1Click();
    });
    list.SB55Click();
    QVERIFY(change.seen());
    settle();
    QCOMPARE(list.panelText(2) + u'|' + list.panelText(3) + u'|' + list.panelText(4),
             u"320.5|0|320.5"_s);
    list.grid()->setCurrentRow(0);
    list.SB66Click();
    QCOMPARE(m_messages->last(), u"确定要删除此收支么？"_s);
    settle();
    QCOMPARE(list.grid()->rowCount(), 1);
    QCOMPARE(list.panelText(4), u"200"_s);
}

void TestFinanceWindows::itemListRefusesDuplicates()
{
    TFszxm1 items(context());
    const int before = items.grid()->rowCount();
    QVERIFY(before > 0);
    TFtjszxm1 add(context(), &items);
    QCOMPARE(add.windowTitle(), u"新增收支项目"_s);
    QCOMPARE(add.ComboBox1->currentText(), u"收入"_s);
    add.Edit1->setText(u"房租"_s);  // an expense item: as income it is new
    add.BitBtn1Click();
    QCOMPARE(m_messages->texts(), QStringList());
    add.ComboBox1->setCurrentText(u"支出"_s);
    add.Edit1->setText(u" 房租 "_s);
    add.BitBtn1Click();
    QCOMPARE(m_messages->last(), u"项目不可重复！"_s);
    QCOMPARE(sql::scalar(db(), u"SELECT count(*) FROM szxm WHERE xm = '房租'"_s).toInt(), 2);
    // Choosing writes the name into the record window's field.
    TFtjszfx1 record(context());
    TFszxm1 picker(context(), &record);
    picker.setChoiceTarget(record.xm);
    picker.grid()->setCurrentRow(0);
    picker.chooseClick();
    QCOMPARE(record.xm->text(), picker.grid()->rows().value(0, u"xm"_s).toString());
}

void TestFinanceWindows::vouchersReadBack_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("expected");  // texts the PDF holds, "|" between them
    const QString capitals200 = *amountInCapitals(Decimal::parse(u"200"_s));
    const QString capitals35 = *amountInCapitals(Decimal::parse(u"35.5"_s));
    QTest::newRow("payment") << u"pay"_s << u"200"_s
                             << u"付款单|厂商名称|甲方|帐单编号|CGD20240315001|付款金额|￥:200|大写:"_s + capitals200 +
                                    u"|备注说明|首付|日期:|经办:|李四|制单:|系统管理员|审核:"_s;
    QTest::newRow("refund") << u"pay"_s << u"-35.5"_s
                            << u"￥:-35.5|大写:"_s + capitals35 + u"(退)"_s;
    QTest::newRow("receipt") << u"receive"_s << u"200"_s
                             << u"收款单|客户名称|O'Brien|收款金额|￥:200|大写:"_s + capitals200;
    QTest::newRow("income or expense") << u"szfx"_s << u"35.5"_s
                                       << u"其他收支单|收支项目|房租|收支类别|支出|收支金额|￥:35.5|大写:"_s +
                                              capitals35 + u"|备注说明|日期:|经办:|李四|制单:|审核:"_s;
}

void TestFinanceWindows::vouchersReadBack()
{
    QFETCH(QString, which);
    QFETCH(QString, amount);
    QFETCH(QString, expected);
    QVERIFY2(!QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty(), "pdftotext is missing");
    documentsOwing(db());
    QString text;
    QString title;
    const auto read = [&](report::Form &form) {
        title = form.reportTitle();
        text = pdfText(form, m_tmp.filePath(which + u".pdf"_s));
    };
    if (which == u"szfx"_s) {
        TFtjszfx1 w(context());
        w.xm->setText(u"房租"_s);
        w.je->setText(amount);
        w.jsr->setText(u"李四"_s);
        w.previewer = read;
        w.BitBtn3Click();
    } else {
        std::unique_ptr<MoneyWindow> w;
        if (which == u"pay"_s)
            w = std::make_unique<TFtjfkfx1>(context());
        else
            w = std::make_unique<TFtjskfx1>(context());
        w->dh->setText(which == u"pay"_s ? u"CGD20240315001"_s : u"XSD20240315001"_s);
        w->amount->setText(amount);
        w->jsr->setText(u"李四"_s);
        w->bz->setText(u"首付"_s);
        w->previewer = read;
        w->BitBtn3Click();
    }
    QCOMPARE(title, u"打印预览"_s);
    for (const QString &part : expected.split(u'|'))
        QVERIFY2(text.contains(part), qPrintable(part + u" not in:\n"_s + text));
    QVERIFY(!text.contains(u"(大写)"_s));
}

void TestFinanceWindows::menuOpensTheFinanceWindows()
{
    auto db = m_shop->db();
    sql::exec(db, u"INSERT INTO yhsz (yhmc, yhmm) VALUES ('钱', '1'), ('孙', '1')"_s);
    sql::exec(db, u"INSERT INTO quanxian (yh, qx) VALUES ('钱', '财务管理'), ('孙', '采购开单')"_s);
    {
        TFmain1 main(m_shop->dm());
        main.startSession(u"孙"_s);
        for (const QString &item : {u"采购应付明细表"_s, u"其他收支明细表"_s})
            QVERIFY(!main.menuItem(item)->isEnabled());
    }
    TFmain1 main(m_shop->dm());
    main.startSession(u"钱"_s);
    main.resize(1366, 700);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const std::vector<std::pair<QString, QString>> items = {
        {u"采购应付明细表"_s, u"TFyffx1"_s}, {u"销售应收明细表"_s, u"TFysfx1"_s},
        {u"采购付款明细表"_s, u"TFfkfx1"_s}, {u"销售收款明细表"_s, u"TFskfx1"_s},
        {u"其他收支明细表"_s, u"TFszfx1"_s}};
    for (const auto &[item, window] : items) {
        QAction *a = main.menuItem(item);
        QVERIFY2(a && a->isEnabled(), qPrintable(item));
        a->trigger();
        QWidget *opened = main.children().find(window);
        QVERIFY2(opened, qPrintable(window));
        QCOMPARE(opened->windowTitle(), item);
        a->trigger();
        QCOMPARE(main.children().find(window), opened);
    }
    QCOMPARE(main.mdiArea()->subWindowList().size(), 5);
}

QTEST_MAIN(TestFinanceWindows)
#include "tst_financewindows.moc"
