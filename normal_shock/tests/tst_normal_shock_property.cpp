#include "form_probe.h"
#include "normal_shock_calc.h"
#include "normal_shock_window.h"
#include "number.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

enum Input { M1, M2, Po2P1 };
const std::array<const char*, 3> inputNames { "M1", "M2", "Po2/P1" };

const QString notice = QString::fromUtf8("iterasyon 50 adımda yakınsamadı");

// Whether `message` is `before`, a finite number as the program writes it, and `after`.
bool carriesNumber(const QString& message, const QString& before, const QString& after)
{
    if (!message.startsWith(before) || !message.endsWith(after) || message.size() <= before.size() + after.size())
        return false;
    const QString number = message.mid(before.size(), message.size() - before.size() - after.size());
    bool read = false;
    const double value = number.toDouble(&read);
    return read && std::isfinite(value) && value > 0.0;
}

// Every refusal a press with this input may show; the bounds that follow gamma carry their number.
bool allowed(const QString& message, Input input)
{
    if (message == "Gamma must be greater than 1" || message == "The value is too large to be calculated")
        return true;
    switch (input) {
    case M1:
        return message == "M1 must be equal or greater than 1";
    case M2:
        return message == "M2 must be equal or lower than 1" || message == "M2 must be greater than 0.3779"
            || carriesNumber(message, "M2 must be greater than ", " for this gamma");
    case Po2P1:
        return message == "Po2/P1 must be greater then 1.8929"
            || carriesNumber(message, "Po2/P1 must be equal or greater than ", " for this gamma");
    }
    return false;
}

// Any refusal the window may show, whichever option is set.
bool allowedInWindow(const QString& message)
{
    return message == "Choose an input option" || allowed(message, M1) || allowed(message, M2)
        || allowed(message, Po2P1);
}

// A gamma: mostly between 1.01 and 3; sometimes a text at or beyond the edges, just above 1, or huge.
double randomGama(QRandomGenerator& random)
{
    static const QStringList edges { "1", "1.0", "0", "-0", "-1.4", "", "abc", "nan", "inf", "1e300", "1e308",
        "1.7976931348623157e308", "1e309", "1.0000001", "1.000000000000001", "1.01", "3", "\t 1.4 \n", "1,4" };
    switch (random.bounded(16)) {
    case 0:
        return common::readNumber(edges[random.bounded(int(edges.size()))].toStdString());
    case 1:
        return common::readNumber(probe::randomGamma(random).toStdString());
    case 2:
        return common::readNumber(
            QString::number(1.0 + std::pow(10.0, -16.0 * random.generateDouble()), 'g', 17).toStdString());
    case 3:
        return common::readNumber(
            QString::number(std::pow(10.0, 308.3 * random.generateDouble()), 'g', 17).toStdString());
    default:
        return 1.01 + random.generateDouble() * 1.99;
    }
}

// A text near one of the input's bounds: a hair above or below it, or the bound itself.
QString nearBound(QRandomGenerator& random, Input input, double gama)
{
    const std::array<double, 3> m2Bounds { 1.0, 0.3779, normal_shock::smallestM2(gama) };
    const std::array<double, 2> pitotBounds { 1.8929, normal_shock::lowestPo2P1(gama) };
    double bound = 1.0; // the lowest M1
    if (input == M2)
        bound = m2Bounds[random.bounded(3)];
    else
        bound = pitotBounds[random.bounded(2)];
    if (random.bounded(8) == 0)
        return QString::number(bound, 'g', 17);
    const double hair = std::pow(10.0, -17.0 * random.generateDouble()) * (random.bounded(2) == 0 ? 1.0 : -1.0);
    return QString::number(bound * (1.0 + hair), 'g', 17);
}

// A text far beyond every bound, tiny or huge, of either sign.
QString farOut(QRandomGenerator& random)
{
    const double value = std::pow(10.0, 640.0 * random.generateDouble() - 320.0);
    return QString::number(random.bounded(5) == 0 ? -value : value, 'g', 1 + random.bounded(17));
}

