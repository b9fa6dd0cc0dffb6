#include "common/http/VelInternet.h"

#include "LoopbackServers.h"
#include "tests/support/TempSuiteRoot.h"
#include "tests/support/FileContent.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
// <thread> brings the clocks; <chrono> itself cannot be built with code page 936 literals.
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string Untouched = "untouched";

using test::ReadFile;
using test::WriteFile;

std::string Header(const httplib::Request& request, const char* name)
{
    return request.has_header(name) ? request.get_header_value(name) : "<none>";
}

// Bodies with NUL bytes, by name, served at /body/<name>.
struct NulCase {
    const char* name;
    std::string body;
    std::string text;
};

// Several megabytes in an odd length, so that no piece boundary lines up.
const std::string& LargeBody()
{
    static const std::string body = [] {
        std::string text(3 * 1024 * 1024 + 7, '\0');
        for (std::size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char>('a' + i % 26);
        return text;
    }();
    return body;
}

const NulCase NulCases[] = {
    { "NulCutsRestOfChunk", std::string("ab\0cd", 5) + "ef", "ab" },
    { "NulAsLastByteOfChunk", std::string(1022, 'x') + std::string("\0yz", 3), std::string(1022, 'x') + "yz" },
    { "NulAsFirstByteOfSecondChunk", std::string(1023, 'x') + std::string("\0yz", 3), std::string(1023, 'x') },
    { "NulFirstLosesWholeChunk", std::string(1, '\0') + std::string(1100, 'q'), std::string(1100 - 1022, 'q') },
    { "NulsInSeveralChunks", std::string(10, 'a') + '\0' + std::string(1012, 'b') + std::string("cc\0dd", 5),
        "aaaaaaaaaacc" },
};

// Every test runs against its own loopback server and in its own suite root.
class VelInternetTest : public ::testing::Test {
protected:
    VelInternetTest()
    {
        // A configured proxy must not take the loopback requests elsewhere.
        ::setenv("no_proxy", "127.0.0.1", 1);
        auto& routes = m_server.Routes();
        routes.Get("/ok", [](const auto&, auto& response) { response.set_content("hello", "text/plain"); });
        routes.Get("/empty", [](const auto&, auto& response) { response.status = 204; });
        routes.Get(R"(/status/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
            response.status = std::stoi(request.matches[1]);
            response.set_content("error page", "text/plain");
        });
        routes.Get(R"(/redirect/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
            response.set_redirect("/ok", std::stoi(request.matches[1]));
            response.set_content("moved", "text/plain");
        });
        routes.Get(
            "/to-local-file", [](const auto&, auto& response) { response.set_redirect("file:///etc/hostname"); });
        // /hop/n redirects n times before it reaches /ok.
        routes.Get(R"(/hop/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
            const int left = std::stoi(request.matches[1]);
            response.set_redirect(left == 1 ? "/ok" : "/hop/" + std::to_string(left - 1), 302);
        });
        routes.Get(R"(/body/(\w+))", [](const httplib::Request& request, httplib::Response& response) {
            for (const NulCase& nulCase : NulCases) {
                if (request.matches[1] == nulCase.name)
                    response.set_content(nulCase.body, "application/octet-stream");
            }
        });
        routes.Get("/headers", [](const httplib::Request& request, httplib::Response& response) {
            response.set_content("Accept=" + Header(request, "Accept") + "\nUser-Agent=" + Header(request, "User-Agent")
                    + "\nAuthorization=" + Header(request, "Authorization")
                    + "\nProxy-authorization=" + Header(request, "Proxy-authorization") + "\n",
                "text/plain");
        });
        routes.Get("/large", [](const auto&, auto& response) { response.set_content(LargeBody(), "text/plain"); });
        routes.Get("/with space", [](const auto&, auto& response) { response.set_content("spaced", "text/plain"); });
        m_server.Start();
    }

    fs::path Local(const std::string& name) const { return m_root.Path() / name; }

    test::TempSuiteRoot m_root;
    test::HttpServer m_server;
    CVelInternet m_internet;
    std::string m_text = Untouched;
    int m_code = -1;
    std::string m_errorText = Untouched;
};

// A server that answers with a head and part of the promised body, then
// either closes or goes quiet.
std::string PartialResponse(std::size_t promised, const std::string& sent)
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(promised) + "\r\n\r\n" + sent;
}

// text: the body on success; left as it was after an error status; what had
// arrived (nothing) after a network failure.
struct StatusCase {
    const char* name;
    std::string path;
    int code;
    const char* errorText;
    std::string text;
};

