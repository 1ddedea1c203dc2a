// What the seven windows let the user take away beyond the rounded boxes: the full-precision tooltips,
// the gamma limits of the gas property box, the copied results table, and the answer each press tells.
#include "seven_windows.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLocale>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(common::Answer)

class TestShellReadout : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void computedBoxesTellTheFullValue_data();
    void computedBoxesTellTheFullValue();
    void refusedPressLeavesTheOldTooltip();
    void optionClickOrTypingRemovesTheTooltip();
    void gasBoxTellsTheLimitsOfItsGamma_data();
    void gasBoxTellsTheLimitsOfItsGamma();
    void gasBoxLimitsUseTheCommaOfTheLocale();
    void copiedTableListsGammaAndEveryVisibleBox_data();
    void copiedTableListsGammaAndEveryVisibleBox();
    void copyIsOfferedOnTheWindowAndFramesAndByShortcut();
    void pressTellsItsAnswer_data();
    void pressTellsItsAnswer();

private:
    void open(const QString& window, const QString& gamma = "1.4")
    {
        m_form = probe::makeWindow(window, gamma, m_messages);
        m_form->show();
    }
    QLineEdit* box(const QString& name) { return m_form->findChild<QLineEdit*>(name); }
    common::CalculatorForm* form() { return qobject_cast<common::CalculatorForm*>(m_form.get()); }

    QStringList m_messages;
    std::unique_ptr<QWidget> m_form;
};

void TestShellReadout::init()
{
    m_messages.clear();
}

void TestShellReadout::cleanup()
{
    m_form.reset();
    QLocale::setDefault(QLocale::c());
}

void TestShellReadout::computedBoxesTellTheFullValue_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("gamma");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("boxName");
    // The shortest text that reads back to the same double; an iterated value also says how it was found.
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("normal shock M2 of M1 2") << "Form_NmShock"
                                             << "1.4"
                                             << "Option_M1;Text_M1=2;press"
                                             << "Text_M2"
                                             << "0.5773502691896257";
    QTest::newRow("normal shock typed M1 has none") << "Form_NmShock"
                                                    << "1.4"
                                                    << "Option_M1;Text_M1=2;press"
                                                    << "Text_M1"
                                                    << "";
    QTest::newRow("normal shock M1 of Po2/P1 iterated") << "Form_NmShock"
                                                        << "1.4"
                                                        << "Option_Po2P1;Text_Po2P1=5.64044;press"
                                                        << "Text_M1"
                                                        << "1.999999600403821\nfixed-point iteration, 8 passes";
    QTest::newRow("isentropic M of nu 0 iterated") << "Form_IseFlow"
                                                   << "1.4"
                                                   << "Option_Nu;Text_Nu=0;press"
                                                   << "Text_M"
                                                   << "1.0000393920120498\nNewton iteration, 9 passes";
    QTest::newRow("isentropic written-back input has none") << "Form_IseFlow"
                                                            << "1.4"
                                                            << "Option_PoP;Text_PoP=7.8244;press"
                                                            << "Text_PoP"
                                                            << "";
    QTest::newRow("isentropic Po/P of M 2") << "Form_IseFlow"
                                            << "1.4"
                                            << "Option_M;Text_M=2;press"
                                            << "Text_PoP"
                                            << "7.824449066867263";
    QTest::newRow("heat addition subsonic root") << "Form_HeatFlo"
                                                 << "1.4"
                                                 << "Option_ToToStar;Text_ToToStar=0.8;press"
                                                 << "Text_M"
                                                 << "0.5830491690696401";
    QTest::newRow("friction supersonic stepping") << "Form_FricFlo"
                                                  << "1.4"
                                                  << "Option_FLD4;Text_FLD4=0.5;press"
                                                  << "Text_Msup"
                                                  << "2.8603515625\nstepping search, 18 passes";
    QTest::newRow("friction supersonic bracketed") << "Form_FricFlo"
                                                   << "1.4"
                                                   << "Option_FLD4;Text_FLD4=0.8;press"
                                                   << "Text_Msup"
                                                   << "12.769347587134689\nbracketed root";
    QTest::newRow("friction ratio of M 2") << "Form_FricFlo"
                                           << "1.4"
                                           << "Option_M;Text_Msub=2;press"
                                           << "Text_PPstar"
                                           << "0.408248290463863";
    QTest::newRow("oblique shock weak beta") << "Form_OblShock"
                                             << "1.4"
                                             << "Option_Beta;Text_M1=2;Text_Teta=10;press"
                                             << "Text_Beta"
                                             << "39.31393184481842\nNewton iteration, 4 passes";
    QTest::newRow("oblique shock M1 closed form") << "Form_OblShock"
                                                  << "1.4"
                                                  << "Option_M1;Text_Teta=10;Text_Beta=40;press"
                                                  << "Text_M1"
                                                  << "1.9667966166259971";
    QTest::newRow("expansion M2 iterated") << "Form_ExpWave"
                                           << "1.4"
                                           << "Option_M2;Text_M1=2;Text_Teta=10;press"
                                           << "Text_M2"
                                           << "2.384887094672204\nNewton iteration, 4 passes";
    QTest::newRow("expansion M2 bracketed") << "Form_ExpWave"
                                            << "1.1"
                                            << "Option_M2;Text_M1=1.01;Text_Teta=0;press"
                                            << "Text_M2"
                                            << "1.0100000018856756\nbracketed root";
}

