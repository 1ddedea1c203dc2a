#include "tables_window.h"

#include "flow_table.h"
#include "number.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace fixture;

class TestTablesWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void freshWindowOffersTheUsualInputs();
    void tableHasARowPerInputWithEveryQuantity();
    void rowsWithoutSolutionAreLeftOutAndNamed_data();
    void rowsWithoutSolutionAreLeftOutAndNamed();
    void aMillionRowsAppearAtOnce();
    void theEndOfALongTableIsReached_data();
    void theEndOfALongTableIsReached();
    void arrowsAtThePageEdgeMoveThePage();
    void aSelectionSpanningScrollingIsCopiedWhole();
    void aHeaderPressSelectsTheWholeColumn();
    void badRangesAreRefusedAndClearTheTable_data();
    void badRangesAreRefusedAndClearTheTable();
    void gammaIsReadAtEveryPressAndRefusedLikeTheStrips();
    void decimalsRewriteTheCellsNotTheirTooltips();
    void ctrlCCopiesTheSelectedCellsWithAHeader();
    void copyOfTheWholeTableIsTheCommandLinesTsv();
    void savedCsvReadsBackToTheEnginesValues();
    void replacingAFileIsAskedAndCanBeRefused();
    void writeFailureIsReportedAndTheTableStays();
    void controlsFollowTheReadingOrderAndAreLegible();

private:
    QWidget* w() { return m_window.get(); }
    QTableView* view() { return child<QTableView>(w(), "Table_Rows"); }
    QString cell(int row, int column) { return view()->model()->index(row, column).data().toString(); }
    QScrollBar* rowsBar() { return child<QScrollBar>(w(), "Scroll_Rows"); }
    // The row number the view shows beside a row of its page.
    QString rowLabel(int row) { return view()->model()->headerData(row, Qt::Vertical).toString(); }
    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect rect = view()->visualRect(view()->model()->index(row, column));
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
    QString copied()
    {
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    }
    QString tip(int row, int column) { return view()->model()->index(row, column).data(Qt::ToolTipRole).toString(); }
    void makeOblique(const QString& from, const QString& to, const QString& step, const QString& m1 = "2")
    {
        QVERIFY(choose(w(), "Combo_Flow", "Oblique shock"));
        QVERIFY(choose(w(), "Combo_Input", "theta, M1 fixed"));
        type(w(), "Text_Fixed", m1);
        type(w(), "Text_From", from);
        type(w(), "Text_To", to);
        type(w(), "Text_Step", step);
        click(w(), "Command1");
    }
    static gasdyn::Solution oblique(double m1, double theta, double gamma = 1.4)
    {
        const gasdyn::Given given[] { { 0, m1 }, { 1, theta } };
        return std::get<gasdyn::Solution>(gasdyn::solve(gasdyn::Flow::ObliqueShock, gamma, given));
    }
    QString saveTo(const QString& path)
    {
        m_asked.clear();
        m_window->setFileNameSource([path](QWidget*, const QString&) { return path; });
        m_window->setReplaceQuestion([this](QWidget*, const QString& p) {
            m_asked << p;
            return m_replace;
        });
        click(w(), "Command_Save");
        return status(w());
    }

    Gas m_gas;
    std::unique_ptr<TablesWindow> m_window;
    QStringList m_asked;
    bool m_replace = false;
};

