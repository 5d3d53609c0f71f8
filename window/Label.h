#pragma once

#include <QLabel>

namespace tarnelby {

// A label of the layout: plain text (runs of spaces and quotes stand as given),
// left-aligned, no border, never focused, mouse events left to its panel.
// A label that fits its text takes the size of its text on one line whenever
// its caption changes, keeping its Left and Top; any other label keeps its box
// and wraps at word boundaries.
class Label : public QLabel {
    Q_OBJECT

public:
    enum class Sizing { FitsText, Wraps };

    Label(const QString& name, const QString& caption, Sizing sizing, QWidget* parent);

    void setCaption(const QString& caption);

    bool fitsText() const { return sizing_ == Sizing::FitsText; }

private:
    Sizing sizing_ = Sizing::Wraps;
};

} // namespace tarnelby
