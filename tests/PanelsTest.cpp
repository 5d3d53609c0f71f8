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

} // namespace

class PanelsTest : public QObject {
    Q_OBJECT

private slots:
    // "&Print" hides both panels and prints once; a print that did not
    // happen is never passed over in silence.
    void theCommandsShowAndHideThePanels_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<bool>("controlPanel");
        QTest::addColumn<bool>("readMePanel");
        QTest::addColumn<PrintOutcome>("outcome");
        QTest::addColumn<QStringList>("errors");
        const auto row = [](const char* name, const QStringList& commands, bool controlPanel, bool readMePanel,
                            PrintOutcome outcome = PrintOutcome::Printed, const QStringList& errors = {}) {
            QTest::newRow(name) << commands << controlPanel << readMePanel << outcome << errors;
        };
        row("at start", {}, true, true);
        row("Control", {"controlPanelAction"}, false, true);
        row("Control twice", {"controlPanelAction", "controlPanelAction"}, true, true);
        row("Read Me", {"readMeAction"}, true, false);
        row("Read Me twice", {"readMeAction", "readMeAction"}, true, true);
        row("OK", {"OK"}, true, false);
        row("OK when hidden", {"OK", "OK"}, true, false);
        row("OK, then Read Me", {"OK", "readMeAction"}, true, true);
        row("Print", {"printAction"}, false, false);
        row("Print with both hidden", {"controlPanelAction", "OK", "printAction"}, false, false);
        row("Print, then Control", {"printAction", "controlPanelAction"}, true, false);
        row("Print, dialog closed", {"printAction"}, false, false, PrintOutcome::Cancelled);
        row("Print refused", {"printAction"}, false, false, PrintOutcome::Failed, {"Printer error in printing"});
        row("Print without a printer", {"printAction"}, false, false, PrintOutcome::NoPrinter,
            {"No printer was found: nothing was printed."});
    }

    void theCommandsShowAndHideThePanels()
    {
        QFETCH(QStringList, commands);
        QFETCH(bool, controlPanel);
        QFETCH(bool, readMePanel);
        QFETCH(PrintOutcome, outcome);
        QFETCH(QStringList, errors);
        WindowFixture w;
        w.printOutcome = outcome;
        for (const QString& command : commands) {
            if (command == "OK")
                w.clickButton("okButton");
            else
                w.choose(command);
        }
        QCOMPARE(w.window().controlPanel()->isVisible(), controlPanel);
        QCOMPARE(w.window().readMePanel()->isVisible(), readMePanel);
        QCOMPARE(w.printCount, int(commands.count("printAction")));
        QCOMPARE(w.errors, errors);
        QVERIFY(!w.window().isPrinting());
    }

    // Each command by its name, with its caption; plain commands, without
    // a menu or a shortcut of their own.
    void theMenuBarHoldsItsThreeCommands()
    {
        WindowFixture w;
        QStringList commands;
        for (const QAction* item : w.window().menuBar()->actions()) {
            commands << item->objectName() + ' ' + item->text();
            QVERIFY(item->menu() == nullptr && item->shortcut().isEmpty() && item->isEnabled() && item->isVisible()
                    && !item->isCheckable());
        }
        QCOMPARE(commands, (QStringList{"controlPanelAction &Control", "printAction &Print", "readMeAction &Read Me !"}));
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
        // The dot, and the circle give or take a pixel.
        const auto drawingShows = [&] {
            const QImage shown = w.screenshot();
            return isWhite(shown, dot) && whitePixelsOf(shown.copy(QRect(onCircle - QPoint(1, 1), QSize(3, 3)))) > 0;
        };
        QVERIFY(!isWhite(w.screenshot(), dot));

        w.clickButton("okButton");
        QVERIFY(drawingShows());

        w.window().showMinimized();
        w.window().showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
        area->repaint();
        QVERIFY(drawingShows());

        w.choose("printAction");
        QCOMPARE(w.printCount, 1);
        QCOMPARE(w.lastPrinted.size(), area->size());
        QVERIFY(isWhite(w.lastPrinted, dot));
    }
};

QTEST_MAIN(PanelsTest)
#include "PanelsTest.moc"
