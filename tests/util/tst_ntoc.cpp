// The amount converter window, driven through its keys.
#include "TestSupport.h"

#include "ui/NumberEdit.h"
#include "windows/util/Untoc1.h"

#include <QPointer>
#include <QPushButton>
#include <QtTest>

class TestNtoc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conversions_data();
    void conversions();
    void startAndKeys();
    void leavingRewritesAmount();
    void emptyAmountRefused();
    void pastedTextAndTooLarge();
    void escCloses();
};

void TestNtoc::conversions_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("capitals");
    QTest::newRow("zero") << "0.00" << "零";
    QTest::newRow("1010") << "1010" << "壹仟零壹拾圆整";
    QTest::newRow("20.07") << "20.07" << "贰拾圆零柒分";
    QTest::newRow("0.07") << "0.07" << "柒分";
    QTest::newRow("rounded on leaving") << "12.345" << "壹拾贰圆叁角肆分";
}

void TestNtoc::conversions()
{
    QFETCH(QString, typed);
    QFETCH(QString, capitals);
    ScriptedMessages messages;
    TFntoc1 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Edit1->selectAll();
    QTest::keyClicks(w.Edit1, typed);
    QTest::keyClick(w.Edit1, Qt::Key_Return);
    QCOMPARE(w.Edit2->text(), capitals);
    QVERIFY(messages.shown().empty());
}

void TestNtoc::startAndKeys()
{
    TFntoc1 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), u"人民币大小写转换"_qs);
    QCOMPARE(w.Edit1->text(), u"0.00"_qs);
    QCOMPARE(w.Edit2->text(), u"零"_qs);
    QVERIFY(w.Edit2->isReadOnly());
    QTRY_VERIFY(w.Edit1->hasFocus());
    w.Edit1->clear();
    QTest::keyClicks(w.Edit1, u"-1a2.3.4"_qs);  // no sign, one point
    QCOMPARE(w.Edit1->text(), u"12.34"_qs);
}

void TestNtoc::leavingRewritesAmount()
{
    TFntoc1 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Edit1->setFocus();
    w.Edit1->setText(u"12.5"_qs);
    w.BitBtn2->setFocus();  // the focus leaves the amount
    QCOMPARE(w.Edit1->text(), u"12.50"_qs);
    w.Edit1->setFocus();
    w.Edit1->clear();
    QCOMPARE(w.Edit1->text(), QString());  // emptied stays empty while typing
    w.BitBtn2->setFocus();
    QCOMPARE(w.Edit1->text(), u"0.00"_qs);
}

void TestNtoc::emptyAmountRefused()
{
    ScriptedMessages messages;
    TFntoc1 w;
    w.Edit1->clear();
    w.BitBtn1Click();
    QCOMPARE(messages.last(), u"小写金额不可为空！"_qs);
    QCOMPARE(messages.shown().back().caption, u"提示"_qs);
    QCOMPARE(w.Edit2->text(), u"零"_qs);
}

void TestNtoc::pastedTextAndTooLarge()
{
    ScriptedMessages messages;
    TFntoc1 w;
    w.Edit1->setText(u"-12.05"_qs);  // only pasting can bring a sign
    w.BitBtn1Click();
    QCOMPARE(w.Edit2->text(), u"负壹拾贰圆零伍分"_qs);
    QVERIFY(messages.shown().empty());

    w.Edit1->setText(u"12元"_qs);
    w.BitBtn1Click();
    QCOMPARE(messages.shown().size(), size_t(1));
    QCOMPARE(w.Edit2->text(), u"负壹拾贰圆零伍分"_qs);  // unchanged

    w.Edit1->setText(u"12345678901234"_qs);  // fourteen integer digits
    w.BitBtn1Click();
    QCOMPARE(messages.shown().size(), size_t(2));
    QCOMPARE(w.Edit2->text(), u"负壹拾贰圆零伍分"_qs);

    w.Edit1->setText(u"1234567890123.45"_qs);
    w.BitBtn1Click();
    QCOMPARE(w.Edit2->text(), u"壹万贰仟叁佰肆拾伍亿陆仟柒佰捌拾玖万零壹佰贰拾叁圆肆角伍分"_qs);
}

void TestNtoc::escCloses()
{
    QPointer<TFntoc1> w = new TFntoc1;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTest::keyClick(w->Edit1, Qt::Key_Escape);
    QTRY_VERIFY(w.isNull());
}

QTEST_MAIN(TestNtoc)
#include "tst_ntoc.moc"
