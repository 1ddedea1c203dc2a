#include "isentropic_window.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {

const QStringList rowBoxes { "Text_M", "Text_PoP", "Text_ToT", "Text_Nu", "Text_Mu" };

} // namespace

class TestIsentropicWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void freshWindowAsksForAnOption();
    void choosingAnOptionShowsOnlyItsBlankWhiteBox_data();
    void choosingAnOptionShowsOnlyItsBlankWhiteBox();
    void pressShowsEveryQuantity_data();
    void pressShowsEveryQuantity();
    void subsonicResultHidesTheAngles();
    void refusedPressChangesNothing_data();
    void refusedPressChangesNothing();
    void pressWithoutAnOptionAsksForOne();
    void blankBoxReadsAsZero();
    void choosingAgainAfterAResultHidesResults();
    void enterInABoxPresses();
    void gammaIsReadAtEveryPress();
    void decimalCommaRoundTrips();
    void controlsFollowTheTabOrder();

private:
    QLineEdit* box(const char* name) { return m_window->findChild<QLineEdit*>(name); }
    void choose(const char* optionName)
    {
        QTest::mouseClick(m_window->findChild<QRadioButton*>(optionName), Qt::LeftButton);
    }
    void type(const char* boxName, const QString& text)
    {
        box(boxName)->clear();
        QTest::keyClicks(box(boxName), text);
    }
    void press() { QTest::mouseClick(m_window->findChild<QPushButton*>("Command1"), Qt::LeftButton); }
    QString texts()
    {
        QStringList all;
        for (const QString& name : rowBoxes)
            all << box(name.toUtf8().constData())->text();
        all << box("Text_RoR")->text();
        return all.join('|');
    }
    QString visibility()
    {
        QString v;
        for (const QString& name : rowBoxes)
            v += box(name.toUtf8().constData())->isVisibleTo(m_window.get()) ? '1' : '0';
        v += m_window->findChild<QGroupBox*>("Frame1")->isVisibleTo(m_window.get()) ? '1' : '0';
        return v;
    }
    static QColor base(QLineEdit* edit) { return edit->palette().color(QPalette::Base); }

    QString m_gamma;
    QStringList m_messages;
    std::unique_ptr<IsentropicWindow> m_window;
};

void TestIsentropicWindow::init()
{
    m_gamma = "1.4";
    m_messages.clear();
    m_window = std::make_unique<IsentropicWindow>(
        [this] { return m_gamma; }, [this](QWidget*, const QString& text) { m_messages << text; });
    m_window->show();
}

void TestIsentropicWindow::cleanup()
{
    m_window.reset();
}

void TestIsentropicWindow::freshWindowAsksForAnOption()
{
    QCOMPARE(m_window->objectName(), QString("Form_IseFlow"));
    QCOMPARE(m_window->windowTitle(), QString("Isentropic Flow"));
    QCOMPARE(m_window->findChild<QPushButton*>("Command1")->text(), QString("Choose an input option"));
    QCOMPARE(m_window->findChild<QGroupBox*>("Frame4")->title(), QString("Input Options"));
    QCOMPARE(visibility(), QString("000000"));
    for (const char* name : { "Option_M", "Option_PoP", "Option_ToT", "Option_Nu", "Option_Mu" })
        QVERIFY(!m_window->findChild<QRadioButton*>(name)->isChecked());
    QCOMPARE(base(box("Text_RoR")), QColor(192, 192, 192));
}

void TestIsentropicWindow::choosingAnOptionShowsOnlyItsBlankWhiteBox_data()
{
    QTest::addColumn<QString>("optionName");
    QTest::addColumn<int>("column");
    for (int i = 0; i < rowBoxes.size(); ++i) {
        const QString option = QString(rowBoxes[i]).replace("Text_", "Option_");
        QTest::newRow(qPrintable(option)) << option << i;
    }
}

void TestIsentropicWindow::choosingAnOptionShowsOnlyItsBlankWhiteBox()
{
    QFETCH(QString, optionName);
    QFETCH(int, column);
    choose(optionName.toUtf8().constData());
    QString expected = "000000";
    expected[column] = '1';
    QCOMPARE(visibility(), expected);
    for (int i = 0; i < rowBoxes.size(); ++i) {
        QLineEdit* edit = box(rowBoxes[i].toUtf8().constData());
        QCOMPARE(base(edit), i == column ? QColor(255, 255, 255) : QColor(200, 200, 200));
        if (i == column)
            QCOMPARE(edit->text(), QString(" "));
    }
    QCOMPARE(m_window->findChild<QPushButton*>("Command1")->text(), QString("Input value then CLICK"));
}

