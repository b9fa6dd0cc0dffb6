#pragma once

#include <functional>
#include <httplib.h>
#include <stop_token>
#include <string>
#include <thread>

namespace test {

// A cpp-httplib server on 127.0.0.1 at a port of the system's choosing. Add
// routes with Routes(), then Start(); it stops when the object goes away.
class HttpServer {
public:
    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    httplib::Server& Routes() { return m_server; }
    void Start();
    std::string Url(const std::string& path) const;
    int Port() const { return m_port; }

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

// A bare TCP server on 127.0.0.1 for what an HTTP library will not do: every
// connection is handed to the behaviour, which answers (or not) as it likes.
// The stop token is set when the server is going away.
class RawServer {
public:
    using Behaviour = std::function<void(int socket, std::stop_token stop)>;

    explicit RawServer(Behaviour behaviour);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    std::string Url(const std::string& path) const;

    // Reads until the end of the request head (or the stop), so that a reply
    // is not sent before the request has arrived.
    static void ReadRequestHead(int socket, std::stop_token stop);
    static void Send(int socket, const std::string& bytes);
    // Waits until the server is going away, answering nothing.
    static void Wait(std::stop_token stop);

private:
    int m_listener = -1;
    int m_port = 0;
    std::jthread m_thread;
};

} // namespace test
