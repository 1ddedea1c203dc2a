// The isentropic, normal-shock, Rayleigh, Fanno and Prandtl-Meyer flows of the engine: every quantity and
// inversion against reference values computed at 50 digits (reference/make_reference.py), round trips, the
// sonic identities, the meeting points of two branches, and the refusals.
#include "gasdyn.h"

#include <QTest>

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

using namespace gasdyn;

Q_DECLARE_METATYPE(gasdyn::Flow)
Q_DECLARE_METATYPE(gasdyn::Branch)

namespace {

constexpr double eps = 0x1p-52;

struct Row {
    Flow flow;
    double gamma, M, M2;
    std::string quantity;
    double value;
    std::optional<double> inverse;
    double kappa;
    Branch branch;
};

std::vector<Row> reference()
{
    std::vector<Row> rows;
    std::ifstream in(GASDYN_REFERENCE);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string flow, gamma, M, M2, quantity, value, inverse, kappa, branch;
        std::getline(fields, flow, '\t');
        for (std::string* field : { &gamma, &M, &M2, &quantity, &value, &inverse, &kappa, &branch })
            std::getline(fields, *field, '\t');
        rows.push_back({ *flowNamed(flow), std::stod(gamma), std::stod(M), std::stod(M2), quantity, std::stod(value),
            inverse == "-" ? std::nullopt : std::optional(std::stod(inverse)), kappa == "-" ? 0.0 : std::stod(kappa),
            branchNamed(branch).value_or(Branch::None) });
    }
    return rows;
}

int index(Flow flow, const std::string& quantity)
{
    return quantityIndex(flow, quantity).value();
}

Solution solved(Flow flow, double gamma, std::vector<Given> inputs, Branch branch = Branch::None)
{
    const Outcome outcome = solve(flow, gamma, inputs, branch);
    if (const auto* refusal = std::get_if<Refusal>(&outcome))
        throw std::runtime_error("refused: " + refusal->message);
    return std::get<Solution>(outcome);
}

double relative(double got, double want)
{
    return want == 0.0 ? std::fabs(got) : std::fabs(got - want) / std::fabs(want);
}

// The Mach-number input of a flow's rows, and the quantity inverted for the first Mach number.
std::vector<Given> state(const Row& row)
{
    if (row.flow == Flow::PrandtlMeyer)
        return { { 0, row.M }, { 1, row.M2 } };
    return { { 0, row.M } };
}

} // namespace

class TestGasdynFlows : public QObject {
    Q_OBJECT

    std::vector<Row> rows = reference();

private slots:
    void matchesReferenceValues_data()
    {
        QTest::addColumn<Flow>("flow");
        for (Flow flow : { Flow::Isentropic, Flow::NormalShock, Flow::Rayleigh, Flow::Fanno, Flow::PrandtlMeyer })
            QTest::newRow(name(flow).data()) << flow;
    }
    // Every quantity from M within 1e-12; every inversion within 1e-12 plus four ulps times the sensitivity
    // kappa of the Mach number to the input's last digit (unavoidable where the quantity is nearly flat).
    void matchesReferenceValues()
    {
        QFETCH(Flow, flow);
        double worstForward = 0.0, worstInverse = 0.0;
        int checked = 0;
        for (const Row& row : rows) {
            if (row.flow != flow)
                continue;
            const bool turning = row.quantity.find('|') != std::string::npos;
            if (!turning) {
                const auto value = valueOf(solved(flow, row.gamma, state(row)), index(flow, row.quantity));
                QVERIFY2(value, row.quantity.c_str());
                const double error = relative(*value, row.value);
                worstForward = std::max(worstForward, error);
                if (error > 1e-12)
                    QFAIL(qPrintable(QString("%1 at gamma %2 M %3: %4, want %5")
                                         .arg(row.quantity.c_str())
                                         .arg(row.gamma)
                                         .arg(row.M, 0, 'g', 17)
                                         .arg(*value, 0, 'g', 17)
                                         .arg(row.value, 0, 'g', 17)));
            }
            if (!row.inverse)
                continue;
            double M = 0.0;
            if (turning) {
                const bool fromM1 = row.quantity == "theta|M1";
                const auto solution
                    = solved(flow, row.gamma, { { fromM1 ? 0 : 1, fromM1 ? row.M : row.M2 }, { 2, row.value } });
                M = *valueOf(solution, fromM1 ? 1 : 0);
            } else {
                M = *valueOf(solved(flow, row.gamma, { { index(flow, row.quantity), row.value } }, row.branch), 0);
            }
            const double error = relative(M, *row.inverse);
            worstInverse = std::max(worstInverse, error / (1e-12 + 4.0 * eps * row.kappa) * 1e-12);
            ++checked;
            if (error > 1e-12 + 4.0 * eps * row.kappa)
                QFAIL(qPrintable(QString("M from %1 %2 at gamma %3: %4, want %5 (kappa %6)")
                                     .arg(row.quantity.c_str())
                                     .arg(row.value, 0, 'g', 17)
                                     .arg(row.gamma)
                                     .arg(M, 0, 'g', 17)
                                     .arg(*row.inverse, 0, 'g', 17)
                                     .arg(row.kappa)));
        }
        qInfo("%s: worst forward error %.3g, worst inversion error %.3g (kappa-scaled), %d inversions",
            name(flow).data(), worstForward, worstInverse, checked);
    }

