#pragma once

#include "window/Geometry.h"

#include <QColor>
#include <QFont>
#include <QFrame>

#include <optional>

class QLabel;
class QPushButton;

namespace tarnelby {

// How a text of the layout looks. No background: transparent, only the text
// is painted. No font: the window's.
struct TextLook {
    QColor text;
    std::optional<QColor> background;
    std::optional<QFont> font;
};

// A row of the layout's table of texts. A text that fits keeps only its box's
// Left and Top and takes the size of its text on one line; any other keeps
// its box and wraps at word boundaries.
struct TextRow {
    const char* name;
    QString text;
    twips::Box box;
    bool fitsText;
    TextLook look;
};

// A framed panel lying over the drawing area, with the standard etched 3-D
// border in the desktop's colours, whatever the panel's background. The
// buttons on it keep the desktop's colours too.
class Panel : public QFrame {
    Q_OBJECT

public:
    // What assistive technology reads on the panel, in reading order: each
    // text once, without the shadows and lines that only decorate.
    const QList<QObject*>& readingOrder() const { return readingOrder_; }

protected:
    Panel(const QString& name, const twips::Box& box, const QColor& background, QWidget* parent);

    void setReadingOrder(QList<QObject*> order) { readingOrder_ = std::move(order); }

    // Each creates a control in front of the panel's earlier children, at a
    // box in twips from the panel's outer top-left corner. A label shows plain
    // text (runs of spaces and quotes stand as given), left-aligned, no
    // border; one that fits its text keeps fitting it through adjustSize(). A
    // button is pressed by Space, Return or Enter while it has the focus.
    QLabel* addLabel(const TextRow& row);
    QPushButton* addButton(const QString& name, const QString& caption, const twips::Box& box,
                           const QFont& font);
    // A one-colour shape that only decorates: a box's outline, or a filled box.
    enum class Shape { Outline, Filled };
    void addShape(const QString& name, Shape shape, const QRect& pixels, const QColor& colour);

private:
    QList<QObject*> readingOrder_;
};

} // namespace tarnelby
