#include "LoopbackServers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace test {

namespace {

constexpr int PollInterval = 20;

bool Readable(int socket, std::stop_token stop)
{
    pollfd entry { socket, POLLIN, 0 };
    while (!stop.stop_requested()) {
        if (::poll(&entry, 1, PollInterval) > 0)
            return true;
    }
    return false;
}

} // namespace

HttpServer::HttpServer() = default;

HttpServer::~HttpServer()
{
    m_server.stop();
    if (m_thread.joinable())
        m_thread.join();
}

void HttpServer::Start()
{
    m_port = m_server.bind_to_any_port("127.0.0.1");
    if (m_port <= 0)
        throw std::runtime_error("cannot bind a loopback port");
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    while (!m_server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::string HttpServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

RawServer::RawServer(Behaviour behaviour)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::listen(m_listener, 8) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot listen on a loopback port");
    m_port = ntohs(address.sin_port);
    m_thread = std::jthread([this, behaviour = std::move(behaviour)](std::stop_token stop) {
        while (Readable(m_listener, stop)) {
            int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0)
                continue;
            behaviour(connection, stop);
            ::close(connection);
        }
    });
}

RawServer::~RawServer()
{
    m_thread.request_stop();
    if (m_thread.joinable())
        m_thread.join();
    ::close(m_listener);
}

std::string RawServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void RawServer::ReadRequestHead(int socket, std::stop_token stop)
{
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos && Readable(socket, stop)) {
        ssize_t received = ::recv(socket, buffer, sizeof buffer, 0);
        if (received <= 0)
            return;
        head.append(buffer, static_cast<std::size_t>(received));
    }
}

void RawServer::Send(int socket, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t count = ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (count <= 0)
            return;
        sent += static_cast<std::size_t>(count);
    }
}

void RawServer::Wait(std::stop_token stop)
{
    while (!stop.stop_requested())
        std::this_thread::sleep_for(std::chrono::milliseconds(PollInterval));
}

} // namespace test
