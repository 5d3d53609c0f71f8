#pragma once

namespace tarnelby {

// Installs how assistive technology reads the window: the panels as named
// groups of their texts in reading order, decorations and shadows left out;
// the coordinate table as a list of ten points; the counter with its caption;
// the drawing area as a named, described canvas whose value is where its
// crosshair stands. Safe to call more than once.
void installAccessibility();

} // namespace tarnelby
