#include "window/CoordinateTable.h"

#include "window/Geometry.h"

#include <QAccessible>
#include <QLabel>

namespace tarnelby {

namespace {

const QString kFreeX = QStringLiteral("none");
const QString kFreeY = QStringLiteral("0");

} // namespace

CoordinateTable::CoordinateTable(const QLabel& heading, QWidget* panel)
    : QListView(panel)
    , spoken_(QStringList(kMaxPoints, QString()))
{
    setObjectName("coordinateTable");
    // Over the rows' labels, each row as tall as the rows lie apart.
    const int top = twips::kFirstRowTop;
    setGeometry(toPixels(twips::Box{twips::kXLabelLeft, top, twips::kYLabelLeft + twips::kYLabelWidth - twips::kXLabelLeft,
                                    kMaxPoints * twips::kRowPitch}));
    setGridSize(QSize(width(), toPixels(twips::kRowPitch)));
    setAccessibleName(heading.text());
    setModel(&spoken_);
    setFocusPolicy(Qt::TabFocus);
    setEditTriggers(NoEditTriggers);
    setFrameShape(NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(false);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    viewport()->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CoordinateTable::setRowLabels(int k, QLabel* x, QLabel* y)
{
    row(k).x = x;
    row(k).y = y;
    render(k);
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
    spoken_.setData(spoken_.index(k - 1), spokenRow(k));
    // The view tells only that its model changed; a screen reader that keeps
    // the rows' names learns the new one. Where none listens, the event would
    // only build the list's interfaces.
    if (QAccessible::isActive()) {
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        renamed.setChild(k - 1);
        QAccessible::updateAccessibility(&renamed);
    }
}

QString CoordinateTable::spokenRow(int k) const
{
    const Row& r = row(k);
    if (!r.point)
        return QStringLiteral("Point %1: free").arg(k);
    return QStringLiteral("Point %1: %2, %3").arg(k).arg(twipsText(r.point->x()), twipsText(r.point->y()));
}

// The view tells of its focus after this event; the row it is on is told
// after that, as a move to it would be.
void CoordinateTable::focusInEvent(QFocusEvent* event)
{
    QListView::focusInEvent(event);
    QMetaObject::invokeMethod(this, [this] {
        if (!hasFocus() || !currentIndex().isValid())
            return;
        QAccessibleEvent focused(this, QAccessible::Focus);
        focused.setChild(currentIndex().row());
        QAccessible::updateAccessibility(&focused);
    }, Qt::QueuedConnection);
}

} // namespace tarnelby