    // Mach -> quantity -> Mach for every input and branch: the Mach number found gives back the quantity.
    void roundTripsGiveBackTheQuantity()
    {
        for (Flow flow : { Flow::Isentropic, Flow::NormalShock, Flow::Rayleigh, Flow::Fanno }) {
            for (double gamma : { 1.05, 1.2, 1.4, 1.67, 2.5, 3.0 }) {
                for (double M = 1.7e-3; M < 5e3; M *= 1.37) {
                    if (flow == Flow::NormalShock && M < 1.0)
                        continue;
                    const Solution forward = solved(flow, gamma, { { 0, M } });
                    for (const InputKind& kind : inputKinds(flow)) {
                        if (!valueOf(forward, kind.first))
                            continue; // nu and mu below Mach 1
                        const double value = *valueOf(forward, kind.first);
                        Branch branch = Branch::None;
                        if (!kind.branches.empty())
                            branch = kind.branches[0] == Branch::Low
                                ? (M * M * gamma < 1.0 ? Branch::Low : Branch::High)
                                : (M < 1.0 ? Branch::Sub : Branch::Sup);
                        const Outcome back = solve(flow, gamma, std::vector<Given> { { kind.first, value } }, branch);
                        QVERIFY2(std::holds_alternative<Solution>(back),
                            qPrintable(QString("%1 %2").arg(quantities(flow)[kind.first].data()).arg(value)));
                        const Solution& again = std::get<Solution>(back);
                        QVERIFY(relative(*valueOf(again, kind.first), value) < 1e-12);
                        QCOMPARE(again.branch, branch);
                        QVERIFY(again.method.passes < 100);
                    }
                }
            }
        }
    }

    void sonicIdentitiesHoldExactly_data()
    {
        QTest::addColumn<Flow>("flow");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<double>("value");
        const std::pair<Flow, std::vector<std::pair<const char*, double>>> table[] = {
            { Flow::Isentropic,
                { { "A/A*", 1 }, { "p/p*", 1 }, { "T/T*", 1 }, { "rho/rho*", 1 }, { "V/a*", 1 }, { "nu", 0 },
                    { "mu", 90 } } },
            { Flow::NormalShock,
                { { "M2", 1 }, { "p2/p1", 1 }, { "rho2/rho1", 1 }, { "T2/T1", 1 }, { "p02/p01", 1 },
                    { "(s2-s1)/R", 0 } } },
            { Flow::Rayleigh,
                { { "T0/T0*", 1 }, { "T/T*", 1 }, { "p/p*", 1 }, { "rho/rho*", 1 }, { "p0/p0*", 1 }, { "V/V*", 1 },
                    { "(s*-s)/R", 0 } } },
            { Flow::Fanno,
                { { "4fL*/D", 0 }, { "T/T*", 1 }, { "p/p*", 1 }, { "rho/rho*", 1 }, { "p0/p0*", 1 }, { "V/V*", 1 },
                    { "(s*-s)/R", 0 } } },
        };
        for (const auto& [flow, pairs] : table)
            for (const auto& [quantity, value] : pairs)
                QTest::addRow("%s %s", name(flow).data(), quantity) << flow << QString(quantity) << value;
    }
    // At Mach 1 every starred ratio is exactly 1, and each of them given as 1 gives exactly Mach 1.
    void sonicIdentitiesHoldExactly()
    {
        QFETCH(Flow, flow);
        QFETCH(QString, quantity);
        QFETCH(double, value);
        const int q = index(flow, quantity.toStdString());
        for (double gamma : { 1.05, 1.1, 1.3, 1.4, 1.67, 2.0, 3.0, 1.0 + 1e-9, 1e6 }) {
            QCOMPARE(*valueOf(solved(flow, gamma, { { 0, 1.0 } }), q), value);
            if (const InputKind* kind = findInputKind(flow, std::array { q })) {
                const Branch branch = kind->branches.empty() ? Branch::None : kind->branches.back();
                QCOMPARE(*valueOf(solved(flow, gamma, { { q, value } }, branch), 0), 1.0);
            }
        }
    }

