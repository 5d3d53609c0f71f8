#include "window/Label.h"

#include "window/DisplayPace.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>

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

QString Label::caption() const
{
    if (const Long* number = std::get_if<Long>(&caption_))
        return QString::number(*number);
    return std::get<QString>(caption_);
}

void Label::setCaption(const QString& caption)
{
    caption_ = caption;
    captionChanged();
}

void Label::setNumber(Long number)
{
    caption_ = number;
    captionChanged();
}

void Label::captionChanged()
{
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
    return spokenName_.isEmpty() ? caption() : spokenName_ + QStringLiteral(": ") + caption();
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
    if (event->type() == QEvent::FontChange) {
        glyphs_.reset();
        glyphsShaped_ = false;
        fittedWidth_ = -1;
        showCaption();
    }
}

void Label::showCaption()
{
    const Long* number = std::get_if<Long>(&caption_);
    shownNumber_ = number ? std::optional(*number) : std::nullopt;
    const NumberGlyphs* glyphs = number ? numberGlyphs() : nullptr;
    if (glyphs != nullptr && fitsText() && glyphs->width(*number) == fittedWidth_) {
        // The glyphs are drawn in the box the last number took; the text
        // behind them only sizes that box, so it need not change.
        update();
        return;
    }
    setText(caption());
    if (fitsText())
        resize(fittingSize());
}

QSize Label::fittingSize()
{
    const NumberGlyphs* glyphs = numberGlyphs();
    if (!shownNumber_ || glyphs == nullptr) {
        fittedWidth_ = -1;
        return sizeHint();
    }
    // A label's size follows from its text's width alone.
    const qreal width = glyphs->width(*shownNumber_);
    if (width != fittedWidth_) {
        fittedWidth_ = width;
        fittedSize_ = sizeHint();
    }
    return fittedSize_;
}

const NumberGlyphs* Label::numberGlyphs()
{
    if (!glyphsShaped_) {
        glyphs_ = NumberGlyphs::of(font());
        glyphsShaped_ = true;
    }
    return glyphs_ ? &*glyphs_ : nullptr;
}

void Label::paintEvent(QPaintEvent* event)
{
    const NumberGlyphs* glyphs = shownNumber_ ? numberGlyphs() : nullptr;
    if (glyphs == nullptr) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawGlyphRun(contentsRect().topLeft(), glyphs->run(*shownNumber_));
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
