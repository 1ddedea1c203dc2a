// The engine's catalogue of flows, quantities and input kinds, and the checks every question passes first.
#include "gasdyn.h"

#include <QTest>

using namespace gasdyn;

Q_DECLARE_METATYPE(gasdyn::Flow)

namespace {

std::vector<Given> givens(Flow flow, std::initializer_list<std::pair<const char*, double>> pairs)
{
    std::vector<Given> out;
    for (const auto& [quantity, value] : pairs)
        out.push_back({ quantityIndex(flow, quantity).value_or(-1), value });
    return out;
}

} // namespace

class TestGasdynCatalog : public QObject {
    Q_OBJECT

private slots:
    void namesReadBack()
    {
        for (Flow flow : flows()) {
            QCOMPARE(flowNamed(name(flow)), flow);
            for (std::size_t i = 0; i < quantities(flow).size(); ++i)
                QCOMPARE(quantityIndex(flow, quantities(flow)[i]), static_cast<int>(i));
            QVERIFY(quantities(flow).size() <= static_cast<std::size_t>(kMaxQuantities));
        }
        QCOMPARE(flowNamed("Isentropic"), std::nullopt);
        QCOMPARE(branchNamed("strong"), Branch::Strong);
        QCOMPARE(branchNamed(""), std::nullopt);
    }

    void pairsAreFoundInEitherOrder()
    {
        const std::array<int, 2> thetaThenM1 { 1, 0 };
        const InputKind* kind = findInputKind(Flow::ObliqueShock, thetaThenM1);
        QVERIFY(kind);
        QCOMPARE(kind->first, 0);
        QCOMPARE(kind->defaultBranch, Branch::Weak);
        const std::array<int, 1> m1Alone { 0 };
        QVERIFY(!findInputKind(Flow::ObliqueShock, m1Alone));
    }

    void usageRefusals_data()
    {
        QTest::addColumn<Flow>("flow");
        QTest::addColumn<double>("gamma");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("branch");
        QTest::addColumn<QString>("message");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("gamma 1") << Flow::Isentropic << 1.0 << "M" << 2.0 << ""
                                 << "gamma must be a number above 1";
        QTest::newRow("gamma nan") << Flow::Isentropic << std::nan("") << "M" << 2.0 << ""
                                   << "gamma must be a number above 1";
        QTest::newRow("value inf") << Flow::Isentropic << 1.4 << "M" << inf << ""
                                   << "M must be a finite number";
        QTest::newRow("output only") << Flow::ObliqueShock << 1.4 << "theta_max" << 20.0 << ""
                                     << "theta_max cannot be the input of oblique-shock; it takes M1 and theta, M1 "
                                        "and beta, M1 and Mn1, theta and beta";
        QTest::newRow("unneeded branch") << Flow::Isentropic << 1.4 << "M" << 2.0 << "sup"
                                         << "M takes no branch";
        QTest::newRow("wrong branch") << Flow::Rayleigh << 1.4 << "T/T*" << 0.9 << "sub"
                                      << "branch sub does not apply to T/T*; it takes low or high";
    }
    void usageRefusals()
    {
        QFETCH(Flow, flow);
        QFETCH(double, gamma);
        QFETCH(QString, quantity);
        QFETCH(double, value);
        QFETCH(QString, branch);
        QFETCH(QString, message);
        const auto inputs = givens(flow, { { quantity.toUtf8().constData(), value } });
        const Outcome outcome = solve(flow, gamma, inputs, branchNamed(branch.toStdString()).value_or(Branch::None));
        QVERIFY(std::holds_alternative<Refusal>(outcome));
        QCOMPARE(std::get<Refusal>(outcome).kind, Refusal::Kind::Usage);
        QCOMPARE(QString::fromStdString(std::get<Refusal>(outcome).message), message);
    }
};

QTEST_APPLESS_MAIN(TestGasdynCatalog)
#include "tst_gasdyn_catalog.moc"
