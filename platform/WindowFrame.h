#pragma once

#include <QMargins>

#include <cstdint>
#include <optional>

class QScreen;
struct xcb_connection_t;

namespace tarnelby {

// Asks the X11 window manager which frame (title bar and borders) it will put
// round a normal top-level window, and does not wait for the answer: a manager
// that answers does so while the program builds its window, and one that never
// answers holds nothing up. Nothing is asked where the platform is not X11 or
// the manager does not list the request.
class FrameQuery {
public:
    explicit FrameQuery(const QScreen& screen);
    ~FrameQuery();
    FrameQuery(const FrameQuery&) = delete;
    FrameQuery& operator=(const FrameQuery&) = delete;

    // The frame in logical pixels as the window manager has answered by now;
    // none where nothing was asked or no answer has come (yet).
    std::optional<QMargins> answer() const;

private:
    xcb_connection_t* connection_ = nullptr;
    uint32_t probe_ = 0; // the unmapped stand-in the question is about; 0 where none was asked
    uint32_t extentsAtom_ = 0;
    qreal devicePixelRatio_ = 1;
};

} // namespace tarnelby
