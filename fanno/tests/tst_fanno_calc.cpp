#include "fanno_calc.h"
#include "number.h"

#include <QtTest>

#include <cmath>

Q_DECLARE_METATYPE(fanno::Stop)

namespace {

QString shown(double value)
{
    return QString::fromStdString(common::writeNumber(value, 4));
}

QString text(const common::Message& message)
{
    return QString::fromStdString(message.render());
}

// Relative tolerance for raw doubles.
bool near(double actual, double expected, double tolerance = 1e-12)
{
    return std::fabs(actual - expected) <= tolerance * std::fabs(expected);
}

} // namespace

class TestFannoCalc : public QObject {
    Q_OBJECT

private slots:
    void steppingSearchStopsWhereItsExactStepsLead_data();
    void steppingSearchStopsWhereItsExactStepsLead();
    void bracketedRootsMeetTheTarget_data();
    void bracketedRootsMeetTheTarget();
    void frictionParameterGivesBothMachNumbers_data();
    void frictionParameterGivesBothMachNumbers();
    void frictionParameterAtTheLargestSupersonicValueHasNoSupersonicSolution();
    void refusalsComeInTheirOrder_data();
    void refusalsComeInTheirOrder();
    void stagnationPressureRatioKeepsItsDigitsForAnyGamma_data();
    void stagnationPressureRatioKeepsItsDigitsForAnyGamma();
};

void TestFannoCalc::steppingSearchStopsWhereItsExactStepsLead_data()
{
    QTest::addColumn<double>("target");
    QTest::addColumn<double>("delM");
    QTest::addColumn<int>("yon");
    QTest::addColumn<double>("M"); // exact: every iterate is a sum of binary fractions
    QTest::addColumn<int>("passes");
    QTest::addColumn<fanno::Stop>("stop");

    // gamma 1.4 throughout.
    QTest::newRow("0.5 subsonic") << 0.5 << 0.5 << -1 << 0.59771728515625 << 20 << fanno::Stop::WithinTolerance;
    QTest::newRow("0.5 supersonic, first iterate within tolerance, not the root 2.86028")
        << 0.5 << 1.0 << +1 << 2.8603515625 << 18 << fanno::Stop::WithinTolerance;
    QTest::newRow("0 subsonic, second iterate") << 0.0 << 0.5 << -1 << 1.0 << 2 << fanno::Stop::WithinTolerance;
    QTest::newRow("0 supersonic, third iterate") << 0.0 << 1.0 << +1 << 1.0 << 3 << fanno::Stop::WithinTolerance;
    QTest::newRow("the start 2 itself") << 0.305 << 1.0 << +1 << 2.0 << 1 << fanno::Stop::WithinTolerance;
    QTest::newRow("0.8 subsonic") << 0.8 << 0.5 << -1 << 0.537811279296875 << 25 << fanno::Stop::WithinTolerance;
    QTest::newRow("0.8 supersonic gives up climbing at 6") << 0.8 << 1.0 << +1 << 6.0 << 5 << fanno::Stop::AboveMach5;
    QTest::newRow("0.7 supersonic gives up after reversing at 6")
        << 0.7 << 1.0 << +1 << 5.5 << 6 << fanno::Stop::AboveMach5;
    QTest::newRow("8.4 subsonic just reaches below 0.25")
        << 8.4 << 0.5 << -1 << 0.2509918212890625 << 21 << fanno::Stop::WithinTolerance;
    QTest::newRow("9 subsonic would step to Mach 0") << 9.0 << 0.5 << -1 << 0.25 << 2 << fanno::Stop::AtMachZero;
    QTest::newRow("negative subsonic climbs past 5") << -0.1 << 0.5 << -1 << 5.5 << 11 << fanno::Stop::AboveMach5;
}

void TestFannoCalc::steppingSearchStopsWhereItsExactStepsLead()
{
    QFETCH(double, target);
    QFETCH(double, delM);
    QFETCH(int, yon);
    QFETCH(double, M);
    QFETCH(int, passes);
    QFETCH(fanno::Stop, stop);

    const fanno::Stepping s = fanno::iter_for_M_for_Given_FLD4(fanno::Sabitler(1.4), delM, yon, target);
    QCOMPARE(s.iteration.value, M);
    QCOMPARE(s.iteration.passes, passes);
    QCOMPARE(s.stop, stop);
    QCOMPARE(s.iteration.converged, stop == fanno::Stop::WithinTolerance);
}

