#include "window/Form1.h"

#include "experiment/ChaosStep.h"
#include "runtime/RuntimeError.h"
#include "window/ControlPanel.h"
#include "window/DrawingArea.h"
#include "window/Fonts.h"
#include "window/Geometry.h"
#include "window/ReadMePanel.h"
#include "window/Resources.h"
#include "window/RunTimer.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>

namespace tarnelby {

namespace {

const QString kBegin = QStringLiteral("Begin");
const QString kStop = QStringLiteral("Stop");
const QString kFreeRow = QStringLiteral("none");
const QString kNoCoordinate = QStringLiteral("0");
constexpr int kRunInterval = 1;  // ms
constexpr int kIdleInterval = 0;

QString qString(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

Form1::Form1(Form1Services services, QWidget* parent)
    : QMainWindow(parent)
    , services_(std::move(services))
{
    if (!services_.reportError)
        services_.reportError = [this](const QString& message) {
            QMessageBox::critical(this, windowTitle(), message);
        };
    if (!services_.printPicture)
        services_.printPicture = [this](const QImage& picture) {
            return printOnSystemPrinter(picture, this);
        };

    setObjectName("Form1");
    setWindowTitle("Tarnelby");
    setWindowIcon(programIcon());
    setFont(sansSerif(FontSize::Small));

    drawing_ = new DrawingArea(this);
    setCentralWidget(drawing_);
    frame1_ = new ControlPanel(drawing_);
    frame2_ = new ReadMePanel(drawing_);
    timer2_ = new RunTimer("Timer2", this);
    frame1_->Label8->setPaced(true);
    buildMenu();

    connect(drawing_, &DrawingArea::mouseReleased, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position) {
                Form_MouseUp(button, modifiers, static_cast<float>(position.x()),
                             static_cast<float>(position.y()));
            });
    connect(frame1_->Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(frame1_->Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(frame2_->Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(timer2_, &RunTimer::timeout, this, &Form1::Timer2_Timer);

    setTabOrder(frame1_->Command1, frame1_->Command2);
    setTabOrder(frame1_->Command2, frame2_->Command3);
    frame1_->Command1->setFocus();

    const QSize client = drawing_->sizeHint();
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildMenu()
{
    const struct {
        const char* name;
        const char* caption;
        void (Form1::*handler)();
    } items[] = {
        {"control", "&Control", &Form1::Control_Click},
        {"print", "&Print", &Form1::print_Click},
        {"help", "&Read Me !", &Form1::help_Click},
    };
    for (const auto& item : items) {
        QAction* action = menuBar()->addAction(item.caption);
        action->setObjectName(item.name);
        connect(action, &QAction::triggered, this, item.handler);
    }
}

template <typename Handler, typename BeforeReport>
void Form1::guarded(const char* action, Handler&& handler, BeforeReport&& beforeReport)
{
    QString error;
    try {
        handler();
        return;
    } catch (const std::exception& e) { // the runtime's errors, and anything else that escapes
        error = QString::fromUtf8(e.what());
    }
    beforeReport();
    services_.reportError(QStringLiteral("%1 in %2").arg(error, QString::fromUtf8(action)));
}

void Form1::Form_Load()
{
    guarded("starting up", [this] {
        const QRect screenArea = screen()->geometry();
        const QRect frame = frameGeometry();
        const auto twipsOf = [](int pixels) { return static_cast<Single>(pixels * twips::kPerPixel); };
        const Single left = twipsOf(screenArea.width()) / 2 - twipsOf(frame.width()) / 2;
        const Single top = twipsOf(screenArea.height()) / 2 - twipsOf(frame.height()) / 2;
        move(screenArea.topLeft() + toPixel({left, top}));
        resetExperiment(state_);
    });
}

void Form1::Form_MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, float x, float y)
{
    guarded("picking a point", [&] {
        int free = 0;
        for (int row = 1; row <= kMaxPoints && free == 0; ++row)
            if (frame1_->CoordinateTable[static_cast<std::size_t>(row - 1)].x->caption() == kFreeRow)
                free = row;
        if (free == 0)
            return;
        if (!fitsInteger(x) || !fitsInteger(y)) {
            services_.reportError(
                QStringLiteral("The point (%1, %2) lies beyond -32768 to 32767 twips and was not picked.")
                    .arg(qString(toText(x)), qString(toText(y))));
            return;
        }
        const CoordinateRow& row = frame1_->CoordinateTable[static_cast<std::size_t>(free - 1)];
        row.x->setCaption(qString(toText(x)));
        row.y->setCaption(qString(toText(y)));
        storePoint(state_, free, x, y);
        drawing_->Circle(x, y, twips::kMarkerRadius, kWhite);
    });
}

void Form1::Command1_Click()
{
    guarded("Begin/Stop", [this] {
        QPushButton* button = frame1_->Command1;
        if (button->text() == kBegin) {
            button->setText(kStop);
            timer2_->setInterval(kRunInterval);
        } else if (button->text() == kStop) {
            stopRun();
        }
    });
}

void Form1::stopRun()
{
    frame1_->Command1->setText(kBegin);
    timer2_->setInterval(kIdleInterval);
}

void Form1::Command2_Click()
{
    guarded("CLEAR", [this] {
        drawing_->setBackColor(kWhite);
        drawing_->setBackColor(kBlack);
        drawing_->repaint();
        for (const CoordinateRow& row : frame1_->CoordinateTable) {
            row.x->setCaption(kFreeRow);
            row.y->setCaption(kNoCoordinate);
        }
        resetExperiment(state_);
        frame1_->Label8->setCaption(qString(toText(state_.DotCount)));
    });
}

void Form1::Command3_Click()
{
    guarded("OK", [this] { frame2_->setVisible(false); });
}

void Form1::Control_Click()
{
    guarded("Control", [this] { frame1_->setVisible(frame1_->isHidden()); });
}

void Form1::help_Click()
{
    guarded("Read Me", [this] { frame2_->setVisible(frame2_->isHidden()); });
}

void Form1::print_Click()
{
    guarded("printing", [this] {
        frame1_->setVisible(false);
        frame2_->setVisible(false);
        if (services_.printPicture(drawing_->picture()) == PrintOutcome::Failed)
            throw RuntimeError(RuntimeError::Kind::PrinterError);
    });
}

void Form1::Timer2_Timer()
{
    // An error stops the run first, so that it is not raised again every millisecond.
    guarded(
        "the chaos step",
        [this] {
            const StepResult result = chaosStep(state_, services_.clock->Timer(), services_.generator);
            frame1_->Label8->setCaption(qString(result.counterText));
            if (result.dot)
                drawing_->PSet(result.dot->x, result.dot->y, result.dot->colour);
        },
        [this] { stopRun(); });
}

} // namespace tarnelby
