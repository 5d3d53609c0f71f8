#include "window/Printing.h"


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
    spoolOffThread(picture, {}, 1, std::move(done));
}

void SystemPrinter::spoolOffThread(const QImage& picture, const QString& queue, int copies, PrintDone done)
{
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTimeout;
    const SpoolRequest request{[picture](QPaintDevice& page) { return printPicture(page, picture); }, queue, copies};
    // This object outlives the exchange: its destructor waits for the pool.
    exchanges_.start([this, request, deadline, picture, done = std::move(done), stop = stop_.get_token()] {
        const SpoolResult spooled = spool(request, deadline, stop);
        QMetaObject::invokeMethod(
            this, [this, spooled, picture, done] { answered(spooled.result, picture, done); },
            Qt::QueuedConnection);
        cancelHeldJob(spooled, stop);
    });
}

void SystemPrinter::answered(const PrintResult& result, const QImage& picture, const PrintDone& done)
{
    // Only the default queue is ever "no printer": the dialog's is not.
    if (result.outcome == PrintOutcome::NoPrinter)
        offerDialog(picture, done);
    else
        done(result);
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
        spoolOffThread(picture, printer.printerName(), printer.copyCount(), done);
        return;
    }
    done({printPicture(printer, picture) ? PrintOutcome::Printed : PrintOutcome::Failed,
          printer.outputFileName(), {}});
}

} // namespace tarnelby
