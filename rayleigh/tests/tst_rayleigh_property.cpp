#include "form_probe.h"
#include "number.h"
#include "rayleigh_calc.h"
#include "rayleigh_window.h"

#include <QtTest>

#include <cfloat>
#include <cmath>

namespace {

const QString noSupersonic = "There is no supersonic solution for To/To* at or below ";
const QString inaccurate = "The supersonic Mach number for this To/To* cannot be calculated accurately";

// Every refusal a Rayleigh press may show; the press then ends and leaves the window as it was.
bool refusal(const QString& message)
{
    static const QStringList fixed { "Gamma must be greater than 1", "choose an input parameter",
        " M must be greater then zero", "To/To* must be equal 1 or lower then 1", "To/To* must not be negative",
        "The value is too large to be calculated" };
    return fixed.contains(message);
}

// The notices shown after the subsonic root of To/To* is written, when the supersonic root is absent.
bool notice(const QString& message)
{
    return message == inaccurate || message.startsWith(noSupersonic);
}

// A To/To* or M near the places where the calculation changes its course: the lowest To/To* with a
// supersonic root, To/To* 1, the sonic Mach number, and the Mach numbers whose square leaves the
// double range.
double nearAnEdge(QRandomGenerator& random, double gama)
{
    const double step = 1.0 + (random.generateDouble() * 2.0 - 1.0) * std::pow(10.0, -1.0 - random.bounded(16));
    switch (random.bounded(6)) {
    case 0:
        return rayleigh::lowestToToStarForSupersonic(gama) * step;
    case 1:
        return std::nextafter(rayleigh::lowestToToStarForSupersonic(gama), random.bounded(2) == 0 ? 0.0 : 2.0);
    case 2:
        return std::fmin(1.0, step);
    case 3:
        return step;
    case 4:
        return 1.3e154 * step;
    default:
        return 1.5e-154 * step;
    }
}

// Gamma mostly from 1.01 to 3; sometimes read from a text at or beyond the edges, a hair above 1, or
// enormous (up to where g^2 leaves the double range).
double randomGama(QRandomGenerator& random)
{
    switch (random.bounded(16)) {
    case 0:
    case 1:
        return common::readNumber(probe::randomGamma(random).toStdString());
    case 2:
        return 1.0 + std::pow(10.0, -16.0 * random.generateDouble());
    case 3:
        return std::pow(10.0, 160.0 * random.generateDouble());
    default:
        return 1.01 + random.generateDouble() * 1.99;
    }
}

// The ratios of a Mach number, within rounding: To/To* from 0 to 1, T/T* from 0 to (g + 1)^2 / (4g),
// p/p* from 0 to g + 1, rho/rho* above g / (g + 1), Po/Po* from 1 up.
bool withinTheirRange(double g, const rayleigh::Ratios& r)
{
    const double slack = 1e-9;
    return r.ToToStar >= 0.0 && r.ToToStar <= 1.0 + slack && r.TTstar >= 0.0
        && r.TTstar <= (g + 1.0) / (4.0 * g) * (g + 1.0) * (1.0 + slack) && r.PPstar > 0.0
        && r.PPstar <= (g + 1.0) * (1.0 + slack) && r.RoRoStar >= g / (g + 1.0) * (1.0 - slack)
        && r.PoPoStar >= 1.0 - slack;
}

} // namespace

class TestRayleighProperty : public QObject {
    Q_OBJECT

private slots:
    void everyCalculationIsFiniteOrRefused();
    void everyWindowPressShowsNumbersOrChangesNothing();
};

