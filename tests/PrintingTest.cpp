#include "PrintedPages.h"
#include "WindowFixture.h"

#include "window/Printing.h"
#include "platform/PrintSpooler.h"

#include "program/Startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QDir>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <optional>
#include <thread>
#include <unistd.h>

using namespace tarnelby;
using namespace tarnelby::testing;

namespace {

constexpr int kDpi = 100;
constexpr int kEdgeTolerance = 2;  // pixels at kDpi
constexpr int kDialogPollMs = 20;
constexpr int kPrintTimeoutMs = 30'000;
constexpr double kAnswerSeconds = SystemPrinter::kAnswerTimeout.count();
constexpr double kLateSeconds = 5;      // the most a message may come after it is due, on a loaded machine
constexpr double kMinStepsPerSecond = 500;  // of the run's 1,000, on a loaded machine
constexpr qint64 kPromptExitMs = 1000;
constexpr int kIntoTheExchangeMs = 100;  // for the exchange to reach its connection or its first request
constexpr int kFillMs = 5000;            // for a connection to a loopback port

// Sets an environment variable for as long as it lives.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name), wasSet_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment() { wasSet_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char* name_;
    bool wasSet_;
    QByteArray old_;
};

enum class Spooler { SilentPort, SilentSocket, ClosedPort, HungConnection };

// A print server that never answers, the one CUPS_SERVER names while it
// lives. SilentPort and SilentSocket take the connection; ClosedPort is a
// loopback port that nothing listens on; HungConnection has a backlog of
// one, filled and never accepted, so the kernel drops every further SYN and
// a connection waits until it is given up.
class UnansweringSpooler {
public:
    explicit UnansweringSpooler(Spooler kind)
    {
        const bool hung = kind == Spooler::HungConnection;
        if (kind == Spooler::SilentSocket) {
            server_ = directory_.filePath(QStringLiteral("cups.sock"));
            if (!socket_.listen(server_))
                return;
        } else {
            if (hung)
                port_.setListenBacklogSize(0);
            if (!port_.listen(QHostAddress::LocalHost))
                return;
            server_ = QStringLiteral("127.0.0.1:%1").arg(port_.serverPort());
            if (kind == Spooler::ClosedPort)
                port_.close();
        }
        if (hung) {
            port_.pauseAccepting();
            filler_.connectToHost(port_.serverAddress(), port_.serverPort());
            if (!filler_.waitForConnected(kFillMs))
                return;
        }
        environment_.emplace("CUPS_SERVER", server_.toLocal8Bit());
    }

    // False where the server could not be set up.
    bool ready() const { return environment_.has_value(); }
    // As CUPS_SERVER names it.
    const QString& server() const { return server_; }

private:
    QTemporaryDir directory_;
    QLocalServer socket_;
    QTcpServer port_;
    QTcpSocket filler_;
    QString server_;
    std::optional<ScopedEnvironment> environment_;
};

// Answers the print dialog as soon as it shows: with a file name it prints to
// that file, without one it cancels.
class PrintDialogAnswer {
public:
    explicit PrintDialogAnswer(const QString& file = {})
    {
        QObject::connect(&poll_, &QTimer::timeout, [this, file] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            offered_ = true;
            poll_.stop();
            if (file.isEmpty())
                return dialog->reject();
            dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(file);
            dialog->accept();
        });
        poll_.start(kDialogPollMs);
    }

    bool offered() const { return offered_; }

