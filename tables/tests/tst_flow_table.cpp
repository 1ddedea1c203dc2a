#include "cell_selection.h"
#include "flow_table.h"
#include "number.h"

#include <QtTest>

#include <cmath>

class TestFlowTable : public QObject {
    Q_OBJECT

private slots:
    void selectedCellsFollowTheViewsRules_data();
    void selectedCellsFollowTheViewsRules();
    void gridCountsRowsUpToAndWithTheEnd_data();
    void gridCountsRowsUpToAndWithTheEnd();
    void gridInputsAreTheDecimalsWritten_data();
    void gridInputsAreTheDecimalsWritten();
    void gridRefusesWhatCannotBeATable_data();
    void gridRefusesWhatCannotBeATable();
    void shortestTextReadsBackToTheSameDouble_data();
    void shortestTextReadsBackToTheSameDouble();
    void rowTextLeavesUndefinedQuantitiesEmpty();
    void someColumnsAreWrittenInTheGivenOrder();
    void rowsWithoutSolutionAtTheEndsAreFoundByBisection();
    void aRangeWithoutSolutionsSaysWhy();
};

void TestFlowTable::gridCountsRowsUpToAndWithTheEnd_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("step");
    QTest::addColumn<qlonglong>("count");
    QTest::addColumn<double>("last");
    QTest::newRow("end on the grid") << 0.0 << 1.0 << 0.1 << 11LL << 1.0;
    QTest::newRow("end a rounding away") << 0.0 << 0.3 << 0.1 << 4LL << 0.30000000000000004;
    QTest::newRow("end between rows") << 0.0 << 1.05 << 0.1 << 11LL << 1.0;
    QTest::newRow("downwards") << 5.0 << 1.0 << -2.0 << 3LL << 1.0;
    QTest::newRow("one row") << 2.0 << 2.0 << 0.5 << 1LL << 2.0;
    QTest::newRow("a million and one") << 0.01 << 10000.01 << 0.01 << 1000001LL << 10000.01;
    QTest::newRow("ten million") << 1.0 << 10000000.0 << 1.0 << 10000000LL << 10000000.0;
}

void TestFlowTable::gridCountsRowsUpToAndWithTheEnd()
{
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, step);
    QFETCH(qlonglong, count);
    QFETCH(double, last);
    const auto grid = flowtable::makeGrid(from, to, step);
    QVERIFY(std::holds_alternative<flowtable::Grid>(grid));
    const auto& g = std::get<flowtable::Grid>(grid);
    QCOMPARE(qlonglong(g.count), count);
    QCOMPARE(g.at(g.count - 1), last);
}

// From and Step as typed: row i is the decimal A + i*S rounded once, the last row the grid point nearest To.
void TestFlowTable::gridInputsAreTheDecimalsWritten_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QChar>("mark");
    QTest::addColumn<QList<double>>("inputs");
    QTest::newRow("0.1 steps from 0") << "0"
                                      << "0.4"
                                      << "0.1" << QChar('.') << QList<double> { 0, 0.1, 0.2, 0.3, 0.4 };
    QTest::newRow("1.2, not 1.2000000000000002") << "1"
                                                 << "1.2"
                                                 << "0.1" << QChar('.') << QList<double> { 1, 1.1, 1.2 };
    QTest::newRow("downwards") << "0.3"
                               << "0"
                               << "-0.1" << QChar('.') << QList<double> { 0.3, 0.2, 0.1, 0 };
    QTest::newRow("exponents") << "1e-3"
                               << "3e-3"
                               << "1E-3" << QChar('.') << QList<double> { 0.001, 0.002, 0.003 };
    QTest::newRow("comma mark and blanks") << " 0,1"
                                           << "0,3"
                                           << "0, 1" << QChar(',') << QList<double> { 0.1, 0.2, 0.3 };
    QTest::newRow("many digits") << "0.12345678901234567"
                                 << "0.12345678901234569"
                                 << "0.00000000000000001" << QChar('.')
                                 << QList<double> { 0.12345678901234566, 0.12345678901234568, 0.12345678901234569 };
    QTest::newRow("To within 1e-9 steps: the grid point") << "1"
                                                          << "3.0000000005"
                                                          << "1" << QChar('.') << QList<double> { 1, 2, 3 };
}

