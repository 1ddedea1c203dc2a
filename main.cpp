#include "application.h"
#include "interface_style.h"
#include "main_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    {
        // --help and --version are answered before the window system is started, so they need no display.
        const QCoreApplication early(argc, argv);
        if (const auto status = flowcalc::answerCommandLine(QCoreApplication::arguments(), false))
            return *status;
    }
    QApplication app(argc, argv);
    common::applyInterfaceStyle(app);
    QApplication::setApplicationName(QString::fromUtf8(common::kApplicationTitle));
    flowcalc::setUpApplication();
    if (const auto status = flowcalc::answerCommandLine(QApplication::arguments(), true))
        return *status;
    MainWindow window;
    window.show();
    return QApplication::exec();
}
