#include "window/Panel.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>

namespace tarnelby {

Panel::Panel(const QString& name, const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    captionFont_ = font();
}

void Panel::setBackground(const QColor& colour)
{
    background_ = colour;
    update();
}

void Panel::setCaptionLook(const QFont& font, const QColor& colour)
{
    captionFont_ = font;
    captionColour_ = colour;
    update();
}

Label* Panel::addLabel(const QString& name, const QString& caption, const twips::Box& box,
                       Label::Sizing sizing, const LabelLook& look)
{
    auto* label = new Label(name, caption, sizing, this);
    label->setGeometry(toPixels(box));
    applyLook(*label, look);
    label->setCaption(caption);
    return label;
}

void Panel::applyLook(QWidget& control, const LabelLook& look)
{
    if (look.font)
        control.setFont(*look.font);
    QPalette palette = control.palette();
    palette.setColor(QPalette::WindowText, look.text);
    if (look.background) {
        palette.setColor(QPalette::Window, *look.background);
        control.setAutoFillBackground(true);
    }
    control.setPalette(palette);
}

QPushButton* Panel::addButton(const QString& name, const QString& caption, const twips::Box& box,
                              const QFont& font)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setFont(font);
    button->setGeometry(toPixels(box));
    // Return and Enter press a focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    // The border is the desktop's, whatever the panel's own colours.
    const QPalette system = QGuiApplication::palette();
    if (title().isEmpty()) {
        qDrawShadeRect(&painter, rect(), system, true);
        return;
    }
    const QFontMetrics metrics(captionFont_);
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), system, true);
    const QRect caption(toPixels(twips::kCaptionIndent), 0, metrics.horizontalAdvance(title()),
                        metrics.height());
    painter.fillRect(caption, background_);
    painter.setFont(captionFont_);
    painter.setPen(captionColour_);
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title());
}

} // namespace tarnelby
