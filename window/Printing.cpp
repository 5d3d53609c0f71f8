#include "window/Printing.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace tarnelby {

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

PrintOutcome printOnSystemPrinter(const QImage& picture, QWidget* dialogParent)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!defaultPrinter.isNull()) {
        QPrinter printer(defaultPrinter, QPrinter::HighResolution);
        return printPicture(printer, picture) ? PrintOutcome::Printed : PrintOutcome::Failed;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    return printPicture(printer, picture) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace tarnelby