void TestTablesWindow::init()
{
    m_gas.text = "1.4";
    m_window = std::make_unique<TablesWindow>(m_gas.source());
    m_window->setFileNameSource([](QWidget*, const QString&) -> QString { qFatal("a file dialog would have opened"); });
    m_window->setReplaceQuestion([](QWidget*, const QString&) -> bool { qFatal("a question would have opened"); });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestTablesWindow::cleanup()
{
    m_window.reset();
}

void TestTablesWindow::freshWindowOffersTheUsualInputs()
{
    QCOMPARE(w()->objectName(), QString("Form_Tables"));
    QCOMPARE(w()->windowTitle(), QString("Gas tables"));
    QCOMPARE(child<QComboBox>(w(), "Combo_Input")->currentText(), QString("M"));
    QVERIFY(!child<QLineEdit>(w(), "Text_Fixed")->isVisible());
    QVERIFY(!child<QComboBox>(w(), "Combo_Branch")->isVisible());
    QVERIFY(choose(w(), "Combo_Flow", "Normal shock"));
    QCOMPARE(child<QComboBox>(w(), "Combo_Input")->currentText(), QString("M1"));
    QVERIFY(choose(w(), "Combo_Flow", "Conical shock"));
    QCOMPARE(comboTexts(w(), "Combo_Input"),
        QStringList({ "theta_c, M1 fixed", "M1, theta_c fixed", "beta, M1 fixed", "M1, beta fixed" }));
    QCOMPARE(child<QComboBox>(w(), "Combo_Input")->currentText(), QString("theta_c, M1 fixed"));
    QCOMPARE(child<QLabel>(w(), "Label_Fixed")->text(), QString("M1:"));
    QVERIFY(choose(w(), "Combo_Input", "M1, theta_c fixed"));
    QCOMPARE(child<QLabel>(w(), "Label_Fixed")->text(), QString("theta_c (degrees):"));
    QVERIFY(choose(w(), "Combo_Flow", "Prandtl-Meyer expansion"));
    QCOMPARE(child<QComboBox>(w(), "Combo_Input")->currentText(), QString("theta, M1 fixed"));
    QVERIFY(choose(w(), "Combo_Flow", "Oblique shock"));
    QCOMPARE(child<QComboBox>(w(), "Combo_Branch")->currentText(), QString("weak shock"));
    QVERIFY(!child<QAbstractButton>(w(), "Command_Save")->isEnabled());
}

void TestTablesWindow::tableHasARowPerInputWithEveryQuantity()
{
    makeOblique("0", "20", "0.5");
    QCOMPARE(view()->model()->rowCount(), 41);
    QCOMPARE(view()->model()->columnCount(), 11);
    QCOMPARE(status(w()), QString("41 rows"));
    QCOMPARE(view()->model()->headerData(2, Qt::Horizontal).toString(), QString("beta"));
    QCOMPARE(cell(0, 1), QString("0"));
    QCOMPARE(cell(20, 1), QString("10"));
    QCOMPARE(cell(20, 2), QString("39.31393"));
    QCOMPARE(cell(40, 1), QString("20"));
    for (int row : { 0, 7, 20, 33, 40 }) {
        const auto solution = oblique(2, row * 0.5);
        for (int c = 0; c < 11; ++c) {
            QCOMPARE(cell(row, c), QString::fromStdString(common::writeNumber(*solution.values[c], 5)));
            QCOMPARE(tip(row, c).toDouble(), *solution.values[c]);
        }
    }
    QVERIFY(child<QAbstractButton>(w(), "Command_Save")->isEnabled());
}

void TestTablesWindow::rowsWithoutSolutionAreLeftOutAndNamed_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("fixed");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("status");
    QTest::newRow("above the largest deflection")
        << "theta, M1 fixed"
        << "2"
        << "0"
        << "30"
        << "1" << 23 << "0"
        << "23 rows; left out 8 rows with theta from 23 to 30: theta 23 is above the largest deflection 22.9735 "
           "degrees for M1 2 (detached shock)";
    QTest::newRow("both ends")
        << "theta, M1 fixed"
        << "2"
        << "-2"
        << "25"
        << "1" << 23 << "0"
        << "23 rows; left out 2 rows with theta from -2 to -1: theta must be 0 or more; left "
           "out 3 rows with theta from 23 to 25: theta 23 is above the largest deflection 22.9735 "
           "degrees for M1 2 (detached shock)";
    QTest::newRow("one row left out below") << "Mn1, M1 fixed"
                                            << "3"
                                            << "0.9"
                                            << "3"
                                            << "0.1" << 21 << "1"
                                            << "21 rows; left out 1 row with Mn1 0.9: Mn1 must be 1 or more";
    QTest::newRow("none") << "theta, M1 fixed"
                          << "2"
                          << "30"
                          << "40"
                          << "1" << 0 << ""
                          << "No row has a solution: theta 30 is above the largest deflection 22.9735 degrees for "
                             "M1 2 (detached shock)";
}

void TestTablesWindow::rowsWithoutSolutionAreLeftOutAndNamed()
{
    QFETCH(QString, input);
    QFETCH(QString, fixed);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, step);
    QFETCH(int, rows);
    QFETCH(QString, first);
    QFETCH(QString, status);
    QVERIFY(choose(w(), "Combo_Flow", "Oblique shock"));
    QVERIFY(choose(w(), "Combo_Input", input));
    type(w(), "Text_Fixed", fixed);
    type(w(), "Text_From", from);
    type(w(), "Text_To", to);
    type(w(), "Text_Step", step);
    click(w(), "Command1");
    QCOMPARE(fixture::status(w()), status);
    QCOMPARE(view()->model()->rowCount(), rows);
    if (rows > 0)
        QCOMPARE(cell(0, input.startsWith("Mn1") ? 3 : 1), first);
    QCOMPARE(child<QAbstractButton>(w(), "Command_Save")->isEnabled(), rows > 0);
}

