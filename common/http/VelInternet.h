#pragma once

// The suite's one HTTP client. A caller makes a CVelInternet, makes one call
// and lets it go. Both fetches are blocking GETs over plain HTTP; each sets a
// numbered code and its English text and returns whether the code is 0.
//
//   code  text                      when
//   0     "Successful"              the request succeeded (any final status below 400)
//   1     "Invalid URL"             the URL does not parse, or its scheme is not plain HTTP
//   2     "Invalid parameter"       the URL, or FetchFile's local path, is empty
//   3     "Connection failed"       status 401, 500 or any other of 400 or more not listed
//                                   here; no response, a network failure, the time-outs
//                                   below, a cancelled fetch
//   4     "Timed out"               kept in the table; the fetches report time-outs as 3
//   5     "Not found"               status 404
//   6     "Not authorized"          status 403 or 407
//   7     "Disk/file error"         kept in the table; FetchFile reports file errors as below
//   100+n "CVelInternet error %d"   FetchFile: a local file error of cause n
//
// Local file error causes n (see common/http/FileErrorCause.h): 1 generic,
// 2 file not found, 3 bad path, 5 access denied, 7 sharing violation,
// 13 disk full.
//
// Redirects are followed, at most 10, and the final status counts; the
// system's proxy settings (http_proxy, no_proxy) apply. There is no local web
// cache, so every request fetches a fresh copy and keeps none, whatever the
// two cache flags say.

#include "platform/base/Types.h"

#include <stop_token>
#include <string>

class CVelInternet {
public:
    enum Code : int {
        Successful = 0,
        InvalidUrl = 1,
        InvalidParameter = 2,
        ConnectionFailed = 3,
        TimedOut = 4,
        NotFound = 5,
        NotAuthorized = 6,
        DiskFileError = 7,
        FileErrorBase = 100,
    };

    // The platform's limits in milliseconds: for connecting, and for going
    // without receiving anything once connected.
    static constexpr DWORD DefaultConnectTimeout = 60000;
    static constexpr DWORD DefaultReceiveTimeout = 60000;
    // Each piece of a text body is cut at its first NUL, as the system has always read text.
    static constexpr std::size_t TextChunkSize = 1023;

    // The body as text. On a network failure (code 3 without an error status)
    // text receives what had arrived, so a partial body can come back with
    // false; on every other failure text is left as it was.
    bool FetchText(const std::string& url, std::string& text, int& code, std::string& errorText);
    // The body stored byte for byte in the file at localPath, created or
    // replaced only once the whole body has arrived after a good status. A
    // failed download leaves no partial file, and an earlier file as it was.
    bool FetchFile(const std::string& url, const std::string& localPath, int& code, std::string& errorText);

    static std::string ErrorMessage(int code);
    // The extra header block sent with every request, ended by an empty line.
    std::string RequestHeaders() const;
    static std::string EncodeBase64(const std::string& bytes);
    // The URL as it is requested: blanks trimmed, and "http://" (or "http:"
    // before a leading "/") added when it has no ":" at all.
    static std::string NormaliseUrl(const std::string& url);

    // Ends the fetch in progress at once with code 3, and every later fetch of
    // this object. Safe to call from any thread while the object lives.
    void Cancel() { m_cancel.request_stop(); }
    // A stop request on this token acts as Cancel; set it before fetching.
    void SetStopToken(std::stop_token stop) { m_stop = std::move(stop); }

    // The context number of the last session opened; 0 before the first.
    LONG Context() const { return m_context; }

    BOOL m_cacheReuse = 0;
    BOOL m_cacheWrite = 0;
    // Proxy credentials go out only when this is exactly "basic".
    std::string m_proxyAuthorizationScheme;
    std::string m_proxyUserName;
    std::string m_proxyPassword;
    std::string m_userName;
    std::string m_password;
    std::string m_agentName = "Orlan";
    DWORD m_connectTimeout = DefaultConnectTimeout;
    DWORD m_receiveTimeout = DefaultReceiveTimeout;

private:
    struct Outcome;
    template <typename Sink> Outcome Fetch(const std::string& url, const Sink& sink);

    LONG m_context = 0;
    std::stop_source m_cancel;
    std::stop_token m_stop;
};
