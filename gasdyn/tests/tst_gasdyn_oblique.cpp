// The oblique shock: its relations and inversions against 40-digit reference values, round trips over both
// branches, the limits that bound them, and every refusal's text.
#include "gasdyn.h"
#include "shock_reference.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace gasdyn;

namespace {

constexpr double kEps = std::numeric_limits<double>::epsilon();
constexpr double kDegrees = 180.0 / 3.141592653589793238462643;

Outcome ask(double gamma, std::initializer_list<std::pair<const char*, double>> pairs, Branch branch = Branch::None)
{
    std::vector<Given> in;
    for (const auto& [quantity, value] : pairs)
        in.push_back({ quantityIndex(Flow::ObliqueShock, quantity).value(), value });
    return solve(Flow::ObliqueShock, gamma, in, branch);
}

double get(const Outcome& outcome, const char* quantity)
{
    const auto* solution = std::get_if<Solution>(&outcome);
    if (!solution) {
        qWarning("refused: %s", std::get<Refusal>(outcome).message.c_str());
        return std::numeric_limits<double>::quiet_NaN();
    }
    return valueOf(*solution, quantityIndex(Flow::ObliqueShock, quantity).value()).value();
}

bool near(double actual, double expected, double tolerance)
{
    return std::abs(actual - expected) <= tolerance * std::abs(expected);
}

#define COMPARE_REL(actual, expected, tolerance)                                                                       \
    QVERIFY2(near(actual, expected, tolerance),                                                                        \
        qPrintable(QString("%1 = %2, expected %3 (tolerance %4)")                                                      \
                       .arg(#actual)                                                                                   \
                       .arg(actual, 0, 'g', 17)                                                                        \
                       .arg(expected, 0, 'g', 17)                                                                      \
                       .arg(tolerance)))

// The relative error that rounding the wave angle to a double makes in the deflection, or the deflection in the wave
// angle: eps times the condition number |beta theta'(beta) / theta|.
double conditioned(double theta, double beta, double slope)
{
    return std::max(1e-12, 8.0 * kEps * std::abs(beta / kDegrees * slope / (theta / kDegrees)));
}

} // namespace

class TestGasdynOblique : public QObject {
    Q_OBJECT

    std::vector<shock_reference::Row> rows = shock_reference::read("oblique.csv");

private slots:
    void referenceTableIsRead() { QCOMPARE(rows.size(), std::size_t(324)); }

    void waveAngleGivesEveryQuantityToTheReference()
    {
        for (const auto& row : rows) {
            const Outcome out = ask(row["gamma"], { { "M1", row["M1"] }, { "beta", row["beta"] } });
            const double tol = conditioned(row["theta"], row["beta"], row["dtheta/dbeta"]);
            COMPARE_REL(get(out, "theta"), row["theta"], tol);
            for (const char* q : { "Mn1", "Mn2", "M2", "p2/p1", "rho2/rho1", "T2/T1", "p02/p01", "theta_max" })
                COMPARE_REL(get(out, q), row[q], 1e-12);
            QCOMPARE(std::get<Solution>(out).method.how, "closed form");
        }
    }

    void detachmentAndSonicAnglesMatchTheReference()
    {
        for (const auto& row : rows) {
            const auto limit = oblique::detachment(row["gamma"], row["M1"]);
            COMPARE_REL(limit.theta, row["theta_max"], 1e-12);
            COMPARE_REL(limit.beta, row["beta_max"], 1e-12);
            COMPARE_REL(oblique::sonicBeta(row["gamma"], row["M1"]), row["beta_sonic"], 1e-12);
            QVERIFY(oblique::sonicBeta(row["gamma"], row["M1"]) < limit.beta);
        }
    }

    void deflectionFindsTheWaveAngleOfItsBranch()
    {
        for (const auto& row : rows) {
            const Branch branch = row.text.at("branch") == "weak" ? Branch::Weak : Branch::Strong;
            const Outcome out = ask(row["gamma"], { { "M1", row["M1"] }, { "theta", row["theta_in"] } }, branch);
            // The inversion's condition number is the inverse of the relation's.
            const double slope = row["dtheta/dbeta"];
            const double tol
                = std::max(1e-12, 8.0 * kEps * std::abs((row["theta"] / kDegrees) / (row["beta"] / kDegrees * slope)));
            COMPARE_REL(get(out, "beta"), row["beta_of_theta_in"], tol);
            QCOMPARE(std::get<Solution>(out).branch, branch);
            QCOMPARE(std::get<Solution>(out).method.how, "TOMS 748");
            QVERIFY(std::get<Solution>(out).method.passes > 0);
        }
    }