void TestFlowTable::gridInputsAreTheDecimalsWritten()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, step);
    QFETCH(QChar, mark);
    QFETCH(QList<double>, inputs);
    const char m = mark.toLatin1();
    const auto read = [m](const QString& text) { return common::readNumber(text.toStdString(), m); };
    const auto grid = flowtable::makeGrid(read(from), read(to), read(step), from.toStdString(), step.toStdString(), m);
    QVERIFY(std::holds_alternative<flowtable::Grid>(grid));
    const auto& g = std::get<flowtable::Grid>(grid);
    QList<double> got;
    for (std::int64_t i = 0; i < g.count; ++i)
        got << g.at(i);
    QCOMPARE(got, inputs);
}

void TestFlowTable::gridRefusesWhatCannotBeATable_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("step");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("step 0") << 1.0 << 2.0 << 0.0 << "The step must not be 0";
    QTest::newRow("step upwards, range downwards") << 2.0 << 1.0 << 0.1 << "The step must point from From towards To";
    QTest::newRow("step downwards, range upwards") << 1.0 << 2.0 << -0.1 << "The step must point from From towards To";
    QTest::newRow("ten million and one rows")
        << 0.0 << 10000000.0 << 1.0 << "The table would have more than 10000000 rows";
    QTest::newRow("a step far too small") << 0.0 << 1.0 << 1e-300 << "The table would have more than 10000000 rows";
    QTest::newRow("an infinite end") << 0.0 << HUGE_VAL << 1.0 << "From, To and Step must be finite numbers";
}

void TestFlowTable::gridRefusesWhatCannotBeATable()
{
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, step);
    QFETCH(QString, refusal);
    const auto grid = flowtable::makeGrid(from, to, step);
    QVERIFY(std::holds_alternative<std::string>(grid));
    QCOMPARE(QString::fromStdString(std::get<std::string>(grid)), refusal);
}

void TestFlowTable::shortestTextReadsBackToTheSameDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 2.0 << "2";
    QTest::newRow("tenth") << 0.1 << "0.1";
    QTest::newRow("sum of tenths") << 0.30000000000000004 << "0.30000000000000004";
    QTest::newRow("small") << 1e-5 << "1e-05";
    QTest::newRow("large") << 2.5e20 << "2.5e+20";
}

void TestFlowTable::shortestTextReadsBackToTheSameDouble()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(flowtable::shortest(value)), text);
    QCOMPARE(QString::fromStdString(flowtable::shortest(value, ',')), QString(text).replace('.', ','));
}

void TestFlowTable::rowTextLeavesUndefinedQuantitiesEmpty()
{
    gasdyn::Solution solution;
    solution.values[0] = 0.5;
    solution.values[1] = 0.84301917542255;
    std::string text;
    flowtable::appendHeader(text, gasdyn::Flow::Isentropic, '\t');
    flowtable::appendRow(text, gasdyn::Flow::Isentropic, solution, '\t');
    QCOMPARE(QString::fromStdString(text),
        QString("M\tp/p0\tT/T0\trho/rho0\tA/A*\tp/p*\tT/T*\trho/rho*\tV/a*\tnu\tmu\n"
                "0.5\t0.84301917542255\t\t\t\t\t\t\t\t\t\n"));
}

void TestFlowTable::someColumnsAreWrittenInTheGivenOrder()
{
    gasdyn::Solution solution;
    solution.values[0] = 2;
    solution.values[2] = 39.5;
    const int columns[] { 0, 2, 3 };
    std::string text;
    flowtable::appendHeader(text, gasdyn::Flow::ObliqueShock, columns, ',');
    flowtable::appendRow(text, gasdyn::Flow::Isentropic, solution, columns, ',');
    QCOMPARE(QString::fromStdString(text), QString("M1,beta,Mn1\n2,39.5,\n"));
}

