#include "platform/PrintSpooler.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>

#include <cups/cups.h>

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <iterator>
#include <memory>
#include <mutex>
#include <optional>

namespace tarnelby {

namespace {

using SteadyClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

const char* const kJobTitle = "Tarnelby";
constexpr int kPageDpi = 1200;               // as Qt's high-resolution printer
constexpr double kPollSeconds = 0.2;          // how often a wait for the spooler may be given up
constexpr double kHundredthsPerMillimetre = 100.0;
constexpr auto kRetryPause = 1s;              // between attempts to cancel a job left behind
constexpr auto kLongestConnect = 10s;         // for a connection made to cancel such a job

// A connection of our own to the spooler that cupsServer() names, so that
// every wait on it can be given up: at the deadline, and at once on a stop,
// which cancels the connecting and shuts the socket down under a request
// (libcups waits up to a second for some answers without asking whether to go on).
class Connection {
public:
    Connection(SteadyClock::time_point deadline, std::stop_token stop)
        : server_(QString::fromLocal8Bit(cupsServer()))
        , deadline_(deadline)
        , stop_(std::move(stop))
    {
        // Never ask for a password at a terminal from a thread of our own.
        cupsSetPasswordCB2([](const char*, http_t*, const char*, const char*, void*) -> const char* { return nullptr; },
                           nullptr);
        if (!server_.startsWith(u'/') && ippPort() != IPP_PORT)
            server_ += QStringLiteral(":%1").arg(ippPort());
        onStop_.emplace(stop_, [this] { interrupt(); });
        if (over())
            return;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::min(deadline_ - SteadyClock::now(), SteadyClock::duration(kLongestConnect)));
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             std::max(1, static_cast<int>(left.count())), &cancelled_);
        if (http_ == nullptr)
            return;
        // libcups asks every kPollSeconds whether a wait for the spooler goes on.
        httpSetTimeout(
            http_, kPollSeconds, [](http_t*, void* self) { return static_cast<Connection*>(self)->over() ? 0 : 1; },
            this);
        // A descriptor of our own: libcups may close and reuse its own at any time.
        socket_ = ::dup(httpGetFd(http_));
        if (stop_.stop_requested())
            interrupt();
    }
    ~Connection()
    {
        onStop_.reset();  // waits for an interruption under way
        if (socket_ >= 0)
            ::close(socket_);
        if (http_ != nullptr)
            httpClose(http_);
    }

    http_t* http() const { return http_; }
    const QString& server() const { return server_; }

    // True, and from then on, once the deadline has passed or a stop is requested.
    bool over()
    {
        gaveUp_ = gaveUp_ || stop_.stop_requested() || SteadyClock::now() >= deadline_;
        return gaveUp_;
    }
    // Whether over() was ever true.
    bool gaveUp() const { return gaveUp_; }

    // True when no spooler is set up here at all: no socket where one is
    // named, or no answer on this machine's port where none is configured.
    // A configured spooler that cannot be reached is not "none".
    bool noSpoolerHere() const
    {
        if (server_.startsWith(u'/'))
            return !QFileInfo::exists(server_);
        return qEnvironmentVariableIsEmpty("CUPS_SERVER") && server_ == QLatin1String("localhost");
    }

private:
    // On any thread: makes the connecting and every wait on the socket end.
    void interrupt() noexcept
    {
        std::atomic_ref(cancelled_).store(1);
        const int socket = socket_.load();
        if (socket >= 0)
            ::shutdown(socket, SHUT_RDWR);
    }

    QString server_;
    SteadyClock::time_point deadline_;
    std::stop_token stop_;
    bool gaveUp_ = false;
    http_t* http_ = nullptr;
    int cancelled_ = 0;  // libcups polls it while it connects
    std::atomic<int> socket_ = -1;
    std::optional<std::stop_callback<std::function<void()>>> onStop_;
};

using Dest = std::unique_ptr<cups_dest_t, decltype([](cups_dest_t* dest) { cupsFreeDests(1, dest); })>;

// The queue `name` with what the job needs of it: its address, for its
// paper, and its state. Asked on `http` alone: where the spooler does not
// answer, libcups's own lookup goes on to search the network on connections
// of its own, which neither a stop nor the deadline reaches. Only where the
// spooler said that it has no such queue is the search left to libcups: the
// dialog also offers network printers that have no queue yet.
Dest namedDest(http_t* http, const QByteArray& name, const QByteArray& instance)
{
    static const char* const kWanted[] = {"printer-name", "printer-state", "printer-uri-supported"};
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     name.constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", std::size(kWanted), nullptr,
                  kWanted);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    const std::unique_ptr<ipp_t, decltype(&ippDelete)> answer(cupsDoRequest(http, request, "/"), &ippDelete);
    if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
        return Dest(cupsGetNamedDest(http, name.constData(), instance.isEmpty() ? nullptr : instance.constData()));
    const auto value = [&](const char* attribute, ipp_tag_t tag) {
        return ippFindAttribute(answer.get(), attribute, tag);
    };
    const char* queue = ippGetString(value("printer-name", IPP_TAG_NAME), 0, nullptr);
    const char* address = ippGetString(value("printer-uri-supported", IPP_TAG_URI), 0, nullptr);
    cups_dest_t* dest = nullptr;
    if (queue == nullptr || address == nullptr || cupsAddDest(queue, nullptr, 0, &dest) == 0)
        return nullptr;
    dest->num_options = cupsAddOption("printer-uri-supported", address, dest->num_options, &dest->options);
    dest->num_options = cupsAddIntegerOption("printer-state", ippGetInteger(value("printer-state", IPP_TAG_ENUM), 0),
                                             dest->num_options, &dest->options);
    return Dest(dest);
}