void TestTablesWindow::aMillionRowsAppearAtOnce()
{
    makeOblique("0", "20", "0.00002");
    QCOMPARE(status(w()), QString("1000001 rows"));
    // The view holds the rows that fit, its own bar gives way to one over the whole table.
    const int page = view()->model()->rowCount();
    QVERIFY(page > 1 && page < 100);
    QCOMPARE(view()->verticalHeader()->count(), page);
    QVERIFY(rowsBar()->isVisible());
    QVERIFY(!view()->verticalScrollBar()->isVisible());
    QCOMPARE(rowsBar()->maximum() + rowsBar()->pageStep(), 1000001);
    QCOMPARE(cell(0, 1), QString("0"));
    QCOMPARE(rowLabel(0), QString("1"));
    rowsBar()->setValue(500000);
    QCOMPARE(rowLabel(0), QString("500001"));
    QCOMPARE(cell(0, 1), QString("10"));
    QCOMPARE(cell(0, 2), QString("39.31393"));
    QCOMPARE(tip(0, 2), QString::fromStdString(flowtable::shortest(*oblique(2, 10).values[2], '.')));
}

void TestTablesWindow::theEndOfALongTableIsReached_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("bar dragged to its end") << "bar";
    QTest::newRow("ctrl+end") << "ctrl+end";
    QTest::newRow("page down") << "page down";
    QTest::newRow("wheel") << "wheel";
}

void TestTablesWindow::theEndOfALongTableIsReached()
{
    QFETCH(QString, how);
    makeOblique("0", "20", "0.0002");
    QCOMPARE(status(w()), QString("100001 rows"));
    clickCell(0, 1);
    if (how == "bar")
        rowsBar()->setValue(rowsBar()->maximum());
    if (how == "ctrl+end")
        QTest::keyClick(view(), Qt::Key_End, Qt::ControlModifier);
    for (int i = 0; how == "page down" && i < 100001; i += view()->model()->rowCount())
        QTest::keyClick(view(), Qt::Key_PageDown);
    for (int i = 0; how == "wheel" && rowsBar()->value() < rowsBar()->maximum() && i < 100001; ++i) {
        QWheelEvent wheel(QPointF(5, 5), view()->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -1200), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view()->viewport(), &wheel);
    }
    const int last = view()->model()->rowCount() - 1;
    QCOMPARE(rowLabel(last), QString("100001"));
    QCOMPARE(cell(last, 1), QString("20"));
    if (how == "ctrl+end" || how == "page down") {
        QCOMPARE(view()->currentIndex().row(), last);
        QCOMPARE(copied().section('\n', 0, 0), how == "ctrl+end" ? QString("theta_max") : QString("theta"));
    }
    QTest::keyClick(view(), Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(rowLabel(0), QString("1"));
    QCOMPARE(rowsBar()->value(), 0);
}

void TestTablesWindow::arrowsAtThePageEdgeMoveThePage()
{
    makeOblique("0", "20", "0.0002");
    const int page = view()->model()->rowCount();
    clickCell(page - 1, 1);
    QTest::keyClick(view(), Qt::Key_Down);
    QTest::keyClick(view(), Qt::Key_Down);
    QCOMPARE(rowsBar()->value(), 2);
    QCOMPARE(view()->currentIndex().row(), page - 1);
    QCOMPARE(rowLabel(page - 1), QString::number(page + 2));
    QCOMPARE(copied(), QString("theta\n%1\n").arg(tip(page - 1, 1)));
    for (int i = 0; i < page; ++i)
        QTest::keyClick(view(), Qt::Key_Up);
    QCOMPARE(rowsBar()->value(), 1);
    QCOMPARE(view()->currentIndex().row(), 0);
}

