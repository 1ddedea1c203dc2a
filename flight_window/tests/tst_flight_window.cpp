// The flight-conditions window driven as a user would: type, choose, press, read the boxes.
#include "flight_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestFlightWindow : public QObject {
    Q_OBJECT
private slots:
    void pressShowsTheConditionAndRefusesBadInput_data()
    {
        QTest::addColumn<QString>("altitude");
        QTest::addColumn<bool>("speed");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("us");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("status");
        QTest::newRow("tropopause") << "11000" << false << "0.8" << false << "Text_T"
                                    << "216.774 K"
                                    << "";
        QTest::newRow("feet") << "35000 ft" << false << "0.8" << true << "Text_z"
                              << "35000 ft"
                              << "";
        QTest::newRow("knots") << "0" << true << "250 kn" << false << "Text_V"
                               << "128.611 m/s"
                               << "";
        QTest::newRow("too high") << "90 km" << false << "0.8" << false << "Text_T"
                                  << ""
                                  << "altitude must be from -5000 to 86000 m";
        QTest::newRow("wrong unit") << "0" << true << "3 kg" << false << "Text_V"
                                    << ""
                                    << "V: \"3 kg\" is not a speed: give a unit such as m/s, km/h or kn";
    }
    void pressShowsTheConditionAndRefusesBadInput()
    {
        QFETCH(QString, altitude);
        QFETCH(bool, speed);
        QFETCH(QString, value);
        QFETCH(bool, us);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, status);
        FlightWindow window;
        window.show();
        auto* altitudeBox = window.findChild<QLineEdit*>("Text_Altitude");
        altitudeBox->clear();
        QTest::keyClicks(altitudeBox, altitude);
        // On the button's circle, as a user clicks it (the middle of a stretched button is empty space).
        auto clickOption = [&](const char* name) {
            auto* option = window.findChild<QRadioButton*>(name);
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
        };
        clickOption(speed ? "Option_Speed" : "Option_Mach");
        if (us)
            clickOption("Option_US");
        auto* valueBox = window.findChild<QLineEdit*>("Text_Value");
        valueBox->clear();
        QTest::keyClicks(valueBox, value);
        QTest::mouseClick(window.findChild<QPushButton*>("Command_Calculate"), Qt::LeftButton);
        QCOMPARE(window.findChild<QLineEdit*>(box)->text(), text);
        QCOMPARE(window.findChild<QLabel*>("Label_Status")->text(), status);
        QCOMPARE(window.findChild<QPushButton*>("Command_Copy")->isEnabled(), status.isEmpty());
        if (status.isEmpty())
            QVERIFY(window.copyText().startsWith("z\tH\tT\tp\t"));
    }
};

QTEST_MAIN(TestFlightWindow)
#include "tst_flight_window.moc"
