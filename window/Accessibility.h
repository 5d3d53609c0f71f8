#pragma once

class QString;
class QWidget;

namespace tarnelby {

// Installs how assistive technology reads the window: the panels as named
// groups of their texts in reading order, decorations and shadows left out;
// the coordinate table as a list of ten points; the counter with its caption;
// the drawing area as a named, described canvas whose value is where its
// crosshair stands. Safe to call more than once.
void installAccessibility();

// Says `text` at once through assistive technology, wherever the focus is:
// an announcement from `widget`'s window where Qt has them (6.8 and later),
// else a notification named `text` that appears in that window. For what
// changes on the screen without the focus moving (a point picked, a run stopped).
void announce(QWidget* widget, const QString& text);

// Tells assistive technology that the focus moved, within the focused
// `widget`, to a part named `text`, as an item view tells of its current
// item: a screen reader reads it at once, and again when asked where the
// user is. Nothing where `widget` does not have the focus.
void focusPart(QWidget* widget, const QString& text);

} // namespace tarnelby
