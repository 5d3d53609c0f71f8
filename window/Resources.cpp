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

QIcon programIcon()
{
    registerResources();
    return QIcon(QStringLiteral(":/tarnelby.png"));
}

QPixmap readMePicture()
{
    registerResources();
    return QPixmap(QStringLiteral(":/readme-picture.xpm"));
}

} // namespace tarnelby
