#include "window/ReadMePanel.h"

#include "window/Fonts.h"
#include "window/Geometry.h"
#include "window/PixelArt.h"

#include <QLabel>
#include <QPushButton>

namespace tarnelby {

ReadMePanel::ReadMePanel(QWidget* parent)
    : Panel("readMePanel", twips::kReadMePanel, Qt::black, parent)
{
    const TextLook white{Qt::white, {}, {}};
    const TextLook yellowHeading{Qt::yellow, {}, sansSerif(FontSize::Small, Bold | Underlined)};
    // In reading order, which is also back to front: a later sibling lies in
    // front. The texts stand exactly as written, their runs of spaces included.
    const TextRow texts[] = {
        {"quotation", QStringLiteral(
         "\"Chaos theory, a modern development in mathematics and science, provides a framework for "
         "understanding irregular or erratic fluctuations in nature.\"   "
         "(The New Grolier Multimedia Encyclopedia, release 6)"),
         {120, 360, 6090, 810}, false,
         {Qt::yellow, {}, sansSerif(FontSize::Small, Bold | Italic)}},
        {"explanation", QStringLiteral(
         "Basically the Chaos theory is finding an order in things and events that seem totally "
         "unpredictable.  The  Sierpinski Triangle is an example of this. Using this program, you can "
         "create the famous triangle. Just select three points in the form of a triangle and then "
         "press the Begin button. Then set back and watch the computer do all the work. As the number "
         "of dots increase the form will begin to take shape."),
         {240, 1080, 5415, 1290}, false, white},
        {"howToUseHeading", QStringLiteral("How to use this program."),
         {225, 2400, 2160, 270}, false, yellowHeading},
        {"stepOne", QStringLiteral(
         "1. Select 2 to 10 points in the black drawing area. By clicking the mouse button."),
         {240, 2640, 5640, 195}, true, white},
        {"stepTwo", QStringLiteral(
         "2. Then you press the BEGIN button to start the computer calculating. Press           CLEAR "
         "to start a new experiement,"),
         {240, 2880, 5655, 495}, false, white},
        {"howItWorksHeading", QStringLiteral("How this program works."),
         {240, 3360, 2100, 195}, true, yellowHeading},
        {"method", QStringLiteral(
         "Believe it or not, all the interesting shapes that this program produces could be very "
         "easily duplicated with a pencil, paper and dice! Pick 3 random points on the paper. Label "
         "the first point 1 and 2, the second point 3 and 4, the third point 5 and 6. Pick a starting "
         "point anywhere on the paper. Roll the dice. If you roll a 1 or 2 draw a dot exactly half way "
         "between your starting point and the point labeled 1 and 2. Do the same type of thing if you "
         "rolled (3 or 4) or (5 or 6). Roll the dice again. Draw a point halfway between the current "
         "point and the numbered point. And just keep doing this over and over, after about 500 dots "
         "the Sierpinski Triangle will begin taking shape."),
         {240, 3600, 6015, 1575}, false, white},
        {"webAddress", QStringLiteral("http://www.example.org/tarnelby"),
         {105, 5205, 2700, 195}, true, {Qt::red, Qt::black, {}}},
        {"invitation", QStringLiteral("Send your questions or comments to tarnelby@example.org"),
         {105, 5400, 4845, 195}, true, {Qt::red, {}, {}}},
        {"notice", QStringLiteral("Tarnelby is free to copy and share."),
         {120, 5625, 4080, 195}, true, {Qt::yellow, {}, {}}},
    };
    QList<QLabel*> labels;
    for (const TextRow& text : texts)
        labels << addLabel(text);
    // A screen reader passes over texts of fewer than three words: the web
    // address and the picture are named with more.
    labels.at(7)->setAccessibleName("Web address: " + labels.at(7)->text());

    // The picture, 32 by 32 pixels in 16 greys: read after the explanation,
    // and in front of it, whose box reaches a pixel into it.
    auto* picture = new PixelArt("picture", QPixmap(QStringLiteral(":/readme-picture.xpm")), this);
    picture->setGeometry(toPixels(twips::kPicture));
    picture->setAccessibleName("Picture: Sierpinski triangle.");
    picture->setAccessibleDescription(
        "A small Sierpinski triangle in shades of grey, light at the top and darker towards the base.");
    picture->stackUnder(labels.at(2));

    auto* okButton = addButton("okButton", "OK", twips::kOkButton, sansSerif(FontSize::Medium, Bold));
    setAccessibleName("Read Me");
    setReadingOrder(children());
    connect(okButton, &QPushButton::clicked, this, &ReadMePanel::okClicked);
}

} // namespace tarnelby