void TestFannoCalc::bracketedRootsMeetTheTarget_data()
{
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("target");
    QTest::addColumn<bool>("supersonic");
    QTest::addColumn<double>("M");
    QTest::addColumn<QString>("shownM");

    QTest::newRow("0.7 supersonic") << 1.4 << 0.7 << true << 5.140484172385186 << "5.1405";
    QTest::newRow("0.8 supersonic") << 1.4 << 0.8 << true << 12.769347587134689 << "12.7693";
    QTest::newRow("0.8215 just below the largest") << 1.4 << 0.8215 << true << 663.33912044717 << "663.3391";
    QTest::newRow("0.5 supersonic, gamma 1.67") << 1.67 << 0.5 << true << 16.633271707687527 << "16.6333";
    QTest::newRow("9 subsonic") << 1.4 << 9.0 << false << 0.24412305175792426 << "0.2441";
    QTest::newRow("100 subsonic") << 1.4 << 100.0 << false << 0.08254335485980846 << "0.0825";
    QTest::newRow("1e300 subsonic") << 1.4 << 1e300 << false << 8.45154254854103e-151 << "0";
}

void TestFannoCalc::bracketedRootsMeetTheTarget()
{
    QFETCH(double, gama);
    QFETCH(double, target);
    QFETCH(bool, supersonic);
    QFETCH(double, M);
    QFETCH(QString, shownM);

    const fanno::Constants c = fanno::Sabitler(gama);
    const common::Iteration root = supersonic ? fanno::supersonicRoot(c, target) : fanno::subsonicRoot(c, target);
    QVERIFY(root.converged);
    QVERIFY(near(root.value, M, 1e-9));
    QCOMPARE(shown(root.value), shownM);
    QVERIFY(near(fanno::FLD4_for_M(c, root.value), target, 1e-6));
}

void TestFannoCalc::frictionParameterGivesBothMachNumbers_data()
{
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("target");
    QTest::addColumn<QString>("Msub");
    QTest::addColumn<bool>("subBracketed");
    QTest::addColumn<QString>("Msup"); // empty: no supersonic solution
    QTest::addColumn<bool>("supBracketed");
    QTest::addColumn<QString>("notice");

    const QString none;
    const QString noSolution = "bu 4L*f/D için süpersonik çözüm yok";
    QTest::newRow("0.5 by stepping") << 1.4 << 0.5 << "0.5977" << false << "2.8604" << false << none;
    QTest::newRow("0.8 supersonic beyond Mach 6") << 1.4 << 0.8 << "0.5378" << false << "12.7693" << true << none;
    QTest::newRow("9 subsonic below Mach 0.25") << 1.4 << 9.0 << "0.2441" << true << none << false << noSolution;
    QTest::newRow("0.5 gamma 1.67") << 1.67 << 0.5 << "0.5685" << false << "16.6333" << true << none;
    QTest::newRow("0.5 gamma 1.3") << 1.3 << 0.5 << "0.6098" << false << "2.4502" << false << none;
}

void TestFannoCalc::frictionParameterGivesBothMachNumbers()
{
    QFETCH(double, gama);
    QFETCH(double, target);
    QFETCH(QString, Msub);
    QFETCH(bool, subBracketed);
    QFETCH(QString, Msup);
    QFETCH(bool, supBracketed);
    QFETCH(QString, notice);

    const auto result = fanno::fromFLD4(gama, target);
    QVERIFY(result.ok());
    const fanno::FromFLD4& flow = result.value();
    QCOMPARE(shown(flow.Msub.M), Msub);
    QCOMPARE(flow.Msub.bracketed.has_value(), subBracketed);
    QCOMPARE(flow.Msup.has_value(), !Msup.isEmpty());
    if (flow.Msup) {
        QCOMPARE(shown(flow.Msup->M), Msup);
        QCOMPARE(flow.Msup->bracketed.has_value(), supBracketed);
    }
    QCOMPARE(flow.notice ? text(*flow.notice) : QString(), notice);
}

