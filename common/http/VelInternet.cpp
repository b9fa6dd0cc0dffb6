#include "common/http/VelInternet.h"

#include "common/http/DownloadFile.h"
#include "common/http/HttpTransfer.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace {

constexpr char Blanks[] = " \t\r\n";

// A text body as the system reads it: the body goes in pieces of
// TextChunkSize bytes, and each piece counts only up to its first NUL.
class CChunkedText {
public:
    // Room for the announced body, so that a large text is not copied as it
    // grows; a length that is a lie costs no more than the cap.
    void Reserve(std::uint64_t announcedLength)
    {
        if (m_text.capacity() == 0)
            m_text.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(announcedLength, ReserveCap)));
    }

    void Append(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const std::size_t take = std::min(CVelInternet::TextChunkSize - m_chunkFill, bytes.size());
            if (!m_chunkCut) {
                const void* nul = std::memchr(bytes.data(), '\0', take);
                const std::size_t keep = nul ? static_cast<const char*>(nul) - bytes.data() : take;
                m_text.append(bytes.data(), keep);
                m_chunkCut = nul != nullptr;
            }
            m_chunkFill += take;
            if (m_chunkFill == CVelInternet::TextChunkSize) {
                m_chunkFill = 0;
                m_chunkCut = false;
            }
            bytes.remove_prefix(take);
        }
    }

    std::string Take() { return std::move(m_text); }

private:
    static constexpr std::uint64_t ReserveCap = 64 * 1024 * 1024;

    std::string m_text;
    std::size_t m_chunkFill = 0;
    bool m_chunkCut = false;
};

int CodeForStatus(long status)
{
    if (status < 400)
        return CVelInternet::Successful;
    if (status == 403 || status == 407)
        return CVelInternet::NotAuthorized;
    if (status == 404)
        return CVelInternet::NotFound;
    return CVelInternet::ConnectionFailed;
}

std::vector<std::string> HeaderLines(const std::string& block)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = block.find("\r\n", start)) != std::string::npos; start = end + 2) {
        if (end > start)
            lines.push_back(block.substr(start, end - start));
    }
    return lines;
}

} // namespace

struct CVelInternet::Outcome {
    int code = Successful;
    http::TransferOutcome transfer = http::TransferOutcome::NetworkFailure;
    bool transferred = false;
};

namespace {

// Nothing escapes a fetch: an unexpected failure (memory, for one) is a
// failed connection, and FetchText keeps what had arrived.
template <typename Run> auto Guarded(const Run& run) -> decltype(run())
{
    try {
        return run();
    } catch (...) {
        decltype(run()) outcome;
        outcome.code = CVelInternet::ConnectionFailed;
        outcome.transferred = true;
        return outcome;
    }
}

} // namespace

template <typename Sink> CVelInternet::Outcome CVelInternet::Fetch(const std::string& url, const Sink& sink)
{
    Outcome outcome;
    const std::string normalised = NormaliseUrl(url);
    std::string scheme;
    const std::string parsed = http::ParseUrl(normalised, scheme);
    if (parsed.empty() || scheme != "http") {
        outcome.code = InvalidUrl;
        return outcome;
    }

    // Unsigned arithmetic lets the counter wrap instead of overflowing.
    m_context = static_cast<LONG>(static_cast<ULONG>(m_context) + 1);
    http::CHttpTransfer transfer({ m_agentName, HeaderLines(RequestHeaders()), m_connectTimeout, m_receiveTimeout });
    const std::array<std::stop_token, 2> stops { m_cancel.get_token(), m_stop };
    outcome.transfer = transfer.Get(parsed, http::CHttpTransfer::BodySink(sink), stops);
    outcome.transferred = true;
    if (outcome.transfer == http::TransferOutcome::HttpError)
        outcome.code = CodeForStatus(transfer.Status());
    else if (outcome.transfer != http::TransferOutcome::Complete)
        outcome.code = ConnectionFailed;
    return outcome;
}

bool CVelInternet::FetchText(const std::string& url, std::string& text, int& code, std::string& errorText)
{
    errorText.clear();
    if (url.empty()) {
        code = InvalidParameter;
    } else {
        CChunkedText body;
        const Outcome outcome = Guarded([&] {
            return Fetch(url, [&body](std::string_view piece, std::uint64_t announcedLength) {
                body.Reserve(announcedLength);
                body.Append(piece);
                return true;
            });
        });
        code = outcome.code;
        if (outcome.transferred && outcome.transfer != http::TransferOutcome::HttpError)
            text = body.Take();
    }
    errorText = ErrorMessage(code);
    return code == Successful;
}

bool CVelInternet::FetchFile(const std::string& url, const std::string& localPath, int& code, std::string& errorText)
{
    errorText.clear();
    if (url.empty() || localPath.empty()) {
        code = InvalidParameter;
    } else {
        http::CDownloadFile file(localPath);
        const Outcome outcome = Guarded(
            [&] { return Fetch(url, [&file](std::string_view piece, std::uint64_t) { return file.Write(piece); }); });
        code = outcome.code;
        // An empty body still makes the file, so a file that cannot be made is
        // reported rather than taken for a successful download.
        if (outcome.transfer == http::TransferOutcome::SinkRefused
            || (outcome.transfer == http::TransferOutcome::Complete && !file.Commit()))
            code = FileErrorBase + static_cast<int>(file.Cause());
    }
    errorText = ErrorMessage(code);
    return code == Successful;
}

std::string CVelInternet::ErrorMessage(int code)
{
    switch (code) {
    case Successful:
        return "Successful";
    case InvalidUrl:
        return "Invalid URL";
    case InvalidParameter:
        return "Invalid parameter";
    case ConnectionFailed:
        return "Connection failed";
    case TimedOut:
        return "Timed out";
    case NotFound:
        return "Not found";
    case NotAuthorized:
        return "Not authorized";
    case DiskFileError:
        return "Disk/file error";
    default: {
        char text[48];
        std::snprintf(text, sizeof text, "CVelInternet error %d", code);
        return text;
    }
    }
}

std::string CVelInternet::RequestHeaders() const
{
    std::string block = "Accept: */*\r\n";
    if (m_proxyAuthorizationScheme == "basic" && !m_proxyUserName.empty())
        block += "Proxy-authorization: Basic " + EncodeBase64(m_proxyUserName + ":" + m_proxyPassword) + "\r\n";
    if (!m_userName.empty())
        block += "Authorization: Basic " + EncodeBase64(m_userName + ":" + m_password) + "\r\n";
    block += "\r\n";
    return block;
}

std::string CVelInternet::EncodeBase64(const std::string& bytes)
{
    static constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string encoded;
    encoded.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < count ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            encoded += k <= count ? Alphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return encoded;
}

std::string CVelInternet::NormaliseUrl(const std::string& url)
{
    const std::size_t first = url.find_first_not_of(Blanks);
    std::string trimmed
        = first == std::string::npos ? std::string() : url.substr(first, url.find_last_not_of(Blanks) - first + 1);
    if (trimmed.find(':') == std::string::npos)
        trimmed.insert(0, !trimmed.empty() && trimmed[0] == '/' ? "http:" : "http://");
    return trimmed;
}
