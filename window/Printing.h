#pragma once

#include "platform/PrintSpooler.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QWidget>

#include <chrono>
#include <functional>
#include <stop_token>

namespace tarnelby {

// Called once with how a print ended.
using PrintDone = std::function<void(const PrintResult& result)>;

// Prints on the system's default printer without ever blocking the thread it
// lives on: each print's exchange with the print spooler runs on a thread of
// a pool and gives up kAnswerTimeout after it started. A job the spooler was
// left holding is cancelled afterwards on one thread apart, for as long as
// that takes, so it never holds up a print. Where there is no spooler and no
// printer, it offers the print dialog (printing to a PDF file, say) instead.
class SystemPrinter : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::seconds kAnswerTimeout{10};

    // Owned by `dialogParent` where there is one; the print dialog opens over it.
    explicit SystemPrinter(QWidget* dialogParent) : QObject(dialogParent) { cancellations_.setMaxThreadCount(1); }
    // Asks the exchanges and cancellations still under way to give up and
    // waits for them: a fraction of a second, also where the spooler does not
    // answer or its connection hangs. Their `done` is never called.
    ~SystemPrinter() override { stop_.request_stop(); }

    // Starts printing `picture` on `queue` ("queue" or "queue/instance"), the
    // default one where it is empty; `done` follows later on this object's
    // thread, once, with the outcome (never NoPrinter: the dialog is offered
    // then, and closing it gives Cancelled).
    void print(const QImage& picture, PrintDone done, const QString& queue = {}, int copies = 1);

private:
    void offerDialog(const QImage& picture, const PrintDone& done);

    std::stop_source stop_;
    // Their destructors wait for what they run, the exchanges' first: an
    // exchange may hand the job it left held on to the cancellations.
    QThreadPool cancellations_;  // one thread: they wait for the same spooler
    QThreadPool exchanges_;      // a thread a print, as the window starts one at a time
};

} // namespace tarnelby
