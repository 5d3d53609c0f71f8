#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QWindow>

#include <cstdint>
#include <functional>
#include <optional>

struct xcb_connection_t;

namespace tarnelby {

// Asks the X11 window manager which frame (title bar and borders) it will put
// round a normal top-level window, and does not wait for the answer: a manager
// that answers does so while the program builds its window, and one that never
// answers holds nothing up. Nothing is asked where the platform is not X11 or
// the manager does not list the request.
class FrameQuery {
public:
    FrameQuery();
    ~FrameQuery();
    FrameQuery(const FrameQuery&) = delete;
    FrameQuery& operator=(const FrameQuery&) = delete;

    // The frame in device pixels as the window manager has answered by now;
    // none where nothing was asked or no answer has come (yet).
    std::optional<QMargins> answer() const;

private:
    xcb_connection_t* connection_ = nullptr;
    uint32_t probe_ = 0; // the unmapped stand-in the question is about; 0 where none was asked
    uint32_t extentsAtom_ = 0;
};

// Tells the first frame the X11 window manager reports round a window, in
// device pixels, as it comes: the frame it puts round the window as it maps
// it, all zero where it adds none. Only the first: a later change (the
// decorations switched, the manager restarted) is not told. Nothing is told
// where the platform is not X11 or no manager reports a frame.
class FrameReport : public QAbstractNativeEventFilter {
public:
    using Reported = std::function<void(const QMargins& frame)>;

    // `window` must have its native window already (QWindow::create()).
    FrameReport(const QWindow& window, Reported reported);
    FrameReport(const FrameReport&) = delete;
    FrameReport& operator=(const FrameReport&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    xcb_connection_t* connection_ = nullptr;
    uint32_t window_ = 0;
    uint32_t extentsAtom_ = 0;
    Reported reported_;
};

} // namespace tarnelby
