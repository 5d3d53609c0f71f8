#include "window/CoordinateTable.h"

#include "window/Geometry.h"

#include <QAccessible>
#include <QKeyEvent>

#include <algorithm>

namespace tarnelby {

namespace {

const QString kFreeX = QStringLiteral("none");
const QString kFreeY = QStringLiteral("0");

} // namespace

CoordinateTable::CoordinateTable(const QLabel& heading, QWidget* panel)
    : QWidget(panel)
    , heading_(heading)
{
    setObjectName("coordinateTable");
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CoordinateTable::setRowLabels(int k, QLabel* x, QLabel* y)
{
    row(k).x = x;
    row(k).y = y;
    render(k);
}

CoordinateTable::Row& CoordinateTable::row(int row)
{
    return rows_.at(static_cast<std::size_t>(row - 1));
}

const CoordinateTable::Row& CoordinateTable::row(int row) const
{
    return rows_.at(static_cast<std::size_t>(row - 1));
}

std::optional<int> CoordinateTable::firstFreeRow() const
{
    for (int k = 1; k <= kMaxPoints; ++k)
        if (!row(k).point)
            return k;
    return std::nullopt;
}

void CoordinateTable::showPoint(int k, QPointF position)
{
    row(k).point = position;
    render(k);
}

void CoordinateTable::clear()
{
    for (int k = 1; k <= kMaxPoints; ++k) {
        row(k).point.reset();
        render(k);
    }
}

void CoordinateTable::render(int k)
{
    const Row& r = row(k);
    r.x->setText(r.point ? twipsText(r.point->x()) : kFreeX);
    r.y->setText(r.point ? twipsText(r.point->y()) : kFreeY);
    r.x->adjustSize();
    r.y->adjustSize();
    QRect rows;
    for (const Row& each : rows_)
        if (each.x != nullptr)
            rows |= each.x->geometry() | each.y->geometry();
    setGeometry(rows);
    if (QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this)) {
        QAccessibleEvent changed(table->child(k - 1), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

QString CoordinateTable::heading() const
{
    return heading_.text();
}

QString CoordinateTable::spokenRow(int k) const
{
    const Row& r = row(k);
    if (!r.point)
        return QStringLiteral("Point %1: free").arg(k);
    return QStringLiteral("Point %1: %2, %3").arg(k).arg(twipsText(r.point->x()), twipsText(r.point->y()));
}

QRect CoordinateTable::rowGeometry(int k) const
{
    return row(k).x->geometry() | row(k).y->geometry();
}

QWidget* CoordinateTable::panel() const
{
    return parentWidget();
}

void CoordinateTable::keyPressEvent(QKeyEvent* event)
{
    int row = current_;
    switch (event->key()) {
    case Qt::Key_Up: row = std::max(1, current_ - 1); break;
    case Qt::Key_Down: row = std::min(kMaxPoints, current_ + 1); break;
    case Qt::Key_Home:
    case Qt::Key_PageUp: row = 1; break;
    case Qt::Key_End:
    case Qt::Key_PageDown: row = kMaxPoints; break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
    if (row == current_)
        return;
    current_ = row;
    tellCurrentRow();
}

// After the table's own focus event, as an item view tells of its current item.
void CoordinateTable::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    QMetaObject::invokeMethod(this, &CoordinateTable::tellCurrentRow, Qt::QueuedConnection);
}

void CoordinateTable::tellCurrentRow()
{
    if (!hasFocus())
        return;
    if (QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this)) {
        QAccessibleEvent focused(table->child(current_ - 1), QAccessible::Focus);
        QAccessible::updateAccessibility(&focused);
    }
}

} // namespace tarnelby
