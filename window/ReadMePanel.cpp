#include "window/ReadMePanel.h"

#include "window/Fonts.h"
#include "window/Geometry.h"
#include "window/PixelArt.h"
#include "window/Resources.h"

#include <QLabel>
#include <QPushButton>

namespace tarnelby {

namespace {

// The texts stand exactly as written, their runs of spaces included.
const QString kQuotationText = QStringLiteral(
    "\"Chaos theory, a modern development in mathematics and science, provides a framework for "
    "understanding irregular or erratic fluctuations in nature.\"   "
    "(The New Grolier Multimedia Encyclopedia, release 6)");
const QString kExplanationText = QStringLiteral(
    "Basically the Chaos theory is finding an order in things and events that seem totally "
    "unpredictable.  The  Sierpinski Triangle is an example of this. Using this program, you can "
    "create the famous triangle. Just select three points in the form of a triangle and then "
    "press the Begin button. Then set back and watch the computer do all the work. As the number "
    "of dots increase the form will begin to take shape.");
const QString kHowToUseText = QStringLiteral("How to use this program.");
const QString kStep1Text = QStringLiteral(
    "1. Select 2 to 10 points in the black drawing area. By clicking the mouse button.");
const QString kStep2Text = QStringLiteral(
    "2. Then you press the BEGIN button to start the computer calculating. Press           CLEAR "
    "to start a new experiement,");
const QString kHowItWorksText = QStringLiteral("How this program works.");
const QString kMethodText = QStringLiteral(
    "Believe it or not, all the interesting shapes that this program produces could be very "
    "easily duplicated with a pencil, paper and dice! Pick 3 random points on the paper. Label "
    "the first point 1 and 2, the second point 3 and 4, the third point 5 and 6. Pick a starting "
    "point anywhere on the paper. Roll the dice. If you roll a 1 or 2 draw a dot exactly half way "
    "between your starting point and the point labeled 1 and 2. Do the same type of thing if you "
    "rolled (3 or 4) or (5 or 6). Roll the dice again. Draw a point halfway between the current "
    "point and the numbered point. And just keep doing this over and over, after about 500 dots "
    "the Sierpinski Triangle will begin taking shape.");
const QString kWebAddressText = QStringLiteral("http://www.example.org/tarnelby");
const QString kInvitationText =
    QStringLiteral("Send your questions or comments to tarnelby@example.org");
const QString kNoticeText = QStringLiteral("Tarnelby is free to copy and share.");
// A screen reader passes over texts of fewer than three words.
const QString kPictureName = QStringLiteral("Picture: Sierpinski triangle.");
const QString kWebAddressName = QStringLiteral("Web address: %1").arg(kWebAddressText);
const QString kPictureDescription =
    QStringLiteral("A small Sierpinski triangle in shades of grey, light at the top and darker towards the base.");

} // namespace

ReadMePanel::ReadMePanel(QWidget* parent)
    : Panel("readMePanel", twips::kReadMePanel, Qt::black, parent)
{
    const QFont heading = sansSerif(FontSize::Small, Bold | Underlined);
    const TextLook white{Qt::white, {}, {}};
    const TextLook yellowHeading{Qt::yellow, {}, heading};
    // In reading order, which is also back to front: a later sibling lies in front.
    const TextRow texts[] = {
        {"quotation", kQuotationText, twips::kQuotation, false,
         {Qt::yellow, {}, sansSerif(FontSize::Small, Bold | Italic)}},
        {"explanation", kExplanationText, twips::kExplanation, false, white},
        {"howToUseHeading", kHowToUseText, twips::kHowToUseHeading, false, yellowHeading},
        {"stepOne", kStep1Text, twips::kStepOne, true, white},
        {"stepTwo", kStep2Text, twips::kStepTwo, false, white},
        {"howItWorksHeading", kHowItWorksText, twips::kHowItWorksHeading, true, yellowHeading},
        {"method", kMethodText, twips::kMethod, false, white},
        {"webAddress", kWebAddressText, twips::kWebAddress, true, {Qt::red, Qt::black, {}}},
        {"invitation", kInvitationText, twips::kInvitation, true, {Qt::red, {}, {}}},
        {"notice", kNoticeText, twips::kNotice, true, {Qt::yellow, {}, {}}},
    };
    QList<QLabel*> labels;
    for (const TextRow& text : texts)
        labels << addLabel(text);
    labels.at(7)->setAccessibleName(kWebAddressName);

    // Read after the explanation, and in front of it, whose box reaches a pixel into it.
    auto* picture = new PixelArt("picture", readMePicture(), this);
    picture->setGeometry(toPixels(twips::kPicture));
    picture->setAccessibleName(kPictureName);
    picture->setAccessibleDescription(kPictureDescription);
    picture->stackUnder(labels.at(2));

    auto* okButton = addButton("okButton", "OK", twips::kOkButton, sansSerif(FontSize::Medium, Bold));
    setAccessibleName("Read Me");
    setReadingOrder(children());
    connect(okButton, &QPushButton::clicked, this, &ReadMePanel::okClicked);
}

} // namespace tarnelby
