#include "window/DrawingArea.h"

#include "runtime/Palette.h"
#include "window/DisplayPace.h"
#include "window/Geometry.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tarnelby {

namespace {

const QRgb kBackColour = 0xFF000000u | QBColor(kBlack);
const QRgb kDrawingColour = 0xFF000000u | QBColor(kWhite);

} // namespace

DrawingArea::DrawingArea(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("drawingArea");
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

void DrawingArea::plotDot(QPoint position)
{
    const QPoint pixel = toPixel(position);
    if (!image_.rect().contains(pixel))
        return;
    image_.setPixel(pixel, kDrawingColour);
    unshown_ |= QRect(pixel, QSize(1, 1));
    pace_->request();
}

void DrawingArea::drawCircle(QPointF centre, double radius)
{
    const QPointF centrePixels(toPixelsF(centre.x()), toPixelsF(centre.y()));
    const double r = toPixelsF(radius);
    QPainter painter(&image_);
    painter.setPen(QColor::fromRgb(kDrawingColour));
    painter.drawEllipse(centrePixels, r, r);
    update(QRectF(centrePixels.x() - r - 1, centrePixels.y() - r - 1, 2 * r + 3, 2 * r + 3)
               .toAlignedRect());
}

void DrawingArea::wipe()
{
    image_.fill(kBackColour);
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
    larger.fill(kBackColour);
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
    emit clicked(toTwips(event->position()));
}

} // namespace tarnelby
