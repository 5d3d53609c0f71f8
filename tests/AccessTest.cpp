#include "WindowFixture.h"

#include "window/DrawingArea.h"
#include "window/ReadMePanel.h"

#include <QAccessible>
#include <QApplication>
#include <QMetaEnum>
#include <QTest>

using namespace tarnelby;
using namespace tarnelby::testing;

namespace {

// The tree as a screen reader walks it: "<indent><Role>: <name>", visible nodes only.
void describe(QAccessibleInterface* node, int depth, QStringList& lines)
{
    if (node == nullptr || node->state().invisible)
        return;
    lines << QString(depth * 2, ' ') + QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role())
                 + ": " + node->text(QAccessible::Name);
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child != nullptr && child->parent() != node)
            lines << "parent mismatch at " + child->text(QAccessible::Name);
        if (child != nullptr && node->indexOfChild(child) != i)
            lines << "index mismatch at " + child->text(QAccessible::Name);
        describe(child, depth + 1, lines);
    }
}

QStringList treeOf(QObject* object)
{
    QStringList lines;
    describe(QAccessible::queryAccessibleInterface(object), 0, lines);
    return lines;
}

void press(QWidget* widget, Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(widget, key, modifiers);
}

} // namespace

class AccessTest : public QObject {
    Q_OBJECT

private slots:
    void returnEnterAndSpacePressAFocusedButton_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Return") << Qt::Key_Return;
        QTest::newRow("Enter") << Qt::Key_Enter;
        QTest::newRow("Space") << Qt::Key_Space;
    }

    void returnEnterAndSpacePressAFocusedButton()
    {
        QFETCH(Qt::Key, key);
        WindowFixture w;
        QTest::keyClick(w.control("okButton"), key);
        QVERIFY(w.window().readMePanel()->isHidden());
        w.clickAt({300, 100});
        QTest::keyClick(w.control("beginStopButton"), key);
        QVERIFY(w.window().isRunning());
        QTest::keyClick(w.control("beginStopButton"), key);
        QVERIFY(!w.window().isRunning());
        QTest::keyClick(w.control("clearButton"), key);
        QCOMPARE(w.xCaption(1), QString("none"));
    }

    // Three points picked without a mouse, against the same points clicked
    // with it; Escape leaves the area for "Begin".
    void pointsPickedByKeyboardAreAsIfClicked()
    {
        WindowFixture byMouse(WindowFixture::Panels::ReadMeClosed);
        WindowFixture w(WindowFixture::Panels::ReadMeClosed);
        DrawingArea* area = w.window().drawingArea();
        press(QApplication::focusWidget(), Qt::Key_Tab, 2); // from "Begin" by CLEAR to the area
        press(area, Qt::Key_Return);
        press(area, Qt::Key_Left, 10, Qt::ShiftModifier);
        press(area, Qt::Key_Down, 3);
        press(area, Qt::Key_Space);
        press(area, Qt::Key_Right, 20, Qt::ShiftModifier);
        press(area, Qt::Key_Up, 1);
        press(area, Qt::Key_Enter);
        const QPoint centre = area->rect().center();
        for (QPoint pixel : {centre, centre + QPoint(-100, 3), centre + QPoint(100, 2)})
            byMouse.clickAt(pixel);
        for (int row = 1; row <= 4; ++row) {
            QCOMPARE(w.xCaption(row), byMouse.xCaption(row));
            QCOMPARE(w.yCaption(row), byMouse.yCaption(row));
        }
        QCOMPARE(area->picture(), byMouse.window().drawingArea()->picture());
        press(area, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), w.control("beginStopButton"));
    }

    void theCrosshairStaysInTheAreaAndPicksOnlyWhereAClickWould()
    {
        WindowFixture w; // the Read Me panel covers most of the area
        DrawingArea* area = w.window().drawingArea();
        area->setFocus();
        press(area, Qt::Key_Left, 100, Qt::ShiftModifier);
        press(area, Qt::Key_Up, 100, Qt::ShiftModifier);
        QCOMPARE(area->crosshair(), std::optional(QPoint(0, 0)));
        // What a screen reader reads when asked where the user is: the part
        // of the area the focus moved to.
        QCOMPARE(QAccessible::queryAccessibleInterface(area)->child(0)->text(QAccessible::Name), QString("0, 0"));
        press(area, Qt::Key_Return); // on the control panel: nothing
        QCOMPARE(w.window().experiment().pointCount(), 0);
        press(area, Qt::Key_Right, 100, Qt::ShiftModifier);
        press(area, Qt::Key_Return); // the strip above the Read Me panel is open
        QCOMPARE(w.window().experiment().pointCount(), 1);
        QCOMPARE(area->crosshair(), std::optional(QPoint(area->width() - 1, 0)));
    }

    void theCrosshairIsNeverPartOfThePicture()
    {
        WindowFixture w(WindowFixture::Panels::BothHidden);
        DrawingArea* area = w.window().drawingArea();
        const QImage blank = area->picture();
        area->setFocus();
        press(area, Qt::Key_Up);
        QTRY_VERIFY(w.screenshot() != blank.convertToFormat(w.screenshot().format()));
        QCOMPARE(area->picture(), blank);
        w.choose("printAction");
        QCOMPARE(w.lastPrinted, blank);
        w.window().setFocus();
        QTRY_COMPARE(w.screenshot().convertToFormat(blank.format()), blank);
    }

    // A mouse user never sees the crosshair, nor picks with it unseen.
    void theCrosshairShowsOnlyForTheKeyboard()
    {
        WindowFixture w(WindowFixture::Panels::ReadMeClosed);
        DrawingArea* area = w.window().drawingArea();
        w.choose("controlPanelAction"); // the focus falls from "Begin" to the area
        press(area, Qt::Key_Return);
        w.clickAt({400, 300});
        QVERIFY(!area->isCrosshairShown());
        press(area, Qt::Key_Left);
        QVERIFY(area->isCrosshairShown());
        QCOMPARE(area->crosshair(), std::optional(area->rect().center() - QPoint(1, 0)));

        // Away to another window and back: the focus returns without a crosshair.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        w.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window()));
        QCOMPARE(QApplication::focusWidget(), area);
        QVERIFY(!area->isCrosshairShown());

        w.choose("controlPanelAction");
        for (int i = 0; i < 4; ++i) // to "CLEAR", to "Begin", to the table and round to the area
            press(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), area);
        QVERIFY(area->isCrosshairShown());
    }

    // Only the area's own keys show the crosshair, and only while the area
    // has the focus: keys that a focused button passes up, modifiers alone,
    // menu access keys and Escape never do.
    void onlyTheAreasOwnKeysShowTheCrosshair_data()
    {
        QTest::addColumn<bool>("areaFocused"); // else "Begin" has it
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("shown");
        const struct {
            const char* name;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            bool shownInArea; // never from "Begin"
        } keys[] = {
            {"Shift", Qt::Key_Shift, Qt::ShiftModifier, false},
            {"Ctrl", Qt::Key_Control, Qt::ControlModifier, false},
            {"Alt", Qt::Key_Alt, Qt::AltModifier, false},
            {"Escape", Qt::Key_Escape, Qt::NoModifier, false},
            {"Alt+R", Qt::Key_R, Qt::AltModifier, false},
            {"a", Qt::Key_A, Qt::NoModifier, false},
            {"Down", Qt::Key_Down, Qt::NoModifier, true},
            // On a button Left moves the focus back as Shift+Tab does: to the table of points.
            {"Shift+Left", Qt::Key_Left, Qt::ShiftModifier, true},
            {"Return", Qt::Key_Return, Qt::NoModifier, true},
            {"Enter", Qt::Key_Enter, Qt::KeypadModifier, true},
            {"Space", Qt::Key_Space, Qt::NoModifier, true},
        };
        for (const auto& k : keys) {
            QTest::addRow("Begin, %s", k.name) << false << k.key << k.modifiers << false;
            QTest::addRow("area, %s", k.name) << true << k.key << k.modifiers << k.shownInArea;
        }
    }

    void onlyTheAreasOwnKeysShowTheCrosshair()
    {
        QFETCH(bool, areaFocused);
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, shown);
        WindowFixture w(WindowFixture::Panels::ReadMeClosed);
        DrawingArea* area = w.window().drawingArea();
        if (areaFocused)
            w.choose("controlPanelAction"); // the focus falls from "Begin" to the area
        QCOMPARE(QApplication::focusWidget() == area, areaFocused);
        QVERIFY(!area->isCrosshairShown());
        press(QApplication::focusWidget(), key, 1, modifiers);
        QCOMPARE(area->isCrosshairShown(), shown);
        QCOMPARE(area->isCrosshairShown(), area->hasFocus() && shown);
        QCOMPARE(w.window().experiment().pointCount(), 0);
    }

    // The panels read beside the drawing area, in front to back order; every
    // text of at least three words, as a screen reader passes over shorter ones.
    void aScreenReaderReadsEachTextOnceInReadingOrder()
    {
        WindowFixture w;
        QStringList readMe = {"  Grouping: Read Me"};
        for (const QString& text : {w.caption("quotation"), w.caption("explanation"),
                                    QString("Picture: Sierpinski triangle."), w.caption("howToUseHeading"),
                                    w.caption("stepOne"), w.caption("stepTwo"), w.caption("howItWorksHeading"),
                                    w.caption("method"), "Web address: " + w.caption("webAddress"),
                                    w.caption("invitation"), w.caption("notice")})
            readMe << "    StaticText: " + text;
        readMe << "    Button: OK";
        QStringList controlPanel = {
            "  Grouping: Control",
            "    StaticText: Tarnelby. AN EXPERIMENT IN CHAOS.",
            "    Button: Begin",
            "    List: Table of Coordinates.",
        };
        for (int row = 1; row <= 10; ++row)
            controlPanel << QString("      ListItem: Point %1: %2").arg(row).arg(row == 1 ? "4500, 0" : "free");
        controlPanel << "    Button: CLEAR" << "    StaticText: Number of dots: 17";

        w.clickAt({300, 0}); // the strip above the Read Me panel
        w.tick(17);
        const auto fromTheArea = [&w] { return treeOf(w.window().centralWidget()).mid(1); };
        QTRY_COMPARE(fromTheArea(), QStringList{"  Canvas: Drawing area"} + controlPanel + readMe);
        QVERIFY(!QAccessible::queryAccessibleInterface(w.control("picture"))->text(QAccessible::Description).isEmpty());
        w.clickButton("okButton");
        QCOMPARE(fromTheArea(), QStringList{"  Canvas: Drawing area"} + controlPanel);
    }
};

QTEST_MAIN(AccessTest)
#include "AccessTest.moc"
