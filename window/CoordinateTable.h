#pragma once

#include "experiment/Experiment.h"

#include <QListView>
#include <QStringListModel>

#include <array>
#include <optional>

class QLabel;

namespace tarnelby {

// The table of the chosen points on the control panel: ten rows, each free
// or holding the position that filled it, shown by its pair of labels ("none"
// and "0" while free).
//
// For the keyboard and assistive technology it is a list under its heading,
// one item a row: "Point 1: 4500, 1500", "Point 2: free". The list's view
// lies over the rows' labels and draws nothing: Tab reaches it just before
// "Begin", and the arrow keys, Home and End move through its rows, each told
// as the list's current item; the screen shows no change.
class CoordinateTable : public QListView {
    Q_OBJECT

public:
    // A table on `panel`, named by the label `heading`; its rows get their
    // labels from setRowLabels().
    CoordinateTable(const QLabel& heading, QWidget* panel);

    void setRowLabels(int row, QLabel* x, QLabel* y);

    // Shows row `row` (1..10) holding `point`, in twips as received:
    // (4500, 1500) shows "4500" and "1500", (4500.5, 7) "4500.5" and "7";
    // free where there is none.
    void showRow(int row, std::optional<Position> point);

    // Frees all ten rows at once.
    void clear();

protected:
    void paintEvent(QPaintEvent*) override {}
    void focusInEvent(QFocusEvent* event) override;

private:
    struct Row {
        QLabel* x = nullptr;
        QLabel* y = nullptr;
    };

    std::array<Row, kMaxPoints> rows_{};
    QStringListModel spoken_;
};

// Row `row` (1..10) as assistive technology reads it: "Point 1: 4500, 1500",
// "Point 2: free".
QString spokenRow(int row, std::optional<Position> point);

} // namespace tarnelby
