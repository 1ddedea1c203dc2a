#include "number.h"
#include "oblique_shock_calc.h"

#include <QtTest>

#include <cmath>
#include <limits>

using oblique_shock::Shock;
using oblique_shock::Solution;
using oblique_shock::Stop;

Q_DECLARE_METATYPE(Solution)
Q_DECLARE_METATYPE(Stop)

namespace {

enum Output { Beta, Teta, M1 };

// The two inputs are, by output: Beta (M1, Teta), Teta (M1, Beta), M1 (Teta, Beta).
common::Result<Shock> calculate(Output output, double gama, double first, double second, Solution solution)
{
    switch (output) {
    case Beta:
        return oblique_shock::findBeta(gama, first, second, solution);
    case Teta:
        return oblique_shock::findTeta(gama, first, second);
    case M1:
        return oblique_shock::findM1(gama, first, second);
    }
    return common::Message { "unreachable" };
}

QString shown(double value, int decimals)
{
    return QString::fromStdString(common::writeNumber(value, decimals));
}

// The texts a press shows: the output with its decimals, then Mn1, Mn2, M2, p2/p1 and T2/T1.
QString shownShock(Output output, const Shock& s)
{
    const QString out = output == Beta ? shown(s.BetaD, 2) : output == Teta ? shown(s.TetaD, 2) : shown(s.M1, 3);
    const auto& b = s.behind;
    return QStringList { out, shown(b.Mn1, 3), shown(b.Mn2, 3), shown(b.M2, 3), shown(b.p2p1, 4), shown(b.T2T1, 4) }
        .join(' ');
}

bool near(double actual, double expected, double relative)
{
    return std::fabs(actual - expected) <= relative * std::fabs(expected);
}

} // namespace

class TestObliqueShockCalc : public QObject {
    Q_OBJECT

private slots:
    void resultsShowTheTableDigits_data();
    void resultsShowTheTableDigits();
    void refusalsComeInTheirOrder_data();
    void refusalsComeInTheirOrder();
    void newtonStopsAtItsPass_data();
    void newtonStopsAtItsPass();
    void everyAttainableDeflectionFindsItsOwnShock_data();
    void everyAttainableDeflectionFindsItsOwnShock();
    void theThreeOutputsAgreeWithEachOther();
};

