// The document management windows: the three condition dialogs built on the
// query-dialog builder (their state on showing, the Enter chain, the date
// pair, the conditions they hand over); the three lists (opening on the held
// documents, queries, sums, colours, deleting and reversing, documents open
// in a document window, the round trip through a document window, the
// menu).
#include "DocumentFixtures.h"
#include "DocumentWindowFixtures.h"
#include "TestSupport.h"

#include "app/Umain1.h"
#include "core/documents/Management.h"
#include "ui/ChildWindows.h"
#include "ui/ListGrid.h"
#include "report/GoodsVoucher.h"
#include "report/ReportLayout.h"
#include "report/forms/Udyxsd1.h"
#include "windows/documents/HeldDocumentPicker.h"
#include "windows/purchasing/Ullcgd1.h"
#include "windows/sales/Ullxsd1.h"
#include "windows/stock/Ullrkd1.h"
#include "windows/purchasing/Ucggl1.h"
#include "windows/purchasing/Ucxcg1.h"
#include "windows/purchasing/Utjcgd1.h"
#include "windows/sales/Ucxxs1.h"
#include "windows/sales/Utjxsd1.h"
#include "windows/sales/Uxsgl1.h"
#include "windows/stock/Ucxrk1.h"
#include "windows/stock/Urkgl1.h"
#include "windows/stock/Utjrkd1.h"

#include <QAction>
#include <QMdiArea>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QMdiSubWindow>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using management::Filter;
using management::State;
using documents::DocumentKind;

namespace {

const QDate kToday{2024, 3, 15};

const documents::Descriptor &kind(DocumentKind k)
{
    return documents::descriptor(k);
}

// The sales documents the list tests work on, in this order of entry:
//   XSD..002 posted, A 2 at 4, 5 received: 3 owed
//   XSD..001 held, A 1 at 4, all received
//   PFD..001 posted, A 1 at 3.5, all received
//   PFD..002 held, B 3 at 2, nothing received: 6 owed
void salesDocuments(const QSqlDatabase &db)
{
    fixture::addGoods(db, u"A"_s, u"10 2.5 25"_s);
    fixture::addGoods(db, u"B"_s, u"10 1 10"_s);
    using fixture::addLines;
    using fixture::save;
    QCOMPARE(fixture::post(db, kind(DocumentKind::Retail), u"XSD20240315002"_s, u"A 2 4 2.5"_s, u"甲 0 5"_s), QString());
    QCOMPARE(addLines(db, kind(DocumentKind::Retail), u"XSD20240315001"_s, u"A 1 4 2.5"_s), QString());
    QVERIFY(save(db, kind(DocumentKind::Retail), u"XSD20240315001"_s, u"乙 0 4"_s, documents::SaveAs::Hold).outcome.ok());
    QCOMPARE(fixture::post(db, kind(DocumentKind::Wholesale), u"PFD20240315001"_s, u"A 1 3.5 2.5"_s, u"丙 0 3.5"_s), QString());
    QCOMPARE(addLines(db, kind(DocumentKind::Wholesale), u"PFD20240315002"_s, u"B 3 2 1"_s), QString());
    QVERIFY(save(db, kind(DocumentKind::Wholesale), u"PFD20240315002"_s, u"丁"_s, documents::SaveAs::Hold).outcome.ok());
}

QStringList numbersOf(const ListGrid *grid)
{
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << grid->rows().value(r, u"dh"_s).toString();
    return out;
}

// The status bar's panels 1.. as one text, "|" between them.
QString panels(const ListWindow &w, int count)
{
    QStringList out;
    for (int p = 0; p < count; ++p)
        out << w.panelText(p);
    return out.join(u'|');
}

// The sums of the columns over the rows of a statement's result, as SQL says.
QString sqlSums(const QSqlDatabase &db, const ListQuery &list, const QStringList &columns)
{
    QStringList out;
    for (const QVariant &v : list.sums(db, columns))
        out << Decimal::fromUnits(v.toLongLong()).toShortest();
    return out.join(u' ');
}

QColor background(const ListGrid *grid, int row)
{
    return grid->model()->index(row, 0).data(Qt::BackgroundRole).value<QColor>();
}

QColor foreground(const ListGrid *grid, int row)
{
    return grid->model()->index(row, 0).data(Qt::ForegroundRole).value<QColor>();
}

// Runs the list's condition dialog with `fill` setting its fields, then
// "查询".
void queryThroughTheDialog(DocumentListWindow &w, std::function<void(DocumentQueryDialog &)> fill)
{
    ModalAnswer<DocumentQueryDialog> answer([fill](DocumentQueryDialog &d) {
        fill(d);
        d.queryClick();
    });
    w.SB77Click();
    QVERIFY(answer.seen());
}

// Shows a dialog (not modally) and makes it the active window, so that the
// keys a test sends reach its fields.
bool showActive(QWidget *w)
{
    w->show();
    QApplication::setActiveWindow(w);
    return QTest::qWaitForWindowExposed(w) && QTest::qWaitForWindowActive(w);
}

// VELBORA_KEEP_PNG=dir keeps a picture of each window shown.
void keepPicture(QWidget *w, const QString &name)
{
    if (const QString dir = qEnvironmentVariable("VELBORA_KEEP_PNG"); !dir.isEmpty()) {
        QCoreApplication::processEvents();  // the layouts follow the texts set
        w->grab().save(dir + u'/' + name + u".png"_s);
    }
}

void enter(QWidget *w)
{
    QTest::keyClick(w, Qt::Key_Return);
}

QString captionOf(QWidget *window, QWidget *field)
{
    for (QLabel *l : window->findChildren<QLabel *>())
        if (l->buddy() == field)
            return l->text();
    return QString();
}

// A dialog of each kind, handing what it runs to `ran`.
struct Dialogs {
    std::vector<Filter> ran;
    bool accept = true;
    template <class D>
    std::unique_ptr<D> make()
    {
        auto d = std::make_unique<D>([this](const Filter &f) {
            ran.push_back(f);
            return accept;
        });
        d->setToday([] { return kToday; });
        return d;
    }
};

}  // namespace

class TestManagementWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void queryDialogsStartAfresh();
    void queryDialogFieldsAndCaptions();
    void salesEnterChain();
    void purchaseAndMovementEnterChains();
    void datePairKeepsItsOrder();
    void conditionsAsTyped();

    void listsOpenOnTheHeldDocuments();
    void queryListsAndColours();
    void quotePercentUnderscoreInEveryField_data();
    void quotePercentUnderscoreInEveryField();
    void deletionTakesTheRowOffTheSums();
    void reversalFromTheList();
    void actionsOnAClosedOrEmptyList();
    void documentOpenInAWindowIsLeftAlone();
    void reversalTakenAndFinalizedIsOnePosting_data();
    void reversalTakenAndFinalizedIsOnePosting();
    void changesElsewhereShowInTheList();
    void menuOpensTheListsByPermission();

    void viewerShowsTheCurrentRow();
    void viewerButtonsAtBothEnds();
    void viewerClosesWhenItsListIsGone();
    void viewerPrintsTheKindsVoucher();
    void viewerIsOneChildWindow();

    void printedLists();