    void meetingPointsNeedNoBranch_data()
    {
        QTest::addColumn<Flow>("flow");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<double>("value");
        QTest::addColumn<Branch>("branch");
        QTest::addColumn<double>("M");
        QTest::newRow("A/A* 1") << Flow::Isentropic << "A/A*" << 1.0 << Branch::None << 1.0;
        QTest::newRow("A/A* 1 sup") << Flow::Isentropic << "A/A*" << 1.0 << Branch::Sup << 1.0;
        QTest::newRow("T0/T0* 1 sub") << Flow::Rayleigh << "T0/T0*" << 1.0 << Branch::Sub << 1.0;
        QTest::newRow("rayleigh p0/p0* 1") << Flow::Rayleigh << "p0/p0*" << 1.0 << Branch::None << 1.0;
        QTest::newRow("rayleigh entropy 0") << Flow::Rayleigh << "(s*-s)/R" << 0.0 << Branch::None << 1.0;
        QTest::newRow("T/T* peak") << Flow::Rayleigh << "T/T*" << 2.4 * 2.4 / 5.6 << Branch::None << 1 / std::sqrt(1.4);
        QTest::newRow("T/T* peak high") << Flow::Rayleigh << "T/T*" << 2.4 * 2.4 / 5.6 << Branch::High
                                        << 1 / std::sqrt(1.4);
        QTest::newRow("4fL*/D 0") << Flow::Fanno << "4fL*/D" << 0.0 << Branch::None << 1.0;
        QTest::newRow("fanno p0/p0* 1 sup") << Flow::Fanno << "p0/p0*" << 1.0 << Branch::Sup << 1.0;
        QTest::newRow("fanno entropy 0") << Flow::Fanno << "(s*-s)/R" << 0.0 << Branch::None << 1.0;
    }
    void meetingPointsNeedNoBranch()
    {
        QFETCH(Flow, flow);
        QFETCH(QString, quantity);
        QFETCH(double, value);
        QFETCH(Branch, branch);
        QFETCH(double, M);
        const Solution solution = solved(flow, 1.4, { { index(flow, quantity.toStdString()), value } }, branch);
        QVERIFY(relative(*valueOf(solution, 0), M) <= eps);
        QCOMPARE(solution.branch, branch);
    }

    // A T/T* that is the peak to rounding (as printed, or the nearest doubles around it) is the meeting point
    // 1/sqrt(gamma) on either branch, not a root 1e-8 away from it found through a discriminant of rounding noise.
    void rayleighPeakToRoundingIsTheMeetingPoint_data()
    {
        QTest::addColumn<double>("gamma");
        QTest::addColumn<double>("value");
        QTest::addColumn<Branch>("branch");
        QTest::newRow("as printed, low") << 1.4 << 1.0285714285714285 << Branch::Low;
        QTest::newRow("as printed, high") << 1.4 << 1.0285714285714285 << Branch::High;
        QTest::newRow("computed peak, low") << 1.4 << 2.4 * 2.4 / 5.6 << Branch::Low;
        QTest::newRow("one ulp below, high") << 1.4 << std::nextafter(1.0285714285714285, 0.0) << Branch::High;
        QTest::newRow("gamma 1.05") << 1.05 << 2.05 * 2.05 / 4.2 << Branch::Low;
        QTest::newRow("gamma 3") << 3.0 << 4.0 / 3.0 << Branch::High;
    }
    void rayleighPeakToRoundingIsTheMeetingPoint()
    {
        QFETCH(double, gamma);
        QFETCH(double, value);
        QFETCH(Branch, branch);
        const Solution solution = solved(Flow::Rayleigh, gamma, { { 2, value } }, branch);
        QVERIFY2(relative(*valueOf(solution, 0), 1.0 / std::sqrt(gamma)) <= eps,
            qPrintable(QString::number(*valueOf(solution, 0), 'g', 17)));
        QVERIFY(relative(*valueOf(solution, 3), (1.0 + gamma) / 2.0) <= 2.0 * eps);
    }

