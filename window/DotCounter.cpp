#include "window/DotCounter.h"

#include "window/FrameClock.h"

#include <QEvent>
#include <QPainter>

namespace tarnelby {

namespace {

// As a label measures and draws its text.
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;

} // namespace

DotCounter::DotCounter(const QString& spokenName, FrameClock& frames, QWidget* parent)
    : QWidget(parent)
    , spokenName_(spokenName)
    , frames_(frames)
{
    setObjectName("dotCounter");
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&frames_, &FrameClock::frame, this, &DotCounter::showValue);
    resize(sizeHint());
}

void DotCounter::setValue(Long value)
{
    value_ = value;
    frames_.request();
}

void DotCounter::showValue()
{
    QString text = QString::number(value_);
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
    return QStringLiteral("%1: %2").arg(spokenName_).arg(value_);
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
