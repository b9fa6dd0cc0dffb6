#pragma once

#include <httplib.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace test {

// A small web site on 127.0.0.1 for browser tests: pages set by the test,
// served as code page 936 HTML, and a count of the requests each path received.
class LoopbackSite {
public:
    LoopbackSite()
    {
        m_server.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(m_mutex);
            ++m_requests[request.path];
            const auto page = m_pages.find(request.path);
            if (page == m_pages.end()) {
                response.status = 404;
                return;
            }
            response.set_content(page->second, "text/html; charset=GBK");
        });
        // One request per connection: the browser keeps idle connections
        // open, and the server's stop would wait for each of them to time out.
        m_server.set_keep_alive_max_count(1);
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
    }
    ~LoopbackSite()
    {
        m_server.stop();
        m_thread.join();
    }
    LoopbackSite(const LoopbackSite&) = delete;
    LoopbackSite& operator=(const LoopbackSite&) = delete;

    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }

    void Serve(const std::string& path, std::string html)
    {
        std::lock_guard lock(m_mutex);
        m_pages[path] = std::move(html);
    }

    int Requests(const std::string& path)
    {
        std::lock_guard lock(m_mutex);
        return m_requests[path];
    }

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::map<std::string, std::string> m_pages;
    std::map<std::string, int> m_requests;
};

} // namespace test