void TestShellReadout::computedBoxesTellTheFullValue()
{
    QFETCH(QString, window);
    QFETCH(QString, gamma);
    QFETCH(QString, steps);
    QFETCH(QString, boxName);
    QFETCH(QString, tooltip);
    open(window, gamma);
    QVERIFY(probe::runSteps(m_form.get(), steps));
    QCOMPARE(box(boxName)->toolTip(), tooltip);
}

void TestShellReadout::refusedPressLeavesTheOldTooltip()
{
    open("Form_NmShock");
    QVERIFY(probe::runSteps(m_form.get(), "Option_M1;Text_M1=2;press;Text_M1=0.5;press"));
    QCOMPARE(m_messages, QStringList { "M1 must be equal or greater than 1" });
    QCOMPARE(box("Text_M2")->text(), QString("0.57735"));
    QCOMPARE(box("Text_M2")->toolTip(), QString("0.5773502691896257"));
    // A new press replaces it.
    QVERIFY(probe::runSteps(m_form.get(), "Text_M1=3;press"));
    QCOMPARE(box("Text_M2")->toolTip(), QString("0.4751909633114914"));
}

void TestShellReadout::optionClickOrTypingRemovesTheTooltip()
{
    open("Form_IseFlow");
    QVERIFY(probe::runSteps(m_form.get(), "Option_M;Text_M=2;press"));
    QVERIFY(!box("Text_PoP")->toolTip().isEmpty());
    QVERIFY(!box("Text_ToT")->toolTip().isEmpty());
    QVERIFY(probe::runSteps(m_form.get(), "Option_PoP"));
    QCOMPARE(box("Text_PoP")->text(), QString(" "));
    QCOMPARE(box("Text_PoP")->toolTip(), QString());
    // A grey box typed into no longer shows the value of its tooltip.
    QTest::keyClicks(box("Text_ToT"), "9");
    QCOMPARE(box("Text_ToT")->toolTip(), QString());
    QVERIFY(!box("Text_RoR")->toolTip().isEmpty()); // hidden with the frame, unchanged
}

void TestShellReadout::gasBoxTellsTheLimitsOfItsGamma_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("air") << "1.4"
                         << QString::fromUtf8("Limits for γ = 1.4:\n"
                                              "largest Prandtl-Meyer turning angle 130.454°\n"
                                              "smallest normal-shock M2 0.37796\n"
                                              "lowest To/To* with a supersonic Rayleigh root 0.4898\n"
                                              "largest supersonic 4fL*/D 0.8215");
    QTest::newRow("monatomic") << "1.67"
                               << QString::fromUtf8("Limits for γ = 1.67:\n"
                                                    "largest Prandtl-Meyer turning angle 89.664°\n"
                                                    "smallest normal-shock M2 0.44788\n"
                                                    "lowest To/To* with a supersonic Rayleigh root 0.6414\n"
                                                    "largest supersonic 4fL*/D 0.5064");
    QTest::newRow("one") << "1"
                         << "Gamma must be greater than 1";
    QTest::newRow("no number") << "air"
                               << "Gamma must be greater than 1";
    QTest::newRow("blank") << ""
                           << "Gamma must be greater than 1";
}

