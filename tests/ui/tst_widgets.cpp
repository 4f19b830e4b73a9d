// The shared window machinery: number fields, Enter focus chains, the
// message facility and the look every window shares.
#include "TestSupport.h"

#include "ui/FocusChain.h"
#include "ui/FormDialog.h"
#include "ui/NumberEdit.h"
#include "ui/ProgramLook.h"
#include "windows/masterdata/Utjsp1.h"
#include "windows/util/Untoc1.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Types each character as a key press carrying it (also characters that have
// no key of their own, as an input method would send them).
void type(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// A form of two fields, as the program's form dialogs are built.
class TwoFieldForm : public FormDialog
{
public:
    TwoFieldForm()
    {
        auto *fields = new QVBoxLayout;
        first = new QLineEdit(this);
        second = new QLineEdit(this);
        fields->addWidget(first);
        fields->addWidget(second);
        setFields(fields);
        connect(BitBtn1, &QPushButton::clicked, this, [this] { ++saves; });
        enterAlong(enterSteps({first, second}));
    }
    void edit(const QString &caption) { setFormMode(FormMode::Edit, caption); }

    QLineEdit *first;
    QLineEdit *second;
    int saves = 0;
};

// The colour a field is drawn on, away from its frame and its text.
QColor backgroundOf(QLineEdit *field)
{
    const QImage image = field->grab().toImage();
    return image.pixelColor(image.width() - 6, image.height() / 2);
}

}  // namespace

class TestWidgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyFilter_data();
    void keyFilter();
    void emptiedBecomesZero();
    void tidyOnLeave_data();
    void tidyOnLeave();
    void rulesCanBeSwitchedOff();
    void focusChain();
    void messagesAreRecordedAndAnswered();
    void readOnlyFieldsAreGrey();
    void formDialogFrame();
};

void TestWidgets::keyFilter_data()
{
    QTest::addColumn<bool>("negatives");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits and one point") << true << "12.3.4" << "12.34";
    QTest::newRow("letters and signs swallowed") << true << "a1+b2*c,3" << "123";
    QTest::newRow("one minus") << true << "-5-" << "-5";
    QTest::newRow("minus after digits is typed, reading refuses it") << true << "5-" << "5-";
    QTest::newRow("no minus where negatives are not allowed") << false << "-7" << "7";
    QTest::newRow("full-width digits swallowed") << true << "１2" << "2";
}

void TestWidgets::keyFilter()
{
    QFETCH(bool, negatives);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    NumberEdit e(nullptr, negatives);
    e.clear();  // becomes "0", selected
    type(&e, typed);
    QCOMPARE(e.text(), shown);
}

void TestWidgets::emptiedBecomesZero()
{
    NumberEdit e;
    e.setText(u"25"_qs);
    e.selectAll();
    QTest::keyClick(&e, Qt::Key_Backspace);
    QCOMPARE(e.text(), u"0"_qs);
    // The zero is selected, so the next digit replaces it.
    QTest::keyClicks(&e, u"7"_qs);
    QCOMPARE(e.text(), u"7"_qs);
    // Pasted spaces are as good as empty.
    e.selectAll();
    e.insert(u"  "_qs);
    QCOMPARE(e.text(), u"0"_qs);
    // A selected point or minus may be typed over again.
    e.setText(u"1.5"_qs);
    e.setSelection(1, 1);
    QTest::keyClicks(&e, u"."_qs);
    QCOMPARE(e.text(), u"1.5"_qs);
}

void TestWidgets::tidyOnLeave_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("left");
    QTest::newRow("lone minus") << "-" << "0";
    QTest::newRow("three decimals, tie to even down") << "12.345" << "12.34";
    QTest::newRow("three decimals, tie to even up") << "12.355" << "12.36";
    QTest::newRow("two decimals kept") << "3000.5" << "3000.5";
    QTest::newRow("negative") << "-2.345" << "-2.34";
    QTest::newRow("held at four places first") << "2.34501" << "2.34";
    QTest::newRow("held at four places first, 1.00500001") << "1.00500001" << "1.00";
    QTest::newRow("not a number left for the reader") << "5-.123" << "5-.123";
}

void TestWidgets::tidyOnLeave()
{
    QFETCH(QString, text);
    QFETCH(QString, left);
    QWidget w;
    auto *e = new NumberEdit(&w);
    auto *other = new QLineEdit(&w);
    auto *layout = new QVBoxLayout(&w);
    layout->addWidget(e);
    layout->addWidget(other);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    e->setFocus();
    e->setText(text);
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(e->text(), left);
}

void TestWidgets::rulesCanBeSwitchedOff()
{
    NumberEdit e(nullptr, true, NumberEdit::NoRules);
    e.setText(u"9"_qs);
    e.clear();
    QCOMPARE(e.text(), QString());
    e.setText(u"1.239"_qs);
    e.tidy();  // explicit tidying still works
    QCOMPARE(e.text(), u"1.24"_qs);
}

