#pragma once

#include "window/Colours.h"
#include "window/Geometry.h"
#include "window/Label.h"

#include <QFont>
#include <QGroupBox>

#include <optional>

class QPushButton;

namespace tarnelby {

// How a label of the layout looks. No background: transparent, only the text
// is painted. No font: the window's.
struct LabelLook {
    QColor text;
    std::optional<QColor> background;
    std::optional<QFont> font;
};

// A framed panel lying over the drawing area, with the standard etched 3-D
// border and its caption, if any, in the top border at the left. Its background, caption
// font and caption colour are its own: the controls on it do not inherit them.
class Panel : public QGroupBox {
    Q_OBJECT

public:
    // A panel in the system's colours and the window's font.
    Panel(const QString& name, const QString& caption, QWidget* parent);

    // What assistive technology reads on the panel, in reading order: each
    // text once, without the shadows and lines that only decorate.
    const QList<QObject*>& readingOrder() const { return readingOrder_; }

protected:
    void setBackground(const QColor& colour);
    void setCaptionLook(const QFont& font, const QColor& colour);
    void setReadingOrder(QList<QObject*> order) { readingOrder_ = std::move(order); }

    // Each creates a control in front of the panel's earlier children, at a
    // box in twips from the panel's outer top-left corner. A label that fits
    // its text keeps only the box's Left and Top. A button is pressed by
    // Space, Return or Enter while it has the focus.
    Label* addLabel(const QString& name, const QString& caption, const twips::Box& box,
                    Label::Sizing sizing, const LabelLook& look);
    // Gives a control that shows text the look of a label.
    static void applyLook(QWidget& control, const LabelLook& look);
    QPushButton* addButton(const QString& name, const QString& caption, const twips::Box& box,
                           const QFont& font);

    void paintEvent(QPaintEvent* event) override;

private:
    QColor background_ = systemFace();
    QFont captionFont_;
    QColor captionColour_ = systemText();
    QList<QObject*> readingOrder_;
};

} // namespace tarnelby
