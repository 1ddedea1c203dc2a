#include "expansion_wave_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const QStringList rowBoxes = { "Text_M1", "Text_Teta", "Text_M2" };
const QStringList resultBoxes = { "Text_Nu1", "Text_Nu2", "Text_p2p1", "Text_T2T1" };

// A window with its gamma text and a record of the messages it showed.
struct Fixture {
    QString gamma = "1.4";
    QStringList messages;
    ExpansionWaveWindow window { [this] { return gamma; },
        [this](QWidget*, const QString& text) { messages << text; } };

    QLineEdit* box(const QString& name) { return window.findChild<QLineEdit*>(name); }
    QWidget* control(const QString& name) { return window.findChild<QWidget*>(name); }
    QPushButton* command() { return window.findChild<QPushButton*>("Command1"); }
    bool shown(const QString& name) { return control(name)->isVisibleTo(&window); }
    QColor background(const QString& name) { return box(name)->palette().color(QPalette::Base); }

    void choose(const QString& option) { QTest::mouseClick(control(option), Qt::LeftButton); }
    void type(const QStringList& boxAndText)
    {
        for (qsizetype i = 0; i + 1 < boxAndText.size(); i += 2)
            QTest::keyClicks(box(boxAndText[i]), boxAndText[i + 1]);
    }
    void press() { QTest::mouseClick(command(), Qt::LeftButton); }

    // Everything a user sees of the boxes, the result frame and the button.
    QStringList screen()
    {
        QStringList seen { QString::number(shown("Frame1")), command()->text() };
        for (const QString& name : rowBoxes + resultBoxes)
            seen << name + "|" + box(name)->text() + "|" + QString::number(shown(name)) + "|" + background(name).name();
        return seen;
    }
};

QString outputOf(const QString& option)
{
    return QString(option).replace("Option_", "Text_");
}

} // namespace

class TestExpansionWaveWindow : public QObject {
    Q_OBJECT

private slots:
    void freshWindowShowsOnlyTheOptionsAndTheButton();
    void choosingAnOutputOpensTheOtherTwoBoxesEmptyAndWhite_data();
    void choosingAnOutputOpensTheOtherTwoBoxesEmptyAndWhite();
    void wholePressShowsTheWave_data();
    void wholePressShowsTheWave();
    void refusedPressChangesNothing_data();
    void refusedPressChangesNothing();
    void choosingAnotherOutputAfterAResultHidesItAndEmptiesTheInputs();
    void enterPressesCalculateWithTheGammaOfThatMoment();
};

void TestExpansionWaveWindow::freshWindowShowsOnlyTheOptionsAndTheButton()
{
    Fixture f;
    QCOMPARE(f.window.objectName(), QString("Form_ExpWave"));
    QCOMPARE(f.window.windowTitle(), QString("Expansion Wave"));
    QCOMPARE(f.command()->text(), QString("Choose an Output option"));
    QCOMPARE(f.window.findChild<QGroupBox*>("Frame2")->title(), QString("Output options"));
    QVERIFY(f.shown("Frame2") && !f.shown("Frame1"));
    for (const QString& name : rowBoxes)
        QVERIFY2(!f.shown(name) && f.control(name)->parentWidget() == f.control("Frame2"), qPrintable(name));
    for (const QString& name : resultBoxes)
        QCOMPARE(f.background(name), QColor(192, 192, 192));
    // caption and container of each option and label
    const QStringList captions = { "Option_M1|M1|Frame2", "Option_Teta|Teta|Frame2", "Option_M2|M2|Frame2",
        "Label6|Nu1|Frame1", "Label7|Nu2|Frame1", "Label4|p2/p1|Frame1", "Label5|T2/T1|Frame1" };
    for (const QString& row : captions) {
        const QStringList part = row.split('|');
        auto* option = f.window.findChild<QRadioButton*>(part[0]);
        QCOMPARE(option ? option->text() : f.window.findChild<QLabel*>(part[0])->text(), part[1]);
        QCOMPARE(f.control(part[0])->parentWidget(), f.control(part[2]));
        QVERIFY(!option || !option->isChecked());
    }
    QCOMPARE(f.control("Frame1")->geometry(), common::twipsRect(3720, 0, 2895, 855));
    QCOMPARE(f.control("Text_T2T1")->geometry(), common::twipsRect(2040, 480, 735, 285));
    QCOMPARE(f.box("Text_M1")->accessibleName(), QString("upstream Mach number M1"));
    // tab order: the focusable controls of the table, in its order, each with an accessible name
    const QStringList order = { "Text_Nu2", "Text_M1", "Option_M1", "Option_Teta", "Text_Teta", "Option_M2", "Text_M2",
        "Text_Nu1", "Text_p2p1", "Text_T2T1", "Command1" };
    QStringList seen;
    QWidget* w = f.control("Text_Nu2");
    for (int i = 0; i < 64 && seen.size() < order.size(); ++i, w = w->nextInFocusChain())
        if (order.contains(w->objectName()) && !seen.contains(w->objectName()) && !w->accessibleName().isEmpty())
            seen << w->objectName();
    QCOMPARE(seen, order);
}

