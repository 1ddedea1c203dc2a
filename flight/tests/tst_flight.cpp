// flight_core: the standard atmosphere against the mpmath reference, the quoted reference points, the
// refusals outside the range, the pitot relations, the gases and the unit parser (values and refusals).
#include "atmosphere.h"
#include "condition.h"
#include "units.h"

#include <QFile>
#include <QTest>

#include <cmath>

namespace {

bool near(double value, double expected, double relative)
{
    return std::abs(value - expected) <= relative * std::abs(expected);
}

} // namespace

class TestFlight : public QObject {
    Q_OBJECT
private slots:
    void atmosphereReference_data()
    {
        QTest::addColumn<bool>("geometric");
        QTest::addColumn<double>("altitude");
        QTest::addColumn<QList<double>>("expected");
        QFile file(FLIGHT_REFERENCE);
        QVERIFY(file.open(QIODevice::ReadOnly));
        file.readLine();
        while (!file.atEnd()) {
            const QList<QByteArray> fields = file.readLine().trimmed().split('\t');
            QList<double> values;
            for (qsizetype i = 2; i < fields.size(); ++i)
                values.append(fields[i].toDouble());
            QTest::addRow("%s %s", fields[0].constData(), fields[1].constData())
                << (fields[0] == "geometric") << fields[1].toDouble() << values;
        }
    }
    void atmosphereReference()
    {
        QFETCH(bool, geometric);
        QFETCH(double, altitude);
        QFETCH(QList<double>, expected);
        const auto result = flight::atmosphere(
            altitude, geometric ? flight::AltitudeKind::Geometric : flight::AltitudeKind::Geopotential);
        QVERIFY(std::holds_alternative<flight::Atmosphere>(result));
        const auto& s = std::get<flight::Atmosphere>(result);
        const std::array got { s.z, s.H, s.T, s.p, s.rho, s.a, s.mu, s.nu };
        for (std::size_t i = 0; i < got.size(); ++i) {
            const double want = expected[static_cast<qsizetype>(i)];
            QVERIFY2(std::abs(got[i] - want) <= 1e-13 * std::max(1.0, std::abs(want)),
                qPrintable(QString("column %1: %2 against %3").arg(i).arg(got[i], 0, 'g', 17).arg(want, 0, 'g', 17)));
        }
    }

    void quotedPoints()
    {
        const auto tropopause
            = std::get<flight::Atmosphere>(flight::atmosphere(11000, flight::AltitudeKind::Geopotential));
        QCOMPARE(QString::number(tropopause.T, 'g', 5), QString("216.65"));
        QCOMPARE(QString::number(tropopause.p, 'f', 2), QString("22632.06"));
        QCOMPARE(QString::number(tropopause.rho, 'g', 7), QString("0.3639178"));
        QCOMPARE(QString::number(tropopause.a, 'g', 7), QString("295.0696"));
        const auto high = std::get<flight::Atmosphere>(flight::atmosphere(80000));
        QCOMPARE(QString::number(high.T, 'g', 7), QString("198.6386"));
        QCOMPARE(QString::number(high.p, 'g', 7), QString("1.052474"));
    }

    void outOfRange_data()
    {
        QTest::addColumn<double>("altitude");
        QTest::addColumn<bool>("geometric");
        QTest::addColumn<QString>("message");
        const QString geometric = "altitude must be from -5000 to 86000 m";
        const QString geopotential = "geopotential altitude must be from -5003.936 to 84852.046 m";
        QTest::newRow("below") << -5000.001 << true << geometric;
        QTest::newRow("above") << 86000.001 << true << geometric;
        QTest::newRow("nan") << std::nan("") << true << geometric;
        QTest::newRow("geopotential above") << 84852.05 << false << geopotential;
        QTest::newRow("geopotential below") << -5004.0 << false << geopotential;
    }
    void outOfRange()
    {
        QFETCH(double, altitude);
        QFETCH(bool, geometric);
        QFETCH(QString, message);
        const auto result = flight::atmosphere(
            altitude, geometric ? flight::AltitudeKind::Geometric : flight::AltitudeKind::Geopotential);
        QVERIFY(std::holds_alternative<std::string>(result));
        QCOMPARE(QString::fromStdString(std::get<std::string>(result)), message);
    }

    void pitotRoundTrip_data()
    {
        QTest::addColumn<double>("M");
        QTest::addColumn<double>("ratio"); // p02/p
        QTest::newRow("0.5") << 0.5 << std::pow(1.05, 3.5);
        QTest::newRow("1") << 1.0 << std::pow(1.2, 3.5);
        // Rayleigh's pitot formula at M 2.
        QTest::newRow("2") << 2.0 << std::pow(1.2 * 4, 3.5) * std::pow(2.4 / (2.8 * 4 - 0.4), 2.5);
    }
    void pitotRoundTrip()
    {
        QFETCH(double, M);
        QFETCH(double, ratio);
        QVERIFY(near(std::get<double>(flight::pitotRatio(1.4, M)), ratio, 1e-13));
        QVERIFY(near(std::get<double>(flight::machFromPitot(1.4, ratio)), M, 1e-12));
    }

