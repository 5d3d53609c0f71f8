#include "window/PixelArt.h"

#include <QPainter>

namespace tarnelby {

PixelArt::PixelArt(const QString& name, const QPixmap& picture, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(name);
    setPixmap(picture);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PixelArt::paintEvent(QPaintEvent*)
{
    const QPixmap picture = pixmap();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(QRect(QPoint(), picture.deviceIndependentSize().toSize()), picture);
}

} // namespace tarnelby
