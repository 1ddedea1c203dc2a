#include "charts_window.h"

#include "number.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using charts::Chart;

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// A number as the window shows it: six significant digits with the locale's decimal mark, written by the
// program's number rule.
QString shown(double value)
{
    int decimals = 5;
    if (value != 0.0)
        decimals = std::clamp(5 - static_cast<int>(std::floor(std::log10(std::abs(value)))), 0, 12);
    return QString::fromStdString(common::writeNumber(value, decimals, common::CalculatorForm::decimalMark()));
}

QList<QPointF> pointsOf(const charts::Points& points, bool positiveOnly = false)
{
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const charts::Point& p : points) {
        if (!positiveOnly || p.y > 0.0)
            list.append(QPointF(p.x, p.y));
    }
    return list;
}

// A line's pen: its colour, width and dash style.
QPen linePen(const QColor& colour, qreal width = 2.0, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, width, style);
    pen.setCosmetic(true);
    return pen;
}

const QColor kMachColours[] = { QColor(31, 119, 180), QColor(255, 127, 14), QColor(44, 160, 44), QColor(148, 103, 189),
    QColor(140, 86, 75), QColor(23, 190, 207), QColor(60, 60, 60) };

QString chartName(Chart chart)
{
    switch (chart) {
    case Chart::ThetaBetaM:
        return QStringLiteral("θ-β-M");
    case Chart::ShockPolar:
        return QStringLiteral("Shock polar");
    case Chart::FannoRayleigh:
        return QStringLiteral("Fanno and Rayleigh lines");
    case Chart::Isentropic:
        return QStringLiteral("Isentropic ratios");
    }
    return {};
}

QString flowName(const std::string& flow)
{
    QString text = QString::fromStdString(flow);
    text.replace('-', ' ');
    return text;
}

} // namespace

struct ChartsWindow::Page {
    Chart kind;
    QChart* chart = nullptr;
    QValueAxis* x = nullptr;
    QAbstractAxis* y = nullptr;
    std::vector<QLineSeries*> lines;
    std::vector<QScatterSeries*> labels; // marked points of the curves (the shock polar's largest deflection)
    QScatterSeries* marks = nullptr; // the last answer
    QString xName;
    QString xUnit;
    QString yName; // empty: the curve's own name
    QString yUnit;
    double drawnGamma = kNoValue;
    double drawnMach = kNoValue;
    bool marksOutside = false; // a marked point lies beyond the axes
};

ChartsWindow::ChartsWindow(common::GammaSource gamma, QWidget* parent)
    : QWidget(parent)
    , m_gammaSource(std::move(gamma))
    , m_chooseFile([](QWidget* owner, const QString& suggested) {
        return QFileDialog::getSaveFileName(
            owner, QStringLiteral("Save chart"), suggested, QStringLiteral("PNG image (*.png);;SVG drawing (*.svg)"));
    })
{
    setObjectName("Form_Charts");
    setWindowTitle("Charts");
    setAccessibleName("Charts");

    auto* chartLabel = new QLabel("&Chart:", this);
    chartLabel->setObjectName("Label_Chart");
    m_combo = new QComboBox(this);
    m_combo->setObjectName("Combo_Chart");
    m_combo->setAccessibleName("Chart");
    for (int i = 0; i < charts::kChartCount; ++i)
        m_combo->addItem(chartName(static_cast<Chart>(i)));
    chartLabel->setBuddy(m_combo);

    m_m1Label = new QLabel("M&1 =", this);
    m_m1Label->setObjectName("Label_M1");
    m_m1 = new QLineEdit("2", this);
    m_m1->setObjectName("Text_M1");
    m_m1->setAccessibleName("Upstream Mach number of the shock polar");
    m_m1->setMaximumWidth(fontMetrics().horizontalAdvance("0000000000") + 12);
    m_m1Label->setBuddy(m_m1);

    m_save = new QPushButton("&Save...", this);
    m_save->setObjectName("Command_Save");
    m_save->setAccessibleName("Save the chart as PNG or SVG");

    m_view = new QChartView(this);
    m_view->setObjectName("View_Chart");
    m_view->setAccessibleName("Chart");
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMouseTracking(true);
    m_view->viewport()->setMouseTracking(true);
    m_view->viewport()->installEventFilter(this);
    m_view->setMinimumSize(480, 320);
    m_view->setFocusPolicy(Qt::NoFocus);

    m_status = new QLabel(this);
    m_status->setObjectName("Label_Status");
    m_status->setAccessibleName("Status");
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->setMinimumHeight(2 * fontMetrics().lineSpacing());

    auto* bar = new QHBoxLayout;
    bar->addWidget(chartLabel);
    bar->addWidget(m_combo);
    bar->addSpacing(12);
    bar->addWidget(m_m1Label);
    bar->addWidget(m_m1);
    bar->addStretch(1);
    bar->addWidget(m_save);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);

    setTabOrder(m_combo, m_m1);
    setTabOrder(m_m1, m_save);

    buildPages();
    connect(m_combo, &QComboBox::currentIndexChanged, this, [this](int index) { open(index); });
    connect(m_m1, &QLineEdit::textChanged, this, [this] {
        readUpstreamMach();
        refresh();
    });
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    resize(760, 580);
    refresh();
    open(0);
}

