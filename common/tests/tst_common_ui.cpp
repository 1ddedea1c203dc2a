#include "calculator_form.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestCommonUi : public QObject {
    Q_OBJECT

private slots:
    void twipsMapFifteenToAPixelAt96Dpi();
    void messageBoxIsModalWithOkOnlyAndTheApplicationTitle();
};

void TestCommonUi::twipsMapFifteenToAPixelAt96Dpi()
{
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
    QCOMPARE(common::twips(1440), qRound(dpi));
    if (qFuzzyCompare(dpi, 96.0)) {
        QCOMPARE(common::twips(1400), 93);
        QCOMPARE(common::twipsRect(120, 480, 615, 285), QRect(8, 32, 41, 19));
    }
}

void TestCommonUi::messageBoxIsModalWithOkOnlyAndTheApplicationTitle()
{
    QString seenText;
    QString seenTitle;
    bool okOnly = false;
    bool modal = false;
    // Reads and closes the box once it is up; a watchdog fails the test instead of hanging on it.
    QTimer closer;
    closer.setInterval(20);
    connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seenText = box->text();
        seenTitle = box->windowTitle();
        okOnly = box->buttons().size() == 1 && box->standardButtons() == QMessageBox::Ok;
        modal = box->isModal();
        box->button(QMessageBox::Ok)->click();
    });
    bool watchdogFired = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [&] {
        watchdogFired = true;
        if (QWidget* stray = QApplication::activeModalWidget())
            stray->close();
    });
    closer.start();
    watchdog.start(5000);
    common::showMessageBox(nullptr, "M must be greater then 0");
    QVERIFY(!watchdogFired);
    QCOMPARE(seenText, QString("M must be greater then 0"));
    QCOMPARE(seenTitle, QString("Compressible Flow Calculator"));
    QVERIFY(okOnly);
    QVERIFY(modal);
}

QTEST_MAIN(TestCommonUi)
#include "tst_common_ui.moc"
