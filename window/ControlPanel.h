#pragma once

#include "experiment/ExperimentState.h"
#include "window/CoordinateTable.h"
#include "window/Panel.h"

#include <QPointF>

#include <optional>

class QPushButton;

namespace tarnelby {

class DotCounter;
class FrameClock;

// The control panel at the left: the title, "Begin"/"Stop", the table of the
// chosen points in its etched box, "CLEAR" and the dot counter.
class ControlPanel : public Panel {
    Q_OBJECT

public:
    // The counter shows its count at the pace of `frames`.
    ControlPanel(FrameClock& frames, QWidget* parent);

    // The lowest row (1..10) that holds no point; none when all ten do.
    std::optional<int> firstFreeRow() const;

    // Fills row `row` (1..10) with a position in twips, as received:
    // (4500, 1500) shows "4500" and "1500", (4500.5, 7) "4500.5" and "7".
    void showPoint(int row, QPointF position);

    // Frees all ten rows at once.
    void clearPoints();

    // The counter shows `count`; on screen at the display's pace. Cheap enough
    // for every step.
    void setDotCount(Long count);

    // "Stop" while a run goes on, "Begin" otherwise.
    void setRunning(bool running);

    // Row `row` (1..10) as assistive technology reads it: "Point 1: 4500, 1500".
    QString spokenRow(int row) const;
    // The counter as assistive technology reads it: "Number of dots: 18531".
    QString spokenCount() const;

signals:
    void beginStopClicked();
    void clearClicked();

private:
    void addRows(int first, int last);

    CoordinateTable* table_ = nullptr;
    QPushButton* beginStopButton_ = nullptr;
    DotCounter* dotCounter_ = nullptr;
};

} // namespace tarnelby
