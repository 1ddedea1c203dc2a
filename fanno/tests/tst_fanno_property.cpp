#include "fanno_calc.h"
#include "fanno_window.h"
#include "form_probe.h"
#include "number.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

const QString gammaRefusal = "Gamma must be greater than 1";
const QString noOption = "choose an input parameter";
const QString machRefusal = " M must be greater then zero";
const QString frictionRefusal = "4fL*/D must be zero or greater";
const QString tooLarge = "The value is too large to be calculated";
const QString noSupersonicSolution = "bu 4L*f/D için süpersonik çözüm yok";

// The pass bounds of the searches: the stepping search, and the bracketed roots (halvings or
// doublings of the bracket, then at most 2000 bisections).
constexpr int steppingPasses = 50;
constexpr int subsonicRootPasses = 1100 + 2000;
constexpr int supersonicRootPasses = 500 + 2000;

QString text(const common::Message& message)
{
    return QString::fromStdString(message.render());
}

// What a box shows for a result.
QString shown(double value)
{
    return QString::fromStdString(common::writeNumber(value, 4));
}

// The refusals a press may end with, for an entered M or an entered 4fL*/D.
bool refusalAllowed(bool machInput, const QString& message)
{
    return message == gammaRefusal || message == tooLarge || message == (machInput ? machRefusal : frictionRefusal);
}

// The notices told after the subsonic Mach number of an entered 4fL*/D has been written.
bool noticeAllowed(const QString& message)
{
    return message == noSupersonicSolution || message == tooLarge;
}

// A gamma: mostly from 1.01 to 3; sometimes a text at or beyond the edges, a value just above 1 or a
// very large one.
double randomGama(QRandomGenerator& random)
{
    switch (random.bounded(16)) {
    case 0:
    case 1:
        return common::readNumber(probe::randomGamma(random).toStdString());
    case 2:
        return 1.0 + std::pow(10.0, -1.0 - random.generateDouble() * 15.0);
    case 3: {
        const double decades = random.bounded(2) ? 12.0 : 300.0;
        return std::pow(10.0, random.generateDouble() * decades);
    }
    default:
        return 1.01 + random.generateDouble() * 1.99;
    }
}

// An input text: a tricky one, an ordinary number, or one of any size up to beyond the double range.
QString randomInput(QRandomGenerator& random, const QStringList& tricky, double scale)
{
    switch (random.bounded(6)) {
    case 0:
        return tricky[random.bounded(int(tricky.size()))];
    case 1: {
        const double value = std::pow(10.0, random.generateDouble() * 640.0 - 320.0);
        return QString::number(value, 'g', 1 + random.bounded(17));
    }
    default:
        return probe::randomText(random, scale);
    }
}

// A 4fL*/D text close to the largest supersonic value of the gas, where the supersonic root runs off
// to very large Mach numbers.
QString nearLargest(QRandomGenerator& random, double gama)
{
    if (!(std::isfinite(gama) && gama > 1.0))
        return "0.8";
    const double largest = fanno::largestSupersonicFLD4(fanno::Sabitler(gama));
    const double sign = random.bounded(2) ? 1.0 : -1.0;
    const double offset = sign * std::pow(10.0, -16.0 + random.generateDouble() * 14.0);
    return QString::number(largest * (1.0 + offset), 'g', 17);
}

} // namespace

class TestFannoProperty : public QObject {
    Q_OBJECT

private slots:
    void everyMachNumberCalculationIsFiniteOrRefused();
    void everyFrictionParameterCalculationIsFiniteOrRefused();
    void everyWindowPressShowsNumbersOrChangesNothing();

private:
    static void checkSolution(
        const fanno::Constants& c, double target, const fanno::MachSolution& s, bool supersonic, const QString& where);
};

