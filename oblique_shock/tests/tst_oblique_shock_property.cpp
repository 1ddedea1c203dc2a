#include "deflection_oracle.h"
#include "form_probe.h"
#include "number.h"
#include "oblique_shock_calc.h"
#include "oblique_shock_window.h"

#include <QtTest>

#include <cmath>

using oblique_shock::Shock;
using oblique_shock::Solution;

namespace {

// The four ways to press: the wave angle (weak or strong), the deflection, the upstream Mach number.
enum Output { BetaWeak, BetaStrong, Teta, M1 };

const QString gammaRefusal = "Gamma must be greater than 1";
const QString tooLarge = "The value is too large to be calculated";
const QString noConvergence = QString::fromUtf8(" iterasyon 20 adımda yakınsamadı");

// The limit message: its fixed parts around a finite number written by the program.
bool isLimitMessage(const QString& message)
{
    const QString before = "no solution for M1. Teta must be equal or less then ";
    const QString after = " degrees";
    if (!message.startsWith(before) || !message.endsWith(after))
        return false;
    const QString number = message.mid(before.size(), message.size() - before.size() - after.size());
    bool ok = false;
    const double limit = number.toDouble(&ok);
    return ok && std::isfinite(limit) && limit >= 0.0 && limit < 90.0;
}

// Every message a press for this output may show. The non-convergence message ends the press as a refusal does:
// no press shows a message and a result together.
bool allowed(Output output, const QString& message)
{
    static const QStringList beta { gammaRefusal, "M1 must be greater then 1", "Teta must be less then 90 degrees",
        noConvergence, tooLarge };
    static const QStringList teta { gammaRefusal, "M1 must be greater then 1", "Beta must be less then 90 degrees",
        "For this Mach number no solution for given Beta", tooLarge };
    static const QStringList m1 { gammaRefusal, "Teta must be equal or greater then 0 degree",
        "Teta must be less then 90 degrees", "Beta must be equal or less then 90 degrees",
        "Beta must be equal or greater then 0 degree", tooLarge };
    switch (output) {
    case BetaWeak:
    case BetaStrong:
        return beta.contains(message);
    case Teta:
        return teta.contains(message);
    case M1:
        return m1.contains(message) || isLimitMessage(message);
    }
    return false;
}

// Any message the window may show, whichever output is chosen.
bool allowedInWindow(const QString& message)
{
    return message == "Choose an Output option" || allowed(BetaWeak, message) || allowed(Teta, message)
        || allowed(M1, message);
}

// The refusal the bounds alone decide, checked in the order of the press; empty when the inputs pass them.
QString boundRefusal(Output output, double gama, double first, double second)
{
    if (!(std::isfinite(gama) && gama > 1.0))
        return gammaRefusal;
    switch (output) {
    case BetaWeak:
    case BetaStrong:
        if (!(first > 1.0))
            return "M1 must be greater then 1";
        if (!(std::fabs(second) < 90.0))
            return "Teta must be less then 90 degrees";
        return {};
    case Teta:
        if (!(first > 1.0))
            return "M1 must be greater then 1";
        if (!(second <= 90.0))
            return "Beta must be less then 90 degrees";
        if (second < 0.0)
            return "For this Mach number no solution for given Beta";
        return {};
    case M1:
        if (!(first >= 0.0))
            return "Teta must be equal or greater then 0 degree";
        if (!(first < 90.0))
            return "Teta must be less then 90 degrees";
        if (!(second <= 90.0))
            return "Beta must be equal or less then 90 degrees";
        if (second < 0.0)
            return "Beta must be equal or greater then 0 degree";
        return {};
    }
    return {};
}

common::Result<Shock> calculate(Output output, double gama, double first, double second)
{
    switch (output) {
    case BetaWeak:
        return oblique_shock::findBeta(gama, first, second, Solution::Weak);
    case BetaStrong:
        return oblique_shock::findBeta(gama, first, second, Solution::Strong);
    case Teta:
        return oblique_shock::findTeta(gama, first, second);
    case M1:
        return oblique_shock::findM1(gama, first, second);
    }
    return common::Message { "unreachable" };
}

// What is wrong with an accepted shock, or an empty text. The inputs are, by output: the wave angle (M1, Teta),
// the deflection (M1, Beta), the Mach number (Teta, Beta).
QString flaw(Output output, double first, double second, const Shock& s)
{
    const auto& b = s.behind;
    for (double v : { s.M1, s.TetaD, s.BetaD, b.Mn1, b.Mn2, b.M2, b.p2p1, b.Ro2Ro1, b.T2T1 }) {
        if (!std::isfinite(v))
            return "a quantity that is not finite";
    }
    for (double mach : { s.M1, b.Mn1, b.Mn2, b.M2 }) {
        if (!(mach > 0.0) || mach == 999.0)
            return QString("the Mach number %1").arg(mach, 0, 'g', 17);
    }
    if (!(s.M1 >= 1.0))
        return "a subsonic upstream Mach number";
    if (!(s.TetaD >= 0.0 && s.TetaD < 90.0))
        return QString("the deflection %1").arg(s.TetaD, 0, 'g', 17);
    if (!(s.BetaD >= 0.0 && s.BetaD <= 90.0 + 1e-6))
        return QString("the wave angle %1").arg(s.BetaD, 0, 'g', 17);
    if (!(s.BetaD > s.TetaD || (s.BetaD == 0.0 && s.TetaD == 0.0)))
        return "a wave angle not above the deflection";
    if (!(b.p2p1 > 0.0 && b.T2T1 > 0.0 && b.Ro2Ro1 > 0.0))
        return "a ratio that is not positive";
    switch (output) {
    case BetaWeak:
    case BetaStrong:
        if (s.M1 != first || s.TetaD != std::fabs(second))
            return "inputs not kept";
        if (!s.iteration.converged || s.iteration.passes < 1 || s.iteration.passes > 20)
            return QString("the iteration: %1 passes, converged %2").arg(s.iteration.passes).arg(s.iteration.converged);
        // Not below the Mach angle by more than the iteration's tolerance.
        if (s.BetaD < std::asin(1.0 / s.M1) * 45.0 / std::atan(1.0) - 1e-6)
            return "a wave angle below the Mach angle";
        break;
    case Teta:
        if (s.M1 != first || s.BetaD != second)
            return "inputs not kept";
        if (s.iteration.passes != 0)
            return "an iteration where none runs";
        break;
    case M1:
        if (s.TetaD != first || s.BetaD != second)
            return "inputs not kept";
        if (s.iteration.passes != 0)
            return "an iteration where none runs";
        break;
    }
    return {};
}

QString trickyText(QRandomGenerator& random)
{
    static const QStringList tricky = probe::trickyTexts();
    return tricky[random.bounded(int(tricky.size()))];
}

// Texts for each input: mostly inside its range, often a random number or a text at the corners of the reading rule.
QString machText(QRandomGenerator& random)
{
    switch (random.bounded(4)) {
    case 0:
        // From just above 1 up to hypersonic numbers whose Mach angle is far below a thousandth of a degree.
        return QString::number(1.0 + std::pow(10.0, random.generateDouble() * 17.0 - 8.0), 'g', 1 + random.bounded(17));
    case 1:
        return QString::number(1.0 + random.generateDouble() * 9.0, 'g', 1 + random.bounded(12));
    case 2:
        return probe::randomText(random, 100.0);
    default:
        return trickyText(random);
    }
}

QString angleText(QRandomGenerator& random, double from, double to)
{
    switch (random.bounded(4)) {
    case 0:
        return QString::number(from + random.generateDouble() * (to - from), 'g', 1 + random.bounded(17));
    case 1: {
        // Tiny angles too, on a log-like spread up to the range's end.
        const double size = std::pow(10.0, random.generateDouble() * (std::log10(to) + 8.0) - 8.0);
        return QString::number(from < 0.0 && random.bounded(2) == 0 ? -size : size, 'g', 1 + random.bounded(17));
    }
    case 2:
        return probe::randomText(random, 180.0);
    default:
        return trickyText(random);
    }
}

// The two input texts of an output, in the order the calculation takes them.
QStringList inputTexts(Output output, QRandomGenerator& random)
{
    switch (output) {
    case BetaWeak:
    case BetaStrong:
        return { machText(random), angleText(random, -60.0, 60.0) };
    case Teta:
        return { machText(random), angleText(random, 0.0, 90.0) };
    case M1:
        return { angleText(random, 0.0, 60.0), angleText(random, 0.0, 90.0) };
    }
    return {};
}

double readGamma(QRandomGenerator& random)
{
    if (random.bounded(8) == 0)
        return common::readNumber(probe::randomGamma(random).toStdString());
    return 1.01 + random.generateDouble() * 1.99;
}

} // namespace

