#include "window/Accessibility.h"

#include "window/CoordinateTable.h"
#include "window/DotCounter.h"
#include "window/DrawingArea.h"
#include "window/Panel.h"
#include "window/PixelArt.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include <deque>
#include <vector>

namespace tarnelby {

namespace {

const QString kDrawingAreaName = QStringLiteral("Drawing area");
const QString kDrawingAreaDescription = QStringLiteral(
    "Click to pick a point here. From the keyboard: the arrow keys move the crosshair, "
    "with Shift ten pixels at a time; Return or Space picks the point under it; "
    "Escape goes back to Begin.");

// A panel: a named group whose children are its texts and buttons in reading
// order.
class AccessiblePanel : public QAccessibleWidget {
public:
    explicit AccessiblePanel(Panel* panel) : QAccessibleWidget(panel, QAccessible::Grouping) {}

    int childCount() const override { return static_cast<int>(order().size()); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        return QAccessible::queryAccessibleInterface(order().at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? static_cast<int>(order().indexOf(child->object())) : -1;
    }

private:
    const QList<QObject*>& order() const { return static_cast<const Panel*>(object())->readingOrder(); }
};

// The counter read with its caption and its current count.
class AccessibleDotCounter : public QAccessibleWidget {
public:
    explicit AccessibleDotCounter(DotCounter* counter) : QAccessibleWidget(counter, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const DotCounter*>(object())->spokenText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* focusedPartOf(const QWidget* widget);

// The drawing area, whose one part is where the crosshair stands, once it has moved.
class AccessibleDrawingArea : public QAccessibleWidget {
public:
    explicit AccessibleDrawingArea(DrawingArea* area)
        : QAccessibleWidget(area, QAccessible::Canvas, kDrawingAreaName)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return kDrawingAreaName;
        case QAccessible::Description: return kDrawingAreaDescription;
        case QAccessible::Value: return static_cast<const DrawingArea*>(object())->spokenCrosshair();
        default: return QAccessibleWidget::text(t);
        }
    }

    int childCount() const override { return crosshair() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override { return index == 0 ? crosshair() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && child == crosshair() ? 0 : -1;
    }

private:
    QAccessibleInterface* crosshair() const { return focusedPartOf(widget()); }
};

class AccessibleTable;

// One row of the coordinate table: "Point 1: 4500, 1500" or "Point 2: free".
class AccessibleRow : public QAccessibleInterface {
public:
    AccessibleRow(const AccessibleTable& table, int row) : table_(table), row_(row) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

private:
    const AccessibleTable& table_;
    int row_;
};

// The coordinate table: a list named by its heading, one item a row.
class AccessibleTable : public QAccessibleObject {
public:
    explicit AccessibleTable(CoordinateTable* table) : QAccessibleObject(table)
    {
        for (int row = 1; row <= kMaxPoints; ++row)
            rows_.push_back(QAccessible::registerAccessibleInterface(new AccessibleRow(*this, row)));
    }

    ~AccessibleTable() override
    {
        for (QAccessible::Id row : rows_)
            QAccessible::deleteAccessibleInterface(row);
    }

    const CoordinateTable& table() const { return *static_cast<const CoordinateTable*>(object()); }
    QAccessibleInterface* panelInterface() const { return QAccessible::queryAccessibleInterface(table().panel()); }

    QWindow* window() const override { return panelInterface()->window(); }
    QAccessibleInterface* parent() const override { return panelInterface(); }
    int childCount() const override { return static_cast<int>(rows_.size()); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        return QAccessible::accessibleInterface(rows_[static_cast<std::size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (std::size_t i = 0; i < rows_.size(); ++i)
            if (QAccessible::accessibleInterface(rows_[i]) == child)
                return static_cast<int>(i);
        return -1;
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? table().heading() : QString();
    }

    QRect rect() const override { return onScreen(table().geometry()); }
    QAccessible::Role role() const override { return QAccessible::List; }

    QAccessible::State state() const override
    {
        QAccessible::State state = panelInterface()->state();
        state.focusable = true;
        state.focused = table().hasFocus();
        state.readOnly = true;
        return state;
    }

    QRect onScreen(QRect inPanel) const
    {
        return QRect(table().panel()->mapToGlobal(inPanel.topLeft()), inPanel.size());
    }

private:
    std::vector<QAccessible::Id> rows_;
};

bool AccessibleRow::isValid() const
{
    return table_.isValid();
}

QWindow* AccessibleRow::window() const
{
    return table_.window();
}

QAccessibleInterface* AccessibleRow::parent() const
{
    return const_cast<AccessibleTable*>(&table_);
}

QString AccessibleRow::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? table_.table().spokenRow(row_) : QString();
}

QRect AccessibleRow::rect() const
{
    return table_.onScreen(table_.table().rowGeometry(row_));
}

QAccessible::State AccessibleRow::state() const
{
    QAccessible::State state = table_.state();
    const bool current = row_ == table_.table().currentRow();
    state.selectable = true;
    state.selected = current;
    state.focused = state.focused && current;
    return state;
}

// A part of a widget that exists only for assistive technology: a spoken
// text with a role. Each text is a part of its own, so that a screen reader
// takes it as new, never as one it has already read.
class AccessibleSpokenPart : public QAccessibleInterface {
public:
    // A part of `owner`, or of the part `parentPart` where one is given.
    AccessibleSpokenPart(QWidget* owner, QAccessible::Role role, QString text,
                         QAccessibleInterface* parentPart = nullptr)
        : owner_(owner), role_(role), text_(std::move(text))
        , parentPart_(parentPart ? QAccessible::uniqueId(parentPart) : 0)
    {
    }

