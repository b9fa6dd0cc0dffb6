#include "SiteServer.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace test {

SiteServer::SiteServer()
{
    m_server.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        std::string path = request.path;
        if (!request.params.empty()) {
            // The site's addresses carry at most one parameter.
            const auto& [name, value] = *request.params.begin();
            path += "?" + name + "=" + value;
        }
        std::lock_guard lock(m_mutex);
        ++m_requests[path];
        auto found = m_pages.find(path);
        if (found == m_pages.end()) {
            response.status = 404;
            return;
        }
        response.status = found->second.status;
        const std::string body = found->second.file.empty() ? found->second.body : ReadFileBytes(found->second.file);
        response.set_content(body, "application/octet-stream");
    });
    m_port = m_server.bind_to_any_port("127.0.0.1");
    if (m_port <= 0)
        throw std::runtime_error("cannot bind a loopback port");
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    while (!m_server.is_running())
        std::this_thread::yield();
    setenv("PLINTH_SITE_URL", Url("").c_str(), 1);
}

SiteServer::~SiteServer()
{
    unsetenv("PLINTH_SITE_URL");
    m_server.stop();
    m_thread.join();
}

void SiteServer::SetPage(const std::string& path, const std::string& body, int status)
{
    std::lock_guard lock(m_mutex);
    m_pages[path] = Page { body, {}, status };
}

void SiteServer::SetFile(const std::string& path, const std::string& file)
{
    std::lock_guard lock(m_mutex);
    m_pages[path] = Page { {}, file, 200 };
}

int SiteServer::Requests(const std::string& path) const
{
    std::lock_guard lock(m_mutex);
    auto found = m_requests.find(path);
    return found == m_requests.end() ? 0 : found->second;
}

std::string SiteServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace test