void TestObliqueShockCalc::resultsShowTheTableDigits_data()
{
    QTest::addColumn<int>("output");
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<Solution>("solution");
    QTest::addColumn<QString>("expected");
    const Solution weak = Solution::Weak;
    const Solution strong = Solution::Strong;
    QTest::newRow("beta weak M1 2 teta 10")
        << int(Beta) << 1.4 << 2.0 << 10.0 << weak << "39.31 1.267 0.803 1.641 1.7066 1.1702";
    QTest::newRow("beta strong M1 2 teta 10")
        << int(Beta) << 1.4 << 2.0 << 10.0 << strong << "83.7 1.988 0.579 0.604 4.4438 1.6777";
    QTest::newRow("beta weak M1 3 teta 20")
        << int(Beta) << 1.4 << 3.0 << 20.0 << weak << "37.76 1.837 0.608 1.994 3.7713 1.5596";
    QTest::newRow("beta strong M1 3 teta 20")
        << int(Beta) << 1.4 << 3.0 << 20.0 << strong << "82.15 2.972 0.477 0.539 10.1373 2.646";
    QTest::newRow("beta weak teta 0 is the Mach wave") << int(Beta) << 1.4 << 2.0 << 0.0 << weak << "30 1 1 2 1 1";
    QTest::newRow("beta strong teta 0 is the normal shock")
        << int(Beta) << 1.4 << 2.0 << 0.0 << strong << "90 2 0.577 0.577 4.5 1.6875";
    QTest::newRow("beta weak gamma 1.67")
        << int(Beta) << 1.67 << 2.0 << 10.0 << weak << "40.75 1.305 0.791 1.547 1.881 1.2988";
    QTest::newRow("negative teta mirrors the weak shock")
        << int(Beta) << 1.4 << 2.0 << -10.0 << weak << "39.31 1.267 0.803 1.641 1.7066 1.1702";
    QTest::newRow("negative teta mirrors the strong shock")
        << int(Beta) << 1.4 << 2.0 << -10.0 << strong << "83.7 1.988 0.579 0.604 4.4438 1.6777";
    // Near gamma 1 the relation turns sharply: a Newton step from the Mach angle can overshoot the wave angle of the
    // largest deflection and settle on the strong shock, or swing about without converging.
    QTest::newRow("beta weak gamma 1.05 stays below the largest deflection")
        << int(Beta) << 1.05 << 9.0 << 68.0 << weak << "77.43 8.784 0.19 1.161 79.0213 2.9264";
    QTest::newRow("beta strong gamma 1.05")
        << int(Beta) << 1.05 << 9.0 << 68.0 << strong << "80.84 8.885 0.189 0.852 80.8507 2.9711";
    QTest::newRow("beta weak gamma 1.01 M1 7 teta 68")
        << int(Beta) << 1.01 << 7.0 << 68.0 << weak << "73.11 6.698 0.164 1.845 45.0823 1.2242";
    QTest::newRow("beta weak gamma 1.01 M1 9 teta 73")
        << int(Beta) << 1.01 << 9.0 << 73.0 << weak << "77.67 8.792 0.133 1.638 77.6838 1.3864";
    QTest::newRow("beta strong gamma 1.01 M1 9 teta 73")
        << int(Beta) << 1.01 << 9.0 << 73.0 << strong << "85.55 8.973 0.131 0.605 80.9071 1.4024";
    QTest::newRow("beta weak hypersonic with a deflection below the step test")
        << int(Beta) << 1.4 << 1e8 << 0.001 << weak << "0 2094.395 0.378 108278.908 5117572.4946 852929.7213";
    QTest::newRow("teta M1 2 beta 40") << int(Teta) << 1.4 << 2.0 << 40.0 << weak
                                       << "10.62 1.286 0.793 1.617 1.7615 1.1818";
    QTest::newRow("teta beta 90 is the normal shock")
        << int(Teta) << 1.4 << 2.0 << 90.0 << weak << "0 2 0.577 0.577 4.5 1.6875";
    QTest::newRow("M1 teta 10 beta 40") << int(M1) << 1.4 << 10.0 << 40.0 << weak
                                        << "1.967 1.264 0.805 1.61 1.698 1.1683";
    QTest::newRow("M1 teta 0 beta 30") << int(M1) << 1.4 << 0.0 << 30.0 << weak << "2 1 1 2 1 1";
    QTest::newRow("M1 teta 30 beta 40") << int(M1) << 1.4 << 30.0 << 40.0 << weak
                                        << "6.811 4.378 0.426 2.453 22.1978 4.6646";
    QTest::newRow("M1 beta 90 is accepted") << int(M1) << 1.4 << 0.0 << 90.0 << weak << "1 1 1 1 1 1";
    QTest::newRow("M1 just below the limiting deflection")
        << int(M1) << 1.4 << 43.89 << 60.0 << weak << "113.604 98.384 0.378 1.362 11292.565 1883.0664";
}

void TestObliqueShockCalc::resultsShowTheTableDigits()
{
    QFETCH(int, output);
    QFETCH(double, gama);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(Solution, solution);
    QFETCH(QString, expected);
    const auto result = calculate(Output(output), gama, first, second, solution);
    QVERIFY2(result.ok(), result.ok() ? "" : result.refusal().render().c_str());
    QCOMPARE(shownShock(Output(output), result.value()), expected);
}

