#include "normal_shock_calc.h"
#include "number.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

QString shown(double value)
{
    return QString::fromStdString(common::writeNumber(value, 5));
}

} // namespace

class TestNormalShockCalc : public QObject {
    Q_OBJECT

private slots:
    void pitotInversionTakesItsKnownPasses_data();
    void pitotInversionTakesItsKnownPasses();
    void pitotInversionRecoversM1AcrossGammas_data();
    void pitotInversionRecoversM1AcrossGammas();
    void lowestPitotRatioOfTheGammaIsTakenAndBelowItRefused();
    void iterationOutOfPassesGivesTheTurkishNoticeAndGoesOn();
    void overflowInsideTheRatiosIsRefused();
    void gammaNearTheDoubleLimitKeepsItsBoundAndRatios();
};

void TestNormalShockCalc::pitotInversionTakesItsKnownPasses_data()
{
    QTest::addColumn<double>("Po2P1");
    QTest::addColumn<QString>("M1");
    QTest::addColumn<int>("passes");
    QTest::newRow("2.5") << 2.5 << "1.23129" << 11;
    QTest::newRow("5.64044") << 5.64044 << "2" << 8;
    QTest::newRow("100") << 100.0 << "8.7925" << 5;
    QTest::newRow("1000") << 1000.0 << "27.86226" << 4;
    QTest::newRow("1.8929, the lowest") << 1.8929 << "0.99999" << 1;
}

void TestNormalShockCalc::pitotInversionTakesItsKnownPasses()
{
    QFETCH(double, Po2P1);
    QFETCH(QString, M1);
    QFETCH(int, passes);
    const common::Result<normal_shock::Shock> result = normal_shock::fromPo2P1(1.4, Po2P1);
    QVERIFY(result.ok());
    QVERIFY(result.value().iteration.converged);
    QCOMPARE(result.value().iteration.passes, passes);
    QCOMPARE(shown(result.value().M1), M1);
}

void TestNormalShockCalc::pitotInversionRecoversM1AcrossGammas_data()
{
    QTest::addColumn<double>("gama");
    QTest::addColumn<double>("M1");
    for (double gama : { 1.05, 1.2, 1.4, 1.67, 2.0, 3.0 })
        for (double M1 : { 1.5, 2.0, 3.0, 5.0, 20.0 })
            QTest::addRow("g %g M1 %g", gama, M1) << gama << M1;
}

// The pitot ratio of a shock, inverted again, gives its M1 back to the tolerance of the iteration.
void TestNormalShockCalc::pitotInversionRecoversM1AcrossGammas()
{
    QFETCH(double, gama);
    QFETCH(double, M1);
    const common::Result<normal_shock::Shock> forward = normal_shock::fromM1(gama, M1);
    QVERIFY(forward.ok());
    const common::Result<normal_shock::Shock> back = normal_shock::fromPo2P1(gama, forward.value().Po2P1);
    QVERIFY(back.ok());
    QVERIFY(back.value().iteration.converged && !back.value().notice);
    QVERIFY2(std::fabs(back.value().M1 / M1 - 1.0) < 1e-5, qPrintable(QString::number(back.value().M1, 'g', 17)));
}

void TestNormalShockCalc::lowestPitotRatioOfTheGammaIsTakenAndBelowItRefused()
{
    const double lowest = normal_shock::lowestPo2P1(1.67);
    const common::Result<normal_shock::Shock> atLowest = normal_shock::fromPo2P1(1.67, lowest);
    QVERIFY(atLowest.ok());
    QCOMPARE(shown(atLowest.value().M1), QString("0.99993"));
    QVERIFY(!normal_shock::fromPo2P1(1.67, std::nextafter(lowest, 0.0)).ok());
    // With g = 1.4 the fixed bound 1.8929 lies above it and decides alone.
    QVERIFY(normal_shock::lowestPo2P1(1.4) < 1.8929);
}

// With g = 5 and Po2/P1 = 1e45, M1 is near 1.7e22, where doubles are spaced far wider than the 1e-5
// tolerance: the passes run out, the notice names the pass limit, and the last pass is the result.
void TestNormalShockCalc::iterationOutOfPassesGivesTheTurkishNoticeAndGoesOn()
{
    const common::Result<normal_shock::Shock> result = normal_shock::fromPo2P1(5.0, 1e45);
    QVERIFY(result.ok());
    const normal_shock::Shock& s = result.value();
    QVERIFY(!s.iteration.converged);
    QCOMPARE(s.iteration.passes, 50);
    QVERIFY(s.notice);
    QCOMPARE(QString::fromStdString(s.notice->render()), QString::fromUtf8("iterasyon 50 adımda yakınsamadı"));
    QVERIFY(std::fabs(s.Po2P1 / 1e45 - 1.0) < 1e-12); // relative: the last pass is the root
}

void TestNormalShockCalc::overflowInsideTheRatiosIsRefused()
{
    // Finite squares, but with M1 = 1e50 Po1/P1 overflows (Po2/Po1 would show 0 where it should not for a
    // large gamma), and with g = 1e6 the denominator g M1^2 overflows (M2 would show 0).
    for (const common::Result<normal_shock::Shock>& r : { normal_shock::fromM1(1.4, 1e50),
             normal_shock::fromM1(1e6, 1.4e151), normal_shock::fromPo2P1(1.4, std::numeric_limits<double>::max()) }) {
        QVERIFY(!r.ok());
        QCOMPARE(r.refusal().render(), std::string("The value is too large to be calculated"));
    }
}

// With g beyond half the largest double, 2 g overflows: the smallest M2 must not read 0, the pressure
// jump of a finite M1 must not come out infinite, and the iteration must not stop at once on M1 = 1.
void TestNormalShockCalc::gammaNearTheDoubleLimitKeepsItsBoundAndRatios()
{
    const common::Result<normal_shock::Shock> belowSmallest = normal_shock::fromM2(1e308, 0.5);
    QVERIFY(!belowSmallest.ok());
    QCOMPARE(belowSmallest.refusal().render(), std::string("M2 must be greater than 0.707106781186548 for this gamma"));

    const common::Result<normal_shock::Shock> jump = normal_shock::fromM1(1e308, 1.2);
    QVERIFY(jump.ok());
    QCOMPARE(shown(jump.value().M2), QString("0.87519"));
    QCOMPARE(shown(jump.value().P2P1), QString("1.88"));

    const double pitot = normal_shock::lowestPo2P1(1e308) * 1.1;
    const common::Iteration it = normal_shock::iter_for_M1_for_Given_Po2P1(1e308, pitot);
    QVERIFY(it.converged);
    QCOMPARE(it.passes, 12);
    const common::Result<normal_shock::Shock> fromPitot = normal_shock::fromPo2P1(1e308, pitot);
    QVERIFY(fromPitot.ok());
    QCOMPARE(shown(fromPitot.value().M1), QString("1.04875"));
    QVERIFY(std::fabs(fromPitot.value().Po2P1 / pitot - 1.0) < 1e-4);
}

QTEST_MAIN(TestNormalShockCalc)
#include "tst_normal_shock_calc.moc"
