#include "window/ControlPanel.h"

#include "window/Decoration.h"
#include "window/DotCounter.h"
#include "window/Fonts.h"
#include "window/Geometry.h"

#include <QPushButton>

namespace tarnelby {

namespace {

const QString kBegin = QStringLiteral("Begin");
const QString kStop = QStringLiteral("Stop");
constexpr int kRowsBehindTheBox = 4; // rows 1..4 lie behind the box and its divider

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
    const QString counterCaption = QStringLiteral("Number of dots:");
    addLabel("dotCounterCaption", counterCaption, twips::kDotCounterCaption, Sizing::FitsText, system);
    dotCounter_ = new DotCounter(counterCaption.chopped(1), this); // read as "Number of dots: 18531"
    dotCounter_->move(toPixels(twips::kDotCounter).topLeft());
    applyLook(*dotCounter_, system);
    const Label* tableHeading = addLabel("tableHeading", "Table of Coordinates.", twips::kTableHeading,
                                         Sizing::Wraps, {Qt::black, systemFace(), heading});
    table_ = new CoordinateTable(*tableHeading, this);
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
    Label* subtitle = addLabel("subtitle", "AN EXPERIMENT IN CHAOS.", twips::kSubtitle, Sizing::FitsText,
                               {Qt::red, systemFace(), {}});
    Label* titleLabel = addLabel("title", "Tarnelby.", twips::kTitle, Sizing::FitsText, {Qt::red, {}, title});

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
    // A screen reader reads "<name> panel", and passes over texts of fewer
    // than three words: the title is read with the subtitle.
    setAccessibleName("Control");
    titleLabel->setAccessibleName(titleLabel->text() + ' ' + subtitle->text());
    setReadingOrder({titleLabel, beginStopButton_, table_, clearButton, dotCounter_});
    connect(beginStopButton_, &QPushButton::clicked, this, &ControlPanel::beginStopClicked);
    connect(clearButton, &QPushButton::clicked, this, &ControlPanel::clearClicked);
}

void ControlPanel::addRows(int first, int last)
{
    const LabelLook system{systemText(), systemFace(), {}};
    for (int k = first; k <= last; ++k) {
        const int top = twips::kFirstRowTop + (k - 1) * twips::kRowPitch;
        Label* x = addLabel(QStringLiteral("pointX%1").arg(k), QString(),
                            {twips::kXLabelLeft, top, twips::kXLabelWidth, twips::kRowHeight},
                            Label::Sizing::FitsText, system);
        Label* y = addLabel(QStringLiteral("pointY%1").arg(k), QString(),
                            {twips::kYLabelLeft, top, twips::kYLabelWidth, twips::kRowHeight},
                            Label::Sizing::FitsText, system);
        table_->setRowLabels(k, x, y);
    }
}

void ControlPanel::showPoint(int row, QPointF position)
{
    table_->showPoint(row, position);
}

void ControlPanel::clearPoints()
{
    table_->clear();
}

void ControlPanel::setDotCount(Long count)
{
    dotCounter_->setValue(count);
}

void ControlPanel::setRunning(bool running)
{
    beginStopButton_->setText(running ? kStop : kBegin);
}

QString ControlPanel::spokenRow(int row) const
{
    return table_->spokenRow(row);
}

QString ControlPanel::spokenCount() const
{
    return dotCounter_->spokenText();
}

} // namespace tarnelby
