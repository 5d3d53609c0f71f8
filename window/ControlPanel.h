#pragma once

#include "experiment/Experiment.h"
#include "window/CoordinateTable.h"
#include "window/Panel.h"

#include <QPointF>

class QPushButton;

namespace tarnelby {

class DotCounter;

// The control panel at the left: the title, "Begin"/"Stop", the table of the
// chosen points in its etched box, "CLEAR" and the dot counter.
class ControlPanel : public Panel {
    Q_OBJECT

public:
    explicit ControlPanel(QWidget* parent);

    // Fills row `row` (1..10) with a position in twips, as received:
    // (4500, 1500) shows "4500" and "1500", (4500.5, 7) "4500.5" and "7".
    void showPoint(int row, QPointF position);

    // Frees all ten rows at once.
    void clearPoints();

    // The counter shows `count`.
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
