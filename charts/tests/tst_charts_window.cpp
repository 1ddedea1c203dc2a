// The charts window driven as a user would: choose a chart, edit gamma, press in a strip (an answer arrives),
// hover a curve, save the picture. Curves are checked against the engine at their own points.
#include "charts_window.h"
#include "gasdyn.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPushButton>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

Q_DECLARE_METATYPE(common::Answer)

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
enum { ThetaBetaM, ShockPolar, FannoRayleigh, Isentropic };

bool near(double actual, double expected, double relative)
{
    return std::abs(actual - expected) <= relative * std::max(1.0, std::abs(expected));
}

QAbstractSeries* seriesNamed(QChart* chart, const QString& name)
{
    for (QAbstractSeries* series : chart->series()) {
        if (series->name() == name)
            return series;
    }
    return nullptr;
}

QList<QPointF> pointsOf(QChart* chart, const QString& name)
{
    auto* series = qobject_cast<QXYSeries*>(seriesNamed(chart, name));
    return series ? series->points() : QList<QPointF> {};
}

// The points of the last answer on the open chart.
QList<QPointF> marks(QChart* chart)
{
    for (QAbstractSeries* series : chart->series()) {
        if (series->name().startsWith("last answer"))
            return static_cast<QXYSeries*>(series)->points();
    }
    return {};
}

std::optional<gasdyn::Solution> solve(gasdyn::Flow flow, double gamma, std::initializer_list<gasdyn::Given> given,
    gasdyn::Branch branch = gasdyn::Branch::None)
{
    const auto outcome = gasdyn::solve(flow, gamma, std::span(given.begin(), given.size()), branch);
    if (auto* solution = std::get_if<gasdyn::Solution>(&outcome))
        return *solution;
    return std::nullopt;
}

double value(const std::optional<gasdyn::Solution>& solution, gasdyn::Flow flow, std::string_view quantity)
{
    if (!solution)
        return std::numeric_limits<double>::quiet_NaN();
    return gasdyn::valueOf(*solution, *gasdyn::quantityIndex(flow, quantity)).value_or(-1.0);
}

int quantity(gasdyn::Flow flow, std::string_view name)
{
    return *gasdyn::quantityIndex(flow, name);
}

} // namespace

class ChartsWindowTest : public QObject {
    Q_OBJECT

    QString m_gamma;
    std::unique_ptr<ChartsWindow> m_window;
    QString m_chosenFile;

