#include "platform/DisplayConnection.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace tarnelby {

namespace {

constexpr const char* kDefaultWaylandDisplay = "wayland-0";

// Runs `connect` with stderr sent to a pipe, and returns what was written
// there. libxcb writes the reason an X server gives for turning a client away
// straight to stderr; the program says it in a line of its own instead. The
// pipe does not block, so a long reason cannot hang the connection.
template <typename Connect>
std::string capturingStderr(Connect connect)
{
    int ends[2];
    const int savedStderr = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (savedStderr < 0 || ::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (savedStderr >= 0)
            ::close(savedStderr);
        connect();
        return {};
    }
    ::dup2(ends[1], STDERR_FILENO);
    ::close(ends[1]);
    connect();
    ::dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);

    std::string written;
    char buffer[512];
    ssize_t count = 0;
    while ((count = ::read(ends[0], buffer, sizeof buffer)) > 0)
        written.append(buffer, static_cast<std::size_t>(count));
    ::close(ends[0]);
    return written;
}

std::string withoutTrailingSpace(std::string text)
{
    text.erase(text.find_last_not_of(" \t\r\n") + 1);
    return text;
}

std::string x11Problem(int error, const std::string& refusal)
{
    switch (error) {
    case XCB_CONN_CLOSED_PARSE_ERR:
        return "that is not the name of an X display";
    case XCB_CONN_CLOSED_INVALID_SCREEN:
        return "the X server there has no such screen";
    case XCB_CONN_CLOSED_MEM_INSUFFICIENT:
        return "out of memory";
    default:
        // The server answered and gave a reason: no authorization, too many
        // clients. Without a reason, nothing answered at all.
        if (refusal.empty())
            return "no X server answers there";
        return "the X server refused the connection: " + refusal;
    }
}

std::string waylandProblem(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ECONNREFUSED:
        return "no Wayland compositor answers there";
    case EACCES:
    case EPERM:
        return "the compositor's socket refused the connection: permission denied";
    default:
        return std::generic_category().message(error);
    }
}

} // namespace

DisplayConnection DisplayConnection::toX11(const std::string& displayName)
{
    DisplayConnection display;
    const char* fromEnvironment = std::getenv("DISPLAY");
    display.name_ = !displayName.empty() ? displayName : fromEnvironment != nullptr ? fromEnvironment : "";
    if (display.name_.empty()) {
        display.problem_ = "no X display is named";
        return display;
    }
    // Asking for the screen number has libxcb check that the server has it.
    int screen = 0;
    const std::string refusal = withoutTrailingSpace(
        capturingStderr([&] { display.x11_.reset(xcb_connect(display.name_.c_str(), &screen)); }));
    // libxcb hands back a connection object even where connecting failed.
    if (const int error = xcb_connection_has_error(display.x11_.get()); error != 0) {
        display.problem_ = x11Problem(error, refusal);
        display.x11_.reset();
    }
    return display;
}

DisplayConnection DisplayConnection::toWayland()
{
    DisplayConnection display;
    const char* named = std::getenv("WAYLAND_DISPLAY");
    const std::string socketName = named != nullptr ? named : kDefaultWaylandDisplay;
    if (socketName.starts_with('/')) {
        display.name_ = socketName;
    } else {
        const char* runtimeDirectory = std::getenv("XDG_RUNTIME_DIR");
        if (runtimeDirectory == nullptr || *runtimeDirectory == '\0') {
            display.name_ = socketName;
            display.problem_ = "XDG_RUNTIME_DIR, where its socket lies, is not set";
            return display;
        }
        display.name_ = std::string(runtimeDirectory) + '/' + socketName;
    }

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (display.name_.size() >= sizeof address.sun_path) {
        display.problem_ = "the path of its socket is too long";
        return display;
    }
    std::memcpy(address.sun_path, display.name_.c_str(), display.name_.size() + 1);
    SocketOwner socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.descriptor() < 0
        || ::connect(socket.descriptor(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        display.problem_ = waylandProblem(errno);
        return display;
    }
    display.waylandSocket_ = std::move(socket);
    return display;
}

void DisplayConnection::X11Disconnect::operator()(xcb_connection_t* connection) const
{
    xcb_disconnect(connection);
}

DisplayConnection::SocketOwner::~SocketOwner()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

bool DisplayConnection::isOpen() const
{
    return x11_ != nullptr || waylandSocket_.descriptor() >= 0;
}

const std::string& DisplayConnection::name() const
{
    return name_;
}

const std::string& DisplayConnection::problem() const
{
    return problem_;
}

void DisplayConnection::close()
{
    x11_.reset();
    waylandSocket_ = SocketOwner();
}

} // namespace tarnelby
