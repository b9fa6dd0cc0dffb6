#include "common/http/HttpTransfer.h"

#include <algorithm>
#include <curl/curl.h>
#include <list>
#include <memory>
#include <mutex>
#include <time.h>
#include <utility>

namespace http {

namespace {

// Large reads keep a big download close to the speed of the wire; the
// body is never held beyond one of them.
constexpr long ReceiveBufferSize = 128 * 1024;
// How long one wait for the sockets may last before the clocks are checked again.
constexpr std::int64_t LongestWait = 1000;

// <chrono> cannot be built with the suite's code page 936 literals.
std::int64_t MonotonicMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void InitialiseCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyCleanup {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiCleanup {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListCleanup {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct UrlCleanup {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

// Wakes the transfer's wait when a stop is requested.
struct WakeTransfer {
    CURLM* multi;
    void operator()() const { curl_multi_wakeup(multi); }
};

bool AnyStopRequested(std::span<const std::stop_token> stops)
{
    return std::any_of(stops.begin(), stops.end(), [](const std::stop_token& stop) { return stop.stop_requested(); });
}

} // namespace

std::string ParseUrl(const std::string& url, std::string& scheme)
{
    InitialiseCurl();
    scheme.clear();
    if (url.find('\0') != std::string::npos)
        return {};
    std::unique_ptr<CURLU, UrlCleanup> handle(curl_url());
    if (!handle
        || curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), CURLU_ALLOW_SPACE | CURLU_URLENCODE) != CURLUE_OK)
        return {};
    char* part = nullptr;
    if (curl_url_get(handle.get(), CURLUPART_SCHEME, &part, 0) != CURLUE_OK)
        return {};
    scheme = part;
    curl_free(part);
    if (curl_url_get(handle.get(), CURLUPART_URL, &part, 0) != CURLUE_OK)
        return {};
    std::string parsed = part;
    curl_free(part);
    return parsed;
}

CHttpTransfer::CHttpTransfer(TransferSettings settings)
    : m_settings(std::move(settings))
{
}

TransferOutcome CHttpTransfer::Get(const std::string& url, const BodySink& sink, std::span<const std::stop_token> stops)
{
    InitialiseCurl();
    m_status = 0;
    m_announcedLength = 0;
    m_bodyStarted = false;
    m_statusRefused = false;
    m_sinkRefused = false;
    m_sink = &sink;
    if (AnyStopRequested(stops))
        return TransferOutcome::NetworkFailure;

    std::unique_ptr<CURL, EasyCleanup> easy(curl_easy_init());
    std::unique_ptr<CURLM, MultiCleanup> multi(curl_multi_init());
    if (!easy || !multi)
        return TransferOutcome::NetworkFailure;
    m_easy = easy.get();

    std::unique_ptr<curl_slist, ListCleanup> headers;
    for (const std::string& line : m_settings.headerLines) {
        curl_slist* extended = curl_slist_append(headers.get(), line.c_str());
        if (!extended)
            return TransferOutcome::NetworkFailure;
        (void)headers.release();
        headers.reset(extended);
    }

    CURL* handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, MaxRedirects);
    curl_easy_setopt(handle, CURLOPT_USERAGENT, m_settings.agentName.c_str());
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, ReceiveBufferSize);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_settings.connectTimeout));
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &CHttpTransfer::OnBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &CHttpTransfer::OnHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(handle, CURLOPT_PREREQFUNCTION, &CHttpTransfer::OnConnected);
    curl_easy_setopt(handle, CURLOPT_PREREQDATA, this);
    if (curl_multi_add_handle(multi.get(), handle) != CURLM_OK)
        return TransferOutcome::NetworkFailure;

    bool finished = false;
    CURLcode result = CURLE_OK;
    {
        // Declared after the handles so that they are gone before the handles are.
        std::list<std::stop_callback<WakeTransfer>> wakers;
        for (const std::stop_token& stop : stops)
            wakers.emplace_back(stop, WakeTransfer { multi.get() });

        m_lastReceived = MonotonicMilliseconds();
        while (true) {
            int running = 0;
            if (curl_multi_perform(multi.get(), &running) != CURLM_OK)
                break;
            if (running == 0) {
                int queued = 0;
                while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
                    if (message->msg == CURLMSG_DONE) {
                        result = message->data.result;
                        finished = true;
                    }
                }
                break;
            }
            if (AnyStopRequested(stops))
                break;
            const std::int64_t quiet = MonotonicMilliseconds() - m_lastReceived;
            if (quiet >= m_settings.receiveTimeout)
                break;
            const std::int64_t wait = std::clamp<std::int64_t>(m_settings.receiveTimeout - quiet, 1, LongestWait);
            curl_multi_poll(multi.get(), nullptr, 0, static_cast<int>(wait), nullptr);
        }
    }

    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    m_status = status == 0 ? 200 : status;
    curl_multi_remove_handle(multi.get(), handle);
    m_easy = nullptr;
    m_sink = nullptr;

    if (m_sinkRefused)
        return TransferOutcome::SinkRefused;
    if (m_statusRefused || status >= 400)
        return TransferOutcome::HttpError;
    if (!finished || result != CURLE_OK)
        return TransferOutcome::NetworkFailure;
    return TransferOutcome::Complete;
}

std::size_t CHttpTransfer::OnBody(char* data, std::size_t size, std::size_t count, void* self)
{
    auto* transfer = static_cast<CHttpTransfer*>(self);
    const std::size_t bytes = size * count;
    transfer->m_lastReceived = MonotonicMilliseconds();
    // The body of a failed request is of no use to the caller, so the transfer
    // ends at its first byte.
    long status = 0;
    curl_easy_getinfo(transfer->m_easy, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400) {
        transfer->m_statusRefused = true;
        return 0;
    }
    if (!transfer->m_bodyStarted) {
        transfer->m_bodyStarted = true;
        curl_off_t length = -1;
        curl_easy_getinfo(transfer->m_easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        transfer->m_announcedLength = length > 0 ? static_cast<std::uint64_t>(length) : 0;
    }
    try {
        if (bytes > 0 && !(*transfer->m_sink)(std::string_view(data, bytes), transfer->m_announcedLength)) {
            transfer->m_sinkRefused = true;
            return 0;
        }
    } catch (...) {
        // Nothing may unwind through libcurl; the transfer fails instead.
        return 0;
    }
    return bytes;
}

std::size_t CHttpTransfer::OnHeader(char*, std::size_t size, std::size_t count, void* self)
{
    static_cast<CHttpTransfer*>(self)->m_lastReceived = MonotonicMilliseconds();
    return size * count;
}

int CHttpTransfer::OnConnected(void* self, char*, char*, int, int)
{
    // The receive clock starts once the connection stands; connecting has a limit of its own.
    static_cast<CHttpTransfer*>(self)->m_lastReceived = MonotonicMilliseconds();
    return CURL_PREREQFUNC_OK;
}

} // namespace http