// The queue's default page, with the margins the printer cannot print on.
// Its media is set on `dest` for the job, so that the spooler prints the
// page at the size it was laid out for.
QPageLayout defaultPage(Connection& connection, cups_dest_t& dest)
{
    cups_dinfo_t* info = connection.over() ? nullptr : cupsCopyDestInfo(connection.http(), &dest);
    cups_size_t size{};
    const bool known = info != nullptr && !connection.over()
        && cupsGetDestMediaDefault(connection.http(), &dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &size);
    cupsFreeDestInfo(info);
    if (!known)
        return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    if (size.media[0] != '\0')
        dest.num_options = cupsAddOption("media", size.media, dest.num_options, &dest.options);
    const auto mm = [](int hundredths) { return hundredths / kHundredthsPerMillimetre; };
    return QPageLayout(QPageSize(QSizeF(mm(size.width), mm(size.length)), QPageSize::Millimeter),
                       QPageLayout::Portrait, QMarginsF(mm(size.left), mm(size.top), mm(size.right), mm(size.bottom)),
                       QPageLayout::Millimeter);
}

// The page as a one-page PDF, or nothing where it could not be made.
QByteArray pdfOf(const QImage& picture, const QPageLayout& layout)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kPageDpi);
    writer.setPageLayout(layout);
    writer.setCreator(QString::fromLatin1(kJobTitle));
    if (!printPicture(writer, picture))
        return {};
    return buffer.data();
}

bool sendDocument(http_t* http, const char* queue, int job, const QByteArray& pdf)
{
    return cupsStartDocument(http, queue, job, kJobTitle, CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE
        && cupsWriteRequestData(http, pdf.constData(), static_cast<size_t>(pdf.size())) == HTTP_STATUS_CONTINUE
        && cupsFinishDocument(http, queue) == IPP_STATUS_OK;
}

bool release(http_t* http, int job)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/jobs/%d", job);
    ipp_t* request = ippNewRequest(IPP_OP_RELEASE_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippDelete(cupsDoRequest(http, request, "/jobs/"));
    return cupsLastError() <= IPP_STATUS_OK_CONFLICTING;
}

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

SpoolResult spool(const QImage& picture, const QString& queue, int copies, SteadyClock::time_point deadline,
                  std::stop_token stop)
{
    Connection connection(deadline, std::move(stop));
    SpoolResult spooled;
    spooled.server = connection.server();
    const auto ended = [&](PrintOutcome outcome) {
        spooled.outcome = connection.gaveUp() ? PrintOutcome::Unanswered : outcome;
        return spooled;
    };
    http_t* http = connection.http();
    if (http == nullptr)
        return ended(connection.noSpoolerHere() && queue.isEmpty() ? PrintOutcome::NoPrinter
                                                                   : PrintOutcome::Unreachable);

    const QStringList name = queue.split(u'/');
    const Dest dest = queue.isEmpty() ? Dest(cupsGetNamedDest(http, nullptr, nullptr))
                                      : namedDest(http, name.value(0).toLocal8Bit(), name.value(1).toLocal8Bit());
    if (dest == nullptr)
        return ended(queue.isEmpty() ? PrintOutcome::NoPrinter : PrintOutcome::Failed);
    spooled.printer = QString::fromLocal8Bit(dest->name);

    // After a stop or the deadline no request is sent: libcups would connect
    // again for it, on a connection that cannot be given up.
    const QPageLayout page = defaultPage(connection, *dest);
    const QByteArray pdf = connection.over() ? QByteArray() : pdfOf(picture, page);
    if (connection.over() || pdf.isEmpty())
        return ended(PrintOutcome::Failed);
    if (copies > 1)
        dest->num_options = cupsAddIntegerOption("copies", copies, dest->num_options, &dest->options);
    // Held until its page is complete, so that a job given up on never prints.
    dest->num_options = cupsAddOption("job-hold-until", "indefinite", dest->num_options, &dest->options);
    const int job = cupsCreateJob(http, dest->name, kJobTitle, dest->num_options, dest->options);
    if (job <= 0)
        return ended(PrintOutcome::Failed);
    if (connection.over() || !sendDocument(http, dest->name, job, pdf) || connection.over() || !release(http, job)) {
        if (!connection.over())
            cupsCancelJob2(http, dest->name, job, 0);
        spooled.heldJob = job;
        return ended(PrintOutcome::Failed);
    }
    const int state = cupsGetIntegerOption("printer-state", dest->num_options, dest->options);
    return ended(state == IPP_PSTATE_STOPPED ? PrintOutcome::Queued : PrintOutcome::Printed);
}

void cancelHeldJob(const SpoolResult& spooled, std::stop_token stop)
{
    if (spooled.heldJob == 0)
        return;
    const QByteArray queue = spooled.printer.toLocal8Bit();
    std::mutex mutex;
    std::condition_variable_any stopped;
    while (!stop.stop_requested()) {
        Connection connection(SteadyClock::time_point::max(), stop);
        if (connection.http() != nullptr && !connection.over()) {
            const ipp_status_t status = cupsCancelJob2(connection.http(), queue.constData(), spooled.heldJob, 0);
            if (status != IPP_STATUS_ERROR_SERVICE_UNAVAILABLE && status != IPP_STATUS_ERROR_INTERNAL)
                return;
        }
        // A pause that a stop ends at once.
        std::unique_lock lock(mutex);
        stopped.wait_for(lock, stop, kRetryPause, [] { return false; });
    }
}

} // namespace tarnelby
