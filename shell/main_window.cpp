#include "main_window.h"

#include "charts_window.h"
#include "expansion_wave_window.h"
#include "fanno_window.h"
#include "flight_window.h"
#include "isentropic_window.h"
#include "normal_shock_window.h"
#include "oblique_shock_window.h"
#include "properties_window.h"
#include "rayleigh_window.h"
#include "solver_window.h"
#include "tables_window.h"

#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>
#include <functional>
#include <utility>

using common::twips;

namespace {

// The frame of a child window. Closing it closes the form and hides the frame as usual; the form is then
// deleted, and the frame stays in the area, hidden and disabled (so it cannot take the focus), until the
// window is opened again with a new form. The area never adds or removes a frame after the first opening:
// adding and removing sub-windows costs the toolkit memory that it does not give back.
class ChildFrame : public QMdiSubWindow {
protected:
    void closeEvent(QCloseEvent* event) override
    {
        QMdiSubWindow::closeEvent(event);
        if (!event->isAccepted())
            return;
        if (QWidget* form = widget())
            form->deleteLater();
        setEnabled(false);
    }
};

// A form put into a kept frame joins the focus chain at the end of the main window's; bring its controls
// back right after the frame, in their own order, so that Tab and the focus given on activation go as they
// do in a new frame.
void followInFocusChain(QWidget* frame, QWidget* form)
{
    std::vector<QWidget*> controls;
    for (QWidget* w = form->nextInFocusChain(); w != form && form->isAncestorOf(w); w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            controls.push_back(w);
    }
    QWidget* previous = frame;
    for (QWidget* control : controls) {
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

// The twips of a strip: every child at start-up, every calculator opened from the menu.
constexpr int kStripWidth = 7100;
constexpr int kStripHeight = 1400;

} // namespace

// One child window of the main window: how to make its form, where it stands, how the menu opens it.
// A window opened at start-up is stacked there as a strip (in the order of its top); its menu item, if it
// has one, is listed in kStripMenu's order. A window not opened at start-up has its menu item below a
// separator, in the order of the table, and the menu opens it with its own size.
struct MainWindow::Child {
    QString name;
    bool atStartUp;
    int top; // twips, the same at start-up and on opening from the menu (left is always 0)
    int menuWidth; // twips, the size the menu gives it (0: no menu item)
    int menuHeight;
    const char* menuItem;
    const char* menuCaption;
    std::function<QWidget*()> make;
    QPointer<QMdiSubWindow> frame {}; // made at the first opening, kept while the main window lives
    QPointer<QWidget> form {}; // null once the window is closed
    Qt::WindowFlags frameFlags {}; // the frame's flags when it was made, given back at each re-opening
    QSize designSize {}; // the form's own size, before the frame lays it out
};

namespace {

// The menu items of the strips, in the menu's order.
constexpr const char* kStripMenu[]
    = { "Mn_IseFlow", "Mn_NmShock", "Mn_HeatFlo", "Mn_FricFlo", "Mn_OblShock", "Mn_ExpWave" };

} // namespace

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
        { "Form_Properties", true, 0, 0, 0, nullptr, nullptr, [] { return new PropertiesWindow; } },
        { "Form_IseFlow", true, 1400, 8000, kStripHeight, "Mn_IseFlow", "Isentropic flow",
            [this, gamma] { return new IsentropicWindow(gamma, m_messages); } },
        { "Form_HeatFlo", true, 2800, 8000, kStripHeight, "Mn_HeatFlo", "1D Flow with Heat Addition",
            [this, gamma] { return new RayleighWindow(gamma, m_messages); } },
        { "Form_FricFlo", true, 4200, 8000, kStripHeight, "Mn_FricFlo", "1D Flow with Friction",
            [this, gamma] { return new FannoWindow(gamma, m_messages); } },
        { "Form_NmShock", true, 5600, 7500, kStripHeight, "Mn_NmShock", "Normal Shock",
            [this, gamma] { return new NormalShockWindow(gamma, m_messages); } },
        { "Form_OblShock", true, 7000, 7500, kStripHeight, "Mn_OblShock", "Oblique Shock",
            [this, gamma] { return new ObliqueShockWindow(gamma, m_messages); } },
        { "Form_ExpWave", true, 8400, 8000, kStripHeight, "Mn_ExpWave", "Expansion Wave",
            [this, gamma] { return new ExpansionWaveWindow(gamma, m_messages); } },
        // Opened from the menu only, below the separator.
        { "Form_Solver", false, 0, 6000, 8400, "Mn_Solver", "Flow solver",
            [gamma] { return new SolverWindow(gamma); } },
        { "Form_Tables", false, 0, 8800, 7400, "Mn_Tables", "Gas tables", [gamma] { return new TablesWindow(gamma); } },
        { "Form_Charts", false, 0, 9600, 7800, "Mn_Charts", "Charts", [gamma] { return new ChartsWindow(gamma); } },
        { "Form_Flight", false, 0, 7200, 9600, "Mn_Flight", "Flight conditions", [] { return new FlightWindow; } },
    };

