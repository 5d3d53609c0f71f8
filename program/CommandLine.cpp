#include "program/Startup.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>

namespace tarnelby {

namespace {

constexpr int kUsageError = 2;

// The options that QGuiApplication, QApplication and the X11 platform plugin
// take out of argv themselves. They are accepted here, hidden from --help,
// and left for QApplication to act on.
const QStringList kQtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowtitle", "qwindowicon", "session", "style", "stylesheet", "qmljsdebugger",
    "display", "geometry", "title", "icon", "name", "visual"};
const QStringList kQtFlags = {"reverse", "widgetcount", "testability", "nograb", "dograb"};

void write(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// QCommandLineParser names the program from the application object, which
// does not exist yet; the usage line names it as the user types it.
QString usage(const QCommandLineParser& parser)
{
    const QString text = parser.helpText();
    return QStringLiteral("Usage: tarnelby [options]") + text.mid(text.indexOf(u'\n'));
}

} // namespace

std::optional<int> handleCommandLine(int argc, char* argv[])
{
    QCommandLineParser parser;
    // Qt's own options are single-dash words (-platform, -style).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Plays the chaos game: click two to ten points in the window and press Begin.\n"
        "Qt's standard options (-platform, -style, -display, ...) are accepted too;\n"
        "see the manual page tarnelby(6)."));
    const QCommandLineOption help({"h", "help", "?"}, QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({"v", "version"}, QStringLiteral("Show the version and exit."));
    parser.addOptions({help, version});
    for (const QString& name : kQtOptionsWithValue + kQtFlags) {
        QCommandLineOption option(name, QString(), kQtFlags.contains(name) ? QString() : QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QString error;
    if (!parser.parse(arguments))
        error = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    if (!error.isEmpty()) {
        write(stderr, QStringLiteral("tarnelby: %1\n").arg(error) + usage(parser));
        return kUsageError;
    }
    if (parser.isSet(help)) {
        write(stdout, usage(parser));
        return 0;
    }
    if (parser.isSet(version)) {
        write(stdout, QStringLiteral("tarnelby " TARNELBY_VERSION "\n"
                                     "Copyright (c) 2026 The Tarnelby developers\n"
                                     "Free software under the MIT licence.\n"));
        return 0;
    }
    return std::nullopt;
}

} // namespace tarnelby
