#include "oblique_shock_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {

const QStringList rowBoxes { "Text_M1", "Text_Teta", "Text_Beta" };
const QStringList resultBoxes { "Text_Mn1", "Text_Mn2", "Text_M2", "Text_p2p1", "Text_T2T1" };

const QColor white(255, 255, 255);
const QColor grey(200, 200, 200);
const QColor frameGrey(192, 192, 192);

} // namespace

class TestObliqueShockWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void freshWindowAsksForAnOutput();
    void choosingAnOutputShowsItsTwoEmptyWhiteInputs_data();
    void choosingAnOutputShowsItsTwoEmptyWhiteInputs();
    void pressShowsTheOutputAndTheFlowBehindTheShock_data();
    void pressShowsTheOutputAndTheFlowBehindTheShock();
    void refusedPressChangesNothing_data();
    void refusedPressChangesNothing();
    void unconvergedWaveAngleShowsNoStaleResult();
    void weakShockNearGammaOneIsNotTheStrongOne();
    void pressWithoutAnOutputAsksForOne();
    void emptyBoxesReadAsZero_data();
    void emptyBoxesReadAsZero();
    void weakOrStrongChoiceIsKeptAcrossOutputs();
    void choosingAnotherOutputHidesResultsAndEmptiesItsInputs();
    void enterInABoxPresses();
    void gammaIsReadAtEveryPress();
    void decimalCommaRoundTrips();
    void controlsFollowTheTabOrderAndTheirDesign();

private:
    template <class T = QWidget>
    T* child(const QString& name)
    {
        return m_window->findChild<T*>(name);
    }
    QLineEdit* box(const QString& name) { return child<QLineEdit>(name); }
    QString caption() { return child<QPushButton>("Command1")->text(); }
    void choose(const char* optionName) { QTest::mouseClick(child<QRadioButton>(optionName), Qt::LeftButton); }
    void type(const QString& boxName, const QString& text)
    {
        box(boxName)->clear();
        QTest::keyClicks(box(boxName), text);
    }
    void press() { QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton); }
    // Texts of M1, Teta, Beta, then the five results.
    QString texts()
    {
        QStringList all;
        for (const QString& name : rowBoxes + resultBoxes)
            all << box(name)->text();
        return all.join('|');
    }
    // Visibility of M1, Teta, Beta, the weak/strong frame and the result frame.
    QString visibility()
    {
        QString v;
        for (const QString& name : rowBoxes + QStringList { "Frame3", "Frame1" })
            v += child(name)->isVisibleTo(m_window.get()) ? '1' : '0';
        return v;
    }
    QColor base(const QString& name) { return box(name)->palette().color(QPalette::Base); }

    QString m_gamma;
    QStringList m_messages;
    std::unique_ptr<ObliqueShockWindow> m_window;
};

void TestObliqueShockWindow::init()
{
    m_gamma = "1.4";
    m_messages.clear();
    m_window = std::make_unique<ObliqueShockWindow>(
        [this] { return m_gamma; }, [this](QWidget*, const QString& text) { m_messages << text; });
    m_window->show();
}

void TestObliqueShockWindow::cleanup()
{
    m_window.reset();
}

void TestObliqueShockWindow::freshWindowAsksForAnOutput()
{
    QCOMPARE(m_window->objectName(), QString("Form_OblShock"));
    QCOMPARE(m_window->windowTitle(), QString("Oblique Shock"));
    QCOMPARE(caption(), QString("Choose an Output option"));
    QCOMPARE(child<QGroupBox>("Frame2")->title(), QString("Output options"));
    QVERIFY(child("Frame2")->isVisibleTo(m_window.get()));
    QCOMPARE(visibility(), QString("00000"));
    QCOMPARE(child<QRadioButton>("Option_M1")->text(), QString("M1"));
    QCOMPARE(child<QRadioButton>("Option_Teta")->text(), QString::fromUtf8("θ"));
    QCOMPARE(child<QRadioButton>("Option_Beta")->text(), QString::fromUtf8("β"));
    for (const char* name : { "Option_M1", "Option_Teta", "Option_Beta" })
        QVERIFY(!child<QRadioButton>(name)->isChecked());
    QVERIFY(child<QRadioButton>("Option_Weak")->isChecked());
    QVERIFY(!child<QRadioButton>("Option_Strong")->isChecked());
    for (const QString& name : resultBoxes)
        QCOMPARE(base(name), frameGrey);
    QVERIFY(m_messages.isEmpty());
}