private:
    QTimer poll_;
    bool offered_ = false;
};

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed; these cases need a machine without one");
        if (!pdfToolsInstalled())
            QSKIP("poppler-utils (pdfinfo, pdftoppm) is not installed");
    }

    void thePictureFillsThePrintableAreaWithItsShapeKept_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::newRow("window-shaped, portrait") << QSize(610, 393) << QPageLayout::Portrait;
        QTest::newRow("window-shaped, landscape") << QSize(610, 393) << QPageLayout::Landscape;
        QTest::newRow("tall, portrait") << QSize(200, 900) << QPageLayout::Portrait;
        QTest::newRow("tall, landscape") << QSize(200, 900) << QPageLayout::Landscape;
        QTest::newRow("tiny, portrait") << QSize(3, 2) << QPageLayout::Portrait;
    }

    void thePictureFillsThePrintableAreaWithItsShapeKept()
    {
        QFETCH(QSize, picture);
        QFETCH(QPageLayout::Orientation, orientation);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("page.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(orientation);
        QImage black(picture, QImage::Format_RGB32);
        black.fill(Qt::black);
        const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Inch);

        QVERIFY(printPicture(printer, black));

        QCOMPARE(pdfPageCount(file), 1);
        const QImage page = renderFirstPage(file, kDpi);
        QRectF expected(QPointF(), QSizeF(picture).scaled(printable.size() * kDpi, Qt::KeepAspectRatio));
        expected.moveCenter(printable.center() * kDpi);
        const QRect printed = boundsWhere(page, page.rect(), isDark);
        const double off = std::max({std::abs(printed.left() - expected.left()), std::abs(printed.top() - expected.top()),
                                     std::abs(printed.right() + 1 - expected.right()),
                                     std::abs(printed.bottom() + 1 - expected.bottom())});
        QVERIFY2(off <= kEdgeTolerance, qPrintable(QStringLiteral("printed at %1,%2 %3x%4")
                                                       .arg(printed.x()).arg(printed.y())
                                                       .arg(printed.width()).arg(printed.height())));
        QCOMPARE(countWhere(page, printed, isDark), printed.width() * printed.height());
    }

    // Without a printer, "&Print" offers the print dialog; closed, or printing
    // to a file, it tells nothing.
    void withoutAPrinterTheDialogIsOffered_data()
    {
        QTest::addColumn<bool>("toFile");
        QTest::newRow("cancelled") << false;
        QTest::newRow("printed to a file") << true;
    }

    void withoutAPrinterTheDialogIsOffered()
    {
        QFETCH(bool, toFile);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("picture.pdf"));
        PrintDialogAnswer answer(toFile ? file : QString());
        WindowFixture w(WindowFixture::Panels::AsAtStart, WindowFixture::Printing::System);

        w.choose("printAction");
        w.waitForPrint(kPrintTimeoutMs);

        QVERIFY(answer.offered());
        QVERIFY(!w.window().isPrinting());
        QCOMPARE(w.errors, QStringList());
        QCOMPARE(pdfPageCount(file), toFile ? 1 : -1);
        QCOMPARE(QDir(dir.path()).isEmpty(), !toFile);
    }

    // A print server that takes the connection and never answers, or is not
    // there although it is configured, is told as such while the run goes on
    // at its pace; a second "&Print" meanwhile starts nothing.
    void aSpoolerThatDoesNotAnswerIsToldWhileTheRunGoesOn_data()
    {
        QTest::addColumn<Spooler>("spooler");
        QTest::addColumn<QString>("message");
        QTest::addColumn<double>("earliest");
        const QString noAnswer = "No answer from the print server %1 within 10 seconds: nothing was printed.";
        QTest::newRow("silent on a loopback port") << Spooler::SilentPort << noAnswer << kAnswerSeconds;
        QTest::newRow("silent on a unix socket") << Spooler::SilentSocket << noAnswer << kAnswerSeconds;
        QTest::newRow("nothing on its loopback port")
            << Spooler::ClosedPort << "Cannot reach the print server %1: nothing was printed." << 0.0;
    }

    void aSpoolerThatDoesNotAnswerIsToldWhileTheRunGoesOn()
    {
        QFETCH(Spooler, spooler);
        QFETCH(QString, message);
        QFETCH(double, earliest);
        const UnansweringSpooler server(spooler);
        QVERIFY(server.ready());
        WindowFixture w(WindowFixture::Panels::AsAtStart, WindowFixture::Printing::System);
        w.startRun();

        w.choose("printAction");
        w.choose("printAction");
        const WindowFixture::PrintPace pace = w.waitForPrint(kPrintTimeoutMs);
        qInfo("told after %.2f s, %lld steps meanwhile", pace.seconds, static_cast<long long>(pace.steps));

        QCOMPARE(w.notices, QStringList{"A print is already under way; no other was started."});
        QCOMPARE(w.errors, QStringList{message.arg(server.server())});
        QVERIFY2(pace.seconds >= earliest && pace.seconds < earliest + kLateSeconds,
                 qPrintable(QString("told after %1 s").arg(pace.seconds)));
        if (earliest > 0)
            QVERIFY2(pace.steps >= pace.seconds * kMinStepsPerSecond,
                     qPrintable(QString("%1 steps in %2 s").arg(pace.steps).arg(pace.seconds)));
        QVERIFY(w.window().isRunning());
    }

    // The dialog's printer, chosen after the spooler went away, is not "no printer".
    void aChosenPrinterWithoutASpoolerIsUnreachable()
    {
        const SpoolResult spooled = spool(QImage(), QStringLiteral("Chosen"), 1,
                                          std::chrono::steady_clock::now() + SystemPrinter::kAnswerTimeout, {});
        QCOMPARE(spooled.outcome, PrintOutcome::Unreachable);
    }

    // A print from the menu waiting for a silent spooler or for a connection
    // to one, a print on a queue picked by name, which waits until its
    // deadline, and the cancelling of a job left held in the queue, which goes
    // on for as long as it takes: the signal ends the event loop at once, and
    // all of them end within a second, leaving no file behind.
    void aTerminationSignalEndsEveryWaitForTheSpoolerAtOnce_data()
    {
        QTest::addColumn<Spooler>("spooler");
        QTest::newRow("silent on a loopback port") << Spooler::SilentPort;
        QTest::newRow("connection that hangs") << Spooler::HungConnection;
    }

    void aTerminationSignalEndsEveryWaitForTheSpoolerAtOnce()
    {
        QFETCH(Spooler, spooler);
        const UnansweringSpooler server(spooler);
        QVERIFY(server.ready());
        QTemporaryDir temporary;
        const ScopedEnvironment tmpdir("TMPDIR", temporary.path().toLocal8Bit());
        quitOnTerminationSignals(*QCoreApplication::instance());
        SpoolResult left;
        left.printer = QStringLiteral("Held");
        left.heldJob = 1;
        std::atomic<int> ended = 0;
        QElapsedTimer clock;
        {
            std::jthread cancelling([&](std::stop_token stop) {
                cancelHeldJob(left, stop);
                ++ended;
            });
            std::jthread printing([&](std::stop_token stop) {
                spool(QImage(), QStringLiteral("Chosen"), 1,
                      std::chrono::steady_clock::now() + SystemPrinter::kAnswerTimeout, stop);
                ++ended;
            });
            WindowFixture w(WindowFixture::Panels::AsAtStart, WindowFixture::Printing::System);
            w.choose("printAction");
            QTest::qWait(kIntoTheExchangeMs);
            QVERIFY(w.window().isPrinting());
            QCOMPARE(ended.load(), 0);
            ::kill(::getpid(), SIGTERM);
            clock.start();

            QCOMPARE(QCoreApplication::exec(), 0);
            QVERIFY(w.window().isPrinting());
            cancelling.request_stop();
            printing.request_stop();
        }

        qInfo("ended %lld ms after the signal", static_cast<long long>(clock.elapsed()));
        QVERIFY2(clock.elapsed() < kPromptExitMs, qPrintable(QString("%1 ms").arg(clock.elapsed())));
        QVERIFY(QDir(temporary.path()).isEmpty());
    }
};

QTEST_MAIN(PrintingTest)
#include "PrintingTest.moc"