class TestObliqueShockProperty : public QObject {
    Q_OBJECT

private slots:
    void everyCalculationIsFiniteOrRefused();
    void weakAndStrongShocksLieOnTheirOwnSides();
    void everyWindowPressShowsNumbersOrChangesNothing();
};

void TestObliqueShockProperty::everyCalculationIsFiniteOrRefused()
{
    QRandomGenerator random(20261208);
    const char* names[] = { "beta weak", "beta strong", "teta", "M1" };
    int presses = 0;
    for (Output output : { BetaWeak, BetaStrong, Teta, M1 }) {
        int accepted = 0;
        for (int i = 0; i < 25000; ++i) {
            ++presses;
            const double gama = readGamma(random);
            const QStringList texts = inputTexts(output, random);
            const double first = common::readNumber(texts[0].toStdString());
            const double second = common::readNumber(texts[1].toStdString());
            const auto result = calculate(output, gama, first, second);
            const QString bound = boundRefusal(output, gama, first, second);
            // The fault found, if any; described only when there is one.
            QString fault;
            if (!result.ok()) {
                const QString message = QString::fromStdString(result.refusal().render());
                if (!allowed(output, message) || (!bound.isEmpty() && message != bound))
                    fault = "refused with " + message;
            } else {
                ++accepted;
                fault = bound.isEmpty() ? flaw(output, first, second, result.value()) : "accepted, not " + bound;
            }
            if (!fault.isEmpty()) {
                QFAIL(qPrintable(QString("%1, gamma %2, inputs '%3' '%4': %5")
                                     .arg(names[output])
                                     .arg(gama, 0, 'g', 17)
                                     .arg(texts[0].left(25), texts[1].left(25), fault)));
            }
        }
        qInfo("%s: %d accepted of 25000", names[output], accepted);
    }
    qInfo("%d calculations", presses);
}

