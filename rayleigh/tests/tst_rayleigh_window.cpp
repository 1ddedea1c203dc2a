#include "rayleigh_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {

// The input row, then the ratio boxes.
const QStringList allBoxes { "Text_M", "Text_Msup", "Text_ToToStar", "Text_TTstar", "Text_PPstar", "Text_RoRoStar",
    "Text_PoPoStar" };

// After the history of every press row: To/To* 0.8 pressed, then M 2 pressed.
const QString ratiosOfM2 = "0.52893|0.36364|0.6875|1.5031";

void row(const char* name, const QString& option, const QString& typed, const QString& gamma, const QString& texts,
    const QString& shown, const QString& colours, const QString& message = {})
{
    QTest::newRow(name) << option << typed << gamma << texts << shown << colours << message;
}

} // namespace

class TestRayleighWindow : public QObject {
    Q_OBJECT

private slots:
    void init();

    void freshWindowAsksForAnOption();
    void choosingAnOptionShowsOnlyItsBlankWhiteBoxAndHidesTheRatios();
    void wholePress_data();
    void wholePress();
    void enterInABoxPressesAndTheCommaIsTheDecimalMark();
    void controlsFollowTheTabOrder();

private:
    QLineEdit* box(const QString& name) { return m_window->findChild<QLineEdit*>(name); }
    QPushButton* command1() { return m_window->findChild<QPushButton*>("Command1"); }
    void pressWith(const QString& optionName, const QString& text, bool press = true)
    {
        QTest::mouseClick(m_window->findChild<QRadioButton*>(optionName), Qt::LeftButton);
        QLineEdit* input = box(optionName == "Option_M" ? "Text_M" : "Text_ToToStar");
        QCOMPARE(input->text(), QString(" "));
        input->clear();
        QTest::keyClicks(input, text);
        if (press)
            QTest::mouseClick(command1(), Qt::LeftButton);
    }
    QString texts()
    {
        QStringList all;
        for (const QString& name : allBoxes)
            all << box(name)->text();
        return all.join('|');
    }
    // Text_M, Text_Msup, Text_ToToStar, Frame1: 1 shown, 0 hidden.
    QString shown()
    {
        QString v;
        for (const QString& name : allBoxes.mid(0, 3))
            v += box(name)->isVisibleTo(m_window.get()) ? '1' : '0';
        return v + (m_window->findChild<QGroupBox*>("Frame1")->isVisibleTo(m_window.get()) ? '1' : '0');
    }
    // Backgrounds of all boxes: w white, g grey 200, f frame grey 192.
    QString colours()
    {
        QString c;
        for (const QString& name : allBoxes) {
            const QColor base = box(name)->palette().color(QPalette::Base);
            c += base == QColor(255, 255, 255) ? 'w' : base == QColor(200, 200, 200) ? 'g' : 'f';
        }
        return c;
    }

    QString m_gamma;
    QStringList m_messages;
    QString m_textMAtMessage; // Text_M as it stood when the last message came
    std::unique_ptr<RayleighWindow> m_window;
};

void TestRayleighWindow::init()
{
    m_gamma = "1.4";
    m_messages.clear();
    m_window = std::make_unique<RayleighWindow>([this] { return m_gamma; },
        [this](QWidget*, const QString& text) {
            m_messages << text;
            m_textMAtMessage = box("Text_M")->text();
        });
    m_window->show();
}

void TestRayleighWindow::freshWindowAsksForAnOption()
{
    QCOMPARE(m_window->objectName(), QString("Form_HeatFlo"));
    QCOMPARE(m_window->windowTitle(), QString("1D Flow with Heat Addition"));
    QCOMPARE(m_window->findChild<QGroupBox*>("Frame2")->title(), QString("Input Options"));
    QCOMPARE(m_window->findChild<QLabel*>("Label_RoRoStar")->text(), QString("ρ / ρ*"));
    QCOMPARE(box("Text_Msup")->geometry(), common::twipsRect(720, 480, 615, 285)); // overlaps Text_M
    QCOMPARE(shown(), QString("0000"));
    QCOMPARE(colours(), QString("wwwffff"));
    QTest::mouseClick(command1(), Qt::LeftButton);
    QCOMPARE(m_messages, QStringList { "choose an input parameter" });
    QCOMPARE(command1()->text(), QString("Coose an Input Option"));
}

void TestRayleighWindow::choosingAnOptionShowsOnlyItsBlankWhiteBoxAndHidesTheRatios()
{
    pressWith("Option_M", "2");
    pressWith("Option_ToToStar", "0.5", false); // the frame hides at once; only the chosen box is blanked
    QCOMPARE(shown(), QString("0010"));
    QCOMPARE(texts(), "2||0.5|" + ratiosOfM2);
    QCOMPARE(command1()->text(), QString("Input value then CLICK"));
    pressWith("Option_ToToStar", "0.3", false); // clicking the chosen option again blanks its box again
    pressWith("Option_M", "", false);
    QCOMPARE(shown(), QString("1000"));
    QCOMPARE(colours(), QString("wwwffff"));
}

