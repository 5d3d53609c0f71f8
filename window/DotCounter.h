#pragma once

#include "runtime/Numbers.h"

#include <QWidget>

namespace tarnelby {

class FrameClock;

// The count of steps since the last reset, on the control panel. The count
// changes at once, 1,000 times a second while a run goes on; the screen shows
// it at the pace of its frame clock, in the widget's font and text colour,
// on its background. Like a label that fits its text, it takes the size of
// the number it shows, keeping its top-left corner.
class DotCounter : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text)

public:
    // A counter read by assistive technology as "<spokenName>: <count>".
    DotCounter(const QString& spokenName, FrameClock& frames, QWidget* parent);

    Long value() const { return value_; }
    // Cheap enough for every step: the number's text is formed only when a
    // frame shows it.
    void setValue(Long value);

    // What the screen shows: the count at the last frame, "0" at first.
    QString text() const { return shown_; }

    // What assistive technology reads: "Number of dots: 18531", the count as
    // it is also while the screen still shows an older one.
    QString spokenText() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showValue();

    QString spokenName_;
    FrameClock& frames_;
    Long value_ = 0;
    QString shown_ = QStringLiteral("0");
};

} // namespace tarnelby
