#include "window/Decoration.h"

#include <QPainter>

namespace tarnelby {

Decoration::Decoration(const QString& name, Style style, const QColor& colour, QWidget* parent)
    : QWidget(parent)
    , style_(style)
    , colour_(colour)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void Decoration::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (style_ == Style::Filled) {
        painter.fillRect(rect(), colour_);
        return;
    }
    painter.setPen(colour_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace tarnelby
