#include "main_window.h"

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QtTest>

#include <memory>

namespace {

// Twips at the test screen's DPI, written out so the test does not lean on the code's own conversion.
int px(int twips)
{
    return qRound(twips * QGuiApplication::primaryScreen()->logicalDotsPerInch() / 1440.0);
}

// What a user sees of a child window: its boxes, options and button.
QStringList seen(QWidget* window)
{
    QStringList seen;
    for (QLineEdit* box : window->findChildren<QLineEdit*>())
        seen << box->objectName() + "|" + box->text() + (box->isVisibleTo(window) ? "|shown" : "|hidden");
    for (QRadioButton* option : window->findChildren<QRadioButton*>())
        seen << option->objectName() + (option->isChecked() ? " chosen" : "");
    for (QPushButton* button : window->findChildren<QPushButton*>())
        seen << button->objectName() + "|" + button->text();
    return seen;
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpStacksTheStrips_data();
    void startUpStacksTheStrips();
    void menuHasTheDocumentedItems();
    void reopeningAnOpenWindowKeepsItsStateAndWidens();
    void menuReopenGivesEachWindowItsWidth_data();
    void menuReopenGivesEachWindowItsWidth();
    void reopeningAClosedWindowStartsAfresh();
    void aboutIsASingleInstance();
    void gammaEditTakesEffectAtTheNextPress();
    void closedGasWindowComesBackWithItsDefault();
    void reopenedWindowIsANewFormInTheSameFrame_data();
    void reopenedWindowIsANewFormInTheSameFrame();
    void gasWindowComesBackAtItsDesignSizeWhereANewChildGoes();
    void badGammaIsRefusedInTheCalculator();
    void menuOnlyWindowsOpenFromTheMenu_data();
    void menuOnlyWindowsOpenFromTheMenu();
    void chartsMarkTheSolversAnswerAndFollowGamma();

private:
    QWidget* window(const char* name) const
    {
        QMdiSubWindow* sub = m_main->subWindow(name);
        return sub ? sub->widget() : nullptr;
    }
    QAction* action(const char* name) const { return m_main->findChild<QAction*>(name); }
    void pressIsentropicM(const QString& typed)
    {
        QWidget* w = window("Form_IseFlow");
        QTest::mouseClick(w->findChild<QRadioButton*>("Option_M"), Qt::LeftButton);
        QTest::keyClicks(w->findChild<QLineEdit*>("Text_M"), typed);
        QTest::mouseClick(w->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QStringList m_messages;
    std::unique_ptr<MainWindow> m_main;
};

void TestShell::init()
{
    m_messages.clear();
    m_main = std::make_unique<MainWindow>([this](QWidget*, const QString& text) { m_messages << text; });
    m_main->show();
}

void TestShell::cleanup()
{
    m_main.reset();
    settle();
}

void TestShell::startUpStacksTheStrips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("top");
    QTest::newRow("gas properties") << "Form_Properties" << 0;
    QTest::newRow("isentropic") << "Form_IseFlow" << 1400;
    QTest::newRow("heat addition") << "Form_HeatFlo" << 2800;
    QTest::newRow("friction") << "Form_FricFlo" << 4200;
    QTest::newRow("normal shock") << "Form_NmShock" << 5600;
    QTest::newRow("oblique shock") << "Form_OblShock" << 7000;
    QTest::newRow("expansion wave") << "Form_ExpWave" << 8400;
}

void TestShell::startUpStacksTheStrips()
{
    QFETCH(QString, name);
    QFETCH(int, top);
    QMdiSubWindow* sub = m_main->subWindow(name);
    QVERIFY(sub);
    QCOMPARE(sub->widget()->objectName(), name);
    QCOMPARE(sub->geometry(), QRect(0, px(top), px(7100), px(1400)));
    QCOMPARE(m_main->objectName(), QString("MDIForm1"));
    QCOMPARE(m_main->windowTitle(), QString("Compressible Flow Calculator"));
}

void TestShell::menuHasTheDocumentedItems()
{
    auto* open = m_main->findChild<QMenu*>("Mn_Open");
    QVERIFY(open);
    QCOMPARE(open->title(), QString("open"));
    QStringList captions;
    for (QAction* item : open->actions())
        captions << item->objectName() + "=" + item->text();
    // The six calculators in their order, then below a separator the windows opened from the menu only.
    QCOMPARE(captions,
        QStringList({ "Mn_IseFlow=Isentropic flow", "Mn_NmShock=Normal Shock", "Mn_HeatFlo=1D Flow with Heat Addition",
            "Mn_FricFlo=1D Flow with Friction", "Mn_OblShock=Oblique Shock", "Mn_ExpWave=Expansion Wave", "=",
            "Mn_Solver=Flow solver", "Mn_Tables=Gas tables", "Mn_Charts=Charts", "Mn_Flight=Flight conditions" }));
    QVERIFY(open->actions().at(6)->isSeparator());
    QCOMPARE(action("Mn_About")->text(), QString("About"));
    QCOMPARE(window("Form_Properties")->findChild<QLineEdit*>("Text_Gama")->text(), QString("1.4"));
    QCOMPARE(window("Form_Properties")->findChild<QLabel*>("Label2")->text(), QString::fromUtf8("γ ="));
}

void TestShell::reopeningAnOpenWindowKeepsItsStateAndWidens()
{
    pressIsentropicM("2");
    action("Mn_IseFlow")->trigger();
    QMdiSubWindow* sub = m_main->subWindow("Form_IseFlow");
    QCOMPARE(sub->geometry(), QRect(0, px(1400), px(8000), px(1400)));
    QCOMPARE(sub->widget()->findChild<QLineEdit*>("Text_PoP")->text(), QString("7.8244"));
}

void TestShell::menuReopenGivesEachWindowItsWidth_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("top");
    QTest::newRow("heat addition") << "Mn_HeatFlo"
                                   << "Form_HeatFlo" << 8000 << 2800;
    QTest::newRow("friction") << "Mn_FricFlo"
                              << "Form_FricFlo" << 8000 << 4200;
    QTest::newRow("normal shock") << "Mn_NmShock"
                                  << "Form_NmShock" << 7500 << 5600;
    QTest::newRow("oblique shock") << "Mn_OblShock"
                                   << "Form_OblShock" << 7500 << 7000;
    QTest::newRow("expansion wave") << "Mn_ExpWave"
                                    << "Form_ExpWave" << 8000 << 8400;
}

void TestShell::menuReopenGivesEachWindowItsWidth()
{
    QFETCH(QString, item);
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, top);
    QWidget* before = window(name.toUtf8().constData());
    action(item.toUtf8().constData())->trigger();
    QCOMPARE(m_main->subWindow(name)->geometry(), QRect(0, px(top), px(width), px(1400)));
    QCOMPARE(window(name.toUtf8().constData()), before);
    m_main->subWindow(name)->close();
    settle();
    action(item.toUtf8().constData())->trigger();
    QVERIFY(window(name.toUtf8().constData()));
    QCOMPARE(window(name.toUtf8().constData())->objectName(), name);
    QCOMPARE(m_main->subWindow(name)->geometry(), QRect(0, px(top), px(width), px(1400)));
}