void TestFlowTable::rowsWithoutSolutionAtTheEndsAreFoundByBisection()
{
    // Oblique shock over theta with M1 = 2: theta from -3 to 30 in steps of 0.001; the deflection must be 0 or
    // more, and at most 22.9735 degrees.
    flowtable::Question question;
    question.flow = gasdyn::Flow::ObliqueShock;
    question.kind = &gasdyn::inputKinds(question.flow)[0];
    question.runsFirst = false;
    question.fixed = 2.0;
    question.branch = gasdyn::Branch::Weak;
    const auto grid = std::get<flowtable::Grid>(flowtable::makeGrid(-3, 30, 0.001));
    const flowtable::Rows rows = flowtable::findRows(question, grid);
    QCOMPARE(qlonglong(rows.leftBelow), 3000LL);
    QCOMPARE(qlonglong(rows.first), 3000LL);
    QCOMPARE(qlonglong(rows.count), 22974LL);
    QCOMPARE(qlonglong(rows.leftAbove), 33001LL - 3000 - 22974);
    QVERIFY(!rows.holes);
    QCOMPARE(QString::fromStdString(flowtable::describe(question, grid, rows, '.')),
        QString("22974 rows; left out 3000 rows with theta from -3 to -0.001: theta must be 0 or more; left out 7027 "
                "rows with theta from 22.974 to 30: theta 22.974 is above the largest deflection 22.9735 degrees "
                "for M1 2 (detached shock)"));
}

void TestFlowTable::aRangeWithoutSolutionsSaysWhy()
{
    flowtable::Question question;
    question.flow = gasdyn::Flow::ObliqueShock;
    question.kind = &gasdyn::inputKinds(question.flow)[0];
    question.runsFirst = false;
    question.fixed = 2.0;
    const auto grid = std::get<flowtable::Grid>(flowtable::makeGrid(30, 40, 0.5));
    const flowtable::Rows rows = flowtable::findRows(question, grid);
    QCOMPARE(qlonglong(rows.count), 0LL);
    QCOMPARE(QString::fromStdString(flowtable::describe(question, grid, rows, ',')),
        QString("No row has a solution: theta 30 is above the largest deflection 22.9735 degrees for M1 2 "
                "(detached shock)"));
}

using flowtable::CellRect;
using flowtable::CellSelection;
struct Step {
    CellRect rect;
    CellSelection::Op op;
    bool extending;
};
Q_DECLARE_METATYPE(std::vector<Step>)

void TestFlowTable::selectedCellsFollowTheViewsRules_data()
{
    using Op = CellSelection::Op;
    QTest::addColumn<std::vector<Step>>("steps");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("columns");
    QTest::newRow("one rectangle") << std::vector<Step> { { { 5, 9, 1, 2 }, Op::Select, false } } << "5-9"
                                   << "1,2";
    QTest::newRow("an extension replaces its previous extent")
        << std::vector<Step> { { { 0, 9000000, 1, 1 }, Op::Select, true }, { { 0, 3, 1, 1 }, Op::Select, true } }
        << "0-3"
        << "1";
    QTest::newRow("a later change keeps the extension")
        << std::vector<Step> { { { 0, 3, 1, 1 }, Op::Select, true }, { { 10, 10, 4, 4 }, Op::Select, false } }
        << "0-3,10-10"
        << "1,4";
    QTest::newRow("a deselected middle splits the rows")
        << std::vector<Step> { { { 0, 9, 0, 2 }, Op::Select, false }, { { 4, 5, 0, 2 }, Op::Deselect, false } }
        << "0-3,6-9"
        << "0,1,2";
    QTest::newRow("a toggle takes out a selected cell and adds the others")
        << std::vector<Step> { { { 0, 1, 0, 0 }, Op::Select, false }, { { 1, 2, 0, 0 }, Op::Toggle, false } }
        << "0-0,2-2"
        << "0";
    QTest::newRow("overlaps are counted once")
        << std::vector<Step> { { { 0, 5, 0, 0 }, Op::Select, false }, { { 3, 8, 0, 1 }, Op::Select, false } } << "0-8"
        << "0,1";
}

void TestFlowTable::selectedCellsFollowTheViewsRules()
{
    QFETCH(std::vector<Step>, steps);
    QFETCH(QString, rows);
    QFETCH(QString, columns);
    CellSelection cells;
    for (const Step& step : steps)
        cells.apply({ step.rect }, step.op, step.extending);
    QStringList shownRows;
    for (const auto& [first, last] : cells.rowRanges())
        shownRows << QString("%1-%2").arg(first).arg(last);
    QStringList shownColumns;
    for (int c : cells.columns())
        shownColumns << QString::number(c);
    QCOMPARE(shownRows.join(','), rows);
    QCOMPARE(shownColumns.join(','), columns);
}

QTEST_APPLESS_MAIN(TestFlowTable)
#include "tst_flow_table.moc"
