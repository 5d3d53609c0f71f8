#pragma once

#include <QMargins>

#include <optional>

class QScreen;

namespace tarnelby {

// The frame (title bar and borders) that the window manager will put round a
// normal top-level window on `screen`, in logical pixels, asked of it before
// any window is shown. None where the platform is not X11 or the window
// manager does not tell.
std::optional<QMargins> expectedFrameMargins(const QScreen& screen);

} // namespace tarnelby