void TestShell::reopeningAClosedWindowStartsAfresh()
{
    pressIsentropicM("2");
    m_main->subWindow("Form_IseFlow")->close();
    settle();
    QVERIFY(!m_main->subWindow("Form_IseFlow"));
    action("Mn_IseFlow")->trigger();
    QMdiSubWindow* sub = m_main->subWindow("Form_IseFlow");
    QVERIFY(sub);
    QCOMPARE(sub->geometry(), QRect(0, px(1400), px(8000), px(1400)));
    QWidget* w = sub->widget();
    QCOMPARE(w->findChild<QPushButton*>("Command1")->text(), QString("Choose an input option"));
    QVERIFY(!w->findChild<QRadioButton*>("Option_M")->isChecked());
    QVERIFY(w->findChild<QLineEdit*>("Text_M")->isHidden());
}

void TestShell::aboutIsASingleInstance()
{
    action("Mn_About")->trigger();
    QWidget* first = m_main->aboutWindow();
    QVERIFY(first && first->isVisible());
    QCOMPARE(first->objectName(), QString("Form_About"));
    QCOMPARE(first->windowTitle(), QString("About"));
    QVERIFY(first->isWindow());
    QCOMPARE(first->findChild<QLabel*>("Label1")->text(), QString("Kelmarin"));
    QCOMPARE(first->findChild<QLabel*>("Label8")->text(), QString("Last update: May 2007"));
    action("Mn_About")->trigger();
    QCOMPARE(m_main->aboutWindow(), first);
    first->close();
    settle();
    QVERIFY(!m_main->aboutWindow());
    action("Mn_About")->trigger();
    QVERIFY(m_main->aboutWindow());
}