    bool isValid() const override { return !owner_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return owner_ ? owner()->window() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return parentPart_ ? QAccessible::accessibleInterface(parentPart_) : owner();
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? text_ : QString(); }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return owner_ ? owner()->rect() : QRect(); }
    QAccessible::Role role() const override { return role_; }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        if (role_ != QAccessible::Notification && owner_) {
            state.focusable = true;
            state.focused = owner_->hasFocus();
        }
        return state;
    }

private:
    QAccessibleInterface* owner() const { return QAccessible::queryAccessibleInterface(owner_.data()); }

    QPointer<QWidget> owner_;
    QAccessible::Role role_;
    QString text_;
    QAccessible::Id parentPart_; // 0 for none
};

// Enough of the parts of a kind spoken last stay for a screen reader that
// reads them late, or asks again where the focus is; older ones go.
constexpr std::size_t kPartsKept = 8;

QAccessibleInterface* newSpokenPart(std::deque<QAccessible::Id>& kept, QWidget* owner, QAccessible::Role role,
                                    const QString& text, QAccessibleInterface* parentPart = nullptr)
{
    const QAccessible::Id id =
        QAccessible::registerAccessibleInterface(new AccessibleSpokenPart(owner, role, text, parentPart));
    kept.push_back(id);
    if (kept.size() > kPartsKept) {
        QAccessible::deleteAccessibleInterface(kept.front());
        kept.pop_front();
    }
    return QAccessible::accessibleInterface(id);
}

QAccessibleInterface* interfaceFor(const QString&, QObject* object)
{
    if (auto* panel = qobject_cast<Panel*>(object))
        return new AccessiblePanel(panel);
    if (auto* counter = qobject_cast<DotCounter*>(object))
        return new AccessibleDotCounter(counter);
    if (auto* area = qobject_cast<DrawingArea*>(object))
        return new AccessibleDrawingArea(area);
    if (auto* table = qobject_cast<CoordinateTable*>(object))
        return new AccessibleTable(table);
    if (auto* picture = qobject_cast<PixelArt*>(object)) // read with the texts round it
        return new QAccessibleWidget(picture, QAccessible::StaticText);
    return nullptr;
}


// The part of each widget that last took the focus within it.
QHash<const QWidget*, QAccessible::Id>& focusedParts()
{
    static QHash<const QWidget*, QAccessible::Id> parts;
    return parts;
}

QAccessibleInterface* focusedPartOf(const QWidget* widget)
{
    // A widget since destroyed may have left its part under the same address.
    const auto found = focusedParts().constFind(widget);
    QAccessibleInterface* part = found == focusedParts().cend() ? nullptr : QAccessible::accessibleInterface(*found);
    return part != nullptr && part->isValid() ? part : nullptr;
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// A window's status line that only assistive technology sees: a screen
// reader reads the notifications in it without naming their role each time.
QAccessibleInterface* statusLineOf(QWidget* window)
{
    static QHash<QWidget*, QAccessible::Id> lines;
    const auto found = lines.constFind(window);
    if (found != lines.cend())
        return QAccessible::accessibleInterface(*found);
    auto* line = new AccessibleSpokenPart(window, QAccessible::StatusBar, QString());
    const QAccessible::Id id = QAccessible::registerAccessibleInterface(line);
    lines.insert(window, id);
    QObject::connect(window, &QObject::destroyed, [window, id] {
        lines.remove(window);
        QAccessible::deleteAccessibleInterface(id);
    });
    return line;
}
#endif

} // namespace

void announce(QWidget* widget, const QString& text)
{
    QWidget* window = widget->window();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(window, text);
    QAccessible::updateAccessibility(&announcement);
#else
    static std::deque<QAccessible::Id> notifications;
    QAccessibleEvent shown(
        newSpokenPart(notifications, window, QAccessible::Notification, text, statusLineOf(window)),
        QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

void focusPart(QWidget* widget, const QString& text)
{
    if (!widget->hasFocus())
        return;
    // A filler, whose role a screen reader does not say: only the text is heard.
    static std::deque<QAccessible::Id> parts;
    QAccessibleInterface* part = newSpokenPart(parts, widget, QAccessible::Whitespace, text);
    focusedParts().insert(widget, QAccessible::uniqueId(part));
    QAccessibleEvent focused(part, QAccessible::Focus);
    QAccessible::updateAccessibility(&focused);
}

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&interfaceFor);
        return true;
    }();
    (void)installed;
}

} // namespace tarnelby
