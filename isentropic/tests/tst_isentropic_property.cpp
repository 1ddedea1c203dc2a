#include "form_probe.h"
#include "isentropic_calc.h"
#include "isentropic_window.h"
#include "number.h"

#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// Every message an isentropic press may show; the largest-angle refusal carries a number.
bool allowed(const QString& message)
{
    static const QStringList fixed { "Gamma must be greater than 1", "choose an input parameter",
        "M must be greater then 0", "Po/P must be equal or greater then 1", "To/T must be equal or greater then 1",
        "Nu must be between 0 and 90 degrees", "Mu must be between 1 and 90 degrees",
        "The value is too large to be calculated" };
    return fixed.contains(message)
        || (message.startsWith("Nu must be less than ") && message.endsWith(" degrees for this gamma"));
}

} // namespace

class TestIsentropicProperty : public QObject {
    Q_OBJECT

private slots:
    void everyCalculationIsFiniteOrRefused();
    void everyWindowPressShowsNumbersOrChangesNothing();
};

void TestIsentropicProperty::everyCalculationIsFiniteOrRefused()
{
    QRandomGenerator random(20261208);
    const QStringList texts = probe::trickyTexts();
    int presses = 0;
    for (int i = 0; i < 40000; ++i) {
        const double gama = random.bounded(8) == 0 ? common::readNumber(probe::randomGamma(random).toStdString())
                                                   : 1.01 + random.generateDouble() * 1.99;
        const QString text = i % 3 == 0 ? texts[random.bounded(int(texts.size()))] : probe::randomText(random, 100.0);
        const double value = common::readNumber(text.toStdString());
        for (int input = 0; input < 5; ++input) {
            ++presses;
            const auto result = input == 0 ? isentropic::fromM(gama, value)
                : input == 1               ? isentropic::fromPoP(gama, value)
                : input == 2               ? isentropic::fromToT(gama, value)
                : input == 3               ? isentropic::fromNu(gama, value)
                                           : isentropic::fromMu(gama, value);
            const QString where = QString("gamma %1, input %2, text '%3'").arg(gama).arg(input).arg(text.left(20));
            if (!result.ok()) {
                QVERIFY2(allowed(QString::fromStdString(result.refusal().render())), qPrintable(where));
                continue;
            }
            const isentropic::Flow& f = result.value();
            QVERIFY2(std::isfinite(f.M) && f.M > 0.0, qPrintable(where));
            QVERIFY2(std::isfinite(f.PoP) && std::isfinite(f.ToT) && std::isfinite(f.RoR), qPrintable(where));
            QVERIFY2(f.PoP >= 1.0 && f.ToT >= 1.0 && f.RoR >= 1.0, qPrintable(where));
            QCOMPARE(f.nu.has_value(), f.M >= 1.0);
            if (f.nu)
                QVERIFY2(std::isfinite(*f.nu) && *f.nu >= 0.0 && *f.mu > 0.0 && *f.mu <= 90.0, qPrintable(where));
            QVERIFY2(f.iteration.passes <= 100 + 400, qPrintable(where));
            if (input == 3)
                QVERIFY2(f.iteration.converged, qPrintable(where));
        }
    }
    qInfo("%d calculations", presses);
}

void TestIsentropicProperty::everyWindowPressShowsNumbersOrChangesNothing()
{
    QRandomGenerator random(7);
    QString gamma = "1.4";
    QStringList messages;
    IsentropicWindow window([&] { return gamma; }, [&](QWidget*, const QString& text) { messages << text; });
    window.show();
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
            typed->setText(probe::randomText(random, 100.0));
        const QStringList before = probe::screen(&window);
        messages.clear();
        QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        const QString where = QString("press %1, gamma '%2'").arg(i).arg(gamma);
        if (!messages.isEmpty()) {
            QCOMPARE(messages.size(), 1);
            QVERIFY2(allowed(messages.first()), qPrintable(where + ": " + messages.first()));
            QCOMPARE(probe::screen(&window), before);
        } else {
            const QStringList faults = probe::faults(&window, typed ? typed->objectName() : QString());
            QVERIFY2(faults.isEmpty(), qPrintable(where + ": " + faults.join(", ")));
            QVERIFY(!window.findChild<QLineEdit*>("Text_M")->text().trimmed().isEmpty());
        }
    }
}

QTEST_MAIN(TestIsentropicProperty)
#include "tst_isentropic_property.moc"
