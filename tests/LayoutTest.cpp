#include "WindowFixture.h"

#include "window/ControlPanel.h"
#include "window/CoordinateTable.h"
#include "window/DrawingArea.h"
#include "window/Geometry.h"
#include "window/Panel.h"
#include "window/ReadMePanel.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <algorithm>

using namespace tarnelby;
using tarnelby::testing::WindowFixture;

namespace {

// The layout's boxes in twips, as it gives them, on screen in pixels.
QRect box(int left, int top, int width, int height)
{
    return toPixels(twips::Box{left, top, width, height});
}

const QString kQuotation =
    "\"Chaos theory, a modern development in mathematics and science, provides a framework for "
    "understanding irregular or erratic fluctuations in nature.\"   (The New Grolier Multimedia "
    "Encyclopedia, release 6)";
const QString kExplanation =
    "Basically the Chaos theory is finding an order in things and events that seem totally "
    "unpredictable.  The  Sierpinski Triangle is an example of this. Using this program, you can "
    "create the famous triangle. Just select three points in the form of a triangle and then press "
    "the Begin button. Then set back and watch the computer do all the work. As the number of dots "
    "increase the form will begin to take shape.";
const QString kStep1 =
    "1. Select 2 to 10 points in the black drawing area. By clicking the mouse button.";
const QString kStep2 = "2. Then you press the BEGIN button to start the computer calculating. "
                       "Press           CLEAR to start a new experiement,";
const QString kMethod =
    "Believe it or not, all the interesting shapes that this program produces could be very easily "
    "duplicated with a pencil, paper and dice! Pick 3 random points on the paper. Label the first "
    "point 1 and 2, the second point 3 and 4, the third point 5 and 6. Pick a starting point "
    "anywhere on the paper. Roll the dice. If you roll a 1 or 2 draw a dot exactly half way between "
    "your starting point and the point labeled 1 and 2. Do the same type of thing if you rolled (3 "
    "or 4) or (5 or 6). Roll the dice again. Draw a point halfway between the current point and the "
    "numbered point. And just keep doing this over and over, after about 500 dots the Sierpinski "
    "Triangle will begin taking shape.";

QStringList childNames(const QWidget* parent)
{
    QStringList names;
    for (const QObject* child : parent->children())
        if (child->isWidgetType())
            names << child->objectName();
    return names;
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlIsAsLaidOut_data()
    {
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fitsText");
        const auto row = [](const char* name, QRect place, QString text = {}, bool fitsText = false) {
            QTest::newRow(name) << place << text << fitsText;
        };
        const bool fits = true;

        row("controlPanel", box(0, -15, 2775, 5895));
        row("readMePanel", box(2760, 15, 6390, 5880));

        row("clearButton", box(600, 4800, 1455, 375), "CLEAR");
        row("beginStopButton", box(735, 1080, 1170, 615), "Begin");
        row("tableHeadingHighlight", box(435, 1890, 1875, 285), "Table of Coordinates");
        row("columnDividerHighlight", toPixels(twips::VerticalLine{1335, 2180, 4680}));
        row("tableBoxHighlight", box(615, 2175, 1455, 2535));
        row("title", box(120, 120, 0, 0), "Tarnelby.", fits);
        row("subtitle", box(240, 720, 0, 0), "AN EXPERIMENT IN CHAOS.", fits);
        row("titleShadow", box(120, 165, 0, 0), "Tarnelby.", fits);
        row("tableBox", box(600, 2160, 1455, 2535));
        row("columnDivider", toPixels(twips::VerticalLine{1320, 2160, 4680}));
        row("tableHeading", box(450, 1905, 1935, 255), "Table of Coordinates.");
        row("dotCounter", box(1665, 5460, 0, 0), "0", fits);
        row("dotCounterCaption", box(345, 5460, 0, 0), "Number of dots:", fits);
        for (int k = 1; k <= 10; ++k) {
            const int top = 2280 + 240 * (k - 1);
            row(qPrintable(QString("pointX%1").arg(k)), box(840, top, 0, 0), "none", fits);
            row(qPrintable(QString("pointY%1").arg(k)), box(1440, top, 0, 0), "0", fits);
        }

        row("okButton", box(5100, 5325, 1185, 480), "OK");
        row("webAddress", box(105, 5205, 0, 0), "http://www.example.org/tarnelby", fits);
        row("picture", box(5640, 1320, 480, 480));
        row("method", box(240, 3600, 6015, 1575), kMethod);
        row("howItWorksHeading", box(240, 3360, 0, 0), "How this program works.", fits);
        row("invitation", box(105, 5400, 0, 0),
            "Send your questions or comments to tarnelby@example.org", fits);
        row("notice", box(120, 5625, 0, 0), "Tarnelby is free to copy and share.", fits);
        row("stepTwo", box(240, 2880, 5655, 495), kStep2);
        row("stepOne", box(240, 2640, 0, 0), kStep1, fits);
        row("howToUseHeading", box(225, 2400, 2160, 270), "How to use this program.");
        row("explanation", box(240, 1080, 5415, 1290), kExplanation);
        row("quotation", box(120, 360, 6090, 810), kQuotation);
    }

    void everyControlIsAsLaidOut()
    {
        QFETCH(QRect, place);
        QFETCH(QString, text);
        QFETCH(bool, fitsText);
        WindowFixture w;
        const QWidget* control = w.control(QTest::currentDataTag());
        QVERIFY(control != nullptr);
        QCOMPARE(control->pos(), place.topLeft());
        QCOMPARE(control->property("text").toString(), text);

        const auto* label = qobject_cast<const QLabel*>(control);
        if (fitsText) {
            QVERIFY(label != nullptr && !label->wordWrap());
            QCOMPARE(control->size(), control->sizeHint());
            QVERIFY2(control->geometry().right() < control->parentWidget()->width(),
                     "runs off its panel");
            return;
        }
        QCOMPARE(control->size(), place.size());
        if (label != nullptr && !text.isEmpty()) {
            QVERIFY(label->wordWrap());
            const QRect needed = label->fontMetrics().boundingRect(
                QRect(QPoint(), QSize(place.width(), 10 * place.height())),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
            QVERIFY2(needed.height() <= place.height(),
                     qPrintable(QString("the text needs %1 px").arg(needed.height())));
        }
    }

    void controlsLieInTheirStackingOrder()
    {
        WindowFixture w;
        QStringList controlPanel = {
            "clearButton", "beginStopButton", "tableHeadingHighlight", "columnDividerHighlight",
            "tableBoxHighlight", "title", "subtitle", "titleShadow",
            "pointY10", "pointX10", "pointY9", "pointX9", "pointY8", "pointX8",
            "pointY7", "pointX7", "pointY6", "pointX6", "pointY5", "pointX5",
            "tableBox", "columnDivider",
            "pointY4", "pointX4", "pointY3", "pointX3", "pointY2", "pointX2", "pointY1", "pointX1",
            "coordinateTable", // for the keyboard only: it draws nothing
            "tableHeading", "dotCounter", "dotCounterCaption",
        };
        QStringList readMe = {
            "okButton", "notice", "invitation", "webAddress", "method", "howItWorksHeading",
            "stepTwo", "stepOne", "howToUseHeading", "picture", "explanation", "quotation",
        };
        // Children are listed from back to front.
        std::reverse(controlPanel.begin(), controlPanel.end());
        std::reverse(readMe.begin(), readMe.end());
        QCOMPARE(childNames(w.window().controlPanel()), controlPanel);
        QCOMPARE(childNames(w.window().readMePanel()), readMe);
        QCOMPARE(childNames(w.window().centralWidget()), (QStringList{"drawingArea", "controlPanel", "readMePanel"}));
    }

    void aFittingLabelWidensToTheRightWhenItsTextGrows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row"); // the table's row the point goes to; 0: the counter's count
        QTest::newRow("X label") << "pointX1" << 1;
        QTest::newRow("Y label") << "pointY10" << 10;
        QTest::newRow("dot counter") << "dotCounter" << 0;
    }

    void aFittingLabelWidensToTheRightWhenItsTextGrows()
    {
        QFETCH(QString, name);
        QFETCH(int, row);
        WindowFixture w;
        QWidget* control = w.control(name);
        const QRect before = control->geometry();
        if (row == 0)
            w.window().controlPanel()->setDotCount(2147483647);
        else
            w.window().controlPanel()->table().showRow(row, Position{-4500, 32767});
        QTRY_VERIFY(control->width() > before.width());
        QCOMPARE(control->pos(), before.topLeft());
        QCOMPARE(control->size(), control->sizeHint());
    }

    void focusRunsFromBeginToClearToOkToTheDrawingArea()
    {
        WindowFixture w;
        QWidget* begin = w.control("beginStopButton");
        QWidget* clear = w.control("clearButton");
        QWidget* ok = w.control("okButton");
        QWidget* area = w.window().drawingArea();
        QCOMPARE(QApplication::focusWidget(), begin);
        for (QWidget* next : {clear, ok, area, begin}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }

        // A hidden panel's button is skipped; the focus "OK" held goes back to "Begin".
        w.clickButton("okButton");
        QCOMPARE(QApplication::focusWidget(), begin);
        for (QWidget* next : {clear, area, begin}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