    void deflectionAndWaveAngleGiveTheMachNumber()
    {
        for (const auto& row : rows) {
            const Outcome out = ask(row["gamma"], { { "theta", row["theta_in"] }, { "beta", row["beta"] } });
            // theta(M1) at fixed beta: its condition number sets how far rounding carries.
            const double m1 = row["M1_of_theta_in"];
            const double h = 1e-6 * m1;
            const double dThetaDM = (oblique::deflection(row["gamma"], m1 + h, row["beta"])
                                        - oblique::deflection(row["gamma"], m1 - h, row["beta"]))
                / (2.0 * h);
            const double tol = std::max(1e-12,
                16.0 * kEps * (std::abs(row["theta_in"]) + std::abs(row["beta"] * row["dtheta/dbeta"]))
                    / std::abs(m1 * dThetaDM));
            COMPARE_REL(get(out, "M1"), m1, tol);
        }
    }

    void roundTripsOverBothBranches_data()
    {
        QTest::addColumn<double>("gamma");
        QTest::newRow("gamma 1.05") << 1.05;
        QTest::newRow("gamma 1.3") << 1.3;
        QTest::newRow("gamma 1.4") << 1.4;
        QTest::newRow("gamma 3") << 3.0;
    }
    void roundTripsOverBothBranches()
    {
        QFETCH(double, gamma);
        for (double m1 : { 1.001, 1.3, 2.0, 4.5, 12.0, 150.0, 9999.0 }) {
            const double mu = std::asin(1.0 / m1) * kDegrees;
            const auto limit = oblique::detachment(gamma, m1);
            for (double frac = 0.02; frac < 1.0; frac += 0.07) {
                const double beta = mu + frac * (90.0 - mu);
                const double theta = oblique::deflection(gamma, m1, beta);
                const Branch branch = beta < limit.beta ? Branch::Weak : Branch::Strong;
                const double h = 1e-7 * beta;
                const double slope
                    = (oblique::deflection(gamma, m1, beta + h) - oblique::deflection(gamma, m1, beta - h)) / (2.0 * h)
                    * kDegrees;
                const double tol
                    = std::max(4e-12, 16.0 * kEps * std::abs((theta / kDegrees) / (beta / kDegrees * slope)));
                COMPARE_REL(get(ask(gamma, { { "M1", m1 }, { "theta", theta } }, branch), "beta"), beta, tol);
                const double back = get(ask(gamma, { { "theta", theta }, { "beta", beta } }), "M1");
                QVERIFY2(std::isfinite(back) && back > 1.0, qPrintable(QString::number(back)));
            }
        }
    }

    void zeroDeflectionIsAMachWaveOrANormalShock()
    {
        const Outcome weak = ask(1.4, { { "M1", 2.0 }, { "theta", 0.0 } }, Branch::Weak);
        QCOMPARE(get(weak, "beta"), 30.0);
        for (const char* q : { "Mn1", "Mn2", "p2/p1", "rho2/rho1", "T2/T1", "p02/p01" })
            QCOMPARE(get(weak, q), 1.0);
        QCOMPARE(get(weak, "M2"), 2.0);
        const Outcome strong = ask(1.4, { { "M1", 2.0 }, { "theta", 0.0 } }, Branch::Strong);
        QCOMPARE(get(strong, "beta"), 90.0);
        COMPARE_REL(get(strong, "p2/p1"), 4.5, 1e-15);
        COMPARE_REL(get(strong, "M2"), std::sqrt(1.8 / 5.4), 1e-15);
        QCOMPARE(oblique::deflection(1.4, 2.0, 90.0), 0.0);
        QCOMPARE(oblique::deflection(1.4, 2.0, 30.0), 0.0);
    }

    void largestDeflectionIsTheMeetingPoint()
    {
        const auto limit = oblique::detachment(1.4, 2.0);
        QCOMPARE(QString::number(limit.theta, 'g', 6), "22.9735");
        for (Branch branch : { Branch::Weak, Branch::Strong })
            QCOMPARE(get(ask(1.4, { { "M1", 2.0 }, { "theta", limit.theta } }, branch), "beta"), limit.beta);
        QCOMPARE(get(ask(1.4, { { "M1", 2.0 }, { "beta", 40.0 } }), "theta_max"), limit.theta);
    }

