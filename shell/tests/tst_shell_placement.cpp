// Every window the `open` menu opens below its separator opens whole inside the area's view, at least at its
// least size, and off the gas property strip it reads.
#include "main_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QtTest>

class TestShellPlacement : public QObject {
    Q_OBJECT

private slots:
    void menuWindowOpensWhole_data();
    void menuWindowOpensWhole();
};

namespace {

// The objectNames of the menu items below the separator of the `open` menu.
QStringList menuOnlyItems(const MainWindow& window)
{
    QStringList names;
    bool below = false;
    for (QAction* action : window.findChild<QMenu*>("Mn_Open")->actions()) {
        if (action->isSeparator())
            below = true;
        else if (below)
            names << action->objectName();
    }
    return names;
}

} // namespace

void TestShellPlacement::menuWindowOpensWhole_data()
{
    QTest::addColumn<QString>("item");
    const MainWindow window([](QWidget*, const QString&) {});
    for (const QString& name : menuOnlyItems(window))
        QTest::newRow(qPrintable(name)) << name;
    QVERIFY(!menuOnlyItems(window).isEmpty());
}

void TestShellPlacement::menuWindowOpensWhole()
{
    QFETCH(QString, item);
    MainWindow window([](QWidget*, const QString&) {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto* area = window.findChild<QMdiArea*>("MDIClient");
    const QList<QMdiSubWindow*> before = area->subWindowList();
    window.findChild<QAction*>(item)->trigger();
    QCoreApplication::processEvents();
    QMdiSubWindow* opened = area->activeSubWindow();
    QVERIFY(opened);
    QVERIFY(!before.contains(opened));
    const QRect view = area->viewport()->rect();
    QVERIFY2(view.contains(opened->geometry()),
        qPrintable(QString("%1 at %2,%3 %4x%5 outside the view %6x%7")
                       .arg(item)
                       .arg(opened->x())
                       .arg(opened->y())
                       .arg(opened->width())
                       .arg(opened->height())
                       .arg(view.width())
                       .arg(view.height())));
    const QMdiSubWindow* strip = window.subWindow("Form_Properties");
    QVERIFY(strip);
    QVERIFY(!opened->geometry().intersects(strip->frameGeometry()));
    const QSize least = opened->minimumSizeHint().expandedTo(opened->minimumSize());
    QVERIFY(opened->width() >= least.width());
    QVERIFY(opened->height() >= least.height());
}

QTEST_MAIN(TestShellPlacement)
#include "tst_shell_placement.moc"
