#include "interface_style.h"
#include "main_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    common::applyInterfaceStyle(app);
    QApplication::setApplicationName(QString::fromUtf8(common::kApplicationTitle));
    MainWindow window;
    window.show();
    return QApplication::exec();
}