void TestShell::gammaEditTakesEffectAtTheNextPress()
{
    pressIsentropicM("3");
    QLineEdit* gama = window("Form_Properties")->findChild<QLineEdit*>("Text_Gama");
    gama->clear();
    QTest::keyClicks(gama, "1.3");
    QLineEdit* pop = window("Form_IseFlow")->findChild<QLineEdit*>("Text_PoP");
    QCOMPARE(pop->text(), QString("36.7327"));
    QTest::mouseClick(window("Form_IseFlow")->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QCOMPARE(pop->text(), QString("40.5472"));
}

void TestShell::closedGasWindowComesBackWithItsDefault()
{
    QLineEdit* gama = window("Form_Properties")->findChild<QLineEdit*>("Text_Gama");
    gama->setText("1.3");
    m_main->subWindow("Form_Properties")->close();
    settle();
    QVERIFY(!m_main->subWindow("Form_Properties"));
    pressIsentropicM("2");
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(window("Form_IseFlow")->findChild<QLineEdit*>("Text_PoP")->text(), QString("7.8244"));
    QMdiSubWindow* back = m_main->subWindow("Form_Properties");
    QVERIFY(back && back->isVisible());
    QCOMPARE(back->widget()->findChild<QLineEdit*>("Text_Gama")->text(), QString("1.4"));
}

void TestShell::reopenedWindowIsANewFormInTheSameFrame_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("item"); // empty: brought back by a press
    QTest::addColumn<QString>("option"); // clicked before closing, so the old form is not in its initial state
    QTest::newRow("isentropic") << "Form_IseFlow"
                                << "Mn_IseFlow"
                                << "Option_M";
    QTest::newRow("heat addition") << "Form_HeatFlo"
                                   << "Mn_HeatFlo"
                                   << "Option_ToToStar";
    QTest::newRow("friction") << "Form_FricFlo"
                              << "Mn_FricFlo"
                              << "Option_FLD4";
    QTest::newRow("normal shock") << "Form_NmShock"
                                  << "Mn_NmShock"
                                  << "Option_M2";
    QTest::newRow("oblique shock") << "Form_OblShock"
                                   << "Mn_OblShock"
                                   << "Option_Teta";
    QTest::newRow("expansion wave") << "Form_ExpWave"
                                    << "Mn_ExpWave"
                                    << "Option_M1";
    QTest::newRow("gas properties") << "Form_Properties"
                                    << ""
                                    << "";
}

void TestShell::reopenedWindowIsANewFormInTheSameFrame()
{
    QFETCH(QString, name);
    QFETCH(QString, item);
    QFETCH(QString, option);
    auto* area = m_main->findChild<QMdiArea*>();
    const qsizetype frames = area->subWindowList().size();
    QMdiSubWindow* sub = m_main->subWindow(name);
    QPointer<QWidget> old = sub->widget();
    const QStringList initial = seen(old);
    if (option.isEmpty())
        old->findChild<QLineEdit*>("Text_Gama")->setText("1.3");
    else
        QTest::mouseClick(old->findChild<QRadioButton*>(option), Qt::LeftButton);
    QVERIFY(seen(old) != initial);

    sub->close();
    settle();
    QVERIFY(old.isNull());
    QVERIFY(!m_main->subWindow(name));
    QVERIFY(sub->isHidden());
    QVERIFY(!sub->isEnabled()); // takes no focus while closed
    QVERIFY(area->activeSubWindow() != sub);

    if (item.isEmpty())
        pressIsentropicM("2");
    else
        action(item.toUtf8().constData())->trigger();
    QCOMPARE(m_main->subWindow(name), sub);
    QVERIFY(sub->isVisible() && sub->isEnabled());
    QCOMPARE(area->subWindowList().size(), frames);
    QWidget* fresh = sub->widget();
    QVERIFY(fresh);
    QCOMPARE(fresh->objectName(), name);
    QCOMPARE(sub->objectName(), name + "_SubWindow");
    QCOMPARE(seen(fresh), initial);
}

void TestShell::gasWindowComesBackAtItsDesignSizeWhereANewChildGoes()
{
    action("Mn_IseFlow")->trigger(); // strips of two widths
    m_main->subWindow("Form_Properties")->close();
    settle();
    // Where the area itself puts a new child of the gas window's design size (7140 x 1215 inside the frame).
    auto* area = m_main->findChild<QMdiArea*>();
    QMdiSubWindow* strip = m_main->subWindow("Form_IseFlow");
    const QSize design(px(7140), px(1215));
    auto* probe = new QMdiSubWindow;
    probe->setWidget(new QWidget);
    probe->resize(design + strip->size() - strip->widget()->size());
    area->addSubWindow(probe);
    probe->show();
    const QRect expected = probe->geometry();
    delete probe;

    pressIsentropicM("2");
    QMdiSubWindow* back = m_main->subWindow("Form_Properties");
    QCOMPARE(back->widget()->size(), design);
    QCOMPARE(back->geometry(), expected);
}

