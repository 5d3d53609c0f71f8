#include "window/Panel.h"

#include <QMouseEvent>

namespace tarnelby {

Panel::Panel(const QString& name, const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent)
{
    setObjectName(name);
    setFlat(false);
    setAutoFillBackground(true);
}

void Panel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void Panel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void Panel::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

void Panel::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

} // namespace tarnelby