void TestObliqueShockWindow::choosingAnOutputShowsItsTwoEmptyWhiteInputs_data()
{
    QTest::addColumn<QString>("optionName");
    QTest::addColumn<QString>("visible");
    QTest::newRow("M1") << "Option_M1"
                        << "01100";
    QTest::newRow("teta") << "Option_Teta"
                          << "10100";
    QTest::newRow("beta shows the weak/strong choice") << "Option_Beta"
                                                       << "11010";
}

void TestObliqueShockWindow::choosingAnOutputShowsItsTwoEmptyWhiteInputs()
{
    QFETCH(QString, optionName);
    QFETCH(QString, visible);
    // Start from a result with every box written, so that emptying and hiding can be seen.
    choose("Option_Beta");
    type("Text_M1", "2");
    type("Text_Teta", "10");
    press();
    choose(optionName.toUtf8().constData());
    QCOMPARE(visibility(), visible);
    for (int i = 0; i < rowBoxes.size(); ++i) {
        if (visible[i] == '1') {
            QCOMPARE(box(rowBoxes[i])->text(), QString(""));
            QCOMPARE(base(rowBoxes[i]), white);
        }
    }
    QCOMPARE(caption(), QString("SET Input values than CLICK"));
    // The results are hidden, not cleared.
    QCOMPARE(box("Text_Mn1")->text(), QString("1.267"));
    QVERIFY(child<QRadioButton>(optionName)->isChecked());
    QVERIFY(child<QRadioButton>("Option_Weak")->isChecked());
}

void TestObliqueShockWindow::pressShowsTheOutputAndTheFlowBehindTheShock_data()
{
    QTest::addColumn<QString>("optionName");
    QTest::addColumn<QString>("outputBox");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("strong");
    QTest::addColumn<QString>("expected");
    QTest::newRow("beta weak M1 2 teta 10") << "Option_Beta"
                                            << "Text_Beta"
                                            << "2"
                                            << "10" << false << "2|10|39.31|1.267|0.803|1.641|1.7066|1.1702";
    QTest::newRow("beta strong M1 2 teta 10") << "Option_Beta"
                                              << "Text_Beta"
                                              << "2"
                                              << "10" << true << "2|10|83.7|1.988|0.579|0.604|4.4438|1.6777";
    QTest::newRow("beta teta 0 is the Mach wave") << "Option_Beta"
                                                  << "Text_Beta"
                                                  << "2"
                                                  << "0" << false << "2|0|30|1|1|2|1|1";
    QTest::newRow("negative teta keeps its text and mirrors the shock")
        << "Option_Beta"
        << "Text_Beta"
        << "2"
        << "-10" << false << "2|-10|39.31|1.267|0.803|1.641|1.7066|1.1702";
    QTest::newRow("beta weak hypersonic with a tiny deflection")
        << "Option_Beta"
        << "Text_Beta"
        << "1e8"
        << "0.001" << false << "1e8|0.001|0|2094.395|0.378|108278.908|5117572.4946|852929.7213";
    QTest::newRow("teta M1 2 beta 40") << "Option_Teta"
                                       << "Text_Teta"
                                       << "2"
                                       << "40" << false << "2|10.62|40|1.286|0.793|1.617|1.7615|1.1818";
    QTest::newRow("M1 teta 10 beta 40") << "Option_M1"
                                        << "Text_M1"
                                        << "10"
                                        << "40" << false << "1.967|10|40|1.264|0.805|1.61|1.698|1.1683";
    QTest::newRow("M1 teta 30 beta 40") << "Option_M1"
                                        << "Text_M1"
                                        << "30"
                                        << "40" << false << "6.811|30|40|4.378|0.426|2.453|22.1978|4.6646";
}