void TestExpansionWaveWindow::choosingAnOutputOpensTheOtherTwoBoxesEmptyAndWhite_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("inputs");
    QTest::newRow("M1") << "Option_M1" << QStringList { "Text_M2", "Text_Teta" };
    QTest::newRow("Teta") << "Option_Teta" << QStringList { "Text_M1", "Text_M2" };
    QTest::newRow("M2") << "Option_M2" << QStringList { "Text_M1", "Text_Teta" };
}

void TestExpansionWaveWindow::choosingAnOutputOpensTheOtherTwoBoxesEmptyAndWhite()
{
    QFETCH(QString, chosen);
    QFETCH(QStringList, inputs);
    Fixture f;
    f.choose(chosen);
    QVERIFY(!f.shown(outputOf(chosen)) && !f.shown("Frame1"));
    for (const QString& name : inputs) {
        QVERIFY(f.shown(name));
        QCOMPARE(f.box(name)->text(), QString(""));
        QCOMPARE(f.background(name), QColor(255, 255, 255));
    }
    QCOMPARE(f.command()->text(), QString("SET Input values than CLICK"));
    QVERIFY(f.messages.isEmpty());
}

void TestExpansionWaveWindow::wholePressShowsTheWave_data()
{
    QTest::addColumn<QString>("gamma");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("typed"); // box, text, box, text
    QTest::addColumn<QStringList>("shown"); // output, Nu1, Nu2, p2/p1, T2/T1
    QTest::newRow("M2 from M1 2, Teta 10") << "1.4"
                                           << "Option_M2" << QStringList { "Text_M1", "2", "Text_Teta", "10" }
                                           << QStringList { "2.385", "26.38", "36.38", "0.548", "0.842" };
    QTest::newRow("Teta from M1 2, M2 3") << "1.4"
                                          << "Option_Teta" << QStringList { "Text_M1", "2", "Text_M2", "3" }
                                          << QStringList { "23.38", "26.38", "49.76", "0.213", "0.643" };
    QTest::newRow("Teta for M1 = M2") << "1.4"
                                      << "Option_Teta" << QStringList { "Text_M1", "2", "Text_M2", "2" }
                                      << QStringList { "0", "26.38", "26.38", "1", "1" };
    QTest::newRow("Teta negative for M2 < M1") << "1.4"
                                               << "Option_Teta" << QStringList { "Text_M1", "2.385", "Text_M2", "2" }
                                               << QStringList { "-10", "36.38", "26.38", "1.825", "1.188" };
    QTest::newRow("M1 from M2 2.5, Teta 10") << "1.4"
                                             << "Option_M1" << QStringList { "Text_M2", "2.5", "Text_Teta", "10" }
                                             << QStringList { "2.101", "29.12", "39.12", "0.536", "0.837" };
    QTest::newRow("M1 for no turn") << "1.4"
                                    << "Option_M1" << QStringList { "Text_M2", "1.5", "Text_Teta", "0" }
                                    << QStringList { "1.5", "11.91", "11.91", "1", "1" };
    QTest::newRow("gamma 1.1: the root, not the 50th iterate 4.243")
        << "1.1"
        << "Option_M2" << QStringList { "Text_M1", "3", "Text_Teta", "70" }
        << QStringList { "5.339", "74.66", "144.66", "0.003", "0.598" };
    QTest::newRow("gamma 1.1: M1 1.01, Teta 0 has M2 = M1")
        << "1.1"
        << "Option_M2" << QStringList { "Text_M1", "1.01", "Text_Teta", "0" }
        << QStringList { "1.01", "0.05", "0.05", "1", "1" };
    QTest::newRow("target near Mach 1") << "1.4"
                                        << "Option_M2" << QStringList { "Text_M1", "1.5", "Text_Teta", "-11.9" }
                                        << QStringList { "1.002", "11.91", "0.01", "1.934", "1.207" };
}