void TestIsentropicWindow::pressShowsEveryQuantity_data()
{
    QTest::addColumn<QString>("optionName");
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("M 2") << "Option_M"
                         << "Text_M"
                         << "2"
                         << "2|7.8244|1.8|26.38|30|4.3469";
    QTest::newRow("Po/P recomputed from M") << "Option_PoP"
                                            << "Text_PoP"
                                            << "7.8244"
                                            << "2|7.8244|1.8|26.38|30|4.3469";
    QTest::newRow("mu 90 is sonic") << "Option_Mu"
                                    << "Text_Mu"
                                    << "90"
                                    << "1|1.8929|1.2|0|90|1.5774";
    QTest::newRow("nu 0") << "Option_Nu"
                          << "Text_Nu"
                          << "0"
                          << "1|1.893|1.2|0|89.491|1.5775";
    QTest::newRow("nu 90") << "Option_Nu"
                           << "Text_Nu"
                           << "90"
                           << "6.819|3506.7765|10.2998|90|8.433|340.4687";
    QTest::newRow("blanks inside the number") << "Option_ToT"
                                              << "Text_ToT"
                                              << " 1 .8 "
                                              << "2|7.8244|1.8|26.38|30|4.3469";
}

void TestIsentropicWindow::pressShowsEveryQuantity()
{
    QFETCH(QString, optionName);
    QFETCH(QString, boxName);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    choose(optionName.toUtf8().constData());
    type(boxName.toUtf8().constData(), typed);
    press();
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(texts(), expected);
    QCOMPARE(visibility(), QString("111111"));
    for (const QString& name : rowBoxes) {
        QCOMPARE(base(box(name.toUtf8().constData())), name == boxName ? QColor(255, 255, 255) : QColor(200, 200, 200));
    }
    QCOMPARE(base(box("Text_RoR")), QColor(192, 192, 192));
    // A second press computes again from the written text and shows the same.
    press();
    QCOMPARE(texts(), expected);
}

void TestIsentropicWindow::subsonicResultHidesTheAngles()
{
    choose("Option_M");
    type("Text_M", "2");
    press();
    type("Text_M", "0.5");
    press();
    QCOMPARE(visibility(), QString("111001"));
    // The hidden angle boxes keep the texts of the last supersonic result.
    QCOMPARE(texts(), QString("0.5|1.1862|1.05|26.38|30|1.1297"));
}

void TestIsentropicWindow::refusedPressChangesNothing_data()
{
    QTest::addColumn<QString>("optionName");
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("gamma");
    QTest::addColumn<QString>("message");
    QTest::newRow("M 0") << "Option_M"
                         << "Text_M"
                         << "0"
                         << "1.4"
                         << "M must be greater then 0";
    QTest::newRow("M text") << "Option_M"
                            << "Text_M"
                            << "abc"
                            << "1.4"
                            << "M must be greater then 0";
    QTest::newRow("Po/P 1") << "Option_PoP"
                            << "Text_PoP"
                            << "1"
                            << "1.4"
                            << "Po/P must be equal or greater then 1";
    QTest::newRow("To/T 1") << "Option_ToT"
                            << "Text_ToT"
                            << "1"
                            << "1.4"
                            << "To/T must be equal or greater then 1";
    QTest::newRow("nu 91") << "Option_Nu"
                           << "Text_Nu"
                           << "91"
                           << "1.4"
                           << "Nu must be between 0 and 90 degrees";
    QTest::newRow("mu 0.5") << "Option_Mu"
                            << "Text_Mu"
                            << "0.5"
                            << "1.4"
                            << "Mu must be between 1 and 90 degrees";
    QTest::newRow("gamma 1") << "Option_M"
                             << "Text_M"
                             << "2"
                             << "1"
                             << "Gamma must be greater than 1";
    QTest::newRow("gamma text") << "Option_M"
                                << "Text_M"
                                << "2"
                                << "air"
                                << "Gamma must be greater than 1";
    QTest::newRow("M beyond the double range") << "Option_M"
                                               << "Text_M"
                                               << "1e400"
                                               << "1.4"
                                               << "The value is too large to be calculated";
    QTest::newRow("nu beyond the largest angle") << "Option_Nu"
                                                 << "Text_Nu"
                                                 << "80"
                                                 << "2"
                                                 << "Nu must be less than 65.8845726811989 degrees for this gamma";
}

