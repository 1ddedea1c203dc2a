#include "number.h"
#include "rayleigh_calc.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

QString shown(double value)
{
    return QString::fromStdString(common::writeNumber(value, 5));
}

void row(const char* name, double gama, double value, const QString& expected, const QString& message = {})
{
    QTest::newRow(name) << gama << value << expected << message;
}

const QString none = "There is no supersonic solution for To/To* at or below 0.489795918367347";
const QString inaccurate = "The supersonic Mach number for this To/To* cannot be calculated accurately";
const QString tooLarge = "The value is too large to be calculated";

} // namespace

class TestRayleighCalc : public QObject {
    Q_OBJECT

private slots:
    void ratiosFromM_data();
    void ratiosFromM();
    void machNumbersFromToToStar_data();
    void machNumbersFromToToStar();
    void rootsGiveBackTheirToToStar();
};

// expected: To/To*, T/T*, p/p*, rho/rho*, Po/Po* as shown, or the refusal.
void TestRayleighCalc::ratiosFromM_data()
{
    const double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("message");
    row("M 2", 1.4, 2.0, "0.79339 0.52893 0.36364 0.6875 1.5031");
    row("M 0.5", 1.4, 0.5, "0.69136 0.79012 1.77778 2.25 1.11405");
    row("M 1 is the sonic state", 1.4, 1.0, "1 1 1 1 1");
    row("M 10", 1.4, 10.0, "0.50702 0.02897 0.01702 0.5875 381.61488");
    row("gamma 1.3 M 2", 1.3, 2.0, "0.76587 0.55047 0.37097 0.67391 1.55179");
    row("M 1e-150", 1.4, 1e-150, "0 0 2.4 4.16666666666667E+299 1.26788");
    // (p/p*)^2 underflows here; To/To* still tends to (g - 1)(g + 1) / g^2 and rho/rho* to g / (g + 1).
    row("M 1e80 with gamma 100", 100.0, 1e80, "0.9999 0 0 0.9901 40.89866");
    // With gamma a hair above 1 the exponent g / (g - 1) is near 1E+15; the plain power of the rounded
    // base showed Po/Po* 1.30997 and 1.98121 here.
    row("gamma 1 + 1e-15 M 0.5", 1.000000000000001, 0.5, "0.64 0.64 1.6 2.5 1.09966");
    row("gamma 1 + 1e-15 M 2", 1.000000000000001, 2.0, "0.64 0.64 0.4 0.625 1.79268");
    row("M 0", 1.4, 0.0, "", " M must be greater then zero");
    row("M negative", 1.4, -2.0, "", " M must be greater then zero");
    row("gamma 1 before M", 1.0, 0.0, "", "Gamma must be greater than 1");
    row("gamma infinite", inf, 2.0, "", "Gamma must be greater than 1");
    row("M squared overflows", 1.4, 1e155, "", tooLarge);
    row("Po/Po* overflows", 1.4, 1e50, "", tooLarge);
    row("M squared underflows", 1.4, 1e-170, "", tooLarge);
}

void TestRayleighCalc::ratiosFromM()
{
    QFETCH(double, gama);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QFETCH(QString, message);
    const auto result = rayleigh::fromM(gama, value);
    QCOMPARE(result.ok() ? QString() : QString::fromStdString(result.refusal().render()), message);
    if (result.ok()) {
        const rayleigh::Ratios& r = result.value();
        QCOMPARE(
            QStringList({ shown(r.ToToStar), shown(r.TTstar), shown(r.PPstar), shown(r.RoRoStar), shown(r.PoPoStar) })
                .join(' '),
            expected);
    }
}

