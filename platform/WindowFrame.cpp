#include "platform/WindowFrame.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace tarnelby {

namespace {

// A window manager that supports the request answers at once; one that is
// stuck must not hold up the start for long.
constexpr int kAnswerTimeoutMs = 500;
constexpr unsigned long kPollIntervalUs = 2000;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The window's CARDINAL[] property `name`, or an empty list.
std::vector<uint32_t> cardinals(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                xcb_atom_t type)
{
    constexpr uint32_t kMaxWords = 1024;
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, kMaxWords), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* words = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {words, words + xcb_get_property_value_length(reply.get()) / 4};
}

bool supports(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t hint)
{
    const std::vector<uint32_t> supported =
        cardinals(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), hint) != supported.end();
}

// Asks the window manager for the extents it would give `window` (left,
// right, top, bottom, in device pixels) the way the desktop's conventions
// allow before mapping: a _NET_REQUEST_FRAME_EXTENTS message, answered by a
// _NET_FRAME_EXTENTS property on the window.
std::vector<uint32_t> requestExtents(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window)
{
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE || !supports(connection, root, request))
        return {};

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    QElapsedTimer waited;
    waited.start();
    do {
        std::vector<uint32_t> answer = cardinals(connection, window, extents, XCB_ATOM_CARDINAL);
        if (answer.size() == 4)
            return answer;
        QThread::usleep(kPollIntervalUs);
    } while (waited.elapsed() < kAnswerTimeoutMs);
    return {};
}

} // namespace

std::optional<QMargins> expectedFrameMargins(const QScreen& screen)
{
    // Other platforms may offer the X11 interface without a connection (offscreen).
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (connection == nullptr || QGuiApplication::platformName() != QLatin1String("xcb"))
        return std::nullopt;
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (root == nullptr)
        return std::nullopt;

    // An unmapped stand-in of the default kind, so that the window itself is
    // created as always, with its position including the frame.
    const xcb_window_t probe = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, root->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, root->root_visual, 0, nullptr);
    const std::vector<uint32_t> extents = requestExtents(connection, root->root, probe);
    xcb_destroy_window(connection, probe);
    xcb_flush(connection);
    if (extents.size() != 4)
        return std::nullopt;

    const qreal ratio = screen.devicePixelRatio();
    const auto logical = [ratio](uint32_t devicePixels) {
        return static_cast<int>(std::lround(devicePixels / ratio));
    };
    return QMargins(logical(extents[0]), logical(extents[2]), logical(extents[1]), logical(extents[3]));
}

} // namespace tarnelby
