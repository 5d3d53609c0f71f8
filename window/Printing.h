#pragma once

#include <QImage>

#include <stdexcept>

class QPrinter;
class QWidget;

namespace tarnelby {

enum class PrintOutcome { Printed, Cancelled, Failed };

// A print that failed: the page could not be made, or the spooler refused it.
class PrinterError : public std::runtime_error {
public:
    PrinterError() : std::runtime_error("Printer error") {}
};

// Prints `picture` as one page of `printer`, as large as the page allows with
// its shape kept, centred. False when the printer could not be opened.
bool printPicture(QPrinter& printer, const QImage& picture);

// Lays `picture` out as one page for the print queue `printer` is set to and
// hands it to the print spooler with the queue's saved options and the
// printer's copy count. Printed once the spooler has accepted the job; Failed
// when the page could not be made or the spooler refused it (queue gone, not
// accepting jobs, server down). Leaves `printer` writing to a scratch file.
PrintOutcome spoolPicture(QPrinter& printer, const QImage& picture);

// Prints to the default printer without asking; where no printer is
// installed, offers the print dialog (printing to a PDF file, say) instead.
// Cancelled when the user closes the dialog without printing.
PrintOutcome printOnSystemPrinter(const QImage& picture, QWidget* dialogParent);

} // namespace tarnelby
