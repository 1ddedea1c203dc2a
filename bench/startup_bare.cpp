// The floor for start-up: a bare Qt program with the same main window, menu, seven sub-windows and the same
// number and kinds of widgets as the calculator, but none of its code; shown, then quit.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

// Widgets of each strip, by kind: frames, text boxes, labels, option buttons, buttons.
struct Strip {
    int frames;
    int boxes;
    int labels;
    int options;
    int buttons;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* area = new QMdiArea(&window);
    window.setCentralWidget(area);
    QMenu* open = window.menuBar()->addMenu("open");
    for (int i = 0; i < 6; ++i)
        open->addAction(QString("item %1").arg(i));
    window.menuBar()->addAction("About");
    const Strip strips[] = {
        { 1, 1, 1, 0, 0 }, // gas properties
        { 2, 6, 1, 5, 1 }, // isentropic
        { 2, 7, 4, 2, 1 }, // heat addition
        { 2, 7, 4, 2, 1 }, // friction
        { 2, 7, 4, 3, 1 }, // normal shock
        { 3, 8, 5, 5, 1 }, // oblique shock
        { 2, 7, 4, 3, 1 }, // expansion wave
    };
    int top = 0;
    for (const Strip& s : strips) {
        auto* strip = new QWidget;
        for (int i = 0; i < s.frames; ++i)
            new QGroupBox("frame", strip);
        for (int i = 0; i < s.boxes; ++i)
            new QLineEdit(strip);
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
    QTimer::singleShot(0, &app, &QApplication::quit);
    return QApplication::exec();
}