void TestTablesWindow::aSelectionSpanningScrollingIsCopiedWhole()
{
    makeOblique("0", "20", "0.0002");
    const int page = view()->model()->rowCount();
    clickCell(2, 1);
    QTest::keyClick(view(), Qt::Key_PageDown, Qt::ShiftModifier);
    QTest::keyClick(view(), Qt::Key_PageDown, Qt::ShiftModifier);
    QTest::keyClick(view(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(view(), Qt::Key_Down, Qt::ShiftModifier);
    // Rows 3 to 2 pages + 4 of the table, theta and beta.
    std::string expected = "theta\tbeta\n";
    const std::vector<int> columns { 1, 2 };
    for (int r = 2; r <= 2 * page + 3; ++r)
        flowtable::appendRow(expected, gasdyn::Flow::ObliqueShock, oblique(2, r * 0.0002), columns, '\t');
    const QStringList want = QString::fromStdString(expected).split('\n');
    const QStringList got = copied().split('\n');
    QCOMPARE(got.size(), want.size());
    QCOMPARE(got.front(), want.front());
    QCOMPARE(got.last(), want.last());
    // Back at the top the start of the selection shows as selected, and the copy is the same.
    rowsBar()->setValue(0);
    QVERIFY(view()->selectionModel()->isSelected(view()->model()->index(2, 2)));
    QVERIFY(!view()->selectionModel()->isSelected(view()->model()->index(1, 2)));
    QCOMPARE(copied().split('\n'), got);
    // A plain click drops the rows scrolled away.
    clickCell(0, 1);
    QCOMPARE(copied(), QString("theta\n0\n"));
}

void TestTablesWindow::aHeaderPressSelectsTheWholeColumn()
{
    makeOblique("0", "20", "0.0002");
    QHeaderView* header = view()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
        QPoint(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, header->height() / 2));
    const QString text = copied();
    QCOMPARE(text.count('\n'), 100002);
    QVERIFY(text.startsWith("theta\n0\n2e-04\n4e-04\n"));
    QVERIFY(text.endsWith("\n20\n"));
}

void TestTablesWindow::badRangesAreRefusedAndClearTheTable_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("status");
    QTest::newRow("step 0") << "0"
                            << "10"
                            << "0"
                            << "The step must not be 0";
    QTest::newRow("step blank") << "0"
                                << "10"
                                << ""
                                << "The step must not be 0";
    QTest::newRow("wrong sign") << "10"
                                << "0"
                                << "1"
                                << "The step must point from From towards To";
    QTest::newRow("over ten million rows") << "0"
                                           << "20"
                                           << "0.000001"
                                           << "The table would have more than 10000000 rows";
}

void TestTablesWindow::badRangesAreRefusedAndClearTheTable()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, step);
    QFETCH(QString, status);
    makeOblique("0", "20", "1");
    QCOMPARE(view()->model()->rowCount(), 21);
    makeOblique(from, to, step);
    QCOMPARE(fixture::status(w()), status);
    QCOMPARE(view()->model()->rowCount(), 0);
    QVERIFY(!child<QAbstractButton>(w(), "Command_Save")->isEnabled());
    makeOblique("0", "20", "1");
    QCOMPARE(fixture::status(w()), QString("21 rows"));
}

void TestTablesWindow::gammaIsReadAtEveryPressAndRefusedLikeTheStrips()
{
    makeOblique("0", "20", "1");
    m_gas.text = "1";
    click(w(), "Command1");
    QCOMPARE(status(w()), QString("Gamma must be greater than 1"));
    QCOMPARE(view()->model()->rowCount(), 0);
    m_gas.text = "1.3";
    click(w(), "Command1");
    QCOMPARE(view()->model()->rowCount(), 21);
    QCOMPARE(cell(10, 2), QString::fromStdString(common::writeNumber(*oblique(2, 10, 1.3).values[2], 5)));
    QVERIFY(cell(10, 2) != QString("39.31393"));
}

void TestTablesWindow::decimalsRewriteTheCellsNotTheirTooltips()
{
    makeOblique("0", "20", "1");
    const QString full = tip(10, 2);
    child<QSpinBox>(w(), "Spin_Decimals")->setValue(2);
    QCOMPARE(cell(10, 2), QString("39.31"));
    QCOMPARE(tip(10, 2), full);
    child<QSpinBox>(w(), "Spin_Decimals")->setValue(12);
    QCOMPARE(cell(10, 2), QString::fromStdString(common::writeNumber(full.toDouble(), 12)));
}

void TestTablesWindow::ctrlCCopiesTheSelectedCellsWithAHeader()
{
    makeOblique("0", "20", "1");
    auto* model = view()->model();
    QItemSelection selection(model->index(10, 1), model->index(11, 2));
    view()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    const QString text = QGuiApplication::clipboard()->text();
    QCOMPARE(text, QString("theta\tbeta\n10\t%1\n11\t%2\n").arg(tip(10, 2), tip(11, 2)));
    QVERIFY(text.startsWith("theta\tbeta\n10\t39.313931"));
}