private:
    WindowContext context() { return {m_shop->dm(), m_session}; }

    std::unique_ptr<FreshShop> m_shop;
    std::unique_ptr<ScriptedMessages> m_messages;
    Session m_session = Session::forOperator(u"系统管理员"_s, {});
};

void TestManagementWindows::init()
{
    m_shop = std::make_unique<FreshShop>();
    m_messages = std::make_unique<ScriptedMessages>();
}

void TestManagementWindows::cleanup()
{
    m_messages.reset();
    m_shop.reset();
}

void TestManagementWindows::queryDialogsStartAfresh()
{
    Dialogs runs;
    std::vector<std::unique_ptr<DocumentQueryDialog>> all;
    all.push_back(runs.make<TFcxxs1>());
    all.push_back(runs.make<TFcxcg1>());
    all.push_back(runs.make<TFcxrk1>());
    for (const auto &d : all) {
        QCOMPARE(d->windowTitle(), u"按条件查询"_s);
        QVERIFY(showActive(d.get()));
        // Whatever was left from the last use ...
        d->Edit1->setText(u"甲"_s);
        d->Edit2->setText(u"乙"_s);
        d->Edit3->setText(u"001"_s);
        d->ComboBox1->setCurrentIndex(2);
        d->CheckBox1->setChecked(true);
        d->DateTimePicker2->setDate(QDate(2030, 1, 1));
        d->DateTimePicker1->setDate(QDate(2029, 5, 5));
        if (d->CheckBox2)
            d->CheckBox2->setChecked(true);
        d->Edit3->setFocus();
        d->hide();
        // ... is gone when it is shown again.
        QVERIFY(showActive(d.get()));
        QVERIFY(d->Edit1->text().isEmpty() && d->Edit2->text().isEmpty() && d->Edit3->text().isEmpty());
        QCOMPARE(d->ComboBox1->currentText(), u"全部"_s);
        QCOMPARE(d->DateTimePicker2->date(), kToday);
        QCOMPARE(d->DateTimePicker1->date(), QDate(2024, 2, 15));
        QVERIFY(!d->CheckBox1->isChecked());
        if (d->CheckBox2)
            QVERIFY(!d->CheckBox2->isChecked());
        QCOMPARE(QApplication::focusWidget(), d->Edit1);
        keepPicture(d.get(), d->objectName());
        // Esc closes without querying.
        QTest::keyClick(d->Edit1, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Rejected));
    }
    QVERIFY(runs.ran.empty());
}

void TestManagementWindows::queryDialogFieldsAndCaptions()
{
    Dialogs runs;
    const auto xs = runs.make<TFcxxs1>();
    QCOMPARE(captionOf(xs.get(), xs->Edit1), u"客　　户"_s);
    QCOMPARE(captionOf(xs.get(), xs->Edit2), u"员　　工"_s);
    QCOMPARE(captionOf(xs.get(), xs->Edit3), u"单　　号"_s);
    QCOMPARE(captionOf(xs.get(), xs->ComboBox1), u"审　核"_s);
    QCOMPARE(captionOf(xs.get(), xs->DateTimePicker2), u"　　至"_s);
    QCOMPARE(xs->CheckBox1->text(), u"日期从"_s);
    QCOMPARE(xs->CheckBox2->text(), u"只显示欠款单据"_s);
    QCOMPARE(xs->Edit1->accessibleName(), u"客户"_s);
    QCOMPARE(xs->BitBtn1->text(), u"查询"_s);
    QCOMPARE(xs->BitBtn2->text(), u"关闭"_s);
    QStringList states;
    for (int i = 0; i < xs->ComboBox1->count(); ++i)
        states << xs->ComboBox1->itemText(i);
    QCOMPARE(states, QStringList({u"全部"_s, u"未审核"_s, u"已审核"_s}));

    const auto cg = runs.make<TFcxcg1>();
    QCOMPARE(captionOf(cg.get(), cg->Edit1), u"厂商"_s);
    QCOMPARE(captionOf(cg.get(), cg->DateTimePicker2), u"至"_s);
    QVERIFY(cg->CheckBox2);
    const auto rk = runs.make<TFcxrk1>();
    QCOMPARE(captionOf(rk.get(), rk->Edit1), u"类型"_s);
    QCOMPARE(captionOf(rk.get(), rk->Edit2), u"员工"_s);
    QVERIFY(!rk->CheckBox2);  // no debt on a movement
}

void TestManagementWindows::salesEnterChain()
{
    Dialogs runs;
    const auto d = runs.make<TFcxxs1>();
    QVERIFY(showActive(d.get()));
    enter(d->Edit1);
    QCOMPARE(QApplication::focusWidget(), d->Edit2);
    enter(d->Edit2);
    QCOMPARE(QApplication::focusWidget(), d->Edit3);
    // The state list goes back to the customer.
    d->ComboBox1->setFocus();
    enter(d->ComboBox1);
    QCOMPARE(QApplication::focusWidget(), d->Edit1);
    d->CheckBox1->setFocus();
    enter(d->CheckBox1);
    QCOMPARE(QApplication::focusWidget(), d->DateTimePicker1);
    enter(d->DateTimePicker1);
    QCOMPARE(QApplication::focusWidget(), d->DateTimePicker2);
    enter(d->DateTimePicker2);
    QCOMPARE(QApplication::focusWidget(), d->CheckBox2);
    QVERIFY(runs.ran.empty());
    // The last field presses "查询"; a query the list refuses keeps the dialog.
    runs.accept = false;
    enter(d->CheckBox2);
    QCOMPARE(runs.ran.size(), size_t(1));
    QVERIFY(d->isVisible());
    // Enter in the number runs the query, and the dialog closes.
    runs.accept = true;
    d->Edit3->setFocus();
    enter(d->Edit3);
    QCOMPARE(runs.ran.size(), size_t(2));
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Accepted));
}

