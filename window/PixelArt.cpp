#include "window/PixelArt.h"

#include <QPainter>

namespace tarnelby {

PixelArt::PixelArt(const QString& name, const QPixmap& picture, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(name);
    setPixmap(picture);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PixelArt::paintEvent(QPaintEvent*)
{
    const QPixmap picture = pixmap();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(QRect(QPoint(), picture.deviceIndependentSize().toSize()), picture);
}

QIcon programIcon()
{
    constexpr int kLargestFactor = 4;
    const QPixmap drawn(QStringLiteral(":/tarnelby.png"));
    QIcon icon(drawn);
    // Larger sizes by repeating pixels, so that the pixel art stays sharp on
    // screens with more device pixels.
    for (int factor = 2; factor <= kLargestFactor; ++factor)
        icon.addPixmap(drawn.scaled(drawn.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return icon;
}

} // namespace tarnelby
