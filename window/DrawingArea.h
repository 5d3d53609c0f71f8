#pragma once

#include "runtime/Palette.h"

#include <QImage>
#include <QWidget>

namespace tarnelby {

class DisplayPace;

// The window's black drawing area. It keeps its picture in an image as large
// as the largest area it has had, so a repaint shows the dots and circles
// again and hiding a panel shows what was drawn beneath it. Positions are in
// twips from the top-left corner of the area.
class DrawingArea : public QWidget {
    Q_OBJECT

public:
    explicit DrawingArea(QWidget* parent = nullptr);

    // Sets the pixel that holds (x, y) to a palette colour; off the image it
    // does nothing. The picture changes at once, the screen at the display's pace.
    void PSet(double x, double y, int colour);

    // Draws the outline of a circle centred on (x, y).
    void Circle(double x, double y, double radius, int colour);

    // Fills the whole picture with a palette colour, wiping every dot and circle.
    void setBackColor(int colour);

    // The picture as the user sees it, the size of the area now.
    QImage picture() const;

    QSize sizeHint() const override;

signals:
    // A mouse button was released over the visible drawing area after it was
    // pressed there. The position is in twips.
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);

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
    QRgb backColor_ = QBColor(kBlack);
};

} // namespace tarnelby