void TestManagementWindows::purchaseAndMovementEnterChains()
{
    Dialogs runs;
    for (bool purchase : {true, false}) {
        std::unique_ptr<DocumentQueryDialog> d;
        if (purchase)
            d = runs.make<TFcxcg1>();
        else
            d = runs.make<TFcxrk1>();
        QVERIFY(showActive(d.get()));
        QCOMPARE(QApplication::focusWidget(), d->Edit1);
        d->CheckBox1->setFocus();
        for (QWidget *next : std::vector<QWidget *>{d->DateTimePicker1, d->DateTimePicker2,
                                                    d->ComboBox1, d->Edit1, d->Edit2, d->Edit3}) {
            enter(QApplication::focusWidget());
            QCOMPARE(QApplication::focusWidget(), next);
        }
        const size_t before = runs.ran.size();
        enter(d->Edit3);
        QCOMPARE(runs.ran.size(), before + 1);
        QVERIFY(!d->isVisible());
    }
}

void TestManagementWindows::datePairKeepsItsOrder()
{
    Dialogs runs;
    const auto d = runs.make<TFcxcg1>();
    QVERIFY(showActive(d.get()));
    // A from-date after the to-date takes the to-date along ...
    d->DateTimePicker1->setDate(QDate(2024, 4, 1));
    QCOMPARE(d->DateTimePicker2->date(), QDate(2024, 4, 1));
    // ... and a to-date before the from-date the from-date.
    d->DateTimePicker2->setDate(QDate(2024, 1, 31));
    QCOMPARE(d->DateTimePicker1->date(), QDate(2024, 1, 31));
    d->DateTimePicker1->setDate(QDate(2024, 1, 2));
    QCOMPARE(d->DateTimePicker2->date(), QDate(2024, 1, 31));
    // The dates count only when ticked.
    d->queryClick();
    QVERIFY(!runs.ran.back().from && !runs.ran.back().to);
    QVERIFY(showActive(d.get()));
    d->CheckBox1->setChecked(true);
    d->DateTimePicker1->setDate(QDate(2024, 3, 1));
    d->queryClick();
    QCOMPARE(*runs.ran.back().from, QDate(2024, 3, 1));
    QCOMPARE(*runs.ran.back().to, kToday);
}

void TestManagementWindows::conditionsAsTyped()
{
    Dialogs runs;
    const auto d = runs.make<TFcxxs1>();
    QVERIFY(showActive(d.get()));
    QTest::keyClicks(d->Edit1, u"O'Brien 50%"_s);
    d->Edit2->setText(u"王_五"_s);
    QTest::keyClicks(d->Edit3, u"XSD\\'"_s);
    d->ComboBox1->setCurrentIndex(2);
    d->CheckBox2->setChecked(true);
    d->queryClick();
    const Filter &f = runs.ran.back();
    QCOMPARE(f.partner, u"O'Brien 50%"_s);
    QCOMPARE(f.handler, u"王_五"_s);
    QCOMPARE(f.number, u"XSD\\'"_s);
    QCOMPARE(f.state, State::Posted);
    QVERIFY(f.owedOnly);
    QVERIFY(showActive(d.get()));
    d->ComboBox1->setCurrentIndex(1);
    d->queryClick();
    QCOMPARE(runs.ran.back().state, State::Held);
    QVERIFY(!runs.ran.back().owedOnly);
    QVERIFY(runs.ran.back().partner.isEmpty());
}

void TestManagementWindows::listsOpenOnTheHeldDocuments()
{
    auto db = m_shop->db();
    salesDocuments(db);
    TFxsgl1 w(context());
    QCOMPARE(w.windowTitle(), u"销售单据"_s);
    QCOMPARE(w.objectName(), u"TFxsgl1"_s);
    // The held documents of both kinds, by number; the status bar sums them.
    QCOMPARE(numbersOf(w.grid()), QStringList({u"PFD20240315002"_s, u"XSD20240315001"_s}));
    QCOMPARE(panels(w, 9), u"总计||4|10||10|4|6|"_s);
    QCOMPARE(w.findChild<QLabel *>(u"legend"_s)->text(), u"未审核单据"_s);
    QStringList titles;
    for (int c = 0; c < w.grid()->model()->columnCount(); ++c)
        titles << w.grid()->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, QStringList({u"销售日期"_s, u"单号"_s, u"客户"_s, u"合计数量"_s, u"合计金额"_s,
                                  u"抹零额"_s, u"应收额"_s, u"实收额"_s, u"欠款"_s, u"经办人"_s,
                                  u"备注"_s, u"制单"_s, u"开单日期"_s, u"审核"_s}));
    QStringList buttons;
    for (QPushButton *b : {w.SB55, w.SB66, w.SB44, w.SB77, w.SB88, w.SB99, w.SB100})
        buttons << b->text();
    QCOMPARE(buttons, QStringList({u"查单"_s, u"删除"_s, u"反审"_s, u"查询"_s, u"打印"_s, u"导出"_s, u"关闭"_s}));
    QStringList menu;
    for (QAction *a : w.contextActions())
        menu << a->text();
    QCOMPARE(menu, QStringList({u"删除"_s, u"反审核"_s}));

    // Purchases and movements: their own columns and sums.
    QCOMPARE(fixture::post(db, kind(DocumentKind::Purchase), u"CGD20240315001"_s, u"A 10 2"_s, u"厂商甲 0 15"_s), QString());
    QCOMPARE(fixture::addLines(db, kind(DocumentKind::Purchase), u"CGD20240315002"_s, u"A 1 2"_s), QString());
    QVERIFY(fixture::save(db, kind(DocumentKind::Purchase), u"CGD20240315002"_s, u"厂商乙"_s, documents::SaveAs::Hold).outcome.ok());
    TFcggl1 cg(context());
    QCOMPARE(cg.windowTitle(), u"采购单据"_s);
    QCOMPARE(numbersOf(cg.grid()), QStringList(u"CGD20240315002"_s));
    QCOMPARE(panels(cg, 9), u"总计||1|2||2|0|2|"_s);
    QCOMPARE(cg.grid()->model()->headerData(2, Qt::Horizontal).toString(), u"厂商"_s);
    QCOMPARE(cg.grid()->model()->headerData(6, Qt::Horizontal).toString(), u"应付额"_s);
    QCOMPARE(fixture::post(db, kind(DocumentKind::Movement), u"YDD20240315001"_s, u"A -1 2"_s, u"报损"_s), QString());
    QCOMPARE(fixture::addLines(db, kind(DocumentKind::Movement), u"YDD20240315002"_s, u"A 3 2.5"_s), QString());
    QVERIFY(fixture::save(db, kind(DocumentKind::Movement), u"YDD20240315002"_s, u"盘盈"_s, documents::SaveAs::Hold).outcome.ok());
    TFrkgl1 rk(context());
    QCOMPARE(rk.windowTitle(), u"库存异动单据"_s);
    QCOMPARE(numbersOf(rk.grid()), QStringList(u"YDD20240315002"_s));
    QCOMPARE(panels(rk, 5), u"总计||3|7.5|"_s);
    QCOMPARE(rk.grid()->model()->columnCount(), 10);
    QCOMPARE(rk.grid()->model()->headerData(2, Qt::Horizontal).toString(), u"异动原因"_s);
    keepPicture(&w, u"TFxsgl1"_s);
}