using deflection_oracle::deflection;
using deflection_oracle::largestDeflectionAngle;

// Below the largest deflection for M1 both shocks exist: the weak one is found at or below the wave angle of the
// largest deflection, the strong one at or above it, each turning the stream through the deflection given.
void TestObliqueShockProperty::weakAndStrongShocksLieOnTheirOwnSides()
{
    QRandomGenerator random(1134);
    int pairs = 0;
    for (int i = 0; i < 20000; ++i) {
        // Gammas near 1 make the turn of the relation sharp; large deflections bring the two shocks close.
        const double gama
            = random.bounded(4) == 0 ? 1.01 + random.generateDouble() * 0.05 : 1.01 + random.generateDouble() * 1.99;
        const double M1 = 1.0 + std::pow(10.0, random.generateDouble() * 5.0 - 3.0);
        const double turn = largestDeflectionAngle(gama, M1);
        const double largest = deflection(gama, M1, turn);
        const double TetaD
            = largest * (random.bounded(2) == 0 ? random.generateDouble() : 0.8 + random.generateDouble() * 0.199);
        for (Solution solution : { Solution::Weak, Solution::Strong }) {
            ++pairs;
            const auto result = oblique_shock::findBeta(gama, M1, TetaD, solution);
            const bool weak = solution == Solution::Weak;
            QString fault;
            if (!result.ok())
                fault = QString::fromStdString(result.refusal().render());
            else if (weak ? result.value().BetaD > turn + 0.01 : result.value().BetaD < turn - 0.01)
                fault = QString("the wave angle %1 on the other side of %2").arg(result.value().BetaD).arg(turn);
            else if (std::fabs(deflection(gama, M1, result.value().BetaD) - TetaD) > 0.1)
                fault = QString("the wave angle %1 turns through %2")
                            .arg(result.value().BetaD)
                            .arg(deflection(gama, M1, result.value().BetaD));
            if (!fault.isEmpty()) {
                QFAIL(qPrintable(QString("%1, gamma %2, M1 %3, teta %4 (largest %5): %6")
                                     .arg(weak ? "weak" : "strong")
                                     .arg(gama, 0, 'g', 17)
                                     .arg(M1, 0, 'g', 17)
                                     .arg(TetaD, 0, 'g', 17)
                                     .arg(largest)
                                     .arg(fault)));
            }
        }
    }
    qInfo("%d wave angles below the largest deflection", pairs);
}

