#include "window/Printing.h"

#include "window/Spooler.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace tarnelby {

namespace {

// Beyond so many exchanges at once (each waiting ten seconds at most for an
// answer, or for a stopped spooler to cancel a job in), a print waits its turn.
constexpr int kMostExchanges = 16;

} // namespace

bool printPicture(QPaintDevice& page, const QImage& picture)
{
    QPainter painter;
    if (!painter.begin(&page))
        return false;
    const QRect area = painter.viewport();
    QSize size = picture.size();
    size.scale(area.size(), Qt::KeepAspectRatio);
    const QRect target(area.x() + (area.width() - size.width()) / 2,
                       area.y() + (area.height() - size.height()) / 2,
                       size.width(), size.height());
    painter.drawImage(target, picture);
    return painter.end();
}

SystemPrinter::SystemPrinter(QWidget* dialogParent)
    : QObject(dialogParent)
    , dialogParent_(dialogParent)
{
    exchanges_.setMaxThreadCount(kMostExchanges);
}

SystemPrinter::~SystemPrinter()
{
    stop_.request_stop();
    exchanges_.waitForDone();
}

void SystemPrinter::print(const QImage& picture, PrintDone done)
{
    spoolOffThread({picture, {}, 1}, std::move(done));
}

void SystemPrinter::spoolOffThread(SpoolRequest request, PrintDone done)
{
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTimeout;
    // This object outlives the exchange: its destructor waits for the pool.
    exchanges_.start([this, request = std::move(request), deadline, done = std::move(done),
                      stop = stop_.get_token()] {
        const SpoolResult spooled = spool(request, deadline, stop);
        QMetaObject::invokeMethod(
            this, [this, spooled, request, done] { answered(spooled, request, done); }, Qt::QueuedConnection);
        cancelHeldJob(spooled, stop);
    });
}

void SystemPrinter::answered(const SpoolResult& spooled, const SpoolRequest& request, const PrintDone& done)
{
    if (spooled.result.outcome == PrintOutcome::NoPrinter && request.queue.isEmpty())
        offerDialog(request.picture, done);
    else
        done(spooled.result);
}

void SystemPrinter::offerDialog(const QImage& picture, const PrintDone& done)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, dialogParent_);
    if (dialog.exec() != QDialog::Accepted) {
        done({PrintOutcome::Cancelled, {}, {}});
        return;
    }
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        spoolOffThread({picture, printer.printerName(), printer.copyCount()}, done);
        return;
    }
    done({printPicture(printer, picture) ? PrintOutcome::Printed : PrintOutcome::Failed,
          printer.outputFileName(), {}});
}

} // namespace tarnelby
