#include "fanno_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QStringList rowBoxes { "Text_Msub", "Text_Msup", "Text_FLD4" };
const QStringList ratioBoxes { "Text_TTstar", "Text_PPstar", "Text_RoRoStar", "Text_PoPoStar" };
const QString noSupersonicSolution = "bu 4L*f/D için süpersonik çözüm yok";

} // namespace

class TestFannoWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void freshWindowShowsOnlyTheOptionsAndTheButton();
    void choosingAnOptionShowsOnlyItsBlankWhiteBox_data();
    void choosingAnOptionShowsOnlyItsBlankWhiteBox();
    void machNumberPressShowsFrictionParameterAndRatios_data();
    void machNumberPressShowsFrictionParameterAndRatios();
    void frictionParameterPressShowsBothMachNumbers_data();
    void frictionParameterPressShowsBothMachNumbers();
    void noSupersonicSolutionIsToldAfterTheSubsonicMachNumberIsWritten();
    void supersonicBoxComesBackForASolvableTarget();
    void refusedPressChangesNothing_data();
    void refusedPressChangesNothing();
    void pressWithoutAnOptionAsksForOne();
    void choosingMachAfterAFrictionResultBlanksTheSubsonicBox();
    void controlsFollowTheTabOrder();

private:
    QLineEdit* box(const QString& name) { return m_window->findChild<QLineEdit*>(name); }
    QWidget* control(const QString& name) { return m_window->findChild<QWidget*>(name); }
    void choose(const char* optionName)
    {
        QTest::mouseClick(m_window->findChild<QRadioButton*>(optionName), Qt::LeftButton);
    }
    void type(const QString& boxName, const QString& text)
    {
        box(boxName)->clear();
        QTest::keyClicks(box(boxName), text);
    }
    void press() { QTest::mouseClick(m_window->findChild<QPushButton*>("Command1"), Qt::LeftButton); }
    QString caption() { return m_window->findChild<QPushButton*>("Command1")->text(); }
    // The texts of the three input-frame boxes, then of the four ratio boxes.
    QString texts()
    {
        QStringList all;
        for (const QString& name : rowBoxes + ratioBoxes)
            all << box(name)->text();
        return all.join('|');
    }
    // Visibility of Text_Msub, Text_Msup, Text_FLD4 and Frame1.
    QString visibility()
    {
        QString v;
        for (const QString& name : rowBoxes + QStringList { "Frame1" })
            v += control(name)->isVisibleTo(m_window.get()) ? '1' : '0';
        return v;
    }
    static QColor base(QLineEdit* edit) { return edit->palette().color(QPalette::Base); }

    QString m_gamma;
    QStringList m_messages;
    std::function<void()> m_onMessage;
    std::unique_ptr<FannoWindow> m_window;
};

void TestFannoWindow::init()
{
    m_gamma = "1.4";
    m_messages.clear();
    m_onMessage = nullptr;
    m_window = std::make_unique<FannoWindow>([this] { return m_gamma; },
        [this](QWidget*, const QString& text) {
            m_messages << text;
            if (m_onMessage)
                m_onMessage();
        });
    m_window->show();
}

void TestFannoWindow::cleanup()
{
    m_window.reset();
}