void TestFannoProperty::everyMachNumberCalculationIsFiniteOrRefused()
{
    QRandomGenerator random(20261208);
    const QStringList tricky = probe::trickyTexts();
    int presses = 0;
    int accepted = 0;
    for (int i = 0; i < 30000; ++i) {
        const double gama = randomGama(random);
        const QString typed = randomInput(random, tricky, random.bounded(2) ? 1.0 : 10.0);
        const double M = common::readNumber(typed.toStdString());
        ++presses;
        const auto result = fanno::fromM(gama, M);
        const QString where = QString("gamma %1, M text '%2'").arg(gama, 0, 'g', 17).arg(typed.left(30));
        if (!result.ok()) {
            QVERIFY2(refusalAllowed(true, text(result.refusal())), qPrintable(where + ": " + text(result.refusal())));
            continue;
        }
        ++accepted;
        const fanno::FromM& f = result.value();
        const fanno::Ratios& r = f.ratios;
        QVERIFY2(std::isfinite(f.M) && f.M > 0.0, qPrintable(where));
        for (double value : { f.FLD4, r.TTstar, r.PPstar, r.RoRoStar, r.PoPoStar }) {
            QVERIFY2(std::isfinite(value), qPrintable(where));
            QVERIFY2(!shown(value).startsWith('-'), qPrintable(where + ": shows " + shown(value)));
        }
        // 4fL*/D is never below 0, T/T* lies in (0, (g + 1) / 2] and Po/Po* is never below 1.
        QVERIFY2(f.FLD4 > -5e-5, qPrintable(where + QString(": 4fL*/D %1").arg(f.FLD4)));
        QVERIFY2(r.TTstar > 0.0 && r.TTstar <= 0.5 * (gama + 1.0) * (1.0 + 1e-12), qPrintable(where));
        QVERIFY2(r.PPstar > 0.0 && r.RoRoStar > 0.0, qPrintable(where));
        QVERIFY2(r.PoPoStar > 1.0 - 5e-5, qPrintable(where + QString(": Po/Po* %1").arg(r.PoPoStar, 0, 'g', 17)));
    }
    QVERIFY(accepted > presses / 2);
    qInfo("%d calculations for an entered M, %d accepted", presses, accepted);
}

void TestFannoProperty::checkSolution(
    const fanno::Constants& c, double target, const fanno::MachSolution& s, bool supersonic, const QString& where)
{
    const QString at = where + (supersonic ? " (supersonic)" : " (subsonic)");
    QVERIFY2(std::isfinite(s.M) && s.M > 0.0, qPrintable(at + QString(": M %1").arg(s.M)));
    QVERIFY2(supersonic ? s.M >= 1.0 : s.M <= 1.0, qPrintable(at + QString(": M %1").arg(s.M)));
    QVERIFY2(s.M < 999.0 || s.bracketed, qPrintable(at));
    QVERIFY2(s.stepping.iteration.passes >= 1 && s.stepping.iteration.passes <= steppingPasses, qPrintable(at));
    if (!s.bracketed) {
        QVERIFY2(s.stepping.stop == fanno::Stop::WithinTolerance, qPrintable(at));
        QCOMPARE(s.M, s.stepping.iteration.value);
        QVERIFY2(std::fabs(fanno::FLD4_for_M(c, s.M) - target) < 1e-4, qPrintable(at));
    } else {
        QVERIFY2(s.stepping.stop != fanno::Stop::WithinTolerance, qPrintable(at));
        QVERIFY2(s.bracketed->converged, qPrintable(at));
        QVERIFY2(s.bracketed->passes <= (supersonic ? supersonicRootPasses : subsonicRootPasses), qPrintable(at));
        QCOMPARE(s.M, s.bracketed->value);
        // Where M^2 is below the smallest normal double, 4fL*/D(M) keeps only a few digits, but such a
        // Mach number shows as 0 whatever they are.
        const double miss = std::fabs(fanno::FLD4_for_M(c, s.M) - target);
        if (s.M * s.M >= std::numeric_limits<double>::min())
            QVERIFY2(miss <= 1e-6 * std::max(1.0, target),
                qPrintable(at + QString(": M %1 misses by %2").arg(s.M, 0, 'g', 17).arg(miss)));
        else
            QCOMPARE(shown(s.M), QString("0"));
    }
}

