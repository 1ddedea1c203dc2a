// Writes a PNG of each chart of the charts window into a folder, each with an example answer marked:
// chart_pictures DIR (run offscreen by scripts/chart-pictures.sh).
#include "charts_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: chart_pictures DIR\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    ChartsWindow window([] { return QStringLiteral("1.4"); });
    window.show();
    auto* combo = window.findChild<QComboBox*>("Combo_Chart");

    struct Picture {
        const char* file;
        common::Answer answer;
    };
    const Picture pictures[] = {
        { "chart-theta-beta-m.png", { 1.4, "oblique-shock", 2.0, "weak", {}, 10.0, {} } },
        { "chart-shock-polar.png", { 1.4, "oblique-shock", 2.0, "weak", {}, 10.0, {} } },
        { "chart-fanno-rayleigh.png", { 1.4, "fanno", 0.5, "sub", 1.8, {}, {} } },
        { "chart-isentropic.png", { 1.4, "isentropic", 2.0, "", {}, {}, {} } },
    };
    int failures = 0;
    for (int i = 0; i < 4; ++i) {
        window.showAnswer(pictures[i].answer);
        combo->setCurrentIndex(i);
        QApplication::processEvents();
        const QString path = folder.filePath(QString::fromLatin1(pictures[i].file));
        if (window.saveTo(path)) {
            std::printf("saved %s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "chart_pictures: could not write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
