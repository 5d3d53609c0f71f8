#pragma once

#include "window/Panel.h"

namespace tarnelby {

// The Read Me panel: the program's built-in help over the right of the
// drawing area, black with its texts, its picture and its "OK" button. Its
// texts never change.
class ReadMePanel : public Panel {
    Q_OBJECT

public:
    explicit ReadMePanel(QWidget* parent);

signals:
    void okClicked();
};

} // namespace tarnelby
