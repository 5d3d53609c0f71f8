#include "window/DisplayCheck.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace tarnelby {

namespace {

bool displayNamed()
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

} // namespace

void exitUnlessDisplayNamed()
{
    if (displayNamed())
        return;
    std::fputs("tarnelby: needs a graphical display, but none is set (DISPLAY, WAYLAND_DISPLAY or "
               "QT_QPA_PLATFORM)\n",
               stderr);
    std::exit(EXIT_FAILURE);
}

} // namespace tarnelby