    void machAngleOfMachTwoIsThirty()
    {
        QCOMPARE(*valueOf(solved(Flow::Isentropic, 1.4, { { 0, 2.0 } }), 10), 30.0);
        QCOMPARE(*valueOf(solved(Flow::PrandtlMeyer, 1.4, { { 0, 2.0 }, { 1, 2.0 } }), 5), 30.0);
    }

    void belowMachOneNuAndMuAreEmpty()
    {
        const Solution subsonic = solved(Flow::Isentropic, 1.4, { { 0, 0.999 } });
        QVERIFY(!valueOf(subsonic, 9) && !valueOf(subsonic, 10));
        QCOMPARE(solved(Flow::Isentropic, 1.4, { { 10, 30.0 } }).method.how, std::string_view("closed form"));
        QCOMPARE(solved(Flow::Isentropic, 1.4, { { 4, 2.0 } }, Branch::Sup).method.how, std::string_view("TOMS 748"));
    }

    void refusals_data()
    {
        QTest::addColumn<Flow>("flow");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<double>("value");
        QTest::addColumn<Branch>("branch");
        QTest::addColumn<QString>("message");
        const double big = 1e200;
        const auto row
            = [](const char* tag, Flow flow, const char* quantity, double value, Branch branch, const char* message) {
                  QTest::newRow(tag) << flow << QString(quantity) << value << branch << QString(message);
              };
        const Flow I = Flow::Isentropic, N = Flow::NormalShock, R = Flow::Rayleigh, F = Flow::Fanno;
        const Branch none = Branch::None, sub = Branch::Sub, sup = Branch::Sup;
        row("M 0", I, "M", 0, none, "M must be above 0");
        row("p/p0 1", I, "p/p0", 1, none, "p/p0 must be above 0 and below 1");
        row("T/T0 0", I, "T/T0", 0, none, "T/T0 must be above 0 and below 1");
        row("rho/rho0 2", I, "rho/rho0", 2, none, "rho/rho0 must be above 0 and below 1");
        row("A/A* 0.99", I, "A/A*", 0.99, sup, "A/A* must be 1 or more");
        row("A/A* no branch", I, "A/A*", 2, none, "A/A* needs a branch: sub or sup");
        row("p/p* at rest", I, "p/p*", 1.9, none, "p/p* must be above 0 and below 1.89293");
        row("T/T* at rest", I, "T/T*", 1.2, none, "T/T* must be above 0 and below 1.2");
        row("rho/rho* at rest", I, "rho/rho*", 1.6, none, "rho/rho* must be above 0 and below 1.57744");
        row("V/a* limit", I, "V/a*", 2.5, none, "V/a* must be above 0 and below 2.44949");
        row("nu max", I, "nu", 130.46, none,
            "nu must be 0 or more and below the largest turning angle 130.454 degrees");
        row("nu negative", I, "nu", -1, none,
            "nu must be 0 or more and below the largest turning angle 130.454 degrees");
        row("mu 91", I, "mu", 91, none, "mu must be above 0 and at most 90 degrees");
        row("M overflow", I, "M", big, none, "the result is too large to be represented");
        row("M1 0.9", N, "M1", 0.9, none, "M1 must be 1 or more");
        row("M2 limit", N, "M2", 0.3, none, "M2 must be above 0.377964 and at most 1");
        row("p2/p1 0.5", N, "p2/p1", 0.5, none, "p2/p1 must be 1 or more");
        row("rho2/rho1 6.1", N, "rho2/rho1", 6.1, none, "rho2/rho1 must be 1 or more and below 6");
        row("T2/T1 0.9", N, "T2/T1", 0.9, none, "T2/T1 must be 1 or more");
        row("p02/p01 1.1", N, "p02/p01", 1.1, none, "p02/p01 must be above 0 and at most 1");
        row("p02/p1 1.8", N, "p02/p1", 1.8, none, "p02/p1 must be 1.89293 or more");
        row("s2-s1 negative", N, "(s2-s1)/R", -0.1, none, "(s2-s1)/R must be 0 or more");
        row("T0/T0* 1.1", R, "T0/T0*", 1.1, sub, "T0/T0* must be above 0 and at most 1");
        row("T0/T0* sup", R, "T0/T0*", 0.4, sup, "T0/T0* must be above 0.489796 and at most 1 for the sup branch");
        row("T0/T0* no branch", R, "T0/T0*", 0.8, none, "T0/T0* needs a branch: sub or sup");
        row("T/T* above peak", R, "T/T*", 1.1, Branch::Low, "T/T* must be above 0 and at most 1.02857");
        row("T/T* no branch", R, "T/T*", 0.5, none, "T/T* needs a branch: low or high");
        row("p/p* 2.4", R, "p/p*", 2.4, none, "p/p* must be above 0 and below 2.4");
        row("rho/rho* limit", R, "rho/rho*", 0.5, none, "rho/rho* must be above 0.583333");
        row("p0/p0* below 1", R, "p0/p0*", 0.9, sup, "p0/p0* must be 1 or more");
        row("p0/p0* sub", R, "p0/p0*", 1.3, sub, "p0/p0* must be 1 or more and below 1.26788 for the sub branch");
        row("V/V* limit", R, "V/V*", 1.8, none, "V/V* must be above 0 and below 1.71429");
        row("rayleigh s negative", R, "(s*-s)/R", -1, sub, "(s*-s)/R must be 0 or more");
        row("4fL*/D negative", F, "4fL*/D", -0.1, sub, "4fL*/D must be 0 or more");
        row("4fL*/D sup", F, "4fL*/D", 0.83, sup, "4fL*/D must be below 0.821508 on the sup branch");
        row("4fL*/D no branch", F, "4fL*/D", 0.5, none, "4fL*/D needs a branch: sub or sup");
        row("fanno T/T*", F, "T/T*", 1.2, none, "T/T* must be above 0 and below 1.2");
        row("fanno p/p*", F, "p/p*", 0, none, "p/p* must be above 0");
        row("fanno rho/rho*", F, "rho/rho*", 0.4, none, "rho/rho* must be above 0.408248");
        row("fanno V/V*", F, "V/V*", 2.5, none, "V/V* must be above 0 and below 2.44949");
        row("fanno p0/p0*", F, "p0/p0*", 0.5, sub, "p0/p0* must be 1 or more");
        row("fanno s", F, "(s*-s)/R", -1, sup, "(s*-s)/R must be 0 or more");
        row("fanno tiny M", F, "M", 1e-200, none, "the result is too large to be represented");
    }
    void refusals()
    {
        QFETCH(Flow, flow);
        QFETCH(QString, quantity);
        QFETCH(double, value);
        QFETCH(Branch, branch);
        QFETCH(QString, message);
        const Outcome outcome
            = solve(flow, 1.4, std::vector<Given> { { index(flow, quantity.toStdString()), value } }, branch);
        QVERIFY(std::holds_alternative<Refusal>(outcome));
        QCOMPARE(QString::fromStdString(std::get<Refusal>(outcome).message), message);
    }

