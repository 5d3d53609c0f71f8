#include "window/CoordinateTable.h"

#include "window/Geometry.h"
#include "window/Label.h"

#include <QAccessible>

namespace tarnelby {

namespace {

const QString kFreeX = QStringLiteral("none");
const QString kFreeY = QStringLiteral("0");

} // namespace

CoordinateTable::CoordinateTable(const Label& heading, QWidget* panel)
    : QObject(panel)
    , heading_(heading)
{
    setObjectName("coordinateTable");
}

void CoordinateTable::setRowLabels(int k, Label* x, Label* y)
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
    r.x->setCaption(r.point ? twipsText(r.point->x()) : kFreeX);
    r.y->setCaption(r.point ? twipsText(r.point->y()) : kFreeY);
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

QRect CoordinateTable::geometry() const
{
    QRect all;
    for (int k = 1; k <= kMaxPoints; ++k)
        all |= rowGeometry(k);
    return all;
}

QWidget* CoordinateTable::panel() const
{
    return static_cast<QWidget*>(parent());
}

} // namespace tarnelby