    QMenu* open = menuBar()->addMenu("open");
    open->setObjectName("Mn_Open");
    auto addItem = [this, open](const Child& child) {
        QAction* action = open->addAction(QString::fromUtf8(child.menuCaption));
        action->setObjectName(child.menuItem);
        const QString name = child.name;
        connect(action, &QAction::triggered, this, [this, name] { reopen(name); });
    };
    for (const char* item : kStripMenu) {
        for (const Child& child : m_children) {
            if (child.atStartUp && child.menuItem && QString(child.menuItem) == item)
                addItem(child);
        }
    }
    bool separated = false;
    for (const Child& child : m_children) {
        if (child.atStartUp || !child.menuItem)
            continue;
        if (!std::exchange(separated, true))
            open->addSeparator();
        addItem(child);
    }
    QAction* about = menuBar()->addAction("About");
    about->setObjectName("Mn_About");
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);

    // Start-up placement: the main window, then every start-up child as a strip, top to bottom.
    resize(twips(7270), height());
    move(twips(5000), 0);
    resize(width(), twips(10550));
    std::vector<Child*> strips;
    for (Child& child : m_children) {
        if (child.atStartUp)
            strips.push_back(&child);
    }
    std::stable_sort(strips.begin(), strips.end(), [](const Child* a, const Child* b) { return a->top < b->top; });
    for (Child* child : strips)
        place(ensureOpen(*child), kStripWidth, kStripHeight, child->top);
}

MainWindow::~MainWindow()
{
    if (m_about)
        delete m_about.data();
}

QMdiSubWindow* MainWindow::ensureOpen(Child& child)
{
    if (child.frame && child.form && !child.frame->isHidden()) {
        child.frame->show();
        return child.frame;
    }
    // Closed (or never opened): a new form in its initial state, in the kept frame.
    delete child.form.data(); // normally deleted already, once control returned to the event loop
    child.form = child.make();
    child.designSize = child.form->size();
    connectForm(child.form);
    if (!child.frame) {
        // Into the area first, then the form: a form put into a frame that has no parent yet is laid out
        // and shaped again when the frame joins the area.
        auto* frame = new ChildFrame;
        frame->setObjectName(child.name + "_SubWindow");
        m_area->addSubWindow(frame);
        frame->setWidget(child.form);
        child.frame = frame;
        child.frameFlags = frame->windowFlags();
    } else {
        QMdiSubWindow* frame = child.frame;
        if (frame->windowFlags() != child.frameFlags)
            frame->setWindowFlags(child.frameFlags); // drop a "stay on top" chosen for the old form
        frame->setWindowState(Qt::WindowNoState); // not minimized or maximized as the old form was
        frame->setEnabled(true);
        frame->setWidget(child.form);
        followInFocusChain(frame, child.form);
        frame->raise(); // on top, as a new child comes
    }
    child.frame->show();
    return child.frame;
}

// A new form tells the charts about its answers and, for the gas window, about a gamma edit; a new charts
// window is shown the last answer found so far.
void MainWindow::connectForm(QWidget* form)
{
    if (auto* strip = qobject_cast<common::CalculatorForm*>(form))
        connect(strip, &common::CalculatorForm::answered, this, &MainWindow::takeAnswer);
    if (auto* solver = qobject_cast<SolverWindow*>(form))
        connect(solver, &SolverWindow::answered, this, &MainWindow::takeAnswer);
    if (auto* charts = qobject_cast<ChartsWindow*>(form)) {
        if (m_lastAnswer)
            charts->showAnswer(*m_lastAnswer);
    }
    if (qobject_cast<PropertiesWindow*>(form)) {
        connect(form->findChild<QLineEdit*>("Text_Gama"), &QLineEdit::textChanged, this, [this] {
            if (auto* charts = openForm<ChartsWindow>("Form_Charts"))
                charts->refresh();
        });
    }
}

void MainWindow::takeAnswer(const common::Answer& answer)
{
    m_lastAnswer = answer;
    if (auto* charts = openForm<ChartsWindow>("Form_Charts"))
        charts->showAnswer(answer);
}

template <class Form>
Form* MainWindow::openForm(const QString& windowName) const
{
    for (const Child& child : m_children) {
        if (child.name == windowName && subWindow(windowName))
            return qobject_cast<Form*>(child.form.data());
    }
    return nullptr;
}

void MainWindow::place(QMdiSubWindow* sub, int width, int height, int top)
{
    sub->resize(twips(width), twips(height));
    sub->move(0, twips(top));
}

