#pragma once

#include <QColor>

namespace tarnelby {

// The desktop's colours for the layout's "system" roles, read from the
// application's palette when a control is built.
QColor systemFace();    // the 3-D face: panels, opaque labels, buttons
QColor systemText();    // the text of labels and buttons
QColor systemOutline(); // the outlines of shapes and lines

} // namespace tarnelby
