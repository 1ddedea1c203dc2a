// Renders the program's SVG icon into square PNGs for the icon theme and the window icon, at build time.
// Usage: flowcalc_render_icon ICON.svg OUTPUT_FOLDER NAME SIZE...; writes OUTPUT_FOLDER/SIZE/NAME.png.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 5) {
        std::fputs("usage: flowcalc_render_icon ICON.svg OUTPUT_FOLDER NAME SIZE...\n", stderr);
        return 2;
    }
    // No QGuiApplication: raster painting into an image needs no window system, so this runs without a display.
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "flowcalc_render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size <= 0) {
            std::fprintf(stderr, "flowcalc_render_icon: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString path = QStringLiteral("%1/%2/%3.png").arg(folder).arg(size).arg(name);
        if (!QDir().mkpath(QStringLiteral("%1/%2").arg(folder).arg(size)) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "flowcalc_render_icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
