#pragma once

#include <httplib.h>

#include <chrono>
#include <string>
#include <thread>

namespace zelt::standins {

/// An HTTP server on a free loopback port, running on its own thread for as
/// long as the object lives. Handlers are set on `server` before start().
class LoopbackServer {
public:
    LoopbackServer() = default;
    ~LoopbackServer()
    {
        server.stop();
        if (thread_.joinable()) thread_.join();
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    void start()
    {
        port_ = server.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    int port() const { return port_; }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

    httplib::Server server;

private:
    int port_ = 0;
    std::thread thread_;
};

} // namespace zelt::standins
