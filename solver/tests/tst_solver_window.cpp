#include "solver_window.h"

#include "flow_table.h"
#include "number.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTableWidget>
#include <QtTest>

#include <memory>

using namespace fixture;

namespace {

struct Case {
    gasdyn::Flow flow;
    std::vector<gasdyn::Given> given;
    gasdyn::Branch branch;
};

} // namespace

Q_DECLARE_METATYPE(gasdyn::Flow)
Q_DECLARE_METATYPE(gasdyn::Branch)

class TestSolverWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void freshWindowOffersEveryFlowAndItsInputs();
    void everyInputKindShowsTheEnginesAnswer_data();
    void everyInputKindShowsTheEnginesAnswer();
    void branchIsOfferedOnlyWhereTheInputNeedsOne();
    void pressShowsRoundedValuesAndFullPrecisionTooltips();
    void refusalClearsTheResultsAndAPressRecovers();
    void gammaTheStripsRefuseIsRefusedWithTheirText_data();
    void gammaTheStripsRefuseIsRefusedWithTheirText();
    void gammaIsReadAtEveryPress();
    void decimalsRewriteTheShownResults();
    void copyPutsTheCommandLinesTsvOnTheClipboard();
    void enterInAValueBoxPresses();
    void answeredTellsTheFlowMachAndAngles();
    void controlsFollowTheReadingOrderAndAreLegible();

private:
    QWidget* w() { return m_window.get(); }
    QString value(int row) { return child<QTableWidget>(w(), "Table_Results")->item(row, 1) ? cell(row, 1) : "-"; }
    QString cell(int row, int column) { return child<QTableWidget>(w(), "Table_Results")->item(row, column)->text(); }
    QString tooltip(int row) { return child<QTableWidget>(w(), "Table_Results")->item(row, 1)->toolTip(); }
    void solveOblique(const QString& m1, const QString& theta)
    {
        QVERIFY(choose(w(), "Combo_Flow", "Oblique shock"));
        QVERIFY(choose(w(), "Combo_Input", "M1 and theta"));
        type(w(), "Text_Value1", m1);
        type(w(), "Text_Value2", theta);
        click(w(), "Command1");
    }

    Gas m_gas;
    std::unique_ptr<SolverWindow> m_window;
};

