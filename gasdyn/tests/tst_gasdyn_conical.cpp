// The conical shock: the Taylor-Maccoll flow against 40-digit reference values, the round trip through the cone
// angle, the Mach cone, and every refusal's text.
#include "gasdyn.h"
#include "shock_reference.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace gasdyn;

namespace {

Outcome ask(double gamma, double m1, const char* second, double value)
{
    const std::array<Given, 2> in { Given { 0, m1 },
        Given { quantityIndex(Flow::ConicalShock, second).value(), value } };
    return solve(Flow::ConicalShock, gamma, in);
}

double get(const Outcome& outcome, const char* quantity)
{
    const auto* solution = std::get_if<Solution>(&outcome);
    if (!solution) {
        qWarning("refused: %s", std::get<Refusal>(outcome).message.c_str());
        return std::numeric_limits<double>::quiet_NaN();
    }
    return valueOf(*solution, quantityIndex(Flow::ConicalShock, quantity).value()).value();
}

bool near(double actual, double expected, double tolerance)
{
    return std::abs(actual - expected) <= tolerance * std::abs(expected);
}

#define COMPARE_REL(actual, expected, tolerance)                                                                       \
    QVERIFY2(near(actual, expected, tolerance),                                                                        \
        qPrintable(QString("%1 = %2, expected %3").arg(#actual).arg(actual, 0, 'g', 17).arg(expected, 0, 'g', 17)))

} // namespace

class TestGasdynConical : public QObject {
    Q_OBJECT

    std::vector<shock_reference::Row> rows = shock_reference::read("conical.csv");
    std::vector<shock_reference::Row> thin = shock_reference::read("conical_thin.csv");

private slots:
    void referenceTableIsRead()
    {
        QCOMPARE(rows.size(), std::size_t(16));
        QCOMPARE(thin.size(), std::size_t(7));
    }

    // Waves within 1e-5 of a radian of the Mach wave, whose flow departs from the free stream by a few millionths.
    void thinConesFollowTheReferenceBothWays()
    {
        for (const auto& row : thin) {
            const Outcome fromBeta = ask(row["gamma"], row["M1"], "beta", row["beta"]);
            for (const char* q : { "theta_c", "Mc", "pc/p1", "Tc/T1" })
                COMPARE_REL(get(fromBeta, q), row[q], 1e-8);
            const Outcome fromCone = ask(row["gamma"], row["M1"], "theta_c", row["theta_c"]);
            COMPARE_REL(get(fromCone, "beta"), row["beta"], 1e-13);
            COMPARE_REL(get(fromCone, "Mc"), row["Mc"], 1e-8);
        }
    }

    void waveAngleGivesTheConeFlowToTheReference()
    {
        for (const auto& row : rows) {
            const Outcome out = ask(row["gamma"], row["M1"], "beta", row["beta"]);
            for (const char* q : { "theta_c", "Mc", "M2", "pc/p1", "Tc/T1", "rhoc/rho1", "p02/p01", "theta_c_max" })
                COMPARE_REL(get(out, q), row[q], 1e-8);
            QCOMPARE(std::get<Solution>(out).method.how, "Dormand-Prince");
            QVERIFY(std::get<Solution>(out).method.passes > 0);
        }
    }

    void coneAngleFindsItsWaveAngle()
    {
        for (const auto& row : rows) {
            const Outcome out = ask(row["gamma"], row["M1"], "theta_c", row["theta_c"]);
            COMPARE_REL(get(out, "beta"), row["beta"], 1e-8);
            COMPARE_REL(get(out, "Mc"), row["Mc"], 1e-8);
            QCOMPARE(get(out, "theta_c"), row["theta_c"]);
        }
    }

    void waveAngleRoundTripsThroughTheConeAngle_data()
    {
        QTest::addColumn<double>("gamma");
        QTest::addColumn<double>("m1");
        QTest::newRow("air, M1 1.05") << 1.4 << 1.05;
        QTest::newRow("air, M1 3") << 1.4 << 3.0;
        QTest::newRow("gamma 1.05, M1 8") << 1.05 << 8.0;
        QTest::newRow("gamma 3, M1 40") << 3.0 << 40.0;
    }
    void waveAngleRoundTripsThroughTheConeAngle()
    {
        QFETCH(double, gamma);
        QFETCH(double, m1);
        const double mu = std::asin(1.0 / m1) * 180.0 / 3.141592653589793;
        const Outcome top = ask(gamma, m1, "theta_c", 0.0);
        const double thetaCMax = get(top, "theta_c_max");
        for (double frac : { 0.1, 0.4, 0.7, 0.95 }) {
            const double thetaC = frac * thetaCMax;
            const double beta = get(ask(gamma, m1, "theta_c", thetaC), "beta");
            QVERIFY(beta > mu);
            COMPARE_REL(get(ask(gamma, m1, "beta", beta), "theta_c"), thetaC, 1e-9);
        }
    }

    // Cone angles of 1e-3, 1e-2 and 1e-1 of the largest: the wave angle found gives the cone back to 1e-8, or the
    // cone is refused as too thin (theta_c rises like the square root of beta - mu, so a double beta cannot carry
    // thinner cones to 1e-8); never the Mach angle with Mc 0.
    void thinConeRoundTripsOrIsRefused_data()
    {
        QTest::addColumn<double>("m1");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<bool>("refused");
        for (double m1 : { 1.01, 1.05, 1.2, 2.0, 5.0, 10.0 }) {
            for (double fraction : { 1e-3, 1e-2, 0.1 }) {
                const bool refused = fraction == 1e-3 ? m1 < 10.0 : fraction == 1e-2 && m1 < 2.0;
                QTest::addRow("M1 %g, %g of the largest", m1, fraction) << m1 << fraction << refused;
            }
        }
    }
    void thinConeRoundTripsOrIsRefused()
    {
        QFETCH(double, m1);
        QFETCH(double, fraction);
        QFETCH(bool, refused);
        const double thetaC = fraction * get(ask(1.4, m1, "theta_c", 0.0), "theta_c_max");
        const Outcome out = ask(1.4, m1, "theta_c", thetaC);
        if (refused) {
            QVERIFY(std::holds_alternative<Refusal>(out));
            QCOMPARE(std::get<Refusal>(out).kind, Refusal::Kind::NoSolution);
            QVERIFY(std::get<Refusal>(out).message.find(" is too small to be computed accurately for M1 ")
                != std::string::npos);
            return;
        }
        const double beta = get(out, "beta");
        QVERIFY(beta > std::asin(1.0 / m1) * 180.0 / 3.141592653589793);
        QVERIFY(get(out, "Mc") > 0.0 && get(out, "Mc") < m1);
        COMPARE_REL(get(ask(1.4, m1, "beta", beta), "theta_c"), thetaC, 1e-8);
    }

    void zeroConeIsTheMachCone()
    {
        const Outcome out = ask(1.4, 2.0, "theta_c", 0.0);
        QCOMPARE(get(out, "beta"), 30.0); // the Mach angle of Mach 2, exactly
        QCOMPARE(get(out, "Mc"), 2.0);
        for (const char* q : { "pc/p1", "Tc/T1", "rhoc/rho1", "p02/p01" })
            QCOMPARE(get(out, q), 1.0);
    }

    void refusalsNameTheBrokenBound_data()
    {
        QTest::addColumn<double>("m1");
        QTest::addColumn<QString>("second");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("sonic stream") << 1.0 << "theta_c" << 10.0 << "M1 must be above 1";
        QTest::newRow("negative cone") << 2.0 << "theta_c" << -1.0 << "theta_c must be 0 or more";
        QTest::newRow("detached")
            << 2.0 << "theta_c" << 45.0
            << "theta_c 45 is above the largest cone angle 40.6885 degrees for M1 2 (detached shock)";
        QTest::newRow("below the Mach angle")
            << 2.0 << "beta" << 29.0
            << "beta 29 is not between the Mach angle 30 degrees and the wave angle of the largest cone angle 69.4166 "
               "degrees for M1 2";
        QTest::newRow("cone too thin for a double wave angle")
            << 2.0 << "theta_c" << 0.0407
            << "theta_c 0.0407 is too small to be computed accurately for M1 2 (at least 0.258887 degrees)";
        QTest::newRow("cone far too thin") << 1.2 << "theta_c" << 1e-300
                                           << "theta_c 1e-300 is too small to be computed accurately for M1 1.2 (at "
                                              "least 0.271243 degrees)";
        QTest::newRow("wave too close to the Mach wave")
            << 2.0 << "beta" << 30.0000001
            << "beta 30 is 1e-07 degrees above the Mach angle 30 degrees for M1 2, too close to be computed "
               "accurately (at least 6.36111e-07 degrees)";
        QTest::newRow("above the largest cone")
            << 2.0 << "beta" << 80.0
            << "beta 80 is not between the Mach angle 30 degrees and the wave angle of the largest cone angle 69.4166 "
               "degrees for M1 2";
    }
    void refusalsNameTheBrokenBound()
    {
        QFETCH(double, m1);
        QFETCH(QString, second);
        QFETCH(double, value);
        QFETCH(QString, message);
        const std::string name = second.toStdString();
        const Outcome out = ask(1.4, m1, name.c_str(), value);
        QVERIFY(std::holds_alternative<Refusal>(out));
        QCOMPARE(QString::fromStdString(std::get<Refusal>(out).message), message);
        QCOMPARE(std::get<Refusal>(out).kind, Refusal::Kind::NoSolution);
    }
};

QTEST_APPLESS_MAIN(TestGasdynConical)
#include "tst_gasdyn_conical.moc"
