#include "normal_shock_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {

// The input row, then the ratios in the order they are written.
const QStringList boxes { "Text_M1", "Text_M2", "Text_Po2P1", "Text_P2P1", "Text_Ro2Ro1", "Text_T2T1", "Text_Po2Po1" };

// One press: gamma, the quantity chosen (M1, M2 or Po2P1), the text typed (none: left blank), and what
// the window then shows or says.
struct Press {
    const char* name;
    const char* gamma;
    const char* input;
    const char* typed;
    const char* outcome;
};

// M1|M2|Po2/P1|P2/P1|rho2/rho1|T2/T1|Po2/Po1 / input row and Frame1 shown / W white, G grey, F frame grey
const Press shownPresses[] = {
    { "M1 2", "1.4", "M1", "2", "2|0.57735|5.64044|4.5|2.66667|1.6875|0.72087 / 1111 / WGGFFFF" },
    { "M1 1", "1.4", "M1", "1", "1|1|1.89293|1|1|1|1 / 1111 / WGGFFFF" },
    { "M1 10", "1.4", "M1", "10", "10|0.38758|129.21697|116.5|5.71429|20.3875|0.00304 / 1111 / WGGFFFF" },
    { "M2 0.5", "1.4", "M2", "0.5", "2.64575|0.5|9.4897|8|3.5|2.28571|0.44311 / 1111 / GWGFFFF" },
    { "M2 1", "1.4", "M2", "1", "1|1|1.89293|1|1|1|1 / 1111 / GWGFFFF" },
    { "Po2/P1 5.64044", "1.4", "Po2P1", "5.64044", "2|0.57735|5.64044|4.5|2.66667|1.6875|0.72087 / 1111 / GGWFFFF" },
    { "Po2/P1 1.8929", "1.4", "Po2P1", "1.8929", "0.99999|1.00001|1.8929|0.99998|0.99999|1|1 / 1111 / GGWFFFF" },
    { "Po2/P1 100", "1.4", "Po2P1", "100", "8.7925|0.39036|100|90.026|5.63552|15.97476|0.00553 / 1111 / GGWFFFF" },
    { "Po2/P1 1000", "1.4", "Po2P1", "1000", "27.86226|0.37921|1000|905.52336|5.9616|151.8926|2E-05 / 1111 / GGWFFFF" },
    { "Po2/P1 typed text stays", "1.4", "Po2P1", "2.5abc",
        "1.23129|0.82333|2.5abc|1.60208|1.39599|1.14762|0.98943 / 1111 / GGWFFFF" },
    { "Po2/P1 2.1 g 1.67", "1.67", "Po2P1", "2.1",
        "1.01732|0.98312|2.1|1.04372|1.02595|1.01732|0.99999 / 1111 / GGWFFFF" },
};

const Press refusedPresses[] = {
    { "M1 0.999", "1.4", "M1", "0.999", "M1 must be equal or greater than 1" },
    { "M1 blank", "1.4", "M1", nullptr, "M1 must be equal or greater than 1" },
    { "M1 without a number", "1.4", "M1", "abc", "M1 must be equal or greater than 1" },
    { "M2 1.0001", "1.4", "M2", "1.0001", "M2 must be equal or lower than 1" },
    { "M2 0.3779", "1.4", "M2", "0.3779", "M2 must be greater than 0.3779" },
    { "M2 blank", "1.4", "M2", nullptr, "M2 must be greater than 0.3779" },
    { "M2 0 ", "1.4", "M2", "0", "M2 must be greater than 0.3779" },
    { "M2 without M1", "1.4", "M2", "0.37796", "M2 must be greater than 0.377964473009227 for this gamma" },
    { "M2 without M1 g 1.67", "1.67", "M2", "0.44", "M2 must be greater than 0.447882576570254 for this gamma" },
    { "Po2/P1 1.8928", "1.4", "Po2P1", "1.8928", "Po2/P1 must be greater then 1.8929" },
    { "Po2/P1 blank", "1.4", "Po2P1", nullptr, "Po2/P1 must be greater then 1.8929" },
    { "Po2/P1 2 g 1.67 (M1 0.97827)", "1.67", "Po2P1", "2",
        "Po2/P1 must be equal or greater than 2.05458117822359 for this gamma" },
    { "gamma 1 before M1", "1", "M1", "0.5", "Gamma must be greater than 1" },
    { "gamma without a number", "air", "Po2P1", "5", "Gamma must be greater than 1" },
    { "M1 1e200", "1.4", "M1", "1e200", "The value is too large to be calculated" },
    { "Po2/P1 1e400", "1.4", "Po2P1", "1e400", "The value is too large to be calculated" },
};

} // namespace

class TestNormalShockWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void freshWindowAsksForAnOption();
    void choosingAnOptionShowsOnlyItsBlankWhiteBox_data();
    void choosingAnOptionShowsOnlyItsBlankWhiteBox();
    void pressShowsEveryQuantity_data();
    void pressShowsEveryQuantity();
    void refusedPressChangesNothing_data();
    void refusedPressChangesNothing();
    void iterationNoticeComesAfterGreyingAndBeforeWriting();
    void gammaIsReadAtEveryPressAndEnterPresses();
    void controlsFollowTheTabOrderWithTheirNames();

private:
    static void addPressColumns(const Press* first, const Press* last)
    {
        QTest::addColumn<QString>("gamma");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("outcome");
        for (const Press* p = first; p != last; ++p)
            QTest::newRow(p->name) << p->gamma << p->input << (p->typed ? p->typed : "") << p->outcome;
    }
    QLineEdit* box(const QString& name) { return m_window->findChild<QLineEdit*>(name); }
    void choose(const QString& input)
    {
        QTest::mouseClick(m_window->findChild<QRadioButton*>("Option_" + input), Qt::LeftButton);
    }
    void type(const QString& input, const QString& text)
    {
        box("Text_" + input)->clear();
        QTest::keyClicks(box("Text_" + input), text);
    }
    void press() { QTest::mouseClick(m_window->findChild<QPushButton*>("Command1"), Qt::LeftButton); }
    QString caption() { return m_window->findChild<QPushButton*>("Command1")->text(); }
    QString state()
    {
        QStringList texts;
        QString shown;
        QString colours;
        for (const QString& name : boxes) {
            texts << box(name)->text();
            const QColor c = box(name)->palette().color(QPalette::Base);
            colours += c == QColor(255, 255, 255) ? 'W'
                : c == QColor(200, 200, 200)      ? 'G'
                : c == QColor(192, 192, 192)      ? 'F'
                                                  : '?';
        }
        for (const char* name : { "Text_M1", "Text_M2", "Text_Po2P1", "Frame1" })
            shown += m_window->findChild<QWidget*>(name)->isVisibleTo(m_window.get()) ? '1' : '0';
        return texts.join('|') + " / " + shown + " / " + colours;
    }

    QString m_gamma;
    QStringList m_messages;
    QStringList m_statesAtMessage; // what the window showed when each message came
    std::unique_ptr<NormalShockWindow> m_window;
};

void TestNormalShockWindow::init()
{
    m_gamma = "1.4";
    m_messages.clear();
    m_statesAtMessage.clear();
    m_window = std::make_unique<NormalShockWindow>([this] { return m_gamma; },
        [this](QWidget*, const QString& text) {
            m_messages << text;
            m_statesAtMessage << state();
        });
    m_window->show();
}

void TestNormalShockWindow::cleanup()
{
    m_window.reset();
}

void TestNormalShockWindow::freshWindowAsksForAnOption()
{
    QCOMPARE(m_window->objectName(), QString("Form_NmShock"));
    QCOMPARE(m_window->windowTitle(), QString("Normal Shock"));
    QCOMPARE(m_window->findChild<QGroupBox*>("Frame3")->title(), QString("Input Options"));
    QStringList captions;
    for (const char* name :
        { "Option_M1", "Option_M2", "Option_Po2P1", "Label_P2P1", "Label_Ro2Ro1", "Label_T2T1", "Label_Po2Po1" }) {
        QWidget* w = m_window->findChild<QWidget*>(name);
        auto* option = qobject_cast<QRadioButton*>(w);
        QVERIFY(!option || !option->isChecked());
        captions << (option ? option->text() : qobject_cast<QLabel*>(w)->text());
    }
    QCOMPARE(captions.join(' '), QString::fromUtf8("M1 M2 po2/p1 P2/P1 ρ2/ρ1 T2/T1 Po2/Po1"));
    QCOMPARE(state(), QString("|||||| / 0000 / WWWFFFF"));
    press();
    QCOMPARE(m_messages, QStringList { "Choose an input option" });
    QCOMPARE(state(), QString("|||||| / 0000 / WWWFFFF"));
    QCOMPARE(caption(), QString("Choose an input option"));
}