void TestExpansionWaveWindow::wholePressShowsTheWave()
{
    QFETCH(QString, gamma);
    QFETCH(QString, chosen);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, shown);
    Fixture f;
    f.gamma = gamma;
    f.choose(chosen);
    f.type(typed);
    f.press();
    QCOMPARE(f.messages, QStringList());
    const QString output = outputOf(chosen);
    QVERIFY(f.shown(output) && f.shown("Frame1"));
    QCOMPARE(f.background(output), QColor(200, 200, 200));
    QCOMPARE(f.background(typed[0]), QColor(255, 255, 255));
    QCOMPARE(f.background(typed[2]), QColor(255, 255, 255));
    QStringList seen { f.box(output)->text() };
    for (const QString& name : resultBoxes)
        seen << f.box(name)->text();
    QCOMPARE(seen, shown);
    QCOMPARE(f.box(typed[0])->text() + " " + f.box(typed[2])->text(), typed[1] + " " + typed[3]);
    QCOMPARE(f.command()->text(), QString("SET Input values than CLICK"));
}

void TestExpansionWaveWindow::refusedPressChangesNothing_data()
{
    QTest::addColumn<QString>("gamma");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("typed"); // box, text, box, text; nothing: the emptied boxes
    QTest::addColumn<QString>("message");
    const QString noSolution = "There is no solution for given M2";
    QTest::newRow("no output chosen") << "1.4"
                                      << "" << QStringList() << "Choose an Output option";
    QTest::newRow("M1, empty boxes") << "1.4"
                                     << "Option_M1" << QStringList() << "M2 must be greater than 1";
    QTest::newRow("Teta, empty boxes") << "1.4"
                                       << "Option_Teta" << QStringList() << "M1 and M2 must be greater than 1";
    QTest::newRow("M2, empty boxes") << "1.4"
                                     << "Option_M2" << QStringList() << "M1 must be greater than 1";
    QTest::newRow("M1, M2 exactly 1") << "1.4"
                                      << "Option_M1" << QStringList { "Text_M2", "1", "Text_Teta", "10" }
                                      << "M2 must be greater than 1";
    QTest::newRow("Teta, M2 below 1") << "1.4"
                                      << "Option_Teta" << QStringList { "Text_M1", "2", "Text_M2", "0.5" }
                                      << "M1 and M2 must be greater than 1";
    QTest::newRow("M1, Teta above Nu2") << "1.4"
                                        << "Option_M1" << QStringList { "Text_M2", "1.5", "Text_Teta", "20" }
                                        << noSolution;
    QTest::newRow("M2, turned back below Mach 1")
        << "1.4"
        << "Option_M2" << QStringList { "Text_M1", "2", "Text_Teta", "-30" } << noSolution;
    QTest::newRow("M1, infinite Teta") << "1.4"
                                       << "Option_M1" << QStringList { "Text_M2", "2", "Text_Teta", "1e999" }
                                       << noSolution;
    QTest::newRow("M2 beyond the largest angle") << "1.4"
                                                 << "Option_M2" << QStringList { "Text_M1", "2", "Text_Teta", "105" }
                                                 << "Nu2 must be less than 130.454076850486 degrees for this gamma";
    QTest::newRow("M2 for an infinite turn") << "1.4"
                                             << "Option_M2" << QStringList { "Text_M1", "2", "Text_Teta", "1e999" }
                                             << "Nu2 must be less than 130.454076850486 degrees for this gamma";
    QTest::newRow("M1 beyond the largest angle") << "1.4"
                                                 << "Option_M1" << QStringList { "Text_M2", "2", "Text_Teta", "-110" }
                                                 << "Nu1 must be less than 130.454076850486 degrees for this gamma";
    QTest::newRow("largest angle of a monatomic gas")
        << "1.6666666666666667"
        << "Option_M2" << QStringList { "Text_M1", "2", "Text_Teta", "80" }
        << "Nu2 must be less than 90 degrees for this gamma";
    QTest::newRow("Teta, overflow") << "1.4"
                                    << "Option_Teta" << QStringList { "Text_M1", "1e200", "Text_M2", "2" }
                                    << "The value is too large to be calculated";
    QTest::newRow("Teta, both huge") << "1.4"
                                     << "Option_Teta" << QStringList { "Text_M1", "1e300", "Text_M2", "1e300" }
                                     << "The value is too large to be calculated";
    QTest::newRow("M2, huge M1") << "1.4"
                                 << "Option_M2" << QStringList { "Text_M1", "1e200", "Text_Teta", "0" }
                                 << "The value is too large to be calculated";
    QTest::newRow("M1, huge M2") << "1.4"
                                 << "Option_M1" << QStringList { "Text_M2", "1e200", "Text_Teta", "0" }
                                 << "The value is too large to be calculated";
    QTest::newRow("gamma 1 before the Mach check") << "1"
                                                   << "Option_M2" << QStringList() << "Gamma must be greater than 1";
    QTest::newRow("gamma not a number") << "air"
                                        << "Option_Teta" << QStringList { "Text_M1", "2", "Text_M2", "3" }
                                        << "Gamma must be greater than 1";
}

