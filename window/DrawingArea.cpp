#include "window/DrawingArea.h"

#include "runtime/Numbers.h"
#include "runtime/Palette.h"
#include "window/DisplayPace.h"
#include "window/Geometry.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <utility>

namespace tarnelby {

namespace {

const QRgb kBackColour = 0xFF000000u | QBColor(kBlack);
const QRgb kDrawingColour = 0xFF000000u | QBColor(kWhite);

// No point or dot lies beyond the largest twip position: the pixel that holds
// it is the last one the picture needs.
const int kLargestKept = toPixels(std::numeric_limits<Integer>::max()) + 1;

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

} // namespace

DrawingArea::DrawingArea(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("drawingArea");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
    keep(sizeHint());
    pace_ = new DisplayPace([this] { showUnshown(); }, this);
}

QSize DrawingArea::sizeHint() const
{
    return toPixels(twips::kClientWidth, twips::kClientHeight);
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
    pace_->request();
}

void DrawingArea::showUnshown()
{
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

QImage DrawingArea::picture() const
{
    const QRect area(QPoint(), inDevicePixels(size(), ratio_));
    if (QRect(QPoint(), image_.size()).contains(area))
        return image_.copy(area);
    QImage whole(area.size(), QImage::Format_RGB32);
    whole.setDevicePixelRatio(ratio_);
    whole.fill(kBackColour);
    QPainter(&whole).drawImage(QPoint(), image_);
    return whole;
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    if (devicePixelRatioF() != ratio_) // moved to a screen of another ratio
        keep(size());
    QPainter painter(this);
    const QRect shown = event->rect() & kept_;
    if (!shown.isEmpty())
        painter.drawImage(shown, image_,
                          QRectF(QPointF(shown.topLeft()) * ratio_, QSizeF(shown.size()) * ratio_));
    if (!kept_.contains(event->rect()))
        for (const QRect& beyond : event->region().subtracted(kept_))
            painter.fillRect(beyond, QColor::fromRgb(kBackColour));
    if (hasFocus() && crosshair_)
        drawCrosshair(painter);
}

void DrawingArea::resizeEvent(QResizeEvent*)
{
    keep(size());
    if (crosshair_)
        placeCrosshair(*crosshair_);
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

void DrawingArea::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event)
{
    pickAt(event->position());
}

void DrawingArea::pickAt(QPointF pixel)
{
    const QPoint whole = pixel.toPoint();
    if (!rect().contains(whole) || childAt(whole) != nullptr)
        return;
    emit clicked(toTwips(pixel));
}

void DrawingArea::keyPressEvent(QKeyEvent* event)
{
    const int stride = event->modifiers().testFlag(Qt::ShiftModifier) ? kLongStride : 1;
    const QPoint at = crosshair_.value_or(rect().center());
    switch (event->key()) {
    case Qt::Key_Left: placeCrosshair(at - QPoint(stride, 0)); break;
    case Qt::Key_Right: placeCrosshair(at + QPoint(stride, 0)); break;
    case Qt::Key_Up: placeCrosshair(at - QPoint(0, stride)); break;
    case Qt::Key_Down: placeCrosshair(at + QPoint(0, stride)); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat()) // a held key picks once, as a held button does
            pickAt(at);
        break;
    case Qt::Key_Escape: emit escapePressed(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void DrawingArea::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    placeCrosshair(crosshair_.value_or(rect().center()));
    update(crosshairBox());
}

void DrawingArea::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update(crosshairBox());
}

// Puts the crosshair on `pixel`, or the nearest pixel of the area.
void DrawingArea::placeCrosshair(QPoint pixel)
{
    const QPoint inside(std::clamp(pixel.x(), 0, std::max(0, width() - 1)),
                        std::clamp(pixel.y(), 0, std::max(0, height() - 1)));
    if (crosshair_ == inside)
        return;
    if (crosshair_)
        update(crosshairBox());
    crosshair_ = inside;
    update(crosshairBox());
    if (hasFocus()) {
        QAccessibleValueChangeEvent moved(this, spokenCrosshair());
        QAccessible::updateAccessibility(&moved);
    }
}

QString DrawingArea::spokenCrosshair() const
{
    if (!crosshair_)
        return {};
    const QPointF at = toTwips(*crosshair_);
    return QStringLiteral("Crosshair at %1, %2")
        .arg(twipsText(at.x()), twipsText(at.y()));
}

QRect DrawingArea::crosshairBox() const
{
    if (!crosshair_)
        return {};
    return {*crosshair_ - QPoint(kCrosshairArm, kCrosshairArm),
            QSize(2 * kCrosshairArm + 1, 2 * kCrosshairArm + 1)};
}

// Four arms that invert what lies beneath them, so they show on black and white alike.
void DrawingArea::drawCrosshair(QPainter& painter) const
{
    const QPoint c = *crosshair_;
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QColor::fromRgb(kDrawingColour));
    painter.drawLine(c.x() - kCrosshairArm, c.y(), c.x() - kCrosshairGap, c.y());
    painter.drawLine(c.x() + kCrosshairGap, c.y(), c.x() + kCrosshairArm, c.y());
    painter.drawLine(c.x(), c.y() - kCrosshairArm, c.x(), c.y() - kCrosshairGap);
    painter.drawLine(c.x(), c.y() + kCrosshairGap, c.x(), c.y() + kCrosshairArm);
}

} // namespace tarnelby
