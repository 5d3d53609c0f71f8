#pragma once

#include <QImage>
#include <QString>

#include <chrono>
#include <stop_token>

class QPaintDevice;

namespace tarnelby {

enum class PrintOutcome {
    Printed,      // the spooler took the job, or the page file was written
    Queued,       // the spooler took the job, but the queue is paused: the job waits there
    Cancelled,    // the user closed the print dialog without printing
    Failed,       // the page could not be made, or the spooler refused the job
    Unanswered,   // the spooler did not answer in time: nothing was printed
    Unreachable,  // a configured spooler could not be reached: nothing was printed
    NoPrinter,    // no spooler on this machine, or one without a default printer
};

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::Printed;
    QString printer;  // the print queue, where known
    QString server;   // the print server, where one was asked
};

// Paints `picture` as one page of `page` (a printer, a PDF writer), as large
// as its printable area allows with its shape kept, centred. False when the
// page could not be opened.
bool printPicture(QPaintDevice& page, const QImage& picture);

// What the spooler made of a print (never Cancelled), and the job it left
// held in the queue `printer` where it gave up before releasing it to print.
struct SpoolResult : PrintResult {
    int heldJob = 0;
};

// Prints `picture` with printPicture, `copies` times, on `queue` ("queue" or
// "queue/instance") of the system's print spooler, laid out for the queue's
// default paper: on the default queue (where `queue` is empty) with the
// options the user saved for it, on a named one with the spooler's own (it
// is asked of the spooler alone, and an instance of it prints as the queue
// itself). NoPrinter only where the default queue was asked for: a named
// queue that cannot be reached is Unreachable. Blocks, so call it off the GUI
// thread. Gives up with Unanswered when the spooler has not answered
// everything by `deadline`, and within a fraction of a second of `stop`
// being requested, a connection still being made included. The job is held
// in the queue until its page is complete and only then released, so a job
// given up on never prints by itself; it is named in `heldJob` for
// cancelHeldJob.
SpoolResult spool(const QImage& picture, const QString& queue, int copies,
                  std::chrono::steady_clock::time_point deadline, std::stop_token stop);

// Cancels the job that `result` gave up on, trying again as long as it takes
// (the spooler may be stopped and come back later), until `stop` is
// requested: then it ends within a fraction of a second. Nothing where no
// job was left.
void cancelHeldJob(const SpoolResult& result, std::stop_token stop);

} // namespace tarnelby
