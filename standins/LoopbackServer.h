#pragma once

#include <httplib.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>

namespace zelt::standins {

/// An HTTP server on a free loopback port, running on its own thread for as
/// long as the object lives, or an HTTPS one given a certificate and key.
/// Handlers are set on `server` before start(). It counts the connections
/// its requests came on (by the client's address and port).
class LoopbackServer {
    std::unique_ptr<httplib::Server> owned_;

public:
    LoopbackServer() : owned_(std::make_unique<httplib::Server>()), server(*owned_) {}
    /// Over TLS, with a certificate and its key in PEM files.
    LoopbackServer(const std::string& certificate, const std::string& key)
        : owned_(std::make_unique<httplib::SSLServer>(certificate.c_str(), key.c_str())), server(*owned_), tls_(true)
    {
    }
    ~LoopbackServer()
    {
        server.stop();
        if (thread_.joinable()) thread_.join();
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    void start()
    {
        if (!server.is_valid()) throw std::runtime_error("the stand-in's TLS certificate or key could not be read");
        // Each answer goes out as it is written: with Nagle's rule on, the
        // second write of an answer on a kept connection would wait for the
        // client's delayed acknowledgement (some 40 ms), as real servers
        // that set TCP_NODELAY do not.
        server.set_tcp_nodelay(true);
        server.set_logger([this](const httplib::Request& request, const httplib::Response&) {
            const std::lock_guard lock(mutex_);
            peers_.insert(request.remote_addr + ":" + std::to_string(request.remote_port));
        });
        port_ = server.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    int port() const { return port_; }
    std::string url(const std::string& path) const
    {
        return (tls_ ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(port_) + path;
    }
    /// How many connections the requests so far came on.
    std::size_t connections() const
    {
        const std::lock_guard lock(mutex_);
        return peers_.size();
    }

    httplib::Server& server;

private:
    bool tls_ = false;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::set<std::string> peers_;
};

/// Markup written as text inside another element, as .NET services return
/// their result documents.
inline std::string escapedMarkup(const std::string& xml)
{
    std::string out;
    for (char c : xml) {
        if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '&') out += "&amp;";
        else out += c;
    }
    return out;
}

/// The last request a stand-in received: its body and SOAPAction header.
class RequestLog {
public:
    void keep(const httplib::Request& request)
    {
        std::lock_guard lock(mutex_);
        body_ = request.body;
        action_ = request.get_header_value("SOAPAction");
        ++count_;
    }
    std::string body() const
    {
        std::lock_guard lock(mutex_);
        return body_;
    }
    std::string action() const
    {
        std::lock_guard lock(mutex_);
        return action_;
    }
    int count() const
    {
        std::lock_guard lock(mutex_);
        return count_;
    }

private:
    mutable std::mutex mutex_;
    std::string body_;
    std::string action_;
    int count_ = 0;
};

} // namespace zelt::standins
