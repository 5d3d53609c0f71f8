#include "platform/WindowFrame.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace tarnelby {

namespace {

template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply)
{
    return {reply, &std::free};
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The window's property `name` of 32-bit words, or an empty list.
std::vector<uint32_t> words(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    constexpr uint32_t kMaxWords = 1024;
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, kMaxWords), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* first = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {first, first + xcb_get_property_value_length(reply.get()) / 4};
}

// The window's _NET_FRAME_EXTENTS, in device pixels; all zero where it has none.
QMargins frameExtents(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t extentsAtom)
{
    // Left, right, top, bottom.
    const std::vector<uint32_t> extents = words(connection, window, extentsAtom, XCB_ATOM_CARDINAL);
    return extents.size() == 4 ? QMargins(extents[0], extents[2], extents[1], extents[3]) : QMargins();
}

} // namespace

WindowFrame::WindowFrame()
{
    // Other platforms may offer the X11 interface without a connection (offscreen).
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    connection_ = x11->connection();
    extentsAtom_ = atom(connection_, "_NET_FRAME_EXTENTS");
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    const xcb_atom_t request = atom(connection_, "_NET_REQUEST_FRAME_EXTENTS");
    const std::vector<uint32_t> supported =
        words(connection_, root->root, atom(connection_, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (std::ranges::find(supported, request) == supported.end())
        return;

    // An unmapped stand-in of the default kind, so that the window itself is
    // created as always, with its position including the frame. The answer is
    // a _NET_FRAME_EXTENTS property on it.
    probe_ = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, probe_, root->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, root->root_visual, 0, nullptr);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = probe_;
    message.type = request;
    xcb_send_event(connection_, 0, root->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

// The toolkit's own connection sends the destruction along with its next requests.
WindowFrame::~WindowFrame()
{
    if (probe_ != 0)
        xcb_destroy_window(connection_, probe_);
}

QMargins WindowFrame::answer() const
{
    return probe_ == 0 ? QMargins() : frameExtents(connection_, probe_, extentsAtom_);
}

void WindowFrame::follow(const QWindow& window, Reported reported)
{
    if (probe_ != 0)
        xcb_destroy_window(connection_, std::exchange(probe_, 0));
    window_ = static_cast<uint32_t>(window.winId());
    reported_ = std::move(reported);
    // The toolkit selects the window's property changes itself.
    if (connection_ != nullptr)
        QCoreApplication::instance()->installNativeEventFilter(this);
}

bool WindowFrame::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/)
{
    constexpr uint8_t kSentByClient = 0x80;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (eventType != "xcb_generic_event_t" || (event->response_type & ~kSentByClient) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
    if (change->window != window_ || change->atom != extentsAtom_ || change->state != XCB_PROPERTY_NEW_VALUE)
        return false;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    reported_(frameExtents(connection_, window_, extentsAtom_));
    return false;
}

} // namespace tarnelby