void TestManagementWindows::queryListsAndColours()
{
    auto db = m_shop->db();
    salesDocuments(db);
    TFxsgl1 w(context());
    // Held and owing, held: light green, the first also red.
    const QColor green(225, 255, 225);
    QCOMPARE(background(w.grid(), 0), green);
    QCOMPARE(foreground(w.grid(), 0), QColor(Qt::red));
    QCOMPARE(background(w.grid(), 1), green);
    QVERIFY(!foreground(w.grid(), 1).isValid());

    // Nothing typed, "全部": every document in the order of entry, sums exact.
    queryThroughTheDialog(w, [](DocumentQueryDialog &) {});
    QCOMPARE(numbersOf(w.grid()), QStringList({u"XSD20240315002"_s, u"XSD20240315001"_s,
                                               u"PFD20240315001"_s, u"PFD20240315002"_s}));
    QCOMPARE(panels(w, 9), u"总计||7|21.5||21.5|12.5|9|"_s);
    QCOMPARE(foreground(w.grid(), 0), QColor(Qt::red));  // posted, owing
    QVERIFY(!background(w.grid(), 0).isValid());
    QVERIFY(!foreground(w.grid(), 2).isValid() && !background(w.grid(), 2).isValid());
    // Posted with money owed: the receivables.
    queryThroughTheDialog(w, [](DocumentQueryDialog &d) {
        d.ComboBox1->setCurrentIndex(2);
        d.CheckBox2->setChecked(true);
    });
    QCOMPARE(numbersOf(w.grid()), QStringList(u"XSD20240315002"_s));
    QCOMPARE(panels(w, 9), u"总计||2|8||8|5|3|"_s);
    // Nothing found: every sum 0.
    queryThroughTheDialog(w, [](DocumentQueryDialog &d) { d.Edit1->setText(u"无此客户"_s); });
    QCOMPARE(w.grid()->rowCount(), 0);
    QCOMPARE(panels(w, 9), u"总计||0|0||0|0|0|"_s);

    // Movements are never red.
    QCOMPARE(fixture::post(db, kind(DocumentKind::Movement), u"YDD20240315001"_s, u"A -1 2"_s, u"报损"_s), QString());
    sql::exec(db, u"UPDATE rkglz SET bz = 'x'"_s);
    TFrkgl1 rk(context());
    queryThroughTheDialog(rk, [](DocumentQueryDialog &) {});
    QCOMPARE(rk.grid()->rowCount(), 1);
    QVERIFY(!foreground(rk.grid(), 0).isValid() && !background(rk.grid(), 0).isValid());
}

void TestManagementWindows::quotePercentUnderscoreInEveryField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("quote") << u"'"_s;
    QTest::newRow("percent") << u"%"_s;
    QTest::newRow("underscore") << u"_"_s;
}

// Each window's dialog, the character in all three texts: only the document
// whose partner, handler and number hold it is listed.
void TestManagementWindows::quotePercentUnderscoreInEveryField()
{
    QFETCH(QString, typed);
    auto db = m_shop->db();
    const struct {
        const char16_t *table, *partner;
    } tables[] = {{u"xsglz", u"kh"}, {u"cgglz", u"ghs"}, {u"rkglz", u"lx"}};
    for (const auto &t : tables) {
        const QString insert = u"INSERT INTO "_s + QString::fromUtf16(t.table) + u" (dh, "_s +
                               QString::fromUtf16(t.partner) + u", jsr, shbj) VALUES (?, ?, ?, '已审核')"_s;
        for (const QString &c : {u"'"_s, u"%"_s, u"_"_s, u"x"_s})
            sql::exec(db, insert, {QString(u"D"_s + c + u"1"_s), QString(u"P"_s + c + u"Q"_s),
                                   QString(u"H"_s + c + u"J"_s)});
    }
    std::vector<std::unique_ptr<DocumentListWindow>> lists;
    lists.push_back(std::make_unique<TFxsgl1>(context()));
    lists.push_back(std::make_unique<TFcggl1>(context()));
    lists.push_back(std::make_unique<TFrkgl1>(context()));
    for (const auto &w : lists) {
        queryThroughTheDialog(*w, [&typed](DocumentQueryDialog &d) {
            d.Edit1->setText(typed);
            d.Edit2->setText(typed);
            d.Edit3->setText(typed);
        });
        QCOMPARE(numbersOf(w->grid()), QStringList(u"D"_s + typed + u"1"_s));
        // One at a time, too.
        for (QLineEdit *DocumentQueryDialog::*field :
             {&DocumentQueryDialog::Edit1, &DocumentQueryDialog::Edit2, &DocumentQueryDialog::Edit3}) {
            queryThroughTheDialog(*w, [&](DocumentQueryDialog &d) { (d.*field)->setText(typed); });
            QCOMPARE(numbersOf(w->grid()), QStringList(u"D"_s + typed + u"1"_s));
        }
    }
    QVERIFY2(m_messages->shown().empty(), qPrintable(m_messages->last()));
}

void TestManagementWindows::deletionTakesTheRowOffTheSums()
{
    auto db = m_shop->db();
    salesDocuments(db);
    TFxsgl1 w(context());
    w.showFilter({});
    QCOMPARE(fixture::stocks(db).section(u"; "_s, 0, 0), u"A=7 2.5 17.5"_s);
    // Cancelled: nothing.
    m_messages->answer(msg::Answer::Cancel);
    w.SB66Click();
    QCOMPARE(m_messages->last(), u"确定要删除此单据么？\n特别提醒：\n同时删除与本单对应的明细和欠款！"_s);
    QCOMPARE(m_messages->shown().back().caption, u"提示"_s);
    QCOMPARE(w.grid()->rowCount(), 4);
    // The posted, owing XSD..002: reversed and gone; its amounts leave the sums.
    w.SB66Click();
    QCOMPARE(numbersOf(w.grid()), QStringList({u"XSD20240315001"_s, u"PFD20240315001"_s, u"PFD20240315002"_s}));
    QCOMPARE(panels(w, 9), u"总计||5|13.5||13.5|7.5|6|"_s);
    QCOMPARE(sqlSums(db, w.list(), w.listDescriptor().sumColumns), u"5 13.5 13.5 7.5 6"_s);
    QCOMPARE(fixture::stocks(db).section(u"; "_s, 0, 0), u"A=9 2.5 22.5"_s);
    QCOMPARE(fixture::count(db, u"skfx"_s, u"dh = 'XSD20240315002'"_s) + fixture::count(db, u"xsfx"_s, u"dh = 'XSD20240315002'"_s), 0);
    // The place stays: the row now first is current.
    QCOMPARE(w.grid()->currentValue(u"dh"_s).toString(), u"XSD20240315001"_s);
    // A held one goes too.
    w.grid()->setCurrentRow(2);
    w.SB66Click();
    QCOMPARE(panels(w, 9), u"总计||2|7.5||7.5|7.5|0|"_s);
    QCOMPARE(w.grid()->rowCount(), 2);

    // The movement list's confirmation names no debt.
    QCOMPARE(fixture::post(db, kind(DocumentKind::Movement), u"YDD20240315001"_s, u"A -1 2"_s, u"报损"_s), QString());
    TFrkgl1 rk(context());
    rk.showFilter({});
    m_messages->answer(msg::Answer::Cancel);
    rk.SB66Click();
    QCOMPARE(m_messages->last(), u"确定要删除此单据么？\n特别提醒：\n同时删除与本单对应的明细！"_s);
    rk.SB66Click();
    QCOMPARE(rk.grid()->rowCount(), 0);
    QCOMPARE(panels(rk, 5), u"总计||0|0|"_s);
}

