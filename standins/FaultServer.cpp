#include "FaultServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace zelt::standins {

namespace {

// A loopback port nothing listens on: bound once to learn a free one, then closed.
int closedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 1;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0) ::close(fd);
    return port;
}

} // namespace

const char* FaultServer::name(Fault fault)
{
    switch (fault) {
    case Fault::Refused: return "refused";
    case Fault::Silent: return "silent";
    case Fault::Endless: return "endless stream";
    case Fault::Garbage: return "garbage";
    case Fault::Redirect: return "redirect";
    case Fault::SelfSignedTls: return "self-signed TLS";
    case Fault::ServiceFault: return "fault / error status";
    case Fault::Cut: return "cut answer";
    }
    return "?";
}

FaultServer::FaultServer(Fault fault, const std::string& certificate, const std::string& key) : fault_(fault)
{
    if (fault == Fault::Refused) {
        base_ = "http://127.0.0.1:" + std::to_string(closedPort()) + "/";
        return;
    }
    if (fault == Fault::SelfSignedTls) server_ = std::make_unique<httplib::SSLServer>(certificate.c_str(), key.c_str());
    else server_ = std::make_unique<httplib::Server>();
    serve(*server_);
    const int port = server_->bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    base_ = (fault == Fault::SelfSignedTls ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(port) + "/";
}

FaultServer::~FaultServer()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    released_.notify_all();
    if (server_) server_->stop();
    if (thread_.joinable()) thread_.join();
}

void FaultServer::serve(httplib::Server& server)
{
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) { answer(request, response); };
    server.Get(R"(.*)", handler);
    server.Post(R"(.*)", handler);
}

void FaultServer::answer(const httplib::Request& request, httplib::Response& response)
{
    ++requests_;
    const bool soap = request.has_header("SOAPAction");
    switch (fault_) {
    case Fault::Refused: break;
    case Fault::Silent: {
        std::unique_lock lock(mutex_);
        released_.wait_for(lock, std::chrono::seconds(30), [this] { return stopping_; });
        break;
    }
    case Fault::Endless:
        response.set_chunked_content_provider(soap ? "text/xml" : "application/json",
                                              [this](std::size_t, httplib::DataSink& sink) {
                                                  static const std::string chunk(4096, 'x');
                                                  {
                                                      std::lock_guard lock(mutex_);
                                                      if (stopping_) return false;
                                                  }
                                                  return sink.write(chunk.data(), chunk.size());
                                              });
        break;
    case Fault::Garbage: {
        std::string junk;
        for (int i = 0; i < 512; ++i) junk.push_back(static_cast<char>((i * 73 + 11) % 256));
        response.set_content(junk, soap ? "text/xml" : "application/json");
        break;
    }
    case Fault::Redirect: response.set_redirect("http://127.0.0.1:1/elsewhere"); break;
    case Fault::SelfSignedTls: response.set_content("<a/>", "text/xml"); break;
    case Fault::ServiceFault:
        response.status = 500;
        if (soap)
            response.set_content("<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
                                 "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><soap:Fault>"
                                 "<faultcode>soap:Server</faultcode><faultstring>Server was unable to process "
                                 "request.</faultstring></soap:Fault></soap:Body></soap:Envelope>",
                                 "text/xml");
        else
            response.set_content(R"({"error":{"code":"ServerError","message":"The server failed.","target":"Unknown",)"
                                 R"("details":[{"code":"ServerError","number":-1,"message":"The server failed.",)"
                                 R"("description":"Try again later.","severity":"Exception"}]}})",
                                 "application/json");
        break;
    case Fault::Cut:
        // Ten thousand bytes promised, two hundred sent.
        response.set_content_provider(10000, soap ? "text/xml" : "application/json",
                                      [](std::size_t, std::size_t, httplib::DataSink& sink) {
                                          const std::string start = "<?xml version=\"1.0\"?><soap:Envelope " + std::string(160, ' ');
                                          sink.write(start.data(), start.size());
                                          return false;
                                      });
        break;
    }
}

} // namespace zelt::standins
