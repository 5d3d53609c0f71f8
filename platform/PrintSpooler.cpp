#include "platform/PrintSpooler.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QStringList>

#include <cups/cups.h>

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <condition_variable>
#include <cstdlib>
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

// How long the exchange with the spooler may go on.
struct Patience {
    SteadyClock::time_point deadline;
    std::stop_token stop;
    bool gaveUp = false;

    // True, and from then on, once the deadline has passed or a stop is requested.
    bool over()
    {
        gaveUp = gaveUp || stop.stop_requested() || SteadyClock::now() >= deadline;
        return gaveUp;
    }
};

// libcups asks every kPollSeconds whether a wait for the spooler goes on.
int keepWaiting(http_t*, void* data)
{
    return static_cast<Patience*>(data)->over() ? 0 : 1;
}

// Waits `pause`, or less where a stop is requested meanwhile.
void pauseUnlessStopped(std::chrono::milliseconds pause, std::stop_token stop)
{
    std::mutex mutex;
    std::condition_variable_any stopped;
    std::unique_lock lock(mutex);
    stopped.wait_for(lock, stop, pause, [] { return false; });
}

// Never ask for a password at a terminal from a thread of our own.
const char* noPassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

// A connection of our own to the spooler that cupsServer() names, so that
// every wait on it can be given up: at the deadline, and at once on a stop,
// which cancels the connecting and shuts the socket down under a request
// (libcups waits up to a second for some answers without asking whether to go on).
class Connection {
public:
    explicit Connection(Patience& patience)
        : server_(QString::fromLocal8Bit(cupsServer()))
    {
        if (!server_.startsWith(u'/') && ippPort() != IPP_PORT)
            server_ += QStringLiteral(":%1").arg(ippPort());
        onStop_.emplace(patience.stop, [this] { interrupt(); });
        if (patience.over())
            return;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::min(patience.deadline - SteadyClock::now(), SteadyClock::duration(kLongestConnect)));
        const int timeoutMs = static_cast<int>(std::clamp<long long>(left.count(), 1, INT_MAX));
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, timeoutMs,
                             &cancelled_);
        if (http_ == nullptr)
            return;
        httpSetTimeout(http_, kPollSeconds, keepWaiting, &patience);
        // A descriptor of our own: libcups may close and reuse its own at any time.
        socket_ = ::dup(httpGetFd(http_));
        if (patience.stop.stop_requested())
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
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    http_t* http() const { return http_; }
    const QString& server() const { return server_; }

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
    http_t* http_ = nullptr;
    int cancelled_ = 0;  // libcups polls it while it connects
    std::atomic<int> socket_ = -1;
    std::optional<std::stop_callback<std::function<void()>>> onStop_;
};

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, DestDeleter>;

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

// A page to lay the print out on, and the name of its media for the job,
// so that the spooler prints the page at the size it was laid out for.
struct Page {
    QPageLayout layout;
    QByteArray media;
};

// The queue's default page, with the margins the printer cannot print on.
Page defaultPage(http_t* http, cups_dest_t* dest, Patience& patience)
{
    cups_dinfo_t* info = patience.over() ? nullptr : cupsCopyDestInfo(http, dest);
    cups_size_t size{};
    const bool known = info != nullptr && !patience.over()
        && cupsGetDestMediaDefault(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &size);
    cupsFreeDestInfo(info);
    if (!known)
        return {QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()), {}};
    const auto mm = [](int hundredths) { return hundredths / kHundredthsPerMillimetre; };
    return {QPageLayout(QPageSize(QSizeF(mm(size.width), mm(size.length)), QPageSize::Millimeter),
                        QPageLayout::Portrait, QMarginsF(mm(size.left), mm(size.top), mm(size.right), mm(size.bottom)),
                        QPageLayout::Millimeter),
            QByteArray(size.media)};
}

// The page as a one-page PDF, or nothing where it could not be made.
QByteArray pdfOf(const PagePainter& paintPage, const QPageLayout& layout)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kPageDpi);
    writer.setPageLayout(layout);
    writer.setCreator(QString::fromLatin1(kJobTitle));
    if (!paintPage(writer))
        return {};
    return buffer.data();
}

