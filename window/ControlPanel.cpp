#include "window/ControlPanel.h"

#include "runtime/Numbers.h"
#include "window/Decoration.h"
#include "window/Fonts.h"
#include "window/Geometry.h"

#include <QPushButton>

namespace tarnelby {

namespace {

const QString kBegin = QStringLiteral("Begin");
const QString kStop = QStringLiteral("Stop");
const QString kFreeX = QStringLiteral("none");
const QString kFreeY = QStringLiteral("0");
constexpr int kRowsBehindTheBox = 4; // rows 1..4 lie behind the box and its divider

QString textOf(double twipsValue)
{
    return QString::fromStdString(toText(static_cast<Single>(twipsValue)));
}

} // namespace

ControlPanel::ControlPanel(QWidget* parent)
    : Panel("controlPanel", QString(), parent)
{
    setGeometry(toPixels(twips::kControlPanel));
    const LabelLook system{systemText(), systemFace(), {}};
    const QFont heading = sansSerif(FontSize::Small, Bold | Underlined);
    const QFont title = serif(FontSize::Title);
    using Sizing = Label::Sizing;
    using Style = Decoration::Style;

    // Created from back to front: a later sibling lies in front.
    addLabel("dotCounterCaption", "Number of dots:", twips::kDotCounterCaption, Sizing::FitsText, system);
    dotCounter_ = addLabel("dotCounter", "0", twips::kDotCounter, Sizing::FitsText, system);
    dotCounter_->setPaced(true);
    addLabel("tableHeading", "Table of Coordinates.", twips::kTableHeading, Sizing::Wraps,
             {Qt::black, systemFace(), heading});
    addRows(1, kRowsBehindTheBox);

    // The etched box round the table: a divider and a rectangle in the
    // outline colour, each with a white twin 15 twips to the right and below.
    auto* divider = new Decoration("columnDivider", Style::Filled, systemOutline(), this);
    divider->setGeometry(toPixels(twips::kColumnDivider));
    auto* box = new Decoration("tableBox", Style::Outline, systemOutline(), this);
    box->setGeometry(toPixels(twips::kTableBox));

    addRows(kRowsBehindTheBox + 1, kMaxPoints);

    // The title in red over its white shadow, 45 twips lower.
    addLabel("titleShadow", "Tarnelby.", twips::kTitleShadow, Sizing::FitsText,
             {Qt::white, systemFace(), title});
    addLabel("subtitle", "AN EXPERIMENT IN CHAOS.", twips::kSubtitle, Sizing::FitsText,
             {Qt::red, systemFace(), {}});
    addLabel("title", "Tarnelby.", twips::kTitle, Sizing::FitsText, {Qt::red, {}, title});

    auto* boxHighlight = new Decoration("tableBoxHighlight", Style::Outline, Qt::white, this);
    boxHighlight->setGeometry(toPixels(twips::kTableBoxHighlight));
    auto* dividerHighlight = new Decoration("columnDividerHighlight", Style::Filled, Qt::white, this);
    dividerHighlight->setGeometry(toPixels(twips::kColumnDividerHighlight));
    // A white highlight 15 twips above and left of the heading; the heading's
    // full stop shows beyond it.
    addLabel("tableHeadingHighlight", "Table of Coordinates", twips::kTableHeadingHighlight,
             Sizing::Wraps, {Qt::white, {}, heading});

    beginStopButton_ = addButton("beginStopButton", kBegin, twips::kBeginStopButton,
                                 sansSerif(FontSize::Large, Bold));
    auto* clearButton = addButton("clearButton", "CLEAR", twips::kClearButton,
                                  sansSerif(FontSize::Medium, Bold));
    // The window opens with the focus on "Begin".
    setFocusProxy(beginStopButton_);
    connect(beginStopButton_, &QPushButton::clicked, this, &ControlPanel::beginStopClicked);
    connect(clearButton, &QPushButton::clicked, this, &ControlPanel::clearClicked);
}

void ControlPanel::addRows(int first, int last)
{
    const LabelLook system{systemText(), systemFace(), {}};
    for (int k = first; k <= last; ++k) {
        const int top = twips::kFirstRowTop + (k - 1) * twips::kRowPitch;
        Row& r = row(k);
        r.x = addLabel(QStringLiteral("pointX%1").arg(k), kFreeX,
                       {twips::kXLabelLeft, top, twips::kXLabelWidth, twips::kRowHeight},
                       Label::Sizing::FitsText, system);
        r.y = addLabel(QStringLiteral("pointY%1").arg(k), kFreeY,
                       {twips::kYLabelLeft, top, twips::kYLabelWidth, twips::kRowHeight},
                       Label::Sizing::FitsText, system);
    }
}

ControlPanel::Row& ControlPanel::row(int row)
{
    return rows_.at(static_cast<std::size_t>(row - 1));
}

const ControlPanel::Row& ControlPanel::row(int row) const
{
    return rows_.at(static_cast<std::size_t>(row - 1));
}

std::optional<int> ControlPanel::firstFreeRow() const
{
    for (int k = 1; k <= kMaxPoints; ++k)
        if (!row(k).point)
            return k;
    return std::nullopt;
}

void ControlPanel::showPoint(int k, QPointF position)
{
    row(k).point = position;
    render(row(k));
}

std::optional<QPointF> ControlPanel::pointAt(int k) const
{
    return row(k).point;
}

void ControlPanel::clearPoints()
{
    for (Row& r : rows_) {
        r.point.reset();
        render(r);
    }
}

void ControlPanel::render(const Row& row)
{
    row.x->setCaption(row.point ? textOf(row.point->x()) : kFreeX);
    row.y->setCaption(row.point ? textOf(row.point->y()) : kFreeY);
}

void ControlPanel::setDotCount(Long count)
{
    dotCounter_->setNumber(count);
}

void ControlPanel::setRunning(bool running)
{
    beginStopButton_->setText(running ? kStop : kBegin);
}

} // namespace tarnelby
