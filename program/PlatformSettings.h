#pragma once

namespace tarnelby {

// Asks Qt's platform plugins for what suits a window that repaints a few
// pixels 60 times a second. Call it before creating the application: the
// plugins read it when they start.
void choosePlatformSettings();

} // namespace tarnelby
