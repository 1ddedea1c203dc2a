#include "message.h"
#include "number.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <string>

class TestNumber : public QObject {
    Q_OBJECT

private slots:
    void readingTakesTheLeadingNumber_data();
    void readingTakesTheLeadingNumber();
    void readingBeyondTheDoubleRangeIsInfinite();
    void readingAcceptsTheLocaleDecimalMark();
    void writingRoundsHalvesToEvenAndTrims_data();
    void writingRoundsHalvesToEvenAndTrims();
    void writingUsesTheLocaleDecimalMark();
    void roundTripThroughACommaLocale_data();
    void roundTripThroughACommaLocale();
    void gammaMustBeAboveOne_data();
    void gammaMustBeAboveOne();
    void messagesWriteTheirNumberUnrounded();
    void shortestTextReadsBackToTheSameDouble_data();
    void shortestTextReadsBackToTheSameDouble();
};

void TestNumber::readingTakesTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "2" << 2.0;
    QTest::newRow("decimal") << "1.4" << 1.4;
    QTest::newRow("blanks inside") << "1 000" << 1000.0;
    QTest::newRow("tabs and line feeds") << "\t 2 \n" << 2.0;
    QTest::newRow("sign") << "-3.5" << -3.5;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("exponent") << "1.5e3" << 1500.0;
    QTest::newRow("capital exponent with sign") << "25E-1" << 2.5;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0;
    QTest::newRow("stops at letters") << "2abc" << 2.0;
    QTest::newRow("stops at a second point") << "1.2.3" << 1.2;
    QTest::newRow("comma is not a mark in a point locale") << "2,5" << 2.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blank") << " " << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("sign alone") << "+" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("nan text") << "nan" << 0.0;
    QTest::newRow("inf text") << "inf" << 0.0;
    QTest::newRow("non-ASCII") << QString::fromUtf8("ğüş3") << 0.0;
    QTest::newRow("underflow") << "1e-400" << 0.0;
}

void TestNumber::readingTakesTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(common::readNumber(text.toStdString()), expected);
}

void TestNumber::readingBeyondTheDoubleRangeIsInfinite()
{
    QCOMPARE(common::readNumber("1e400"), std::numeric_limits<double>::infinity());
    QCOMPARE(common::readNumber("-1e309"), -std::numeric_limits<double>::infinity());
    QVERIFY(std::signbit(common::readNumber("-0")));
    const std::string longDigits(10000, '9');
    QVERIFY(std::isinf(common::readNumber(longDigits)));
}

void TestNumber::readingAcceptsTheLocaleDecimalMark()
{
    QCOMPARE(common::readNumber("7,8244", ','), 7.8244);
    QCOMPARE(common::readNumber("7.8244", ','), 7.8244);
    QCOMPARE(common::readNumber("1,5e2", ','), 150.0);
}

void TestNumber::writingRoundsHalvesToEvenAndTrims_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("half to even down") << 2.5 << 0 << "2";
    QTest::newRow("half to even up") << 3.5 << 0 << "4";
    QTest::newRow("exact half at 4 decimals") << 1.03125 << 4 << "1.0312";
    QTest::newRow("near half at 4 decimals") << 1.00025 << 4 << "1.0002";
    QTest::newRow("trailing zeros dropped") << 1.8 << 4 << "1.8";
    QTest::newRow("whole number") << 2.0 << 4 << "2";
    QTest::newRow("po/p at Mach 2") << 7.824449066867263 << 4 << "7.8244";
    QTest::newRow("small plain") << 0.00012 << 5 << "0.00012";
    QTest::newRow("below 1E-4 in exponent form") << 0.00002 << 5 << "2E-05";
    QTest::newRow("rounded to zero") << 0.00004 << 4 << "0";
    QTest::newRow("negative zero") << -0.0 << 4 << "0";
    QTest::newRow("negative rounding to zero") << -0.00001 << 4 << "0";
    QTest::newRow("negative") << -2.4011 << 3 << "-2.401";
    QTest::newRow("large plain") << 123456789012345.0 << 4 << "123456789012345";
    QTest::newRow("1E+15") << 1e15 << 4 << "1E+15";
    QTest::newRow("huge kept unrounded") << 1.2345678901234567e20 << 4 << "1.23456789012346E+20";
    QTest::newRow("tiny unrounded") << 1.75417732463372e-14 << -1 << "1.75417732463372E-14";
    QTest::newRow("fifteen significant digits") << 43.89788624801398 << -1 << "43.897886248014";
    QTest::newRow("three-digit exponent") << 1.5e-300 << -1 << "1.5E-300";
}

