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
    const bool filled = shape == Shape::Filled;
    QWidget* shown = filled ? new QWidget(this) : new Outline(this);
    shown->setObjectName(name);
    shown->setGeometry(pixels);
    QPalette palette = shown->palette();
    palette.setColor(filled ? QPalette::Window : QPalette::WindowText, colour);
    shown->setPalette(palette);
    shown->setAutoFillBackground(filled);
}

} // namespace tarnelby
