#pragma once

#include <memory>
#include <string>
#include <utility>

struct xcb_connection_t;

namespace tarnelby {

// A connection to the display server that the window is about to be shown on,
// opened before the application opens its own, so that a display that cannot
// be used is told in words instead of ending the program. Keep it open until
// the application has connected: an X server whose last client leaves resets,
// and turns away whoever connects while it does.
class DisplayConnection {
public:
    // Connects to the X server that `displayName` names (":0", "localhost:1.0"),
    // or to DISPLAY's where `displayName` is empty, with the user's
    // authorization, as Qt's X11 platform does. Writes nothing to stderr, not
    // even the server's own reason for turning the program away.
    static DisplayConnection toX11(const std::string& displayName);

    // Connects to the Wayland compositor's socket where a Wayland client finds
    // it: WAYLAND_DISPLAY ("wayland-0" where unset) in XDG_RUNTIME_DIR, or the
    // absolute path that WAYLAND_DISPLAY gives.
    static DisplayConnection toWayland();

    // True while the server has taken the connection and it is not closed.
    bool isOpen() const;

    // The display as the user names it: ":55", "/run/user/1000/wayland-0".
    const std::string& name() const;

    // Why the display cannot be used, in words for the user ("no X server
    // answers there"); empty where it opened.
    const std::string& problem() const;

    // Lets the server go. Call once the application has its own connection.
    void close();

private:
    struct X11Disconnect {
        void operator()(xcb_connection_t* connection) const;
    };

    // A socket's file descriptor, closed when its owner lets it go; -1 for none.
    class SocketOwner {
    public:
        explicit SocketOwner(int descriptor = -1) : descriptor_(descriptor) {}
        SocketOwner(SocketOwner&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
        SocketOwner& operator=(SocketOwner other) noexcept
        {
            std::swap(descriptor_, other.descriptor_);
            return *this;
        }
        ~SocketOwner();
        int descriptor() const { return descriptor_; }

    private:
        int descriptor_ = -1;
    };

    std::unique_ptr<xcb_connection_t, X11Disconnect> x11_;
    SocketOwner waylandSocket_;
    std::string name_;
    std::string problem_;
};

} // namespace tarnelby