void TestFannoWindow::freshWindowShowsOnlyTheOptionsAndTheButton()
{
    QCOMPARE(m_window->objectName(), QString("Form_FricFlo"));
    QCOMPARE(m_window->windowTitle(), QString("1D Flow with Friction"));
    QCOMPARE(caption(), QString("Coose an Input Option"));
    QCOMPARE(m_window->findChild<QGroupBox*>("Frame2")->title(), QString("Input options"));
    QVERIFY(control("Frame2")->isVisible());
    QCOMPARE(m_window->findChild<QRadioButton*>("Option_M")->text(), QString("M"));
    QCOMPARE(m_window->findChild<QRadioButton*>("Option_FLD4")->text(), QString("4 f L*/D "));
    QVERIFY(!m_window->findChild<QRadioButton*>("Option_M")->isChecked());
    QVERIFY(!m_window->findChild<QRadioButton*>("Option_FLD4")->isChecked());
    QCOMPARE(visibility(), QString("0000"));
    QCOMPARE(m_window->findChild<QLabel*>("Label_RoRoStar")->text(), QString("ρ / ρ*"));
    for (const QString& name : ratioBoxes) {
        QCOMPARE(box(name)->parentWidget()->objectName(), QString("Frame1"));
        QCOMPARE(base(box(name)), QColor(192, 192, 192));
    }
    for (const QString& name : rowBoxes)
        QCOMPARE(box(name)->parentWidget()->objectName(), QString("Frame2"));
}

void TestFannoWindow::choosingAnOptionShowsOnlyItsBlankWhiteBox_data()
{
    QTest::addColumn<QString>("optionName");
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("shown");
    auto add = [](const char* name, const QString& optionName, const QString& boxName, const QString& shown) {
        QTest::newRow(name) << optionName << boxName << shown;
    };
    add("M", "Option_M", "Text_Msub", "1000");
    add("4fL*/D", "Option_FLD4", "Text_FLD4", "0010");
}

void TestFannoWindow::choosingAnOptionShowsOnlyItsBlankWhiteBox()
{
    QFETCH(QString, optionName);
    QFETCH(QString, boxName);
    QFETCH(QString, shown);
    // From a result for an entered M, so that there is a shown frame and a grey box to hide.
    choose("Option_M");
    type("Text_Msub", "2");
    press();
    QCOMPARE(visibility(), QString("1011"));
    choose(optionName.toUtf8().constData());
    QCOMPARE(visibility(), shown);
    QCOMPARE(box(boxName)->text(), QString(" "));
    QCOMPARE(base(box(boxName)), QColor(255, 255, 255));
    QCOMPARE(caption(), QString("Input value then CLICK"));
    // Clicking the selected option again runs its handler again.
    type(boxName, "0.5");
    choose(optionName.toUtf8().constData());
    QCOMPARE(box(boxName)->text(), QString(" "));
}

void TestFannoWindow::machNumberPressShowsFrictionParameterAndRatios_data()
{
    QTest::addColumn<QString>("gamma");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected"); // Msub|Msup|4fL*/D|T/T*|p/p*|rho/rho*|Po/Po*
    auto add = [](const char* name, const QString& gamma, const QString& typed, const QString& expected) {
        QTest::newRow(name) << gamma << typed << expected;
    };
    add("M 2", "1.4", "2", "2||0.305|0.6667|0.4082|0.6124|1.6875");
    add("M 0.5", "1.4", "0.5", "0.5||1.0691|1.1429|2.1381|1.8708|1.3398");
    add("M 1", "1.4", "1", "1||0|1|1|1|1");
    add("M 3, gamma 1.67", "1.67", "3", "3||0.344|0.3325|0.1922|0.5781|2.9903");
    add("M 0.2, gamma 1.3", "1.3", "0.2", "0.2||15.7324|1.1431|5.3459|4.6765|2.994");
    add("blanks inside the number", "1.4", " 0 .5 ", " 0 .5 ||1.0691|1.1429|2.1381|1.8708|1.3398");
    add("very small M", "1.4", "1e-150",
        "1e-150||7.14285714285714E+299|1.2|1.09544511501033E+150|9.12870929175277E+149|5.78703703703704E+149");
}

void TestFannoWindow::machNumberPressShowsFrictionParameterAndRatios()
{
    QFETCH(QString, gamma);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    m_gamma = gamma;
    choose("Option_M");
    type("Text_Msub", typed);
    press();
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(texts(), expected);
    QCOMPARE(visibility(), QString("1011"));
    QCOMPARE(base(box("Text_Msub")), QColor(255, 255, 255));
    QCOMPARE(base(box("Text_FLD4")), QColor(200, 200, 200));
    for (const QString& name : ratioBoxes)
        QCOMPARE(base(box(name)), QColor(192, 192, 192));
    // A second press computes again from the input box and shows the same.
    press();
    QCOMPARE(texts(), expected);
}

