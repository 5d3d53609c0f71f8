#pragma once

#include <QImage>

class QPrinter;
class QWidget;

namespace tarnelby {

enum class PrintOutcome { Printed, Cancelled, Failed };

// Prints `picture` as one page of `printer`, as large as the page allows with
// its shape kept, centred. False when the printer could not be opened.
bool printPicture(QPrinter& printer, const QImage& picture);

// Prints to the default printer without asking; where no printer is
// installed, offers the print dialog (printing to a PDF file, say) instead.
PrintOutcome printOnSystemPrinter(const QImage& picture, QWidget* dialogParent);

} // namespace tarnelby