ChartsWindow::~ChartsWindow()
{
    // The view owns the chart it shows; the others are this window's.
    for (Page& page : m_pages) {
        if (page.chart != m_view->chart())
            delete page.chart;
    }
}

void ChartsWindow::setSaveFileChooser(SaveFileChooser chooser)
{
    m_chooseFile = std::move(chooser);
}

QChart* ChartsWindow::chart() const
{
    return m_view->chart();
}

void ChartsWindow::buildPages()
{
    for (int i = 0; i < charts::kChartCount; ++i) {
        Page page;
        page.kind = static_cast<Chart>(i);
        page.chart = new QChart;
        page.chart->setLocalizeNumbers(true);
        page.chart->setLocale(QLocale());
        // Many or long curve names stand beside the plot; a few short ones below it, leaving the plot its width.
        const bool manyNames = page.kind == Chart::ThetaBetaM || page.kind == Chart::FannoRayleigh;
        page.chart->legend()->setAlignment(manyNames ? Qt::AlignRight : Qt::AlignBottom);
        page.x = new QValueAxis;
        page.chart->addAxis(page.x, Qt::AlignBottom);
        if (page.kind == Chart::Isentropic) {
            auto* axis = new QLogValueAxis;
            axis->setBase(10.0);
            axis->setLabelFormat("%.4g");
            axis->setMinorTickCount(8);
            axis->setMinorGridLineColor(QColor(235, 235, 235));
            page.y = axis;
        } else {
            page.y = new QValueAxis;
        }
        page.chart->addAxis(page.y, Qt::AlignLeft);
        const auto addLine = [&page](const QString& name, const QPen& pen) {
            auto* series = new QLineSeries;
            series->setName(name);
            series->setPen(pen);
            page.chart->addSeries(series);
            series->attachAxis(page.x);
            series->attachAxis(page.y);
            page.lines.push_back(series);
            return series;
        };
        switch (page.kind) {
        case Chart::ThetaBetaM: {
            page.x->setTitleText("wave angle β (°)");
            page.y->setTitleText("deflection θ (°)");
            page.xName = "β";
            page.xUnit = "°";
            page.yName = "θ";
            page.yUnit = "°";
            for (std::size_t m = 0; m < charts::thetaBetaMachs().size(); ++m)
                addLine(QString(), linePen(kMachColours[m]));
            addLine("detachment, θmax", linePen(Qt::black, 1.5, Qt::DashLine));
            addLine("sonic, M2 = 1", linePen(QColor(200, 30, 30), 1.5, Qt::DotLine));
            break;
        }
        case Chart::ShockPolar: {
            page.x->setTitleText("deflection θ (°)");
            page.y->setTitleText("pressure ratio p2/p1");
            page.xName = "θ";
            page.xUnit = "°";
            page.yName = "p2/p1";
            addLine("weak shock", linePen(kMachColours[0]));
            addLine("strong shock", linePen(kMachColours[1]));
            auto* label = new QScatterSeries;
            label->setMarkerSize(9.0);
            label->setColor(Qt::black);
            page.chart->addSeries(label);
            label->attachAxis(page.x);
            label->attachAxis(page.y);
            page.labels.push_back(label);
            break;
        }
        case Chart::FannoRayleigh:
            page.x->setTitleText("entropy (s − s*)/R");
            page.y->setTitleText("temperature ratio T/T*");
            page.xName = "(s − s*)/R";
            page.yName = "T/T*";
            addLine("Fanno, subsonic", linePen(kMachColours[0]));
            addLine("Fanno, supersonic", linePen(kMachColours[5], 2.0, Qt::DashLine));
            addLine("Rayleigh, subsonic", linePen(kMachColours[3]));
            addLine("Rayleigh, supersonic", linePen(kMachColours[1], 2.0, Qt::DashLine));
            break;
        case Chart::Isentropic:
            page.x->setTitleText("Mach number M");
            page.y->setTitleText("ratio");
            page.xName = "M";
            addLine("p/p0", linePen(kMachColours[0]));
            addLine("T/T0", linePen(kMachColours[1]));
            addLine("ρ/ρ0", linePen(kMachColours[2]));
            addLine("A/A*", linePen(kMachColours[3]));
            break;
        }
        page.marks = new QScatterSeries;
        page.marks->setName("last answer");
        page.marks->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        page.marks->setMarkerSize(11.0);
        page.marks->setColor(QColor(220, 0, 0));
        page.marks->setBorderColor(Qt::white);
        page.chart->addSeries(page.marks);
        page.marks->attachAxis(page.x);
        page.marks->attachAxis(page.y);
        page.chart->legend()->markers(page.marks).constFirst()->setVisible(false);
        m_pages.push_back(page);
    }
}

