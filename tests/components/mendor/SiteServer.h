#pragma once

// A vendor site for tests: a cpp-httplib server on 127.0.0.1 whose pages a
// test sets at any time. While it lives, PLINTH_SITE_URL points at it, so
// that nothing a test runs ever asks any other address.

#include <httplib.h>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace test {

class SiteServer {
public:
    SiteServer();
    ~SiteServer();
    SiteServer(const SiteServer&) = delete;
    SiteServer& operator=(const SiteServer&) = delete;

    // Answers GET <path> (the path with its query) with the body and status.
    void SetPage(const std::string& path, const std::string& body, int status = 200);
    // Answers GET <path> with the bytes of a file as it is when asked.
    void SetFile(const std::string& path, const std::string& file);
    // How often GET <path> was asked.
    int Requests(const std::string& path) const;

    std::string Url(const std::string& path) const;

private:
    struct Page {
        std::string body;
        std::string file;
        int status = 200;
    };

    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::map<std::string, Page> m_pages;
    std::map<std::string, int> m_requests;
};

// A file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

} // namespace test