void TestManagementWindows::reversalFromTheList()
{
    auto db = m_shop->db();
    salesDocuments(db);
    TFxsgl1 w(context());
    w.showFilter({});
    const QString sums = panels(w, 9);
    m_messages->clear();
    w.SB44Click();  // XSD..002, posted
    QCOMPARE(m_messages->texts(), QStringList(u"确定要反审此单据么？"_s));
    QCOMPARE(w.grid()->currentValue(u"shbj"_s).toString(), u"未审核"_s);
    QCOMPARE(w.grid()->currentValue(u"dh"_s).toString(), u"XSD20240315002"_s);
    QCOMPARE(background(w.grid(), 0), QColor(225, 255, 225));
    QCOMPARE(panels(w, 9), sums);
    QCOMPARE(fixture::stocks(db).section(u"; "_s, 0, 0), u"A=9 2.5 22.5"_s);
    QCOMPARE(fixture::count(db, u"skfx"_s, u"dh = 'XSD20240315002'"_s) + fixture::count(db, u"xsfx"_s, u"dh = 'XSD20240315002'"_s), 0);
    // Held now: refused, nothing asked, nothing changed.
    m_messages->clear();
    const QStringList before = fixture::dump(db, u"sp"_s) + fixture::dump(db, u"xsglz"_s);
    w.SB44Click();
    QCOMPARE(m_messages->texts(), QStringList(u"本单据已经反审！"_s));
    QCOMPARE(m_messages->shown().back().caption, u"警告"_s);
    QCOMPARE(fixture::dump(db, u"sp"_s) + fixture::dump(db, u"xsglz"_s), before);
    // A list of posted documents: the reversed one leaves it and its sums.
    w.showFilter({QString(), QString(), QString(), State::Posted, {}, {}, false});
    QCOMPARE(numbersOf(w.grid()), QStringList(u"PFD20240315001"_s));
    QCOMPARE(panels(w, 9), u"总计||1|3.5||3.5|3.5|0|"_s);
    w.SB44Click();
    QCOMPARE(w.grid()->rowCount(), 0);
    QCOMPARE(panels(w, 9), u"总计||0|0||0|0|0|"_s);
}

void TestManagementWindows::actionsOnAClosedOrEmptyList()
{
    auto db = m_shop->db();
    TFcggl1 w(context());
    // Nothing held: an empty list.
    QCOMPARE(w.grid()->rowCount(), 0);
    m_messages->clear();
    w.SB55Click();
    w.SB66Click();
    w.SB44Click();
    QCOMPARE(m_messages->texts(), QStringList({u"没有单据可查阅！"_s, u"没有单据可删除！"_s,
                                               u"没有单据可反审，请先查询！"_s}));
    // A list whose statement failed is closed: every action says so.
    sql::exec(db, u"ALTER TABLE cgglz RENAME TO cgglz_gone"_s);
    m_messages->clear();
    w.showFilter({});
    QCOMPARE(m_messages->shown().size(), size_t(1));
    QCOMPARE(m_messages->shown().back().caption, u"错误"_s);
    QVERIFY(!w.grid()->isOpen());
    sql::exec(db, u"ALTER TABLE cgglz_gone RENAME TO cgglz"_s);
    m_messages->clear();
    w.SB55Click();
    w.SB66Click();
    w.SB44Click();
    w.SB88Click();
    w.SB99->click();
    QCOMPARE(m_messages->texts(), QStringList(5, u"数据表未打开，请先查询！"_s));
    QCOMPARE(m_messages->shown().back().caption, u"警告"_s);
}

void TestManagementWindows::documentOpenInAWindowIsLeftAlone()
{
    auto db = m_shop->db();
    salesDocuments(db);
    auto document = std::make_unique<TFtjxsd1>(context());
    document->setToday([] { return kToday; });
    document->takeHeld(u"XSD20240315001"_s);
    QCOMPARE(document->windowTitle(), u"修改零售出库单"_s);
    TFxsgl1 w(context());
    QVERIFY(w.grid()->selectWhere(u"dh"_s, u"XSD20240315001"_s));
    const QStringList before = fixture::dump(db, u"xsglz"_s) + fixture::dump(db, u"xsglc"_s);
    m_messages->clear();
    w.SB66Click();
    QCOMPARE(m_messages->texts(),
             QStringList(u"本单据正在“修改零售出库单”窗口中打开，不能删除！\n请先关闭该窗口。"_s));
    QCOMPARE(m_messages->shown().back().caption, u"警告"_s);
    QCOMPARE(fixture::dump(db, u"xsglz"_s) + fixture::dump(db, u"xsglc"_s), before);
    QCOMPARE(w.grid()->rowCount(), 2);
    // Once the window has let it go, it can be deleted.
    document.reset();
    m_messages->clear();
    w.SB66Click();
    QCOMPARE(m_messages->shown().size(), size_t(1));  // the confirmation only
    QCOMPARE(numbersOf(w.grid()), QStringList(u"PFD20240315002"_s));
}

void TestManagementWindows::reversalTakenAndFinalizedIsOnePosting_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("retail") << 0;
    QTest::newRow("purchase") << 1;
    QTest::newRow("movement") << 2;
}

