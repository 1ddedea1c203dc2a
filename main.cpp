#include "main_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(common::kApplicationTitle));
    MainWindow window;
    window.show();
    return QApplication::exec();
}