void TestNumber::writingRoundsHalvesToEvenAndTrims()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(common::writeNumber(value, decimals)), expected);
}

void TestNumber::writingUsesTheLocaleDecimalMark()
{
    QCOMPARE(QString::fromStdString(common::writeNumber(7.824449, 4, ',')), QString("7,8244"));
    QCOMPARE(QString::fromStdString(common::writeNumber(2e-5, 5, ',')), QString("2E-05"));
    QCOMPARE(QString::fromStdString(common::writeNumber(1.5e-5, -1, ',')), QString("1,5E-05"));
}

void TestNumber::roundTripThroughACommaLocale_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::newRow("ratio") << 7.824449066867263 << 4;
    QTest::newRow("angle") << 26.379760813416457 << 3;
    QTest::newRow("exponent form") << 1.75417732463372e-14 << -1;
}

void TestNumber::roundTripThroughACommaLocale()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    const std::string shown = common::writeNumber(value, decimals, ',');
    QCOMPARE(common::writeNumber(common::readNumber(shown, ','), decimals, ','), shown);
}

void TestNumber::gammaMustBeAboveOne_data()
{
    QTest::addColumn<double>("gama");
    QTest::addColumn<bool>("refused");
    QTest::newRow("air") << 1.4 << false;
    QTest::newRow("just above 1") << 1.000001 << false;
    QTest::newRow("one") << 1.0 << true;
    QTest::newRow("zero") << 0.0 << true;
    QTest::newRow("negative") << -1.4 << true;
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << true;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << true;
}

void TestNumber::gammaMustBeAboveOne()
{
    QFETCH(double, gama);
    QFETCH(bool, refused);
    const auto refusal = common::checkGamma(gama);
    QCOMPARE(refusal.has_value(), refused);
    if (refused)
        QCOMPARE(QString::fromStdString(refusal->render()), QString("Gamma must be greater than 1"));
}

void TestNumber::messagesWriteTheirNumberUnrounded()
{
    const common::Message message { "Teta must be equal or less then ", 43.89788624801398, " degrees" };
    QCOMPARE(
        QString::fromStdString(message.render()), QString("Teta must be equal or less then 43.897886248014 degrees"));
    QCOMPARE(QString::fromStdString(message.render(',')),
        QString("Teta must be equal or less then 43,897886248014 degrees"));
}

void TestNumber::shortestTextReadsBackToTheSameDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("comma");
    QTest::newRow("M2 of M1 2") << 0.5773502691896257 << "0.5773502691896257"
                                << "0,5773502691896257";
    QTest::newRow("short decimal") << 1.4 << "1.4"
                                   << "1,4";
    QTest::newRow("whole") << 2.0 << "2"
                           << "2";
    QTest::newRow("just below a whole") << 1.7999999999999998 << "1.7999999999999998"
                                        << "1,7999999999999998";
    QTest::newRow("tiny") << 2e-5 << "2e-05"
                          << "2e-05";
    QTest::newRow("huge") << 1.2345e300 << "1.2345e+300"
                          << "1,2345e+300";
    QTest::newRow("negative") << -10.5 << "-10.5"
                              << "-10,5";
    QTest::newRow("negative zero") << -0.0 << "0"
                                   << "0";
}

void TestNumber::shortestTextReadsBackToTheSameDouble()
{
    QFETCH(double, value);
    QFETCH(QString, point);
    QFETCH(QString, comma);
    QCOMPARE(QString::fromStdString(common::writeShortest(value)), point);
    QCOMPARE(QString::fromStdString(common::writeShortest(value, ',')), comma);
    QCOMPARE(common::readNumber(common::writeShortest(value, ','), ','), value);
}

QTEST_APPLESS_MAIN(TestNumber)
#include "tst_common_number.moc"