void TestObliqueShockProperty::everyWindowPressShowsNumbersOrChangesNothing()
{
    QRandomGenerator random(7);
    QString gamma = "1.4";
    QStringList messages;
    ObliqueShockWindow window([&] { return gamma; }, [&](QWidget*, const QString& text) { messages << text; });
    window.show();
    const QStringList outputs { "Option_Beta", "Option_Beta", "Option_Teta", "Option_M1" };
    int presses = 0;
    int accepted = 0;
    for (int i = 0; i < 2000; ++i) {
        if (random.bounded(4) == 0)
            QTest::mouseClick(probe::randomOption(&window, random), Qt::LeftButton);
        gamma = random.bounded(3) == 0 ? probe::randomGamma(random) : "1.4";
        // The chosen output decides what is typed into its two white boxes.
        Output output = BetaWeak;
        if (window.findChild<QRadioButton*>("Option_Teta")->isChecked())
            output = Teta;
        else if (window.findChild<QRadioButton*>("Option_M1")->isChecked())
            output = M1;
        QStringList typed;
        const QStringList texts = inputTexts(output, random);
        for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
            if (box->isVisibleTo(&window) && box->palette().color(QPalette::Base) == QColor(255, 255, 255)) {
                box->setText(random.bounded(5) == 0 ? probe::randomText(random, 100.0) : texts[typed.size() % 2]);
                typed << box->objectName();
            }
        }
        const QStringList before = probe::screen(&window);
        messages.clear();
        ++presses;
        QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        const QString where = QString("press %1, gamma '%2', typed %3").arg(i).arg(gamma, typed.join(' '));
        if (!messages.isEmpty()) {
            QCOMPARE(messages.size(), 1);
            QVERIFY2(allowedInWindow(messages.first()), qPrintable(where + ": " + messages.first()));
            QCOMPARE(probe::screen(&window), before);
            continue;
        }
        ++accepted;
        QStringList faults = probe::faults(&window, typed.value(0));
        faults.removeIf([&](const QString& fault) { return typed.size() > 1 && fault.startsWith(typed[1] + " "); });
        QVERIFY2(faults.isEmpty(), qPrintable(where + ": " + faults.join(", ")));
        for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
            if (box->isVisibleTo(&window) && !typed.contains(box->objectName()))
                QVERIFY2(!box->text().trimmed().isEmpty(), qPrintable(where + ": " + box->objectName() + " empty"));
        }
        QVERIFY(window.findChild<QGroupBox*>("Frame1")->isVisibleTo(&window));
    }
    qInfo("%d window presses, %d accepted", presses, accepted);
}

QTEST_MAIN(TestObliqueShockProperty)
#include "tst_oblique_shock_property.moc"