void TestObliqueShockCalc::refusalsComeInTheirOrder_data()
{
    const double inf = std::numeric_limits<double>::infinity();
    const Solution weak = Solution::Weak;
    const Solution strong = Solution::Strong;
    const QString noConvergence = QString::fromUtf8(" iterasyon 20 adımda yakınsamadı");
    QTest::addColumn<int>("output");
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<Solution>("solution");
    QTest::addColumn<QString>("message");

    QTest::newRow("beta M1 1") << int(Beta) << 1.4 << 1.0 << 10.0 << weak << "M1 must be greater then 1";
    QTest::newRow("beta M1 0") << int(Beta) << 1.4 << 0.0 << 0.0 << weak << "M1 must be greater then 1";
    QTest::newRow("beta M1 before teta") << int(Beta) << 1.4 << 1.0 << 170.0 << weak << "M1 must be greater then 1";
    QTest::newRow("beta teta 90") << int(Beta) << 1.4 << 2.0 << 90.0 << weak << "Teta must be less then 90 degrees";
    QTest::newRow("beta teta 170") << int(Beta) << 1.4 << 2.0 << 170.0 << weak << "Teta must be less then 90 degrees";
    QTest::newRow("beta teta -90") << int(Beta) << 1.4 << 2.0 << -90.0 << weak << "Teta must be less then 90 degrees";
    QTest::newRow("beta weak above the largest deflection") << int(Beta) << 1.4 << 2.0 << 25.0 << weak << noConvergence;
    QTest::newRow("beta strong above the largest deflection")
        << int(Beta) << 1.4 << 2.0 << 25.0 << strong << noConvergence;
    QTest::newRow("beta settling on a negative wave angle") << int(Beta) << 1.4 << 1.05 << 4.0 << weak << noConvergence;
    QTest::newRow("beta settling beyond 90 degrees") << int(Beta) << 1.4 << 1.05 << 2.0 << strong << noConvergence;
    QTest::newRow("beta M1 whose square overflows")
        << int(Beta) << 1.4 << 1e200 << 10.0 << weak << "The value is too large to be calculated";
    QTest::newRow("beta infinite M1") << int(Beta) << 1.4 << inf << 10.0 << weak
                                      << "The value is too large to be calculated";
    QTest::newRow("beta strong M1 whose slope overflows")
        << int(Beta) << 1.4 << 1e70 << 10.0 << strong << "The value is too large to be calculated";
    QTest::newRow("beta gamma 1") << int(Beta) << 1.0 << 2.0 << 10.0 << weak << "Gamma must be greater than 1";

    QTest::newRow("teta M1 1") << int(Teta) << 1.4 << 1.0 << 40.0 << weak << "M1 must be greater then 1";
    QTest::newRow("teta M1 before beta") << int(Teta) << 1.4 << 0.0 << 95.0 << weak << "M1 must be greater then 1";
    QTest::newRow("teta beta 90.01") << int(Teta) << 1.4 << 2.0 << 90.01 << weak << "Beta must be less then 90 degrees";
    QTest::newRow("teta beta below the Mach angle")
        << int(Teta) << 1.4 << 2.0 << 29.0 << weak << "For this Mach number no solution for given Beta";
    QTest::newRow("teta negative beta") << int(Teta) << 1.4 << 2.0 << -40.0 << weak
                                        << "For this Mach number no solution for given Beta";
    QTest::newRow("teta beta -240 whose sine passes")
        << int(Teta) << 1.4 << 2.0 << -240.0 << weak << "For this Mach number no solution for given Beta";
    QTest::newRow("teta beta -1e300 whose sine passes") << int(Teta) << 1.8345107138851655 << 51.3581 << -1e300 << weak
                                                        << "For this Mach number no solution for given Beta";
    QTest::newRow("teta M1 whose square overflows")
        << int(Teta) << 1.4 << 1e200 << 40.0 << weak << "The value is too large to be calculated";
    QTest::newRow("teta gamma not a number")
        << int(Teta) << std::nan("") << 2.0 << 40.0 << weak << "Gamma must be greater than 1";

    QTest::newRow("M1 negative teta") << int(M1) << 1.4 << -1.0 << 40.0 << weak
                                      << "Teta must be equal or greater then 0 degree";
    QTest::newRow("M1 teta before beta") << int(M1) << 1.4 << -1.0 << 100.0 << weak
                                         << "Teta must be equal or greater then 0 degree";
    QTest::newRow("M1 teta 90") << int(M1) << 1.4 << 90.0 << 40.0 << weak << "Teta must be less then 90 degrees";
    QTest::newRow("M1 beta 90.01") << int(M1) << 1.4 << 10.0 << 90.01 << weak
                                   << "Beta must be equal or less then 90 degrees";
    QTest::newRow("M1 negative beta") << int(M1) << 1.4 << 10.0 << -40.0 << weak
                                      << "Beta must be equal or greater then 0 degree";
    QTest::newRow("M1 teta above the limit") << int(M1) << 1.4 << 45.0 << 60.0 << weak
                                             << "no solution for M1. Teta must be equal or less then 43.897886248014 "
                                                "degrees";
    QTest::newRow("M1 beta 0 teta 0") << int(M1) << 1.4 << 0.0 << 0.0 << weak
                                      << "no solution for M1. Teta must be equal or less then 0 degrees";
    QTest::newRow("M1 beta 0 teta 10") << int(M1) << 1.4 << 10.0 << 0.0 << weak
                                       << "no solution for M1. Teta must be equal or less then 0 degrees";
    QTest::newRow("M1 beyond the double range")
        << int(M1) << 1.4 << 0.0 << 1e-200 << weak << "The value is too large to be calculated";
    QTest::newRow("M1 gamma below 1 before the bounds")
        << int(M1) << 0.5 << -1.0 << 100.0 << weak << "Gamma must be greater than 1";
}

