#include "window/Label.h"

#include "window/DisplayPace.h"

#include <QAccessible>
#include <QEvent>

namespace tarnelby {

Label::Label(const QString& name, const QString& caption, Sizing sizing, QWidget* parent)
    : QLabel(parent)
    , sizing_(sizing)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(sizing == Sizing::Wraps);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setMargin(0);
    setIndent(0);
    setCaption(caption);
}

void Label::setCaption(const QString& caption)
{
    caption_ = caption;
    if (pace_)
        pace_->request();
    else
        showCaption();
}

void Label::setPaced(bool paced)
{
    if (paced == (pace_ != nullptr))
        return;
    delete pace_;
    pace_ = paced ? new DisplayPace([this] { showCaption(); }, this) : nullptr;
    showCaption();
}

QString Label::spokenText() const
{
    return spokenName_.isEmpty() ? caption_ : spokenName_ + QStringLiteral(": ") + caption_;
}

void Label::setSpokenName(const QString& name)
{
    spokenName_ = name;
    // A label with an accessible name does not report each new text itself.
    setAccessibleName(name);
}

void Label::announce()
{
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void Label::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        showCaption();
}

void Label::showCaption()
{
    setText(caption_);
    if (fitsText())
        resize(sizeHint());
}

void Label::setOpaque(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setAutoFillBackground(true);
}

void Label::setTextColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

} // namespace tarnelby
