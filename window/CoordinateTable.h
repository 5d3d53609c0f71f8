#pragma once

#include "experiment/ExperimentState.h"

#include <QPointF>
#include <QRect>
#include <QLabel>

#include <array>
#include <optional>

namespace tarnelby {


// The table of the chosen points on the control panel: ten rows, each free
// or holding the position that filled it, shown by its pair of labels ("none"
// and "0" while free). Assistive technology reads it as a list under its
// heading, one row a point: "Point 1: 4500, 1500", "Point 2: free".
//
// The widget itself lies over the rows' labels and draws nothing: it is there
// for the keyboard. It takes the focus by Tab (just before "Begin") and the
// arrow keys, Home and End move through its rows, each told to assistive
// technology as the focused item of a list; the screen shows no change.
class CoordinateTable : public QWidget {
    Q_OBJECT

public:
    // A table on `panel` under the label `heading`; its rows get their labels
    // from setRowLabels().
    CoordinateTable(const QLabel& heading, QWidget* panel);

    void setRowLabels(int row, QLabel* x, QLabel* y);

    // The lowest row (1..10) that holds no point; none when all ten do.
    std::optional<int> firstFreeRow() const;

    // Fills row `row` (1..10) with a position in twips, as received:
    // (4500, 1500) shows "4500" and "1500", (4500.5, 7) "4500.5" and "7".
    void showPoint(int row, QPointF position);

    // Frees all ten rows at once.
    void clear();

    QString heading() const;
    QString spokenRow(int row) const;
    // Where row `row` lies, in the panel's coordinates.
    QRect rowGeometry(int row) const;
    QWidget* panel() const;
    // The row (1..10) the keyboard is on.
    int currentRow() const { return current_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    struct Row {
        QLabel* x = nullptr;
        QLabel* y = nullptr;
        std::optional<QPointF> point;
    };

    Row& row(int row);
    const Row& row(int row) const;
    void render(int row);

    void tellCurrentRow();

    const QLabel& heading_;
    std::array<Row, kMaxPoints> rows_{};
    int current_ = 1;
};

} // namespace tarnelby
