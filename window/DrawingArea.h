#pragma once

#include <QImage>
#include <QWidget>

namespace tarnelby {

class DisplayPace;

// The window's black drawing area, on which the dots and the circles round
// the chosen points are drawn in white. It keeps its picture in an image as
// large as the largest area it has had, so a repaint shows the dots and
// circles again and hiding a panel shows what was drawn beneath it.
// Positions are in twips from the top-left corner of the area.
class DrawingArea : public QWidget {
    Q_OBJECT

public:
    explicit DrawingArea(QWidget* parent = nullptr);

    // Sets the pixel that holds `position` white; off the picture it does
    // nothing. The picture changes at once, the screen at the display's pace.
    void plotDot(QPoint position);

    // Draws the outline of a circle centred on `centre`.
    void drawCircle(QPointF centre, double radius);

    // Wipes every dot and circle: the area is plain black again.
    void wipe();

    // The picture as the user sees it, the size of the area now.
    QImage picture() const;

    QSize sizeHint() const override;

signals:
    // A mouse button was released over the visible drawing area after it was
    // pressed there, at `position` in twips.
    void clicked(QPointF position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void growTo(QSize size);

    QImage image_;
    QRect unshown_;  // set pixels not yet handed to the screen
    DisplayPace* pace_ = nullptr;
};

} // namespace tarnelby
