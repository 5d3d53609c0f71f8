#pragma once

#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <array>
#include <optional>

namespace tarnelby {

// The window's black drawing area, on which the dots and the circles round
// the chosen points are drawn in white. It keeps its picture in an image as
// large as the largest area it has had, so a repaint shows the dots and
// circles again and hiding a panel shows what was drawn beneath it; but never
// beyond the pixels a twip position can address (32767 twips, 2185 pixels),
// where nothing can be drawn: there it shows plain black. The picture is kept
// at the screen's device pixel ratio, so circles are drawn at the screen's
// resolution while a dot stays one pixel of the area.
// Positions are in twips from the top-left corner of the area.
//
// From the keyboard, the area comes after the panels' buttons in the focus
// chain. It shows a crosshair, at its centre at first, while it has the focus
// and the keyboard is in use there: the focus came by Tab or Shift+Tab, or one
// of the area's own keys was pressed since. Those are the arrow keys, which
// show it and move it by a pixel (ten with Shift), and Return, Enter or Space,
// which show it where it is hidden and otherwise pick the point under it as a
// mouse release there would. Focus that arrives any other way (a panel hid,
// the window was activated) and any other key show nothing; a mouse press on
// the area hides it. The crosshair is never part of the picture.
class DrawingArea : public QWidget {
    Q_OBJECT

public:
    explicit DrawingArea(QWidget* parent);

    // Sets the pixel that holds `position` white; off the picture it does
    // nothing. The picture changes at once, the screen at showNewDots().
    void plotDot(QPoint position);

    // Repaints the pixels plotDot() set since the last call: once a frame.
    void showNewDots();

    // Draws the outline of a circle centred on `centre`.
    void drawCircle(QPointF centre, double radius);

    // Wipes every dot and circle: the area is plain black again.
    void wipe();

    // The picture as the user sees it, the size of the area now, at the
    // device pixel ratio it is kept at.
    QImage picture() const;

    // The pixel the crosshair stands on; none before the area first had the focus.
    std::optional<QPoint> crosshair() const { return crosshair_; }
    bool isCrosshairShown() const { return crosshairShown_; }
    // Where the crosshair stands, as assistive technology reads it at each
    // move, as briefly as both coordinates allow: "4500, 1500" (twips, as the
    // table would show the point).
    QString spokenCrosshair() const;

signals:
    // A mouse button was released over the visible drawing area after it was
    // pressed there, or a key picked the point under the crosshair: at
    // `position` in twips.
    void clicked(QPointF position);

    // The crosshair moved to another pixel, or was placed for the first time.
    void crosshairMoved();

    // Escape was pressed while the area had the focus.
    void escapePressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override { pickAt(event->position()); }
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void keep(QSize area);
    void pickAt(QPointF position);
    void setCrosshair(QPoint pixel, bool shown);

    // The dots of about four frames at 1,000 steps a second.
    static constexpr int kUnshownRoom = 64;

    QImage image_;       // at the device pixel ratio `ratio_`
    QRect kept_;         // what `image_` holds, in pixels of the area
    qreal ratio_ = 1.0;
    // The pixels set since the last frame, so that a frame repaints a few
    // scattered pixels, not the rectangle round them that spans most of the
    // area. A count beyond kUnshownRoom means more than were kept: the frame
    // repaints the whole area.
    std::array<QPoint, kUnshownRoom> unshown_{};
    int unshownCount_ = 0;
    std::optional<QPoint> crosshair_;
    bool crosshairShown_ = false;
};

} // namespace tarnelby