// A text inside the range the input accepts for this gamma.
QString inside(QRandomGenerator& random, Input input, double gama)
{
    double value = 1.0 + std::pow(10.0, 6.0 * random.generateDouble() - 4.0);
    if (input == M2) {
        const double lowest = std::max(0.3779, normal_shock::smallestM2(gama));
        value = lowest + (1.0 - lowest) * random.generateDouble();
    } else if (input == Po2P1) {
        value = std::max(1.8929, normal_shock::lowestPo2P1(gama)) * std::pow(10.0, 8.0 * random.generateDouble());
    }
    return QString::number(value, 'g', 1 + random.bounded(17));
}

// A text the input's box may be given.
QString randomInputText(QRandomGenerator& random, Input input, double gama, int draw)
{
    static const QStringList tricky = probe::trickyTexts();
    static const std::array<double, 3> scales { 30.0, 1.2, 2000.0 };
    switch (draw % 5) {
    case 0:
        return tricky[random.bounded(int(tricky.size()))];
    case 1:
        return probe::randomText(random, scales[input]);
    case 2:
        return nearBound(random, input, gama);
    case 3:
        return inside(random, input, gama);
    default:
        return farOut(random);
    }
}

QString shown(double value)
{
    return QString::fromStdString(common::writeNumber(value, 5));
}

} // namespace

class TestNormalShockProperty : public QObject {
    Q_OBJECT

private slots:
    void everyCalculationIsFiniteOrRefused();
    void everyWindowPressShowsNumbersOrChangesNothing();
};

void TestNormalShockProperty::everyCalculationIsFiniteOrRefused()
{
    QRandomGenerator random(20261208);
    const int perInput = 40000;
    int calculations = 0;
    for (Input input : { M1, M2, Po2P1 }) {
        int accepted = 0;
        int notices = 0;
        for (int i = 0; i < perInput; ++i) {
            const double gama = randomGama(random);
            const QString text = randomInputText(random, input, gama, i);
            const double value = common::readNumber(text.toStdString());
            ++calculations;
            const auto result = input == M1 ? normal_shock::fromM1(gama, value)
                : input == M2               ? normal_shock::fromM2(gama, value)
                                            : normal_shock::fromPo2P1(gama, value);
            const QString where
                = QString("gamma %1, %2 text '%3'").arg(gama, 0, 'g', 17).arg(inputNames[input]).arg(text.left(30));
            if (!result.ok()) {
                const QString message = QString::fromStdString(result.refusal().render());
                QVERIFY2(allowed(message, input), qPrintable(where + ": " + message));
                continue;
            }
            ++accepted;
            const normal_shock::Shock& s = result.value();
            for (double quantity : { s.M1, s.M2, s.P2P1, s.T2T1, s.Ro2Ro1, s.Po2Po1, s.Po2P1 })
                QVERIFY2(std::isfinite(quantity) && quantity > 0.0, qPrintable(where));
            for (double mach : { s.M1, s.M2 }) {
                const QString text5 = shown(mach);
                QVERIFY2(text5 != "0" && text5 != "999" && !text5.startsWith('-'), qPrintable(where + ": " + text5));
            }
            if (input == Po2P1) {
                QVERIFY2(s.iteration.passes >= 1 && s.iteration.passes <= normal_shock::passLimit, qPrintable(where));
                QCOMPARE(s.notice.has_value(), !s.iteration.converged);
                if (s.notice) {
                    ++notices;
                    QCOMPARE(s.iteration.passes, normal_shock::passLimit);
                    QCOMPARE(QString::fromStdString(s.notice->render()), notice);
                }
                // Converged or not, the M1 found gives back the pitot ratio that was typed.
                QVERIFY2(std::fabs(s.Po2P1 / value - 1.0) < 1e-3, qPrintable(where));
            } else {
                QVERIFY2(!s.notice && s.iteration.passes == 0, qPrintable(where));
                // The other side of the shock, to the rounding of the relation near Mach 1.
                if (input == M1)
                    QVERIFY2(s.M1 == value && s.M2 <= 1.0 + 1e-9, qPrintable(where));
                else
                    QVERIFY2(s.M2 == value && s.M1 >= 1.0 - 1e-9, qPrintable(where));
            }
        }
        qInfo("%s: %d calculations, %d accepted, %d with the iteration notice", inputNames[input], perInput, accepted,
            notices);
    }
    qInfo("%d calculations", calculations);
}