int createHeldJob(http_t* http, const cups_dest_t& dest, const QByteArray& media, int copies)
{
    cups_option_t* options = nullptr;
    int count = 0;
    for (int i = 0; i < dest.num_options; ++i)
        count = cupsAddOption(dest.options[i].name, dest.options[i].value, count, &options);
    if (!media.isEmpty())
        count = cupsAddOption("media", media.constData(), count, &options);
    if (copies > 1)
        count = cupsAddIntegerOption("copies", copies, count, &options);
    count = cupsAddOption("job-hold-until", "indefinite", count, &options);
    const int job = cupsCreateJob(http, dest.name, kJobTitle, count, options);
    cupsFreeOptions(count, options);
    return job;
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

bool isPaused(const cups_dest_t& dest)
{
    const char* state = cupsGetOption("printer-state", dest.num_options, dest.options);
    return state != nullptr && std::atoi(state) == IPP_PSTATE_STOPPED;
}

} // namespace

SpoolResult spool(const SpoolRequest& request, SteadyClock::time_point deadline, std::stop_token stop)
{
    cupsSetPasswordCB2(noPassword, nullptr);
    Patience patience{deadline, stop};
    const Connection connection(patience);
    SpoolResult spooled;
    PrintResult& result = spooled.result;
    result.server = connection.server();
    const auto ended = [&](PrintOutcome outcome) {
        result.outcome = patience.gaveUp ? PrintOutcome::Unanswered : outcome;
        return spooled;
    };
    if (connection.http() == nullptr)
        return ended(connection.noSpoolerHere() && request.queue.isEmpty() ? PrintOutcome::NoPrinter
                                                                           : PrintOutcome::Unreachable);
    http_t* http = connection.http();

    const QStringList name = request.queue.split(u'/');
    const QByteArray queue = name.value(0).toLocal8Bit();
    const QByteArray instance = name.value(1).toLocal8Bit();
    const Dest dest = queue.isEmpty() ? Dest(cupsGetNamedDest(http, nullptr, nullptr))
                                      : namedDest(http, queue, instance);
    if (dest == nullptr)
        return ended(queue.isEmpty() ? PrintOutcome::NoPrinter : PrintOutcome::Failed);
    result.printer = QString::fromLocal8Bit(dest->name);

    // After a stop or the deadline no request is sent: libcups would connect
    // again for it, on a connection that cannot be given up.
    const Page page = defaultPage(http, dest.get(), patience);
    const QByteArray pdf = patience.over() ? QByteArray() : pdfOf(request.paintPage, page.layout);
    if (patience.over() || pdf.isEmpty())
        return ended(PrintOutcome::Failed);
    const int job = createHeldJob(http, *dest, page.media, request.copies);
    if (job <= 0)
        return ended(PrintOutcome::Failed);
    spooled.queue = dest->name;
    spooled.heldJob = job;
    if (patience.over() || !sendDocument(http, dest->name, job, pdf) || patience.over() || !release(http, job)) {
        if (!patience.over())
            cupsCancelJob2(http, dest->name, job, 0);
        return ended(PrintOutcome::Failed);
    }
    spooled.heldJob = 0;
    return ended(isPaused(*dest) ? PrintOutcome::Queued : PrintOutcome::Printed);
}

void cancelHeldJob(const SpoolResult& spooled, std::stop_token stop)
{
    if (spooled.heldJob == 0)
        return;
    cupsSetPasswordCB2(noPassword, nullptr);
    Patience patience{SteadyClock::time_point::max(), stop};
    while (!patience.over()) {
        const Connection connection(patience);
        if (connection.http() != nullptr && !patience.over()) {
            const ipp_status_t status = cupsCancelJob2(connection.http(), spooled.queue.constData(), spooled.heldJob, 0);
            if (status != IPP_STATUS_ERROR_SERVICE_UNAVAILABLE && status != IPP_STATUS_ERROR_INTERNAL)
                return;
        }
        pauseUnlessStopped(kRetryPause, stop);
    }
}

} // namespace tarnelby