class VelInternetStatusTest : public VelInternetTest, public ::testing::WithParamInterface<StatusCase> { };

TEST_P(VelInternetStatusTest, TextAndFileFollowTheFinalStatus)
{
    const StatusCase& status = GetParam();
    const bool success = status.code == CVelInternet::Successful;

    EXPECT_EQ(m_internet.FetchText(m_server.Url(status.path), m_text, m_code, m_errorText), success);
    EXPECT_EQ(m_code, status.code);
    EXPECT_EQ(m_errorText, status.errorText);
    EXPECT_EQ(m_text, status.text);

    const fs::path file = Local("download.bin");
    EXPECT_EQ(m_internet.FetchFile(m_server.Url(status.path), file.string(), m_code, m_errorText), success);
    EXPECT_EQ(m_code, status.code);
    EXPECT_EQ(fs::exists(file), success);
    if (success) {
        EXPECT_EQ(ReadFile(file), status.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Statuses, VelInternetStatusTest,
    ::testing::Values(StatusCase { "Ok200", "/ok", 0, "Successful", "hello" },
        StatusCase { "NoContent204", "/empty", 0, "Successful", "" },
        StatusCase { "MovedPermanently301", "/redirect/301", 0, "Successful", "hello" },
        StatusCase { "Found302", "/redirect/302", 0, "Successful", "hello" },
        StatusCase { "TenRedirects", "/hop/10", 0, "Successful", "hello" },
        StatusCase { "ElevenRedirects", "/hop/11", 3, "Connection failed", "" },
        StatusCase { "RedirectToLocalFile", "/to-local-file", 3, "Connection failed", "" },
        StatusCase { "Unauthorized401", "/status/401", 3, "Connection failed", Untouched },
        StatusCase { "Forbidden403", "/status/403", 6, "Not authorized", Untouched },
        StatusCase { "NotFound404", "/status/404", 5, "Not found", Untouched },
        StatusCase { "ProxyAuthenticationRequired407", "/status/407", 6, "Not authorized", Untouched },
        StatusCase { "ServerError500", "/status/500", 3, "Connection failed", Untouched }),
    [](const auto& info) { return std::string(info.param.name); });

class VelInternetNulTest : public VelInternetTest, public ::testing::WithParamInterface<NulCase> { };

TEST_P(VelInternetNulTest, TextCutsEachChunkAtItsFirstNulWhileFileKeepsEveryByte)
{
    const std::string url = m_server.Url(std::string("/body/") + GetParam().name);
    ASSERT_TRUE(m_internet.FetchText(url, m_text, m_code, m_errorText)) << m_errorText;
    EXPECT_EQ(m_text, GetParam().text);

    const fs::path file = Local("body.bin");
    ASSERT_TRUE(m_internet.FetchFile(url, file.string(), m_code, m_errorText)) << m_errorText;
    EXPECT_EQ(ReadFile(file), GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(Bodies, VelInternetNulTest, ::testing::ValuesIn(NulCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VelInternetTest, LargeBodyArrivesWhole)
{
    const std::string& body = LargeBody();
    ASSERT_TRUE(m_internet.FetchText(m_server.Url("/large"), m_text, m_code, m_errorText));
    EXPECT_EQ(m_text, body);
    const fs::path file = Local("large.bin");
    ASSERT_TRUE(m_internet.FetchFile(m_server.Url("/large"), file.string(), m_code, m_errorText));
    EXPECT_EQ(ReadFile(file), body);
}

TEST_F(VelInternetTest, ServerClosingMidBodyKeepsPartialTextAndEarlierFile)
{
    const std::string sent = std::string(3000, 'p') + std::string("\0zz", 3);
    test::RawServer server([&sent](int socket, std::stop_token stop) {
        test::RawServer::ReadRequestHead(socket, stop);
        test::RawServer::Send(socket, PartialResponse(10000, sent));
    });

    EXPECT_FALSE(m_internet.FetchText(server.Url("/x"), m_text, m_code, m_errorText));
    EXPECT_EQ(m_code, CVelInternet::ConnectionFailed);
    EXPECT_EQ(m_errorText, "Connection failed");
    EXPECT_EQ(m_text, std::string(3000, 'p'));

    const fs::path file = Local("Verup.exe");
    WriteFile(file, "earlier program");
    EXPECT_FALSE(m_internet.FetchFile(server.Url("/x"), file.string(), m_code, m_errorText));
    EXPECT_EQ(m_code, CVelInternet::ConnectionFailed);
    EXPECT_EQ(ReadFile(file), "earlier program");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_root.Path()), fs::directory_iterator()), 1)
        << "no partial file is left beside it";
}

struct SilenceCase {
    const char* name;
    std::string reply;
    std::string partialText;
};

class VelInternetSilenceTest : public VelInternetTest, public ::testing::WithParamInterface<SilenceCase> {
protected:
    test::RawServer m_silent { [reply = GetParam().reply](int socket, std::stop_token stop) {
        test::RawServer::ReadRequestHead(socket, stop);
        test::RawServer::Send(socket, reply);
        test::RawServer::Wait(stop);
    } };
};

TEST_P(VelInternetSilenceTest, ReceiveTimeOutFailsWithWhatArrived)
{
    m_internet.m_receiveTimeout = 300;
    EXPECT_FALSE(m_internet.FetchText(m_silent.Url("/x"), m_text, m_code, m_errorText));
    EXPECT_EQ(m_code, CVelInternet::ConnectionFailed);
    EXPECT_EQ(m_text, GetParam().partialText);
}

TEST_P(VelInternetSilenceTest, CancelFromAnotherThreadEndsFetchAtOnce)
{
    const fs::path file = Local("news.bin");
    std::chrono::steady_clock::time_point cancelled;
    std::thread canceller([&] {
        std::this_thread::sleep_for(300ms);
        cancelled = std::chrono::steady_clock::now();
        m_internet.Cancel();
    });
    EXPECT_FALSE(m_internet.FetchFile(m_silent.Url("/x"), file.string(), m_code, m_errorText));
    const auto returned = std::chrono::steady_clock::now();
    canceller.join();
    EXPECT_EQ(m_code, CVelInternet::ConnectionFailed);
    EXPECT_LT(returned - cancelled, 1s);
    EXPECT_FALSE(fs::exists(file));
}

TEST_P(VelInternetSilenceTest, StopTokenActsAsCancel)
{
    std::stop_source stop;
    m_internet.SetStopToken(stop.get_token());
    std::thread stopper([&] {
        std::this_thread::sleep_for(300ms);
        stop.request_stop();
    });
    EXPECT_FALSE(m_internet.FetchText(m_silent.Url("/x"), m_text, m_code, m_errorText));
    stopper.join();
    EXPECT_EQ(m_code, CVelInternet::ConnectionFailed);
    EXPECT_EQ(m_text, GetParam().partialText);
}

INSTANTIATE_TEST_SUITE_P(Servers, VelInternetSilenceTest,
    ::testing::Values(SilenceCase { "SendsNothing", "", "" },
        SilenceCase { "StopsMidBody", PartialResponse(500, std::string(100, 'p')), std::string(100, 'p') }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VelInternetTest, CancelledObjectFetchesNothingMore)
{
    m_internet.Cancel();
    EXPECT_FALSE(m_internet.FetchText(m_server.Url("/ok"), m_text, m_code, m_errorText));
    EXPECT_EQ(m_code, CVelInternet::ConnectionFailed);
    EXPECT_EQ(m_text, "");
}

struct PathCase {
    const char* name;
    std::string path;
    int code;
};

class VelInternetLocalPathTest : public VelInternetTest, public ::testing::WithParamInterface<PathCase> {
protected:
    void SetUp() override
    {
        WriteFile(Local("plain-file"), "x");
        fs::create_directory(Local("folder"));
    }
};

TEST_P(VelInternetLocalPathTest, FileErrorIsCodeHundredPlusCause)
{
    const fs::path path = GetParam().path.starts_with("/") ? fs::path(GetParam().path) : Local(GetParam().path);
    if (GetParam().path.starts_with("/") && !fs::exists(path))
        GTEST_SKIP() << path << " is not on this system";

    EXPECT_FALSE(m_internet.FetchFile(m_server.Url("/ok"), path.string(), m_code, m_errorText));
    EXPECT_EQ(m_code, GetParam().code);
    EXPECT_EQ(m_errorText, "CVelInternet error " + std::to_string(GetParam().code));
}

TEST_P(VelInternetLocalPathTest, EmptyBodyStillReportsTheFileError)
{
    if (GetParam().path.starts_with("/"))
        GTEST_SKIP() << "a device takes an empty body";
    EXPECT_FALSE(m_internet.FetchFile(m_server.Url("/empty"), Local(GetParam().path).string(), m_code, m_errorText));
    EXPECT_EQ(m_code, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Paths, VelInternetLocalPathTest,
    ::testing::Values(PathCase { "MissingFolder", "missing/file.bin", 103 },
        PathCase { "FolderOnTheWayIsAFile", "plain-file/file.bin", 103 }, PathCase { "PathIsAFolder", "folder", 105 },
        PathCase { "DiskFull", "/dev/full", 113 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VelInternetTest, ReadOnlyFileIsAccessDenied)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser may write anywhere";
    const fs::path file = Local("read-only.bin");
    WriteFile(file, "kept");
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_FALSE(m_internet.FetchFile(m_server.Url("/ok"), file.string(), m_code, m_errorText));
    EXPECT_EQ(m_code, 105);
    EXPECT_EQ(ReadFile(file), "kept");
}

struct UrlCase {
    const char* name;
    std::string url;
    int code;
};

class VelInternetUrlTest : public VelInternetTest, public ::testing::WithParamInterface<UrlCase> {
protected:
    // "{port}" in a case's URL stands for the loopback server's port.
    std::string CaseUrl() const
    {
        std::string url = GetParam().url;
        if (std::size_t at = url.find("{port}"); at != std::string::npos)
            url.replace(at, 6, std::to_string(m_server.Port()));
        return url;
    }
};

TEST_P(VelInternetUrlTest, RejectedBeforeAnySessionOpens)
{
    EXPECT_FALSE(m_internet.FetchText(CaseUrl(), m_text, m_code, m_errorText));
    EXPECT_EQ(m_code, GetParam().code);
    EXPECT_EQ(m_errorText, CVelInternet::ErrorMessage(GetParam().code));
    EXPECT_EQ(m_text, Untouched);

    const fs::path file = Local("never.bin");
    EXPECT_FALSE(m_internet.FetchFile(CaseUrl(), file.string(), m_code, m_errorText));
    EXPECT_EQ(m_code, GetParam().code);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(m_internet.Context(), 0);
}

INSTANTIATE_TEST_SUITE_P(Urls, VelInternetUrlTest,
    ::testing::Values(UrlCase { "Empty", "", 2 }, UrlCase { "BlankIsNotEmpty", " \t\r\n", 1 },
        UrlCase { "Secure", "https://127.0.0.1:{port}/ok", 1 }, UrlCase { "Ftp", "ftp://127.0.0.1:{port}/ok", 1 },
        UrlCase { "LocalFile", "file:///etc/hostname", 1 },
        UrlCase { "HostAndPortWithoutScheme", "127.0.0.1:{port}/ok", 1 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VelInternetTest, EmptyLocalPathIsInvalidParameter)
{
    EXPECT_FALSE(m_internet.FetchFile(m_server.Url("/ok"), "", m_code, m_errorText));
    EXPECT_EQ(m_code, CVelInternet::InvalidParameter);
    EXPECT_EQ(m_errorText, "Invalid parameter");
    EXPECT_EQ(m_internet.Context(), 0);
}

TEST_F(VelInternetTest, UrlIsTrimmedAndItsSchemeAndSpacesAccepted)
{
    for (const std::string& url :
        { " \t" + m_server.Url("/ok") + "\r\n", "HTTP://127.0.0.1:" + std::to_string(m_server.Port()) + "/ok" }) {
        EXPECT_TRUE(m_internet.FetchText(url, m_text, m_code, m_errorText)) << url;
        EXPECT_EQ(m_text, "hello");
    }
    EXPECT_TRUE(m_internet.FetchText(m_server.Url("/with space"), m_text, m_code, m_errorText));
    EXPECT_EQ(m_text, "spaced");
}

TEST_F(VelInternetTest, EachSessionTakesTheNextContextNumber)
{
    m_internet.FetchText(m_server.Url("/ok"), m_text, m_code, m_errorText);
    EXPECT_EQ(m_internet.Context(), 1);
    m_internet.FetchFile(m_server.Url("/status/404"), Local("x").string(), m_code, m_errorText);
    EXPECT_EQ(m_internet.Context(), 2);
}

struct CredentialCase {
    const char* name;
    std::string proxyScheme, proxyUser, proxyPassword, user, password;
    std::string block;
    std::string received;
};

class VelInternetHeaderTest : public VelInternetTest, public ::testing::WithParamInterface<CredentialCase> { };

TEST_P(VelInternetHeaderTest, BlockIsBuiltAndSent)
{
    const CredentialCase& credentials = GetParam();
    m_internet.m_proxyAuthorizationScheme = credentials.proxyScheme;
    m_internet.m_proxyUserName = credentials.proxyUser;
    m_internet.m_proxyPassword = credentials.proxyPassword;
    m_internet.m_userName = credentials.user;
    m_internet.m_password = credentials.password;
    EXPECT_EQ(m_internet.RequestHeaders(), credentials.block);

    ASSERT_TRUE(m_internet.FetchText(m_server.Url("/headers"), m_text, m_code, m_errorText));
    EXPECT_EQ(m_text, "Accept=*/*\nUser-Agent=Orlan\n" + credentials.received);
}

INSTANTIATE_TEST_SUITE_P(Credentials, VelInternetHeaderTest,
    ::testing::Values(CredentialCase { "Defaults", "", "", "", "", "", "Accept: */*\r\n\r\n",
                          "Authorization=<none>\nProxy-authorization=<none>\n" },
        CredentialCase { "UserWithEmptyPasswordKeepsColon", "", "", "", "user", "",
            "Accept: */*\r\nAuthorization: Basic dXNlcjo=\r\n\r\n",
            "Authorization=Basic dXNlcjo=\nProxy-authorization=<none>\n" },
        CredentialCase { "ProxyAndServer", "basic", "px", "pw", "user", "secret",
            "Accept: */*\r\nProxy-authorization: Basic cHg6cHc=\r\nAuthorization: Basic dXNlcjpzZWNyZXQ=\r\n\r\n",
            "Authorization=Basic dXNlcjpzZWNyZXQ=\nProxy-authorization=Basic cHg6cHc=\n" },
        CredentialCase { "ProxySchemeWithCapitalSendsNothing", "Basic", "px", "pw", "", "", "Accept: */*\r\n\r\n",
            "Authorization=<none>\nProxy-authorization=<none>\n" },
        CredentialCase { "ProxyWithoutUserSendsNothing", "basic", "", "pw", "", "", "Accept: */*\r\n\r\n",
            "Authorization=<none>\nProxy-authorization=<none>\n" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VelInternetNormaliseUrl, AddsSchemeOnlyWhenThereIsNoColon)
{
    const struct {
        const char* url;
        const char* normalised;
    } cases[] = {
        { "www.example.org/verup/NewsTip.asp", "http://www.example.org/verup/NewsTip.asp" },
        { "//www.example.org/a", "http://www.example.org/a" },
        { "/a", "http:/a" },
        { "www.example.org:8080/a", "www.example.org:8080/a" },
        { " \t\r\nhttp://h/a \r\n\t", "http://h/a" },
        { "  h/a b  ", "http://h/a b" },
        { " \t", "http://" },
        { "", "http://" },
        { "mailto:someone", "mailto:someone" },
    };
    for (const auto& normalisation : cases)
        EXPECT_EQ(CVelInternet::NormaliseUrl(normalisation.url), normalisation.normalised) << normalisation.url;
}

TEST(VelInternetBase64, EncodesEveryByteWithPaddingAndNoLineBreaks)
{
    const struct {
        std::string bytes;
        const char* encoded;
    } cases[] = {
        { "", "" },
        { "f", "Zg==" },
        { "fo", "Zm8=" },
        { "foo", "Zm9v" },
        { "foobar", "Zm9vYmFy" },
        { std::string("\xff\xfe\0", 3), "//4A" },
        { "user:", "dXNlcjo=" },
    };
    for (const auto& encoding : cases)
        EXPECT_EQ(CVelInternet::EncodeBase64(encoding.bytes), encoding.encoded) << encoding.bytes;
    const std::string longText = CVelInternet::EncodeBase64(std::string(100, 'a'));
    EXPECT_EQ(longText.size(), 136u);
    EXPECT_EQ(longText.find('\n'), std::string::npos);
}

TEST(VelInternetErrorMessage, NamesEveryCode)
{
    const struct {
        int code;
        const char* text;
    } cases[] = {
        { 0, "Successful" },
        { 1, "Invalid URL" },
        { 2, "Invalid parameter" },
        { 3, "Connection failed" },
        { 4, "Timed out" },
        { 5, "Not found" },
        { 6, "Not authorized" },
        { 7, "Disk/file error" },
        { 8, "CVelInternet error 8" },
        { 113, "CVelInternet error 113" },
        { -1, "CVelInternet error -1" },
    };
    for (const auto& message : cases)
        EXPECT_EQ(CVelInternet::ErrorMessage(message.code), message.text) << message.code;
}

TEST(VelInternetDefaults, FieldsStartAsTheSystemExpects)
{
    const CVelInternet internet;
    EXPECT_EQ(internet.m_agentName, "Orlan");
    EXPECT_EQ(internet.m_cacheReuse, 0);
    EXPECT_EQ(internet.m_cacheWrite, 0);
    EXPECT_EQ(internet.Context(), 0);
    EXPECT_EQ(internet.m_connectTimeout, 60000u);
    EXPECT_EQ(internet.m_receiveTimeout, 60000u);
}

} // namespace
