#include "window/ControlPanel.h"

#include "window/Fonts.h"
#include "window/Geometry.h"
#include "window/Shapes.h"

namespace tarnelby {

namespace {

constexpr std::array<const char*, 10> kXLabelNames = {
    "Label2", "Label6", "Label16", "Label18", "Label9",
    "Label11", "Label13", "Label20", "Label22", "Label24",
};
constexpr std::array<const char*, 10> kYLabelNames = {
    "Label3", "Label15", "Label17", "Label19", "Label10",
    "Label12", "Label14", "Label21", "Label23", "Label25",
};
constexpr int kRowsBelowTheBox = 4; // rows 1..4 lie behind Shape1 and Line1

} // namespace

ControlPanel::ControlPanel(QWidget* parent)
    : Panel("Frame1", QString(), parent)
{
    setGeometry(toPixels(twips::kFrame1));
    const LabelLook system{systemText(), systemFace(), {}};
    const QFont heading = sansSerif(FontSize::Small, Bold | Underlined);
    const QFont title = serif(FontSize::Title);

    // Created from back to front: a later sibling lies in front.
    addLabel("Label7", "Number of dots:", twips::kLabel7, Label::Sizing::FitsText, system);
    Label8 = addLabel("Label8", "0", twips::kLabel8, Label::Sizing::FitsText, system);
    addLabel("Label1", "Table of Coordinates.", twips::kLabel1, Label::Sizing::Wraps,
             {Qt::black, systemFace(), heading});

    auto addRows = [&](int first, int last) {
        for (int row = first; row <= last; ++row) {
            const int top = twips::kFirstRowTop + (row - 1) * twips::kRowPitch;
            const auto index = static_cast<std::size_t>(row - 1);
            CoordinateTable[index] = {
                addLabel(kXLabelNames[index], "none",
                         {twips::kXLabelLeft, top, twips::kXLabelWidth, twips::kRowHeight},
                         Label::Sizing::FitsText, system),
                addLabel(kYLabelNames[index], "0",
                         {twips::kYLabelLeft, top, twips::kYLabelWidth, twips::kRowHeight},
                         Label::Sizing::FitsText, system),
            };
        }
    };
    addRows(1, kRowsBelowTheBox);

    // The etched box round the table: a line and a rectangle in the outline
    // colour, each with a white twin 15 twips to the right and below.
    auto* line1 = new Line("Line1", systemOutline(), this);
    line1->setGeometry(toPixels(twips::kLine1));
    auto* shape1 = new Shape("Shape1", systemOutline(), this);
    shape1->setGeometry(toPixels(twips::kShape1));

    addRows(kRowsBelowTheBox + 1, static_cast<int>(CoordinateTable.size()));

    // The title in red over its white shadow, 45 twips lower.
    addLabel("Label4", "Tarnelby.", twips::kLabel4, Label::Sizing::FitsText,
             {Qt::white, systemFace(), title});
    addLabel("Label26", "AN EXPERIMENT IN CHAOS.", twips::kLabel26, Label::Sizing::FitsText,
             {Qt::red, systemFace(), {}});
    addLabel("Label27", "Tarnelby.", twips::kLabel27, Label::Sizing::FitsText,
             {Qt::red, {}, title});

    auto* shape2 = new Shape("Shape2", Qt::white, this);
    shape2->setGeometry(toPixels(twips::kShape2));
    auto* line2 = new Line("Line2", Qt::white, this);
    line2->setGeometry(toPixels(twips::kLine2));
    // A white highlight 15 twips above and left of the heading; the heading's
    // full stop shows beyond it.
    addLabel("Label36", "Table of Coordinates", twips::kLabel36, Label::Sizing::Wraps,
             {Qt::white, {}, heading});

    Command1 = addButton("Command1", "Begin", twips::kCommand1, sansSerif(FontSize::Large, Bold));
    Command2 = addButton("Command2", "CLEAR", twips::kCommand2, sansSerif(FontSize::Medium, Bold));
}

} // namespace tarnelby
