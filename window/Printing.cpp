#include "window/Printing.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <cups/cups.h>

namespace tarnelby {

namespace {

const char* const kJobTitle = "Tarnelby";
const QString kPageFile = QStringLiteral("page.pdf");

// The queue's saved options (its instance's, where the name carries one,
// "queue/instance"), as `lp` would send them.
int savedOptions(const QByteArray& queue, const QByteArray& instance, cups_option_t** options)
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    int count = 0;
    if (dest != nullptr) {
        for (int i = 0; i < dest->num_options; ++i)
            count = cupsAddOption(dest->options[i].name, dest->options[i].value, count, options);
        cupsFreeDests(1, dest);
    }
    return count;
}

} // namespace

bool printPicture(QPrinter& printer, const QImage& picture)
{
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    QSize size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2,
                       page.y() + (page.height() - size.height()) / 2,
                       size.width(), size.height());
    painter.drawImage(target, picture);
    return painter.end();
}

PrintOutcome spoolPicture(QPrinter& printer, const QImage& picture)
{
    // Qt's own hand-over to the spooler drops the spooler's answer, so a
    // refused job would look printed: write the page to a file and submit it
    // here, where the answer is seen.
    const QStringList name = printer.printerName().split(u'/');
    const QByteArray queue = name.value(0).toLocal8Bit();
    const QByteArray instance = name.value(1).toLocal8Bit();
    const int copies = printer.copyCount();
    QTemporaryDir dir;
    if (queue.isEmpty() || !dir.isValid())
        return PrintOutcome::Failed;
    const QString file = dir.filePath(kPageFile);
    const QPageLayout layout = printer.pageLayout();
    printer.setOutputFileName(file);
    printer.setPageLayout(layout);
    if (!printPicture(printer, picture))
        return PrintOutcome::Failed;

    cups_option_t* options = nullptr;
    int count = savedOptions(queue, instance, &options);
    if (copies > 1)
        count = cupsAddIntegerOption("copies", copies, count, &options);
    const int job = cupsPrintFile(queue.constData(), file.toLocal8Bit().constData(), kJobTitle, count, options);
    cupsFreeOptions(count, options);
    return job > 0 ? PrintOutcome::Printed : PrintOutcome::Failed;
}

PrintOutcome printOnSystemPrinter(const QImage& picture, QWidget* dialogParent)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!defaultPrinter.isNull()) {
        QPrinter printer(defaultPrinter, QPrinter::HighResolution);
        return spoolPicture(printer, picture);
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    if (printer.outputFormat() == QPrinter::NativeFormat)
        return spoolPicture(printer, picture);
    return printPicture(printer, picture) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace tarnelby