void TestSolverWindow::init()
{
    m_gas.text = "1.4";
    m_window = std::make_unique<SolverWindow>(m_gas.source());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestSolverWindow::cleanup()
{
    m_window.reset();
}

void TestSolverWindow::freshWindowOffersEveryFlowAndItsInputs()
{
    QCOMPARE(w()->objectName(), QString("Form_Solver"));
    QCOMPARE(w()->windowTitle(), QString("Flow solver"));
    QCOMPARE(comboTexts(w(), "Combo_Flow"),
        QStringList({ "Isentropic flow", "Normal shock", "Rayleigh flow (heat addition)", "Fanno flow (friction)",
            "Oblique shock", "Conical shock", "Prandtl-Meyer expansion", "Nozzle (back pressure)" }));
    QCOMPARE(comboTexts(w(), "Combo_Input"),
        QStringList({ "M", "p/p0", "T/T0", "rho/rho0", "A/A*", "p/p*", "T/T*", "rho/rho*", "V/a*", "nu", "mu" }));
    QVERIFY(choose(w(), "Combo_Flow", "Prandtl-Meyer expansion"));
    QCOMPARE(comboTexts(w(), "Combo_Input"), QStringList({ "M1 and M2", "M1 and theta", "M2 and theta" }));
    QCOMPARE(child<QLabel>(w(), "Label_Value1")->text(), QString("M1:"));
    QCOMPARE(child<QLabel>(w(), "Label_Value2")->text(), QString("M2:"));
    QVERIFY(choose(w(), "Combo_Input", "M2 and theta"));
    QCOMPARE(child<QLabel>(w(), "Label_Value2")->text(), QString("theta (degrees):"));
    QCOMPARE(child<QSpinBox>(w(), "Spin_Decimals")->value(), 5);
    QCOMPARE(child<QSpinBox>(w(), "Spin_Decimals")->minimum(), 1);
    QCOMPARE(child<QSpinBox>(w(), "Spin_Decimals")->maximum(), 15);
    QVERIFY(!child<QAbstractButton>(w(), "Command_Copy")->isEnabled());
}

void TestSolverWindow::everyInputKindShowsTheEnginesAnswer_data()
{
    QTest::addColumn<gasdyn::Flow>("flow");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("branch");
    QTest::addColumn<QString>("value1");
    QTest::addColumn<QString>("value2");
    using F = gasdyn::Flow;
    struct Row {
        const char* tag;
        F flow;
        const char* input;
        const char* branch;
        const char* v1;
        const char* v2;
    };
    const Row rows[] {
        { "isentropic M", F::Isentropic, "M", "", "2", "" },
        { "isentropic p/p0", F::Isentropic, "p/p0", "", "0.5", "" },
        { "isentropic T/T0", F::Isentropic, "T/T0", "", "0.8", "" },
        { "isentropic rho/rho0", F::Isentropic, "rho/rho0", "", "0.6", "" },
        { "isentropic A/A* sup", F::Isentropic, "A/A*", "supersonic", "2", "" },
        { "isentropic A/A* sub", F::Isentropic, "A/A*", "subsonic", "2", "" },
        { "isentropic p/p*", F::Isentropic, "p/p*", "", "0.8", "" },
        { "isentropic T/T*", F::Isentropic, "T/T*", "", "0.9", "" },
        { "isentropic rho/rho*", F::Isentropic, "rho/rho*", "", "0.7", "" },
        { "isentropic V/a*", F::Isentropic, "V/a*", "", "1.5", "" },
        { "isentropic nu", F::Isentropic, "nu", "", "20", "" },
        { "isentropic mu", F::Isentropic, "mu", "", "40", "" },
        { "normal shock M1", F::NormalShock, "M1", "", "2", "" },
        { "normal shock M2", F::NormalShock, "M2", "", "0.6", "" },
        { "normal shock p2/p1", F::NormalShock, "p2/p1", "", "4.5", "" },
        { "normal shock rho2/rho1", F::NormalShock, "rho2/rho1", "", "2.5", "" },
        { "normal shock T2/T1", F::NormalShock, "T2/T1", "", "1.5", "" },
        { "normal shock p02/p01", F::NormalShock, "p02/p01", "", "0.8", "" },
        { "normal shock p02/p1", F::NormalShock, "p02/p1", "", "5", "" },
        { "normal shock entropy", F::NormalShock, "(s2-s1)/R", "", "0.1", "" },
        { "rayleigh M", F::Rayleigh, "M", "", "0.5", "" },
        { "rayleigh T0/T0* sub", F::Rayleigh, "T0/T0*", "subsonic", "0.8", "" },
        { "rayleigh T/T* high", F::Rayleigh, "T/T*", "higher Mach number", "0.9", "" },
        { "rayleigh p/p*", F::Rayleigh, "p/p*", "", "1.5", "" },
        { "rayleigh rho/rho*", F::Rayleigh, "rho/rho*", "", "1.2", "" },
        { "rayleigh p0/p0* sup", F::Rayleigh, "p0/p0*", "supersonic", "1.1", "" },
        { "rayleigh V/V*", F::Rayleigh, "V/V*", "", "0.8", "" },
        { "rayleigh entropy sub", F::Rayleigh, "(s*-s)/R", "subsonic", "0.5", "" },
        { "fanno M", F::Fanno, "M", "", "0.5", "" },
        { "fanno 4fL*/D sub", F::Fanno, "4fL*/D", "subsonic", "0.5", "" },
        { "fanno T/T*", F::Fanno, "T/T*", "", "1.1", "" },
        { "fanno p/p*", F::Fanno, "p/p*", "", "1.5", "" },
        { "fanno rho/rho*", F::Fanno, "rho/rho*", "", "1.3", "" },
        { "fanno p0/p0* sup", F::Fanno, "p0/p0*", "supersonic", "1.2", "" },
        { "fanno V/V*", F::Fanno, "V/V*", "", "0.8", "" },
        { "fanno entropy sup", F::Fanno, "(s*-s)/R", "supersonic", "0.1", "" },
        { "oblique M1 theta weak", F::ObliqueShock, "M1 and theta", "weak shock", "2", "10" },
        { "oblique M1 theta strong", F::ObliqueShock, "M1 and theta", "strong shock", "2", "10" },
        { "oblique M1 beta", F::ObliqueShock, "M1 and beta", "", "2", "40" },
        { "oblique M1 Mn1", F::ObliqueShock, "M1 and Mn1", "", "2", "1.5" },
        { "oblique theta beta", F::ObliqueShock, "theta and beta", "", "10", "40" },
        { "conical M1 theta_c", F::ConicalShock, "M1 and theta_c", "", "2", "10" },
        { "conical M1 beta", F::ConicalShock, "M1 and beta", "", "2", "35" },
        { "prandtl-meyer M1 M2", F::PrandtlMeyer, "M1 and M2", "", "2", "3" },
        { "prandtl-meyer M1 theta", F::PrandtlMeyer, "M1 and theta", "", "2", "10" },
        { "prandtl-meyer M2 theta", F::PrandtlMeyer, "M2 and theta", "", "3", "10" },
    };
    for (const Row& row : rows)
        QTest::newRow(row.tag) << row.flow << row.input << row.branch << row.v1 << row.v2;
}

void TestSolverWindow::everyInputKindShowsTheEnginesAnswer()
{
    QFETCH(gasdyn::Flow, flow);
    QFETCH(QString, input);
    QFETCH(QString, branch);
    QFETCH(QString, value1);
    QFETCH(QString, value2);

    // The engine's own answer to the same question.
    const auto names = input.split(" and ");
    std::vector<gasdyn::Given> given;
    given.push_back({ *gasdyn::quantityIndex(flow, names[0].toStdString()), value1.toDouble() });
    if (names.size() == 2)
        given.push_back({ *gasdyn::quantityIndex(flow, names[1].toStdString()), value2.toDouble() });
    gasdyn::Branch b = gasdyn::Branch::None;
    for (gasdyn::Branch candidate : { gasdyn::Branch::Sub, gasdyn::Branch::Sup, gasdyn::Branch::Low,
             gasdyn::Branch::High, gasdyn::Branch::Weak, gasdyn::Branch::Strong }) {
        if (QString::fromUtf8(flowtable::branchTitle(candidate).data()) == branch)
            b = candidate;
    }
    const gasdyn::Outcome outcome = gasdyn::solve(flow, 1.4, given, b);
    if (const auto* refusal = std::get_if<gasdyn::Refusal>(&outcome))
        QFAIL(refusal->message.c_str());
    const auto& solution = std::get<gasdyn::Solution>(outcome);

    QVERIFY(choose(w(), "Combo_Flow", QString::fromUtf8(flowtable::flowTitle(flow).data())));
    QVERIFY(choose(w(), "Combo_Input", input));
    if (!branch.isEmpty())
        QVERIFY(choose(w(), "Combo_Branch", branch));
    type(w(), "Text_Value1", value1);
    if (names.size() == 2)
        type(w(), "Text_Value2", value2);
    click(w(), "Command1");

    const auto quantities = gasdyn::quantities(flow);
    QCOMPARE(child<QTableWidget>(w(), "Table_Results")->rowCount(), int(quantities.size()) + 1);
    QCOMPARE(cell(0, 0), QString("gamma"));
    QCOMPARE(value(0), QString("1.4"));
    for (std::size_t i = 0; i < quantities.size(); ++i) {
        const int row = int(i) + 1;
        QCOMPARE(cell(row, 0), QString::fromUtf8(quantities[i].data(), qsizetype(quantities[i].size())));
        const auto& v = solution.values[i];
        QCOMPARE(value(row), v ? QString::fromStdString(common::writeNumber(*v, 5)) : QString());
        if (v)
            QCOMPARE(tooltip(row).toDouble(), *v);
    }
}

void TestSolverWindow::branchIsOfferedOnlyWhereTheInputNeedsOne()
{
    QVERIFY(choose(w(), "Combo_Flow", "Oblique shock"));
    QVERIFY(child<QComboBox>(w(), "Combo_Branch")->isVisible());
    QCOMPARE(comboTexts(w(), "Combo_Branch"), QStringList({ "weak shock", "strong shock" }));
    QCOMPARE(child<QComboBox>(w(), "Combo_Branch")->currentText(), QString("weak shock"));
    QVERIFY(choose(w(), "Combo_Input", "M1 and beta"));
    QVERIFY(!child<QComboBox>(w(), "Combo_Branch")->isVisible());
    QVERIFY(!child<QLabel>(w(), "Label_Branch")->isVisible());
    QVERIFY(choose(w(), "Combo_Flow", "Rayleigh flow (heat addition)"));
    QVERIFY(!child<QLineEdit>(w(), "Text_Value2")->isVisible());
    QVERIFY(choose(w(), "Combo_Input", "T/T*"));
    QCOMPARE(comboTexts(w(), "Combo_Branch"), QStringList({ "lower Mach number", "higher Mach number" }));
}

void TestSolverWindow::pressShowsRoundedValuesAndFullPrecisionTooltips()
{
    solveOblique("2", "10");
    QCOMPARE(value(1), QString("2"));
    QCOMPARE(value(2), QString("10"));
    QCOMPARE(value(3), QString("39.31393"));
    QCOMPARE(value(11), QString("22.97353"));
    QCOMPARE(tooltip(1), QString("2"));
    QVERIFY(tooltip(3).startsWith("39.313931"));
    QVERIFY(child<QAbstractButton>(w(), "Command_Copy")->isEnabled());
    QVERIFY2(status(w()).startsWith("Solved: "), qPrintable(status(w())));
}

void TestSolverWindow::refusalClearsTheResultsAndAPressRecovers()
{
    solveOblique("2", "10");
    solveOblique("2", "25");
    QCOMPARE(
        status(w()), QString("theta 25 is above the largest deflection 22.9735 degrees for M1 2 (detached shock)"));
    for (int row = 0; row < 12; ++row)
        QCOMPARE(value(row), QString("-"));
    QCOMPARE(cell(3, 0), QString("beta"));
    QVERIFY(!child<QAbstractButton>(w(), "Command_Copy")->isEnabled());
    QCOMPARE(child<QLineEdit>(w(), "Text_Value2")->text(), QString("25"));
    solveOblique("2", "10");
    QCOMPARE(value(3), QString("39.31393"));
    QVERIFY(!status(w()).contains("detached"));
}

void TestSolverWindow::gammaTheStripsRefuseIsRefusedWithTheirText_data()
{
    QTest::addColumn<QString>("gamma");
    QTest::newRow("one") << "1";
    QTest::newRow("below one") << "0.9";
    QTest::newRow("empty reads 0") << "";
    QTest::newRow("letters read 0") << "abc";
    QTest::newRow("beyond the double range") << "1e999";
}

void TestSolverWindow::gammaTheStripsRefuseIsRefusedWithTheirText()
{
    QFETCH(QString, gamma);
    solveOblique("2", "10");
    m_gas.text = gamma;
    click(w(), "Command1");
    QCOMPARE(status(w()), QString("Gamma must be greater than 1"));
    QCOMPARE(value(3), QString("-"));
}

void TestSolverWindow::gammaIsReadAtEveryPress()
{
    solveOblique("2", "10");
    m_gas.text = " 1.3 ";
    click(w(), "Command1");
    QCOMPARE(value(0), QString("1.3"));
    const gasdyn::Given given[] { { 0, 2.0 }, { 1, 10.0 } };
    const auto outcome = gasdyn::solve(gasdyn::Flow::ObliqueShock, 1.3, given, gasdyn::Branch::Weak);
    QCOMPARE(value(3), QString::fromStdString(common::writeNumber(*std::get<gasdyn::Solution>(outcome).values[2], 5)));
    QVERIFY(value(3) != QString("39.31393"));
}

void TestSolverWindow::decimalsRewriteTheShownResults()
{
    solveOblique("2", "10");
    const QString full = tooltip(3);
    child<QSpinBox>(w(), "Spin_Decimals")->setValue(2);
    QCOMPARE(value(3), QString("39.31"));
    QCOMPARE(tooltip(3), full);
    child<QSpinBox>(w(), "Spin_Decimals")->setValue(1);
    QCOMPARE(value(3), QString("39.3"));
    child<QSpinBox>(w(), "Spin_Decimals")->setValue(15);
    QCOMPARE(value(3), QString::fromStdString(common::writeNumber(full.toDouble(), 15)));
    QCOMPARE(value(0), QString("1.4"));
}

void TestSolverWindow::copyPutsTheCommandLinesTsvOnTheClipboard()
{
    solveOblique("2", "10");
    QGuiApplication::clipboard()->clear();
    click(w(), "Command_Copy");
    const QString text = QGuiApplication::clipboard()->text();
    const QStringList lines = text.split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QString("M1\ttheta\tbeta\tMn1\tMn2\tM2\tp2/p1\trho2/rho1\tT2/T1\tp02/p01\ttheta_max"));
    QCOMPARE(lines[2], QString());
    const QStringList fields = lines[1].split('\t');
    QCOMPARE(fields.size(), 11);
    QCOMPARE(fields[0], QString("2"));
    QCOMPARE(fields[1], QString("10"));
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(fields[i], tooltip(i + 1));

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(child<QTableWidget>(w(), "Table_Results"), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
}

void TestSolverWindow::enterInAValueBoxPresses()
{
    QVERIFY(choose(w(), "Combo_Flow", "Oblique shock"));
    type(w(), "Text_Value1", "2");
    type(w(), "Text_Value2", "10");
    QTest::keyClick(child<QLineEdit>(w(), "Text_Value2"), Qt::Key_Return);
    QCOMPARE(value(3), QString("39.31393"));
}

void TestSolverWindow::answeredTellsTheFlowMachAndAngles()
{
    std::vector<common::Answer> answers;
    connect(m_window.get(), &SolverWindow::answered, this, [&](const common::Answer& a) { answers.push_back(a); });
    solveOblique("2", "25");
    QCOMPARE(answers.size(), std::size_t(0));
    QVERIFY(choose(w(), "Combo_Branch", "strong shock"));
    type(w(), "Text_Value2", "10");
    click(w(), "Command1");
    QCOMPARE(answers.size(), std::size_t(1));
    QCOMPARE(answers[0].flow, std::string("oblique-shock"));
    QCOMPARE(answers[0].gamma, 1.4);
    QCOMPARE(answers[0].mach, 2.0);
    QCOMPARE(answers[0].branch, std::string("strong"));
    QCOMPARE(*answers[0].theta, 10.0);
    QCOMPARE(QString::number(*answers[0].beta, 'f', 3), QString("83.700"));
}

void TestSolverWindow::controlsFollowTheReadingOrderAndAreLegible()
{
    QVERIFY(choose(w(), "Combo_Flow", "Oblique shock"));
    const QStringList order { "Combo_Flow", "Combo_Input", "Combo_Branch", "Text_Value1", "Text_Value2", "Command1",
        "Table_Results", "Spin_Decimals", "Command_Copy" };
    QCOMPARE(tabOrder(w(), order), order);
    solveOblique("2", "10");
    child<QSpinBox>(w(), "Spin_Decimals")->setValue(15);
    checkLegible(w());
}

QTEST_MAIN(TestSolverWindow)
#include "tst_solver_window.moc"
