#include "window/ControlPanel.h"

#include "experiment/Experiment.h"
#include "window/CoordinateTable.h"
#include "window/Fonts.h"
#include "window/Geometry.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace tarnelby {

namespace {

const QString kBegin = QStringLiteral("Begin");
const QString kCounterCaption = QStringLiteral("Number of dots:");
const QString kStop = QStringLiteral("Stop");
constexpr int kRowsBehindTheBox = 4; // rows 1..4 lie behind the box and its divider

} // namespace

ControlPanel::ControlPanel(QWidget* parent)
    : Panel("controlPanel", twips::kControlPanel, QGuiApplication::palette().color(QPalette::Button), parent)
{
    // The desktop's colours, as they are when the panel is built: the 3-D
    // face, its text, and the outlines of shapes.
    const QPalette desktop = QGuiApplication::palette();
    const QColor face = desktop.color(QPalette::Button);
    const QColor outline = desktop.color(QPalette::WindowText);
    const TextLook system{desktop.color(QPalette::ButtonText), face, {}};
    const QFont heading = sansSerif(FontSize::Small, Bold | Underlined);
    const QFont title = serif(FontSize::Title);

    // Created from back to front: a later sibling lies in front.
    addLabel({"dotCounterCaption", kCounterCaption, {345, 5460, 1125, 195}, true, system});
    dotCounter_ = addLabel({"dotCounter", "0", twips::kDotCounter, true, system});
    dotCounter_->setAccessibleName(spokenCount(0));
    const QLabel* tableHeading = addLabel(
        {"tableHeading", "Table of Coordinates.", {450, 1905, 1935, 255}, false, {Qt::black, face, heading}});
    table_ = new CoordinateTable(*tableHeading, this);
    addRows(1, kRowsBehindTheBox, system);

    // The etched box round the table: a divider and a rectangle in the
    // outline colour, each with a white twin 15 twips to the right and below.
    addShape("columnDivider", Shape::Filled, toPixels(twips::kColumnDivider), outline);
    addShape("tableBox", Shape::Outline, toPixels(twips::kTableBox), outline);

    addRows(kRowsBehindTheBox + 1, kMaxPoints, system);

    // The title in red over its white shadow, 45 twips lower.
    addLabel({"titleShadow", "Tarnelby.", {120, 165, 2415, 540}, true, {Qt::white, face, title}});
    QLabel* subtitle =
        addLabel({"subtitle", "AN EXPERIMENT IN CHAOS.", {240, 720, 2175, 195}, true, {Qt::red, face, {}}});
    QLabel* titleLabel = addLabel({"title", "Tarnelby.", {120, 120, 2415, 540}, true, {Qt::red, {}, title}});

    addShape("tableBoxHighlight", Shape::Outline, toPixels(twips::kTableBoxHighlight), Qt::white);
    addShape("columnDividerHighlight", Shape::Filled, toPixels(twips::kColumnDividerHighlight), Qt::white);
    // A white highlight 15 twips above and left of the heading; the heading's
    // full stop shows beyond it.
    addLabel({"tableHeadingHighlight", "Table of Coordinates", {435, 1890, 1875, 285}, false,
              {Qt::white, {}, heading}});

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

void ControlPanel::addRows(int first, int last, const TextLook& look)
{
    for (int k = first; k <= last; ++k) {
        const int top = twips::kFirstRowTop + (k - 1) * twips::kRowPitch;
        QLabel* x = addLabel({"", {}, {twips::kXLabelLeft, top, twips::kXLabelWidth, twips::kRowHeight}, true, look});
        QLabel* y = addLabel({"", {}, {twips::kYLabelLeft, top, twips::kYLabelWidth, twips::kRowHeight}, true, look});
        x->setObjectName(QStringLiteral("pointX%1").arg(k));
        y->setObjectName(QStringLiteral("pointY%1").arg(k));
        table_->setRowLabels(k, x, y);
    }
}

void ControlPanel::setDotCount(Long count)
{
    const QString shown = QString::number(count);
    if (shown == dotCounter_->text())
        return;
    dotCounter_->setText(shown);
    dotCounter_->adjustSize();
    dotCounter_->setAccessibleName(spokenCount(count));
}

void ControlPanel::setRunning(bool running)
{
    beginStopButton_->setText(running ? kStop : kBegin);
}

QString spokenCount(Long count)
{
    return QStringLiteral("%1 %2").arg(kCounterCaption).arg(count);
}

} // namespace tarnelby
