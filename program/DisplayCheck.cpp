#include "program/DisplayCheck.h"

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>
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

struct PlatformChoice {
    QList<QByteArray> names;
    // Named by the user (QT_QPA_PLATFORM, -platform) rather than Qt's default.
    bool chosen = false;
};

// The platforms Qt 6 tries, in turn, until one opens: its default, xcb, behind
// wayland where WAYLAND_DISPLAY is set or the session is a Wayland one;
// QT_QPA_PLATFORM instead where it is set, and the last -platform over both.
// Each is a name, and after a ':' the plugin's own arguments: "xcb;offscreen".
PlatformChoice platformsQtTries(int argc, char* argv[])
{
    QByteArray platforms = "xcb";
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
        platforms = "wayland;xcb";
    QByteArray chosen = optionValue(argc, argv, "platform");
    if (chosen.isEmpty())
        chosen = qgetenv("QT_QPA_PLATFORM");
    PlatformChoice choice{{}, !chosen.isEmpty()};
    for (const QByteArray& platform : (choice.chosen ? chosen : platforms).split(';'))
        choice.names << platform.split(':').first().toLower();
    return choice;
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

// Ends the process at once: Qt's start may be half done, and nothing of it may
// run on the way out.
[[noreturn]] void exitSaying(const std::string& line)
{
    std::fputs(("tarnelby: " + printable(line) + '\n').c_str(), stderr);
    std::_Exit(EXIT_FAILURE);
}

struct UsableDisplay {
    // As Qt names the platform ("xcb"), and the display in words ("the X
    // display :0").
    QByteArray platform;
    std::string description;
    DisplayConnection connection;
};

// The first of the displays that Qt tries that can be used; where none can,
// ends the process saying why.
UsableDisplay openDisplayOrExit(int argc, char* argv[])
{
    const PlatformChoice choice = platformsQtTries(argc, argv);
    // Why each display that the user asked for could not be used. A display
    // that Qt tries unasked (X11 without DISPLAY, the default Wayland socket)
    // is not worth a word where it does not answer.
    std::vector<std::string> problems;
    for (const QByteArray& platform : choice.names) {
        if (platform.isEmpty())
            continue;
        if (platform == "xcb") {
            QByteArray displayName = optionValue(argc, argv, "display");
            if (displayName.isEmpty())
                displayName = qgetenv("DISPLAY");
            if (displayName.isEmpty()) {
                if (choice.chosen)
                    problems.push_back("needs an X display, but none is named (DISPLAY or -display)");
                continue;
            }
            DisplayConnection display = DisplayConnection::toX11(displayName.toStdString());
            const std::string description = "the X display " + display.name();
            if (display.isOpen())
                return {platform, description, std::move(display)};
            problems.push_back("cannot open " + description + ": " + display.problem());
        } else if (platform.startsWith("wayland")) {
            // A socket already connected, handed down by whoever started us.
            if (qEnvironmentVariableIsSet("WAYLAND_SOCKET"))
                return {platform, "the Wayland connection in WAYLAND_SOCKET", {}};
            DisplayConnection display = DisplayConnection::toWayland();
            const std::string description = "the Wayland display " + display.name();
            if (display.isOpen())
                return {platform, description, std::move(display)};
            if (choice.chosen || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
                problems.push_back("cannot open " + description + ": " + display.problem());
        } else {
            return {platform, "Qt's platform " + platform.toStdString(), {}};
        }
    }
    if (problems.empty())
        exitSaying("needs a graphical display, but none is set (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM)");
    std::string line = problems.front();
    for (std::size_t i = 1; i < problems.size(); ++i)
        line += "; " + problems[i];
    exitSaying(line);
}

// What of Qt's the platform needs, with the Debian package that brings it.
std::string qtSupportFor(const QByteArray& platform)
{
    if (platform == "xcb")
        return "Qt's X11 support (package qt6-qpa-plugins)";
    if (platform.startsWith("wayland"))
        return "Qt's Wayland support (package qt6-wayland)";
    return "Qt's plugin for it";
}

// Why Qt could not start `platform`, from its fatal message. Where no plugin
// started, Qt lists those it found ("Available platform plugins are: minimal,
// offscreen, xcb.", nothing where it found none); a plugin that failed on its
// own says why.
std::string whyQtFailed(const QString& failure, const QByteArray& platform)
{
    const std::string support = qtSupportFor(platform);
    if (!failure.contains(QStringLiteral("no Qt platform plugin could be initialized")))
        return support + " failed: " + failure.trimmed().section(u'\n', 0, 0).toStdString();
    static const QRegularExpression listed(QStringLiteral("Available platform plugins are: ([^\\n]*)\\."));
    const QStringList found = listed.match(failure).captured(1).split(QStringLiteral(", "));
    return support + (found.contains(QString::fromLatin1(platform), Qt::CaseInsensitive) ? " could not start on it"
                                                                                          : " is not installed");
}

// What Qt is starting, and what it has said meanwhile. The message handler is
// the process's own, and Qt may report from its threads while it starts.
struct PlatformStart {
    struct HeldMessage {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    std::mutex mutex;
    bool holding = false;
    QByteArray platform;
    std::string description;
    QtMessageHandler passedOn = nullptr;
    QList<HeldMessage> held;
};

PlatformStart platformStart;

// Qt reports that no platform could start through a fatal message, which would
// abort the program with a hint at reinstalling it; everything else it says
// while it starts waits, so that the one line stands alone.
void holdOrExit(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    std::unique_lock lock(platformStart.mutex);
    if (!platformStart.holding) {
        lock.unlock();
        platformStart.passedOn(type, context, text);
        return;
    }
    if (type == QtFatalMsg)
        exitSaying("cannot use " + platformStart.description + ": " + whyQtFailed(text, platformStart.platform));
    platformStart.held.append({type, context.category, text});
}

void passOnHeldMessages()
{
    QList<PlatformStart::HeldMessage> held;
    {
        const std::lock_guard lock(platformStart.mutex);
        if (!platformStart.holding)
            return;
        platformStart.holding = false;
        qInstallMessageHandler(platformStart.passedOn);
        held.swap(platformStart.held);
    }
    for (const PlatformStart::HeldMessage& message : held)
        platformStart.passedOn(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                               message.text);
}

} // namespace

DisplayCheck::DisplayCheck(int argc, char* argv[])
{
    UsableDisplay display = openDisplayOrExit(argc, argv);
    display_ = std::move(display.connection);
    const std::lock_guard lock(platformStart.mutex);
    platformStart.platform = display.platform;
    platformStart.description = display.description;
    platformStart.holding = true;
    platformStart.passedOn = qInstallMessageHandler(holdOrExit);
}

DisplayCheck::~DisplayCheck()
{
    passOnHeldMessages();
}

void DisplayCheck::applicationStarted()
{
    passOnHeldMessages();
    display_.close();
}

} // namespace tarnelby
