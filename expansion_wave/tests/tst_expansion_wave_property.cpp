#include "expansion_wave_calc.h"
#include "expansion_wave_window.h"
#include "form_probe.h"
#include "number.h"

#include <QtTest>

#include <cmath>
#include <iterator>
#include <limits>
#include <numbers>

namespace {

const QString noSolution = "There is no solution for given M2";

// Every message an expansion wave press may show; the largest-angle refusals carry a number.
bool allowed(const QString& message)
{
    static const QStringList fixed { "Gamma must be greater than 1", "Choose an Output option",
        "M2 must be greater than 1", "M1 and M2 must be greater than 1", "M1 must be greater than 1", noSolution,
        "The value is too large to be calculated" };
    return fixed.contains(message)
        || ((message.startsWith("Nu1 must be less than ") || message.startsWith("Nu2 must be less than "))
            && message.endsWith(" degrees for this gamma"));
}

// A Mach number text: a tricky one, one on the log-like spread of the probe, one from 1 to 1e20, one just
// above Mach 1, or one from 1 to 10.
QString machText(QRandomGenerator& random)
{
    const int digits = 1 + random.bounded(16);
    switch (random.bounded(5)) {
    case 0:
        return probe::trickyTexts()[random.bounded(int(probe::trickyTexts().size()))];
    case 1:
        return probe::randomText(random, 100.0);
    case 2:
        return QString::number(std::pow(10.0, random.generateDouble() * 20.0), 'g', digits);
    case 3:
        return QString::number(1.0 + std::pow(10.0, random.generateDouble() * 12.0 - 12.0), 'g', digits);
    default:
        return QString::number(1.0 + random.generateDouble() * 9.0, 'g', digits);
    }
}

// A turning angle text: a tricky one, one on the probe's spread, one of either sign from 1e-6 to 1e10
// degrees (the largest angle of a gas just above gamma 1 runs to billions), or one of either sign up to 140.
QString angleText(QRandomGenerator& random)
{
    const int digits = 1 + random.bounded(16);
    const double sign = random.bounded(2) == 0 ? -1.0 : 1.0;
    switch (random.bounded(5)) {
    case 0:
        return probe::trickyTexts()[random.bounded(int(probe::trickyTexts().size()))];
    case 1:
        return probe::randomText(random, 100.0);
    case 2:
        return QString::number(sign * std::pow(10.0, random.generateDouble() * 16.0 - 6.0), 'g', digits);
    default:
        return QString::number(sign * random.generateDouble() * 140.0, 'g', digits);
    }
}

constexpr double degToRad = std::numbers::pi / 180.0;

// Gases at the far ends: a Prandtl-Meyer angle of billions of degrees just above 1, a flat one far above.
const double extremeGammas[] = { 1.0 + std::numeric_limits<double>::epsilon(), 1.0 + 1e-13, 1.0 + 1e-9, 1.001, 10.0,
    1e6, 1e15, 1e300, std::numeric_limits<double>::max() };

} // namespace

class TestExpansionWaveProperty : public QObject {
    Q_OBJECT

private slots:
    void everyCalculationIsFiniteOrRefused();
    void everyWindowPressShowsNumbersOrChangesNothing();
};