void TestShellReadout::gasBoxTellsTheLimitsOfItsGamma()
{
    QFETCH(QString, typed);
    QFETCH(QString, tooltip);
    open("Form_Properties");
    QLineEdit* gama = box("Text_Gama");
    gama->clear();
    QTest::keyClicks(gama, typed);
    QCOMPARE(gama->toolTip(), tooltip);
}

void TestShellReadout::gasBoxLimitsUseTheCommaOfTheLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    open("Form_Properties");
    QLineEdit* gama = box("Text_Gama");
    gama->clear();
    QTest::keyClicks(gama, "1,4");
    QCOMPARE(gama->toolTip(),
        QString::fromUtf8("Limits for γ = 1,4:\n"
                          "largest Prandtl-Meyer turning angle 130,454°\n"
                          "smallest normal-shock M2 0,37796\n"
                          "lowest To/To* with a supersonic Rayleigh root 0,4898\n"
                          "largest supersonic 4fL*/D 0,8215"));
    gama->clear();
    QTest::keyClicks(gama, "0,9");
    QCOMPARE(gama->toolTip(), QString("Gamma must be greater than 1"));
}

void TestShellReadout::copiedTableListsGammaAndEveryVisibleBox_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("gamma");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("table");
    QTest::newRow("isentropic fresh") << "Form_IseFlow"
                                      << "1.4"
                                      << "" << QString::fromUtf8("quantity\tshown\tfull precision\nγ\t1.4\t1.4\n");
    QTest::newRow("isentropic M 2")
        << "Form_IseFlow"
        << "1.4"
        << "Option_M;Text_M=2;press"
        << QString::fromUtf8("quantity\tshown\tfull precision\nγ\t1.4\t1.4\nρo/ρ\t4.3469\t4.3469161482595915\nM "
                             "(input)\t2\t2\nPo/P\t7.8244\t7.824449066867263\nTo/"
                             "T\t1.8\t1.7999999999999998\nν\t26.38\t26.379760813416457\nμ\t30\t30.000000000000004\n");
    QTest::newRow("normal shock Po2/P1")
        << "Form_NmShock"
        << "1.4"
        << "Option_Po2P1;Text_Po2P1=5.64044;press"
        << QString::fromUtf8(
               "quantity\tshown\tfull "
               "precision\nγ\t1.4\t1.4\nP2/P1\t4.5\t4.499998135218018\nT2/T1\t1.6875\t1.6874996753281313\nρ2/"
               "ρ1\t2.66667\t2.666666074672282\nM1\t2\t1.999999600403821\nM2\t0.57735\t0.5773503375472614\nPo2/"
               "Po1\t0.72087\t0.720874048189289\nPo2/P1 (input)\t5.64044\t5.64044\n");
    QTest::newRow("heat addition To/To*")
        << "Form_HeatFlo"
        << "1.4"
        << "Option_ToToStar;Text_ToToStar=0.8;press"
        << QString::fromUtf8(
               "quantity\tshown\tfull precision\nγ\t1.4\t1.4\nM "
               "supersonic\t1.96738\t1.9673789625378926\nM\t0.58305\t0.5830491690696401\nTo/To* (input)\t0.8\t0.8\n");
    QTest::newRow("friction 4fL*/D g 1.3")
        << "Form_FricFlo"
        << "1.3"
        << "Option_FLD4;Text_FLD4=0.5;press"
        << QString::fromUtf8("quantity\tshown\tfull precision\nγ\t1.3\t1.3\nM\t0.6098\t0.60980224609375\nM "
                             "supersonic\t2.4502\t2.4501953125\n4fL*/D (input)\t0.5\t0.5\n");
    QTest::newRow("oblique shock strong")
        << "Form_OblShock"
        << "1.4"
        << "Option_Beta;Option_Strong;Text_M1=2;Text_Teta=10;press"
        << QString::fromUtf8(
               "quantity\tshown\tfull "
               "precision\nγ\t1.4\t1.4\nMn1\t1.988\t1.987922218783688\nMn2\t0.579\t0.5794324302967843\nM2\t0.604\t0."
               "6036976431062597\np2/p1\t4.4438\t4.443807205922838\nT2/T1\t1.6777\t1.6777113373265946\nM1 "
               "(input)\t2\t2\nθ (input)\t10\t10\nβ\t83.7\t83.70008037574692\n");
    QTest::newRow("expansion M2")
        << "Form_ExpWave"
        << "1.4"
        << "Option_M2;Text_M1=2;Text_Teta=10;press"
        << QString::fromUtf8(
               "quantity\tshown\tfull precision\nγ\t1.4\t1.4\nNu2\t36.38\t36.37976081341645\nM1 (input)\t2\t2\nTeta "
               "(input)\t10\t10\nM2\t2.385\t2.384887094672204\nNu1\t26.38\t26.379760813416457\np2/"
               "p1\t0.548\t0.5479687825649373\nT2/T1\t0.842\t0.8420905720293056\n");
}

