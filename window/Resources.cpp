#include "window/Resources.h"

// The pictures are compiled into this static library, whose linker would
// otherwise drop their registration: register them before the first use.
static void registerResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(tarnelby);
        return true;
    }();
    (void)registered;
}

namespace tarnelby {

namespace {

constexpr int kLargestIconFactor = 4;

} // namespace

QIcon programIcon()
{
    registerResources();
    const QPixmap drawn(QStringLiteral(":/tarnelby.png"));
    QIcon icon(drawn);
    // Larger sizes by repeating pixels, so that the pixel art stays sharp on
    // screens with more device pixels.
    for (int factor = 2; factor <= kLargestIconFactor; ++factor)
        icon.addPixmap(drawn.scaled(drawn.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return icon;
}

QPixmap readMePicture()
{
    registerResources();
    return QPixmap(QStringLiteral(":/readme-picture.xpm"));
}

} // namespace tarnelby
