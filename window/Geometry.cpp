#include "window/Geometry.h"

#include "runtime/Runtime.h"

#include <cmath>

namespace tarnelby {

int toPixels(int twipsValue) noexcept
{
    return static_cast<int>(std::floor(static_cast<double>(twipsValue) / twips::kPerPixel));
}

double toPixelsF(double twipsValue) noexcept
{
    return twipsValue / twips::kPerPixel;
}

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

QString twipsText(double twipsValue)
{
    return QString::fromStdString(toText(static_cast<Single>(twipsValue)));
}

} // namespace tarnelby
