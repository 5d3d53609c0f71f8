#include "window/Printing.h"

#include "window/Spooler.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tarnelby {

namespace {

using SteadyClock = std::chrono::steady_clock;

// How long closing waits for the threads still talking to the spooler to
// give up; each does within a fraction of a second.
constexpr std::chrono::seconds kShutdownWait{2};

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

// What a thread talking to the spooler shares with its SystemPrinter.
struct SystemPrinter::Worker {
    std::mutex mutex;
    std::condition_variable finished;
    SystemPrinter* owner = nullptr;  // null once the owner has gone
    bool running = true;
    std::atomic<bool> abandoned = false;
};

SystemPrinter::SystemPrinter(QWidget* dialogParent)
    : QObject(dialogParent)
    , dialogParent_(dialogParent)
{
}

SystemPrinter::~SystemPrinter()
{
    const auto until = SteadyClock::now() + kShutdownWait;
    for (const auto& worker : workers_) {
        std::unique_lock lock(worker->mutex);
        worker->owner = nullptr;
        worker->abandoned = true;
        worker->finished.wait_until(lock, until, [&] { return !worker->running; });
    }
}

void SystemPrinter::print(const QImage& picture, PrintDone done)
{
    spoolOffThread({picture, {}, 1}, std::move(done));
}

void SystemPrinter::spoolOffThread(SpoolRequest request, PrintDone done)
{
    std::erase_if(workers_, [](const std::shared_ptr<Worker>& worker) {
        const std::lock_guard lock(worker->mutex);
        return !worker->running;
    });
    auto worker = std::make_shared<Worker>();
    worker->owner = this;
    workers_.push_back(worker);
    const auto deadline = SteadyClock::now() + kAnswerTimeout;
    std::thread([worker, request = std::move(request), deadline, done = std::move(done)] {
        const SpoolResult spooled = spool(request, deadline, worker->abandoned);
        {
            const std::lock_guard lock(worker->mutex);
            if (worker->owner != nullptr) {
                SystemPrinter* owner = worker->owner;
                QMetaObject::invokeMethod(
                    owner, [owner, spooled, request, done] { owner->answered(spooled, request, done); },
                    Qt::QueuedConnection);
            }
        }
        cancelHeldJob(spooled, worker->abandoned);
        const std::lock_guard lock(worker->mutex);
        worker->running = false;
        worker->finished.notify_all();
    }).detach();
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