// Reversed in the list, taken with F6 in its document window and finalized
// again: stock, ledgers and money rows as after one posting.
void TestManagementWindows::reversalTakenAndFinalizedIsOnePosting()
{
    QFETCH(int, which);
    const DocumentKind kinds[] = {DocumentKind::Retail, DocumentKind::Purchase, DocumentKind::Movement};
    const documents::Descriptor &d = kind(kinds[which]);
    const QString dh = d.prefix + u"20240315001"_s;
    FreshShop once;
    for (FreshShop *shop : {&once, m_shop.get()}) {
        fixture::addGoods(shop->db(), u"A"_s, u"15 2.5 37.5"_s);
        fixture::addGoods(shop->db(), u"B"_s, u"3 1 3"_s);
        QCOMPARE(fixture::post(shop->db(), d, dh, u"A 4 3 2.5; B -2 1.5 1"_s, u"甲 0 5"_s), QString());
    }
    auto db = m_shop->db();
    std::unique_ptr<DocumentListWindow> list;
    std::unique_ptr<DocumentWindow> window;
    if (which == 0) {
        list = std::make_unique<TFxsgl1>(context());
        window = std::make_unique<TFtjxsd1>(context());
    } else if (which == 1) {
        list = std::make_unique<TFcggl1>(context());
        window = std::make_unique<TFtjcgd1>(context());
    } else {
        list = std::make_unique<TFrkgl1>(context());
        window = std::make_unique<TFtjrkd1>(context());
    }
    list->showFilter({});
    list->SB44Click();
    QCOMPARE(list->grid()->currentValue(u"shbj"_s).toString(), u"未审核"_s);
    list->show();

    window->setToday([] { return kToday; });
    window->newDocument();
    ModalAnswer<HeldDocumentPicker> picker([&dh](HeldDocumentPicker &p) {
        QVERIFY(p.grid()->selectWhere(u"dh"_s, dh));
        p.chooseClick();
    });
    QTest::keyClick(window->txm, Qt::Key_F6);
    QVERIFY(picker.seen());
    QCOMPARE(window->number(), dh);
    QTest::keyClick(window->txm, Qt::Key_F8);
    QVERIFY2(window->number() != dh, qPrintable(m_messages->last()));

    QStringList tables{u"sp"_s, d.headerTable, d.lineTable, d.ledgerTable};
    if (d.carriesMoney())
        tables << d.moneyTable;
    for (const QString &t : tables)
        QCOMPARE(fixture::dump(db, t), fixture::dump(once.db(), t));
    // The list in sight shows it posted again.
    QTRY_COMPARE(list->grid()->currentValue(u"shbj"_s).toString(), u"已审核"_s);
}

void TestManagementWindows::changesElsewhereShowInTheList()
{
    auto db = m_shop->db();
    salesDocuments(db);
    TFxsgl1 w(context());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.grid()->rowCount(), 2);
    // The held retail document finalized in its document window.
    const auto &retail = kind(DocumentKind::Retail);
    QVERIFY(documents::takeHeld(db, retail, u"XSD20240315009"_s, u"XSD20240315001"_s).outcome.ok());
    QVERIFY(fixture::save(db, retail, u"XSD20240315001"_s, u"乙 0 4"_s, documents::SaveAs::Finalize,
                          documents::Mode::Edit).outcome.ok());
    QTRY_COMPARE(numbersOf(w.grid()), QStringList(u"PFD20240315002"_s));
    QCOMPARE(panels(w, 9), u"总计||3|6||6|0|6|"_s);
}

void TestManagementWindows::menuOpensTheListsByPermission()
{
    auto db = m_shop->db();
    sql::exec(db, u"INSERT INTO yhsz (yhmc, yhmm) VALUES ('钱', '1')"_s);
    sql::exec(db, u"INSERT INTO quanxian (yh, qx) VALUES ('钱', '批发开单'), ('钱', '异动开单')"_s);
    TFmain1 main(m_shop->dm());
    main.startSession(u"钱"_s);
    main.resize(1366, 700);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(!main.menuItem(u"采购单据"_s)->isEnabled());
    main.menuItem(u"采购单据"_s)->trigger();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 0);
    for (const QString &item : {u"销售单据"_s, u"异动单据"_s}) {
        QVERIFY(main.menuItem(item)->isEnabled());
        main.menuItem(item)->trigger();
        QWidget *opened = main.mdiArea()->activeSubWindow()->widget();
        QVERIFY(qobject_cast<DocumentListWindow *>(opened));
        // Chosen again: the same window comes forward.
        main.menuItem(item)->trigger();
        QCOMPARE(main.mdiArea()->activeSubWindow()->widget(), opened);
    }
    QCOMPARE(main.mdiArea()->subWindowList().size(), 2);
    QCOMPARE(main.children().find(u"TFxsgl1"_s)->windowTitle(), u"销售单据"_s);
    QCOMPARE(main.children().find(u"TFrkgl1"_s)->windowTitle(), u"库存异动单据"_s);
}

// The viewer a list opened on its own (the list is not in a main window): a
// top-level window.
template <class V>
V *shownViewer()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<V *>(w))
            return static_cast<V *>(w);
    return nullptr;
}

QString state(const DocumentViewer &v)
{
    QStringList out;
    for (QPushButton *b : {v.BB1, v.BB2, v.BB3, v.BB4})
        out << (b->isEnabled() ? u"on"_s : u"off"_s);
    return v.field(u"dh"_s)->text() + u' ' + out.join(u' ');
}

void TestManagementWindows::viewerShowsTheCurrentRow()
{
    auto db = m_shop->db();
    salesDocuments(db);
    // An edit in progress in a document window: a line not saved yet, and a
    // saved one marked deleted.
    const auto &retail = kind(DocumentKind::Retail);
    QVERIFY(documents::takeHeld(db, retail, u"XSD20240315009"_s, u"XSD20240315001"_s).outcome.ok());
    QCOMPARE(fixture::addLines(db, retail, u"XSD20240315001"_s, u"B -2 1.5 1"_s), QString());
    TFxsgl1 w(context());
    QVERIFY(w.grid()->selectWhere(u"dh"_s, u"XSD20240315001"_s));
    w.SB55Click();
    QPointer<TFllxsd1> v = shownViewer<TFllxsd1>();
    QVERIFY(v);
    QCOMPARE(v->windowTitle(), u"浏览销售出库单"_s);
    QCOMPARE(v->findChild<QLabel *>(u"title"_s)->text(), u"销售出库单"_s);
    QCOMPARE(v->findChild<QLabel *>(u"ztbj"_s)->text(), u"浏览"_s);
    QStringList shown;
    for (const QString &f : {u"dh"_s, u"rq"_s, u"jsr"_s, u"kh"_s, u"yhe"_s, u"yse"_s, u"sse"_s, u"bz"_s}) {
        QVERIFY(v->field(f)->isReadOnly());
        shown << captionOf(v, v->field(f)) + u'=' + v->field(f)->text();
    }
    QCOMPARE(shown, QStringList({u"单号=XSD20240315001"_s, u"日期=2024-03-15"_s, u"经办人=张三"_s,
                                 u"客户=乙"_s, u"抹零额=0"_s, u"应收额=4"_s, u"实收额=4"_s,
                                 u"备注=备注"_s}));
    QCOMPARE(v->shbj->text(), u"未审核"_s);
    QCOMPARE(v->shbj->palette().color(QPalette::WindowText), QColor(Qt::red));
    // Every line of the number, the unsaved one too; a negative one in red.
    QCOMPARE(numbersOf(v->DBGrid1), QStringList(2, u"XSD20240315001"_s));
    QCOMPARE(v->DBGrid1->model()->index(1, 3).data().toString(), u"-2"_s);
    QCOMPARE(foreground(v->DBGrid1, 1), QColor(Qt::red));
    QVERIFY(!foreground(v->DBGrid1, 0).isValid());
    QCOMPARE(v->panelText(0) + u'|' + v->panelText(2) + u'|' + v->panelText(4), u"合计|1|4"_s);
    keepPicture(v, u"TFllxsd1"_s);

    // A posted one in the normal colour; Enter on the list's row views it.
    w.showFilter({QString(), QString(), QString(), State::Posted, {}, {}, false});
    w.grid()->setFocus();
    QTest::keyClick(w.grid(), Qt::Key_Return);
    QCOMPARE(v->field(u"dh"_s)->text(), u"XSD20240315002"_s);
    QCOMPARE(v->shbj->text(), u"已审核"_s);
    QVERIFY(v->shbj->palette().color(QPalette::WindowText) != QColor(Qt::red));
    QCOMPARE(shownViewer<TFllxsd1>(), v.data());  // still one
    v->close();
    QTRY_VERIFY(v.isNull());
}

