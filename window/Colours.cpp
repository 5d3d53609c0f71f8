#include "window/Colours.h"

#include <QGuiApplication>
#include <QPalette>

namespace tarnelby {

QColor systemFace()
{
    return QGuiApplication::palette().color(QPalette::Button);
}

QColor systemText()
{
    return QGuiApplication::palette().color(QPalette::ButtonText);
}

QColor systemOutline()
{
    return QGuiApplication::palette().color(QPalette::WindowText);
}

} // namespace tarnelby