void TestObliqueShockWindow::pressShowsTheOutputAndTheFlowBehindTheShock()
{
    QFETCH(QString, optionName);
    QFETCH(QString, outputBox);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, strong);
    QFETCH(QString, expected);
    choose(optionName.toUtf8().constData());
    if (strong)
        choose("Option_Strong");
    // The inputs in the order of the row: M1 and Teta, M1 and Beta, or Teta and Beta.
    QStringList inputs = rowBoxes;
    inputs.removeOne(outputBox);
    type(inputs[0], first);
    type(inputs[1], second);
    press();
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(';')));
    QCOMPARE(texts(), expected);
    QCOMPARE(visibility(), QString(optionName == "Option_Beta" ? "11111" : "11101"));
    for (const QString& name : rowBoxes)
        QCOMPARE(base(name), name == outputBox ? grey : white);
    for (const QString& name : resultBoxes)
        QCOMPARE(base(name), frameGrey);
    QCOMPARE(caption(), QString("Choose an Output option"));
    // A press in the result state computes again from the same inputs, although the caption asks for an option.
    press();
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(texts(), expected);
}

void TestObliqueShockWindow::refusedPressChangesNothing_data()
{
    QTest::addColumn<QString>("optionName");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("gamma");
    QTest::addColumn<QString>("message");
    const QString noConvergence = QString::fromUtf8(" iterasyon 20 adımda yakınsamadı");
    QTest::newRow("beta teta 170") << "Option_Beta"
                                   << "2"
                                   << "170"
                                   << "1.4"
                                   << "Teta must be less then 90 degrees";
    QTest::newRow("beta above the largest deflection") << "Option_Beta"
                                                       << "2"
                                                       << "25"
                                                       << "1.4" << noConvergence;
    QTest::newRow("beta M1 beyond the double range") << "Option_Beta"
                                                     << "1e400"
                                                     << "10"
                                                     << "1.4"
                                                     << "The value is too large to be calculated";
    QTest::newRow("teta beta below the Mach angle") << "Option_Teta"
                                                    << "2"
                                                    << "29"
                                                    << "1.4"
                                                    << "For this Mach number no solution for given Beta";
    QTest::newRow("teta negative beta whose sine passes") << "Option_Teta"
                                                          << "2"
                                                          << "-240"
                                                          << "1.4"
                                                          << "For this Mach number no solution for given Beta";
    QTest::newRow("M1 negative beta") << "Option_M1"
                                      << "10"
                                      << "-40"
                                      << "1.4"
                                      << "Beta must be equal or greater then 0 degree";
    QTest::newRow("M1 teta above the limit") << "Option_M1"
                                             << "45"
                                             << "60"
                                             << "1.4"
                                             << "no solution for M1. Teta must be equal or less then 43.897886248014 "
                                                "degrees";
    QTest::newRow("gamma text") << "Option_M1"
                                << "10"
                                << "40"
                                << "air"
                                << "Gamma must be greater than 1";
}

void TestObliqueShockWindow::refusedPressChangesNothing()
{
    QFETCH(QString, optionName);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, gamma);
    QFETCH(QString, message);
    // Start from a shown result so that a refused press has something to leave alone.
    choose("Option_Beta");
    type("Text_M1", "2");
    type("Text_Teta", "10");
    press();
    choose(optionName.toUtf8().constData());
    QStringList inputs = rowBoxes;
    inputs.removeAt(optionName == "Option_M1" ? 0 : optionName == "Option_Teta" ? 1 : 2);
    type(inputs[0], first);
    type(inputs[1], second);
    const QString textsBefore = texts();
    const QString visibleBefore = visibility();
    m_gamma = gamma;
    press();
    QCOMPARE(m_messages, QStringList { message });
    QCOMPARE(texts(), textsBefore);
    QCOMPARE(visibility(), visibleBefore);
    QCOMPARE(caption(), QString("SET Input values than CLICK"));
}