void TestFannoProperty::everyFrictionParameterCalculationIsFiniteOrRefused()
{
    QRandomGenerator random(20261209);
    const QStringList tricky = probe::trickyTexts();
    int presses = 0;
    int accepted = 0;
    int noSolution = 0;
    int beyondReach = 0;
    for (int i = 0; i < 30000; ++i) {
        const double gama = randomGama(random);
        const QString typed = random.bounded(5) == 0 ? nearLargest(random, gama)
                                                     : randomInput(random, tricky, random.bounded(2) ? 1.0 : 20.0);
        const double target = common::readNumber(typed.toStdString());
        ++presses;
        const auto result = fanno::fromFLD4(gama, target);
        const QString where = QString("gamma %1, 4fL*/D text '%2'").arg(gama, 0, 'g', 17).arg(typed.left(30));
        if (!result.ok()) {
            QVERIFY2(refusalAllowed(false, text(result.refusal())), qPrintable(where + ": " + text(result.refusal())));
            continue;
        }
        ++accepted;
        const fanno::FromFLD4& f = result.value();
        const fanno::Constants c = fanno::Sabitler(gama);
        QVERIFY2(std::isfinite(target) && target >= 0.0, qPrintable(where));
        QCOMPARE(f.FLD4given, target);
        checkSolution(c, target, f.Msub, false, where);
        if (QTest::currentTestFailed())
            return;
        // A notice exactly when there is no supersonic Mach number to show, and only after the stepping
        // search gave up.
        QCOMPARE(f.notice.has_value(), !f.Msup.has_value());
        const double largest = fanno::largestSupersonicFLD4(c);
        if (f.Msup) {
            checkSolution(c, target, *f.Msup, true, where);
            if (QTest::currentTestFailed())
                return;
            QVERIFY2(target < largest || !f.Msup->bracketed, qPrintable(where));
            continue;
        }
        const QString notice = text(*f.notice);
        QVERIFY2(noticeAllowed(notice), qPrintable(where + ": " + notice));
        const fanno::Stepping stepping = fanno::iter_for_M_for_Given_FLD4(c, 1.0, +1, target);
        QVERIFY2(stepping.stop != fanno::Stop::WithinTolerance, qPrintable(where));
        ++(notice == noSupersonicSolution ? noSolution : beyondReach);
        if (notice == noSupersonicSolution)
            QVERIFY2(target >= largest, qPrintable(where));
        else
            QVERIFY2(target < largest && !(fanno::FLD4_for_M(c, 1e150) > target), qPrintable(where));
    }
    QVERIFY(accepted > presses / 2);
    qInfo("%d calculations for an entered 4fL*/D, %d accepted, %d without a supersonic solution, %d with one beyond "
          "reach",
        presses, accepted, noSolution, beyondReach);
}