    void hypersonicLimitIsFinite()
    {
        const double inf = std::numeric_limits<double>::infinity();
        const auto limit = oblique::detachment(1.4, inf);
        COMPARE_REL(limit.theta, 45.584691402807025, 1e-12); // the hypersonic limit for gamma 1.4
        COMPARE_REL(oblique::sonicBeta(1.4, inf), limit.beta, 1e-15); // they meet in the limit
        QVERIFY(std::isnan(oblique::deflection(1.4, 1.0, 45.0)));
    }

    void refusalsNameTheBrokenBound_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<double>("a");
        QTest::addColumn<QString>("second");
        QTest::addColumn<double>("b");
        QTest::addColumn<QString>("message");
        QTest::newRow("sonic stream") << "M1" << 1.0 << "theta" << 5.0 << "M1 must be above 1";
        QTest::newRow("subsonic stream with beta") << "M1" << 0.5 << "beta" << 50.0 << "M1 must be above 1";
        QTest::newRow("negative deflection") << "M1" << 2.0 << "theta" << -1.0 << "theta must be 0 or more";
        QTest::newRow("detached")
            << "M1" << 2.0 << "theta" << 25.0
            << "theta 25 is above the largest deflection 22.9735 degrees for M1 2 (detached shock)";
        QTest::newRow("below the Mach angle")
            << "M1" << 2.0 << "beta" << 29.0 << "beta 29 is below the Mach angle 30 degrees for M1 2";
        QTest::newRow("negative wave angle")
            << "M1" << 2.0 << "beta" << -10.0 << "beta -10 is below the Mach angle 30 degrees for M1 2";
        QTest::newRow("beyond the normal shock") << "M1" << 2.0 << "beta" << 91.0 << "beta 91 is above 90 degrees";
        QTest::newRow("normal Mach below 1") << "M1" << 2.0 << "Mn1" << 0.9 << "Mn1 must be 1 or more";
        QTest::newRow("normal Mach above M1") << "M1" << 2.0 << "Mn1" << 2.5 << "Mn1 2.5 is above M1 2";
        QTest::newRow("negative deflection with beta")
            << "theta" << -2.0 << "beta" << 40.0 << "theta must be 0 or more";
        QTest::newRow("zero wave angle") << "theta" << 5.0 << "beta" << 0.0 << "beta must be above 0";
        QTest::newRow("wave angle above 90") << "theta" << 5.0 << "beta" << 95.0 << "beta 95 is above 90 degrees";
        QTest::newRow("normal shock of any M1")
            << "theta" << 0.0 << "beta" << 90.0 << "beta 90 with theta 0 is a normal shock of any M1";
        QTest::newRow("deflection beyond the hypersonic limit")
            << "theta" << 38.8 << "beta" << 50.0
            << "theta 38.8 is at or above the largest deflection 38.7658 degrees for beta 50 (reached as M1 tends to "
               "infinity)";
        QTest::newRow("deflection at 90") << "theta" << 1.0 << "beta" << 90.0
                                          << "theta 1 is at or above the largest deflection 0 degrees for beta 90 "
                                             "(reached as M1 tends to infinity)";
        QTest::newRow("overflow") << "M1" << 1e200 << "beta" << 90.0 << "the result is too large to be represented";
    }
    void refusalsNameTheBrokenBound()
    {
        QFETCH(QString, first);
        QFETCH(double, a);
        QFETCH(QString, second);
        QFETCH(double, b);
        QFETCH(QString, message);
        const std::string x = first.toStdString();
        const std::string y = second.toStdString();
        const Outcome out = ask(1.4, { { x.c_str(), a }, { y.c_str(), b } });
        QVERIFY(std::holds_alternative<Refusal>(out));
        QCOMPARE(QString::fromStdString(std::get<Refusal>(out).message), message);
        QCOMPARE(std::get<Refusal>(out).kind, Refusal::Kind::NoSolution);
    }

    void hugeMachNumbersStayFinite()
    {
        for (double m1 : { 1e6, 1e100, 1e150 }) {
            const Outcome out = ask(1.4, { { "M1", m1 }, { "theta", 30.0 } }, Branch::Weak);
            const auto& solution = std::get<Solution>(out);
            for (const auto& value : solution.values)
                QVERIFY(!value || (std::isfinite(*value) && *value >= 0.0));
        }
    }
};

QTEST_APPLESS_MAIN(TestGasdynOblique)
#include "tst_gasdyn_oblique.moc"