// Above the largest deflection no shock exists: the press ends after the message, showing neither a wave
// angle from an earlier press nor a flow behind a shock.
void TestObliqueShockWindow::unconvergedWaveAngleShowsNoStaleResult()
{
    choose("Option_Beta");
    type("Text_M1", "2");
    type("Text_Teta", "25");
    press();
    QCOMPARE(m_messages, QStringList { QString::fromUtf8(" iterasyon 20 adımda yakınsamadı") });
    QCOMPARE(visibility(), QString("11010"));
    QCOMPARE(texts(), QString("2|25||||||"));
    QCOMPARE(caption(), QString("SET Input values than CLICK"));

    m_messages.clear();
    type("Text_Teta", "10");
    press();
    type("Text_Teta", "25");
    press();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(texts(), QString("2|25|39.31|1.267|0.803|1.641|1.7066|1.1702"));
    QCOMPARE(caption(), QString("Choose an Output option"));
}

// Near gamma 1 the two shocks for a large deflection lie close together: the weak choice shows the weak one.
void TestObliqueShockWindow::weakShockNearGammaOneIsNotTheStrongOne()
{
    m_gamma = "1.05";
    choose("Option_Beta");
    type("Text_M1", "9");
    type("Text_Teta", "68");
    press();
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(';')));
    QCOMPARE(texts(), QString("9|68|77.43|8.784|0.19|1.161|79.0213|2.9264"));
    choose("Option_Strong");
    press();
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(';')));
    QCOMPARE(texts(), QString("9|68|80.84|8.885|0.189|0.852|80.8507|2.9711"));
}

void TestObliqueShockWindow::pressWithoutAnOutputAsksForOne()
{
    press();
    QCOMPARE(m_messages, QStringList { "Choose an Output option" });
    QCOMPARE(visibility(), QString("00000"));
    QCOMPARE(caption(), QString("Choose an Output option"));
}

void TestObliqueShockWindow::emptyBoxesReadAsZero_data()
{
    QTest::addColumn<QString>("optionName");
    QTest::addColumn<QString>("message");
    QTest::newRow("beta") << "Option_Beta"
                          << "M1 must be greater then 1";
    QTest::newRow("teta") << "Option_Teta"
                          << "M1 must be greater then 1";
    QTest::newRow("M1 reaches the limit 0") << "Option_M1"
                                            << "no solution for M1. Teta must be equal or less then 0 degrees";
}

void TestObliqueShockWindow::emptyBoxesReadAsZero()
{
    QFETCH(QString, optionName);
    QFETCH(QString, message);
    choose(optionName.toUtf8().constData());
    press();
    QCOMPARE(m_messages, QStringList { message });
    QCOMPARE(texts(), QString("|||||||"));
}

void TestObliqueShockWindow::weakOrStrongChoiceIsKeptAcrossOutputs()
{
    // The two option groups are separate although the weak/strong frame stands inside the output frame.
    choose("Option_M1");
    QVERIFY(child<QRadioButton>("Option_Weak")->isChecked());
    choose("Option_M1");
    QVERIFY(child<QRadioButton>("Option_M1")->isChecked());
    choose("Option_Beta");
    choose("Option_Strong");
    QVERIFY(child<QRadioButton>("Option_Beta")->isChecked());
    QVERIFY(!child<QRadioButton>("Option_Weak")->isChecked());
    choose("Option_M1");
    QCOMPARE(visibility(), QString("01100"));
    QVERIFY(child<QRadioButton>("Option_Strong")->isChecked());
    choose("Option_Beta");
    QCOMPARE(visibility(), QString("11010"));
    QVERIFY(child<QRadioButton>("Option_Strong")->isChecked());
    type("Text_M1", "2");
    type("Text_Teta", "10");
    press();
    QCOMPARE(box("Text_Beta")->text(), QString("83.7"));
    choose("Option_Weak");
    QVERIFY(child<QRadioButton>("Option_Beta")->isChecked());
    QCOMPARE(visibility(), QString("11111"));
    press();
    QCOMPARE(box("Text_Beta")->text(), QString("39.31"));
}

