#include "application.h"

#include "flowcalc_version.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace flowcalc {

namespace {

void write(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int refuse(const QString& why)
{
    write(stderr, QStringLiteral("flowcalc: %1\nTry 'flowcalc --help'.\n").arg(why));
    return 2;
}

} // namespace

std::optional<int> answerCommandLine(const QStringList& arguments, bool qtOptionsRemoved)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Compressible Flow Calculator: gas tables for one-dimensional compressible flow of a perfect gas\n"
        "(isentropic flow, normal and oblique shocks, Rayleigh and Fanno flow, Prandtl-Meyer expansion).\n"
        "Opens the main window. Besides the options below it takes only Qt's own (-platform, -style, ...)."));
    // "-stylesheet" is one of Qt's options, not -s -t -y ... -h.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Named as installed, not by the path it was started from.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QLatin1Char('\n')), QStringLiteral("Usage: flowcalc [options]"));
        write(stdout, text);
        return 0;
    }
    if (parser.isSet(version)) {
        write(stdout, QStringLiteral("flowcalc %1\n").arg(QStringLiteral(FLOWCALC_VERSION)));
        return 0;
    }
    if (!qtOptionsRemoved)
        return std::nullopt;
    if (!parsed)
        return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst()));
    return std::nullopt;
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : { 16, 32, 48, 64, 128, 256 })
        icon.addFile(
            QStringLiteral(":/icons/%1/%2.png").arg(size).arg(QLatin1String(kApplicationId)), QSize(size, size));
    return icon;
}

void setUpApplication()
{
    QApplication::setApplicationVersion(QStringLiteral(FLOWCALC_VERSION));
    QGuiApplication::setDesktopFileName(QLatin1String(kApplicationId));
    QApplication::setWindowIcon(applicationIcon());
}

} // namespace flowcalc