void TestFannoWindow::frictionParameterPressShowsBothMachNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("boxes"); // Msub|Msup|4fL*/D, Msup empty when hidden
    QTest::addColumn<QStringList>("messages");
    auto add = [](const char* name, const QString& typed, const QString& boxes, const QStringList& messages) {
        QTest::newRow(name) << typed << boxes << messages;
    };
    add("0.5, the stepping's 2.8604", "0.5", "0.5977|2.8604|0.5", {});
    add("0 on exactly 1", "0", "1|1|0", {});
    add("0.7 root beyond Mach 5", "0.7", "0.5551|5.1405|0.7", {});
    add("0.8 root beyond Mach 6", "0.8", "0.5378|12.7693|0.8", {});
    add("9 subsonic root below Mach 0.25", "9", "0.2441||9", { noSupersonicSolution });
    add("0.83 above the largest supersonic value", "0.83", "0.5331||0.83", { noSupersonicSolution });
}

void TestFannoWindow::frictionParameterPressShowsBothMachNumbers()
{
    QFETCH(QString, typed);
    QFETCH(QString, boxes);
    QFETCH(QStringList, messages);
    choose("Option_FLD4");
    type("Text_FLD4", typed);
    press();
    QCOMPARE(m_messages, messages);
    const bool supersonic = messages.isEmpty();
    QCOMPARE(visibility(), supersonic ? QString("1110") : QString("1010"));
    QStringList actual;
    for (const QString& name : rowBoxes)
        actual << (box(name)->isVisibleTo(m_window.get()) ? box(name)->text() : QString());
    QCOMPARE(actual.join('|'), boxes);
    QCOMPARE(base(box("Text_Msub")), QColor(200, 200, 200));
    if (supersonic)
        QCOMPARE(base(box("Text_Msup")), QColor(200, 200, 200));
    QCOMPARE(base(box("Text_FLD4")), QColor(255, 255, 255));
}

void TestFannoWindow::noSupersonicSolutionIsToldAfterTheSubsonicMachNumberIsWritten()
{
    QString subsonicAtMessage;
    bool supersonicShownAtMessage = true;
    m_onMessage = [&] {
        subsonicAtMessage = box("Text_Msub")->text();
        supersonicShownAtMessage = box("Text_Msup")->isVisibleTo(m_window.get());
    };
    choose("Option_FLD4");
    type("Text_FLD4", "0.9");
    press();
    QCOMPARE(m_messages, QStringList { noSupersonicSolution });
    QCOMPARE(subsonicAtMessage, QString("0.5225"));
    QVERIFY(!supersonicShownAtMessage);
}

void TestFannoWindow::supersonicBoxComesBackForASolvableTarget()
{
    // A result for M leaves the ratio frame shown; a press for 4fL*/D does not touch it.
    choose("Option_M");
    type("Text_Msub", "2");
    press();
    choose("Option_FLD4");
    type("Text_FLD4", "9");
    press();
    QCOMPARE(visibility(), QString("1010"));
    type("Text_FLD4", "0.5");
    press();
    QCOMPARE(visibility(), QString("1110"));
    QCOMPARE(texts(), QString("0.5977|2.8604|0.5|0.6667|0.4082|0.6124|1.6875"));
    QCOMPARE(base(box("Text_Msup")), QColor(200, 200, 200));
}

