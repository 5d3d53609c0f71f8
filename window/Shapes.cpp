#include "window/Shapes.h"

#include <QPainter>

namespace tarnelby {

namespace {

void makeDecoration(QWidget* widget, const QString& name)
{
    widget->setObjectName(name);
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget->setAttribute(Qt::WA_NoSystemBackground);
    widget->setFocusPolicy(Qt::NoFocus);
}

} // namespace

Shape::Shape(const QString& name, const QColor& outline, QWidget* parent)
    : QWidget(parent)
    , outline_(outline)
{
    makeDecoration(this, name);
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(outline_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

Line::Line(const QString& name, const QColor& colour, QWidget* parent)
    : QWidget(parent)
    , colour_(colour)
{
    makeDecoration(this, name);
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), colour_);
}

} // namespace tarnelby
