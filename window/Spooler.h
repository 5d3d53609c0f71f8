#pragma once

#include "window/Printing.h"

#include <QImage>
#include <QString>

#include <stop_token>
#include <chrono>

namespace tarnelby {

// What to print: the picture as one page of a print queue of the CUPS
// spooler, the default queue where `queue` is empty ("queue" or
// "queue/instance" otherwise).
struct SpoolRequest {
    QImage picture;
    QString queue;
    int copies = 1;
};

// What the spooler made of a request (never Cancelled), and the job it left
// held in `queue` where it gave up before releasing it to print.
struct SpoolResult {
    PrintResult result;
    QByteArray queue;
    int heldJob = 0;
};

// Lays the picture out for the queue's default page, as large as the page's
// printable area allows with its shape kept, and hands it to the spooler with
// the queue's saved options. NoPrinter only where the default queue was asked
// for: a named queue that cannot be reached is Unreachable. Blocks, so call it
// off the GUI thread. Gives up with Unanswered when the spooler has not
// answered everything by `deadline`, or soon after `stop` is requested. The
// job is held in the queue until its page is complete and only then released,
// so a job given up on never prints by itself; it is named in `heldJob` for
// cancelHeldJob.
SpoolResult spool(const SpoolRequest& request, std::chrono::steady_clock::time_point deadline,
                  std::stop_token stop);

// Cancels the job that `result` gave up on, waiting for the spooler as long
// as it takes (it may be stopped and come back later) until `stop` is
// requested. Nothing where no job was left.
void cancelHeldJob(const SpoolResult& result, std::stop_token stop);

} // namespace tarnelby