void TestExpansionWaveWindow::refusedPressChangesNothing()
{
    QFETCH(QString, gamma);
    QFETCH(QString, chosen);
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    Fixture f;
    if (!chosen.isEmpty()) {
        // a Result state first, which the refused press must keep
        f.choose(chosen);
        QStringList inputs = rowBoxes;
        inputs.removeOne(outputOf(chosen));
        f.type({ inputs[0], "2", inputs[1], "3" });
        f.press();
        QVERIFY(f.messages.isEmpty() && f.shown("Frame1"));
        for (const QString& name : inputs)
            f.box(name)->clear();
    }
    f.type(typed);
    f.gamma = gamma;
    const QStringList before = f.screen();
    f.press();
    QCOMPARE(f.messages, QStringList { message });
    QCOMPARE(f.screen(), before);
}

void TestExpansionWaveWindow::choosingAnotherOutputAfterAResultHidesItAndEmptiesTheInputs()
{
    Fixture f;
    f.choose("Option_M2");
    f.type({ "Text_M1", "2", "Text_Teta", "10" });
    f.press();
    f.choose("Option_M1");
    QVERIFY(!f.shown("Frame1") && !f.shown("Text_M1"));
    QCOMPARE(f.box("Text_M1")->text(), QString("2")); // the hidden box keeps its text
    QCOMPARE(f.box("Text_M2")->text() + f.box("Text_Teta")->text(), QString(""));
    QCOMPARE(f.background("Text_M2"), QColor(255, 255, 255));
    QCOMPARE(f.box("Text_Nu1")->text(), QString("26.38")); // results are hidden, not cleared
    // a click on the selected option runs its handler again
    f.type({ "Text_M2", "3" });
    f.choose("Option_M1");
    QCOMPARE(f.box("Text_M2")->text(), QString(""));
    QCOMPARE(f.command()->text(), QString("SET Input values than CLICK"));
}

void TestExpansionWaveWindow::enterPressesCalculateWithTheGammaOfThatMoment()
{
    Fixture f;
    f.choose("Option_M2");
    f.type({ "Text_M1", "2", "Text_Teta", "10" });
    QTest::keyClick(f.box("Text_Teta"), Qt::Key_Return);
    QCOMPARE(f.box("Text_M2")->text(), QString("2.385"));
    f.gamma = "1.3";
    QTest::keyClick(f.box("Text_M1"), Qt::Key_Enter);
    QStringList seen { f.box("Text_M2")->text() };
    for (const QString& name : resultBoxes)
        seen << f.box(name)->text();
    QCOMPARE(seen, (QStringList { "2.336", "28.68", "38.68", "0.575", "0.88" }));
}

QTEST_MAIN(TestExpansionWaveWindow)
#include "tst_expansion_wave_window.moc"
