#include "platform/DisplayCheck.h"

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QtGlobal>

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <system_error>
#include <tuple>
#include <unistd.h>
#include <utility>

namespace tarnelby {

namespace {

// What Qt is starting, and what it has said meanwhile. The message handler is
// the process's own, and Qt may report from its threads while it starts.
struct {
    std::mutex mutex;
    bool holding = false;
    QByteArray platform;
    std::string display;
    QtMessageHandler passedOn = nullptr;
    QList<std::tuple<QtMsgType, QByteArray, QString>> held;
    // Held open until Qt has connected: an X server whose last client leaves
    // resets, and turns away whoever connects while it does.
    xcb_connection_t* x11 = nullptr;
} platformStart;

// The value that follows the last of Qt's option `name`, given with one dash
// or two ("-display :0"); `otherwise` where there is none.
QByteArray optionValue(int argc, char* argv[], const QByteArray& name, const QByteArray& otherwise)
{
    QByteArray value;
    for (int i = 1; i + 1 < argc; ++i)
        if (argv[i] == '-' + name || argv[i] == "--" + name)
            value = argv[++i];
    return value.isEmpty() ? otherwise : value;
}

// Ends the process at once: Qt's start may be half done, and nothing of it may
// run on the way out. A server's reason and a display's name reach the
// terminal: no control character of theirs may move its cursor or break the
// line in two.
[[noreturn]] void exitSaying(std::string line)
{
    std::ranges::replace_if(line, [](unsigned char character) { return character < 0x20 || character == 0x7f; }, ' ');
    std::fputs(("tarnelby: " + line + '\n').c_str(), stderr);
    std::_Exit(EXIT_FAILURE);
}

// Connects to the X server that `name` names (":0", "localhost:1.0") with the
// user's authorization, as Qt's X11 platform does; gives why it could not,
// nothing where it could. libxcb writes the reason a server gives for turning
// a client away straight to stderr: a pipe takes it instead, for the one line,
// and does not block, so a long reason cannot hang the connection.
std::string connectX11(const QByteArray& name, xcb_connection_t*& connection)
{
    int ends[2];
    const int savedStderr = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    const bool capturing = savedStderr >= 0 && ::pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0;
    if (capturing) {
        ::dup2(ends[1], STDERR_FILENO);
        ::close(ends[1]);
    }
    // Asking for the screen number has libxcb check that the server has it.
    int screen = 0;
    connection = xcb_connect(name.constData(), &screen);
    std::string refusal;
    if (capturing) {
        ::dup2(savedStderr, STDERR_FILENO);
        char buffer[512];
        for (ssize_t count = 0; (count = ::read(ends[0], buffer, sizeof buffer)) > 0;)
            refusal.append(buffer, static_cast<std::size_t>(count));
        ::close(ends[0]);
    }
    if (savedStderr >= 0)
        ::close(savedStderr);
    refusal.erase(refusal.find_last_not_of(" \t\r\n") + 1);

    // libxcb hands back a connection object even where connecting failed.
    const int error = xcb_connection_has_error(connection);
    if (error == 0)
        return {};
    xcb_disconnect(std::exchange(connection, nullptr));
    switch (error) {
    case XCB_CONN_CLOSED_PARSE_ERR:
        return "that is not the name of an X display";
    case XCB_CONN_CLOSED_INVALID_SCREEN:
        return "the X server there has no such screen";
    case XCB_CONN_CLOSED_MEM_INSUFFICIENT:
        return "out of memory";
    }
    // The server answered and gave a reason: no authorization, too many
    // clients. Without a reason, nothing answered at all.
    return refusal.empty() ? "no X server answers there" : "the X server refused the connection: " + refusal;
}

// Connects to the Wayland compositor's socket where a Wayland client finds it,
// WAYLAND_DISPLAY ("wayland-0" where unset) in XDG_RUNTIME_DIR or the absolute
// path that WAYLAND_DISPLAY gives, and sets `path` to it; gives why it could
// not, nothing where it could. A compositor, unlike an X server, does not
// reset when its last client leaves: the connection need not be held.
std::string connectWayland(std::string& path)
{
    const char* named = std::getenv("WAYLAND_DISPLAY");
    path = named != nullptr ? named : "wayland-0";
    if (!path.starts_with('/')) {
        const char* runtimeDirectory = std::getenv("XDG_RUNTIME_DIR");
        if (runtimeDirectory == nullptr || *runtimeDirectory == '\0')
            return "XDG_RUNTIME_DIR, where its socket lies, is not set";
        path = std::string(runtimeDirectory) + '/' + path;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return "the path of its socket is too long";
    path.copy(address.sun_path, path.size());
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool connected =
        socket >= 0 && ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    const int error = errno;
    if (socket >= 0)
        ::close(socket);
    if (connected)
        return {};
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ECONNREFUSED:
        return "no Wayland compositor answers there";
    case EACCES:
    case EPERM:
        return "the compositor's socket refused the connection: permission denied";
    }
    return std::generic_category().message(error);
}

// Why Qt could not start `platform`, from its fatal message. Where no plugin
// started, Qt lists those it found ("Available platform plugins are: minimal,
// offscreen, xcb.", nothing where it found none); a plugin that failed on its
// own says why.
std::string whyQtFailed(const QString& failure, const QByteArray& platform)
{
    const std::string support = platform == "xcb" ? "Qt's X11 support (package qt6-qpa-plugins)"
        : platform.startsWith("wayland")          ? "Qt's Wayland support (package qt6-wayland)"
                                                  : "Qt's plugin for it";
    if (!failure.contains(QStringLiteral("no Qt platform plugin could be initialized")))
        return support + " failed: " + failure.trimmed().section(u'\n', 0, 0).toStdString();
    static const QRegularExpression listed(QStringLiteral("Available platform plugins are: ([^\\n]*)\\."));
    const QStringList found = listed.match(failure).captured(1).split(QStringLiteral(", "));
    return support + (found.contains(QString::fromLatin1(platform), Qt::CaseInsensitive) ? " could not start on it"
                                                                                          : " is not installed");
}

// Qt reports that no platform could start through a fatal message, which would
// abort the program with a hint at reinstalling it; everything else it says
// while it starts waits, so that the one line stands alone.
void holdOrExit(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const std::lock_guard lock(platformStart.mutex);
    if (!platformStart.holding)
        platformStart.passedOn(type, context, text);
    else if (type == QtFatalMsg)
        exitSaying("cannot use " + platformStart.display + ": " + whyQtFailed(text, platformStart.platform));
    else
        platformStart.held.append({type, context.category, text});
}

} // namespace

void checkDisplay(int argc, char* argv[])
{
    // Qt tries each platform in turn until one opens: its default, xcb, behind
    // wayland where WAYLAND_DISPLAY is set or the session is a Wayland one;
    // QT_QPA_PLATFORM instead where it is set, and the last -platform over
    // both. Each is a name, and after a ':' the plugin's own arguments.
    const QByteArray chosen = optionValue(argc, argv, "platform", qgetenv("QT_QPA_PLATFORM"));
    const bool wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    const QByteArray platforms = !chosen.isEmpty() ? chosen : QByteArray(wayland ? "wayland;xcb" : "xcb");
    const QByteArray x11Name = optionValue(argc, argv, "display", qgetenv("DISPLAY"));

    std::string problems;
    const auto tell = [&problems](const std::string& problem) { problems += (problems.empty() ? "" : "; ") + problem; };
    for (const QByteArray& entry : platforms.split(';')) {
        const QByteArray platform = entry.split(':').first().toLower();
        if (platform.isEmpty())
            continue;
        // Without a display named, X11 is worth a word only where it was chosen.
        if (platform == "xcb" && x11Name.isEmpty()) {
            if (!chosen.isEmpty())
                tell("needs an X display, but none is named (DISPLAY or -display)");
            continue;
        }
        std::string display = "Qt's platform " + platform.toStdString();
        std::string problem;
        if (platform == "xcb") {
            display = "the X display " + x11Name.toStdString();
            problem = connectX11(x11Name, platformStart.x11);
        } else if (platform.startsWith("wayland") && qEnvironmentVariableIsSet("WAYLAND_SOCKET")) {
            // A socket already connected, handed down by whoever started us.
            display = "the Wayland connection in WAYLAND_SOCKET";
        } else if (platform.startsWith("wayland")) {
            std::string path;
            problem = connectWayland(path);
            display = "the Wayland display " + path;
        }
        if (problem.empty()) {
            const std::lock_guard lock(platformStart.mutex);
            platformStart.platform = platform;
            platformStart.display = display;
            platformStart.holding = true;
            platformStart.passedOn = qInstallMessageHandler(holdOrExit);
            return;
        }
        // A Wayland display that Qt tries unasked (a Wayland session's default
        // socket) is not worth a word where it cannot be opened.
        if (platform == "xcb" || !chosen.isEmpty() || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            tell("cannot open " + display + ": " + problem);
    }
    exitSaying(problems.empty()
                   ? "needs a graphical display, but none is set (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM)"
                   : problems);
}

void displayOpened()
{
    const std::lock_guard lock(platformStart.mutex);
    platformStart.holding = false;
    qInstallMessageHandler(platformStart.passedOn);
    for (const auto& [type, category, text] : std::exchange(platformStart.held, {}))
        platformStart.passedOn(type, QMessageLogContext(nullptr, 0, nullptr, category.constData()), text);
    xcb_disconnect(std::exchange(platformStart.x11, nullptr));
}

} // namespace tarnelby
