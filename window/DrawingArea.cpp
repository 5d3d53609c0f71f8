#include "window/DrawingArea.h"

#include "window/Geometry.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

namespace tarnelby {

namespace {

constexpr QRgb kBackColour = 0xFF000000u;
constexpr QRgb kDrawingColour = 0xFFFFFFFFu;

// No point or dot lies beyond the largest twip position: the pixel that holds
// it is the last one the picture needs.
const int kLargestKept = toPixels(twips::kLargestCoordinate) + 1;

constexpr int kCrosshairArm = 8;   // pixels from the centre to each arm's end
constexpr int kCrosshairGap = 2;   // the arms leave the pixel under them in sight
constexpr int kLongStride = 10;    // pixels a Shift+arrow moves the crosshair

QSize inDevicePixels(QSize size, qreal ratio)
{
    return {static_cast<int>(std::ceil(size.width() * ratio)),
            static_cast<int>(std::ceil(size.height() * ratio))};
}

// The region of the given pixels, formed at once rather than one pixel at a
// time: a row's pixels in order, side by side ones as one rectangle, the rows
// in order. Sorts `pixels`.
QRegion regionOf(std::span<QPoint> pixels)
{
    std::sort(pixels.begin(), pixels.end(),
              [](QPoint a, QPoint b) { return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x()); });
    QVarLengthArray<QRect> rects;
    for (QPoint pixel : pixels) {
        if (!rects.isEmpty() && rects.back().top() == pixel.y() && rects.back().right() + 1 >= pixel.x())
            rects.back().setRight(pixel.x());
        else
            rects.append(QRect(pixel, QSize(1, 1)));
    }
    QRegion region;
    region.setRects(rects.constData(), static_cast<int>(rects.size()));
    return region;
}

// The arms' pixels and one pixel round them: at a fractional device pixel
// ratio an arm's device pixels straddle the edge of the area's pixels it lies on.
QRect crosshairBox(QPoint centre)
{
    const int reach = kCrosshairArm + 1;
    return {centre - QPoint(reach, reach), QSize(2 * reach + 1, 2 * reach + 1)};
}

// Four arms, each a row or column of whole pixels of the area, that invert
// what lies beneath them, so they show on black and white alike.
void drawCrosshair(QPainter& painter, QPoint c)
{
    const int length = kCrosshairArm - kCrosshairGap + 1;
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor colour = QColor::fromRgb(kDrawingColour);
    painter.fillRect(c.x() - kCrosshairArm, c.y(), length, 1, colour);
    painter.fillRect(c.x() + kCrosshairGap, c.y(), length, 1, colour);
    painter.fillRect(c.x(), c.y() - kCrosshairArm, 1, length, colour);
    painter.fillRect(c.x(), c.y() + kCrosshairGap, 1, length, colour);
}

} // namespace

DrawingArea::DrawingArea(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("drawingArea");
    setAccessibleName("Drawing area");
    setAccessibleDescription("Click to pick a point here. From the keyboard: the arrow keys move the crosshair, "
                             "with Shift ten pixels at a time; Return or Space picks the point under it; "
                             "Escape goes back to Begin.");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
    keep(toPixels(twips::kClientArea).size());
}

void DrawingArea::plotDot(QPoint position)
{
    const QPoint pixel = toPixel(position);
    if (!kept_.contains(pixel))
        return;
    // One pixel of the area: at a ratio of 2, two by two of the picture's.
    const int left = static_cast<int>(pixel.x() * ratio_);
    const int top = static_cast<int>(pixel.y() * ratio_);
    const int right = std::max(left + 1, static_cast<int>((pixel.x() + 1) * ratio_));
    const int bottom = std::max(top + 1, static_cast<int>((pixel.y() + 1) * ratio_));
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            image_.setPixel(x, y, kDrawingColour);
    if (unshownCount_ < kUnshownRoom)
        unshown_[unshownCount_] = pixel;
    unshownCount_ = std::min(unshownCount_ + 1, kUnshownRoom + 1);
}

void DrawingArea::showNewDots()
{
    if (unshownCount_ == 0)
        return;
    // Dots that many are spread over most of the area anyway.
    if (unshownCount_ > kUnshownRoom)
        update();
    else
        update(regionOf(std::span(unshown_.data(), unshownCount_)));
    unshownCount_ = 0;
}

void DrawingArea::drawCircle(QPointF centre, double radius)
{
    const QPointF centrePixels(toPixelsF(centre.x()), toPixelsF(centre.y()));
    const double r = toPixelsF(radius);
    QPainter painter(&image_);
    QPen pen(QColor::fromRgb(kDrawingColour));
    pen.setCosmetic(true); // one pixel of the screen wide, at any ratio
    painter.setPen(pen);
    painter.drawEllipse(centrePixels, r, r);
    update(QRectF(centrePixels.x() - r - 1, centrePixels.y() - r - 1, 2 * r + 3, 2 * r + 3)
               .toAlignedRect());
}