void ChartsWindow::open(int index)
{
    Page& page = m_pages[static_cast<std::size_t>(index)];
    const bool polar = page.kind == Chart::ShockPolar;
    m_m1Label->setVisible(polar);
    m_m1->setVisible(polar);
    draw(page);
    if (m_view->chart() != page.chart) {
        QChart* previous = m_view->chart();
        m_view->setChart(page.chart); // the view gives the previous chart back
        const bool ours
            = std::any_of(m_pages.begin(), m_pages.end(), [previous](const Page& p) { return p.chart == previous; });
        if (!ours)
            delete previous; // the empty chart the view made for itself
    }
    m_view->setAccessibleDescription(page.chart->title());
    m_hoverText.clear();
    updateStatus();
}

void ChartsWindow::refresh()
{
    const QString text = m_gammaSource ? m_gammaSource() : QStringLiteral("1.4");
    const double gamma = common::readNumber(text.toStdString(), common::CalculatorForm::decimalMark());
    if (auto refusal = common::checkGamma(gamma)) {
        // The chart keeps the curves of the last usable gamma; its title names that gamma.
        m_gammaRefusal = QString::fromStdString(refusal->render(common::CalculatorForm::decimalMark()));
    } else {
        m_gammaRefusal.reset();
        m_gamma = gamma;
        if (!m_pages.empty())
            draw(m_pages[static_cast<std::size_t>(m_combo->currentIndex())]);
    }
    updateStatus();
}

void ChartsWindow::readUpstreamMach()
{
    const double M1 = common::readNumber(m_m1->text().toStdString(), common::CalculatorForm::decimalMark());
    if (!(M1 > 1.0) || !std::isfinite(M1)) {
        m_machRefusal = QStringLiteral("M1 must be greater than 1");
        return;
    }
    m_machRefusal.reset();
    m_upstreamMach = M1;
}

