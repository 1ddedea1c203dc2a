#include "isentropic_calc.h"
#include "number.h"

#include <QtTest>

#include <cmath>
#include <limits>

using isentropic::Flow;

namespace {

enum Input { M, PoP, ToT, Nu, Mu };

common::Result<Flow> calculate(Input input, double gama, double value)
{
    switch (input) {
    case M:
        return isentropic::fromM(gama, value);
    case PoP:
        return isentropic::fromPoP(gama, value);
    case ToT:
        return isentropic::fromToT(gama, value);
    case Nu:
        return isentropic::fromNu(gama, value);
    case Mu:
        return isentropic::fromMu(gama, value);
    }
    return common::Message { "unreachable" };
}

QString shown(double value, int decimals)
{
    return QString::fromStdString(common::writeNumber(value, decimals));
}

// The texts a press shows: M, Po/P, To/T, rho_o/rho and, when present, nu and mu.
QString shownFlow(const Flow& f)
{
    QStringList parts { shown(f.M, 4), shown(f.PoP, 4), shown(f.ToT, 4), shown(f.RoR, 4) };
    if (f.nu)
        parts << shown(*f.nu, 3) << shown(*f.mu, 3);
    return parts.join(' ');
}

} // namespace

class TestIsentropicCalc : public QObject {
    Q_OBJECT

private slots:
    void resultsShowTheTableDigits_data();
    void resultsShowTheTableDigits();
    void refusalsNameTheBound_data();
    void refusalsNameTheBound();
    void nuZeroStopsAtTheNinthPass();
    void everyNuUpTo90ConvergesWithin9PassesForAir();
    void unconvergedIterationFallsBackToTheExactRoot_data();
    void unconvergedIterationFallsBackToTheExactRoot();
    void iterationIsBoundedAt100Passes();
    void pressureRatioNearOneKeepsItsDigitsForGammaNearOne();
};

void TestIsentropicCalc::resultsShowTheTableDigits_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("M 2") << int(M) << 1.4 << 2.0 << "2 7.8244 1.8 4.3469 26.38 30";
    QTest::newRow("M 1 exactly") << int(M) << 1.4 << 1.0 << "1 1.8929 1.2 1.5774 0 90";
    QTest::newRow("M 0.5 subsonic") << int(M) << 1.4 << 0.5 << "0.5 1.1862 1.05 1.1297";
    QTest::newRow("Po/P just above 1") << int(PoP) << 1.4 << 1.0001 << "0.012 1.0001 1 1.0001";
    QTest::newRow("Po/P 7.8244") << int(PoP) << 1.4 << 7.8244 << "2 7.8244 1.8 4.3469 26.38 30";
    QTest::newRow("To/T 1.8") << int(ToT) << 1.4 << 1.8 << "2 7.8244 1.8 4.3469 26.38 30";
    QTest::newRow("mu 90") << int(Mu) << 1.4 << 90.0 << "1 1.8929 1.2 1.5774 0 90";
    QTest::newRow("mu 1") << int(Mu) << 1.4 << 1.0 << "57.2987 7293414548.0863 657.6279 11090487.6395 125.457 1";
    QTest::newRow("nu 0") << int(Nu) << 1.4 << 0.0 << "1 1.893 1.2 1.5775 0 89.491";
    QTest::newRow("nu 90") << int(Nu) << 1.4 << 90.0 << "6.819 3506.7765 10.2998 340.4687 90 8.433";
    QTest::newRow("nu 26.38") << int(Nu) << 1.4 << 26.38 << "2 7.8246 1.8 4.347 26.38 30";
    QTest::newRow("gamma 1.1 nu 89 by the exact root")
        << int(Nu) << 1.1 << 89.0 << "3.3983 150.4605 1.5774 95.3839 89 17.113";
    QTest::newRow("gamma 1.1 nu 0 by the exact root") << int(Nu) << 1.1 << 0.0 << "1 1.7103 1.05 1.6289 0 89.937";
    QTest::newRow("gamma 1.3 M 3") << int(M) << 1.3 << 3.0 << "3 40.5472 2.35 17.2541 55.758 19.471";
}

void TestIsentropicCalc::resultsShowTheTableDigits()
{
    QFETCH(int, input);
    QFETCH(double, gama);
    QFETCH(double, value);
    QFETCH(QString, expected);
    const auto result = calculate(Input(input), gama, value);
    QVERIFY2(result.ok(), result.ok() ? "" : result.refusal().render().c_str());
    QCOMPARE(shownFlow(result.value()), expected);
}

