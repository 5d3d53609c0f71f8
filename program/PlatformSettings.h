#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace tarnelby {

// Asks Qt's platform plugins for what suits a window that repaints a few
// pixels 60 times a second. Call it before creating the application: the
// plugins read it when they start.
inline void choosePlatformSettings()
{
    // A frame of a run hands the X server a few dozen pixels. Handed over in
    // shared memory, they make the next frame wait for the server before it
    // paints over them again (the dot counter's box, every frame): a round
    // trip a frame. Sent in the request itself, they need none.
    qputenv("QT_XCB_NO_MITSHM", "1");
}

} // namespace tarnelby
