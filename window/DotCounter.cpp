#include "window/DotCounter.h"

#include <QEvent>
#include <QPainter>

namespace tarnelby {

namespace {

// As a label measures and draws its text.
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;

} // namespace

DotCounter::DotCounter(const QString& spokenName, QWidget* parent)
    : QWidget(parent)
    , spokenName_(spokenName)
{
    setObjectName("dotCounter");
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(sizeHint());
}

void DotCounter::setValue(Long value)
{
    QString text = QString::number(value);
    if (text == shown_)
        return;
    shown_ = std::move(text);
    const QSize fitting = sizeHint();
    if (fitting != size())
        resize(fitting);
    update();
}

QString DotCounter::spokenText() const
{
    return QStringLiteral("%1: %2").arg(spokenName_, shown_);
}

QSize DotCounter::sizeHint() const
{
    return fontMetrics().boundingRect(QRect(), kTextFlags, shown_).size();
}

void DotCounter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(rect(), kTextFlags, shown_);
}

void DotCounter::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        resize(sizeHint());
}

} // namespace tarnelby
