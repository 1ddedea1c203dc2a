// Every caption and value of the seven windows fits the room the style gives its text, in the fresh state
// and after each example press of every calculator. Run once per scale factor (QT_SCALE_FACTOR).
#include "interface_style.h"
#include "seven_windows.h"
#include "window_probe.h"

#include <QApplication>
#include <QtTest>

#include <memory>

namespace {

// One example: the window, gamma, the steps a user takes ("Option_M" clicks an option, "Text_M=2" types
// into a box, "press" presses the calculate button), and the controls left too narrow for their text.
struct Example {
    const char* name;
    const char* window;
    const char* gamma;
    const char* steps;
    QStringList unfit;
};

const Example examples[] = {
    { "gas properties fresh", "Form_Properties", "1.4", "", {} },
    { "isentropic fresh", "Form_IseFlow", "1.4", "", {} },
    { "isentropic M chosen", "Form_IseFlow", "1.4", "Option_M", {} },
    { "isentropic Po/P chosen", "Form_IseFlow", "1.4", "Option_PoP", {} },
    { "isentropic To/T chosen", "Form_IseFlow", "1.4", "Option_ToT", {} },
    { "isentropic nu chosen", "Form_IseFlow", "1.4", "Option_Nu", {} },
    { "isentropic mu chosen", "Form_IseFlow", "1.4", "Option_Mu", {} },
    { "isentropic M 2", "Form_IseFlow", "1.4", "Option_M;Text_M=2;press", {} },
    { "isentropic M 1", "Form_IseFlow", "1.4", "Option_M;Text_M=1;press", {} },
    { "isentropic M 0.5", "Form_IseFlow", "1.4", "Option_M;Text_M=0.5;press", {} },
    { "isentropic Po/P 1.0001", "Form_IseFlow", "1.4", "Option_PoP;Text_PoP=1.0001;press", {} },
    { "isentropic Po/P 7.8244", "Form_IseFlow", "1.4", "Option_PoP;Text_PoP=7.8244;press", {} },
    { "isentropic mu 90", "Form_IseFlow", "1.4", "Option_Mu;Text_Mu=90;press", {} },
    { "isentropic mu 1", "Form_IseFlow", "1.4", "Option_Mu;Text_Mu=1;press",
        { "Text_RoR 11090487.6395", "Text_PoP 7293414548.0863", "Text_ToT 657.6279" } },
    { "isentropic nu 0", "Form_IseFlow", "1.4", "Option_Nu;Text_Nu=0;press", {} },
    { "isentropic nu 90", "Form_IseFlow", "1.4", "Option_Nu;Text_Nu=90;press", { "Text_PoP 3506.7765" } },
    { "isentropic nu 26.38", "Form_IseFlow", "1.4", "Option_Nu;Text_Nu=26.38;press", {} },
    { "normal shock fresh", "Form_NmShock", "1.4", "", {} },
    { "normal shock M1 chosen", "Form_NmShock", "1.4", "Option_M1", {} },
    { "normal shock M1 2", "Form_NmShock", "1.4", "Option_M1;Text_M1=2;press", {} },
    { "normal shock M1 1", "Form_NmShock", "1.4", "Option_M1;Text_M1=1;press", {} },
    { "normal shock M1 10", "Form_NmShock", "1.4", "Option_M1;Text_M1=10;press", { "Text_Po2P1 129.21697" } },
    { "normal shock M2 0.5", "Form_NmShock", "1.4", "Option_M2;Text_M2=0.5;press", {} },
    { "normal shock M2 1", "Form_NmShock", "1.4", "Option_M2;Text_M2=1;press", {} },
    { "normal shock Po2/P1 5.64044", "Form_NmShock", "1.4", "Option_Po2P1;Text_Po2P1=5.64044;press", {} },
    { "normal shock Po2/P1 1.8929", "Form_NmShock", "1.4", "Option_Po2P1;Text_Po2P1=1.8929;press", {} },
    { "normal shock Po2/P1 1000", "Form_NmShock", "1.4", "Option_Po2P1;Text_Po2P1=1000;press", { "Text_M1 27.86226" } },
    { "normal shock Po2/P1 100", "Form_NmShock", "1.4", "Option_Po2P1;Text_Po2P1=100;press", {} },
    { "heat addition fresh", "Form_HeatFlo", "1.4", "", {} },
    { "heat addition To/To* chosen", "Form_HeatFlo", "1.4", "Option_ToToStar", {} },
    { "heat addition M 2", "Form_HeatFlo", "1.4", "Option_M;Text_M=2;press", {} },
    { "heat addition M 0.5", "Form_HeatFlo", "1.4", "Option_M;Text_M=0.5;press", {} },
    { "heat addition M 1", "Form_HeatFlo", "1.4", "Option_M;Text_M=1;press", {} },
    { "heat addition To/To* 1", "Form_HeatFlo", "1.4", "Option_ToToStar;Text_ToToStar=1;press", {} },
    { "heat addition To/To* 0.8", "Form_HeatFlo", "1.4", "Option_ToToStar;Text_ToToStar=0.8;press", {} },
    { "heat addition To/To* 0.69136", "Form_HeatFlo", "1.4", "Option_ToToStar;Text_ToToStar=0.69136;press", {} },
    { "heat addition To/To* 0.5", "Form_HeatFlo", "1.4", "Option_ToToStar;Text_ToToStar=0.5;press",
        { "Text_Msup 13.03276" } },
    { "heat addition To/To* 0.99999", "Form_HeatFlo", "1.4", "Option_ToToStar;Text_ToToStar=0.99999;press", {} },
    { "friction fresh", "Form_FricFlo", "1.4", "", {} },
    { "friction 4fL*/D chosen", "Form_FricFlo", "1.4", "Option_FLD4", {} },
    { "friction M 2", "Form_FricFlo", "1.4", "Option_M;Text_Msub=2;press", {} },
    { "friction M 0.5", "Form_FricFlo", "1.4", "Option_M;Text_Msub=0.5;press", {} },
    { "friction M 1", "Form_FricFlo", "1.4", "Option_M;Text_Msub=1;press", {} },
    { "friction 4fL*/D 0.5", "Form_FricFlo", "1.4", "Option_FLD4;Text_FLD4=0.5;press", {} },
    { "friction 4fL*/D 0", "Form_FricFlo", "1.4", "Option_FLD4;Text_FLD4=0;press", {} },
    { "friction 4fL*/D 0.8", "Form_FricFlo", "1.4", "Option_FLD4;Text_FLD4=0.8;press", {} },
    { "oblique shock fresh", "Form_OblShock", "1.4", "", {} },
    { "oblique shock beta chosen", "Form_OblShock", "1.4", "Option_Beta", {} },
    { "oblique shock theta chosen", "Form_OblShock", "1.4", "Option_Teta", {} },
    { "oblique shock beta weak M1 2 theta 10", "Form_OblShock", "1.4", "Option_Beta;Text_M1=2;Text_Teta=10;press", {} },
    { "oblique shock beta strong M1 2 theta 10", "Form_OblShock", "1.4",
        "Option_Beta;Option_Strong;Text_M1=2;Text_Teta=10;press", {} },
    { "oblique shock beta weak M1 3 theta 20", "Form_OblShock", "1.4", "Option_Beta;Text_M1=3;Text_Teta=20;press", {} },
    { "oblique shock beta strong M1 3 theta 20", "Form_OblShock", "1.4",
        "Option_Beta;Option_Strong;Text_M1=3;Text_Teta=20;press", {} },
    { "oblique shock beta weak M1 2 theta 0", "Form_OblShock", "1.4", "Option_Beta;Text_M1=2;Text_Teta=0;press", {} },
    { "oblique shock beta weak g 1.67", "Form_OblShock", "1.67", "Option_Beta;Text_M1=2;Text_Teta=10;press", {} },
    { "oblique shock theta M1 2 beta 40", "Form_OblShock", "1.4", "Option_Teta;Text_M1=2;Text_Beta=40;press", {} },
    { "oblique shock theta M1 2 beta 90", "Form_OblShock", "1.4", "Option_Teta;Text_M1=2;Text_Beta=90;press", {} },
    { "oblique shock M1 theta 10 beta 40", "Form_OblShock", "1.4", "Option_M1;Text_Teta=10;Text_Beta=40;press", {} },
    { "oblique shock M1 theta 0 beta 30", "Form_OblShock", "1.4", "Option_M1;Text_Teta=0;Text_Beta=30;press", {} },
    { "oblique shock M1 theta 30 beta 40", "Form_OblShock", "1.4", "Option_M1;Text_Teta=30;Text_Beta=40;press", {} },
    { "expansion fresh", "Form_ExpWave", "1.4", "", {} },
    { "expansion M2 chosen", "Form_ExpWave", "1.4", "Option_M2", {} },
    { "expansion M2 from M1 2 theta 10", "Form_ExpWave", "1.4", "Option_M2;Text_M1=2;Text_Teta=10;press", {} },
    { "expansion theta M1 = M2", "Form_ExpWave", "1.4", "Option_Teta;Text_M1=2;Text_M2=2;press", {} },
    { "expansion theta M2 below M1", "Form_ExpWave", "1.4", "Option_Teta;Text_M1=2.385;Text_M2=2;press", {} },
    { "expansion M1 theta 0", "Form_ExpWave", "1.4", "Option_M1;Text_M2=2;Text_Teta=0;press", {} },
    { "expansion M1 M2 2.385 theta 10", "Form_ExpWave", "1.4", "Option_M1;Text_M2=2.385;Text_Teta=10;press", {} },
};

} // namespace