void DrawingArea::wipe()
{
    image_.fill(kBackColour);
    update();
}

// Where the area reaches beyond the kept image, copy() fills the rest with 0,
// which an RGB32 image holds as opaque black: the back colour.
QImage DrawingArea::picture() const
{
    return image_.copy(QRect(QPoint(), inDevicePixels(size(), ratio_)));
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    keep(size()); // anew where the area moved to a screen of another ratio
    QPainter painter(this); // clipped to what is to be repainted
    painter.drawImage(QPoint(), image_);
    if (!kept_.contains(event->rect()))
        for (const QRect& beyond : event->region().subtracted(kept_))
            painter.fillRect(beyond, QColor::fromRgb(kBackColour));
    if (crosshairShown_)
        drawCrosshair(painter, *crosshair_);
}

void DrawingArea::resizeEvent(QResizeEvent*)
{
    keep(size());
    if (crosshair_)
        setCrosshair(*crosshair_, crosshairShown_);
}

// Grows the picture to cover `area`, up to the largest it needs, and keeps it
// at the current device pixel ratio; what was drawn stays.
void DrawingArea::keep(QSize area)
{
    const qreal ratio = devicePixelRatioF();
    const QSize wanted = area.expandedTo(kept_.size()).boundedTo({kLargestKept, kLargestKept});
    if (wanted == kept_.size() && ratio == ratio_)
        return;
    QImage larger(inDevicePixels(wanted, ratio), QImage::Format_RGB32);
    larger.setDevicePixelRatio(ratio);
    larger.fill(kBackColour);
    if (!image_.isNull())
        QPainter(&larger).drawImage(kept_, image_); // whole pixels: never smoothed
    image_ = std::move(larger);
    kept_ = QRect(QPoint(), wanted);
    ratio_ = ratio;
}

void DrawingArea::mousePressEvent(QMouseEvent*)
{
    if (crosshairShown_)
        setCrosshair(*crosshair_, false);
}

// The pixel that holds the position as it came, before any rounding: at a
// device pixel ratio of 3, a release a third of a pixel left of the area lies
// in the pixel -1, outside it. A visible panel over the area takes the click.
void DrawingArea::pickAt(QPointF position)
{
    const QPoint pixel(static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y())));
    if (!rect().contains(pixel) || parentWidget()->childAt(mapToParent(pixel)) != this)
        return;
    emit clicked(toTwips(position));
}

void DrawingArea::keyPressEvent(QKeyEvent* event)
{
    const int stride = event->modifiers().testFlag(Qt::ShiftModifier) ? kLongStride : 1;
    const QPoint at = crosshair_.value_or(rect().center());
    QPoint move;
    switch (event->key()) {
    case Qt::Key_Left: move = {-stride, 0}; break;
    case Qt::Key_Right: move = {stride, 0}; break;
    case Qt::Key_Up: move = {0, -stride}; break;
    case Qt::Key_Down: move = {0, stride}; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // A hidden crosshair is shown first, so that nothing is picked where
        // the user cannot see; a held key picks once, as a held button does.
        if (!crosshairShown_)
            setCrosshair(at, true);
        else if (!event->isAutoRepeat())
            pickAt(at);
        return;
    case Qt::Key_Escape: emit escapePressed(); return;
    default: QWidget::keyPressEvent(event); return;
    }
    setCrosshair(at + move, true);
}

void DrawingArea::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // Only the Tab key brings the focus with these reasons: where the program
    // moves it itself (a panel hid), it gives another.
    setCrosshair(crosshair_.value_or(rect().center()),
                 event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason);
}

void DrawingArea::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (crosshairShown_)
        setCrosshair(*crosshair_, false);
}

// Puts the crosshair on `pixel`, or the nearest pixel of the area, and shows
// or hides it there; tells of a move to another pixel.
void DrawingArea::setCrosshair(QPoint pixel, bool shown)
{
    const QPoint inside(std::clamp(pixel.x(), 0, std::max(0, width() - 1)),
                        std::clamp(pixel.y(), 0, std::max(0, height() - 1)));
    if (crosshair_ == inside && crosshairShown_ == shown)
        return;
    if (crosshairShown_)
        update(crosshairBox(*crosshair_));
    const bool moved = crosshair_ != inside;
    crosshair_ = inside;
    crosshairShown_ = shown;
    if (shown)
        update(crosshairBox(inside));
    if (moved)
        emit crosshairMoved();
}

QString DrawingArea::spokenCrosshair() const
{
    if (!crosshair_)
        return {};
    const QPointF at = toTwips(*crosshair_);
    return QStringLiteral("%1, %2").arg(twipsText(at.x()), twipsText(at.y()));
}

} // namespace tarnelby
