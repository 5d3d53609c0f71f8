#include "PrintedPages.h"
#include "WindowFixture.h"

#include "window/DrawingArea.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <cups/cups.h>

#include <algorithm>
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

// The print queue's jobs that are still to be done.
QList<cups_job_t> jobsWaitingIn(const QByteArray& queue)
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs(&jobs, queue.constData(), 0, CUPS_WHICHJOBS_ACTIVE);
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

// How far apart the edges of `a` and `b` lie, at most.
double edgeDistance(const QRectF& a, const QRectF& b)
{
    return std::max({std::abs(a.left() - b.left()), std::abs(a.top() - b.top()), std::abs(a.right() - b.right()),
                     std::abs(a.bottom() - b.bottom())});
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
        QTRY_VERIFY_WITH_TIMEOUT(jobsWaitingIn(queue_).isEmpty(), kJobTimeoutMs);
        QStringList written = writtenPdfs(pdfDir_);
        for (const QString& old : before)
            written.removeOne(old);
        QCOMPARE(written.size(), 1);
        const QString pdf = QDir(pdfDir_).filePath(written.first());

        QCOMPARE(pdfPageCount(pdf), 1);
        const QImage page = renderFirstPage(pdf, kDpi);
        const QRect printed = boundsWhere(page, page.rect(), isDark);
        QVERIFY(!printed.isNull());
        QVERIFY2(std::abs(double(printed.width()) / printed.height()
                          - double(picture.width()) / picture.height()) < kShapeTolerance,
                 qPrintable(QStringLiteral("%1x%2").arg(printed.width()).arg(printed.height())));
        QVERIFY2(countWhere(page, printed, isBright) > kSteps / 2, "too few dots on the page");
        // The figure lies where it lies in the window.
        const double off = edgeDistance(relative(boundsWhere(page, printed, isBright), printed),
                                        relative(boundsWhere(picture, picture.rect(), isBright), picture.rect()));
        QVERIFY2(off <= kShapeTolerance, qPrintable(QString("off by %1 of the picture").arg(off)));
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
        QCOMPARE(jobsWaitingIn(queue_).size(), 1);

        // The print dialog's queue, picked by name, is looked up on its own.
        const SpoolResult byName = spool(QImage(), QString::fromLocal8Bit(queue_), 1,
                                         std::chrono::steady_clock::now() + SystemPrinter::kAnswerTimeout, {});
        QCOMPARE(byName.outcome, PrintOutcome::Queued);
        QCOMPARE(jobsWaitingIn(queue_).size(), 2);
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
        QVERIFY(jobsWaitingIn(queue_).isEmpty());
        QCOMPARE(writtenPdfs(pdfDir_), before);
    }

private:
    const QString pdfDir_ = qEnvironmentVariable("TARNELBY_PDF_DIR");
    const QByteArray queue_ = qgetenv("TARNELBY_PRINTER");
    const pid_t cupsdPid_ = qEnvironmentVariableIntValue("TARNELBY_CUPSD_PID");
};

QTEST_MAIN(SpoolerTest)
#include "SpoolerTest.moc"
