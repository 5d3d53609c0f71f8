#pragma once

#include <QIcon>
#include <QLabel>
#include <QPixmap>

namespace tarnelby {

// A picture drawn pixel by pixel, shown at its own size in pixels of the
// window: on a screen with more device pixels it is enlarged by repeating
// its pixels, never smoothed. Deaf to the mouse.
class PixelArt : public QLabel {
    Q_OBJECT

public:
    PixelArt(const QString& name, const QPixmap& picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The program's icon, 32 by 32, and its pixels repeated up to 128 by 128:
// the main window's icon and the application's.
QIcon programIcon();

} // namespace tarnelby
