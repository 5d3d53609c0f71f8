#pragma once

#include <QIcon>
#include <QPixmap>

namespace tarnelby {

// The program's icon, 32 by 32, and its pixels repeated up to 128 by 128:
// the main window's icon and the application's.
QIcon programIcon();

// The Read Me panel's picture: 32 by 32 pixels in 16 greys.
QPixmap readMePicture();

} // namespace tarnelby
