// The nozzle against its back pressure: every regime against the 50-digit reference of nozzle.py, the
// textbook values, the regime boundaries for several gammas, and the refusals.
#include "gasdyn.h"
#include "shock_reference.h"

#include <QTest>

#include <cmath>

using gasdyn::Flow;

namespace {

gasdyn::Outcome nozzle(double gamma, double areaRatio, double backPressure)
{
    const std::array<gasdyn::Given, 2> givens { gasdyn::Given { 0, areaRatio }, gasdyn::Given { 1, backPressure } };
    return gasdyn::solve(Flow::Nozzle, gamma, givens);
}

std::optional<double> value(const gasdyn::Solution& solution, const char* name)
{
    return gasdyn::valueOf(solution, *gasdyn::quantityIndex(Flow::Nozzle, name));
}

std::string regime(const gasdyn::Solution& solution)
{
    return std::string(*gasdyn::categoryWord(Flow::Nozzle, 2, *value(solution, "regime")));
}

bool near(double got, double want, double tolerance)
{
    return std::abs(got - want) <= tolerance * std::abs(want);
}

} // namespace

class NozzleTest : public QObject {
    Q_OBJECT

private slots:
    void matchesTheReference()
    {
        const auto rows = shock_reference::read("nozzle.tsv", '\t');
        QVERIFY(rows.size() >= 150);
        for (const auto& row : rows) {
            const auto outcome = nozzle(row["gamma"], row["Ae/At"], row["pb/p0"]);
            const auto* solution = std::get_if<gasdyn::Solution>(&outcome);
            QVERIFY2(solution, row.text.at("pb/p0").c_str());
            QCOMPARE(regime(*solution), row.text.at("regime"));
            for (const char* name : { "Mt", "Me", "pe/p0", "p0e/p0", "As/At", "Ms1", "Ms2" }) {
                // Trailing empty cells (the quantities a regime has not) are not read into the row.
                const auto cell = row.text.find(name);
                const std::string want = cell == row.text.end() ? std::string() : cell->second;
                const auto got = value(*solution, name);
                QCOMPARE(got.has_value(), !want.empty());
                if (got && !near(*got, std::stod(want), 1e-9) && std::abs(*got - std::stod(want)) > 1e-14)
                    QFAIL(qPrintable(QString("gamma %1 Ae/At %2 pb/p0 %3: %4 is %5, not %6")
                                         .arg(row["gamma"])
                                         .arg(row["Ae/At"])
                                         .arg(row["pb/p0"])
                                         .arg(name)
                                         .arg(*got, 0, 'g', 17)
                                         .arg(QString::fromStdString(want))));
            }
        }
    }

    void textbookValues_data()
    {
        QTest::addColumn<double>("areaRatio");
        QTest::addColumn<double>("backPressure");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<double>("expected");
        QTest::newRow("Ae/At 2 subsonic limit") << 2.0 << 0.95 << "pb/p0_sub" << 0.9371625;
        QTest::newRow("Ae/At 2 exit shock") << 2.0 << 0.95 << "pb/p0_exit_shock" << 0.5134007;
        QTest::newRow("Ae/At 2 design") << 2.0 << 0.95 << "pb/p0_design" << 0.0939326;
        QTest::newRow("Ae/At 2 pb 0.95 Me") << 2.0 << 0.95 << "Me" << 0.2716905;
        QTest::newRow("Ae/At 2 pb 0.95 Mt") << 2.0 << 0.95 << "Mt" << 0.6760305;
        QTest::newRow("Ae/At 1.6 pb 0.9 Mt") << 1.6 << 0.9 << "Mt" << 0.8809763;
        QTest::newRow("Ae/At 16 pb 0.1 Ms1") << 16.0 << 0.1 << "Ms1" << 4.286437;
        QTest::newRow("Ae/At 16 pb 0.1 Ms2") << 16.0 << 0.1 << "Ms2" << 0.427968;
        QTest::newRow("Ae/At 16 pb 0.1 Me") << 16.0 << 0.1 << "Me" << 0.357162;
        QTest::newRow("Ae/At 3 pb 0.584613 shock at 2") << 3.0 << 0.584613 << "As/At" << 2.0;
        QTest::newRow("choked mass flow") << 2.0 << 0.3 << "mdot_param" << 0.6847314;
    }
    void textbookValues()
    {
        QFETCH(double, areaRatio);
        QFETCH(double, backPressure);
        QFETCH(QString, quantity);
        QFETCH(double, expected);
        const auto outcome = nozzle(1.4, areaRatio, backPressure);
        const auto got = value(std::get<gasdyn::Solution>(outcome), qPrintable(quantity));
        QVERIFY(got);
        QVERIFY2(near(*got, expected, 2e-6), qPrintable(QString::number(*got, 'g', 17)));
    }