// expected: the subsonic and the supersonic root as shown ("-" when absent); message: the notice or
// the refusal.
void TestRayleighCalc::machNumbersFromToToStar_data()
{
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("message");
    row("To/To* 1 is the double root", 1.4, 1.0, "1 1");
    row("To/To* 0.8", 1.4, 0.8, "0.58305 1.96738");
    row("To/To* 0.69136", 1.4, 0.69136, "0.5 2.64573");
    row("To/To* 0.5", 1.4, 0.5, "0.38365 13.03276");
    row("To/To* 0.99999 two roots", 1.4, 0.99999, "0.99621 1.0038");
    // The true roots would show 0.99999 and 1.00001; a discriminant below 1e-10 is taken as 0.
    row("To/To* 1 - 5e-11", 1.4, 1.0 - 5e-11, "1 1");
    row("To/To* 0.4898", 1.4, 0.4898, "0.37797 654.65247");
    row("gamma 1.67 To/To* 0.8", 1.67, 0.8, "0.56254 2.39097");
    row("To/To* 0.3", 1.4, 0.3, "0.27427 -", none);
    row("To/To* 0", 1.4, 0.0, "0 -", none);
    row("To/To* negative zero", 1.4, -0.0, "0 -", none);
    row("gamma 1.67 To/To* 0.6", 1.67, 0.6, "0.42279 -",
        "There is no supersonic solution for To/To* at or below 0.641435691491269");
    // Msup lies beyond 200000, where the rounding of a leaves its digits wrong.
    row("To/To* 0.4897959184", 1.4, 0.4897959184, "0.37796 -", inaccurate);
    // a is about 1e-15: sqrt((b - s) / a) would show the subsonic root as 0.343.
    row("To/To* next to the lowest", 1.4, 0.489795918367348, "0.37796 -", inaccurate);
    // a is rounding residue for an enormous gamma: the computed Msup would show 0.99999.
    row("gamma 1e6 To/To* 1", 1e6, 1.0, "1 -", inaccurate);
    // For an enormous gamma 1 - R g / (g + 1) lost its digits and a is rounding residue: these showed
    // M 1.0004, a refusal, and both Mach numbers 0.
    const QString noneAtOrBelow1 = "There is no supersonic solution for To/To* at or below 1";
    row("gamma 1e15 To/To* 1", 1e15, 1.0, "1 -", noneAtOrBelow1);
    row("gamma 1e16 To/To* 1", 1e16, 1.0, "1 -", noneAtOrBelow1);
    row("gamma 1e30 To/To* 1", 1e30, 1.0, "1 -", inaccurate);
    row("To/To* 1.0001", 1.4, 1.0001, "", "To/To* must be equal 1 or lower then 1");
    row("To/To* negative", 1.4, -1e-300, "", "To/To* must not be negative");
    row("gamma 1 before To/To*", 1.0, 2.0, "", "Gamma must be greater than 1");
    row("gamma squared overflows", 1e200, 0.5, "", tooLarge);
}

void TestRayleighCalc::machNumbersFromToToStar()
{
    QFETCH(double, gama);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QFETCH(QString, message);
    const auto result = rayleigh::fromToToStar(gama, value);
    if (!result.ok()) {
        QCOMPARE(QString::fromStdString(result.refusal().render()), message);
        QVERIFY(expected.isEmpty());
        return;
    }
    const rayleigh::MachNumbers& m = result.value();
    QCOMPARE(shown(m.M) + ' ' + (m.Msup ? shown(*m.Msup) : QString("-")), expected);
    QCOMPARE(m.notice ? QString::fromStdString(m.notice->render()) : QString(), message);
}

// Every root, put back into the ratios from M, gives the To/To* it came from (relative 1e-9), for
// To/To* from 1 down to 0.005 and four gammas.
void TestRayleighCalc::rootsGiveBackTheirToToStar()
{
    for (double gama : { 1.1, 1.4, 1.67, 3.0 }) {
        for (int i = 0; i < 200; ++i) {
            const double R = 1.0 - i * 0.005;
            const auto roots = rayleigh::fromToToStar(gama, R).value();
            QVERIFY(roots.M <= 1.0 && std::fabs(rayleigh::fromM(gama, roots.M).value().ToToStar / R - 1.0) < 1e-9);
            QCOMPARE(roots.Msup.has_value(), R > rayleigh::lowestToToStarForSupersonic(gama));
            if (roots.Msup) {
                const double back = rayleigh::fromM(gama, *roots.Msup).value().ToToStar;
                QVERIFY(*roots.Msup >= 1.0 && std::fabs(back / R - 1.0) < 1e-9);
            }
        }
    }
}

QTEST_MAIN(TestRayleighCalc)
#include "tst_rayleigh_calc.moc"