void TestManagementWindows::viewerButtonsAtBothEnds()
{
    auto db = m_shop->db();
    salesDocuments(db);
    TFxsgl1 w(context());
    w.showFilter({});
    w.grid()->setCurrentRow(1);
    w.SB55Click();
    QPointer<TFllxsd1> v = shownViewer<TFllxsd1>();
    QVERIFY(v);
    QCOMPARE(state(*v), u"XSD20240315001 on on on on"_s);
    v->BB1->click();
    QCOMPARE(state(*v), u"XSD20240315002 off off on on"_s);
    QCOMPARE(w.grid()->currentRow(), 0);  // the list moves along
    v->BB3->click();
    v->BB3->click();
    QCOMPARE(state(*v), u"PFD20240315001 on on on on"_s);
    v->BB3->click();
    QCOMPARE(state(*v), u"PFD20240315002 on on off off"_s);
    QCOMPARE(w.grid()->currentRow(), 3);
    v->BB2->click();
    QCOMPARE(state(*v), u"PFD20240315001 on on on on"_s);
    v->BB4->click();
    QCOMPARE(state(*v), u"PFD20240315002 on on off off"_s);
    v->BB2->click();
    v->BB2->click();
    v->BB2->click();
    QCOMPARE(state(*v), u"XSD20240315002 off off on on"_s);
    // A list of one document: nowhere to go.
    w.showFilter({u"丁"_s, QString(), QString(), State::All, {}, {}, false});
    w.SB55Click();
    QCOMPARE(state(*v), u"PFD20240315002 off off off off"_s);
    // The purchase and movement viewers move alike.
    QCOMPARE(fixture::post(db, kind(DocumentKind::Purchase), u"CGD20240315001"_s, u"A 1 2"_s, u"厂商甲"_s), QString());
    QCOMPARE(fixture::post(db, kind(DocumentKind::Purchase), u"CGD20240315002"_s, u"A 1 2"_s, u"厂商乙"_s), QString());
    TFcggl1 cg(context());
    cg.showFilter({});
    cg.SB55Click();
    TFllcgd1 *cv = shownViewer<TFllcgd1>();
    QVERIFY(cv);
    QCOMPARE(state(*cv), u"CGD20240315001 off off on on"_s);
    cv->BB4->click();
    QCOMPARE(state(*cv), u"CGD20240315002 on on off off"_s);
    QCOMPARE(captionOf(cv, cv->field(u"ghs"_s)) + cv->field(u"ghs"_s)->text(), u"厂商厂商乙"_s);
    QCOMPARE(captionOf(cv, cv->field(u"yfe"_s)), u"应付额"_s);
    cv->close();
    v->close();
}

void TestManagementWindows::viewerClosesWhenItsListIsGone()
{
    auto db = m_shop->db();
    salesDocuments(db);
    auto w = std::make_unique<TFxsgl1>(context());
    w->SB55Click();
    QPointer<TFllxsd1> v = shownViewer<TFllxsd1>();
    QVERIFY(v);
    w.reset();
    m_messages->clear();
    v->BB3->click();
    QCOMPARE(m_messages->texts(), QStringList(u"数据未打开，关闭窗口后重新打开！"_s));
    QCOMPARE(m_messages->shown().back().caption, u"警告"_s);
    QTRY_VERIFY(v.isNull());
}

void TestManagementWindows::viewerPrintsTheKindsVoucher()
{
    auto db = m_shop->db();
    salesDocuments(db);
    // A sale: the sales slip with what is still owed.
    TFxsgl1 w(context());
    w.showFilter({});
    w.SB55Click();
    TFllxsd1 *v = shownViewer<TFllxsd1>();
    QVERIFY(v);
    std::vector<QStringList> printed;
    const auto look = [&printed](report::Form &f) {
        QStringList labels;
        for (const char16_t *name : {u"QRLdw", u"number", u"date", u"customer", u"partner", u"totalQuantity",
                                     u"totalAmount", u"capitals", u"owedCaption", u"preparedBy"})
            labels << f.caption(QString::fromUtf16(name));
        labels << QString::number(f.dataset().rowCount()) << f.reportTitle();
        printed.push_back(labels);
    };
    v->previewer = look;
    v->BB5->click();
    QCOMPARE(printed.back(), QStringList({u"五金商行销售单"_s, u"XSD20240315002"_s, u"2024-03-15"_s, u"甲"_s,
                                         QString(), u"2"_s, u"￥8"_s, u"(大写)捌圆整"_s, u"欠款:"_s,
                                         QString(), u"1"_s, u"打印预览"_s}));
    v->close();

    // A purchase: the voucher with its supplier and the operator.
    QCOMPARE(fixture::post(db, kind(DocumentKind::Purchase), u"CGD20240315001"_s, u"A 10 2"_s, u"厂商甲"_s), QString());
    TFcggl1 cg(context());
    cg.showFilter({});
    cg.SB55Click();
    TFllcgd1 *cv = shownViewer<TFllcgd1>();
    QVERIFY(cv);
    cv->previewer = look;
    cv->BB5->click();
    QCOMPARE(printed.back().mid(0, 10),
             QStringList({u"五金商行采购单"_s, u"CGD20240315001"_s, u"2024-03-15"_s, QString(), u"厂商甲"_s,
                          u"10"_s, u"￥20"_s, u"(大写)贰拾圆整"_s, QString(), u"系统管理员"_s}));
    cv->close();

    // A movement taking more out than in: "(出)" after the words.
    QCOMPARE(fixture::post(db, kind(DocumentKind::Movement), u"YDD20240315001"_s, u"A -3 2.5"_s, u"报损"_s), QString());
    TFrkgl1 rk(context());
    rk.showFilter({});
    rk.SB55Click();
    TFllrkd1 *rv = shownViewer<TFllrkd1>();
    QVERIFY(rv);
    QCOMPARE(rv->findChild<QLabel *>(u"sm"_s)->text(), u"    数量＞0：入库    数量＜0：出库"_s);
    QCOMPARE(captionOf(rv, rv->field(u"lx"_s)) + rv->field(u"lx"_s)->text(), u"异动原因报损"_s);
    rv->previewer = look;
    rv->BB5->click();
    QCOMPARE(printed.back().at(0) + printed.back().at(4) + printed.back().at(7),
             u"五金商行库存异动单报损(大写)柒圆伍角整(出)"_s);
    keepPicture(rv, u"TFllrkd1"_s);
    rv->close();
}