void ChartsWindow::draw(Page& page)
{
    const bool polar = page.kind == Chart::ShockPolar;
    if (page.drawnGamma == m_gamma && (!polar || page.drawnMach == m_upstreamMach)) {
        drawMarks(page);
        return;
    }
    const QString gammaText = QStringLiteral("γ = ") + shown(m_gamma);
    auto* x = page.x;
    switch (page.kind) {
    case Chart::ThetaBetaM: {
        const std::vector<charts::Curve> curves = charts::thetaBetaMCurves(m_gamma);
        double top = 0.0;
        for (std::size_t i = 0; i < curves.size() && i < page.lines.size(); ++i) {
            page.lines[i]->replace(pointsOf(curves[i].points));
            const auto machs = charts::thetaBetaMachs();
            page.lines[i]->setName(i >= machs.size() ? QString::fromStdString(curves[i].name)
                    : std::isinf(machs[i])           ? QStringLiteral("M1 → ∞")
                                                     : QStringLiteral("M1 = ") + shown(machs[i]));
            for (const charts::Point& p : curves[i].points)
                top = std::max(top, p.y);
        }
        x->setRange(0.0, 90.0);
        x->setTickCount(10);
        x->setLabelFormat("%.0f");
        auto* y = static_cast<QValueAxis*>(page.y);
        y->setRange(0.0, std::max(5.0, std::ceil(top * 1.08 / 5.0) * 5.0));
        y->applyNiceNumbers();
        y->setLabelFormat("%.0f");
        page.chart->setTitle(QStringLiteral("Deflection against wave angle, ") + gammaText);
        break;
    }
    case Chart::ShockPolar: {
        const charts::ShockPolar curves = charts::shockPolar(m_gamma, m_upstreamMach);
        page.lines[0]->replace(pointsOf(curves.weak.points));
        page.lines[1]->replace(pointsOf(curves.strong.points));
        page.labels[0]->replace(QList<QPointF> { QPointF(curves.detachment.x, curves.detachment.y) });
        const QString label = QStringLiteral("θmax = %1°").arg(shown(curves.detachment.x));
        page.labels[0]->setName(label);
        double right = curves.detachment.x;
        double top = 1.0;
        for (const auto* points : { &curves.weak.points, &curves.strong.points }) {
            for (const charts::Point& p : *points)
                top = std::max(top, p.y);
        }
        x->setRange(0.0, std::max(1.0, right * 1.15));
        x->applyNiceNumbers();
        x->setLabelFormat(x->max() >= 10.0 ? "%.0f" : "%.1f");
        auto* y = static_cast<QValueAxis*>(page.y);
        y->setRange(1.0, std::max(2.0, top * 1.05));
        y->applyNiceNumbers();
        y->setMin(std::max(0.0, y->min()));
        page.chart->setTitle(QStringLiteral("Shock polar for M1 = %1, %2").arg(shown(m_upstreamMach), gammaText));
        page.drawnMach = m_upstreamMach;
        break;
    }
    case Chart::FannoRayleigh: {
        const std::vector<charts::Curve> curves = charts::fannoRayleighCurves(m_gamma);
        constexpr double left = -3.0;
        constexpr double right = 0.5;
        double top = 1.0;
        for (std::size_t i = 0; i < curves.size(); ++i) {
            page.lines[i]->replace(pointsOf(curves[i].points));
            for (const charts::Point& p : curves[i].points) {
                if (p.x >= left && p.x <= right)
                    top = std::max(top, p.y);
            }
        }
        x->setRange(left, right);
        x->setTickCount(8);
        x->setLabelFormat("%.1f");
        auto* y = static_cast<QValueAxis*>(page.y);
        y->setRange(0.0, top * 1.1);
        y->applyNiceNumbers();
        page.chart->setTitle(QStringLiteral("Fanno and Rayleigh lines, ") + gammaText);
        break;
    }
    case Chart::Isentropic: {
        const std::vector<charts::Curve> curves = charts::isentropicCurves(m_gamma);
        double low = 1.0;
        double high = 1.0;
        for (std::size_t i = 0; i < curves.size(); ++i) {
            page.lines[i]->replace(pointsOf(curves[i].points, true));
            for (const charts::Point& p : curves[i].points) {
                if (p.y > 0.0) {
                    low = std::min(low, p.y);
                    high = std::max(high, p.y);
                }
            }
        }
        x->setRange(0.0, 5.0);
        x->setTickCount(6);
        x->setMinorTickCount(1);
        x->setLabelFormat("%.0f");
        // Whole decades, a hair wider so the end labels are drawn.
        page.y->setRange(std::pow(10.0, std::floor(std::log10(low))) * (1.0 - 1e-9),
            std::pow(10.0, std::ceil(std::log10(high))) * (1.0 + 1e-9));
        page.chart->setTitle(QStringLiteral("Isentropic ratios, ") + gammaText);
        break;
    }
    }
    page.drawnGamma = m_gamma;
    drawMarks(page);
}

