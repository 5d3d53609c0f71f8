#pragma once

#include <QWidget>

namespace tarnelby {

// An unfilled rectangle with a 1-pixel outline, drawn inside its box.
class Shape : public QWidget {
    Q_OBJECT

public:
    Shape(const QString& name, const QColor& outline, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor outline_;
};

// A 1-pixel vertical line filling its box, which is one pixel wide.
class Line : public QWidget {
    Q_OBJECT

public:
    Line(const QString& name, const QColor& colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

} // namespace tarnelby
