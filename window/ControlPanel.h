#pragma once

#include "runtime/Runtime.h"
#include "window/Panel.h"

namespace tarnelby {

class CoordinateTable;

// The control panel at the left: the title, "Begin"/"Stop", the table of the
// chosen points in its etched box, "CLEAR" and the dot counter.
class ControlPanel : public Panel {
    Q_OBJECT

public:
    explicit ControlPanel(QWidget* parent);

    CoordinateTable& table() const { return *table_; }

    // The counter shows `count`, and assistive technology reads it as
    // "Number of dots: 18531".
    void setDotCount(Long count);

    // "Stop" while a run goes on, "Begin" otherwise.
    void setRunning(bool running);

signals:
    void beginStopClicked();
    void clearClicked();

private:
    void addRows(int first, int last, const TextLook& look);

    CoordinateTable* table_ = nullptr;
    QPushButton* beginStopButton_ = nullptr;
    QLabel* dotCounter_ = nullptr;
};

// The count as assistive technology reads it: "Number of dots: 18531".
QString spokenCount(Long count);

} // namespace tarnelby