void TestObliqueShockCalc::refusalsComeInTheirOrder()
{
    QFETCH(int, output);
    QFETCH(double, gama);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(Solution, solution);
    QFETCH(QString, message);
    const auto result = calculate(Output(output), gama, first, second, solution);
    QVERIFY(!result.ok());
    QCOMPARE(QString::fromStdString(result.refusal().render()), message);
}

void TestObliqueShockCalc::newtonStopsAtItsPass_data()
{
    QTest::addColumn<double>("M1");
    QTest::addColumn<double>("TetaD");
    QTest::addColumn<Solution>("solution");
    QTest::addColumn<int>("passes");
    QTest::addColumn<Stop>("stop");
    QTest::addColumn<double>("BetaD"); // relative tolerance 1e-10 (1e-7 for the rounded outside-range angles)
    QTest::newRow("weak M1 2 teta 10") << 2.0 << 10.0 << Solution::Weak << 4 << Stop::Converged << 39.31393184481842;
    QTest::newRow("strong M1 2 teta 10") << 2.0 << 10.0 << Solution::Strong << 4 << Stop::Converged
                                         << 83.70008037574692;
    QTest::newRow("weak M1 3 teta 20") << 3.0 << 20.0 << Solution::Weak << 4 << Stop::Converged << 37.76363414832329;
    QTest::newRow("residual already 0 at the Mach angle")
        << 2.0 << 0.0 << Solution::Weak << 1 << Stop::Converged << 30.000000000000004;
    QTest::newRow("strong teta 0 at 90 degrees") << 2.0 << 0.0 << Solution::Strong << 1 << Stop::Converged << 90.0;
    QTest::newRow("above the largest deflection runs 20 passes")
        << 2.0 << 25.0 << Solution::Weak << 20 << Stop::PassesUsedUp << 3491.4199493747806;
    QTest::newRow("negative root is not a shock")
        << 1.05 << 4.0 << Solution::Weak << 5 << Stop::OutsideRange << -59.631904;
    QTest::newRow("root beyond 90 degrees is not a shock")
        << 1.05 << 2.0 << Solution::Strong << 8 << Stop::OutsideRange << 115.633624;
    QTest::newRow("a step test met below the deflection goes on")
        << 1e8 << 0.001 << Solution::Weak << 2 << Stop::Converged << 0.001200000001120875;
    QTest::newRow("huge M1 overflows the slope") << 1e70 << 10.0 << Solution::Strong << 1 << Stop::NotFinite << 90.0;
}