// Where the area puts a new child of this size: of the corners it tries (the area's own, and those next to
// the right and bottom edges of the children shown), the one whose rectangle lies inside the area and covers
// the children shown least; when none lies inside, the one most inside the area. Ties go to the topmost,
// then the leftmost.
QPoint MainWindow::freePlace(const QMdiSubWindow* sub, const QSize& size) const
{
    const QRect domain = m_area->rect();
    std::vector<QRect> shown;
    std::vector<int> xs { domain.left(), domain.right() - size.width() + 1 };
    std::vector<int> ys { domain.top() };
    if (domain.bottom() - size.height() + 1 >= 0)
        ys.push_back(domain.bottom() - size.height() + 1);
    for (const Child& child : m_children) {
        if (child.frame && child.frame != sub && child.frame->isVisibleTo(m_area)) {
            shown.push_back(child.frame->geometry());
            xs.push_back(shown.back().right() + 1);
            ys.push_back(shown.back().bottom() + 1);
        }
    }
    for (std::vector<int>* list : { &xs, &ys }) {
        std::sort(list->begin(), list->end());
        list->erase(std::unique(list->begin(), list->end()), list->end());
    }
    auto area = [](const QRect& r) { return r.isEmpty() ? 0 : r.width() * r.height(); };
    auto covered = [&](const QRect& r) {
        int sum = 0;
        for (const QRect& other : shown)
            sum += area(r.intersected(other));
        return sum;
    };
    std::vector<QRect> inside, outside;
    for (int y : ys) {
        for (int x : xs)
            (domain.contains(QRect(QPoint(x, y), size)) ? inside : outside).push_back(QRect(QPoint(x, y), size));
    }
    if (inside.empty()) {
        int most = -1;
        for (const QRect& r : outside)
            most = std::max(most, area(r.intersected(domain)));
        for (const QRect& r : outside) {
            if (area(r.intersected(domain)) == most)
                inside.push_back(r);
        }
    }
    if (inside.empty())
        return {};
    const QRect* best = &inside.front();
    for (const QRect& r : inside) {
        if (covered(r) < covered(*best))
            best = &r;
    }
    return best->topLeft();
}

// A window opened from the menu below the separator: below the gas property strip it reads, at its own size
// (never under its minimum), the main window grown within the screen so the whole window is in view; on a
// screen too small for that, the window is made as small as the room left allows.
void MainWindow::placeWhole(QMdiSubWindow* sub, QSize wanted)
{
    int top = 0;
    if (const QMdiSubWindow* strip = subWindow("Form_Properties"))
        top = strip->geometry().bottom() + 1;
    const QSize least = sub->minimumSizeHint().expandedTo(sub->minimumSize());
    wanted = wanted.expandedTo(least);
    const QSize viewport = m_area->viewport()->size();
    const int growWidth = std::max(0, wanted.width() - viewport.width());
    const int growHeight = std::max(0, top + wanted.height() - viewport.height());
    QSize room = viewport;
    if (growWidth > 0 || growHeight > 0) {
        const QRect screenRoom
            = screen() ? screen()->availableGeometry() : QRect(QPoint(0, 0), size() + QSize(growWidth, growHeight));
        const QSize frameExtra = frameGeometry().size() - size();
        const QSize most = screenRoom.size() - frameExtra;
        const QSize grown = (size() + QSize(growWidth, growHeight)).boundedTo(most).expandedTo(size());
        room += grown - size();
        resize(grown);
        QPoint at = pos();
        at.setX(std::clamp(at.x(), screenRoom.left(),
            std::max(screenRoom.left(), screenRoom.right() + 1 - grown.width() - frameExtra.width())));
        at.setY(std::clamp(at.y(), screenRoom.top(),
            std::max(screenRoom.top(), screenRoom.bottom() + 1 - grown.height() - frameExtra.height())));
        move(at);
        if (QLayout* own = layout())
            own->activate();
    }
    const QSize fits = wanted.boundedTo(QSize(room.width(), std::max(0, room.height() - top))).expandedTo(least);
    sub->resize(fits);
    sub->move(0, top);
}

QString MainWindow::gammaText()
{
    Child& properties = m_children.front();
    if (!subWindow(properties.name)) {
        // A new child at its design size and at the place the area gives a new child.
        QMdiSubWindow* sub = ensureOpen(properties);
        const QSize margins = sub->size() - sub->contentsRect().size(); // the frame and its title bar
        sub->resize(properties.designSize + margins);
        sub->move(freePlace(sub, sub->size()));
    }
    return properties.form->findChild<QLineEdit*>("Text_Gama")->text();
}

QMdiSubWindow* MainWindow::subWindow(const QString& windowName) const
{
    for (const Child& child : m_children) {
        if (child.name == windowName)
            return child.form && child.frame && !child.frame->isHidden() ? child.frame.data() : nullptr;
    }
    return nullptr;
}

void MainWindow::reopen(const QString& windowName)
{
    for (Child& child : m_children) {
        if (child.name == windowName && child.menuWidth > 0) {
            QMdiSubWindow* sub = ensureOpen(child);
            if (child.atStartUp)
                place(sub, child.menuWidth, child.menuHeight, child.top);
            else
                placeWhole(sub, QSize(twips(child.menuWidth), twips(child.menuHeight)));
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