void TestNormalShockProperty::everyWindowPressShowsNumbersOrChangesNothing()
{
    QRandomGenerator random(7);
    QString gamma = "1.4";
    QStringList messages;
    NormalShockWindow window([&] { return gamma; }, [&](QWidget*, const QString& text) { messages << text; });
    window.show();
    const std::array<const char*, 3> options { "Option_M1", "Option_M2", "Option_Po2P1" };
    std::array<int, 4> presses {}; // per option, and with none set
    int refusals = 0;
    int notices = 0;
    for (int i = 0; i < 2000; ++i) {
        if (random.bounded(4) == 0)
            QTest::mouseClick(probe::randomOption(&window, random), Qt::LeftButton);
        gamma = random.bounded(3) == 0 ? probe::randomGamma(random) : "1.4";
        int input = 3;
        for (int o = 0; o < 3; ++o) {
            if (window.findChild<QRadioButton*>(options[o])->isChecked())
                input = o;
        }
        ++presses[input];
        QLineEdit* typed = nullptr;
        for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
            if (box->isVisibleTo(&window) && box->palette().color(QPalette::Base) == QColor(255, 255, 255))
                typed = box;
        }
        if (typed)
            typed->setText(input == 3 ? probe::randomText(random, 100.0)
                                      : randomInputText(random, Input(input), 1.4, random.bounded(5)));
        // Now and then a pitot ratio so large, for a gamma far from 1, that the iteration runs out of passes.
        if (typed && input == Po2P1 && random.bounded(8) == 0) {
            gamma = QStringList { "2.5", "3", "5" }[random.bounded(3)];
            typed->setText(QString("1e%1").arg(40 + random.bounded(100)));
        }
        const QStringList before = probe::screen(&window);
        messages.clear();
        QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        const QString where = QString("press %1, gamma '%2', typed '%3'")
                                  .arg(i)
                                  .arg(gamma)
                                  .arg(typed ? typed->text().left(30) : QString());
        QVERIFY2(messages.size() <= 1, qPrintable(where + ": " + messages.join(" / ")));
        const bool refused = !messages.isEmpty() && messages.first() != notice;
        if (refused) {
            QVERIFY2(allowedInWindow(messages.first()), qPrintable(where + ": " + messages.first()));
            QCOMPARE(probe::screen(&window), before);
            ++refusals;
            continue;
        }
        if (!messages.isEmpty()) { // the notice comes only from the iteration, and the press goes on
            QVERIFY2(input == Po2P1, qPrintable(where));
            ++notices;
        }
        QVERIFY2(typed, qPrintable(where));
        const QStringList faults = probe::faults(&window, typed->objectName());
        QVERIFY2(faults.isEmpty(), qPrintable(where + ": " + faults.join(", ")));
        QVERIFY2(window.findChild<QGroupBox*>("Frame1")->isVisibleTo(&window), qPrintable(where));
        for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
            if (box != typed && box->isVisibleTo(&window))
                QVERIFY2(!box->text().trimmed().isEmpty(), qPrintable(where + ": " + box->objectName() + " empty"));
        }
    }
    qInfo("window presses: %d with M1, %d with M2, %d with Po2/P1, %d with no option set; %d refused, %d with the "
          "iteration notice",
        presses[0], presses[1], presses[2], presses[3], refusals, notices);
}

QTEST_MAIN(TestNormalShockProperty)
#include "tst_normal_shock_property.moc"