void TestObliqueShockWindow::choosingAnotherOutputHidesResultsAndEmptiesItsInputs()
{
    choose("Option_Beta");
    type("Text_M1", "2");
    type("Text_Teta", "10");
    press();
    choose("Option_Teta");
    QCOMPARE(visibility(), QString("10100"));
    // The M1 the user typed and the wave angle of the result are emptied as the new inputs; the new output
    // box keeps its text while hidden.
    QCOMPARE(texts(), QString("|10||1.267|0.803|1.641|1.7066|1.1702"));
    QCOMPARE(base("Text_Beta"), white);
    type("Text_M1", "2");
    type("Text_Beta", "40");
    // Clicking the chosen option again runs its handler again.
    choose("Option_Teta");
    QCOMPARE(texts(), QString("|10||1.267|0.803|1.641|1.7066|1.1702"));
    type("Text_M1", "2");
    type("Text_Beta", "40");
    press();
    QCOMPARE(texts(), QString("2|10.62|40|1.286|0.793|1.617|1.7615|1.1818"));
    QCOMPARE(base("Text_Teta"), grey);
}

void TestObliqueShockWindow::enterInABoxPresses()
{
    choose("Option_Beta");
    type("Text_M1", "2");
    type("Text_Teta", "10");
    QTest::keyClick(box("Text_Teta"), Qt::Key_Return);
    QCOMPARE(box("Text_Beta")->text(), QString("39.31"));
}

void TestObliqueShockWindow::gammaIsReadAtEveryPress()
{
    choose("Option_Beta");
    type("Text_M1", "2");
    type("Text_Teta", "10");
    press();
    m_gamma = "1.67";
    press();
    QCOMPARE(texts(), QString("2|10|40.75|1.305|0.791|1.547|1.881|1.2988"));
    m_gamma = "1.4";
    press();
    QCOMPARE(texts(), QString("2|10|39.31|1.267|0.803|1.641|1.7066|1.1702"));
    QVERIFY(m_messages.isEmpty());
}

void TestObliqueShockWindow::decimalCommaRoundTrips()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    choose("Option_Teta");
    type("Text_M1", "2");
    type("Text_Beta", "40,5");
    press();
    QCOMPARE(box("Text_Teta")->text(), QString("11,07"));
    QCOMPARE(box("Text_p2p1")->text(), QString("1,8017"));
    choose("Option_M1");
    type("Text_Teta", "45");
    type("Text_Beta", "60");
    press();
    QCOMPARE(m_messages, QStringList { "no solution for M1. Teta must be equal or less then 43,897886248014 degrees" });
    QLocale::setDefault(previous);
}

void TestObliqueShockWindow::controlsFollowTheTabOrderAndTheirDesign()
{
    const QStringList order { "Text_Mn1", "Text_Mn2", "Text_M2", "Text_p2p1", "Text_T2T1", "Text_M1", "Text_Teta",
        "Text_Beta", "Option_M1", "Option_Teta", "Option_Beta", "Command1", "Option_Weak", "Option_Strong" };
    QWidget* w = child(order.first());
    for (qsizetype i = 1; i < order.size(); ++i) {
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus);
        QCOMPARE(w->objectName(), order[i]);
    }
    QCOMPARE(child("Text_M1")->accessibleName(), QString("upstream Mach number M1"));
    QCOMPARE(child("Option_Strong")->accessibleName(), QString("strong shock"));
    QCOMPARE(child("Frame3")->parentWidget()->objectName(), QString("Frame2"));
    QCOMPARE(child("Text_T2T1")->parentWidget()->objectName(), QString("Frame1"));
    QCOMPARE(child("Text_T2T1")->geometry(), common::twipsRect(2160, 480, 615, 285));
    QCOMPARE(child("Frame3")->geometry(), common::twipsRect(1800, 0, 975, 855));
    QCOMPARE(child("Command1")->geometry(), common::twipsRect(0, 120, 1095, 735));
    QCOMPARE(child("Option_Weak")->font().pointSizeF(), 6.75);
    QCOMPARE(child<QLabel>("Label7")->text(), QString("p2/p1"));
}

QTEST_MAIN(TestObliqueShockWindow)
#include "tst_oblique_shock_window.moc"