// Every row starts after two presses (To/To* 0.8, then M 2), chooses an option, types and presses.
void TestRayleighWindow::wholePress_data()
{
    for (const char* column : { "option", "typed", "gamma", "texts", "shown", "colours", "message" })
        QTest::addColumn<QString>(column);
    const QString m = "Option_M";
    const QString r = "Option_ToToStar";
    const QString none = "There is no supersonic solution for To/To* at or below 0.489795918367347";
    row("M 0.5", m, "0.5", "1.4", "0.5|1.96738|0.69136|0.79012|1.77778|2.25|1.11405", "1011", "wggffff");
    row("M 2 blanks inside", m, " 2 .0 ", "1.3", " 2 .0 |1.96738|0.76587|0.55047|0.37097|0.67391|1.55179", "1011",
        "wggffff");
    row("To/To* 1", r, "1", "1.4", "1|1|1|" + ratiosOfM2, "1110", "ggwffff");
    // Without a supersonic root Text_Msup is hidden and keeps its text; the notice comes after Text_M.
    row("To/To* 0.3", r, "0.3", "1.4", "0.27427|1.96738|0.3|" + ratiosOfM2, "1010", "ggwffff", none);
    row("To/To* blank reads 0", r, " ", "1.4", "0|1.96738| |" + ratiosOfM2, "1010", "ggwffff", none);
    // A refused press changes nothing on screen.
    row("M 0", m, "0", "1.4", "0|1.96738|0.79339|" + ratiosOfM2, "1000", "wggffff", " M must be greater then zero");
    row("M text", m, "abc", "1.4", "abc|1.96738|0.79339|" + ratiosOfM2, "1000", "wggffff",
        " M must be greater then zero");
    row("M blank", m, " ", "1.4", " |1.96738|0.79339|" + ratiosOfM2, "1000", "wggffff", " M must be greater then zero");
    row("M 1e400", m, "1e400", "1.4", "1e400|1.96738|0.79339|" + ratiosOfM2, "1000", "wggffff",
        "The value is too large to be calculated");
    row("To/To* 1.0001", r, "1.0001", "1.4", "2|1.96738|1.0001|" + ratiosOfM2, "0010", "wgwffff",
        "To/To* must be equal 1 or lower then 1");
    row("To/To* negative", r, "-0.5", "1.4", "2|1.96738|-0.5|" + ratiosOfM2, "0010", "wgwffff",
        "To/To* must not be negative");
    row("gamma text", r, "0.8", "air", "2|1.96738|0.8|" + ratiosOfM2, "0010", "wgwffff",
        "Gamma must be greater than 1");
}

void TestRayleighWindow::wholePress()
{
    QFETCH(QString, option);
    QFETCH(QString, typed);
    QFETCH(QString, gamma);
    QFETCH(QString, message);
    pressWith("Option_ToToStar", "0.8");
    pressWith("Option_M", "2");
    QCOMPARE(texts(), "2|1.96738|0.79339|" + ratiosOfM2);
    QCOMPARE(shown(), QString("1011"));
    QCOMPARE(colours(), QString("wggffff"));
    m_gamma = gamma;
    pressWith(option, typed);
    QTEST(texts(), "texts");
    QTEST(shown(), "shown");
    QTEST(colours(), "colours");
    QCOMPARE(m_messages.join('/'), message);
    if (!message.isEmpty())
        QCOMPARE(m_textMAtMessage, texts().section('|', 0, 0));
    QCOMPARE(command1()->text(), QString("Input value then CLICK"));
}

void TestRayleighWindow::enterInABoxPressesAndTheCommaIsTheDecimalMark()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    pressWith("Option_ToToStar", "0,3", false);
    QTest::keyClick(box("Text_ToToStar"), Qt::Key_Return);
    QCOMPARE(box("Text_M")->text(), QString("0,27427"));
    QCOMPARE(box("Text_M")->cursorPosition(), 0); // a box too narrow shows the leading digits
    QCOMPARE(m_messages, QStringList { "There is no supersonic solution for To/To* at or below 0,489795918367347" });
    QLocale::setDefault(previous);
}

void TestRayleighWindow::controlsFollowTheTabOrder()
{
    pressWith("Option_ToToStar", "0.8");
    pressWith("Option_M", "2");
    const QStringList order { "Text_TTstar", "Text_PPstar", "Text_RoRoStar", "Text_PoPoStar", "Option_M",
        "Option_ToToStar", "Command1", "Text_M", "Text_ToToStar" };
    QWidget* w = m_window->findChild<QWidget*>(order.first());
    for (qsizetype i = 1; i < order.size(); ++i) {
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(m_window.get()));
        QCOMPARE(w->objectName(), order[i]);
    }
    QCOMPARE(box("Text_Msup")->accessibleName(), QString("supersonic Mach number"));
}

QTEST_MAIN(TestRayleighWindow)
#include "tst_rayleigh_window.moc"
