// The document management windows: the three condition dialogs built on the
// query-dialog builder (their state on showing, the Enter chain, the date
// pair, the conditions they hand over).
#include "TestSupport.h"

#include "windows/purchasing/Ucxcg1.h"
#include "windows/sales/Ucxxs1.h"
#include "windows/stock/Ucxrk1.h"

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

namespace {

const QDate kToday{2024, 3, 15};

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
    if (const QString dir = qEnvironmentVariable("VELBORA_KEEP_PNG"); !dir.isEmpty())
        w->grab().save(dir + u'/' + name + u".png"_s);
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
    void queryDialogsStartAfresh();
    void queryDialogFieldsAndCaptions();
    void salesEnterChain();
    void purchaseAndMovementEnterChains();
    void datePairKeepsItsOrder();
    void conditionsAsTyped();
};

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

QTEST_MAIN(TestManagementWindows)
#include "tst_managementwindows.moc"