class TestShellFit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyCaptionAndValueFits_data();
    void everyCaptionAndValueFits();
};

void TestShellFit::initTestCase()
{
    common::applyInterfaceStyle(*qApp);
    const QFontInfo used(common::interfaceFont());
    qInfo() << "interface font" << used.family() << used.pixelSize() << "px, scale factor"
            << qEnvironmentVariable("QT_SCALE_FACTOR", "1");
}

void TestShellFit::everyCaptionAndValueFits_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("gamma");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("expectedUnfit");
    for (const Example& e : examples)
        QTest::newRow(e.name) << e.window << e.gamma << e.steps << e.unfit;
}

// A value too wide for its box even so keeps showing its leading digits, and its tooltip the whole value.
void TestShellFit::everyCaptionAndValueFits()
{
    QFETCH(QString, window);
    QFETCH(QString, gamma);
    QFETCH(QString, steps);
    QFETCH(QStringList, expectedUnfit);
    QStringList messages;
    const std::unique_ptr<QWidget> form = probe::makeWindow(window, gamma, messages);
    form->show();
    QVERIFY(probe::runSteps(form.get(), steps));
    const QStringList found = probe::unfit(form.get());
    QStringList names;
    for (const QString& entry : found)
        names << entry.section(" (", 0, 0);
    if (names != expectedUnfit)
        qWarning() << "unfit:" << found << "messages:" << messages;
    QCOMPARE(names, expectedUnfit);
    for (const QString& entry : names) {
        auto* box = form->findChild<QLineEdit*>(entry.section(' ', 0, 0));
        QVERIFY(box);
        QCOMPARE(box->cursorPosition(), 0);
        QVERIFY(box->toolTip().startsWith(entry.section(' ', 1).left(5)));
    }
}

QTEST_MAIN(TestShellFit)
#include "tst_shell_fit.moc"
