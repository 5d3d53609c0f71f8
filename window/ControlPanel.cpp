#include "window/ControlPanel.h"

#include "runtime/Palette.h"
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

const QColor kRed = QColor::fromRgb(0xFF0000);
const QColor kWhiteColour = QColor::fromRgb(0xFFFFFF);

Label* label(QWidget* panel, const char* name, const char* caption, const twips::Box& box,
             Label::Sizing sizing = Label::Sizing::FitsText)
{
    auto* l = new Label(name, caption, sizing, panel);
    l->setGeometry(toPixels(box));
    l->setCaption(caption);
    return l;
}

Label* opaque(Label* l)
{
    l->setOpaque(l->palette().color(QPalette::Button));
    return l;
}

} // namespace

ControlPanel::ControlPanel(QWidget* parent)
    : Panel("Frame1", QString(), parent)
{
    setGeometry(toPixels(twips::kFrame1));
    const QColor system = palette().color(QPalette::WindowText);

    // Created from back to front: a later sibling lies in front.
    opaque(label(this, "Label7", "Number of dots:", twips::kLabel7));
    Label8 = opaque(label(this, "Label8", "0", twips::kLabel8));
    auto* heading = opaque(label(this, "Label1", "Table of Coordinates.", twips::kLabel1,
                                 Label::Sizing::Wraps));
    heading->setFont(sansSerif(FontSize::Small, Bold | Underlined));
    heading->setTextColour(Qt::black);

    auto addRows = [this](int first, int last) {
        for (int row = first; row <= last; ++row) {
            const int top = twips::kFirstRowTop + (row - 1) * twips::kRowPitch;
            CoordinateRow& r = CoordinateTable[static_cast<std::size_t>(row - 1)];
            r.x = opaque(label(this, kXLabelNames[row - 1], "none",
                               {twips::kXLabelLeft, top, twips::kXLabelWidth, twips::kRowHeight}));
            r.y = opaque(label(this, kYLabelNames[row - 1], "0",
                               {twips::kYLabelLeft, top, twips::kYLabelWidth, twips::kRowHeight}));
        }
    };
    addRows(1, kRowsBelowTheBox);

    auto* line1 = new Line("Line1", system, this);
    line1->setGeometry(toPixels(twips::kLine1));
    auto* shape1 = new Shape("Shape1", system, this);
    shape1->setGeometry(toPixels(twips::kShape1));

    addRows(kRowsBelowTheBox + 1, static_cast<int>(CoordinateTable.size()));

    auto* shadow = opaque(label(this, "Label4", "Tarnelby.", twips::kLabel4));
    shadow->setFont(serif(FontSize::Title));
    shadow->setTextColour(kWhiteColour);
    auto* subtitle = opaque(label(this, "Label26", "AN EXPERIMENT IN CHAOS.", twips::kLabel26));
    subtitle->setTextColour(kRed);
    auto* title = label(this, "Label27", "Tarnelby.", twips::kLabel27);
    title->setFont(serif(FontSize::Title));
    title->setTextColour(kRed);

    auto* shape2 = new Shape("Shape2", kWhiteColour, this);
    shape2->setGeometry(toPixels(twips::kShape2));
    auto* line2 = new Line("Line2", kWhiteColour, this);
    line2->setGeometry(toPixels(twips::kLine2));
    auto* highlight = label(this, "Label36", "Table of Coordinates", twips::kLabel36,
                            Label::Sizing::Wraps);
    highlight->setFont(sansSerif(FontSize::Small, Bold | Underlined));
    highlight->setTextColour(kWhiteColour);

    Command1 = new QPushButton("Begin", this);
    Command1->setObjectName("Command1");
    Command1->setFont(sansSerif(FontSize::Large, Bold));
    Command1->setGeometry(toPixels(twips::kCommand1));
    Command2 = new QPushButton("CLEAR", this);
    Command2->setObjectName("Command2");
    Command2->setFont(sansSerif(FontSize::Medium, Bold));
    Command2->setGeometry(toPixels(twips::kCommand2));
}

} // namespace tarnelby