void TestRayleighProperty::everyCalculationIsFiniteOrRefused()
{
    QRandomGenerator random(20261208);
    const QStringList texts = probe::trickyTexts();
    int presses = 0;
    int refusedM = 0;
    int refusedToToStar = 0;
    int notices = 0;
    for (int i = 0; i < 40000; ++i) {
        const double gama = randomGama(random);
        const QString text = i % 3 == 0 ? texts[random.bounded(int(texts.size()))]
            : i % 3 == 1                ? probe::randomText(random, random.bounded(2) == 0 ? 1.0 : 100.0)
                                        : QString::number(nearAnEdge(random, gama), 'g', 17);
        const double value = common::readNumber(text.toStdString());
        const QString where = QString("gamma %1, text '%2'").arg(gama, 0, 'g', 17).arg(text.left(24));

        ++presses;
        const auto ratios = rayleigh::fromM(gama, value);
        if (!ratios.ok()) {
            ++refusedM;
            QVERIFY2(refusal(QString::fromStdString(ratios.refusal().render())), qPrintable("M, " + where));
        } else {
            const rayleigh::Ratios& r = ratios.value();
            QVERIFY2(std::isfinite(r.ToToStar) && std::isfinite(r.TTstar) && std::isfinite(r.PPstar)
                    && std::isfinite(r.RoRoStar) && std::isfinite(r.PoPoStar),
                qPrintable("M, " + where));
            QVERIFY2(r.M == value && r.M > 0.0, qPrintable("M, " + where));
            QVERIFY2(withinTheirRange(gama, r), qPrintable("M, " + where));
        }

        ++presses;
        const auto roots = rayleigh::fromToToStar(gama, value);
        if (!roots.ok()) {
            ++refusedToToStar;
            QVERIFY2(refusal(QString::fromStdString(roots.refusal().render())), qPrintable("To/To*, " + where));
            continue;
        }
        const rayleigh::MachNumbers& m = roots.value();
        // A discriminant below 1E-10 is taken as 0, which puts the subsonic root of sqrt((b - s) / a) at
        // sqrt(b / a), a little above 1 for a gamma near 1000; the supersonic root is good to 5E-07.
        QVERIFY2(std::isfinite(m.M) && m.M >= 0.0 && m.M <= 1.0 + 1e-4, qPrintable("To/To*, " + where));
        // Only a root below the smallest double, shown as 0 all the same, may come out 0.
        QVERIFY2(m.M > 0.0 || value / (gama + 1.0) < DBL_MIN, qPrintable("To/To*, " + where));
        QVERIFY2(m.Msup.has_value() != m.notice.has_value(), qPrintable("To/To*, " + where));
        if (m.Msup)
            QVERIFY2(std::isfinite(*m.Msup) && *m.Msup >= 1.0 - 1e-6, qPrintable("To/To*, " + where));
        if (m.notice) {
            ++notices;
            const QString shown = QString::fromStdString(m.notice->render());
            QVERIFY2(notice(shown), qPrintable("To/To*, " + where + ": " + shown));
            if (shown.startsWith(noSupersonic)) {
                QCOMPARE(m.notice->number, std::optional(rayleigh::lowestToToStarForSupersonic(gama)));
                QVERIFY2(value <= *m.notice->number * (1.0 + 1e-12), qPrintable("To/To*, " + where));
            } else {
                QVERIFY2(value >= rayleigh::lowestToToStarForSupersonic(gama) * (1.0 - 1e-12),
                    qPrintable("To/To*, " + where));
            }
        }
        // Within the usual gammas every root gives back its To/To*.
        if (gama <= 3.0 && gama >= 1.01 && value > 1e-300) {
            for (double root : { m.M, m.Msup.value_or(m.M) }) {
                const auto back = rayleigh::fromM(gama, root);
                QVERIFY2(back.ok() && std::fabs(back.value().ToToStar / value - 1.0) < 1e-8,
                    qPrintable(QString("To/To*, %1: root %2").arg(where).arg(root, 0, 'g', 17)));
            }
        }
    }
    qInfo("%d calculations, half from M (%d refused), half from To/To* (%d refused, %d with a notice)", presses,
        refusedM, refusedToToStar, notices);
}

void TestRayleighProperty::everyWindowPressShowsNumbersOrChangesNothing()
{
    QRandomGenerator random(7);
    QString gamma = "1.4";
    QStringList messages;
    RayleighWindow window([&] { return gamma; }, [&](QWidget*, const QString& text) { messages << text; });
    window.show();
    const char mark = common::CalculatorForm::decimalMark();
    QMap<QString, int> presses; // by the option set at the press
    for (int i = 0; i < 1500; ++i) {
        if (random.bounded(4) == 0)
            QTest::mouseClick(probe::randomOption(&window, random), Qt::LeftButton);
        gamma = random.bounded(3) == 0 ? probe::randomGamma(random) : "1.4";
        QLineEdit* typed = nullptr;
        for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
            if (box->isVisibleTo(&window) && box->palette().color(QPalette::Base) == QColor(255, 255, 255))
                typed = box;
        }
        if (typed)
            typed->setText(random.bounded(3) == 0 ? probe::randomText(random, 1.0) : probe::randomText(random, 100.0));
        const QStringList before = probe::screen(&window);
        messages.clear();
        QString chosen = "no option";
        for (const QRadioButton* option : window.findChildren<QRadioButton*>()) {
            if (option->isChecked())
                chosen = option->objectName();
        }
        ++presses[chosen];
        QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        const QString where
            = QString("press %1, gamma '%2', typed '%3'").arg(i).arg(gamma, typed ? typed->text().left(24) : QString());
        QVERIFY2(messages.size() <= 1, qPrintable(where + ": " + messages.join(" / ")));
        if (!messages.isEmpty() && refusal(messages.first())) {
            QCOMPARE(probe::screen(&window), before);
            continue;
        }
        if (!messages.isEmpty()) {
            QVERIFY2(notice(messages.first()), qPrintable(where + ": " + messages.first()));
            QVERIFY(window.findChild<QRadioButton*>("Option_ToToStar")->isChecked());
            QVERIFY(!window.findChild<QLineEdit*>("Text_Msup")->isVisibleTo(&window));
            if (messages.first().startsWith(noSupersonic)) {
                const double gama = common::readNumber(gamma.toStdString(), mark);
                const std::string bound = common::writeUnrounded(rayleigh::lowestToToStarForSupersonic(gama), mark);
                QCOMPARE(messages.first(), noSupersonic + QString::fromStdString(bound));
            }
        }
        const QStringList faults = probe::faults(&window, typed ? typed->objectName() : QString());
        QVERIFY2(faults.isEmpty(), qPrintable(where + ": " + faults.join(", ")));
        for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
            if (box != typed && box->isVisibleTo(&window))
                QVERIFY2(!box->text().trimmed().isEmpty(), qPrintable(where + ": " + box->objectName() + " empty"));
        }
    }
    qInfo("window presses: %d with M, %d with To/To*, %d before an option", presses.value("Option_M"),
        presses.value("Option_ToToStar"), presses.value("no option"));
}

QTEST_MAIN(TestRayleighProperty)
#include "tst_rayleigh_property.moc"
