#pragma once

#include <QLabel>

namespace tarnelby {

class DisplayPace;

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

    // The caption is the label's state and changes at once; a paced label
    // shows it on screen at the display's pace (a counter that changes every
    // millisecond), any other label shows it at once.
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    void setPaced(bool paced);

    // Fills the box with `colour` before the text is drawn.
    void setOpaque(const QColor& colour);
    void setTextColour(const QColor& colour);

    bool fitsText() const { return sizing_ == Sizing::FitsText; }

    // What assistive technology reads: the caption, or with a spoken name
    // "<name>: <caption>" ("Number of dots: 18531"); always the current
    // caption, also while the screen still shows an older one.
    QString spokenText() const;
    // A label with a spoken name tells assistive technology of a change only
    // when announce() is called, not whenever its caption changes.
    void setSpokenName(const QString& name);
    void announce();

protected:
    void changeEvent(QEvent* event) override;

private:
    void showCaption();

    Sizing sizing_ = Sizing::Wraps;
    QString caption_;
    QString spokenName_;
    DisplayPace* pace_ = nullptr;
};

} // namespace tarnelby