void TestIsentropicWindow::refusedPressChangesNothing()
{
    QFETCH(QString, optionName);
    QFETCH(QString, boxName);
    QFETCH(QString, typed);
    QFETCH(QString, gamma);
    QFETCH(QString, message);
    // Start from a shown result so that a refused press has something to leave alone.
    choose("Option_M");
    type("Text_M", "2");
    press();
    choose(optionName.toUtf8().constData());
    type(boxName.toUtf8().constData(), typed);
    const QString textsBefore = texts();
    const QString visibleBefore = visibility();
    m_gamma = gamma;
    press();
    QCOMPARE(m_messages, QStringList { message });
    QCOMPARE(texts(), textsBefore);
    QCOMPARE(visibility(), visibleBefore);
}

void TestIsentropicWindow::pressWithoutAnOptionAsksForOne()
{
    press();
    QCOMPARE(m_messages, QStringList { "choose an input parameter" });
    QCOMPARE(visibility(), QString("000000"));
    QCOMPARE(m_window->findChild<QPushButton*>("Command1")->text(), QString("Choose an input option"));
}

void TestIsentropicWindow::blankBoxReadsAsZero()
{
    choose("Option_Nu");
    press();
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(box("Text_M")->text(), QString("1"));
    choose("Option_Mu");
    press();
    QCOMPARE(m_messages, QStringList { "Mu must be between 1 and 90 degrees" });
}

void TestIsentropicWindow::choosingAgainAfterAResultHidesResults()
{
    choose("Option_M");
    type("Text_M", "2");
    press();
    choose("Option_Nu");
    QCOMPARE(visibility(), QString("000100"));
    QCOMPARE(box("Text_Nu")->text(), QString(" "));
    QCOMPARE(box("Text_M")->text(), QString("2"));
    QCOMPARE(base(box("Text_M")), QColor(200, 200, 200));
    // Clicking the selected option again runs its handler again.
    type("Text_Nu", "10");
    choose("Option_Nu");
    QCOMPARE(box("Text_Nu")->text(), QString(" "));
}

void TestIsentropicWindow::enterInABoxPresses()
{
    choose("Option_M");
    type("Text_M", "2");
    QTest::keyClick(box("Text_M"), Qt::Key_Return);
    QCOMPARE(box("Text_PoP")->text(), QString("7.8244"));
}

void TestIsentropicWindow::gammaIsReadAtEveryPress()
{
    choose("Option_M");
    type("Text_M", "3");
    m_gamma = "1.3";
    press();
    QCOMPARE(texts(), QString("3|40.5472|2.35|55.758|19.471|17.2541"));
}

void TestIsentropicWindow::decimalCommaRoundTrips()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    choose("Option_M");
    type("Text_M", "2");
    press();
    QCOMPARE(box("Text_PoP")->text(), QString("7,8244"));
    choose("Option_PoP");
    type("Text_PoP", "7,8244");
    press();
    QCOMPARE(box("Text_M")->text(), QString("2"));
    press();
    QCOMPARE(box("Text_M")->text(), QString("2"));
    QLocale::setDefault(previous);
}

void TestIsentropicWindow::controlsFollowTheTabOrder()
{
    choose("Option_M");
    type("Text_M", "2");
    press();
    const QStringList order { "Text_RoR", "Option_M", "Option_PoP", "Option_ToT", "Command1", "Text_M", "Text_PoP",
        "Text_ToT", "Option_Nu", "Text_Nu", "Option_Mu", "Text_Mu" };
    QWidget* w = m_window->findChild<QWidget*>(order.first());
    for (qsizetype i = 1; i < order.size(); ++i) {
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus);
        QCOMPARE(w->objectName(), order[i]);
    }
    QCOMPARE(m_window->findChild<QWidget*>("Text_M")->accessibleName(), QString("Mach number M"));
}

QTEST_MAIN(TestIsentropicWindow)
#include "tst_isentropic_window.moc"
