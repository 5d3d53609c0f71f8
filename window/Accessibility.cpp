#include "window/Accessibility.h"

#include "window/DrawingArea.h"
#include "window/Panel.h"
#include "window/PixelArt.h"

#include <QAccessibleWidget>
#include <QPointer>

namespace tarnelby {

namespace {

// A panel: a named group whose children are its texts and buttons in reading
// order.
class AccessiblePanel : public QAccessibleWidget {
public:
    explicit AccessiblePanel(Panel* panel) : QAccessibleWidget(panel, QAccessible::Grouping) {}

    int childCount() const override { return static_cast<int>(order().size()); }

    QAccessibleInterface* child(int index) const override
    {
        return QAccessible::queryAccessibleInterface(order().value(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? static_cast<int>(order().indexOf(child->object())) : -1;
    }

private:
    const QList<QObject*>& order() const { return static_cast<const Panel*>(object())->readingOrder(); }
};

// The drawing area: a canvas whose value is where the crosshair stands, and
// whose one part, once the crosshair has moved, is that position as last told.
class AccessibleDrawingArea : public QAccessibleWidget {
public:
    explicit AccessibleDrawingArea(DrawingArea* area) : QAccessibleWidget(area, QAccessible::Canvas) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<const DrawingArea*>(object())->spokenCrosshair();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return crosshair() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override { return index == 0 ? crosshair() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface* child) const override { return child && child == crosshair() ? 0 : -1; }

private:
    QAccessibleInterface* crosshair() const
    {
        const auto* voice = widget()->window()->findChild<const Voice*>(QString(), Qt::FindDirectChildrenOnly);
        return voice != nullptr ? voice->focusedPart(widget()) : nullptr;
    }
};

// A part of a widget that exists only for assistive technology: a spoken
// text with a role. Each text is a part of its own, so that a screen reader
// takes it as new, never as one it has already read.
class AccessibleSpokenPart : public QAccessibleObject {
public:
    // A part of `owner`, or of the part registered as `parentPart` where one
    // is given. Its object is none, not `owner`: Qt would take a part with an
    // object for that object's own interface.
    AccessibleSpokenPart(QWidget* owner, QAccessible::Role role, QString text, QAccessible::Id parentPart = 0)
        : QAccessibleObject(nullptr), owner_(owner), role_(role), text_(std::move(text)), parentPart_(parentPart)
    {
    }

    bool isValid() const override { return !owner_.isNull(); }
    QWindow* window() const override { return owner_ ? owner()->window() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return parentPart_ != 0 ? QAccessible::accessibleInterface(parentPart_) : owner();
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? text_ : QString(); }
    QRect rect() const override { return owner_ ? owner()->rect() : QRect(); }
    QAccessible::Role role() const override { return role_; }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        state.focusable = role_ != QAccessible::Notification && owner_;
        state.focused = state.focusable && owner_->hasFocus();
        return state;
    }

private:
    QAccessibleInterface* owner() const { return QAccessible::queryAccessibleInterface(owner_.data()); }

    QPointer<QWidget> owner_;
    QAccessible::Role role_;
    QString text_;
    QAccessible::Id parentPart_; // 0 for none
};

QAccessibleInterface* interfaceFor(const QString&, QObject* object)
{
    if (auto* panel = qobject_cast<Panel*>(object))
        return new AccessiblePanel(panel);
    if (auto* area = qobject_cast<DrawingArea*>(object))
        return new AccessibleDrawingArea(area);
    if (auto* picture = qobject_cast<PixelArt*>(object)) // read with the texts round it
        return new QAccessibleWidget(picture, QAccessible::StaticText);
    return nullptr;
}


// Enough of the parts of a kind told last stay for a screen reader that reads
// them late, or asks again where the focus is.
constexpr std::size_t kPartsKept = 8;

} // namespace

Voice::Voice(QWidget* window)
    : QObject(window)
{
    QAccessible::installFactory(&interfaceFor);
}

Voice::~Voice()
{
    for (const auto* kept : {&notifications_, &parts_})
        for (QAccessible::Id id : *kept)
            QAccessible::deleteAccessibleInterface(id);
    if (statusLine_ != 0)
        QAccessible::deleteAccessibleInterface(statusLine_);
}

QAccessibleInterface* Voice::newPart(std::deque<QAccessible::Id>& kept, QWidget* owner, QAccessible::Role role,
                                     const QString& text, QAccessible::Id parentPart)
{
    kept.push_back(QAccessible::registerAccessibleInterface(new AccessibleSpokenPart(owner, role, text, parentPart)));
    if (kept.size() > kPartsKept) {
        QAccessible::deleteAccessibleInterface(kept.front());
        kept.pop_front();
    }
    return QAccessible::accessibleInterface(kept.back());
}

void Voice::announce(const QString& text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(parent(), text);
    QAccessible::updateAccessibility(&announcement);
#else
    // A status line that only assistive technology sees: a screen reader
    // reads the notifications in it without naming their role each time.
    auto* window = static_cast<QWidget*>(parent());
    if (statusLine_ == 0)
        statusLine_ = QAccessible::registerAccessibleInterface(
            new AccessibleSpokenPart(window, QAccessible::StatusBar, QString()));
    QAccessibleEvent shown(newPart(notifications_, window, QAccessible::Notification, text, statusLine_),
                           QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

void Voice::focusPart(QWidget* widget, const QString& text)
{
    if (!widget->hasFocus())
        return;
    // A filler, whose role a screen reader does not say: only the text is heard.
    QAccessibleEvent focused(newPart(parts_, widget, QAccessible::Whitespace, text), QAccessible::Focus);
    focusedWidget_ = widget;
    QAccessible::updateAccessibility(&focused);
}

QAccessibleInterface* Voice::focusedPart(const QWidget* widget) const
{
    return widget == focusedWidget_ && !parts_.empty() ? QAccessible::accessibleInterface(parts_.back()) : nullptr;
}

} // namespace tarnelby