void ChartsWindow::drawMarks(Page& page)
{
    QList<QPointF> points;
    for (const charts::Mark& mark : m_marks) {
        if (mark.chart != page.kind)
            continue;
        // A point of the shock polar belongs to the polar of its own upstream Mach number only.
        if (mark.chart == Chart::ShockPolar && std::abs(mark.upstreamMach - page.drawnMach) > 1e-12 * mark.upstreamMach)
            continue;
        points.append(QPointF(mark.at.x, mark.at.y));
    }
    page.marks->replace(points);
    page.chart->legend()->markers(page.marks).constFirst()->setVisible(!points.isEmpty());
    page.marksOutside = std::any_of(points.begin(), points.end(), [&page](const QPointF& p) {
        const auto within = [](const QAbstractAxis* axis, double v) {
            if (const auto* linear = qobject_cast<const QValueAxis*>(axis))
                return v >= linear->min() && v <= linear->max();
            const auto* logarithmic = static_cast<const QLogValueAxis*>(axis);
            return v >= logarithmic->min() && v <= logarithmic->max();
        };
        return !within(page.x, p.x()) || !within(page.y, p.y());
    });
}

void ChartsWindow::showAnswer(const common::Answer& answer)
{
    m_answer = answer;
    m_marks = charts::marksOf(answer);
    m_answerNote.clear();
    const std::optional<Chart> chart = charts::chartOf(answer.flow);
    if (!chart) {
        m_answerNote = QStringLiteral("No chart shows %1 answers").arg(flowName(answer.flow));
    } else if (m_marks.empty()) {
        m_answerNote = QStringLiteral("The last answer (%1) cannot be placed on the charts").arg(flowName(answer.flow));
    }
    const QString mark = QStringLiteral("last answer: %1, M = %2").arg(flowName(answer.flow), shown(answer.mach));
    for (Page& page : m_pages)
        page.marks->setName(mark);
    if ((answer.flow == "normal-shock" || answer.flow == "oblique-shock") && answer.mach > 1.0
        && std::isfinite(answer.mach)) {
        m_upstreamMach = answer.mach;
        m_machRefusal.reset();
        const QSignalBlocker blocker(m_m1);
        m_m1->setText(shown(answer.mach));
    }
    if (std::abs(answer.gamma - m_gamma) > 1e-12 * m_gamma && m_answerNote.isEmpty())
        m_answerNote = QStringLiteral("The marked answer was found for γ = %1").arg(shown(answer.gamma));
    for (Page& page : m_pages) {
        if (!std::isnan(page.drawnGamma)) // drawn at least once
            drawMarks(page);
    }
    if (chart && m_combo->currentIndex() != static_cast<int>(*chart))
        m_combo->setCurrentIndex(static_cast<int>(*chart)); // opens and draws it
    else
        open(m_combo->currentIndex());
}