void TestWidgets::focusChain()
{
    QWidget w;
    auto *a = new QLineEdit(&w);
    auto *hidden = new QLineEdit(&w);
    auto *b = new QLineEdit(&w);
    auto *c = new QLineEdit(&w);
    auto *layout = new QVBoxLayout(&w);
    for (QWidget *x : {static_cast<QWidget *>(a), static_cast<QWidget *>(hidden),
                       static_cast<QWidget *>(b), static_cast<QWidget *>(c)})
        layout->addWidget(x);
    int pressed = 0;
    auto *chain = new FocusChain(&w);
    chain->then(a).then(hidden).then(b).then(c, [&] { ++pressed; });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    hidden->hide();

    a->setFocus();
    QTest::keyClick(a, Qt::Key_Return);
    QTRY_VERIFY(b->hasFocus());  // the hidden field is stepped over
    QTest::keyClick(b, Qt::Key_Enter, Qt::KeypadModifier);
    QTRY_VERIFY(c->hasFocus());
    QTest::keyClick(c, Qt::Key_Return);
    QCOMPARE(pressed, 1);
    QVERIFY(c->hasFocus());
    // Enter with a modifier is not a step.
    QTest::keyClick(b, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(pressed, 1);
}

void TestWidgets::messagesAreRecordedAndAnswered()
{
    ScriptedMessages messages;
    msg::info(nullptr, u"数量不可为零！"_qs);
    msg::warning(nullptr, u"没有明细可删除！"_qs);
    messages.answer(msg::Answer::Cancel);
    QVERIFY(!msg::confirmOkCancel(nullptr, u"确定要删除吗？"_qs));
    QVERIFY(msg::confirmYesNo(nullptr, u"要备份吗？"_qs));  // the default answer
    QCOMPARE(messages.shown().size(), size_t(4));
    QCOMPARE(messages.shown()[0].caption, u"提示"_qs);
    QCOMPARE(messages.shown()[0].icon, msg::Icon::Information);
    QCOMPARE(messages.shown()[1].caption, u"警告"_qs);
    QCOMPARE(messages.shown()[1].icon, msg::Icon::Warning);
    QCOMPARE(messages.shown()[2].buttons, msg::Buttons::OkCancel);
    QCOMPARE(messages.shown()[3].buttons, msg::Buttons::YesNo);
    QCOMPARE(messages.shown()[3].icon, msg::Icon::Question);
}

// Fields the operator cannot change are drawn on grey in every dialog, the
// moment they become read-only; editable ones keep the white of an entry.
void TestWidgets::readOnlyFieldsAreGrey()
{
    programlook::apply();
    FreshShop shop;
    const Session session;
    TFtjsp1 goods({shop.dm(), session});
    goods.show();
    QVERIFY(QTest::qWaitForWindowExposed(&goods));
    const QColor editable = backgroundOf(goods.ppgg);
    QVERIFY2(editable.lightness() > 250, qPrintable(editable.name()));
    QCOMPARE(backgroundOf(goods.lb), programlook::readOnlyBackground());  // 商品类别
    QCOMPARE(backgroundOf(goods.dw), programlook::readOnlyBackground());  // 计量单位
    QVERIFY(editable != programlook::readOnlyBackground());

    TFntoc1 converter;
    converter.show();
    QVERIFY(QTest::qWaitForWindowExposed(&converter));
    QCOMPARE(backgroundOf(converter.Edit2), programlook::readOnlyBackground());  // 金额大写
    QCOMPARE(backgroundOf(converter.Edit1), editable);

    // The rule follows the field: made editable it is white again.
    goods.lb->setReadOnly(false);
    QCOMPARE(backgroundOf(goods.lb), editable);
}

// The frame of the form dialogs: the button row below the fields, Enter along
// the fields saving in the last, Esc closing, the mode with its caption.
void TestWidgets::formDialogFrame()
{
    TwoFieldForm form;
    QCOMPARE(form.BitBtn1->text(), u"保存"_s);
    QCOMPARE(form.BitBtn2->text(), u"关闭"_s);
    QCOMPARE(form.BitBtn1->objectName(), u"BitBtn1"_s);
    QVERIFY(!form.BitBtn1->autoDefault() && !form.BitBtn2->autoDefault());
    QVERIFY(form.isModal());
    QCOMPARE(form.formMode(), FormMode::Add);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QApplication::setActiveWindow(&form);
    // The buttons come after the fields, in the layout and for Tab.
    QVERIFY(form.BitBtn1->geometry().top() > form.second->geometry().bottom());
    QCOMPARE(form.second->nextInFocusChain(), static_cast<QWidget *>(form.BitBtn1));

    form.first->setFocus();
    QTest::keyClick(form.first, Qt::Key_Return);
    QTRY_VERIFY(form.second->hasFocus());
    QCOMPARE(form.saves, 0);
    QTest::keyClick(form.second, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(form.saves, 1);
    QVERIFY(form.isVisible());

    form.edit(u"修改资料"_s);
    QCOMPARE(form.formMode(), FormMode::Edit);
    QCOMPARE(form.windowTitle(), u"修改资料"_s);

    QTest::keyClick(form.second, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(form.saves, 1);
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
