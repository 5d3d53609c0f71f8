#pragma once

#include <QIcon>

namespace tarnelby {

// The program's icon, 32 by 32, and its pixels repeated up to 128 by 128:
// the main window's icon and the application's.
QIcon programIcon();

} // namespace tarnelby
