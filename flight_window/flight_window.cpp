#include "flight_window.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>
#include <cmath>

namespace {

struct Row {
    const char* name;
    std::optional<flight::Quantity> quantity;
};
const std::array<Row, 15> kRows { { { "z", flight::Quantity::Length }, { "H", flight::Quantity::Length },
    { "T", flight::Quantity::Temperature }, { "p", flight::Quantity::Pressure }, { "rho", flight::Quantity::Density },
    { "a", flight::Quantity::Speed }, { "mu", flight::Quantity::Viscosity },
    { "nu", flight::Quantity::KinematicViscosity }, { "M", std::nullopt }, { "V", flight::Quantity::Speed },
    { "T0", flight::Quantity::Temperature }, { "p0", flight::Quantity::Pressure }, { "q", flight::Quantity::Pressure },
    { "p02", flight::Quantity::Pressure }, { "CAS", flight::Quantity::Speed } } };

} // namespace

AtmosphereChart::AtmosphereChart(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Chart_Atmosphere");
    setMinimumSize(180, 180);
}

void AtmosphereChart::mark(std::optional<double> altitude)
{
    m_marked = altitude;
    update();
}

void AtmosphereChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const QRectF plot = QRectF(rect()).adjusted(46, 8, -8, -24);
    painter.setPen(palette().text().color());
    painter.drawRect(plot);
    const double zLow = flight::kMinGeometric;
    const double zHigh = flight::kMaxGeometric;
    auto y = [&](double z) { return plot.bottom() - (z - zLow) / (zHigh - zLow) * plot.height(); };
    QPainterPath temperature;
    QPainterPath pressure;
    for (int i = 0; i <= 182; ++i) {
        const double z = zLow + (zHigh - zLow) * i / 182.0;
        const auto s = std::get<flight::Atmosphere>(flight::atmosphere(z));
        const double xT = plot.left() + (s.T - 180.0) / (330.0 - 180.0) * plot.width();
        const double xp = plot.left() + (std::log10(s.p) + 1.0) / 6.5 * plot.width(); // 0.1 Pa .. 3e5 Pa
        if (i == 0) {
            temperature.moveTo(xT, y(z));
            pressure.moveTo(xp, y(z));
        } else {
            temperature.lineTo(xT, y(z));
            pressure.lineTo(xp, y(z));
        }
    }
    painter.setPen(QPen(QColor(200, 40, 40), 1.5));
    painter.drawPath(temperature);
    painter.setPen(QPen(QColor(40, 80, 200), 1.5));
    painter.drawPath(pressure);
    painter.setPen(palette().text().color());
    painter.drawText(QRectF(0, plot.top() - 4, 44, 16), Qt::AlignRight, "86 km");
    painter.drawText(QRectF(0, plot.bottom() - 12, 44, 16), Qt::AlignRight, "-5 km");
    painter.setPen(QColor(200, 40, 40));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 4, plot.width() / 2, 16), Qt::AlignLeft, "T");
    painter.setPen(QColor(40, 80, 200));
    painter.drawText(QRectF(plot.center().x(), plot.bottom() + 4, plot.width() / 2, 16), Qt::AlignRight, "p (log)");
    if (m_marked) {
        painter.setPen(QPen(palette().text().color(), 1, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), y(*m_marked)), QPointF(plot.right(), y(*m_marked)));
    }
}