void TestExpansionWaveProperty::everyCalculationIsFiniteOrRefused()
{
    using expansion_wave::Wave;
    QRandomGenerator random(20261208);
    int presses = 0;
    int accepted = 0;
    for (int i = 0; i < 25000; ++i) {
        const int gammaKind = random.bounded(16);
        const double gama = gammaKind == 0 ? extremeGammas[random.bounded(int(std::size(extremeGammas)))]
            : gammaKind <= 2               ? common::readNumber(probe::randomGamma(random).toStdString())
                                           : 1.01 + random.generateDouble() * 1.99;
        const QString mA = machText(random);
        const QString mB = machText(random);
        const QString angle = angleText(random);
        const double a = common::readNumber(mA.toStdString());
        const double b = common::readNumber(mB.toStdString());
        const double teta = common::readNumber(angle.toStdString());
        for (int output = 0; output < 3; ++output) {
            ++presses;
            // output 0: M1 from M2 = a and Teta; 1: Teta from M1 = a and M2 = b; 2: M2 from M1 = a and Teta
            const auto result = output == 0 ? expansion_wave::findM1(gama, a, teta)
                : output == 1               ? expansion_wave::findTeta(gama, a, b)
                                            : expansion_wave::findM2(gama, a, teta);
            const QString where = QString("gamma %1, output %2, texts '%3' '%4'")
                                      .arg(gama, 0, 'g', 17)
                                      .arg(output)
                                      .arg(mA.left(20), output == 1 ? mB.left(20) : angle.left(20));
            if (!result.ok()) {
                const QString message = QString::fromStdString(result.refusal().render());
                QVERIFY2(allowed(message), qPrintable(where + ": " + message));
                if (message == noSolution && std::isfinite(gama) && gama > 1.0) {
                    // only a target angle below zero has no Mach number
                    const double nu = expansion_wave::Nu_için_hesap(expansion_wave::constantsFor(gama), a);
                    const double target = output == 0 ? nu - teta : nu + teta;
                    QVERIFY2(target < 0.0, qPrintable(where + QString(": target %1").arg(target, 0, 'g', 17)));
                }
                continue;
            }
            ++accepted;
            const Wave& w = result.value();
            for (double v : { w.M1, w.Teta, w.M2, w.Nu1, w.Nu2, w.p2p1, w.T2T1 })
                QVERIFY2(std::isfinite(v), qPrintable(where));
            QVERIFY2(w.M1 >= 1.0 && w.M2 >= 1.0, qPrintable(where));
            // a sought angle may lie below zero by the iteration's tolerance, never by a shown hundredth
            QVERIFY2(w.Nu1 > -0.005 && w.Nu2 > -0.005, qPrintable(where));
            QVERIFY2(w.T2T1 >= 0.0 && w.p2p1 >= 0.0, qPrintable(where)); // 0 beyond the range of doubles
            QCOMPARE(w.iteration.has_value(), output != 1);
            if (output == 1) {
                QCOMPARE(w.M1, a);
                QCOMPARE(w.M2, b);
                QVERIFY(!w.fallback);
                continue;
            }
            QCOMPARE(output == 0 ? w.M2 : w.M1, a);
            QCOMPARE(w.Teta, teta);
            QVERIFY2(w.iteration->passes >= 1 && w.iteration->passes <= 50, qPrintable(where));
            QCOMPARE(w.fallback.has_value(), !w.iteration->converged);
            if (w.fallback)
                QVERIFY2(w.fallback->converged && w.fallback->passes <= 400, qPrintable(where));
            // the Mach number found has the sought angle within the tolerance of the search that found it
            const double sought = output == 0 ? w.M1 : w.M2;
            const double target = output == 0 ? w.Nu1 : w.Nu2;
            const double residual
                = std::fabs(expansion_wave::Nu_için_hesap(expansion_wave::constantsFor(gama), sought) - target)
                * degToRad;
            const double tolerance = (w.fallback ? 1e-9 : 1e-5) + 1e-12 * std::fabs(target * degToRad);
            QVERIFY2(residual < tolerance, qPrintable(where + QString(": residual %1").arg(residual)));
        }
    }
    QVERIFY2(accepted > presses / 5, qPrintable(QString("only %1 of %2 accepted").arg(accepted).arg(presses)));
    qInfo("%d calculations (%d per output), %d accepted", presses, presses / 3, accepted);
}

void TestExpansionWaveProperty::everyWindowPressShowsNumbersOrChangesNothing()
{
    QRandomGenerator random(7);
    QString gamma = "1.4";
    QStringList messages;
    ExpansionWaveWindow window([&] { return gamma; }, [&](QWidget*, const QString& text) { messages << text; });
    window.show();
    int refused = 0;
    QMap<QString, int> pressesPerOutput; // the option checked at the press, or none
    for (int i = 0; i < 1500; ++i) {
        if (random.bounded(4) == 0)
            QTest::mouseClick(probe::randomOption(&window, random), Qt::LeftButton);
        gamma = random.bounded(3) == 0 ? probe::randomGamma(random) : "1.4";
        QString output = "none";
        for (QRadioButton* option : window.findChildren<QRadioButton*>())
            if (option->isChecked())
                output = option->text();
        ++pressesPerOutput[output];
        QStringList typed;
        for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
            if (box->isVisibleTo(&window) && box->palette().color(QPalette::Base) == QColor(255, 255, 255)) {
                typed << box->objectName();
                box->setText(box->objectName() == "Text_Teta" ? angleText(random) : machText(random));
            }
        }
        const QStringList before = probe::screen(&window);
        messages.clear();
        QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        const QString where = QString("press %1, gamma '%2'").arg(i).arg(gamma);
        if (!messages.isEmpty()) {
            ++refused;
            QCOMPARE(messages.size(), 1);
            QVERIFY2(allowed(messages.first()), qPrintable(where + ": " + messages.first()));
            QCOMPARE(probe::screen(&window), before);
            continue;
        }
        QCOMPARE(typed.size(), 2);
        QStringList faults;
        for (const QString& fault : probe::faults(&window, typed[0]))
            if (!fault.startsWith(typed[1] + " "))
                faults << fault;
        QVERIFY2(faults.isEmpty(), qPrintable(where + ": " + faults.join(", ")));
        QVERIFY(window.findChild<QWidget*>("Frame1")->isVisibleTo(&window));
        for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
            if (box->isVisibleTo(&window) && !typed.contains(box->objectName()))
                QVERIFY2(!box->text().trimmed().isEmpty(), qPrintable(where + ": " + box->objectName()));
        }
    }
    qInfo("1500 window presses (none %d, M1 %d, Teta %d, M2 %d), %d refused", pressesPerOutput.value("none"),
        pressesPerOutput.value("M1"), pressesPerOutput.value("Teta"), pressesPerOutput.value("M2"), refused);
}

QTEST_MAIN(TestExpansionWaveProperty)
#include "tst_expansion_wave_property.moc"
