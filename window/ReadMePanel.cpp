#include "window/ReadMePanel.h"

#include "window/Fonts.h"
#include "window/Geometry.h"

namespace tarnelby {

ReadMePanel::ReadMePanel(QWidget* parent)
    : Panel("Frame2", QString(), parent)
{
    setGeometry(toPixels(twips::kFrame2));
    Command3 = new QPushButton("OK", this);
    Command3->setObjectName("Command3");
}

} // namespace tarnelby