void TestObliqueShockCalc::newtonStopsAtItsPass()
{
    QFETCH(double, M1);
    QFETCH(double, TetaD);
    QFETCH(Solution, solution);
    QFETCH(int, passes);
    QFETCH(Stop, stop);
    QFETCH(double, BetaD);
    const auto search = oblique_shock::Newton_Raphson(1.4, M1, TetaD, solution);
    QCOMPARE(search.iteration.passes, passes);
    QCOMPARE(search.stop, stop);
    QCOMPARE(search.iteration.converged, stop == Stop::Converged);
    const double degrees = search.iteration.value * 45.0 / std::atan(1.0);
    const double tolerance = stop == Stop::OutsideRange ? 1e-7 : 1e-10;
    QVERIFY2(near(degrees, BetaD, tolerance), qPrintable(QString::number(degrees, 'g', 17)));
}

void TestObliqueShockCalc::everyAttainableDeflectionFindsItsOwnShock_data()
{
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("M1");
    for (double gama : { 1.1, 1.4, 1.67 }) {
        for (double M1 : { 1.2, 1.5, 2.0, 3.0, 5.0, 10.0 })
            QTest::addRow("gamma %g M1 %g", gama, M1) << gama << M1;
    }
}

// From 1% up to 99% of the largest deflection, the weak shock lies below the wave angle of the largest deflection,
// the strong one above it, and each turns the stream through the given deflection within 0.001 degree.
void TestObliqueShockCalc::everyAttainableDeflectionFindsItsOwnShock()
{
    QFETCH(double, gama);
    QFETCH(double, M1);
    double largest = 0.0;
    double atLargest = 90.0;
    for (double BetaD = 90.0; BetaD > 0.0; BetaD -= 0.01) {
        const auto r = oblique_shock::findTeta(gama, M1, BetaD);
        if (!r.ok())
            break;
        if (r.value().TetaD > largest) {
            largest = r.value().TetaD;
            atLargest = BetaD;
        }
    }
    for (int percent = 1; percent <= 99; percent += 2) {
        const double TetaD = largest * percent / 100.0;
        for (Solution solution : { Solution::Weak, Solution::Strong }) {
            const auto r = oblique_shock::findBeta(gama, M1, TetaD, solution);
            const QString where = QString("teta %1 %2").arg(TetaD).arg(solution == Solution::Weak ? "weak" : "strong");
            QVERIFY2(r.ok(), qPrintable(where));
            const double BetaD = r.value().BetaD;
            QVERIFY2(
                solution == Solution::Weak ? BetaD <= atLargest + 0.01 : BetaD >= atLargest - 0.01, qPrintable(where));
            const auto back = oblique_shock::findTeta(gama, M1, BetaD);
            QVERIFY2(back.ok() && std::fabs(back.value().TetaD - TetaD) < 0.001, qPrintable(where));
        }
    }
}

// The wave angle found for M1 and Teta gives back Teta as output, and M1 from the two angles.
void TestObliqueShockCalc::theThreeOutputsAgreeWithEachOther()
{
    const auto beta = oblique_shock::findBeta(1.4, 3.0, 20.0, Solution::Strong);
    QVERIFY(beta.ok());
    const double BetaD = beta.value().BetaD;
    const auto teta = oblique_shock::findTeta(1.4, 3.0, BetaD);
    QVERIFY(teta.ok());
    QVERIFY(std::fabs(teta.value().TetaD - 20.0) < 1e-4);
    const auto m1 = oblique_shock::findM1(1.4, 20.0, BetaD);
    QVERIFY(m1.ok());
    QVERIFY(near(m1.value().M1, 3.0, 1e-5));
    QVERIFY(near(m1.value().behind.p2p1, beta.value().behind.p2p1, 1e-5));
}

QTEST_MAIN(TestObliqueShockCalc)
#include "tst_oblique_shock_calc.moc"