void TestShellReadout::copiedTableListsGammaAndEveryVisibleBox()
{
    QFETCH(QString, window);
    QFETCH(QString, gamma);
    QFETCH(QString, steps);
    QFETCH(QString, table);
    open(window, gamma);
    QVERIFY(probe::runSteps(m_form.get(), steps));
    form()->copyResultsAction()->trigger();
    const QString copied = QGuiApplication::clipboard()->text();
    if (copied != table)
        qInfo().noquote() << copied.split('\n').join(" // ");
    QCOMPARE(copied, table);
}

// The window and its frames offer "Copy results" in their context menu; the boxes keep their own menu.
void TestShellReadout::copyIsOfferedOnTheWindowAndFramesAndByShortcut()
{
    open("Form_OblShock");
    QAction* copy = form()->copyResultsAction();
    QCOMPARE(copy->text(), QString("Copy results"));
    QCOMPARE(copy->shortcut(), QKeySequence("Ctrl+Shift+C"));
    QCOMPARE(m_form->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(m_form->actions().contains(copy));
    for (const char* name : { "Frame1", "Frame2", "Frame3" }) {
        auto* frame = m_form->findChild<QGroupBox*>(name);
        QCOMPARE(frame->contextMenuPolicy(), Qt::ActionsContextMenu);
        QVERIFY(frame->actions().contains(copy));
    }
    QCOMPARE(box("Text_M1")->contextMenuPolicy(), Qt::DefaultContextMenu);

    QVERIFY(probe::runSteps(m_form.get(), "Option_Teta;Text_M1=2;Text_Beta=40;press"));
    QGuiApplication::clipboard()->clear();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    box("Text_M1")->setFocus();
    QTest::keyClick(box("Text_M1"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith("quantity\tshown\tfull precision\n"));
    QCOMPARE(QGuiApplication::clipboard()->text(), form()->resultsTable());
}

void TestShellReadout::pressTellsItsAnswer_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("gamma");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("refused"); // a press refused first, which tells nothing
    // gamma|flow|mach|branch|otherMach|theta|beta, numbers to 6 significant digits, "-" when absent
    QTest::addColumn<QString>("answer");
    QTest::newRow("isentropic Po/P") << "Form_IseFlow"
                                     << "1.4"
                                     << "Option_PoP;Text_PoP=7.8244;press"
                                     << "Option_PoP;Text_PoP=1;press"
                                     << "1.4|isentropic|2|-|-|-|-";
    QTest::newRow("normal shock M2") << "Form_NmShock"
                                     << "1.3"
                                     << "Option_M2;Text_M2=0.5;press"
                                     << "Option_M2;Text_M2=2;press"
                                     << "1.3|normal-shock|2.43487|-|-|-|-";
    QTest::newRow("heat addition M") << "Form_HeatFlo"
                                     << "1.4"
                                     << "Option_M;Text_M=2;press"
                                     << "Option_M;Text_M=0;press"
                                     << "1.4|rayleigh|2|-|-|-|-";
    QTest::newRow("heat addition two roots") << "Form_HeatFlo"
                                             << "1.4"
                                             << "Option_ToToStar;Text_ToToStar=0.8;press"
                                             << "Option_ToToStar;Text_ToToStar=2;press"
                                             << "1.4|rayleigh|0.583049|sub|1.96738|-|-";
    QTest::newRow("heat addition subsonic root only") << "Form_HeatFlo"
                                                      << "1.4"
                                                      << "Option_ToToStar;Text_ToToStar=0.3;press"
                                                      << "Option_ToToStar;Text_ToToStar=-1;press"
                                                      << "1.4|rayleigh|0.274274|sub|-|-|-";
    QTest::newRow("friction M") << "Form_FricFlo"
                                << "1.4"
                                << "Option_M;Text_Msub=2;press"
                                << "Option_M;Text_Msub=0;press"
                                << "1.4|fanno|2|-|-|-|-";
    QTest::newRow("friction two roots") << "Form_FricFlo"
                                        << "1.4"
                                        << "Option_FLD4;Text_FLD4=0.5;press"
                                        << "Option_FLD4;Text_FLD4=-1;press"
                                        << "1.4|fanno|0.597717|sub|2.86035|-|-";
    QTest::newRow("oblique shock strong beta") << "Form_OblShock"
                                               << "1.4"
                                               << "Option_Beta;Option_Strong;Text_M1=2;Text_Teta=10;press"
                                               << "Option_Beta;Option_Strong;Text_M1=2;Text_Teta=25;press"
                                               << "1.4|oblique-shock|2|strong|-|10|83.7001";
    QTest::newRow("oblique shock weak beta") << "Form_OblShock"
                                             << "1.4"
                                             << "Option_Beta;Text_M1=2;Text_Teta=10;press"
                                             << "Option_Beta;Text_M1=1;Text_Teta=10;press"
                                             << "1.4|oblique-shock|2|weak|-|10|39.3139";
    QTest::newRow("oblique shock M1") << "Form_OblShock"
                                      << "1.4"
                                      << "Option_M1;Text_Teta=10;Text_Beta=40;press"
                                      << "Option_M1;Text_Teta=45;Text_Beta=60;press"
                                      << "1.4|oblique-shock|1.9668|-|-|10|40";
    QTest::newRow("expansion M1") << "Form_ExpWave"
                                  << "1.4"
                                  << "Option_M1;Text_M2=2.385;Text_Teta=10;press"
                                  << "Option_M1;Text_M2=1;Text_Teta=10;press"
                                  << "1.4|prandtl-meyer|2.00008|-|-|10|-";
}

void TestShellReadout::pressTellsItsAnswer()
{
    QFETCH(QString, window);
    QFETCH(QString, gamma);
    QFETCH(QString, steps);
    QFETCH(QString, refused);
    QFETCH(QString, answer);
    open(window, gamma);
    QSignalSpy spy(form(), &common::CalculatorForm::answered);
    QVERIFY(probe::runSteps(m_form.get(), refused));
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(spy.count(), 0);
    QVERIFY(probe::runSteps(m_form.get(), steps));
    QCOMPARE(spy.count(), 1);
    const auto told = spy.at(0).at(0).value<common::Answer>();
    const auto number
        = [](std::optional<double> value) { return value ? QString::number(*value, 'g', 6) : QString("-"); };
    const QString seen = QStringList { number(told.gamma), QString::fromStdString(told.flow), number(told.mach),
        told.branch.empty() ? QString("-") : QString::fromStdString(told.branch), number(told.otherMach),
        number(told.theta), number(told.beta) }
                             .join('|');
    QCOMPARE(seen, answer);
}

QTEST_MAIN(TestShellReadout)
#include "tst_shell_readout.moc"