void TestTablesWindow::copyOfTheWholeTableIsTheCommandLinesTsv()
{
    makeOblique("5", "7", "1");
    view()->selectAll();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    std::string expected = "M1\ttheta\tbeta\tMn1\tMn2\tM2\tp2/p1\trho2/rho1\tT2/T1\tp02/p01\ttheta_max\n";
    for (double theta : { 5.0, 6.0, 7.0 })
        flowtable::appendRow(expected, gasdyn::Flow::ObliqueShock, oblique(2, theta), '\t');
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromStdString(expected));
    QCOMPARE(QGuiApplication::clipboard()->text().count('\n'), 4);
}

void TestTablesWindow::savedCsvReadsBackToTheEnginesValues()
{
    QTemporaryDir dir;
    makeOblique("0", "30", "0.5");
    const QString path = dir.filePath("oblique.csv");
    QCOMPARE(saveTo(path), QString("Saved 46 rows to %1").arg(path));
    QVERIFY(m_asked.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    QCOMPARE(lines.size(), 48);
    QCOMPARE(lines[0], QString("M1,theta,beta,Mn1,Mn2,M2,p2/p1,rho2/rho1,T2/T1,p02/p01,theta_max"));
    QCOMPARE(lines[47], QString());
    for (int row = 0; row < 46; ++row) {
        const QStringList fields = lines[row + 1].split(',');
        QCOMPARE(fields.size(), 11);
        const auto solution = oblique(2, row * 0.5);
        for (int c = 0; c < 11; ++c)
            QCOMPARE(fields[c].toDouble(), *solution.values[c]);
    }
    QCOMPARE(view()->model()->rowCount(), 46);
}

void TestTablesWindow::replacingAFileIsAskedAndCanBeRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.csv");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep me\n");
    }
    makeOblique("0", "2", "1");
    m_replace = false;
    QCOMPARE(saveTo(path), QString("Not saved: %1 was left as it was").arg(path));
    QCOMPARE(m_asked, QStringList({ path }));
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("keep me\n"));
    kept.close();

    m_replace = true;
    QCOMPARE(saveTo(path), QString("Saved 3 rows to %1").arg(path));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QVERIFY(kept.readAll().startsWith("M1,theta,beta"));
}

void TestTablesWindow::writeFailureIsReportedAndTheTableStays()
{
    // The parent of the file is a regular file, so no file can be made there (whoever runs the test).
    QTemporaryDir dir;
    const QString blocker = dir.filePath("plain");
    {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    makeOblique("0", "20", "1");
    const QString path = blocker + "/table.csv";
    const QString shown = saveTo(path);
    QVERIFY2(shown.startsWith(QString("Could not save %1: ").arg(path)), qPrintable(shown));
    QVERIFY(shown.size() > QString("Could not save %1: ").arg(path).size());
    QVERIFY(!QFile::exists(path));
    QCOMPARE(view()->model()->rowCount(), 21);
    QCOMPARE(cell(10, 2), QString("39.31393"));
    QVERIFY(child<QAbstractButton>(w(), "Command_Save")->isEnabled());

    const QString proc = saveTo("/proc/flowcalc-table.csv");
    QVERIFY2(proc.startsWith("Could not save /proc/flowcalc-table.csv: "), qPrintable(proc));
    QCOMPARE(view()->model()->rowCount(), 21);
}

void TestTablesWindow::controlsFollowTheReadingOrderAndAreLegible()
{
    QVERIFY(choose(w(), "Combo_Flow", "Oblique shock"));
    const QStringList order { "Combo_Flow", "Combo_Input", "Text_Fixed", "Combo_Branch", "Text_From", "Text_To",
        "Text_Step", "Command1", "Table_Rows", "Spin_Decimals", "Command_Save" };
    QCOMPARE(tabOrder(w(), order), order);
    makeOblique("0", "20", "1");
    child<QSpinBox>(w(), "Spin_Decimals")->setValue(15);
    checkLegible(w());
    // Every column shows its widest text of the first rows whole.
    const QFontMetrics metrics = view()->fontMetrics();
    for (int c = 0; c < 11; ++c)
        QVERIFY(view()->columnWidth(c) >= metrics.horizontalAdvance(cell(0, c)));
}

QTEST_MAIN(TestTablesWindow)
#include "tst_tables_window.moc"
