#include "window/DrawingArea.h"

#include "window/DisplayPace.h"
#include "window/Geometry.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tarnelby {

namespace {

QRgb rgbOf(int colour)
{
    return 0xFF000000u | QBColor(colour);
}

} // namespace

DrawingArea::DrawingArea(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("DrawingArea");
    setAttribute(Qt::WA_OpaquePaintEvent);
    growTo(sizeHint());
    pace_ = new DisplayPace(
        [this] {
            update(unshown_);
            unshown_ = {};
        },
        this);
}

QSize DrawingArea::sizeHint() const
{
    return toPixels(twips::kClientWidth, twips::kClientHeight);
}

void DrawingArea::PSet(double x, double y, int colour)
{
    const QRgb rgb = rgbOf(colour);
    const QPoint pixel = toPixel({x, y});
    if (!image_.rect().contains(pixel))
        return;
    image_.setPixel(pixel, rgb);
    unshown_ |= QRect(pixel, QSize(1, 1));
    pace_->request();
}

void DrawingArea::Circle(double x, double y, double radius, int colour)
{
    const QColor pen = QColor::fromRgb(rgbOf(colour));
    const QPointF centre(toPixelsF(x), toPixelsF(y));
    const double r = toPixelsF(radius);
    QPainter painter(&image_);
    painter.setPen(pen);
    painter.drawEllipse(centre, r, r);
    update(QRectF(centre.x() - r - 1, centre.y() - r - 1, 2 * r + 3, 2 * r + 3).toAlignedRect());
}

void DrawingArea::setBackColor(int colour)
{
    backColor_ = rgbOf(colour);
    image_.fill(backColor_);
    update();
}

QImage DrawingArea::picture() const
{
    return image_.copy(rect());
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

void DrawingArea::resizeEvent(QResizeEvent*)
{
    growTo(size());
}

void DrawingArea::growTo(QSize size)
{
    const QSize wanted = size.expandedTo(image_.size());
    if (wanted == image_.size())
        return;
    QImage larger(wanted, QImage::Format_RGB32);
    larger.fill(backColor_);
    QPainter(&larger).drawImage(0, 0, image_);
    image_ = larger;
}

void DrawingArea::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pixel = event->position().toPoint();
    if (!rect().contains(pixel) || childAt(pixel) != nullptr)
        return;
    emit mouseReleased(event->button(), event->modifiers(), toTwips(event->position()));
}

} // namespace tarnelby
