// Start-up of the program as the user gets it: the main window with its seven strips, shown, then quit.
#include "interface_style.h"
#include "main_window.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    common::applyInterfaceStyle(app);
    QApplication::setApplicationName(QString::fromUtf8(common::kApplicationTitle));
    MainWindow window;
    window.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    return QApplication::exec();
}
