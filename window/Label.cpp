#include "window/Label.h"

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
    setText(caption);
    if (fitsText())
        resize(sizeHint());
}

} // namespace tarnelby