    QComboBox* combo() const { return m_window->findChild<QComboBox*>("Combo_Chart"); }
    QLabel* status() const { return m_window->findChild<QLabel*>("Label_Status"); }
    QLineEdit* m1() const { return m_window->findChild<QLineEdit*>("Text_M1"); }
    QChart* chart() const { return m_window->chart(); }
    void choose(int chart) { combo()->setCurrentIndex(chart); }
    void typeGamma(const QString& text)
    {
        m_gamma = text;
        m_window->refresh();
    }
    void typeM1(const QString& text)
    {
        m1()->selectAll();
        QTest::keyClicks(m1(), text);
    }

private slots:
    void init()
    {
        m_gamma = "1.4";
        m_window = std::make_unique<ChartsWindow>([this] { return m_gamma; });
        m_window->setSaveFileChooser([this](QWidget*, const QString&) { return m_chosenFile; });
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void windowHasItsNamesAndTitle()
    {
        QCOMPARE(m_window->objectName(), QString("Form_Charts"));
        QCOMPARE(m_window->windowTitle(), QString("Charts"));
        QCOMPARE(combo()->count(), 4);
        QCOMPARE(combo()->itemText(ThetaBetaM), QString("θ-β-M"));
        QCOMPARE(combo()->itemText(ShockPolar), QString("Shock polar"));
        QCOMPARE(combo()->itemText(FannoRayleigh), QString("Fanno and Rayleigh lines"));
        QCOMPARE(combo()->itemText(Isentropic), QString("Isentropic ratios"));
        QCOMPARE(chart()->title(), QString("Deflection against wave angle, γ = 1.4"));
    }

    void thetaBetaCurvesFollowTheEngine_data()
    {
        QTest::addColumn<QString>("gamma");
        QTest::addColumn<double>("mach");
        QTest::addColumn<QString>("name");
        QTest::newRow("air, M1 1.2") << "1.4" << 1.2 << "M1 = 1.2";
        QTest::newRow("air, M1 2") << "1.4" << 2.0 << "M1 = 2";
        QTest::newRow("air, M1 10") << "1.4" << 10.0 << "M1 = 10";
        QTest::newRow("air, hypersonic limit") << "1.4" << kInfinity << "M1 → ∞";
        QTest::newRow("gamma 1.1, M1 3") << "1.1" << 3.0 << "M1 = 3";
        QTest::newRow("gamma 1.67, M1 5") << "1.67" << 5.0 << "M1 = 5";
    }
    void thetaBetaCurvesFollowTheEngine()
    {
        QFETCH(QString, gamma);
        QFETCH(double, mach);
        QFETCH(QString, name);
        typeGamma(gamma);
        const double g = gamma.toDouble();
        const QList<QPointF> points = pointsOf(chart(), name);
        QVERIFY(points.size() >= 100);
        const double machAngle = std::isinf(mach) ? 0.0 : std::asin(1.0 / mach) * 180.0 / M_PI;
        QVERIFY(near(points.front().x(), machAngle, 1e-12));
        QCOMPARE(points.back().x(), 90.0);
        for (const QPointF& p : points)
            QVERIFY2(
                near(p.y(), gasdyn::oblique::deflection(g, mach, p.x()), 1e-12), qPrintable(QString::number(p.x())));
        // The largest deflection is a point of the curve, as are points crowded about it.
        const auto peak = gasdyn::oblique::detachment(g, mach);
        int nearPeak = 0;
        for (const QPointF& p : points)
            nearPeak += std::abs(p.x() - peak.beta) < 1.0;
        QVERIFY(nearPeak >= 3);
        QVERIFY(std::any_of(
            points.begin(), points.end(), [&](const QPointF& p) { return near(p.y(), peak.theta, 1e-12); }));
    }

    void largestDeflectionForMach2IsOnTheCurveWithTheSonicPointJustBelow()
    {
        const QList<QPointF> curve = pointsOf(chart(), "M1 = 2");
        const auto peak = std::max_element(curve.begin(), curve.end(), [](auto a, auto b) { return a.y() < b.y(); });
        QVERIFY(std::abs(peak->y() - 22.9735) < 5e-5);
        const double sonic = gasdyn::oblique::sonicBeta(1.4, 2.0);
        QVERIFY(sonic < peak->x() && sonic > peak->x() - 5.0); // 61.49 against 64.67 degrees
        // Both loci run over the same upstream Mach numbers: the sonic point always lies just before detachment.
        const QList<QPointF> detachment = pointsOf(chart(), "detachment (θmax)");
        const QList<QPointF> sonicLocus = pointsOf(chart(), "sonic (M2 = 1)");
        QCOMPARE(detachment.size(), sonicLocus.size());
        QVERIFY(detachment.size() > 100);
        for (qsizetype i = 0; i < detachment.size(); ++i) {
            QVERIFY(sonicLocus[i].x() <= detachment[i].x());
            QVERIFY(sonicLocus[i].y() <= detachment[i].y());
        }
        QVERIFY(std::abs(detachment.back().y() - gasdyn::oblique::detachment(1.4, kInfinity).theta) < 1e-12);
    }

    void shockPolarFollowsTheEngine()
    {
        choose(ShockPolar);
        QCOMPARE(chart()->title(), QString("Shock polar for M1 = 2, γ = 1.4"));
        QVERIFY(seriesNamed(chart(), "θmax = 22.9735°"));
        const QList<QPointF> weak = pointsOf(chart(), "weak shock");
        const QList<QPointF> strong = pointsOf(chart(), "strong shock");
        QVERIFY(weak.size() > 50 && strong.size() > 50);
        QVERIFY(near(weak.front().x(), 0.0, 1e-12) && near(weak.front().y(), 1.0, 1e-12));
        QVERIFY(near(strong.back().x(), 0.0, 1e-12) && near(strong.back().y(), 4.5, 1e-12));
        QVERIFY(near(weak.back().x(), 22.9735, 3e-6) && weak.back() == strong.front());
        using gasdyn::Flow;
        for (const auto& [points, branch] :
            { std::pair { weak, gasdyn::Branch::Weak }, { strong, gasdyn::Branch::Strong } }) {
            for (qsizetype i : { qsizetype(5), points.size() / 2, points.size() - 10 }) {
                const auto state = solve(Flow::ObliqueShock, 1.4,
                    { { quantity(Flow::ObliqueShock, "M1"), 2.0 },
                        { quantity(Flow::ObliqueShock, "theta"), points[i].x() } },
                    branch);
                QVERIFY(near(points[i].y(), value(state, Flow::ObliqueShock, "p2/p1"), 1e-7));
            }
        }
    }

    void fannoAndRayleighLinesFollowTheEngine()
    {
        choose(FannoRayleigh);
        using gasdyn::Flow;
        const QList<QPointF> fannoSub = pointsOf(chart(), "Fanno, subsonic");
        const QList<QPointF> fannoSup = pointsOf(chart(), "Fanno, supersonic");
        const QList<QPointF> rayleighSub = pointsOf(chart(), "Rayleigh, subsonic");
        const QList<QPointF> rayleighSup = pointsOf(chart(), "Rayleigh, supersonic");
        for (const auto* line : { &fannoSub, &fannoSup, &rayleighSub, &rayleighSup })
            QVERIFY(line->size() > 100);
        // A Fanno state is fixed by T/T*; its entropy is the engine's, with the sign of s - s*.
        for (const auto* line : { &fannoSub, &fannoSup }) {
            for (qsizetype i = 0; i + 1 < line->size(); i += 17) {
                const QPointF p = line->at(i);
                const auto state = solve(Flow::Fanno, 1.4, { { quantity(Flow::Fanno, "T/T*"), p.y() } });
                QVERIFY(near(p.x(), -value(state, Flow::Fanno, "(s*-s)/R"), 1e-9));
            }
        }
        // Subsonic Fanno flow is hotter than the choked state, supersonic colder; all four lines end at the
        // sonic state (0, 1), the largest entropy.
        QVERIFY(
            std::all_of(fannoSub.begin(), fannoSub.end(), [](QPointF p) { return p.y() >= 1.0 && p.x() <= 1e-15; }));
        QVERIFY(
            std::all_of(fannoSup.begin(), fannoSup.end(), [](QPointF p) { return p.y() <= 1.0 && p.x() <= 1e-15; }));
        for (const QPointF& end : { fannoSub.back(), fannoSup.front(), rayleighSub.back(), rayleighSup.front() })
            QVERIFY(near(end.x(), 0.0, 1e-12) && near(end.y(), 1.0, 1e-12));
        const auto hottest
            = std::max_element(rayleighSub.begin(), rayleighSub.end(), [](auto a, auto b) { return a.y() < b.y(); });
        QVERIFY(near(hottest->y(), 1.028571, 2e-4)); // (gamma + 1)^2 / (4 gamma)
        const auto atHalf = solve(Flow::Rayleigh, 1.4, { { quantity(Flow::Rayleigh, "M"), 0.5 } });
        QVERIFY(near(value(atHalf, Flow::Rayleigh, "T/T*"), 0.790123, 1e-6));
    }

    void isentropicRatiosFollowTheEngineOnALogScale()
    {
        choose(Isentropic);
        QVERIFY(qobject_cast<QLogValueAxis*>(chart()->axes(Qt::Vertical).constFirst()));
        using gasdyn::Flow;
        for (const auto& [name, key] :
            { std::pair { "p/p0", "p/p0" }, { "T/T0", "T/T0" }, { "ρ/ρ0", "rho/rho0" }, { "A/A*", "A/A*" } }) {
            const QList<QPointF> points = pointsOf(chart(), QString::fromUtf8(name));
            QVERIFY(points.size() > 150);
            QVERIFY(near(points.front().x(), 0.05, 1e-12) && near(points.back().x(), 5.0, 1e-12));
            for (const QPointF& p : points) {
                const auto state = solve(Flow::Isentropic, 1.4, { { quantity(Flow::Isentropic, "M"), p.x() } });
                QVERIFY(near(p.y(), value(state, Flow::Isentropic, key), 1e-12));
            }
        }
        const QList<QPointF> area = pointsOf(chart(), "A/A*");
        QVERIFY(std::any_of(
            area.begin(), area.end(), [](QPointF p) { return std::abs(p.x() - 1.0) < 0.01 && p.x() != 1.0; }));
    }

    void answerIsMarkedOnItsChart_data()
    {
        QTest::addColumn<common::Answer>("answer");
        QTest::addColumn<int>("opened");
        QTest::addColumn<QList<QPointF>>("expected");
        const QList<QPointF> atMach2 { { 2, 0.127805 }, { 2, 0.555556 }, { 2, 0.230048 }, { 2, 1.6875 } };
        QTest::newRow("isentropic") << common::Answer { 1.4, "isentropic", 2.0 } << int(Isentropic) << atMach2;
        QTest::newRow("expansion: the flow ahead")
            << common::Answer { 1.4, "prandtl-meyer", 2.0, "", {}, 10.0, {} } << int(Isentropic) << atMach2;
        QTest::newRow("normal shock on the polar")
            << common::Answer { 1.4, "normal-shock", 2.0 } << int(ShockPolar) << QList<QPointF> { { 0, 4.5 } };
        QTest::newRow("oblique shock from theta") << common::Answer { 1.4, "oblique-shock", 2.0, "weak", {}, 10.0, {} }
                                                  << int(ShockPolar) << QList<QPointF> { { 10, 1.706579 } };
        QTest::newRow("oblique shock from beta") << common::Answer { 1.4, "oblique-shock", 2.0, "", {}, {}, 39.313932 }
                                                 << int(ShockPolar) << QList<QPointF> { { 10, 1.706579 } };
        QTest::newRow("fanno, one Mach number")
            << common::Answer { 1.4, "fanno", 0.5 } << int(FannoRayleigh) << QList<QPointF> { { -0.292553, 1.142857 } };
        QTest::newRow("fanno, both roots") << common::Answer { 1.4, "fanno", 0.5, "sub", 1.8 } << int(FannoRayleigh)
                                           << QList<QPointF> { { -0.292553, 1.142857 }, { -0.363936, 0.728155 } };
        QTest::newRow("rayleigh, both roots") << common::Answer { 1.4, "rayleigh", 0.5, "sub",
            2.5 } << int(FannoRayleigh) << QList<QPointF> { { -1.399845, 0.790123 }, { -1.996756, 0.378698 } };
    }
    void answerIsMarkedOnItsChart()
    {
        QFETCH(common::Answer, answer);
        QFETCH(int, opened);
        QFETCH(QList<QPointF>, expected);
        m_window->showAnswer(answer);
        QCOMPARE(combo()->currentIndex(), opened);
        const QList<QPointF> shown = marks(chart());
        QCOMPARE(shown.size(), expected.size());
        for (qsizetype i = 0; i < shown.size(); ++i) {
            QVERIFY2(near(shown[i].x(), expected[i].x(), 1e-5) && near(shown[i].y(), expected[i].y(), 1e-5),
                qPrintable(QString("%1, %2").arg(shown[i].x()).arg(shown[i].y())));
        }
        // Every other chart shows the answer only where it belongs.
        for (int other = 0; other < 4; ++other) {
            choose(other);
            const bool shocks = answer.flow == "normal-shock" || answer.flow == "oblique-shock";
            const bool belongs = other == opened || (other == ThetaBetaM && shocks);
            QCOMPARE(marks(chart()).isEmpty(), !belongs);
        }
    }

    void shockAnswersAreMarkedOnTheThetaBetaChart()
    {
        m_window->showAnswer({ 1.4, "oblique-shock", 2.0, "weak", {}, 10.0, {} });
        choose(ThetaBetaM);
        QCOMPARE(marks(chart()).size(), 1);
        QVERIFY(near(marks(chart())[0].x(), 39.313932, 1e-6) && near(marks(chart())[0].y(), 10.0, 1e-9));
        m_window->showAnswer({ 1.4, "normal-shock", 3.0 });
        choose(ThetaBetaM);
        QCOMPARE(marks(chart()), (QList<QPointF> { { 90.0, 0.0 } }));
    }

    void answerBeyondTheAxesIsSaid()
    {
        m_window->showAnswer({ 1.4, "isentropic", 12.0 });
        QCOMPARE(marks(chart()).size(), 4);
        QCOMPARE(status()->text(), QString("The marked answer lies outside this chart"));
        m_window->showAnswer({ 1.4, "isentropic", 4.0 });
        QCOMPARE(status()->text(), QString());
    }

    void conicalAnswerHasNoChart()
    {
        m_window->showAnswer({ 1.4, "isentropic", 2.0 });
        m_window->showAnswer({ 1.4, "conical-shock", 2.0, "", {}, 10.0, 35.0 });
        QCOMPARE(combo()->currentIndex(), int(Isentropic));
        QVERIFY(marks(chart()).isEmpty());
        QCOMPARE(status()->text(), QString("No chart shows conical shock answers"));
    }

    void polarFollowsEachShockAnswerAndTheTypedMach()
    {
        m_window->showAnswer({ 1.4, "oblique-shock", 3.0, "strong", {}, 20.0, {} });
        QCOMPARE(m1()->text(), QString("3"));
        QVERIFY(m1()->isVisible());
        QCOMPARE(chart()->title(), QString("Shock polar for M1 = 3, γ = 1.4"));
        QCOMPARE(marks(chart()).size(), 1);
        QVERIFY(near(marks(chart())[0].x(), 20.0, 1e-9));
        QVERIFY(marks(chart())[0].y() > 5.0); // the strong branch
        typeM1("2.5");
        QCOMPARE(chart()->title(), QString("Shock polar for M1 = 2.5, γ = 1.4"));
        QVERIFY(marks(chart()).isEmpty()); // the answer lies on the polar of M1 = 3
        typeM1("1");
        QCOMPARE(status()->text(), QString("M1 must be greater than 1"));
        QCOMPARE(chart()->title(), QString("Shock polar for M1 = 2.5, γ = 1.4"));
        choose(Isentropic);
        QVERIFY(!m1()->isVisible());
        QCOMPARE(status()->text(), QString());
    }

    void gammaEditRedrawsTheOpenChart_data()
    {
        QTest::addColumn<int>("chartIndex");
        QTest::addColumn<QString>("title");
        QTest::newRow("theta-beta-M") << int(ThetaBetaM) << "Deflection against wave angle, γ = 1.3";
        QTest::newRow("shock polar") << int(ShockPolar) << "Shock polar for M1 = 2, γ = 1.3";
        QTest::newRow("fanno and rayleigh") << int(FannoRayleigh) << "Fanno and Rayleigh lines, γ = 1.3";
        QTest::newRow("isentropic") << int(Isentropic) << "Isentropic ratios, γ = 1.3";
    }
    void gammaEditRedrawsTheOpenChart()
    {
        QFETCH(int, chartIndex);
        QFETCH(QString, title);
        choose(chartIndex);
        auto* first = static_cast<QXYSeries*>(chart()->series().constFirst());
        const QList<QPointF> before = first->points();
        typeGamma("1.3");
        QCOMPARE(chart()->title(), title);
        QVERIFY(first->points() != before);
        QCOMPARE(status()->text(), QString());
    }

    void refusedGammaLeavesTheChartUnchanged_data()
    {
        QTest::addColumn<QString>("gamma");
        QTest::newRow("one") << "1";
        QTest::newRow("below one") << "0.9";
        QTest::newRow("text") << "abc";
        QTest::newRow("empty") << "";
        QTest::newRow("overflow") << "1e999";
    }
    void refusedGammaLeavesTheChartUnchanged()
    {
        QFETCH(QString, gamma);
        choose(Isentropic);
        typeGamma("1.3");
        const QList<QPointF> before = pointsOf(chart(), "p/p0");
        typeGamma(gamma);
        QCOMPARE(status()->text(), QString("Gamma must be greater than 1"));
        QCOMPARE(chart()->title(), QString("Isentropic ratios, γ = 1.3"));
        QCOMPARE(pointsOf(chart(), "p/p0"), before);
        choose(ThetaBetaM); // another chart is drawn for the last usable gamma
        QCOMPARE(chart()->title(), QString("Deflection against wave angle, γ = 1.3"));
        typeGamma("1.4");
        QCOMPARE(status()->text(), QString());
    }

    void answerForAnotherGammaIsSaid()
    {
        typeGamma("1.3");
        m_window->showAnswer({ 1.4, "fanno", 0.5 });
        QCOMPARE(status()->text(), QString("The marked answer was found for γ = 1.4"));
        QVERIFY(near(marks(chart())[0].y(), 1.142857, 1e-6));
    }

    void hoverShowsTheNearestCurvePoint()
    {
        choose(ShockPolar);
        QChartView* view = m_window->view();
        QApplication::processEvents();
        const auto hoverAt = [&](QPointF value, QAbstractSeries* series) {
            const QPointF inChart = chart()->mapToPosition(value, series);
            const QPoint inView = view->mapFromScene(chart()->mapToScene(inChart));
            QTest::mouseMove(view->viewport(), inView + QPoint(2, -2));
        };
        // The nearest point is one of the crowded points about the normal shock.
        const QRegularExpression line("^strong shock: θ = ([0-9.]+)°, p2/p1 = ([0-9.]+)$");
        hoverAt({ 0.0, 4.5 }, seriesNamed(chart(), "strong shock"));
        QRegularExpressionMatch match = line.match(status()->text());
        QVERIFY2(match.hasMatch(), qPrintable(status()->text()));
        QVERIFY(match.captured(1).toDouble() < 0.5 && std::abs(match.captured(2).toDouble() - 4.5) < 0.01);
        hoverAt({ 10.0, 1.706579 }, seriesNamed(chart(), "weak shock"));
        match = QRegularExpression("^weak shock: θ = ([0-9.]+)°, p2/p1 = ([0-9.]+)$").match(status()->text());
        QVERIFY2(match.hasMatch(), qPrintable(status()->text()));
        QVERIFY(std::abs(match.captured(1).toDouble() - 10.0) < 0.5);
        QTest::mouseMove(view->viewport(), QPoint(view->width() - 3, 3)); // far from every curve
        QCOMPARE(status()->text(), QString());
    }

    void numbersUseTheLocaleDecimalMark()
    {
        m_window.reset();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        m_gamma = "1,4";
        ChartsWindow window([this] { return m_gamma; });
        window.show();
        window.showAnswer({ 1.4, "oblique-shock", 2.5, "weak", {}, 10.0, {} });
        QLocale::setDefault(QLocale::c());
        QCOMPARE(window.chart()->title(), QString("Shock polar for M1 = 2,5, γ = 1,4"));
        QCOMPARE(window.findChild<QLineEdit*>("Text_M1")->text(), QString("2,5"));
        QVERIFY(seriesNamed(window.chart(), "θmax = 29,7974°"));
        QVERIFY(window.chart()->localizeNumbers());
        QCOMPARE(window.chart()->locale().decimalPoint(), QString(","));
    }

    void offscreenRenderFillsThePlotArea_data()
    {
        QTest::addColumn<int>("chartIndex");
        QTest::newRow("theta-beta-M") << int(ThetaBetaM);
        QTest::newRow("shock polar") << int(ShockPolar);
        QTest::newRow("fanno and rayleigh") << int(FannoRayleigh);
        QTest::newRow("isentropic") << int(Isentropic);
    }
    void offscreenRenderFillsThePlotArea()
    {
        QFETCH(int, chartIndex);
        choose(chartIndex);
        QApplication::processEvents();
        const QImage image = m_window->view()->grab().toImage();
        const QRect area = m_window->view()->mapFromScene(chart()->mapToScene(chart()->plotArea())).boundingRect();
        QVERIFY(area.width() > 250 && area.height() > 200);
        QVERIFY(QRect(QPoint(0, 0), image.size()).contains(area));
        // The curves are coloured; the background, grid and axes are grey.
        QRect painted;
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (std::max({ c.red(), c.green(), c.blue() }) - std::min({ c.red(), c.green(), c.blue() }) > 60) {
                    painted |= QRect(x, y, 1, 1);
                    ++count;
                }
            }
        }
        QVERIFY2(count > area.width() * 3, qPrintable(QString::number(count)));
        QVERIFY(painted.width() > area.width() * 6 / 10);
        QVERIFY(painted.height() > area.height() * 6 / 10);
    }

    void saveWritesThePicture_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("png") << "chart.png"
                             << "chart.png";
        QTest::newRow("svg") << "chart.svg"
                             << "chart.svg";
        QTest::newRow("capital suffix") << "chart.SVG"
                                        << "chart.SVG";
        QTest::newRow("no suffix: png") << "chart"
                                        << "chart.png";
    }
    void saveWritesThePicture()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QTemporaryDir folder;
        m_chosenFile = folder.filePath(chosen);
        QTest::mouseClick(m_window->findChild<QPushButton*>("Command_Save"), Qt::LeftButton);
        const QString path = folder.filePath(written);
        QCOMPARE(status()->text(), "Saved " + QDir::toNativeSeparators(path));
        if (written.endsWith("png")) {
            const QImage image(path);
            QVERIFY(!image.isNull());
            QCOMPARE(image.size(), m_window->view()->grab().size());
        } else {
            QSvgRenderer svg(path);
            QVERIFY(svg.isValid());
            QCOMPARE(svg.viewBox().size(), m_window->view()->size());
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { written }); // no temporary left
    }

    void saveRefusesOtherNamesAndReportsFailure()
    {
        QTemporaryDir folder;
        auto* save = m_window->findChild<QPushButton*>("Command_Save");
        m_chosenFile = folder.filePath("chart.jpg");
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(status()->text(), QString("Not saved: choose a name ending in .png or .svg"));
        m_chosenFile = folder.filePath("missing/chart.png");
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(status()->text().startsWith("Not saved: " + QDir::toNativeSeparators(m_chosenFile) + ": "));
        m_chosenFile.clear(); // the dialog was cancelled
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(QDir(folder.path()).isEmpty());
    }

    void controlsAreNamedReachableAndUnclipped()
    {
        choose(ShockPolar);
        QWidget* save = m_window->findChild<QPushButton*>("Command_Save");
        const QList<QWidget*> controls { combo(), m1(), save, m_window->view(), status() };
        for (QWidget* control : controls) {
            QVERIFY(!control->accessibleName().isEmpty());
            QVERIFY2(control->width() >= control->minimumSizeHint().width(), qPrintable(control->objectName()));
            QVERIFY(m_window->rect().contains(QRect(control->mapTo(m_window.get(), QPoint(0, 0)), control->size())));
        }
        const auto nextTab = [](QWidget* from) {
            do
                from = from->nextInFocusChain();
            while (!(from->focusPolicy() & Qt::TabFocus) || !from->isVisible());
            return from;
        };
        QCOMPARE(nextTab(combo()), m1());
        QCOMPARE(nextTab(m1()), save);
        m_window->resize(m_window->minimumSizeHint());
        QApplication::processEvents();
        for (QWidget* control : { static_cast<QWidget*>(combo()), static_cast<QWidget*>(m1()), save })
            QVERIFY(control->width() >= control->minimumSizeHint().width());
    }
};

QTEST_MAIN(ChartsWindowTest)
#include "tst_charts_window.moc"
