// The program's identity as the desktop sees it: its desktop file name, and the icon drawn for it on the main
// window, on every sub-window and on the About window instead of the toolkit's logo.
#include "application.h"
#include "main_window.h"

#include <QMdiSubWindow>
#include <QtTest>

class TestApplication : public QObject {
    Q_OBJECT

private:
    static void verifyShowsTheProgramIcon(const QWidget* widget)
    {
        QVERIFY(widget);
        QVERIFY2(!widget->windowIcon().isNull(), qPrintable(widget->objectName()));
        QVERIFY2(
            widget->windowIcon().cacheKey() == QApplication::windowIcon().cacheKey(), qPrintable(widget->objectName()));
    }

private slots:
    void initTestCase() { flowcalc::setUpApplication(); }

    void desktopFileNameIsTheApplicationId()
    {
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("io.github.flowcalc.flowcalc"));
    }

    void iconHasEveryThemeSize()
    {
        const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        QCOMPARE(sizes,
            (QList<QSize> {
                QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64), QSize(128, 128), QSize(256, 256) }));
        // Drawn, not blank: the corner is transparent, the middle is not.
        const QImage image = QApplication::windowIcon().pixmap(QSize(64, 64)).toImage();
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(32, 32)), 255);
    }

    void everyWindowShowsTheProgramIcon()
    {
        MainWindow window([](QWidget*, const QString&) {});
        window.show();
        verifyShowsTheProgramIcon(&window);
        for (const char* name : { "Form_Properties", "Form_IseFlow", "Form_HeatFlo", "Form_FricFlo", "Form_NmShock",
                 "Form_OblShock", "Form_ExpWave" })
            verifyShowsTheProgramIcon(window.subWindow(QString::fromLatin1(name)));
        window.showAbout();
        QVERIFY(window.aboutWindow()->isWindow());
        verifyShowsTheProgramIcon(window.aboutWindow());
    }

    void reopenedSubWindowShowsTheProgramIcon()
    {
        MainWindow window([](QWidget*, const QString&) {});
        window.show();
        window.subWindow(QStringLiteral("Form_NmShock"))->close();
        QCoreApplication::processEvents();
        window.reopen(QStringLiteral("Form_NmShock"));
        verifyShowsTheProgramIcon(window.subWindow(QStringLiteral("Form_NmShock")));
    }
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