    void expansionRefusals_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<double>("a");
        QTest::addColumn<int>("second");
        QTest::addColumn<double>("b");
        QTest::addColumn<QString>("message");
        QTest::newRow("compression") << 0 << 2.0 << 1 << 1.5 << "M2 1.5 is below M1 2 (a smaller M2 is a compression)";
        QTest::newRow("M1 subsonic") << 0 << 0.9 << 2 << 10.0 << "M1 must be 1 or more";
        QTest::newRow("M2 subsonic") << 1 << 0.9 << 2 << 10.0 << "M2 must be 1 or more";
        QTest::newRow("negative turn") << 0 << 2.0 << 2 << -1.0 << "theta must be 0 or more (an expansion)";
        QTest::newRow("past largest turn")
            << 0 << 2.0 << 2 << 110.0
            << "theta must be below 104.074 degrees for M1 2 (the largest turning angle is 130.454 degrees)";
        QTest::newRow("M1 below 1") << 1 << 2.0 << 2 << 30.0
                                    << "theta must be at most 26.3798 degrees for M2 2 (M1 would be below 1)";
    }
    void expansionRefusals()
    {
        QFETCH(int, first);
        QFETCH(double, a);
        QFETCH(int, second);
        QFETCH(double, b);
        QFETCH(QString, message);
        const Outcome outcome = solve(Flow::PrandtlMeyer, 1.4, std::vector<Given> { { first, a }, { second, b } });
        QVERIFY(std::holds_alternative<Refusal>(outcome));
        QCOMPARE(QString::fromStdString(std::get<Refusal>(outcome).message), message);
    }
};

QTEST_APPLESS_MAIN(TestGasdynFlows)
#include "tst_gasdyn_flows.moc"