void TestFannoCalc::frictionParameterAtTheLargestSupersonicValueHasNoSupersonicSolution()
{
    const fanno::Constants c = fanno::Sabitler(1.4);
    const double largest = fanno::largestSupersonicFLD4(c);
    QVERIFY(near(largest, 0.82150811648119));

    const auto at = fanno::fromFLD4(1.4, largest);
    QVERIFY(at.ok());
    QVERIFY(!at.value().Msup);
    QCOMPARE(text(*at.value().notice), QString("bu 4L*f/D için süpersonik çözüm yok"));

    const auto below = fanno::fromFLD4(1.4, 0.82);
    QVERIFY(below.ok());
    QVERIFY(below.value().Msup);
    QVERIFY(!below.value().notice);
    QVERIFY(near(fanno::FLD4_for_M(c, below.value().Msup->M), 0.82, 1e-9));
}

void TestFannoCalc::refusalsComeInTheirOrder_data()
{
    QTest::addColumn<bool>("machInput");
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("message");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("gamma before M") << true << 0.5 << 0.0 << "Gamma must be greater than 1";
    QTest::newRow("M whose square underflows") << true << 1.4 << 1e-200 << "The value is too large to be calculated";
    QTest::newRow("infinite M") << true << 1.4 << inf << "The value is too large to be calculated";
    QTest::newRow("infinite 4fL*/D") << false << 1.4 << inf << "The value is too large to be calculated";
    QTest::newRow("4fL*/D beyond any Mach number")
        << false << 1.4 << 1.7e308 << "The value is too large to be calculated";
}

void TestFannoCalc::refusalsComeInTheirOrder()
{
    QFETCH(bool, machInput);
    QFETCH(double, gama);
    QFETCH(double, value);
    QFETCH(QString, message);

    if (machInput) {
        const auto result = fanno::fromM(gama, value);
        QVERIFY(!result.ok());
        QCOMPARE(text(result.refusal()), message);
    } else {
        const auto result = fanno::fromFLD4(gama, value);
        QVERIFY(!result.ok());
        QCOMPARE(text(result.refusal()), message);
    }
}

void TestFannoCalc::stagnationPressureRatioKeepsItsDigitsForAnyGamma_data()
{
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("M");
    QTest::addColumn<QString>("PoPoStar");

    // Po/Po* is never below 1; as gamma nears 1 it tends to exp((M^2 - 1) / 2) / M.
    QTest::newRow("gamma 1 + 3.7e-14, M just below 1 (showed 0.994)") << 1.0000000000000371 << 0.9999999999 << "1";
    QTest::newRow("the next gamma above 1, M 0.5 (showed 2)") << std::nextafter(1.0, 2.0) << 0.5 << "1.3746";
    QTest::newRow("gamma 1 + 1e-12, M 0.2") << 1.000000000001 << 0.2 << "3.0939";
    QTest::newRow("gamma 1.0000001, M 3") << 1.0000001 << 3.0 << "18.1994";
    QTest::newRow("gamma 1.4, M 2") << 1.4 << 2.0 << "1.6875";
    QTest::newRow("gamma 1.4, M 1") << 1.4 << 1.0 << "1";
    // A large gamma takes the ratio, far below 1, as it is.
    QTest::newRow("gamma 3, M 0.5") << 3.0 << 0.5 << "1.25";
    QTest::newRow("gamma 5, M 0.1") << 5.0 << 0.1 << "4.4526";
    QTest::newRow("gamma 1e300, M 7.69494e-69") << 1e300 << 7.69494e-69 << "1";
}

void TestFannoCalc::stagnationPressureRatioKeepsItsDigitsForAnyGamma()
{
    QFETCH(double, gama);
    QFETCH(double, M);
    QFETCH(QString, PoPoStar);

    const auto result = fanno::fromM(gama, M);
    QVERIFY(result.ok());
    QCOMPARE(shown(result.value().ratios.PoPoStar), PoPoStar);
    QVERIFY(result.value().ratios.PoPoStar >= 1.0);
}

QTEST_APPLESS_MAIN(TestFannoCalc)
#include "tst_fanno_calc.moc"
