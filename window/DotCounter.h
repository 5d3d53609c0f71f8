#pragma once

#include "runtime/Numbers.h"

#include <QWidget>

namespace tarnelby {

// The count of steps since the last reset, on the control panel, in the
// widget's font and text colour, on its background. Like a label that fits its
// text, it takes the size of the number it shows, keeping its top-left corner.
class DotCounter : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text)

public:
    // A counter read by assistive technology as "<spokenName>: <count>".
    DotCounter(const QString& spokenName, QWidget* parent);

    // Shows `value`; once a frame while a run goes on.
    void setValue(Long value);

    // What the screen shows: "0" at first.
    QString text() const { return shown_; }

    // What assistive technology reads: "Number of dots: 18531".
    QString spokenText() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString spokenName_;
    QString shown_ = QStringLiteral("0");
};

} // namespace tarnelby
