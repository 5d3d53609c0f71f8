#include "PrintedPages.h"
#include "WindowFixture.h"

#include "window/DrawingArea.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QTest>

#include <cups/cups.h>

#include <csignal>

using namespace tarnelby;
using namespace tarnelby::testing;

namespace {

constexpr int kDpi = 100;
constexpr int kSteps = 3000;
constexpr int kJobTimeoutMs = 60'000;
constexpr double kShapeTolerance = 0.03;  // of the picture's width or height
constexpr int kSettleMs = 3000;             // for a spooler that goes on to do what it was sent
const QPointF kCorners[] = {{600, 5400}, {4575, 300}, {8550, 5400}};  // twips

// The print queue's jobs that are still to be done or, with `done`, that are over.
QList<cups_job_t> jobsOf(const QByteArray& queue, bool done)
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs(&jobs, queue.constData(), 0,
                                  done ? CUPS_WHICHJOBS_COMPLETED : CUPS_WHICHJOBS_ACTIVE);
    QList<cups_job_t> list(jobs, jobs + std::max(count, 0));
    cupsFreeJobs(count, jobs);
    return list;
}

// The PDF files that cups-pdf has written so far.
QStringList writtenPdfs(const QString& dir)
{
    return QDir(dir).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

// `box` as fractions of `whole`: (0, 0, 1, 1) is all of it.
QRectF relative(const QRect& box, const QRect& whole)
{
    return {double(box.x() - whole.x()) / whole.width(), double(box.y() - whole.y()) / whole.height(),
            double(box.width()) / whole.width(), double(box.height()) / whole.height()};
}

bool sameShape(const QRectF& a, const QRectF& b)
{
    const auto near = [](double x, double y) { return std::abs(x - y) <= kShapeTolerance; };
    return near(a.left(), b.left()) && near(a.top(), b.top()) && near(a.right(), b.right())
        && near(a.bottom(), b.bottom());
}

QString describe(const QRectF& r)
{
    return QStringLiteral("(%1, %2)-(%3, %4)").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
}

} // namespace