void TestFannoProperty::everyWindowPressShowsNumbersOrChangesNothing()
{
    QRandomGenerator random(7);
    QString gamma = "1.4";
    QStringList messages;
    FannoWindow window([&] { return gamma; }, [&](QWidget*, const QString& message) { messages << message; });
    window.show();
    const char mark = common::CalculatorForm::decimalMark();
    auto box = [&](const char* name) { return window.findChild<QLineEdit*>(name); };
    auto isShown = [&](const char* name) { return box(name)->isVisibleTo(&window); };
    int presses = 0;
    for (int i = 0; i < 2000; ++i) {
        if (random.bounded(4) == 0)
            QTest::mouseClick(probe::randomOption(&window, random), Qt::LeftButton);
        gamma = random.bounded(3) == 0 ? probe::randomGamma(random) : "1.4";
        QLineEdit* typed = nullptr;
        for (QLineEdit* candidate : window.findChildren<QLineEdit*>()) {
            if (candidate->isVisibleTo(&window) && candidate->palette().color(QPalette::Base) == QColor(255, 255, 255))
                typed = candidate;
        }
        if (typed)
            typed->setText(probe::randomText(random, random.bounded(2) ? 1.0 : 10.0));
        const QStringList before = probe::screen(&window);
        messages.clear();
        ++presses;
        QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        const QString where = QString("press %1, gamma '%2', typed '%3'")
                                  .arg(i)
                                  .arg(gamma)
                                  .arg(typed ? typed->text().left(30) : QString());
        QVERIFY2(messages.size() <= 1, qPrintable(where + ": " + messages.join(" / ")));

        // What the calculation says the press must do.
        const double gama = common::readNumber(gamma.toStdString(), mark);
        const bool machInput = window.findChild<QRadioButton*>("Option_M")->isChecked();
        const bool frictionInput = window.findChild<QRadioButton*>("Option_FLD4")->isChecked();
        QString refusal;
        if (auto gammaRefused = common::checkGamma(gama))
            refusal = text(*gammaRefused);
        else if (!machInput && !frictionInput)
            refusal = noOption;
        if (!refusal.isEmpty()) {
            QCOMPARE(messages, QStringList { refusal });
            QCOMPARE(probe::screen(&window), before);
            continue;
        }
        const double value = common::readNumber(typed->text().toStdString(), mark);
        if (machInput) {
            const auto result = fanno::fromM(gama, value);
            if (!result.ok()) {
                QVERIFY2(refusalAllowed(true, messages.value(0)), qPrintable(where + ": " + messages.value(0)));
                QCOMPARE(messages, QStringList { text(result.refusal()) });
                QCOMPARE(probe::screen(&window), before);
                continue;
            }
            QVERIFY2(messages.isEmpty(), qPrintable(where + ": " + messages.value(0)));
            QVERIFY(isShown("Text_FLD4") && isShown("Text_TTstar") && isShown("Text_PoPoStar"));
            QCOMPARE(box("Text_FLD4")->text(), shown(result.value().FLD4));
            QCOMPARE(box("Text_PoPoStar")->text(), shown(result.value().ratios.PoPoStar));
        } else {
            const auto result = fanno::fromFLD4(gama, value);
            if (!result.ok()) {
                QVERIFY2(refusalAllowed(false, messages.value(0)), qPrintable(where + ": " + messages.value(0)));
                QCOMPARE(messages, QStringList { text(result.refusal()) });
                QCOMPARE(probe::screen(&window), before);
                continue;
            }
            const fanno::FromFLD4& flow = result.value();
            if (flow.notice) {
                QVERIFY2(noticeAllowed(messages.value(0)), qPrintable(where + ": " + messages.value(0)));
                QCOMPARE(messages, QStringList { text(*flow.notice) });
            } else {
                QVERIFY2(messages.isEmpty(), qPrintable(where + ": " + messages.value(0)));
            }
            QVERIFY(isShown("Text_Msub"));
            QCOMPARE(box("Text_Msub")->text(), shown(flow.Msub.M));
            QCOMPARE(isShown("Text_Msup"), flow.Msup.has_value());
            if (flow.Msup)
                QCOMPARE(box("Text_Msup")->text(), shown(flow.Msup->M));
        }
        const QStringList faults = probe::faults(&window, typed->objectName());
        QVERIFY2(faults.isEmpty(), qPrintable(where + ": " + faults.join(", ")));
        for (QLineEdit* result : window.findChildren<QLineEdit*>()) {
            if (result != typed && result->isVisibleTo(&window))
                QVERIFY2(!result->text().trimmed().isEmpty(), qPrintable(where + ": " + result->objectName()));
        }
    }
    qInfo("%d window presses", presses);
}

QTEST_MAIN(TestFannoProperty)
#include "tst_fanno_property.moc"
