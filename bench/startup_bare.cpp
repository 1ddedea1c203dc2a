// The floor for start-up: a bare Qt program with the same main window, menu, seven sub-windows and the same
// number and kinds of widgets as the calculator, but none of its code; shown, then quit. It gets the
// calculator's interface font and style, so the comparison measures the program's own work only.
#include "interface_style.h"

#include <QApplication>
#include <QChart>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSvgGenerator>
#include <QTimer>

namespace {

// Widgets of each strip, by kind: frames, text boxes, labels, option buttons, buttons; and its title.
struct Strip {
    int frames;
    int boxes;
    int labels;
    int options;
    int buttons;
    const char* title;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    common::applyInterfaceStyle(app);
    QMainWindow window;
    auto* area = new QMdiArea(&window);
    window.setCentralWidget(area);
    QMenu* open = window.menuBar()->addMenu("open");
    for (int i = 0; i < 6; ++i)
        open->addAction(QString("item %1").arg(i));
    window.menuBar()->addAction("About");
    const Strip strips[] = {
        { 1, 1, 1, 0, 0, "" }, // gas properties
        { 2, 6, 1, 5, 1, "Isentropic Flow" }, // isentropic
        { 2, 7, 4, 2, 1, "1D Flow with Heat Addition" }, // heat addition
        { 2, 7, 4, 2, 1, "1D Flow with Friction" }, // friction
        { 2, 7, 4, 3, 1, "Normal Shock" }, // normal shock
        { 3, 8, 5, 5, 1, "Oblique Shock" }, // oblique shock
        { 2, 7, 4, 3, 1, "Expansion Wave" }, // expansion wave
    };
    int top = 0;
    for (const Strip& s : strips) {
        auto* strip = new QWidget;
        strip->setWindowTitle(s.title);
        strip->setFont(common::interfaceFont()); // the calculator's windows use the narrow 8.25 point font
        for (int i = 0; i < s.frames; ++i)
            new QGroupBox("frame", strip);
        for (int i = 0; i < s.boxes; ++i)
            new QLineEdit(i == 0 ? "1.4" : "", strip); // a box with text lays it out in the font at once
        for (int i = 0; i < s.labels; ++i)
            new QLabel("label", strip);
        for (int i = 0; i < s.options; ++i)
            new QRadioButton("option", strip);
        for (int i = 0; i < s.buttons; ++i)
            new QPushButton("button", strip);
        QMdiSubWindow* sub = area->addSubWindow(strip);
        sub->show();
        sub->setGeometry(0, top, 473, 93);
        top += 93;
    }
    window.resize(485, 703);
    window.show();
    // The program links Qt Charts and Qt SVG for its charts window, which is built only when first opened; the
    // floor loads the same libraries without building anything from them.
    if (argc > 1 && QString::fromLocal8Bit(argv[1]) == "--charts") {
        QChart chart;
        QSvgGenerator svg;
    }
    QTimer::singleShot(0, &app, &QApplication::quit);
    return QApplication::exec();
}
