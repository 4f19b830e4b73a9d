#include "core/money/Capitals.h"

#include "core/money/Decimal.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestCapitals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void capitals_data();
    void capitals();
    void notWritable_data();
    void notWritable();
};

void TestCapitals::capitals_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("capitals");

    // zero and amounts below one 圆
    QTest::newRow("0") << u"0"_s << u"零"_s;
    QTest::newRow("0.00") << u"0.00"_s << u"零"_s;
    QTest::newRow("rounds to 0.00") << u"0.004"_s << u"零"_s;
    QTest::newRow("half a fen rounds to even 0.00") << u"0.005"_s << u"零"_s;
    QTest::newRow("0.01") << u"0.01"_s << u"壹分"_s;
    QTest::newRow("0.05") << u"0.05"_s << u"伍分"_s;
    QTest::newRow("0.07 no 零 before a lone 分") << u"0.07"_s << u"柒分"_s;
    QTest::newRow("0.1") << u"0.1"_s << u"壹角整"_s;
    QTest::newRow("0.3") << u"0.3"_s << u"叁角整"_s;
    QTest::newRow("0.35") << u"0.35"_s << u"叁角伍分"_s;
    QTest::newRow("0.125 ties to even") << u"0.125"_s << u"壹角贰分"_s;
    QTest::newRow("0.135 ties to even") << u"0.135"_s << u"壹角肆分"_s;
    QTest::newRow("0.999 rounds to 1") << u"0.999"_s << u"壹圆整"_s;

    // 圆 and the fractional part
    QTest::newRow("1") << u"1"_s << u"壹圆整"_s;
    QTest::newRow("1.01") << u"1.01"_s << u"壹圆零壹分"_s;
    QTest::newRow("10") << u"10"_s << u"壹拾圆整"_s;
    QTest::newRow("12.05") << u"12.05"_s << u"壹拾贰圆零伍分"_s;
    QTest::newRow("12.3") << u"12.3"_s << u"壹拾贰圆叁角整"_s;
    QTest::newRow("20.07") << u"20.07"_s << u"贰拾圆零柒分"_s;
    QTest::newRow("100.10") << u"100.10"_s << u"壹佰圆壹角整"_s;

    // zeros inside the integer part
    QTest::newRow("1010") << u"1010"_s << u"壹仟零壹拾圆整"_s;
    QTest::newRow("10001") << u"10001"_s << u"壹万零壹圆整"_s;
    QTest::newRow("100000") << u"100000"_s << u"壹拾万圆整"_s;
    QTest::newRow("100010") << u"100010"_s << u"壹拾万零壹拾圆整"_s;
    QTest::newRow("105000") << u"105000"_s << u"壹拾万伍仟圆整"_s;
    QTest::newRow("1000100") << u"1000100"_s << u"壹佰万零壹佰圆整"_s;
    QTest::newRow("1000000.01") << u"1000000.01"_s << u"壹佰万圆零壹分"_s;
    QTest::newRow("10001000") << u"10001000"_s << u"壹仟万壹仟圆整"_s;

    // 亿 and an empty 万 group under it
    QTest::newRow("100000000") << u"100000000"_s << u"壹亿圆整"_s;
    QTest::newRow("100000001") << u"100000001"_s << u"壹亿零壹圆整"_s;
    QTest::newRow("100010000") << u"100010000"_s << u"壹亿零壹万圆整"_s;
    QTest::newRow("110000000") << u"110000000"_s << u"壹亿壹仟万圆整"_s;
    QTest::newRow("100001000") << u"100001000"_s << u"壹亿壹仟圆整"_s;

    // 13 integer digits, the most the units reach
    QTest::newRow("1000000000000") << u"1000000000000"_s << u"壹万亿圆整"_s;
    QTest::newRow("1234567890123.45") << u"1234567890123.45"_s
                                       << u"壹万贰仟叁佰肆拾伍亿陆仟柒佰捌拾玖万零壹佰贰拾叁圆肆角伍分"_s;
    QTest::newRow("9999999999999.99") << u"9999999999999.99"_s
                                       << u"玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖圆玖角玖分"_s;
}

void TestCapitals::capitals()
{
    QFETCH(QString, amount);
    QFETCH(QString, capitals);
    const Decimal value = Decimal::parse(amount);
    QVERIFY(value.isValid());
    const std::optional<QString> text = amountInCapitals(value);
    QVERIFY(text.has_value());
    QCOMPARE(*text, capitals);
}

void TestCapitals::notWritable_data()
{
    QTest::addColumn<Decimal>("amount");
    QTest::addColumn<bool>("valid");

    QTest::newRow("14 integer digits") << Decimal::parse(u"12345678901234") << true;
    QTest::newRow("10000000000000") << Decimal::parse(u"10000000000000") << true;
    QTest::newRow("rounds up to 14 digits") << Decimal::parse(u"9999999999999.995") << true;
    QTest::newRow("15 integer digits") << Decimal::parse(u"123456789012345") << true;
    QTest::newRow("negative") << Decimal::parse(u"-1") << true;
    QTest::newRow("negative fen") << Decimal::parse(u"-0.01") << true;
    QTest::newRow("invalid") << Decimal::invalid() << false;
}

void TestCapitals::notWritable()
{
    QFETCH(Decimal, amount);
    QFETCH(bool, valid);
    QCOMPARE(amount.isValid(), valid);
    QCOMPARE(amountInCapitals(amount), std::nullopt);
    QVERIFY(!capitalsErrorText().isEmpty());
}

QTEST_GUILESS_MAIN(TestCapitals)
#include "tst_capitals.moc"
