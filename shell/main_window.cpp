#include "main_window.h"

#include "expansion_wave_window.h"
#include "fanno_window.h"
#include "isentropic_window.h"
#include "normal_shock_window.h"
#include "oblique_shock_window.h"
#include "properties_window.h"
#include "rayleigh_window.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <functional>

using common::twips;

// One child window of the main window: how to make it and where it stands.
struct MainWindow::Child {
    QString name;
    int top; // twips, the same at start-up and on re-opening
    int menuWidth; // twips, the width a menu re-open gives it (0: no menu item)
    const char* menuItem;
    const char* menuCaption;
    std::function<QWidget*()> make;
    QPointer<QMdiSubWindow> sub {};
};

MainWindow::MainWindow(common::MessageSink messages, QWidget* parent)
    : QMainWindow(parent)
    , m_messages(std::move(messages))
{
    setObjectName("MDIForm1");
    setWindowTitle(QString::fromUtf8(common::kApplicationTitle));
    m_area = new QMdiArea(this);
    m_area->setObjectName("MDIClient");
    setCentralWidget(m_area);

    auto gamma = [this] { return gammaText(); };
    m_children = {
        { "Form_Properties", 0, 0, nullptr, nullptr, [] { return new PropertiesWindow; } },
        { "Form_IseFlow", 1400, 8000, "Mn_IseFlow", "Isentropic flow",
            [this, gamma] { return new IsentropicWindow(gamma, m_messages); } },
        { "Form_HeatFlo", 2800, 8000, "Mn_HeatFlo", "1D Flow with Heat Addition",
            [this, gamma] { return new RayleighWindow(gamma, m_messages); } },
        { "Form_FricFlo", 4200, 8000, "Mn_FricFlo", "1D Flow with Friction",
            [this, gamma] { return new FannoWindow(gamma, m_messages); } },
        { "Form_NmShock", 5600, 7500, "Mn_NmShock", "Normal Shock",
            [this, gamma] { return new NormalShockWindow(gamma, m_messages); } },
        { "Form_OblShock", 7000, 7500, "Mn_OblShock", "Oblique Shock",
            [this, gamma] { return new ObliqueShockWindow(gamma, m_messages); } },
        { "Form_ExpWave", 8400, 8000, "Mn_ExpWave", "Expansion Wave",
            [this, gamma] { return new ExpansionWaveWindow(gamma, m_messages); } },
    };

    // The menu lists the calculators in this order.
    QMenu* open = menuBar()->addMenu("open");
    open->setObjectName("Mn_Open");
    for (const char* item : { "Mn_IseFlow", "Mn_NmShock", "Mn_HeatFlo", "Mn_FricFlo", "Mn_OblShock", "Mn_ExpWave" }) {
        for (const Child& child : m_children) {
            if (child.menuItem && QString(child.menuItem) == item) {
                QAction* action = open->addAction(QString::fromUtf8(child.menuCaption));
                action->setObjectName(item);
                const QString name = child.name;
                connect(action, &QAction::triggered, this, [this, name] { reopen(name); });
            }
        }
    }
    QAction* about = menuBar()->addAction("About");
    about->setObjectName("Mn_About");
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);

    // Start-up placement: the main window, then every child as a strip 7100 wide and 1400 high.
    resize(twips(7270), height());
    move(twips(5000), 0);
    resize(width(), twips(10550));
    for (Child& child : m_children)
        place(ensureOpen(child), 7100, child.top);
}

MainWindow::~MainWindow()
{
    if (m_about)
        delete m_about.data();
}

QMdiSubWindow* MainWindow::ensureOpen(Child& child)
{
    if (child.sub && child.sub->isHidden())
        child.sub = nullptr; // closed by the user; deleted once control returns to the event loop
    if (!child.sub) {
        QWidget* window = child.make();
        child.sub = m_area->addSubWindow(window);
        child.sub->setAttribute(Qt::WA_DeleteOnClose);
        child.sub->setObjectName(child.name + "_SubWindow");
    }
    child.sub->show();
    return child.sub;
}

void MainWindow::place(QMdiSubWindow* sub, int width, int top)
{
    sub->resize(twips(width), twips(1400));
    sub->move(0, twips(top));
}

QString MainWindow::gammaText()
{
    Child& properties = m_children.front();
    const bool existed = properties.sub && !properties.sub->isHidden();
    QMdiSubWindow* sub = ensureOpen(properties);
    if (!existed)
        sub->resize(sub->sizeHint()); // a new child at the place and design size the area gives it
    return sub->widget()->findChild<QLineEdit*>("Text_Gama")->text();
}

QMdiSubWindow* MainWindow::subWindow(const QString& windowName) const
{
    for (const Child& child : m_children) {
        if (child.name == windowName)
            return child.sub;
    }
    return nullptr;
}

void MainWindow::reopen(const QString& windowName)
{
    for (Child& child : m_children) {
        if (child.name == windowName && child.menuWidth > 0) {
            QMdiSubWindow* sub = ensureOpen(child);
            place(sub, child.menuWidth, child.top);
            m_area->setActiveSubWindow(sub);
        }
    }
}

void MainWindow::showAbout()
{
    if (!m_about)
        m_about = new AboutWindow;
    m_about->show();
    m_about->raise();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_about)
        m_about->close();
    QMainWindow::closeEvent(event);
}