void TestManagementWindows::viewerIsOneChildWindow()
{
    auto db = m_shop->db();
    salesDocuments(db);
    TFmain1 main(m_shop->dm());
    main.startSession(u"系统管理员"_s);
    main.resize(1366, 700);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.menuItem(u"销售单据"_s)->trigger();
    auto *list = qobject_cast<TFxsgl1 *>(main.children().find(u"TFxsgl1"_s));
    QVERIFY(list);
    list->SB55Click();
    list->grid()->setCurrentRow(1);
    list->SB55Click();
    auto *v = qobject_cast<TFllxsd1 *>(main.children().find(u"TFllxsd1"_s));
    QVERIFY(v);
    QCOMPARE(v->field(u"dh"_s)->text(), u"XSD20240315001"_s);
    QCOMPARE(main.mdiArea()->subWindowList().size(), 2);
    QCOMPARE(v->parentWidget()->parentWidget()->parentWidget(), main.mdiArea());
    QVERIFY(main.mdiArea()->subWindowList().last()->rect().contains(v->geometry()));
}

// The form's text as pdftotext reads it from the PDF, with runs of blanks
// made one.
QString printedText(const report::Form &form, const QString &file)
{
    if (const auto error = report::writePdf(form, file)) {
        qWarning("%s", qPrintable(*error));
        return QString();
    }
    QProcess p;
    p.start(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, file, u"-"_s});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput()).replace(QRegularExpression(u"[ \\t]+"_s), u" "_s);
}

void TestManagementWindows::printedLists()
{
    QVERIFY2(!QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty(),
             "pdftotext is missing: run scripts/install-deps.sh (poppler-utils)");
    QTemporaryDir dir;
    auto db = m_shop->db();
    salesDocuments(db);
    QCOMPARE(fixture::post(db, kind(DocumentKind::Purchase), u"CGD20240315001"_s, u"A 10 2"_s, u"东方五金厂 0 15"_s), QString());
    QCOMPARE(fixture::post(db, kind(DocumentKind::Movement), u"YDD20240315001"_s, u"A -3 2.5"_s, u"报损"_s), QString());
    QCOMPARE(fixture::post(db, kind(DocumentKind::Movement), u"YDD20240315002"_s, u"B 4 1"_s, u"盘盈"_s), QString());
    QString text;
    const auto print = [&](DocumentListWindow &w, const QString &name) {
        text.clear();
        w.previewer = [&](report::Form &form) { text = printedText(form, dir.filePath(name)); };
        w.SB88Click();
        QVERIFY(!text.isEmpty());
    };

    // Sales: the counterpart column is the customer's.
    TFxsgl1 xs(context());
    xs.showFilter({});
    print(xs, u"xs.pdf"_s);
    QVERIFY2(text.contains(u"五金商行销售单据汇总表"_s), qPrintable(text));
    QVERIFY2(text.contains(u"日期 单号 客户 合计数量 合计金额 欠款"_s), qPrintable(text));
    QVERIFY(!text.contains(u"厂商"_s));
    QVERIFY2(text.contains(u"2024-03-15 XSD20240315002 甲 2 8 3"_s), qPrintable(text));
    QVERIFY2(text.contains(u"2024-03-15 PFD20240315002 丁 3 6 6"_s), qPrintable(text));
    QVERIFY2(text.contains(u"总计 7 21.5 9"_s), qPrintable(text));
    // Only what the list shows, with its sums.
    xs.showFilter({QString(), QString(), QString(), State::Held, {}, {}, false});
    print(xs, u"xs-held.pdf"_s);
    QVERIFY(!text.contains(u"XSD20240315002"_s));
    QVERIFY2(text.contains(u"总计 4 10 6"_s), qPrintable(text));

    // Purchases: the supplier's.
    TFcggl1 cg(context());
    cg.showFilter({});
    print(cg, u"cg.pdf"_s);
    QVERIFY2(text.contains(u"五金商行采购单据汇总表"_s), qPrintable(text));
    QVERIFY2(text.contains(u"日期 单号 厂商 合计数量 合计金额 欠款"_s), qPrintable(text));
    QVERIFY2(text.contains(u"2024-03-15 CGD20240315001 东方五金厂 10 20 5"_s), qPrintable(text));
    QVERIFY2(text.contains(u"总计 10 20 5"_s), qPrintable(text));

    // Movements: reason and handler, two totals.
    TFrkgl1 rk(context());
    rk.showFilter({});
    print(rk, u"rk.pdf"_s);
    QVERIFY2(text.contains(u"五金商行异动单据汇总表"_s), qPrintable(text));
    QVERIFY2(text.contains(u"日期 单号 异动原因 合计数量 合计金额 经办人"_s), qPrintable(text));
    QVERIFY2(text.contains(u"2024-03-15 YDD20240315001 报损 -3 -7.5 张三"_s), qPrintable(text));
    QVERIFY2(text.contains(u"2024-03-15 YDD20240315002 盘盈 4 4 张三"_s), qPrintable(text));
    QVERIFY2(text.contains(u"总计 1 -3.5"_s), qPrintable(text));
    if (const QString keep = qEnvironmentVariable("VELBORA_KEEP_PNG"); !keep.isEmpty())
        for (const QString &name : {u"xs.pdf"_s, u"cg.pdf"_s, u"rk.pdf"_s})
            QFile::copy(dir.filePath(name), keep + u'/' + name);
}

QTEST_MAIN(TestManagementWindows)
#include "tst_managementwindows.moc"
