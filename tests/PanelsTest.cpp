#include "WindowFixture.h"

#include "window/ControlPanel.h"
#include "window/DrawingArea.h"
#include "window/ReadMePanel.h"

#include <QAction>
#include <QMenuBar>
#include <QTest>

using namespace tarnelby;
using namespace tarnelby::testing;

namespace {

bool isWhite(const QImage& image, QPoint pixel)
{
    return (image.pixel(pixel) & 0xFFFFFF) == kWhiteRgb;
}

bool whiteNear(const QImage& image, QPoint pixel)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (isWhite(image, pixel + QPoint(dx, dy)))
                return true;
    return false;
}

} // namespace

class PanelsTest : public QObject {
    Q_OBJECT

private slots:
    void theCommandsShowAndHideThePanels_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<bool>("controlPanel");
        QTest::addColumn<bool>("readMePanel");
        QTest::addColumn<int>("prints");
        QTest::newRow("at start") << QStringList{} << true << true << 0;
        QTest::newRow("Control") << QStringList{"controlPanelAction"} << false << true << 0;
        QTest::newRow("Control twice") << QStringList{"controlPanelAction", "controlPanelAction"} << true << true << 0;
        QTest::newRow("Read Me") << QStringList{"readMeAction"} << true << false << 0;
        QTest::newRow("Read Me twice") << QStringList{"readMeAction", "readMeAction"} << true << true << 0;
        QTest::newRow("OK") << QStringList{"OK"} << true << false << 0;
        QTest::newRow("OK when hidden") << QStringList{"OK", "OK"} << true << false << 0;
        QTest::newRow("OK, then Read Me") << QStringList{"OK", "readMeAction"} << true << true << 0;
        QTest::newRow("Print") << QStringList{"printAction"} << false << false << 1;
        QTest::newRow("Print with both hidden")
            << QStringList{"controlPanelAction", "OK", "printAction"} << false << false << 1;
        QTest::newRow("Print, then Control") << QStringList{"printAction", "controlPanelAction"} << true << false << 1;
    }

    void theCommandsShowAndHideThePanels()
    {
        QFETCH(QStringList, commands);
        QFETCH(bool, controlPanel);
        QFETCH(bool, readMePanel);
        QFETCH(int, prints);
        WindowFixture w;
        for (const QString& command : commands) {
            if (command == "OK")
                w.clickButton("okButton");
            else
                w.choose(command);
        }
        QCOMPARE(w.window().controlPanel()->isVisible(), controlPanel);
        QCOMPARE(w.window().readMePanel()->isVisible(), readMePanel);
        QCOMPARE(w.printCount, prints);
        QCOMPARE(w.errors, QStringList{});
    }

    // A print that did not happen is never passed over in silence.
    void howAPrintEndedIsTold_data()
    {
        QTest::addColumn<PrintOutcome>("outcome");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("printed") << PrintOutcome::Printed << QStringList{};
        QTest::newRow("dialog closed") << PrintOutcome::Cancelled << QStringList{};
        QTest::newRow("refused") << PrintOutcome::Failed << QStringList{"Printer error in printing"};
        QTest::newRow("no printer") << PrintOutcome::NoPrinter
                                    << QStringList{"No printer was found: nothing was printed."};
    }

    void howAPrintEndedIsTold()
    {
        QFETCH(PrintOutcome, outcome);
        QFETCH(QStringList, errors);
        WindowFixture w;
        w.printOutcome = outcome;
        w.choose("printAction");
        QCOMPARE(w.errors, errors);
        QVERIFY(!w.window().isPrinting());
    }

    void theMenuBarHoldsItsThreeCommands()
    {
        WindowFixture w;
        QStringList names;
        QStringList captions;
        for (const QAction* item : w.window().menuBar()->actions()) {
            names << item->objectName();
            captions << item->text();
            QVERIFY(item->menu() == nullptr);
            QVERIFY(item->shortcut().isEmpty());
            QVERIFY(item->isEnabled() && item->isVisible() && !item->isCheckable());
        }
        QCOMPARE(names, (QStringList{"controlPanelAction", "printAction", "readMeAction"}));
        QCOMPARE(captions, (QStringList{"&Control", "&Print", "&Read Me !"}));
    }

    void aClickOnAPanelPicksNoPoint_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<bool>("picks");
        QTest::newRow("strip above the Read Me panel") << QPoint(400, 0) << true;
        QTest::newRow("control panel") << QPoint(10, 100) << false;
        QTest::newRow("where the panels overlap") << QPoint(184, 200) << false;
        QTest::newRow("black of the Read Me panel") << QPoint(604, 200) << false;
        QTest::newRow("picture") << QPoint(184 + 376 + 16, 1 + 88 + 16) << false;
    }

    void aClickOnAPanelPicksNoPoint()
    {
        QFETCH(QPoint, pixel);
        QFETCH(bool, picks);
        WindowFixture w;
        w.clickAt(pixel);
        QCOMPARE(w.xCaption(1) != "none", picks);
        QCOMPARE(w.window().experiment().pointCount(), picks ? 1 : 0);
        QCOMPARE(w.errors, QStringList{});
    }

    void theDrawingShowsWhereAPanelIsHidden()
    {
        WindowFixture w;
        DrawingArea* area = w.window().drawingArea();
        // Both under the Read Me panel, where it shows black.
        const QPoint dot(604, 200);
        const QPoint onCircle(220, 50); // the leftmost point of a circle round (320, 50)
        area->plotDot(dot * 15);
        area->drawCircle(QPointF(320, 50) * 15, 100 * 15);
        QVERIFY(!isWhite(w.screenshot(), dot));

        w.clickButton("okButton");
        QImage shown = w.screenshot();
        QVERIFY(isWhite(shown, dot));
        QVERIFY(whiteNear(shown, onCircle));

        w.window().showMinimized();
        w.window().showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
        area->repaint();
        shown = w.screenshot();
        QVERIFY(isWhite(shown, dot));
        QVERIFY(whiteNear(shown, onCircle));

        w.choose("printAction");
        QCOMPARE(w.printCount, 1);
        QCOMPARE(w.lastPrinted.size(), area->size());
        QVERIFY(isWhite(w.lastPrinted, dot));
    }
};

QTEST_MAIN(PanelsTest)
#include "PanelsTest.moc"