void ChartsWindow::updateStatus()
{
    QStringList parts;
    if (m_gammaRefusal)
        parts << *m_gammaRefusal;
    if (m_machRefusal && m_m1->isVisible())
        parts << *m_machRefusal;
    if (!m_answerNote.isEmpty())
        parts << m_answerNote;
    if (m_pages[static_cast<std::size_t>(m_combo->currentIndex())].marksOutside)
        parts << QStringLiteral("The marked answer lies outside this chart");
    if (!m_saveText.isEmpty())
        parts << m_saveText;
    if (!m_hoverText.isEmpty())
        parts << m_hoverText;
    m_status->setText(parts.join(QStringLiteral("\n")));
}

bool ChartsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::MouseMove)
        hover(static_cast<QMouseEvent*>(event)->position().toPoint());
    return QWidget::eventFilter(watched, event);
}

void ChartsWindow::hover(const QPoint& viewPosition)
{
    const Page& page = m_pages[static_cast<std::size_t>(m_combo->currentIndex())];
    QChart* chart = page.chart;
    const QPointF at = chart->mapFromScene(m_view->mapToScene(viewPosition));
    const QRectF area = chart->plotArea();
    const QLineSeries* nearest = nullptr;
    QPointF nearestPoint;
    double best = 24.0 * 24.0; // pixels, squared: farther than this is not on a curve
    for (const QLineSeries* series : page.lines) {
        const QList<QPointF> points = series->points();
        for (const QPointF& p : points) {
            const QPointF position = chart->mapToPosition(p, const_cast<QLineSeries*>(series));
            if (!area.contains(position))
                continue;
            const QPointF d = position - at;
            const double distance = d.x() * d.x() + d.y() * d.y();
            if (distance < best) {
                best = distance;
                nearest = series;
                nearestPoint = p;
            }
        }
    }
    m_hoverText.clear();
    if (nearest) {
        const QString yName = page.yName.isEmpty() ? nearest->name() : page.yName;
        m_hoverText = QStringLiteral("%1: %2 = %3%4, %5 = %6%7")
                          .arg(nearest->name(), page.xName, shown(nearestPoint.x()), page.xUnit, yName,
                              shown(nearestPoint.y()), page.yUnit);
    }
    m_saveText.clear();
    updateStatus();
}

void ChartsWindow::save()
{
    const QString suggested = QStringLiteral("%1.png").arg(m_combo->currentText().toLower().replace(' ', '-'));
    const QString path = m_chooseFile ? m_chooseFile(this, suggested) : QString();
    if (!path.isEmpty())
        saveTo(path);
}

bool ChartsWindow::saveTo(const QString& path)
{
    QString target = path;
    QString suffix = QFileInfo(target).suffix().toLower();
    if (suffix.isEmpty()) {
        target += QStringLiteral(".png");
        suffix = QStringLiteral("png");
    }
    const QString name = QDir::toNativeSeparators(target);
    if (suffix != "png" && suffix != "svg") {
        m_saveText = QStringLiteral("Not saved: choose a name ending in .png or .svg");
        updateStatus();
        return false;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (suffix == "png") {
        m_view->grab().toImage().save(&buffer, "PNG");
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(m_view->size());
        svg.setViewBox(QRect(QPoint(0, 0), m_view->size()));
        svg.setTitle(chart()->title());
        svg.setDescription(QStringLiteral("Drawn by the Compressible Flow Calculator"));
        QPainter painter(&svg);
        m_view->render(&painter);
    }
    buffer.close();
    QSaveFile file(target);
    const bool saved
        = !bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (saved)
        m_saveText = QStringLiteral("Saved %1").arg(name);
    else
        m_saveText = QStringLiteral("Not saved: %1: %2").arg(name, file.errorString());
    updateStatus();
    return saved;
}
