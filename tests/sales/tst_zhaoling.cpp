// The change calculator, driven through its keys.
#include "TestSupport.h"

#include "windows/sales/Uzhaoling1.h"
#include "ui/NumberEdit.h"

#include <QPointer>
#include <QPushButton>
#include <QtTest>

class TestZhaoling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changeFollowsBothFields_data();
    void changeFollowsBothFields();
    void keysAndFocus();
    void loneMinus();
    void notANumberKeepsChange();
    void escCloses();
};

void TestZhaoling::changeFollowsBothFields_data()
{
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("tendered");
    QTest::addColumn<QString>("change");
    QTest::newRow("37.5 of 50") << "37.5" << "50" << "12.50";
    QTest::newRow("less tendered") << "100" << "80" << "-20.00";
    QTest::newRow("ties to even") << "0.005" << "0" << "-0.00";
    QTest::newRow("refund due") << "-15" << "0" << "15.00";
    QTest::newRow("exact") << "12.34" << "12.34" << "0.00";
}

void TestZhaoling::changeFollowsBothFields()
{
    QFETCH(QString, due);
    QFETCH(QString, tendered);
    QFETCH(QString, change);
    TFzhaoling1 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Edit1->selectAll();
    QTest::keyClicks(w.Edit1, due);
    w.Edit2->selectAll();
    QTest::keyClicks(w.Edit2, tendered);
    // A tie rounds to an even cent; a result of zero shows without a sign.
    QCOMPARE(w.Edit3->text(), change == u"-0.00"_qs ? u"0.00"_qs : change);
}

void TestZhaoling::keysAndFocus()
{
    TFzhaoling1 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), u"计算零钱"_qs);
    QCOMPARE(w.Edit1->text(), u"0"_qs);
    QCOMPARE(w.Edit2->text(), u"0"_qs);
    QCOMPARE(w.Edit3->text(), u"0"_qs);
    QTRY_VERIFY(w.Edit1->hasFocus());

    // Only digits, one ".", one "-".
    w.Edit1->selectAll();
    QTest::keyClicks(w.Edit1, u"1a2.3.4--"_qs);
    QCOMPARE(w.Edit1->text(), u"12.34-"_qs);

    // Enter in the amount due moves on; Enter in the amount tendered stays.
    QTest::keyClick(w.Edit1, Qt::Key_Return);
    QTRY_VERIFY(w.Edit2->hasFocus());
    QTest::keyClick(w.Edit2, Qt::Key_Return);
    QVERIFY(w.Edit2->hasFocus());

    // An emptied field becomes "0" and the change follows.
    w.Edit1->setText(u"10"_qs);
    w.Edit2->setText(u"25"_qs);
    QCOMPARE(w.Edit3->text(), u"15.00"_qs);
    w.Edit2->selectAll();
    QTest::keyClick(w.Edit2, Qt::Key_Backspace);
    QCOMPARE(w.Edit2->text(), u"0"_qs);
    QCOMPARE(w.Edit3->text(), u"-10.00"_qs);
    w.Edit1->clear();
    QCOMPARE(w.Edit1->text(), u"0"_qs);
    QCOMPARE(w.Edit3->text(), u"0.00"_qs);
}

void TestZhaoling::loneMinus()
{
    TFzhaoling1 w;
    w.Edit2->setText(u"50"_qs);
    w.Edit1->setText(u"-"_qs);
    QCOMPARE(w.Edit3->text(), u"50"_qs);  // the tendered text
    w.Edit1->setText(u"20"_qs);
    QCOMPARE(w.Edit3->text(), u"30.00"_qs);
    w.Edit2->setText(u"-"_qs);
    QCOMPARE(w.Edit3->text(), u"0"_qs);
}

void TestZhaoling::notANumberKeepsChange()
{
    TFzhaoling1 w;
    w.Edit1->setText(u"5"_qs);
    w.Edit2->setText(u"8"_qs);
    QCOMPARE(w.Edit3->text(), u"3.00"_qs);
    w.Edit2->setText(u"8-"_qs);
    QCOMPARE(w.Edit3->text(), u"3.00"_qs);
    w.Edit1->setText(u"."_qs);
    QCOMPARE(w.Edit3->text(), u"3.00"_qs);
    w.Edit1->setText(u"六"_qs);  // pasted
    QCOMPARE(w.Edit3->text(), u"3.00"_qs);
}

void TestZhaoling::escCloses()
{
    QPointer<TFzhaoling1> w = new TFzhaoling1;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTest::keyClick(w->Edit1, Qt::Key_Escape);
    QTRY_VERIFY(w.isNull());  // destroyed on close
    QPointer<TFzhaoling1> other = new TFzhaoling1;
    other->show();
    other->BitBtn1->click();
    QTRY_VERIFY(other.isNull());
}

QTEST_MAIN(TestZhaoling)
#include "tst_zhaoling.moc"
