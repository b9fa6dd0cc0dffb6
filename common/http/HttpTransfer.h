#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace http {

struct TransferSettings {
    std::string agentName;
    // Extra request header lines, without line ends.
    std::vector<std::string> headerLines;
    // Milliseconds allowed for connecting.
    std::uint32_t connectTimeout;
    // Milliseconds the transfer may go without receiving anything once connected.
    std::uint32_t receiveTimeout;
};

enum class TransferOutcome {
    // The whole body of a final response with a status below 400 went to the sink.
    Complete,
    // The final response has a status of 400 or more; its body was not passed on.
    HttpError,
    // No usable response: connection, protocol or read failure, time-out or stop.
    NetworkFailure,
    // The sink refused a piece of the body.
    SinkRefused,
};

// One blocking GET over libcurl. Redirects are followed (at most 10) and the
// final response counts. Any of the stop tokens ends the transfer at once,
// from any thread.
class CHttpTransfer {
public:
    // Receives the body piece by piece as it arrives, with the length the
    // response announced (0 when it gave none); false stops the transfer.
    using BodySink = std::function<bool(std::string_view piece, std::uint64_t announcedLength)>;

    static constexpr long MaxRedirects = 10;

    explicit CHttpTransfer(TransferSettings settings);

    TransferOutcome Get(const std::string& url, const BodySink& sink, std::span<const std::stop_token> stops);

    // The final status code; 200 when the response carried none.
    long Status() const { return m_status; }

private:
    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
    static int OnConnected(void* self, char* remoteAddress, char* localAddress, int remotePort, int localPort);

    TransferSettings m_settings;
    void* m_easy = nullptr;
    const BodySink* m_sink = nullptr;
    // Monotonic milliseconds of the last sign of life from the server.
    std::int64_t m_lastReceived = 0;
    long m_status = 0;
    std::uint64_t m_announcedLength = 0;
    bool m_bodyStarted = false;
    bool m_statusRefused = false;
    bool m_sinkRefused = false;
};

// Parses a URL as the transfer will; the URL in the form it is sent, or an
// empty string when it does not parse. Spaces are sent encoded.
std::string ParseUrl(const std::string& url, std::string& scheme);

} // namespace http