    // Just above and below each critical back pressure the regime changes, for several gammas and both a
    // converging and a diverging nozzle.
    void regimeBoundaries_data()
    {
        QTest::addColumn<double>("gamma");
        QTest::addColumn<double>("areaRatio");
        for (const double gamma : { 1.1, 1.3, 1.4, 1.67 })
            for (const double areaRatio : { 1.5, 4.0 })
                QTest::addRow("gamma %g Ae/At %g", gamma, areaRatio) << gamma << areaRatio;
    }
    void regimeBoundaries()
    {
        QFETCH(double, gamma);
        QFETCH(double, areaRatio);
        const auto limits = std::get<gasdyn::Solution>(nozzle(gamma, areaRatio, 0.5));
        const double sub = *value(limits, "pb/p0_sub");
        const double exitShock = *value(limits, "pb/p0_exit_shock");
        const double design = *value(limits, "pb/p0_design");
        QVERIFY(sub > exitShock && exitShock > design);
        const auto at = [&](double pb) { return regime(std::get<gasdyn::Solution>(nozzle(gamma, areaRatio, pb))); };
        QCOMPARE(at(sub * (1 + 1e-9)), std::string("subsonic"));
        QCOMPARE(at(sub * (1 - 1e-9)), std::string("shock in nozzle"));
        QCOMPARE(at(exitShock * (1 + 1e-9)), std::string("shock in nozzle"));
        QCOMPARE(at(exitShock * (1 - 1e-9)), std::string("overexpanded"));
        QCOMPARE(at(design), std::string("design"));
        QCOMPARE(at(design * (1 - 1e-9)), std::string("underexpanded"));
        // At the subsonic limit the throat is just sonic; at the exit-shock limit the shock stands at the exit.
        const auto critical = std::get<gasdyn::Solution>(nozzle(gamma, areaRatio, sub));
        QVERIFY(near(*value(critical, "Mt"), 1.0, 1e-6));
        const auto atExit = std::get<gasdyn::Solution>(nozzle(gamma, areaRatio, exitShock * (1 + 1e-12)));
        QVERIFY(near(*value(atExit, "As/At"), areaRatio, 1e-6));
    }

    void refusals_data()
    {
        QTest::addColumn<double>("areaRatio");
        QTest::addColumn<double>("backPressure");
        QTest::addColumn<QString>("message");
        QTest::newRow("area below 1") << 0.99 << 0.5 << "Ae/At must be 1 or more";
        QTest::newRow("back pressure 0") << 2.0 << 0.0 << "pb/p0 must be above 0 and at most 1";
        QTest::newRow("back pressure above 1") << 2.0 << 1.01 << "pb/p0 must be above 0 and at most 1";
        QTest::newRow("negative back pressure") << 2.0 << -0.5 << "pb/p0 must be above 0 and at most 1";
    }
    void refusals()
    {
        QFETCH(double, areaRatio);
        QFETCH(double, backPressure);
        QFETCH(QString, message);
        const auto outcome = nozzle(1.4, areaRatio, backPressure);
        QVERIFY(std::holds_alternative<gasdyn::Refusal>(outcome));
        QCOMPARE(QString::fromStdString(std::get<gasdyn::Refusal>(outcome).message), message);
    }
};

QTEST_APPLESS_MAIN(NozzleTest)
#include "tst_gasdyn_nozzle.moc"
