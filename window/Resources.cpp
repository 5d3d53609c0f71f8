#include "window/Resources.h"

namespace tarnelby {

namespace {

constexpr int kLargestIconFactor = 4;

} // namespace

QIcon programIcon()
{
    const QPixmap drawn(QStringLiteral(":/tarnelby.png"));
    QIcon icon(drawn);
    // Larger sizes by repeating pixels, so that the pixel art stays sharp on
    // screens with more device pixels.
    for (int factor = 2; factor <= kLargestIconFactor; ++factor)
        icon.addPixmap(drawn.scaled(drawn.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return icon;
}

} // namespace tarnelby
