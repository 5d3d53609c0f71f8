#include "program/DisplayCheck.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tarnelby {

namespace {

// True for Qt's option `name` given with one dash or two: "-platform".
bool isOption(const char* argument, const char* name)
{
    const QByteArray option(argument);
    return option == QByteArray("-") + name || option == QByteArray("--") + name;
}

// The value that follows the last `name` option on the command line; empty
// where there is none.
QByteArray optionValue(int argc, char* argv[], const char* name)
{
    QByteArray value;
    for (int i = 1; i + 1 < argc; ++i)
        if (isOption(argv[i], name))
            value = argv[++i];
    return value;
}

// The platforms Qt 6 tries, in turn, until one opens: its default, xcb, behind
// wayland where WAYLAND_DISPLAY is set or the session is a Wayland one;
// QT_QPA_PLATFORM instead where it is set, and the last -platform over both.
// Each is a name, and after a ':' the plugin's own arguments: "xcb;offscreen".
QList<QByteArray> platformsQtTries(int argc, char* argv[])
{
    QByteArray platforms = "xcb";
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
        platforms = "wayland;xcb";
    if (const QByteArray chosen = qgetenv("QT_QPA_PLATFORM"); !chosen.isEmpty())
        platforms = chosen;
    if (const QByteArray chosen = optionValue(argc, argv, "platform"); !chosen.isEmpty())
        platforms = chosen;
    QList<QByteArray> names;
    for (const QByteArray& platform : platforms.split(';'))
        names << platform.split(':').first().toLower();
    return names;
}

// A server's reason and a display's name reach the terminal: no control
// character of theirs may move its cursor or break the line in two.
std::string printable(std::string text)
{
    for (char& character : text)
        if (static_cast<unsigned char>(character) < 0x20 || character == 0x7f)
            character = ' ';
    return text;
}

[[noreturn]] void exitSaying(const std::string& line)
{
    std::fputs(("tarnelby: " + printable(line) + '\n').c_str(), stderr);
    std::exit(EXIT_FAILURE);
}

} // namespace

DisplayConnection openDisplayOrExit(int argc, char* argv[])
{
    // Why each display that the user named could not be used. A display that
    // Qt tries without one being named (X11 without DISPLAY, the default
    // Wayland socket) is not worth a word where it does not answer.
    std::vector<std::string> problems;
    for (const QByteArray& platform : platformsQtTries(argc, argv)) {
        if (platform.isEmpty())
            continue;
        if (platform == "xcb") {
            QByteArray displayName = optionValue(argc, argv, "display");
            if (displayName.isEmpty())
                displayName = qgetenv("DISPLAY");
            if (displayName.isEmpty())
                continue;
            DisplayConnection display = DisplayConnection::toX11(displayName.toStdString());
            if (display.isOpen())
                return display;
            problems.push_back("cannot open the X display " + display.name() + ": " + display.problem());
        } else if (platform.startsWith("wayland")) {
            // A socket already connected, handed down by whoever started us.
            if (qEnvironmentVariableIsSet("WAYLAND_SOCKET"))
                return {};
            DisplayConnection display = DisplayConnection::toWayland();
            if (display.isOpen())
                return display;
            if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
                problems.push_back("cannot open the Wayland display " + display.name() + ": " + display.problem());
        } else {
            return {};
        }
    }
    if (problems.empty())
        exitSaying("needs a graphical display, but none is set (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM)");
    std::string line = problems.front();
    for (std::size_t i = 1; i < problems.size(); ++i)
        line += "; " + problems[i];
    exitSaying(line);
}

} // namespace tarnelby