    void flightCondition()
    {
        const auto atm = std::get<flight::Atmosphere>(flight::atmosphere(0));
        const auto c = std::get<flight::FlightCondition>(flight::flightCondition(atm, flight::Speed::Mach, 0.5));
        QVERIFY(near(c.V, 0.5 * atm.a, 1e-15));
        QVERIFY(near(c.q, 0.7 * atm.p * 0.25, 1e-13)); // q = gamma/2 p M^2
        QVERIFY(near(c.cas, c.V, 1e-12)); // at sea level the calibrated airspeed is the true one
        const auto back = std::get<flight::FlightCondition>(flight::fromPitotDifference(atm, c.p02 - atm.p));
        QVERIFY(near(back.M, 0.5, 1e-12));
        QVERIFY(std::holds_alternative<std::string>(flight::flightCondition(atm, flight::Speed::Mach, -1)));
    }

    void gasState()
    {
        const flight::Gas& air = *flight::gasNamed("air");
        const auto s = std::get<flight::GasState>(flight::stagnationState(air, 1e5, 300, 1.0));
        QVERIFY(near(s.T, 250.0, 1e-14));
        QVERIFY(near(s.a, std::sqrt(1.4 * 287.05 * 250.0), 1e-14));
        QVERIFY(near(s.massFlux, s.rho * s.V, 1e-15));
        QVERIFY(flight::gasNamed("He") != nullptr);
        QVERIFY(near(flight::gasNamed("N2")->R, 296.8, 1e-3));
        QVERIFY(flight::gasNamed("xenon") == nullptr);
        QVERIFY(
            near(flight::massFlow(air, 1e5, 300, 0.6847, 0.01), 0.6847 * 1e5 * 0.01 / std::sqrt(287.05 * 300), 1e-15));
    }

    void units_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<double>("si");
        using Q = flight::Quantity;
        QTest::newRow("psi") << "14.7 psi" << int(Q::Pressure) << 14.7 * 6894.757293168361;
        QTest::newRow("bar") << "10 bar" << int(Q::Pressure) << 1e6;
        QTest::newRow("inHg") << "29.92 inHg" << int(Q::Pressure) << 29.92 * 3386.388640341;
        QTest::newRow("psf") << "1 psf" << int(Q::Pressure) << 47.88025898033584;
        QTest::newRow("atm") << "1 atm" << int(Q::Pressure) << 101325.0;
        QTest::newRow("plain") << "500" << int(Q::Pressure) << 500.0;
        QTest::newRow("degC") << "-40 degC" << int(Q::Temperature) << 233.15;
        QTest::newRow("degF") << "-40 degF" << int(Q::Temperature) << 233.15;
        QTest::newRow("degR") << "518.67 degR" << int(Q::Temperature) << 288.15;
        QTest::newRow("kn") << "250 kn" << int(Q::Speed) << 250 * 1852.0 / 3600;
        QTest::newRow("mph") << "100 mph" << int(Q::Speed) << 44.704;
        QTest::newRow("km/h") << "36 km/h" << int(Q::Speed) << 10.0;
        QTest::newRow("ft") << "35000 ft" << int(Q::Length) << 10668.0;
        QTest::newRow("slug/ft3") << "1 slug/ft3" << int(Q::Density) << 515.3788183931961;
        QTest::newRow("lbf*s/ft2") << "1 lbf*s/ft2" << int(Q::Viscosity) << 47.88025898033584;
    }
    void units()
    {
        QFETCH(QString, text);
        QFETCH(int, quantity);
        QFETCH(double, si);
        const auto result = flight::readQuantity(text.toStdString(), static_cast<flight::Quantity>(quantity));
        QVERIFY2(std::holds_alternative<double>(result),
            std::holds_alternative<std::string>(result) ? std::get<std::string>(result).c_str() : "");
        QVERIFY2(
            near(std::get<double>(result), si, 1e-12), qPrintable(QString::number(std::get<double>(result), 'g', 17)));
    }

    void unitRefusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QString>("message");
        using Q = flight::Quantity;
        QTest::newRow("mass as pressure")
            << "3 kg" << int(Q::Pressure) << "\"3 kg\" is not a pressure: give a unit such as kPa, bar or psi";
        QTest::newRow("pressure as temperature")
            << "3 bar" << int(Q::Temperature) << "\"3 bar\" is not a temperature: give a unit such as K, degC or degF";
        QTest::newRow("unknown") << "3 furlongz" << int(Q::Length)
                                 << "unknown unit \"furlongz\" for a length: give a unit such as m, km or ft";
        QTest::newRow("no number") << "psi" << int(Q::Pressure)
                                   << "\"psi\" is not a pressure (a number and a unit such as kPa, bar or psi)";
        QTest::newRow("nan") << "nan Pa" << int(Q::Pressure)
                             << "\"nan Pa\" is not a pressure (a number and a unit such as kPa, bar or psi)";
    }
    void unitRefusals()
    {
        QFETCH(QString, text);
        QFETCH(int, quantity);
        QFETCH(QString, message);
        const auto result = flight::readQuantity(text.toStdString(), static_cast<flight::Quantity>(quantity));
        QVERIFY(std::holds_alternative<std::string>(result));
        QCOMPARE(QString::fromStdString(std::get<std::string>(result)), message);
    }

    void usSystem()
    {
        QVERIFY(near(flight::toSystem(10668.0, flight::Quantity::Length, flight::System::US), 35000.0, 1e-14));
        QVERIFY(near(std::get<double>(flight::readQuantity("35000", flight::Quantity::Length, flight::System::US)),
            10668.0, 1e-14));
    }
};

QTEST_APPLESS_MAIN(TestFlight)
#include "tst_flight.moc"
