#pragma once

#include "window/Label.h"
#include "window/Panel.h"

#include <QPushButton>

#include <array>

namespace tarnelby {

// One row of the coordinate table. The row is free while its X label reads
// "none"; its Y label then reads "0".
struct CoordinateRow {
    Label* x = nullptr;
    Label* y = nullptr;
};

// The control panel at the left: title, "Begin"/"Stop", the coordinate table
// in its etched box, "CLEAR" and the dot counter. It owns its controls; the
// window wires their clicks.
class ControlPanel : public Panel {
    Q_OBJECT

public:
    explicit ControlPanel(QWidget* parent);

    QPushButton* Command1 = nullptr; // "Begin" / "Stop"
    QPushButton* Command2 = nullptr; // "CLEAR"
    Label* Label8 = nullptr;         // the dot counter
    std::array<CoordinateRow, 10> CoordinateTable{};
};

} // namespace tarnelby