FlightWindow::FlightWindow(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Form_Flight");
    setWindowTitle("Flight conditions");
    auto* inputs = new QGroupBox("Flight", this);
    inputs->setObjectName("Frame_Input");
    auto* grid = new QGridLayout(inputs);
    auto* altitudeLabel = new QLabel("Altitude", inputs);
    altitudeLabel->setObjectName("Label_Altitude");
    m_altitude = new QLineEdit("0", inputs);
    m_altitude->setObjectName("Text_Altitude");
    m_altitude->setToolTip(
        "Geometric altitude: a number in the unit system's length unit, or with a unit: 35000 ft, 11 km");
    auto* speed = new QGroupBox("Speed", inputs);
    speed->setObjectName("Frame_Speed");
    auto* units = new QGroupBox("Units", inputs);
    units->setObjectName("Frame_Units");
    m_mach = new QRadioButton("M", speed);
    m_mach->setObjectName("Option_Mach");
    m_mach->setChecked(true);
    m_speed = new QRadioButton("V (true)", speed);
    m_speed->setObjectName("Option_Speed");
    m_value = new QLineEdit("0.8", inputs);
    m_value->setObjectName("Text_Value");
    m_value->setToolTip("M, or V with an optional unit: 250 kn, 900 km/h");
    m_si = new QRadioButton("SI", units);
    m_si->setObjectName("Option_SI");
    m_si->setChecked(true);
    m_us = new QRadioButton("US", units);
    m_us->setObjectName("Option_US");
    auto* unitsLayout = new QHBoxLayout(units);
    unitsLayout->addWidget(m_si);
    unitsLayout->addWidget(m_us);
    auto* speedLayout = new QHBoxLayout(speed);
    speedLayout->addWidget(m_mach);
    speedLayout->addWidget(m_speed);
    grid->addWidget(altitudeLabel, 0, 0);
    grid->addWidget(m_altitude, 0, 1);
    grid->addWidget(speed, 1, 0, 1, 2);
    auto* valueLabel = new QLabel("M or V", inputs);
    valueLabel->setObjectName("Label_Value");
    grid->addWidget(valueLabel, 2, 0);
    grid->addWidget(m_value, 2, 1);
    grid->addWidget(units, 3, 0, 1, 2);
    m_command = new QPushButton("Calculate", inputs);
    m_command->setObjectName("Command_Calculate");
    m_copy = new QPushButton("Copy", inputs);
    m_copy->setObjectName("Command_Copy");
    m_copy->setEnabled(false);
    grid->addWidget(m_command, 4, 0);
    grid->addWidget(m_copy, 4, 1);

    auto* results = new QGroupBox("Results", this);
    results->setObjectName("Frame_Results");
    auto* resultGrid = new QGridLayout(results);
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        auto* label = new QLabel(kRows[i].name, results);
        label->setObjectName(QString("Label_%1").arg(kRows[i].name));
        auto* box = new QLineEdit(results);
        box->setObjectName(QString("Text_%1").arg(kRows[i].name));
        box->setReadOnly(true);
        const int row = static_cast<int>(i % 8);
        const int column = static_cast<int>(i / 8) * 2;
        resultGrid->addWidget(label, row, column);
        resultGrid->addWidget(box, row, column + 1);
        m_outputs.push_back(box);
    }
    m_status = new QLabel(this);
    m_status->setObjectName("Label_Status");
    m_status->setWordWrap(true);
    m_chart = new AtmosphereChart(this);

    auto* top = new QHBoxLayout;
    top->addWidget(inputs);
    top->addWidget(m_chart, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(results);
    layout->addWidget(m_status);

    connect(m_command, &QPushButton::clicked, this, &FlightWindow::calculate);
    connect(m_copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(copyText()); });
}

void FlightWindow::refuse(const QString& text)
{
    m_status->setText(text);
}

void FlightWindow::calculate()
{
    const flight::System system = m_us->isChecked() ? flight::System::US : flight::System::SI;
    const auto z = flight::readQuantity(m_altitude->text().toStdString(), flight::Quantity::Length, system);
    if (const auto* message = std::get_if<std::string>(&z))
        return refuse(QString::fromStdString("Altitude: " + *message));
    const auto atm = flight::atmosphere(std::get<double>(z));
    if (const auto* message = std::get_if<std::string>(&atm))
        return refuse(QString::fromStdString(*message));
    std::variant<double, std::string> value;
    if (m_mach->isChecked()) {
        bool ok = false;
        const double M = QLocale::c().toDouble(m_value->text().trimmed(), &ok);
        if (!ok || !std::isfinite(M))
            return refuse("M must be a number");
        value = M;
    } else {
        value = flight::readQuantity(m_value->text().toStdString(), flight::Quantity::Speed, system);
    }
    if (const auto* message = std::get_if<std::string>(&value))
        return refuse(QString::fromStdString("V: " + *message));
    const auto condition = flight::flightCondition(std::get<flight::Atmosphere>(atm),
        m_mach->isChecked() ? flight::Speed::Mach : flight::Speed::TrueAirspeed, std::get<double>(value));
    if (const auto* message = std::get_if<std::string>(&condition))
        return refuse(QString::fromStdString(*message));
    const auto& c = std::get<flight::FlightCondition>(condition);
    const std::array<double, 15> si { c.atm.z, c.atm.H, c.atm.T, c.atm.p, c.atm.rho, c.atm.a, c.atm.mu, c.atm.nu, c.M,
        c.V, c.T0, c.p0, c.q, c.p02, c.cas };
    m_shown.clear();
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const double shown = kRows[i].quantity ? flight::toSystem(si[i], *kRows[i].quantity, system) : si[i];
        m_shown.push_back(shown);
        const QString unit = kRows[i].quantity
            ? " " + QString::fromUtf8(flight::unitOf(*kRows[i].quantity, system).data())
            : QString();
        m_outputs[i]->setText(QString::number(shown, 'g', 6) + unit);
        m_outputs[i]->setToolTip(QString::number(shown, 'g', 17) + unit);
    }
    m_status->setText(QString());
    m_copy->setEnabled(true);
    m_chart->mark(c.atm.z);
}

QString FlightWindow::copyText() const
{
    if (m_shown.empty())
        return {};
    QStringList names;
    QStringList values;
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        names << kRows[i].name;
        values << QString::number(m_shown[i], 'g', 17);
    }
    return names.join('\t') + '\n' + values.join('\t') + '\n';
}
