#pragma once

#include <QAccessible>
#include <QObject>

#include <deque>

class QWidget;

namespace tarnelby {

// What the window tells assistive technology that no widget shows: what it
// announces, and the part within a widget that the focus moved to. Each text
// told is a part of its own, so that a screen reader takes it as new; the few
// told last stay, for a screen reader that reads them late or asks again
// where the user is, and older ones go.
class Voice : public QObject {
    Q_OBJECT

public:
    // A voice for `window`, which owns it. Also installs, once for all
    // windows, how assistive technology reads the window's own widgets: the
    // panels as named groups of their texts in reading order, decorations and
    // shadows left out; the Read Me picture as a text; the drawing area as a
    // canvas whose value is where its crosshair stands, and whose one part is
    // the crosshair's position as this voice told it last.
    explicit Voice(QWidget* window);
    ~Voice() override;

    // Says `text` at once, wherever the focus is: an announcement where Qt
    // has them (6.8 and later), else a notification that appears in the window.
    void announce(const QString& text);

    // Tells that the focus moved, within the focused `widget`, to a part
    // named `text`, as an item view tells of its current item: a screen
    // reader reads it at once, and again when asked where the user is.
    // Nothing where `widget` does not have the focus.
    void focusPart(QWidget* widget, const QString& text);

    // The part the focus last moved to within `widget`, or null.
    QAccessibleInterface* focusedPart(const QWidget* widget) const;

private:
    QAccessibleInterface* newPart(std::deque<QAccessible::Id>& kept, QWidget* owner, QAccessible::Role role,
                                  const QString& text, QAccessible::Id parentPart = 0);

    std::deque<QAccessible::Id> notifications_;
    std::deque<QAccessible::Id> parts_;
    const QWidget* focusedWidget_ = nullptr;
    QAccessible::Id statusLine_ = 0; // where Qt has no announcements
};

} // namespace tarnelby
