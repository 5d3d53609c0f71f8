#include "WindowFixture.h"

#include "window/ControlPanel.h"
#include "window/DrawingArea.h"
#include "window/Geometry.h"
#include "window/ReadMePanel.h"
#include "window/RunTimer.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QTest>

#include <random>

using namespace tarnelby;
using tarnelby::testing::WindowFixture;

namespace {

// What the window should hold, kept by the test alongside it.
struct Model {
    int points = 0;
    std::array<std::pair<int, int>, kMaxPoints> stored{};
    long stepsSinceReset = 0;
    bool running = false;
    bool controlShown = true;
    bool readMeShown = true;
    int refusedClicks = 0;
};

enum class Action { Click, BeginStop, Clear, Ok, MenuControl, MenuPrint, MenuReadMe, Ticks, Resize };

// How often each action comes, in the order of Action.
constexpr std::array kWeights = {30, 6, 3, 3, 5, 1, 5, 40, 2};

class Driver {
public:
    explicit Driver(std::uint64_t seed) : random_(seed)
    {
        MainWindow& form = w_.window();
        QObject::connect(form.runTimer(), &RunTimer::timeout, [this] { ++model_.stepsSinceReset; });
        QObject::connect(form.controlPanel(), &ControlPanel::clearClicked, [this] { model_.stepsSinceReset = 0; });
    }

    // Buttons on a hidden panel cannot be pressed.
    void act()
    {
        switch (static_cast<Action>(pick_(random_))) {
        case Action::Click: click(); break;
        case Action::BeginStop:
            if (model_.controlShown) {
                w_.beginOrStop();
                model_.running = !model_.running;
            }
            break;
        case Action::Clear:
            if (model_.controlShown) {
                w_.clear();
                model_.points = 0;
            }
            break;
        case Action::Ok:
            if (model_.readMeShown) {
                w_.clickButton("okButton");
                model_.readMeShown = false;
            }
            break;
        case Action::MenuControl: w_.choose("controlPanelAction"); model_.controlShown = !model_.controlShown; break;
        case Action::MenuReadMe: w_.choose("readMeAction"); model_.readMeShown = !model_.readMeShown; break;
        case Action::MenuPrint:
            w_.choose("printAction");
            model_.controlShown = model_.readMeShown = false;
            break;
        case Action::Ticks: {
            const int n = uniform(1, 40);
            w_.tick(n);
            model_.stepsSinceReset += n;
            break;
        }
        case Action::Resize: // up to well beyond 32767 twips (2184 pixels)
            w_.window().resize(uniform(300, 2600), uniform(250, 2400));
            QCoreApplication::processEvents();
            break;
        }
    }

    // Compares the window with the model; the first difference fails the test.
    void check(int action) const
    {
        MainWindow& form = w_.window();
        const Experiment& s = form.experiment();
        const QByteArray after = "after action " + QByteArray::number(action) + ": ";
        QVERIFY2(s.pointCount() == model_.points, after + "pointCount");
        for (int row = 1; row <= kMaxPoints; ++row) {
            const bool used = row <= model_.points;
            const auto [mx, my] = model_.stored[static_cast<std::size_t>(row - 1)];
            const QString shown = w_.xCaption(row) + ' ' + w_.yCaption(row);
            QVERIFY2(shown == (used ? QString("%1 %2").arg(mx).arg(my) : "none 0"), after + "row labels");
            QVERIFY2(!used || (s.point(row).x == mx && s.point(row).y == my), after + "stored point");
        }
        QVERIFY2(s.count() == model_.stepsSinceReset, after + "count");
        QVERIFY2(w_.caption("beginStopButton") == (model_.running ? "Stop" : "Begin")
                     && (form.runTimer()->interval() == 1) == model_.running && form.isRunning() == model_.running,
                 after + "run state");
        QVERIFY2(form.controlPanel()->isHidden() != model_.controlShown, after + "control panel");
        QVERIFY2(form.readMePanel()->isHidden() != model_.readMeShown, after + "Read Me panel");
        QVERIFY2(w_.errors.size() == model_.refusedClicks, after + "errors");
    }

    // The counter shows the count by the next frame.
    void checkCounter() const
    {
        QTRY_COMPARE(w_.counter(), QString::number(w_.window().experiment().count()));
    }

private:
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // Anywhere in the drawing area, panels included, but not on a button.
    void click()
    {
        const QSize area = w_.window().drawingArea()->size();
        QPoint pixel;
        do
            pixel = {uniform(0, area.width() - 1), uniform(0, area.height() - 1)};
        while (qobject_cast<const QAbstractButton*>(w_.window().centralWidget()->childAt(pixel)));

        const bool covered = (model_.controlShown && toPixels(twips::kControlPanel).contains(pixel))
                          || (model_.readMeShown && toPixels(twips::kReadMePanel).contains(pixel));
        w_.clickAt(pixel, uniform(0, 1) ? Qt::LeftButton : Qt::RightButton);
        if (covered || model_.points == kMaxPoints)
            return;
        const int x = pixel.x() * twips::kPerPixel;
        const int y = pixel.y() * twips::kPerPixel;
        if (x > 32767 || y > 32767) {
            ++model_.refusedClicks;
            return;
        }
        model_.stored[static_cast<std::size_t>(model_.points++)] = {x, y};
    }

    mutable WindowFixture w_;
    Model model_;
    std::mt19937_64 random_;
    std::discrete_distribution<int> pick_{kWeights.begin(), kWeights.end()};
};

} // namespace

class ModelTest : public QObject {
    Q_OBJECT

private slots:
    void randomUserActionsKeepEveryInvariant()
    {
        constexpr int kActions = 100'000;
        Driver driver(20261207);
        for (int i = 0; i < kActions; ++i) {
            driver.act();
            driver.check(i);
            if (QTest::currentTestFailed())
                return;
        }
        driver.checkCounter();
    }
};

QTEST_MAIN(ModelTest)
#include "ModelTest.moc"
