#pragma once

#include <QColor>
#include <QWidget>

namespace tarnelby {

// A line or a box drawn on a panel in one colour, deaf to the mouse and the
// keyboard: the outline of its box (the etched box round the table), or its
// whole box filled (a line one pixel wide).
class Decoration : public QWidget {
public:
    enum class Style { Outline, Filled };

    Decoration(const QString& name, Style style, const QColor& colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Style style_;
    QColor colour_;
};

} // namespace tarnelby
