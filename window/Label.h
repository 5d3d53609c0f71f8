#pragma once

#include "runtime/Numbers.h"
#include "window/NumberGlyphs.h"

#include <QLabel>

#include <optional>
#include <variant>

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
    QString caption() const;
    void setCaption(const QString& caption);
    void setPaced(bool paced);

    // Makes the caption a whole number's text: 1500 shows "1500". The number
    // is kept as it is and drawn from glyphs shaped once for the label's
    // font; its text is formed only when caption() asks for it or the box
    // must fit a wider or narrower number, so a paced counter costs no text
    // per change and, while its width stays, none per frame.
    void setNumber(Long number);

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
    void paintEvent(QPaintEvent* event) override;

private:
    void captionChanged();
    void showCaption();
    QSize fittingSize();
    const NumberGlyphs* numberGlyphs();

    Sizing sizing_ = Sizing::Wraps;
    std::variant<QString, Long> caption_;
    QString spokenName_;
    DisplayPace* pace_ = nullptr;

    // The number the screen shows, where the caption is one.
    std::optional<Long> shownNumber_;
    // The glyphs of numbers in the label's font, shaped when first needed.
    std::optional<NumberGlyphs> glyphs_;
    bool glyphsShaped_ = false;
    // The size of the last number's text: numbers as wide take the same.
    qreal fittedWidth_ = -1;
    QSize fittedSize_;
};

} // namespace tarnelby
