#pragma once

#include "experiment/ExperimentState.h"
#include "window/Panel.h"

#include <QPointF>

#include <array>
#include <optional>

class QPushButton;

namespace tarnelby {

// The control panel at the left: the title, "Begin"/"Stop", the table of the
// chosen points in its etched box, "CLEAR" and the dot counter. The table
// keeps its ten rows as data, each free or holding the position that filled
// it, and its labels show them: "none" and "0" for a free row.
class ControlPanel : public Panel {
    Q_OBJECT

public:
    explicit ControlPanel(QWidget* parent);

    // The lowest row (1..10) that holds no point; none when all ten do.
    std::optional<int> firstFreeRow() const;

    // Fills row `row` (1..10) with a position in twips, as received:
    // (4500, 1500) shows "4500" and "1500", (4500.5, 7) "4500.5" and "7".
    void showPoint(int row, QPointF position);

    // The position row `row` holds; none while it is free.
    std::optional<QPointF> pointAt(int row) const;

    // Frees all ten rows at once.
    void clearPoints();

    // The counter shows `count`; on screen at the display's pace. Cheap enough
    // for every step: the text is formed only when it is shown.
    void setDotCount(Long count);

    // "Stop" while a run goes on, "Begin" otherwise.
    void setRunning(bool running);

signals:
    void beginStopClicked();
    void clearClicked();

private:
    struct Row {
        Label* x = nullptr;
        Label* y = nullptr;
        std::optional<QPointF> point;
    };

    void addRows(int first, int last);
    Row& row(int row);
    const Row& row(int row) const;
    static void render(const Row& row);

    std::array<Row, kMaxPoints> rows_{};
    QPushButton* beginStopButton_ = nullptr;
    Label* dotCounter_ = nullptr;
};

} // namespace tarnelby
