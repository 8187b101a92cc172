#pragma once

#include "LoopbackServer.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

namespace zelt::standins {

/// A web service on loopback that fails in one chosen way, for every path:
/// the faults a network and a server can show a client.
class FaultServer {
public:
    enum class Fault {
        Refused,       // nothing listens on the port
        Silent,        // takes the request and never answers
        Endless,       // answers an endless stream
        Garbage,       // answers bytes that are neither XML nor JSON
        Redirect,      // sends the client elsewhere
        SelfSignedTls, // speaks TLS with a certificate nobody vouches for
        ServiceFault,  // a SOAP fault (SOAP requests) or an error object (REST), status 500
        Cut,           // promises an answer and hangs up in the middle of it
    };
    static constexpr Fault kAll[] = {Fault::Refused,       Fault::Silent,       Fault::Endless, Fault::Garbage,
                                     Fault::Redirect,      Fault::SelfSignedTls, Fault::ServiceFault, Fault::Cut};
    static const char* name(Fault fault);

    /// The certificate and key serve the TLS fault.
    FaultServer(Fault fault, const std::string& certificate, const std::string& key);
    ~FaultServer();
    FaultServer(const FaultServer&) = delete;
    FaultServer& operator=(const FaultServer&) = delete;

    /// "http://127.0.0.1:port/" ("https://" for the TLS fault).
    std::string base() const { return base_; }
    /// How many requests reached the server.
    int requests() const { return requests_.load(); }

private:
    void serve(httplib::Server& server);
    void answer(const httplib::Request& request, httplib::Response& response);

    Fault fault_;
    std::string base_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    // Silent and endless answers end when the server goes.
    std::mutex mutex_;
    std::condition_variable released_;
    bool stopping_ = false;
    std::atomic<int> requests_{0};
};

} // namespace zelt::standins
