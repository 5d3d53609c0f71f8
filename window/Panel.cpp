#include "window/Panel.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace tarnelby {

namespace {

// A box's outline, drawn as a one-pixel pen draws it: at a device pixel ratio
// above 1 its left and top edges are thinner than its right and bottom, as
// the layout's boxes have always been drawn.
class Outline : public QWidget {
public:
    Outline(const QColor& colour, QWidget* parent) : QWidget(parent), colour_(colour) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(colour_);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QColor colour_;
};

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
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, row.look.text);
    if (row.look.background) {
        palette.setColor(QPalette::Window, *row.look.background);
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);
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
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    setAutoFillBackground(true);
}

QPushButton* Panel::addButton(const QString& name, const QString& caption, const twips::Box& box,
                              const QFont& font)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setFont(font);
    button->setGeometry(toPixels(box));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Window));
    button->setPalette(palette);
    // Return and Enter press a focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

void Panel::addShape(const QString& name, Shape shape, const QRect& pixels, const QColor& colour)
{
    QWidget* shown = shape == Shape::Outline ? new Outline(colour, this) : new QWidget(this);
    shown->setObjectName(name);
    shown->setGeometry(pixels);
    if (shape == Shape::Filled) {
        QPalette palette = shown->palette();
        palette.setColor(QPalette::Window, colour);
        shown->setPalette(palette);
        shown->setAutoFillBackground(true);
    }
}

} // namespace tarnelby