// Prints through a CUPS server of this test's own, whose default printer is a
// cups-pdf queue; tests/spooler/with-private-cups.sh starts it and says where
// the PDFs go.
class SpoolerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (pdfDir_.isEmpty() || queue_.isEmpty() || cupsdPid_ <= 0)
            QSKIP("needs its own print spooler: run through tests/spooler/with-private-cups.sh");
        QVERIFY(pdfToolsInstalled());
    }

    void cleanup()
    {
        ::kill(cupsdPid_, SIGCONT);
        const QString queue = QString::fromLocal8Bit(queue_);
        QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), queue});
        QProcess::execute(QStringLiteral("cupsenable"), {queue});
        QProcess::execute(QStringLiteral("cupsaccept"), {queue});
    }

    void theFigureIsPrintedOnTheDefaultPrinter()
    {
        WindowFixture w(WindowFixture::Panels::AsAtStart, WindowFixture::Printing::System);
        for (const QPointF& corner : kCorners)
            w.window().pickPoint(corner);
        w.tick(kSteps);
        const QImage picture = w.window().drawingArea()->picture();
        const QStringList before = writtenPdfs(pdfDir_);

        w.choose("printAction");
        w.waitForPrint(kJobTimeoutMs);

        QCOMPARE(w.errors, QStringList());
        QCOMPARE(w.notices, QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(jobsOf(queue_, false).isEmpty(), kJobTimeoutMs);
        const QList<cups_job_t> done = jobsOf(queue_, true);
        QVERIFY(!done.isEmpty());
        QCOMPARE(done.last().state, IPP_JSTATE_COMPLETED);
        QStringList written = writtenPdfs(pdfDir_);
        for (const QString& old : before)
            written.removeOne(old);
        QCOMPARE(written.size(), 1);
        const QString pdf = QDir(pdfDir_).filePath(written.first());

        QCOMPARE(pdfPageCount(pdf), 1);
        const QImage page = renderFirstPage(pdf, kDpi);
        QVERIFY(!page.isNull());
        const QRect printed = boundsWhere(page, page.rect(), isDark);
        QVERIFY(!printed.isNull());
        QVERIFY2(std::abs(double(printed.width()) / printed.height()
                          - double(picture.width()) / picture.height()) < kShapeTolerance,
                 qPrintable(QStringLiteral("%1x%2").arg(printed.width()).arg(printed.height())));
        const QRect pageFigure = boundsWhere(page, printed, isBright);
        const QRect windowFigure = boundsWhere(picture, picture.rect(), isBright);
        QVERIFY2(countWhere(page, printed, isBright) > kSteps / 2, "too few dots on the page");
        QVERIFY2(sameShape(relative(pageFigure, printed), relative(windowFigure, picture.rect())),
                 qPrintable(describe(relative(pageFigure, printed)) + QStringLiteral(" on the page, ")
                            + describe(relative(windowFigure, picture.rect())) + QStringLiteral(" in the window")));
    }

    void aJobTheSpoolerRefusesIsReportedAsAnError()
    {
        QCOMPARE(QProcess::execute(QStringLiteral("cupsreject"), {QString::fromLocal8Bit(queue_)}), 0);
        WindowFixture w(WindowFixture::Panels::AsAtStart, WindowFixture::Printing::System);
        const QStringList before = writtenPdfs(pdfDir_);

        w.choose("printAction");
        w.waitForPrint(kJobTimeoutMs);

        QCOMPARE(w.errors, QStringList{QStringLiteral("Printer error in printing")});
        QCOMPARE(writtenPdfs(pdfDir_), before);
    }

    void aJobForAPausedQueueIsToldToWaitThere()
    {
        QCOMPARE(QProcess::execute(QStringLiteral("cupsdisable"), {QString::fromLocal8Bit(queue_)}), 0);
        WindowFixture w(WindowFixture::Panels::AsAtStart, WindowFixture::Printing::System);

        w.choose("printAction");
        w.waitForPrint(kJobTimeoutMs);

        QCOMPARE(w.errors, QStringList());
        QCOMPARE(w.notices, QStringList{QStringLiteral("The picture waits in the queue of the printer %1, which is "
                                                       "paused; it prints once the queue is resumed.")
                                            .arg(QString::fromLocal8Bit(queue_))});
        QCOMPARE(jobsOf(queue_, false).size(), 1);

        // The print dialog's queue, picked by name, is looked up on its own.
        const auto page = [](QPaintDevice& device) { return QPainter(&device).isActive(); };
        const SpoolResult byName = spool({page, QString::fromLocal8Bit(queue_), 1},
                                         std::chrono::steady_clock::now() + SystemPrinter::kAnswerTimeout, {});
        QCOMPARE(byName.result.outcome, PrintOutcome::Queued);
        QCOMPARE(jobsOf(queue_, false).size(), 2);
    }

    // Once a spooler that did not answer in time goes on, nothing prints
    // that the user was told was not printed.
    void aStoppedSpoolerIsToldAndPrintsNothingLater()
    {
        WindowFixture w(WindowFixture::Panels::AsAtStart, WindowFixture::Printing::System);
        const QStringList before = writtenPdfs(pdfDir_);
        QCOMPARE(::kill(cupsdPid_, SIGSTOP), 0);

        w.choose("printAction");
        w.waitForPrint(kJobTimeoutMs);
        QCOMPARE(::kill(cupsdPid_, SIGCONT), 0);

        QCOMPARE(w.errors, QStringList{QStringLiteral("No answer from the print server %1 within 10 seconds: "
                                                      "nothing was printed.")
                                           .arg(qEnvironmentVariable("CUPS_SERVER"))});
        QTest::qWait(kSettleMs);
        QVERIFY(jobsOf(queue_, false).isEmpty());
        QCOMPARE(writtenPdfs(pdfDir_), before);
    }

private:
    const QString pdfDir_ = qEnvironmentVariable("TARNELBY_PDF_DIR");
    const QByteArray queue_ = qgetenv("TARNELBY_PRINTER");
    const pid_t cupsdPid_ = qEnvironmentVariableIntValue("TARNELBY_CUPSD_PID");
};

QTEST_MAIN(SpoolerTest)
#include "SpoolerTest.moc"