void TestFannoWindow::refusedPressChangesNothing_data()
{
    QTest::addColumn<QString>("optionName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("gamma");
    QTest::addColumn<QString>("message");
    auto add = [](const char* name, const QString& optionName, const QString& typed, const QString& gamma,
                   const QString& message) { QTest::newRow(name) << optionName << typed << gamma << message; };
    const QString tooLarge = "The value is too large to be calculated";
    add("M 0", "Option_M", "0", "1.4", " M must be greater then zero");
    add("negative M", "Option_M", "-2", "1.4", " M must be greater then zero");
    add("M blank reads 0", "Option_M", "", "1.4", " M must be greater then zero");
    add("M beyond the double range", "Option_M", "1e400", "1.4", tooLarge);
    add("M whose Po/Po* overflows", "Option_M", "1e150", "1.4", tooLarge);
    add("negative 4fL*/D", "Option_FLD4", "-0.1", "1.4", "4fL*/D must be zero or greater");
    add("4fL*/D beyond the double range", "Option_FLD4", "1e400", "1.4", tooLarge);
    add("gamma 1", "Option_M", "2", "1", "Gamma must be greater than 1");
    add("gamma text, 4fL*/D", "Option_FLD4", "0.5", "air", "Gamma must be greater than 1");
}

void TestFannoWindow::refusedPressChangesNothing()
{
    QFETCH(QString, optionName);
    QFETCH(QString, typed);
    QFETCH(QString, gamma);
    QFETCH(QString, message);
    // Start from shown results of both kinds so that a refused press has something to leave alone.
    choose("Option_FLD4");
    type("Text_FLD4", "0.5");
    press();
    choose("Option_M");
    type("Text_Msub", "2");
    press();
    choose(optionName.toUtf8().constData());
    type(optionName == "Option_M" ? "Text_Msub" : "Text_FLD4", typed);
    const QString textsBefore = texts();
    const QString visibleBefore = visibility();
    m_gamma = gamma;
    press();
    QCOMPARE(m_messages, QStringList { message });
    QCOMPARE(texts(), textsBefore);
    QCOMPARE(visibility(), visibleBefore);
}

void TestFannoWindow::pressWithoutAnOptionAsksForOne()
{
    press();
    QCOMPARE(m_messages, QStringList { "choose an input parameter" });
    QCOMPARE(visibility(), QString("0000"));
    QCOMPARE(caption(), QString("Coose an Input Option"));
}

void TestFannoWindow::choosingMachAfterAFrictionResultBlanksTheSubsonicBox()
{
    choose("Option_FLD4");
    type("Text_FLD4", "0.5");
    press();
    choose("Option_M");
    QCOMPARE(visibility(), QString("1000"));
    QCOMPARE(box("Text_Msub")->text(), QString(" "));
    QCOMPARE(base(box("Text_Msub")), QColor(255, 255, 255));
    // The hidden boxes keep their texts.
    QCOMPARE(box("Text_Msup")->text(), QString("2.8604"));
    QCOMPARE(box("Text_FLD4")->text(), QString("0.5"));
    // Pressing without typing reads the blank as 0.
    press();
    QCOMPARE(m_messages, QStringList { " M must be greater then zero" });
    QCOMPARE(visibility(), QString("1000"));
}

void TestFannoWindow::controlsFollowTheTabOrder()
{
    choose("Option_M");
    type("Text_Msub", "2");
    press();
    const QStringList order { "Text_TTstar", "Text_RoRoStar", "Text_PoPoStar", "Option_M", "Option_FLD4", "Command1",
        "Text_Msub", "Text_Msup", "Text_FLD4", "Text_PPstar" };
    QWidget* w = control(order.first());
    for (qsizetype i = 1; i < order.size(); ++i) {
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus);
        QCOMPARE(w->objectName(), order[i]);
    }
    for (const QString& name : order)
        QVERIFY2(!control(name)->accessibleName().isEmpty(), qPrintable(name));
    QCOMPARE(control("Text_FLD4")->accessibleName(), QString("friction parameter 4fL*/D"));
}

QTEST_MAIN(TestFannoWindow)
#include "tst_fanno_window.moc"
