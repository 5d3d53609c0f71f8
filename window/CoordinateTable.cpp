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
    setGeometry(toPixels(twips::Box{twips::kXLabelLeft, twips::kFirstRowTop,
                                    twips::kYLabelLeft + twips::kYLabelWidth - twips::kXLabelLeft,
                                    kMaxPoints * twips::kRowPitch}));
    setGridSize(QSize(width(), toPixels(twips::kRowPitch)));
    setAccessibleName(heading.text());
    setModel(&spoken_);
    // The first row is current, and so selected, before the focus first comes:
    // a screen reader would call a current row that is not selected so.
    setCurrentIndex(spoken_.index(0));
    setFocusPolicy(Qt::TabFocus);
    setEditTriggers(NoEditTriggers);
    setFrameShape(NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(false);
    setAttribute(Qt::WA_TransparentForMouseEvents); // its viewport with it
}

void CoordinateTable::setRowLabels(int row, QLabel* x, QLabel* y)
{
    rows_.at(static_cast<std::size_t>(row - 1)) = {x, y};
    showRow(row, std::nullopt);
}

void CoordinateTable::clear()
{
    for (int row = 1; row <= kMaxPoints; ++row)
        showRow(row, std::nullopt);
}

void CoordinateTable::showRow(int row, std::optional<Position> point)
{
    const Row& labels = rows_.at(static_cast<std::size_t>(row - 1));
    labels.x->setText(point ? twipsText(point->x) : kFreeX);
    labels.y->setText(point ? twipsText(point->y) : kFreeY);
    labels.x->adjustSize();
    labels.y->adjustSize();
    spoken_.setData(spoken_.index(row - 1), spokenRow(row, point));
    // The view tells only that its model changed; a screen reader that keeps
    // the rows' names learns the new one. Where none listens, the event would
    // only build the list's interfaces.
    if (QAccessible::isActive()) {
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        renamed.setChild(row - 1);
        QAccessible::updateAccessibility(&renamed);
    }
}

QString spokenRow(int row, std::optional<Position> point)
{
    if (!point)
        return QStringLiteral("Point %1: free").arg(row);
    return QStringLiteral("Point %1: %2, %3").arg(row).arg(twipsText(point->x), twipsText(point->y));
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