void TestIsentropicCalc::refusalsNameTheBound_data()
{
    const double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<int>("input");
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("M 0") << int(M) << 1.4 << 0.0 << "M must be greater then 0";
    QTest::newRow("M negative") << int(M) << 1.4 << -2.0 << "M must be greater then 0";
    QTest::newRow("Po/P 1") << int(PoP) << 1.4 << 1.0 << "Po/P must be equal or greater then 1";
    QTest::newRow("To/T 1") << int(ToT) << 1.4 << 1.0 << "To/T must be equal or greater then 1";
    QTest::newRow("nu below 0") << int(Nu) << 1.4 << -0.001 << "Nu must be between 0 and 90 degrees";
    QTest::newRow("nu above 90") << int(Nu) << 1.4 << 90.001 << "Nu must be between 0 and 90 degrees";
    QTest::newRow("mu 0.5") << int(Mu) << 1.4 << 0.5 << "Mu must be between 1 and 90 degrees";
    QTest::newRow("mu 90.5") << int(Mu) << 1.4 << 90.5 << "Mu must be between 1 and 90 degrees";
    QTest::newRow("gamma 1") << int(M) << 1.0 << 2.0 << "Gamma must be greater than 1";
    QTest::newRow("gamma below 1 before the bound") << int(M) << 0.5 << 0.0 << "Gamma must be greater than 1";
    QTest::newRow("nu beyond the largest turning angle for gamma 3")
        << int(Nu) << 3.0 << 40.0 << "Nu must be less than 37.2792206135786 degrees for this gamma";
    QTest::newRow("infinite M") << int(M) << 1.4 << inf << "The value is too large to be calculated";
    QTest::newRow("M whose Po/P overflows") << int(M) << 1.4 << 1e100 << "The value is too large to be calculated";
    QTest::newRow("infinite Po/P") << int(PoP) << 1.4 << inf << "The value is too large to be calculated";
    QTest::newRow("huge To/T") << int(ToT) << 1.4 << 1e300 << "The value is too large to be calculated";
}

void TestIsentropicCalc::refusalsNameTheBound()
{
    QFETCH(int, input);
    QFETCH(double, gama);
    QFETCH(double, value);
    QFETCH(QString, message);
    const auto result = calculate(Input(input), gama, value);
    QVERIFY(!result.ok());
    QCOMPARE(QString::fromStdString(result.refusal().render()), message);
}

void TestIsentropicCalc::nuZeroStopsAtTheNinthPass()
{
    const auto it = isentropic::machFromNu(isentropic::prandtlMeyerK(1.4), 0.0);
    QVERIFY(it.converged);
    QCOMPARE(it.passes, 9);
    QVERIFY(std::fabs(it.value - 1.0000394) < 1e-7);
}

void TestIsentropicCalc::everyNuUpTo90ConvergesWithin9PassesForAir()
{
    const double K = isentropic::prandtlMeyerK(1.4);
    for (int tenth = 0; tenth <= 900; ++tenth) {
        const auto it = isentropic::machFromNu(K, (4.0 * std::atan(1.0)) * (tenth / 10.0) / 180.0);
        QVERIFY2(it.converged && it.passes <= 9, qPrintable(QString("nu %1").arg(tenth / 10.0)));
    }
}

void TestIsentropicCalc::unconvergedIterationFallsBackToTheExactRoot_data()
{
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("nu");
    QTest::newRow("gamma 1.1 nu 89 runs out of passes") << 1.1 << 89.0;
    QTest::newRow("gamma 1.1 nu 0 dips below Mach 1") << 1.1 << 0.0;
    QTest::newRow("gamma 1.01 nu 60") << 1.01 << 60.0;
    QTest::newRow("gamma 3 just under the largest angle") << 3.0 << 37.27;
}

void TestIsentropicCalc::unconvergedIterationFallsBackToTheExactRoot()
{
    QFETCH(double, gama);
    QFETCH(double, nu);
    const double target = 4.0 * std::atan(1.0) * nu / 180.0;
    const auto first = isentropic::machFromNu(isentropic::prandtlMeyerK(gama), target);
    const auto exact = isentropic::machFromNuExact(gama, target);
    QVERIFY(exact.converged);
    QVERIFY(exact.value >= 1.0);
    QVERIFY(std::fabs(isentropic::prandtlMeyer(isentropic::prandtlMeyerK(gama), exact.value) - target) < 1e-9);
    const auto result = isentropic::fromNu(gama, nu);
    QVERIFY(result.ok());
    QCOMPARE(result.value().M, first.converged ? first.value : exact.value);
}

void TestIsentropicCalc::iterationIsBoundedAt100Passes()
{
    const auto it = isentropic::machFromNu(isentropic::prandtlMeyerK(1.1), 4.0 * std::atan(1.0) * 89.0 / 180.0);
    QVERIFY(!it.converged);
    QCOMPARE(it.passes, 100);
}

void TestIsentropicCalc::pressureRatioNearOneKeepsItsDigitsForGammaNearOne()
{
    // M = sqrt(2 ln(Po/P) / g) in the limit; the plain power form cancels to Mach 0 here.
    const auto result = isentropic::fromPoP(1.0000001, 1.0000000001);
    QVERIFY(result.ok());
    const double expected = std::sqrt(2.0 * 1e-10 / 1.0000001);
    QVERIFY(std::fabs(result.value().M - expected) < 1e-6 * expected);
}

QTEST_APPLESS_MAIN(TestIsentropicCalc)
#include "tst_isentropic_calc.moc"
