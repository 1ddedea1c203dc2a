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

// Qt's own command-line options (QGuiApplication, QApplication and the X11 platform), which the window
// system takes out of the list once it starts; the first group takes a value ("-style fusion" or
// "-style=fusion"). Qt reads them with one dash or two.
QStringList withoutQtOptions(const QStringList& arguments)
{
    static const QStringList withValue { "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "qwindowicon", "qwindowtitle", "session", "style", "stylesheet", "display", "geometry", "name", "title",
        "qmljsdebugger", "visual", "fn", "font", "bg", "background", "fg", "foreground", "btn", "button", "im",
        "inputstyle" };
    static const QStringList alone { "reverse", "widgetcount", "nograb", "dograb", "sync", "testability", "cmap" };
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (i == 0 || !argument.startsWith(QLatin1Char('-'))) {
            kept.append(argument);
            continue;
        }
        QString option = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        const qsizetype equals = option.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            if (withValue.contains(option.left(equals)))
                continue;
        } else if (withValue.contains(option) && i + 1 < arguments.size()) {
            ++i;
            continue;
        } else if (alone.contains(option)) {
            continue;
        }
        kept.append(argument);
    }
    return kept;
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
    // Before the window system starts, Qt's options are still in the list: set aside here, so that a usage
    // error is refused without a display (the window system would abort the program first).
    const bool parsed = parser.parse(qtOptionsRemoved ? arguments : withoutQtOptions(arguments));
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
