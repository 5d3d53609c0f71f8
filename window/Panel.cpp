#include "window/Panel.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace tarnelby {

namespace {

// A box's outline in the palette's text colour, drawn as a one-pixel pen
// draws it: at a device pixel ratio above 1 its left and top edges are thinner
// than its right and bottom, as the layout's boxes have always been drawn.
class Outline : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

// Sets one colour of `widget`'s palette; the others stay as it inherits them.
void setColour(QWidget& widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
}

} // namespace

QLabel* Panel::addLabel(const TextRow& row)
{
    auto* label = new QLabel(this);
    label->setObjectName(row.name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(!row.fitsText);
    label->setGeometry(toPixels(row.box));
    if (row.look.font)
        label->setFont(*row.look.font);
    setColour(*label, QPalette::WindowText, row.look.text);
    if (row.look.background) {
        setColour(*label, QPalette::Window, *row.look.background);
        label->setAutoFillBackground(true);
    }
    label->setText(row.text);
    if (row.fitsText)
        label->adjustSize();
    return label;
}

Panel::Panel(const QString& name, const twips::Box& box, const QColor& background, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(name);
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setGeometry(toPixels(box));
    setColour(*this, QPalette::Window, background);
    setAutoFillBackground(true);
}

QPushButton* Panel::addButton(const QString& name, const QString& caption, const twips::Box& box,
                              const QFont& font)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setFont(font);
    button->setGeometry(toPixels(box));
    setColour(*button, QPalette::Window, QGuiApplication::palette().color(QPalette::Window));
    // Return and Enter press a focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

void Panel::addShape(const QString& name, Shape shape, const QRect& pixels, const QColor& colour)
{
    const bool filled = shape == Shape::Filled;
    QWidget* shown = filled ? new QWidget(this) : new Outline(this);
    shown->setObjectName(name);
    shown->setGeometry(pixels);
    setColour(*shown, filled ? QPalette::Window : QPalette::WindowText, colour);
    shown->setAutoFillBackground(filled);
}

} // namespace tarnelby
