#include "window/Geometry.h"

#include <cmath>

namespace tarnelby {

QPoint toPixel(QPointF twipsPosition) noexcept
{
    return {static_cast<int>(std::floor(toPixelsF(twipsPosition.x()))),
            static_cast<int>(std::floor(toPixelsF(twipsPosition.y())))};
}

QRect toPixels(const twips::Box& box) noexcept
{
    return {toPixels(box.left), toPixels(box.top), toPixels(box.width), toPixels(box.height)};
}

QRect toPixels(const twips::VerticalLine& line) noexcept
{
    return QRect(QPoint(toPixels(line.x), toPixels(line.top)),
                 QPoint(toPixels(line.x), toPixels(line.bottom)));
}

QPointF toTwips(QPointF pixels) noexcept
{
    return {static_cast<float>(pixels.x() * twips::kPerPixel),
            static_cast<float>(pixels.y() * twips::kPerPixel)};
}

} // namespace tarnelby