void TestShell::badGammaIsRefusedInTheCalculator()
{
    window("Form_Properties")->findChild<QLineEdit*>("Text_Gama")->setText("0.9");
    pressIsentropicM("2");
    QCOMPARE(m_messages, QStringList { "Gamma must be greater than 1" });
    QVERIFY(window("Form_IseFlow")->findChild<QLineEdit*>("Text_PoP")->isHidden());
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"

void TestShell::menuOnlyWindowsOpenFromTheMenu_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("flow solver") << "Mn_Solver"
                                 << "Form_Solver"
                                 << "Flow solver";
    QTest::newRow("gas tables") << "Mn_Tables"
                                << "Form_Tables"
                                << "Gas tables";
    QTest::newRow("charts") << "Mn_Charts"
                            << "Form_Charts"
                            << "Charts";
    QTest::newRow("flight conditions") << "Mn_Flight"
                                       << "Form_Flight"
                                       << "Flight conditions";
}

void TestShell::menuOnlyWindowsOpenFromTheMenu()
{
    QFETCH(QString, item);
    QFETCH(QString, name);
    QFETCH(QString, title);
    QVERIFY(!m_main->subWindow(name)); // never at start-up
    const int frames = m_main->findChild<QMdiArea*>()->subWindowList().size();
    action(item.toUtf8().constData())->trigger();
    QMdiSubWindow* sub = m_main->subWindow(name);
    QVERIFY(sub);
    QCOMPARE(sub->widget()->objectName(), name);
    QCOMPARE(sub->widget()->windowTitle(), title);
    QCOMPARE(m_main->findChild<QMdiArea*>()->activeSubWindow(), sub);
    // Opened at a size its controls fit in, side by side, without overlapping.
    QVERIFY(sub->widget()->width() >= sub->widget()->minimumSizeHint().width());
    QVERIFY(sub->widget()->height() >= sub->widget()->minimumSizeHint().height());
    QCOMPARE(m_main->subWindow("Form_IseFlow")->geometry(), QRect(0, px(1400), px(7100), px(1400))); // strips stay

    QPointer<QWidget> first = sub->widget();
    sub->close();
    settle();
    QVERIFY(!m_main->subWindow(name));
    QVERIFY(first.isNull());
    action(item.toUtf8().constData())->trigger();
    QCOMPARE(m_main->subWindow(name), sub); // the same frame, a new form
    QVERIFY(sub->widget() && sub->widget() != first);
    QCOMPARE(m_main->findChild<QMdiArea*>()->subWindowList().size(), frames + 1);
}

void TestShell::chartsMarkTheSolversAnswerAndFollowGamma()
{
    action("Mn_Solver")->trigger();
    QWidget* solver = window("Form_Solver");
    QCOMPARE(solver->findChild<QComboBox*>("Combo_Flow")->currentText(), QString("Isentropic flow"));
    auto* value = solver->findChild<QLineEdit*>("Text_Value1");
    value->clear();
    QTest::keyClicks(value, "2");
    QTest::mouseClick(solver->findChild<QPushButton*>("Command1"), Qt::LeftButton);

    // Opened after the answer, the charts show it on the isentropic chart.
    action("Mn_Charts")->trigger();
    QWidget* charts = window("Form_Charts");
    auto marked = [charts]() -> QList<QPointF> {
        for (QAbstractSeries* series : charts->findChild<QChartView*>("View_Chart")->chart()->series()) {
            if (series->name().startsWith("last answer"))
                return static_cast<QScatterSeries*>(series)->points();
        }
        return {};
    };
    QVERIFY2(!marked().isEmpty(), qPrintable(solver->findChild<QLabel*>("Label_Status")->text()));
    QCOMPARE(marked().first().x(), 2.0);
    const QString titleBefore = charts->findChild<QChartView*>("View_Chart")->chart()->title();

    // A gamma edit redraws the open chart; a new answer moves the mark.
    auto* gama = window("Form_Properties")->findChild<QLineEdit*>("Text_Gama");
    gama->selectAll();
    QTest::keyClicks(gama, "1.3");
    QVERIFY(charts->findChild<QChartView*>("View_Chart")->chart()->title() != titleBefore);
    value->clear();
    QTest::keyClicks(value, "3");
    QTest::mouseClick(solver->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QCOMPARE(marked().first().x(), 3.0);
    pressIsentropicM("2.5"); // a strip's answer too
    QCOMPARE(marked().first().x(), 2.5);
}
