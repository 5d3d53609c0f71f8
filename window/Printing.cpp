#include "window/Printing.h"

#include <QPrintDialog>
#include <QPrinter>

namespace tarnelby {

void SystemPrinter::print(const QImage& picture, PrintDone done, const QString& queue, int copies)
{
    // This object outlives the exchange and the cancellation: its pools wait
    // for both as it is destroyed.
    exchanges_.start([this, picture, done, queue, copies, stop = stop_.get_token()] {
        const SpoolResult spooled =
            spool(picture, queue, copies, std::chrono::steady_clock::now() + kAnswerTimeout, stop);
        // Only the default queue is ever "no printer": the dialog's is not.
        QMetaObject::invokeMethod(
            this,
            [this, result = PrintResult(spooled), picture, done] {
                result.outcome == PrintOutcome::NoPrinter ? offerDialog(picture, done) : done(result);
            },
            Qt::QueuedConnection);
        if (spooled.heldJob != 0)
            cancellations_.start([spooled, stop] { cancelHeldJob(spooled, stop); });
    });
}

void SystemPrinter::offerDialog(const QImage& picture, const PrintDone& done)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, qobject_cast<QWidget*>(parent()));
    if (dialog.exec() != QDialog::Accepted)
        return done({PrintOutcome::Cancelled, {}, {}});
    if (printer.outputFormat() == QPrinter::NativeFormat)
        return print(picture, done, printer.printerName(), printer.copyCount());
    done({printPicture(printer, picture) ? PrintOutcome::Printed : PrintOutcome::Failed,
          printer.outputFileName(), {}});
}

} // namespace tarnelby