void TestNormalShockWindow::choosingAnOptionShowsOnlyItsBlankWhiteBox_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("M1") << "M1"
                        << " |0.57735|5.64044|4.5|2.66667|1.6875|0.72087 / 1001 / WGGFFFF";
    QTest::newRow("M2") << "M2"
                        << "2| |5.64044|4.5|2.66667|1.6875|0.72087 / 0101 / WWGFFFF";
    QTest::newRow("Po2/P1") << "Po2P1"
                            << "2|0.57735| |4.5|2.66667|1.6875|0.72087 / 0011 / WGWFFFF";
}

// After a result: the other boxes of the row hide keeping their texts and colours, Frame1 keeps the
// ratios; choosing the selected option again blanks its box again.
void TestNormalShockWindow::choosingAnOptionShowsOnlyItsBlankWhiteBox()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    choose("M1");
    QCOMPARE(caption(), QString("SET input value then CLICK"));
    type("M1", "2");
    press();
    type(input, "7");
    choose(input);
    QCOMPARE(state(), expected);
    QVERIFY(m_messages.isEmpty());
}

void TestNormalShockWindow::pressShowsEveryQuantity_data()
{
    addPressColumns(std::begin(shownPresses), std::end(shownPresses));
}

void TestNormalShockWindow::pressShowsEveryQuantity()
{
    QFETCH(QString, gamma);
    QFETCH(QString, input);
    QFETCH(QString, typed);
    QFETCH(QString, outcome);
    m_gamma = gamma;
    choose(input);
    type(input, typed);
    press();
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(state(), outcome);
    press(); // again, with the input unchanged
    QCOMPARE(state(), outcome);
}

void TestNormalShockWindow::refusedPressChangesNothing_data()
{
    addPressColumns(std::begin(refusedPresses), std::end(refusedPresses));
}

void TestNormalShockWindow::refusedPressChangesNothing()
{
    QFETCH(QString, gamma);
    QFETCH(QString, input);
    QFETCH(QString, typed);
    QFETCH(QString, outcome);
    choose("M1"); // start from a shown result, which the refused press must leave alone
    type("M1", "2");
    press();
    choose(input);
    if (!typed.isEmpty())
        type(input, typed);
    const QString before = state();
    m_gamma = gamma;
    press();
    QCOMPARE(m_messages, QStringList { outcome });
    QCOMPARE(state(), before);
}

// g = 5 and Po2/P1 = 1e45 run the iteration out of passes: the notice comes once the M1 and M2 boxes are
// shown grey and before anything is written; the press then shows the last pass.
void TestNormalShockWindow::iterationNoticeComesAfterGreyingAndBeforeWriting()
{
    m_gamma = "5";
    choose("Po2P1");
    type("Po2P1", "1e45");
    press();
    QCOMPARE(m_messages, QStringList { QString::fromUtf8("iterasyon 50 adımda yakınsamadı") });
    QCOMPARE(m_statesAtMessage, QStringList { "||1e45|||| / 1110 / GGWFFFF" });
    QCOMPARE(state(),
        QString("1.6964079907955E+22|0.63246|1e45|4.79633345205806E+44|1.5|3.19755563470537E+44|0 / 1111 / GGWFFFF"));
}

void TestNormalShockWindow::gammaIsReadAtEveryPressAndEnterPresses()
{
    choose("M1");
    type("M1", "2");
    press();
    m_gamma = "1.67";
    QTest::keyClick(box("Text_M1"), Qt::Key_Return);
    QCOMPARE(state(), QString("2|0.60728|6.35404|4.75281|2.28205|2.08269|0.76342 / 1111 / WGGFFFF"));
}

void TestNormalShockWindow::controlsFollowTheTabOrderWithTheirNames()
{
    choose("M1");
    type("M1", "2");
    press();
    const QStringList order { "Text_P2P1", "Text_T2T1", "Option_M1", "Option_M2", "Option_Po2P1", "Command1",
        "Text_Ro2Ro1", "Text_M1", "Text_M2", "Text_Po2Po1", "Text_Po2P1" };
    QWidget* w = m_window->findChild<QWidget*>(order.first());
    for (qsizetype i = 1; i < order.size(); ++i) {
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus);
        QCOMPARE(w->objectName(), order[i]);
    }
    QCOMPARE(box("Text_M1")->accessibleName(), QString("upstream Mach number M1"));
    QCOMPARE(box("Text_Ro2Ro1")->accessibleName(), QString("density ratio rho2/rho1"));
}

QTEST_MAIN(TestNormalShockWindow)
#include "tst_normal_shock_window.moc"
