#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QWindow>

#include <cstdint>
#include <functional>

struct xcb_connection_t;

namespace tarnelby {

// The frame (title bar and borders) that the X11 window manager puts round a
// normal top-level window, in device pixels. Nothing is asked or heard where
// the platform is not X11; nothing is asked where the manager does not list
// the request.
class WindowFrame : public QAbstractNativeEventFilter {
public:
    using Reported = std::function<void(const QMargins& frame)>;

    // Asks the manager which frame it will put round such a window, and does
    // not wait for the answer: a manager that answers does so while the
    // program builds its window, and one that never answers holds nothing up.
    WindowFrame();
    ~WindowFrame() override;

    // The frame as the manager has answered by now; all zero where nothing
    // was asked or no answer has come (yet).
    QMargins answer() const;

    // Ends the question, and from now on tells `reported` the first frame the
    // manager reports round `window` as it maps it, all zero where it adds
    // none. Only the first: a later change (the decorations switched, the
    // manager restarted) is not told. `window` must have its native window
    // already (QWindow::create()).
    void follow(const QWindow& window, Reported reported);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    xcb_connection_t* connection_ = nullptr;
    uint32_t extentsAtom_ = 0;
    uint32_t probe_ = 0;  // the unmapped stand-in the question is about; 0 where none is asked
    uint32_t window_ = 0;
    Reported reported_;
};

} // namespace tarnelby
